// The current row, the selection and its text, the selection gate, the disjunct row and
// column selections and the row marks of the string grid.
#include "gridfixture.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

class TGateGrid : public TDazStringGrid
{
public:
    using TDazStringGrid::SelectCell;
};

std::string ErrorOf(const std::function<void()> &Call)
{
    try {
        Call();
    } catch (const EDazGridError &e) {
        return e.what();
    }
    return {};
}

}   // namespace

TEST(GridCurrentRow, RowChangedFiresOncePerRealChange)
{
    TDazStringGrid g;
    std::vector<std::pair<int, int>> changes;
    g.OnRowChanged = [&](TObject *, int OldRow, int NewRow) {
        changes.push_back({OldRow, NewRow});
    };
    g.SetRow(g.Row());
    EXPECT_TRUE(changes.empty());
    g.SetRow(3);
    changes.clear();
    g.SetRow(5);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], std::make_pair(3, 5));
    g.SetRow(5);
    g.FocusCell(2, 5, true);
    EXPECT_EQ(changes.size(), 1u);
}

TEST(GridCurrentRow, TopRowOutsideTheScrollableRowsIsIgnored)
{
    TDazStringGrid g;
    g.SetRowCount(50);
    g.SetTopRow(10);
    EXPECT_EQ(g.TopRow(), 10);
    g.SetTopRow(0);
    g.SetTopRow(50);
    EXPECT_EQ(g.TopRow(), 10);
}

TEST(GridSelection, HiddenSelectionComesBackOrFallsBackToTheFirstNormalCell)
{
    TDazStringGrid g;
    g.SetRowCount(10);
    g.SelectCells(1, 3, 2, 6);
    g.HideSelection();
    EXPECT_TRUE(g.SelectionHidden());
    EXPECT_FALSE(g.IsSelected(1, 3));
    g.UnHideSelection();
    EXPECT_EQ(g.Selection(), (TGridRect{1, 3, 2, 6}));

    g.SelectCells(1, 7, 1, 8);
    g.HideSelection();
    g.SetRowCount(5);
    g.UnHideSelection();
    EXPECT_EQ(g.Selection(), (TGridRect{1, 1, 1, 1}));
}

TEST(GridSelection, RectangleQueries)
{
    TDazStringGrid g;
    g.SelectCells(3, 2, 1, 5);
    EXPECT_TRUE(g.SelectedCells(2, 4));
    EXPECT_FALSE(g.SelectedCells(4, 4));
    EXPECT_TRUE(g.IsSelected(2, 4));
    EXPECT_FALSE(g.IsSelected(0, 4));   // fixed column

    g.SelectCells(1, 2, 3, 3);
    EXPECT_EQ(g.SelectedCellsCount(), 6);
    EXPECT_EQ(g.SelectedCell(0).X, 1);
    EXPECT_EQ(g.SelectedCell(1).Y, 3);
    EXPECT_EQ(g.SelectedColCount(), 3);
    EXPECT_EQ(g.SelectedRowCount(), 2);

    g.SelectCells(1, 2, 1, 4);
    EXPECT_EQ(g.SelectedRow(1), 3);
    EXPECT_EQ(g.SelectedRow(5), -1);

    g.ClearSelectedCells();   // the list still held the rectangle's cells
    g.MouseActions().SetDisjunctCellSelect(true);
    g.SetSelectedCells(4, 7, true);
    EXPECT_TRUE(g.SelectedCells(4, 7));
    EXPECT_FALSE(g.SelectedCells(1, 2));
    g.SetSelectedCells(4, 7, false);
    EXPECT_FALSE(g.IsSelected(4, 7));
}

TEST(GridSelection, SelectedTextJoinsCellsWithTabsAndRowsWithLineBreaks)
{
    TDazStringGrid g;
    g.SetCells(1, 1, "a");
    g.SetCells(2, 1, "b");
    g.SetCells(1, 2, "c");
    g.SetCells(2, 2, "d");
    g.SelectCells(1, 1, 2, 2);
    EXPECT_EQ(g.SelectedText(), "a\tb\r\nc\td");

    g.HideColumn(1);   // display column 1 is now real column 2
    g.SelectCells(1, 1, 1, 2);
    EXPECT_EQ(g.SelectedText(), "b\r\nd");

    g.SetExcelClipboardFormat(true);
    g.SetCells(2, 1, "two\r\nlines");
    g.SelectCells(1, 1, 1, 1);
    EXPECT_EQ(g.SelectedText(), QString("\"two") + QChar(11) + "lines\"");

    // A rich text cell gives its plain text.
    g.SetExcelClipboardFormat(false);
    g.SetCells(2, 1, "{\\rtf1\\ansi {\\b bold} text}");
    EXPECT_EQ(g.SelectedText(), "bold text");
}

