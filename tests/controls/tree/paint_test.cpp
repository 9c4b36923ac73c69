// Painting rendered offscreen: tree lines, buttons, check boxes, images, texts, selection
// and the empty-list message, on a string tree set up as the scan window's.
#include "tree_fixture.h"

#include "controls/tree/lazystringtree.h"

#include <QImage>
#include <algorithm>
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
    const auto pixels = LinePixels(image, 9, 10, 60, line);
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
