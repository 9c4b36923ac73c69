// The keyboard: navigation with the selection following the focus, the command keys, the
// space-bar check toggle and incremental search.
#include "input_fixture.h"

namespace {

const std::vector<QString> Names{"alpha", "beta", "gamma", "delta", "epsilon"};

PLazyNode Named(TInputTree &Tree, const std::string &Caption)
{
    for (PLazyNode n = Tree.GetFirst(); n; n = Tree.GetNext(n))
        if (Tree.Caption(n) == Caption)
            return n;
    return nullptr;
}

}   // namespace

TEST(LazyTreeKeys, NavigationKeysInAnEmptyTreeOnlyArmTheSearch)
{
    TInputTree tree;
    SetupScanTree(tree, {});
    for (int key : {Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right, Qt::Key_PageUp, Qt::Key_PageDown,
                    Qt::Key_Home, Qt::Key_End}) {
        SCOPED_TRACE(key);
        tree.SetTreeStates(tree.TreeStates() - TLazyTreeStates{tsIncrementalSearchPending});
        Key(tree, key);
        EXPECT_TRUE(tree.TreeStates().Contains(tsIncrementalSearchPending));
        EXPECT_EQ(tree.FocusedNode(), nullptr);
        EXPECT_EQ(tree.OffsetXY(), QPoint(0, 0));
    }
}

TEST(LazyTreeKeys, UpOnTheFirstNodeFocusesNothingNew)
{
    TInputTree tree;
    SetupScanTree(tree, Names);
    Click(tree, LabelPoint(tree, tree.GetFirst()));
    tree.LogSelection();
    Key(tree, Qt::Key_Up);
    EXPECT_EQ(tree.Caption(tree.FocusedNode()), "alpha");
    EXPECT_TRUE(tree.Log.empty());
}

