// Expanding and collapsing with the sliding rows (an injected clock), and the tree as a
// window: theme changes, scaling and invalidation.
#include "tree_fixture.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPaintEvent>
#include <stdexcept>

namespace {

struct TScroll
{
    int DX, DY;
    QRect Clip;
};

class TSlideTree : public TTestTree
{
public:
    using TTestTree::TTestTree;
    using TBaseLazyTree::ApplyWindowTheme;
    using TBaseLazyTree::AutoScaleNodeHeight;
    using TBaseLazyTree::RunAnimation;
    using TBaseLazyTree::ThemeChanged;

    std::vector<TScroll> Scrolls;
    int Creations = 0;
    int64_t Now = 0;

    void ScrollClientArea(int DX, int DY, const QRect *Clip) override
    {
        Scrolls.push_back({DX, DY, Clip ? *Clip : QRect()});
    }
    void CreateWnd() override
    {
        ++Creations;
        TTestTree::CreateWnd();
    }
    int Moved() const
    {
        int sum = 0;
        for (const TScroll &s : Scrolls)
            sum += s.DY;
        return sum;
    }
};

// Three top-level nodes of 18 pixels with five children each, shown in a 200 x Height client.
void SetupSlide(TSlideTree &Tree, int Height)
{
    Tree.SetAnimationClock([&Tree] { return Tree.Now++; });
    Tree.OnInitNode = [](TBaseLazyTree *, PLazyNode Parent, PLazyNode, TLazyNodeInitStates &States) {
        if (!Parent)
            States.Include(ivsHasChildren);
    };
    Tree.OnInitChildren = [](TBaseLazyTree *, PLazyNode, uint32_t &Count) { Count = 5; };
    Tree.SetRootNodeCount(3);
    Tree.SetAnimationDuration(200);
    ShowWithClient(Tree, 200, Height);
}

}   // namespace

TEST(LazyTreeToggle, SlidesTheRowsBelowTheNode)
{
    struct Case
    {
        int Height;
        int Expand, Collapse;   // pixels moved (down positive)
    };
    // Children 90 high below a node ending at 18: the move is clipped by the client height.
    for (const Case &c : {Case{300, 90, -90}, Case{60, 42, -43}}) {
        SCOPED_TRACE(c.Height);
        TSlideTree tree;
        SetupSlide(tree, c.Height);
        PLazyNode first = tree.GetFirst();
        tree.ToggleNode(first);
        EXPECT_TRUE(first->Has(vsExpanded));
        EXPECT_EQ(tree.Moved(), c.Expand);
        for (const TScroll &s : tree.Scrolls)
            EXPECT_EQ(s.Clip.top(), 18);
        EXPECT_FALSE(tree.TreeStates().Contains(tsInAnimation));
        // The animation keeps to about its duration on the injected clock.
        EXPECT_LE(tree.Now, 200 + 10);

        tree.Scrolls.clear();
        tree.Now = 0;
        tree.ToggleNode(first);
        EXPECT_FALSE(first->Has(vsExpanded));
        EXPECT_EQ(tree.Moved(), c.Collapse);
        EXPECT_LE(tree.Now, 200 + 10);
        EXPECT_TRUE(ValidateTree(tree));
    }
}

