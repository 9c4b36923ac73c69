// Geometry, hit testing and scrolling, the column-less paths first.
#include "tree_fixture.h"

#include <QScrollBar>
#include <QStyle>

using enum THitPosition;

namespace {

// A tree whose nodes have a content of fixed width, that counts how often its client area
// was scrolled.
class TGeometryTree : public TTestTree
{
public:
    using TTestTree::TTestTree;
    using TBaseLazyTree::ButtonWidth;
    int ContentWidth = 0;
    int ClientScrolls = 0;

    int NodeContentWidth(PLazyNode, TColumnIndex, TCanvas *) override { return ContentWidth; }
    void ScrollClientArea(int DX, int DY, const QRect *Clip) override
    {
        ++ClientScrolls;
        TTestTree::ScrollClientArea(DX, DY, Clip);
    }
};

TLTImageList MakeList(int Size)
{
    TLTImageList list;
    list.SetSize(Size, Size);
    QImage glyph(Size, Size, QImage::Format_ARGB32);
    glyph.fill(Qt::black);
    list.AddMasked(glyph, qRgb(1, 2, 3));
    return list;
}

// The node at a place of the structure order, from 0.
PLazyNode NthNode(TBaseLazyTree &Tree, int N)
{
    PLazyNode node = Tree.GetFirst();
    for (int i = 0; i < N; ++i)
        node = Tree.GetNext(node);
    return node;
}

THitPositions HitAt(TBaseLazyTree &Tree, int X, int Y, PLazyNode *Node = nullptr)
{
    THitInfo hit;
    Tree.GetHitTestInfoAt(X, Y, true, hit);
    if (Node)
        *Node = hit.HitNode;
    return hit.HitPositions;
}

}   // namespace

TEST(LazyTreeGeometry, TextStartsAfterIndentCheckAndImage)
{
    TGeometryTree tree;
    const TLTImageList checks = MakeList(16), images = MakeList(16);
    tree.SetCustomCheckImages(const_cast<TLTImageList *>(&checks));
    tree.SetCheckImageKind(TCheckImageKind::ckCustom);
    tree.SetImages(const_cast<TLTImageList *>(&images));
    tree.TreeOptions().SetMiscOptions(tree.TreeOptions().MiscOptions() + TLTMiscOptions{toCheckSupport});
    tree.OnGetImageIndex = [](TBaseLazyTree *, PLazyNode, TLTImageKind Kind, TColumnIndex, bool &,
                              int &Index) {
        if (Kind == TLTImageKind::ikNormal)
            Index = 0;
    };
    PLazyNode node = tree.AddChild(nullptr);
    node->CheckType = TCheckType::ctCheckBox;
    ShowWithClient(tree, 300, 100);
    // Indent (the root level), margin, check box, image: where the hit test finds the label.
    const int textLeft = 18 + 4 + 16 + 2 + 16 + 2;
    EXPECT_EQ(tree.GetDisplayRect(node, NoColumn, true).Left, textLeft);
    EXPECT_EQ(HitAt(tree, textLeft - 1, 5), (THitPositions{hiOnItem, hiOnNormalIcon}));
    EXPECT_EQ(HitAt(tree, textLeft, 5), (THitPositions{hiOnItem, hiOnItemRight}));
    // Centred, the text's own width sits in the middle of what is left.
    tree.ContentWidth = 40;
    tree.SetAlignment(TLTAlignment::taCenter);
    const TRect centred = tree.GetDisplayRect(node, NoColumn, true);
    EXPECT_EQ(centred.Left, (textLeft + 300 - 40) / 2);
    EXPECT_EQ(centred.Width(), 40);
}

TEST(LazyTreeGeometry, NodeAtAPosition)
{
    TGeometryTree tree;
    tree.SetRootNodeCount(3);
    int top = 1234;
    EXPECT_EQ(tree.GetNodeAt(0, 54, false, top), nullptr);
    EXPECT_EQ(top, 1234);
    EXPECT_EQ(tree.GetNodeAt(0, -40, false, top), tree.RootNode()->FirstChild);
    EXPECT_EQ(top, 0);
    EXPECT_EQ(tree.GetNodeAt(0, 53, false, top), tree.RootNode()->LastChild);
    EXPECT_EQ(top, 36);
    // Looking up positions initialises nothing.
    EXPECT_FALSE(tree.RootNode()->LastChild->Has(vsInitialized));
}

