// The mouse: clicks with modifiers, expand buttons, check boxes, double clicks, presses on
// empty space, the right button and node-height tracking.
#include "input_fixture.h"

#include <QMenu>

namespace {

const std::vector<QString> Names{"alpha", "beta", "gamma", "delta", "epsilon"};

PLazyNode Nth(TInputTree &Tree, int N)
{
    return Tree.Shown()[size_t(N)];
}

}   // namespace

TEST(LazyTreeMouse, ClicksWithModifiers)
{
    TInputTree tree;
    SetupScanTree(tree, Names);
    Click(tree, LabelPoint(tree, Nth(tree, 1)));
    EXPECT_EQ(tree.SelectedCaptions(), std::vector<std::string>{"beta"});
    EXPECT_EQ(tree.Caption(tree.FocusedNode()), "beta");
    Click(tree, LabelPoint(tree, Nth(tree, 3)), Qt::ControlModifier);
    EXPECT_EQ(tree.SelectedCaptions(), (std::vector<std::string>{"beta", "delta"}));
    Click(tree, LabelPoint(tree, Nth(tree, 1)), Qt::ControlModifier);
    EXPECT_EQ(tree.SelectedCaptions(), std::vector<std::string>{"delta"});
    // Ctrl+click made beta the anchor.
    Click(tree, LabelPoint(tree, Nth(tree, 3)), Qt::ShiftModifier);
    EXPECT_EQ(tree.SelectedCaptions(), (std::vector<std::string>{"beta", "gamma", "delta"}));
    // A plain click in the multi-selection leaves that node alone selected.
    Click(tree, LabelPoint(tree, Nth(tree, 4)));
    EXPECT_EQ(tree.SelectedCaptions(), std::vector<std::string>{"epsilon"});
}

TEST(LazyTreeMouse, ClickOnASelectedCaptionReducesTheSelectionOnReleaseWhenADragMayStart)
{
    TInputTree tree;
    tree.OnDragAllowed = [](TBaseLazyTree *, PLazyNode, TColumnIndex, bool &Allowed) { Allowed = true; };
    SetupScanTree(tree, Names);
    tree.SelectAll(true);
    const QPoint p = LabelPoint(tree, Nth(tree, 2));
    MousePress(tree, p);
    EXPECT_EQ(tree.SelectedCount(), 5u);
    EXPECT_TRUE(tree.TreeStates().Contains(tsClearPending));
    MouseRelease(tree, p);
    EXPECT_EQ(tree.SelectedCaptions(), std::vector<std::string>{"gamma"});
}

TEST(LazyTreeMouse, ExpandButtonToggles)
{
    TInputTree tree;
    SetupScanTree(tree, Names, 2);
    const QPoint p = PointWith(tree, Nth(tree, 1), hiOnItemButton);
    ASSERT_GE(p.x(), 0);
    Click(tree, p);
    EXPECT_TRUE(tree.Expanded(Nth(tree, 1)));
    EXPECT_EQ(tree.SelectedCount(), 0u);
    Click(tree, p);
    EXPECT_FALSE(tree.Expanded(Nth(tree, 1)));
}

TEST(LazyTreeMouse, CheckBoxCommitsOnReleaseOverTheSameNode)
{
    TInputTree tree;
    SetupScanTree(tree, Names);
    int checked = 0;
    tree.OnChecked = [&](TBaseLazyTree *, PLazyNode) { ++checked; };
    PLazyNode beta = Nth(tree, 1);
    const QPoint box = PointWith(tree, beta, hiOnItemCheckbox);
    ASSERT_GE(box.x(), 0);
    MousePress(tree, box);
    EXPECT_EQ(beta->CheckState, csUncheckedPressed);
    MouseRelease(tree, box);
    EXPECT_EQ(beta->CheckState, csCheckedNormal);
    // Released over another node: the state stays.
    MousePress(tree, box);
    MouseRelease(tree, LabelPoint(tree, Nth(tree, 3)));
    EXPECT_EQ(beta->CheckState, csCheckedNormal);
    EXPECT_EQ(checked, 1);
    // A double click presses twice and commits twice.
    DoubleClick(tree, box);
    EXPECT_EQ(beta->CheckState, csCheckedNormal);
    EXPECT_EQ(checked, 3);
}

