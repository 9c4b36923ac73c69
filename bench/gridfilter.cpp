// Filtering, the filter value list, grouping and a column sum over 1,000,000 rows. Each
// filter is timed against a plain loop that reads the column's texts and tests the same
// condition with Qt's own string calls, in alternating rounds of the same run.
#include "bench/common/ratio.h"
#include "grid/string/dazstringgrid.h"
#include "grid/tools/gridcalc.h"
#include "grid/tools/gridfilter.h"
#include "grid/tools/gridgroup.h"
#include "grid/tools/gridtools.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <string>

namespace {

constexpr int RowCount = 1000000;
// Column 0: "even"/"odd" (the filter hides half), 1: 10,000 distinct values, 2: 1,000
// distinct values (grouping), 3: numbers 0..96, 4: "R<row>", 5..9: filler.
const QString Condition = QStringLiteral("even");

std::unique_ptr<TDazStringGrid> MakeGrid()
{
    InstallGridTools();
    auto g = std::make_unique<TDazStringGrid>();
    g->SetColCount(10);
    g->SetRowCount(RowCount + 1);
    g->SetFixedRows(1);
    g->SetFixedCols(0);
    const std::vector<TObject *> none;
    for (int r = 1; r <= RowCount; ++r)
        g->SetRowCells(r, {r % 2 ? QStringLiteral("odd") : QStringLiteral("even"),
                           QStringLiteral("v%1").arg(r % 10000),
                           QStringLiteral("g%1").arg((r % 1000) * 7919 % 1000), QString::number(r % 97),
                           QStringLiteral("R%1").arg(r), QStringLiteral("a%1").arg(r % 13),
                           QStringLiteral("b%1").arg(r % 17), QStringLiteral("c%1").arg(r % 19),
                           QStringLiteral("d%1").arg(r % 23), QStringLiteral("e%1").arg(r % 29)},
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

// One filter against the plain loop: the project applies the condition to the grid (and
// hides the failing rows); the reference reads the same column's texts and collects the
// rows failing the same test.
template <class Test>
void FilterRatio(benchmark::State &State, int Col, const QString &Cond, Test Passes)
{
    TDazStringGrid &g = Grid();
    g.Filter().Clear();
    TFilterData *f = g.Filter().Add();
    f->SetColumn(Col);
    f->SetCondition(Cond);
    std::vector<QString> texts;
    texts.reserve(RowCount);
    for (int r = 1; r <= RowCount; ++r)
        texts.push_back(g.Cells(Col, r));
    int shown = 0, passed = 0;
    Run_Ratio(State, 7,
              {[&] {
                   GridFilter::ApplyFilter(g);
                   shown = g.RowCount() - 1;
               },
               [&] {
                   // Back to all rows shown, the filter list kept.
                   while (g.HiddenRows().HideLevel() > 0)
                       GridFilter::RemoveLastFilter(g);
               }},
              {[&] {
                  std::vector<int> failing;
                  for (size_t i = 0; i < texts.size(); ++i)
                      if (!Passes(QStringView(texts[i]).trimmed()))
                          failing.push_back(int(i) + 1);
                  passed = RowCount - int(failing.size());
                  benchmark::DoNotOptimize(failing.data());
              }});
    GridFilter::RemoveAllFilters(g);
    g.Filter().Clear();
    if (shown != passed)
        State.SkipWithError(("the filter and the reference disagree: " + std::to_string(shown) + " / " + std::to_string(passed)).c_str());
    State.counters["shown"] = shown;
}

void BM_FilterEqualsRatio(benchmark::State &State)
{
    FilterRatio(State, 0, QStringLiteral("even"), [](QStringView t) { return t == u"even"; });
}

void BM_FilterGreaterRatio(benchmark::State &State)
{
    FilterRatio(State, 3, QStringLiteral("> 48"), [](QStringView t) {
        bool ok = false;
        const double v = t.toDouble(&ok);
        return ok ? v > 48 : t.compare(u"48") > 0;
    });
}

void BM_FilterWildcardRatio(benchmark::State &State)
{
    FilterRatio(State, 4, QStringLiteral("R1*"), [](QStringView t) { return t.startsWith(u"R1"); });
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
BENCHMARK(BM_FilterEqualsRatio)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterGreaterRatio)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterWildcardRatio)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ColumnFilterList10000)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GroupAndUnGroup1000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ColumnSum)->Iterations(3)->Unit(benchmark::kMillisecond);

}   // namespace
