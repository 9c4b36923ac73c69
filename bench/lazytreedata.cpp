// The lazy tree's contents in other forms: saving and loading 100,000 nodes with captions
// through the node stream, and the HTML export of 10,000 nodes.
#include "controls/tree/lazystringtree.h"

#include <QBuffer>
#include <benchmark/benchmark.h>

namespace {

// 10,000 top-level nodes with 9 children each, every node initialised, captions by index.
void FillCaptioned(TLazyStringTree &Tree, int TopLevel, int Children)
{
    Tree.OnInitNode = [Children](TBaseLazyTree *Sender, PLazyNode, PLazyNode Node,
                                 TLazyNodeInitStates &S) {
        if (Sender->GetNodeLevel(Node) == 0 && Children > 0)
            S.Include(TLazyNodeInitState::ivsHasChildren);
    };
    Tree.OnInitChildren = [Children](TBaseLazyTree *, PLazyNode, uint32_t &C) { C = uint32_t(Children); };
    Tree.OnGetText = [](TBaseLazyTree *, PLazyNode Node, TColumnIndex, TLSTTextType, QString &Text) {
        Text = QStringLiteral("Meter %1 record").arg(Node->Index);
    };
    Tree.SetRootNodeCount(uint32_t(TopLevel));
    Tree.ValidateNode(nullptr, true);
}

void BM_SaveToStream100k(benchmark::State &state)
{
    TLazyStringTree tree;
    FillCaptioned(tree, 10000, 9);
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::ReadWrite);
        tree.SaveToStream(buffer);
        benchmark::DoNotOptimize(buffer.size());
    }
    state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_SaveToStream100k)->Unit(benchmark::kMillisecond);

void BM_LoadFromStream100k(benchmark::State &state)
{
    TLazyStringTree source;
    FillCaptioned(source, 10000, 9);
    QBuffer saved;
    saved.open(QIODevice::ReadWrite);
    source.SaveToStream(saved);
    TLazyStringTree target;
    int captions = 0;
    target.OnNewText = [&](TBaseLazyTree *, PLazyNode, TColumnIndex, const QString &) { ++captions; };
    for (auto _ : state) {
        saved.seek(0);
        target.LoadFromStream(saved);
        benchmark::DoNotOptimize(target.RootNodeCount());
    }
    if (target.TotalCount() != 100000)
        state.SkipWithError("wrong node count");
    state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_LoadFromStream100k)->Unit(benchmark::kMillisecond);

void BM_ContentToHTML10k(benchmark::State &state)
{
    TLazyStringTree tree;
    FillCaptioned(tree, 1000, 9);
    tree.FullExpand();
    for (auto _ : state)
        benchmark::DoNotOptimize(tree.ContentToHTML(TLSTTextSourceType::tstAll).size());
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_ContentToHTML10k)->Unit(benchmark::kMillisecond);

}   // namespace
