// The drop-down controls' free routines: the banded gradient, colour blending and shading,
// filled rectangles, image-and-text and glyph painting, text measuring and fitting, the
// mark-up caption, and the number-text helpers under the user's separators.
#include "controls/dropdown/dropdownhelpers.h"

#include "grid/base/imagelist.h"
#include "grid/base/markuprender.h"
#include "grid/base/textroutines.h"
#include "grid/string/bitmap.h"
#include "platform/canvas.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

// A white image with a canvas on it; Pixel reads back as TColor.
struct Surface
{
    QImage Image;
    std::unique_ptr<TCanvas> Canvas;
    explicit Surface(int W = 100, int H = 10) : Image(W, H, QImage::Format_RGB32)
    {
        Image.fill(Qt::white);
        Canvas = std::make_unique<TCanvas>(&Image);
    }
    TColor Pixel(int X, int Y)
    {
        Canvas.reset();   // ends the painting
        return FromQColor(QColor(Image.pixel(X, Y)));
    }
};

// "," thousands, "." decimals for the number helpers.
struct SeparatorGuard
{
    SeparatorGuard(QChar Thousand = u',', QChar Decimal = u'.')
    {
        SetGridFormatOverride({u'/', u':', Thousand, Decimal, QStringLiteral("dd/MM/yyyy")});
    }
    ~SeparatorGuard() { SetGridFormatOverride({}); }
};

}   // namespace

TEST(DropDownGradient, FourBandsBlackToWhiteLeftToRight)
{
    Surface s;
    DrawDropDownGradient(*s.Canvas, 0x000000, 0xFFFFFF, 4, TRect(0, 0, 100, 10), true);
    EXPECT_EQ(s.Canvas->Pen.Color, 0xBFBFBFu);   // the last band's pen and brush stay
    EXPECT_EQ(s.Canvas->Brush.Color, 0xBFBFBFu);
    // Bands at 0, 25, 50, 74, each 26 wide: a later band covers the overlap pixel.
    const struct { int X; TColor Color; } expected[] = {
        {0, 0x000000}, {24, 0x000000}, {25, 0x404040}, {49, 0x404040}, {50, 0x808080},
        {73, 0x808080}, {74, 0xBFBFBF}, {99, 0xBFBFBF}};
    for (const auto &e : expected)
        EXPECT_EQ(s.Pixel(e.X, 5), e.Color) << "x " << e.X;
}

TEST(DropDownGradient, ZeroStepsOneBandAndClNoneIsWhiteTopToBottom)
{
    {
        Surface s(10, 100);
        DrawDropDownGradient(*s.Canvas, 0x123456, 0x000000, 0, TRect(0, 0, 10, 100), false);
        EXPECT_EQ(s.Pixel(5, 0), 0x123456u);
        EXPECT_EQ(s.Pixel(5, 98), 0x123456u);
    }
    {
        Surface s(10, 100);
        s.Image.fill(Qt::black);
        DrawDropDownGradient(*s.Canvas, clNone, clNone, 3, TRect(0, 0, 10, 100), false);
        EXPECT_EQ(s.Pixel(5, 50), 0xFFFFFFu);
    }
    {
        // System colours are resolved before the arithmetic.
        Surface s;
        DrawDropDownGradient(*s.Canvas, clBtnFace, clBtnFace, 2, TRect(0, 0, 100, 10), true);
        EXPECT_EQ(s.Pixel(10, 5), ColorToRGB(clBtnFace));
    }
}

TEST(DropDownColors, BlendAndShade)
{
    EXPECT_EQ(BlendColor(0xFFFFFF, 0x000000, 50), 0x808080u);
    EXPECT_EQ(BlendColor(clBtnFace, 0x000000, 100), clBtnFace);   // unresolved
    EXPECT_EQ(BlendColor(0x123456, clBtnFace, 0), clBtnFace);
    EXPECT_EQ(BlendColor(0x0000FF, 0xFF0000, 25), 0xBF0040u);
    EXPECT_EQ(ShadeColor(0x000000, 20, 20, 20), 0x141414u);
    EXPECT_EQ(ShadeColor(0x646464, -10, -10, 0), 0x645A5Au);
    // Out-of-range changes stay inside their channel.
    EXPECT_EQ(ShadeColor(0x646464, 30, -200, 0), 0x640064u);
    EXPECT_EQ(ShadeColor(0x000000, -5, 0, 300), 0xFF0000u);
}

