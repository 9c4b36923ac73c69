// Node storage: a new tree, user data, internal areas, sums and per-node properties.
#include "tree_fixture.h"

#include <cstring>

namespace {

struct TRef : ILazyTreeInterface
{
    int Refs = 0;
    void AddRef() override { ++Refs; }
    void Release() override { --Refs; }
};

}   // namespace

TEST(LazyTreeStorage, NewTreeIsEmptyWithOneDefaultLineOfRoot)
{
    TTestTree tree;
    EXPECT_EQ(tree.RootNodeCount(), 0u);
    EXPECT_EQ(tree.TotalCount(), 0u);
    EXPECT_TRUE(tree.IsEmpty());
    EXPECT_EQ(tree.GetNodeLevel(nullptr), 0u);
    EXPECT_EQ(tree.RootNode()->TotalHeight, 18u);
    EXPECT_EQ(tree.RangeY(), 0u);
    EXPECT_EQ(tree.NodeDataSize(), -1);
    PLazyNode root = tree.RootNode();
    EXPECT_EQ(root->States, (TLazyNodeStates{vsInitialized, vsExpanded, vsHasChildren, vsVisible}));
    EXPECT_EQ(root->NextSibling, root);
    EXPECT_EQ(root->Align, 50);
    EXPECT_EQ(TBaseLazyTree::OwnerTree(root), &tree);
}

TEST(LazyTreeStorage, NodeDataIsZeroedAlignedAndMakesFreeingDue)
{
    TEventLog log;
    TTestTree tree;
    log.Attach(tree);
    tree.OnInitNode = nullptr;
    tree.SetNodeDataSize(8);
    PLazyNode a = tree.AddChild(nullptr);
    PLazyNode b = tree.AddChild(nullptr);
    auto *data = tree.GetNodeData<unsigned char>(a);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(data) % alignof(std::max_align_t), 0u);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(data[i], 0);
    EXPECT_TRUE(a->Has(vsOnFreeNodeCallRequired));
    EXPECT_FALSE(a->Has(vsInitialized));
    EXPECT_EQ(tree.GetNodeData(nullptr), nullptr);
    EXPECT_EQ(tree.GetNodeData(tree.RootNode()), nullptr);
    log.Lines.clear();
    tree.Clear();
    // Only the node whose data was handed out is freed with the event.
    EXPECT_EQ(log.Count("free"), 1);
    EXPECT_EQ(log.Lines.front(), "free 0");
    (void)b;
}

TEST(LazyTreeStorage, NodeDataSizeNotPositiveRefusesNodeData)
{
    for (int size : {-1, 0}) {
        TTestTree tree;
        tree.OnGetNodeDataSize = [](TBaseLazyTree *, int &Size) { Size = 0; };
        PLazyNode node = tree.AddChild(nullptr);
        tree.SetNodeDataSize(size);
        node = tree.RootNode()->FirstChild;
        try {
            tree.GetNodeData(node);
            ADD_FAILURE() << "no assertion for size " << size;
        } catch (const ELazyTreeAssertion &e) {
            EXPECT_STREQ(e.what(), "NodeDataSize not initialized.");
        }
        EXPECT_FALSE(node->Has(vsOnFreeNodeCallRequired));
    }
}

TEST(LazyTreeStorage, ChangingNodeDataSizeRemakesTopLevelNodesUninitialised)
{
    TEventLog log;
    TTestTree tree;
    log.Attach(tree);
    tree.SetNodeDataSize(8);
    tree.SetRootNodeCount(3);
    tree.ValidateNode(tree.RootNode()->FirstChild, false);   // one initialised
    log.Lines.clear();
    tree.SetNodeDataSize(16);
    EXPECT_EQ(tree.RootNodeCount(), 3u);
    EXPECT_EQ(log.Count("free"), 1);
    for (PLazyNode n = tree.RootNode()->FirstChild; n; n = n->NextSibling)
        EXPECT_FALSE(n->Has(vsInitialized));
    EXPECT_TRUE(ValidateTree(tree));
    // An unchanged value and values below -1.
    log.Lines.clear();
    tree.SetNodeDataSize(16);
    EXPECT_TRUE(log.Lines.empty());
    TTestTree empty;
    empty.SetNodeDataSize(-5);
    EXPECT_EQ(empty.NodeDataSize(), -1);
}

