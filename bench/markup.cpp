// The mark-up renderer on 100,000 short cell texts: measuring them with every text new to
// the layout cache, measuring a screenful of 1,000 texts 100 times (from the cache),
// painting and hit-testing them; plus the filter conditions on 100,000 values.
#include "grid/base/filtercond.h"
#include "grid/base/markuprender.h"

#include <QApplication>
#include <QImage>
#include <benchmark/benchmark.h>
#include <vector>

namespace {

constexpr int kTexts = 100000;

const std::vector<QString> &Texts()
{
    static const std::vector<QString> texts = [] {
        std::vector<QString> t;
        t.reserve(kTexts);
        for (int i = 0; i < kTexts; ++i)
            t.push_back(QStringLiteral("Row <b>%1</b> <font color=\"clRed\">value</font> "
                                       "<a href=\"r%1\">open</a>")
                            .arg(i));
        return t;
    }();
    return texts;
}

void MeasureAll(benchmark::State &state, bool repeatScreen)
{
    QImage image(300, 40, QImage::Format_ARGB32_Premultiplied);
    TCanvas canvas(&image);
    THtmlRenderParams p;
    p.MeasureOnly = true;
    p.WordWrap = true;
    const TRect cell(0, 0, 180, 22);
    THtmlRenderResult r;
    for (auto _ : state) {
        state.PauseTiming();
        ClearHtmlLayoutCache();
        state.ResumeTiming();
        for (int i = 0; i < kTexts; ++i)
            RenderHtmlText(canvas, Texts()[repeatScreen ? i % 1000 : i], cell, p, r);
        benchmark::DoNotOptimize(r.ExtentX);
    }
    state.SetItemsProcessed(state.iterations() * kTexts);
}

void BM_Layout100kNew(benchmark::State &state)
{
    MeasureAll(state, false);
}
BENCHMARK(BM_Layout100kNew)->Unit(benchmark::kMillisecond);

void BM_Layout100kCached(benchmark::State &state)
{
    MeasureAll(state, true);
}
BENCHMARK(BM_Layout100kCached)->Unit(benchmark::kMillisecond);

// Paints 100,000 cells: every text new, or a screenful of 1,000 texts painted 100 times.
void PaintAll(benchmark::State &state, bool repeatScreen)
{
    QImage image(300, 40, QImage::Format_ARGB32_Premultiplied);
    TCanvas canvas(&image);
    THtmlRenderParams p;
    const TRect cell(0, 0, 180, 22);
    THtmlRenderResult r;
    for (auto _ : state) {
        for (int i = 0; i < kTexts; ++i)
            RenderHtmlText(canvas, Texts()[repeatScreen ? i % 1000 : i], cell, p, r);
        benchmark::DoNotOptimize(r.ExtentX);
    }
    state.SetItemsProcessed(state.iterations() * kTexts);
}

void BM_Paint100k(benchmark::State &state)
{
    PaintAll(state, false);
}
BENCHMARK(BM_Paint100k)->Unit(benchmark::kMillisecond);

void BM_PaintScreen1000x100(benchmark::State &state)
{
    PaintAll(state, true);
}
BENCHMARK(BM_PaintScreen1000x100)->Unit(benchmark::kMillisecond);

// The hit test of every mouse move over a cell: the point on the second anchor.
void BM_HitTest100k(benchmark::State &state)
{
    QImage image(300, 40, QImage::Format_ARGB32_Premultiplied);
    TCanvas canvas(&image);
    THtmlRenderParams p;
    p.HitTestOnly = true;
    p.HitX = 150;
    p.HitY = 12;
    const TRect cell(0, 0, 180, 22);
    THtmlRenderResult r;
    for (auto _ : state) {
        int hits = 0;
        for (int i = 0; i < kTexts; ++i)
            hits += RenderHtmlText(canvas, Texts()[i % 1000], cell, p, r);
        benchmark::DoNotOptimize(hits);
    }
    state.SetItemsProcessed(state.iterations() * kTexts);
}
BENCHMARK(BM_HitTest100k)->Unit(benchmark::kMillisecond);

void BM_Filter100k(benchmark::State &state)
{
    std::vector<QString> values;
    for (int i = 0; i < kTexts; ++i)
        values.push_back(QStringLiteral("item %1 abc").arg(i));
    for (auto _ : state) {
        int passed = 0;
        for (const QString &v : values)
            passed += MatchFilterCondition(QStringLiteral("*12*&(*abc|>item 5)"), v, false);
        benchmark::DoNotOptimize(passed);
    }
    state.SetItemsProcessed(state.iterations() * kTexts);
}
BENCHMARK(BM_Filter100k)->Unit(benchmark::kMillisecond);

// Many "*" against long values, as a hostile filter text would give.
void BM_FilterManyStars(benchmark::State &state)
{
    const QString pattern = QStringLiteral("*a").repeated(50) + u'b';
    const QString value(2000, u'a');
    for (auto _ : state)
        benchmark::DoNotOptimize(MatchFilterCondition(pattern, value, true));
}
BENCHMARK(BM_FilterManyStars)->Unit(benchmark::kMicrosecond);

}   // namespace
