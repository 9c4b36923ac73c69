// Removing, inserting, clearing, trimming and merging rows and columns of the string grid,
// with the ownership of cell objects: removed ones freed, moved ones kept.
#include "gridfixture.h"

#include <gtest/gtest.h>

TEST(GridStructure, RemovedRowFreesItsObjectsTheRowBelowKeepsItsOwn)
{
    int destroyed = 0;
    auto g = NamedGrid(3, 6, 1);
    AddCountedCheckBox(*g, 1, 2, &destroyed);
    AddCountedCheckBox(*g, 1, 3, &destroyed);
    TObject *below = g->GetGraphicObjectEx(1, 3);
    g->RemoveRows(2, 1);
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(g->RowCount(), 5);
    EXPECT_EQ(g->GetGraphicObjectEx(1, 2), below);
    EXPECT_EQ(ColumnTexts(*g, 0), Named(0, {0, 1, 3, 4, 5}));
    g.reset();
    EXPECT_EQ(destroyed, 2);
}

TEST(GridStructure, RowRemovalNamesOnlyRowsThatExist)
{
    struct Case
    {
        int index, count;
        QStringList left;
    };
    const Case cases[] = {
        {-1, 2, Named(0, {0, 1, 2, 3, 4})},   // a start before the grid: nothing
        {5, 1, Named(0, {0, 1, 2, 3, 4})},    // a start after it: nothing
        {2, 0, Named(0, {0, 1, 2, 3, 4})},
        {3, 100, Named(0, {0, 1, 2})},        // clamped to the rows that exist
        {0, 2, Named(0, {2, 3, 4})},
    };
    for (const Case &c : cases) {
        for (int variant = 0; variant < 4; ++variant) {
            auto g = NamedGrid(2, 5);
            if (variant == 0)
                g->RemoveRows(c.index, c.count);
            else if (variant == 1)
                g->RemoveRowsInternal(c.index, c.count, true);
            else if (variant == 2)
                g->DeleteRowRange(c.index, c.count);
            else
                g->RemoveRowsEx(c.index, c.count);
            EXPECT_EQ(ColumnTexts(*g, 0), c.left) << c.index << " " << c.count << " " << variant;
        }
    }
}

TEST(GridStructure, RemoveRowsExLeavesTheHeightsInPlace)
{
    auto g = NamedGrid(2, 5);
    g->SetRowHeights(2, 40);
    g->SetRowHeights(3, 50);
    g->RemoveRowsEx(2, 1);
    EXPECT_EQ(ColumnTexts(*g, 0), Named(0, {0, 1, 3, 4}));
    EXPECT_EQ(g->RowHeights(2), 40);
    EXPECT_EQ(g->RowHeights(3), 50);
}

TEST(GridStructure, RemovingEveryRowLeavesOneEmptyRow)
{
    for (int variant = 0; variant < 3; ++variant) {
        int destroyed = 0;
        auto g = NamedGrid(2, 3);
        AddCountedCheckBox(*g, 0, 2, &destroyed);
        if (variant == 0)
            g->RemoveRows(0, 3);
        else if (variant == 1)
            g->RemoveRowsEx(0, 3);
        else
            g->DeleteRowRange(0, 3);
        EXPECT_EQ(g->RowCount(), 1);
        EXPECT_EQ(ColumnTexts(*g, 0), QStringList{""});
        EXPECT_EQ(destroyed, 1);
    }
}

TEST(GridStructure, HiddenRowsFollowRemovedAndInsertedRows)
{
    auto g = NamedGrid(2, 8);
    g->HideRow(5);
    g->RemoveRows(2, 1);
    EXPECT_TRUE(g->IsHiddenRow(4));
    g->InsertRows(1, 2);
    EXPECT_TRUE(g->IsHiddenRow(6));
    g->UnHideRowsAll();
    EXPECT_EQ(ColumnTexts(*g, 0),
              (QStringList{"0:0", "", "", "0:1", "0:3", "0:4", "0:5", "0:6", "0:7"}));
}

TEST(GridStructure, InsertedRowsTakeNoObjectsAndTheOthersMoveDown)
{
    auto g = NamedGrid(3, 5, 1);
    g->SetColors(1, 2, clRed);
    g->SetRowHeights(2, 30);
    g->InsertRows(2, 1, true);
    EXPECT_EQ(g->RowCount(), 6);
    EXPECT_EQ(g->Colors(1, 3), clRed);
    EXPECT_FALSE(g->HasCellProperties(1, 2));
    EXPECT_EQ(g->RowHeights(3), 30);
    EXPECT_EQ(g->RowHeights(2), g->DefaultRowHeight());
    EXPECT_EQ(ColumnTexts(*g, 1), (QStringList{"1:0", "1:1", "", "1:2", "1:3", "1:4"}));
}

