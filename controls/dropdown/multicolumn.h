#pragma once
// The multi-column drop-down: an edit whose drop-down lists items with several columns under
// a one-row header. The edit shows the chosen item's text in the lookup column; typing in
// the edit completes from the lookup texts, typing in the open list searches them by prefix.
//
// The list (DazMultiColumnDropDown::TDazColGrid) keeps no texts in its cells: it draws every
// cell from the drop-down's columns and items and is reloaded at every opening. Prefix
// searches run over lookup texts upper-cased once (at EndUpdate and at every opening), so a
// keystroke costs one pass of comparisons over the items and nothing more.
#include "controls/dropdown/multicolumnedit.h"
#include "grid/base/stringgridbase.h"

#include <QPointer>

class TDazMultiColumnDropDown;

namespace DazMultiColumnDropDown {

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

class TDropDownItems : public DropDownList::TOwnedCollection<TDropDownItem>
{
public:
    using TOwnedCollection::TOwnedCollection;
    // The first item whose text in column C equals T exactly; items without a text there are
    // passed over. -1 when none.
    int IndexInColumn(int C, const QString &T) const;
};

// (Sender, column, row, text to change).
using TGetCellTextEvent = std::function<void(TObject *Sender, int Column, int Row, QString &Text)>;
// (Sender, column, row, canvas, cell rectangle): draws the cell instead of the list.
using TDrawCellEvent =
    std::function<void(TObject *Sender, int Column, int Row, TCanvas &ACanvas, const TRect &ARect)>;
using TGetCellPropEvent = std::function<void(TObject *Sender, int Column, int Row, TFont &Font,
                                             TColor &AColor, TColor &AColorTo)>;

// The list of the drop-down. Row r >= 1 shows item r - 1; row 0 is the header. The confirm
// flag (a key or mouse press in the list) tells the drop-down to take the current row when
// the list closes; the wheel flag marks row changes made by a wheel step.
class TDazColGrid : public TStringGridBase, public TFreeNotifyClient
{
public:
    explicit TDazColGrid(QWidget *Parent = nullptr);
    ~TDazColGrid() override;

    TDropDownColumns &Columns() { return FColumns; }
    void SetColumns(const TDropDownColumns &Value) { FColumns.Assign(&Value); }
    TColor LineColor = 0x808080;
    TColor FixedLineColor = 0;
    TColor HeaderColor = 0xFFFFFF;
    TColor HeaderColorTo = 0x808080;
    int HeaderHeight = 25;
    TFont HeaderFont;
    // The width of the lines the cell drawing paints; the framework's own stays 0.
    int GridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(int Value);
    TCustomImageList *Images() const { return FImages; }
    void SetImages(TCustomImageList *Value);
    TNotifyEvent OnSelect;
    // Declared for completeness; the drop-down's own events serve instead.
    TGetCellTextEvent OnGetCellText;
    TDrawCellEvent OnDrawCell;
    TGetCellPropEvent OnGetCellProp;

    void SetDropDown(TDazMultiColumnDropDown *Value) { FDazDropDown = Value; }
    TDazMultiColumnDropDown *DropDown() const { return FDazDropDown; }
    // Links and loads the list from the drop-down's columns and items.
    void FillFromDropDown(TDazMultiColumnDropDown *Value);
    // The width with every column showing: border, columns and a scroll bar when rows are
    // hidden.
    int TotalWidth() const;
    void AutoSizeColumns();
    void AutoSizeColumn(int ACol);
    void UpdateRowHeights();
    TRect CellBounds(int ACol, int ARow) const;
    bool ConfirmSelection() const { return FConfirmSelection; }
    bool MouseWheelSelection() const { return FMouseWheelSelection; }
    virtual void DoSelect();

    // Draws one cell on Canvas (the paint's canvas, or a test's).
    void PaintCell(TCanvas &Canvas, int ACol, int ARow, const TRect &ARect, TGridDrawState AState);
    void Notification(TComponent *AComponent, TOperation Operation) override;

