// The lazy tree's contents in other forms: saving and loading 100,000 nodes with captions
// through the node stream, and the HTML export of 10,000 nodes.
#include "controls/tree/lazystringtree.h"

#include "platform/printer.h"

#include <QBuffer>
#include <cmath>
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

namespace {

// SortTree of 100,000 siblings by their captions; the comparisons stay within N log2 N.
void BM_SortTree100kByText(benchmark::State &state)
{
    const int count = 100000;
    int64_t compares = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TLazyStringTree tree;
        tree.TreeOptions().SetAutoOptions({});
        tree.OnGetText = [](TBaseLazyTree *, PLazyNode Node, TColumnIndex, TLSTTextType, QString &Text) {
            // A scrambled order of distinct texts.
            Text = QStringLiteral("Meter %1").arg((uint32_t(Node->Index) * 7919u) % 100003u, 6, 10, QLatin1Char('0'));
        };
        tree.OnCompareNodes = [&](TBaseLazyTree *Sender, PLazyNode A, PLazyNode B, TColumnIndex, int &R) {
            ++compares;
            auto *t = static_cast<TLazyStringTree *>(Sender);
            R = QString::compare(t->GetText(A), t->GetText(B));
        };
        tree.SetRootNodeCount(count);
        tree.ValidateNode(nullptr, true);
        state.ResumeTiming();
        tree.SortTree(NoColumn, TLTSortDirection::sdAscending);
        state.PauseTiming();
        tree.OnCompareNodes = nullptr;
        tree.Clear();
        state.ResumeTiming();
    }
    state.counters["compares_per_sort"] = double(compares) / double(state.iterations());
    state.counters["n_log2_n"] = count * std::log2(double(count));
}
BENCHMARK(BM_SortTree100kByText)->Unit(benchmark::kMillisecond);

}   // namespace

namespace {

// A printer at screen resolution that keeps one A4-sized page image and counts pages.
class TCountingPrinter : public IPrinter
{
public:
    QImage Page{794, 1123, QImage::Format_RGB32};
    std::unique_ptr<TCanvas> Paper;
    int Pages = 0;
    int PageWidth() const override { return Page.width(); }
    int PageHeight() const override { return Page.height(); }
    int DpiX() const override { return 96; }
    int DpiY() const override { return 96; }
    void SetOrientation(TPrinterOrientationKind) override {}
    TPrinterOrientationKind Orientation() const override { return pokPortrait; }
    void SetTitle(const QString &) override {}
    QString Title() const override { return {}; }
    void BeginDoc() override { Paper = std::make_unique<TCanvas>(&Page); Pages = 1; }
    void NewPage() override { ++Pages; }
    void EndDoc() override { Paper.reset(); }
    void Abort() override { Paper.reset(); }
    bool Printing() const override { return Paper != nullptr; }
    TCanvas &Canvas() override { return *Paper; }
};

// Printing 10,000 shown nodes (180,000 pixels of content) in page bands.
void BM_Print10k(benchmark::State &state)
{
    TLazyStringTree tree;
    FillCaptioned(tree, 1000, 9);
    tree.FullExpand();
    tree.resize(400, 300);
    TCountingPrinter printer;
    for (auto _ : state)
        tree.Print(&printer, false);
    state.counters["pages"] = printer.Pages;
}
BENCHMARK(BM_Print10k)->Unit(benchmark::kMillisecond);

}   // namespace
