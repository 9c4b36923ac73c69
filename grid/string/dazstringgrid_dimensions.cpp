// TDazStringGrid: counts, sizes, appearance setters, scaling and zoom, and the metric
// helpers of painting and export.
#include "grid/string/dazstringgrid.h"

#include "grid/base/markup.h"
#include "grid/string/inplaceedit.h"
#include "platform/rtl.h"

#include <QFontMetrics>
#include <QtMath>
#include <cmath>

// ---------------------------------------------------------------------------------------
// Counts
// ---------------------------------------------------------------------------------------

void TDazStringGrid::SetRowCount(int Value)
{
    const int oldCount = RowCount();
    // A grid shrunk to its fixed rows hid its selection; it comes back with the rows.
    if (oldCount == FixedRows() && FFixedRowAlways && FSelectionHidden)
        UnHideSelection();
    TBaseGrid::SetRowCount(Value);
    if (FRequestedFixedRows < RowCount() && FFixedRowAlways)
        SetFixedRows(FRequestedFixedRows);
    FMaxRowCount = std::max(FMaxRowCount, Value);
    FNormalRowCount = Value;
    UpdateFooter();
    UpdateScrollBarsAlways(false);
    if (FFloatingFooter.Visible() && Value != oldCount)
        MoveFooterRow(oldCount, RowCount());
}

// The footer row follows the last row: its texts and records move from the old last row to
// the new one, and the old last row is left empty.
void TDazStringGrid::MoveFooterRow(int OldCount, int NewCount)
{
    const int from = OldCount - 1;
    const int to = NewCount - 1;
    if (from == to || from < 0)
        return;
    const int cols = AllColCount();
    FreeCellPropertiesRange(0, to, cols - 1, to);
    for (int c = 0; c < cols; ++c) {
        SetGridCell(c, to, GetGridCell(c, from));
        SetGridObject(c, to, GetGridObject(c, from));
        SetGridObject(c, from, nullptr);
        SetGridCell(c, from, QString());
        if (auto *p = dynamic_cast<TCellProperties *>(GetGridObject(c, to)))
            p->SetOwnerRow(to);
    }
    CalcFooter(-1);
}

void TDazStringGrid::SetColCount(int Value)
{
    TBaseGrid::SetColCount(Value);
    if (FRequestedFixedCols < ColCount() && FFixedColAlways)
        SetFixedCols(FRequestedFixedCols);
    FMaxColCount = std::max(FMaxColCount, Value);
    UpdateFooter();
    const QRect g = geometry();
    SetBounds(g.x(), g.y(), g.width(), g.height());
    UpdateScrollBarsAlways(false);
}

int TDazStringGrid::FixedRows() const
{
    const int n = TBaseGrid::FixedRows();
    return n == 0 && FFixedRowAlways ? 1 : n;
}

void TDazStringGrid::SetFixedRows(int Value)
{
    int v = Value;
    if (FFixedRowAlways && v >= RowCount())
        v = RowCount() - 1;
    TBaseGrid::SetFixedRows(v);
    if (!FLoading)
        FRequestedFixedRows = Value;
}

int TDazStringGrid::FixedCols() const
{
    const int n = TBaseGrid::FixedCols();
    return n == 0 && FFixedColAlways ? 1 : n;
}

void TDazStringGrid::SetFixedCols(int Value)
{
    int v = Value;
    if (FFixedColAlways && v >= ColCount())
        v = ColCount() - 1;
    TBaseGrid::SetFixedCols(v);
    if (!FLoading)
        FRequestedFixedCols = Value;
}

void TDazStringGrid::SetFixedFooters(int Value)
{
    FFixedFooters = Value;
    Invalidate();
}

void TDazStringGrid::SetFixedRightCols(int Value)
{
    FFixedRightCols = Value;
    Invalidate();
}

void TDazStringGrid::SetCol(int Value)
{
    TBaseGrid::SetCol(Value);
    if (TStringGridBase *other = FSyncGrid.Grid(); other && FSyncGrid.SelectionColumn())
        other->SetCol(Col());
}

// ---------------------------------------------------------------------------------------
// Sizes
// ---------------------------------------------------------------------------------------

void TDazStringGrid::SetDefaultRowHeight(int Value)
{
    TBaseGrid::SetDefaultRowHeight(Value);
    FFloatingFooter.SetHeight(Value);
    if (FFloatingFooter.Visible())
        UpdateFooterPanel();
}

