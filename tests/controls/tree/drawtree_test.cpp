// The draw tree: node widths and cell content from the application's events.
#include "tree_fixture.h"

#include "controls/tree/lazydrawtree.h"
#include "controls/tree/lazytreehintwindow.h"

#include <QApplication>

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

namespace {

class THintDrawTree : public TLazyDrawTree
{
public:
    QPoint CursorPos;
    QPoint GlobalCursorPos() const override { return CursorPos; }
    bool RestAt(QPoint P)
    {
        CursorPos = viewport()->mapToGlobal(P);
        return ShowHintAt(P);
    }
};

}   // namespace

TEST(LazyDrawTree, HintsAreOwnerDrawnUnlessTheKindSaysText)
{
    THintDrawTree tree;
    tree.SetRootNodeCount(2);
    tree.SetShowHint(true);
    tree.SetHintMode(TLTHintMode::hmHint);
    tree.SetHintAnimation(THintAnimationType::hatNone);
    tree.setToolTip(QStringLiteral("Node hint"));
    ShowWithClient(tree, 200, 60);
    QApplication::setActiveWindow(&tree);
    tree.setFocus();
    const PLazyNode node = tree.GetFirst();
    const TRect row = tree.GetDisplayRect(node, NoColumn, false);
    const QPoint p(row.Left + 2, (row.Top + row.Bottom) / 2);

    // Owner-drawn without a size: nothing to show.
    EXPECT_FALSE(tree.RestAt(p));

    std::vector<TRect> drawn;
    tree.OnGetHintSize = [&](TBaseLazyTree *, PLazyNode Node, TColumnIndex Column, TRect &R) {
        EXPECT_EQ(Node, node);
        EXPECT_EQ(Column, NoColumn);
        R = TRect(0, 0, 40, 20);
    };
    tree.OnDrawHint = [&](TBaseLazyTree *, TCanvas *Canvas, PLazyNode Node, TRect R, TColumnIndex) {
        EXPECT_EQ(Node, node);
        drawn.push_back(R);
        Canvas->Brush.Color = 0x0000FF;   // red
        Canvas->FillRect(R);
    };
    tree.CancelHint();
    ASSERT_TRUE(tree.RestAt(p));
    TLazyTreeHintWindow &w = *tree.HintWindow();
    EXPECT_EQ(w.size(), QSize(40, 20));
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0], TRect(0, 0, 40, 20));
    EXPECT_EQ(w.DrawBuffer().pixel(20, 10) & 0xFFFFFF, 0xFF0000u);

    // The application may ask for a text hint after all.
    tree.OnGetHintKind = [](TBaseLazyTree *, PLazyNode, TColumnIndex, TLTHintKind &Kind) {
        Kind = TLTHintKind::vhkText;
    };
    tree.CancelHint();
    const PLazyNode second = tree.GetNextSibling(node);
    const TRect row2 = tree.GetDisplayRect(second, NoColumn, false);
    ASSERT_TRUE(tree.RestAt(QPoint(row2.Left + 2, (row2.Top + row2.Bottom) / 2)));
    EXPECT_EQ(drawn.size(), 1u);
    EXPECT_EQ(w.HintData().HintText, "Node hint");
    EXPECT_NE(w.size(), QSize(40, 20));
    tree.OnGetHintKind = nullptr;
    tree.OnGetHintSize = nullptr;
    tree.OnDrawHint = nullptr;
}
