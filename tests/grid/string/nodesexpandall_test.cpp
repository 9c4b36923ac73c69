// Expanding every group brings the rows back in one pass; nodes on those rows come back
// expanded, also one still marked collapsed while it was hidden.
#include "tests/grid/string/gridfixture.h"

#include <gtest/gtest.h>

TEST(NodesExpandAll, HiddenNodesComeBackExpanded)
{
    auto grid = NamedGrid(3, 10, 1);
    grid->AddNode(1, 4);   // rows 1..4
    grid->AddNode(2, 2);   // rows 2..3 inside it
    grid->AddNode(6, 3);   // rows 6..8
    grid->ContractNode(1);
    grid->ContractNode(6);
    ASSERT_EQ(grid->RowCount(), 5);
    // The inner node, hidden, marked collapsed through its record.
    const TStringList *cells = grid->HiddenRowCells(2);
    ASSERT_NE(cells, nullptr);
    auto *props = dynamic_cast<TCellProperties *>(cells->Objects(0));
    ASSERT_NE(props, nullptr);
    auto *inner = dynamic_cast<TCellGraphic *>(props->GraphicObject());
    ASSERT_NE(inner, nullptr);
    inner->CellBoolean = true;
    grid->ExpandAll();
    EXPECT_EQ(grid->RowCount(), 10);
    EXPECT_EQ(grid->NumHiddenRows(), 0);
    EXPECT_FALSE(grid->GetNodeState(1));
    EXPECT_FALSE(grid->GetNodeState(2));
    EXPECT_FALSE(grid->GetNodeState(6));
    EXPECT_EQ(grid->Cells(1, 3), "1:3");
    EXPECT_EQ(grid->Cells(1, 8), "1:8");
    grid->ContractAll();
    EXPECT_EQ(grid->RowCount(), 5);
    EXPECT_TRUE(grid->GetNodeState(1));
}