TEST(GridStructure, AddRowKeepsTheFloatingFooterLast)
{
    auto g = NamedGrid(2, 4, 1);
    g->FloatingFooter().SetVisible(true);
    const QString footer = g->Cells(0, 3);
    g->AddRow();
    EXPECT_EQ(g->RowCount(), 5);
    EXPECT_EQ(g->Cells(0, 4), footer);
    EXPECT_EQ(g->Cells(0, 3), "");
    g->FloatingFooter().SetVisible(false);
    g->AddRow();
    EXPECT_EQ(g->RowCount(), 6);
    EXPECT_EQ(g->Cells(0, 5), "");
}

TEST(GridStructure, DuplicatesComparedExactlyOrWithoutCase)
{
    for (bool doCase : {true, false}) {
        auto g = NamedGrid(2, 5, 1);
        const QStringList texts{"Abc", "abc", "x", "Abc"};
        for (int i = 0; i < texts.size(); ++i)
            g->SetCells(1, i + 1, texts[i]);
        g->RemoveDuplicates(1, doCase);
        const QStringList kept = doCase ? QStringList{"1:0", "Abc", "abc", "x"}
                                        : QStringList{"1:0", "Abc", "x"};
        EXPECT_EQ(ColumnTexts(*g, 1), kept) << doCase;
    }
}

TEST(GridStructure, SelectedRowsRemovedOrKept)
{
    auto g = NamedGrid(2, 7, 1);
    g->SelectCells(0, 4, 1, 2);
    g->RemoveSelectedRows();
    EXPECT_EQ(ColumnTexts(*g, 0), Named(0, {0, 1, 5, 6}));

    g = NamedGrid(2, 7, 1);
    g->MouseActions().SetDisjunctRowSelect(true);
    g->SetRowSelect(2, true);
    g->SetRowSelect(5, true);
    g->RemoveUnSelectedRows();
    EXPECT_EQ(ColumnTexts(*g, 0), Named(0, {0, 2, 5}));
    EXPECT_EQ(g->RowSelectCount(), 0);   // the selection is cleared afterwards
    g->SetRowSelect(1, true);
    g->RemoveSelectedRows();
    EXPECT_EQ(ColumnTexts(*g, 0), Named(0, {0, 5}));
    EXPECT_EQ(g->RowSelectCount(), 0);
}

TEST(GridStructure, CheckedOrUncheckedRowsRemoved)
{
    for (const bool removeChecked : {true, false}) {
        auto g = NamedGrid(2, 6, 1);
        for (int r = 1; r < 6; ++r)
            g->AddCheckBox(1, r, r == 2 || r == 5, false);
        g->RemoveCheckedRows(1, removeChecked);
        const QStringList kept = removeChecked ? Named(0, {0, 1, 3, 4}) : Named(0, {0, 2, 5});
        EXPECT_EQ(ColumnTexts(*g, 0), kept) << removeChecked;
    }
}

TEST(GridStructure, ColumnsInsertedAndRemovedWithTheirCellsWidthsAndHiddenState)
{
    int destroyed = 0;
    auto g = NamedGrid(5, 3);
    for (int c = 0; c < 5; ++c)
        g->SetColWidths(c, 40 + c);
    g->HideColumn(3);
    g->SetColors(4, 1, clGreen);
    AddCountedCheckBox(*g, 1, 2, &destroyed);

    g->InsertCols(1, 2);
    EXPECT_EQ(g->ColCount(), 6);
    EXPECT_EQ(RowTexts(*g, 0), (QStringList{"0:0", "", "", "1:0", "2:0", "3:0", "4:0"}));
    EXPECT_TRUE(g->IsHiddenColumn(5));
    EXPECT_EQ(g->Colors(6, 1), clGreen);
    EXPECT_EQ(g->ColWidths(1), g->DefaultColWidth());
    EXPECT_EQ(g->ColWidths(3), 41);
    EXPECT_EQ(g->ColWidths(5), 44);

    g->RemoveCols(3, 3);   // 1:*, 2:* and the hidden 3:*
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(g->NumHiddenColumns(), 0);
    EXPECT_EQ(g->ColCount(), 4);
    EXPECT_EQ(RowTexts(*g, 0), (QStringList{"0:0", "", "", "4:0"}));
    EXPECT_EQ(g->ColWidths(3), 44);
    EXPECT_EQ(g->Colors(3, 1), clGreen);

    g->RemoveCols(2, 100);   // only up to the last real column
    EXPECT_EQ(RowTexts(*g, 0), (QStringList{"0:0", ""}));
    g->RemoveCols(-1, 1);
    g->RemoveCols(7, 1);
    EXPECT_EQ(g->ColCount(), 2);
}

