// Grouping by a column, ungrouping, sub-groups and the group figures.
#include "grid/tools/gridgroup.h"
#include "toolgrid.h"

using namespace GridGroup;

namespace {

struct GroupTest : ToolGridTest
{
    // Column 0 for the nodes, then key, value and note columns; the header row and one
    // footer row.
    void Data(std::initializer_list<const char *> Keys)
    {
        std::vector<QStringList> rows{L({"", "key", "val", "note"})};
        int i = 1;
        for (const char *k : Keys)
            rows.push_back(QStringList{QString(), QString::fromUtf8(k), QString::number(i++),
                                       QStringLiteral("n%1").arg(i)});
        rows.push_back(L({"", "fk", "fv", "fn"}));
        Fill(rows, 1);
        Grid.SetFixedFooters(1);
        Grid.SetColWidths(1, 77);
    }
    QStringList Kinds()
    {
        QStringList out;
        for (int r = 0; r < Grid.RowCount(); ++r)
            out << (Grid.IsNode(r) ? QStringLiteral("N%1").arg(Grid.GetNodeSpan(r))
                                   : Grid.IsSummary(r) ? QStringLiteral("S") : QStringLiteral("."));
        return out;
    }
};

}   // namespace

TEST_F(GroupTest, HeadersNodesAndSummariesForAAB)
{
    Data({"A", "B", "A"});
    Grid.Grouping().SetSummary(true);
    Group(Grid, 1);
    EXPECT_EQ(Grid.GroupColumn(), 1);
    // The key column has gone; the header texts are in the column that was 2.
    EXPECT_EQ(Kinds(), L({".", "N3", ".", ".", "S", "N2", ".", "S", "."}));
    EXPECT_EQ(Column(1), L({"val", "A", "1", "3", "", "B", "2", "", "fv"}));
    EXPECT_EQ(Grid.ColCount(), 3);
    UnGroup(Grid);
    EXPECT_EQ(Grid.GroupColumn(), -1);
    EXPECT_EQ(Grid.ColCount(), 4);
    EXPECT_EQ(Grid.ColWidths(1), 77);
    EXPECT_EQ(Column(1), L({"key", "A", "A", "B", "fk"}));   // sorted by the grouping
    EXPECT_EQ(Column(2), L({"val", "1", "3", "2", "fv"}));
    EXPECT_EQ(Kinds(), L({".", ".", ".", ".", "."}));
}

TEST_F(GroupTest, HeaderColumnAndUnsortedGroups)
{
    Data({"A", "B", "A"});
    Group(Grid, 3);   // the notes; headers go to column 1
    EXPECT_EQ(Kinds(), L({".", "N2", ".", "N2", ".", "N2", ".", "."}));
    EXPECT_EQ(Grid.Cells(1, 1), QStringLiteral("n2"));
    UnGroup(Grid);
    EXPECT_EQ(Column(3), L({"note", "n2", "n3", "n4", "fn"}));
    Grid.SortSettings().SetAutoSortForGrouping(false);
    Group(Grid, 1);
    EXPECT_EQ(Kinds(), L({".", "N2", ".", "N2", ".", "N2", ".", "."}));   // A, B, A
    EXPECT_EQ(Column(1), L({"val", "A", "1", "B", "2", "A", "3", "fv"}));
    UnGroup(Grid);
    EXPECT_EQ(Column(1), L({"key", "A", "B", "A", "fk"}));
}

TEST_F(GroupTest, SetterAndColumnsThatDoNothing)
{
    Data({"A", "B"});
    SetGroupColumn(Grid, -1);   // not grouped: nothing
    SetGroupColumn(Grid, 0);
    Group(Grid, 0);             // ungrouping could never undo it
    Group(Grid, 4);             // beyond the grid
    EXPECT_EQ(Grid.GroupColumn(), -1);
    EXPECT_EQ(Grid.RowCount(), 4);
    SetGroupColumn(Grid, 1);
    EXPECT_EQ(Grid.GroupColumn(), 1);
    SetGroupColumn(Grid, -1);
    EXPECT_EQ(Grid.GroupColumn(), -1);
    EXPECT_EQ(Grid.RowCount(), 4);
}

