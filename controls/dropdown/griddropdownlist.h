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
    // A drag in the list started / ended (the drop-down keeps its window open meanwhile).
    TNotifyEvent OnStartBlockFocus, OnEndBlockFocus;

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
    void MouseMove(TShiftState Shift, int X, int Y) override;

protected:
    void WMKeyDown(TKeyMessage &Message) override;
    void WMChar(TKeyMessage &Message) override;
    bool WantTabs() const override { return true; }

private:
    void AutoSizeFromItems();
    void UpdateRowHeights();

    TCustomDazGridDropDown *FDazDropDown = nullptr;
    TDropDownColumns FColumns{this};
    TCustomImageList *FImages = nullptr;
    bool FConfirmSelection = false;
    bool FMouseWheelSelection = false;
    bool FBlockFocus = false;
};

}   // namespace DazCustomGridDropDown

enum TLookupMethod { lmLookup, lmNarrowDown, lmNone };
enum TDropDownStyle { dsDropDown, dsDropDownList };
enum TGridSorting { gsNone, gsSingleColumn, gsMultiColumn };

// The inner grid's events passed on: (relay name, grid event). OnGridKeyDown, OnGridKeyUp
// and OnGridKeyPress fire from the key forwarding with the drop-down as Sender.
#define CF_GRID_DROPDOWN_RELAYS(X)                                                           \
    X(AnchorEnter, OnAnchorEnter) X(AnchorExit, OnAnchorExit) X(AnchorHint, OnAnchorHint)   \
    X(ColumnSize, OnColumnSize) X(ColumnSizing, OnColumnSizing)                             \
    X(EndColumnSize, OnEndColumnSize) X(RowSize, OnRowSize) X(RowSizing, OnRowSizing)       \
    X(EndRowSize, OnEndRowSize) X(RowMove, OnRowMove) X(RowMoving, OnRowMoving)             \
    X(RowMoved, OnRowMoved) X(ColumnMove, OnColumnMove) X(ColumnMoving, OnColumnMoving)     \
    X(ColumnMoved, OnColumnMoved) X(CellBalloon, OnCellBalloon)                             \
    X(GetCellGradient, OnGetCellGradient) X(GetEditorType, OnGetEditorType)                 \
    X(GetEditorProp, OnGetEditorPropInt) X(CanEditCell, OnCanEditCell)                      \
    X(GetDiplText, OnGetDisplText) X(GetFormat, OnGetFormat) X(Hint, OnGridHint)            \
    X(MouseDown, OnMouseDown) X(MouseUp, OnMouseUp) X(RightClickCell, OnRightClickCell)     \
    X(ScrollHint, OnScrollHint) X(TopLeftChanged, OnTopLeftChanged)                         \
    X(AutoAddRow, OnAutoAddRow) X(InsertRow, OnAutoInsertRow) X(InsertCol, OnAutoInsertCol) \
    X(DeleteRow, OnAutoDeleteRow) X(CanAddRow, OnCanAddRow) X(CanInsertRow, OnCanInsertRow) \
    X(CanDeleteRow, OnCanDeleteRow) X(CheckBoxClick, OnCheckBoxClick)                       \
    X(SearchEditChange, OnSearchEditChange)

class TCustomDazGridDropDown : public TListDropDownEdit
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

    // The relayed events, typed as the grid's.
#define CF_DECLARE_RELAY(Name, GridEvent) decltype(TDazStringGrid::GridEvent) OnGrid##Name;
    CF_GRID_DROPDOWN_RELAYS(CF_DECLARE_RELAY)
#undef CF_DECLARE_RELAY
    TAnchorClickEvent OnGridAnchorClick;
    TButtonClickEvent OnGridButtonClick;
    TEllipsClickEvent OnGridEllipsClick;
    TGridAlignEvent OnGridGetAlignment;
    TGridColorEvent OnGridGetCellColor;
    TFloatFormatEvent OnGridGetFloatFormat;
    TMouseMoveEvent OnGridMouseMove;
    TCustomCellDrawEvent OnGridCustomCellDraw, OnGridCustomCellBkgDraw;
    // Published but taken over by the sort hooks, or never attached to the grid.
    TCanSortEvent OnGridCanSort;
    TClickSortEvent OnGridClickSort;
    TCustomCompareEvent OnGridCustomCompare;
    TRawCompareEvent OnGridRawCompare;
    TSpinClickEvent OnGridSpinClick;
    TKeyEvent OnGridKeyDown, OnGridKeyUp;
    TKeyPressEvent OnGridKeyPress;

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

private:
    void AttachRelays();
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
};
