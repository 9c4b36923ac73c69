// Painting rendered offscreen: tree lines, buttons, check boxes, images, texts, selection
// and the empty-list message, on a string tree set up as the scan window's.
#include "tree_fixture.h"

#include "controls/tree/lazystringtree.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <map>
#include <stdexcept>

using enum TLSTTextType;
using enum TLTInternalPaintOption;

namespace {

const TLTInternalPaintOptions AllParts{poBackground, poColumnColor, poDrawFocusRect, poDrawSelection,
                                       poDrawDropMark, poGridLines};

// Renders the content rectangle (0, 0, Width, Height) of the tree.
QImage Render(TBaseLazyTree &Tree, int Width, int Height, TLTInternalPaintOptions Options = AllParts)
{
    QImage image(Width, Height, QImage::Format_ARGB32);
    image.fill(Qt::magenta);
    {
        TCanvas canvas(&image);
        Tree.PaintTree(canvas, TRect(0, 0, Width, Height), TPoint(0, 0), Options);
    }
    return image;
}

QRgb Rgb(TColor Color)
{
    return ToQColor(Color).rgb();
}

// Pixels of one column of the image, top to bottom, as line (true) or not.
std::vector<bool> LinePixels(const QImage &Image, int X, int From, int To, TColor LineColor)
{
    std::vector<bool> pixels;
    for (int y = From; y < To; ++y)
        pixels.push_back(Image.pixel(X, y) == Rgb(LineColor));
    return pixels;
}

}   // namespace

TEST(LazyTreePaint, DottedLinesAlternateAcrossRows)
{
    TLazyStringTree tree;
    tree.SetDefaultNodeHeight(17);   // an odd height: the pattern must not restart per row
    tree.SetRootNodeCount(4);
    const QImage image = Render(tree, 100, 68);
    const TColor line = tree.Colors().Get(TLTColors::TreeLineColor);
    // The top level's vertical line, at X + 9 for Indent 18, from the first row's middle.
    const auto pixels = LinePixels(image, 9, 10, 59, line);   // down to the last row's middle
    for (size_t i = 1; i < pixels.size(); ++i)
        EXPECT_NE(pixels[i], pixels[i - 1]) << "at y " << 10 + i;
    EXPECT_EQ(image.pixel(9, 11) == Rgb(line) ? image.pixel(9, 12) : image.pixel(9, 11),
              Rgb(tree.Colors().BackGroundColor()));

    tree.SetIndent(17);
    const QImage narrow = Render(tree, 100, 68);
    EXPECT_TRUE(LinePixels(narrow, 8, 20, 22, line) != std::vector<bool>(2, false));
    EXPECT_EQ(LinePixels(narrow, 9, 17, 22, line), std::vector<bool>(5, false));   // above the stub

    tree.SetLineStyle(TLTLineStyle::lsSolid);
    EXPECT_EQ(LinePixels(Render(tree, 100, 68), 8, 20, 56, line), std::vector<bool>(36, true));
}

TEST(LazyTreePaint, TheOnlyTopLevelNodeHasAStubOnly)
{
    TLazyStringTree tree;
    tree.SetRootNodeCount(1);
    const QImage image = Render(tree, 100, 18);
    const TColor line = tree.Colors().Get(TLTColors::TreeLineColor);
    EXPECT_EQ(LinePixels(image, 9, 0, 8, line), std::vector<bool>(8, false));
    EXPECT_EQ(LinePixels(image, 9, 10, 18, line), std::vector<bool>(8, false));
    bool stub = false;
    for (int x = 9; x < 18; ++x)
        stub = stub || image.pixel(x, 8) == Rgb(line);
    EXPECT_TRUE(stub);
}

TEST(LazyTreePaint, ScanWindowTreeShowsButtonsChecksImagesAndTexts)
{
    TLazyStringTree tree;
    tree.TreeOptions().SetMiscOptions(tree.TreeOptions().MiscOptions() + TLTMiscOptions{toCheckSupport});
    TLTImageList images;
    images.SetSize(16, 16);
    for (QColor c : {QColor(Qt::red), QColor(Qt::green)}) {
        QImage glyph(16, 16, QImage::Format_ARGB32);
        glyph.fill(c);
        images.AddMasked(glyph, qRgb(1, 2, 3));
    }
    tree.SetImages(&images);
    tree.OnGetImageIndexEx = [](TBaseLazyTree *Sender, PLazyNode Node, TLTImageKind Kind, TColumnIndex,
                                bool &, int &Index, TLTImageList *&) {
        if (Kind == TLTImageKind::ikNormal || Kind == TLTImageKind::ikSelected)
            Index = int(Sender->GetNodeLevel(Node));
    };
    tree.OnInitNode = [](TBaseLazyTree *, PLazyNode, PLazyNode Node, TLazyNodeInitStates &) {
        Node->CheckType = TCheckType::ctCheckBox;
        Node->CheckState = TCheckState::csCheckedNormal;
    };
    int texts = 0;
    tree.OnGetText = [&](TBaseLazyTree *, PLazyNode, TColumnIndex, TLSTTextType, QString &Text) {
        ++texts;
        Text = QStringLiteral("Meter");
    };
    PLazyNode meter = tree.AddChild(nullptr);
    tree.AddChild(meter);
    const QImage image = Render(tree, 200, 36);
    // Button at the top level's indentation, check box after the margin, the level's image.
    const int buttonX = (18 - 9) / 2 + 1;
    EXPECT_EQ(image.pixel(buttonX, 9 - 4 - 1 + 1), Rgb(tree.Colors().Get(TLTColors::TreeLineColor)));
    TLTImageList *checks = tree.CheckImages();
    ASSERT_NE(checks, nullptr);
    const int checkX = 18 + 4 - 1;
    const int imageX = checkX + checks->Width() + 2;
    EXPECT_EQ(image.pixel(imageX + 8, 9), qRgb(255, 0, 0));
    // Text in the tree's font colour right of the image.
    const int textLeft = imageX + 1 + 16 + 2 + tree.TextMargin();
    bool ink = false;
    for (int x = textLeft; x < textLeft + 40 && !ink; ++x)
        for (int y = 2; y < 16 && !ink; ++y)
            ink = image.pixel(x, y) != Rgb(tree.Colors().BackGroundColor());
    EXPECT_TRUE(ink);
    // Each painted cell asks for its normal and its static text.
    EXPECT_EQ(texts % 2, 0);
}

TEST(LazyTreePaint, NoTextHandlerPaintsNoText)
{
    TLazyStringTree tree;
    PLazyNode node = tree.AddChild(nullptr);
    const QImage image = Render(tree, 200, 18);
    for (int x = 30; x < 200; ++x)
        ASSERT_EQ(image.pixel(x, 9), Rgb(tree.Colors().BackGroundColor())) << x;
    EXPECT_EQ(tree.GetText(node), QStringLiteral("Node"));
}

