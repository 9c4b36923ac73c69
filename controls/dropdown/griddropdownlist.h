#pragma once
// The grid drop-down: an edit whose drop-down is a full string grid. Rows come from the
// Items (UseItems, rebuilt at every opening) or from the inner grid's own cells; typing in
// the open list looks the lookup column up or narrows the rows down to those containing the
// typed text; header clicks sort; the list may be editable; and the inner grid's events are
// passed on as the drop-down's OnGrid... events, with the inner grid as Sender.
//
// With UseItems, column 0 of every row keeps its item's index as the cell object, so the
// item of a row and the row of an item survive sorting.
#include "controls/dropdown/multicolumnedit.h"
#include "grid/string/dazstringgrid.h"

class TCustomDazGridDropDown;

namespace DazCustomGridDropDown {

enum TColumnType { ctText, ctImage };

class TDropDownColumn : public DropDownList::TColumnOf<TColumnType>
{
public:
    using TColumnOf::TColumnOf;
};

class TDropDownColumns : public DropDownList::TOwnedCollection<TDropDownColumn>
{
public:
    using TOwnedCollection::TOwnedCollection;
};

class TDropDownItem : public DropDownList::TItem
{
public:
    using TItem::TItem;
};

// The items; a descendant's drop-down may make them of another item class (ItemFactory).
class TDropDownItems : public TCollection
{
public:
    // The class of the items made (new TDropDownItem unless a factory is given).
    static TItemFactory GetItemClass();
    explicit TDropDownItems(TObject *Owner = nullptr, TItemFactory Factory = GetItemClass());
    TObject *GetOwner() const { return FOwnerObject; }
    TDropDownItem *Add() { return static_cast<TDropDownItem *>(TCollection::Add()); }
    TDropDownItem *Insert(int Index) { return static_cast<TDropDownItem *>(TCollection::Insert(Index)); }
    TDropDownItem *Items(int Index) const
    {
        return static_cast<TDropDownItem *>(TCollection::Items(Index));
    }

private:
    TObject *FOwnerObject;
};

// The list: a string grid that loads from its drop-down, sizes columns and rows from the
// items, and reports a choice (Enter, or a left release on a data cell without a check box).
class TDazColGrid : public TDazStringGrid
{
public:
    explicit TDazColGrid(QWidget *Parent = nullptr);

    void SetDropDown(TCustomDazGridDropDown *Value) { FDazDropDown = Value; }
    TCustomDazGridDropDown *DropDown() const { return FDazDropDown; }
    TDropDownColumns &Columns() { return FColumns; }
    TCustomImageList *Images() const { return FImages; }
    // The drop-down's look values, kept but not drawn with (the grid draws its own look).
    TColor LineColor = 0x808080, FixedLineColor = 0, HeaderColor = 0xFFFFFF,
           HeaderColorTo = 0x808080;
    TFont HeaderFont;
    int HeaderHeight = 25;
    int ListGridLineWidth = 1;
    TNotifyEvent OnSelect;

    // Links and loads the grid from the drop-down (every opening).
    void FillFromDropDown(TCustomDazGridDropDown *Value);
    // Header texts and, with items, one row per item with its index in column 0.
    void FillFromItems();
    int TotalWidth() const;
    bool ConfirmSelection() const { return FConfirmSelection; }
    void SetConfirmSelection(bool Value) { FConfirmSelection = Value; }
    bool MouseWheelSelection() const { return FMouseWheelSelection; }
    virtual void DoSelect();

    void KeyDown(uint16_t &Key, TShiftState Shift) override;
    bool DoMouseWheelDown(TShiftState Shift, QPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, QPoint MousePos) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Notification(TComponent *AComponent, TOperation Operation) override;

protected:
    void WMKeyDown(TKeyMessage &Message) override;
    void WMChar(TKeyMessage &Message) override;
    bool WantTabs() const override { return true; }
    // The drop-down watches the cell editor's Enter (its editing-mode steps).
    TInplaceEdit *CreateEditor() override;

private:
    void AutoSizeFromItems();
    void UpdateRowHeights();

    TCustomDazGridDropDown *FDazDropDown = nullptr;
    TDropDownColumns FColumns{this};
    TCustomImageList *FImages = nullptr;
    bool FConfirmSelection = false;
    bool FMouseWheelSelection = false;
};

}   // namespace DazCustomGridDropDown

enum TLookupMethod { lmLookup, lmNarrowDown, lmNone };
enum TDropDownStyle { dsDropDown, dsDropDownList };
enum TGridSorting { gsNone, gsSingleColumn, gsMultiColumn };

class TCustomDazGridDropDown : public TListDropDownEdit, public TFreeNotifyClient
{
public:
    using TDropDownColumns = DazCustomGridDropDown::TDropDownColumns;
    using TDropDownItems = DazCustomGridDropDown::TDropDownItems;
    using TDazColGrid = DazCustomGridDropDown::TDazColGrid;

