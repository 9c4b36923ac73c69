// Node rows: levels, contracting and expanding with nested groups, ExpandOne, parents,
// child rows, the node button's reach and the group count in the display text.
#include "tests/grid/string/gridfixture.h"

#include <gtest/gtest.h>

namespace {

// A 3 x 10 grid, row 0 fixed, cell (c, r) holding "c:r".
class NodeTest : public ::testing::Test
{
protected:
    void SetUp() override { grid = NamedGrid(3, 10, 1); }

    int Level(int ARow)
    {
        return grid->HasCellProperties(0, ARow) ? grid->GetCellProperties(0, ARow)->NodeLevel() : 0;
    }

    std::unique_ptr<TDazStringGrid> grid;
};

TEST_F(NodeTest, NestedNodesRaiseTheLevelsOfTheirSpans)
{
    grid->AddNode(2, 3);
    EXPECT_TRUE(grid->HasNodes());
    EXPECT_EQ(Level(1), 0);
    EXPECT_EQ(Level(2), 1);
    EXPECT_EQ(Level(4), 1);
    EXPECT_EQ(Level(5), 0);
    grid->AddNode(3, 2);
    EXPECT_EQ(Level(2), 1);
    EXPECT_EQ(Level(3), 2);
    EXPECT_EQ(Level(4), 2);
    EXPECT_EQ(grid->GetNodeLevel(3), 2);
    EXPECT_EQ(grid->GetNodeLevel(4), -1);
    EXPECT_EQ(grid->GetNodeSpan(2), 3);
    EXPECT_EQ(grid->GetNodeSpan(5), -1);
    EXPECT_EQ(grid->GetRowIndent(3), 2 * grid->CellNode().NodeIndent());
    EXPECT_EQ(grid->NodeCount(), 2);

    grid->RemoveNode(3);
    EXPECT_EQ(Level(3), 1);
    EXPECT_FALSE(grid->IsNode(3));
    grid->RemoveAllNodes();
    EXPECT_FALSE(grid->HasNodes());
    EXPECT_EQ(Level(2), 0);
    EXPECT_EQ(grid->GetRowIndent(2), 0);
}

TEST_F(NodeTest, ContractHidesTheSpanAndExpandBringsItBackInOrder)
{
    grid->AddNode(2, 3);
    grid->ContractNode(2);
    EXPECT_TRUE(grid->GetNodeState(2));
    EXPECT_EQ(grid->RowCount(), 8);
    EXPECT_EQ(grid->Cells(1, 3), "1:5");
    grid->ContractNode(2);   // already collapsed: nothing
    EXPECT_EQ(grid->RowCount(), 8);

    grid->ExpandNode(2);
    EXPECT_FALSE(grid->GetNodeState(2));
    EXPECT_EQ(ColumnTexts(*grid, 1),
              QStringList({"1:0", "1:1", "1:2", "1:3", "1:4", "1:5", "1:6", "1:7", "1:8", "1:9"}));

    grid->SetNodeState(2, true);
    EXPECT_EQ(grid->RowCount(), 8);
    grid->SetNodeState(2, false);
    EXPECT_EQ(grid->RowCount(), 10);
}

TEST_F(NodeTest, NestedCollapsedGroupComesBackExpandedWithItsParent)
{
    grid->AddNode(2, 5);   // rows 2..6
    grid->AddNode(3, 3);   // rows 3..5
    grid->ContractNode(3);
    EXPECT_EQ(grid->RowCount(), 8);
    grid->ContractNode(2);
    EXPECT_EQ(grid->RowCount(), 6);
    EXPECT_EQ(grid->Cells(1, 3), "1:7");

    grid->ExpandNode(2);
    EXPECT_EQ(grid->RowCount(), 10);
    EXPECT_FALSE(grid->GetNodeState(3));
    EXPECT_EQ(grid->Cells(1, 4), "1:4");
}

TEST_F(NodeTest, ExpandOneCollapsesTheOthersAndContractAllFoldsEveryGroup)
{
    grid->AddNode(1, 3);   // rows 1..3
    grid->AddNode(5, 3);   // rows 5..7
    grid->ContractNode(5);
    grid->CellNode().SetExpandOne(true);
    grid->ExpandNode(5);
    EXPECT_TRUE(grid->GetNodeState(1));
    EXPECT_FALSE(grid->GetNodeState(3));   // display row 3 is the second node now
    EXPECT_EQ(grid->RowCount(), 8);

    grid->CellNode().SetExpandOne(false);
    grid->ContractAll();
    EXPECT_EQ(grid->RowCount(), 6);
    EXPECT_TRUE(grid->GetNodeState(1));
    EXPECT_TRUE(grid->GetNodeState(3));
    grid->ExpandAll();
    EXPECT_EQ(grid->RowCount(), 10);
    EXPECT_FALSE(grid->GetNodeState(1));
    EXPECT_FALSE(grid->GetNodeState(5));
}

TEST_F(NodeTest, ParentRows)
{
    EXPECT_EQ(grid->GetParentRow(3), -1);   // no nodes at all
    grid->AddNode(2, 5);
    grid->AddNode(3, 2);
    EXPECT_EQ(grid->GetParentRow(1), -1);
    EXPECT_EQ(grid->GetParentRow(2), 2);   // a top-level node answers itself
    EXPECT_EQ(grid->GetParentRow(3), 2);
    EXPECT_EQ(grid->GetParentRow(4), 3);
    EXPECT_EQ(grid->GetParentRow(5), 2);
    EXPECT_EQ(grid->GetParentRow(7), -1);
}

TEST_F(NodeTest, ChildRowsGrowTheirGroupsAndKeepTheNodeRow)
{
    grid->AddNode(2, 3);
    grid->InsertChildRow(2, 0);
    EXPECT_EQ(grid->RowCount(), 11);
    EXPECT_EQ(grid->Cells(1, 2), "");
    EXPECT_EQ(grid->Cells(1, 3), "1:2");
    EXPECT_TRUE(grid->IsNode(2));
    EXPECT_EQ(grid->GetNodeSpan(2), 4);
    EXPECT_EQ(grid->GetSubNodeCount(2), 1);
    EXPECT_EQ(Level(3), 1);

    grid->InsertChildRow(3, 1);   // below the child's place
    EXPECT_EQ(grid->Cells(1, 4), "");
    EXPECT_EQ(grid->GetNodeSpan(2), 5);

    grid->RemoveChildRow(4);
    EXPECT_EQ(grid->RowCount(), 11);
    EXPECT_EQ(grid->GetNodeSpan(2), 4);
    EXPECT_EQ(grid->GetSubNodeCount(2), 1);

    // Inside a nested group the new row is as deep as that group's rows.
    grid->AddNode(4, 2);
    grid->InsertChildRow(5, 1);
    EXPECT_EQ(Level(6), 2);
    EXPECT_EQ(grid->GetNodeSpan(4), 3);
    EXPECT_EQ(grid->GetNodeSpan(2), 5);
}

TEST_F(NodeTest, ChildRowOfACollapsedGroupIsAddedExpanded)
{
    grid->AddNode(2, 3);
    grid->ContractNode(2);
    grid->InsertChildRow(2, 1);
    EXPECT_FALSE(grid->GetNodeState(2));
    EXPECT_EQ(grid->GetNodeSpan(2), 4);
    EXPECT_EQ(grid->RowCount(), 11);
    EXPECT_EQ(grid->Cells(1, 3), "");
    EXPECT_EQ(grid->Cells(1, 4), "1:3");
}

TEST_F(NodeTest, NodeButtonReach)
{
    grid->AddNode(2, 3);
    grid->CellNode().SetNodeType(cnXP);
    grid->CellNode().SetNodeIndent(12);
    for (int x = 0; x <= 20; ++x)
        EXPECT_EQ(grid->IsOnNodeButton(2, x), x >= 5 && x <= 15) << x;
    grid->MouseActions().SetPreciseNodeClick(false);
    EXPECT_TRUE(grid->IsOnNodeButton(2, 300));
}

TEST_F(NodeTest, SpanTypesForTreeLines)
{
    grid->AddNode(2, 3);
    EXPECT_EQ(grid->GetNodeSpanType(2), 0);
    EXPECT_EQ(grid->GetNodeSpanType(3), 2);
    EXPECT_EQ(grid->GetNodeSpanType(4), 1);
    EXPECT_EQ(grid->GetNodeSpanType(9), 1);
}

TEST_F(NodeTest, GroupCountInTheDisplayText)
{
    grid->AddNode(2, 4);
    grid->Grouping().SetShowGroupCount(true);
    EXPECT_EQ(grid->Cells(1, 2), "1:2 (3)");
    EXPECT_EQ(grid->Cells(2, 2), "2:2");
    grid->Grouping().SetGroupCountFormat(QStringLiteral(" [%d]"));
    EXPECT_EQ(grid->Cells(1, 2), "1:2 [3]");
    EXPECT_EQ(grid->Cells(1, 3), "1:3");
}

TEST_F(NodeTest, SummaryRowsAndRowsWithoutNodes)
{
    grid->SetSummaryRow(6);
    EXPECT_TRUE(grid->IsSummary(6));
    EXPECT_FALSE(grid->IsNode(6));
    EXPECT_FALSE(grid->HasNodes());
    EXPECT_FALSE(grid->GetNodeState(-1));
    EXPECT_EQ(grid->GetSubNodeCount(6), 0);
    grid->ExpandNode(6);
    grid->ContractNode(6);
    EXPECT_EQ(grid->RowCount(), 10);
}

}   // namespace

