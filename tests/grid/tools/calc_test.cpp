// Column and row figures: ranges, skipped cells, grouped grids, errors and notifications.
#include "grid/tools/gridcalc.h"
#include "grid/tools/gridgroup.h"
#include "grid/tools/gridtoolstate.h"
#include "toolgrid.h"

using namespace GridCalc;

namespace {

// Records the export notifications.
class TNotifyGrid : public TDazStringGrid
{
public:
    std::vector<std::pair<int, int>> Calls;
    void ExportNotification(TGridExportState AState, int ARow) override
    {
        Calls.emplace_back(int(AState), ARow);
    }
};

struct CalcTest : ToolGridTest
{
};

}   // namespace

TEST_F(CalcTest, SumAverageAndTheDefaultRange)
{
    Fill({L({"h"}), L({"10"}), L({"abc"}), L({""}), L({"-"}), L({"99"})}, 1);
    Grid.SetFixedFooters(1);
    EXPECT_DOUBLE_EQ(ColumnSum(Grid, 0, -1, 5), 10);   // one -1: every normal row
    EXPECT_DOUBLE_EQ(ColumnAvg(Grid, 0, -1, -1), 2.5);
    EXPECT_DOUBLE_EQ(ColumnSum(Grid, 0, 1, 5), 109);
    EXPECT_DOUBLE_EQ(ColumnAvg(Grid, 0, 3, 2), 0);     // ToRow < FromRow
    EXPECT_DOUBLE_EQ(ColumnMax(Grid, 0, 1, 5), 99);
    EXPECT_DOUBLE_EQ(ColumnMin(Grid, 0, 1, 5), 0);     // "" and "-" read as 0
    EXPECT_DOUBLE_EQ(ColumnStdDev(Grid, 0, 5, 4), 0);  // empty range
}

TEST_F(CalcTest, StdDevDistinctAndErrors)
{
    Fill({L({"2", "Red"}), L({"4", "red"}), L({"4", "RED"}), L({"4", ""}), L({"5", "x"}),
          L({"5", "x"}), L({"7", "y"}), L({"9", ""})});
    EXPECT_DOUBLE_EQ(ColumnStdDev(Grid, 0, -1, -1), 2);
    EXPECT_DOUBLE_EQ(ColumnDistinct(Grid, 1, -1, -1), 4);   // red, "", x, y
    Grid.SetCells(0, 3, QStringLiteral("1.2.3"));
    for (auto f : {&ColumnStdDev, &ColumnMin, &ColumnMax}) {
        Grid.SetCells(0, 0, QString::fromLatin1(f == &ColumnStdDev ? "2" : "1.2.3"));
        try {
            f(Grid, 0, -1, -1);
            ADD_FAILURE() << "no exception";
        } catch (const EDazGridError &e) {
            EXPECT_STREQ(e.what(), "Cell does not contain a float value");
        }
    }
    // A bad cell further down only drops out of the extremes.
    Grid.SetCells(0, 0, QStringLiteral("2"));
    EXPECT_DOUBLE_EQ(ColumnMax(Grid, 0, -1, -1), 9);
}

TEST_F(CalcTest, RowsAndTheEventFigures)
{
    Fill({L({"1", "x", "3", "-4"})});
    EXPECT_DOUBLE_EQ(RowSum(Grid, 0, 0, 3), 0);
    Grid.SetCells(1, 0, QStringLiteral("2"));
    EXPECT_DOUBLE_EQ(RowSum(Grid, 0, 0, 3), 2);
    EXPECT_DOUBLE_EQ(RowAvg(Grid, 0, 0, 3), 0.5);
    EXPECT_DOUBLE_EQ(RowMin(Grid, 0, 0, 3), -4);
    EXPECT_DOUBLE_EQ(RowMax(Grid, 0, 1, 3), 3);
    EXPECT_DOUBLE_EQ(RowSum(Grid, 0, 3, 1), 0);    // toCol < fromCol
    EXPECT_DOUBLE_EQ(RowAvg(Grid, 0, 3, 1), 0);
    Grid.MergeCells(1, 0, 2, 1);                  // column 2 is covered now
    EXPECT_DOUBLE_EQ(RowSum(Grid, 0, 1, 2), 2);

    EXPECT_DOUBLE_EQ(ColumnCustomCalc(Grid, 0, -1, -1), 0);
    std::vector<int> seen;
    TGridToolState::Of(Grid).OnColumnCalc = [&](TObject *, int ACol, int From, int To, double &Res) {
        seen = {ACol, From, To};
        Res = 42;
    };
    TGridToolState::Of(Grid).OnGroupCalc = [](TObject *, int, int, int, double &Res) { Res = 7; };
    EXPECT_DOUBLE_EQ(ColumnCustomCalc(Grid, 2, -1, -1), 42);
    EXPECT_EQ(seen, (std::vector<int>{2, -1, -1}));   // bounds passed on as given
    EXPECT_DOUBLE_EQ(DoGroupCalc(Grid, 0, 0, 0), 7);
}

TEST_F(CalcTest, GroupedRowsDropOutOfSumsButCountInAverages)
{
    Grid.Grouping().SetSummary(true);
    Fill({L({"", "k", "v"}), L({"", "A", "1"}), L({"", "A", "2"}), L({"", "B", "4"})}, 1);
    GridGroup::Group(Grid, 1);
    // 1 hA, 2 1, 3 2, 4 sum, 5 hB, 6 4, 7 sum: header texts in column 1, values in 1 too.
    ASSERT_EQ(Grid.RowCount(), 8);
    Grid.SetCells(1, 1, QStringLiteral("100"));    // a header cell with a number
    Grid.SetCells(1, 4, QStringLiteral("1000"));   // a summary cell with a number
    EXPECT_DOUBLE_EQ(ColumnSum(Grid, 1, -1, -1), 7);
    EXPECT_DOUBLE_EQ(ColumnMax(Grid, 1, 2, 7), 4);
    EXPECT_DOUBLE_EQ(ColumnAvg(Grid, 1, -1, -1), 1.0);   // 7 over 7 rows
    EXPECT_DOUBLE_EQ(ColumnDistinct(Grid, 1, -1, -1), 7);
}

TEST(CalcNotify, StartPerRowAndDone)
{
    InstallGridTools();
    TNotifyGrid g;
    g.SetColCount(1);
    g.SetRowCount(6);
    g.SetFixedRows(1);
    for (int r = 1; r < 6; ++r)
        g.SetCells(0, r, QString::number(r));
    g.SetFixedFooters(2);
    ColumnSum(g, 0, -1, -1);
    EXPECT_EQ(g.Calls, (std::vector<std::pair<int, int>>{
                           {esExportStart, 1}, {esExportNextRow, 1}, {esExportNextRow, 2},
                           {esExportNextRow, 3}, {esExportDone, -1}}));
    g.SetFixedFooters(0);
    // Rows past the shown ones count by real index, hidden rows included.
    g.HideRows(2, 3);
    ASSERT_EQ(g.RowCount(), 4);
    EXPECT_DOUBLE_EQ(ColumnSum(g, 0, 1, 3), 1 + 4 + 5);
    EXPECT_DOUBLE_EQ(ColumnSum(g, 0, 1, 5), 1 + 2 + 3 + 4 + 5);
}