TEST(LazyTreeToggle, NoSlideWhereNoneIsWanted)
{
    struct Case
    {
        const char *Name;
        std::function<void(TSlideTree &)> Act;
    };
    const std::vector<Case> cases{
        {"duration 0",
         [](TSlideTree &T) {
             T.SetAnimationDuration(0);
             T.ToggleNode(T.GetFirst());
         }},
        {"inside an update",
         [](TSlideTree &T) {
             T.BeginUpdate();
             T.ToggleNode(T.GetFirst());
             EXPECT_TRUE(T.GetFirst()->Has(vsExpanded));
             T.EndUpdate();
         }},
        {"full expand", [](TSlideTree &T) { T.FullExpand(); }},
        {"full collapse",
         [](TSlideTree &T) {
             T.BeginUpdate();
             T.FullExpand();
             T.EndUpdate();
             T.FullCollapse();
         }},
        // The row ends on the client's bottom edge: nothing below it can move.
        {"bottom edge", [](TSlideTree &T) { T.ToggleNode(T.GetFirst()->NextSibling->NextSibling); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.Name);
        TSlideTree tree;
        SetupSlide(tree, 54);
        c.Act(tree);
        EXPECT_TRUE(tree.Scrolls.empty());
        EXPECT_TRUE(ValidateTree(tree));
    }
}

TEST(LazyTreeToggle, NodeWithoutChildrenStaysCollapsed)
{
    TSlideTree tree;
    SetupSlide(tree, 300);
    tree.OnInitChildren = [](TBaseLazyTree *, PLazyNode, uint32_t &Count) { Count = 0; };
    int expanded = 0;
    tree.OnExpanded = [&](TBaseLazyTree *, PLazyNode) { ++expanded; };
    PLazyNode first = tree.GetFirst();
    tree.ToggleNode(first);
    EXPECT_FALSE(first->Has(vsExpanded));
    EXPECT_EQ(expanded, 0);
    EXPECT_TRUE(tree.Scrolls.empty());
    EXPECT_TRUE(ValidateTree(tree));
}

TEST(LazyTreeToggle, ToggleInsideOwnEventAndHandlerErrors)
{
    TSlideTree tree;
    SetupSlide(tree, 300);
    PLazyNode first = tree.GetFirst();
    tree.OnExpanded = [&](TBaseLazyTree *, PLazyNode Node) { tree.ToggleNode(Node); };
    tree.ToggleNode(first);
    EXPECT_TRUE(first->Has(vsExpanded));   // the inner toggle was ignored

    tree.OnCollapsed = [](TBaseLazyTree *, PLazyNode) { throw std::runtime_error("handler"); };
    EXPECT_THROW(tree.ToggleNode(first), std::runtime_error);
    EXPECT_FALSE(first->Has(vsToggling));
    EXPECT_FALSE(tree.TreeStates().Contains(tsToggling));
    EXPECT_FALSE(tree.TreeStates().Contains(tsInAnimation));
}

TEST(LazyTreeToggle, AnimationDriver)
{
    TSlideTree tree;
    SetupSlide(tree, 100);
    std::vector<std::pair<int, int>> calls;
    int nested = 0;
    tree.RunAnimation(90, 200, [&](int Step, int StepSize) {
        calls.push_back({Step, StepSize});
        // A second animation meanwhile is skipped.
        tree.RunAnimation(10, 10, [&](int, int) { return ++nested > 0; });
        return true;
    });
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls.front(), std::make_pair(0, 1));
    EXPECT_EQ(calls.back(), std::make_pair(0, 0));   // the closing call
    int moved = 0;
    for (const auto &c : calls)
        moved += c.second;
    EXPECT_LE(moved, 90);
    EXPECT_GE(moved, 80);
    EXPECT_EQ(nested, 0);
    EXPECT_LE(tree.Now, 210);

    calls.clear();
    tree.RunAnimation(90, 0, [&](int S, int Z) { calls.push_back({S, Z}); return true; });
    EXPECT_TRUE(calls.empty());
}

TEST(LazyTreeWindow, InvalidateNodeAnswersTheRow)
{
    TSlideTree tree;
    SetupSlide(tree, 100);
    PLazyNode second = tree.GetFirst()->NextSibling;
    const TRect row = tree.InvalidateNode(second);
    EXPECT_EQ(row.Top, 18);
    EXPECT_EQ(row.Bottom, 36);
    tree.BeginUpdate();
    EXPECT_EQ(tree.InvalidateNode(second), TRect(-1, -1, -1, -1));
    tree.EndUpdate();
    TTestTree hidden;   // no window
    hidden.SetRootNodeCount(1);
    EXPECT_EQ(hidden.InvalidateNode(hidden.GetFirst()), TRect(-1, -1, -1, -1));
}

TEST(LazyTreeWindow, PlatformThemeChangeRecreatesOnceLater)
{
    TSlideTree tree;
    SetupSlide(tree, 100);
    tree.ApplyWindowTheme(QStringLiteral("explorer"));   // the tree's own change
    EXPECT_FALSE(tree.TreeTimerActive(8));

    QEvent change(QEvent::ThemeChange);
    QCoreApplication::sendEvent(&tree, &change);
    EXPECT_TRUE(tree.TreeTimerActive(8));
    EXPECT_EQ(tree.TreeTimerInterval(8), 500);
    EXPECT_EQ(tree.Creations, 0);
    tree.TimerExpired(8);   // what the timer does when it runs out
    EXPECT_EQ(tree.Creations, 1);
    EXPECT_FALSE(tree.TreeTimerActive(8));
}

TEST(LazyTreeWindow, ChangeScaleAndAutoScale)
{
    for (bool follow : {true, false}) {
        SCOPED_TRACE(follow);
        TSlideTree tree;
        TLTAutoOptions autoOptions = tree.TreeOptions().AutoOptions();
        autoOptions.Set(toAutoChangeScale, follow);
        tree.TreeOptions().SetAutoOptions(autoOptions);
        tree.SetIndent(18);
        tree.ChangeScale(144, 96);
        EXPECT_EQ(tree.DefaultNodeHeight(), follow ? 27u : 18u);
        EXPECT_EQ(tree.Indent(), follow ? 27u : 18u);
    }
    TSlideTree tree;
    tree.SetDefaultNodeHeight(100);
    tree.AutoScaleNodeHeight();
    EXPECT_EQ(tree.DefaultNodeHeight(), 100u);   // never lowered
    tree.SetDefaultNodeHeight(2);
    tree.AutoScaleNodeHeight();
    EXPECT_GT(tree.DefaultNodeHeight(), 2u);
}

