// The draw tree: node widths and cell content from the application's events.
#include "tree_fixture.h"

#include "controls/tree/lazydrawtree.h"

namespace {

QImage Render(TBaseLazyTree &Tree)
{
    QImage image(200, 60, QImage::Format_ARGB32);
    image.fill(Qt::white);
    {
        TCanvas canvas(&image);
        Tree.PaintTree(canvas, TRect(0, 0, 200, 60), TPoint(0, 0),
                       TLTInternalPaintOptions{TLTInternalPaintOption::poBackground,
                                               TLTInternalPaintOption::poDrawSelection});
    }
    return image;
}

int CountColour(const QImage &Image, QRgb Colour)
{
    int n = 0;
    for (int y = 0; y < Image.height(); ++y)
        for (int x = 0; x < Image.width(); ++x)
            n += (Image.pixel(x, y) & 0xFFFFFF) == (Colour & 0xFFFFFF);
    return n;
}

}   // namespace

TEST(LazyDrawTree, NodeWidthFromTheEvent)
{
    TLazyDrawTree tree;
    tree.SetRootNodeCount(2);
    ShowWithClient(tree, 200, 60);
    PLazyNode node = tree.GetFirst();
    EXPECT_EQ(tree.GetDisplayRect(node, NoColumn, true).Width(), 2 * tree.TextMargin());
    tree.OnGetNodeWidth = [](TBaseLazyTree *, TCanvas *Canvas, PLazyNode, TColumnIndex, int &Width) {
        EXPECT_NE(Canvas, nullptr);
        Width += 50;
    };
    EXPECT_EQ(tree.GetDisplayRect(node, NoColumn, true).Width(), 2 * tree.TextMargin() + 50);
    tree.OnGetNodeWidth = nullptr;
}

TEST(LazyDrawTree, ContentOnlyFromOnDrawNode)
{
    TLazyDrawTree tree;
    tree.TreeOptions().SetMiscOptions(tree.TreeOptions().MiscOptions() + TLTMiscOptions{toCheckSupport});
    tree.SetRootNodeCount(2);
    PLazyNode first = tree.GetFirst();
    tree.SetCheckType(first, TCheckType::ctCheckBox);
    tree.SetHasChildren(first, true);
    ShowWithClient(tree, 200, 60);
    const QImage plain = Render(tree);
    EXPECT_EQ(CountColour(plain, 0xFF0000), 0);
    // Lines, button and check box are there without a handler.
    EXPECT_GT(200 * 60 - CountColour(plain, 0xFFFFFF), 20);

    std::vector<PLazyNode> drawn;
    tree.OnDrawNode = [&](TBaseLazyTree *, const TLTPaintInfo &Info) {
        drawn.push_back(Info.Node);
        Info.Canvas->Brush.Color = 0x0000FF;   // red
        Info.Canvas->FillRect(Info.ContentRect);
    };
    const QImage painted = Render(tree);
    tree.OnDrawNode = nullptr;
    EXPECT_EQ(drawn, (std::vector<PLazyNode>{first, tree.GetNextSibling(first)}));
    EXPECT_GT(CountColour(painted, 0xFF0000), 0);
}
