// Creating, linking, deleting and lazily initialising nodes.
#include "tree_fixture.h"

#include "common/test_random.h"

TEST(LazyTreeStructure, FirstAddChildMakesABareShownNode)
{
    TEventLog log;
    TTestTree tree;
    log.Attach(tree);
    PLazyNode node = tree.AddChild(nullptr);
    EXPECT_EQ(node->Index, 0u);
    EXPECT_EQ(node->States, TLazyNodeStates{vsVisible});
    EXPECT_EQ(tree.RootNode()->ChildCount, 1u);
    EXPECT_EQ(tree.RootNode()->TotalCount - 1, 1u);
    EXPECT_EQ(tree.VisibleCount(), 1u);
    EXPECT_EQ(log.Inits, 0);
    EXPECT_EQ(node->Align, 50);
    EXPECT_EQ(node->NodeHeight, 18);
    EXPECT_EQ(node->Parent, tree.RootNode());
    EXPECT_TRUE(ValidateTree(tree));
}

TEST(LazyTreeStructure, AddChildInitialisesTheParentOnly)
{
    TEventLog log;
    TTestTree tree;
    log.Attach(tree);
    PLazyNode parent = tree.AddChild(nullptr);
    PLazyNode child = tree.AddChild(parent);
    EXPECT_EQ(log.Lines, (std::vector<std::string>{"structure nil 2", "init 0", "structure 0 2"}));
    EXPECT_TRUE(parent->Has(vsInitialized));
    EXPECT_TRUE(parent->Has(vsHasChildren));
    EXPECT_FALSE(parent->Has(vsExpanded));
    EXPECT_FALSE(child->Has(vsInitialized));
    EXPECT_EQ(tree.VisibleCount(), 1u);
    EXPECT_TRUE(ValidateTree(tree));
}

TEST(LazyTreeStructure, AddChildWithDataNeedsAPointerOfRoom)
{
    TTestTree tree;
    tree.SetNodeDataSize(2);
    int value = 0;
    EXPECT_THROW(tree.AddChild(nullptr, &value), ELazyTreeAssertion);
    EXPECT_THROW(tree.InsertNode(nullptr, amAddChildLast, &value), ELazyTreeAssertion);
    EXPECT_TRUE(tree.IsEmpty());   // refused before anything changed
    tree.SetNodeDataSize(8);
    PLazyNode node = tree.AddChild(nullptr, &value);
    EXPECT_EQ(*tree.GetNodeData<int *>(node), &value);
    EXPECT_TRUE(node->Has(vsOnFreeNodeCallRequired));
}

// The scan window's shape: meters at the top, records below, twelve detail rows each.
TEST(LazyTreeStructure, ScanWindowShapeInitialisesMetersAndRecordsWhileBuilding)
{
    TTestTree tree;
    tree.SetNodeDataSize(8);
    std::vector<int> initsByLevel(3);
    tree.OnInitNode = [&](TBaseLazyTree *Sender, PLazyNode, PLazyNode Node,
                          TLazyNodeInitStates &) { ++initsByLevel[Sender->GetNodeLevel(Node)]; };
    int freed = 0;
    tree.OnFreeNode = [&](TBaseLazyTree *, PLazyNode) { ++freed; };
    for (int meter = 0; meter < 3; ++meter) {
        PLazyNode m = tree.AddChild(nullptr);
        for (int record = 0; record < 4; ++record) {
            PLazyNode r = tree.AddChild(m);
            for (int detail = 0; detail < 12; ++detail)
                tree.AddChild(r);
        }
    }
    EXPECT_EQ(initsByLevel, (std::vector<int>{3, 12, 0}));
    EXPECT_TRUE(ValidateTree(tree));
    // Walking over one record's detail rows initialises just those.
    PLazyNode record = tree.RootNode()->FirstChild->FirstChild;
    tree.ValidateChildren(record, false);
    EXPECT_EQ(initsByLevel[2], 12);
    tree.Clear();
    EXPECT_EQ(freed, 3 + 12 + 12);
    EXPECT_TRUE(ValidateTree(tree));
}

