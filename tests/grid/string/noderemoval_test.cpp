// Removing a node row that is collapsed: its rows come back instead of staying hidden with
// no node left to show them.
#include "tests/grid/string/gridfixture.h"

#include <gtest/gtest.h>

namespace {

TEST(NodeRemoval, RemovingACollapsedNodeRowShowsItsRows)
{
    struct Case
    {
        const char *name;
        std::vector<std::pair<int, int>> nodes;   // (row, span), added in this order
        int removed;
        QStringList column;
    } cases[] = {
        {"top-level node", {{2, 3}}, 2,
         {"1:0", "1:1", "1:3", "1:4", "1:5", "1:6", "1:7", "1:8", "1:9"}},
        {"node inside a group", {{2, 5}, {3, 3}}, 3,
         {"1:0", "1:1", "1:2", "1:4", "1:5", "1:6", "1:7", "1:8", "1:9"}},
    };
    for (const Case &c : cases) {
        auto grid = NamedGrid(3, 10, 1);
        for (auto [row, span] : c.nodes)
            grid->AddNode(row, span);
        grid->ContractNode(c.removed);
        ASSERT_TRUE(grid->NodeState(c.removed)) << c.name;
        grid->RemoveChildRow(c.removed);
        EXPECT_EQ(grid->NumHiddenRows(), 0) << c.name;
        EXPECT_EQ(ColumnTexts(*grid, 1), c.column) << c.name;
    }
}

}   // namespace
