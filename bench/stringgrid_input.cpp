// String grid input paths over large grids: checking a whole check-box column of a million
// rows, moving a block of rows through a million-row grid, a Tab walk over a grid in which
// nothing is editable, putting 100 moved columns back in their first order, and keys sent
// to a shown million-row grid with hidden rows, hidden columns and merged cells.
#include "grid/string/dazstringgrid.h"

#include <QApplication>
#include <QKeyEvent>
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

// A shown, focused million-row grid with every tenth row and one column hidden and a merge
// on each of the first hundred rows.
TDazStringGrid &KeyGrid()
{
    static TDazStringGrid *grid = [] {
        auto *g = new TDazStringGrid;
        g->SetColCount(8);
        g->SetRowCount(kRows);
        for (int r = 1; r < 100; r += 2)
            g->MergeCells(3, r, 2, 1);
        std::vector<int> hide;
        for (int r = 5; r < kRows; r += 10)
            hide.push_back(r);
        g->HideRowList(hide);
        g->HideColumn(2);
        g->resize(600, 400);
        g->show();
        g->setFocus();
        QApplication::processEvents();
        return g;
    }();
    return *grid;
}

void SendKey(TDazStringGrid &G, int Key, Qt::KeyboardModifiers Mods = Qt::NoModifier)
{
    QKeyEvent down(QEvent::KeyPress, Key, Mods);
    QApplication::sendEvent(&G, &down);
    QKeyEvent up(QEvent::KeyRelease, Key, Mods);
    QApplication::sendEvent(&G, &up);
}

// One key press and release through the grid's whole key path; the pairs keep the cursor
// in place between iterations.
void BM_KeyPairMillionRows(benchmark::State &state)
{
    TDazStringGrid &g = KeyGrid();
    const int pair = int(state.range(0));
    const int keys[][2] = {{Qt::Key_Down, Qt::Key_Up},
                           {Qt::Key_Right, Qt::Key_Left},
                           {Qt::Key_PageDown, Qt::Key_PageUp},
                           {Qt::Key_End, Qt::Key_Home}};
    const Qt::KeyboardModifiers mods = pair == 3 ? Qt::ControlModifier : Qt::NoModifier;
    g.activateWindow();
    g.setFocus();
    g.FocusCell(1, 1, true);
    SendKey(g, keys[pair][0], mods);
    if (g.Row() == 1 && g.Col() == 1)
        state.SkipWithError("the key did not move the cursor");
    SendKey(g, keys[pair][1], mods);
    for (auto _ : state) {
        SendKey(g, keys[pair][0], mods);
        SendKey(g, keys[pair][1], mods);
    }
    state.SetItemsProcessed(state.iterations() * 2);
    state.SetLabel(pair == 0   ? "Down/Up"
                   : pair == 1 ? "Right/Left over a merge"
                   : pair == 2 ? "PageDown/PageUp"
                               : "Ctrl+End/Ctrl+Home");
}
BENCHMARK(BM_KeyPairMillionRows)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

} // namespace
