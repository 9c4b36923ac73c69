// The item selector with 1,000 captioned colour items: laying them out (every caption is
// measured) and painting the whole panel.
#include "controls/dropdown/itemselector.h"

#include <QImage>
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

}   // namespace
