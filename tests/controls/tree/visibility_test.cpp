// Hidden, filtered and expanded nodes with the counts and heights kept right.
#include "tree_fixture.h"

#include "common/test_random.h"

namespace {
// One expanded top-level node with three children, and a second top-level node.
struct TShapeTree
{
    TTestTree Tree;
    PLazyNode Top, Other;
    TShapeTree()
    {
        Top = Tree.AddChild(nullptr);
        for (int i = 0; i < 3; ++i)
            Tree.AddChild(Top);
        Other = Tree.AddChild(nullptr);
        Tree.SetExpanded(Top, true);
    }
};
}   // namespace

TEST(LazyTreeVisibility, HidingAnExpandedNodeTakesItsSubtree)
{
    TShapeTree s;
    EXPECT_EQ(s.Tree.VisibleCount(), 5u);
    const uint32_t rootHeight = s.Tree.RootNode()->TotalHeight;
    const uint32_t topHeight = s.Top->TotalHeight;
    s.Tree.SetVisible(s.Top, false);
    EXPECT_EQ(s.Tree.VisibleCount(), 1u);
    EXPECT_EQ(s.Tree.RootNode()->TotalHeight, rootHeight - topHeight);
    EXPECT_TRUE(ValidateTree(s.Tree));
    s.Tree.SetVisible(s.Top, true);
    EXPECT_EQ(s.Tree.VisibleCount(), 5u);
    EXPECT_EQ(s.Tree.RootNode()->TotalHeight, rootHeight);
    EXPECT_TRUE(ValidateTree(s.Tree));
}

TEST(LazyTreeVisibility, HidingBelowACollapsedParentOnlyRecountsTheFlag)
{
    TShapeTree s;
    s.Tree.SetExpanded(s.Top, false);
    const uint32_t count = s.Tree.VisibleCount(), height = s.Tree.RootNode()->TotalHeight;
    for (PLazyNode c = s.Top->FirstChild; c; c = c->NextSibling)
        s.Tree.SetVisible(c, false);
    EXPECT_EQ(s.Tree.VisibleCount(), count);
    EXPECT_EQ(s.Tree.RootNode()->TotalHeight, height);
    EXPECT_TRUE(s.Top->Has(vsAllChildrenHidden));
    EXPECT_TRUE(ValidateTree(s.Tree));
}

TEST(LazyTreeVisibility, FilteringALeaf)
{
    for (bool showFiltered : {false, true}) {
        TShapeTree s;
        if (showFiltered)
            s.Tree.TreeOptions().SetPaintOptions(s.Tree.TreeOptions().PaintOptions() +
                                                 TLTPaintOptions{toShowFilteredNodes});
        const uint32_t count = s.Tree.VisibleCount(), height = s.Tree.RootNode()->TotalHeight;
        s.Tree.SetFiltered(s.Top->LastChild, true);
        EXPECT_EQ(s.Tree.VisibleCount(), showFiltered ? count : count - 1);
        EXPECT_EQ(s.Tree.RootNode()->TotalHeight, showFiltered ? height : height - 18);
        EXPECT_TRUE(s.Top->LastChild->Has(vsFiltered));
        EXPECT_TRUE(ValidateTree(s.Tree));
        s.Tree.SetFiltered(s.Top->LastChild, false);
        EXPECT_EQ(s.Tree.VisibleCount(), count);
        EXPECT_TRUE(ValidateTree(s.Tree));
    }
}

TEST(LazyTreeVisibility, ReadingVisibleInitialises)
{
    TTestTree tree;
    int inits = 0;
    tree.OnInitNode = [&](TBaseLazyTree *, PLazyNode, PLazyNode, TLazyNodeInitStates &) { ++inits; };
    tree.SetRootNodeCount(1);
    EXPECT_TRUE(tree.Visible(tree.RootNode()->FirstChild));
    EXPECT_EQ(inits, 1);
}