TEST(DropDownText, NumberHelpersTable)
{
    SeparatorGuard seps;
    const struct { const char16_t *Text; int Kind; } kinds[] = {
        {u"123", tkNumeric}, {u"-12", tkNumeric}, {u"-", tkNumeric}, {u"1,234.5", tkFloat},
        {u"1,23,4", tkFloat}, {u"1,2,3", tkText}, {u"1A", tkHex}, {u"ff", tkHex},
        {u"--1", tkText}, {u"1.2.3", tkText}, {u"", tkText}, {u"1 2", tkText},
        {u"1G", tkText}};
    for (const auto &k : kinds)
        EXPECT_EQ(ClassifyNumberText(QString::fromUtf16(k.Text)), k.Kind)
            << QString::fromUtf16(k.Text).toStdString();
    const struct { const char16_t *Text; int Value; } hex[] = {
        {u"ff", 255}, {u"1G", 16}, {u"", 0}, {u"7FFFFFFF", 0x7FFFFFFF}, {u"FFFFFFFF", -1},
        {u"100000000", 0}, {u"aB", 0xAB}};
    for (const auto &h : hex)
        EXPECT_EQ(HexToInt(QString::fromUtf16(h.Text)), h.Value);
    const struct { QChar Ch; int Value; } digits[] = {
        {u'0', 0}, {u'9', 9}, {u'A', 10}, {u'f', 15}, {u'g', 0}, {u'-', 0}};
    for (const auto &d : digits)
        EXPECT_EQ(HexDigitValue(d.Ch), d.Value);
    for (QChar c : {u',', u'-', u';'})
        EXPECT_TRUE(IsRangeSeparator(c));
    for (QChar c : {u'.', u':', u' ', u'/'})
        EXPECT_FALSE(IsRangeSeparator(c));
    EXPECT_EQ(StripThousandSeparators(QStringLiteral("1,234,567.5")), QStringLiteral("1234567.5"));
    EXPECT_EQ(CaseKey(QStringLiteral("Ab\u00e4"), true), QStringLiteral("Ab\u00e4"));
    EXPECT_EQ(CaseKey(QStringLiteral("Ab\u00e4"), false), QStringLiteral("AB\u00c4"));
}

TEST(DropDownText, SeparatorsAreReadAtEveryCall)
{
    {
        SeparatorGuard seps(u',', u'.');
        EXPECT_EQ(ThousandSeparatorChar(), u',');
        EXPECT_EQ(ClassifyNumberText(QStringLiteral("1.2.3")), tkText);
        EXPECT_EQ(StripThousandSeparators(QStringLiteral("1.000,5")), QStringLiteral("1.0005"));
    }
    SeparatorGuard seps(u'.', u',');
    EXPECT_EQ(DecimalSeparatorChar(), u',');
    // Now "." separates thousands, so 1.2.3 has two too close; 1,5,5 has two decimals.
    EXPECT_EQ(ClassifyNumberText(QStringLiteral("1.234.567")), tkFloat);
    EXPECT_EQ(ClassifyNumberText(QStringLiteral("1,5,5")), tkText);
    EXPECT_EQ(StripThousandSeparators(QStringLiteral("1.000,5")), QStringLiteral("1000,5"));
}

