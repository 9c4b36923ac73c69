// A find that hits nothing over 1,000,000 x 10 cells (with and without letter case) and a
// Replace that changes 10,000 of them, against the reference of QString::indexOf looping
// over the same cells' texts, in the same run.
#include "grid/string/dazstringgrid.h"
#include "grid/tools/gridsearch.h"
#include "grid/tools/gridtools.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace {

constexpr int RowCount = 1000000;
constexpr int ColCount = 10;
constexpr int ReplaceEvery = 100;   // rows between the cells Replace changes
constexpr int ReplaceCol = 3;
const QString Absent = QStringLiteral("zq7");

QString CellText(int Col, int Row)
{
    if (Col == ReplaceCol && Row % ReplaceEvery == 0)
        return QStringLiteral("needle %1").arg(Row);
    return QStringLiteral("r%1c%2 text").arg(Row).arg(Col);
}

TDazStringGrid &BenchGrid()
{
    static std::unique_ptr<TDazStringGrid> grid = [] {
        InstallGridTools();
        auto g = std::make_unique<TDazStringGrid>();
        g->SetColCount(ColCount);
        g->SetRowCount(RowCount + 1);
        g->SetFixedRows(1);
        g->SetFixedCols(0);
        for (int r = 1; r <= RowCount; ++r)
            for (int c = 0; c < ColCount; ++c)
                g->SetCells(c, r, CellText(c, r));
        return g;
    }();
    return *grid;
}

void FindNothing(benchmark::State &State, TFindParams Params)
{
    TDazStringGrid &g = BenchGrid();
    GridSearch::FindFirst(g, Absent, Params);
    for (auto _ : State) {
        const TPoint hit = GridSearch::FindNext(g);
        benchmark::DoNotOptimize(hit);
    }
}

void ReferenceIndexOf(benchmark::State &State, Qt::CaseSensitivity Cs)
{
    std::vector<QString> texts;
    texts.reserve(size_t(RowCount) * ColCount);
    TDazStringGrid &g = BenchGrid();
    for (int c = 0; c < ColCount; ++c)
        for (int r = 1; r <= RowCount; ++r)
            texts.push_back(g.Cells(c, r));
    for (auto _ : State) {
        qsizetype found = 0;
        for (const QString &t : texts)
            found += t.indexOf(Absent, 0, Cs) >= 0;
        benchmark::DoNotOptimize(found);
    }
}

void BM_FindNextNothing(benchmark::State &State) { FindNothing(State, 0); }
void BM_FindNextNothingMatchCase(benchmark::State &State) { FindNothing(State, fnMatchCase); }
void BM_ReferenceIndexOf(benchmark::State &State) { ReferenceIndexOf(State, Qt::CaseSensitive); }
void BM_ReferenceIndexOfNoCase(benchmark::State &State)
{
    ReferenceIndexOf(State, Qt::CaseInsensitive);
}

void BM_Replace10000(benchmark::State &State)
{
    TDazStringGrid &g = BenchGrid();
    int changed = 0;
    for (auto _ : State) {
        changed = GridSearch::Replace(g, QStringLiteral("needle"), QStringLiteral("pin"), 0);
        State.PauseTiming();
        for (int r = ReplaceEvery; r <= RowCount; r += ReplaceEvery)
            g.SetCells(ReplaceCol, r, CellText(ReplaceCol, r));
        State.ResumeTiming();
    }
    State.counters["changed"] = changed;
}

BENCHMARK(BM_FindNextNothing)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindNextNothingMatchCase)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReferenceIndexOf)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReferenceIndexOfNoCase)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Replace10000)->Iterations(3)->Unit(benchmark::kMillisecond);

}   // namespace