TEST(LazyTreeMouse, DoubleClickToggles)
{
    struct TCase
    {
        const char *Where;
        bool FullRow;
        bool Toggles;
    };
    for (const TCase &c : {TCase{"caption", false, true}, TCase{"right of caption", false, false},
                           TCase{"right of caption", true, true}}) {
        SCOPED_TRACE(std::string(c.Where) + (c.FullRow ? " full row" : ""));
        TInputTree tree;
        if (c.FullRow)
            tree.TreeOptions().SetSelectionOptions(tree.TreeOptions().SelectionOptions() +
                                                   TLTSelectionOptions{toFullRowSelect});
        SetupScanTree(tree, Names, 2);
        PLazyNode beta = Nth(tree, 1);
        const QPoint p = std::string(c.Where) == "caption" ? LabelPoint(tree, beta)
                                                           : QPoint(tree.ClientWidth() - 5, LabelPoint(tree, beta).y());
        DoubleClick(tree, p);
        EXPECT_EQ(tree.Expanded(beta), c.Toggles);
    }
}

TEST(LazyTreeMouse, PressOnEmptySpaceClearsUnlessANodeMustStaySelected)
{
    for (bool always : {false, true}) {
        SCOPED_TRACE(always);
        TInputTree tree;
        if (always)
            tree.TreeOptions().SetSelectionOptions(tree.TreeOptions().SelectionOptions() +
                                                   TLTSelectionOptions{toAlwaysSelectNode});
        SetupScanTree(tree, Names);
        Click(tree, LabelPoint(tree, Nth(tree, 1)));
        Click(tree, QPoint(20, tree.ClientHeight() - 5));
        EXPECT_EQ(tree.SelectedCount(), always ? 1u : 0u);
        EXPECT_EQ(tree.Caption(tree.FocusedNode()), "beta");
    }
}

TEST(LazyTreeMouse, RightClickAsksForThePopupOfTheNodeUnderTheMouse)
{
    TInputTree tree;
    SetupScanTree(tree, Names);
    Click(tree, LabelPoint(tree, Nth(tree, 0)));
    std::vector<std::string> asked;
    QMenu menu;
    menu.addAction(QStringLiteral("x"));
    tree.OnGetPopupMenu = [&](TBaseLazyTree *, PLazyNode Node, TColumnIndex, const QPoint &, bool &, QMenu *&Menu) {
        asked.push_back(Node ? tree.Caption(Node) : "nil");
        Menu = &menu;
    };
    Click(tree, LabelPoint(tree, Nth(tree, 2)), {}, Qt::RightButton);
    EXPECT_EQ(asked, std::vector<std::string>{"gamma"});
    EXPECT_EQ(tree.SelectedCaptions(), std::vector<std::string>{"alpha"});
    EXPECT_EQ(tree.Caption(tree.FocusedNode()), "alpha");
    EXPECT_TRUE(menu.isVisible());
    EXPECT_EQ(menu.property("PopupComponent").value<QObject *>(), &tree);
    menu.hide();
}

TEST(LazyTreeMouse, NodeSplitterTracksOnlyInFixedColumnsOrWhenAllowed)
{
    for (bool allow : {false, true}) {
        SCOPED_TRACE(allow);
        TInputTree tree;
        tree.Header().Columns().Add().SetWidth(150);
        tree.TreeOptions().SetMiscOptions(tree.TreeOptions().MiscOptions() + TLTMiscOptions{toNodeHeightResize});
        if (allow)
            tree.OnCanSplitterResizeNode = [](TBaseLazyTree *, QPoint, PLazyNode, TColumnIndex, bool &Allowed) {
                Allowed = true;
            };
        SetupScanTree(tree, Names);
        PLazyNode beta = Nth(tree, 1);
        const TRect r = tree.GetDisplayRect(beta, 0, false);
        const QPoint splitter(60, r.Bottom - 1);
        MousePress(tree, splitter);
        EXPECT_EQ(tree.TreeStates().Contains(tsNodeHeightTrackPending), allow);
        MouseMoveTo(tree, QPoint(60, r.Top + 30));
        MouseMoveTo(tree, QPoint(60, r.Top + 40));
        MouseRelease(tree, QPoint(60, r.Top + 40));
        EXPECT_EQ(tree.NodeHeight(beta), allow ? 40u : 18u);
    }
}
