// Scrolling a cell into view, scroll hints and drag scrolling.
#include "paintfixture.h"

#include "grid/string/htmlhintwindow.h"

namespace {

class ScrollTest : public PaintFixture
{
protected:
    void SetUp() override
    {
        PaintFixture::SetUp();
        grid->SetRowCount(200);
        grid->resize(400, 11 * 22);   // a fixed row and 10 normal rows
        QApplication::processEvents();
    }
};

TEST_F(ScrollTest, ScrollInViewCentresAFarRow)
{
    ASSERT_EQ(grid->VisibleRowCount(), 10);
    ASSERT_EQ(grid->TopRow(), 1);
    grid->ScrollInView(2, 100);
    EXPECT_EQ(grid->Row(), 100);
    EXPECT_EQ(grid->TopRow(), 95);
}

TEST_F(ScrollTest, ScrollInViewOfAVisibleCellChangesNothing)
{
    grid->SetRow(3);
    grid->SetCol(2);
    grid->ScrollInView(1, 5);
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->TopRow(), 1);
    EXPECT_EQ(grid->LeftCol(), 1);
    grid->ScrollInView(1, 500);   // outside the grid
    EXPECT_EQ(grid->Row(), 3);
}

TEST_F(ScrollTest, HintTextsAndThumbArithmetic)
{
    EXPECT_EQ(grid->ScrollHintText(SB_VERT, 17), QStringLiteral("Row : 17"));
    EXPECT_EQ(grid->ScrollHintText(SB_HORZ, 3), QStringLiteral("Col : 3"));
    grid->OnScrollHint = [](TObject *, int ARow, QString &hint) {
        hint = QStringLiteral("Record %1").arg(ARow - 1);
    };
    EXPECT_EQ(grid->ScrollHintText(SB_VERT, 17), QStringLiteral("Record 16"));

    // Thumb positions 0..127 over the rows that can come to the top.
    EXPECT_EQ(grid->ThumbToRow(0), 1);
    EXPECT_EQ(grid->ThumbToRow(127), 200 - 10);
    // All rows in view: no division by an empty range.
    grid->SetRowCount(5);
    EXPECT_EQ(grid->ThumbToRow(64), 1);
}

TEST_F(ScrollTest, ThumbTrackingShowsTheHintWindow)
{
    grid->SetScrollHints(shVertical);
    grid->ModifyScrollBar(SB_VERT, SB_THUMBTRACK, 42);
    EXPECT_TRUE(grid->ScrollHintShowing());
    EXPECT_EQ(grid->ScrollHintWindow()->Caption(), QStringLiteral("Row : 42"));
    grid->ModifyScrollBar(SB_VERT, SB_ENDSCROLL, 42);
    EXPECT_FALSE(grid->ScrollHintShowing());
}

TEST_F(ScrollTest, DragScrollingStartsOnlyNearTheEdges)
{
    grid->DragScrollOptions().SetActive(true);
    grid->DragScrollOver(200, 120, false);
    EXPECT_FALSE(grid->DragScrolling());
    grid->DragScrollOver(200, 5, false);
    ASSERT_TRUE(grid->DragScrolling());
    EXPECT_TRUE(grid->DragScrollDir().Contains(dsdUp));
    grid->DragScrollOver(200, 5, true);
    EXPECT_FALSE(grid->DragScrolling());

    grid->SetTopRow(50);
    grid->DragScrollOver(200, grid->height() - 2, false);
    grid->DragScrollTick();
    EXPECT_EQ(grid->TopRow(), 51);
    bool asked = false;
    grid->OnDragScroll = [&](TObject *, int, int, TDragScrollDirection &, bool &can) {
        asked = true;
        can = false;
    };
    grid->DragScrollTick();
    EXPECT_TRUE(asked);
    EXPECT_EQ(grid->TopRow(), 51);
}

}   // namespace