TEST(LazyTreePaint, SelectionAndItsOptions)
{
    TLazyStringTree tree;
    tree.TreeOptions().SetSelectionOptions(TLTSelectionOptions{toFullRowSelect});
    tree.OnInitNode = [](TBaseLazyTree *, PLazyNode, PLazyNode, TLazyNodeInitStates &S) {
        S.Include(TLazyNodeInitState::ivsSelected);
    };
    tree.SetRootNodeCount(1);
    const QImage selected = Render(tree, 100, 18, AllParts);
    const QRgb unfocused = Rgb(tree.Colors().Get(TLTColors::UnfocusedSelectionColor));
    EXPECT_EQ(selected.pixel(60, 9), unfocused);
    EXPECT_NE(Render(tree, 100, 18, AllParts - TLTInternalPaintOptions{poDrawSelection}).pixel(60, 9), unfocused);
    tree.TreeOptions().SetPaintOptions(tree.TreeOptions().PaintOptions() + TLTPaintOptions{toAlwaysHideSelection});
    EXPECT_NE(Render(tree, 100, 18).pixel(60, 9), unfocused);
}

TEST(LazyTreePaint, NestedPaintingAndTheEmptyListMessage)
{
    TLazyStringTree tree;
    int nested = 0;
    tree.OnBeforePaint = [&](TBaseLazyTree *Sender, TCanvas *) {
        QImage inner(10, 10, QImage::Format_ARGB32);
        inner.fill(Qt::magenta);
        {
            TCanvas canvas(&inner);
            Sender->PaintTree(canvas, TRect(0, 0, 10, 10), TPoint(), AllParts);
        }
        nested += inner.pixel(5, 5) == QColor(Qt::magenta).rgb();
    };
    const QImage empty = Render(tree, 100, 40);
    EXPECT_EQ(nested, 1);
    tree.OnBeforePaint = nullptr;
    for (int x = 0; x < 100; ++x)
        ASSERT_EQ(empty.pixel(x, 8), Rgb(tree.Colors().BackGroundColor()));
    tree.SetEmptyListMessage(QStringLiteral("No meters"));
    const QImage message = Render(tree, 100, 40);
    bool grey = false;
    for (int x = 2; x < 60 && !grey; ++x)
        for (int y = 2; y < 18 && !grey; ++y)
            grey = message.pixel(x, y) != Rgb(tree.Colors().BackGroundColor());
    EXPECT_TRUE(grey);
    EXPECT_EQ(message.pixel(1, 1), Rgb(tree.Colors().BackGroundColor()));
}

// The window paints its visible rows through the same pipeline, scrolled by the offsets.
TEST(LazyTreePaint, TheWindowPaintsTheScrolledRows)
{
    TLazyStringTree tree;
    std::vector<PLazyNode> asked;
    tree.OnGetText = [&](TBaseLazyTree *, PLazyNode Node, TColumnIndex, TLSTTextType Type, QString &Text) {
        if (Type == ttNormal)
            asked.push_back(Node);
        Text = QStringLiteral("Row");
    };
    tree.SetRootNodeCount(1000);
    ShowWithClient(tree, 200, 100);
    tree.SetOffsetY(-18 * 500);
    asked.clear();
    const QImage shot = tree.viewport()->grab().toImage();
    EXPECT_EQ(shot.size(), QSize(200, 100));
    // Only the rows in the window were painted (a paint never walks nodes outside it).
    ASSERT_FALSE(asked.empty());
    for (PLazyNode node : asked) {
        EXPECT_GE(node->Index, 500u);
        EXPECT_LE(node->Index, 506u);
    }
}

TEST(LazyTreePaint, ItemEventsShapeTheRow)
{
    TLazyStringTree tree;
    tree.SetRootNodeCount(3);
    std::vector<int> textRows, afterRows;
    tree.OnGetText = [&](TBaseLazyTree *, PLazyNode Node, TColumnIndex, TLSTTextType Type, QString &Text) {
        if (Type == ttNormal)
            textRows.push_back(int(Node->Index));
        Text = QStringLiteral("Row");
    };
    tree.OnBeforeItemErase = [](TBaseLazyTree *, TCanvas *, PLazyNode Node, TRect, TColor &Color,
                                TItemEraseAction &Action) {
        if (Node->Index == 0) {
            Color = clRed;
            Action = TItemEraseAction::eaColor;
        }
    };
    tree.OnBeforeItemPaint = [](TBaseLazyTree *, TCanvas *, PLazyNode Node, TRect, bool &CustomDraw) {
        CustomDraw = Node->Index == 1;
    };
    tree.OnAfterItemPaint = [&](TBaseLazyTree *, TCanvas *, PLazyNode Node, TRect) {
        afterRows.push_back(int(Node->Index));
    };
    const QImage image = Render(tree, 120, 54);
    EXPECT_EQ(image.pixel(110, 5), Rgb(clRed));   // the erase colour fills the row
    // The row the application draws itself gets neither texts nor the closing event.
    EXPECT_EQ(afterRows, (std::vector<int>{0, 2}));
    EXPECT_EQ(std::count(textRows.begin(), textRows.end(), 1), 0);
    EXPECT_GT(std::count(textRows.begin(), textRows.end(), 2), 0);
}

TEST(LazyTreePaint, HandlerErrorLeavesThePaintingState)
{
    TLazyStringTree tree;
    tree.SetRootNodeCount(2);
    tree.OnBeforeItemPaint = [](TBaseLazyTree *, TCanvas *, PLazyNode, TRect, bool &) {
        throw std::runtime_error("handler");
    };
    EXPECT_THROW(Render(tree, 60, 36), std::runtime_error);
    EXPECT_FALSE(tree.TreeStates().Contains(tsPainting));
    tree.OnBeforeItemPaint = nullptr;
    const QImage again = Render(tree, 60, 36);   // the next paint runs normally
    EXPECT_NE(again.pixel(50, 5), qRgb(255, 0, 255));
}

TEST(LazyTreePaint, DropMarkOnlyBetweenRows)
{
    TLazyStringTree tree;
    tree.SetRootNodeCount(2);
    tree.Colors().Set(TLTColors::DropMarkColor, clRed);
    tree.SetDropTargetNode(tree.GetFirst());
    struct Case
    {
        TLTDropMode Mode;
        int MarkedY;   // a row pixel inside the mark, or -1
    };
    for (const Case &c : {Case{TLTDropMode::dmAbove, 1}, Case{TLTDropMode::dmBelow, 16},
                          Case{TLTDropMode::dmOnNode, -1}, Case{TLTDropMode::dmNowhere, -1}}) {
        SCOPED_TRACE(int(c.Mode));
        tree.SetLastDropMode(c.Mode);
        const QImage image = Render(tree, 100, 36);
        int marked = 0;
        for (int y = 0; y < 18; ++y)
            marked += image.pixel(50, y) == Rgb(clRed);
        EXPECT_EQ(marked > 0, c.MarkedY >= 0);
        if (c.MarkedY >= 0) {
            EXPECT_EQ(image.pixel(50, c.MarkedY), Rgb(clRed));
        }
        EXPECT_NE(image.pixel(50, 19), Rgb(clRed));   // the other row has none
    }
}

