// Check boxes: veto, tri-state propagation, radio groups and the tree-wide operations.
#include "tree_fixture.h"

#include <algorithm>

using enum TCheckState;
using enum TCheckType;

namespace {

// A tree with toAutoTristateTracking whose nodes take their check type from a table by
// level, and a log of OnChecking / OnChecked.
struct TCheckTree
{
    std::vector<std::string> Log;
    TTestTree Tree;

    explicit TCheckTree(std::vector<TCheckType> TypeByLevel)
    {
        Tree.OnInitNode = [TypeByLevel](TBaseLazyTree *Sender, PLazyNode, PLazyNode Node,
                                        TLazyNodeInitStates &) {
            const uint32_t level = Sender->GetNodeLevel(Node);
            if (level < TypeByLevel.size())
                Node->CheckType = TypeByLevel[level];
        };
        Tree.OnChecking = [this](TBaseLazyTree *Sender, PLazyNode Node, TCheckState &S, bool &) {
            Log.push_back("checking " + PathOf(*Sender, Node) + " " + std::to_string(int(S)));
        };
        Tree.OnChecked = [this](TBaseLazyTree *Sender, PLazyNode Node) {
            Log.push_back("checked " + PathOf(*Sender, Node));
        };
    }
    // One top-level node with Children children, all initialised.
    PLazyNode Parent(int Children)
    {
        PLazyNode p = Tree.AddChild(nullptr);
        for (int i = 0; i < Children; ++i)
            Tree.AddChild(p);
        Tree.ValidateNode(p, true);
        return p;
    }
    PLazyNode Child(PLazyNode P, int I)
    {
        PLazyNode c = P->FirstChild;
        while (I-- > 0)
            c = c->NextSibling;
        return c;
    }
};

}   // namespace

TEST(LazyTreeCheck, ScanWindowPlainBoxesDoNotPropagate)
{
    TCheckTree t({ctCheckBox, ctCheckBox, ctCheckBox});
    t.Tree.OnInitNode = [](TBaseLazyTree *, PLazyNode, PLazyNode Node, TLazyNodeInitStates &) {
        Node->CheckType = ctCheckBox;
        Node->CheckState = csCheckedNormal;
    };
    PLazyNode meter = t.Tree.AddChild(nullptr);
    PLazyNode record = t.Tree.AddChild(meter);
    for (int i = 0; i < 12; ++i)
        t.Tree.AddChild(record);
    t.Tree.ValidateNode(nullptr, true);
    t.Log.clear();
    t.Tree.SetCheckState(meter, csUncheckedNormal);
    EXPECT_EQ(t.Log, (std::vector<std::string>{"checking 0 0", "checked 0"}));
    EXPECT_EQ(record->CheckState, csCheckedNormal);
    EXPECT_EQ(t.Tree.CheckedCount(), 13u);
}

