// The tab row under the page control: selection through inserts, deletes and moves, the
// layout in rows, the hit test and the page area.
#include "mbus/daztabstrip.h"
#include "pagecontrol_fixture.h"

#include <gtest/gtest.h>

namespace {

TDazTabSheet *Tag(intptr_t n)
{
    return reinterpret_cast<TDazTabSheet *>(n);   // only compared, never used
}

} // namespace

TEST(TabStrip, CurrentTabFollowsInsertsDeletesAndMoves)
{
    TDazTabStrip s;
    EXPECT_EQ(s.TabIndex(), -1);
    s.Insert(0, "a", Tag(1));
    EXPECT_EQ(s.TabIndex(), 0);   // the first tab becomes current
    s.Insert(0, "b", Tag(2));
    EXPECT_EQ(s.TabIndex(), 1);   // still "a"
    s.Insert(2, "c", Tag(3));
    EXPECT_EQ(s.TabIndex(), 1);
    s.Move(1, 2);
    EXPECT_EQ(s.Object(2), Tag(1));
    EXPECT_EQ(s.TabIndex(), 2);
    s.Delete(0);
    EXPECT_EQ(s.TabIndex(), 1);
    s.Delete(1);
    EXPECT_EQ(s.TabIndex(), -1);  // the current one went
    s.SetTabIndex(7);
    EXPECT_EQ(s.TabIndex(), -1);
    EXPECT_EQ(s.IndexOfObject(Tag(3)), 0);
    EXPECT_EQ(s.Text(5), "");
}

TEST(TabStrip, RowsWrapStretchAndPutTheCurrentRowNextToThePage)
{
    TDazTabStrip s;
    s.SetFont(TestFont());
    s.SetBounds(200, 150);
    s.SetTabWidth(60);
    s.SetTabHeight(20);
    for (int i = 0; i < 5; ++i)
        s.Insert(i, QString::number(i), Tag(i + 1));
    // One row without MultiLine, running past the width.
    EXPECT_EQ(s.RowCount(), 1);
    EXPECT_EQ(s.TabRect(4), Bounds(2 + 4 * 60, 2, 60, 20));
    EXPECT_EQ(s.FrameLines().Top, 22);

    s.SetMultiLine(true);
    ASSERT_EQ(s.RowCount(), 2);   // 196 pixels hold three tabs of 60
    // Not ragged: every row fills the length; the current tab's row (the first) lies next to the page.
    EXPECT_EQ(s.TabRect(0), Bounds(2, 22, 66, 20));
    EXPECT_EQ(s.TabRect(2).Right, 198);
    EXPECT_EQ(s.TabRect(3), Bounds(2, 2, 98, 20));
    EXPECT_EQ(s.TabRect(4).Right, 198);
    EXPECT_EQ(s.FrameLines().Top, 42);
    EXPECT_EQ(s.DisplayRect(), TRect(4, 46, 195, 145));

    s.SetTabIndex(4);
    EXPECT_EQ(s.TabRect(4).Top, 22);
    EXPECT_EQ(s.TabRect(0).Top, 2);
    EXPECT_EQ(s.IndexOfTabAt(150, 30), 4);
    EXPECT_EQ(s.IndexOfTabAt(150, 10), 2);
    EXPECT_EQ(s.IndexOfTabAt(150, 60), -1);

    s.SetRaggedRight(true);
    EXPECT_EQ(s.TabRect(3).Width(), 60);
}

TEST(TabStrip, SidesTurnTheLayout)
{
    TDazTabStrip s;
    s.SetFont(TestFont());
    s.SetBounds(200, 150);
    s.SetTabWidth(50);
    s.SetTabHeight(20);
    s.Insert(0, "a", Tag(1));
    s.Insert(1, "b", Tag(2));
    struct Case { TTabPosition pos; TRect second; TRect frame; };
    const Case cases[] = {
        {tpTop, Bounds(52, 2, 50, 20), TRect(0, 22, 198, 148)},
        {tpBottom, Bounds(52, 128, 50, 20), TRect(0, 0, 198, 127)},
        {tpLeft, Bounds(2, 52, 20, 50), TRect(22, 0, 198, 148)},
        {tpRight, Bounds(178, 52, 20, 50), TRect(0, 0, 177, 148)},
    };
    for (const Case &c : cases) {
        s.SetPosition(c.pos);
        EXPECT_EQ(s.TabRect(1), c.second) << c.pos;
        EXPECT_EQ(s.FrameLines(), c.frame) << c.pos;
    }
    // Image room lengthens the tabs along the row when they have an image.
    s.SetTabWidth(0);
    s.SetPosition(tpLeft);
    const int plain = s.TabRect(0).Height();
    s.SetImageSize(16, 30);
    EXPECT_EQ(s.TabRect(0).Height(), plain);   // no image index: no room
    s.ImageIndexOf = [](int) { return 0; };
    s.SetImageSize(16, 31);
    EXPECT_EQ(s.TabRect(0).Height(), plain + 31);
}