    // The grid's handlers, public so the drop-down and tests can drive them.
    void DrawCell(int ACol, int ARow, const TRect &ARect, TGridDrawState AState) override;
    void KeyDown(uint16_t &Key, TShiftState Shift) override;
    bool DoMouseWheelDown(TShiftState Shift, QPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, QPoint MousePos) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

protected:
    void WMKeyDown(TKeyMessage &Message) override;
    bool WantTabs() const override { return true; }

private:
    bool OnDropDownForm() const;
    const TDropDownItem *ItemOfRow(int ARow) const;

    TDazMultiColumnDropDown *FDazDropDown = nullptr;
    TDropDownColumns FColumns{this};
    int FGridLineWidth = 1;
    TCustomImageList *FImages = nullptr;
    bool FConfirmSelection = false;
    bool FMouseWheelSelection = false;
};

}   // namespace DazMultiColumnDropDown

class TDazMultiColumnDropDown : public TListDropDownEdit
{
public:
    using TDropDownColumns = DazMultiColumnDropDown::TDropDownColumns;
    using TDropDownItems = DazMultiColumnDropDown::TDropDownItems;
    using TDazColGrid = DazMultiColumnDropDown::TDazColGrid;

    explicit TDazMultiColumnDropDown(QWidget *Parent = nullptr);
    ~TDazMultiColumnDropDown() override;
    void Assign(const TDazMultiColumnDropDown *Source);

    TDropDownColumns &Columns() { return FColumns; }
    const TDropDownColumns &Columns() const { return FColumns; }
    void SetColumns(const TDropDownColumns &Value) { FColumns.Assign(&Value); }
    TDropDownItems &Items() { return FItems; }
    const TDropDownItems &Items() const { return FItems; }
    void SetItems(const TDropDownItems &Value) { FItems.Assign(&Value); }
    // Ignored at or beyond the item count; otherwise the edit shows the item's lookup text
    // (empty for a negative index or a missing text).
    void SetItemIndex(int Value) override;
    int RowCount() const { return FItems.Count(); }
    DazMultiColumnDropDown::TGetCellTextEvent OnDropDownGetItemText;
    DazMultiColumnDropDown::TDrawCellEvent OnDropDownDrawItem;
    // Declared only: the list takes each cell's font and colours from its column.
    DazMultiColumnDropDown::TGetCellPropEvent OnDropDownGetItemProp;

    // After loading from a stream.
    void Loaded() { EndUpdate(); }
    // The first item whose lookup text equals Text exactly (case-sensitive); -1 when none.
    int GetItemIndex(const QString &Text) const;
    TDazColGrid *ListGrid() const { return FDazColGrid; }

    void SetComponentStyle(TQVRStyle Value) override;
    void DoHideDropDown(bool Cancelled) override;

    // What the list reports to its drop-down.
    void ListSelectCell(int ARow);
    void ListSelect();
    // The list search of one character typed in the open list: the item found, or -1.
    int ListSearch(QChar Ch);

protected:
    int ItemCount() const override { return FItems.Count(); }
    QString LookupTextAt(int Index) const override;
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void DoShowDropDown() override;
    void PlaceDropDownControl() override;
    void SizeDropDownForm() override;
    virtual void DropDownSizing();
    // The list's key handlers: which keys reach the edit, and the search.
    void ControlKeyDown(uint16_t &Key, TShiftState Shift) override;
    void ControlKeyUp(uint16_t &Key, TShiftState Shift) override;
    void ControlKeyPress(QChar &Key) override;

private:
    void FitListColumns();
    int LookupItem(const QString &Text, QString &Found) const;
    void RebuildListLookup();

    TDropDownColumns FColumns{this};
    TDropDownItems FItems{this};
    TDazColGrid *FDazColGrid = nullptr;
    DropDownList::TLookupTexts FListLookup;   // what the list search searches (opening)
    bool FShowing = false;
};