TEST(LazyTreeKeys, ShiftArrowsExtendAndShrinkFromTheAnchor)
{
    TInputTree tree;
    SetupScanTree(tree, Names);
    Click(tree, LabelPoint(tree, tree.GetFirst()));
    for (int i = 0; i < 3; ++i)
        Key(tree, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(tree.SelectedCaptions(), (std::vector<std::string>{"alpha", "beta", "gamma", "delta"}));
    Key(tree, Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(tree.SelectedCaptions(), (std::vector<std::string>{"alpha", "beta", "gamma"}));
    EXPECT_EQ(tree.Caption(tree.FocusedNode()), "gamma");
    Key(tree, Qt::Key_Down);
    EXPECT_EQ(tree.SelectedCaptions(), std::vector<std::string>{"delta"});
}

TEST(LazyTreeKeys, ShiftLeftOnALaterChildSelectsUpToItsParent)
{
    TInputTree tree;
    SetupScanTree(tree, Names, 3);
    tree.ToggleNode(Named(tree, "beta"));
    Click(tree, LabelPoint(tree, Named(tree, "beta.2")));
    Key(tree, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(tree.Caption(tree.FocusedNode()), "beta");
    EXPECT_EQ(tree.SelectedCaptions(), (std::vector<std::string>{"beta", "beta.0", "beta.1", "beta.2"}));
}

TEST(LazyTreeKeys, HomeAndEndMoveBetweenColumnsWithGridExtensions)
{
    TInputTree tree;
    for (int i = 0; i < 3; ++i)
        tree.Header().Columns().Add().SetWidth(80);
    tree.Header().SetOptions(tree.Header().Options() + TLTHeaderOptions{TLTHeaderOption::hoVisible});
    tree.TreeOptions().SetMiscOptions(tree.TreeOptions().MiscOptions() + TLTMiscOptions{toGridExtensions});
    tree.TreeOptions().SetSelectionOptions(tree.TreeOptions().SelectionOptions() +
                                           TLTSelectionOptions{toExtendedFocus});
    SetupScanTree(tree, Names);
    tree.SetFocusedNode(Named(tree, "beta"));
    tree.SetFocusedColumn(1);
    Key(tree, Qt::Key_End);
    EXPECT_EQ(tree.FocusedColumn(), 2);
    EXPECT_EQ(tree.Caption(tree.FocusedNode()), "beta");
    Key(tree, Qt::Key_Home);
    EXPECT_EQ(tree.FocusedColumn(), 0);
    EXPECT_EQ(tree.Caption(tree.FocusedNode()), "beta");
    Key(tree, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(tree.Caption(tree.FocusedNode()), "epsilon");
    EXPECT_EQ(tree.FocusedColumn(), 2);
}

TEST(LazyTreeKeys, CtrlPlusAndMinusFitColumnsOrExpandTheWholeTree)
{
    struct TCase
    {
        Qt::KeyboardModifiers Mods;
        bool Reverse;
        bool Expands;   // else the columns are auto-fitted
    };
    for (const TCase &c : {TCase{Qt::ControlModifier, false, false},
                           TCase{Qt::ControlModifier | Qt::ShiftModifier, false, true},
                           TCase{Qt::ControlModifier, true, true},
                           TCase{Qt::ControlModifier | Qt::ShiftModifier, true, false}}) {
        SCOPED_TRACE(int(c.Mods) + c.Reverse);
        TInputTree tree;
        tree.Header().Columns().Add().SetWidth(40);
        if (c.Reverse)
            tree.TreeOptions().SetMiscOptions(tree.TreeOptions().MiscOptions() +
                                              TLTMiscOptions{toReverseFullExpandHotKey});
        int fits = 0;
        tree.OnAfterAutoFitColumns = [&](TLTHeader *) { ++fits; };
        SetupScanTree(tree, Names, 2);
        Key(tree, Qt::Key_Plus, c.Mods, "+");
        EXPECT_EQ(tree.Expanded(Named(tree, "gamma")), c.Expands);
        EXPECT_EQ(fits, c.Expands ? 0 : 1);
        if (!c.Expands)
            tree.FullExpand();
        Key(tree, Qt::Key_Minus, c.Mods, "-");
        EXPECT_EQ(tree.Expanded(Named(tree, "gamma")), !c.Expands);
    }
}

TEST(LazyTreeKeys, KeypadKeysAndSelectAll)
{
    TInputTree tree;
    SetupScanTree(tree, Names, 2);
    Click(tree, LabelPoint(tree, Named(tree, "beta")));
    Key(tree, Qt::Key_Asterisk, Qt::KeypadModifier, "*");
    EXPECT_TRUE(tree.Expanded(Named(tree, "beta")));
    EXPECT_FALSE(tree.Expanded(Named(tree, "gamma")));
    Key(tree, Qt::Key_Slash, Qt::KeypadModifier, "/");
    EXPECT_FALSE(tree.Expanded(Named(tree, "beta")));
    Key(tree, Qt::Key_Plus, Qt::KeypadModifier, "+");
    EXPECT_TRUE(tree.Expanded(Named(tree, "beta")));
    Key(tree, Qt::Key_A, Qt::ControlModifier, "\x01");
    EXPECT_EQ(tree.SelectedCount(), 7u);   // the visible nodes only
}

TEST(LazyTreeKeys, SpaceTogglesTheCheckBoxOnRelease)
{
    TInputTree tree;
    SetupScanTree(tree, Names);
    int checked = 0;
    tree.OnChecked = [&](TBaseLazyTree *, PLazyNode) { ++checked; };
    PLazyNode alpha = tree.GetFirst();
    Click(tree, LabelPoint(tree, alpha));
    KeyPress(tree, Qt::Key_Space, {}, " ");
    EXPECT_EQ(alpha->CheckState, csUncheckedPressed);
    EXPECT_EQ(checked, 0);
    KeyRelease(tree, Qt::Key_Space, {}, " ");
    EXPECT_EQ(alpha->CheckState, csCheckedNormal);
    EXPECT_EQ(checked, 1);
    // Pressing Down while Space is held undoes the pressed look and commits nothing.
    KeyPress(tree, Qt::Key_Space, {}, " ");
    KeyPress(tree, Qt::Key_Down);
    KeyRelease(tree, Qt::Key_Space, {}, " ");
    EXPECT_EQ(alpha->CheckState, csCheckedNormal);
    EXPECT_EQ(checked, 1);
}

TEST(LazyTreeKeys, IncrementalSearch)
{
    TInputTree tree;
    tree.SetIncrementalSearch(TLTIncrementalSearch::isAll);
    SetupScanTree(tree, {"alpha", "bbq", "bob", "beta"});
    Click(tree, LabelPoint(tree, tree.GetFirst()));
    Type(tree, "b");
    EXPECT_EQ(tree.Caption(tree.FocusedNode()), "bbq");
    EXPECT_TRUE(tree.TreeTimerActive(7));
    // The start node matches the doubled letter: the search goes on as the prefix "bb".
    Type(tree, "b");
    EXPECT_EQ(tree.Caption(tree.FocusedNode()), "bbq");
    EXPECT_EQ(tree.SearchBuffer(), QStringLiteral("bb"));
    tree.TimerExpired(7);
    EXPECT_TRUE(tree.SearchBuffer().isEmpty());
    EXPECT_FALSE(tree.TreeStates().Contains(tsIncrementalSearching));
    // From "bob" the doubled letter jumps to the next node starting with it.
    Click(tree, LabelPoint(tree, tree.GetFirst()->NextSibling->NextSibling));
    Type(tree, "b");
    EXPECT_EQ(tree.Caption(tree.FocusedNode()), "beta");
    Type(tree, "b");
    EXPECT_EQ(tree.Caption(tree.FocusedNode()), "bbq");
    EXPECT_EQ(tree.SearchBuffer(), QStringLiteral("b"));
    // Nothing found: a beep, and buffer, selection and focus stay.
    Type(tree, "z");
    EXPECT_EQ(tree.Beeps, 1);
    EXPECT_EQ(tree.SearchBuffer(), QStringLiteral("b"));
    EXPECT_EQ(tree.SelectedCaptions(), std::vector<std::string>{"bbq"});
    EXPECT_EQ(tree.Caption(tree.FocusedNode()), "bbq");
}

TEST(LazyTreeKeys, NoSearchModeMovesNothingAndStartsNoTimer)
{
    TInputTree tree;
    SetupScanTree(tree, {"alpha", "beta"});
    Click(tree, LabelPoint(tree, tree.GetFirst()));
    Type(tree, "b");
    EXPECT_EQ(tree.Caption(tree.FocusedNode()), "alpha");
    EXPECT_FALSE(tree.TreeTimerActive(7));
    EXPECT_TRUE(tree.SearchBuffer().isEmpty());
}
