// The stand-alone drawing helpers: rectangles, text shortening and wrapping, row blending
// and the drag-image rectangles.
#include "tree_fixture.h"

#include "controls/tree/lazytreeutils.h"

#include <QImage>

namespace {

// A canvas with a monospaced font: every character is CharWidth wide.
struct TTextCanvas
{
    QImage Image{200, 50, QImage::Format_ARGB32};
    TCanvas Canvas{&Image};
    int CharWidth = 0;
    TTextCanvas()
    {
        Canvas.Font.Name = QStringLiteral("DejaVu Sans Mono");
        Canvas.Font.Size = 10;
        CharWidth = Canvas.TextWidth(QStringLiteral("x"));
    }
};

std::vector<uint8_t> Pixels(std::initializer_list<uint8_t> Bytes)
{
    return std::vector<uint8_t>(Bytes);
}

}   // namespace

TEST(LazyTreeUtils, SortRectCorners)
{
    EXPECT_EQ(SortRectCorners(TRect(10, 20, 0, 5)), TRect(0, 5, 10, 20));
    EXPECT_EQ(SortRectCorners(TRect(1, 2, 3, 4)), TRect(1, 2, 3, 4));
}

TEST(LazyTreeUtils, ShortenWithEllipsis)
{
    TTextCanvas t;
    TCanvas &c = t.Canvas;
    const QString text = QStringLiteral("abcdef");
    const int ellipsis = c.TextWidth(QStringLiteral("..."));
    const int whole = c.TextWidth(text);
    // Fits alone, not with the ellipsis: the longest prefix that fits with it.
    qsizetype prefix = text.size();
    while (prefix > 0 && ellipsis + c.TextWidth(text.left(prefix)) > whole)
        --prefix;
    ASSERT_GT(prefix, 0);
    ASSERT_LT(prefix, text.size());
    EXPECT_EQ(ShortenWithEllipsis(c, text, whole), text.left(prefix) + QStringLiteral("..."));
    EXPECT_EQ(ShortenWithEllipsis(c, text, whole + ellipsis), text);
    EXPECT_EQ(ShortenWithEllipsis(c, text, ellipsis), QString());
    EXPECT_EQ(ShortenWithEllipsis(c, text, ellipsis - 1), QString());
    EXPECT_EQ(ShortenWithEllipsis(c, QString(), 100), QString());
    EXPECT_EQ(ShortenWithEllipsis(c, text, 0), QString());
    // A given ellipsis width is taken as it is.
    EXPECT_EQ(ShortenWithEllipsis(c, text, c.TextWidth(QStringLiteral("abcd")) + 1, 1),
              QStringLiteral("abcd..."));
}

TEST(LazyTreeUtils, WrapTextToWidth)
{
    TTextCanvas t;
    const TRect fourLetters(0, 0, 4 * t.CharWidth, 20);
    EXPECT_EQ(WrapTextToWidth(t.Canvas, QStringLiteral("ab abcdefgh"), fourLetters, false, DT_NOPREFIX),
              QStringLiteral("ab\nabcd\nefgh"));
    EXPECT_EQ(WrapTextToWidth(t.Canvas, QStringLiteral("  ab cd  "), fourLetters, false, DT_NOPREFIX),
              QStringLiteral("ab\ncd"));
    EXPECT_EQ(WrapTextToWidth(t.Canvas, QStringLiteral("   "), fourLetters, false, DT_NOPREFIX), QString());
    // Right to left the first line holds the end of the text; a long word keeps its end.
    EXPECT_EQ(WrapTextToWidth(t.Canvas, QStringLiteral("abcdefgh ab"), fourLetters, true, DT_NOPREFIX),
              QStringLiteral("ab\nefgh\nabcd"));
}

