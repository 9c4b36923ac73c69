// Turning a cell's graphic into rotated text in place: the fields stay, what the old kind
// owned is freed and what the caller lent is left alone.
#include "tests/grid/string/gridfixture.h"

#include <gtest/gtest.h>

namespace {

TEST(RotatedKind, SetRotatedFreesOnlyWhatTheOldKindOwned)
{
    struct Case
    {
        const char *name;
        std::function<void(TDazStringGrid &, int *, TBitmap *&)> add;
        int freed;
    } cases[] = {
        {"check box owning its glyph",
         [](TDazStringGrid &g, int *destroyed, TBitmap *&) {
             AddCountedCheckBox(g, 1, 1, destroyed);
             g.GetCellGraphic(1, 1)->CellHAlign = haRight;
         },
         1},
        {"bitmap lent by the caller",
         [](TDazStringGrid &g, int *destroyed, TBitmap *&lent) {
             lent = new TCountedBitmap(destroyed);
             g.AddBitmap(1, 1, lent, false, haRight, vaTop);
         },
         0},
    };
    for (const Case &c : cases) {
        int destroyed = 0;
        TBitmap *lent = nullptr;
        {
            auto grid = NamedGrid(3, 3);
            c.add(*grid, &destroyed, lent);
            grid->SetRotated(1, 1, 90);
            EXPECT_EQ(destroyed, c.freed) << c.name;
            int angle = 0;
            EXPECT_TRUE(grid->IsRotated(1, 1, angle)) << c.name;
            EXPECT_EQ(angle, 90) << c.name;
            EXPECT_EQ(grid->GetCellGraphic(1, 1)->CellHAlign, haRight) << c.name;
        }
        EXPECT_EQ(destroyed, c.freed) << c.name;   // nothing freed twice with the grid
        delete lent;
    }
}

}   // namespace
