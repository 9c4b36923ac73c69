// Keyboard, editing, mouse and wheel behaviour of the grid.
#include "gridtest.h"

#include <QLineEdit>
#include <QScrollBar>

namespace {
struct NavCase
{
    const char *name;
    TGridCoord start;
    int key;
    Qt::KeyboardModifiers mods;
    TGridCoord expected;
};
}   // namespace

TEST_F(GridFixture, KeyboardNavigation)
{
    grid->SetGridLineWidth(0);
    grid->SetColCount(10);
    grid->SetRowCount(100);
    const Qt::KeyboardModifiers none = Qt::NoModifier, ctrl = Qt::ControlModifier;
    const NavCase cases[] = {
        {"down", {2, 2}, Qt::Key_Down, none, {2, 3}},
        {"up stops at the fixed row", {2, 1}, Qt::Key_Up, none, {2, 1}},
        {"left stops at the fixed column", {1, 5}, Qt::Key_Left, none, {1, 5}},
        {"right", {2, 5}, Qt::Key_Right, none, {3, 5}},
        {"right stops at the last column", {9, 5}, Qt::Key_Right, none, {9, 5}},
        {"page down moves a page", {2, 1}, Qt::Key_PageDown, none, {2, 7}},
        {"page up", {2, 30}, Qt::Key_PageUp, none, {2, 24}},
        {"home", {5, 5}, Qt::Key_Home, none, {1, 5}},
        {"end", {5, 5}, Qt::Key_End, none, {9, 5}},
        {"ctrl home", {5, 50}, Qt::Key_Home, ctrl, {1, 1}},
        {"ctrl end", {5, 5}, Qt::Key_End, ctrl, {9, 99}},
        {"down at the end stays", {2, 99}, Qt::Key_Down, none, {2, 99}},
    };
    for (const NavCase &c : cases) {
        grid->FocusCell(c.start.X, c.start.Y, true);
        grid->Press(c.key, c.mods);
        EXPECT_EQ(grid->Col(), c.expected.X) << c.name;
        EXPECT_EQ(grid->Row(), c.expected.Y) << c.name;
    }
}

TEST_F(GridFixture, ShiftArrowsExtendTheSelectionFromTheAnchor)
{
    grid->FocusCell(2, 2, true);
    grid->Press(Qt::Key_Down, Qt::ShiftModifier);
    grid->Press(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(grid->Selection(), (TGridRect{2, 2, 3, 3}));
    grid->Press(Qt::Key_Down);
    EXPECT_EQ(grid->Selection(), (TGridRect{3, 4, 3, 4}));
}

TEST_F(GridFixture, RowSelectMovesRowsWithLeftAndRightAndHomeEndGoToRows)
{
    grid->SetRowCount(10);
    grid->SetOptions(grid->Options() + goRowSelect);
    grid->FocusCell(1, 3, true);
    grid->Press(Qt::Key_Right);
    EXPECT_EQ(grid->Row(), 4);
    grid->Press(Qt::Key_End);
    EXPECT_EQ(grid->Row(), 9);
    grid->Press(Qt::Key_Home);
    EXPECT_EQ(grid->Row(), 1);
}

TEST_F(GridFixture, TabWalksTabStopsOnlyWithGoTabs)
{
    Focus();
    grid->SetTabStops(2, false);
    grid->FocusCell(1, 1, true);
    grid->Press(Qt::Key_Tab);
    EXPECT_EQ(grid->Col(), 1);   // without goTabs the key moves the focus, not the cell
    grid->SetOptions(grid->Options() + goTabs);
    grid->Press(Qt::Key_Tab);
    EXPECT_EQ(grid->Col(), 3);   // column 2 is no tab stop
    grid->FocusCell(4, 1, true);
    grid->Press(Qt::Key_Tab);
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 2);
    grid->Press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(grid->Col(), 4);
    EXPECT_EQ(grid->Row(), 1);
    // No tab stop at all: a round ends where it started.
    for (int c = 0; c < 5; ++c)
        grid->SetTabStops(c, false);
    grid->Press(Qt::Key_Tab);
    EXPECT_EQ(grid->Col(), 4);
}