TEST(DropDownText, MeasureAndFit)
{
    Surface s(200, 50);
    TCanvas &c = *s.Canvas;
    c.Font.Name = QStringLiteral("DejaVu Sans");
    c.Font.Size = 9;
    EXPECT_EQ(MeasureText(c, QString()), QSize(0, 0));
    const QSize m = MeasureText(c, QStringLiteral("Hello"));
    TRect calc(0, 0, 1000, 500);
    c.DrawText(QStringLiteral("Hello"), calc, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(m, QSize(calc.Right, calc.Bottom));
    EXPECT_GT(m.width(), 0);
    // A line break does not make a second line.
    EXPECT_EQ(MeasureText(c, QStringLiteral("He\rllo")).height(), m.height());

    QString out;
    FitText(c, QStringLiteral("Hello"), m.width(), true, out);
    EXPECT_EQ(out, QStringLiteral("Hello"));   // not wider: unchanged
    const QString longText = QStringLiteral("The quick brown fox jumps");
    const int max = MeasureText(c, longText).width() / 2;
    FitText(c, longText, max, true, out);
    EXPECT_TRUE(out.endsWith(QLatin1String("...")));
    EXPECT_LT(MeasureText(c, out).width(), max);
    // The first (longest) candidate that fits: one more character would not.
    const QString head = out.chopped(3);
    EXPECT_GE(MeasureText(c, longText.left(head.size() + 1) + "...").width(), max);
    FitText(c, longText, max, false, out);
    EXPECT_TRUE(longText.startsWith(out));
    EXPECT_LT(MeasureText(c, out).width(), max);
    EXPECT_GE(MeasureText(c, longText.left(out.size() + 1)).width(), max);
    // Nothing fits: the whole text.
    FitText(c, longText, 1, true, out);
    EXPECT_EQ(out, longText);
}

TEST(DropDownPaint, ImageAndTextPlaces)
{
    TCustomImageList images(16, 16);
    QImage red(16, 16, QImage::Format_RGB32);
    red.fill(Qt::red);
    images.Add(red);
    std::vector<TCanvasOp> ops;
    Surface s(200, 30);
    s.Canvas->SetRecorder(&ops);
    DrawImageAndText(s.Canvas.get(), TRect(10, 0, 200, 30), QStringLiteral("Caption"), &images, 0);
    s.Canvas->SetRecorder(nullptr);
    EXPECT_EQ(s.Pixel(14, 7), 0x0000FFu);      // image at left + 4, (30 - 16) / 2 down
    EXPECT_EQ(s.Pixel(13, 7), 0xFFFFFFu);
    EXPECT_EQ(FromQColor(QColor(s.Image.pixel(14, 6))), 0xFFFFFFu);
    const auto text = std::find_if(ops.begin(), ops.end(), [](const TCanvasOp &o) { return o.Name == "DrawText"; });
    ASSERT_NE(text, ops.end());
    EXPECT_EQ(text->Rect.Left, 10 + 4 + 16 + 4);
    EXPECT_EQ(text->Flags & (DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS),
              DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);

    ops.clear();
    Surface t(200, 30);
    t.Canvas->SetRecorder(&ops);
    DrawImageAndText(t.Canvas.get(), TRect(10, 0, 200, 30), QStringLiteral("Caption"), &images, -1);
    DrawImageAndText(nullptr, TRect(10, 0, 200, 30), QStringLiteral("x"), &images, 0);
    t.Canvas->SetRecorder(nullptr);
    ASSERT_EQ(ops.size(), 1u);
    EXPECT_EQ(ops[0].Rect.Left, 10);
    EXPECT_TRUE(ops[0].Flags & DT_CENTER);
}

TEST(DropDownPaint, FilledRectBandsFillAndOutline)
{
    std::vector<TCanvasOp> ops;
    auto count = [&](const char *Name) {
        return std::count_if(ops.begin(), ops.end(), [&](const TCanvasOp &o) { return o.Name == Name; });
    };
    Surface s(100, 40);
    s.Canvas->SetRecorder(&ops);
    DrawFilledRect(s.Canvas.get(), TRect(0, 0, 100, 40), 0x000000, 0xFFFFFF, 0x0000FF, 2, gdVertical);
    s.Canvas->SetRecorder(nullptr);
    EXPECT_EQ(count("Rectangle"), 81);   // 80 bands and the outline
    EXPECT_EQ(ops.back().Brush.Style, bsClear);
    EXPECT_EQ(ops.back().Pen.Width, 2);
    EXPECT_EQ(s.Canvas->Brush.Style, bsClear);
    EXPECT_EQ(s.Pixel(0, 20), 0x0000FFu);                  // the outline
    EXPECT_LT(GetRValue(s.Pixel(50, 1)), 16);              // black at the top
    EXPECT_GT(GetRValue(s.Pixel(50, 37)), 230);            // nearly white at the bottom

    ops.clear();
    Surface t(100, 40);
    t.Canvas->SetRecorder(&ops);
    DrawFilledRect(t.Canvas.get(), TRect(0, 0, 100, 40), 0x00FF00, clNone, clNone, 3, gdHorizontal);
    DrawFilledRect(t.Canvas.get(), TRect(0, 0, 10, 10), clNone, clNone, 0xFF0000, 0, gdHorizontal);
    DrawFilledRect(nullptr, TRect(0, 0, 10, 10), 0x00FF00, clNone, 0, 1, gdHorizontal);
    t.Canvas->SetRecorder(nullptr);
    ASSERT_EQ(ops.size(), 1u);
    EXPECT_EQ(ops[0].Name, QStringLiteral("FillRect"));
    EXPECT_EQ(t.Pixel(50, 20), 0x00FF00u);
}

TEST(DropDownPaint, TransparentGlyphReplacesTheTopLeftColour)
{
    QImage glyph(4, 4, QImage::Format_RGB32);
    glyph.fill(QColor(255, 0, 255));
    glyph.setPixel(1, 1, qRgb(0, 0, 255));
    TBitmap bmp;
    bmp.SetImage(glyph);
    Surface s(20, 20);
    DrawTransparentGlyph(*s.Canvas, bmp, 0x00FF00, TRect(5, 5, 8, 9));
    EXPECT_EQ(s.Pixel(5, 5), 0x00FF00u);    // the key colour became the background
    EXPECT_EQ(s.Pixel(6, 6), 0xFF0000u);    // blue stays
    EXPECT_EQ(s.Pixel(8, 6), 0xFFFFFFu);    // cut to the target's width of 3
    EXPECT_EQ(s.Pixel(7, 8), 0x00FF00u);    // and its height of 4
}

TEST(DropDownPaint, HtmlCaptionMeasuresOrDraws)
{
    const THtmlRenderParams p = HtmlCaptionParams(nullptr, false, nullptr);
    EXPECT_TRUE(p.MeasureOnly);
    EXPECT_EQ(p.AnchorColor, 0x808080u);
    EXPECT_EQ(p.HoverColor, clNone);
    EXPECT_EQ(p.HoverTextColor, clNone);
    EXPECT_EQ(p.ShadowColor, 0xFF0000u);
    EXPECT_FALSE(HtmlCaptionParams(nullptr, true, nullptr).MeasureOnly);

    Surface s(200, 30);
    QSize extent(5, 5);
    DrawHtmlCaption(*s.Canvas, QString(), TRect(0, 0, 200, 30), nullptr, true, nullptr, extent);
    EXPECT_EQ(extent, QSize(0, 0));
    DrawHtmlCaption(*s.Canvas, QStringLiteral("<b>Bold</b> text"), TRect(0, 0, 200, 30), nullptr,
                    false, nullptr, extent);
    EXPECT_GT(extent.width(), 0);
    EXPECT_GT(extent.height(), 0);
    const QImage untouched = (s.Canvas.reset(), s.Image);
    for (int x = 0; x < 200; ++x)
        ASSERT_EQ(untouched.pixel(x, 8), qRgb(255, 255, 255)) << "measuring drew at " << x;
    Surface d(200, 30);
    QSize drawn;
    DrawHtmlCaption(*d.Canvas, QStringLiteral("<b>Bold</b> text"), TRect(0, 0, 200, 30), nullptr,
                    true, nullptr, drawn);
    EXPECT_EQ(drawn, extent);
    d.Canvas.reset();
    int dark = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 200; ++x)
            dark += qGray(d.Image.pixel(x, y)) < 128;
    EXPECT_GT(dark, 0);
}