TEST(LazyTreeStructure, ClearFreesWithTheEventOnlyWhatWasInitialisedOrHandedOut)
{
    TEventLog log;
    TTestTree tree;
    log.Attach(tree);
    tree.SetNodeDataSize(8);
    PLazyNode a = tree.AddChild(nullptr);
    tree.AddChild(a);                           // initialises a; a.0 stays bare
    PLazyNode b = tree.AddChild(nullptr);
    tree.GetNodeData(b);                        // handed out
    tree.AddChild(nullptr);                     // bare
    log.Lines.clear();
    tree.Clear();
    // Children before their parent, last child first; the deletions of the update merge.
    EXPECT_EQ(log.Lines, (std::vector<std::string>{"free 1", "free 0", "structure nil 1"}));
    EXPECT_TRUE(tree.IsEmpty());
    EXPECT_EQ(tree.VisibleCount(), 0u);
    EXPECT_TRUE(ValidateTree(tree));
}

TEST(LazyTreeStructure, ChildCountZeroKeepsHasChildrenWhileHasChildrenFalseDropsIt)
{
    TTestTree tree;
    PLazyNode a = tree.AddChild(nullptr);
    tree.SetChildCount(a, 3);
    tree.SetExpanded(a, true);
    EXPECT_EQ(tree.VisibleCount(), 4u);
    tree.SetChildCount(a, 0);
    EXPECT_EQ(a->ChildCount, 0u);
    EXPECT_TRUE(a->Has(vsHasChildren));
    EXPECT_FALSE(a->Has(vsExpanded));
    EXPECT_EQ(tree.VisibleCount(), 1u);
    EXPECT_TRUE(ValidateTree(tree));
    tree.SetChildCount(a, 2);
    tree.SetHasChildren(a, false);
    EXPECT_EQ(a->ChildCount, 0u);
    EXPECT_FALSE(a->Has(vsHasChildren));
    EXPECT_TRUE(ValidateTree(tree));
}

TEST(LazyTreeStructure, ShrinkingTheChildCountDeletesFromTheEnd)
{
    TTestTree tree;
    tree.SetRootNodeCount(5);
    PLazyNode first = tree.RootNode()->FirstChild;
    tree.SetRootNodeCount(2);
    EXPECT_EQ(tree.RootNode()->FirstChild, first);
    EXPECT_EQ(tree.RootNode()->LastChild->Index, 1u);
    EXPECT_EQ(tree.VisibleCount(), 2u);
    EXPECT_TRUE(ValidateTree(tree));
}

TEST(LazyTreeStructure, DeleteNodeRenumbersTheFollowingSiblings)
{
    TTestTree tree;
    tree.SetRootNodeCount(3);
    PLazyNode middle = tree.RootNode()->FirstChild->NextSibling;
    PLazyNode last = middle->NextSibling;
    tree.DeleteNode(middle);
    EXPECT_EQ(last->Index, 1u);
    EXPECT_EQ(tree.RootNode()->FirstChild->NextSibling, last);
    EXPECT_EQ(tree.RootNodeCount(), 2u);
    EXPECT_TRUE(ValidateTree(tree));
}

TEST(LazyTreeStructure, DeletingTheLastChildCollapsesTheParent)
{
    TTestTree tree;
    PLazyNode a = tree.AddChild(nullptr);
    PLazyNode child = tree.AddChild(a);
    tree.SetExpanded(a, true);
    EXPECT_EQ(tree.VisibleCount(), 2u);
    tree.DeleteNode(child);
    EXPECT_FALSE(a->Has(vsExpanded));
    EXPECT_FALSE(a->Has(vsHasChildren));
    EXPECT_EQ(tree.VisibleCount(), 1u);
    EXPECT_TRUE(ValidateTree(tree));
}

// Each mode of InsertNode as a row: (target path, mode) -> the new node's path and the
// top-level order of the original nodes afterwards.
TEST(LazyTreeStructure, InsertNodeModes)
{
    struct TCase
    {
        int Target;   // -1: no node
        TLTNodeAttachMode Mode;
        std::string NewPath;
    };
    const TCase cases[] = {
        {-1, amInsertBefore, "0"},  {-1, amInsertAfter, "3"},  {-1, amAddChildFirst, "0"},
        {-1, amAddChildLast, "3"},  {1, amInsertBefore, "1"},  {1, amInsertAfter, "2"},
        {1, amAddChildFirst, "1.0"}, {1, amAddChildLast, "1.2"},
    };
    for (const TCase &c : cases) {
        TTestTree tree;
        TEventLog log;
        log.Attach(tree);
        tree.SetRootNodeCount(3);
        tree.SetChildCount(tree.RootNode()->FirstChild->NextSibling, 2);
        PLazyNode target = nullptr;
        if (c.Target >= 0) {
            target = tree.RootNode()->FirstChild;
            for (int i = 0; i < c.Target; ++i)
                target = target->NextSibling;
        }
        log.Lines.clear();
        PLazyNode node = tree.InsertNode(target, c.Mode);
        ASSERT_NE(node, nullptr);
        EXPECT_EQ(PathOf(tree, node), c.NewPath) << int(c.Mode) << " " << c.Target;
        EXPECT_EQ(log.Lines.back(), "structure " + c.NewPath + " 4");
        EXPECT_TRUE(ValidateTree(tree)) << int(c.Mode) << " " << c.Target;
    }
    TTestTree tree;
    EXPECT_EQ(tree.InsertNode(nullptr, amNoWhere), nullptr);
}