TEST_F(GroupTest, AllEqualMakeOneGroup)
{
    Data({"A", "A", "A"});
    Grid.Grouping().SetSummary(true);
    Group(Grid, 1);
    EXPECT_EQ(Kinds(), L({".", "N4", ".", ".", ".", "S", "."}));
}

TEST_F(GroupTest, GroupFigures)
{
    Data({"A", "B", "A"});
    Group(Grid, 1);
    // 1 hA, 2 "1", 3 "3", 4 hB, 5 "2"; values in column 1.
    GroupCount(Grid, 2);
    EXPECT_EQ(Grid.Cells(2, 1), QStringLiteral("2"));
    EXPECT_EQ(Grid.Cells(2, 4), QStringLiteral("1"));
    GroupSum(Grid, 1);   // overwrites the header texts of column 1 with the sums
    EXPECT_EQ(Grid.Cells(1, 1), QStringLiteral("4.00"));
    EXPECT_EQ(Grid.Cells(1, 4), QStringLiteral("2.00"));
    Grid.ContractNode(4);
    Grid.SetCells(1, 1, QStringLiteral("x"));
    GroupSum(Grid, 1);   // a collapsed group keeps its cell
    EXPECT_EQ(Grid.Cells(1, 1), QStringLiteral("4.00"));
    EXPECT_EQ(Grid.Cells(1, 4), QStringLiteral("2.00"));
}

TEST_F(GroupTest, MergedHeadersAndSummaries)
{
    Data({"A", "B"});
    Grid.Grouping().SetSummary(true);
    Grid.Grouping().SetMergeHeader(true);
    Grid.Grouping().SetMergeSummary(true);
    Grid.Grouping().SetHeaderColor(0x00FF00);
    Group(Grid, 1);
    EXPECT_EQ(Kinds(), L({".", "N2", ".", "S", "N2", ".", "S", "."}));
    EXPECT_TRUE(Grid.IsMergedCell(1, 1));
    EXPECT_TRUE(Grid.IsMergedCell(2, 1));
    EXPECT_TRUE(Grid.IsMergedCell(1, 3));
    EXPECT_FALSE(Grid.IsMergedCell(1, 2));
    EXPECT_EQ(Grid.GetCellProperties(1, 1)->BrushColor(), 0x00FF00u);
    UnGroup(Grid);
    EXPECT_EQ(Kinds(), L({".", ".", ".", "."}));
    EXPECT_FALSE(Grid.IsMergedCell(1, 1));
    EXPECT_EQ(Column(1), L({"key", "A", "B", "fk"}));
}

TEST_F(GroupTest, SubGroupsRecordTheirColumnAndGiveTheValuesBack)
{
    Fill({L({"", "g", "s", "v"}), L({"", "A", "x", "1"}), L({"", "A", "x", "2"}),
          L({"", "A", "y", "3"}), L({"", "B", "z", "4"})},
         1);
    Group(Grid, 1);
    // 1 hA, 2 x 1, 3 x 2, 4 y 3, 5 hB, 6 z 4: column 1 the sub-key now.
    SubGroup(Grid, 1);
    EXPECT_EQ(Kinds(), L({".", "N6", "N3", ".", ".", "N2", ".", "N3", "N2", "."}));
    EXPECT_EQ(Column(2), L({"v", "", "x", "1", "2", "y", "3", "", "z", "4"}));
    EXPECT_EQ(Grid.GetCellGraphic(0, 2)->CellVar.toInt(), 1);
    EXPECT_EQ(Grid.GetCellGraphic(0, 1)->CellVar.toInt(), -1);
    SubUnGroup(Grid, 1);
    EXPECT_EQ(Kinds(), L({".", "N4", ".", ".", ".", "N2", "."}));
    EXPECT_EQ(Column(1), L({"s", "A", "x", "x", "y", "B", "z"}));
}