// Tri-state parent with three check-box children; each row: the children's starting states,
// what is changed, and the parent's resulting state.
TEST(LazyTreeCheck, TriStateCases)
{
    struct TCase
    {
        const char *Name;
        std::vector<TCheckState> Children;
        int Target;   // -1: the parent
        TCheckState Value;
        TCheckState ParentAfter;
        std::vector<TCheckState> ChildrenAfter;
    };
    const TCase cases[] = {
        {"check parent", {csUncheckedNormal, csUncheckedNormal, csUncheckedNormal}, -1,
         csCheckedNormal, csCheckedNormal, {csCheckedNormal, csCheckedNormal, csCheckedNormal}},
        {"disabled child stays", {csUncheckedNormal, csUncheckedDisabled, csUncheckedNormal}, -1,
         csCheckedNormal, csMixedNormal, {csCheckedNormal, csUncheckedDisabled, csCheckedNormal}},
        {"one child", {csUncheckedNormal, csUncheckedNormal, csUncheckedNormal}, 0,
         csCheckedNormal, csMixedNormal, {csCheckedNormal, csUncheckedNormal, csUncheckedNormal}},
        {"last child", {csCheckedNormal, csCheckedNormal, csUncheckedNormal}, 2, csCheckedNormal,
         csCheckedNormal, {csCheckedNormal, csCheckedNormal, csCheckedNormal}},
        {"uncheck all", {csCheckedNormal, csCheckedNormal, csCheckedNormal}, -1,
         csUncheckedNormal, csUncheckedNormal, {csUncheckedNormal, csUncheckedNormal, csUncheckedNormal}},
    };
    for (const TCase &c : cases) {
        TCheckTree t({ctTriStateCheckBox, ctCheckBox});
        PLazyNode parent = t.Parent(3);
        for (int i = 0; i < 3; ++i)
            t.Child(parent, i)->CheckState = c.Children[size_t(i)];
        parent->CheckState =
            c.Target == -1 && c.Value == csUncheckedNormal ? csCheckedNormal : csUncheckedNormal;
        t.Log.clear();
        t.Tree.SetCheckState(c.Target == -1 ? parent : t.Child(parent, c.Target), c.Value);
        EXPECT_EQ(parent->CheckState, c.ParentAfter) << c.Name;
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(t.Child(parent, i)->CheckState, c.ChildrenAfter[size_t(i)]) << c.Name << " " << i;
        EXPECT_FALSE(t.Tree.TreeStates().Contains(tsCheckPropagation)) << c.Name;
        // The parent is told, before the child whose change reached it ends.
        EXPECT_NE(std::find(t.Log.begin(), t.Log.end(), "checked 0"), t.Log.end()) << c.Name;
    }
}

TEST(LazyTreeCheck, CheckingTheParentReportsEveryChild)
{
    TCheckTree t({ctTriStateCheckBox, ctCheckBox});
    PLazyNode parent = t.Parent(3);
    t.Log.clear();
    t.Tree.SetCheckState(parent, csCheckedNormal);
    EXPECT_EQ(t.Log, (std::vector<std::string>{"checking 0 2", "checking 0.0 2", "checked 0.0",
                                               "checking 0.1 2", "checked 0.1", "checking 0.2 2",
                                               "checked 0.2", "checked 0"}));
}

TEST(LazyTreeCheck, VetoAndChangedStateFromOnChecking)
{
    TCheckTree t({ctTriStateCheckBox, ctCheckBox});
    PLazyNode parent = t.Parent(3);
    PLazyNode vetoed = t.Child(parent, 1);
    t.Tree.OnChecking = [&](TBaseLazyTree *, PLazyNode Node, TCheckState &, bool &Allowed) {
        if (Node == vetoed)
            Allowed = false;
    };
    t.Tree.SetCheckState(parent, csCheckedNormal);
    EXPECT_EQ(vetoed->CheckState, csUncheckedNormal);
    EXPECT_EQ(t.Child(parent, 0)->CheckState, csCheckedNormal);
    EXPECT_EQ(parent->CheckState, csMixedNormal);

    TCheckTree u({ctCheckBox});
    PLazyNode node = u.Parent(0);
    u.Tree.OnChecking = [](TBaseLazyTree *, PLazyNode, TCheckState &S, bool &) { S = csMixedNormal; };
    u.Tree.SetCheckState(node, csCheckedNormal);
    EXPECT_EQ(node->CheckState, csMixedNormal);
}

TEST(LazyTreeCheck, RadioButtonsUncheckTheirSiblingsSilently)
{
    TCheckTree t({ctNone, ctRadioButton});
    PLazyNode parent = t.Parent(3);
    t.Child(parent, 0)->CheckState = csCheckedNormal;
    t.Log.clear();
    t.Tree.SetCheckState(t.Child(parent, 2), csCheckedNormal);
    EXPECT_EQ(t.Log, (std::vector<std::string>{"checking 0.2 2", "checked 0.2"}));
    EXPECT_EQ(t.Child(parent, 0)->CheckState, csUncheckedNormal);
    EXPECT_EQ(t.Child(parent, 2)->CheckState, csCheckedNormal);
}