TEST(GridSelection, UsedCellsAndSaveRanges)
{
    TDazStringGrid g;
    EXPECT_EQ(g.UsedCells(), (TGridRect{0, 0, 0, 0}));
    g.SetCells(3, 2, "x");
    g.SetCells(1, 6, "y");
    EXPECT_EQ(g.UsedCells(), (TGridRect{1, 2, 3, 6}));

    g.SetSaveFixedCells(false);
    g.SetFixedFooters(1);
    EXPECT_EQ(g.SaveStartRow(), 1);
    EXPECT_EQ(g.SaveEndRow(), 8);
    EXPECT_EQ(g.SaveRowCount(), 8);
    g.SetSaveFixedRows(true);
    EXPECT_EQ(g.SaveStartRow(), 0);
    EXPECT_EQ(g.SaveRowCount(), 10);
}

TEST(GridSelectionGate, CoveredCellsOfAMergeGiveWayToTheBaseCell)
{
    TGateGrid g;
    g.SetOptions(g.Options() - goRangeSelect);   // a range selection may cover merges
    g.MergeCells(2, 3, 2, 2);
    EXPECT_FALSE(g.SelectCell(3, 4));
    EXPECT_EQ(g.Col(), 2);
    EXPECT_EQ(g.Row(), 3);
}

TEST(GridSelectionGate, TheFixedFooterRowIsNeverCurrent)
{
    TGateGrid g;
    g.FloatingFooter().SetVisible(true);
    EXPECT_FALSE(g.SelectCell(1, g.RowCount() - 1));
    EXPECT_TRUE(g.SelectCell(1, g.RowCount() - 2));
}

TEST(GridSelectionGate, ReadOnlyCellsSwitchEditingOffAndEditableOnesBackOn)
{
    TGateGrid g;
    g.SetOptions(g.Options() + goEditing);
    g.SetReadOnly(2, 2, true);
    EXPECT_TRUE(g.SelectCell(2, 2));
    EXPECT_FALSE(g.Options().Contains(goEditing));
    EXPECT_TRUE(g.EditDisable());
    EXPECT_TRUE(g.SelectCell(3, 2));
    EXPECT_TRUE(g.Options().Contains(goEditing));
    EXPECT_FALSE(g.EditDisable());
}

TEST(GridSelectionGate, ChangingEventsMayRefuseForcedMovesSkipThem)
{
    TGateGrid g;
    int asked = 0;
    g.OnRowChanging = [&](TObject *, int, int NewRow, bool &Allow) {
        ++asked;
        Allow = NewRow != 4;
    };
    EXPECT_FALSE(g.SelectCell(1, 4));
    EXPECT_TRUE(g.SelectCell(1, 5));
    EXPECT_EQ(asked, 2);
    g.SetForceSel(true);
    EXPECT_TRUE(g.SelectCell(1, 4));
    EXPECT_EQ(asked, 2);
}

TEST(GridSelectionGate, DisabledRowsAreSkipped)
{
    TGateGrid g;
    g.SetRow(3);
    g.SetRowEnabled(3, false);   // the current row moves to the first enabled one
    EXPECT_EQ(g.Row(), 1);
    EXPECT_FALSE(g.SelectCell(1, 3));
    EXPECT_FALSE(g.RowEnabled(3));
    EXPECT_TRUE(g.RowEnabled(40));
}

TEST(GridDisjunctSelection, ErrorTextsForRowsAndColumnsOutsideTheGrid)
{
    TDazStringGrid g;   // 10 rows, 5 columns
    g.MouseActions().SetDisjunctRowSelect(true);
    g.HideRow(4);
    g.HideRow(5);
    EXPECT_EQ(ErrorOf([&] { g.RowSelect(10); }), "Invalid row 10 accessed");
    EXPECT_EQ(ErrorOf([&] { g.RowSelect(-1); }), "Invalid row -1 accessed");
    EXPECT_EQ(ErrorOf([&] { g.RowSelect(9); }), "");
    EXPECT_EQ(ErrorOf([&] { g.SetRowSelect(10, true); }), "Invalid row accessed");
    EXPECT_EQ(ErrorOf([&] { g.SetRowSelect(-2, true); }), "Invalid row accessed");
    EXPECT_EQ(ErrorOf([&] { g.ColSelect(5); }), "Invalid column accessed");
    EXPECT_EQ(ErrorOf([&] { g.SetColSelect(-1, true); }), "Invalid column accessed");

    g.MouseActions().SetRowSelectPersistent(true);
    EXPECT_FALSE(g.RowSelect(1000));   // read beyond the list: not selected
    EXPECT_EQ(g.RowSelectCount(), 0);
    EXPECT_EQ(ErrorOf([&] { g.RowSelect(-1); }), "Invalid row -1 accessed");
}

