// The item selector with 1,000 captioned colour items: laying them out (every caption is
// measured), painting the whole panel, and painting the window a scrolled list shows.
#include "controls/dropdown/itemselector.h"

#include <QImage>
#include <QRegion>
#include <benchmark/benchmark.h>

namespace {

void Fill(TDazCustomItemSelector &Selector, int Columns)
{
    Selector.SetSelectorType(stColor);
    Selector.SetColumns(Columns);
    Selector.ItemAppearance().Font.Name = QStringLiteral("DejaVu Sans");
    for (int i = 0; i < 1000; ++i) {
        TSelectorItem *item = Selector.Items().Add();
        item->SetColor(TColor(i * 0x10203));
        item->SetCaption(QStringLiteral("Colour <b>%1</b>").arg(i));
    }
}

void BM_ItemSelectorLayout1000(benchmark::State &State)
{
    TDazCustomItemSelector selector;
    Fill(selector, int(State.range(0)));
    for (auto _ : State)
        selector.UpdateSelectorPanel();
    benchmark::DoNotOptimize(selector.GetPanelSize());
}
BENCHMARK(BM_ItemSelectorLayout1000)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

void BM_ItemSelectorPaint1000(benchmark::State &State)
{
    TDazCustomItemSelector selector;
    Fill(selector, int(State.range(0)));
    selector.UpdateSelectorPanel();
    selector.SetItemIndex(500);
    selector.Panel()->SetItemHot(501);
    QImage image(selector.GetPanelSize(), QImage::Format_RGB32);
    for (auto _ : State)
        selector.Panel()->render(&image);
    benchmark::DoNotOptimize(image.bits());
}
BENCHMARK(BM_ItemSelectorPaint1000)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

// What a scrolled drop-down repaints: a 150-pixel window in the middle of the list.
void BM_ItemSelectorPaintWindow1000(benchmark::State &State)
{
    TDazCustomItemSelector selector;
    Fill(selector, 1);
    selector.UpdateSelectorPanel();
    const QSize size = selector.GetPanelSize();
    QImage image(size, QImage::Format_RGB32);
    const QRegion window(0, size.height() / 2, size.width(), 150);
    for (auto _ : State)
        selector.Panel()->render(&image, QPoint(), window);
    benchmark::DoNotOptimize(image.bits());
}
BENCHMARK(BM_ItemSelectorPaintWindow1000)->Unit(benchmark::kMicrosecond);

}   // namespace
