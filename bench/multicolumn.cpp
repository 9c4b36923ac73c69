// The list drop-downs on 10,000 items: opening the list, one completion keystroke in the
// edit and one search keystroke in the open list; the grid drop-down's narrow-down and
// lookup keystrokes and its opening.
#include "controls/dropdown/dropdownscreen.h"
#include "controls/dropdown/griddropdownlist.h"
#include "controls/dropdown/multicolumn.h"
#include "grid/tools/gridtools.h"
#include "tests/common/test_random.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <benchmark/benchmark.h>

namespace {

constexpr int kItems = 10000;

// Three columns; lookup texts "Item " and five repeatable random digits, so a prefix search
// passes many items before its match.
template <class TDrop>
void Fill(TDrop &Drop)
{
    for (int c = 0; c < 3; ++c)
        Drop.Columns().Add()->Header = QStringLiteral("Column %1").arg(c);
    TTestRandom random(12345);
    for (int i = 0; i < kItems; ++i) {
        auto *item = Drop.Items().Add();
        item->Text().Add(QStringLiteral("Item %1").arg(random.Next() % 100000, 5, 10, QChar(u'0')));
        item->Text().Add(QString::number(i));
        item->Text().Add(QStringLiteral("detail"));
    }
    Drop.Items().Add()->Text().Add(QStringLiteral("Zebra"));   // the last item
    Drop.BeginUpdate();
    Drop.EndUpdate();
}

void Key(QWidget *W, QEvent::Type Type, int K, const QString &Text)
{
    QKeyEvent e(Type, K, Qt::NoModifier, Text);
    QApplication::sendEvent(W, &e);
}

void BM_MultiColumnOpen10000(benchmark::State &State)
{
    TFakeDropDownScreenGuard screen;
    TDazMultiColumnDropDown drop;
    Fill(drop);
    drop.Columns().Items(0)->AutoSize = State.range(0) != 0;
    drop.show();
    for (auto _ : State) {
        drop.ShowDropDown();
        drop.HideDropDown(true);
    }
}
BENCHMARK(BM_MultiColumnOpen10000)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// One key typed into the empty edit whose completion is the last item (a full pass).
void BM_MultiColumnCompletionKey10000(benchmark::State &State)
{
    TFakeDropDownScreenGuard screen;
    TDazMultiColumnDropDown drop;
    Fill(drop);
    drop.show();
    for (auto _ : State) {
        drop.SetText(QString());
        Key(&drop, QEvent::KeyPress, Qt::Key_Z, QStringLiteral("z"));
        Key(&drop, QEvent::KeyRelease, Qt::Key_Z, QStringLiteral("z"));
    }
    if (drop.GetText() != QStringLiteral("zebra"))
        State.SkipWithError("no completion");
}
BENCHMARK(BM_MultiColumnCompletionKey10000)->Unit(benchmark::kMicrosecond);

// One key typed into the open list, searching the lookup column to its last item.
void BM_MultiColumnListSearchKey10000(benchmark::State &State)
{
    TFakeDropDownScreenGuard screen;
    TDazMultiColumnDropDown drop;
    Fill(drop);
    drop.show();
    drop.ShowDropDown();
    for (auto _ : State) {
        drop.ListSearch(QChar(8));   // empties the typed prefix
        drop.ListSearch(QChar(u'z'));
    }
    if (drop.ItemIndex() != kItems)
        State.SkipWithError("not found");
    drop.HideDropDown(true);
}
BENCHMARK(BM_MultiColumnListSearchKey10000)->Unit(benchmark::kMicrosecond);

void BM_GridDropDownOpen10000(benchmark::State &State)
{
    TFakeDropDownScreenGuard screen;
    InstallGridTools();
    TCustomDazGridDropDown drop;
    Fill(drop);
    drop.show();
    for (auto _ : State) {
        drop.ShowDropDown();
        drop.HideDropDown(true);
    }
}
BENCHMARK(BM_GridDropDownOpen10000)->Unit(benchmark::kMillisecond);

// One key in the open list: lmLookup finds the last item; lmNarrowDown filters the rows to
// those containing the typed text. Between keys the edit takes the focus, which empties the
// typed prefix and removes the filter (not timed).
void GridKey(benchmark::State &State, TLookupMethod Method)
{
    TFakeDropDownScreenGuard screen;
    InstallGridTools();
    TCustomDazGridDropDown drop;
    Fill(drop);
    drop.LookupMethod = Method;
    drop.show();
    drop.ShowDropDown();
    for (auto _ : State) {
        State.PauseTiming();
        QFocusEvent in(QEvent::FocusIn, Qt::OtherFocusReason);
        QApplication::sendEvent(&drop, &in);
        State.ResumeTiming();
        drop.ListSearch(QChar(u'z'));
    }
    drop.HideDropDown(true);
}

void BM_GridDropDownLookupKey10000(benchmark::State &State)
{
    GridKey(State, lmLookup);
}
BENCHMARK(BM_GridDropDownLookupKey10000)->Unit(benchmark::kMicrosecond);

void BM_GridDropDownNarrowDownKey10000(benchmark::State &State)
{
    GridKey(State, lmNarrowDown);
}
BENCHMARK(BM_GridDropDownNarrowDownKey10000)->Unit(benchmark::kMicrosecond);

}   // namespace
