// Lazy tree model: a million top-level nodes added inside one update and cleared again,
// reading TotalCount of 100,000 nodes that are initialised by that read, the position cache
// of a million shown nodes (its build on the worker and lookups near the bottom with and
// without it), node geometry and scrolling near the bottom, FullExpand of 100,000 nodes,
// and painting and scrolling a 100,000-node string tree.
#include "controls/tree/lazystringtree.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace {

void BM_AddMillionInOneUpdate(benchmark::State &state)
{
    const int count = int(state.range(0));
    for (auto _ : state) {
        TBaseLazyTree tree;
        tree.SetNodeDataSize(8);
        tree.BeginUpdate();
        for (int i = 0; i < count; ++i)
            tree.AddChild(nullptr);
        tree.EndUpdate();
        benchmark::DoNotOptimize(tree.RootNodeCount());
        state.PauseTiming();   // the tree's destruction is timed by the next benchmark
        tree.Clear();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_AddMillionInOneUpdate)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_ClearMillion(benchmark::State &state)
{
    const int count = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        TBaseLazyTree tree;
        tree.SetNodeDataSize(8);
        tree.BeginUpdate();
        for (int i = 0; i < count; ++i)
            tree.AddChild(nullptr);
        tree.EndUpdate();
        state.ResumeTiming();
        tree.Clear();
        benchmark::DoNotOptimize(tree.IsEmpty());
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_ClearMillion)->Arg(1000000)->Unit(benchmark::kMillisecond);

// 100,000 top-level nodes made by RootNodeCount and never touched; TotalCount initialises
// each one (OnInitNode fires 100,000 times).
void BM_TotalCountInitialisesLazyNodes(benchmark::State &state)
{
    const int count = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        TBaseLazyTree tree;
        int inits = 0;
        tree.OnInitNode = [&](TBaseLazyTree *, PLazyNode, PLazyNode, TLazyNodeInitStates &) {
            ++inits;
        };
        tree.SetRootNodeCount(uint32_t(count));
        state.ResumeTiming();
        benchmark::DoNotOptimize(tree.TotalCount());
        state.PauseTiming();
        if (inits != count)
            state.SkipWithError("not every node was initialised");
        tree.OnInitNode = nullptr;
        tree.Clear();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_TotalCountInitialisesLazyNodes)->Arg(100000)->Unit(benchmark::kMillisecond);

}   // namespace

// ---------------------------------------------------------------------------------------
// Position cache: 1,000,000 shown top-level nodes on a shown tree.

