// Colour arithmetic, mirror gradients, the rounded face, glyph helpers and the error mark.
#include "grid/base/drawroutines.h"
#include "paintutil.h"

#include <QLineEdit>
#include <gtest/gtest.h>

TEST(ColourArithmeticTest, DarkenAndScale)
{
    EXPECT_EQ(DarkenColorByHalf(0x80FF41), 0x407F20);
    EXPECT_EQ(DarkenColorByHalf(clWhite), 0x7F7F7F);
    EXPECT_EQ(ScaleColorPercent(0x646464, 7), 0x6B6B6B);
    EXPECT_EQ(ScaleColorPercent(0x0A1464, -20), 0x081050);
    // Saturated, not wrapped: white raised by 7 % stays white, and nothing goes below 0.
    EXPECT_EQ(ScaleColorPercent(clWhite, 7), clWhite);
    EXPECT_EQ(ScaleColorPercent(0xF0F0F0, 10), 0xFFFFFF);
    EXPECT_EQ(ScaleColorPercent(0x102030, -150), 0x000000);
    // An empty range gives the first colour instead of dividing by zero.
    EXPECT_EQ(InterpolateColor(clRed, clBlue, 5, 5, 3), clRed);
}

TEST(MirrorGradientTest, HalvesBordersAndSolidFills)
{
    QImage img = BlankImage(40, 40);
    {
        TCanvas c(&img);
        FillMirrorGradientRect(c, TRect(0, 0, 20, 20), clRed, clNone, clBlue, clNone, true,
                               clNone, false, true);
        FillMirrorGradientRect(c, TRect(20, 0, 40, 20), clRed, clNone, clBlue, clNone, false,
                               clNone, false, true);
        FillMirrorGradientRect(c, TRect(0, 20, 20, 40), clGreen, clNone, clNone, clNone, true,
                               clBlack, true, true);
        FillMirrorGradientRect(c, TRect(20, 20, 40, 40), clGreen, clNone, clNone, clNone, true,
                               clBlack, false, false);
    }
    EXPECT_EQ(PixelAt(img, 10, 5), clRed);      // vertical: upper half
    EXPECT_EQ(PixelAt(img, 10, 15), clBlue);    // lower half
    EXPECT_EQ(PixelAt(img, 25, 10), clRed);     // not vertical: left half
    EXPECT_EQ(PixelAt(img, 35, 10), clBlue);
    EXPECT_EQ(PixelAt(img, 0, 30), clBlack);    // side lines only
    EXPECT_EQ(PixelAt(img, 19, 30), clBlack);
    EXPECT_EQ(PixelAt(img, 10, 20), clGreen);
    EXPECT_EQ(PixelAt(img, 25, 20), clBlack);   // a frame, nothing filled
    EXPECT_EQ(PixelAt(img, 30, 30), clWhite);
}

TEST(RoundedFaceTest, ModesRoundTheChosenEnds)
{
    // Rect 10..29 x 0..19: L 10, T 0, R 29, B 18.
    const TColor upper = 0x111111, lower = 0x222222, border = 0x333333, corner = 0x444444;
    auto draw = [&](int mode) {
        QImage img = BlankImage(40, 20, clBlack);
        TCanvas c(&img);
        DrawRoundedButtonFace(c, clRed, clNone, clNone, clNone, upper, lower, border, corner,
                              clWhite, TRect(10, 0, 30, 20), mode);
        return img;
    };
    const QImage both = draw(0), left = draw(1), right = draw(2), none = draw(3);
    EXPECT_EQ(PixelAt(both, 10, 0), clWhite);   // outer corner: the backdrop
    EXPECT_EQ(PixelAt(both, 11, 0), corner);
    EXPECT_EQ(PixelAt(both, 12, 0), border);    // the top border starts inset
    EXPECT_EQ(PixelAt(both, 28, 0), clWhite);   // right outer corner
    EXPECT_EQ(PixelAt(both, 10, 5), border);    // left side line
    EXPECT_EQ(PixelAt(both, 28, 5), border);    // right side line at R - 1
    EXPECT_EQ(PixelAt(both, 11, 5), upper);     // inner line, upper half
    EXPECT_EQ(PixelAt(both, 11, 14), lower);
    EXPECT_EQ(PixelAt(both, 20, 10), clRed);    // the solid fill
    EXPECT_EQ(PixelAt(left, 10, 0), clWhite);
    EXPECT_EQ(PixelAt(left, 28, 0), border);    // the right end is square
    EXPECT_EQ(PixelAt(right, 10, 0), border);
    EXPECT_EQ(PixelAt(right, 28, 0), clWhite);
    EXPECT_EQ(PixelAt(none, 10, 0), border);
    EXPECT_EQ(PixelAt(none, 10, 18), border);   // the bottom border at Bottom - 2
    EXPECT_EQ(PixelAt(none, 20, 17), lower);
    EXPECT_EQ(PixelAt(none, 20, 1), upper);
}