// Expanding with ExpandOne ends as contracting every other expanded node one by one
// would: the same rows shown, the same node states, nested groups included.
TEST(NodeExpandOne, EndsAsContractingEachOtherNodeInTurn)
{
    auto build = [] {
        auto g = NamedGrid(3, 20, 1);
        g->AddNode(1, 6);    // rows 1..6, holding
        g->AddNode(2, 3);    //   rows 2..4, collapsed below
        g->AddNode(8, 3);    // rows 8..10
        g->AddNode(12, 0);   // up to the next node
        g->AddNode(15, 2);   // rows 15..16, the one expanded
        g->AddNode(18, 2);   // rows 18..19, collapsed
        g->ContractNode(2);
        g->ContractNode(18);
        g->ContractNode(15);
        return g;
    };
    auto shown = [](TDazStringGrid &G) {
        QStringList rows;
        for (int r = 0; r < G.RowCount(); ++r)
            rows << G.Cells(1, r) + (G.IsNode(r) ? (G.GetNodeState(r) ? "+" : "-") : "");
        return rows.join(' ');
    };
    auto batched = build();
    batched->CellNode().SetExpandOne(true);
    batched->ExpandNode(15);

    auto reference = build();
    for (int r = reference->FixedRows(); r < reference->RowCount(); ++r)
        if (reference->IsNode(r) && !reference->GetNodeState(r) && reference->RealRowIndex(r) != 15)
            reference->ContractNode(reference->RealRowIndex(r));
    reference->ExpandNode(15);
    EXPECT_EQ(shown(*batched), shown(*reference));
    EXPECT_EQ(shown(*batched), "1:0 1:1+ 1:7 1:8+ 1:11 1:12+ 1:15- 1:16 1:17 1:18+");

    // The outer group comes back with its inner group expanded.
    batched->CellNode().SetExpandOne(false);
    batched->ExpandNode(1);
    EXPECT_EQ(batched->RowCount(), 15);
    EXPECT_FALSE(batched->GetNodeState(2));
}