    explicit TCustomDazGridDropDown(QWidget *Parent = nullptr);
    ~TCustomDazGridDropDown() override;
    unsigned GetVersionNr() const override { return 0x06000101; }

    bool UseItems = true;
    TDropDownItems &Items() { return *FItems; }
    const TDropDownItems &Items() const { return *FItems; }
    void SetItems(const TDropDownItems &Value) { FItems->Assign(&Value); }
    TDropDownColumns &Columns() { return FColumns; }
    const TDropDownColumns &Columns() const { return FColumns; }
    void SetColumns(const TDropDownColumns &Value) { FColumns.Assign(&Value); }
    void SetItemIndex(int Value) override;
    TLookupMethod LookupMethod = lmLookup;
    TDropDownStyle Style() const { return FStyle; }
    void SetStyle(TDropDownStyle Value);   // EditorEnabled := (Value = dsDropDown)
    bool AutoShowDropDown = false;
    TGridSorting Sorting = gsNone;
    bool GridEditable = false;
    bool RowSelect = true;
    bool ColumnMoving = false;
    bool RowSizing = false;
    bool RowMoving = false;
    bool AutoSizeColumns = true;
    bool HoverRow = false;
    TColor HoverRowColor = clInfoBk;
    TColor HoverRowColorTo = clNone;
    TCustomImageList *GridImages() const { return FGridImages; }
    void SetGridImages(TCustomImageList *Value);
    // Copied into the inner grid at every opening.
    TSearchFooter &SearchFooter() { return FSearchFooter; }
    TNavigation &Navigation() { return FNavigation; }
    TMouseActions &MouseActions() { return FMouseActions; }
    TBands &Bands() { return FBands; }
    // The number of items; without UseItems the navigation counts the grid's data rows.
    int RowCount() const { return FItems->Count(); }

    // The inner grid's events passed on, typed as the grid's, with the grid as Sender; the
    // three key events fire from the key forwarding with the drop-down as Sender.
    TAnchorClickEvent OnGridAnchorClick;
    TAnchorEvent OnGridAnchorEnter, OnGridAnchorExit;
    TAnchorHintEvent OnGridAnchorHint;
    TButtonClickEvent OnGridButtonClick;
    // Never fired: the sort hooks take these two grid events at every opening.
    TCanSortEvent OnGridCanSort;
    TClickSortEvent OnGridClickSort;
    // Never attached to the grid, like OnGridSpinClick.
    TCustomCompareEvent OnGridCustomCompare;
    TRawCompareEvent OnGridRawCompare;
    TColumnSizeEvent OnGridColumnSize;
    TColumnSizingEvent OnGridColumnSizing;
    TEndColumnSizeEvent OnGridEndColumnSize;
    TRowSizeEvent OnGridRowSize;
    TRowSizingEvent OnGridRowSizing;
    TEndRowSizeEvent OnGridEndRowSize;
    TRowMoveEvent OnGridRowMove, OnGridRowMoving;
    TMovedEvent OnGridRowMoved;
    TColumnMoveEvent OnGridColumnMove, OnGridColumnMoving;
    TMovedEvent OnGridColumnMoved;
    // Attached only when assigned at the opening.
    TCustomCellDrawEvent OnGridCustomCellDraw, OnGridCustomCellBkgDraw;
    TGridBalloonEvent OnGridCellBalloon;
    TGridAlignEvent OnGridGetAlignment;
    TGridColorEvent OnGridGetCellColor;
    TGridGradientEvent OnGridGetCellGradient;
    TFloatFormatEvent OnGridGetFloatFormat;
    TGetEditorTypeEvent OnGridGetEditorType;
    TGetEditorPropIntEvent OnGridGetEditorProp;
    TCanEditCellEvent OnGridCanEditCell;
    TEllipsClickEvent OnGridEllipsClick;
    TGetDisplTextEvent OnGridGetDiplText;
    TGridFormatEvent OnGridGetFormat;
    TGridHintEvent OnGridHint;
    TMouseMoveEvent OnGridMouseMove;
    TMouseEvent OnGridMouseDown, OnGridMouseUp;
    TKeyEvent OnGridKeyDown, OnGridKeyUp;
    TKeyPressEvent OnGridKeyPress;
    TClickCellEvent OnGridRightClickCell;
    TScrollHintEvent OnGridScrollHint;
    TNotifyEvent OnGridTopLeftChanged;
    TSearchEditChangeEvent OnGridSearchEditChange;
    TSpinClickEvent OnGridSpinClick;
    TAutoAddRowEvent OnGridAutoAddRow;
    TAutoInsertRowEvent OnGridInsertRow;
    TAutoInsertColEvent OnGridInsertCol;
    TAutoDeleteRowEvent OnGridDeleteRow;
    TCanAddRowEvent OnGridCanAddRow;
    TCanInsertRowEvent OnGridCanInsertRow;
    TCanDeleteRowEvent OnGridCanDeleteRow;
    TCheckBoxClickEvent OnGridCheckBoxClick;

