#include "grid/base/cellshape.h"
#include "grid/base/drawroutines.h"
#include "grid/base/progress.h"
#include "paintutil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <iterator>

namespace {

constexpr TColor kDone = 0x00AA00, kDoneFont = 0x111111, kRest = 0xEEEEEE, kRestFont = 0x222222,
                 kBorder = 0x0000AA;

struct TPercentCase {
    double Value, Min, Max;
    const char *Format;
    const char *Text;   // nullptr: not checked
    int Fill;           // filled pixels of the 100-pixel bar
};

class PercentBar : public ::testing::TestWithParam<TPercentCase> {};

TEST_P(PercentBar, TextAndFilledPart)
{
    const TPercentCase c = GetParam();
    QImage img = BlankImage(104, 24);
    std::vector<TCanvasOp> ops;
    {
        TCanvas canvas(&img);
        canvas.Brush.Color = clWhite;
        canvas.SetRecorder(&ops);
        DrawPercentProgressBar(canvas, TRect(0, 0, 104, 24), kDone, kDoneFont, kRest, kRestFont,
                               c.Value, 2, 2, c.Min, c.Max, QString::fromLatin1(c.Format), kBorder,
                               false);
    }
    const auto texts = OpsNamed(ops, "TextRect");
    ASSERT_EQ(texts.size(), 2u);
    if (c.Text) {
        EXPECT_EQ(texts[0].Text, QString::fromLatin1(c.Text));
    }
    EXPECT_EQ(texts[0].Rect, TRect(2, 2, 2 + c.Fill, 22));
    EXPECT_EQ(texts[1].Rect, TRect(2 + c.Fill, 2, 102, 22));
    // The text is one text clipped into both parts.
    EXPECT_EQ(texts[0].Text, texts[1].Text);
    if (c.Fill > 0) {
        EXPECT_EQ(PixelAt(img, 2, 3), kDone);
    }
    if (c.Fill < 100) {
        EXPECT_EQ(PixelAt(img, 101, 3), kRest);
    }
    EXPECT_EQ(PixelAt(img, 1, 1), kBorder);   // border just outside the bar
    EXPECT_EQ(PixelAt(img, 0, 0), clWhite);   // then a ring in the background colour
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PercentBar,
    ::testing::Values(TPercentCase{42.5, 0, 100, "", "42%", 42},    // halves to even
                      TPercentCase{150, 0, 100, "", "150%", 100},   // above Max: full
                      TPercentCase{-20, 0, 100, "", "-20%", 0},
                      TPercentCase{150, 0, 100, "%d", "150", 100},
                      TPercentCase{5, 0, 20, "%d of 20", "5 of 20", 25},
                      TPercentCase{30, 20, 40, "%d", "30", 50},
                      TPercentCase{5, 3, 3, "%d", "5", 0},         // empty range: 0 %, no crash
                      // Values that are no number or beyond the integers paint, never throw.
                      TPercentCase{std::nan(""), 0, 100, "", "0%", 0},
                      TPercentCase{HUGE_VAL, 0, 100, "", "0%", 0},
                      TPercentCase{-1e300, 0, 100, "%d", "-2147483648", 0},
                      TPercentCase{1e300, 0, 100, "", "2147483647%", 100},
                      TPercentCase{50, 0, HUGE_VAL, "%d", "50", 0},
                      TPercentCase{50, -HUGE_VAL, HUGE_VAL, "%d", "50", 0}));

TEST(CenteredBar, GrowsFromTheMiddle)
{
    struct {
        int Value, Max;
        int From, To;   // filled columns, -1 for none
        TColor Color;
    } cases[] = {
        {-5, 10, 12, 22, clRed},    // 44 wide: 10 pixels left of the middle
        {5, 10, 22, 32, clBlue},
        {-50, 10, 2, 22, clRed},    // clamped to -Max
        {7, 0, -1, -1, clNone},     // no range: nothing, no crash
        {0, 10, -1, -1, clNone},
    };
    for (const auto &c : cases) {
        QImage img = BlankImage(44, 10);
        {
            TCanvas canvas(&img);
            DrawCenteredProgressBar(canvas, TRect(0, 0, 44, 10), c.Value, c.Max, clBlue, clRed, true);
        }
        for (int x = 0; x < 44; ++x) {
            const bool filled = x >= c.From && x < c.To;
            EXPECT_EQ(PixelAt(img, x, 5), filled ? c.Color : clWhite) << c.Value << " at " << x;
        }
        EXPECT_EQ(PixelAt(img, 22, 1), clWhite);   // shrunk by 2
    }
}

TEST(ProgressPie, FillsClockwiseFromTheTop)
{
    auto draw = [](int percent) {
        QImage img = BlankImage(41, 41);
        TCanvas canvas(&img);
        canvas.Brush.Color = clWhite;
        DrawProgressPie(canvas, TRect(0, 0, 41, 41), clBlue, percent, false);
        return img;
    };
    const QImage quarter = draw(25);
    EXPECT_EQ(PixelAt(quarter, 28, 10), clBlue);    // upper right
    EXPECT_EQ(PixelAt(quarter, 28, 30), clWhite);   // lower right
    EXPECT_EQ(PixelAt(quarter, 10, 10), clWhite);   // upper left
    EXPECT_EQ(PixelAt(quarter, 20, 0), clGray);     // the outline stays
    EXPECT_EQ(PixelAt(quarter, 20, 10), clGray);    // the top radius too

    const QImage most = draw(75);
    EXPECT_EQ(PixelAt(most, 10, 30), clBlue);
    EXPECT_EQ(PixelAt(most, 10, 10), clWhite);

    const QImage none = draw(0);
    EXPECT_EQ(CountPixels(none, TRect(0, 0, 41, 41), clBlue), 0);
    const QImage full = draw(100);
    EXPECT_EQ(PixelAt(full, 10, 10), clBlue);
    EXPECT_EQ(PixelAt(full, 0, 0), clWhite);   // nothing outside the outline
}

TProgressLevelLook LevelLook()
{
    TProgressLevelLook l;
    l.Level0Color = 0x000010;
    l.Level1Color = 0x000020;
    l.Level2Color = 0x000030;
    l.Level3Color = 0x000040;
    l.Level1Perc = 30;
    l.Level2Perc = 70;
    l.BorderColor = clBlack;
    l.ShowBorder = true;
    l.CompletionSmooth = true;
    l.BackColor = clWhite;
    l.FontColor = clBlack;
    return l;
}

std::vector<TCanvasOp> DrawLevel(QImage &img, int percent, const TProgressLevelLook &look)
{
    std::vector<TCanvasOp> ops;
    TCanvas canvas(&img);
    canvas.SetRecorder(&ops);
    DrawLevelProgressBar(canvas, TRect(0, 0, img.width(), img.height()), percent, look);
    return ops;
}

TEST(LevelBar, ColourByLevel)
{
    const struct {
        int P;
        TColor Color;
    } cases[] = {{20, 0x000010}, {50, 0x000020}, {80, 0x000030}, {100, 0x000040}};
    for (const auto &c : cases) {
        QImage img = BlankImage(102, 12);
        DrawLevel(img, c.P, LevelLook());
        EXPECT_EQ(PixelAt(img, 1, 5), c.Color) << c.P;
        EXPECT_EQ(PixelAt(img, c.P, 5), c.Color) << c.P;          // Round(P / 100 * 100) long
        if (c.P < 100) {
            EXPECT_EQ(PixelAt(img, c.P + 1, 5), clWhite) << c.P;
        }
        EXPECT_EQ(PixelAt(img, 0, 5), clBlack);                  // outline
    }
}

TEST(LevelBar, StackedSegmentsFillTheWholeExtent)
{
    TProgressLevelLook look = LevelLook();
    look.Stacked = true;
    QImage img = BlankImage(103, 12);   // extent 101: the rounded lengths 30 + 40 leave 31
    const auto fills = OpsNamed(DrawLevel(img, 100, look), "FillRect");
    ASSERT_EQ(fills.size(), 3u);
    EXPECT_EQ(fills[0].Rect, TRect(1, 1, 31, 11));
    EXPECT_EQ(fills[1].Rect, TRect(31, 1, 71, 11));
    EXPECT_EQ(fills[2].Rect, TRect(71, 1, 102, 11));
    EXPECT_EQ(PixelAt(img, 101, 5), 0x000040);

    // Above 100 % nothing leaves the outline.
    QImage over = BlankImage(103, 12);
    for (const TCanvasOp &op : OpsNamed(DrawLevel(over, 250, look), "FillRect"))
        EXPECT_LE(op.Rect.Right, 102);
}

TEST(LevelBar, Blocks)
{
    TProgressLevelLook look = LevelLook();
    look.CompletionSmooth = false;
    const struct {
        int P;
        std::vector<int> Lengths;
    } cases[] = {{30, {7, 7, 7, 2}}, {11, {7}}, {5, {4}}, {1, {}}, {0, {}}};
    for (const auto &c : cases) {
        QImage img = BlankImage(102, 12);   // extent 100: P * X / 100 = P
        const auto fills = OpsNamed(DrawLevel(img, c.P, look), "FillRect");
        ASSERT_EQ(fills.size(), c.Lengths.size()) << c.P;
        for (size_t i = 0; i < fills.size(); ++i) {
            EXPECT_EQ(fills[i].Rect.Left, 2 + 9 * int(i));
            EXPECT_EQ(fills[i].Rect.Width(), c.Lengths[i]);
            EXPECT_EQ(fills[i].Rect.Top, 2);
            EXPECT_EQ(fills[i].Rect.Bottom, 10);
        }
    }
}

TEST(LevelBar, VerticalGrowsFromTheBottomWithGradient)
{
    TProgressLevelLook look = LevelLook();
    look.Vertical = true;
    look.ShowGradient = true;
    look.Steps = 4;
    look.Level0ColorTo = 0x0000F0;
    QImage img = BlankImage(12, 102);
    DrawLevel(img, 20, look);
    EXPECT_EQ(PixelAt(img, 1, 100), 0x0000F0);   // the halves run from ColorTo at the edge...
    EXPECT_EQ(PixelAt(img, 6, 100), 0x000010);   // ...to Color in the middle
    EXPECT_EQ(PixelAt(img, 6, 81), 0x000010);    // 20 pixels high
    EXPECT_EQ(PixelAt(img, 6, 80), clWhite);
}

TEST(LevelBar, PercentageText)
{
    TProgressLevelLook look = LevelLook();
    look.ShowPercentage = true;
    QImage img = BlankImage(102, 20);
    const auto texts = OpsNamed(DrawLevel(img, 50, look), "TextOut");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].Text, QStringLiteral("50%"));
    const TRect r = texts[0].Rect;
    EXPECT_LE(std::abs((r.Left + r.Right) - 102), 1);   // centred
    EXPECT_LE(std::abs((r.Top + r.Bottom) - 20), 1);

    look.Vertical = true;
    QImage tall = BlankImage(20, 102);
    DrawLevel(tall, 50, look);
    EXPECT_GT(CountPixels(tall, TRect(2, 30, 18, 72), clBlack), 0);   // drawn, turned upright
    EXPECT_EQ(CountPixels(tall, TRect(2, 2, 18, 25), clBlack), 0);
}

