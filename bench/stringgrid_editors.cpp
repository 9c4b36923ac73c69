// The editor controls of a cell (spin, edit with button, unit edit, date picker, date and
// time picker, rich text) through one whole edit by keys on a shown grid of a million rows,
// near its top and near its end: F2 opens the control on the cell's value, Enter writes it
// back (Escape for the rich text, where Enter is a line break). The cost must not grow with
// the rows.
#include "grid/string/dazstringgrid.h"
#include "grid/string/grideditbtn.h"

#include <QApplication>
#include <QKeyEvent>
#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 1000000;
constexpr TEditorType kTypes[] = {edSpinEdit,    edEditBtn,      edUnitEditBtn,
                                  edDateEdit,    edDateTimeEdit, edRichEdit};

TDazStringGrid &Grid()
{
    static TDazStringGrid *g = [] {
        auto *grid = new TDazStringGrid;
        grid->SetColCount(3);
        grid->SetRowCount(kRows);
        grid->SetOptions(grid->Options() + goEditing);
        grid->BtnUnitEdit()->SetUnits({"mm", "cm"});
        grid->resize(500, 400);
        grid->show();
        grid->activateWindow();
        grid->setFocus();
        QApplication::processEvents();
        return grid;
    }();
    return *g;
}

void Press(int Key, const QString &Text = {})
{
    QWidget *w = QApplication::focusWidget();
    QKeyEvent down(QEvent::KeyPress, Key, Qt::NoModifier, Text);
    QApplication::sendEvent(w ? w : &Grid(), &down);
}

void BM_EditByKeys(benchmark::State &state)
{
    TDazStringGrid &g = Grid();
    const TEditorType type = kTypes[state.range(0)];
    const int row = int(state.range(1));
    g.OnGetEditorType = [type](TObject *, int, int, TEditorType &E) { E = type; };
    const QString value = type == edUnitEditBtn ? QStringLiteral("12mm") : QStringLiteral("7");
    int edits = 0;
    g.OnEditCellDone = [&](TObject *, int, int) { ++edits; };
    for (auto _ : state) {
        g.SetCells(1, row, value);
        g.FocusCell(1, row, true);
        Press(Qt::Key_F2);
        if (type == edRichEdit)
            Press(Qt::Key_Escape, QString(QChar(27)));
        else
            Press(Qt::Key_Return, QStringLiteral("\r"));
        QCoreApplication::sendPostedEvents(&g);
    }
    g.OnEditCellDone = nullptr;
    g.OnGetEditorType = nullptr;
    if (edits != int(state.iterations()))
        state.SkipWithError("an edit did not end");
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EditByKeys)
    ->ArgsProduct({{0, 1, 2, 3, 4, 5}, {10, kRows - 10}})
    ->Unit(benchmark::kMicrosecond);

} // namespace
