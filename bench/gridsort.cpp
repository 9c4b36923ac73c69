// Sorting and unsorting 1,000,000 grid rows of 10 columns, by a numeric and by a text
// column, against the reference of std::stable_sort ordering the row numbers by the same
// column's texts with the same comparison (CompareSortTexts), in the same run.
#include "grid/string/dazstringgrid.h"
#include "grid/tools/gridsort.h"
#include "grid/tools/gridtools.h"
#include "grid/tools/sorttexts.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <memory>
#include <numeric>
#include <random>

namespace {

constexpr int RowCount = 1000000;
constexpr int ColCount = 10;
constexpr int NumericCol = 0;
constexpr int TextCol = 1;

// One grid for the whole run: column 0 random integers, column 1 random words, the rest
// filler; row 0 is the header.
TDazStringGrid &BenchGrid()
{
    static std::unique_ptr<TDazStringGrid> grid = [] {
        InstallGridTools();
        auto g = std::make_unique<TDazStringGrid>();
        g->SetColCount(ColCount);
        g->SetRowCount(RowCount + 1);
        g->SetFixedRows(1);
        std::mt19937 rng(12345);
        const std::vector<TObject *> noObjects;
        for (int r = 1; r <= RowCount; ++r) {
            QStringList row;
            row << QString::number(rng() % 1000000000u);
            QString word;
            for (int k = 0, n = 4 + int(rng() % 8); k < n; ++k)
                word += QChar(u'a' + int(rng() % 26));
            row << word;
            for (int c = 2; c < ColCount; ++c)
                row << QStringLiteral("r%1c%2").arg(r).arg(c);
            g->SetRowCells(r, row, noObjects);
        }
        g->InitSortXRef();
        return g;
    }();
    return *grid;
}

void GridSort(benchmark::State &State, int Col)
{
    TDazStringGrid &g = BenchGrid();
    for (auto _ : State) {
        State.PauseTiming();
        g.QUnSort();   // the same shuffled start every time
        State.ResumeTiming();
        GridSort::Sort(g, Col, sdAscending);
    }
    State.counters["swaps"] = double(g.SwapCount());
}

void ReferenceSort(benchmark::State &State, int Col)
{
    TDazStringGrid &g = BenchGrid();
    g.QUnSort();
    std::vector<QString> texts(RowCount);
    for (int r = 0; r < RowCount; ++r)
        texts[size_t(r)] = g.Cells(Col, r + 1);
    TSortTextRules rules = TSortTextRules::Current(false);
    rules.StableTexts = true;   // the texts stay put, as the grid's do while it sorts
    std::vector<int> rows(RowCount);
    for (auto _ : State) {
        State.PauseTiming();
        std::iota(rows.begin(), rows.end(), 0);
        State.ResumeTiming();
        std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
            return CompareSortTexts(ssAutomatic, texts[size_t(a)], texts[size_t(b)], rules) < 0;
        });
        benchmark::DoNotOptimize(rows.data());
    }
}

void BM_GridSortNumeric(benchmark::State &State) { GridSort(State, NumericCol); }
void BM_ReferenceStableSortNumeric(benchmark::State &State) { ReferenceSort(State, NumericCol); }
void BM_GridSortText(benchmark::State &State) { GridSort(State, TextCol); }
void BM_ReferenceStableSortText(benchmark::State &State) { ReferenceSort(State, TextCol); }

// Back to the unsorted order after a sort by the text column.
void BM_GridUnSort(benchmark::State &State)
{
    TDazStringGrid &g = BenchGrid();
    for (auto _ : State) {
        State.PauseTiming();
        g.QUnSort();
        GridSort::Sort(g, TextCol, sdAscending);
        State.ResumeTiming();
        g.QUnSort();
    }
}

// The floor for unsorting: the same permutation applied to a vector of row pointers.
void BM_PlainRowPermutation(benchmark::State &State)
{
    TDazStringGrid &g = BenchGrid();
    g.QUnSort();
    GridSort::Sort(g, TextCol, sdAscending);
    std::vector<int> xref(size_t(g.RowCount()));
    for (int i = 0; i < g.RowCount(); ++i)
        xref[size_t(i)] = g.SortRowXRef().GetInteger(i);
    g.QUnSort();
    std::vector<std::unique_ptr<QString>> rows(xref.size());
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i] = std::make_unique<QString>();
    for (auto _ : State) {
        State.PauseTiming();
        std::vector<int> u = xref;
        State.ResumeTiming();
        for (int i = 0; i < int(u.size()); ++i)
            while (u[size_t(i)] != i) {
                const int j = u[size_t(i)];
                std::swap(rows[size_t(i)], rows[size_t(j)]);
                std::swap(u[size_t(i)], u[size_t(j)]);
            }
        benchmark::DoNotOptimize(rows.data());
    }
}

BENCHMARK(BM_GridSortNumeric)->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReferenceStableSortNumeric)->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridSortText)->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReferenceStableSortText)->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridUnSort)->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainRowPermutation)->Iterations(2)->Unit(benchmark::kMillisecond);

}   // namespace
