// The base grid on a 1,000,000-row grid: writing and reading a million cells through the
// merge-aware entry points (plain cells and cells with records), full repaints of a
// 1920 x 1080 view with and without merges, and merging and splitting.
#include "bench/common/biggrid.h"
#include "grid/base/basegrid.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int kRows = 1000000;
constexpr int kCols = 10;

std::unique_ptr<TBaseGrid> MakeGrid(int Rows)
{
    return Make_Bench_Grid<TBaseGrid>(kCols, Rows);
}

// A million cells: 100,000 rows of 10.
constexpr int kCellRows = 100000;

void BM_SetCellEx(benchmark::State &state)
{
    const bool records = state.range(0) != 0;
    auto g = MakeGrid(kCellRows);
    if (records)
        for (int r = 0; r < kCellRows; ++r)
            for (int c = 0; c < kCols; ++c)
                g->GetCellProperties(c, r);
    const QString text = QStringLiteral("R123456C7");
    for (auto _ : state)
        for (int r = 0; r < kCellRows; ++r)
            for (int c = 0; c < kCols; ++c)
                g->SetCellEx(c, r, text);
    state.SetItemsProcessed(state.iterations() * kCellRows * kCols);
}
BENCHMARK(BM_SetCellEx)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_GetCellEx(benchmark::State &state)
{
    const bool records = state.range(0) != 0;
    auto g = MakeGrid(kCellRows);
    for (int r = 0; r < kCellRows; ++r)
        for (int c = 0; c < kCols; ++c) {
            g->SetCellEx(c, r, QStringLiteral("R%1C%2").arg(r).arg(c));
            if (records)
                g->GetCellProperties(c, r);
        }
    for (auto _ : state) {
        qsizetype total = 0;
        for (int r = 0; r < kCellRows; ++r)
            for (int c = 0; c < kCols; ++c)
                total += g->GetCellEx(c, r).size();
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * kCellRows * kCols);
}
BENCHMARK(BM_GetCellEx)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_MakeRecords(benchmark::State &state)
{
    for (auto _ : state) {
        auto g = MakeGrid(kCellRows);
        for (int r = 0; r < kCellRows; ++r)
            for (int c = 0; c < kCols; ++c)
                g->GetCellProperties(c, r);
    }
    state.SetItemsProcessed(state.iterations() * kCellRows * kCols);
}
BENCHMARK(BM_MakeRecords)->Unit(benchmark::kMillisecond)->Iterations(2);

TBaseGrid &BigGrid()
{
    static std::unique_ptr<TBaseGrid> grid = [] {
        auto g = MakeGrid(kRows);
        g->SetOptions(g->Options() + goRangeSelect);
        Fill_Bench_Grid(*g, 0, Bench_Cell_Text);
        return g;
    }();
    return *grid;
}

// Arg 0: plain cells; 1: the view covered by 2 x 3 merges; 2: a selection face over the view.
void BM_FullRepaint(benchmark::State &state)
{
    TBaseGrid &g = BigGrid();
    const int top = kRows / 2;
    g.SetTopRow(top);
    const int mode = int(state.range(0));
    if (mode == 1)
        for (int r = top; r < top + 60; r += 3)
            for (int c = 1; c + 1 < kCols; c += 2)
                g.MergeCells(c, r, 2, 3);
    if (mode == 2) {
        g.SetSelectionStyle(ssOffice2007);
        g.SetSelection(TGridRect{1, top, kCols - 1, top + 60});
    }
    QImage img(g.viewport()->size(), QImage::Format_RGB32);
    for (auto _ : state)
        Repaint(g, img);
    state.counters["visible_rows"] = g.VisibleRowCount();
    g.SetSelectionStyle(ssDefault);
    if (mode == 1)
        for (int r = top; r < top + 60; r += 3)
            for (int c = 1; c + 1 < kCols; c += 2)
                g.SplitCells(c, r);
    g.FreeCellPropertiesRange(0, top, kCols - 1, top + 60);
}
BENCHMARK(BM_FullRepaint)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// 100,000 merges of 2 x 2 cells over 200,000 rows, then their splits.
void BM_MergeAndSplit(benchmark::State &state)
{
    constexpr int rows = 200000;
    auto g = MakeGrid(rows);
    for (auto _ : state) {
        for (int r = 1; r + 1 < rows; r += 2)
            g->MergeCells(2, r, 2, 2);
        for (int r = 1; r + 1 < rows; r += 2)
            g->SplitCells(3, r + 1);
    }
    state.SetItemsProcessed(state.iterations() * (rows / 2) * 2);
}
BENCHMARK(BM_MergeAndSplit)->Unit(benchmark::kMillisecond);

// Merge queries over a grid holding 100,000 merges.
void BM_MergeQueries(benchmark::State &state)
{
    constexpr int rows = 200000;
    auto g = MakeGrid(rows);
    for (int r = 1; r + 1 < rows; r += 2)
        g->MergeCells(2, r, 2, 2);
    for (auto _ : state) {
        int64_t sum = 0;
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < 5; ++c) {
                const TPoint b = g->BaseCell(c, r);
                sum += b.X + b.Y + g->CellSpan(c, r).X;
            }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * rows * 5);
}
BENCHMARK(BM_MergeQueries)->Unit(benchmark::kMillisecond);

}   // namespace