TEST(LazyTreeUtils, RowBlending)
{
    const auto source = Pixels({200, 100, 50, 255, 10, 20, 30, 0});
    auto destination = Pixels({0, 50, 100, 150, 40, 60, 80, 100});
    const auto original = destination;
    MixRowConstantAlpha(source.data(), destination.data(), 2, 0, 0);
    EXPECT_EQ(destination, original);
    MixRowConstantAlpha(source.data(), destination.data(), 2, 256, 0);
    EXPECT_EQ(destination, source);
    // The bias is added and the result clamped.
    destination = original;
    MixRowConstantAlpha(source.data(), destination.data(), 2, 0, 200);
    EXPECT_EQ(destination, Pixels({200, 250, 255, 255, 240, 255, 255, 255}));
    destination = original;
    MixRowConstantAlpha(source.data(), destination.data(), 2, 0, -60);
    EXPECT_EQ(destination, Pixels({0, 0, 40, 90, 0, 0, 20, 40}));

    // Each source pixel's own alpha: the first is copied, the second leaves the destination.
    destination = original;
    MixRowSourceAlpha(source.data(), destination.data(), 2, 0);
    EXPECT_EQ(destination, Pixels({199, 99, 50, 254, 40, 60, 80, 100}));
    destination = original;
    MixRowScaledAlpha(source.data(), destination.data(), 2, 0, 0);
    EXPECT_EQ(destination, original);

    // Half and half with a colour 0x00BBGGRR, rounded down; the colour's alpha is 0.
    auto tinted = Pixels({0, 51, 101, 151});
    MixRowWithColor(tinted.data(), 1, 128, RGB(255, 0, 3));
    EXPECT_EQ(tinted, Pixels({1, 25, 178, 75}));
}

TEST(LazyTreeUtils, BlendRectangle)
{
    QImage source(4, 4, QImage::Format_ARGB32);
    source.fill(qRgba(255, 255, 255, 255));
    QImage destination(4, 4, QImage::Format_ARGB32);
    destination.fill(qRgba(0, 0, 0, 255));
    const QImage before = destination;
    BlendRectangle(nullptr, nullptr, TRect(2, 2, 2, 3), TPoint(), TBlendMode::blendConstant, 128, 0);
    BlendRectangle(&source, &destination, TRect(1, 1, 1, 1), TPoint(), TBlendMode::blendConstant, 128, 0);
    EXPECT_EQ(destination, before);

    BlendRectangle(&source, &destination, TRect(0, 0, 2, 1), TPoint(1, 2), TBlendMode::blendConstant, 256, 0);
    EXPECT_EQ(destination.pixel(1, 2), qRgba(255, 255, 255, 255));
    EXPECT_EQ(destination.pixel(2, 2), qRgba(255, 255, 255, 255));
    EXPECT_EQ(destination.pixel(3, 2), qRgba(0, 0, 0, 255));
    EXPECT_EQ(destination.pixel(1, 1), qRgba(0, 0, 0, 255));
    // Rows reaching past the images are cut.
    BlendRectangle(&source, &destination, TRect(0, 0, 4, 4), TPoint(3, 3), TBlendMode::blendConstant, 256, 0);
    EXPECT_EQ(destination.pixel(3, 3), qRgba(255, 255, 255, 255));

    BlendRectangle(nullptr, &destination, TRect(0, 0, 1, 1), TPoint(), TBlendMode::blendTint, 256,
                   RGB(10, 20, 30));
    EXPECT_EQ(destination.pixel(0, 0), qRgba(10, 20, 30, 0));

    try {
        BlendRectangle(&source, nullptr, TRect(0, 0, 1, 1), TPoint(), TBlendMode::blendConstant, 1, 0);
        ADD_FAILURE();
    } catch (const ELazyTreeAssertion &e) {
        EXPECT_STREQ(e.what(), "Alpha blending DC error: no bitmap available.");
    }
    QImage grey(4, 4, QImage::Format_Grayscale8);
    try {
        BlendRectangle(&source, &grey, TRect(0, 0, 1, 1), TPoint(), TBlendMode::blendConstant, 1, 0);
        ADD_FAILURE();
    } catch (const ELazyTreeAssertion &e) {
        EXPECT_STREQ(e.what(), "Alpha blending error: bitmap must use 32 bpp.");
    }
    EXPECT_TRUE(ProcessorSupportsMMX());
    EXPECT_EQ(ImageListColor(clNone), 0xFFFFFFFFu);
    EXPECT_EQ(ImageListColor(clDefault), 0xFF000000u);
    EXPECT_EQ(ImageListColor(clRed), 0x0000FFu);
}