namespace {

class TPartsTree : public TLazyStringTree
{
public:
    using TLazyStringTree::TLazyStringTree;
    ~TPartsTree() override
    {
        OnGetText = nullptr;
        OnInitNode = nullptr;
        OnInitChildren = nullptr;
    }
    using TBaseLazyTree::CheckImageIndex;
    using TBaseLazyTree::LineImageAndSelectLevel;
    using TBaseLazyTree::ButtonWidth;
    using TBaseLazyTree::RebuildPaintResources;
    using TBaseLazyTree::HotTrack;
};

// Whether the region (X, Y, W, H) of A equals B from its top-left corner; the first
// difference is reported.
bool SameRegion(const QImage &A, const QImage &B, int X, int Y, int W, int H)
{
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            if (A.pixel(X + x, Y + y) != B.pixel(x, y)) {
                ADD_FAILURE() << "differs at " << X + x << ", " << Y + y;
                return false;
            }
    return true;
}

// Renders the content rectangle Window with its corner at the image's (0, 0).
QImage RenderWindow(TBaseLazyTree &Tree, TRect Window, TLTInternalPaintOptions Options = AllParts)
{
    QImage image(Window.Width(), Window.Height(), QImage::Format_ARGB32);
    image.fill(Qt::magenta);
    {
        TCanvas canvas(&image);
        Tree.PaintTree(canvas, Window, TPoint(0, 0), Options);
    }
    return image;
}

}   // namespace

// A window that starts inside a row or at an odd X repaints that whole row, and the dots
// of every line stay where the full paint put them.
TEST(LazyTreePaint, PartialRepaintsMatchTheFullPaint)
{
    TPartsTree tree;
    tree.SetDefaultNodeHeight(17);
    tree.OnInitChildren = [](TBaseLazyTree *, PLazyNode, uint32_t &Count) { Count = 2; };
    tree.OnInitNode = [](TBaseLazyTree *, PLazyNode Parent, PLazyNode, TLazyNodeInitStates &States) {
        if (!Parent)
            States = TLazyNodeInitStates{ivsHasChildren, ivsExpanded};
    };
    tree.SetRootNodeCount(3);
    const QImage full = RenderWindow(tree, TRect(0, 0, 120, 150));
    std::vector<int> firstRows;
    tree.OnBeforeItemPaint = [&](TBaseLazyTree *, TCanvas *, PLazyNode Node, TRect, bool &) {
        firstRows.push_back(int(tree.AbsoluteIndex(Node)));
    };
    for (TRect window : {TRect(0, 9, 120, 60), TRect(1, 5, 50, 100), TRect(3, 20, 47, 33), TRect(0, 0, 120, 150)}) {
        SCOPED_TRACE(window.Left * 1000 + window.Top);
        firstRows.clear();
        const QImage part = RenderWindow(tree, window);
        EXPECT_TRUE(SameRegion(full, part, window.Left, window.Top, window.Width(), window.Height()));
        ASSERT_FALSE(firstRows.empty());
        EXPECT_EQ(firstRows.front(), window.Top / 17);   // the row the window starts in
    }
}

// Painting straight onto the target gives the pixels of the row buffer, wherever the target
// point lies, and leaves the target outside the window alone.
TEST(LazyTreePaint, UnbufferedPaintsTheSame)
{
    TPartsTree tree;
    tree.TreeOptions().SetSelectionOptions(TLTSelectionOptions{toFullRowSelect});
    tree.Header().Columns().Add().SetWidth(70);
    tree.Header().Columns().Add().SetWidth(70);
    tree.Header().Columns()[1].SetColor(clYellow);
    tree.OnGetText = [](TBaseLazyTree *, PLazyNode, TColumnIndex Column, TLSTTextType, QString &Text) {
        Text = QStringLiteral("Cell %1").arg(Column);
    };
    tree.SetDefaultNodeHeight(17);
    tree.SetRootNodeCount(3);
    tree.SetSelected(tree.GetFirst()->NextSibling, true);
    for (TRect window : {TRect(0, 0, 150, 80), TRect(3, 9, 130, 70)}) {
        SCOPED_TRACE(window.Top);
        QImage buffered(200, 120, QImage::Format_ARGB32), direct(200, 120, QImage::Format_ARGB32);
        buffered.fill(Qt::magenta);
        direct.fill(Qt::magenta);
        for (auto [image, options] : {std::pair{&buffered, AllParts}, std::pair{&direct, AllParts + TLTInternalPaintOptions{poUnbuffered}}}) {
            TCanvas canvas(image);
            tree.PaintTree(canvas, window, TPoint(20, 10), options);
        }
        EXPECT_TRUE(SameRegion(buffered, direct, 0, 0, 200, 120));
        for (const QImage *image : {&buffered, &direct}) {
            EXPECT_EQ(image->pixel(19, 30), qRgb(255, 0, 255));
            EXPECT_EQ(image->pixel(50, 9), qRgb(255, 0, 255));   // the first row began above
            EXPECT_EQ(image->pixel(20 + window.Width(), 30), qRgb(255, 0, 255));
            EXPECT_EQ(image->pixel(50, 10 + window.Height()), qRgb(255, 0, 255));
            EXPECT_NE(image->pixel(50, 10), qRgb(255, 0, 255));
        }
    }
}

