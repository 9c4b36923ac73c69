#include "grid/base/alphamask.h"

#include "platform/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

TGridAlphaMask::TGridAlphaMask() : FImage(0, 0, QImage::Format_ARGB32_Premultiplied) {}

void TGridAlphaMask::SetSize(int width, int height)
{
    if (width == Width() && height == Height())
        return;
    QImage next(std::max(0, width), std::max(0, height), QImage::Format_ARGB32_Premultiplied);
    next.fill(0);
    FImage = next;
}

void TGridAlphaMask::Assign(const TGridAlphaMask &Source)
{
    Opacity = Source.Opacity;
    if (&Source == this)
        return;
    const int rows = std::min(Height(), Source.Height());
    const size_t bytes = size_t(std::min(Width(), Source.Width())) * 4;
    for (int y = 0; y < rows; ++y)
        std::memcpy(FImage.scanLine(y), Source.FImage.constScanLine(y), bytes);
}

void TGridAlphaMask::Assign(const QImage &Source)
{
    FImage = Source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

bool Is24BitBitmap(const QImage &Bitmap)
{
    return Bitmap.format() == QImage::Format_BGR888 || Bitmap.format() == QImage::Format_RGB888;
}

void TGridAlphaMask::MergeMask(const QImage &Mask, const QImage &Bitmap, TColor)
{
    if (!Is24BitBitmap(Bitmap) || Mask.width() < Bitmap.width() || Mask.height() < Bitmap.height())
        return;
    SetSize(Bitmap.width(), Bitmap.height());
    const QImage mask = Mask.convertToFormat(QImage::Format_RGB32);
    const QImage pic = Bitmap.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < Height(); ++y) {
        const QRgb *m = reinterpret_cast<const QRgb *>(mask.constScanLine(y));
        const QRgb *s = reinterpret_cast<const QRgb *>(pic.constScanLine(y));
        QRgb *d = reinterpret_cast<QRgb *>(FImage.scanLine(y));
        for (int x = 0; x < Width(); ++x) {
            const int a = qRed(m[x]);
            auto mul = [a](int c) { return (c * a + 127) / 255; };
            d[x] = qRgba(mul(qRed(s[x])), mul(qGreen(s[x])), mul(qBlue(s[x])), a);
        }
    }
}

TGaussianKernel BuildGaussianKernel(double Radius)
{
    TGaussianKernel k;
    // A radius of 0 (or no number) has no spread: the limit of ever smaller radii, a
    // kernel that keeps every pixel, instead of weights of 0 / 0.
    if (!(std::abs(Radius) > 0)) {
        k.Size = 1;
        k.Weights[10] = 1;
        return k;
    }
    double sum = 0;
    for (int i = -10; i <= 10; ++i) {
        const double x = i / Radius;
        k.Weights[i + 10] = std::exp(-x * x / 2);
        sum += k.Weights[i + 10];
    }
    for (double &w : k.Weights)
        w /= sum;
    // Drop the outer taps whose sum stays below half a grey level.
    k.Size = 10;
    double tail = 0;
    while (tail < 1.0 / (2 * 255) && k.Size > 1) {
        tail += 2 * k.Weights[k.Size + 10];
        --k.Size;
    }
    sum = 0;
    for (int i = -k.Size; i <= k.Size; ++i)
        sum += k.Weights[i + 10];
    for (int i = -k.Size; i <= k.Size; ++i)
        k.Weights[i + 10] /= sum;
    return k;
}

namespace {

// Convolves n pixels of 3 bytes, `stride` bytes apart; edge pixels repeat.
void BlurPixelRow(const TGaussianKernel &k, uint8_t *first, int n, int stride,
                  std::vector<uint8_t> &scratch)
{
    scratch.resize(size_t(n) * 3);
    for (int j = 0; j < n; ++j) {
        double s[3] = {0, 0, 0};
        for (int o = -k.Size; o <= k.Size; ++o) {
            const uint8_t *p = first + ptrdiff_t(std::clamp(j - o, 0, n - 1)) * stride;
            const double w = k.Weights[o + 10];
            s[0] += w * p[0];
            s[1] += w * p[1];
            s[2] += w * p[2];
        }
        for (int c = 0; c < 3; ++c) {
            // The weights sum to 1 only up to rounding: a uniform 255 must stay 255.
            const double v = s[c] + 1e-6;
            scratch[size_t(j) * 3 + c] = v >= 255 ? 255 : v < 0 ? 0 : uint8_t(v);
        }
    }
    for (int j = 0; j < n; ++j)
        std::memcpy(first + ptrdiff_t(j) * stride, &scratch[size_t(j) * 3], 3);
}

} // namespace

void BlurBitmap24(QImage &Bitmap, double Radius)
{
    if (!Is24BitBitmap(Bitmap))
        throw EInvalidGraphic("Blur only works for 24-bit bitmaps");
    const TGaussianKernel k = BuildGaussianKernel(Radius);
    const int w = Bitmap.width(), h = Bitmap.height();
    if (w == 0 || h == 0)
        return;
    const ptrdiff_t bpl = Bitmap.bytesPerLine();
    uint8_t *bits = Bitmap.bits();
    std::vector<uint8_t> scratch;
    for (int i = 0; i < h; ++i) {
        uint8_t *row = bits + i * bpl;
        if (i > 20 && i < h - 20)
            std::memcpy(row, bits + 15 * bpl, size_t(w) * 3);
        else
            BlurPixelRow(k, row, w, 3, scratch);
    }
    for (int j = 0; j < w; ++j) {
        if (j > 20 && j < w - 20) {
            for (int i = 0; i < h; ++i) {
                uint8_t *row = bits + i * bpl;
                std::memcpy(row + j * 3, row + 15 * 3, 3);
            }
        } else {
            BlurPixelRow(k, bits + j * 3, h, int(bpl), scratch);
        }
    }
}

void MakeRoundedMaskBitmap(QImage &Bitmap, int Width, int Height, double Radius, int CornerSize,
                           int PenWidth)
{
    Bitmap = QImage(std::max(0, Width), std::max(0, Height), QImage::Format_BGR888);
    Bitmap.fill(Qt::black);
    if (Bitmap.isNull())
        return;
    {
        TCanvas canvas(&Bitmap);
        const int c = PenWidth / 2;
        canvas.Pen.Color = clWhite;
        canvas.Pen.Width = std::max(1, PenWidth);
        canvas.Brush.Color = PenWidth >= 1 ? clBlack : clWhite;
        canvas.RoundRect(c + 2, c + 2, Width - c - 2, Height - c - 2, CornerSize, CornerSize);
    }
    if (Radius > 0)
        BlurBitmap24(Bitmap, Radius);
}