struct TShapeCase {
    TCellShape Shape;
    int W, H;
    const char *Op;
    TRect Bounds;   // at X 10, Y 20
};

class CellShapes : public ::testing::TestWithParam<TShapeCase> {};

TEST_P(CellShapes, Figure)
{
    const TShapeCase c = GetParam();
    QImage img = BlankImage(60, 60);
    std::vector<TCanvasOp> ops;
    {
        TCanvas canvas(&img);
        canvas.SetRecorder(&ops);
        DrawCellShape(canvas, 10, 20, c.W, c.H, c.Shape, clRed, clBlue);
    }
    ASSERT_EQ(ops.size(), 1u);
    EXPECT_EQ(ops[0].Name, QString::fromLatin1(c.Op));
    EXPECT_EQ(ops[0].Rect, c.Bounds);
    EXPECT_EQ(ops[0].Brush.Color, clRed);
    EXPECT_EQ(ops[0].Pen.Color, clBlue);
}

// Polygon bounds include the right and bottom points.
INSTANTIATE_TEST_SUITE_P(
    All, CellShapes,
    ::testing::Values(TShapeCase{csRectangle, 20, 10, "Rectangle", {11, 21, 29, 29}},
                      TShapeCase{csCircle, 20, 10, "Ellipse", {10, 20, 20, 30}},
                      TShapeCase{csEllips, 20, 10, "Ellipse", {10, 20, 30, 30}},
                      TShapeCase{csSquare, 20, 10, "Rectangle", {11, 21, 19, 29}},
                      TShapeCase{csRoundSquare, 12, 20, "RoundRect", {10, 20, 22, 32}},
                      TShapeCase{csRoundRect, 12, 20, "RoundRect", {10, 20, 22, 40}},
                      TShapeCase{csTriangleLeft, 20, 10, "Polygon", {10, 20, 31, 31}},
                      TShapeCase{csDiamond, 21, 11, "Polygon", {10, 20, 31, 31}},
                      TShapeCase{csLineVert, 20, 10, "Rectangle", {20, 20, 21, 30}},
                      TShapeCase{csLineHorz, 20, 10, "Rectangle", {10, 25, 30, 26}},
                      TShapeCase{csStar, 20, 20, "Polygon", {10, 20, 31, 39}},
                      TShapeCase{csHalfStar, 20, 20, "Polygon", {10, 20, 21, 39}},
                      TShapeCase{csArrowUp, 21, 12, "Polygon", {10, 20, 31, 33}},
                      TShapeCase{csArrowLeft, 20, 13, "Polygon", {10, 20, 31, 33}}));