TEST(LazyTreePaint, LineImagesOfACollapsedLastChild)
{
    using enum TLTLineType;
    struct Case
    {
        const char *Name;
        bool TopHasNext, ParentHasNext;
        TLTLineImage Expected;
    };
    const Case cases[] = {
        {"alone", false, false, {ltNone, ltNone, ltTopRight}},
        {"top level continues", true, false, {ltTopDown, ltNone, ltTopRight}},
        {"parent continues", false, true, {ltNone, ltTopDown, ltTopRight}},
        {"both continue", true, true, {ltTopDown, ltTopDown, ltTopRight}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.Name);
        TPartsTree tree;
        PLazyNode top = tree.AddChild(nullptr);
        PLazyNode parent = tree.AddChild(top);
        tree.AddChild(parent);
        PLazyNode last = tree.AddChild(parent);
        tree.AddChild(last);   // it has children, but stays collapsed
        if (c.ParentHasNext)
            tree.AddChild(top);
        if (c.TopHasNext)
            tree.AddChild(nullptr);
        TLTLineImage image;
        EXPECT_EQ(tree.LineImageAndSelectLevel(last, image), 0);
        EXPECT_EQ(image, c.Expected);
    }
    // The only visible top-level node: a stub; without toShowRoot a top-level node has no entry.
    TPartsTree tree;
    PLazyNode only = tree.AddChild(nullptr);
    TLTLineImage image;
    tree.LineImageAndSelectLevel(only, image);
    EXPECT_EQ(image, (TLTLineImage{ltRight}));
    tree.TreeOptions().SetPaintOptions(tree.TreeOptions().PaintOptions() - TLTPaintOptions{toShowRoot});
    tree.LineImageAndSelectLevel(only, image);
    EXPECT_TRUE(image.empty());
}

TEST(LazyTreePaint, TransparentButtonsShowTheRowBackground)
{
    TPartsTree tree;
    tree.OnInitNode = [](TBaseLazyTree *, PLazyNode, PLazyNode, TLazyNodeInitStates &States) {
        States.Include(ivsHasChildren);
    };
    tree.OnBeforeItemErase = [](TBaseLazyTree *, TCanvas *, PLazyNode, TRect, TColor &Color, TItemEraseAction &Action) {
        Color = clRed;
        Action = TItemEraseAction::eaColor;
    };
    tree.SetRootNodeCount(1);
    // The button's inside, off its bars: (2, 2) of the 9 x 9 picture at (5, 4).
    const int x = 5 + 2, y = 4 + 2;
    EXPECT_EQ(Render(tree, 60, 18).pixel(x, y), Rgb(tree.Colors().BackGroundColor()));
    tree.SetButtonFillMode(TLTButtonFillMode::fmTransparent);
    const QImage transparent = Render(tree, 60, 18);
    EXPECT_EQ(transparent.pixel(x, y), Rgb(clRed));
    EXPECT_EQ(transparent.pixel(5, 6), Rgb(tree.Colors().Get(TLTColors::TreeLineColor)));   // the frame
}

TEST(LazyTreePaint, CheckImageIndexes)
{
    using enum TCheckType;
    using enum TCheckState;
    struct Case
    {
        TCheckType Type;
        TCheckState State;
        int Normal, Hot, Disabled;   // the tree enabled and the node not hot, hot, the node disabled
    };
    const Case cases[] = {
        {ctCheckBox, csUncheckedNormal, 9, 10, 12},      {ctCheckBox, csUncheckedPressed, 11, 11, 12},
        {ctCheckBox, csCheckedNormal, 13, 14, 16},       {ctCheckBox, csCheckedPressed, 15, 15, 16},
        {ctCheckBox, csMixedNormal, 17, 18, 20},         {ctCheckBox, csMixedPressed, 19, 19, 20},
        {ctTriStateCheckBox, csCheckedNormal, 13, 14, 16}, {ctRadioButton, csUncheckedNormal, 1, 2, 4},
        {ctRadioButton, csUncheckedPressed, 3, 3, 4},    {ctRadioButton, csCheckedNormal, 5, 6, 8},
        {ctRadioButton, csCheckedPressed, 7, 7, 8},      {ctRadioButton, csMixedNormal, 17, 18, 20},
        {ctButton, csUncheckedNormal, 21, 22, 24},       {ctButton, csCheckedNormal, 21, 22, 24},
        {ctButton, csCheckedPressed, 23, 23, 24},        {ctButton, csMixedPressed, 19, 19, 20},
        {ctNone, csCheckedNormal, -1, -1, -1},
        // A disabled state is its enabled state drawn disabled, hot or not.
        {ctCheckBox, csCheckedDisabled, 16, 16, 16},     {ctCheckBox, csUncheckedDisabled, 12, 12, 12},
        {ctRadioButton, csCheckedDisabled, 8, 8, 8},     {ctCheckBox, csMixedDisabled, 20, 20, 20},
    };
    // Full-row selection makes a row hot wherever the mouse is on it.
    TPartsTree tree;
    tree.TreeOptions().SetSelectionOptions(TLTSelectionOptions{toFullRowSelect});
    PLazyNode node = tree.AddChild(nullptr);
    ShowWithClient(tree, 100, 40);
    for (const Case &c : cases) {
        SCOPED_TRACE(int(c.Type) * 100 + int(c.State));
        node->CheckType = c.Type;
        node->CheckState = c.State;
        tree.HotTrack(50, 30);
        ASSERT_EQ(tree.HotNode(), nullptr);
        EXPECT_EQ(tree.CheckImageIndex(node), c.Normal);
        tree.HotTrack(50, 9);
        ASSERT_EQ(tree.HotNode(), node);
        EXPECT_EQ(tree.CheckImageIndex(node), c.Hot);
        node->States.Include(vsDisabled);
        EXPECT_EQ(tree.CheckImageIndex(node), c.Disabled);
        node->States.Exclude(vsDisabled);
    }
}

TEST(LazyTreePaint, ColourDefaults)
{
    TPartsTree tree;
    const TColor expected[17] = {clBtnShadow, clHighlight, clHighlight, clHighlight, clBtnFace,  clBtnShadow,
                                 clBtnFace,   clBtnFace,   clWindowText, clHighlight, clBtnFace, clHighlight,
                                 clHighlight, clHighlight, clBtnShadow, clHighlightText, clBtnFace};
    for (int i = 0; i < 17; ++i)
        EXPECT_EQ(tree.Colors().Get(TLTColors::TIndex(i)), expected[i]) << i;
}

// The rectangle buttons are framed in the tree line colour: a change at run time redraws them.
TEST(LazyTreePaint, TreeLineColourChangeRebuildsTheButtons)
{
    TPartsTree tree;
    tree.OnInitNode = [](TBaseLazyTree *, PLazyNode, PLazyNode, TLazyNodeInitStates &States) {
        States.Include(ivsHasChildren);
    };
    tree.SetRootNodeCount(1);
    ShowWithClient(tree, 100, 40);
    tree.Colors().Set(TLTColors::TreeLineColor, clRed);
    EXPECT_EQ(Render(tree, 60, 18).pixel(5, 4), Rgb(clRed));   // the frame's top-left corner
    tree.Colors().Set(TLTColors::TreeLineColor, clLime);
    EXPECT_EQ(Render(tree, 60, 18).pixel(5, 4), Rgb(clLime));
}

