// The multi-column drop-down's list: loading from the drop-down, sizing columns and rows from
// the items, drawing every cell from them, and the keys and mouse actions that choose.
#include "controls/dropdown/dropdownform.h"
#include "controls/dropdown/multicolumnkeys.h"
#include "controls/dropdown/multicolumn.h"
#include "grid/base/imagelist.h"

#include <algorithm>

namespace DazMultiColumnDropDown {

int TDropDownItems::IndexInColumn(int C, const QString &T) const
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->HasText(C) && Items(i)->TextAt(C) == T)
            return i;
    return -1;
}

TDazColGrid::TDazColGrid(QWidget *Parent) : TStringGridBase(Parent)
{
    SetFixedRows(1);
    SetFixedCols(0);
    TGridOptions o = Options();
    o += goHorzLine;
    o += goRowSelect;
    o -= goRangeSelect;
    o -= goDrawFocusSelected;
    SetOptions(o);
    SetDefaultDrawing(false);
    TCustomGrid::SetGridLineWidth(0);
    setFrameShape(QFrame::NoFrame);
}

TDazColGrid::~TDazColGrid()
{
    if (FImages)
        FImages->RemoveFreeNotification(this);
}

void TDazColGrid::SetGridLineWidth(int Value)
{
    FGridLineWidth = Value;
    TCustomGrid::SetGridLineWidth(0);
    viewport()->update();
}

void TDazColGrid::SetImages(TCustomImageList *Value)
{
    Rewatch<TCustomImageList>(this, FImages, Value);
}

void TDazColGrid::Notification(TComponent *AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent == FImages)
        FImages = nullptr;
}

bool TDazColGrid::OnDropDownForm() const
{
    return dynamic_cast<const TDropDownForm *>(parentWidget()) != nullptr;
}

const TDropDownItem *TDazColGrid::ItemOfRow(int ARow) const
{
    if (!FDazDropDown || ARow < 1 || ARow > FDazDropDown->Items().Count())
        return nullptr;
    return FDazDropDown->Items().Items(ARow - 1);
}

void TDazColGrid::FillFromDropDown(TDazMultiColumnDropDown *Value)
{
    if (!Value)
        return;
    FDazDropDown = Value;
    FColumns.Assign(&Value->Columns());
    const int items = Value->Items().Count();
    SetColCount(std::max(1, FColumns.Count()));
    SetRowCount(items + 1);
    if (RowCount() > 1) {
        SetFixedRows(1);
        SetRow(1);
        SetRowCount(items + 1);
    }
    for (int c = 0; c < FColumns.Count(); ++c)
        SetColWidths(c, FColumns.Items(c)->Width);
    LineColor = Value->LineColor;
    FixedLineColor = Value->FixedLineColor;
    HeaderColor = Value->HeaderColor;
    HeaderColorTo = Value->HeaderColorTo;
    HeaderHeight = Value->HeaderHeight;
    HeaderFont = Value->HeaderFont;
    SetImages(Value->Images);
    SetDefaultRowHeight(Value->DropDownRowHeight);
    SetRowHeights(0, Value->HeaderHeight);
    TGridOptions o = Options();
    if (Value->ColumnSizing)
        o += goColSizing;
    else
        o -= goColSizing;
    SetOptions(o);
    AutoSizeColumns();
    UpdateRowHeights();
}

int TDazColGrid::TotalWidth() const
{
    return ListTotalWidth(*this);
}

void TDazColGrid::AutoSizeColumns()
{
    for (int c = 0; c < FColumns.Count(); ++c)
        AutoSizeColumn(c);
}

void TDazColGrid::AutoSizeColumn(int ACol)
{
    if (ACol < 0 || ACol >= FColumns.Count() || !FColumns.Items(ACol)->AutoSize || !FDazDropDown ||
        !OnDropDownForm())
        return;
    TDropDownColumn &column = *FColumns.Items(ACol);
    DropDownList::TMeasureCanvas measure;
    const int widest = DropDownList::ItemsColumnWidth(measure.Canvas(), column, ACol,
                                                      FDazDropDown->Items(), FImages);
    column.Width = widest;
    if (ACol < ColCount())
        SetColWidths(ACol, widest);
}

