// The grid drop-down's list: loading from the drop-down and its items, sizing columns and
// rows, and the keys and mouse actions that choose a row.
#include "controls/dropdown/dropdownform.h"
#include "controls/dropdown/multicolumnkeys.h"
#include "controls/dropdown/griddropdownlist.h"
#include "grid/base/imagelist.h"

namespace DazCustomGridDropDown {

TCollection::TItemFactory TDropDownItems::GetItemClass()
{
    return [](TCollection *c) -> TCollectionItem * { return new TDropDownItem(c); };
}

TDropDownItems::TDropDownItems(TObject *Owner, TItemFactory Factory)
    : TCollection(std::move(Factory)), FOwnerObject(Owner)
{
}

TDazColGrid::TDazColGrid(QWidget *Parent) : TDazStringGrid(Parent)
{
    SetFixedRowAlways(true);
    SetFixedRows(1);
    SetFixedCols(0);
    TGridOptions o = Options();
    o += goHorzLine;
    o += goRowSelect;
    o -= goRangeSelect;
    SetOptions(o);
    setFrameShape(QFrame::NoFrame);
}

void TDazColGrid::FillFromDropDown(TCustomDazGridDropDown *Value)
{
    if (!Value)
        return;
    FDazDropDown = Value;
    FColumns.Assign(&Value->Columns());
    const int columns = FColumns.Count();
    if (ColCount() < columns)
        SetColCount(columns);
    if (Value->UseItems)
        SetRowCount(Value->Items().Count() + 1);
    for (int c = 0; c < columns && c < ColCount(); ++c)
        SetColWidths(c, FColumns.Items(c)->Width);
    LineColor = Value->LineColor;
    FixedLineColor = Value->FixedLineColor;
    HeaderColor = Value->HeaderColor;
    HeaderColorTo = Value->HeaderColorTo;
    HeaderHeight = Value->HeaderHeight;
    HeaderFont = Value->HeaderFont;
    SetHoverRow(Value->HoverRow);
    SetHoverRowColor(Value->HoverRowColor);
    SetHoverRowColorTo(Value->HoverRowColorTo);
    Rewatch<TCustomImageList>(this, FImages, Value->Images);
    SetDefaultRowHeight(Value->DropDownRowHeight);
    SetRowHeights(0, Value->HeaderHeight);
    TGridOptions o = Options();
    auto set = [&o](TGridOption Option, bool On) { o = On ? o + Option : o - Option; };
    set(goColSizing, Value->ColumnSizing);
    set(goColMoving, Value->ColumnMoving);
    set(goRowSizing, Value->RowSizing);
    set(goRowMoving, Value->RowMoving);
    SetOptions(o);
    if (Value->AutoSizeColumns) {
        if (Value->UseItems)
            AutoSizeFromItems();
        else
            TDazStringGrid::AutoSizeColumns(true, 4);
    }
    UpdateRowHeights();
}

void TDazColGrid::AutoSizeFromItems()
{
    if (!FDazDropDown || !dynamic_cast<TDropDownForm *>(parentWidget()))
        return;
    DropDownList::TMeasureCanvas measure;
    for (int c = 0; c < FColumns.Count(); ++c) {
        TDropDownColumn &column = *FColumns.Items(c);
        if (!column.AutoSize)
            continue;
        column.Width = DropDownList::ItemsColumnWidth(measure.Canvas(), column, c,
                                                      FDazDropDown->Items(), FImages);
        if (c < ColCount())
            SetColWidths(c, column.Width);
    }
}

void TDazColGrid::UpdateRowHeights()
{
    if (!FDazDropDown || !dynamic_cast<TDropDownForm *>(parentWidget()))
        return;
    std::vector<int> wrapped;
    for (int c = 0; c < FColumns.Count(); ++c)
        if (FColumns.Items(c)->Wordwrap)
            wrapped.push_back(c);
    if (wrapped.empty())
        return;
    DropDownList::TMeasureCanvas measure;
    const bool items = FDazDropDown->UseItems;
    const TDropDownItems &list = FDazDropDown->Items();
    for (int r = FixedRows(); r < RowCount(); ++r) {
        const TDropDownItem *item = items && r - 1 < list.Count() ? list.Items(r - 1) : nullptr;
        auto text = [&](int c) { return items ? (item ? item->TextAt(c) : QString()) : Cells(c, r); };
        auto image = [&](int c) {
            return item && item->HasText(c) && item->ImageIndex >= 0 &&
                   FColumns.Items(c)->ColumnType == ctImage;
        };
        auto width = [&](int c) { return c < ColCount() ? ColWidths(c) : 0; };
        SetRowHeights(r, DropDownList::WrappedRowHeight(measure.Canvas(), FColumns, wrapped, text,
                                                        image, width, FImages));
    }
}

void TDazColGrid::FillFromItems()
{
    if (!FDazDropDown)
        return;
    const TDropDownColumns &columns = FDazDropDown->Columns();
    const TDropDownItems &items = FDazDropDown->Items();
    const int n = columns.Count();
    BeginUpdate();
    if (n > 0 && ColCount() != n)
        SetColCount(n);
    for (int c = 0; c < n; ++c) {
        SetCells(c, 0, columns.Items(c)->Header);
        SetObjectEx(c, 0, uintptr_t(intptr_t(-1)));
    }
    if (items.Count() > 0)
        SetRowCount(FixedRows() + items.Count());
    for (int i = 0; i < items.Count(); ++i) {
        const TDropDownItem &item = *items.Items(i);
        for (int c = 0; c < n; ++c)
            SetCells(c, i + 1, item.TextAt(c));
        SetObjectEx(0, i + 1, uintptr_t(i));
    }
    EndUpdate();
}

void TDazColGrid::Notification(TComponent *AComponent, TOperation Operation)
{
    TDazStringGrid::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent && AComponent == static_cast<TComponent *>(FImages))
        FImages = nullptr;
}