TEST(LazyTreeStorage, FirstAllocationAsksForTheDataSizeOnce)
{
    TTestTree tree;
    int asked = 0;
    tree.OnGetNodeDataSize = [&](TBaseLazyTree *, int &Size) {
        EXPECT_EQ(Size, 4);
        ++asked;
        Size = 12;
    };
    tree.AddChild(nullptr);
    tree.AddChild(nullptr);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(tree.NodeDataSize(), 12);
}

TEST(LazyTreeStorage, SetNodeDataNeedsRoomForAPointer)
{
    TTestTree tree;
    tree.SetNodeDataSize(4);
    PLazyNode node = tree.AddChild(nullptr);
    int value = 0;
    try {
        tree.SetNodeData(node, &value);
        ADD_FAILURE() << "no assertion";
    } catch (const ELazyTreeAssertion &e) {
        EXPECT_STREQ(e.what(), "TTestTree: Cannot set initial user data because there is not "
                               "enough user data space allocated.");
    }
    EXPECT_FALSE(node->Has(vsOnFreeNodeCallRequired));
    tree.SetNodeDataSize(8);
    node = tree.RootNode()->FirstChild;
    tree.SetNodeData(node, &value);
    EXPECT_EQ(*tree.GetNodeData<int *>(node), &value);
    EXPECT_TRUE(node->Has(vsOnFreeNodeCallRequired));
}

TEST(LazyTreeStorage, InterfaceDataIsReleasedWithTheNode)
{
    TRef ref;
    {
        TTestTree tree;
        tree.SetNodeDataSize(8);
        PLazyNode a = tree.AddChild(nullptr, &ref);
        PLazyNode b = tree.AddChild(nullptr);
        tree.SetNodeData(b, static_cast<ILazyTreeInterface *>(&ref));
        EXPECT_EQ(ref.Refs, 2);
        EXPECT_TRUE(a->Has(vsReleaseCallOnUserDataRequired));
        tree.DeleteNode(a);
        EXPECT_EQ(ref.Refs, 1);
    }
    EXPECT_EQ(ref.Refs, 0);
}

TEST(LazyTreeStorage, InternalAreasFollowTheUserDataAndOnlyBeforeNodes)
{
    TTestTree tree;
    tree.SetNodeDataSize(8);
    const uint32_t first = tree.AllocateInternalDataArea(3);
    const uint32_t second = tree.AllocateInternalDataArea(8);
    EXPECT_EQ(first % 4, 0u);
    EXPECT_EQ(second, first + 4);
    PLazyNode node = tree.AddChild(nullptr);
    auto *area = static_cast<unsigned char *>(tree.InternalData(node, second));
    auto *data = tree.GetNodeData<unsigned char>(node);
    EXPECT_GE(area, data + 8);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(area[i], 0);
    std::memset(area, 0xAB, 8);   // the block holds the whole area
    std::memset(tree.InternalData(tree.RootNode(), second), 0xCD, 8);
    EXPECT_EQ(tree.RootNode()->TotalCount, 2u);
    try {
        tree.AllocateInternalDataArea(4);
        ADD_FAILURE() << "no assertion";
    } catch (const ELazyTreeAssertion &e) {
        EXPECT_STREQ(e.what(), "Internal data allocation must be done before any node is created.");
    }
}

