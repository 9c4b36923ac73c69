// The update lock against real paint events, the grid timer's tick and the fixed-cell hover
// rules.
#include "gridfixture.h"

#include <gtest/gtest.h>

namespace {

class TPaintCountingGrid : public TDazStringGrid
{
public:
    int Paints = 0;

protected:
    void Paint() override
    {
        ++Paints;
        TDazStringGrid::Paint();
    }
};

// Shows the grid and lets every pending paint happen; answers the paints it saw.
int Settle(TPaintCountingGrid &Grid)
{
    Grid.Paints = 0;
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
    return Grid.Paints;
}

}   // namespace

TEST(GridUpdateLock, NestedBlocksPaintOnceAtTheLastEnd)
{
    TPaintCountingGrid g;
    g.show();
    Settle(g);
    g.BeginUpdate();
    g.BeginUpdate();
    for (int r = 1; r < 5; ++r)
        g.SetCells(1, r, "changed");
    g.viewport()->update();
    EXPECT_EQ(Settle(g), 0);
    g.EndUpdate();
    EXPECT_TRUE(g.LockUpdate());
    EXPECT_EQ(Settle(g), 0);
    g.EndUpdate();
    EXPECT_FALSE(g.LockUpdate());
    EXPECT_EQ(Settle(g), 1);

    g.EndUpdate();   // nothing open: no error, one repaint
    EXPECT_EQ(g.UpdateCount(), 0);
    EXPECT_EQ(Settle(g), 1);

    g.SetLockUpdate(true);
    g.viewport()->update();
    EXPECT_EQ(Settle(g), 0);
    g.SetLockUpdate(false);
    EXPECT_EQ(Settle(g), 1);
}

TEST(GridUpdateLock, ABlockEndedWhileHiddenDoesNotFreezeTheGrid)
{
    TPaintCountingGrid g;
    g.show();
    Settle(g);
    g.BeginUpdate();
    g.hide();
    g.EndUpdate();
    EXPECT_FALSE(g.LockUpdate());
    g.show();
    EXPECT_GE(Settle(g), 1);

    g.StartUpdate();
    g.StartUpdate();
    g.ResetUpdate();
    EXPECT_FALSE(g.LockUpdate());
}

TEST(GridTimer, IncrementalSearchTextIsForgottenOnTheFourthTick)
{
    TDazStringGrid g;
    g.Navigation().SetAutoGotoIncremental(true);
    g.SetSearchInc("ab");
    for (int i = 0; i < 3; ++i)
        g.GridTimerTick();
    EXPECT_EQ(g.SearchInc(), "ab");
    g.GridTimerTick();
    EXPECT_EQ(g.SearchInc(), "");
    EXPECT_EQ(g.TimerTicks(), 4);

    g.SetEnableBlink(true);
    const bool phase = g.GridBlink();
    g.GridTimerTick();
    EXPECT_NE(g.GridBlink(), phase);
}

TEST(GridHoverFixedCells, WhichCellsCount)
{
    TDazStringGrid g;   // one fixed row and column
    struct Case
    {
        THoverFixedCells mode;
        int col, row;
        bool hover;
    };
    const Case cases[] = {
        {hfNone, 0, 0, false},       {hfAll, 0, 3, true},          {hfAll, 3, 0, true},
        {hfAll, 3, 3, false},        {hfFixedRows, 0, 3, false},   {hfFixedRows, 3, 0, true},
        {hfFixedColumns, 0, 3, true}, {hfFixedColumns, 3, 0, false},
    };
    for (const Case &c : cases) {
        g.SetHoverFixedCells(c.mode);
        EXPECT_EQ(g.IsHoverFixedCell(c.col, c.row), c.hover)
            << c.mode << " " << c.col << " " << c.row;
    }
}