TEST(LazyTreePaint, SelectedOnlyPaintsSelectedNodesAndTheirDescendants)
{
    struct Case
    {
        bool ChildrenAbove;
        std::vector<bool> Painted;   // rows in display order
    };
    // Display order: A, A.0, B (children below) or A.0, A, B (children above); A is selected.
    for (const Case &c : {Case{false, {true, true, false}}, Case{true, {true, false, false}}}) {
        SCOPED_TRACE(c.ChildrenAbove);
        TPartsTree tree;
        if (c.ChildrenAbove)
            tree.TreeOptions().SetPaintOptions(tree.TreeOptions().PaintOptions() + TLTPaintOptions{toChildrenAbove});
        PLazyNode a = tree.AddChild(nullptr);
        tree.AddChild(a);
        tree.AddChild(nullptr);
        tree.SetExpanded(a, true);
        tree.SetSelected(a, true);
        const QImage image = Render(tree, 60, 54, AllParts + TLTInternalPaintOptions{poSelectedOnly});
        for (int row = 0; row < 3; ++row)
            EXPECT_EQ(image.pixel(55, row * 18 + 9) != qRgb(255, 0, 255), c.Painted[size_t(row)]) << row;
    }
}

TEST(LazyTreePaint, HiddenSelection)
{
    TPartsTree tree;
    tree.TreeOptions().SetSelectionOptions(TLTSelectionOptions{toFullRowSelect});
    tree.SetRootNodeCount(1);
    tree.SetSelected(tree.GetFirst(), true);
    const QRgb unfocused = Rgb(tree.Colors().Get(TLTColors::UnfocusedSelectionColor));
    EXPECT_EQ(Render(tree, 100, 18).pixel(60, 9), unfocused);
    tree.TreeOptions().SetPaintOptions(tree.TreeOptions().PaintOptions() + TLTPaintOptions{toHideSelection});
    EXPECT_EQ(Render(tree, 100, 18).pixel(60, 9), Rgb(tree.Colors().BackGroundColor()));   // not focused
}

TEST(LazyTreePaint, EmptyListMessageIsGreyAndWrapped)
{
    TPartsTree tree;
    tree.resize(90, 100);
    tree.SetEmptyListMessage(QStringLiteral("No meters were found on the bus"));
    const QImage image = Render(tree, 90, 100);
    const QRgb background = Rgb(tree.Colors().BackGroundColor());
    int top = 100, left = 90, bottom = -1;
    bool grey = false;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 90; ++x)
            if (image.pixel(x, y) != background) {
                top = std::min(top, y);
                left = std::min(left, x);
                bottom = std::max(bottom, y);
                const QColor c = image.pixelColor(x, y);
                grey = grey || (c == ToQColor(clGrayText));
            }
    EXPECT_GE(top, 2);
    EXPECT_GE(left, 2);
    EXPECT_LE(left, 4);
    EXPECT_TRUE(grey);
    EXPECT_GT(bottom - top, QFontMetrics(tree.font()).height());   // more than one line
    tree.SetEmptyListMessage(QString());
    const QImage none = Render(tree, 90, 100);
    for (int y = 0; y < 100; y += 3)
        for (int x = 0; x < 90; x += 3)
            ASSERT_EQ(none.pixel(x, y), background);
}

// A row that erases nothing keeps what its buffer held: cleared after a change of the row
// height, else the row before.
TEST(LazyTreePaint, RowsThatEraseNothingKeepTheBuffer)
{
    TPartsTree tree;
    tree.SetRootNodeCount(3);
    tree.SetNodeHeight(tree.GetFirst()->NextSibling->NextSibling, 20);
    tree.OnBeforeItemErase = [](TBaseLazyTree *, TCanvas *, PLazyNode Node, TRect, TColor &Color,
                                TItemEraseAction &Action) {
        Color = clRed;
        Action = Node->Index == 0 ? TItemEraseAction::eaColor : TItemEraseAction::eaNone;
    };
    const QImage image = Render(tree, 100, 56);
    EXPECT_EQ(image.pixel(90, 9), Rgb(clRed));
    EXPECT_EQ(image.pixel(90, 27), Rgb(clRed));      // the same height: the first row's pixels
    EXPECT_EQ(image.pixel(90, 45), Rgb(tree.Colors().BackGroundColor()));   // a new height: a cleared buffer
}

// Columns: no vertical grid line where a cell ends on the client edge; below the last row
// the column colours and (with toFullVertGridLines) the grid lines go on to the bottom.
TEST(LazyTreePaint, ColumnsGridLinesAndTheAreaBelow)
{
    TPartsTree tree;
    TLazyTreeColumns &columns = tree.Header().Columns();
    columns.Add().SetWidth(60);
    columns.Add().SetWidth(60);
    columns[1].SetColor(clYellow);
    tree.TreeOptions().SetPaintOptions(tree.TreeOptions().PaintOptions() +
                                       TLTPaintOptions{toShowVertGridLines, toFullVertGridLines});
    tree.Colors().Set(TLTColors::GridLineColor, clBlue);
    tree.SetLineStyle(TLTLineStyle::lsSolid);
    tree.SetRootNodeCount(2);
    ShowWithClient(tree, 120, 80);
    const QImage image = Render(tree, 120, 80);
    auto column = [&](int X, int From, int To) { return LinePixels(image, X, From, To, clBlue); };
    EXPECT_EQ(column(59, 0, 80), std::vector<bool>(80, true));     // between the columns, rows and below
    EXPECT_EQ(column(119, 0, 36), std::vector<bool>(36, false));   // the cell ends on the client edge
    EXPECT_EQ(image.pixel(90, 9), Rgb(clYellow));
    EXPECT_EQ(image.pixel(90, 60), Rgb(clYellow));   // the column's band below the last row
    EXPECT_EQ(image.pixel(30, 60), Rgb(tree.Colors().BackGroundColor()));
    // Without toFullVertGridLines the lines stop with the rows.
    tree.TreeOptions().SetPaintOptions(tree.TreeOptions().PaintOptions() - TLTPaintOptions{toFullVertGridLines});
    const QImage rowsOnly = Render(tree, 120, 80);
    EXPECT_EQ(LinePixels(rowsOnly, 59, 0, 36, clBlue), std::vector<bool>(36, true));
    EXPECT_EQ(LinePixels(rowsOnly, 59, 36, 80, clBlue), std::vector<bool>(44, false));
    EXPECT_EQ(rowsOnly.pixel(90, 60), Rgb(clYellow));
}

