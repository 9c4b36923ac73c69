#include "platform/canvas.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

QImage White(int w = 40, int h = 30)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

TColor At(const QImage &img, int x, int y)
{
    return FromQColor(img.pixelColor(x, y));
}

// Bounding box of the pixels that are not white (empty when none).
TRect Ink(const QImage &img)
{
    TRect r(img.width(), img.height(), 0, 0);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != 0xFFFFFFFFu)
                r = TRect(std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1),
                          std::max(r.Bottom, y + 1));
    return IsRectEmpty(r) ? TRect() : r;
}

int CountColor(const QImage &img, TColor c)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += At(img, x, y) == c;
    return n;
}

} // namespace

TEST(Rect, Helpers)
{
    TRect r = Bounds(10, 20, 5, 4);
    EXPECT_EQ(r, Rect(10, 20, 15, 24));
    EXPECT_EQ(r.Width(), 5);
    EXPECT_EQ(r.ToQRect(), QRect(10, 20, 5, 4));
    EXPECT_EQ(TRect::FromQRect(QRect(10, 20, 5, 4)), r);
    EXPECT_TRUE(PtInRect(r, Point(10, 20)));
    EXPECT_TRUE(PtInRect(r, Point(14, 23)));
    EXPECT_FALSE(PtInRect(r, Point(15, 23)));   // right and bottom are outside
    EXPECT_FALSE(PtInRect(r, Point(14, 24)));
    InflateRect(r, 1, 2);
    EXPECT_EQ(r, Rect(9, 18, 16, 26));
    OffsetRect(r, -9, -18);
    EXPECT_EQ(r, Rect(0, 0, 7, 8));

    TRect d(1, 1, 1, 1);
    EXPECT_TRUE(IntersectRect(d, Rect(0, 0, 10, 10), Rect(5, 5, 20, 20)));
    EXPECT_EQ(d, Rect(5, 5, 10, 10));
    EXPECT_FALSE(IntersectRect(d, Rect(0, 0, 10, 10), Rect(10, 0, 20, 10)));   // touching only
    EXPECT_EQ(d, TRect());
    EXPECT_TRUE(UnionRect(d, Rect(0, 0, 2, 2), Rect(5, 5, 6, 8)));
    EXPECT_EQ(d, Rect(0, 0, 6, 8));
    EXPECT_TRUE(UnionRect(d, TRect(), Rect(5, 5, 6, 8)));
    EXPECT_EQ(d, Rect(5, 5, 6, 8));
    EXPECT_TRUE(IsRectEmpty(Rect(3, 3, 3, 9)));
    EXPECT_TRUE(IsRectEmpty(Rect(5, 5, 4, 9)));
}

TEST(Canvas, FiguresCoverWindowsPixels)
{
    QImage img = White();
    {
        TCanvas c(&img);
        c.Pen.Color = clBlack;
        c.MoveTo(1, 1);
        c.LineTo(6, 1);   // x 1..5; the end point is left out
        EXPECT_EQ(c.PenPos(), Point(6, 1));
        c.Brush.Color = clRed;
        c.Rectangle(10, 10, 15, 14);   // outline on 10..14 x 10..13, red inside
        c.FillRect(Rect(20, 10, 23, 12));
        c.Brush.Color = clBlue;
        c.FrameRect(Rect(30, 10, 34, 14));
        c.Pen.Style = psClear;
        c.Brush.Color = clLime;
        c.Rectangle(1, 20, 5, 24);   // no pen: 1..3 x 20..22
    }
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(At(img, x, 1), x >= 1 && x <= 5 ? clBlack : clWhite) << x;

    EXPECT_EQ(At(img, 10, 10), clBlack);
    EXPECT_EQ(At(img, 14, 13), clBlack);
    EXPECT_EQ(At(img, 15, 13), clWhite);
    EXPECT_EQ(At(img, 14, 14), clWhite);
    EXPECT_EQ(At(img, 11, 11), clRed);
    EXPECT_EQ(At(img, 13, 12), clRed);

    EXPECT_EQ(CountColor(img, clRed), 3 * 2 + 3 * 2);   // rectangle inside + FillRect
    EXPECT_EQ(At(img, 22, 11), clRed);
    EXPECT_EQ(At(img, 23, 11), clWhite);

    EXPECT_EQ(At(img, 30, 10), clBlue);
    EXPECT_EQ(At(img, 33, 13), clBlue);
    EXPECT_EQ(At(img, 31, 11), clWhite);
    EXPECT_EQ(CountColor(img, clBlue), 12);

    EXPECT_EQ(CountColor(img, clLime), 9);
    EXPECT_EQ(At(img, 3, 22), clLime);
    EXPECT_EQ(At(img, 4, 23), clWhite);
}