TEST(LazyTreeCheck, CheckTypeAndUnchangedStates)
{
    TCheckTree t({ctTriStateCheckBox, ctCheckBox});
    PLazyNode parent = t.Parent(1);
    parent->CheckState = csMixedNormal;
    t.Tree.SetCheckType(parent, ctCheckBox);
    EXPECT_EQ(parent->CheckState, csUncheckedNormal);
    t.Log.clear();
    t.Tree.SetCheckState(parent, csUncheckedNormal);
    EXPECT_TRUE(t.Log.empty());
    // A box below a checked tri-state parent takes its state.
    t.Tree.SetCheckType(parent, ctTriStateCheckBox);
    parent->CheckState = csCheckedNormal;
    PLazyNode child = t.Child(parent, 0);
    t.Tree.SetCheckType(child, ctNone);
    t.Tree.SetCheckType(child, ctCheckBox);
    EXPECT_EQ(child->CheckState, csCheckedNormal);
}

TEST(LazyTreeCheck, DisabledAndReadOnlyRefuse)
{
    TCheckTree t({ctCheckBox});
    PLazyNode node = t.Parent(0);
    t.Tree.SetDisabled(node, true);
    t.Tree.SetCheckState(node, csCheckedNormal);
    EXPECT_EQ(node->CheckState, csUncheckedNormal);
    t.Tree.SetDisabled(node, false);
    t.Tree.TreeOptions().SetMiscOptions({toReadOnly});
    t.Tree.SetCheckState(node, csCheckedNormal);
    t.Tree.SetCheckType(node, ctRadioButton);
    EXPECT_EQ(node->CheckState, csUncheckedNormal);
    EXPECT_EQ(node->CheckType, ctCheckBox);
}

TEST(LazyTreeCheck, CountingAndClearing)
{
    TCheckTree t({ctCheckBox});
    t.Tree.SetRootNodeCount(6);
    PLazyNode n = t.Tree.RootNode()->FirstChild;
    const TCheckState states[] = {csCheckedNormal, csCheckedPressed, csCheckedDisabled,
                                  csCheckedNormal, csUncheckedNormal, csUncheckedNormal};
    for (TCheckState s : states) {
        t.Tree.ValidateNode(n, false);
        n->CheckState = s;
        n = n->NextSibling;
    }
    PLazyNode bare = t.Tree.AddChild(nullptr);   // never initialised
    EXPECT_EQ(t.Tree.CheckedCount(), 2u);
    bare->CheckState = TCheckState::csUncheckedNormal;
    t.Tree.ClearChecked();
    EXPECT_FALSE(bare->Has(vsInitialized));
    EXPECT_EQ(t.Tree.CheckedCount(), 0u);
    // A disabled state is still cleared; a disabled node is not.
    EXPECT_EQ(t.Tree.RootNode()->FirstChild->NextSibling->NextSibling->CheckState, csUncheckedNormal);
    PLazyNode first = t.Tree.RootNode()->FirstChild;
    first->CheckState = csCheckedDisabled;
    t.Tree.SetCheckStateForAll(csCheckedNormal, false);
    EXPECT_EQ(first->CheckState, csCheckedDisabled);   // excluded
    EXPECT_TRUE(bare->Has(vsInitialized));            // the walk initialises
    EXPECT_EQ(t.Tree.CheckedCount(), 6u);
}

TEST(LazyTreeCheck, StateFunctions)
{
    EXPECT_EQ(PressedCheckState(csMixedNormal), csMixedPressed);
    EXPECT_EQ(PressedCheckState(csCheckedDisabled), csCheckedDisabled);
    EXPECT_EQ(UnpressedCheckState(csUncheckedPressed), csUncheckedNormal);
    EXPECT_EQ(EnabledCheckState(csMixedDisabled), csMixedNormal);
    EXPECT_EQ(ToggledCheckState(csMixedPressed), csCheckedPressed);
    EXPECT_EQ(ToggledCheckState(csCheckedNormal), csUncheckedNormal);
    EXPECT_TRUE(CheckStateIsChecked(csCheckedDisabled));
    EXPECT_FALSE(CheckStateIsDisabled(csMixedPressed));
}