TEST(LazyTreeStructure, InitialisedExpandedNodeCountsItsChildrenAtOnce)
{
    TTestTree tree;
    std::vector<std::string> events;
    tree.OnInitNode = [&](TBaseLazyTree *Sender, PLazyNode, PLazyNode Node, TLazyNodeInitStates &S) {
        events.push_back("init " + PathOf(*Sender, Node));
        if (Sender->GetNodeLevel(Node) == 0)
            S += {ivsHasChildren, ivsExpanded};
    };
    tree.OnInitChildren = [&](TBaseLazyTree *, PLazyNode, uint32_t &Count) {
        events.push_back("children");
        Count = 2;
    };
    tree.OnExpanded = [&](TBaseLazyTree *, PLazyNode) { events.push_back("expanded"); };
    tree.SetRootNodeCount(1);
    PLazyNode top = tree.RootNode()->FirstChild;
    EXPECT_TRUE(tree.Visible(top));   // reading Visible initialises
    EXPECT_EQ(events, (std::vector<std::string>{"init 0", "children", "expanded"}));
    EXPECT_TRUE(top->Has(vsExpanded));
    EXPECT_EQ(top->ChildCount, 2u);
    EXPECT_EQ(tree.VisibleCount(), 3u);
    EXPECT_TRUE(ValidateTree(tree));
}

TEST(LazyTreeStructure, InitStatesAreApplied)
{
    TTestTree tree;
    tree.OnInitNode = [&](TBaseLazyTree *, PLazyNode, PLazyNode Node, TLazyNodeInitStates &S) {
        switch (Node->Index) {
        case 0: S.Include(ivsDisabled); break;
        case 1: S.Include(ivsMultiline); break;
        case 2: S.Include(ivsSelected); break;
        case 3: S.Include(ivsFiltered); break;
        }
    };
    tree.SetRootNodeCount(4);
    tree.ValidateNode(nullptr, true);
    PLazyNode n = tree.RootNode()->FirstChild;
    EXPECT_TRUE(n->Has(vsDisabled));
    EXPECT_TRUE(n->NextSibling->Has(vsMultiline));
    EXPECT_TRUE(n->NextSibling->NextSibling->Has(vsSelected));
    PLazyNode filtered = tree.RootNode()->LastChild;
    EXPECT_TRUE(filtered->Has(vsFiltered));
    EXPECT_EQ(filtered->TotalHeight, 0u);
    EXPECT_EQ(tree.VisibleCount(), 3u);
    EXPECT_TRUE(ValidateTree(tree));
    // Re-initialising an already filtered node does not take its height again.
    tree.ReinitNode(filtered, false);
    EXPECT_EQ(tree.VisibleCount(), 3u);
    EXPECT_TRUE(ValidateTree(tree));
}

TEST(LazyTreeStructure, ReinitOnlyTouchesInitialisedNodes)
{
    TTestTree tree;
    std::vector<bool> reinit;
    tree.OnInitNode = [&](TBaseLazyTree *, PLazyNode, PLazyNode, TLazyNodeInitStates &S) {
        reinit.push_back(S.Contains(ivsReInit));
    };
    tree.SetRootNodeCount(2);
    PLazyNode first = tree.RootNode()->FirstChild;
    tree.ReinitNode(first, false);
    EXPECT_TRUE(reinit.empty());
    EXPECT_FALSE(first->Has(vsInitialized));
    tree.ValidateNode(first, false);
    tree.ReinitNode(first, false);
    EXPECT_EQ(reinit, (std::vector<bool>{false, true}));
    tree.ReinitNode(nullptr, true);   // the second node is still bare
    EXPECT_EQ(reinit.size(), 3u);
}