TEST(LazyTreeWindow, VisibleHeaderIsNoClientArea)
{
    TSlideTree tree;
    SetupSlide(tree, 100);
    TLTHeaderOptions options = tree.Header().Options();
    options.Include(TLTHeaderOption::hoVisible);
    tree.Header().SetOptions(options);
    tree.Header().SetHeight(20);
    EXPECT_EQ(tree.viewport()->geometry().top(), tree.frameWidth() + 20);
    // A point in the header band maps to no node; the first row starts below the band.
    const QPoint inHeader = tree.viewport()->mapFrom(&tree, QPoint(20, tree.frameWidth() + 5));
    EXPECT_LT(inHeader.y(), 0);
    EXPECT_EQ(tree.GetNodeAt(20, 5), tree.GetFirst());
}

// What is repainted after a toggle: the node alone when it turned out to have no children,
// else the view from the node down (also where nothing could slide).
TEST(LazyTreeToggle, RepaintsAfterTheToggle)
{
    struct Case
    {
        const char *Name;
        int Node;                    // top-level index toggled
        uint32_t Children;
        int Height;
        std::vector<int> Painted;    // absolute indexes of the rows painted afterwards
    };
    const Case cases[] = {
        {"no children", 1, 0, 300, {1}},
        {"slid", 0, 5, 300, {0, 1, 2, 3, 4, 5, 6, 7}},
        // Nothing slides; the children do not fit, so the node becomes the top row.
        {"bottom edge", 2, 5, 54, {2, 3, 4}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.Name);
        TSlideTree tree;
        SetupSlide(tree, c.Height);
        const uint32_t children = c.Children;
        tree.OnInitChildren = [children](TBaseLazyTree *, PLazyNode, uint32_t &Count) { Count = children; };
        QCoreApplication::processEvents();
        std::vector<int> painted;
        // Pending paints run before a slide starts; only those after the toggle count here.
        tree.OnBeforeItemPaint = [&](TBaseLazyTree *Sender, TCanvas *, PLazyNode Node, TRect, bool &) {
            if (!Sender->TreeStates().Contains(tsToggling))
                painted.push_back(int(Sender->AbsoluteIndex(Node)));
        };
        PLazyNode node = tree.GetFirst();
        for (int i = 0; i < c.Node; ++i)
            node = node->NextSibling;
        tree.ToggleNode(node);
        QCoreApplication::processEvents();
        EXPECT_EQ(painted, c.Painted);
        tree.OnBeforeItemPaint = nullptr;
    }
}

namespace {

// Records the viewport's paint rectangles while a toggle animates.
struct TAnimationPaints : QObject
{
    TBaseLazyTree &Tree;
    std::vector<QRect> Rects;
    explicit TAnimationPaints(TBaseLazyTree &ATree) : Tree(ATree) { Tree.viewport()->installEventFilter(this); }
    bool eventFilter(QObject *, QEvent *Event) override
    {
        if (Event->type() == QEvent::Paint && Tree.TreeStates().Contains(tsInAnimation))
            Rects.push_back(static_cast<QPaintEvent *>(Event)->rect());
        return false;
    }
};

}   // namespace

// Each step paints the strip it uncovers, as background, and no rows; a hidden or resized
// tree stops sliding at once.
TEST(LazyTreeToggle, EachStepFillsTheUncoveredStrip)
{
    TSlideTree tree;
    SetupSlide(tree, 300);
    QCoreApplication::processEvents();   // the window is mapped
    TAnimationPaints paints(tree);
    int rows = 0;
    tree.OnBeforeItemPaint = [&](TBaseLazyTree *Sender, TCanvas *, PLazyNode, TRect, bool &) {
        rows += Sender->TreeStates().Contains(tsInAnimation);
    };
    tree.ToggleNode(tree.GetFirst());
    ASSERT_FALSE(paints.Rects.empty());
    for (const QRect &r : paints.Rects) {
        EXPECT_EQ(r.top(), 18);   // just below the node, where the rows slide down from
        EXPECT_GE(r.height(), 1);
        EXPECT_LE(r.height(), 90);
    }
    EXPECT_EQ(rows, 0);
    tree.OnBeforeItemPaint = nullptr;

    tree.hide();
    tree.Scrolls.clear();
    tree.Now = 0;
    tree.ToggleNode(tree.GetFirst());
    EXPECT_FALSE(tree.GetFirst()->Has(vsExpanded));
    EXPECT_TRUE(tree.Scrolls.empty());
    EXPECT_LT(tree.Now, 5);
}
