// String grid: creating the 50 grids of the program's windows, and writing and reading
// 1,000,000 cells (100,000 rows of 10 columns) as text and as typed values.
#include "grid/string/dazstringgrid.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace {

constexpr int kRows = 100000;
constexpr int kCols = 10;

void BM_Create50Grids(benchmark::State &state)
{
    for (auto _ : state) {
        std::vector<std::unique_ptr<TDazStringGrid>> grids;
        grids.reserve(50);
        for (int i = 0; i < 50; ++i) {
            auto g = std::make_unique<TDazStringGrid>();
            g->BeginLoading();
            g->SetColCount(12);
            g->SetRowCount(257);
            for (int c = 0; c < 12; ++c)
                g->ColumnHeaders().Add(QStringLiteral("Column %1").arg(c));
            g->Loaded();
            grids.push_back(std::move(g));
        }
        benchmark::DoNotOptimize(grids.data());
    }
    state.SetItemsProcessed(state.iterations() * 50);
}
BENCHMARK(BM_Create50Grids)->Unit(benchmark::kMillisecond);

TDazStringGrid &FilledGrid()
{
    static TDazStringGrid *grid = [] {
        auto *g = new TDazStringGrid;
        g->SetColCount(kCols);
        g->SetRowCount(kRows);
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c)
                g->SetCells(c, r, QString::number(r * kCols + c));
        return g;
    }();
    return *grid;
}

void BM_WriteMillionCells(benchmark::State &state)
{
    TDazStringGrid g;
    g.SetColCount(kCols);
    g.SetRowCount(kRows);
    const QString text = QStringLiteral("Rule 12");
    for (auto _ : state)
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c)
                g.SetCells(c, r, text);
    state.SetItemsProcessed(state.iterations() * kRows * kCols);
}
BENCHMARK(BM_WriteMillionCells)->Unit(benchmark::kMillisecond);

void BM_ReadMillionCells(benchmark::State &state)
{
    TDazStringGrid &g = FilledGrid();
    for (auto _ : state) {
        qsizetype total = 0;
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c)
                total += g.Cells(c, r).size();
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * kRows * kCols);
}
BENCHMARK(BM_ReadMillionCells)->Unit(benchmark::kMillisecond);

void BM_ReadMillionInts(benchmark::State &state)
{
    TDazStringGrid &g = FilledGrid();
    for (auto _ : state) {
        int64_t total = 0;
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c)
                total += g.Ints(c, r);
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * kRows * kCols);
}
BENCHMARK(BM_ReadMillionInts)->Unit(benchmark::kMillisecond);

void BM_ReadMillionAllCells(benchmark::State &state)
{
    TDazStringGrid &g = FilledGrid();
    for (auto _ : state) {
        qsizetype total = 0;
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c)
                total += g.AllCells(c, r).size();
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * kRows * kCols);
}
BENCHMARK(BM_ReadMillionAllCells)->Unit(benchmark::kMillisecond);

} // namespace