TEST(LazyTreeGeometry, DisplayRectangles)
{
    TGeometryTree tree;
    PLazyNode parent = tree.AddChild(nullptr);
    PLazyNode child = tree.AddChild(parent);
    tree.ContentWidth = 500;
    ShowWithClient(tree, 200, 100);
    EXPECT_EQ(tree.GetDisplayRect(child, NoColumn, false), TRect());
    TLTPaintOptions paint = tree.TreeOptions().PaintOptions();
    tree.TreeOptions().SetPaintOptions(paint + TLTPaintOptions{toFixedIndent});
    EXPECT_NE(tree.GetDisplayRect(child, NoColumn, false), TRect());
    tree.TreeOptions().SetPaintOptions(paint);

    // The row spans the content width, moved by the hidden part at the left.
    ASSERT_GT(int(tree.RangeX()), tree.ClientWidth());
    tree.SetOffsetX(-30);
    ASSERT_EQ(tree.EffectiveOffsetX(), 30);
    const TRect row = tree.GetDisplayRect(parent, NoColumn, false);
    EXPECT_EQ(row, TRect(-30, 0, int(tree.RangeX()) - 30, 18));
    tree.SetExpanded(parent, true);
    EXPECT_EQ(tree.GetDisplayRect(child, NoColumn, false).Top, 18);

    TLazyTreeColumn &column = tree.Header().Columns().Add();
    column.SetWidth(80);
    int left = 0, right = 0;
    tree.Header().Columns().GetColumnBounds(0, left, right);
    const TRect cell = tree.GetDisplayRect(parent, 0, false);
    EXPECT_EQ(cell.Left, left);
    EXPECT_EQ(cell.Right, right - 1);

    for (PLazyNode bad : {PLazyNode(nullptr), tree.RootNode()}) {
        try {
            tree.GetDisplayRect(bad, NoColumn, false);
            ADD_FAILURE();
        } catch (const ELazyTreeAssertion &e) {
            EXPECT_STREQ(e.what(), bad ? "Node must not be the hidden root node." : "Node must not be nil.");
        }
    }
}

TEST(LazyTreeGeometry, CheckBoxHitsAreOnlyTheCheckBox)
{
    TGeometryTree tree;
    const TLTImageList checks = MakeList(16);
    tree.SetCustomCheckImages(const_cast<TLTImageList *>(&checks));
    tree.SetCheckImageKind(TCheckImageKind::ckCustom);
    tree.TreeOptions().SetMiscOptions(tree.TreeOptions().MiscOptions() +
                                      TLTMiscOptions{toCheckSupport, toNodeHeightResize});
    PLazyNode node = tree.AddChild(nullptr);
    node->CheckType = TCheckType::ctCheckBox;
    ShowWithClient(tree, 200, 100);
    // The check box lies from 18 + 4 to 18 + 4 + 18; the first row pixel is the splitter band.
    EXPECT_EQ(HitAt(tree, 25, 0), (THitPositions{hiOnItem, hiOnItemCheckbox}));
    EXPECT_EQ(HitAt(tree, 25, 8), (THitPositions{hiOnItem, hiOnItemCheckbox}));
    EXPECT_EQ(HitAt(tree, 25, 17), (THitPositions{hiOnItem, hiOnItemCheckbox}));
    EXPECT_EQ(HitAt(tree, 60, 0), (THitPositions{hiOnItem, hiUpperSplitter, hiOnItemRight}));
    EXPECT_EQ(HitAt(tree, 60, 16), (THitPositions{hiOnItem, hiLowerSplitter, hiOnItemRight}));
}