    // The inner grid (its cells are the rows without UseItems).
    TDazColGrid *GetGrid() const { return FDazColGrid; }
    // The first candidate of the lookup column starting with Text (upper-cased unless
    // CaseSensitive): an item index with UseItems, else a grid row. -1 and nothing found
    // for an empty text.
    bool LookupText(const QString &Text, QString &FullText, int &Index) const;
    // The item a list row shows, and the row that shows an item.
    int ItemOfRow(int ARow) const;
    int RowOfItem(int Item) const;
    void Loaded();

    void SetComponentStyle(TQVRStyle Value) override;
    // The GridImages list is going: forgotten here and in the grid.
    void Notification(TComponent *AComponent, TOperation Operation) override;
    void EditKeyUp(uint16_t Key, TShiftState Shift) override;
    void DoHideDropDown(bool Cancelled) override;
    void ListSelectCell(int ARow);
    void ListSelect();
    int ListSearch(QChar Ch);

protected:
    int ItemCount() const override;
    int LookupCount() const override { return FItems->Count(); }
    QString LookupTextAt(int Index) const override;
    int ListFrame() const override { return 6; }
    bool HomeEndSelects(TShiftState Shift) const override
    {
        return !Shift.Contains(ssShift) && FStyle == dsDropDownList;
    }
    bool KeyDownBefore(uint16_t &Key, TShiftState Shift) override;
    void NavigationKey(uint16_t Key, TShiftState Shift) override;
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void DoShowDropDown() override;
    void PlaceDropDownControl() override;
    void SizeDropDownForm() override;
    virtual void DropDownSizing();
    virtual void CreateItems();
    void ControlKeyDown(uint16_t &Key, TShiftState Shift) override;
    void ControlKeyUp(uint16_t &Key, TShiftState Shift) override;
    void ControlKeyPress(QChar &Key) override;
    void keyPressEvent(QKeyEvent *Event) override;
    void keyReleaseEvent(QKeyEvent *Event) override;
    void focusInEvent(QFocusEvent *Event) override;
    bool eventFilter(QObject *Watched, QEvent *Event) override;