TEST(LazyTreeStorage, ChildrenBelowACollapsedNodeChangeCountsNotHeights)
{
    TTestTree tree;
    PLazyNode top = tree.AddChild(nullptr);
    PLazyNode mid = tree.AddChild(top);
    const uint32_t rootHeight = tree.RootNode()->TotalHeight;
    const uint32_t topHeight = top->TotalHeight;
    tree.AddChild(mid);
    tree.AddChild(mid);
    EXPECT_EQ(mid->TotalCount, 3u);
    EXPECT_EQ(top->TotalCount, 4u);
    EXPECT_EQ(tree.RootNode()->TotalCount, 5u);
    EXPECT_EQ(tree.RootNode()->TotalHeight, rootHeight);
    EXPECT_EQ(top->TotalHeight, topHeight);
    EXPECT_EQ(mid->TotalHeight, 18u);
    EXPECT_TRUE(ValidateTree(tree));
}

TEST(LazyTreeStorage, AbsoluteIndexCountsWholeSubtrees)
{
    TTestTree tree;
    PLazyNode first = tree.AddChild(nullptr);
    PLazyNode child = tree.AddChild(first);
    tree.AddChild(child);
    tree.AddChild(first);
    PLazyNode second = tree.AddChild(nullptr);
    EXPECT_EQ(tree.AbsoluteIndex(second), first->TotalCount);
    EXPECT_EQ(tree.AbsoluteIndex(second), 4u);
    EXPECT_EQ(tree.AbsoluteIndex(first), 0u);
    EXPECT_EQ(tree.AbsoluteIndex(child->FirstChild), 2u);
    EXPECT_EQ(tree.AbsoluteIndex(nullptr), 0u);
    EXPECT_EQ(tree.AbsoluteIndex(tree.RootNode()), 0u);
    EXPECT_EQ(tree.GetNodeLevel(child->FirstChild), 2u);
    EXPECT_EQ(tree.GetNodeLevel(first), 0u);
}

TEST(LazyTreeStorage, DefaultNodeHeightZeroMeansEighteenAndKeepsExistingHeights)
{
    TTestTree tree;
    PLazyNode a = tree.AddChild(nullptr);
    tree.SetDefaultNodeHeight(30);
    EXPECT_EQ(tree.DefaultNodeHeight(), 30u);
    EXPECT_EQ(a->NodeHeight, 18);
    EXPECT_EQ(tree.RootNode()->NodeHeight, 30);
    PLazyNode b = tree.AddChild(nullptr);
    EXPECT_EQ(b->NodeHeight, 30);
    EXPECT_TRUE(ValidateTree(tree));
    tree.SetDefaultNodeHeight(0);
    EXPECT_EQ(tree.DefaultNodeHeight(), 18u);
    EXPECT_EQ(b->NodeHeight, 30);
    EXPECT_TRUE(ValidateTree(tree));
}

TEST(LazyTreeStorage, ReadingTotalCountInitialisesEveryNode)
{
    TTestTree tree;
    int inits = 0;
    tree.OnInitNode = [&](TBaseLazyTree *, PLazyNode, PLazyNode Node, TLazyNodeInitStates &S) {
        ++inits;
        if (tree.GetNodeLevel(Node) < 2)
            S.Include(ivsHasChildren);
    };
    tree.OnInitChildren = [](TBaseLazyTree *, PLazyNode, uint32_t &Count) { Count = 2; };
    tree.SetRootNodeCount(3);
    EXPECT_EQ(inits, 0);
    EXPECT_EQ(tree.TotalCount(), 3u + 6u + 12u);
    EXPECT_EQ(inits, 21);
    EXPECT_EQ(tree.UpdateCount(), 0u);
    EXPECT_TRUE(ValidateTree(tree));
}

TEST(LazyTreeStorage, NodeHeightWritesKeepSums)
{
    TTestTree tree;
    PLazyNode a = tree.AddChild(nullptr);
    PLazyNode b = tree.AddChild(a);
    tree.SetNodeHeight(a, 40);
    tree.SetNodeHeight(b, 25);   // below a collapsed node
    EXPECT_EQ(tree.NodeHeight(a), 40u);
    EXPECT_EQ(tree.NodeHeight(nullptr), 0u);
    EXPECT_EQ(tree.NodeHeight(tree.RootNode()), 0u);
    EXPECT_TRUE(ValidateTree(tree));
    tree.SetExpanded(a, true);
    EXPECT_EQ(tree.RootNode()->TotalHeight, 18u + 40u + 25u);
    EXPECT_TRUE(ValidateTree(tree));
    TLTMiscOptions misc = tree.TreeOptions().MiscOptions();
    misc.Include(toReadOnly);
    tree.TreeOptions().SetMiscOptions(misc);
    tree.SetNodeHeight(a, 10);
    EXPECT_EQ(a->NodeHeight, 40);
}