// Each of the nineteen shapes in the box (10, 20, 21, 13), drawn pixel for pixel as the
// figure written out by hand: W2 10, H2 6, even width 20 (Q 5), even height 12 (R 3).
TEST(CellShapes, AllNineteenMatchTheirFigures)
{
    using P = std::vector<TPoint>;
    const std::function<void(TCanvas &)> figures[] = {
        [](TCanvas &c) { c.Rectangle(11, 21, 30, 32); },                        // rectangle
        [](TCanvas &c) { c.Ellipse(10, 20, 23, 33); },                          // circle 13 x 13
        [](TCanvas &c) { c.Polygon(P{{31, 20}, {31, 33}, {10, 26}}); },         // triangle left
        [](TCanvas &c) { c.Polygon(P{{10, 20}, {10, 33}, {31, 26}}); },         // triangle right
        [](TCanvas &c) { c.Polygon(P{{10, 33}, {31, 33}, {20, 20}}); },         // triangle up
        [](TCanvas &c) { c.Polygon(P{{10, 20}, {31, 20}, {20, 33}}); },         // triangle down
        [](TCanvas &c) { c.Polygon(P{{10, 26}, {20, 20}, {30, 26}, {20, 32}}); },   // diamond
        [](TCanvas &c) { c.Rectangle(20, 20, 21, 33); },                        // line vertical
        [](TCanvas &c) { c.Rectangle(10, 26, 31, 27); },                        // line horizontal
        [](TCanvas &c) { c.RoundRect(10, 20, 31, 33, 10, 10); },                // round rect
        [](TCanvas &c) { c.Ellipse(10, 20, 31, 33); },                          // ellipse
        [](TCanvas &c) { c.Rectangle(11, 21, 22, 32); },                        // square 13
        [](TCanvas &c) { c.RoundRect(10, 20, 23, 33, 10, 10); },                // round square
        [](TCanvas &c) {                                                        // star
            c.Polygon(P{{20, 20}, {22, 24}, {30, 24}, {23, 27}, {26, 31},
                        {20, 28}, {14, 31}, {17, 27}, {10, 24}, {18, 24}});
        },
        [](TCanvas &c) {                                                        // arrow up
            c.Polygon(P{{10, 26}, {20, 20}, {30, 26}, {25, 26}, {25, 33}, {15, 33}, {15, 26}});
        },
        [](TCanvas &c) {                                                        // arrow down
            c.Polygon(P{{10, 26}, {20, 33}, {30, 26}, {25, 26}, {25, 20}, {15, 20}, {15, 26}});
        },
        [](TCanvas &c) {                                                        // arrow left
            c.Polygon(P{{10, 26}, {20, 20}, {20, 23}, {31, 23}, {31, 29}, {20, 29}, {20, 32}});
        },
        [](TCanvas &c) {                                                        // arrow right
            c.Polygon(P{{31, 26}, {20, 20}, {20, 23}, {10, 23}, {10, 29}, {20, 29}, {20, 32}});
        },
        [](TCanvas &c) {                                                        // half star
            c.Polygon(P{{20, 20}, {20, 28}, {14, 31}, {17, 27}, {10, 24}, {18, 24}});
        },
    };
    static_assert(std::size(figures) == csHalfStar + 1);
    for (int shape = csRectangle; shape <= csHalfStar; ++shape) {
        QImage drawn = BlankImage(45, 45), expected = BlankImage(45, 45);
        {
            TCanvas canvas(&drawn);
            DrawCellShape(canvas, 10, 20, 21, 13, TCellShape(shape), clRed, clBlue);
        }
        {
            TCanvas canvas(&expected);
            canvas.Brush.Color = clRed;
            canvas.Pen.Color = clBlue;
            figures[shape](canvas);
        }
        EXPECT_EQ(drawn, expected) << "shape " << shape;
        EXPECT_GT(CountPixels(drawn, TRect(0, 0, 45, 45), clBlue), 0) << "shape " << shape;
    }
}