TEST(LazyTreeUtils, ScanLineAddress)
{
    uint8_t bits[64] = {};
    EXPECT_EQ(ScanLineAddress(bits, 2, 4, 0), bits + 24);   // bottom-up
    EXPECT_EQ(ScanLineAddress(bits, 2, -4, 1), bits + 8);   // top-down
}

TEST(LazyTreeUtils, DragMoveRectanglesTable)
{
    const int w = 100, h = 50;
    struct TCase
    {
        int DX, DY;
        TRect Scroll;
        TDragStrip Sample1, Sample2, Restore1, Restore2;
    };
    const TDragStrip unset{-1, -1, -1, -1};
    const TCase cases[] = {
        {0, 5, {0, 0, 100, 45}, unset, {0, 0, 100, 5}, unset, {0, 45, 100, 5}},
        {0, -5, {0, 5, 100, 50}, unset, {0, 45, 100, 5}, unset, {0, 0, 100, 5}},
        {7, 0, {0, 0, 93, 50}, {0, 0, 7, 50}, unset, {93, 0, 7, 50}, unset},
        {7, 5, {0, 0, 93, 45}, {0, 0, 7, 50}, {7, 0, 93, 5}, {0, 45, 93, 5}, {93, 0, 7, 50}},
        {7, -5, {0, 5, 93, 50}, {0, 0, 7, 50}, {7, 45, 93, 5}, {0, 0, 93, 5}, {93, 0, 7, 50}},
        {-7, 0, {7, 0, 100, 50}, {93, 0, 7, 50}, unset, {0, 0, 7, 50}, unset},
        {-7, -5, {7, 5, 100, 50}, {0, 45, 93, 5}, {93, 0, 7, 50}, {0, 0, 7, 50}, {7, 0, 93, 5}},
        {-7, 5, {7, 0, 100, 50}, {0, 0, 93, 5}, {93, 0, 7, 50}, {0, 0, 7, 50}, {7, 45, 93, 5}},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(testing::Message() << "DX " << c.DX << " DY " << c.DY);
        TRect clip, scroll;
        TDragStrip s1 = unset, s2 = unset, r1 = unset, r2 = unset;
        DragMoveRectangles(w, h, c.DX, c.DY, clip, scroll, s1, s2, r1, r2);
        EXPECT_EQ(clip, TRect(0, 0, w, h));
        EXPECT_EQ(scroll, c.Scroll);
        EXPECT_EQ(s1, c.Sample1);
        EXPECT_EQ(s2, c.Sample2);
        EXPECT_EQ(r1, c.Restore1);
        EXPECT_EQ(r2, c.Restore2);
    }
}

TEST(LazyTreeUtils, GreyedImagesKeepTheirShape)
{
    TLTImageList list;
    list.SetSize(2, 2);
    QImage glyph(2, 2, QImage::Format_ARGB32);
    glyph.fill(qRgba(255, 0, 0, 255));
    glyph.setPixel(1, 1, qRgba(0, 0, 0, 0));
    list.AddMasked(glyph, qRgb(1, 2, 3));
    QImage target(4, 4, QImage::Format_ARGB32);
    target.fill(qRgba(0, 0, 255, 255));
    {
        TCanvas canvas(&target);
        DrawImageEnabledOrGrey(list, 0, canvas, 0, 0, true);
        DrawImageEnabledOrGrey(list, 0, canvas, 2, 2, false);
    }
    EXPECT_EQ(target.pixel(0, 0), qRgba(255, 0, 0, 255));
    const QRgb grey = target.pixel(2, 2);
    EXPECT_EQ(qRed(grey), qGreen(grey));
    EXPECT_EQ(qGreen(grey), qBlue(grey));
    EXPECT_EQ(target.pixel(3, 3), qRgba(0, 0, 255, 255));
}
