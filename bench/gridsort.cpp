// Sorting and unsorting 1,000,000 grid rows of 10 columns, by a numeric and by a text
// column, against plain references in alternating rounds of the same run: the numeric one
// reads each key once as a double and std::stable_sort orders the row numbers by them; the
// text one orders the row numbers by the texts' code units (the grid's alphabetic order).
#include "bench/common/ratio.h"
#include "grid/string/dazstringgrid.h"
#include "grid/tools/gridsort.h"
#include "grid/tools/gridtools.h"

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

std::vector<QString> ColumnTexts(TDazStringGrid &g, int Col)
{
    g.QUnSort();
    std::vector<QString> texts(RowCount);
    for (int r = 0; r < RowCount; ++r)
        texts[size_t(r)] = g.Cells(Col, r + 1);
    return texts;
}

// The grid sorted from the same shuffled start every round, against Reference.
template <class Reference>
void SortRatio(benchmark::State &State, int Col, Reference Ref)
{
    TDazStringGrid &g = BenchGrid();
    const std::vector<QString> texts = ColumnTexts(g, Col);
    std::vector<int> rows(RowCount);
    Run_Ratio(State, 5, {[&] { GridSort::Sort(g, Col, sdAscending); }, [&] { g.QUnSort(); }},
              {[&] { Ref(texts, rows); }, [&] { std::iota(rows.begin(), rows.end(), 0); }});
    // Both orders agree on every row's key.
    for (int i = 0; i < RowCount; i += 997)
        if (g.Cells(Col, i + 1) != texts[size_t(rows[size_t(i)])]) {
            State.SkipWithError("the grid and the reference disagree");
            break;
        }
    g.QUnSort();
}

void BM_SortNumericRatio(benchmark::State &State)
{
    SortRatio(State, NumericCol, [](const std::vector<QString> &texts, std::vector<int> &rows) {
        std::vector<double> keys(texts.size());
        for (size_t i = 0; i < texts.size(); ++i)
            keys[i] = texts[i].toDouble();
        std::stable_sort(rows.begin(), rows.end(),
                         [&](int a, int b) { return keys[size_t(a)] < keys[size_t(b)]; });
        benchmark::DoNotOptimize(rows.data());
    });
}

void BM_SortTextRatio(benchmark::State &State)
{
    SortRatio(State, TextCol, [](const std::vector<QString> &texts, std::vector<int> &rows) {
        std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
            return QStringView(texts[size_t(a)]).compare(texts[size_t(b)]) < 0;
        });
        benchmark::DoNotOptimize(rows.data());
    });
}

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

BENCHMARK(BM_SortNumericRatio)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortTextRatio)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridUnSort)->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainRowPermutation)->Iterations(2)->Unit(benchmark::kMillisecond);

}   // namespace
