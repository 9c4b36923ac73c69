// String grid with hidden rows and columns: hiding and showing half of 100,000 rows (one
// filter step, a selection, one block), the index maps over a million rows, reading cells
// through the maps, painting a full-HD view with hidden rows and columns, and removing rows.
#include "grid/string/dazstringgrid.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace {

constexpr int kCols = 10;

std::unique_ptr<TDazStringGrid> FilledGrid(int rows)
{
    auto g = std::make_unique<TDazStringGrid>();
    g->SetColCount(kCols);
    g->SetRowCount(rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < kCols; ++c)
            g->SetCells(c, r, QStringLiteral("R%1C%2").arg(r).arg(c));
    return g;
}

std::vector<int> EveryOtherRow(int rows)
{
    std::vector<int> list;
    for (int r = 1; r < rows; r += 2)
        list.push_back(r);
    return list;
}

// A filled grid on screen (1920 x 1080), where every write asks for a repaint of its cell.
std::unique_ptr<TDazStringGrid> ShownGrid(int rows)
{
    auto g = FilledGrid(rows);
    g->resize(1920, 1080);
    g->show();
    QApplication::processEvents();
    return g;
}

// Args: rows, shown. One filter step hides every other row; its undo shows them again.
void BM_HideRowListHalf(benchmark::State &state)
{
    const int rows = int(state.range(0));
    auto g = state.range(1) ? ShownGrid(rows) : FilledGrid(rows);
    const std::vector<int> list = EveryOtherRow(rows);
    for (auto _ : state) {
        g->HideRowList(list);
        state.PauseTiming();
        g->UnHideRowList();
        g->SetHideLevel(0);
        state.ResumeTiming();
    }
    state.counters["hidden"] = double(list.size());
}
BENCHMARK(BM_HideRowListHalf)
    ->Args({100000, 0})
    ->Args({1000000, 0})
    ->Args({1000000, 1})
    ->Unit(benchmark::kMillisecond);

void BM_UnHideRowListHalf(benchmark::State &state)
{
    const int rows = int(state.range(0));
    auto g = state.range(1) ? ShownGrid(rows) : FilledGrid(rows);
    const std::vector<int> list = EveryOtherRow(rows);
    for (auto _ : state) {
        state.PauseTiming();
        g->HideRowList(list);
        state.ResumeTiming();
        g->UnHideRowList();
        g->SetHideLevel(0);
    }
}
BENCHMARK(BM_UnHideRowListHalf)
    ->Args({100000, 0})
    ->Args({1000000, 0})
    ->Args({1000000, 1})
    ->Unit(benchmark::kMillisecond);

// Every other row selected, then HideSelectedRows and UnHideRowsAll.
void BM_HideSelectedRowsHalf(benchmark::State &state)
{
    constexpr int rows = 100000;
    auto g = FilledGrid(rows);
    g->MouseActions().SetDisjunctRowSelect(true);
    g->MouseActions().SetRowSelectPersistent(true);
    for (int r : EveryOtherRow(rows))
        g->SetRowSelect(r, true);
    for (auto _ : state) {
        g->HideSelectedRows();
        g->UnHideRowsAll();
    }
}
BENCHMARK(BM_HideSelectedRowsHalf)->Unit(benchmark::kMillisecond);

// One block of 50,000 rows hidden and shown.
void BM_HideRowsBlock(benchmark::State &state)
{
    constexpr int rows = 100000;
    auto g = FilledGrid(rows);
    for (auto _ : state) {
        g->HideRows(25000, 74999);
        g->UnHideRows(25000, 74999);
    }
}
BENCHMARK(BM_HideRowsBlock)->Unit(benchmark::kMillisecond);

TDazStringGrid &HalfHiddenMillion()
{
    // Left to the end of the process: a widget must not outlive the application object.
    static TDazStringGrid *grid = [] {
        auto g = std::make_unique<TDazStringGrid>();
        g->SetColCount(kCols);
        g->SetRowCount(1000000);
        g->HideRowList(EveryOtherRow(1000000));
        g->HideColumn(2);
        g->HideColumn(5);
        return g.release();
    }();
    return *grid;
}

// Both row maps over every row of a million-row grid with 500,000 hidden rows.
void BM_RowMaps(benchmark::State &state)
{
    TDazStringGrid &g = HalfHiddenMillion();
    const int shown = g.RowCount();
    for (auto _ : state) {
        int64_t sum = 0;
        for (int r = 0; r < shown; ++r)
            sum += g.DisplRowIndex(g.RealRowIndex(r));
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * shown * 2);
}
BENCHMARK(BM_RowMaps)->Unit(benchmark::kMillisecond);

// The cells of a 50-row view read as painting reads them: display column through the map.
void BM_ViewCellsThroughColumnMap(benchmark::State &state)
{
    TDazStringGrid &g = HalfHiddenMillion();
    const int top = g.RowCount() / 2;
    for (auto _ : state) {
        qsizetype total = 0;
        for (int r = top; r < top + 50; ++r)
            for (int c = 0; c < g.ColCount(); ++c)
                total += g.Cells(g.RealColIndex(c), r).size();
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * 50 * g.ColCount());
}
BENCHMARK(BM_ViewCellsThroughColumnMap)->Unit(benchmark::kMicrosecond);

// A 1920 x 1080 view of 100,000 rows: Arg 0 nothing hidden, 1 half the rows and two
// columns hidden.
void BM_PaintView(benchmark::State &state)
{
    auto g = FilledGrid(100000);
    g->resize(1920, 1080);
    if (state.range(0) == 1) {
        g->HideRowList(EveryOtherRow(100000));
        g->HideColumn(2);
        g->HideColumn(5);
    }
    g->show();
    QApplication::processEvents();
    g->SetTopRow(g->RowCount() / 2);
    QImage img(g->viewport()->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&img);
        g->PaintTo(p);
    }
    state.counters["rows"] = g->RowCount();
}
BENCHMARK(BM_PaintView)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// 1,000 single rows removed from the top half of a 100,000-row grid.
void BM_RemoveRows(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto g = FilledGrid(100000);
        state.ResumeTiming();
        for (int i = 0; i < 1000; ++i)
            g->RemoveRows(10 + i, 1);
        state.PauseTiming();
        g.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_RemoveRows)->Unit(benchmark::kMillisecond)->Iterations(3);

// What an engineer does to one row near the top of a filled million-row grid: everything
// below it moves. Arg 0: RemoveRows then InsertRows; 1: HideRow then UnHideRow; 2: the
// same with 1,000 rows hidden further down, which the maps must shift.
void BM_MillionRowEdit(benchmark::State &state)
{
    static TDazStringGrid *grid = FilledGrid(1000000).release();
    TDazStringGrid &g = *grid;
    const int mode = int(state.range(0));
    if (mode == 2)
        for (int r = 500000; r < 502000; r += 2)
            g.HideRow(r);
    for (auto _ : state) {
        if (mode == 0) {
            g.RemoveRows(10, 1);
            g.InsertRows(10, 1);
        } else {
            g.HideRow(10);
            g.UnHideRow(10);
        }
    }
    if (mode == 2)
        g.UnHideRowsAll();
    state.counters["rows"] = g.RowCount();
}
BENCHMARK(BM_MillionRowEdit)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace
