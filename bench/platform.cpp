// Per-cell work of the grids: number conversion, trimming, and drawing a cell's text.
#include "platform/canvas.h"
#include "platform/rtl.h"

#include <QApplication>
#include <QImage>
#include <benchmark/benchmark.h>

static void BM_StrToInt(benchmark::State &state)
{
    const QStringList inputs{"12345", " -42", "$1F", "0x7FFF", "5 ", "abc"};
    int sum = 0;
    for (auto _ : state)
        for (const QString &s : inputs)
            sum += StrToIntDef(s, 0);
    benchmark::DoNotOptimize(sum);
    state.SetItemsProcessed(state.iterations() * inputs.size());
}
BENCHMARK(BM_StrToInt);

static void BM_Trim(benchmark::State &state)
{
    const QStringList inputs{"plain", "  padded\t", "\r\nline\r\n"};
    qsizetype n = 0;
    for (auto _ : state)
        for (const QString &s : inputs)
            n += Trim(s).size();
    benchmark::DoNotOptimize(n);
    state.SetItemsProcessed(state.iterations() * inputs.size());
}
BENCHMARK(BM_Trim);

static void BM_FloatToStr(benchmark::State &state)
{
    double v = 0.125;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FloatToStr(v));
        v += 1.5;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FloatToStr);

// A screenful of grid cells: fill, then single-line, vertically centred text with an ellipsis.
static void BM_CanvasCells(benchmark::State &state)
{
    QImage img(1200, 800, QImage::Format_RGB32);
    TCanvas c(&img);
    const QString texts[] = {"Node 12", "Temperature sensor of the second floor", "0x1F", ""};
    int i = 0;
    for (auto _ : state) {
        const int col = i % 12, row = (i / 12) % 40;
        TRect r = Bounds(col * 100, row * 20, 100, 20);
        c.Brush.Color = (row & 1) ? clWindow : clBtnFace;
        c.FillRect(r);
        c.DrawText(texts[i & 3], r, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
        ++i;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CanvasCells);
