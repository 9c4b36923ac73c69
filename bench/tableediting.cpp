// Table-editing routines: deleting and inserting the first row, which moves every row below
// it, in a rule table of 257 rows and in one of 100,000 rows; and the LoRaWAN editor's
// table of 256 rules loaded into a column grid with its check-box columns and colours.
#include "app/tableediting.h"
#include "gateway/rule_grid.h"
#include "grid/string/dazcolumngrid.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int kCols = 10;

std::unique_ptr<TDazStringGrid> Table(int rows)
{
    auto g = std::make_unique<TDazStringGrid>();
    g->SetColCount(kCols);
    g->SetRowCount(rows + 1);
    for (int r = 1; r <= rows; ++r)
        for (int c = 0; c < kCols; ++c)
            g->SetCellEx(c, r, QString::number(r * kCols + c));
    return g;
}

void BM_DeleteInsertFirstRow(benchmark::State &state)
{
    const auto grid = Table(int(state.range(0)));
    for (auto _ : state) {
        Grid_Delete_Row(1, *grid);
        Grid_Insert_Row(1, *grid, true);
    }
    state.SetItemsProcessed(state.iterations() * 2 * state.range(0));
}
BENCHMARK(BM_DeleteInsertFirstRow)->Arg(256)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_RuleTableShown(benchmark::State &state)
{
    TRule_Columns cols(kCols);
    for (int c = 1; c < kCols; ++c)
        cols[size_t(c)] = {-1, 60, 0xFEFAE0, c == 1 || c == 4};
    std::vector<QStringList> rows(256, QStringList(kCols, QStringLiteral("12")));
    for (auto _ : state) {
        TDazColumnGrid grid;
        Setup_Rule_Grid(grid, cols, 257, true);
        Put_Rows(grid, rows);
        benchmark::DoNotOptimize(Get_Rows(grid).size());
    }
}
BENCHMARK(BM_RuleTableShown)->Unit(benchmark::kMillisecond);

} // namespace
