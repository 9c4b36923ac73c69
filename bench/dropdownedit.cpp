// Typing into a money edit: every digit runs the character filter and re-inserts the
// thousand separators over the whole value.
#include "controls/dropdown/dazcustomdropdown.h"

#include <benchmark/benchmark.h>

namespace {

void BM_MoneyTyping(benchmark::State &State)
{
    const int digits = int(State.range(0));
    for (auto _ : State) {
        TDazCustomDropDown edit;
        edit.SetEditType(etMoney);
        edit.SetTextUnformatted(QString());
        // Kept below the range of a double's whole numbers: each run types afresh.
        for (int i = 0; i < digits; ++i) {
            if (i % 12 == 0)
                edit.SetTextUnformatted(QString());
            edit.WMChar(QChar(u'1' + i % 9));
        }
        benchmark::DoNotOptimize(edit.text().size());
    }
    State.SetItemsProcessed(State.iterations() * digits);
}
BENCHMARK(BM_MoneyTyping)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
