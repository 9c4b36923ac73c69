// Hiding and showing columns and rows of the string grid: counts, maps, and everything a
// hidden column or row comes back with.
#include "gridfixture.h"

#include <gtest/gtest.h>

TEST(GridHiddenColumns, ColumnOneOfFive)
{
    auto g = NamedGrid(5, 4);
    for (int c = 0; c < 5; ++c)
        g->SetColWidths(c, 30 + c);
    g->SetColors(1, 2, clRed);
    g->HideColumn(1);
    EXPECT_EQ(g->ColCount(), 4);
    EXPECT_EQ(g->NumHiddenColumns(), 1);
    EXPECT_EQ(g->TotalColCount(), 5);
    EXPECT_EQ(g->RealColIndex(1), 2);
    EXPECT_EQ(g->DisplColIndex(2), 1);
    EXPECT_EQ(g->DisplColIndex(1), 1);
    EXPECT_TRUE(g->IsHiddenColumn(1));
    EXPECT_FALSE(g->IsHiddenColumn(600));
    EXPECT_EQ(g->Cells(1, 3), "1:3");   // the hidden column's cells stay
    EXPECT_EQ(g->ColWidths(1), 32);
    EXPECT_EQ(g->AllColWidths(1), 31);

    g->UnHideColumnsAll();
    EXPECT_EQ(g->ColCount(), 5);
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(g->ColWidths(c), 30 + c);
    EXPECT_EQ(g->Colors(1, 2), clRed);
    EXPECT_EQ(RowTexts(*g, 3), (QStringList{"0:3", "1:3", "2:3", "3:3", "4:3"}));
}

TEST(GridHiddenColumns, TheLastDisplayedColumnStaysAndTheCurrentColumnMovesLeft)
{
    auto g = NamedGrid(3, 4);
    g->SetCol(2);
    g->HideColumns(1, 3);
    EXPECT_EQ(g->ColCount(), 1);
    EXPECT_EQ(g->Col(), 0);
    g->HideColumn(0);
    EXPECT_EQ(g->ColCount(), 1);
    EXPECT_EQ(g->NumHiddenColumns(), 2);
    EXPECT_EQ(g->ColumnByHeader("2:0"), 2);
    EXPECT_EQ(g->ColumnByHeader("nothing"), -1);
}