TEST(LazyTreeGeometry, TheMarginBelongsToTheIndentation)
{
    TGeometryTree tree;
    PLazyNode parent = tree.AddChild(nullptr);
    tree.AddChild(parent);
    tree.AddChild(nullptr);
    tree.ContentWidth = 30;
    ShowWithClient(tree, 200, 100);
    // Indentation 0..18, margin 18..22.
    EXPECT_EQ(HitAt(tree, 0, 5), (THitPositions{hiOnItem, hiOnItemButton}));
    EXPECT_EQ(HitAt(tree, 8, 5), (THitPositions{hiOnItem, hiOnItemButton}));
    EXPECT_EQ(HitAt(tree, 18 - tree.ButtonWidth(), 5),
              (THitPositions{hiOnItem, hiOnItemButton, hiOnItemButtonExact}));
    EXPECT_EQ(HitAt(tree, 21, 5), (THitPositions{hiOnItem, hiOnItemButton, hiOnItemButtonExact}));
    EXPECT_EQ(HitAt(tree, 22, 5), (THitPositions{hiOnItem, hiOnItemLabel}));
    EXPECT_EQ(HitAt(tree, 52, 5), (THitPositions{hiOnItem, hiOnItemRight}));
    EXPECT_EQ(HitAt(tree, 21, 20), THitPositions{hiOnItem});
    EXPECT_EQ(HitAt(tree, 5, 80), THitPositions{hiNowhere});
}

TEST(LazyTreeGeometry, OutsideTheContent)
{
    TGeometryTree tree;
    tree.SetRootNodeCount(2);
    tree.ContentWidth = 400;
    ShowWithClient(tree, 200, 100);
    const int right = std::max(tree.ClientWidth(), int(tree.RangeX()));
    EXPECT_FALSE(HitAt(tree, right, 5).Contains(hiToRight));
    EXPECT_EQ(HitAt(tree, right + 1, 5), THitPositions{hiToRight});
    EXPECT_EQ(HitAt(tree, -1, -1), (THitPositions{hiToLeft, hiAbove}));
    EXPECT_EQ(HitAt(tree, 5, 101), THitPositions{hiBelow});
}

TEST(LazyTreeGeometry, MaxColumnWidthAddsAnIndentPerLevel)
{
    TGeometryTree tree;
    PLazyNode a = tree.AddChild(nullptr);
    PLazyNode b = tree.AddChild(a);
    tree.AddChild(b);
    tree.FullExpand();
    tree.ContentWidth = 50;
    std::vector<int> widths;
    tree.OnAfterGetMaxColumnWidth = [&](TLTHeader *, TColumnIndex Column, int &Width) {
        EXPECT_EQ(Column, NoColumn);
        widths.push_back(Width);
    };
    EXPECT_EQ(tree.GetMaxColumnWidth(NoColumn), 3 * 18 + 4 + 50);
    EXPECT_EQ(widths, (std::vector<int>{108}));
    TLTPaintOptions paint = tree.TreeOptions().PaintOptions();
    tree.TreeOptions().SetPaintOptions(paint - TLTPaintOptions{toShowRoot});
    EXPECT_EQ(tree.GetMaxColumnWidth(NoColumn), 2 * 18 + 4 + 50);
}

TEST(LazyTreeGeometry, TopAndBottomNode)
{
    TGeometryTree tree;
    tree.SetRootNodeCount(20);
    ShowWithClient(tree, 200, 100);
    PLazyNode tenth = NthNode(tree, 9);
    const int scrolls = tree.ClientScrolls;
    tree.SetBottomNode(tenth);
    EXPECT_EQ(tree.OffsetY(), 100 - 180);
    EXPECT_EQ(tree.ClientScrolls, scrolls);
    EXPECT_EQ(tree.BottomNode(), tenth);
    tree.SetTopNode(tenth);
    EXPECT_EQ(tree.OffsetY(), -162);
    EXPECT_EQ(tree.TopNode(), tenth);
    EXPECT_EQ(tree.ClientScrolls, scrolls + 1);
}

// ---------------------------------------------------------------------------------------
// Scrolling