TEST_F(GridFixture, KeyDownEventCanSwallowAKey)
{
    std::vector<uint16_t> keys;
    grid->OnKeyDown = [&](TObject *, uint16_t &key, TShiftState) {
        keys.push_back(key);
        if (key == VK_DOWN)
            key = 0;
    };
    std::vector<QChar> chars;
    grid->OnKeyPress = [&](TObject *, QChar &key) { chars.push_back(key); };
    grid->FocusCell(1, 1, true);
    grid->Press(Qt::Key_Down);
    EXPECT_EQ(grid->Row(), 1);
    grid->Press(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    EXPECT_EQ(keys, (std::vector<uint16_t>{VK_DOWN, VK_RETURN}));
    ASSERT_EQ(chars.size(), 1u);   // Enter's character follows its key-down
    EXPECT_EQ(chars[0], QChar(13));
}

TEST_F(GridFixture, SelectCellVetoStopsKeyboardAndMouse)
{
    grid->FocusCell(1, 1, true);
    grid->Veto = [](int col, int) { return col != 2; };
    grid->Press(Qt::Key_Right);
    EXPECT_EQ(grid->Col(), 1);
    grid->Click(2 * 65 + 10, 3 * 25 + 5);
    EXPECT_EQ(grid->Col(), 1);
    grid->Click(3 * 65 + 10, 3 * 25 + 5);
    EXPECT_EQ(grid->Col(), 3);
    EXPECT_EQ(grid->Row(), 3);
}

// --- Editing ----------------------------------------------------------------------------

class EditFixture : public GridFixture
{
protected:
    void SetUp() override
    {
        GridFixture::SetUp();
        grid->SetOptions(grid->Options() + goEditing);
        grid->SetCells(1, 1, QStringLiteral("abc"));
        Focus();
    }
    TInplaceEdit *Editor() { return grid->InplaceEditor(); }
};

TEST_F(EditFixture, F2OpensTheEditorOverTheCellWithItsText)
{
    grid->Press(Qt::Key_F2);
    ASSERT_TRUE(Editor());
    EXPECT_TRUE(grid->EditorMode());
    EXPECT_TRUE(Editor()->isVisible());
    EXPECT_EQ(Editor()->text(), QStringLiteral("abc"));
    EXPECT_EQ(TRect::FromQRect(Editor()->geometry()), grid->CellRect(1, 1));
    EXPECT_TRUE(Editor()->hasFocus());
}

TEST_F(EditFixture, TypingStartsAnEditAndWritesThrough)
{
    std::vector<QString> sets;
    grid->OnSetEditText = [&](TObject *, int, int, const QString &v) { sets.push_back(v); };
    grid->Press(Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
    ASSERT_TRUE(Editor());
    EXPECT_EQ(Editor()->text(), QStringLiteral("x"));   // the typed key replaces the text
    grid->Press(Qt::Key_Y, Qt::NoModifier, QStringLiteral("y"));
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("xy"));
    ASSERT_FALSE(sets.empty());
    EXPECT_EQ(sets.back(), QStringLiteral("xy"));
    grid->Press(Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("x"));
}

TEST_F(EditFixture, EnterTogglesTheEditor)
{
    grid->Press(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    ASSERT_TRUE(Editor());
    EXPECT_TRUE(Editor()->isVisible());
    Editor()->setText(QStringLiteral("new"));
    grid->Press(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_FALSE(Editor()->isVisible());
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("new"));
    EXPECT_TRUE(grid->hasFocus());
}

TEST_F(EditFixture, MovingTheCellClosesTheEditorAndWritesItsText)
{
    grid->Press(Qt::Key_F2);
    Editor()->setText(QStringLiteral("changed"));
    grid->Press(Qt::Key_Down);   // from the editor: the grid moves
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_FALSE(Editor()->isVisible());
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("changed"));
}

TEST_F(EditFixture, NoEditorWithoutGoEditingOrWithRowSelect)
{
    grid->SetOptions(grid->Options() - goEditing);
    grid->Press(Qt::Key_F2);
    EXPECT_FALSE(grid->InplaceEditor() && grid->InplaceEditor()->isVisible());
    grid->SetOptions(grid->Options() + goEditing + goRowSelect);
    grid->Press(Qt::Key_F2);
    EXPECT_FALSE(grid->InplaceEditor() && grid->InplaceEditor()->isVisible());
}

TEST_F(EditFixture, WritingTheEditedCellUpdatesTheEditor)
{
    grid->Press(Qt::Key_F2);
    grid->SetCells(1, 1, QStringLiteral("from code"));
    EXPECT_EQ(Editor()->text(), QStringLiteral("from code"));
}

TEST_F(EditFixture, EditLimitAndMaskComeFromTheGrid)
{
    grid->OnGetEditMask = [](TObject *, int, int, QString &mask) { mask = QStringLiteral("999"); };
    grid->Press(Qt::Key_F2);
    EXPECT_EQ(Editor()->inputMask(), QStringLiteral("999"));
}

TEST_F(EditFixture, ClickOnTheCurrentCellOpensTheEditor)
{
    grid->Click(65 + 10, 25 + 5);
    ASSERT_TRUE(Editor());
    EXPECT_TRUE(Editor()->isVisible());
    grid->Click(2 * 65 + 10, 2 * 25 + 5);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 2);
}