void TDazColGrid::UpdateRowHeights()
{
    if (!FDazDropDown || !OnDropDownForm())
        return;
    std::vector<int> wrapped;
    for (int c = 0; c < FColumns.Count(); ++c)
        if (FColumns.Items(c)->Wordwrap)
            wrapped.push_back(c);
    if (wrapped.empty())
        return;
    DropDownList::TMeasureCanvas measure;
    for (int r = FixedRows(); r < RowCount(); ++r) {
        const TDropDownItem *item = ItemOfRow(r);
        const int h = !item ? 24
                            : DropDownList::WrappedRowHeight(
                                  measure.Canvas(), FColumns, wrapped,
                                  [&](int c) { return item->TextAt(c); },
                                  [&](int c) {
                                      return item->HasText(c) && item->ImageIndex >= 0 &&
                                             FColumns.Items(c)->ColumnType == ctImage;
                                  },
                                  [&](int c) { return c < ColCount() ? ColWidths(c) : 0; },
                                  FImages);
        SetRowHeights(r, h);
    }
}

TRect TDazColGrid::CellBounds(int ACol, int ARow) const
{
    const TRect r = CellRect(ACol, ARow);
    return TRect(r.Left, r.Top, r.Left + ColWidths(ACol), r.Top + RowHeights(ARow));
}

void TDazColGrid::DoSelect()
{
    if (OnSelect)
        OnSelect(this);
}

void TDazColGrid::WMKeyDown(TKeyMessage &Message)
{
    if (Message.CharCode != VK_TAB)
        TStringGridBase::WMKeyDown(Message);
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
    const uint16_t pressed = Key;
    TStringGridBase::KeyDown(Key, Shift);
    if (pressed == VK_RETURN)
        DoSelect();
}

bool TDazColGrid::DoMouseWheelDown(TShiftState Shift, QPoint MousePos)
{
    return DropDownList::ListWheelStep(FMouseWheelSelection, FConfirmSelection, [&] {
        return TStringGridBase::DoMouseWheelDown(Shift, MousePos);
    });
}

bool TDazColGrid::DoMouseWheelUp(TShiftState Shift, QPoint MousePos)
{
    return DropDownList::ListWheelStep(FMouseWheelSelection, FConfirmSelection, [&] {
        return TStringGridBase::DoMouseWheelUp(Shift, MousePos);
    });
}

void TDazColGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FConfirmSelection = true;
    TStringGridBase::MouseDown(Button, Shift, X, Y);
}

void TDazColGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TStringGridBase::MouseUp(Button, Shift, X, Y);
    const TGridCoord cell = MouseCoord(X, Y);
    if (cell.Y >= FixedRows() && cell.Y < RowCount())
        DoSelect();
}

void TDazColGrid::DrawCell(int ACol, int ARow, const TRect &ARect, TGridDrawState AState)
{
    if (TCanvas *canvas = Canvas())
        PaintCell(*canvas, ACol, ARow, ARect, AState);
}

