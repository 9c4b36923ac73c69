#include "mbus/dazpagedraw.h"

#include <QImage>
#include <algorithm>
#include <cmath>

namespace {

// Halves round to even, as the gradient's colour and band arithmetic always did.
int RoundHalfEven(double v)
{
    return int(std::nearbyint(v));
}

// The image's pixels of the transparent colour made fully transparent.
QImage Masked(const QImage &image, TColor transparent)
{
    QImage img = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = ToQColor(transparent).rgb() & 0x00FFFFFFu;
    for (int row = 0; row < img.height(); ++row) {
        QRgb *line = reinterpret_cast<QRgb *>(img.scanLine(row));
        for (int col = 0; col < img.width(); ++col)
            if ((line[col] & 0x00FFFFFFu) == key)
                line[col] = 0;
    }
    return img;
}

TColor BottomLeft(const QImage &image)
{
    return FromQColor(image.pixelColor(0, image.height() - 1));
}

} // namespace

void DrawGradient(TCanvas &canvas, TColor FromColor, TColor ToColor, bool Horizontal,
                  const TRect &r, int Steps)
{
    if (Steps <= 0)
        Steps = 1;
    const TColor from = ColorToRGB(FromColor), to = ColorToRGB(ToColor);
    const int fr = GetRValue(from), fg = GetGValue(from), fb = GetBValue(from);
    const int dr = GetRValue(to) - fr, dg = GetGValue(to) - fg, db = GetBValue(to) - fb;
    const double band = (Horizontal ? r.Width() : r.Height()) / double(Steps);
    canvas.Pen.Style = psSolid;
    canvas.Pen.Width = 1;
    canvas.Pen.Mode = pmCopy;
    canvas.Brush.Style = bsSolid;
    for (int i = 0; i < Steps; ++i) {
        const TColor c = RGB(fr + RoundHalfEven(double(i) * dr / Steps),
                             fg + RoundHalfEven(double(i) * dg / Steps),
                             fb + RoundHalfEven(double(i) * db / Steps));
        canvas.Pen.Color = c;
        canvas.Brush.Color = c;
        if (Horizontal) {
            const int x = r.Left + RoundHalfEven(i * band);
            canvas.Rectangle(x, r.Top, x + RoundHalfEven(band) + 1, r.Bottom);
        } else {
            const int y = r.Top + RoundHalfEven(i * band);
            canvas.Rectangle(r.Left, y, r.Right, y + RoundHalfEven(band) + 1);
        }
    }
}

void DrawTransparentBitmap(TCanvas &canvas, const QImage &bitmap, int x, int y, int width,
                           int height, int sx, int sy, TColor transparent)
{
    if (bitmap.isNull() || width <= 0 || height <= 0)
        return;
    canvas.Draw(x, y, Masked(bitmap.copy(sx, sy, width, height), transparent));
}

void StretchTransparentBitmap(TCanvas &canvas, const QImage &bitmap, int x, int y, int width,
                              int height, int sx, int sy, int sw, int sh, TColor transparent)
{
    if (bitmap.isNull() || width <= 0 || height <= 0 || sw <= 0 || sh <= 0)
        return;
    canvas.StretchDraw(Bounds(x, y, width, height), Masked(bitmap.copy(sx, sy, sw, sh), transparent));
}

void DrawVerticalTabImage(const QImage &bitmap, TCanvas &canvas, int x, int length, int y)
{
    if (bitmap.isNull())
        return;
    const TColor key = BottomLeft(bitmap);
    const int w = bitmap.width(), h = bitmap.height(), half = h / 2;
    const int middle = std::max(0, length - h);
    DrawTransparentBitmap(canvas, bitmap, x, y, w, half, 0, 0, key);
    StretchTransparentBitmap(canvas, bitmap, x, y + half, w, middle, 0, std::max(0, half - 1), w,
                             std::min(2, h), key);
    DrawTransparentBitmap(canvas, bitmap, x, y + half + middle, w, h - half, 0, half, key);
}

void DrawHorizontalTabImage(const QImage &bitmap, TCanvas &canvas, int x, int length, int y)
{
    if (bitmap.isNull())
        return;
    const TColor key = BottomLeft(bitmap);
    const int w = bitmap.width(), h = bitmap.height(), half = w / 2;
    const int middle = std::max(0, length - w);
    DrawTransparentBitmap(canvas, bitmap, x, y, half, h, 0, 0, key);
    StretchTransparentBitmap(canvas, bitmap, x + half, y, middle, h, std::max(0, half - 1), 0,
                             std::min(2, w), h, key);
    DrawTransparentBitmap(canvas, bitmap, x + half + middle, y, w - half, h, half, 0, key);
}

void DrawCloseButton(TCanvas &canvas, int x, int y, TCloseButtonState state, const QImage &glyph)
{
    if (!glyph.isNull()) {
        DrawTransparentBitmap(canvas, glyph, x + 2, y + 2, std::min(kCloseButtonWidth, glyph.width()),
                              std::min(kCloseButtonHeight, glyph.height()), 0, 0, BottomLeft(glyph));
        return;
    }
    TColor fill = clWhite, border = clGray, cross = clBlack;
    if (state == TCloseButtonState::Hot) {
        border = clBlack;
        cross = clGray;
    } else if (state == TCloseButtonState::Pressed) {
        fill = clSilver;
        border = clBlack;
    }
    canvas.Pen.Style = psSolid;
    canvas.Pen.Width = 1;
    canvas.Pen.Mode = pmCopy;
    canvas.Pen.Color = border;
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = fill;
    canvas.Rectangle(x + 2, y + 2, x + 2 + kCloseButtonWidth, y + 2 + kCloseButtonHeight);
    canvas.Pen.Color = cross;
    // Each diagonal a doubled stroke.
    canvas.MoveTo(x + 5, y + 4);
    canvas.LineTo(x + 11, y + 10);
    canvas.MoveTo(x + 6, y + 4);
    canvas.LineTo(x + 10, y + 10);
    canvas.MoveTo(x + 5, y + 10);
    canvas.LineTo(x + 11, y + 4);
    canvas.MoveTo(x + 6, y + 10);
    canvas.LineTo(x + 10, y + 4);
}