TEST(Canvas, EllipsePolygonAndClearBrush)
{
    QImage img = White();
    {
        TCanvas c(&img);
        c.Brush.Style = bsClear;
        c.Ellipse(0, 0, 20, 10);
        c.Brush.Style = bsSolid;
        c.Brush.Color = clYellow;
        c.Pen.Color = clNavy;
        c.Polygon({Point(25, 2), Point(35, 2), Point(30, 12)});
        c.Polyline({Point(0, 20), Point(5, 20), Point(5, 25)});
        c.RoundRect(10, 15, 20, 25, 4, 4);
    }
    EXPECT_EQ(Ink(img.copy(0, 0, 21, 11)), Rect(0, 0, 20, 10));
    EXPECT_EQ(At(img, 10, 5), clWhite);   // hollow
    EXPECT_EQ(At(img, 30, 5), clYellow);
    EXPECT_EQ(At(img, 25, 2), clNavy);
    EXPECT_EQ(At(img, 5, 24), clNavy);
    EXPECT_EQ(At(img, 5, 25), clWhite);   // the last point is left out
    EXPECT_EQ(At(img, 15, 20), clYellow);
    EXPECT_EQ(At(img, 10, 15), clWhite);   // rounded corner
}

TEST(Canvas, PenModeNotInverts)
{
    QImage img = White();
    TCanvas c(&img);
    c.Pen.Mode = pmNot;
    c.MoveTo(0, 5);
    c.LineTo(10, 5);
    EXPECT_EQ(c.Pixel(3, 5), clBlack);
    c.MoveTo(0, 5);
    c.LineTo(10, 5);
    EXPECT_EQ(c.Pixel(3, 5), clWhite);
    c.Brush.Color = clRed;
    c.FillRect(Rect(0, 0, 2, 2));   // fills ignore the pen mode
    EXPECT_EQ(c.Pixel(1, 1), clRed);
}

TEST(Canvas, TextOutFillsBackgroundUnlessClear)
{
    QImage img = White(100, 30);
    TCanvas c(&img);
    c.Font.Color = clBlack;
    c.Brush.Color = clYellow;
    const QSize ext = c.TextExtent("Hg");
    EXPECT_EQ(ext.height(), c.TextHeight("Hg"));
    EXPECT_EQ(ext.width(), c.TextWidth("Hg"));
    EXPECT_GT(ext.width(), 10);
    c.TextOut(2, 3, "Hg");
    EXPECT_EQ(c.PenPos(), Point(2 + ext.width(), 3));
    EXPECT_EQ(c.Pixel(2, 3), clYellow);   // the text cell's corner
    EXPECT_EQ(c.Pixel(1 + ext.width(), 2 + ext.height()), clYellow);
    EXPECT_EQ(c.Pixel(2 + ext.width(), 3), clWhite);

    c.Brush.Style = bsClear;
    c.TextOut(50, 3, "Hg");
    EXPECT_EQ(c.Pixel(50, 3), clWhite);
    bool ink = false;
    for (int y = 3; y < 3 + ext.height(); ++y)
        for (int x = 50; x < 50 + ext.width(); ++x)
            ink |= c.Pixel(x, y) != clWhite;
    EXPECT_TRUE(ink);
}

