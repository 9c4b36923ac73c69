// Node, marking and cell graphic calls given rows and columns outside the grid change
// nothing; at most they report the grid's own error.
#include "grid/base/imagelist.h"
#include "grid/string/cellchecker.h"
#include "grid/string/dazstringgrid.h"
#include "grid/string/headerdrag.h"

#include <gtest/gtest.h>
#include <climits>
#include <memory>

namespace {

// Runs Call; the grid's own errors (a clear message) are a fine answer, anything else is
// not.
template <class F>
void Try(F Call)
{
    try {
        Call();
    } catch (const EDazGridError &) {
    } catch (const EGridError &) {
    }
}

}   // namespace

TEST(BadIndexes, NodeMarkingAndGraphicCallsOutsideTheGridChangeNothing)
{
    TDazStringGrid grid;
    grid.SetColCount(4);
    grid.SetRowCount(8);
    TCustomImageList images(16, 16);
    grid.SetGridImages(&images);
    grid.AddNode(2, 3);
    grid.SetCells(1, 3, "abc");
    TDazStringGridCheck checker;
    grid.SetCellChecker(&checker);
    const int bad[] = {-1, -100, 9, 1000, INT_MAX, INT_MIN};
    for (int i : bad) {
        SCOPED_TRACE(i);
        Try([&] { grid.AddNode(i, 2); });
        Try([&] { grid.ExpandNode(i); });
        Try([&] { grid.ContractNode(i); });
        Try([&] { grid.RemoveNode(i); });
        Try([&] { grid.SetSummaryRow(i); });
        EXPECT_FALSE(grid.IsNode(i));
        EXPECT_FALSE(grid.GetNodeState(i));
        Try([&] { grid.SetNodeState(i, true); });
        EXPECT_EQ(grid.GetNodeLevel(i), -1);
        EXPECT_EQ(grid.GetNodeSpan(i), -1);
        Try([&] { grid.SetNodeSpan(i, 2); });
        Try([&] { grid.UpdateNodeSpan(i, 1); });
        Try([&] { grid.UpdateSubNodeCount(i, 1); });
        Try([&] { grid.GetSubNodeCount(i); });
        Try([&] { grid.GetParentRow(i); });
        Try([&] { grid.GetNodeSpanType(i); });
        Try([&] { grid.IsOnNodeButton(i, 5); });
        Try([&] { grid.InsertChildRow(i, 0); });
        Try([&] { grid.RemoveChildRow(i); });
        Try([&] { grid.InsertNormalRow(i); });
        Try([&] { grid.RemoveNormalRow(i); });

        Try([&] { grid.HilightInCell(false, i, 1, "a"); });
        Try([&] { grid.HilightInCell(false, 1, i, "a"); });
        Try([&] { grid.HilightInCol(true, false, i, "a"); });
        Try([&] { grid.HilightInRow(true, false, i, "a"); });
        Try([&] { grid.MarkInCell(false, i, i, "a"); });
        Try([&] { grid.MarkInCol(true, false, i, "a"); });
        Try([&] { grid.MarkInRow(true, false, i, "a"); });
        Try([&] { grid.UnHilightInCell(i, i); });
        Try([&] { grid.UnHilightInCol(true, i); });
        Try([&] { grid.UnHilightInRow(true, i); });
        Try([&] { grid.UnMarkInCell(i, i); });
        Try([&] { grid.UnMarkInCol(true, i); });
        Try([&] { grid.UnMarkInRow(true, i); });
        Try([&] { grid.CheckCell(i, i); });
        Try([&] { grid.CheckCells(i, i, i, i); });
        Try([&] { grid.CheckCells(INT_MIN, INT_MIN, i, i); });
        Try([&] { grid.CheckCol(true, i); });
        Try([&] { grid.CheckRow(true, i); });
        Try([&] { grid.PrintColWidth(i); });
        Try([&] { grid.PrintColOffset(i); });
        Try([&] { grid.SetPrintColumn(i, 10, 0); });
        Try([&] { grid.IsSortIndicatorCell(i, i); });

        Try([&] { grid.AddRating(i, i, 5, clRed, clGray); });
        Try([&] { grid.AddProgressPie(i, 1, clRed, 50); });
        Try([&] { grid.AddComment(1, i, "c"); });
        Try([&] { grid.AddImageIdx(i, i, 1, haLeft, vaTop); });
        Try([&] { grid.AddMultiImage(i, 1, 0, haLeft, vaTop); });
        Try([&] { grid.AddShape(i, 1, csCircle, clRed, clBlue, haLeft, vaTop); });
        Try([&] { grid.AddExpand(1, i, 40); });
        Try([&] { grid.ToggleExpand(i, 1); });
        Try([&] { grid.AddRotated(i, 1, 90, "r"); });
        Try([&] { grid.AddButton(i, 1, 20, 20, "b", haLeft, vaTop); });
        Try([&] { grid.GetCellButtonRect(i, i); });
        Try([&] { grid.GetExpandButtonRect(i, i); });
        Try([&] { grid.CellImages(i, i); });
        for (const TGridRect &r : {TGridRect{i, i, 1, 1}, TGridRect{1, 1, i, i}}) {
            // The drag picture never outgrows the grid.
            std::unique_ptr<TDragImageForm> form(grid.SelectionToForm(r));
            EXPECT_LE(form->Image().width(), grid.width() + 1);
            EXPECT_LE(form->Image().height(), grid.height() + 1);
        }
        Try([&] { grid.DrawColSizingLine(i); });
        Try([&] { grid.DrawRowSizingLine(i); });
        Try([&] {
            QString text, title;
            int icon = 0;
            grid.BalloonTooltipText(QPoint(i, i), text, title, icon);
        });
    }
    EXPECT_EQ(grid.RowCount(), 8);
    EXPECT_EQ(grid.NodeCount(), 1);
    EXPECT_TRUE(grid.IsNode(2));
    EXPECT_EQ(grid.GetNodeSpan(2), 3);
    EXPECT_EQ(grid.Cells(1, 3), "abc");
    grid.SetGridImages(nullptr);
    grid.SetCellChecker(nullptr);

    // Spans and places past the end reach the last row; a place above the row inserts
    // nothing.
    grid.AddNode(5, INT_MAX);
    EXPECT_EQ(grid.GetCellProperties(0, 7)->NodeLevel(), 1);
    EXPECT_EQ(grid.GetCellProperties(0, 4)->NodeLevel(), 1);
    grid.ContractNode(5);
    EXPECT_EQ(grid.RowCount(), 6);
    grid.ExpandNode(5);
    EXPECT_EQ(grid.RowCount(), 8);
    grid.InsertChildRow(2, -1);
    grid.InsertChildRow(2, INT_MIN);
    EXPECT_EQ(grid.RowCount(), 8);
    EXPECT_EQ(grid.GetNodeSpan(2), 3);
    grid.InsertChildRow(2, INT_MAX);
    EXPECT_EQ(grid.RowCount(), 9);
}
