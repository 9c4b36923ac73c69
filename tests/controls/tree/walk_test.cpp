// Walking the tree in every flavour, against plain walks over the links.
#include "tree_fixture.h"

#include "common/test_random.h"

#include <functional>
#include <set>

using enum TCheckState;

namespace {

// Shown nodes in display order by a plain recursion over the links (children below).
void ShownNodes(TBaseLazyTree &Tree, PLazyNode Node, std::vector<PLazyNode> &Out)
{
    for (PLazyNode c = Node->FirstChild; c; c = c->NextSibling) {
        if (!c->Has(vsVisible))
            continue;
        if (!Tree.GetEffectivelyFiltered(c))
            Out.push_back(c);
        if (c->Has(vsExpanded))
            ShownNodes(Tree, c, Out);
    }
}

// A tree of about Count nodes with random children, hidden, filtered and collapsed nodes;
// only linked nodes, all initialised.
void RandomTree(TTestTree &Tree, TTestRandom &Random, int Count)
{
    Tree.BeginUpdate();
    std::vector<PLazyNode> nodes;
    for (int i = 0; i < Count; ++i) {
        PLazyNode parent = nodes.empty() || Random.Next() % 8 == 0
                               ? nullptr
                               : nodes[Random.Next() % nodes.size()];
        nodes.push_back(Tree.AddChild(parent));
    }
    Tree.EndUpdate();
    Tree.ValidateNode(nullptr, true);
    for (PLazyNode n : nodes) {
        const uint32_t r = Random.Next() % 20;
        if (n->FirstChild && r < 15)
            Tree.SetExpanded(n, true);
        else if (r == 15)
            Tree.SetVisible(n, false);
        else if (r == 16)
            Tree.SetFiltered(n, true);
        else if (r == 17)
            Tree.SetNodeHeight(n, 10 + Random.Next() % 20);
    }
}

}   // namespace

TEST(LazyTreeWalk, EndsOfTheTree)
{
    TTestTree tree;
    EXPECT_EQ(tree.GetFirst(), nullptr);
    EXPECT_EQ(tree.GetFirstNoInit(), nullptr);
    EXPECT_EQ(tree.GetLast(), nullptr);
    PLazyNode a = tree.AddChild(nullptr);
    PLazyNode b = tree.AddChild(nullptr);
    EXPECT_EQ(tree.GetNext(b), nullptr);
    EXPECT_EQ(tree.GetPrevious(a), nullptr);
    EXPECT_EQ(tree.GetNext(a), b);
    EXPECT_THROW(tree.GetNext(tree.RootNode()), ELazyTreeAssertion);
    try {
        tree.GetVisibleParent(tree.RootNode());
    } catch (const ELazyTreeAssertion &e) {
        EXPECT_STREQ(e.what(), "Node must not be the hidden root node.");
    }
}

TEST(LazyTreeWalk, NextOfACollapsedNodeWithUncountedChildren)
{
    TTestTree tree;
    int asked = 0;
    tree.OnInitNode = [](TBaseLazyTree *Sender, PLazyNode, PLazyNode Node, TLazyNodeInitStates &S) {
        if (Sender->GetNodeLevel(Node) == 0)
            S.Include(ivsHasChildren);
    };
    tree.OnInitChildren = [&](TBaseLazyTree *, PLazyNode, uint32_t &C) {
        ++asked;
        C = 2;
    };
    tree.SetRootNodeCount(2);
    PLazyNode first = tree.GetFirst();
    EXPECT_EQ(tree.GetNextNoInit(first), first->NextSibling);
    EXPECT_EQ(asked, 0);
    PLazyNode next = tree.GetNext(first);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(next, first->FirstChild);
    EXPECT_TRUE(next->Has(vsInitialized));
    EXPECT_TRUE(ValidateTree(tree));
}

TEST(LazyTreeWalk, NoInitWalkersNeverCallTheApplication)
{
    TTestTree tree;
    TTestRandom random(7);
    RandomTree(tree, random, 300);
    tree.ResetNode(tree.RootNode()->FirstChild);   // bare again
    int calls = 0;
    tree.OnInitNode = [&](TBaseLazyTree *, PLazyNode, PLazyNode, TLazyNodeInitStates &) { ++calls; };
    tree.OnInitChildren = [&](TBaseLazyTree *, PLazyNode, uint32_t &) { ++calls; };
    int count = 0;
    for (PLazyNode n : tree.NoInitNodes())
        count += n != nullptr;
    for (PLazyNode n = tree.GetLastNoInit(); n; n = tree.GetPreviousNoInit(n))
        --count;
    EXPECT_EQ(count, 0);
    for (PLazyNode n = tree.GetFirstVisibleNoInit(); n; n = tree.GetNextVisibleNoInit(n))
        ++count;
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(uint32_t(count), tree.VisibleCount());
}