void TDazColGrid::PaintCell(TCanvas &c, int ACol, int ARow, const TRect &ARect,
                            TGridDrawState AState)
{
    TDazMultiColumnDropDown *dd = FDazDropDown;
    if (dd && dd->OnDropDownDrawItem) {
        dd->OnDropDownDrawItem(dd, ACol, ARow, c, ARect);
        return;
    }
    const int firstCol = FixedCols(), lastCol = ColCount() - 1;
    const int place = firstCol == lastCol ? 0 : ACol == firstCol ? 1 : ACol == lastCol ? 2 : 3;
    TRect r(ARect.Left, ARect.Top, ARect.Left + ColWidths(ACol), ARect.Top + RowHeights(ARow));

    TColor color = Color();
    TAlignment alignment = taLeftJustify;
    bool wrap = false, ellipsis = false;
    QString text = Cells(ACol, ARow);
    int image = -1;
    const bool column = ACol >= FixedCols() && ACol < FColumns.Count();
    if (column) {
        const TDropDownColumn &col = *FColumns.Items(ACol);
        color = col.Color;
        alignment = col.Alignment;
        wrap = col.Wordwrap;
        ellipsis = col.Ellipsis;
        c.Font = col.Font;
        if (const TDropDownItem *item = ARow >= FixedRows() ? ItemOfRow(ARow) : nullptr) {
            if (item->HasText(ACol))
                text = item->TextAt(ACol);
            if (col.ColumnType == ctImage)
                image = item->ImageIndex;
        }
    } else {
        c.Font = HeaderFont;
    }
    if (dd && dd->OnDropDownGetItemText)
        dd->OnDropDownGetItemText(dd, ACol, ARow, text);

    const bool fixed = AState.Contains(gdFixed);
    const bool selected = !fixed && AState.Contains(gdSelected);
    if (fixed) {
        text = ACol < FColumns.Count() ? FColumns.Items(ACol)->Header : QString();
        image = -1;
        if (HeaderColor == clNone || HeaderColorTo == clNone) {
            c.Brush.Color = HeaderColor;
            c.Brush.Style = bsSolid;
            c.FillRect(r);
        } else if (dd) {
            dd->DrawGradient(c, HeaderColor, HeaderColorTo, 80, r, gdVertical);
        }
    } else if (selected && dd) {
        dd->DrawSelection(c, r, color, place);
    } else {
        c.Brush.Color = color;
        c.Brush.Style = bsSolid;
        c.Pen.Color = color;
        c.Pen.Width = 1;
        c.Rectangle(r);
    }

    int offset = 1;
    bool lines = true;
    if (fixed) {
        c.Pen.Color = FixedLineColor;
        c.Pen.Width = 1;
    } else {
        lines = FGridLineWidth > 0;
        if (lines)
            c.Pen.Color = LineColor;
        c.Pen.Width = FGridLineWidth;
        offset = (FGridLineWidth + 1) / 2;
    }
    const TGridOptions o = Options();
    if (lines && (fixed ? o.Contains(goFixedHorzLine) : o.Contains(goHorzLine))) {
        c.MoveTo(r.Left - offset + 1, r.Bottom - offset);
        c.LineTo(r.Right - offset + 1, r.Bottom - offset);
    }
    if (lines && (fixed ? o.Contains(goFixedVertLine) : o.Contains(goVertLine))) {
        const int x = r.Right - offset + (layoutDirection() == Qt::RightToLeft ? 1 : 0);
        c.MoveTo(x, r.Bottom - offset);
        c.LineTo(x, r.Top - offset);
    }
    c.Pen.Width = 1;

    InflateRect(r, -FGridLineWidth, -FGridLineWidth);
    TCustomImageList *images = dd ? dd->Images : nullptr;
    int textLeft = r.Left + 2;
    if (image >= 0 && images) {
        const int h = r.Bottom - r.Top;
        const int y = images->Height() < h ? r.Top + (h - images->Height()) / 2 : r.Top;
        images->Draw(c, r.Left + 2, y, image);
        textLeft = r.Left + images->Width() + 4;
    }
    if (text.isEmpty())
        return;
    unsigned flags = DT_NOPREFIX | DT_EXPANDTABS | DT_VCENTER;
    flags |= alignment == taRightJustify ? DT_RIGHT : alignment == taCenter ? DT_CENTER : DT_LEFT;
    flags |= wrap ? DT_WORDBREAK : DT_SINGLELINE;
    if (ellipsis)
        flags |= DT_END_ELLIPSIS;
    if (selected && dd)
        c.Font.Color = dd->SelectionTextColor;
    if (fixed)
        c.Font = HeaderFont;
    c.Brush.Style = bsClear;
    TRect t(textLeft, r.Top, r.Right, r.Bottom);
    c.DrawText(text, t, flags);
}

}   // namespace DazMultiColumnDropDown
