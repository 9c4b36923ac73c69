// Where a click counts as a click on a cell's check box, what a toggle leaves for undo, and
// what Space on a radio group reports.
#include "grid/base/gridundo.h"
#include "grid/string/dazstringgrid.h"

#include <QApplication>
#include <QKeyEvent>
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

// Which rows a check-box column reaches, and what kind of box each gets.
TEST(CheckBoxColumn, HeadersWithCheckAllNodesTriStateSummariesNone)
{
    TDazStringGrid grid;
    grid.SetColCount(3);
    grid.SetRowCount(7);
    grid.AddNode(2, 3);        // rows 2..4
    grid.SetSummaryRow(5);
    auto kinds = [&] {
        QList<TCellType> out;
        for (int r = 0; r < grid.RowCount(); ++r)
            out << grid.GetCellType(2, r);
        return out;
    };
    grid.AddCheckBoxColumn(2, true, true);
    EXPECT_EQ(kinds(), (QList<TCellType>{ctEmpty, ctDataCheckBox, ctTriStateCheckBox,
                                         ctDataCheckBox, ctDataCheckBox, ctEmpty,
                                         ctDataCheckBox}));
    TCheckBoxState node = cbChecked;
    ASSERT_TRUE(grid.GetCheckBoxState(2, 2, node));
    EXPECT_EQ(node, cbUnchecked);
    grid.RemoveCheckBoxColumn(2);
    EXPECT_EQ(kinds(), QList<TCellType>(7, ctEmpty));

    grid.MouseActions().SetCheckAllCheck(true);
    grid.AddCheckBoxColumn(2, false, false);
    EXPECT_EQ(grid.GetCellType(2, 0), ctCheckBox);
    grid.AddTriStateCheckBoxColumn(1, cbGrayed);
    EXPECT_EQ(grid.GetCellType(1, 0), ctTriStateCheckBox);
    EXPECT_EQ(grid.GetCellType(1, 5), ctTriStateCheckBox);
}

TEST(RadioGroupSpace, ReportsTheItemTheStepSelected)
{
    TDazStringGrid grid;
    grid.SetColCount(3);
    grid.SetRowCount(4);
    grid.SetOptions(grid.Options() + goEditing);
    QList<int> reported;
    grid.OnRadioClick = [&](TObject *, int, int, int AIdx) { reported << AIdx; };
    TStringList items;
    items.Add("a");
    items.Add("b");
    items.Add("c");
    // Index 2 steps on to 0; an index below -1 follows the cell text and stays.
    grid.AddRadio(1, 1, 0, 2, &items);
    grid.AddRadio(2, 1, 0, -2, &items);
    grid.SetCells(2, 1, "a");
    for (int col : {1, 2}) {
        grid.FocusCell(col, 1);
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
        QApplication::sendEvent(&grid, &down);
    }
    EXPECT_EQ(reported, (QList<int>{0, 1}));
    EXPECT_EQ(grid.Cells(1, 1), "a");
    EXPECT_EQ(grid.Cells(2, 1), "b");
    int idx = 0;
    grid.GetRadioIdx(2, 1, idx);
    EXPECT_EQ(idx, -2);
}

}   // namespace