TEST(LazyTreeScrolling, OffsetsStayInsideTheRange)
{
    TGeometryTree tree;
    tree.SetRootNodeCount(10);
    ShowWithClient(tree, 200, 100);
    EXPECT_EQ(tree.RangeY(), 180u);
    EXPECT_TRUE(tree.verticalScrollBar()->isVisibleTo(&tree));
    std::vector<std::pair<int, int>> scrolls;
    tree.OnScroll = [&](TBaseLazyTree *, int DX, int DY) { scrolls.push_back({DX, DY}); };
    tree.SetOffsetY(-200);
    EXPECT_EQ(tree.OffsetY(), -80);
    EXPECT_EQ(scrolls, (std::vector<std::pair<int, int>>{{0, -80}}));
    EXPECT_EQ(tree.verticalScrollBar()->value(), 80);
    tree.SetOffsetY(-80);
    tree.SetOffsetY(5);
    EXPECT_EQ(tree.OffsetY(), 0);
    EXPECT_EQ(scrolls.size(), 2u);
    tree.SetOffsetY(0);
    EXPECT_EQ(scrolls.size(), 2u);
}

TEST(LazyTreeScrolling, AShrinkingRangeHidesTheBarAndResetsTheOffset)
{
    TGeometryTree tree;
    tree.SetRootNodeCount(10);
    ShowWithClient(tree, 200, 100);
    tree.SetOffsetY(-80);
    tree.SetRootNodeCount(4);
    EXPECT_EQ(tree.RangeY(), 72u);
    EXPECT_EQ(tree.OffsetY(), 0);
    EXPECT_FALSE(tree.verticalScrollBar()->isVisibleTo(&tree));

    tree.ScrollBarOptions().SetAlwaysVisible(true);
    EXPECT_TRUE(tree.verticalScrollBar()->isVisibleTo(&tree));
    EXPECT_FALSE(tree.verticalScrollBar()->isEnabled());
}

TEST(LazyTreeScrolling, ScrollCodes)
{
    TGeometryTree tree;
    tree.SetRootNodeCount(10);
    ShowWithClient(tree, 200, 100);
    tree.VScroll(SB_BOTTOM);
    EXPECT_EQ(tree.OffsetY(), -80);
    tree.VScroll(SB_TOP);
    EXPECT_EQ(tree.OffsetY(), 0);
    tree.VScroll(SB_LINEDOWN);
    EXPECT_EQ(tree.OffsetY(), -20);
    tree.VScroll(SB_PAGEDOWN);
    EXPECT_EQ(tree.OffsetY(), -80);
    tree.VScroll(SB_LINEUP);
    EXPECT_EQ(tree.OffsetY(), -60);
    tree.verticalScrollBar()->setSliderPosition(30);
    tree.VScroll(SB_THUMBTRACK);
    EXPECT_EQ(tree.OffsetY(), -30);
    EXPECT_TRUE(tree.TreeStates().Contains(tsThumbTracking));
    tree.VScroll(SB_ENDSCROLL);
    EXPECT_FALSE(tree.TreeStates().Contains(tsThumbTracking));
    // The bar's own actions arrive as the same codes.
    tree.verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(tree.OffsetY(), -80);
}

TEST(LazyTreeScrolling, RightToLeftReversesTheSteps)
{
    TGeometryTree tree;
    tree.SetRootNodeCount(3);
    tree.ContentWidth = 400;
    ShowWithClient(tree, 200, 100);
    const int range = int(tree.RangeX());
    ASSERT_GT(range, 200);
    tree.HScroll(SB_LINERIGHT);
    EXPECT_EQ(tree.OffsetX(), -20);
    tree.HScroll(SB_RIGHT);
    EXPECT_EQ(tree.OffsetX(), 200 - range);
    tree.SetBiDiMode(TLTBiDiMode::bdRightToLeft);
    tree.HScroll(SB_LEFT);
    EXPECT_EQ(tree.OffsetX(), 0);
    tree.HScroll(SB_LINELEFT);
    EXPECT_EQ(tree.OffsetX(), -20);
    tree.HScroll(SB_LINERIGHT);
    EXPECT_EQ(tree.OffsetX(), 0);
    tree.HScroll(SB_PAGELEFT);
    EXPECT_EQ(tree.OffsetX(), -200);
    tree.HScroll(SB_RIGHT);
    EXPECT_EQ(tree.OffsetX(), 200 - range);
}

