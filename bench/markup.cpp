// The mark-up renderer on 100,000 short cell texts: measuring them with every text new to
// the layout cache, measuring a screenful of 1,000 texts 100 times (from the cache),
// painting and hit-testing them; plus the filter conditions on 100,000 values, and the other
// painters of grid cells: progress bars and shapes, and the focus glow's blurred mask.
#include "grid/base/alphamask.h"
#include "grid/base/cellshape.h"
#include "grid/base/filtercond.h"
#include "grid/base/markup.h"
#include "grid/base/markuprender.h"
#include "grid/base/progress.h"

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

// Hostile cell texts and filter conditions, whose tests hold the work to the size of the
// input: the time the same inputs take.
void BM_HostileFilterConditions(benchmark::State &state)
{
    const QString stars = QString(100000, u'*'), questions = QString(100000, u'?');
    const QString value(100000, u'a');
    for (auto _ : state) {
        benchmark::DoNotOptimize(MatchFilterCondition(stars, value, false));
        benchmark::DoNotOptimize(MatchFilterCondition(questions, value, false));
    }
}
BENCHMARK(BM_HostileFilterConditions)->Unit(benchmark::kMillisecond);

void BM_DecodeManyEntities(benchmark::State &state)
{
    const QString many = QStringLiteral("&AMP;&amp;amp;&lt;&eacute;&Eacute;").repeated(100000);
    for (auto _ : state)
        benchmark::DoNotOptimize(DecodeHtmlEntities(many, true));
}
BENCHMARK(BM_DecodeManyEntities)->Unit(benchmark::kMillisecond);

void BM_ClearManyRadioControls(benchmark::State &state)
{
    QString many;
    for (int i = 0; i < 20000; ++i)
        many += QStringLiteral("<control type=\"radio\" id=\"r%1\" value=\"true\" width=\"16\">").arg(i);
    for (auto _ : state)
        benchmark::DoNotOptimize(ClearRadioControls(many));
}
BENCHMARK(BM_ClearManyRadioControls)->Unit(benchmark::kMillisecond);

// Measuring long and malformed texts: 20,000 words with tags, 200,000 characters without
// tags, only "<", and an open tag of spaces.
void BM_MeasureLongMalformed(benchmark::State &state)
{
    QString words;
    for (int i = 0; i < 20000; ++i)
        words += (i % 7 == 0) ? QStringLiteral("<b>bold</b> ") : QStringLiteral("word ");
    const QString texts[] = {words, QString(200000, u'x'), QString(200000, u'<'),
                             QStringLiteral("<a") + QString(200000, u' ')};
    QImage image(300, 40, QImage::Format_ARGB32_Premultiplied);
    TCanvas canvas(&image);
    THtmlRenderParams p;
    p.MeasureOnly = true;
    p.WordWrap = true;
    THtmlRenderResult r;
    for (auto _ : state) {
        state.PauseTiming();
        ClearHtmlLayoutCache();
        state.ResumeTiming();
        for (const QString &t : texts)
            RenderHtmlText(canvas, t, TRect(0, 0, 200, 100), p, r);
        benchmark::DoNotOptimize(r.ExtentY);
    }
}
BENCHMARK(BM_MeasureLongMalformed)->Unit(benchmark::kMillisecond);

// A screenful of 1,000 progress cells: a percentage bar, a level bar in blocks and a shape.
void BM_ProgressCells1000(benchmark::State &state)
{
    QImage image(120, 24, QImage::Format_ARGB32_Premultiplied);
    TCanvas canvas(&image);
    canvas.Font.Name = QStringLiteral("DejaVu Sans");
    canvas.Font.Size = 9;
    TProgressLevelLook look;
    look.Level0Color = 0x00AA00;
    look.Level1Color = 0x00AAAA;
    look.Level2Color = 0x0000AA;
    look.Level3Color = 0x0000FF;
    look.Level1Perc = 30;
    look.Level2Perc = 70;
    look.BackColor = clWhite;
    look.ShowBorder = true;
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) {
            DrawPercentProgressBar(canvas, TRect(0, 0, 120, 24), 0x00AA00, clBlack, clWhite, clBlack,
                                   i % 101, 2, 2, 0, 100, QString(), clGray, false);
            DrawLevelProgressBar(canvas, TRect(0, 0, 120, 24), i % 101, look);
            DrawCellShape(canvas, 2, 2, 20, 20, TCellShape(i % (csHalfStar + 1)), clRed, clBlue);
        }
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_ProgressCells1000)->Unit(benchmark::kMillisecond);

// The focus glow's mask for a 200 x 24 cell: a ring, blurred with radius 3.
void BM_FocusMask(benchmark::State &state)
{
    QImage mask;
    for (auto _ : state) {
        MakeRoundedMaskBitmap(mask, 200, 24, 3, 5, 4);
        benchmark::DoNotOptimize(mask.constBits());
    }
}
BENCHMARK(BM_FocusMask)->Unit(benchmark::kMicrosecond);

// Highlighting "a" in 100,000 plain cell texts as the grid tags them, and as reference the
// whole text escaped first and then tagged (which lets a match fall inside an entity).
const std::vector<QString> &PlainTexts()
{
    static const std::vector<QString> texts = [] {
        std::vector<QString> t;
        t.reserve(kTexts);
        for (int i = 0; i < kTexts; ++i)
            t.push_back(QStringLiteral("Tank %1 & valve <open> \"manual\" a").arg(i));
        return t;
    }();
    return texts;
}

void BM_HighlightPlain100k(benchmark::State &state)
{
    const QStringList keep{QStringLiteral("hi"), QStringLiteral("e")};
    for (auto _ : state)
        for (const QString &t : PlainTexts())
            benchmark::DoNotOptimize(
                WrapPlainMatchesInTag(t, QStringLiteral("a"), QStringLiteral("hi"), keep, false));
}
BENCHMARK(BM_HighlightPlain100k)->Unit(benchmark::kMillisecond);

void BM_HighlightEscapedReference100k(benchmark::State &state)
{
    for (auto _ : state)
        for (const QString &t : PlainTexts())
            benchmark::DoNotOptimize(WrapMatchesInTag(EncodeHtmlEntities(t, false),
                                                      QStringLiteral("a"), QStringLiteral("hi"),
                                                      false));
}
BENCHMARK(BM_HighlightEscapedReference100k)->Unit(benchmark::kMillisecond);

}   // namespace
