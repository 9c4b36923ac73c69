// String grid input paths over large grids: checking a whole check-box column of a million
// rows, moving a block of rows through a million-row grid, a Tab walk over a grid in which
// nothing is editable, and putting 100 moved columns back in their first order.
#include "grid/string/dazstringgrid.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 1000000;

TDazStringGrid &CheckGrid()
{
    static TDazStringGrid *grid = [] {
        auto *g = new TDazStringGrid;
        g->SetColCount(3);
        g->SetRowCount(kRows);
        g->AddCheckBoxColumn(1, false, true);
        return g;
    }();
    return *grid;
}

void BM_CheckAllMillionRows(benchmark::State &state)
{
    TDazStringGrid &g = CheckGrid();
    bool on = true;
    for (auto _ : state) {
        if (on)
            g.CheckAll(1);
        else
            g.UnCheckAll(1);
        on = !on;
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_CheckAllMillionRows)->Unit(benchmark::kMillisecond);

void BM_MoveRowBlockMillionRows(benchmark::State &state)
{
    static TDazStringGrid *g = [] {
        auto *grid = new TDazStringGrid;
        grid->SetColCount(4);
        grid->SetRowCount(kRows);
        for (int r = 0; r < kRows; r += 997)
            grid->SetCells(1, r, QString::number(r));
        return grid;
    }();
    bool down = true;
    for (auto _ : state) {
        if (down)
            g->MoveRows(10, kRows / 2, 5);
        else
            g->MoveRows(kRows / 2 - 5, 10, 5);
        down = !down;
    }
}
BENCHMARK(BM_MoveRowBlockMillionRows)->Unit(benchmark::kMillisecond);

void BM_TabOverReadOnlyGrid(benchmark::State &state)
{
    TDazStringGrid g;
    g.SetColCount(10);
    g.SetRowCount(1000);
    g.SetOptions(g.Options() + goEditing);
    g.Navigation().SetAdvanceAutoEdit(false);
    for (int c = 0; c < 10; ++c)
        for (int r = 0; r < 1000; ++r)
            g.SetReadOnly(c, r, true);
    for (auto _ : state) {
        g.FocusCell(3, 500);
        benchmark::DoNotOptimize(g.TabToNextCell(false));
    }
}
BENCHMARK(BM_TabOverReadOnlyGrid)->Unit(benchmark::kMillisecond);

void BM_ResetColumnOrder100(benchmark::State &state)
{
    TDazStringGrid g;
    g.SetColCount(100);
    g.SetRowCount(100);
    for (auto _ : state) {
        for (int i = 0; i < 50; ++i)
            g.MoveColumn(i, 99 - i);
        g.ResetColumnOrder();
    }
}
BENCHMARK(BM_ResetColumnOrder100)->Unit(benchmark::kMillisecond);

} // namespace