// OnBeforeItemPaint's own drawing replaces the row, but the mouse selection band is still
// drawn over it.
TEST(LazyTreePaint, CustomDrawnRowsStillShowTheSelectionBand)
{
    TPartsTree tree;
    tree.TreeOptions().SetSelectionOptions(TLTSelectionOptions{toMultiSelect});
    tree.SetRootNodeCount(3);
    ShowWithClient(tree, 200, 80);
    tree.Colors().Set(TLTColors::SelectionRectangleBlendColor, clBlue);
    tree.Colors().Set(TLTColors::SelectionRectangleBorderColor, clBlue);
    tree.SetSelectionBlendFactor(255);
    tree.SetDrawSelectionMode(TLTDrawSelectionMode::smBlendedRectangle);
    tree.OnBeforeItemPaint = [](TBaseLazyTree *, TCanvas *Canvas, PLazyNode, TRect R, bool &CustomDraw) {
        Canvas->Painter()->fillRect(R.ToQRect(), Qt::green);
        CustomDraw = true;
    };
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(150, 75), QPointF(150, 75), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(tree.viewport(), &press);
    QMouseEvent move(QEvent::MouseMove, QPointF(190, 10), QPointF(190, 10), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(tree.viewport(), &move);
    ASSERT_TRUE(tree.TreeStates().Contains(tsDrawSelecting));
    const QImage image = Render(tree, 200, 80);
    EXPECT_EQ(image.pixel(100, 30), qRgb(0, 255, 0));   // the application's row
    EXPECT_EQ(image.pixel(170, 30), Rgb(clBlue));        // the band over it
    EXPECT_EQ(image.pixel(170, 65), Rgb(clBlue));        // and below the last row
}

// The print of the window: selection, focus and grid lines, no column colours.
TEST(LazyTreePaint, PrintShowsNoColumnColours)
{
    TPartsTree tree;
    TLazyTreeColumns &columns = tree.Header().Columns();
    columns.Add().SetWidth(80);
    columns.Add().SetWidth(80);
    columns[1].SetColor(clYellow);
    tree.TreeOptions().SetSelectionOptions(TLTSelectionOptions{toFullRowSelect});
    tree.TreeOptions().SetPaintOptions(tree.TreeOptions().PaintOptions() + TLTPaintOptions{toShowHorzGridLines});
    tree.Colors().Set(TLTColors::GridLineColor, clBlue);
    tree.SetLineStyle(TLTLineStyle::lsSolid);
    tree.SetRootNodeCount(3);
    ShowWithClient(tree, 200, 80);
    tree.SetSelected(tree.GetFirst(), true);
    const QImage screen = tree.viewport()->grab().toImage();
    EXPECT_EQ(screen.pixel(120, 27), Rgb(clYellow));
    QImage print(tree.size(), QImage::Format_ARGB32);
    print.fill(Qt::magenta);
    tree.PrintWindow(&print);
    const QPoint origin = tree.viewport()->mapTo(&tree, QPoint(0, 0));
    auto at = [&](int X, int Y) { return print.pixel(origin.x() + X, origin.y() + Y); };
    EXPECT_EQ(at(120, 27), Rgb(tree.Colors().BackGroundColor()));
    EXPECT_EQ(at(120, 9), Rgb(tree.Colors().Get(TLTColors::UnfocusedSelectionColor)));
    EXPECT_EQ(at(120, 35), Rgb(clBlue));
    tree.hide();
    print.fill(Qt::magenta);
    tree.PrintWindow(&print, true);
    EXPECT_EQ(at(120, 27), qRgb(255, 0, 255));
}

namespace {

// The columns' first ink pixel from the left and the last from the right in row Y.
std::pair<int, int> InkSpan(const QImage &Image, int From, int To, int Y0, int Y1, QRgb Background)
{
    int first = To, last = From - 1;
    for (int y = Y0; y < Y1; ++y)
        for (int x = From; x < To; ++x)
            if (Image.pixel(x, y) != Background) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    return {first, last};
}

}   // namespace

// A caption too wide for its column is shortened; a centred one is then drawn from the
// left, a right-aligned one stays on the right. A narrow centred caption stays centred.
TEST(LazyTreePaint, ShortenedCaptionsAndTheirAlignment)
{
    struct Case
    {
        TLTAlignment Alignment;
        QString Caption;
        bool Shortened;
        int Side;   // -1 ink starts at the text rectangle's left, 1 ends at its right, 0 centred
    };
    const QString longCaption = QStringLiteral("Electricity meter on the third floor");
    const Case cases[] = {
        {TLTAlignment::taCenter, longCaption, true, -1},
        {TLTAlignment::taRightJustify, longCaption, true, 1},
        {TLTAlignment::taLeftJustify, longCaption, true, -1},
        {TLTAlignment::taCenter, QStringLiteral("Gas"), false, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.Caption.toStdString() + " " + std::to_string(int(c.Alignment)));
        TPartsTree tree;
        tree.TreeOptions().SetPaintOptions(tree.TreeOptions().PaintOptions() - TLTPaintOptions{toShowTreeLines});
        tree.Header().Columns().Add().SetWidth(120);
        tree.Header().Columns()[0].SetAlignment(c.Alignment);
        tree.OnGetText = [&](TBaseLazyTree *, PLazyNode, TColumnIndex, TLSTTextType, QString &Text) {
            Text = c.Caption;
        };
        QString drawn;
        TRect rect;
        tree.OnDrawText = [&](TBaseLazyTree *, TCanvas *, PLazyNode, TColumnIndex, const QString &Text, TRect R,
                              bool &) {
            drawn = Text;
            rect = R;
        };
        tree.SetRootNodeCount(1);
        const QImage image = Render(tree, 140, 18);
        EXPECT_EQ(drawn.endsWith(QStringLiteral("...")), c.Shortened) << drawn.toStdString();
        const auto [first, last] = InkSpan(image, rect.Left, rect.Right, 0, 18, Rgb(tree.Colors().BackGroundColor()));
        ASSERT_LE(first, last);
        if (c.Side < 0)
            EXPECT_LE(first - rect.Left, 2);
        else if (c.Side > 0)
            EXPECT_LE(rect.Right - 1 - last, 2);
        else
            EXPECT_LE(std::abs((first - rect.Left) - (rect.Right - 1 - last)), 2);
    }
}

TEST(LazyTreePaint, AMultiLineNodeShorterThanItsCellIsCentred)
{
    TPartsTree tree;
    tree.OnGetText = [](TBaseLazyTree *, PLazyNode, TColumnIndex, TLSTTextType, QString &Text) {
        Text = QStringLiteral("Meter");
    };
    TRect rect;
    tree.OnDrawText = [&](TBaseLazyTree *, TCanvas *, PLazyNode, TColumnIndex, const QString &, TRect R, bool &) {
        rect = R;
    };
    PLazyNode node = tree.AddChild(nullptr);
    tree.SetMultiline(node, true);
    tree.SetNodeHeight(node, 60);
    const QImage image = Render(tree, 200, 60);
    const int textHeight = QFontMetrics(tree.font()).height();
    EXPECT_GT(rect.Top, 10);
    EXPECT_LE(std::abs(rect.Top - (60 - rect.Bottom)), 1);
    EXPECT_GE(rect.Height(), textHeight - 1);
    // The ink lies in the middle band.
    int top = 60, bottom = -1;
    for (int y = 0; y < 60; ++y)
        for (int x = rect.Left; x < std::min(rect.Right, image.width()); ++x)
            if (image.pixel(x, y) != Rgb(tree.Colors().BackGroundColor())) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    EXPECT_GE(top, rect.Top);
    EXPECT_LE(bottom, rect.Bottom);
}

// OnGetText: the normal then the static text, once each per painted cell.
TEST(LazyTreePaint, EachPaintedCellAsksForBothTexts)
{
    TPartsTree tree;
    std::vector<std::pair<int, TLSTTextType>> asked;
    tree.OnGetText = [&](TBaseLazyTree *, PLazyNode Node, TColumnIndex, TLSTTextType Type, QString &Text) {
        asked.push_back({int(Node->Index), Type});
        Text = QStringLiteral("Row");
    };
    tree.SetRootNodeCount(3);
    Render(tree, 100, 54);   // measures the widths once
    asked.clear();
    Render(tree, 100, 54);
    EXPECT_EQ(asked, (std::vector<std::pair<int, TLSTTextType>>{
                         {0, ttNormal}, {0, ttStatic}, {1, ttNormal}, {1, ttStatic}, {2, ttNormal}, {2, ttStatic}}));
}

// A selected node's image is blended only while the tree has the focus (or with
// toGhostedIfUnfocused), and not with full-row selection.
TEST(LazyTreePaint, SelectedImagesBlendWhileFocused)
{
    struct Case
    {
        bool Focus, Ghosted, FullRow, Blended;
    };
    const Case cases[] = {{false, false, false, false},
                          {true, false, false, true},
                          {false, true, false, true},
                          {true, false, true, false}};
    TLTImageList images;
    images.SetSize(16, 16);
    QImage glyph(16, 16, QImage::Format_ARGB32);
    glyph.fill(Qt::red);
    images.AddMasked(glyph, qRgb(1, 2, 3));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.Focus * 100 + c.Ghosted * 10 + c.FullRow);
        TPartsTree tree;
        tree.SetImages(&images);
        tree.OnGetImageIndexEx = [](TBaseLazyTree *, PLazyNode, TLTImageKind Kind, TColumnIndex, bool &, int &Index,
                                    TLTImageList *&) {
            if (Kind == TLTImageKind::ikNormal || Kind == TLTImageKind::ikSelected)
                Index = 0;
        };
        if (c.Ghosted)
            tree.TreeOptions().SetPaintOptions(tree.TreeOptions().PaintOptions() + TLTPaintOptions{toGhostedIfUnfocused});
        if (c.FullRow)
            tree.TreeOptions().SetSelectionOptions(TLTSelectionOptions{toFullRowSelect});
        tree.SetRootNodeCount(1);
        tree.SetSelected(tree.GetFirst(), true);
        if (c.Focus) {
            ShowWithClient(tree, 100, 40);
            QApplication::setActiveWindow(&tree);
            tree.setFocus();
            ASSERT_TRUE(tree.hasFocus());
        }
        const QImage image = Render(tree, 100, 18);
        const QColor pixel = image.pixelColor(18 + 4 - 1 + 8, 9);   // the image's middle
        EXPECT_EQ(pixel.red(), 255);
        EXPECT_EQ(pixel.green() > 60, c.Blended) << pixel.name().toStdString();
        tree.SetImages(nullptr);
    }
}