TEST(LazyTreeStorage, NodePropertiesTable)
{
    TTestTree tree;
    PLazyNode a = tree.AddChild(nullptr);
    PLazyNode b = tree.AddChild(a);
    EXPECT_EQ(tree.NodeParent(b), a);
    EXPECT_EQ(tree.NodeParent(a), nullptr);
    EXPECT_EQ(tree.NodeParent(nullptr), nullptr);
    EXPECT_EQ(tree.ChildCount(nullptr), 1u);
    EXPECT_EQ(tree.ChildCount(a), 1u);
    EXPECT_TRUE(tree.HasChildren(nullptr));
    EXPECT_TRUE(tree.ChildrenInitialized(a));
    tree.SetHasChildren(b, true);
    EXPECT_FALSE(tree.ChildrenInitialized(b));
    EXPECT_FALSE(tree.Disabled(nullptr));
    tree.SetDisabled(b, true);
    EXPECT_TRUE(tree.Disabled(b));
    EXPECT_FALSE(tree.Multiline(tree.RootNode()));
    tree.SetMultiline(tree.RootNode(), true);
    EXPECT_FALSE(tree.RootNode()->Has(vsMultiline));
    tree.SetMultiline(b, true);
    EXPECT_TRUE(tree.Multiline(b));
    EXPECT_EQ(tree.VerticalAlignment(b), 50);
    tree.SetVerticalAlignment(b, 140);
    EXPECT_EQ(tree.VerticalAlignment(b), 100);
    EXPECT_TRUE(tree.HasAsParent(b, a));
    EXPECT_FALSE(tree.HasAsParent(a, b));
    EXPECT_FALSE(tree.HasAsParent(b, b));
    EXPECT_FALSE(tree.HasAsParent(b, nullptr));
    EXPECT_FALSE(tree.HasAsParent(b, tree.RootNode()));
}

TEST(LazyTreeStorage, CompareDisplayOrderAndLevelDifference)
{
    TTestTree tree;
    PLazyNode a = tree.AddChild(nullptr);
    PLazyNode a0 = tree.AddChild(a);
    PLazyNode a00 = tree.AddChild(a0);
    PLazyNode b = tree.AddChild(nullptr);
    PLazyNode b0 = tree.AddChild(b);
    EXPECT_EQ(tree.CompareDisplayOrder(a, a), 0);
    EXPECT_EQ(tree.CompareDisplayOrder(a00, a), 1);
    EXPECT_EQ(tree.CompareDisplayOrder(a, a00), -1);
    EXPECT_LT(tree.CompareDisplayOrder(a00, b0), 0);
    EXPECT_GT(tree.CompareDisplayOrder(b0, a0), 0);
    TLTPaintOptions paint = tree.TreeOptions().PaintOptions();
    paint.Include(toChildrenAbove);
    tree.TreeOptions().SetPaintOptions(paint);
    EXPECT_EQ(tree.CompareDisplayOrder(a00, a, true), -1);
    EXPECT_EQ(tree.CompareDisplayOrder(a00, a, false), 1);
    EXPECT_EQ(tree.LevelDifference(a, a00), 2);
    EXPECT_THROW(tree.CompareDisplayOrder(nullptr, a), ELazyTreeAssertion);
    try {
        tree.LevelDifference(nullptr, a);
        ADD_FAILURE();
    } catch (const ELazyTreeAssertion &e) {
        EXPECT_STREQ(e.what(), "Both nodes must be Assigned.");
    }
}
