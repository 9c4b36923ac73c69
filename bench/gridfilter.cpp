// Filtering, the filter value list, grouping and a column sum over 1,000,000 rows, with the
// reference of a plain scan that evaluates the same condition over the same texts in the
// same run.
#include "grid/base/filtercond.h"
#include "grid/string/dazstringgrid.h"
#include "grid/tools/gridcalc.h"
#include "grid/tools/gridfilter.h"
#include "grid/tools/gridgroup.h"
#include "grid/tools/gridtools.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int RowCount = 1000000;
// Column 0: "even"/"odd" (the filter hides half), 1: 10,000 distinct values, 2: 1,000
// distinct values (grouping), 3: numbers.
const QString Condition = QStringLiteral("even");

std::unique_ptr<TDazStringGrid> MakeGrid()
{
    InstallGridTools();
    auto g = std::make_unique<TDazStringGrid>();
    g->SetColCount(4);
    g->SetRowCount(RowCount + 1);
    g->SetFixedRows(1);
    g->SetFixedCols(0);
    const std::vector<TObject *> none;
    for (int r = 1; r <= RowCount; ++r)
        g->SetRowCells(r, {r % 2 ? QStringLiteral("odd") : QStringLiteral("even"),
                           QStringLiteral("v%1").arg(r % 10000),
                           QStringLiteral("g%1").arg((r % 1000) * 7919 % 1000), QString::number(r % 97)},
                       none);
    return g;
}

TDazStringGrid &Grid()
{
    static std::unique_ptr<TDazStringGrid> g = MakeGrid();
    return *g;
}

// The one condition on column 0 that half the rows fail.
TDazStringGrid &HalfFilterGrid()
{
    TDazStringGrid &g = Grid();
    g.Filter().Clear();
    TFilterData *f = g.Filter().Add();
    f->SetColumn(0);
    f->SetCondition(Condition);
    return g;
}

void BM_ApplyFilterHalfAndOff(benchmark::State &State)
{
    TDazStringGrid &g = HalfFilterGrid();
    for (auto _ : State) {
        GridFilter::SetFilterActive(g, true);
        State.PauseTiming();
        if (g.RowCount() != RowCount / 2 + 1)
            State.SkipWithError("filter did not hide half");
        State.ResumeTiming();
        GridFilter::SetFilterActive(g, false);
        State.PauseTiming();
        GridFilter::RemoveAllFilters(g);
        State.ResumeTiming();
    }
    g.Filter().Clear();
}

// Only the filter's half: testing the rows and hiding the failing ones.
void BM_ApplyFilterHalf(benchmark::State &State)
{
    TDazStringGrid &g = HalfFilterGrid();
    for (auto _ : State) {
        GridFilter::ApplyFilter(g);
        State.PauseTiming();
        GridFilter::RemoveAllFilters(g);
        State.ResumeTiming();
    }
    g.Filter().Clear();
}

// The same condition over the same column's texts, nothing else.
void BM_ReferenceConditionScan(benchmark::State &State)
{
    TDazStringGrid &g = Grid();
    std::vector<QString> texts;
    texts.reserve(RowCount);
    for (int r = 1; r <= RowCount; ++r)
        texts.push_back(g.GetCellEx(0, r));
    for (auto _ : State) {
        int pass = 0;
        for (const QString &t : texts)
            pass += MatchFilterCondition(Condition, t.trimmed(), true);
        benchmark::DoNotOptimize(pass);
    }
}

void BM_ColumnFilterList10000(benchmark::State &State)
{
    TDazStringGrid &g = Grid();
    g.SetFilterDropDownAuto(true);
    for (auto _ : State)
        benchmark::DoNotOptimize(g.GetFilterList(1));
    State.counters["entries"] = g.FilterList().Count();
}

void BM_GroupAndUnGroup1000(benchmark::State &State)
{
    TDazStringGrid &g = Grid();
    for (auto _ : State) {
        GridGroup::Group(g, 2);
        GridGroup::UnGroup(g);
    }
    g.QUnSort();
}

void BM_ColumnSum(benchmark::State &State)
{
    TDazStringGrid &g = Grid();
    for (auto _ : State)
        benchmark::DoNotOptimize(GridCalc::ColumnSum(g, 3, -1, -1));
}

BENCHMARK(BM_ApplyFilterHalf)->Iterations(6)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ApplyFilterHalfAndOff)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReferenceConditionScan)->Iterations(6)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ColumnFilterList10000)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GroupAndUnGroup1000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ColumnSum)->Iterations(3)->Unit(benchmark::kMillisecond);

}   // namespace