// The application's line pattern, line positions and button pictures.
TEST(LazyTreePaint, LineAndButtonEvents)
{
    TPartsTree tree;
    tree.SetRootNodeCount(3);
    const TColor line = tree.Colors().Get(TLTColors::TreeLineColor);
    tree.SetLineStyle(TLTLineStyle::lsSolid);
    const QImage solid = Render(tree, 60, 54);
    static const uint16_t none[8] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    static const uint16_t all[8] = {};
    const uint16_t *rows = all;
    tree.OnGetLineStyle = [&](TBaseLazyTree *, const uint16_t *&Bits) { Bits = rows; };
    tree.SetLineStyle(TLTLineStyle::lsCustomStyle);
    EXPECT_TRUE(SameRegion(solid, Render(tree, 60, 54), 0, 0, 60, 54));
    rows = none;
    tree.SetLineStyle(TLTLineStyle::lsSolid);
    tree.SetLineStyle(TLTLineStyle::lsCustomStyle);
    EXPECT_EQ(LinePixels(Render(tree, 60, 54), 9, 0, 54, line), std::vector<bool>(54, false));

    tree.SetLineStyle(TLTLineStyle::lsSolid);
    std::vector<int> levels;
    tree.OnBeforeDrawTreeLine = [&](TBaseLazyTree *, PLazyNode, int Level, int &PosX) {
        levels.push_back(Level);
        PosX += 5;
    };
    const QImage moved = Render(tree, 60, 54);
    EXPECT_EQ(levels, (std::vector<int>{0, 0, 0}));
    // Down to the last row's middle.
    EXPECT_EQ(LinePixels(moved, 9, 20, 45, line), std::vector<bool>(25, false));
    EXPECT_EQ(LinePixels(moved, 14, 20, 45, line), std::vector<bool>(25, true));
}

TEST(LazyTreePaint, PreparedAndHotButtons)
{
    TPartsTree tree;
    tree.TreeOptions().SetSelectionOptions(TLTSelectionOptions{toFullRowSelect});
    tree.OnInitNode = [](TBaseLazyTree *, PLazyNode, PLazyNode, TLazyNodeInitStates &States) {
        States.Include(ivsHasChildren);
    };
    tree.OnPrepareButtonBitmaps = [](TBaseLazyTree *, QImage &Plus, QImage &PlusHot, QImage &, QImage &Minus,
                                     QImage &, QImage &, QSize &Size) {
        Size = QSize(5, 5);
        Plus = QImage(5, 5, QImage::Format_ARGB32);
        Plus.fill(Qt::red);
        PlusHot = QImage(5, 5, QImage::Format_ARGB32);
        PlusHot.fill(Qt::blue);
        Minus = Plus;
    };
    tree.SetRootNodeCount(2);
    ShowWithClient(tree, 100, 60);
    tree.RebuildPaintResources(true, false);
    EXPECT_EQ(tree.ButtonWidth(), 5);
    // (18 - 5) / 2 rounded half to even, + 1; vertically centred on the row's middle.
    const QPoint button(7 + 2, 6 + 2);
    EXPECT_EQ(Render(tree, 100, 36).pixel(button), qRgb(255, 0, 0));
    tree.HotTrack(15, 9);   // the right end of the indentation counts as the button
    ASSERT_EQ(tree.HotNode(), tree.GetFirst());
    const QImage hot = Render(tree, 100, 36);
    EXPECT_EQ(hot.pixel(button), qRgb(0, 0, 255));
    EXPECT_EQ(hot.pixel(button + QPoint(0, 18)), qRgb(255, 0, 0));   // the other node is not hot
    tree.HotTrack(60, 9);   // on the row, off the button
    EXPECT_EQ(Render(tree, 100, 36).pixel(button), qRgb(255, 0, 0));
}