TEST(RoundedFaceTest, MirrorHalves)
{
    QImage img = BlankImage(20, 40);
    {
        TCanvas c(&img);
        DrawRoundedButtonFace(c, clRed, clRed, clBlue, clBlue, 0, 0, 0, 0, clWhite,
                              TRect(0, 0, 20, 40), 3);
    }
    EXPECT_EQ(PixelAt(img, 10, 5), clRed);
    EXPECT_EQ(PixelAt(img, 10, 30), clBlue);
}

TEST(GlyphHelpersTest, TriangleAndTransparentBitmap)
{
    QImage img = BlankImage(20, 20);
    QImage glyph(3, 2, QImage::Format_RGB32);
    glyph.fill(ToQColor(clFuchsia));
    glyph.setPixelColor(1, 1, ToQColor(clBlue));
    {
        TCanvas c(&img);
        DrawDownTriangle(c, 10, 2, clRed);
        DrawBitmapTransparent(c, glyph, clLime, TRect(0, 10, 20, 20));
        DrawBitmapTransparent(c, QImage(), clLime, TRect(0, 0, 5, 5));   // nothing
        DrawResourceBitmapTransparent(c, clLime, TRect(0, 0, 5, 5), "no such resource");
    }
    EXPECT_EQ(PixelAt(img, 10, 2), clRed);
    EXPECT_EQ(PixelAt(img, 10, 4), clRed);
    EXPECT_EQ(PixelAt(img, 10, 6), clWhite);
    EXPECT_EQ(PixelAt(img, 0, 10), clLime);   // the key colour replaced
    EXPECT_EQ(PixelAt(img, 1, 11), clBlue);
    EXPECT_EQ(PixelAt(img, 3, 10), clWhite);  // at its own size
    EXPECT_EQ(PixelAt(img, 0, 0), clWhite);
}

TEST(ErrorZigzagTest, SpansTheMarkedCharacters)
{
    QLineEdit control;
    QFont f("DejaVu Sans");
    f.setPixelSize(12);
    control.setFont(f);
    const QString text = "abcdefghij";
    const QFontMetrics fm(f);
    auto zigzagRange = [&](int from, int len) {
        QImage img = BlankImage(200, 30);
        {
            TCanvas c(&img);
            DrawErrorZigzag(&control, c, text, TRect(0, 0, 200, 30), 10, from, len);
        }
        int first = -1, last = -1;
        for (int x = 0; x < 200; ++x)
            for (int y = 0; y < 30; ++y)
                if (PixelAt(img, x, y) == clRed) {
                    if (first < 0)
                        first = x;
                    last = x;
                }
        return std::pair{first, last};
    };
    const auto [a, b] = zigzagRange(2, 3);
    EXPECT_NEAR(a, 1 + fm.horizontalAdvance("ab"), 2);
    EXPECT_GE(b, 1 + fm.horizontalAdvance("abcd"));
    EXPECT_LE(b, 1 + fm.horizontalAdvance("abcde") + 6);
    const auto [c, d] = zigzagRange(8, 10);   // reaching past the end: up to the last character
    EXPECT_GE(d, 1 + fm.horizontalAdvance("abcdefghi") + 4);
    EXPECT_LT(c, d);
}
