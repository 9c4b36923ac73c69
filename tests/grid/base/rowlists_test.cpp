// Many rows removed or inserted in one pass: cells, objects, heights and the current cell
// move as single moves would move them.
#include "grid/base/indexedit.h"
#include "grid/base/stringgridbase.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

std::unique_ptr<TStringGridBase> NumberedGrid(int rows)
{
    auto grid = std::make_unique<TStringGridBase>();
    grid->SetRowCount(rows);
    for (int r = 0; r < rows; ++r) {
        grid->SetCells(2, r, QString::number(r));
        grid->SetRowHeights(r, 20 + r);
    }
    return grid;
}

QStringList Column(const TStringGridBase &grid, int col)
{
    QStringList list;
    for (int r = 0; r < grid.RowCount(); ++r)
        list << grid.Cells(col, r);
    return list;
}

}   // namespace

TEST(IndexEdit, EraseAndInsertByIndexLists)
{
    struct Case
    {
        std::vector<int> at;
        std::vector<int> erased;
        std::vector<int> inserted;   // 0 marks a new entry
    };
    const Case cases[] = {
        {{}, {1, 2, 3, 4}, {1, 2, 3, 4}},
        {{0}, {2, 3, 4}, {0, 1, 2, 3, 4}},
        {{3}, {1, 2, 3}, {1, 2, 3, 0, 4}},
        {{1, 2}, {1, 4}, {1, 0, 0, 2, 3, 4}},
        {{0, 3}, {2, 3}, {0, 1, 2, 0, 3, 4}},
        {{4, 5}, {1, 2, 3, 4}, {1, 2, 3, 4, 0, 0}},   // insert at the end
        {{7}, {1, 2, 3, 4}, {1, 2, 3, 4}},            // past the end: a sparse tail
    };
    for (const Case &c : cases) {
        std::vector<int> v{1, 2, 3, 4};
        EraseIndexes(v, c.at);
        EXPECT_EQ(v, c.erased);
        v = {1, 2, 3, 4};
        InsertIndexes(v, c.at, 0);
        EXPECT_EQ(v, c.inserted);
    }
}

TEST(GridRowLists, DeleteRowsMovesCellsObjectsAndHeights)
{
    auto grid = NumberedGrid(8);
    TObject mark;
    grid->SetObjects(0, 5, &mark);
    grid->SetRow(6);
    grid->DeleteRows({1, 3, 4});
    EXPECT_EQ(grid->RowCount(), 5);
    EXPECT_EQ(Column(*grid, 2), (QStringList{"0", "2", "5", "6", "7"}));
    EXPECT_EQ(grid->Objects(0, 2), &mark);
    EXPECT_EQ(grid->RowHeights(1), 22);
    EXPECT_EQ(grid->RowHeights(4), 27);
    EXPECT_EQ(grid->Row(), 3);   // still on the row that held "6"
    EXPECT_EQ(grid->Cells(2, 5), "");   // nothing left behind past the end
}

TEST(GridRowLists, InsertRowsAddsEmptyRowsAtTheirFinalPlaces)
{
    auto grid = NumberedGrid(4);
    grid->SetRow(2);
    grid->InsertRows({0, 3, 5});
    EXPECT_EQ(grid->RowCount(), 7);
    EXPECT_EQ(Column(*grid, 2), (QStringList{"", "0", "1", "", "2", "", "3"}));
    EXPECT_EQ(grid->RowHeights(0), grid->DefaultRowHeight());
    EXPECT_EQ(grid->RowHeights(4), 22);
    EXPECT_EQ(grid->Row(), 4);
}

TEST(GridRowLists, BadListsAreRefused)
{
    auto grid = NumberedGrid(4);
    EXPECT_THROW(grid->DeleteRows({2, 1}), EGridError);
    EXPECT_THROW(grid->DeleteRows({4}), EGridError);
    EXPECT_THROW(grid->DeleteRows({0, 1, 2, 3}), EGridError);
    EXPECT_THROW(grid->InsertRows({-1}), EGridError);
    EXPECT_THROW(grid->InsertRows({6}), EGridError);
    EXPECT_EQ(Column(*grid, 2), (QStringList{"0", "1", "2", "3"}));
}

TEST(GridRowLists, TakeRowsHandsOverCellsAndHeights)
{
    for (bool defaults : {false, true}) {
        auto grid = NumberedGrid(6);
        if (defaults)
            for (int r = 0; r < 6; ++r)
                grid->SetRowHeights(r, grid->DefaultRowHeight());
        TObject mark;
        grid->SetObjects(1, 4, &mark);
        std::vector<TGridStore::TParkedRow> cells(3);
        int heights[3] = {};
        grid->TakeRows({1, 4, 5}, cells.data(), heights);
        EXPECT_EQ(Column(*grid, 2), (QStringList{"0", "2", "3"}));
        EXPECT_EQ(grid->RowHeights(1), defaults ? grid->DefaultRowHeight() : 22);
        EXPECT_EQ(cells[0].Text(2), QStringLiteral("1"));
        EXPECT_EQ(cells[1].Object(1), &mark);
        EXPECT_EQ(cells[2].Text(2), QStringLiteral("5"));
        const int taken[3] = {1, 4, 5};
        for (int j = 0; j < 3; ++j)
            EXPECT_EQ(heights[j], defaults ? grid->DefaultRowHeight() : 20 + taken[j]);
        // A bad list takes nothing.
        EXPECT_THROW(grid->TakeRows({2, 1}, cells.data(), heights), EGridError);
        EXPECT_EQ(grid->RowCount(), 3);
    }
}
