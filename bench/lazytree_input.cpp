// Lazy tree input on a 100,000-node string tree: Shift+End from the first node (a range of
// every node), SelectAll, InvertSelection of a half-selected tree, and a rubber band swept
// over 10,000 rows in one move.
#include "controls/tree/lazystringtree.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <benchmark/benchmark.h>

namespace {

constexpr int NodeCount = 100000;

struct TInputTree
{
    TLazyStringTree Tree;
    TInputTree()
    {
        Tree.OnGetText = [](TBaseLazyTree *, PLazyNode Node, TColumnIndex, TLSTTextType, QString &Text) {
            Text = QStringLiteral("Meter %1").arg(Node->Index);
        };
        Tree.TreeOptions().SetSelectionOptions({TLTSelectionOption::toMultiSelect});
        Tree.resize(400, 300);
        Tree.show();
        Tree.SetRootNodeCount(NodeCount);
        Tree.InitRecursive(nullptr);
    }
    void Mouse(QEvent::Type Type, QPoint P, Qt::MouseButtons Buttons)
    {
        QMouseEvent e(Type, QPointF(P), QPointF(Tree.viewport()->mapToGlobal(P)),
                      Type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, Buttons, Qt::NoModifier);
        QApplication::sendEvent(Tree.viewport(), &e);
    }
};

void BM_ShiftEndFromFirst(benchmark::State &state)
{
    TInputTree t;
    for (auto _ : state) {
        state.PauseTiming();
        t.Tree.SetOffsetY(0);
        t.Tree.SetSelected(t.Tree.GetFirst(), true);
        t.Tree.SetFocusedNode(t.Tree.GetFirst());
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Home, Qt::NoModifier);
        QApplication::sendEvent(&t.Tree, &press);
        state.ResumeTiming();
        QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::ShiftModifier);
        QApplication::sendEvent(&t.Tree, &end);
        state.PauseTiming();
        if (t.Tree.SelectedCount() != uint32_t(NodeCount))
            state.SkipWithError("range not selected");
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * NodeCount);
}
BENCHMARK(BM_ShiftEndFromFirst)->Unit(benchmark::kMillisecond);

void BM_SelectAll(benchmark::State &state)
{
    TInputTree t;
    for (auto _ : state) {
        state.PauseTiming();
        t.Tree.InvertSelection(false);   // empties the fully selected tree of the last round
        state.ResumeTiming();
        t.Tree.SelectAll(false);
    }
    state.SetItemsProcessed(state.iterations() * NodeCount);
}
BENCHMARK(BM_SelectAll)->Unit(benchmark::kMillisecond);

void BM_InvertSelection(benchmark::State &state)
{
    TInputTree t;
    int i = 0;
    for (PLazyNode n = t.Tree.GetFirst(); n; n = t.Tree.GetNextNoInit(n))
        if (i++ % 2 == 0)
            t.Tree.SetSelected(n, true);
    for (auto _ : state)
        t.Tree.InvertSelection(false);
    state.SetItemsProcessed(state.iterations() * NodeCount);
}
BENCHMARK(BM_InvertSelection)->Unit(benchmark::kMillisecond);

void BM_RubberBandOver10000Rows(benchmark::State &state)
{
    TInputTree t;
    const int rows = 10000;
    for (auto _ : state) {
        state.PauseTiming();
        t.Tree.SetOffsetY(0);
        t.Mouse(QEvent::MouseButtonPress, QPoint(390, 2), Qt::LeftButton);
        t.Mouse(QEvent::MouseMove, QPoint(380, 40), Qt::LeftButton);   // the band starts
        t.Tree.SetOffsetY(-(rows * 18 - t.Tree.ClientHeight()));
        state.ResumeTiming();
        t.Mouse(QEvent::MouseMove, QPoint(10, t.Tree.ClientHeight() - 1), Qt::LeftButton);
        state.PauseTiming();
        if (t.Tree.SelectedCount() != uint32_t(rows))
            state.SkipWithError("band did not select the rows");
        t.Mouse(QEvent::MouseButtonRelease, QPoint(10, t.Tree.ClientHeight() - 1), Qt::NoButton);
        t.Tree.ClearSelection();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_RubberBandOver10000Rows)->Unit(benchmark::kMillisecond);

}   // namespace
