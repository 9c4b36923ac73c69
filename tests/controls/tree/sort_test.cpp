// Sorting sibling lists: stability in both directions, the operation events, SortTree's
// levels, editing, and consistency after an exception or a cancel.
#include "tree_fixture.h"

#include "common/test_random.h"

#include <cmath>

namespace {

using enum TLTSortDirection;

// A tree whose nodes carry an int key in their user data.
class TSortTree : public TTestTree
{
public:
    bool RefuseEditEnd = false;
    int Compares = 0;

    TSortTree()
    {
        SetNodeDataSize(4);
        // Keys are written after a node is added: no sorting on the way.
        TreeOptions().SetAutoOptions(TreeOptions().AutoOptions() - TLTAutoOptions{toAutoSort});
        OnCompareNodes = [this](TBaseLazyTree *, PLazyNode A, PLazyNode B, TColumnIndex, int &R) {
            ++Compares;
            R = Key(A) / 10 - Key(B) / 10;   // keys of one ten compare equal
        };
    }
    ~TSortTree() override { OnCompareNodes = nullptr; }
    int Key(PLazyNode Node) { return *GetNodeData<int>(Node); }
    PLazyNode Add(PLazyNode Parent, int Key)
    {
        PLazyNode node = AddChild(Parent);
        *GetNodeData<int>(node) = Key;
        return node;
    }
    std::vector<int> Keys(PLazyNode Parent)
    {
        std::vector<int> keys;
        for (PLazyNode run = GetFirstChildNoInit(Parent ? Parent : RootNode()); run; run = run->NextSibling)
            keys.push_back(Key(run));
        return keys;
    }
    using TBaseLazyTree::SetTreeStates;

protected:
    bool CancelEditNode() override { return !RefuseEditEnd; }
};

}   // namespace

TEST(LazyTreeSort, StableInBothDirections)
{
    TSortTree tree;
    for (int key : {31, 10, 32, 11, 20, 33, 12})
        tree.Add(nullptr, key);
    tree.Sort(nullptr, 0, sdAscending);
    EXPECT_EQ(tree.Keys(nullptr), (std::vector<int>{10, 11, 12, 20, 31, 32, 33}));
    tree.Sort(nullptr, 0, sdDescending);
    EXPECT_EQ(tree.Keys(nullptr), (std::vector<int>{31, 32, 33, 20, 10, 11, 12}));
    EXPECT_TRUE(ValidateTree(tree));

    tree.OnCompareNodes = nullptr;   // without a comparison nothing moves
    for (TLTSortDirection d : {sdAscending, sdDescending}) {
        tree.Sort(nullptr, 0, d);
        EXPECT_EQ(tree.Keys(nullptr), (std::vector<int>{31, 32, 33, 20, 10, 11, 12}));
    }
}

TEST(LazyTreeSort, OperationEventsAndSingleChildren)
{
    TSortTree tree;
    PLazyNode parent = tree.Add(nullptr, 20);
    tree.Add(parent, 50);
    tree.Add(nullptr, 10);
    std::vector<TLTOperationKind> started;
    tree.OnStartOperation = [&](TBaseLazyTree *, TLTOperationKind K) { started.push_back(K); };
    tree.Sort(parent, 0, sdAscending);   // one child: untouched, no events
    EXPECT_TRUE(started.empty());
    tree.Sort(nullptr, 0, sdAscending);
    EXPECT_EQ(started, std::vector<TLTOperationKind>{okSortNode});
    EXPECT_EQ(tree.Keys(nullptr), (std::vector<int>{10, 20}));

    started.clear();
    tree.Sort(nullptr, 0, sdDescending);
    tree.SortTree(InvalidColumn, sdAscending);   // switched off: no order change
    EXPECT_EQ(tree.Keys(nullptr), (std::vector<int>{20, 10}));
    EXPECT_EQ(started, std::vector<TLTOperationKind>{okSortNode});
    EXPECT_EQ(tree.UpdateCount(), 0u);
    tree.OnStartOperation = nullptr;
}

