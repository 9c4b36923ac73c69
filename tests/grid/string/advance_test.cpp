// Moving on after an edit (AdvanceToNextCell), the wheel over the grid, wheel-button
// panning, and an open combo when the grid scrolls.
#include "editfixture.h"

#include <QWheelEvent>

namespace {

class AdvanceFixture : public EditFixture
{
protected:
    void SetUp() override
    {
        EditFixture::SetUp();
        grid->Navigation().SetAdvanceOnEnter(true);
    }
    void Advance(bool Forward = true)
    {
        grid->AdvanceToNextCell(grid->Col(), grid->Row(), false, false, Forward, false, false);
    }
    TGridCoord Cur() const { return {grid->Col(), grid->Row()}; }
};

void WheelOn(TDazStringGrid &G, int Delta, Qt::KeyboardModifiers Mods = Qt::NoModifier)
{
    const QPointF p(20, 40);
    QWheelEvent e(p, G.viewport()->mapToGlobal(p), QPoint(), QPoint(0, Delta), Qt::NoButton, Mods,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(G.viewport(), &e);
}

}   // namespace

TEST_F(AdvanceFixture, TheDirectionsStepAndWrapAsConfigured)
{
    struct Case
    {
        const char *name;
        TAdvanceDirection dir;
        TGridCoord start;
        bool forward;
        bool loop;
        TGridCoord expected;
    };
    const Case cases[] = {
        {"along the row", adLeftRight, {1, 1}, true, true, {2, 1}},
        {"to the next row", adLeftRight, {3, 1}, true, true, {1, 2}},
        {"wrap at the end", adLeftRight, {3, 4}, true, true, {1, 1}},
        {"stay at the end", adLeftRight, {3, 4}, true, false, {3, 4}},
        {"in the row only", adLeftRightInRow, {3, 2}, true, true, {1, 2}},
        {"down the column", adTopBottom, {2, 1}, true, true, {2, 2}},
        {"to the next column", adTopBottom, {2, 4}, true, true, {3, 1}},
        {"in the column only", adTopBottomInCol, {2, 4}, true, true, {2, 1}},
        {"back along the row", adLeftRight, {1, 2}, false, true, {3, 1}},
        {"back up the column", adTopBottom, {2, 1}, false, true, {1, 4}},
    };
    for (const Case &c : cases) {
        grid->Navigation().SetAdvanceDirection(c.dir);
        grid->Navigation().SetAdvanceOnEnterLoop(c.loop);
        grid->FocusCell(c.start.X, c.start.Y, true);
        Advance(c.forward);
        EXPECT_EQ(Cur(), c.expected) << c.name;
    }
}

TEST_F(AdvanceFixture, AtTheEndARowIsAddedWhenAsked)
{
    grid->Navigation().SetAdvanceInsert(true);
    int added = -1;
    grid->OnAutoAddRow = [&](TObject *, int R) { added = R; };
    grid->FocusCell(3, 4, true);
    Advance();
    EXPECT_EQ(grid->RowCount(), 6);
    EXPECT_EQ(added, 5);
    EXPECT_EQ(Cur(), (TGridCoord{1, 5}));
    // A refused row stays away; the cell goes to the first normal column.
    grid->OnCanAddRow = [](TObject *, bool &Can) { Can = false; };
    grid->FocusCell(3, 5, true);
    Advance();
    EXPECT_EQ(grid->RowCount(), 6);
}

TEST_F(AdvanceFixture, ReadOnlyCellsAreSkippedAndAGridWithoutEditableCellsStops)
{
    grid->SetReadOnly(2, 1, true);
    grid->FocusCell(1, 1, true);
    Advance();
    EXPECT_EQ(Cur(), (TGridCoord{3, 1}));
    for (int r = 1; r < 5; ++r)
        for (int c = 1; c < 4; ++c)
            grid->SetReadOnly(c, r, true);
    grid->FocusCell(1, 1, true);
    Advance();   // one pass over the grid, then the advance gives up
    EXPECT_EQ(Cur(), (TGridCoord{1, 1}));
}

TEST_F(AdvanceFixture, AHandlerMayRedirectOrRefuseTheStep)
{
    grid->OnAutoAdvance = [](TObject *, int, int, int &NewRow, int &NewCol, bool &) {
        NewRow = 3;
        NewCol = 3;
    };
    Advance();
    EXPECT_EQ(Cur(), (TGridCoord{3, 3}));
    grid->OnAutoAdvance = [](TObject *, int, int, int &, int &, bool &Allow) { Allow = false; };
    Advance();
    EXPECT_EQ(Cur(), (TGridCoord{3, 3}));
}

TEST_F(AdvanceFixture, AMergedCellIsPassedWhole)
{
    grid->MergeCells(1, 2, 2, 1);
    grid->FocusCell(1, 2, true);
    Advance();
    EXPECT_EQ(Cur(), (TGridCoord{3, 2}));
}

TEST_F(AdvanceFixture, WithoutAdvanceOnEnterOnlyAForcedStepMoves)
{
    grid->Navigation().SetAdvanceOnEnter(false);
    Advance();
    EXPECT_EQ(Cur(), (TGridCoord{1, 1}));
    grid->AdvanceToNextCell(1, 1, false, false, true, false, true);
    EXPECT_EQ(Cur(), (TGridCoord{2, 1}));
}

TEST_F(EditFixture, TheWheelMovesTheCurrentRowByTheWheelLines)
{
    grid->SetRowCount(30);
    grid->MouseActions().SetWheelIncrement(2);
    WheelOn(*grid, -120);
    EXPECT_EQ(grid->Row(), 3);
    WheelOn(*grid, 120);
    EXPECT_EQ(grid->Row(), 1);
    grid->FocusCell(1, 28, true);
    WheelOn(*grid, -120);
    EXPECT_EQ(grid->Row(), 29);   // stops at the last normal row
    grid->SetEnableWheel(false);
    WheelOn(*grid, 120);
    EXPECT_EQ(grid->Row(), 29);
}

TEST_F(EditFixture, TheWheelScrollsWithWaScrollAndCtrlZooms)
{
    grid->SetRowCount(40);
    grid->MouseActions().SetWheelAction(waScroll);
    grid->MouseActions().SetWheelIncrement(3);
    WheelOn(*grid, -120);
    EXPECT_EQ(grid->TopRow(), 4);
    EXPECT_EQ(grid->Row(), 1);
    WheelOn(*grid, 120);
    EXPECT_EQ(grid->TopRow(), 1);
    const int height = grid->RowHeights(2);
    WheelOn(*grid, -120, Qt::ControlModifier);
    EXPECT_EQ(grid->ZoomFactor(), grid->WheelScrollLines());
    EXPECT_NE(grid->RowHeights(2), height);
}

TEST_F(EditFixture, TheWheelButtonPansInTheDirectionOfTheMouseOutsideADeadZone)
{
    grid->SetRowCount(40);
    grid->MouseActions().SetWheelAction(waMoveSelection);
    QWidget *vp = grid->viewport();
    const QPointF start(100, 60);
    QMouseEvent press(QEvent::MouseButtonPress, start, vp->mapToGlobal(start), Qt::MiddleButton,
                      Qt::MiddleButton, Qt::NoModifier);
    QApplication::sendEvent(vp, &press);
    ASSERT_TRUE(grid->Panning());
    QCursor::setPos(vp->mapToGlobal(QPoint(103, 63)));   // within 5 pixels
    grid->PanStep();
    EXPECT_EQ(grid->Row(), 1);
    QCursor::setPos(vp->mapToGlobal(QPoint(100, 90)));
    if (vp->mapFromGlobal(QCursor::pos()).y() == 90) {   // the platform moves the cursor
        grid->PanStep();
        grid->PanStep();
        EXPECT_EQ(grid->Row(), 3);
        EXPECT_EQ(vp->cursor().shape(), Qt::SizeVerCursor);
    }
    QMouseEvent stop(QEvent::MouseButtonPress, start, vp->mapToGlobal(start), Qt::LeftButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(vp, &stop);
    EXPECT_FALSE(grid->Panning());
}

TEST_F(EditFixture, ScrollingWithAnOpenComboWritesItsChoice)
{
    grid->SetRowCount(40);
    grid->OnGetEditorType = [this](TObject *, int, int, TEditorType &E) {
        E = edComboList;
        grid->ClearComboString();
        for (const char *s : {"one", "two", "three"})
            grid->AddComboString(s);
    };
    Key(Qt::Key_F2);
    ASSERT_TRUE(grid->Combobox()->isVisible());
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    grid->SetTopRow(10);
    Flush();
    EXPECT_FALSE(grid->Combobox()->isVisible());
    EXPECT_EQ(grid->Cells(1, 1), "three");
}
