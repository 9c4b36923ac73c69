// Sizes that other parts of the grid follow: the floating footer's panel keeps the height
// of a row when the default row height changes.
#include "paintfixture.h"

#include "grid/string/footerpanel.h"

namespace {

using AuditDimensionsTest = PaintFixture;

TEST_F(AuditDimensionsTest, FooterPanelFollowsTheDefaultRowHeight)
{
    grid->FloatingFooter().SetVisible(true);
    ASSERT_TRUE(grid->FooterPanel()->isVisible());
    for (int h : {30, 18}) {
        grid->SetDefaultRowHeight(h);
        EXPECT_EQ(grid->FloatingFooter().Height(), h);
        EXPECT_EQ(grid->FooterPanel()->height(), grid->FooterPanelHeight()) << h;
        EXPECT_EQ(grid->FooterPanel()->geometry().top(), grid->viewport()->geometry().bottom() + 1)
            << h;
    }
    // A hidden footer only takes the height, its panel is not shown.
    grid->FloatingFooter().SetVisible(false);
    grid->SetDefaultRowHeight(25);
    EXPECT_EQ(grid->FloatingFooter().Height(), 25);
    EXPECT_FALSE(grid->FooterPanel()->isVisible());
}

}   // namespace
