// Node rows and the display-text hook over large grids: contracting and expanding every
// group of a million-row grid, one group of it, and reading a million cells with the hook
// that links URLs and appends group counts.
#include "grid/string/dazstringgrid.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 1000000;

// Groups of Span rows from row 1 on.
TDazStringGrid *GroupedGrid(int Span)
{
    auto *g = new TDazStringGrid;
    g->SetColCount(3);
    g->SetRowCount(kRows);
    for (int r = 1; r + Span <= kRows; r += Span)
        g->AddNode(r, Span);
    return g;
}

void BM_ContractExpandAllGroups(benchmark::State &state)
{
    const int span = int(state.range(0));
    static std::map<int, TDazStringGrid *> grids;
    TDazStringGrid *&g = grids[span];
    if (!g)
        g = GroupedGrid(span);
    for (auto _ : state) {
        g->ContractAll();
        g->ExpandAll();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_ContractExpandAllGroups)->Arg(1000)->Arg(100)->Unit(benchmark::kMillisecond);

// Each direction on its own: contracting every group of the expanded grid, and expanding
// every group of the contracted one.
void BM_ContractAllGroups(benchmark::State &state)
{
    static TDazStringGrid *g = GroupedGrid(1000);
    for (auto _ : state) {
        g->ContractAll();
        state.PauseTiming();
        g->ExpandAll();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ContractAllGroups)->Unit(benchmark::kMillisecond);

void BM_ExpandAllGroups(benchmark::State &state)
{
    static TDazStringGrid *g = GroupedGrid(1000);
    for (auto _ : state) {
        state.PauseTiming();
        g->ContractAll();
        state.ResumeTiming();
        g->ExpandAll();
    }
}
BENCHMARK(BM_ExpandAllGroups)->Unit(benchmark::kMillisecond);

void BM_ContractExpandOneGroup(benchmark::State &state)
{
    static TDazStringGrid *g = GroupedGrid(1000);
    for (auto _ : state) {
        g->ContractNode(500001);
        g->ExpandNode(500001);
    }
}
BENCHMARK(BM_ContractExpandOneGroup)->Unit(benchmark::kMillisecond);

// With ExpandOne, expanding one group of the fully expanded grid contracts all the others.
void BM_ExpandOneContractsTheOthers(benchmark::State &state)
{
    static TDazStringGrid *g = [] {
        TDazStringGrid *grid = GroupedGrid(1000);
        grid->CellNode().SetExpandOne(true);
        return grid;
    }();
    for (auto _ : state) {
        state.PauseTiming();
        g->ExpandAll();
        g->ContractNode(500001);
        state.ResumeTiming();
        g->ExpandNode(500001);
    }
}
BENCHMARK(BM_ExpandOneContractsTheOthers)->Unit(benchmark::kMillisecond);

void BM_ReadCellsWithGroupCounts(benchmark::State &state)
{
    static TDazStringGrid *g = [] {
        TDazStringGrid *grid = GroupedGrid(100);
        grid->Grouping().SetShowGroupCount(true);
        grid->SetURLShowInText(true);
        for (int r = 0; r < kRows; r += 7)
            grid->SetCells(2, r, QStringLiteral("see www.example.com"));
        return grid;
    }();
    for (auto _ : state) {
        qsizetype total = 0;
        for (int r = 0; r < kRows; ++r)
            total += g->Cells(1, r).size() + g->Cells(2, r).size();
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * kRows * 2);
}
BENCHMARK(BM_ReadCellsWithGroupCounts)->Unit(benchmark::kMillisecond);

// Empty cells read plainly (Arg 0) and through the link and group-count display hook (1).
void BM_ReadEmptyCells(benchmark::State &state)
{
    static TDazStringGrid *g = [] {
        auto *grid = new TDazStringGrid;
        grid->SetColCount(4);
        grid->SetRowCount(kRows);
        return grid;
    }();
    g->Grouping().SetShowGroupCount(state.range(0) != 0);
    g->SetURLShowInText(state.range(0) != 0);
    for (auto _ : state) {
        qsizetype total = 0;
        for (int r = 0; r < kRows; ++r)
            total += g->Cells(2, r).size();
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_ReadEmptyCells)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