// A text is drawn straight the first time and from its kept glyphs later on: every draw
// leaves the same pixels, plain or underlined, kerned, accented or with a ligature.
TEST(Canvas, TextDrawnAgainKeepsItsPixels)
{
    const QStringList texts = {"Repeat AVA Wave To", "Repeat R123456C7", "Repeat fi ffl",
                               "Repeat \u00DCber \u00E9t\u00E9", "Repeat x"};
    for (const TFontStyles style : {TFontStyles(0), fsUnderline}) {
        QImage shots[3];
        for (QImage &shot : shots) {
            shot = White(220, 20 * int(texts.size()));
            TCanvas c(&shot);
            c.Font.Color = clBlack;
            c.Font.Style = style;
            c.Brush.Style = bsClear;
            for (int i = 0; i < texts.size(); ++i)
                c.TextOut(3, 2 + 20 * i, texts[i]);
        }
        EXPECT_FALSE(IsRectEmpty(Ink(shots[0])));
        EXPECT_EQ(shots[1], shots[0]) << "second draw, style " << style;
        EXPECT_EQ(shots[2], shots[0]) << "third draw, style " << style;
    }
}

TEST(Canvas, FontConversion)
{
    TFont f;
    f.Name = "DejaVu Sans";
    f.Size = 9;
    f.Style = fsBold | fsUnderline;
    const QFont q = f.ToQFont();
    EXPECT_EQ(q.pixelSize(), 12);   // 9 pt at 96 pixels per inch
    EXPECT_TRUE(q.bold());
    EXPECT_TRUE(q.underline());
    EXPECT_FALSE(q.italic());
    TFont back = TFont::FromQFont(q, clRed);
    EXPECT_EQ(back.Size, 9);
    EXPECT_EQ(back.Style, fsBold | fsUnderline);
    EXPECT_EQ(back.Color, clRed);
    f.Size = 8;
    EXPECT_EQ(f.PixelSize(), 11);
    EXPECT_EQ(TFont().Name, QGuiApplication::font().family());

    // Measurements follow the font, whatever the device.
    QImage a = White(), b(10, 10, QImage::Format_ARGB32);
    b.setDotsPerMeterX(2835);
    b.setDotsPerMeterY(2835);
    TCanvas ca(&a), cb(&b);
    EXPECT_EQ(ca.TextHeight("x"), cb.TextHeight("x"));
    ca.Font.Size = 20;
    EXPECT_GT(ca.TextHeight("x"), cb.TextHeight("x"));
}

TEST(Canvas, DrawTextAlignsAndMeasures)
{
    QImage img = White(200, 60);
    TCanvas c(&img);
    c.Brush.Style = bsClear;
    c.Font.Color = clBlack;
    const int lh = c.TextHeight("X");
    const int w = c.TextWidth("Wide");

    struct { unsigned flags; int left, top; } cases[] = {
        {DT_SINGLELINE | DT_LEFT | DT_TOP, 0, 0},
        {DT_SINGLELINE | DT_CENTER | DT_VCENTER, (200 - w) / 2, (60 - lh) / 2},
        {DT_SINGLELINE | DT_RIGHT | DT_BOTTOM, 200 - w, 60 - lh},
    };
    for (const auto &k : cases) {
        img.fill(Qt::white);
        TRect r(0, 0, 200, 60);
        const int h = c.DrawText("Wide", r, k.flags);
        EXPECT_EQ(r, Rect(0, 0, 200, 60));   // drawing leaves the rectangle alone
        EXPECT_EQ(h, k.top + lh);
        const TRect ink = Ink(img);
        EXPECT_GE(ink.Left, k.left) << k.flags;
        EXPECT_LE(ink.Right, k.left + w + 1) << k.flags;
        EXPECT_GE(ink.Top, k.top) << k.flags;
        EXPECT_LE(ink.Bottom, k.top + lh) << k.flags;
        EXPECT_LT(ink.Left - k.left, 4) << k.flags;
    }

    // Vertical centring is for single lines only.
    img.fill(Qt::white);
    TRect r(0, 0, 200, 60);
    EXPECT_EQ(c.DrawText("Wide", r, DT_VCENTER), lh);
    EXPECT_LT(Ink(img).Top, lh);
}