TEST_F(EditFixture, ScrollingMovesOrHidesTheEditor)
{
    grid->SetRowCount(50);
    grid->Press(Qt::Key_F2);
    grid->SetTopRow(10);
    EXPECT_FALSE(Editor()->isVisible());
    grid->SetTopRow(1);
    EXPECT_TRUE(Editor()->isVisible());
}

// --- Mouse ------------------------------------------------------------------------------

TEST_F(GridFixture, DraggingSelectsARange)
{
    grid->Mouse(QEvent::MouseButtonPress, 65 + 5, 25 + 5);
    EXPECT_EQ(grid->GridState(), gsSelecting);
    grid->Mouse(QEvent::MouseMove, 3 * 65 + 5, 3 * 25 + 5);
    grid->Mouse(QEvent::MouseButtonRelease, 3 * 65 + 5, 3 * 25 + 5);
    EXPECT_EQ(grid->GridState(), gsNormal);
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 3, 3}));
    EXPECT_EQ(grid->Col(), 1);   // the current cell stays where the drag began
    EXPECT_EQ(grid->Row(), 1);
}

TEST_F(GridFixture, SelectingBelowTheCellsScrollsOnTimerTicks)
{
    grid->SetRowCount(100);
    grid->Mouse(QEvent::MouseButtonPress, 65 + 5, 25 + 5);
    grid->Mouse(QEvent::MouseMove, 65 + 5, 400);
    const int before = grid->Selection().Bottom;
    for (int i = 0; i < 20; ++i)
        grid->TimerScroll();
    EXPECT_EQ(grid->Selection().Bottom, before + 20);
    EXPECT_GT(grid->TopRow(), 1);
    grid->Mouse(QEvent::MouseButtonRelease, 65 + 5, 400);
}

TEST_F(GridFixture, ColumnBorderInTheFixedRowSizesTheColumn)
{
    grid->SetOptions(grid->Options() + goColSizing + goRowSizing);
    TGridState state;
    int index, pos, ofs;
    grid->CalcSizingState(129, 10, state, index, pos, ofs);   // right edge of column 1
    EXPECT_EQ(state, gsColSizing);
    EXPECT_EQ(index, 1);
    grid->CalcSizingState(129, 60, state, index, pos, ofs);   // not in the fixed row
    EXPECT_EQ(state, gsNormal);
    grid->CalcSizingState(10, 49, state, index, pos, ofs);    // bottom edge of row 1
    EXPECT_EQ(state, gsRowSizing);
    EXPECT_EQ(index, 1);

    grid->Mouse(QEvent::MouseButtonPress, 129, 10);
    EXPECT_EQ(grid->GridState(), gsColSizing);
    grid->Mouse(QEvent::MouseMove, 159, 10);
    grid->Mouse(QEvent::MouseButtonRelease, 159, 10);
    EXPECT_EQ(grid->ColWidths(1), 94);
    EXPECT_EQ(grid->GridState(), gsNormal);
}

TEST_F(GridFixture, DraggingAFixedHeaderMovesTheColumn)
{
    grid->SetOptions(grid->Options() + goColMoving);
    for (int c = 0; c < 5; ++c)
        grid->SetCells(c, 2, QString::number(c));
    std::vector<std::pair<int, int>> moves;
    grid->OnColumnMoved = [&](TObject *, int from, int to) { moves.emplace_back(from, to); };
    grid->Mouse(QEvent::MouseButtonPress, 65 + 10, 10);
    EXPECT_EQ(grid->GridState(), gsColMoving);
    grid->Mouse(QEvent::MouseMove, 3 * 65 + 10, 10);
    grid->Mouse(QEvent::MouseButtonRelease, 3 * 65 + 10, 10);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0], std::make_pair(1, 3));
    EXPECT_EQ(grid->Rows(2), (QStringList{"0", "2", "3", "1", "4"}));
}

