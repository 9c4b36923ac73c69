#include "grid/base/alphamask.h"
#include "grid/base/indicator.h"
#include "paintutil.h"

#include <gtest/gtest.h>
#include <cmath>
#include <numeric>

namespace {

QImage Bitmap24(int w, int h, QColor fill)
{
    QImage img(w, h, QImage::Format_BGR888);
    img.fill(fill);
    return img;
}

TEST(GaussianKernel, SizeFollowsTheRadius)
{
    const struct {
        double Radius;
        int Size;
    } cases[] = {{3, 8}, {1, 2}, {5, 9}, {0.1, 1}};
    for (const auto &c : cases) {
        const TGaussianKernel k = BuildGaussianKernel(c.Radius);
        EXPECT_EQ(k.Size, c.Size) << c.Radius;
        double sum = 0;
        for (int i = -k.Size; i <= k.Size; ++i)
            sum += k.Weights[i + 10];
        EXPECT_NEAR(sum, 1.0, 1e-12);
        EXPECT_DOUBLE_EQ(k.Weights[10 - 1], k.Weights[10 + 1]);
    }
}

// Without spread every pixel stays; odd sizes, down to none, are read within their bounds.
TEST(BlurBitmap24, ZeroRadiusAndOddSizes)
{
    for (double r : {0.0, -0.0, std::nan("")}) {
        const TGaussianKernel k = BuildGaussianKernel(r);
        EXPECT_EQ(k.Size, 1);
        EXPECT_EQ(k.Weights[10], 1.0);
        EXPECT_EQ(k.Weights[9] + k.Weights[11], 0.0);
        QImage img = Bitmap24(30, 30, Qt::white);
        img.setPixelColor(3, 4, QColor(10, 20, 30));
        const QImage before = img;
        BlurBitmap24(img, r);
        EXPECT_EQ(img, before);
    }
    EXPECT_EQ(BuildGaussianKernel(-3).Size, 8);   // the sign of the radius does not matter
    for (int w : {0, 1, 2, 20, 21, 22, 41, 42, 43}) {
        for (int h : {0, 1, 21, 42}) {
            QImage img = Bitmap24(w, h, Qt::white);
            if (!img.isNull()) {   // an image of no pixels has no format at all
                BlurBitmap24(img, 3);
                EXPECT_EQ(CountPixels(img, TRect(0, 0, w, h), clWhite), w * h) << w << " x " << h;
            }
            QImage mask;
            MakeRoundedMaskBitmap(mask, w, h, 3, 5, 4);
            EXPECT_EQ(mask.size(), w && h ? QSize(w, h) : QSize(0, 0));
        }
    }
}

TEST(BlurBitmap24, RefusesOtherFormats)
{
    QImage img(10, 10, QImage::Format_RGB32);
    img.fill(Qt::white);
    img.setPixel(5, 5, qRgb(0, 0, 0));
    const QImage before = img;
    try {
        BlurBitmap24(img, 3);
        FAIL() << "no error";
    } catch (const EInvalidGraphic &e) {
        EXPECT_STREQ(e.what(), "Blur only works for 24-bit bitmaps");
    }
    EXPECT_EQ(img, before);
}

TEST(BlurBitmap24, UniformStaysUniform)
{
    for (int v : {255, 0, 128}) {
        QImage img = Bitmap24(60, 50, QColor(v, v, v));
        BlurBitmap24(img, 3);
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                ASSERT_EQ(img.pixel(x, y), qRgb(v, v, v)) << v << " at " << x << "," << y;
    }
}

TEST(BlurBitmap24, SpreadsAPointEvenly)
{
    QImage img = Bitmap24(31, 31, Qt::black);
    img.setPixel(15, 15, qRgb(255, 255, 255));
    BlurBitmap24(img, 1);   // Size 2: reaches two pixels each way
    const int peak = qRed(img.pixel(15, 15));
    EXPECT_GT(peak, 0);
    EXPECT_LT(peak, 255);
    for (int d = 1; d <= 2; ++d) {
        EXPECT_EQ(img.pixel(15 - d, 15), img.pixel(15 + d, 15));
        EXPECT_EQ(img.pixel(15, 15 - d), img.pixel(15, 15 + d));
        EXPECT_EQ(img.pixel(15 + d, 15), img.pixel(15, 15 + d));
        EXPECT_LE(qRed(img.pixel(15 + d, 15)), peak);
    }
    EXPECT_EQ(img.pixel(18, 15), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(15, 12), qRgb(0, 0, 0));
}

TEST(BlurBitmap24, InsideOfLargeBitmapsRepeatsColumnFifteen)
{
    QImage img = Bitmap24(60, 60, Qt::black);
    for (int x = 0; x < 60; ++x)
        img.setPixel(x, 15, qRgb(200, 100, 50));
    img.setPixel(30, 30, qRgb(255, 255, 255));   // lost: the inside is not convolved
    BlurBitmap24(img, 2);
    for (int y = 0; y < 60; ++y)
        for (int x = 21; x < 40; ++x)
            ASSERT_EQ(img.pixel(x, y), img.pixel(15, y)) << x << "," << y;
    EXPECT_NE(img.pixel(30, 15), qRgb(0, 0, 0));
    EXPECT_NE(img.pixel(30, 14), qRgb(0, 0, 0));   // spread across rows too
}

TEST(RoundedMask, RingOnBlackAndBlurred)
{
    QImage ring;
    MakeRoundedMaskBitmap(ring, 40, 30, 0, 5, 4);
    ASSERT_TRUE(Is24BitBitmap(ring));
    EXPECT_EQ(ring.size(), QSize(40, 30));
    EXPECT_EQ(ring.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(ring.pixel(20, 4), qRgb(255, 255, 255));    // on the ring (from 4 + 2 - 2)
    EXPECT_EQ(ring.pixel(20, 15), qRgb(0, 0, 0));        // black inside
    EXPECT_EQ(ring.pixel(39, 15), qRgb(0, 0, 0));

    QImage filled;
    MakeRoundedMaskBitmap(filled, 40, 30, 0, 5, 0);
    EXPECT_EQ(filled.pixel(20, 15), qRgb(255, 255, 255));
    EXPECT_EQ(filled.pixel(1, 1), qRgb(0, 0, 0));

    QImage soft;
    MakeRoundedMaskBitmap(soft, 40, 30, 3, 5, 4);
    const int edge = qRed(soft.pixel(20, 1));
    EXPECT_GT(edge, 0);      // the blur spreads the ring outwards...
    EXPECT_LT(edge, 255);
    EXPECT_LT(qRed(soft.pixel(20, 4)), 255);   // ...and softens it
}

TEST(AlphaMask, MergeMaskPremultiplies)
{
    QImage mask = Bitmap24(4, 3, QColor(128, 0, 0));
    mask.setPixel(3, 2, qRgb(0, 255, 255));   // only red counts
    QImage picture = Bitmap24(4, 3, QColor(50, 100, 200));
    TGridAlphaMask a;
    EXPECT_EQ(a.Opacity, 255);
    a.MergeMask(mask, picture, clRed);
    ASSERT_EQ(a.Width(), 4);
    ASSERT_EQ(a.Height(), 3);
    EXPECT_EQ(a.Image().format(), QImage::Format_ARGB32_Premultiplied);
    const uchar *px = a.Image().constScanLine(0);   // blue, green, red, alpha bytes
    EXPECT_EQ(px[0], 100);
    EXPECT_EQ(px[1], 50);
    EXPECT_EQ(px[2], 25);
    EXPECT_EQ(px[3], 128);
    EXPECT_EQ(a.Image().pixel(3, 2), 0u);
}

TEST(AlphaMask, MergeMaskRefusesWhatItCannotRead)
{
    TGridAlphaMask a;
    a.SetSize(2, 2);
    const QImage before = a.Image();
    QImage picture32(4, 4, QImage::Format_RGB32);
    picture32.fill(Qt::white);
    a.MergeMask(Bitmap24(4, 4, Qt::red), picture32, clNone);
    EXPECT_EQ(a.Image(), before);
    // A mask smaller than the picture would be read past its end.
    a.MergeMask(Bitmap24(3, 4, Qt::red), Bitmap24(4, 4, Qt::white), clNone);
    EXPECT_EQ(a.Image(), before);
}

TEST(AlphaMask, AssignCopiesOpacityAndPixels)
{
    TGridAlphaMask src;
    src.MergeMask(Bitmap24(3, 3, QColor(255, 0, 0)), Bitmap24(3, 3, QColor(10, 20, 30)), clNone);
    src.Opacity = 230;
    TGridAlphaMask same;
    same.SetSize(3, 3);
    same.Assign(src);
    EXPECT_EQ(same.Opacity, 230);
    EXPECT_EQ(same.Image(), src.Image());

    // Sizes that differ: only the common part is copied, nothing is resized.
    TGridAlphaMask small;
    small.SetSize(2, 5);
    small.Assign(src);
    EXPECT_EQ(small.Width(), 2);
    EXPECT_EQ(small.Height(), 5);
    EXPECT_EQ(small.Image().pixel(1, 2), src.Image().pixel(1, 2));
    EXPECT_EQ(small.Image().pixel(1, 4), 0u);

    TGridAlphaMask fromPicture;
    fromPicture.Assign(Bitmap24(5, 2, Qt::white));
    EXPECT_EQ(fromPicture.Image().format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(fromPicture.Width(), 5);
}

TEST(ArrowWindow, OutlinesAsDrawn)
{
    using P = std::vector<QPoint>;
    const struct {
        TArrowDirection Dir;
        P Points;
    } cases[] = {
        {arrUp, P{{5, 0}, {10, 5}, {7, 5}, {7, 9}, {3, 9}, {3, 5}, {0, 5}}},
        {arrDown, P{{3, 0}, {7, 0}, {7, 4}, {9, 4}, {5, 8}, {1, 4}, {3, 4}}},
        {arrLeft, P{{0, 3}, {0, 7}, {4, 7}, {4, 10}, {8, 5}, {4, 0}, {4, 3}}},
        {arrRight, P{{0, 5}, {4, 10}, {4, 7}, {8, 7}, {8, 3}, {4, 3}, {4, 0}}},
    };
    for (const auto &c : cases) {
        const auto outline = TArrowWindow::ArrowOutline(c.Dir);
        ASSERT_EQ(std::size(outline), c.Points.size()) << c.Dir;
        for (size_t i = 0; i < c.Points.size(); ++i) {
            EXPECT_EQ(outline[i].X, c.Points[i].x()) << c.Dir << " point " << i;
            EXPECT_EQ(outline[i].Y, c.Points[i].y()) << c.Dir << " point " << i;
        }
    }
}

TEST(ArrowWindow, OutlineShapesTheWindow)
{
    QWidget owner;
    const struct {
        TArrowDirection Dir;
        QPoint In, Out;
    } cases[] = {{arrUp, {5, 2}, {1, 8}}, {arrDown, {5, 6}, {1, 1}},
                 {arrLeft, {6, 5}, {1, 1}}, {arrRight, {2, 5}, {7, 1}}};
    for (const auto &c : cases) {
        TArrowWindow w(&owner, c.Dir);
        EXPECT_EQ(w.Dir, c.Dir);
        EXPECT_EQ(w.Arrow, TArrowWindow::ArrowOutline(c.Dir));
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(w.Color(), clLime);
        EXPECT_TRUE(w.windowFlags() & Qt::FramelessWindowHint);
        EXPECT_TRUE(w.mask().contains(c.In)) << c.Dir;
        EXPECT_FALSE(w.mask().contains(c.Out)) << c.Dir;
        w.resize(11, 11);
        EXPECT_EQ(PixelAt(RenderWidget(w), c.In.x(), c.In.y()), clLime);
    }
}

TEST(GridFocusWindow, ShowsTheMaskAtItsOpacity)
{
    QWidget owner;
    TGridFocusWindow w(&owner);
    EXPECT_EQ(w.size(), QSize(0, 0));
    EXPECT_FALSE(w.isEnabled());
    EXPECT_TRUE(w.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(w.Color(), clRed);

    TGridAlphaMask mask;
    mask.MergeMask(Bitmap24(6, 4, QColor(255, 0, 0)), Bitmap24(6, 4, QColor(0, 0, 200)), clNone);
    mask.Opacity = 128;
    w.SetAlphaMask(mask);
    EXPECT_EQ(w.size(), QSize(6, 4));
    QImage img(6, 4, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    w.render(&img, QPoint(), QRegion(), QWidget::RenderFlags());
    // Opaque pixels shown at the window's opacity of one half.
    const QColor p = img.pixelColor(3, 2);
    EXPECT_NEAR(p.alpha(), 128, 2);
    EXPECT_NEAR(p.blue(), 200, 6);
    EXPECT_EQ(p.red(), 0);
}

} // namespace
