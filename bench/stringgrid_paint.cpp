// The string grid's painting on a 1,000,000-row grid of 10 columns of short texts: a full
// repaint of a 1920 x 1080 view (default look, with a selection, and with the cell looks of
// records), a page scroll followed by its repaint, and auto-sizing a column.
#include "bench/common/biggrid.h"
#include "grid/string/dazstringgrid.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int kRows = 1000000;
constexpr int kCols = 10;

TDazStringGrid &BigGrid()
{
    // Left to the end of the process: a widget must not outlive the application object.
    static TDazStringGrid *grid = [] {
        auto g = Make_Bench_Grid<TDazStringGrid>(kCols, kRows);
        g->SetOptions(g->Options() + goRangeSelect + goFixedVertLine + goFixedHorzLine +
                      goVertLine + goHorzLine);
        for (int c = 0; c < kCols; ++c)
            g->SetCells(c, 0, QStringLiteral("Column %1").arg(c));
        Fill_Bench_Grid(*g, 1, Bench_Cell_Text);
        return g.release();
    }();
    return *grid;
}

// Arg 0: plain cells; 1: a selection over the view; 2: every visible cell with a record
// (colour and font); 3: the view's cells empty (backgrounds and lines only).
void BM_FullRepaint(benchmark::State &state)
{
    TDazStringGrid &g = BigGrid();
    const int top = kRows / 2;
    g.SetTopRow(top);
    const int mode = int(state.range(0));
    if (mode == 1)
        g.SetSelection(TGridRect{1, top, kCols - 1, top + 60});
    if (mode == 2)
        for (int r = top; r < top + 60; ++r)
            for (int c = 1; c < kCols; ++c) {
                g.SetColors(c, r, 0xF0F0FF);
                g.SetFontStyles(c, r, fsBold);
            }
    if (mode == 3)
        for (int r = top; r < top + 60; ++r)
            for (int c = 0; c < kCols; ++c)
                g.SetCells(c, r, QString());
    QImage img(g.viewport()->size(), QImage::Format_RGB32);
    for (auto _ : state)
        Repaint(g, img);
    if (mode == 3)
        for (int r = top; r < top + 60; ++r)
            for (int c = 0; c < kCols; ++c)
                g.SetCells(c, r, QStringLiteral("R%1C%2").arg(r).arg(c));
    state.counters["visible_cells"] = double(g.VisibleRowCount() + 1) * kCols;
    g.SetSelection(TGridRect{1, 1, 1, 1});
    if (mode == 2)
        g.FreeCellPropertiesRange(0, top, kCols - 1, top + 60);
}
BENCHMARK(BM_FullRepaint)->Arg(0)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

// One page down (the scroll bar's page step) and the repaint of the new view.
void BM_PageScroll(benchmark::State &state)
{
    TDazStringGrid &g = BigGrid();
    g.SetTopRow(100000);
    QImage img(g.viewport()->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        if (g.TopRow() > kRows - 200)
            g.SetTopRow(100000);
        g.SetTopRow(g.TopRow() + g.VisibleRowCount());
        Repaint(g, img);
    }
}
BENCHMARK(BM_PageScroll)->Unit(benchmark::kMillisecond);

// Sizing one column to its widest text over every row.
void BM_AutoSizeCol(benchmark::State &state)
{
    TDazStringGrid &g = BigGrid();
    for (auto _ : state)
        g.AutoSizeCol(3);
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_AutoSizeCol)->Unit(benchmark::kMillisecond)->Iterations(2);

}   // namespace