TEST_F(GridFixture, DraggingAFixedRowHeaderMovesTheRow)
{
    grid->SetOptions(grid->Options() + goRowMoving);
    for (int r = 0; r < 5; ++r)
        grid->SetCells(1, r, QString::number(r));
    grid->Mouse(QEvent::MouseButtonPress, 10, 3 * 25 + 5);
    EXPECT_EQ(grid->GridState(), gsRowMoving);
    grid->Mouse(QEvent::MouseMove, 10, 1 * 25 + 5);
    grid->Mouse(QEvent::MouseButtonRelease, 10, 1 * 25 + 5);
    EXPECT_EQ(grid->Cols(1), (QStringList{"0", "3", "1", "2", "4"}));
}

TEST_F(GridFixture, DoubleClickAndMouseEventsFire)
{
    std::vector<QString> log;
    grid->OnMouseDown = [&](TObject *, TMouseButton b, TShiftState s, int, int) {
        log.push_back(s.Contains(ssDouble) ? "down2" : b == mbRight ? "rdown" : "down");
    };
    grid->OnMouseUp = [&](TObject *, TMouseButton, TShiftState, int, int) { log.push_back("up"); };
    grid->OnDblClick = [&](TObject *) { log.push_back("dbl"); };
    grid->OnClick = [&](TObject *) { log.push_back("click"); };
    grid->Mouse(QEvent::MouseButtonPress, 100, 60);
    grid->Mouse(QEvent::MouseButtonRelease, 100, 60);
    grid->Mouse(QEvent::MouseButtonDblClick, 100, 60);
    grid->Mouse(QEvent::MouseButtonRelease, 100, 60);
    grid->Mouse(QEvent::MouseButtonPress, 100, 60, Qt::RightButton);
    EXPECT_EQ(log, (std::vector<QString>{"down", "click", "up", "dbl", "down2", "up", "rdown"}));
}

TEST_F(GridFixture, WheelMovesTheCurrentRowOnePerNotch)
{
    grid->SetRowCount(20);
    grid->FocusCell(1, 5, true);
    grid->DoMouseWheel({}, -240, QPoint());
    EXPECT_EQ(grid->Row(), 7);
    grid->DoMouseWheel({}, 60, QPoint());
    EXPECT_EQ(grid->Row(), 7);   // half a notch waits for the other half
    grid->DoMouseWheel({}, 60, QPoint());
    EXPECT_EQ(grid->Row(), 6);
    bool asked = false;
    grid->OnMouseWheelDown = [&](TObject *, TShiftState, QPoint, bool &handled) {
        asked = true;
        handled = true;
    };
    grid->DoMouseWheel({}, -120, QPoint());
    EXPECT_TRUE(asked);
    EXPECT_EQ(grid->Row(), 6);
}

TEST_F(GridFixture, ScrollBarsFollowTheView)
{
    grid->SetScrollBars(ssBoth);
    grid->SetRowCount(100);
    QApplication::processEvents();
    QScrollBar *bar = grid->verticalScrollBar();
    EXPECT_EQ(bar->minimum(), 1);
    EXPECT_EQ(bar->maximum(), grid->MaxTopRow());
    grid->SetTopRow(30);
    EXPECT_EQ(bar->value(), 30);
    int changes = 0;
    grid->OnTopLeftChanged = [&](TObject *) { ++changes; };
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(grid->TopRow(), 30 + grid->VisibleRowCount());
    EXPECT_EQ(bar->value(), grid->TopRow());
    bar->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(grid->TopRow(), 1);
    EXPECT_EQ(changes, 2);
}

TEST_F(GridFixture, EnterAndExitFireWhenTheFocusComesAndGoes)
{
    QLineEdit other(grid.get());   // another control of the same window
    other.show();
    grid->SetOptions(grid->Options() + goEditing);
    Focus();
    other.setFocus();
    QApplication::processEvents();
    int enters = 0, exits = 0;
    grid->OnEnter = [&](TObject *) { ++enters; };
    grid->OnExit = [&](TObject *) { ++exits; };
    grid->setFocus();
    EXPECT_EQ(enters, 1);
    grid->Press(Qt::Key_F2);   // the focus moves into the editor: still inside the grid
    ASSERT_TRUE(grid->InplaceEditor() && grid->InplaceEditor()->hasFocus());
    grid->Press(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(exits, 0);
    other.setFocus();
    EXPECT_EQ(exits, 1);
}

TEST_F(EditFixture, DestroyingTheGridWithItsEditorFocusedCallsNoHandler)
{
    grid->Press(Qt::Key_F2);
    ASSERT_TRUE(Editor()->hasFocus());
    int exits = 0;
    grid->OnExit = [&](TObject *) { ++exits; };
    grid.reset();
    EXPECT_EQ(exits, 0);
}