TEST(LazyTreeSort, SortTreeSkipsCollapsedNodesUnderAutoSort)
{
    TSortTree tree;
    PLazyNode open = tree.Add(nullptr, 50);
    PLazyNode closed = tree.Add(nullptr, 40);
    for (int key : {30, 10, 20}) {
        tree.Add(open, key);
        tree.Add(closed, key);
    }
    tree.SetExpanded(open, true);
    tree.TreeOptions().SetAutoOptions({toAutoSort});
    tree.SortTree(0, sdAscending);
    EXPECT_EQ(tree.Keys(nullptr), (std::vector<int>{40, 50}));
    EXPECT_EQ(tree.Keys(open), (std::vector<int>{10, 20, 30}));
    EXPECT_EQ(tree.Keys(closed), (std::vector<int>{30, 10, 20}));
    tree.TreeOptions().SetAutoOptions({});
    tree.SortTree(0, sdAscending);
    EXPECT_EQ(tree.Keys(open), (std::vector<int>{10, 20, 30}));
    EXPECT_EQ(tree.Keys(closed), (std::vector<int>{10, 20, 30}));
    EXPECT_TRUE(ValidateTree(tree));
}

TEST(LazyTreeSort, EditIsEndedFirst)
{
    TSortTree tree;
    tree.Add(nullptr, 20);
    tree.Add(nullptr, 10);
    tree.SetTreeStates(tree.TreeStates() + TLazyTreeStates{tsEditing});
    tree.RefuseEditEnd = true;
    tree.Sort(nullptr, 0, sdAscending);
    EXPECT_EQ(tree.Keys(nullptr), (std::vector<int>{20, 10}));
    tree.RefuseEditEnd = false;
    tree.Sort(nullptr, 0, sdAscending);
    EXPECT_EQ(tree.Keys(nullptr), (std::vector<int>{10, 20}));
    tree.SetTreeStates(tree.TreeStates() - TLazyTreeStates{tsEditing});
}

TEST(LazyTreeSort, ComparisonsStayWithinNLogN)
{
    TSortTree tree;
    TTestRandom random(139);
    const int n = 1000;
    tree.BeginUpdate();
    for (int i = 0; i < n; ++i)
        tree.Add(nullptr, int(random.Next() % 100000));
    tree.EndUpdate();
    tree.Compares = 0;
    tree.Sort(nullptr, 0, sdAscending);
    EXPECT_LE(tree.Compares, int(n * std::log2(n)));
    const std::vector<int> keys = tree.Keys(nullptr);
    for (size_t i = 1; i < keys.size(); ++i)
        ASSERT_LE(keys[i - 1] / 10, keys[i] / 10);
}

// An exception at a random comparison, or a cancel, leaves a consistent sibling list.
TEST(LazyTreeSort, ExceptionOrCancelLeavesAConsistentList)
{
    TTestRandom random(7);
    for (int round = 0; round < 50; ++round) {
        TSortTree tree;
        PLazyNode parent = tree.Add(nullptr, 0);
        for (int i = 0; i < 40; ++i)
            tree.Add(parent, int(random.Next() % 1000));
        const int failAt = int(random.Next() % 150);
        const bool cancel = round % 2 == 1;
        int compares = 0;
        tree.OnCompareNodes = [&](TBaseLazyTree *Sender, PLazyNode A, PLazyNode B, TColumnIndex, int &R) {
            if (++compares == failAt) {
                if (!cancel)
                    throw std::runtime_error("compare failed");
                Sender->CancelOperation();
            }
            R = *Sender->GetNodeData<int>(A) - *Sender->GetNodeData<int>(B);
        };
        try {
            tree.SortTree(0, sdDescending);
        } catch (const std::runtime_error &) {
        }
        EXPECT_EQ(tree.OperationCount(), 0u);
        EXPECT_EQ(tree.UpdateCount(), 0u);
        ASSERT_TRUE(ValidateTree(tree)) << "round " << round;
        EXPECT_EQ(tree.ChildCount(parent), 40u);
    }
}
