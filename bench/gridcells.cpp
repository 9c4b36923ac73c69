// Per-cell painters of progress and shape cells on a screenful of 1,000 cells, and the focus
// glow's soft mask for one cell (made each time the current cell moves).
#include "grid/base/alphamask.h"
#include "grid/base/cellshape.h"
#include "grid/base/progress.h"

#include <QApplication>
#include <QImage>
#include <benchmark/benchmark.h>

namespace {

constexpr int kCells = 1000;
constexpr int kW = 120, kH = 22;

template <class F>
void PaintScreen(benchmark::State &state, F paintCell)
{
    QImage screen(10 * kW, 100 * kH, QImage::Format_RGB32);
    screen.fill(Qt::white);
    for (auto _ : state) {
        TCanvas canvas(&screen);
        for (int i = 0; i < kCells; ++i)
            paintCell(canvas, Bounds((i % 10) * kW, (i / 10) * kH, kW, kH), i);
    }
    state.SetItemsProcessed(state.iterations() * kCells);
}

void BM_PercentBar1000(benchmark::State &state)
{
    PaintScreen(state, [](TCanvas &c, const TRect &r, int i) {
        c.Brush.Color = clWhite;
        DrawPercentProgressBar(c, r, clNavy, clWhite, clWhite, clNavy, i % 101, 2, 2, 0, 100,
                               QString(), clBlack, false);
    });
}
BENCHMARK(BM_PercentBar1000)->Unit(benchmark::kMillisecond);

void BM_LevelBar1000(benchmark::State &state)
{
    TProgressLevelLook look;
    look.Level0Color = clLime;
    look.Level1Color = clYellow;
    look.Level2Color = 0x00A5FF;
    look.Level3Color = clRed;
    look.Level0ColorTo = look.Level1ColorTo = look.Level2ColorTo = look.Level3ColorTo = clWhite;
    look.Level1Perc = 70;
    look.Level2Perc = 90;
    look.ShowGradient = true;
    look.Steps = 11;
    look.ShowPercentage = true;
    look.BackColor = clWhite;
    PaintScreen(state, [&](TCanvas &c, const TRect &r, int i) { DrawLevelProgressBar(c, r, i % 101, look); });
}
BENCHMARK(BM_LevelBar1000)->Unit(benchmark::kMillisecond);

void BM_Shapes1000(benchmark::State &state)
{
    PaintScreen(state, [](TCanvas &c, const TRect &r, int i) {
        DrawCellShape(c, r.Left + 2, r.Top + 2, kH - 4, kH - 4, TCellShape(i % 19), clYellow, clBlack);
    });
}
BENCHMARK(BM_Shapes1000)->Unit(benchmark::kMillisecond);

void BM_FocusGlowMask(benchmark::State &state)
{
    const int w = int(state.range(0));
    QImage mask;
    QImage picture(w, kH + 8, QImage::Format_BGR888);
    picture.fill(Qt::blue);
    TGridAlphaMask glow;
    for (auto _ : state) {
        MakeRoundedMaskBitmap(mask, w, kH + 8, 3, 5, 4);
        glow.MergeMask(mask, picture, clNone);
        benchmark::DoNotOptimize(glow.Image().constBits());
    }
}
BENCHMARK(BM_FocusGlowMask)->Arg(128)->Arg(1000)->Unit(benchmark::kMicrosecond);

} // namespace
