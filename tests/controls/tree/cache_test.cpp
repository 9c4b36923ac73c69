// The position cache and the process-wide worker thread that builds it.
#include "tree_fixture.h"

#include "common/test_random.h"
#include "common/wait_until.h"

#include <QCoreApplication>

namespace {

// Runs the event loop until the worker thread's result has arrived.
template <typename F>
bool PumpUntil(F Done)
{
    return WaitUntil(Done);
}

// A shown tree of Count top-level nodes, built in one update (which asks for the cache).
void Fill(TTestTree &Tree, uint32_t Count)
{
    Tree.show();
    Tree.BeginUpdate();
    Tree.SetRootNodeCount(Count);
    Tree.EndUpdate();
}

}   // namespace

TEST(LazyTreeCache, SmallTreesGetNoCache)
{
    TTestTree tree;
    Fill(tree, 2000);
    QCoreApplication::processEvents();
    EXPECT_FALSE(tree.TreeStates().Contains(tsUseCache));
    EXPECT_TRUE(tree.PositionCache().empty());
}

TEST(LazyTreeCache, EntriesEveryTwoThousandShownNodes)
{
    TTestTree tree;
    Fill(tree, 4001);
    ASSERT_TRUE(PumpUntil([&] { return tree.TreeStates().Contains(tsUseCache); }));
    const auto &cache = tree.PositionCache();
    ASSERT_EQ(cache.size(), 3u);
    EXPECT_EQ(cache[0].Node, tree.RootNode()->FirstChild);
    EXPECT_EQ(cache[1].Node->Index, 2000u);
    EXPECT_EQ(cache[2].Node->Index, 4000u);
    EXPECT_EQ(cache[2].AbsoluteTop, 4000u * 18);
    EXPECT_FALSE(tree.TreeStates().Contains(tsValidating));
    // A change makes the cache unusable until it is built again.
    tree.AddChild(nullptr);
    EXPECT_FALSE(tree.TreeStates().Contains(tsUseCache));
    ASSERT_TRUE(PumpUntil([&] { return tree.TreeStates().Contains(tsUseCache); }));
}

TEST(LazyTreeCache, NeverShownTreeUsesNoCache)
{
    TTestTree tree;
    tree.SetRootNodeCount(5000);
    QCoreApplication::processEvents();
    EXPECT_FALSE(tree.TreeStates().Contains(tsUseCache));
    uint32_t top = 0;
    EXPECT_EQ(tree.NodeAtPosition(18 * 4500 + 3, top)->Index, 4500u);
    EXPECT_EQ(top, 18u * 4500);
    EXPECT_EQ(tree.LastLookupSteps(), 4500u);
}

TEST(LazyTreeCache, LookupsAgreeWithAPlainWalk)
{
    TTestTree tree;
    tree.show();
    TTestRandom random(63);
    tree.BeginUpdate();
    std::vector<PLazyNode> nodes;
    for (int i = 0; i < 12000; ++i) {
        PLazyNode parent = nodes.empty() || random.Next() % 6 == 0 ? nullptr
                                                                   : nodes[random.Next() % nodes.size()];
        nodes.push_back(tree.AddChild(parent));
    }
    for (PLazyNode n : nodes) {
        const uint32_t r = random.Next() % 20;
        if (n->FirstChild && r < 16)
            tree.SetExpanded(n, true);
        else if (r == 16)
            tree.SetVisible(n, false);
        else if (r == 17)
            tree.SetFiltered(n, true);
        else if (r == 18)
            tree.SetNodeHeight(n, 5 + random.Next() % 40);
    }
    tree.EndUpdate();
    ASSERT_GT(tree.VisibleCount(), 4000u);
    ASSERT_TRUE(PumpUntil([&] { return tree.TreeStates().Contains(tsUseCache); }));
    EXPECT_TRUE(ValidateTree(tree));
    // The plain walk: shown nodes in display order with their tops.
    uint32_t top = 0, checked = 0;
    for (PLazyNode n = tree.GetFirstVisibleNoInit(); n; n = tree.GetNextVisibleNoInit(n)) {
        if (checked++ % 7 == 0) {
            EXPECT_EQ(tree.NodeTopPosition(n), top);
            EXPECT_LE(tree.LastLookupSteps(), 2000u);
            uint32_t foundTop = 0;
            EXPECT_EQ(tree.NodeAtPosition(top + n->NodeHeight - 1, foundTop), n);
            EXPECT_EQ(foundTop, top);
            EXPECT_LE(tree.LastLookupSteps(), 2000u);
        }
        top += n->NodeHeight;
    }
    EXPECT_EQ(checked, tree.VisibleCount());
    EXPECT_EQ(top, tree.RangeY());
    uint32_t beyond = 0;
    EXPECT_EQ(tree.NodeAtPosition(top, beyond), nullptr);
}

TEST(LazyTreeCache, ChangesDuringABuildStopItAndRequestAnother)
{
    TTestTree tree;
    Fill(tree, 6000);
    // Whatever point the worker has reached, a structure change waits for it to let go.
    for (int i = 0; i < 20; ++i) {
        tree.AddChild(nullptr);
        tree.DeleteNode(tree.RootNode()->FirstChild);
        QCoreApplication::processEvents();
    }
    EXPECT_TRUE(ValidateTree(tree));
    ASSERT_TRUE(PumpUntil([&] {
        return tree.TreeStates().Contains(tsUseCache) && !tree.TreeStates().Contains(tsValidating);
    }));
    EXPECT_EQ(tree.PositionCache().size(), 3u);
    EXPECT_EQ(tree.PositionCache()[0].Node, tree.RootNode()->FirstChild);
}

TEST(LazyTreeCache, HeightChangesDoNotStopABuild)
{
    TTestTree tree;
    Fill(tree, 4001);
    ASSERT_TRUE(PumpUntil([&] { return tree.TreeStates().Contains(tsUseCache); }));
    tree.SetNodeHeight(tree.RootNode()->FirstChild, 30);
    EXPECT_FALSE(tree.TreeStates().Contains(tsStopValidation) &&
                 tree.TreeStates().Contains(tsValidating));
    ASSERT_TRUE(PumpUntil([&] { return tree.TreeStates().Contains(tsUseCache); }));
    EXPECT_EQ(tree.PositionCache()[1].AbsoluteTop, 1999u * 18 + 30);
}

TEST(LazyTreeCache, TheLastTreeEndsTheWorker)
{
    {
        TTestTree a;
        TTestTree b;
        EXPECT_TRUE(LazyTreeWorkerRunning());
    }
    EXPECT_FALSE(LazyTreeWorkerRunning());
    const int starts = LazyTreeWorkerStarts();
    TTestTree c;
    EXPECT_TRUE(LazyTreeWorkerRunning());
    EXPECT_EQ(LazyTreeWorkerStarts(), starts + 1);
}
