// The owner-drawn button's paint: every focus change in a window repaints all its buttons,
// and a fading highlight repaints one every 30 ms. Timed for the look the windows use
// (bsEncarta with a one-cell glyph), a pressed face, and the gradient of bsModern.
#include "app/lbbutton.h"

#include <benchmark/benchmark.h>

namespace {

void BM_Paint_Face(benchmark::State &state)
{
    TLbButton button;
    button.resize(110, 28);
    button.SetCaption(QStringLiteral("Confirm"));
    QImage glyph(18, 18, QImage::Format_RGB32);
    glyph.fill(Qt::green);
    button.SetGlyph(glyph);
    switch (state.range(0)) {
    case 1: button.MouseEnter(); break;
    case 2: button.SetColorStyle(TLbColorStyle::lcsAqua); break;
    default: break;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(button.Paint_Face().constBits());
    static const char *const labels[] = {"bsEncarta", "bsEncarta hot", "bsModern gradient"};
    state.SetLabel(labels[state.range(0)]);
}
BENCHMARK(BM_Paint_Face)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

} // namespace