TEST(LazyTreeWalk, VisibleWalkersMatchAPlainWalk)
{
    for (bool above : {false, true}) {
        TTestTree tree;
        TTestRandom random(above ? 11 : 12);
        RandomTree(tree, random, 500);
        if (above)
            tree.TreeOptions().SetPaintOptions(tree.TreeOptions().PaintOptions() +
                                               TLTPaintOptions{toChildrenAbove});
        std::vector<PLazyNode> expected;
        ShownNodes(tree, tree.RootNode(), expected);
        if (above) {
            // Children above: each node after its shown subtree.
            expected.clear();
            std::function<void(PLazyNode)> post = [&](PLazyNode Node) {
                for (PLazyNode c = Node->FirstChild; c; c = c->NextSibling) {
                    if (!c->Has(vsVisible))
                        continue;
                    if (c->Has(vsExpanded))
                        post(c);
                    if (!tree.GetEffectivelyFiltered(c))
                        expected.push_back(c);
                }
            };
            post(tree.RootNode());
        }
        EXPECT_EQ(expected.size(), tree.VisibleCount());
        std::vector<PLazyNode> forward, backward;
        for (PLazyNode n : tree.VisibleNodes())
            forward.push_back(n);
        for (PLazyNode n = tree.GetLastVisible(); n; n = tree.GetPreviousVisible(n))
            backward.insert(backward.begin(), n);
        EXPECT_EQ(forward, expected) << above;
        EXPECT_EQ(backward, expected) << above;
        std::vector<PLazyNode> noInit;
        for (PLazyNode n : tree.VisibleNoInitNodes())
            noInit.push_back(n);
        EXPECT_EQ(noInit, expected) << above;
    }
}

TEST(LazyTreeWalk, VisibleWalkersSkipCollapsedHiddenAndFiltered)
{
    TTestTree tree;
    PLazyNode a = tree.AddChild(nullptr);
    tree.AddChild(a);                                  // collapsed below a
    PLazyNode hidden = tree.AddChild(nullptr);
    PLazyNode filtered = tree.AddChild(nullptr);
    PLazyNode d = tree.AddChild(nullptr);
    tree.SetVisible(hidden, false);
    tree.SetFiltered(filtered, true);
    EXPECT_EQ(tree.GetNextVisible(a), d);
    EXPECT_EQ(tree.GetPreviousVisible(d), a);
    // From a node that is not shown: the walk goes on after it.
    EXPECT_EQ(tree.GetNextVisible(hidden), d);
    EXPECT_EQ(tree.GetNextVisible(a->FirstChild), d);
    EXPECT_EQ(tree.GetFirstVisibleChild(nullptr), a);
    PLazyNode p = tree.AddChild(nullptr);
    PLazyNode c0 = tree.AddChild(p);
    PLazyNode c1 = tree.AddChild(p);
    tree.SetFiltered(c0, true);
    EXPECT_EQ(tree.GetFirstVisibleChild(p), c1);
    EXPECT_EQ(tree.GetFirstVisibleChild(p, true), c0);
    EXPECT_EQ(tree.GetLastVisibleChild(p), nullptr);   // p is collapsed
    EXPECT_EQ(tree.GetVisibleParent(c0), p);
    EXPECT_EQ(tree.GetVisibleParent(p), tree.RootNode());
    tree.SetExpanded(p, true);
    EXPECT_EQ(tree.GetNextVisibleSibling(c0), c1);
    EXPECT_THROW(tree.GetNextVisibleSibling(nullptr), ELazyTreeAssertion);
}

TEST(LazyTreeWalk, PropertyWalkers)
{
    TTestTree tree;
    tree.SetRootNodeCount(4);
    PLazyNode n0 = tree.RootNode()->FirstChild, n1 = n0->NextSibling, n2 = n1->NextSibling,
              n3 = n2->NextSibling;
    PLazyNode n1c = tree.AddChild(n1);
    n0->CheckState = csCheckedNormal;
    n1c->CheckState = csCheckedPressed;
    n2->CheckState = csCheckedDisabled;
    n3->CheckState = csCheckedNormal;
    EXPECT_EQ(tree.GetFirstChecked(), n0);
    EXPECT_EQ(tree.GetNextChecked(n0), n3);
    EXPECT_EQ(tree.GetPreviousChecked(nullptr), n3);
    EXPECT_EQ(tree.GetFirstChecked(csCheckedPressed), n1c);

    EXPECT_EQ(tree.GetFirstSelected(), nullptr);
    tree.ValidateNode(nullptr, true);
    EXPECT_EQ(tree.GetFirstLeaf(), n0);
    EXPECT_EQ(tree.GetNextLeaf(n0), n1c);
    EXPECT_EQ(tree.GetPreviousLeaf(nullptr), n3);
    EXPECT_EQ(tree.GetFirstLevel(1), n1c);
    EXPECT_EQ(tree.GetNextLevel(n0, 0), n1);
    EXPECT_EQ(tree.GetPreviousLevel(n3, 1), n1c);
    EXPECT_EQ(tree.GetNextInitialized(nullptr), nullptr);
    EXPECT_EQ(tree.GetFirstInitialized(), n0);
    EXPECT_EQ(tree.GetLastInitialized(), n3);

    // Cut-or-copy marks count only while a cut or copy is pending.
    n2->States.Include(vsCutOrCopy);
    EXPECT_EQ(tree.GetNextCutCopy(nullptr), nullptr);
    tree.DoStateChange({tsCopyPending});
    EXPECT_EQ(tree.GetFirstCutCopy(), n2);
}