void TDazStringGrid::SetFixedRowHeight(int Value)
{
    FFixedRowHeight = Value;
    if (FLoading)
        return;
    if (Value == DefaultRowHeight()) {
        SetDefaultRowHeight(Value);
        return;
    }
    for (int r = 0; r < TBaseGrid::FixedRows(); ++r)
        SetRowHeights(r, Value);
}

void TDazStringGrid::SetFixedColWidth(int Value)
{
    if (FLoading || Value == DefaultColWidth())
        return;
    for (int c = 0; c < TBaseGrid::FixedCols(); ++c)
        SetColWidths(c, Value);
}

void TDazStringGrid::SetWordWrap(bool Value)
{
    FWordWrap = Value;
    TBaseGrid::SetWordWrap(Value);
    if (TDazInplaceEdit *editor = NormalEdit())
        editor->SetWordWrap(Value);
    if (!FUpdateLock.Locked())
        Invalidate();
}

int TDazStringGrid::AllColWidths(int ACol) const
{
    if (IsHiddenColumn(ACol))
        return FHiddenColumns.SavedWidth(ACol);
    return ColWidths(const_cast<TDazStringGrid *>(this)->DisplColIndex(ACol));
}

void TDazStringGrid::SetAllColWidths(int ACol, int Value)
{
    if (ACol < 0)
        return;
    FHiddenColumns.SetSavedWidth(ACol, Value);
    if (!IsHiddenColumn(ACol)) {
        const int d = DisplColIndex(ACol);
        if (d >= 0 && d < ColCount())
            SetColWidths(d, Value);
    }
}

void TDazStringGrid::SetIntegralHeight(bool Value)
{
    FIntegralHeight = Value;
    const QRect g = geometry();
    SetBounds(g.x(), g.y(), g.width(), g.height());
}

void TDazStringGrid::SetCursor(const QCursor &Value)
{
    setCursor(Value);
    FOwnCursor = Value;
    // A cursor the owner sets ends a column, row or resize mode shown by the grid's own.
    FMouseSelectMode = msNormal;
}

// ---------------------------------------------------------------------------------------
// Appearance
// ---------------------------------------------------------------------------------------

void TDazStringGrid::SetSelectionColorMixerFactor(int Value)
{
    if (Value == FSelectionColorMixerFactor)
        return;
    FSelectionColorMixerFactor = std::clamp(Value, 0, 100);
    Invalidate();
}

void TDazStringGrid::SetShowSelection(bool Value)
{
    if (Value == FShowSelection)
        return;
    FShowSelection = Value;
    FShowSel = Value;
    Invalidate();
}

void TDazStringGrid::SetVAlignment(TVAlignment Value)
{
    FVAlignment = Value;
    FVAlignFlags = Value == vtaCenter ? DT_VCENTER : Value == vtaBottom ? DT_BOTTOM : DT_TOP;
    if (!FUpdateLock.Locked())
        Invalidate();
}

void TDazStringGrid::SetFlat(bool Value)
{
    FFlat = Value;
    if (!FLoading)
        Invalidate();
}

void TDazStringGrid::SetAutoSize(bool Value)
{
    FAutoSize = Value;
    if (Value && !FLoading && OnAutoSizeColumns)
        OnAutoSizeColumns(this, 10);
    else if (Value && !FLoading)
        AutoSizeColumns(false, 10);
}

void TDazStringGrid::SetMaxEditLength(int Value)
{
    FMaxEditLength = Value;
    if (TInplaceEdit *editor = InplaceEditor())
        editor->setMaxLength(Value > 0 ? Value : 32767);
}

void TDazStringGrid::SetSpreadSheet(bool Value)
{
    FSpreadSheet = Value;
    SetSelectionRectangle(true);
    SetSelectionResizer(true);
    FNavigation.SetAllowSmartClipboard(true);
    SetOptions(Options() + goRangeSelect + goEditing);
    FMouseActions.SetRangeSelectAndEdit(true);
}

// ---------------------------------------------------------------------------------------
// Scaling and zoom
// ---------------------------------------------------------------------------------------

void TDazStringGrid::ChangeScale(int M, int D)
{
    if (M == D || D == 0)
        return;
    const auto scale = [M, D](int size) { return int(std::lround(double(size) * M / D)); };
    FFixedFont.SetSize(scale(FFixedFont.Size()));
    FActiveCellFont.SetSize(scale(FActiveCellFont.Size()));
}

