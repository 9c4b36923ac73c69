// The grid substrate on a 1,000,000 x 10 grid: filling, full repaints, page and wheel
// scrolls, row count changes of 100,000 rows, inserting, deleting and moving rows in the
// middle, and size changes.
#include "bench/common/biggrid.h"
#include "grid/base/stringgridbase.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QWheelEvent>
#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace {

constexpr int kRows = 1000000;
constexpr int kCols = 10;

TStringGridBase &BigGrid()
{
    static std::unique_ptr<TStringGridBase> grid = [] {
        auto g = Make_Bench_Grid<TStringGridBase>(kCols, kRows);
        Fill_Bench_Grid(*g, 0, [](int c, int r) {
            return c == 3 ? QStringLiteral("Y") : Bench_Cell_Text(c, r);
        });
        return g;
    }();
    return *grid;
}

// Ten million cells written row by row (texts made beforehand, so only the store counts).
void BM_FillMillionRows(benchmark::State &state)
{
    std::vector<QString> texts;
    for (int i = 0; i < 1000 * kCols; ++i)
        texts.push_back(QStringLiteral("R%1C%2").arg(kRows - 1000 + i / kCols).arg(i % kCols));
    for (auto _ : state) {
        TStringGridBase g;
        g.SetColCount(kCols);
        g.SetRowCount(kRows);
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c)
                g.SetCells(c, r, c == 3 ? QStringLiteral("Y") : texts[size_t((r % 1000) * kCols + c)]);
        state.counters["store_MB"] = double(g.Store().MemoryUsage()) / 1e6;
    }
    state.SetItemsProcessed(state.iterations() * int64_t(kRows) * kCols);
}
BENCHMARK(BM_FillMillionRows)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_FullRepaint(benchmark::State &state)
{
    TStringGridBase &g = BigGrid();
    g.SetGridLineWidth(int(state.range(0)));
    g.SetTopRow(kRows / 2);
    QImage img(g.viewport()->size(), QImage::Format_RGB32);
    for (auto _ : state)
        Repaint(g, img);
    state.counters["visible_rows"] = g.VisibleRowCount();
}
BENCHMARK(BM_FullRepaint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_PageScroll(benchmark::State &state)
{
    TStringGridBase &g = BigGrid();
    g.SetGridLineWidth(0);
    g.SetTopRow(1);
    QImage img(g.viewport()->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        int top = g.TopRow() + g.VisibleRowCount();
        if (top > kRows - 100)
            top = 1;
        g.SetTopRow(top);
        Repaint(g, img);
    }
}
BENCHMARK(BM_PageScroll)->Unit(benchmark::kMillisecond);

void BM_RowCountChange(benchmark::State &state)
{
    TStringGridBase &g = BigGrid();
    for (auto _ : state) {
        g.SetRowCount(kRows + 100000);
        g.SetRowCount(kRows);
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_RowCountChange)->Unit(benchmark::kMicrosecond);

void BM_RowHeightOffsetAfterChange(benchmark::State &state)
{
    TStringGridBase &g = BigGrid();
    int i = 0;
    for (auto _ : state) {
        g.SetRowHeights(1 + (i % 1000), 30 + (i / 1000) % 2);
        ++i;
        benchmark::DoNotOptimize(g.RowOffset(kRows - 1));
    }
}
BENCHMARK(BM_RowHeightOffsetAfterChange)->Unit(benchmark::kMillisecond);

// A wheel notch: the current row moves and the view follows, then the view is repainted.
void BM_WheelScroll(benchmark::State &state)
{
    TStringGridBase &g = BigGrid();
    g.SetGridLineWidth(0);
    g.FocusCell(1, 1, true);
    QImage img(g.viewport()->size(), QImage::Format_RGB32);
    QWheelEvent down(QPointF(100, 100), QPointF(100, 100), QPoint(), QPoint(0, -120),
                     Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    for (auto _ : state) {
        if (g.Row() > kRows - 100)
            g.FocusCell(1, 1, true);
        QApplication::sendEvent(g.viewport(), &down);
        Repaint(g, img);
    }
}
BENCHMARK(BM_WheelScroll)->Unit(benchmark::kMicrosecond);

// One row deleted in the middle of the grid and one inserted there again: the texts,
// objects and heights of the half million rows below move.
void BM_DeleteInsertRowMiddle(benchmark::State &state)
{
    TStringGridBase &g = BigGrid();
    for (auto _ : state) {
        g.DeleteRow(kRows / 2);
        g.InsertRows({kRows / 2});
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_DeleteInsertRowMiddle)->Unit(benchmark::kMicrosecond);

// 100,000 scattered rows deleted in one pass and inserted again in one pass.
void BM_DeleteInsertRowsBulk(benchmark::State &state)
{
    TStringGridBase &g = BigGrid();
    std::vector<int> rows;
    for (int r = 5; r < kRows; r += 10)
        rows.push_back(r);
    for (auto _ : state) {
        g.DeleteRows(rows);
        g.InsertRows(rows);
    }
    state.SetItemsProcessed(state.iterations() * 2 * int64_t(rows.size()));
}
BENCHMARK(BM_DeleteInsertRowsBulk)->Unit(benchmark::kMillisecond);

// The first row moved to the end and back.
void BM_MoveRowFarApart(benchmark::State &state)
{
    TStringGridBase &g = BigGrid();
    for (auto _ : state) {
        g.MoveRow(1, kRows - 1);
        g.MoveRow(kRows - 1, 1);
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_MoveRowFarApart)->Unit(benchmark::kMicrosecond);

// A column width changed, then the view repainted.
void BM_ColWidthChange(benchmark::State &state)
{
    TStringGridBase &g = BigGrid();
    g.SetTopRow(kRows / 2);
    QImage img(g.viewport()->size(), QImage::Format_RGB32);
    int i = 0;
    for (auto _ : state) {
        g.SetColWidths(2, 150 + (i++ % 60));
        Repaint(g, img);
    }
    g.SetColWidths(2, g.DefaultColWidth());
}
BENCHMARK(BM_ColWidthChange)->Unit(benchmark::kMillisecond);

// A new default row height for all million rows.
void BM_DefaultRowHeight(benchmark::State &state)
{
    TStringGridBase &g = BigGrid();
    int i = 0;
    for (auto _ : state)
        g.SetDefaultRowHeight(22 + (i++ % 2));
    g.SetDefaultRowHeight(22);
}
BENCHMARK(BM_DefaultRowHeight)->Unit(benchmark::kMillisecond);

void BM_MouseToCell(benchmark::State &state)
{
    TStringGridBase &g = BigGrid();
    g.SetTopRow(kRows / 2);
    int col, row;
    for (auto _ : state) {
        g.MouseToCell(1500, 1000, col, row);
        benchmark::DoNotOptimize(row);
    }
}
BENCHMARK(BM_MouseToCell);

}   // namespace