TEST(LazyTreeWalk, PreviousSelectedStartsFromTheEnd)
{
    TTestTree tree;
    tree.OnInitNode = [](TBaseLazyTree *, PLazyNode, PLazyNode Node, TLazyNodeInitStates &S) {
        if (Node->Index != 1)
            S.Include(ivsSelected);
    };
    tree.SetRootNodeCount(3);
    PLazyNode last = tree.AddChild(tree.RootNode()->LastChild);   // initialises the last top node
    tree.ValidateNode(nullptr, true);
    EXPECT_EQ(tree.GetPreviousSelected(nullptr), last);
    tree.TreeOptions().SetPaintOptions(tree.TreeOptions().PaintOptions() + TLTPaintOptions{toChildrenAbove});
    EXPECT_EQ(tree.GetPreviousSelected(nullptr, true), tree.RootNode()->LastChild);
}

TEST(LazyTreeWalk, NodesEnumerationVisitsEachOnceAndInitialises)
{
    TTestTree tree;
    tree.OnInitNode = [](TBaseLazyTree *Sender, PLazyNode, PLazyNode Node, TLazyNodeInitStates &S) {
        if (Sender->GetNodeLevel(Node) < 2)
            S.Include(ivsHasChildren);
    };
    tree.OnInitChildren = [](TBaseLazyTree *, PLazyNode, uint32_t &C) { C = 3; };
    tree.SetRootNodeCount(2);
    std::set<PLazyNode> seen;
    int visits = 0;
    for (PLazyNode n : tree.Nodes()) {
        ++visits;
        seen.insert(n);
        EXPECT_TRUE(n->Has(vsInitialized));
    }
    EXPECT_EQ(visits, 2 + 6 + 18);
    EXPECT_EQ(seen.size(), size_t(visits));
    int children = 0;
    for (PLazyNode n : tree.ChildNodes(tree.RootNode()->FirstChild))
        children += n != nullptr;
    EXPECT_EQ(children, 3);
}

TEST(LazyTreeWalk, IterateSubtree)
{
    TTestTree tree;
    PLazyNode a = tree.AddChild(nullptr);
    PLazyNode a0 = tree.AddChild(a);
    tree.AddChild(a0);
    tree.AddChild(a);
    tree.AddChild(nullptr);
    std::vector<std::string> visited;
    auto visit = [&](TBaseLazyTree *Sender, PLazyNode Node, void *, bool &) {
        visited.push_back(PathOf(*Sender, Node));
        EXPECT_TRUE(Sender->TreeStates().Contains(tsIterating));
    };
    EXPECT_EQ(tree.IterateSubtree(a, visit, nullptr), nullptr);
    EXPECT_EQ(visited, (std::vector<std::string>{"0", "0.0", "0.0.0", "0.1"}));
    visited.clear();
    tree.IterateSubtree(a, visit, nullptr, {}, false, true);
    EXPECT_EQ(visited, (std::vector<std::string>{"0.0", "0.0.0", "0.1"}));
    visited.clear();
    tree.IterateSubtree(nullptr, visit, nullptr, {vsInitialized});
    EXPECT_EQ(visited, (std::vector<std::string>{"0", "0.0"}));
    PLazyNode stopAt = tree.IterateSubtree(nullptr,
        [&](TBaseLazyTree *, PLazyNode Node, void *, bool &Abort) { Abort = Node == a0; }, nullptr);
    EXPECT_EQ(stopAt, a0);
    EXPECT_THROW(tree.IterateSubtree(nullptr,
                     [](TBaseLazyTree *Sender, PLazyNode Node, void *, bool &) {
                         Sender->DeleteNode(Node);
                     }, nullptr),
                 ELazyTreeAssertion);
    EXPECT_FALSE(tree.TreeStates().Contains(tsIterating));
    EXPECT_THROW(tree.IterateSubtree(nullptr,
                     [](TBaseLazyTree *, PLazyNode, void *, bool &) { throw std::runtime_error("x"); },
                     nullptr),
                 std::runtime_error);
    EXPECT_FALSE(tree.TreeStates().Contains(tsIterating));
    EXPECT_TRUE(ValidateTree(tree));
}
