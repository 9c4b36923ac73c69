// The clock's running-mode tick: repainting from the cached face (hands only) against
// drawing the whole clock, both onto the control's size, in the same run.
#include "controls/dropdown/clockface.h"

#include "grid/string/datetimetext.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

// The face of the classic preset: numerals, minute marks and the AM/PM box.
void Prepare(TDazWatch &Watch)
{
    Watch.resize(180, 180);
    Watch.SetTime(EncodeTime(10, 10, 0, 0));
    Watch.SetStyle(wsGray);
}

void BM_ClockTickFromCache(benchmark::State &State)
{
    TDazWatch watch;
    Prepare(watch);
    QImage face(180, 180, QImage::Format_RGB32);
    face.fill(Qt::white);
    {
        TCanvas canvas(&face);
        watch.DrawFace(canvas);
    }
    QImage target(180, 180, QImage::Format_RGB32);
    for (auto _ : State) {
        QPainter painter(&target);
        painter.drawImage(0, 0, face);
        TCanvas canvas(&painter);
        watch.DrawPointers(canvas);
    }
}
BENCHMARK(BM_ClockTickFromCache)->Unit(benchmark::kMicrosecond);

void BM_ClockWholeRedraw(benchmark::State &State)
{
    TDazWatch watch;
    Prepare(watch);
    QImage target(180, 180, QImage::Format_RGB32);
    for (auto _ : State) {
        target.fill(Qt::white);
        TCanvas canvas(&target);
        watch.DrawWatch(canvas);
    }
}
BENCHMARK(BM_ClockWholeRedraw)->Unit(benchmark::kMicrosecond);

}   // namespace
