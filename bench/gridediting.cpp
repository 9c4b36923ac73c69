// In-place editing: opening and closing the text editor and the combo editor on one cell of
// a column grid of 1,000 and of 100,000 rows, near the top and near the end. The cost must
// not grow with the rows (nothing scans or copies a column). The reference shows, loads,
// focuses and hides a bare Qt line edit and a bare Qt plain-text edit over a widget.
#include "grid/string/dazcolumngrid.h"
#include "grid/string/inplaceedit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>
#include <type_traits>

namespace {

constexpr int kCols = 6;

// Column 1 text, column 2 a combo list of 20 items; one grid per row count, kept until the
// application ends.
std::map<int, std::unique_ptr<TDazColumnGrid>> grids;

TDazColumnGrid &Grid(int Rows)
{
    auto &g = grids[Rows];
    if (!g) {
        g = std::make_unique<TDazColumnGrid>();
        g->SetColCount(kCols);
        g->SetRowCount(Rows);
        g->SetOptions(g->Options() + goEditing);
        g->Columns().Items(2)->SetEditor(edComboList);
        for (int i = 0; i < 20; ++i)
            g->Columns().Items(2)->ComboItems().Add(QStringLiteral("Item %1").arg(i));
        for (int r = 1; r < Rows; ++r)
            for (int c = 1; c < kCols; ++c)
                g->SetCells(c, r, QStringLiteral("Item %1").arg(r % 20));
        g->resize(600, 400);
        g->show();
        g->activateWindow();
        g->setFocus();
        QApplication::processEvents();
    }
    return *g;
}

void OpenAndClose(benchmark::State &state, int Col)
{
    TDazColumnGrid &g = Grid(int(state.range(0)));
    g.FocusCell(Col, int(state.range(1)), true);
    for (auto _ : state) {
        g.ShowInplaceEdit();
        g.HideInplaceEdit();
        QCoreApplication::sendPostedEvents(&g);
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_OpenTextEditor(benchmark::State &state)
{
    OpenAndClose(state, 1);
}
BENCHMARK(BM_OpenTextEditor)
    ->Args({1000, 10})
    ->Args({100000, 10})
    ->Args({100000, 99990})
    ->Unit(benchmark::kMicrosecond);

template <class Edit>
void ReferenceShowHide(benchmark::State &state)
{
    QWidget host;
    host.resize(600, 400);
    host.show();
    host.activateWindow();
    host.setFocus();
    auto *edit = new Edit(&host);
    edit->hide();
    QApplication::processEvents();
    for (auto _ : state) {
        if constexpr (std::is_same_v<Edit, QLineEdit>)
            edit->setText(QStringLiteral("Item 10"));
        else
            edit->setPlainText(QStringLiteral("Item 10"));
        edit->setGeometry(60, 40, 80, 24);
        edit->show();
        edit->setFocus();
        edit->hide();
        host.setFocus();
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_ReferenceLineEdit(benchmark::State &state)
{
    ReferenceShowHide<QLineEdit>(state);
}
BENCHMARK(BM_ReferenceLineEdit)->Unit(benchmark::kMicrosecond);

void BM_ReferencePlainTextEdit(benchmark::State &state)
{
    ReferenceShowHide<QPlainTextEdit>(state);
}
BENCHMARK(BM_ReferencePlainTextEdit)->Unit(benchmark::kMicrosecond);

void BM_OpenComboEditor(benchmark::State &state)
{
    OpenAndClose(state, 2);
}
BENCHMARK(BM_OpenComboEditor)
    ->Args({1000, 10})
    ->Args({100000, 10})
    ->Args({100000, 99990})
    ->Unit(benchmark::kMicrosecond);

// A typed character opens the text editor, Enter validates and writes the cell, the posted
// end of the edit is delivered: one whole edit by keys.
void BM_TypeAndCommit(benchmark::State &state)
{
    TDazColumnGrid &g = Grid(int(state.range(0)));
    int edits = 0;
    g.OnEditCellDone = [&](TObject *, int, int) { ++edits; };
    const int row = int(state.range(1));
    g.activateWindow();
    g.setFocus();
    QApplication::processEvents();
    auto target = [&g]() -> QWidget * {
        QWidget *e = g.NormalEdit();
        return e && e->isVisible() ? e : static_cast<QWidget *>(&g);
    };
    for (auto _ : state) {
        g.FocusCell(1, row, true);
        QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QApplication::sendEvent(target(), &key);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QApplication::sendEvent(target(), &enter);
        QCoreApplication::sendPostedEvents(&g);
    }
    g.OnEditCellDone = nullptr;
    if (edits != int(state.iterations()))
        state.SkipWithError("an edit did not end");
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TypeAndCommit)
    ->Args({1000, 10})
    ->Args({100000, 10})
    ->Args({100000, 99990})
    ->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    grids.clear();
    return 0;
}
