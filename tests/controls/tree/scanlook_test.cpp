// The look of a string tree set up as the scan window sets its trees: dotted lines,
// rectangle buttons, check boxes, one image per level, multi-selection, no columns.
#include "input_fixture.h"

#include <QImage>

namespace {

QRgb Rgb(TColor Color)
{
    return ToQColor(Color).rgb();
}

// One plain 16 x 16 image per level: red for meters, green for their records.
struct TLevelImages
{
    TLTImageList List;
    TLevelImages()
    {
        List.SetSize(16, 16);
        for (QColor c : {QColor(Qt::red), QColor(Qt::green)}) {
            QImage glyph(16, 16, QImage::Format_ARGB32);
            glyph.fill(c);
            List.AddMasked(glyph, qRgb(1, 2, 3));
        }
    }
};

// Meters "m0".."m2" with three records each; the first meter expanded, two rows selected.
void SetupScanLook(TInputTree &Tree, TLevelImages &Images)
{
    SetupScanTree(Tree, {QStringLiteral("m0"), QStringLiteral("m1"), QStringLiteral("m2")}, 3, 300, 180);
    Tree.SetImages(&Images.List);
    Tree.OnGetImageIndexEx = [](TBaseLazyTree *Sender, PLazyNode Node, TLTImageKind Kind, TColumnIndex, bool &,
                                int &Index, TLTImageList *&) {
        if (Kind == TLTImageKind::ikNormal || Kind == TLTImageKind::ikSelected)
            Index = int(Sender->GetNodeLevel(Node));
    };
    Tree.SetExpanded(Tree.GetFirst(), true);
    Tree.SetSelected(Tree.GetFirst()->FirstChild, true);
    Tree.SetSelected(Tree.GetFirst()->NextSibling->NextSibling, true);
}

}   // namespace

TEST(LazyTreeScanLook, EveryPartInItsPlace)
{
    TInputTree tree;
    TLevelImages images;
    SetupScanLook(tree, images);
    EXPECT_FALSE(tree.Header().UseColumns());
    const QImage shot = tree.viewport()->grab().toImage();
    const TColor line = tree.Colors().Get(TLTColors::TreeLineColor);
    const int indent = int(tree.Indent()), margin = tree.Margin(), checkWidth = tree.CheckImages()->Width();

    // Meter row (0): the minus button framed in the line colour at ((18 - 9) / 2 + 1, 4).
    EXPECT_EQ(shot.pixel(5, 4), Rgb(line));
    EXPECT_EQ(shot.pixel(5 + 4, 4 + 4), Rgb(tree.Colors().NodeFontColor()));   // the minus bar
    EXPECT_NE(shot.pixel(5 + 4, 4 + 2), Rgb(tree.Colors().NodeFontColor()));   // no plus bar
    // Its check box right of the indentation, then its image.
    const int checkX = indent + margin - 1;
    const int imageX = checkX + checkWidth + 2;
    bool checkInk = false;
    for (int x = checkX; x < checkX + checkWidth; ++x)
        checkInk = checkInk || shot.pixel(x, 9) != Rgb(tree.Colors().BackGroundColor());
    EXPECT_TRUE(checkInk);
    EXPECT_EQ(shot.pixel(imageX + 8, 9), qRgb(255, 0, 0));

    // Record rows (1 to 3): the parent's dotted line at X + 9 of level 0 runs on to the next
    // meter; each record has its own stub at level 1 and the green record image.
    std::vector<bool> dots;
    for (int y = 18; y < 72; ++y)
        dots.push_back(shot.pixel(indent / 2, y) == Rgb(line));
    for (size_t i = 1; i < dots.size(); ++i)
        EXPECT_NE(dots[i], dots[i - 1]) << 18 + i;
    const int recordImageX = imageX + indent;
    EXPECT_EQ(shot.pixel(recordImageX + 8, 18 * 2 + 9), qRgb(0, 255, 0));   // an unselected record

    // Multi-selection: the selected record and the last meter show the focused selection
    // behind their captions, the others none.
    const QRgb selection = Rgb(tree.Colors().Get(TLTColors::FocusedSelectionColor));
    auto selectedRow = [&](int Row, int TextX) {
        int hits = 0;
        for (int x = TextX; x < TextX + 20; ++x)
            hits += shot.pixel(x, Row * 18 + 2) == selection;
        return hits > 10;
    };
    const int textX = imageX + 16 + 2;
    EXPECT_TRUE(selectedRow(1, textX + indent));
    EXPECT_FALSE(selectedRow(2, textX + indent));
    EXPECT_FALSE(selectedRow(0, textX));
    EXPECT_TRUE(selectedRow(5, textX));
    // A selected node's image is blended with the white row while the tree has the focus.
    ASSERT_TRUE(tree.hasFocus());
    const QColor blended = shot.pixelColor(recordImageX + 8, 18 + 9);
    EXPECT_NEAR(blended.red(), 127, 2);
    EXPECT_EQ(blended.green(), 255);
}