TEST(LazyTreeScrolling, ScrollIntoViewCentred)
{
    TGeometryTree tree;
    tree.SetRootNodeCount(20);
    ShowWithClient(tree, 200, 100);
    PLazyNode node = NthNode(tree, 10);
    EXPECT_TRUE(tree.ScrollIntoView(node, true));
    EXPECT_EQ(tree.GetDisplayRect(node, NoColumn, false).Bottom, 50);
    tree.SetOffsetY(-1000);
    PLazyNode above = NthNode(tree, 5);
    EXPECT_TRUE(tree.ScrollIntoView(above, true));
    EXPECT_EQ(tree.GetDisplayRect(above, NoColumn, false).Top, 50);
    // Not centred: just into the window.
    tree.SetOffsetY(0);
    EXPECT_TRUE(tree.ScrollIntoView(node, false));
    EXPECT_EQ(tree.GetDisplayRect(node, NoColumn, false).Bottom, 100);
    EXPECT_FALSE(tree.ScrollIntoView(tree.RootNode(), false));
}

TEST(LazyTreeScrolling, AWideNodeWithoutHorizontalBarScrollsOneBarFurther)
{
    TGeometryTree tree;
    tree.SetRootNodeCount(20);
    tree.ScrollBarOptions().SetScrollBars(TLTScrollStyle::ssVertical);
    tree.ContentWidth = 400;
    ShowWithClient(tree, 200, 100);
    ASSERT_GT(int(tree.RangeX()), tree.ClientWidth());
    PLazyNode node = NthNode(tree, 10);
    tree.ScrollIntoView(node, false);
    const int bar = tree.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &tree);
    EXPECT_EQ(tree.GetDisplayRect(node, NoColumn, false).Bottom, 100 - bar);
}

TEST(LazyTreeGeometry, MeasuredHeightsComeFromTheEventOnce)
{
    TGeometryTree tree;
    tree.TreeOptions().SetMiscOptions(tree.TreeOptions().MiscOptions() + TLTMiscOptions{toVariableNodeHeight});
    int measures = 0;
    tree.OnMeasureItem = [&](TBaseLazyTree *, TCanvas *, PLazyNode Node, int &Height) {
        ++measures;
        Height = 30 + int(Node->Index);
    };
    tree.SetRootNodeCount(3);
    EXPECT_EQ(tree.NodeHeight(tree.RootNode()->LastChild), 32u);
    EXPECT_EQ(tree.NodeHeight(tree.RootNode()->LastChild), 32u);
    EXPECT_EQ(measures, 3);
    EXPECT_EQ(tree.RangeY(), 30u + 31u + 32u);
    int top = 0;
    EXPECT_EQ(tree.GetNodeAt(0, 61, false, top), tree.RootNode()->LastChild);
    EXPECT_EQ(top, 61);
}

TEST(LazyTreeHeader, ParentFontFollowsTheTree)
{
    TGeometryTree tree;
    tree.Header().SetParentFont(true);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(17);
    tree.setFont(font);
    EXPECT_EQ(tree.Header().Font().pixelSize(), 17);
    tree.Header().SetFont(QFont(QStringLiteral("DejaVu Serif")));
    EXPECT_FALSE(tree.Header().ParentFont());
}

// Right to left, a point on the text of a node with an image is on the label, mirrored
// from left to right.
TEST(LazyTreeGeometry, LabelHitBehindAnImageInBothDirections)
{
    for (TLTBiDiMode mode : {TLTBiDiMode::bdLeftToRight, TLTBiDiMode::bdRightToLeft}) {
        SCOPED_TRACE(int(mode));
        TGeometryTree tree;
        const TLTImageList images = MakeList(16);
        tree.SetImages(const_cast<TLTImageList *>(&images));
        tree.OnGetImageIndex = [](TBaseLazyTree *, PLazyNode, TLTImageKind Kind, TColumnIndex, bool &,
                                  int &Index) {
            if (Kind == TLTImageKind::ikNormal)
                Index = 0;
        };
        tree.ContentWidth = 30;
        tree.SetBiDiMode(mode);
        PLazyNode node = tree.AddChild(nullptr);
        ShowWithClient(tree, 300, 100);
        const TRect text = tree.GetDisplayRect(node, NoColumn, true);
        ASSERT_EQ(text.Width(), 30);
        EXPECT_EQ(HitAt(tree, (text.Left + text.Right) / 2, 5), (THitPositions{hiOnItem, hiOnItemLabel}));
        const int onImage = mode == TLTBiDiMode::bdLeftToRight ? text.Left - 5 : text.Right + 5;
        EXPECT_EQ(HitAt(tree, onImage, 5), (THitPositions{hiOnItem, hiOnNormalIcon}));
    }
}

