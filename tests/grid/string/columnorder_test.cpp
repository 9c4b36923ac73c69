// Moving columns and rows of a string grid, and putting the columns back in their first
// order.
#include "grid/string/dazstringgrid.h"

#include <QLabel>
#include <gtest/gtest.h>

namespace {

QString ColumnText(TDazStringGrid &g, int ARow)
{
    QString s;
    for (int c = 0; c < g.ColCount(); ++c)
        s += g.Cells(c, ARow);
    return s;
}

QString RowText(TDazStringGrid &g, int ACol)
{
    QString s;
    for (int r = 0; r < g.RowCount(); ++r)
        s += g.Cells(ACol, r);
    return s;
}

TEST(MoveRows, MovesABlockBeforeTheTargetRow)
{
    struct Case {
        int from, to, count;
        const char *result;
    };
    const Case cases[] = {
        {2, 6, 2, "ABEFCDGH"},   // the target lies beyond the block: it shifts up
        {2, 3, 2, "ABECDFGH"},   // one step down (Ctrl+Down on rows 2..3)
        {5, 2, 2, "ABFGCDEH"},   // upwards
        {3, 2, 3, "ABDEFCGH"},   // one step up (Ctrl+Up on rows 3..5)
        {2, 2, 2, "ABCDEFGH"},   // nothing
        {2, 6, 0, "ABCDEFGH"},
        {6, 1, 3, "ABCDEFGH"},   // the block reaches past the last row: refused
    };
    for (const Case &c : cases) {
        TDazStringGrid g;
        g.SetColCount(3);
        g.SetRowCount(8);
        for (int r = 0; r < 8; ++r) {
            g.SetCells(1, r, QString(QChar('A' + r)));
            g.SetCells(2, r, QString(QChar('a' + r)));
        }
        g.HideColumn(2);   // the hidden column's cells travel with their rows
        g.MoveRows(c.from, c.to, c.count);
        EXPECT_EQ(RowText(g, 1), c.result) << c.from << "," << c.to << "," << c.count;
        EXPECT_EQ(RowText(g, 1).toLower(), [&] {
            QString s;
            for (int r = 0; r < 8; ++r)
                s += g.AllCells(2, r);
            return s;
        }()) << c.from;
    }
}

TEST(ColumnOrder, MoveColumnThenResetRestoresCellsWidthsAndRecords)
{
    TDazStringGrid g;
    g.SetColCount(6);
    g.SetRowCount(3);
    for (int c = 0; c < 6; ++c) {
        g.SetCells(c, 1, QString::number(c));
        g.SetColWidths(c, 30 + c);
    }
    g.SetColors(2, 2, clRed);
    g.MoveColumn(1, 3);
    EXPECT_EQ(ColumnText(g, 1), "023145");
    EXPECT_EQ(g.ColWidths(3), 31);
    EXPECT_EQ(g.ColumnAtPosition(3), 1);
    EXPECT_EQ(g.ColumnPosition(1), 3);
    g.MoveColumn(5, 0);
    EXPECT_EQ(ColumnText(g, 1), "502314");
    g.HideColumn(2);
    g.ResetColumnOrder();
    EXPECT_EQ(g.NumHiddenColumns(), 0);
    EXPECT_EQ(ColumnText(g, 1), "012345");
    for (int c = 0; c < 6; ++c)
        EXPECT_EQ(g.ColWidths(c), 30 + c) << c;
    EXPECT_EQ(g.Colors(2, 2), clRed);
    EXPECT_EQ(g.ColumnAtPosition(4), 4);
}

TEST(ColumnOrder, ResetOnAnUnmovedGridRecordsTheOrderAndShowsHiddenColumns)
{
    TDazStringGrid g;
    g.SetColCount(4);
    g.HideColumn(1);
    g.ResetColumnOrder();
    EXPECT_EQ(g.NumHiddenColumns(), 0);
    EXPECT_EQ(g.ColumnOrder().StrValue(), "0,1,2,3");
}

TEST(ColumnOrder, CellControlsMoveWithTheirColumnsAndRows)
{
    TDazStringGrid g;
    g.SetColCount(6);
    g.SetRowCount(6);
    g.show();
    auto *a = new QLabel("a");
    auto *b = new QLabel("b");
    g.SetCellControls(2, 1, a);
    g.SetCellControls(3, 2, b);
    g.MoveColumn(2, 4);
    const TControlList &list = g.ControlList();
    ASSERT_EQ(list.Count(), 2);
    for (int i = 0; i < 2; ++i) {
        const TControlItem *item = list.GetControl(i);
        if (item->Control() == a)
            EXPECT_EQ(item->X(), 4);
        else
            EXPECT_EQ(item->X(), 2);
    }
    const TRect r = g.CellRect(4, 1);
    EXPECT_EQ(a->geometry().left(), r.Left - 1);
    g.MoveRow(1, 3);
    for (int i = 0; i < 2; ++i) {
        const TControlItem *item = list.GetControl(i);
        EXPECT_EQ(item->Y(), item->Control() == a ? 3 : 1);
    }
}

TEST(CellControls, FollowScrollingAndHiding)
{
    TDazStringGrid g;
    g.SetColCount(4);
    g.SetRowCount(40);
    g.SetDefaultRowHeight(20);
    g.resize(300, 200);
    g.show();
    auto *a = new QLabel("a");
    auto *b = new QLabel("b");
    g.SetCellControls(1, 1, a);
    g.SetCellControls(1, 3, b);
    g.CellControlsUpdate(true);
    const int top = b->geometry().top();
    g.SetTopRow(2);
    EXPECT_FALSE(a->isVisible());   // scrolled out of view
    EXPECT_TRUE(b->isVisible());
    EXPECT_EQ(b->geometry().top(), top - 20);
    g.HideColumn(1);
    g.CellControlsUpdate(false);
    EXPECT_FALSE(b->isVisible());
}

TEST(CellControls, AControlBehindAHiddenColumnSitsInItsOwnCell)
{
    TDazStringGrid g;
    g.SetColCount(5);
    g.SetRowCount(5);
    g.show();
    auto *a = new QLabel("a");
    g.SetCellControls(3, 2, a);
    g.HideColumn(1);
    g.CellControlsUpdate(true);
    const TRect r = g.CellRect(2, 2);   // real column 3 is display column 2
    EXPECT_TRUE(a->isVisible());
    EXPECT_EQ(a->geometry(), QRect(r.Left - 1, r.Top - 1, r.Width() + 1, r.Height() + 1));
}

}   // namespace

TEST(CellControls, FollowAColumnWidthOrRowHeightChange)
{
    TDazStringGrid g;
    g.SetColCount(4);
    g.SetRowCount(4);
    g.resize(400, 300);
    g.show();
    auto *a = new QLabel("a");
    g.SetCellControls(2, 2, a);
    g.CellControlsUpdate(true);
    const QPoint before = a->geometry().topLeft();
    g.SetColWidths(0, g.ColWidths(0) + 30);
    EXPECT_EQ(a->geometry().left(), before.x() + 30);
    g.SetRowHeights(1, g.RowHeights(1) + 12);
    EXPECT_EQ(a->geometry().top(), before.y() + 12);
}
