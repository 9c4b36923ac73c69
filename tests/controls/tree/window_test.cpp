// The tree as a window: its border (frame, bevel and border ring) around the header and
// client, and scrolling under a background picture fixed to the window.
#include "input_fixture.h"

#include <QApplication>
#include <QPaintEvent>

using enum TLTBevelKind;
using enum TLTBevelCut;
using enum TLTBorderStyle;

namespace {

QRgb Rgb(TColor Color)
{
    return ToQColor(Color).rgb();
}

// Collects the regions the viewport is asked to paint.
class TPaintRegions : public QObject
{
public:
    QRegion Painted;
    bool eventFilter(QObject *, QEvent *Event) override
    {
        if (Event->type() == QEvent::Paint)
            Painted += static_cast<QPaintEvent *>(Event)->region();
        return false;
    }
};

}   // namespace

TEST(LazyTreeWindow, FrameStyleFollowsBorderStyleAndCtl3D)
{
    TInputTree tree;
    SetupScanTree(tree, {"a"});
    const int sunken = tree.frameWidth();
    EXPECT_GT(sunken, 0);
    tree.SetCtl3D(false);
    EXPECT_EQ(tree.frameWidth(), 1);
    tree.SetBorderStyle(bsNone);
    EXPECT_EQ(tree.frameWidth(), 0);
    EXPECT_EQ(tree.viewport()->geometry().topLeft(), QPoint(0, 0));
}

// The bevel and the ring lie inside the frame; the header and the client follow inside them.
TEST(LazyTreeWindow, BevelAndBorderRingInsetTheHeaderAndClient)
{
    struct Case {
        TLTBevelKind Kind;
        TLTBevelCut Inner, Outer;
        uint8_t Edges;
        int BevelWidth, BorderWidth;
        QMargins Insets;
    };
    const Case cases[] = {
        {bkNone, bvRaised, bvLowered, beLeft | beTop | beRight | beBottom, 1, 3, QMargins(3, 3, 3, 3)},
        {bkFlat, bvNone, bvLowered, beLeft | beTop, 2, 1, QMargins(3, 3, 1, 1)},
        {bkTile, bvRaised, bvLowered, beRight | beBottom, 1, 0, QMargins(0, 0, 2, 2)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(int(c.Kind) * 100 + c.BorderWidth);
        TInputTree tree;
        tree.Header().Columns().Add().SetWidth(80);
        tree.Header().SetOptions(tree.Header().Options() + TLTHeaderOptions{TLTHeaderOption::hoVisible});
        tree.SetBorderStyle(bsNone);
        tree.SetBevelKind(c.Kind);
        tree.SetBevelInner(c.Inner);
        tree.SetBevelOuter(c.Outer);
        tree.SetBevelEdges(c.Edges);
        tree.SetBevelWidth(c.BevelWidth);
        tree.SetBorderWidth(c.BorderWidth);
        SetupScanTree(tree, {"a", "b"});
        EXPECT_EQ(tree.NonClientInsets(), c.Insets);
        EXPECT_EQ(tree.HeaderRect().topLeft(), QPoint(c.Insets.left(), c.Insets.top()));
        EXPECT_EQ(tree.viewport()->geometry(),
                  tree.rect().marginsRemoved(c.Insets).adjusted(0, tree.Header().Height(), 0, 0));
    }
}

TEST(LazyTreeWindow, BorderRingAndBevelArePaintedInTheirColours)
{
    TInputTree tree;
    tree.SetBorderStyle(bsNone);
    tree.Colors().Set(TLTColors::BorderColor, 0x0000FF00);   // green
    tree.SetBevelKind(bkFlat);
    tree.SetBevelInner(bvNone);
    tree.SetBevelOuter(bvLowered);
    tree.SetBevelEdges(beLeft | beTop);
    tree.SetBevelWidth(2);
    tree.SetBorderWidth(2);
    SetupScanTree(tree, {"a"});
    const QImage shot = tree.grab().toImage();
    const int w = shot.width(), h = shot.height(), y = h / 2;
    const QRgb green = qRgb(0, 255, 0);
    EXPECT_EQ(shot.pixel(0, y), Rgb(clBtnShadow));    // the flat bevel line
    EXPECT_EQ(shot.pixel(1, y), Rgb(clBtnFace));      // the rest of the bevel
    EXPECT_EQ(shot.pixel(2, y), green);               // the ring
    EXPECT_EQ(shot.pixel(3, y), green);
    EXPECT_EQ(shot.pixel(4, y), qRgb(255, 255, 255)); // the client
    EXPECT_EQ(shot.pixel(w - 1, y), green);           // no bevel on the right
    EXPECT_EQ(shot.pixel(w - 3, y), qRgb(255, 255, 255));
    EXPECT_EQ(shot.pixel(w / 2, h - 2), green);

    // The ring follows the colour setting.
    tree.Colors().Set(TLTColors::BorderColor, 0x000000FF);
    EXPECT_EQ(tree.grab().toImage().pixel(2, y), qRgb(255, 0, 0));
}

// The picture stays where the window is: a scroll repaints the whole client instead of
// moving pixels that carry the picture with them.
TEST(LazyTreeWindow, ScrollingOverABackgroundPictureRepaintsTheClient)
{
    for (bool picture : {false, true}) {
        SCOPED_TRACE(picture);
        TInputTree tree;
        if (picture) {
            QImage image(8, 8, QImage::Format_ARGB32);
            image.fill(Qt::blue);
            tree.SetBackground(image);
            tree.TreeOptions().SetPaintOptions(tree.TreeOptions().PaintOptions() +
                                               TLTPaintOptions{TLTPaintOption::toShowBackground});
        }
        SetupScanTree(tree, NumberedNames(40, "n"), 0, 200, 180);
        QApplication::processEvents();
        TPaintRegions regions;
        tree.viewport()->installEventFilter(&regions);
        tree.SetOffsetY(-18);
        QApplication::processEvents();
        tree.viewport()->removeEventFilter(&regions);
        const QRect client = tree.viewport()->rect();
        if (picture)
            EXPECT_EQ(regions.Painted, QRegion(client));
        else
            EXPECT_FALSE(regions.Painted.isEmpty());
    }
}