TEST(CellShapes, BeyondTheLastShapeNothingIsDrawn)
{
    QImage img = BlankImage(40, 40);
    std::vector<TCanvasOp> ops;
    {
        TCanvas canvas(&img);
        canvas.SetRecorder(&ops);
        DrawCellShape(canvas, 0, 0, 30, 30, TCellShape(19), clRed, clBlue);
    }
    EXPECT_TRUE(ops.empty());
    EXPECT_EQ(CountPixels(img, TRect(0, 0, 40, 40), clWhite), 1600);
}

TEST(InterpolateColor, ChannelByChannel)
{
    EXPECT_EQ(InterpolateColor(clBlack, clWhite, 0, 4, 2), 0x808080);   // 127.5: halves to even
    EXPECT_EQ(InterpolateColor(0x102030, 0x302010, 0, 2, 1), 0x202020);
    EXPECT_EQ(InterpolateColor(clRed, clNone, 0, 4, 2), clRed);
    EXPECT_EQ(InterpolateColor(clBlack, clWhite, 10, 20, 10), clWhite);
}

TEST(FillGradientRect, BandsAndEdgeCases)
{
    QImage img = BlankImage(50, 20);
    std::vector<TCanvasOp> ops;
    {
        TCanvas canvas(&img);
        canvas.SetRecorder(&ops);
        FillGradientRect(canvas, clBlack, clWhite, 5, TRect(0, 7, 50, 7), false);
        FillGradientRect(canvas, clBlack, clWhite, 5, TRect(0, 7, 50, 7), true);
        EXPECT_TRUE(ops.empty());   // Top = Bottom: nothing, either way

        FillGradientRect(canvas, clBlack, 0x0000FF, 100, TRect(0, 0, 10, 20), true);
        EXPECT_EQ(ops.size(), 10u);   // steps cut to the extent 9: ten bands
        EXPECT_EQ(ops.front().Brush.Color, clBlack);
        EXPECT_EQ(ops.back().Brush.Color, 0x0000FF);

        ops.clear();
        FillGradientRect(canvas, clNone, clGreen, 8, TRect(20, 20, 40, 0), false);   // swapped
        ASSERT_EQ(ops.size(), 1u);
        EXPECT_EQ(ops[0].Rect, TRect(20, 0, 40, 20));
        EXPECT_EQ(ops[0].Brush.Color, clGreen);
    }
    EXPECT_EQ(PixelAt(img, 0, 5), clBlack);
    EXPECT_EQ(PixelAt(img, 9, 5), 0x0000FF);
    EXPECT_EQ(PixelAt(img, 30, 10), clGreen);
}

} // namespace