TEST(LazyTreeStructure, ChildCountOfANeverExpandedNodeIsZero)
{
    TTestTree tree;
    tree.OnInitNode = [](TBaseLazyTree *Sender, PLazyNode, PLazyNode Node, TLazyNodeInitStates &S) {
        if (Sender->GetNodeLevel(Node) == 0)
            S.Include(ivsHasChildren);
    };
    int asked = 0;
    tree.OnInitChildren = [&](TBaseLazyTree *, PLazyNode, uint32_t &Count) {
        ++asked;
        Count = 4;
    };
    tree.SetRootNodeCount(1);
    PLazyNode top = tree.RootNode()->FirstChild;
    tree.ValidateNode(top, false);
    EXPECT_TRUE(top->Has(vsHasChildren));
    EXPECT_EQ(tree.ChildCount(top), 0u);
    EXPECT_FALSE(tree.ChildrenInitialized(top));
    EXPECT_EQ(asked, 0);
    tree.SetExpanded(top, true);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(tree.ChildCount(top), 4u);
    EXPECT_EQ(tree.VisibleCount(), 5u);
    EXPECT_TRUE(ValidateTree(tree));
}

TEST(LazyTreeStructure, UnassignedInitChildrenLeavesTheButtonWithoutChildren)
{
    TTestTree tree;
    PLazyNode node = tree.AddChild(nullptr);
    tree.SetHasChildren(node, true);
    tree.SetExpanded(node, true);
    EXPECT_TRUE(node->Has(vsHasChildren));
    EXPECT_EQ(node->ChildCount, 0u);
    EXPECT_TRUE(ValidateTree(tree));
}

TEST(LazyTreeStructure, ZeroChildrenFromInitChildrenDropsHasChildren)
{
    TTestTree tree;
    tree.OnInitChildren = [](TBaseLazyTree *, PLazyNode, uint32_t &Count) { Count = 0; };
    PLazyNode node = tree.AddChild(nullptr);
    tree.SetHasChildren(node, true);
    tree.ValidateNode(node, true);
    EXPECT_FALSE(node->Has(vsHasChildren));
}

TEST(LazyTreeStructure, ResetNodeMakesTheNextAccessInitialiseAgain)
{
    TTestTree tree;
    int resets = 0, inits = 0;
    tree.OnResetNode = [&](TBaseLazyTree *, PLazyNode) { ++resets; };
    tree.OnInitNode = [&](TBaseLazyTree *, PLazyNode, PLazyNode, TLazyNodeInitStates &) { ++inits; };
    PLazyNode node = tree.AddChild(nullptr);
    tree.AddChild(node);
    tree.SetExpanded(node, true);
    tree.ResetNode(node);
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(node->ChildCount, 0u);
    EXPECT_FALSE(node->Has(vsInitialized));
    EXPECT_FALSE(node->Has(vsExpanded));
    EXPECT_TRUE(ValidateTree(tree));
    tree.ValidateNode(node, false);
    EXPECT_EQ(inits, 2);   // by AddChild, and again after the reset
    tree.ResetNode(nullptr);
    EXPECT_TRUE(tree.IsEmpty());
}

TEST(LazyTreeStructure, InitRecursiveFollowsLevelsAndExpansion)
{
    TTestTree tree;
    PLazyNode a = tree.AddChild(nullptr);
    PLazyNode a0 = tree.AddChild(a);
    PLazyNode a00 = tree.AddChild(a0);
    PLazyNode b = tree.AddChild(nullptr);
    tree.InitRecursive(nullptr);   // visible only: a is collapsed
    EXPECT_TRUE(b->Has(vsInitialized));
    EXPECT_FALSE(a00->Has(vsInitialized));
    tree.InitRecursive(nullptr, 2, false);
    EXPECT_FALSE(a00->Has(vsInitialized));
    tree.InitRecursive(nullptr, 3, false);
    EXPECT_TRUE(a00->Has(vsInitialized));
}

