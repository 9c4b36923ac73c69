#pragma once
// A shown, focused string grid for the in-place editing tests, with the editing events
// recorded in order and keys typed where the focus is (the grid or its open editor).
#include "grid/string/dazstringgrid.h"
#include "grid/string/gridcheckboxedit.h"
#include "grid/string/gridcombo.h"
#include "grid/string/inplaceedit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

inline void PrintTo(const QString &Text, std::ostream *Out)
{
    *Out << '"' << Text.toStdString() << '"';
}

// Records the editing events as short lines: "EditChange 1,1 ab", "CellValidate 1,1 ab",
// "EditingDone", "EditCellDone 1,1", "ComboChange 2,1 0 Alpha", ... (columns first, as
// the events have them).
class TEditLog
{
public:
    explicit TEditLog(TDazStringGrid &Grid)
    {
        auto cell = [](int A, int B) { return QStringLiteral(" %1,%2").arg(A).arg(B); };
        Grid.OnEditChange = [=, this](TObject *, int C, int R, const QString &V) {
            Lines << "EditChange" + cell(C, R) + " " + V;
        };
        Grid.OnCellValidate = [=, this](TObject *, int C, int R, QString &V, bool &Valid) {
            Lines << "CellValidate" + cell(C, R) + " " + V;
            if (Validate)
                Validate(C, R, V, Valid);
        };
        Grid.OnEditingDone = [this](TObject *) { Lines << "EditingDone"; };
        Grid.OnEditCellDone = [=, this](TObject *, int C, int R) {
            Lines << "EditCellDone" + cell(C, R);
        };
        Grid.OnComboChange = [=, this](TObject *, int C, int R, int I, const QString &S) {
            Lines << "ComboChange" + cell(C, R) + QStringLiteral(" %1 ").arg(I) + S;
        };
        Grid.OnComboObjectChange = [=, this](TObject *, int C, int R, int I, const QString &S,
                                             TObject *) {
            Lines << "ComboObjectChange" + cell(C, R) + QStringLiteral(" %1 ").arg(I) + S;
        };
    }
    // The lines whose event name is one of Names, in order.
    QStringList Only(const QStringList &Names) const
    {
        QStringList out;
        for (const QString &l : Lines)
            if (Names.contains(l.section(' ', 0, 0)))
                out << l;
        return out;
    }
    QStringList Lines;
    std::function<void(int, int, QString &, bool &)> Validate;
};

// Keys typed where the focus is (the grid or its open editor), clicks in cells, and the
// posted events delivered.
class TGridDriver
{
public:
    explicit TGridDriver(TDazStringGrid *&Grid) : FGrid(Grid) {}
    QWidget *Focused() const
    {
        QWidget *w = QApplication::focusWidget();
        return w ? w : static_cast<QWidget *>(FGrid);
    }
    // One key press and release where the focus is.
    void Key(int QtKey, Qt::KeyboardModifiers Mods = Qt::NoModifier, const QString &Text = {})
    {
        QKeyEvent down(QEvent::KeyPress, QtKey, Mods, Text);
        QApplication::sendEvent(Focused(), &down);
        QKeyEvent up(QEvent::KeyRelease, QtKey, Mods, Text);
        QApplication::sendEvent(Focused(), &up);
    }
    void Type(const QString &Text)
    {
        for (QChar c : Text)
            Key(c.isLetter() ? Qt::Key_A + (c.toUpper().unicode() - 'A')
                             : c.isDigit() ? Qt::Key_0 + (c.unicode() - '0') : Qt::Key_unknown,
                Qt::NoModifier, QString(c));
    }
    void Enter() { Key(Qt::Key_Return, Qt::NoModifier, "\r"); }
    // Delivers posted events (the end of an edit).
    static void Flush() { QApplication::processEvents(); }
    // A press and release in the middle of a cell (display indexes).
    void Click(int ACol, int ARow, Qt::MouseButton Button = Qt::LeftButton)
    {
        const TRect r = FGrid->CellRect(ACol, ARow);
        const QPointF p(r.Left + (r.Right - r.Left) / 2, r.Top + (r.Bottom - r.Top) / 2);
        QWidget *vp = FGrid->viewport();
        QMouseEvent press(QEvent::MouseButtonPress, p, vp->mapToGlobal(p), Button, Button,
                          Qt::NoModifier);
        QApplication::sendEvent(vp, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, p, vp->mapToGlobal(p), Button,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(vp, &release);
    }
    // A click followed by the second press of a double click and its release.
    void DoubleClick(int ACol, int ARow)
    {
        Click(ACol, ARow);
        const TRect r = FGrid->CellRect(ACol, ARow);
        const QPointF p(r.Left + (r.Right - r.Left) / 2, r.Top + (r.Bottom - r.Top) / 2);
        QWidget *vp = FGrid->viewport();
        QMouseEvent dbl(QEvent::MouseButtonDblClick, p, vp->mapToGlobal(p), Qt::LeftButton,
                        Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(vp, &dbl);
        QMouseEvent release(QEvent::MouseButtonRelease, p, vp->mapToGlobal(p), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(vp, &release);
    }
    bool TextEditorShown() const { return FGrid->NormalEdit() && FGrid->NormalEdit()->isVisible(); }
    // Shows and focuses the grid with (1, 1) current.
    static void ShowFocused(TDazStringGrid &Grid, int Width)
    {
        Grid.resize(Width, 250);
        Grid.show();
        Grid.activateWindow();
        Grid.setFocus();
        QApplication::processEvents();
        Grid.FocusCell(1, 1, true);
    }

private:
    TDazStringGrid *&FGrid;
};

class EditFixture : public ::testing::Test, public TGridDriver
{
protected:
    EditFixture() : TGridDriver(FGridPtr) {}
    // 4 columns x 5 rows (one fixed each), editable, current cell (1, 1).
    void SetUp() override
    {
        grid = std::make_unique<TDazStringGrid>();
        FGridPtr = grid.get();
        grid->SetColCount(4);
        grid->SetRowCount(5);
        grid->SetOptions(grid->Options() + goEditing);
        ShowFocused(*grid, 400);
        log = std::make_unique<TEditLog>(*grid);
    }
    void TearDown() override
    {
        log.reset();
        grid.reset();
        FGridPtr = nullptr;
        QApplication::processEvents();
    }
    TDazInplaceEdit *Editor() const { return grid->NormalEdit(); }
    bool EditorShown() const { return TextEditorShown(); }
    // The control the grid shows for the open editor, if any.
    QWidget *Shown() const
    {
        for (QWidget *w : grid->viewport()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            if (w->isVisible())
                return w;
        return nullptr;
    }

    std::unique_ptr<TDazStringGrid> grid;
    std::unique_ptr<TEditLog> log;

private:
    TDazStringGrid *FGridPtr = nullptr;
};