TEST(GridStructure, HiddenRowsKeepTheirColumnsWhenColumnsChange)
{
    auto g = NamedGrid(4, 4);
    g->HideRow(2);
    g->InsertCols(1, 1);
    g->RemoveCols(3, 1);   // old column 2
    g->UnHideRow(2);
    EXPECT_EQ(RowTexts(*g, 2), (QStringList{"0:2", "", "1:2", "3:2"}));
}

TEST(GridStructure, MergeColsJoinsTheTextsAndRemovesTheSecond)
{
    auto g = NamedGrid(3, 3, 1);
    g->SetCells(2, 2, "  ");
    g->MergeCols(0, 2, " - ");
    EXPECT_EQ(ColumnTexts(*g, 0), (QStringList{"0:0", "0:1 - 2:1", "0:2 -"}));
    EXPECT_EQ(g->ColCount(), 2);
}

TEST(GridStructure, ClearingFreesRecordsUnlessTextOnly)
{
    int destroyed = 0;
    auto g = NamedGrid(3, 4);
    g->SetColors(1, 1, clRed);
    AddCountedCheckBox(*g, 2, 2, &destroyed);
    g->SetClearTextOnly(true);
    g->ClearRect(0, 0, 2, 2);
    EXPECT_EQ(g->Cells(1, 1), "");
    EXPECT_EQ(g->Colors(1, 1), clRed);
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(g->Cells(0, 3), "0:3");

    g->SetClearTextOnly(false);
    TRect changed;
    g->OnCellsChanged = [&](TObject *, const TRect &R) { changed = R; };
    g->ClearRows(2, 1);
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(changed.Top, 2);
    EXPECT_EQ(changed.Bottom, 2);
    g->Clear();
    EXPECT_EQ(g->Colors(1, 1), clNone);
    EXPECT_EQ(ColumnTexts(*g, 0), (QStringList{"", "", "", ""}));
}

TEST(GridStructure, ClearAllEmptiesHiddenRowsToo)
{
    int destroyed = 0;
    auto g = NamedGrid(2, 4);
    AddCountedCheckBox(*g, 1, 2, &destroyed);
    g->HideRow(2);
    g->ClearAll();
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(g->AllCells(0, 2), "");
    EXPECT_TRUE(g->IsHiddenRow(2));
}

TEST(GridStructure, TrimAndColourRectangles)
{
    auto g = NamedGrid(2, 3);
    g->SetCells(1, 1, "  padded\t");
    g->SetCells(0, 2, " x ");
    g->TrimRow(1);
    EXPECT_EQ(g->Cells(1, 1), "padded");
    EXPECT_EQ(g->Cells(0, 2), " x ");
    g->TrimAll();
    EXPECT_EQ(g->Cells(0, 2), "x");
    g->ColorRect(0, 1, 1, 2, clYellow);
    EXPECT_EQ(g->Colors(1, 2), clYellow);
    EXPECT_EQ(g->Colors(1, 0), clNone);
}

TEST(GridStructure, RunsOfEqualTextsMergeAndSplit)
{
    auto g = NamedGrid(3, 7, 1);
    const QStringList texts{"A", "A", "B", "B", "B", "C"};
    for (int i = 0; i < texts.size(); ++i)
        g->SetCells(1, i + 1, texts[i]);
    g->MergeColumnCells(1, true);
    EXPECT_EQ(g->CellSpan(1, 1).Y, 1);
    EXPECT_EQ(g->CellSpan(1, 3).Y, 2);
    EXPECT_FALSE(g->IsMergedCell(1, 6));
    g->SplitColumnCells(1);
    EXPECT_FALSE(g->IsMergedCell(1, 1));
    EXPECT_FALSE(g->IsMergedCell(1, 4));

    g->MergedColumns().Add(1);   // the list re-merges on every change
    EXPECT_EQ(g->CellSpan(1, 3).Y, 2);
    g->MergedColumns().Clear();
    g->MergedColumns().Add(2);
    EXPECT_FALSE(g->IsMergedCell(1, 3));
}

TEST(GridStructure, FindCellsByText)
{
    auto g = NamedGrid(3, 3);
    g->SetCells(2, 0, "same");
    g->SetCells(0, 1, "same");
    int c = -1;
    int r = -1;
    EXPECT_TRUE(g->IsCell("same", c, r));
    EXPECT_EQ(c, 2);
    EXPECT_EQ(r, 0);
    EXPECT_FALSE(g->IsCell("Same", c, r));
    g->SetCells(1, 1, "|\\wide");
    EXPECT_TRUE(g->IsWideCell(1, 1));
    EXPECT_FALSE(g->IsWideCell(0, 1));
}
