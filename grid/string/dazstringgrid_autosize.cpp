// TDazStringGrid: columns and rows fitted to their content or to the control, the stretched
// column, the reactions to user resizing, numbering of a column or row, and the exchange of
// two columns or rows.
#include "grid/string/dazstringgrid.h"

#include "grid/base/textroutines.h"
#include "grid/string/inplaceedit.h"

#include <QApplication>
#include <QCoreApplication>
#include <QStyle>
#include <cmath>

namespace {

// The column to stretch (StretchColumn, -1 for the last); -1 when it names none.
int StretchIndex(TDazStringGrid &G)
{
    int index = G.ColumnSize().StretchColumn();
    if (index == -1)
        index = G.ColCount() - 1;
    return index >= 0 && index < G.ColCount() ? index : -1;
}

bool IsCheckOrRadio(TCellType t)
{
    return t == ctCheckBox || t == ctDataCheckBox || t == ctVirtCheckBox || t == ctRadioButton;
}

// Rounding to the nearest integer, ties to even.
int RoundEven(double v) { return int(std::nearbyint(v)); }

}   // namespace

// ---------------------------------------------------------------------------------------
// Columns and rows fitted to their content
// ---------------------------------------------------------------------------------------

void TDazStringGrid::UpdateColSize(int ACol, int &AWidth)
{
    if (OnUpdateColumnSize)
        OnUpdateColumnSize(this, ACol, AWidth);
}

void TDazStringGrid::UpdateAutoColSize(int ACol, int &AWidth)
{
    if (OnUpdateColumnSize)
        OnUpdateColumnSize(this, ACol, AWidth);
}

void TDazStringGrid::AutoSizeColInt(int Index, bool GrowOnly)
{
    if (Index < 0 || Index >= ColCount())
        return;
    int first = 0, last = RowCount() - 1;
    switch (FColumnSize.Rows()) {
    case arNormal:
        first = FixedRows();
        last = RowCount() - FFixedFooters - 1;
        break;
    case arFixed:
        last = FixedRows() - 1;
        break;
    default:
        break;
    }
    const int rc = RealColIndex(Index);
    const int lw = GridLineWidth();
    const bool filterChoices =
        FilterDropDownAuto() && FilterDropDownRow() >= first && FilterDropDownRow() <= last &&
        GetFilterList(rc);
    const bool plainColumn = !FControlLook.DropDownAlwaysVisible() && !filterChoices;
    int m = 0;
    for (int r = first; r <= last; ++r) {
        if (HasCellProps() && IsXMergedCell(rc, r))
            continue;
        // Most rows cannot widen the column: a cheap bound of their text's width skips the
        // exact measuring.
        if (plainColumn && r != FSortSettings.Row()) {
            const int bound = TextWidthBound(rc, r);
            if (bound >= 0 && bound <= m)
                continue;
        }
        const TPoint text = CellTextSize(rc, r);
        TPoint g;
        CalcCellGraphicSize(rc, r, g, 0);
        int w = g.X + text.X;
        if (FControlLook.DropDownAlwaysVisible() && HasComboBox(rc, r))
            w += 16;
        if (filterChoices && r == FilterDropDownRow())
            w += 12;
        if (FSortSettings.Show() && r == FSortSettings.Row() && rc == FSortSettings.Column())
            w += 10;
        if (const TCellGraphic *graphic = GetCellGraphic(rc, r);
            graphic && graphic->CellHAlign == haFull)
            w = g.X - (2 * lw + FXYOffset.X + 2);
        m = std::max(m, w);
    }
    int width = m + CellXMargin() + 2 * lw + 2;
    if (GrowOnly && ColWidths(Index) >= width)
        return;
    UpdateAutoColSize(rc, width);
    SetColWidths(Index, ClampToLimits(width, MinColWidth(), MaxColWidth()));
}

void TDazStringGrid::AutoSizeCol(int Index, int Padding)
{
    AutoSizeColInt(Index, SizeGrowOnly());
    if (Padding != 0 && Index >= 0 && Index < ColCount())
        SetColWidths(Index,
                     ClampToLimits(ColWidths(Index) + Padding, MinColWidth(), MaxColWidth()));
}

