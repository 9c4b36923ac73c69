#include "grid/base/gridstore.h"
#include "grid/base/gridtypes.h"
#include "grid/base/stringgridbase.h"

#include <gtest/gtest.h>

namespace {
class TThing : public TObject
{
};
}   // namespace

TEST(GridStore, TextAndObjectOfACellAreIndependent)
{
    TGridStore store;
    TThing thing;
    store.SetObject(2, 3, &thing);
    EXPECT_EQ(store.Text(2, 3), QString());
    store.SetText(2, 3, QStringLiteral("x"));
    EXPECT_EQ(store.Object(2, 3), &thing);
    store.SetText(2, 3, QString());
    EXPECT_EQ(store.Object(2, 3), &thing);
    EXPECT_EQ(store.Object(1, 3), nullptr);
    EXPECT_EQ(store.Object(2, 300), nullptr);
}

TEST(GridStore, ReadsBeyondWrittenCellsAreEmptyAndBadIndexesThrow)
{
    TGridStore store;
    EXPECT_EQ(store.Text(1000, 1000000), QString());
    store.SetText(600, 0, QStringLiteral("far"));
    EXPECT_EQ(store.Text(600, 0), QStringLiteral("far"));
    EXPECT_THROW(store.Text(-1, 0), EGridError);
    EXPECT_THROW(store.SetText(0, -1, QStringLiteral("a")), EGridError);
    EXPECT_THROW(store.SetText(TGridStore::MaxColumns, 0, QStringLiteral("a")), EGridError);
    // Writing nothing where nothing is stored allocates no row.
    store.SetText(0, 50000, QString());
    EXPECT_EQ(store.RowExtent(), 1);
}

TEST(GridStore, MovesCarryTextsAndObjects)
{
    TGridStore store;
    TThing a, b;
    for (int r = 0; r < 4; ++r)
        store.SetText(0, r, QString::number(r));
    store.SetObject(1, 0, &a);
    store.SetObject(1, 3, &b);
    store.MoveRow(0, 3);   // 1 2 3 0
    EXPECT_EQ(store.Text(0, 0), QStringLiteral("1"));
    EXPECT_EQ(store.Text(0, 3), QStringLiteral("0"));
    EXPECT_EQ(store.Object(1, 3), &a);
    EXPECT_EQ(store.Object(1, 2), &b);
    store.MoveRow(3, 1);   // 1 0 2 3
    EXPECT_EQ(store.Text(0, 1), QStringLiteral("0"));
    EXPECT_EQ(store.Text(0, 2), QStringLiteral("2"));

    store.SetText(2, 1, QStringLiteral("c2"));
    store.MoveColumn(2, 0);
    EXPECT_EQ(store.Text(0, 1), QStringLiteral("c2"));
    EXPECT_EQ(store.Text(1, 1), QStringLiteral("0"));
    EXPECT_EQ(store.Object(2, 1), &a);
    // A move into the empty part of the store moves the data there.
    store.MoveRow(0, 10);
    EXPECT_EQ(store.Text(1, 10), QStringLiteral("1"));
}

TEST(GridStore, RewritingCellsKeepsTheirNeighbours)
{
    TGridStore store;
    const QStringList texts = {"one", "", "three", "four"};
    for (int c = 0; c < texts.size(); ++c)
        store.SetText(c, 0, texts[c]);
    store.SetText(0, 0, QStringLiteral("a much longer first text"));
    store.SetText(2, 0, QString());
    store.SetText(1, 0, QStringLiteral("2"));
    EXPECT_EQ(store.Text(0, 0), QStringLiteral("a much longer first text"));
    EXPECT_EQ(store.Text(1, 0), QStringLiteral("2"));
    EXPECT_EQ(store.Text(2, 0), QString());
    EXPECT_EQ(store.Text(3, 0), QStringLiteral("four"));
    EXPECT_EQ(store.TextView(3, 0), QStringLiteral("four"));
    store.SetText(3, 0, QString());
    EXPECT_EQ(store.Text(3, 0), QString());
    EXPECT_EQ(store.Text(9, 0), QString());
}

// A text of the same length is written in place: the neighbours stay, and a copy of the row
// taken before (which shares the row's texts) keeps the old text.
TEST(GridStore, SameLengthRewriteLeavesNeighboursAndCopiesAlone)
{
    TGridStore store;
    for (const char *t : {"ab", "cd", "ef"})
        store.SetText(store.RowData(0).Cells(), 0, QString::fromLatin1(t));
    const TGridStore::TRowData before = store.RowData(0);
    store.SetText(1, 0, QStringLiteral("XY"));
    store.SetText(2, 0, QStringLiteral("ef"));
    EXPECT_EQ(store.Text(0, 0), QStringLiteral("ab"));
    EXPECT_EQ(store.Text(1, 0), QStringLiteral("XY"));
    EXPECT_EQ(store.Text(2, 0), QStringLiteral("ef"));
    EXPECT_EQ(before.Text(1), QStringLiteral("cd"));
}

TEST(StringGrid, CellsSurviveShrinkingAndGrowing)
{
    TStringGridBase grid;
    grid.SetColCount(3);
    grid.SetRowCount(10);
    grid.SetCells(2, 9, QStringLiteral("last"));
    grid.SetCells(7, 2, QStringLiteral("hidden column"));
    grid.SetRowCount(5);
    grid.SetColCount(2);
    EXPECT_EQ(grid.Cells(2, 9), QStringLiteral("last"));
    grid.SetRowCount(10);
    grid.SetColCount(3);
    EXPECT_EQ(grid.Cells(2, 9), QStringLiteral("last"));
    EXPECT_EQ(grid.Cells(7, 2), QStringLiteral("hidden column"));
}

TEST(StringGrid, DeleteAndMoveKeepCellsWithTheirRowsAndColumns)
{
    TStringGridBase grid;
    TThing obj;
    grid.SetColCount(4);
    grid.SetRowCount(5);
    for (int r = 0; r < 5; ++r)
        grid.SetRows(r, {QString::number(r), QStringLiteral("a%1").arg(r), QStringLiteral("b%1").arg(r)});
    grid.SetObjects(1, 2, &obj);
    grid.SetRowHeights(2, 40);

    grid.DeleteRow(1);
    EXPECT_EQ(grid.RowCount(), 4);
    EXPECT_EQ(grid.Cols(0), (QStringList{"0", "2", "3", "4"}));
    EXPECT_EQ(grid.Objects(1, 1), &obj);
    EXPECT_EQ(grid.RowHeights(1), 40);
    EXPECT_EQ(grid.Cells(0, 4), QStringLiteral("1"));   // the deleted row stays beyond the end

    std::vector<std::pair<int, int>> moved;
    grid.OnColumnMoved = [&](TObject *, int from, int to) { moved.emplace_back(from, to); };
    grid.MoveColumn(2, 0);
    EXPECT_EQ(grid.Rows(1), (QStringList{"b2", "2", "a2", ""}));
    EXPECT_EQ(grid.Objects(2, 1), &obj);
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_EQ(moved[0], std::make_pair(2, 0));

    grid.DeleteColumn(0);
    EXPECT_EQ(grid.ColCount(), 3);
    EXPECT_EQ(grid.Rows(1), (QStringList{"2", "a2", ""}));
}