void TDazStringGrid::Zoom(int X)
{
    if (FZoomFactor + X > 10 || FZoomFactor + X < -10)
        return;
    FZoomFactor += X;
    for (int c = 0; c < ColCount(); ++c)
        if (ColWidths(c) > 0 && ColWidths(c) + X > 0)
            SetColWidths(c, ColWidths(c) + X);
    for (int r = 0; r < RowCount(); ++r)
        if (RowHeights(r) > 0 && RowHeights(r) + X > 0)
            SetRowHeights(r, RowHeights(r) + X);
}

int TDazStringGrid::CellXMargin() const
{
    return FXYOffsetTopLeftOnly ? FXYOffset.X : 2 * FXYOffset.X;
}

int TDazStringGrid::CellYMargin() const
{
    return FXYOffsetTopLeftOnly ? FXYOffset.Y : 2 * FXYOffset.Y;
}

// ---------------------------------------------------------------------------------------
// Line metrics
// ---------------------------------------------------------------------------------------

int TDazStringGrid::MaxColLineLength(int ACol)
{
    int longest = 0;
    for (int r = 0; r < RowCount(); ++r) {
        QString text = SaveCellText(ACol, r);
        do {
            const QString line = TakeFirstLine(text, FMultilinecells);
            longest = std::max(longest, int(line.length()));
        } while (FMultilinecells && !text.isEmpty());
    }
    return longest;
}

int TDazStringGrid::MaxRowLines(int ARow)
{
    if (ColCount() <= 0 || !FMultilinecells)
        return 1;
    int most = 1;
    for (int c = 0; c < ColCount(); ++c)
        most = std::max(most, CountCellLines(GetCellEx(RealColIndex(c), ARow), true));
    return most;
}

// ---------------------------------------------------------------------------------------
// Rotated text
// ---------------------------------------------------------------------------------------

void TDazStringGrid::PlaceRotatedText(TRect &Rect, int Angle, const QString &Text,
                                      TAlignment HAlign, TVAlignment VAlign)
{
    const QFontMetrics fm(Font().ToQFont());
    const int cx = fm.horizontalAdvance(Text);
    const int cy = fm.height();
    InflateRect(Rect, -2, -2);
    const double theta = Angle * M_PI / 180.0;
    const int w1 = int(std::abs(Round(std::cos(theta) * cx)));
    const int h1 = int(std::abs(Round(std::sin(theta) * cx)));
    const int w2 = int(std::abs(Round(std::sin(theta) * cy)));
    const int h2 = int(std::abs(Round(std::cos(theta) * cy)));
    AlignRotatedTextRect(Rect, HAlign, VAlign, Angle, w1, w2, h1, h2);
}

void TDazStringGrid::AlignRotatedTextRect(TRect &Rect, TAlignment HAlign, TVAlignment VAlign,
                                          int Angle, int W1, int W2, int H1, int H2)
{
    const int l = Rect.Left, t = Rect.Top, r = Rect.Right, b = Rect.Bottom;
    const int wd = r - l, ht = b - t;
    const auto half = [](int x) { return x / 2; };   // rounds toward zero
    const int quadrant = Angle <= 90 ? 1 : Angle <= 180 ? 2 : Angle > 270 ? 4 : 3;
    int left = l, top = t;
    switch (quadrant) {
    case 1:
        left = HAlign == taLeftJustify ? l : HAlign == taRightJustify ? r - W1 - W2
                                                                      : l + half(wd - W2 - W1);
        top = VAlign == vtaTop ? t + H1 : VAlign == vtaBottom ? b - H2 : t + H1 - half(H1 + H2 - ht);
        break;
    case 2:
        left = HAlign == taLeftJustify ? l + W1 : HAlign == taRightJustify ? r - W2
                                                                           : r - half(W2 + wd - W1);
        top = VAlign == vtaTop ? t + H1 + H2 : VAlign == vtaBottom ? b
                                                                   : t + H1 + H2 - half(H1 + H2 - ht);
        break;
    case 3:
        left = HAlign == taLeftJustify ? l + W2 + W1 : HAlign == taRightJustify ? r
                                                                                : r - half(wd - W2 - W1);
        top = VAlign == vtaTop ? t + H2 : VAlign == vtaBottom ? b - H1 : t + H2 - half(H1 + H2 - ht);
        break;
    default:
        left = HAlign == taLeftJustify ? l + W2 : HAlign == taRightJustify ? r - W1
                                                                           : l + half(W2 + wd - W1);
        top = VAlign == vtaTop ? t : VAlign == vtaBottom ? b - H2 - H1 : t - half(H1 + H2 - ht);
        break;
    }
    Rect.Left = left;
    Rect.Top = top;
}