int TDazColGrid::TotalWidth() const
{
    return ListTotalWidth(*this);
}

void TDazColGrid::DoSelect()
{
    if (OnSelect)
        OnSelect(this);
}

void TDazColGrid::WMKeyDown(TKeyMessage &Message)
{
    if (Message.CharCode == VK_TAB)
        return;
    // The string grid keeps Enter for its own handlers; the list chooses with it.
    if (Message.CharCode == VK_RETURN) {
        uint16_t key = VK_RETURN;
        KeyDown(key, Message.Shift);
        Message.CharCode = 0;
        return;
    }
    TDazStringGrid::WMKeyDown(Message);
}

void TDazColGrid::WMChar(TKeyMessage &Message)
{
    if (Message.CharCode == 13) {
        Message.Result = 1;
        return;
    }
    TDazStringGrid::WMChar(Message);
}

TInplaceEdit *TDazColGrid::CreateEditor()
{
    TInplaceEdit *editor = TDazStringGrid::CreateEditor();
    if (FDazDropDown)
        editor->installEventFilter(FDazDropDown);
    return editor;
}

void TDazColGrid::KeyDown(uint16_t &Key, TShiftState Shift)
{
    FConfirmSelection = true;
    if ((Key == VK_UP || Key == VK_DOWN) && Shift.Contains(ssAlt)) {
        if (FDazDropDown) {
            uint16_t key = Key;
            FDazDropDown->EditKeyDown(key, Shift);
        }
        return;
    }
    // Narrowed down to nothing, the list keeps only its header: no key has a cell to go to.
    const bool rows = RowCount() > FixedRows();
    if (Key == VK_RETURN) {
        Key = 0;
        if (rows)
            TDazStringGrid::KeyDown(Key, Shift);
        DoSelect();
        return;
    }
    if (rows)
        TDazStringGrid::KeyDown(Key, Shift);
}

bool TDazColGrid::DoMouseWheelDown(TShiftState Shift, QPoint MousePos)
{
    return DropDownList::ListWheelStep(FMouseWheelSelection, FConfirmSelection, [&] {
        return TDazStringGrid::DoMouseWheelDown(Shift, MousePos);
    });
}

bool TDazColGrid::DoMouseWheelUp(TShiftState Shift, QPoint MousePos)
{
    return DropDownList::ListWheelStep(FMouseWheelSelection, FConfirmSelection, [&] {
        return TDazStringGrid::DoMouseWheelUp(Shift, MousePos);
    });
}

void TDazColGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FConfirmSelection = true;
    TDazStringGrid::MouseDown(Button, Shift, X, Y);
}

void TDazColGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TDazStringGrid::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft)
        return;
    const TGridCoord cell = MouseCoord(X, Y);
    if (cell.X >= 0 && cell.Y >= FixedRows() && cell.Y < RowCount() && !HasCheckBox(cell.X, cell.Y))
        DoSelect();
}

}   // namespace DazCustomGridDropDown
