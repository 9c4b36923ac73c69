// Where a click counts as a click on a cell's check box, and what a toggle leaves for undo.
#include "grid/base/gridundo.h"
#include "grid/string/dazstringgrid.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {

struct PreciseHit : ::testing::Test
{
    TDazStringGrid Grid;
    int Size = 0;
    PreciseHit()
    {
        Grid.SetColCount(4);
        Grid.SetRowCount(5);
        Grid.SetDefaultColWidth(120);
        Grid.resize(520, 200);
        Grid.show();
        QApplication::processEvents();
        Grid.MouseActions().SetPreciseCheckBoxCheck(true);
        Size = Grid.ControlLook().CheckSize();
    }
    // Whether a point Dx pixels left of the cell's right edge and in the box's rows hits.
    bool HitFromRight(int ACol, int ARow, int Dx)
    {
        const TRect r = Grid.CellRect(ACol, ARow);
        return Grid.IsInCheckBox(ACol, ARow, r.Right - Dx, r.Top + 2 + Size / 2);
    }
};

// The alignment comes from the same place as the painting's: here the alignment event.
TEST_F(PreciseHit, RightAlignedBoxesSitLeftOfAPrintedTextOnly)
{
    Grid.OnGetAlignment = [](TObject *, int, int ACol, TAlignment &H, TVAlignment &) {
        if (ACol >= 1)
            H = taRightJustify;
    };
    Grid.SetCells(1, 1, "label");
    Grid.AddCheckBox(1, 1, false, false);
    const int text = Grid.CellTextSize(1, 1).X;
    ASSERT_GT(text, Size);
    EXPECT_TRUE(HitFromRight(1, 1, 2 + text + Size / 2));
    EXPECT_FALSE(HitFromRight(1, 1, 2 + Size / 2));

    // A data check box prints no text: its box is at the right edge.
    Grid.AddCheckBox(2, 1, true, true);
    EXPECT_TRUE(HitFromRight(2, 1, 2 + Size / 2));
    EXPECT_FALSE(HitFromRight(2, 1, 2 + Size + 1));
}

TEST_F(PreciseHit, TheRowCheckBoxIsHitInTheMiddleOfItsCell)
{
    Grid.MouseActions().SetHotmailRowSelect(true);
    const TRect r = Grid.CellRect(0, 2);
    const int mid = r.Top + 2 + Size / 2;
    EXPECT_TRUE(Grid.IsInCheckBox(0, 2, (r.Left + r.Right) / 2, mid));
    EXPECT_FALSE(Grid.IsInCheckBox(0, 2, r.Left + 2 + Size / 2, mid));
}

TEST(CheckBoxUndo, UndoOfAToggleRestoresTheTextBeforeIt)
{
    TDazStringGrid grid;
    grid.SetColCount(3);
    grid.SetRowCount(4);
    TDazGridUndoRedo undo;
    grid.SetUndoRedo(&undo);
    // Added unchecked; the texts change afterwards without the box's own flag knowing.
    grid.AddCheckBox(1, 1, false, true);
    for (const QString before : {QStringLiteral("N"), QStringLiteral("Y")}) {
        grid.SetCells(1, 1, before);
        ASSERT_TRUE(grid.ToggleCheckBox(1, 1));
        ASSERT_NE(grid.Cells(1, 1), before);
        undo.Undo();
        EXPECT_EQ(grid.Cells(1, 1), before);
    }
    grid.SetUndoRedo(nullptr);
}

}   // namespace