TEST(LazyTreePaint, SelectionCurveRadiusRoundsTheCorners)
{
    TPartsTree tree;
    tree.TreeOptions().SetSelectionOptions(TLTSelectionOptions{toFullRowSelect});
    tree.Colors().Set(TLTColors::UnfocusedSelectionColor, clRed);
    tree.Colors().Set(TLTColors::UnfocusedSelectionBorderColor, clRed);
    tree.SetRootNodeCount(1);
    tree.SetSelected(tree.GetFirst(), true);
    EXPECT_EQ(Render(tree, 100, 18).pixel(99, 0), Rgb(clRed));
    tree.SetSelectionCurveRadius(8);
    const QImage rounded = Render(tree, 100, 18);
    EXPECT_EQ(rounded.pixel(0, 0), Rgb(tree.Colors().BackGroundColor()));   // outside the curve
    EXPECT_EQ(rounded.pixel(50, 0), Rgb(clRed));
    EXPECT_EQ(rounded.pixel(50, 9), Rgb(clRed));
}

// The background picture: tiled from its offsets or once (static), behind the rows and
// below them, fixed to the window rather than to the content.
TEST(LazyTreePaint, BackgroundPicture)
{
    TPartsTree tree;
    tree.TreeOptions().SetPaintOptions(tree.TreeOptions().PaintOptions() - TLTPaintOptions{toShowTreeLines} +
                                       TLTPaintOptions{toShowBackground});
    QImage picture(4, 4, QImage::Format_ARGB32);
    picture.fill(Qt::blue);
    picture.setPixel(0, 0, qRgb(255, 0, 0));
    tree.SetBackground(picture);
    tree.SetRootNodeCount(2);
    const QImage tiled = Render(tree, 60, 60);
    for (QPoint p : {QPoint(40, 4), QPoint(44, 8), QPoint(40, 52)})   // in a row and below the rows
        EXPECT_EQ(tiled.pixel(p), qRgb(255, 0, 0)) << p.x() << "," << p.y();
    EXPECT_EQ(tiled.pixel(41, 4), qRgb(0, 0, 255));
    tree.SetBackgroundOffset(1, 2);
    EXPECT_EQ(Render(tree, 60, 60).pixel(43, 2), qRgb(255, 0, 0));
    // A window further down shows the picture where the window is, not where the content is.
    EXPECT_EQ(RenderWindow(tree, TRect(0, 1, 60, 61)).pixel(43, 2), qRgb(255, 0, 0));

    TLTPaintOptions options = tree.TreeOptions().PaintOptions();
    options.Include(toStaticBackground);
    tree.TreeOptions().SetPaintOptions(options);
    tree.SetBackgroundOffset(40, 20);
    const QImage once = Render(tree, 60, 60);
    EXPECT_EQ(once.pixel(40, 20), qRgb(255, 0, 0));
    EXPECT_EQ(once.pixel(43, 23), qRgb(0, 0, 255));
    EXPECT_EQ(once.pixel(44, 24), Rgb(tree.Color()));
    EXPECT_EQ(once.pixel(40, 4), Rgb(tree.Color()));
    // Without poBackground the colours stay.
    EXPECT_EQ(Render(tree, 60, 60, AllParts - TLTInternalPaintOptions{poBackground}).pixel(40, 20),
              Rgb(tree.Colors().BackGroundColor()));
}

// With toAutoSpanColumns a caption runs on over the empty cells after it.
TEST(LazyTreePaint, CaptionsSpanEmptyCells)
{
    for (bool span : {false, true}) {
        SCOPED_TRACE(span);
        TPartsTree tree;
        for (int i = 0; i < 3; ++i)
            tree.Header().Columns().Add().SetWidth(70);
        if (span)
            tree.TreeOptions().SetAutoOptions(tree.TreeOptions().AutoOptions() + TLTAutoOptions{toAutoSpanColumns});
        tree.OnGetText = [](TBaseLazyTree *, PLazyNode, TColumnIndex Column, TLSTTextType Type, QString &Text) {
            if (Type == ttNormal)
                Text = Column == 0 ? QStringLiteral("Water meter") : Column == 1 ? QString() : QStringLiteral("x");
        };
        std::map<TColumnIndex, QString> drawn;
        tree.OnDrawText = [&](TBaseLazyTree *, TCanvas *, PLazyNode, TColumnIndex Column, const QString &Text, TRect,
                              bool &) { drawn[Column] = Text; };
        tree.SetRootNodeCount(1);
        Render(tree, 210, 18);
        EXPECT_EQ(drawn[0] == QStringLiteral("Water meter"), span) << drawn[0].toStdString();
        EXPECT_EQ(drawn.count(1), 0u);   // an empty caption is never drawn
        EXPECT_EQ(drawn[2], QStringLiteral("x"));
    }
}

// Captions have a transparent background unless a paint-text handler leaves the canvas
// brush solid: then the text (and only the text) is backed by the brush colour.
TEST(LazyTreePaint, OpaqueCaptionBackgroundOnlyWhenAHandlerAsks)
{
    for (bool opaque : {false, true}) {
        SCOPED_TRACE(opaque);
        TPartsTree tree;
        tree.OnGetText = [](TBaseLazyTree *, PLazyNode, TColumnIndex, TLSTTextType Type, QString &Text) {
            Text = Type == ttNormal ? QStringLiteral("Wide caption") : QString();
        };
        tree.OnPaintText = [opaque](TBaseLazyTree *, TCanvas *Canvas, PLazyNode, TColumnIndex, TLSTTextType) {
            if (opaque) {
                Canvas->Brush.Style = bsSolid;
                Canvas->Brush.Color = clYellow;
            }
        };
        tree.SetRootNodeCount(1);
        const QImage image = Render(tree, 200, 36);
        int yellow = 0, yellowBelow = 0;
        for (int y = 0; y < 36; ++y)
            for (int x = 0; x < 200; ++x)
                if (image.pixel(x, y) == Rgb(clYellow))
                    ++(y < 18 ? yellow : yellowBelow);
        EXPECT_EQ(yellow > 100, opaque);
        EXPECT_EQ(yellowBelow, 0);
        // The text's own background does not reach the right end of the row.
        EXPECT_NE(image.pixel(195, 9), Rgb(clYellow));
    }
}