    // The relays: each fires its OnGrid... event with the arguments unchanged; a descendant
    // overrides one to change what that grid event does. Attached to the grid at every
    // opening, except those whose events are marked above.
    virtual void DoGridAnchorClick(TObject *Sender, int ARow, int ACol, const QString &Anchor,
                                   bool &AutoHandle);
    virtual void DoGridAnchorEnter(TObject *Sender, int ARow, int ACol, const QString &Anchor);
    virtual void DoGridAnchorExit(TObject *Sender, int ARow, int ACol, const QString &Anchor);
    virtual void DoGridAnchorHint(TObject *Sender, int ARow, int ACol, QString &Anchor);
    virtual void DoGridButtonClick(TObject *Sender, int ACol, int ARow);
    virtual void DoGridCanSort(TObject *Sender, int ACol, bool &DoSort);
    virtual void DoGridClickSort(TObject *Sender, int ACol);
    virtual void DoGridCustomCompare(TObject *Sender, const QString &str1, const QString &str2,
                                     int &Res);
    virtual void DoGridRawCompare(TObject *Sender, int ACol, int Row1, int Row2, int &Res);
    virtual void DoGridColumnSize(TObject *Sender, int ACol, bool &Allow);
    virtual void DoGridColumnSizing(TObject *Sender, int ACol, int ColumnSize);
    virtual void DoGridEndColumnSize(TObject *Sender, int ACol);
    virtual void DoGridRowSize(TObject *Sender, int ARow, bool &Allow);
    virtual void DoGridRowSizing(TObject *Sender, int ARow, int RowSize);
    virtual void DoGridEndRowSize(TObject *Sender, int ARow);
    virtual void DoGridRowMove(TObject *Sender, int ARow, bool &Allow);
    virtual void DoGridRowMoving(TObject *Sender, int ARow, bool &Allow);
    virtual void DoGridRowMoved(TObject *Sender, int FromIndex, int ToIndex);
    virtual void DoGridColumnMove(TObject *Sender, int ACol, bool &Allow);
    virtual void DoGridColumnMoving(TObject *Sender, int ACol, bool &Allow);
    virtual void DoGridColumnMoved(TObject *Sender, int FromIndex, int ToIndex);
    virtual void DoGridCustomCellDraw(TObject *Sender, TCanvas &Canvas, int ACol, int ARow,
                                      TGridDrawState AState, const TRect &ARect, bool Printing);
    virtual void DoGridCustomCellBkgDraw(TObject *Sender, TCanvas &Canvas, int ACol, int ARow,
                                         TGridDrawState AState, const TRect &ARect,
                                         bool Printing);
    virtual void DoGridCellBalloon(TObject *Sender, int ACol, int ARow, QString &ATitle,
                                   QString &AText, int &AIcon);
    virtual void DoGridGetAlignment(TObject *Sender, int ARow, int ACol, TAlignment &HAlign,
                                    TVAlignment &VAlign);
    virtual void DoGridGetCellColor(TObject *Sender, int ARow, int ACol, TGridDrawState AState,
                                    TBrush &ABrush, TFont &AFont);
    virtual void DoGridGetCellGradient(TObject *Sender, int ARow, int ACol, TColor &Color,
                                       TColor &ColorTo, TColor &ColorMirror,
                                       TColor &ColorMirrorTo, TCellGradientDirection &GD);
    virtual void DoGridGetFloatFormat(TObject *Sender, int ACol, int ARow, bool &IsFloat,
                                      QString &FloatFormat);
    virtual void DoGridGetEditorType(TObject *Sender, int ACol, int ARow, TEditorType &AEditor);
    virtual void DoGridGetEditorProp(TObject *Sender, int ACol, int ARow);
    virtual void DoGridCanEditCell(TObject *Sender, int ARow, int ACol, bool &CanEdit);
    virtual void DoGridEllipsClick(TObject *Sender, int ACol, int ARow, QString &S);
    virtual void DoGridGetDiplText(TObject *Sender, int ACol, int ARow, QString &Value);
    virtual void DoGridGetFormat(TObject *Sender, int ACol, TSortStyle &AStyle, QString &aPrefix,
                                 QString &aSuffix);
    virtual void DoGridHint(TObject *Sender, int ARow, int ACol, QString &hintstr);
    virtual void DoGridMouseMove(TObject *Sender, TShiftState Shift, int X, int Y);
    virtual void DoGridMouseDown(TObject *Sender, TMouseButton Button, TShiftState Shift, int X,
                                 int Y);
    virtual void DoGridMouseUp(TObject *Sender, TMouseButton Button, TShiftState Shift, int X,
                               int Y);
    virtual void DoGridKeyDown(TObject *Sender, uint16_t &Key, TShiftState Shift);
    virtual void DoGridKeyUp(TObject *Sender, uint16_t &Key, TShiftState Shift);
    virtual void DoGridKeyPress(TObject *Sender, QChar &Key);
    virtual void DoGridRightClickCell(TObject *Sender, int ARow, int ACol);
    virtual void DoGridScrollHint(TObject *Sender, int ARow, QString &hintstr);
    virtual void DoGridTopLeftChanged(TObject *Sender);
    virtual void DoGridSearchEditChange(TObject *Sender, const QString &Value,
                                        bool &DefaultSearch);
    virtual void DoGridSpinClick(TObject *Sender, int ACol, int ARow, int AValue, bool UpDown);
    virtual void DoGridAutoAddRow(TObject *Sender, int ARow);
    virtual void DoGridInsertRow(TObject *Sender, int ARow);
    virtual void DoGridInsertCol(TObject *Sender, int ACol);
    virtual void DoGridDeleteRow(TObject *Sender, int ARow);
    virtual void DoGridCanAddRow(TObject *Sender, bool &CanAdd);
    virtual void DoGridCanInsertRow(TObject *Sender, int ARow, bool &CanInsert);
    virtual void DoGridCanDeleteRow(TObject *Sender, int ARow, bool &CanDelete);

private:
    void DoGridCheckBoxClick(TObject *Sender, int ACol, int ARow, bool State);
    void AttachRelays();
    void RemoveListFilters();
    // A row of the list below its header (a list narrowed to nothing has none).
    bool IsDataRow(int ARow) const;
    template <class... A>
    void Attach(std::function<void(A...)> &Event, void (TCustomDazGridDropDown::*Relay)(A...));
    void FitListColumns();
    void BlockActivate(bool Value);

    std::unique_ptr<TDropDownItems> FItems;
    TDropDownColumns FColumns{this};
    TDazColGrid *FDazColGrid = nullptr;
    TDropDownStyle FStyle = dsDropDown;
    TCustomImageList *FGridImages = nullptr;
    TSearchFooter FSearchFooter{this, false};
    TNavigation FNavigation;
    TMouseActions FMouseActions{this};
    TBands FBands;
    int FSelRow = -1;
    int FTempItemIndex = -1;
    bool FBalloonInit = false;
    // Enter went down in the list's cell editor; its release still counts as one made in
    // editing mode, although the key-down closed the editor.
    bool FCellEditEnter = false;
    bool FLoadingList = false;   // BeforeDropDown is rebuilding the list's rows
};