TEST(LazyTreeVisibility, FullExpandAndCancel)
{
    TTestTree tree;
    tree.OnInitNode = [](TBaseLazyTree *Sender, PLazyNode, PLazyNode Node, TLazyNodeInitStates &S) {
        if (Sender->GetNodeLevel(Node) < 3)
            S.Include(ivsHasChildren);
    };
    tree.OnInitChildren = [](TBaseLazyTree *, PLazyNode, uint32_t &C) { C = 2; };
    tree.SetRootNodeCount(2);
    tree.FullExpand();
    EXPECT_EQ(tree.VisibleCount(), 2u + 4u + 8u + 16u);
    EXPECT_TRUE(ValidateTree(tree));
    EXPECT_FALSE(tree.TreeStates().Contains(tsExpanding));
    tree.FullCollapse();
    EXPECT_EQ(tree.VisibleCount(), 2u);
    EXPECT_TRUE(ValidateTree(tree));
    // Leaves were expanded too (it costs nothing); nodes with children are collapsed again.
    for (PLazyNode n = tree.GetFirstNoInit(); n; n = tree.GetNextNoInit(n))
        EXPECT_FALSE(n->Has(vsExpanded) && n->Has(vsHasChildren));

    int expansions = 0;
    tree.OnExpanded = [&](TBaseLazyTree *Sender, PLazyNode) {
        if (++expansions == 3)
            static_cast<TTestTree *>(Sender)->CancelOperation();
    };
    tree.FullExpand();
    EXPECT_EQ(expansions, 3);
    EXPECT_EQ(tree.OperationCount(), 0u);
    EXPECT_TRUE(ValidateTree(tree));
}

TEST(LazyTreeVisibility, EmptyTreeAndRootAndVetoes)
{
    TTestTree tree;
    std::vector<TLTUpdateState> updating;
    tree.OnUpdating = [&](TBaseLazyTree *, TLTUpdateState S) { updating.push_back(S); };
    tree.FullCollapse();
    tree.FullExpand();
    EXPECT_TRUE(updating.empty());
    tree.SetExpanded(tree.RootNode(), true);
    EXPECT_THROW(tree.SetVisible(nullptr, true), ELazyTreeAssertion);
    EXPECT_THROW(tree.SetFiltered(tree.RootNode(), true), ELazyTreeAssertion);
    try {
        tree.SetFullyVisible(nullptr, true);
    } catch (const ELazyTreeAssertion &e) {
        EXPECT_STREQ(e.what(), "Invalid parameter");
    }
    try {
        tree.VisiblePath(tree.RootNode());
    } catch (const ELazyTreeAssertion &e) {
        EXPECT_STREQ(e.what(), "Invalid parameters.");
    }
}

TEST(LazyTreeVisibility, FullyVisibleOpensThePath)
{
    TTestTree tree;
    PLazyNode a = tree.AddChild(nullptr);
    PLazyNode b = tree.AddChild(a);
    PLazyNode c = tree.AddChild(b);
    tree.SetVisible(a, false);
    tree.SetFullyVisible(c, true);
    EXPECT_TRUE(tree.FullyVisible(c));
    EXPECT_EQ(tree.VisibleCount(), 3u);
    EXPECT_TRUE(ValidateTree(tree));
}

// Random hiding, filtering, expanding, adding and deleting, with the invariants checked after
// every step; with and without toShowFilteredNodes switched on the way.
TEST(LazyTreeVisibility, RandomisedSequenceKeepsTheInvariants)
{
    TTestRandom random(6363);
    TTestTree tree;
    std::vector<PLazyNode> nodes;
    auto collect = [&] {
        nodes.clear();
        for (PLazyNode n = tree.GetFirstNoInit(); n; n = tree.GetNextNoInit(n))
            nodes.push_back(n);
    };
    for (int step = 0; step < 2500; ++step) {
        collect();
        PLazyNode node = nodes.empty() ? nullptr : nodes[random.Next() % nodes.size()];
        const uint32_t op = random.Next() % 100;
        if (op < 30 || !node)
            tree.AddChild(random.Next() % 4 == 0 ? nullptr : node);
        else if (op < 45)
            tree.SetExpanded(node, !node->Has(vsExpanded));
        else if (op < 58)
            tree.SetVisible(node, !node->Has(vsVisible));
        else if (op < 70)
            tree.SetFiltered(node, !node->Has(vsFiltered));
        else if (op < 80)
            tree.DeleteNode(node);
        else if (op < 85)
            tree.SetFullyVisible(node, true);
        else if (op < 88)
            tree.FullExpand(random.Next() % 2 ? node : nullptr);
        else if (op < 91)
            tree.FullCollapse(random.Next() % 2 ? node : nullptr);
        else if (op < 93)
            tree.TreeOptions().SetPaintOptions(tree.TreeOptions().PaintOptions().Contains(toShowFilteredNodes)
                                                   ? tree.TreeOptions().PaintOptions() - TLTPaintOptions{toShowFilteredNodes}
                                                   : tree.TreeOptions().PaintOptions() + TLTPaintOptions{toShowFilteredNodes});
        else
            tree.SetNodeHeight(node, 8 + random.Next() % 30);
        ASSERT_TRUE(ValidateTree(tree)) << "after step " << step << " op " << op;
    }
}