// With toAutoSpanColumns a hit in an empty cell belongs to the text's cell, which runs
// over the empty cells after it once each (three columns of 60, only the first filled).
TEST(LazyTreeGeometry, AutoSpanHitCountsEachEmptyColumnOnce)
{
    TGeometryTree tree;
    tree.ContentWidth = 20;
    for (int i = 0; i < 3; ++i)
        tree.Header().Columns().Add().SetWidth(60);
    tree.Header().Columns()[0].SetAlignment(TLTAlignment::taRightJustify);
    tree.OnGetCellIsEmpty = [](TBaseLazyTree *, PLazyNode, TColumnIndex Column, bool &IsEmpty) {
        IsEmpty = Column != 0;
    };
    tree.TreeOptions().SetAutoOptions(tree.TreeOptions().AutoOptions() + TLTAutoOptions{toAutoSpanColumns});
    tree.AddChild(nullptr);
    ShowWithClient(tree, 300, 100);
    THitInfo hit;
    // The right-aligned text ends at 180, the end of the span.
    for (int x : {165, 175}) {
        tree.GetHitTestInfoAt(x, 5, true, hit);
        EXPECT_EQ(hit.HitColumn, 0);
        EXPECT_EQ(hit.HitPositions, (THitPositions{hiOnItem, hiOnItemLabel})) << x;
    }
    tree.GetHitTestInfoAt(150, 5, true, hit);
    EXPECT_EQ(hit.HitPositions, (THitPositions{hiOnItem, hiOnItemLeft}));
    tree.OnGetCellIsEmpty = nullptr;
}

// With grid extensions the editor of a left-aligned caption reaches the column's right
// edge, also when the tree is scrolled horizontally.
TEST(LazyTreeGeometry, GridExtensionEditorMeetsTheColumnEdgeWhenScrolled)
{
    TGeometryTree tree;
    tree.ContentWidth = 20;
    tree.Header().Columns().Add().SetWidth(400);
    tree.TreeOptions().SetMiscOptions(tree.TreeOptions().MiscOptions() +
                                      TLTMiscOptions{toEditable, toGridExtensions});
    auto link = std::make_shared<TFakeEditLink>();
    tree.OnCreateEditor = [&](TBaseLazyTree *, PLazyNode, TColumnIndex, std::shared_ptr<ILTEditLink> &Link) {
        Link = link;
    };
    TLTAutoOptions autoOptions = tree.TreeOptions().AutoOptions();
    autoOptions.Include(toDisableAutoscrollOnEdit);
    autoOptions.Include(toDisableAutoscrollOnFocus);
    tree.TreeOptions().SetAutoOptions(autoOptions);
    PLazyNode node = tree.AddChild(nullptr);
    ShowWithClient(tree, 200, 100);
    for (int offset : {0, -50}) {
        SCOPED_TRACE(offset);
        tree.SetOffsetX(offset);
        ASSERT_EQ(tree.EffectiveOffsetX(), -offset);
        ASSERT_TRUE(tree.EditNode(node, 0));
        int left = 0, right = 0;
        tree.Header().Columns().GetColumnBounds(0, left, right);
        EXPECT_EQ(right, 400 + offset);
        EXPECT_EQ(link->Bounds.Right, right);
        EXPECT_EQ(link->Bounds.Left, tree.GetDisplayRect(node, 0, true).Left);
        tree.CancelEditNode();
    }
    tree.OnCreateEditor = nullptr;
}