void TDazStringGrid::AutoSizeColumns(bool DoFixedCols, int Padding)
{
    const int first = DoFixedCols ? 0 : FixedCols();
    const int last = DoFixedCols ? ColCount() - 1 : ColCount() - FFixedRightCols - 1;
    for (int c = first; c <= last; ++c)
        AutoSizeCol(c, Padding);
}

void TDazStringGrid::AutoSizeRowInt(int Index, bool GrowOnly)
{
    if (Index < 0 || Index >= RowCount())
        return;
    const bool allVisible = AllRowsVisible();
    int m = 0;
    for (int c = 0; c < ColCount(); ++c) {
        const int rc = RealColIndex(c);
        if (FIgnoreColumns.HasValue(rc) || (HasCellProps() && IsYMergedCell(rc, Index)))
            continue;
        TPoint text;
        GetCellTextSize(rc, Index, text, false, WordWrap());
        int t = text.Y;
        TPoint gs;
        CalcCellGraphicSize(rc, Index, gs, 0);
        int g = gs.Y;
        int h;
        if (const TCellGraphic *graphic = GetCellGraphic(rc, Index)) {
            if (graphic->CellVAlign == vaFull)
                g = t > 0 ? 0 : DefaultRowHeight();
            if ((graphic->CellType == ctDataCheckBox || graphic->CellType == ctVirtCheckBox) &&
                g > 0)
                t = 0;
            h = IsCheckOrRadio(graphic->CellType) ? DefaultRowHeight() : t + g;
        } else {
            h = t + g;
        }
        if (HasCellProps() && IsMergedNonBaseCell(rc, Index))
            h = 0;
        m = std::max(m, h);
    }
    int height = m + CellYMargin() + 2 * GridLineWidth();
    if (FXYOffsetTopLeftOnly)
        height += 2;
    if (GrowOnly && RowHeights(Index) >= height)
        return;
    SetRowHeights(Index, ClampToLimits(height, MinRowHeight(), MaxRowHeight()));
    // A row growing while it is typed into can make the grid scroll; the edit goes on in the
    // moved editor, typing at the end of its text.
    if (allVisible && EditorMode() && SizeWhileTyping().Height() && !AllRowsVisible()) {
        ShowInplaceEdit();
        if (TDazInplaceEdit *ed = NormalEdit(); ed && ed->isVisible())
            ed->setCursorPosition(int(ed->text().size()));
    }
}

void TDazStringGrid::AutoSizeRow(int Index, int Padding)
{
    AutoSizeRowInt(Index, SizeGrowOnly());
    if (Padding != 0 && Index >= 0 && Index < RowCount())
        SetRowHeights(Index, ClampToLimits(RowHeights(Index) + Padding, MinRowHeight(),
                                           MaxRowHeight()));
}

void TDazStringGrid::AutoSizeRows(bool DoFixedRows, int Padding)
{
    if (RowCount() == 0)
        return;
    const int start = DoFixedRows ? 0 : FixedRows();
    ExportNotification(esExportStart, start);
    for (int r = start; r < RowCount(); ++r) {
        ExportNotification(esExportNextRow, r);
        if (WordWrap()) {
            AutoSizeRow(r, Padding);
        } else {
            TBrush brush;
            TFont font = Font().Value();
            GetCellColor(RealColIndex(FixedCols()), r, {}, brush, font);
            if (!FExtentCache)
                CellTextSize(0, 0);   // makes the cache
            const int h = QFontMetrics(font.ToQFont()).height();
            SetRowHeights(r, ClampToLimits(Padding + MaxRowLines(r) * (h + h / 8),
                                           MinRowHeight(), MaxRowHeight()));
        }
    }
    UpdateScrollBarsAlways(false);
    ExportNotification(esExportDone, -1);
}

