// The selection and the focus: the sorted array with its refusals, inversion, resolved
// sorted selection, anchors, focus protocol and the focus messages.
#include "input_fixture.h"

#include "common/test_random.h"

#include <QApplication>
#include <QFocusEvent>

namespace {

const std::vector<QString> Names{"alpha", "beta", "gamma", "delta", "epsilon"};

// Every selected node is in the array, found by bisection, and nothing else is.
void ExpectSelectionConsistent(TInputTree &Tree)
{
    uint32_t flagged = 0;
    for (PLazyNode n = Tree.GetFirstNoInit(); n; n = Tree.GetNextNoInit(n))
        if (n->Has(vsSelected)) {
            ++flagged;
            int index = -1;
            EXPECT_TRUE(Tree.LocateInSelection(n, index)) << Tree.Caption(n);
        }
    EXPECT_EQ(flagged, Tree.SelectedCount());
}

}   // namespace

TEST(LazyTreeSelection, RefusedNodesChangeNothingAndFireNothing)
{
    struct TCase
    {
        const char *Name;
        std::function<PLazyNode(TInputTree &)> Prepare;   // returns the node to add
        TLTSelectionOptions Extra;
    };
    const std::vector<TCase> cases{
        {"disabled", [](TInputTree &T) { T.SetDisabled(T.GetFirst(), true); return T.GetFirst(); }, {}},
        {"selected", [](TInputTree &T) { T.AddToSelection(T.GetFirst()); return T.GetFirst(); }, {}},
        {"other level",
         [](TInputTree &T) {
             T.AddToSelection(T.GetFirst());
             return T.GetFirstChild(T.GetFirst()->NextSibling);
         },
         {toLevelSelectConstraint}},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Name);
        TInputTree tree;
        tree.TreeOptions().SetSelectionOptions(tree.TreeOptions().SelectionOptions() + c.Extra);
        SetupScanTree(tree, Names, 2);
        PLazyNode node = c.Prepare(tree);
        const uint32_t before = tree.SelectedCount();
        tree.LogSelection();
        tree.AddToSelection(node);
        EXPECT_TRUE(tree.Log.empty());
        EXPECT_EQ(tree.SelectedCount(), before);
    }
}

TEST(LazyTreeSelection, InvertSelection)
{
    TInputTree tree;
    SetupScanTree(tree, Names, 0);
    tree.SetDisabled(tree.GetFirst()->NextSibling, true);
    tree.InvertSelection(false);
    EXPECT_EQ(tree.SelectedCaptions(), (std::vector<std::string>{"alpha", "gamma", "delta", "epsilon"}));
    tree.SetDisabled(tree.GetFirst()->NextSibling, false);
    tree.SelectAll(false);
    EXPECT_EQ(tree.SelectedCount(), 5u);
    tree.LogSelection();
    tree.InvertSelection(false);
    EXPECT_EQ(tree.SelectedCount(), 0u);
    EXPECT_EQ(std::count(tree.Log.begin(), tree.Log.end(), "change"), 1);
    EXPECT_EQ(std::count_if(tree.Log.begin(), tree.Log.end(),
                            [](const std::string &l) { return l.rfind("remove", 0) == 0; }),
              5);
}

TEST(LazyTreeSelection, SortedSelectionResolvesSelectedAncestors)
{
    TInputTree tree;
    SetupScanTree(tree, Names, 2);
    tree.FullExpand();
    PLazyNode beta = tree.GetFirst()->NextSibling;
    tree.SetSelected(beta, true);
    tree.SetSelected(tree.GetFirstChild(beta), true);
    tree.SetSelected(tree.GetFirstChild(tree.GetFirst()), true);
    const std::vector<PLazyNode> resolved = tree.GetSortedSelection(true);
    ASSERT_EQ(resolved.size(), 2u);
    EXPECT_EQ(tree.Caption(resolved[0]), "alpha.0");
    EXPECT_EQ(tree.Caption(resolved[1]), "beta");
    EXPECT_LT(resolved.size(), tree.SelectedCount());
    EXPECT_EQ(tree.GetSortedSelection(false).size(), 3u);
}

TEST(LazyTreeSelection, AnchorFollowsTheFocusWhenTheSelectionEmpties)
{
    TInputTree tree;
    SetupScanTree(tree, Names);
    PLazyNode alpha = tree.GetFirst(), gamma = alpha->NextSibling->NextSibling;
    tree.SetSelected(alpha, true);
    EXPECT_EQ(tree.RangeAnchor(), alpha);
    EXPECT_EQ(tree.FocusedNode(), alpha);   // the only selected node takes the focus
    tree.SetFocusedNode(gamma);
    tree.RemoveFromSelection(alpha);
    EXPECT_EQ(tree.RangeAnchor(), gamma);
}

TEST(LazyTreeSelection, FocusedColumnNeedsAllowFocusOrTheEvent)
{
    TInputTree tree;
    for (int i = 0; i < 2; ++i)
        tree.Header().Columns().Add();
    TLazyTreeColumn &second = tree.Header().Columns()[1];
    second.SetOptions(second.Options() - TLTColumnOptions{TLTColumnOption::coAllowFocus});
    SetupScanTree(tree, Names);
    tree.SetFocusedColumn(0);
    tree.SetFocusedColumn(1);
    EXPECT_EQ(tree.FocusedColumn(), 0);
    int asked = 0;
    tree.OnFocusChanging = [&](TBaseLazyTree *, PLazyNode, PLazyNode, TColumnIndex, TColumnIndex, bool &Allowed) {
        ++asked;
        Allowed = true;
    };
    tree.SetFocusedColumn(1);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(tree.FocusedColumn(), 1);
}