namespace {

struct TShownTree
{
    TBaseLazyTree Tree;
    explicit TShownTree(uint32_t Count)
    {
        Tree.show();
        Tree.BeginUpdate();
        Tree.SetRootNodeCount(Count);
        Tree.EndUpdate();   // asks the worker for the cache
        WaitForCache();
    }
    void WaitForCache()
    {
        while (!Tree.TreeStates().Contains(TLazyTreeState::tsUseCache))
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
};

// One cache build on the worker, from the request to the usable cache.
void BM_CacheBuildMillion(benchmark::State &state)
{
    TShownTree t(uint32_t(state.range(0)));
    uint32_t height = 18;
    for (auto _ : state) {
        height = height == 18 ? 19 : 18;   // a change the cache must be built again for
        t.Tree.SetNodeHeight(t.Tree.RootNode()->FirstChild, height);
        t.WaitForCache();
    }
}
BENCHMARK(BM_CacheBuildMillion)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The node at a position near the bottom: with the cache (at most 2000 nodes walked after
// the entry) and without it (walked from the top).
void BM_NodeAtBottom(benchmark::State &state)
{
    TShownTree t(1000000);
    const bool useCache = state.range(0) != 0;
    if (!useCache)
        t.Tree.SetTreeStates(t.Tree.TreeStates() - TLazyTreeStates{TLazyTreeState::tsUseCache});
    const uint32_t y = 18u * 999990 + 5;
    for (auto _ : state) {
        uint32_t top = 0;
        benchmark::DoNotOptimize(t.Tree.NodeAtPosition(y, top));
    }
    state.counters["walked"] = t.Tree.LastLookupSteps();
}
BENCHMARK(BM_NodeAtBottom)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

// Geometry near the bottom of a million shown nodes: GetNodeAt and GetDisplayRect with the
// cache and without it, and ScrollIntoView of the last node from the top.
void BM_GetNodeAtBottom(benchmark::State &state)
{
    TShownTree t(1000000);
    if (state.range(0) == 0)
        t.Tree.SetTreeStates(t.Tree.TreeStates() - TLazyTreeStates{TLazyTreeState::tsUseCache});
    const int y = 18 * 999990 + 5;
    for (auto _ : state) {
        int top = 0;
        benchmark::DoNotOptimize(t.Tree.GetNodeAt(0, y, false, top));
    }
}
BENCHMARK(BM_GetNodeAtBottom)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

void BM_GetDisplayRectBottom(benchmark::State &state)
{
    TShownTree t(1000000);
    if (state.range(0) == 0)
        t.Tree.SetTreeStates(t.Tree.TreeStates() - TLazyTreeStates{TLazyTreeState::tsUseCache});
    PLazyNode node = t.Tree.RootNode()->LastChild;
    for (int i = 0; i < 10; ++i)
        node = node->PrevSibling;
    for (auto _ : state)
        benchmark::DoNotOptimize(t.Tree.GetDisplayRect(node, NoColumn, false));
}
BENCHMARK(BM_GetDisplayRectBottom)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

void BM_ScrollIntoViewLast(benchmark::State &state)
{
    TShownTree t(1000000);
    PLazyNode last = t.Tree.RootNode()->LastChild;
    for (auto _ : state) {
        state.PauseTiming();
        t.Tree.SetOffsetY(0);
        state.ResumeTiming();
        benchmark::DoNotOptimize(t.Tree.ScrollIntoView(last, false));
    }
    if (t.Tree.BottomNode() != last)
        state.SkipWithError("the last node is not in view");
}
BENCHMARK(BM_ScrollIntoViewLast)->Unit(benchmark::kMicrosecond);

// A string tree of 100,000 nodes with captions: painting one full client area of 400 x 300,
// and scrolling by one wheel notch (three lines) with the repaint of the uncovered strip.
struct TPaintedTree
{
    TLazyStringTree Tree;
    TPaintedTree()
    {
        Tree.OnGetText = [](TBaseLazyTree *, PLazyNode Node, TColumnIndex, TLSTTextType, QString &Text) {
            Text = QStringLiteral("Meter %1").arg(Node->Index);
        };
        Tree.TreeOptions().SetMiscOptions(Tree.TreeOptions().MiscOptions() +
                                          TLTMiscOptions{TLTMiscOption::toCheckSupport});
        Tree.resize(400, 300);
        Tree.show();
        Tree.SetRootNodeCount(100000);
    }
};

void BM_PaintClientArea(benchmark::State &state)
{
    TPaintedTree t;
    QImage image(t.Tree.ClientWidth(), t.Tree.ClientHeight(), QImage::Format_ARGB32_Premultiplied);
    t.Tree.SetOffsetY(-18 * 50000);
    for (auto _ : state) {
        TCanvas canvas(&image);
        TRect window(0, 0, image.width(), image.height());
        OffsetRect(window, t.Tree.EffectiveOffsetX(), -t.Tree.OffsetY());
        t.Tree.PaintTree(canvas, window, TPoint(),
                         {TLTInternalPaintOption::poBackground, TLTInternalPaintOption::poDrawSelection,
                          TLTInternalPaintOption::poDrawFocusRect});
    }
}
BENCHMARK(BM_PaintClientArea)->Unit(benchmark::kMicrosecond);

void BM_ScrollOneNotch(benchmark::State &state)
{
    TPaintedTree t;
    QImage image(t.Tree.ClientWidth(), 54, QImage::Format_ARGB32_Premultiplied);
    int offset = -18 * 50000;
    for (auto _ : state) {
        offset -= 54;
        t.Tree.SetOffsetY(offset);
        // The strip the scroll uncovered at the bottom.
        TCanvas canvas(&image);
        TRect window(0, t.Tree.ClientHeight() - 54, image.width(), t.Tree.ClientHeight());
        OffsetRect(window, t.Tree.EffectiveOffsetX(), -t.Tree.OffsetY());
        t.Tree.PaintTree(canvas, window, TPoint(), {TLTInternalPaintOption::poBackground});
    }
}
BENCHMARK(BM_ScrollOneNotch)->Unit(benchmark::kMicrosecond);

// FullExpand of 100,000 nodes: 10,000 top-level nodes with 9 children each.
void BM_FullExpand(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        TBaseLazyTree tree;
        tree.OnInitNode = [](TBaseLazyTree *Sender, PLazyNode, PLazyNode Node,
                             TLazyNodeInitStates &S) {
            if (Sender->GetNodeLevel(Node) == 0)
                S.Include(TLazyNodeInitState::ivsHasChildren);
        };
        tree.OnInitChildren = [](TBaseLazyTree *, PLazyNode, uint32_t &C) { C = 9; };
        tree.SetRootNodeCount(10000);
        state.ResumeTiming();
        tree.FullExpand();
        state.PauseTiming();
        if (tree.VisibleCount() != 100000)
            state.SkipWithError("not fully expanded");
        tree.OnInitNode = nullptr;
        tree.Clear();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FullExpand)->Unit(benchmark::kMillisecond);

}   // namespace