void TDazStringGrid::AutoSizeCells(bool DoFixedCells, int PaddingX, int PaddingY)
{
    BeginUpdate();
    try {
        const int firstCol = DoFixedCells ? 0 : FixedCols();
        const int firstRow = DoFixedCells ? 0 : FixedRows();
        for (int c = firstCol; c < ColCount(); ++c) {
            const int rc = RealColIndex(c);
            int running = SizeGrowOnly() ? ColWidths(c) : 0;
            for (int r = firstRow; r < RowCount(); ++r) {
                const TPoint text = CellTextSize(rc, r);
                TPoint g;
                CalcCellGraphicSize(rc, r, g, 0);
                const int w = text.X + g.X + PaddingX + FXYOffset.X;
                const int h = text.Y + g.Y + PaddingY + FXYOffset.Y;
                const bool merged = HasCellProps();
                if (!(merged && IsXMergedCell(rc, r)) && w > running) {
                    const int cw = ClampToLimits(w, MinColWidth(), MaxColWidth());
                    if (cw > running) {
                        SetColWidths(c, cw);
                        running = cw;
                    }
                }
                if (!(merged && IsYMergedCell(rc, r)) && h > RowHeights(r)) {
                    const int rh = ClampToLimits(h, MinRowHeight(), MaxRowHeight());
                    if (rh > RowHeights(r))
                        SetRowHeights(r, rh);
                }
            }
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

// ---------------------------------------------------------------------------------------
// Columns fitted to the control
// ---------------------------------------------------------------------------------------

void TDazStringGrid::AutoFitColumns(bool DoFixedCells)
{
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const bool rowsHidden = VisibleRowCount() + FixedRows() < RowCount();
    const int v = FScrollBarAlways == saVert ||
                          ((ScrollBars() == ssVertical || ScrollBars() == ssBoth) && rowsHidden)
                      ? extent
                      : 0;
    const int b = BorderStyle() == bsSingle ? (FFlat ? 2 : 4) : 0;

    int first = 0, last = ColCount() - 1;
    int w = width();
    if (!DoFixedCells) {
        first = FixedCols();
        last = ColCount() - FFixedRightCols - 1;
        for (int c = 0; c < FixedCols(); ++c)
            w -= ColWidths(c);
        for (int c = last + 1; c < ColCount(); ++c)
            w -= ColWidths(c);
    }
    int l = Options().Contains(goVertLine)
                ? GridLineWidth() * (ColCount() - FixedCols() - FFixedRightCols)
                : 0;
    if (Options().Contains(goFixedVertLine) && DoFixedCells)
        l += FixedCols() + FFixedRightCols;

    if (ColCount() < 2) {
        SetColWidths(0, width() - v - 5);
        return;
    }
    if (last < first)
        return;
    int64_t s = 0;
    for (int c = first; c <= last; ++c)
        s += ColWidths(c);
    if (s == w - v - b)
        return;
    // All fitted columns at width 0 have nothing to scale: share the width out evenly.
    const int n = last - first + 1;
    if (s <= 0) {
        for (int c = first; c <= last; ++c)
            SetColWidths(c, std::max(0, (w - v - b - l) / n));
    } else {
        const double f = double(w - v - b - l) / double(s);
        int64_t t = 0;
        for (int c = first; c <= last; ++c)
            t += RoundEven(ColWidths(c) * f);
        for (int c = first; c <= last; ++c)
            SetColWidths(c, RoundEven(double(ColWidths(c)) * double(t) / double(s)));
    }
    int64_t sum = 0;
    for (int c = first; c <= last; ++c)
        sum += ColWidths(c);
    int g = int(w - (v + b + sum));
    if (n > 1 && n < g) {
        const int each = g / n;
        for (int c = first; c <= last; ++c)
            SetColWidths(c, ColWidths(c) + each);
        g -= each * n;
    }
    int widest = first;
    for (int c = first + 1; c <= last; ++c)
        if (ColWidths(c) > ColWidths(widest))
            widest = c;
    SetColWidths(widest, ColWidths(widest) + g);
}

void TDazStringGrid::SizeToCols()
{
    int64_t s = 0;
    for (int c = 0; c < ColCount(); ++c)
        s += ColWidths(c);
    const int frame = width() - viewport()->width();
    resize(int(s) + frame, height());
}

void TDazStringGrid::SizeToRows()
{
    int64_t s = 0;
    for (int r = 0; r < RowCount(); ++r)
        s += RowHeights(r);
    const int frame = height() - viewport()->height();
    resize(width(), int(s) + frame);
}

void TDazStringGrid::SizeToCells()
{
    const TScrollStyle bars = ScrollBars();
    SetScrollBars(ssNone);
    SizeToCols();
    SizeToRows();
    SetScrollBars(bars);
}

// ---------------------------------------------------------------------------------------
// Stretching and user resizing
// ---------------------------------------------------------------------------------------

void TDazStringGrid::StretchColumn(int Index)
{
    if (FLoading || QCoreApplication::closingDown())
        return;
    if (Index == -1)
        Index = ColCount() - 1;
    if (Index >= ColCount() || Index < 0)
        throw EDazGridError("Stretch column index out of range");
    if (ColCount() == 0 || !FColumnSize.Stretch() || FStretchRunning)
        return;
    FStretchRunning = true;
    FStretchAllowed = false;
    const int client = ClientWidth();
    if (ColCount() == 1) {
        SetColWidths(Index, client);
    } else {
        int64_t s = 0;
        for (int c = 0; c < ColCount(); ++c)
            if (c != Index)
                s += ColWidths(c);
        if (s < client)
            SetColWidths(Index, int(client - s - 1));
        else if (LeftCol() == FixedCols())
            SetColWidths(Index, DefaultColWidth());
    }
    FStretchAllowed = true;
    FStretchRunning = false;
    if (FFloatingFooter.Visible())
        UpdateFooterPanel();
}

void TDazStringGrid::StretchOnSizeChange()
{
    // The automatic callers stretch only what can be stretched; only an explicit call
    // reports a bad index.
    if (!FColumnSize.Stretch() || FStretchRunning)
        return;
    const int index = StretchIndex(*this);
    if (index < 0)
        return;
    StretchColumn(index);
}

void TDazStringGrid::SynchColumnsWithGrid()
{
    if (FOldSize <= 0 || !FColumnSize.SynchWithGrid())
        return;
    HideInplaceEdit();
    const double f =
        double(BorderStyle() == bsSingle ? ClientWidth() + 2 : ClientWidth()) / FOldSize;
    const bool normal = FColumnSize.SynchNormalCellsOnly();
    const int first = normal ? FixedCols() : 0;
    const int last = std::min(normal ? ColCount() - FFixedRightCols : ColCount(),
                              FOrgColWidths.Count());
    for (int c = first; c < last; ++c)
        SetColWidths(c, int(FOrgColWidths.GetInteger(c) * f));
}

bool TDazStringGrid::StretchOnResize()
{
    if (!FColumnSize.Stretch() || (ScrollBarAlways() != saNone && ScrollBarAlways() != saVert))
        return false;
    const int index = StretchIndex(*this);
    if (index < 0)
        return false;
    int64_t others = 0;
    for (int c = 0; c < ColCount(); ++c)
        if (c != index)
            others += ColWidths(c);
    if (others >= width())
        return false;
    StretchOnSizeChange();
    return true;
}

void TDazStringGrid::resizeEvent(QResizeEvent *e)
{
    if (FLoading) {
        TBaseGrid::resizeEvent(e);
        return;
    }
    SynchColumnsWithGrid();
    PlaceScrollControls();
    if (StretchOnResize()) {
        // A stretched grid reports its new size once; the grid's own resize handling is
        // skipped, only the scroll ranges and an open editor follow the new size.
        QAbstractScrollArea::resizeEvent(e);
        TBaseGrid::Resize();
        if (OnResize)
            OnResize(this);
        CellControlsUpdate(false);
        return;
    }
    TBaseGrid::resizeEvent(e);
    if (ScrollProportional())
        UpdateProportionalScrollBars();
}

void TDazStringGrid::NoteColumnResize(int ACol, int OldWidth)
{
    FResizedCol = ACol;
    FResizedColWidth = OldWidth;
}

void TDazStringGrid::NoteRowResize(int ARow, int OldHeight)
{
    FResizedRow = ARow;
    FResizedRowHeight = OldHeight;
}

void TDazStringGrid::ColWidthsChanged()
{
    if (FStretchAllowed)
        StretchOnSizeChange();
    TBaseGrid::ColWidthsChanged();
    const int col = FResizedCol;
    if (col >= 0 && col < ColCount()) {
        FResizedCol = -1;
        if (FMouseActions.AllColumnSize() && FResizedColWidth > 0) {
            const double f = double(ColWidths(col)) / FResizedColWidth;
            for (int c = FixedCols(); c < ColCount(); ++c)
                if (c != col)
                    SetColWidths(c, int(std::lround(ColWidths(c) * f)));
        }
        if (OnEndColumnSize)
            OnEndColumnSize(this, col);
        int w = ColWidths(col);
        UpdateColSize(RealColIndex(col), w);
        if (w != ColWidths(col))
            SetColWidths(col, w);
        FResizedRow = -1;
    }
    AfterSizeChange();
    if (FFloatingFooter.Visible())
        UpdateFooterPanel();
    if (FColumnSize.Stretch() && ScrollProportional())
        UpdateProportionalScrollBars();
}

void TDazStringGrid::AfterSizeChange()
{
    // A check-box cell is toggled, never typed into: a resize must not leave an editor on it.
    if (EditorMode() && IsCheckOrRadio(GetCellType(RealColIndex(Col()), Row())) &&
        GetCellType(RealColIndex(Col()), Row()) != ctRadioButton)
        HideEditor();
    CellControlsUpdate(false);
}

void TDazStringGrid::RowHeightsChanged()
{
    TBaseGrid::RowHeightsChanged();
    const int row = FResizedRow;
    if (row >= 0 && row < RowCount()) {
        FResizedRow = -1;
        if (FMouseActions.AllRowSize() && FResizedRowHeight > 0) {
            // Footer rows keep their height, as the fixed rows above do.
            const double f = double(RowHeights(row)) / FResizedRowHeight;
            for (int r = FixedRows(); r < RowCount() - FFixedFooters; ++r)
                if (r != row)
                    SetRowHeights(r, int(std::lround(RowHeights(r) * f)));
        }
        if (OnEndRowSize)
            OnEndRowSize(this, row);
        FResizedCol = -1;
    }
    AfterSizeChange();
}

void TDazStringGrid::SizeChanged(int OldColCount, int OldRowCount)
{
    if (!parentWidget() || FLoading || QCoreApplication::closingDown()) {
        TBaseGrid::SizeChanged(OldColCount, OldRowCount);
        return;
    }
    StretchOnSizeChange();
    TBaseGrid::SizeChanged(OldColCount, OldRowCount);
    UpdateProportionalScrollBars();
}

// ---------------------------------------------------------------------------------------
// Numbering
// ---------------------------------------------------------------------------------------

void TDazStringGrid::AutoNumberCol(int ACol)
{
    const int first = FixedRows() + AutoNumberStart();
    const int last = RowCount() - FFixedFooters - 1;
    for (int k = first; k <= last; ++k) {
        const int n = k - FixedRows() + 1 + AutoNumberOffset();
        const int row = AutoNumberDirection() == sdAscending
                            ? k
                            : FixedRows() + RowCount() - FFixedFooters - 1 - k;
        SetInts(ACol, row, n);
    }
}

void TDazStringGrid::AutoNumberRow(int ARow)
{
    const int first = FixedCols() + AutoNumberStart();
    const int last = ColCount() - FFixedRightCols - 1;
    for (int k = first; k <= last; ++k) {
        const int n = k - FixedCols() + 1 + AutoNumberOffset();
        const int col = AutoNumberDirection() == sdAscending
                            ? k
                            : ColCount() + FixedCols() - FFixedRightCols - 1 - k;
        SetInts(col, ARow, n);
    }
}

// ---------------------------------------------------------------------------------------
// Swaps
// ---------------------------------------------------------------------------------------

void TDazStringGrid::SwapIndexes(bool Rows, int Index, int Index2)
{
    if (Index == Index2)
        return;
    // The store reaches every real column, hidden ones included, so the cells change
    // places directly; records learn their new cell.
    const int count = Rows ? AllColCount() : RowCount();
    for (int i = 0; i < count; ++i) {
        const TGridCoord a = Rows ? TGridCoord{i, Index} : TGridCoord{Index, i};
        const TGridCoord b = Rows ? TGridCoord{i, Index2} : TGridCoord{Index2, i};
        SwapCells(a, b);
        for (const TGridCoord &c : {a, b})
            if (auto *p = dynamic_cast<TCellProperties *>(GetGridObject(c.X, c.Y))) {
                p->SetOwnerCol(c.X);
                p->SetOwnerRow(c.Y);
                if (QWidget *w = p->Control()) {
                    const TRect r = TBaseGrid::CellRect(DisplColIndex(c.X), c.Y);
                    w->setGeometry(r.ToQRect());
                }
            }
    }
    if (Rows) {
        const int h1 = RowHeights(Index), h2 = RowHeights(Index2);
        if (h1 != h2) {
            SetRowHeights(Index, h2);
            SetRowHeights(Index2, h1);
        }
    } else {
        const int d1 = DisplColIndex(Index), d2 = DisplColIndex(Index2);
        if (d1 >= 0 && d2 >= 0 && d1 < ColCount() && d2 < ColCount()) {
            const int w1 = ColWidths(d1), w2 = ColWidths(d2);
            SetColWidths(d1, w2);
            SetColWidths(d2, w1);
        }
        if (FSortSettings.Column() == Index)
            FSortSettings.SetColumn(Index2);
        else if (FSortSettings.Column() == Index2)
            FSortSettings.SetColumn(Index);
    }
    InvalidateGrid();
}

void TDazStringGrid::SwapColumns(int Index, int Index2)
{
    if (Index < 0 || Index2 < 0 || Index >= AllColCount() || Index2 >= AllColCount())
        return;
    SwapIndexes(false, Index, Index2);
}

void TDazStringGrid::SwapRows(int Index, int Index2)
{
    if (Index < 0 || Index2 < 0 || Index >= RowCount() || Index2 >= RowCount())
        return;
    SwapIndexes(true, Index, Index2);
}

void TDazStringGrid::SortSwapRows(int Index, int Index2)
{
    ++FSwapCount;
    if (Index < FSortRowXRef.Count() && Index2 < FSortRowXRef.Count() && Index >= 0 &&
        Index2 >= 0) {
        const int a = FSortRowXRef.GetInteger(Index);
        FSortRowXRef.SetInteger(Index, FSortRowXRef.GetInteger(Index2));
        FSortRowXRef.SetInteger(Index2, a);
    }
    if (FSortSettings.SingleColumn()) {
        SwapCells({FSortSettings.Column(), Index}, {FSortSettings.Column(), Index2});
        return;
    }
    if (Index == Index2 || Index < 0 || Index2 < 0)
        return;
    // The store's rows change places whole (every real column, hidden ones included); only
    // cell records need to learn their new row.
    TGridStore::TParkedRow first = TakeRow(Index);
    TGridStore::TParkedRow second = TakeRow(Index2);
    PutRow(Index, std::move(second), false);
    PutRow(Index2, std::move(first), false);
    for (const int row : {Index, Index2}) {
        if (!HasCellProps())
            break;
        const int objects = TStringGridBase::Store().ObjectExtent(row);
        for (int c = 0; c < objects; ++c)
            if (auto *p = dynamic_cast<TCellProperties *>(GetGridObject(c, row))) {
                p->SetOwnerRow(row);
                if (QWidget *w = p->Control())
                    w->setGeometry(TBaseGrid::CellRect(DisplColIndex(c), row).ToQRect());
            }
    }
    InvalidateRow(Index);
    InvalidateRow(Index2);
    const int h1 = RowHeights(Index), h2 = RowHeights(Index2);
    if (h1 != h2) {
        SetRowHeights(Index, h2);
        SetRowHeights(Index2, h1);
    }
    if (FSortRow == Index)
        FSortRow = Index2;
    else if (FSortRow == Index2)
        FSortRow = Index;
    if (FMouseActions.DisjunctRowSelect() && FNavigation.MoveRowOnSort()) {
        const int r1 = RealRowIndex(Index), r2 = RealRowIndex(Index2);
        const bool s1 = RowSelect(r1), s2 = RowSelect(r2);
        SetRowSelect(r1, s2);
        SetRowSelect(r2, s1);
    }
    if (FShowModified.Enabled()) {
        const bool m1 = RowModified(Index), m2 = RowModified(Index2);
        SetRowModified(Index, m2);
        SetRowModified(Index2, m1);
    }
}
