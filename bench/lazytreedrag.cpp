// Dragging and the clipboard of the lazy tree: the self-drawn drag image following the
// mouse by small steps (strips re-sampled) against steps as large as the picture (the whole
// rectangle re-captured), timed in the same run with the pixels each captures from the
// screen (in memory here, where capturing is cheap: blending dominates); and a copy and
// paste of 10,000 nodes.
#include "controls/tree/lazystringtree.h"
#include "controls/tree/lazytreedragimage.h"
#include "platform/dataclipboard.h"

#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

// A full-HD screen in memory.
class TMemoryScreen : public IDragImageScreen
{
public:
    QImage Screen{1920, 1080, QImage::Format_ARGB32};
    int64_t CapturedPixels = 0;
    TMemoryScreen() { Screen.fill(Qt::darkCyan); }
    QImage Capture(const QRect &R) override
    {
        CapturedPixels += int64_t(R.width()) * R.height();
        return Screen.copy(R);
    }
    void Restore(QPoint At, const QImage &Image, const QRect &Part) override
    {
        QPainter p(&Screen);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(At + Part.topLeft(), Image, Part);
    }
    void Draw(QPoint At, const QImage &Image) override
    {
        QPainter p(&Screen);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(At, Image);
    }
    void Hide() override {}
};

// The tree's default picture box (200 x 350) moved back and forth by Step.
void RunDrag(benchmark::State &state, QPoint Step)
{
    SetSystemDragImageSupport(false);
    TMemoryScreen screen;
    TLTDragImage image(nullptr);
    image.SetScreen(&screen);
    image.SetFade(true);
    QImage picture(200, 350, QImage::Format_ARGB32);
    picture.fill(Qt::white);
    QPoint mouse(800, 500);
    image.PrepareDrag(picture, mouse - QPoint(100, 175), mouse, nullptr);
    image.ShowDragImage();
    screen.CapturedPixels = 0;
    int direction = 1;
    int64_t moves = 0;
    for (auto _ : state) {
        mouse += direction * Step;
        direction = -direction;
        benchmark::DoNotOptimize(image.DragTo(mouse, false));
        ++moves;
    }
    image.EndDrag();
    SetSystemDragImageSupport(true);
    state.SetItemsProcessed(moves);
    // What a real screen capture would read per move.
    state.counters["captured_px_per_move"] = double(screen.CapturedPixels) / double(std::max<int64_t>(moves, 1));
}

void BM_DragImageSmallSteps(benchmark::State &state)
{
    RunDrag(state, QPoint(4, 3));
}
BENCHMARK(BM_DragImageSmallSteps)->Unit(benchmark::kMicrosecond);

void BM_DragImageWholeRecapture(benchmark::State &state)
{
    RunDrag(state, QPoint(200, 0));
}
BENCHMARK(BM_DragImageWholeRecapture)->Unit(benchmark::kMicrosecond);

// 1,000 top-level nodes with 9 children, copied from one tree and pasted into another.
void BM_CopyPaste10k(benchmark::State &state)
{
    TMemoryDataClipboardGuard clip;
    TLazyStringTree source;
    source.OnInitNode = [](TBaseLazyTree *Sender, PLazyNode, PLazyNode Node, TLazyNodeInitStates &S) {
        if (Sender->GetNodeLevel(Node) == 0)
            S.Include(TLazyNodeInitState::ivsHasChildren);
    };
    source.OnInitChildren = [](TBaseLazyTree *, PLazyNode, uint32_t &C) { C = 9; };
    source.SetClipboardFormats({QStringLiteral("Lazy Tree Data")});
    source.TreeOptions().SetSelectionOptions({TLTSelectionOption::toMultiSelect});
    source.SetRootNodeCount(1000);
    source.ValidateNode(nullptr, true);
    source.SelectAll(false);
    for (auto _ : state) {
        TLazyStringTree target;
        source.CopyToClipboard();
        target.PasteFromClipboard();
        benchmark::DoNotOptimize(target.TotalCount());
        state.PauseTiming();
        source.CancelCutOrCopy();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_CopyPaste10k)->Unit(benchmark::kMillisecond);

}   // namespace