TEST(LazyTreeSelection, CollapsingTheParentOfTheSelectionSelectsTheParent)
{
    TInputTree tree;
    tree.TreeOptions().SetSelectionOptions(tree.TreeOptions().SelectionOptions() + TLTSelectionOptions{toAlwaysSelectNode});
    SetupScanTree(tree, Names, 3);
    PLazyNode beta = tree.GetFirst()->NextSibling;
    tree.ToggleNode(beta);
    tree.ClearSelection();
    tree.SetSelected(tree.GetLastChild(beta), true);
    tree.ToggleNode(beta);
    EXPECT_EQ(tree.SelectedCaptions(), std::vector<std::string>{"beta"});
}

TEST(LazyTreeSelection, LosingTheFocusForgetsHeldButtonsAndPendingInput)
{
    TInputTree tree;
    tree.SetIncrementalSearch(TLTIncrementalSearch::isAll);
    SetupScanTree(tree, Names);
    MousePress(tree, LabelPoint(tree, tree.GetFirst()));
    Type(tree, "b");
    ASSERT_TRUE(tree.TreeStates().Contains(tsLeftButtonDown));
    ASSERT_TRUE(tree.TreeTimerActive(7));
    QFocusEvent out(QEvent::FocusOut, Qt::OtherFocusReason);
    QApplication::sendEvent(&tree, &out);
    EXPECT_FALSE(tree.TreeStates().Contains(tsLeftButtonDown));
    EXPECT_FALSE(tree.TreeStates().Contains(tsIncrementalSearching));
    EXPECT_FALSE(tree.TreeTimerActive(7));
    EXPECT_TRUE(tree.SearchBuffer().isEmpty());
}

TEST(LazyTreeSelection, KeyboardFocusChangeCentresTheNode)
{
    TInputTree tree;
    SetupScanTree(tree, NumberedNames(40, QStringLiteral("n")), 0, 200, 180);
    Click(tree, LabelPoint(tree, tree.Shown()[0]));
    for (int i = 0; i < 10; ++i)
        Key(tree, Qt::Key_Down);
    const TRect r = tree.GetDisplayRect(tree.FocusedNode(), NoColumn, false);
    EXPECT_EQ(tree.Caption(tree.FocusedNode()), "n10");
    EXPECT_NEAR((r.Top + r.Bottom) / 2, tree.ClientHeight() / 2, 18);
}

TEST(LazyTreeSelection, RandomOperationsKeepTheArraySortedAndComplete)
{
    TInputTree tree;
    SetupScanTree(tree, NumberedNames(30), 3);
    tree.FullExpand();
    std::vector<PLazyNode> nodes = tree.Shown();
    TTestRandom random(67);
    auto below = [&random](size_t N) { return size_t(random.Next() % N); };
    for (int step = 0; step < 400; ++step) {
        PLazyNode a = nodes[below(nodes.size())], b = nodes[below(nodes.size())];
        switch (below(7)) {
        case 0: tree.AddToSelection(a); break;
        case 1: tree.RemoveFromSelection(a); break;
        case 2: tree.SelectRange(a, b, below(2) == 0); break;
        case 3: tree.ToggleRange(a, b); break;
        case 4: tree.InvertSelection(below(2) == 0); break;
        case 5: tree.SetSelected(a, !tree.Selected(a)); break;
        case 6:
            if (below(10) == 0)
                tree.ClearSelection();
            break;
        }
        ExpectSelectionConsistent(tree);
        if (HasFailure())
            return;
    }
}

TEST(LazyTreeSelection, DeletingTheSelectionInsideAnUpdateCompactsOnce)
{
    TInputTree tree;
    SetupScanTree(tree, NumberedNames(200), 2);
    tree.FullExpand();
    tree.SelectAll(false);
    tree.LogSelection();
    tree.DeleteSelectedNodes();
    EXPECT_EQ(tree.SelectedCount(), 0u);
    EXPECT_TRUE(tree.IsEmpty());
    EXPECT_EQ(std::count(tree.Log.begin(), tree.Log.end(), "change"), 1);
    EXPECT_TRUE(ValidateTree(tree));
}

// With toAutoExpand the focused node is expanded whenever it is collapsed: a node whose
// children come only when it expands gets them on focus.
TEST(LazyTreeFocus, AutoExpandExpandsAFocusedNodeWithoutChildrenYet)
{
    TInputTree tree;
    SetupScanTree(tree, Names);
    tree.TreeOptions().SetAutoOptions(tree.TreeOptions().AutoOptions() + TLTAutoOptions{toAutoExpand});
    std::vector<std::string> expanded;
    tree.OnExpanding = [&](TBaseLazyTree *, PLazyNode Node, bool &) {
        expanded.push_back(tree.Caption(Node));
        if (Node->ChildCount == 0)
            tree.AddChild(Node);
    };
    PLazyNode beta = tree.GetFirst()->NextSibling;
    ASSERT_FALSE(beta->Has(vsHasChildren));
    tree.SetFocusedNode(beta);
    EXPECT_EQ(expanded, std::vector<std::string>{"beta"});
    EXPECT_TRUE(beta->Has(vsExpanded));
    EXPECT_EQ(beta->ChildCount, 1u);
    tree.OnExpanding = nullptr;
}
