// The banded gradient that paints drop-down panels and buttons and the grid's gradient
// background, over a full-HD surface.
#include "controls/dropdown/dropdownedit.h"
#include "controls/dropdown/dropdownhelpers.h"
#include "controls/dropdown/dropdownform.h"
#include "platform/canvas.h"

#include <QImage>
#include <benchmark/benchmark.h>

namespace {

void Gradient(benchmark::State &State, int Steps, bool LeftToRight)
{
    QImage img(1920, 1080, QImage::Format_RGB32);
    TCanvas canvas(&img);
    for (auto _ : State)
        DrawDropDownGradient(canvas, 0xC0C0C0, 0xFFFFFF, Steps, TRect(0, 0, 1920, 1080),
                             LeftToRight);
}

// DrawFilledRect's 80 bands, as panels and buttons use them.
void BM_Gradient80BandsFullHD(benchmark::State &State)
{
    Gradient(State, 80, State.range(0) != 0);
}
BENCHMARK(BM_Gradient80BandsFullHD)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The grid's gradient background.
void BM_GridBackground128BandsFullHD(benchmark::State &State)
{
    Gradient(State, 128, State.range(0) != 0);
}
BENCHMARK(BM_GridBackground128BandsFullHD)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Typing into a money edit regroups the thousands after every key: 10,000 digits through the
// character message, starting over every 12 digits (a realistic amount's length).
void BM_MoneyTyping10000Digits(benchmark::State &State)
{
    TDazCustomDropDown edit;
    edit.SetEditType(etMoney);
    for (auto _ : State) {
        for (int i = 0; i < 10000; ++i) {
            if (i % 12 == 0)
                edit.setText(QString());
            edit.TypeChar(QChar(u'1' + i % 9));
        }
    }
    benchmark::DoNotOptimize(edit.text());
}
BENCHMARK(BM_MoneyTyping10000Digits)->Unit(benchmark::kMillisecond);

// Opening must feel instant: ShowDropDown until the window is visible (offscreen), with a
// header and footer of two buttons each and a hosted control; closing is outside the timing.
void BM_ShowDropDown(benchmark::State &State)
{
    TDazCustomDropDown edit;
    edit.InitializeDropDown();
    for (int i = 0; i < 2; ++i) {
        edit.DropDownHeader().Buttons().Add()->SetCaption(QStringLiteral("Header"));
        edit.DropDownFooter().Buttons().Add()->SetCaption(QStringLiteral("OK"));
    }
    auto *control = new QWidget;
    control->resize(200, 150);
    edit.SetDropDownControl(control);
    edit.show();
    for (auto _ : State) {
        edit.ShowDropDown();
        benchmark::DoNotOptimize(edit.DropDownForm()->isVisible());
        State.PauseTiming();
        edit.HideDropDown(false);
        State.ResumeTiming();
    }
}
BENCHMARK(BM_ShowDropDown)->Unit(benchmark::kMicrosecond);

}   // namespace