TEST(GridDisjunctSelection, RangesEventsAndTheSelectedRowList)
{
    TDazStringGrid g;
    g.SetRowCount(8);
    g.MouseActions().SetDisjunctRowSelect(true);
    int asked = 0;
    int told = 0;
    g.OnRowDisjunctSelect = [&](TObject *, int ARow, bool, bool &Allow) {
        ++asked;
        Allow = ARow != 6;
    };
    g.OnRowDisjunctSelected = [&](TObject *, int) { ++told; };
    g.SelectRows(5, 10);   // cut to rows 5 .. 7; row 6 refused
    EXPECT_TRUE(g.RowSelect(5));
    EXPECT_FALSE(g.RowSelect(6));
    EXPECT_TRUE(g.RowSelect(7));
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(told, 2);
    g.SetRowSelect(5, true);   // no change: not asked, still told
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(told, 3);

    g.SetRowSelect(0, true);   // a fixed row: flagged, not listed
    EXPECT_EQ(g.SelectedRow(0), 5);
    EXPECT_EQ(g.SelectedRow(1), 7);
    EXPECT_EQ(g.SelectedRow(2), -1);
    EXPECT_EQ(g.RowSelectCount(), 3);
    g.UnSelectRows(5, 1);
    EXPECT_EQ(g.SelectedRow(0), 7);
    g.ClearRowSelect();
    EXPECT_EQ(g.RowSelectCount(), 0);

    g.MouseActions().SetDisjunctRowSelect(false);
    g.SelectCells(1, 5, 2, 3);
    EXPECT_TRUE(g.RowSelect(4));
    EXPECT_FALSE(g.RowSelect(2));
}

TEST(GridDisjunctSelection, ColumnsAndTheRectangleToLists)
{
    TDazStringGrid g;
    g.MouseActions().SetDisjunctColSelect(true);
    g.SelectCols(2, 5);
    EXPECT_EQ(g.ColSelectCount(), 3);
    g.UnSelectCols(3, 1);
    EXPECT_FALSE(g.ColSelect(3));
    EXPECT_EQ(g.SelectedColCount(), 2);
    g.ClearColSelect();
    EXPECT_EQ(g.ColSelectCount(), 0);

    g.MouseActions().SetDisjunctColSelect(false);
    g.MouseActions().SetDisjunctRowSelect(true);
    g.SelectCells(1, 2, 2, 4);
    g.SelectionToRowSelect(true);
    EXPECT_EQ(g.RowSelectCount(), 3);
    EXPECT_TRUE(g.RowSelect(3));
    EXPECT_FALSE(g.RowSelect(5));
}

TEST(GridRowMarks, ModifiedAndEnabledRows)
{
    TDazStringGrid g;
    EXPECT_FALSE(g.RowModified(7));
    EXPECT_EQ(g.ModifiedRowCount(), 0);
    g.SetRowModified(3, true);
    g.SetRowModified(5, true);
    g.SetRowModified(5, false);
    EXPECT_TRUE(g.RowModified(3));
    EXPECT_EQ(g.ModifiedRowCount(), 1);
    g.ClearModifiedRows();
    EXPECT_FALSE(g.RowModified(3));

    g.SetRow(2);
    for (int r = 1; r < g.RowCount(); ++r)
        if (r != 2)
            g.SetRowEnabled(r, false);
    g.SetRowEnabled(2, false);   // no other enabled row: the current row stays
    EXPECT_EQ(g.Row(), 2);
}

TEST(GridRepaint, HelpersAcceptAnyCoordinates)
{
    TDazStringGrid g;
    g.RepaintRect({-1, 0, 2, 2});
    g.RepaintRect({1, 1, 50, 50});
    g.RepaintRow(-3);
    g.RepaintCol(99);
    g.SetCells(1, 1, "a");
    g.SetColors(1, 1, clRed);
    g.SwapCells({1, 1}, {3, 4});
    EXPECT_EQ(g.Cells(3, 4), "a");
    EXPECT_EQ(g.Colors(3, 4), clRed);
    EXPECT_EQ(g.Cells(1, 1), "");
    g.GotoCell(2, 6);
    EXPECT_EQ(g.Col(), 2);
    EXPECT_EQ(g.Row(), 6);
}