TEST(LazyTreeStructure, ErrorInInitNodeLeavesTheNodeInitialised)
{
    TTestTree tree;
    tree.OnInitNode = [](TBaseLazyTree *, PLazyNode, PLazyNode, TLazyNodeInitStates &) {
        throw std::runtime_error("handler failed");
    };
    tree.SetRootNodeCount(1);
    PLazyNode node = tree.RootNode()->FirstChild;
    EXPECT_THROW(tree.ValidateNode(node, false), std::runtime_error);
    EXPECT_TRUE(node->Has(vsInitialized));
    EXPECT_FALSE(node->Has(vsInitializing));
}

TEST(LazyTreeStructure, MisuseIsRefusedWithTheMessageAndChangesNothing)
{
    TTestTree tree;
    tree.SetRootNodeCount(2);
    auto expectMessage = [](const std::function<void()> &Op, const char *Text) {
        try {
            Op();
            ADD_FAILURE() << "no assertion: " << Text;
        } catch (const ELazyTreeAssertion &e) {
            EXPECT_STREQ(e.what(), Text);
        }
    };
    tree.DoStateChange({tsIterating});
    expectMessage([&] { tree.DeleteNode(tree.RootNode()->FirstChild); },
                  "Deleting nodes during tree iteration leads to invalid pointers.");
    expectMessage([&] { tree.Clear(); },
                  "Deleting nodes during tree iteration leads to invalid pointers.");
    tree.DoStateChange({}, {tsIterating});
    EXPECT_EQ(tree.RootNodeCount(), 2u);
    EXPECT_TRUE(ValidateTree(tree));
    expectMessage([&] { tree.UnlinkNode(nullptr, false, true, false); },
                  "Node must neither be nil nor the root node.");
    expectMessage([&] { tree.UnlinkNode(tree.RootNode(), false, true, false); },
                  "Node must neither be nil nor the root node.");
    expectMessage([&] { tree.ToggleNode(nullptr); }, "Node must not be nil.");
    EXPECT_TRUE(ValidateTree(tree));
}

TEST(LazyTreeStructure, ReadOnlyRefusesEveryStructuralChangeSilently)
{
    TEventLog log;
    TTestTree tree;
    tree.SetRootNodeCount(2);
    PLazyNode first = tree.RootNode()->FirstChild;
    tree.AddChild(first);
    log.Attach(tree);
    TLTMiscOptions misc = tree.TreeOptions().MiscOptions();
    misc.Include(toReadOnly);
    tree.TreeOptions().SetMiscOptions(misc);
    EXPECT_EQ(tree.AddChild(nullptr), nullptr);
    EXPECT_EQ(tree.InsertNode(first, amInsertAfter), nullptr);
    tree.DeleteNode(first);
    tree.DeleteChildren(first);
    tree.SetChildCount(first, 5);
    tree.SetRootNodeCount(7);
    tree.SetHasChildren(first, false);
    tree.Clear();
    EXPECT_EQ(tree.RootNodeCount(), 2u);
    EXPECT_EQ(first->ChildCount, 1u);
    EXPECT_TRUE(first->Has(vsHasChildren));
    EXPECT_TRUE(log.Lines.empty());
    EXPECT_TRUE(ValidateTree(tree));
}

TEST(LazyTreeStructure, ExpandAndCollapseKeepCountsAndHonourVetoes)
{
    TTestTree tree;
    PLazyNode a = tree.AddChild(nullptr);
    PLazyNode a0 = tree.AddChild(a);
    tree.AddChild(a0);
    tree.AddChild(a);
    bool allow = false;
    int expanded = 0, collapsed = 0;
    tree.OnExpanding = [&](TBaseLazyTree *, PLazyNode, bool &Allowed) {
        EXPECT_TRUE(Allowed);
        Allowed = allow;
    };
    tree.OnCollapsing = [&](TBaseLazyTree *, PLazyNode, bool &Allowed) { Allowed = allow; };
    tree.OnExpanded = [&](TBaseLazyTree *, PLazyNode) { ++expanded; };
    tree.OnCollapsed = [&](TBaseLazyTree *, PLazyNode) { ++collapsed; };
    tree.SetExpanded(a, true);
    EXPECT_FALSE(a->Has(vsExpanded));
    EXPECT_EQ(expanded, 0);
    allow = true;
    tree.SetExpanded(a0, true);   // below a collapsed node: heights stop at a
    EXPECT_EQ(tree.VisibleCount(), 1u);
    EXPECT_TRUE(ValidateTree(tree));
    tree.SetExpanded(a, true);
    EXPECT_EQ(tree.VisibleCount(), 4u);
    EXPECT_EQ(tree.RootNode()->TotalHeight, 18u * 5);
    EXPECT_TRUE(ValidateTree(tree));
    allow = false;
    tree.SetExpanded(a, false);
    EXPECT_EQ(collapsed, 0);
    allow = true;
    tree.SetExpanded(a, false);
    EXPECT_EQ(collapsed, 1);
    EXPECT_EQ(tree.VisibleCount(), 1u);
    EXPECT_TRUE(ValidateTree(tree));
    tree.SetExpanded(tree.RootNode(), false);
    EXPECT_TRUE(tree.RootNode()->Has(vsExpanded));
}