TEST(GridHiddenRows, RowsThreeAndFourOfTen)
{
    auto g = NamedGrid(3, 10);
    g->SetShowModified(TShowModified());
    g->ShowModified().SetEnabled(true);
    g->SetRowHeights(4, 40);
    g->SetColors(2, 4, clBlue);
    g->HideRows(3, 4);
    EXPECT_EQ(g->RowCount(), 8);
    EXPECT_EQ(g->NumHiddenRows(), 2);
    EXPECT_EQ(g->TotalRowCount(), 10);
    EXPECT_EQ(g->RealRowIndex(3), 5);
    EXPECT_EQ(g->DisplRowIndex(5), 3);
    EXPECT_EQ(g->DisplRowIndex(4), 3);
    EXPECT_TRUE(g->IsHiddenRow(4));
    EXPECT_EQ(g->AllCells(1, 4), "1:4");
    EXPECT_EQ(g->AllCells(1, 5), "1:5");
    EXPECT_EQ(g->Cells(1, 3), "1:5");
    EXPECT_EQ(g->RealRowIndex(-1), -1);

    g->UnHideRows(3, 4);
    EXPECT_EQ(g->RowCount(), 10);
    EXPECT_EQ(ColumnTexts(*g, 1), Named(1, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(g->RowHeights(4), 40);
    EXPECT_EQ(g->Colors(2, 4), clBlue);
    EXPECT_EQ(g->ModifiedRowCount(), 0);
}

TEST(GridHiddenRows, HiddenColumnCellsTravelWithAHiddenRow)
{
    auto g = NamedGrid(4, 6);
    g->HideColumn(2);
    g->HideRow(3);
    g->SetAllCells(2, 3, "changed while hidden");
    g->UnHideRow(3);
    g->UnHideColumn(2);
    EXPECT_EQ(RowTexts(*g, 3), (QStringList{"0:3", "1:3", "changed while hidden", "3:3"}));
}

TEST(GridHiddenRows, AFilterStepAndItsUndo)
{
    auto g = NamedGrid(2, 8, 1);
    g->SetRowHeights(4, 33);
    g->HideRowList(std::vector<int>{1, 4});
    EXPECT_EQ(ColumnTexts(*g, 0), Named(0, {0, 2, 3, 5, 6, 7}));
    EXPECT_EQ(g->HideLevel(), 1);
    g->UnHideRowList();
    g->SetHideLevel(g->HideLevel() - 1);
    EXPECT_EQ(ColumnTexts(*g, 0), Named(0, {0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(g->RowHeights(4), 33);
}

TEST(GridHiddenRows, SelectedRowsAreHiddenTogether)
{
    auto g = NamedGrid(2, 8, 1);
    g->MouseActions().SetDisjunctRowSelect(true);
    g->MouseActions().SetRowSelectPersistent(true);   // marks kept by real row
    g->SetRowSelect(2, true);
    g->SetRowSelect(5, true);
    g->HideSelectedRows();
    EXPECT_EQ(ColumnTexts(*g, 0), Named(0, {0, 1, 3, 4, 6, 7}));
    g->UnHideRowsAll();
    g->HideUnSelectedRows();
    EXPECT_EQ(ColumnTexts(*g, 0), Named(0, {0, 2, 5}));
}

TEST(GridHiddenRows, ObjectsOfHiddenRowsAreFreedWithTheGrid)
{
    int destroyed = 0;
    {
        auto g = NamedGrid(3, 6, 1);
        AddCountedCheckBox(*g, 1, 2, &destroyed);
        AddCountedCheckBox(*g, 2, 5, &destroyed);
        g->HideRows(0, 5);   // all but the last shown row
        EXPECT_EQ(g->RowCount(), 1);
        EXPECT_EQ(destroyed, 0);
    }
    EXPECT_EQ(destroyed, 2);
}

TEST(GridHiddenRows, HidingHalfOfAMillionRowsKeepsTheMapsRight)
{
    auto g = std::make_unique<TDazStringGrid>();
    g->SetColCount(2);
    g->SetRowCount(1000000);
    for (int r = 0; r < 1000000; r += 1000)
        g->SetCells(1, r, QString::number(r));
    std::vector<int> odd;
    for (int r = 1; r < 1000000; r += 2)
        odd.push_back(r);
    g->HideRowList(odd);
    EXPECT_EQ(g->RowCount(), 500000);
    EXPECT_EQ(g->RealRowIndex(250000), 500000);
    EXPECT_EQ(g->Cells(1, 250000), "500000");
    EXPECT_EQ(g->AllCells(1, 999001), "");
    g->UnHideRowList();
    EXPECT_EQ(g->RowCount(), 1000000);
    EXPECT_EQ(g->Cells(1, 999000), "999000");
}

// A hidden row is parked as the store held it and turned into its cell list only when read
// or written; parked, read and written rows all come back with their texts, objects and
// heights, a check box beyond the last text and a hidden column's cell included.
TEST(GridHiddenRows, ParkedReadAndWrittenRowsComeBackAlike)
{
    int destroyed = 0;
    auto g = NamedGrid(5, 8, 1);
    g->SetCells(3, 4, QString());
    g->SetCells(4, 4, QString());
    AddCountedCheckBox(*g, 4, 4, &destroyed);   // an object after the last text
    g->SetRowHeights(3, 31);
    g->SetRowHeights(5, 35);
    g->HideColumn(2);
    g->HideRows(3, 5);
    EXPECT_EQ(g->AllCells(2, 3), "2:3");        // row 3 read
    g->SetAllCells(1, 5, "written");           // row 5 written; row 4 stays parked
    ASSERT_NE(g->HiddenRowCells(4), nullptr);   // reading the list unpacks row 4 too
    EXPECT_EQ(g->HiddenRowCells(4)->Count(), 5);
    EXPECT_EQ(g->HiddenRowCells(4)->Strings(3), "");
    g->HideRow(6);                              // a parked one again
    g->UnHideRowsAll();
    g->UnHideColumnsAll();
    EXPECT_EQ(RowTexts(*g, 3), (QStringList{"0:3", "1:3", "2:3", "3:3", "4:3"}));
    EXPECT_EQ(RowTexts(*g, 4), (QStringList{"0:4", "1:4", "2:4", "", ""}));
    EXPECT_EQ(RowTexts(*g, 5), (QStringList{"0:5", "written", "2:5", "3:5", "4:5"}));
    EXPECT_EQ(RowTexts(*g, 6), (QStringList{"0:6", "1:6", "2:6", "3:6", "4:6"}));
    EXPECT_TRUE(g->HasCheckBox(4, 4));
    EXPECT_EQ(g->RowHeights(3), 31);
    EXPECT_EQ(g->RowHeights(5), 35);
    g->HideRow(4);
    g.reset();
    EXPECT_EQ(destroyed, 1);
}
