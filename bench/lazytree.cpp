// Lazy tree model: a million top-level nodes added inside one update and cleared again,
// and reading TotalCount of 100,000 nodes that are initialised by that read.
#include "controls/tree/lazytree.h"

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