TEST(Canvas, DrawTextCalcRect)
{
    QImage img = White();
    TCanvas c(&img);
    const int lh = c.TextHeight("X");
    const int aaa = c.TextWidth("aaa");

    TRect r(5, 5, 500, 5);
    EXPECT_EQ(c.DrawText("One line", r, DT_CALCRECT | DT_SINGLELINE), lh);
    EXPECT_EQ(r, Rect(5, 5, 5 + c.TextWidth("One line"), 5 + lh));

    // Word break: each word on its own line, the width narrowed to the widest line.
    r = TRect(0, 0, aaa + 2, 0);
    EXPECT_EQ(c.DrawText("aaa aaa aaa", r, DT_CALCRECT | DT_WORDBREAK), 3 * lh);
    EXPECT_EQ(r, Rect(0, 0, aaa, 3 * lh));

    // A word wider than the rectangle widens it.
    r = TRect(0, 0, 5, 0);
    c.DrawText("aaaaaaaaaa b", r, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(r.Width(), c.TextWidth("aaaaaaaaaa"));
    EXPECT_EQ(r.Height(), 2 * lh);

    // Line breaks without word break; a final line break adds no line.
    r = TRect(0, 0, 1000, 0);
    EXPECT_EQ(c.DrawText("a\r\nbb\nc\n", r, DT_CALCRECT), 3 * lh);
    EXPECT_EQ(r.Width(), c.TextWidth("bb"));
    r = TRect(0, 0, 1000, 0);
    EXPECT_EQ(c.DrawText("a\r\nbb", r, DT_CALCRECT | DT_SINGLELINE), lh);
    EXPECT_EQ(r.Width(), c.TextWidth("abb"));

    // Empty text.
    r = TRect(3, 3, 50, 50);
    EXPECT_EQ(c.DrawText("", r, DT_CALCRECT | DT_SINGLELINE), lh);
    EXPECT_EQ(r, Rect(3, 3, 3, 3 + lh));
    r = TRect(3, 3, 50, 50);
    c.DrawText("", r, DT_CALCRECT);
    EXPECT_EQ(r, Rect(3, 3, 3, 3));
}

TEST(Canvas, DrawTextPrefixTabsAndEllipsis)
{
    QImage img = White(200, 40);
    TCanvas c(&img);
    std::vector<TCanvasOp> log;
    c.SetRecorder(&log);
    const struct { const char *text; unsigned flags; const char *drawn; } cases[] = {
        {"&File", DT_SINGLELINE, "File"},
        {"A && B", DT_SINGLELINE, "A & B"},
        {"A && B", DT_SINGLELINE | DT_NOPREFIX, "A && B"},
        {"end&", DT_SINGLELINE, "end"},
        {"a\tb", DT_SINGLELINE, "ab"},
        {"a\tb", DT_SINGLELINE | DT_EXPANDTABS, "a\tb"},
    };
    for (const auto &k : cases) {
        TRect r(0, 0, 200, 0);
        c.DrawText(k.text, r, k.flags | DT_CALCRECT);
        ASSERT_FALSE(log.empty());
        EXPECT_EQ(log.back().Text, QString::fromUtf8(k.drawn)) << k.text;
        if (!(k.flags & DT_EXPANDTABS)) {
            EXPECT_EQ(r.Width(), c.TextWidth(QString::fromUtf8(k.drawn))) << k.text;
        }
    }
    TRect r(0, 0, 200, 0);
    c.DrawText("a\tb", r, DT_CALCRECT | DT_EXPANDTABS);
    EXPECT_EQ(r.Width(), 8 * c.FontMetrics().averageCharWidth() + c.TextWidth("b"));

    // The mnemonic is underlined below the baseline.
    c.Brush.Style = bsClear;
    c.Font.Color = clBlack;
    r = TRect(0, 0, 200, 40);
    c.DrawText("&_", r, DT_SINGLELINE);
    const int underline = c.FontMetrics().ascent() + 1;
    EXPECT_EQ(c.Pixel(1, underline), clBlack);
    img.fill(Qt::white);
    c.DrawText("_", r, DT_SINGLELINE);
    EXPECT_EQ(c.Pixel(1, underline), clWhite);

    // End ellipsis shortens what does not fit.
    const QString longText = "The quick brown fox jumps over the lazy dog";
    r = TRect(0, 0, c.TextWidth("The quick"), 20);
    c.DrawText(longText, r, DT_SINGLELINE | DT_END_ELLIPSIS);
    const QString drawn = log.back().Text;
    EXPECT_TRUE(drawn.endsWith("...")) << drawn.toStdString();
    EXPECT_TRUE(longText.startsWith(drawn.chopped(3)));
    EXPECT_LE(c.TextWidth(drawn), r.Width());
    r = TRect(0, 0, 1000, 20);
    c.DrawText("short", r, DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_EQ(log.back().Text, "short");
}

TEST(Canvas, DrawTextClipsUnlessNoClip)
{
    QImage img = White(200, 40);
    TCanvas c(&img);
    c.Brush.Style = bsClear;
    c.Font.Color = clBlack;
    TRect r(0, 0, 10, 40);
    c.DrawText("WWWWWW", r, DT_SINGLELINE);
    EXPECT_LE(Ink(img).Right, 10);
    img.fill(Qt::white);
    c.DrawText("WWWWWW", r, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(Ink(img).Right, 20);
    // TextRect clips too, and fills the rectangle.
    img.fill(Qt::white);
    c.Brush.Style = bsSolid;
    c.Brush.Color = clAqua;
    c.TextRect(Rect(20, 0, 30, 20), 20, 0, "WWWWWW");
    EXPECT_EQ(c.Pixel(29, 19), clAqua);
    EXPECT_EQ(Ink(img), Rect(20, 0, 30, 20));
}

TEST(Canvas, ClipSaveAndRestore)
{
    QImage img = White();
    TCanvas c(&img);
    EXPECT_EQ(c.ClipRect(), Rect(0, 0, 40, 30));
    c.Save();
    c.SetClipRect(Rect(5, 5, 10, 10));
    c.IntersectClipRect(Rect(7, 0, 40, 30));
    EXPECT_EQ(c.ClipRect(), Rect(7, 5, 10, 10));
    c.Brush.Color = clRed;
    c.Font.Size = 30;
    c.FillRect(Rect(0, 0, 40, 30));
    c.Restore();
    EXPECT_EQ(c.Brush.Color, clWhite);
    EXPECT_NE(c.Font.Size, 30);
    EXPECT_EQ(Ink(img), Rect(7, 5, 10, 10));
    c.Brush.Color = clBlue;
    c.FillRect(Rect(0, 0, 2, 2));   // no clip any more
    EXPECT_EQ(c.Pixel(0, 0), clBlue);
    c.Restore();   // unbalanced: ignored
}

TEST(Canvas, ImagesAndPixels)
{
    QImage glyph(4, 4, QImage::Format_RGB32);
    glyph.fill(QColor(255, 0, 255));   // the transparent colour
    glyph.setPixelColor(1, 1, Qt::black);
    QImage img = White();
    {
        TCanvas c(&img);
        c.Draw(0, 0, glyph);
        c.DrawTransparent(10, 0, glyph, clFuchsia);
        c.StretchDraw(Rect(20, 0, 28, 8), glyph);
        c.SetPixel(39, 29, clGreen);
        EXPECT_EQ(c.Pixel(39, 29), clGreen);
        EXPECT_EQ(c.Pixel(40, 0), clNone);
    }
    EXPECT_EQ(At(img, 0, 0), clFuchsia);
    EXPECT_EQ(At(img, 10, 0), clWhite);
    EXPECT_EQ(At(img, 11, 1), clBlack);
    EXPECT_EQ(At(img, 22, 2), clBlack);   // 2x
    EXPECT_EQ(At(img, 23, 3), clBlack);
    EXPECT_EQ(At(img, 27, 7), clFuchsia);
}

TEST(Canvas, OnAPainterKeepsItsState)
{
    QImage img = White();
    QPainter p(&img);
    p.setPen(QColor(Qt::green));
    {
        TCanvas c(&p);
        c.Pen.Color = clRed;
        c.SetClipRect(Rect(0, 0, 5, 5));
        c.MoveTo(0, 0);
        c.LineTo(10, 0);
        EXPECT_EQ(c.Pixel(4, 0), clRed);   // reads the painter's image
        EXPECT_EQ(c.Pixel(6, 0), clWhite);
    }
    EXPECT_EQ(p.pen().color(), QColor(Qt::green));
    EXPECT_FALSE(p.hasClipping());
}

TEST(Canvas, RecorderSeesEachCall)
{
    QImage img = White();
    TCanvas c(&img);
    std::vector<TCanvasOp> log;
    c.SetRecorder(&log);
    c.Brush.Color = clRed;
    c.FillRect(Rect(1, 2, 3, 4));
    c.Font.Color = clBlue;
    c.TextOut(0, 0, "x");
    c.SetRecorder(nullptr);
    c.FillRect(Rect(0, 0, 1, 1));
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].Name, "FillRect");
    EXPECT_EQ(log[0].Rect, Rect(1, 2, 3, 4));
    EXPECT_EQ(log[0].Brush.Color, clRed);
    EXPECT_EQ(log[1].Name, "TextOut");
    EXPECT_EQ(log[1].Text, "x");
    EXPECT_EQ(log[1].Font.Color, clBlue);
}

// Straight lines are drawn as fills; the pixels must be those of the cosmetic pen line,
// in either direction, clipped or running off the image.
TEST(Canvas, StraightLinesCoverThePenLinesPixels)
{
    struct TCase {
        int X1, Y1, X2, Y2;
        bool Clip;
    };
    const TCase cases[] = {
        {2, 3, 12, 3, false}, {12, 3, 2, 3, false}, {5, 2, 5, 20, false}, {5, 20, 5, 2, false},
        {4, 4, 4, 4, false},  {4, 4, 5, 4, false},  {4, 5, 4, 4, false},  {-5, 7, 50, 7, false},
        {8, 40, 8, -3, false}, {1, 9, 30, 9, true}, {9, 28, 9, 1, true},  {3, 3, 9, 8, false},
    };
    for (const TCase &t : cases) {
        QImage ours = White(), theirs = White();
        {
            TCanvas c(&ours);
            if (t.Clip)
                c.IntersectClipRect(Rect(6, 4, 20, 15));
            c.Pen.Color = clNavy;
            c.MoveTo(t.X1, t.Y1);
            c.LineTo(t.X2, t.Y2);
            EXPECT_EQ(c.PenPos(), Point(t.X2, t.Y2));
        }
        {
            QPainter p(&theirs);
            if (t.Clip)
                p.setClipRect(QRect(6, 4, 14, 11));
            QPen pen(ToQColor(clNavy));
            pen.setWidth(0);
            pen.setCapStyle(Qt::FlatCap);
            p.setPen(pen);
            p.drawLine(t.X1, t.Y1, t.X2, t.Y2);
        }
        EXPECT_EQ(ours, theirs) << t.X1 << "," << t.Y1 << " -> " << t.X2 << "," << t.Y2;
    }
}