// Random adds, inserts, deletes, expansions and clears, with the invariants checked after
// every step, inside and outside update brackets.
TEST(LazyTreeStructure, RandomisedSequenceKeepsTheInvariants)
{
    TTestRandom random(62);
    TTestTree tree;
    std::vector<PLazyNode> nodes;
    auto pick = [&]() -> PLazyNode {
        if (nodes.empty())
            return nullptr;
        return nodes[random.Next() % nodes.size()];
    };
    auto collect = [&] {
        nodes.clear();
        for (PLazyNode run = tree.RootNode()->FirstChild; run;) {
            nodes.push_back(run);
            if (run->FirstChild) {
                run = run->FirstChild;
                continue;
            }
            while (run != tree.RootNode() && !run->NextSibling)
                run = run->Parent;
            run = run == tree.RootNode() ? nullptr : run->NextSibling;
        }
    };
    int updates = 0;
    for (int step = 0; step < 3000; ++step) {
        const uint32_t op = random.Next() % 100;
        PLazyNode node = pick();
        if (op < 30) {
            tree.AddChild(random.Next() % 3 == 0 ? nullptr : node);
        } else if (op < 45) {
            static constexpr TLTNodeAttachMode modes[] = {amInsertBefore, amInsertAfter,
                                                          amAddChildFirst, amAddChildLast};
            tree.InsertNode(node, modes[random.Next() % 4]);
        } else if (op < 60) {
            if (node)
                tree.DeleteNode(node);
        } else if (op < 65) {
            if (node)
                tree.DeleteChildren(node, random.Next() % 2 == 0);
        } else if (op < 80) {
            if (node)
                tree.SetExpanded(node, !node->Has(vsExpanded));
        } else if (op < 85) {
            if (node)
                tree.SetChildCount(node, random.Next() % 4);
        } else if (op < 88) {
            if (node)
                tree.SetNodeHeight(node, 10 + random.Next() % 30);
        } else if (op < 89) {
            tree.Clear();
        } else if (op < 94) {
            if (updates < 3) {
                tree.BeginUpdate();
                ++updates;
            }
        } else if (updates > 0) {
            tree.EndUpdate();
            --updates;
        }
        collect();
        ASSERT_TRUE(ValidateTree(tree)) << "after step " << step << " op " << op;
    }
    while (updates-- > 0)
        tree.EndUpdate();
    EXPECT_TRUE(ValidateTree(tree));
}

TEST(LazyTreeStructure, VariableHeightsMeasureNewChildrenAtOnce)
{
    TTestTree tree;
    std::vector<std::string> inits;
    tree.OnInitNode = [&](TBaseLazyTree *Sender, PLazyNode, PLazyNode Node, TLazyNodeInitStates &S) {
        inits.push_back(PathOf(*Sender, Node) + (S.Contains(ivsReInit) ? " again" : ""));
        if (Node->Index == 1)
            S.Include(ivsFiltered);
    };
    PLazyNode top = tree.AddChild(nullptr);
    // Expanding a node without children leaves it collapsed; this one is open before its
    // children come.
    top->States.Include(vsExpanded);
    tree.show();   // the option's re-initialisation runs only with a window
    tree.TreeOptions().SetMiscOptions(tree.TreeOptions().MiscOptions() + TLTMiscOptions{toVariableNodeHeight});
    EXPECT_EQ(inits, (std::vector<std::string>{"0", "0 again"}));
    inits.clear();
    tree.SetChildCount(top, 3);
    EXPECT_EQ(inits, (std::vector<std::string>{"0.0", "0.1", "0.2"}));
    EXPECT_TRUE(top->FirstChild->Has(vsHeightMeasured));
    EXPECT_EQ(tree.VisibleCount(), 3u);
    EXPECT_TRUE(ValidateTree(tree));
}
