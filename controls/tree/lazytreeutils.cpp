#include "controls/tree/lazytreeutils.h"

#include "controls/tree/lazytree.h"
#include "controls/tree/lazytreeglobals.h"

#include <QImage>
#include <QPainter>
#include <QRegion>
#include <algorithm>

TRect SortRectCorners(TRect R)
{
    if (R.Left > R.Right)
        std::swap(R.Left, R.Right);
    if (R.Top > R.Bottom)
        std::swap(R.Top, R.Bottom);
    return R;
}

void SelectClipRectangle(TCanvas &Canvas, const TRect &ClipRect, const QRegion *VisibleRegion)
{
    if (!VisibleRegion) {
        Canvas.SetClipRect(ClipRect);
        return;
    }
    QPainter *painter = Canvas.Painter();
    painter->setClipRegion(QRegion(ClipRect.ToQRect()) & *VisibleRegion);
}

void MeasureTextRect(TCanvas &Canvas, const QString &S, TRect &Bounds, unsigned DrawFormat)
{
    Bounds.Right = Bounds.Left + 1;
    Bounds.Bottom = Bounds.Top + 1;
    Canvas.DrawText(S, Bounds, DrawFormat | DT_CALCRECT);
}

QString ShortenWithEllipsis(TCanvas &Canvas, const QString &S, int Width, int EllipsisWidth)
{
    if (S.isEmpty() || Width <= 0)
        return QString();
    if (EllipsisWidth == 0)
        EllipsisWidth = Canvas.TextWidth(QStringLiteral("..."));
    qsizetype lo = 0, hi = S.size();
    while (hi > lo) {
        const qsizetype n = (lo + hi + 1) / 2;
        if (EllipsisWidth + Canvas.TextWidth(S.left(n)) <= Width)
            lo = n;
        else
            hi = n - 1;
    }
    if (lo == S.size())
        return S;
    if (EllipsisWidth < Width)
        return S.left(lo) + QStringLiteral("...");
    return QString();
}

QString WrapTextToWidth(TCanvas &Canvas, const QString &Text, const TRect &Bounds, bool RightToLeft,
                        unsigned DrawFormat)
{
    const QString trimmed = Text.trimmed();
    if (trimmed.isEmpty())
        return QString();
    const int maxWidth = Bounds.Width();
    QStringList words = trimmed.split(QLatin1Char(' '));
    auto fits = [&](const QString &Candidate) {
        TRect r = Bounds;
        MeasureTextRect(Canvas, Candidate, r, DrawFormat);
        return r.Width() <= maxWidth;
    };
    QString result;
    // Right to left the words are taken from the end and lines grow at their front.
    qsizetype next = RightToLeft ? words.size() - 1 : 0;
    auto more = [&] { return RightToLeft ? next >= 0 : next < words.size(); };
    while (more()) {
        QString line;
        while (more()) {
            const QString word = words[next];
            const QString candidate =
                line.isEmpty() ? word : (RightToLeft ? word + QLatin1Char(' ') + line
                                                     : line + QLatin1Char(' ') + word);
            if (fits(candidate)) {
                line = candidate;
                next += RightToLeft ? -1 : 1;
                continue;
            }
            if (line.isEmpty()) {
                // The word alone is too wide: the part that fits stays on this line.
                if (word.size() <= 1) {
                    line = word;
                    next += RightToLeft ? -1 : 1;
                } else {
                    qsizetype keep = word.size() - 1;
                    while (keep > 1 && !fits(RightToLeft ? word.right(keep) : word.left(keep)))
                        --keep;
                    keep = std::max<qsizetype>(keep, 1);
                    line = RightToLeft ? word.right(keep) : word.left(keep);
                    words[next] = RightToLeft ? word.left(word.size() - keep) : word.mid(keep);
                }
            }
            break;
        }
        result += line + QLatin1Char('\n');
    }
    result.chop(1);
    return result;
}

uint8_t *ScanLineAddress(uint8_t *Bits, int Width, int Height, int Row)
{
    const int r = Height > 0 ? Height - Row - 1 : Row;
    return Bits + ptrdiff_t(Width) * 32 * r / 8;
}

uint8_t *ImageBits(QImage *Image, int &Width, int &Height)
{
    Width = Height = 0;
    if (!Image || Image->isNull())
        throw ELazyTreeAssertion("Alpha blending DC error: no bitmap available.");
    if (Image->depth() != 32)
        throw ELazyTreeAssertion("Alpha blending error: bitmap must use 32 bpp.");
    Width = Image->width();
    Height = Image->height();
    return Image->bits();
}

namespace {

inline uint8_t Clamp(int Value)
{
    return uint8_t(std::clamp(Value, 0, 255));
}

}   // namespace

void MixRowConstantAlpha(const uint8_t *Source, uint8_t *Destination, int Count, int ConstantAlpha,
                         int Bias)
{
    const int a = ConstantAlpha;
    for (int i = 0; i < Count * 4; ++i)
        Destination[i] = Clamp(((Destination[i] * (256 - a) + Source[i] * a) >> 8) + Bias);
}

void MixRowSourceAlpha(const uint8_t *Source, uint8_t *Destination, int Count, int Bias)
{
    for (int p = 0; p < Count; ++p) {
        const int a = Source[4 * p + 3];
        for (int c = 0; c < 4; ++c) {
            uint8_t &d = Destination[4 * p + c];
            d = Clamp(((d * (256 - a) + Source[4 * p + c] * a) >> 8) + Bias);
        }
    }
}

void MixRowScaledAlpha(const uint8_t *Source, uint8_t *Destination, int Count, int ConstantAlpha,
                       int Bias)
{
    for (int p = 0; p < Count; ++p) {
        const int a = (Source[4 * p + 3] * ConstantAlpha) >> 8;
        for (int c = 0; c < 4; ++c) {
            uint8_t &d = Destination[4 * p + c];
            d = Clamp(((d * (256 - a) + Source[4 * p + c] * a) >> 8) + Bias);
        }
    }
}

void MixRowWithColor(uint8_t *Destination, int Count, int ConstantAlpha, TColor Color)
{
    const int a = ConstantAlpha;
    const int rgb = ColorToRGB(Color);
    const int channel[4] = {GetBValue(rgb), GetGValue(rgb), GetRValue(rgb), 0};
    for (int p = 0; p < Count; ++p)
        for (int c = 0; c < 4; ++c) {
            uint8_t &d = Destination[4 * p + c];
            d = Clamp((d * (256 - a) + channel[c] * a) >> 8);
        }
}

void BlendRectangle(QImage *Source, QImage *Destination, const TRect &R, TPoint Target,
                    TBlendMode Mode, int ConstantAlpha, int Bias)
{
    if (R.Width() <= 0 || R.Height() <= 0)
        return;
    int dw = 0, dh = 0;
    ImageBits(Destination, dw, dh);
    // QImage rows run top-down and may be padded: rows are taken through their own stride.
    auto row = [](QImage *Image, int Y, int X) { return Image->scanLine(Y) + 4 * X; };
    if (Mode == TBlendMode::blendTint) {
        const int left = std::max(R.Left, 0), right = std::min(R.Right, dw);
        for (int y = std::max(R.Top, 0); y < std::min(R.Bottom, dh); ++y)
            if (right > left)
                MixRowWithColor(row(Destination, y, left), right - left, ConstantAlpha, Bias);
        return;
    }
    int sw = 0, sh = 0;
    ImageBits(Source, sw, sh);
    // Only pixels inside both images are touched.
    for (int y = 0; y < R.Height(); ++y) {
        const int sy = R.Top + y, dy = Target.Y + y;
        if (sy < 0 || sy >= sh || dy < 0 || dy >= dh)
            continue;
        int sx = R.Left, dx = Target.X, count = R.Width();
        if (sx < 0) { dx -= sx; count += sx; sx = 0; }
        if (dx < 0) { sx -= dx; count += dx; dx = 0; }
        count = std::min({count, sw - sx, dw - dx});
        if (count <= 0)
            continue;
        const uint8_t *s = row(Source, sy, sx);
        uint8_t *d = row(Destination, dy, dx);
        switch (Mode) {
        case TBlendMode::blendConstant: MixRowConstantAlpha(s, d, count, ConstantAlpha, Bias); break;
        case TBlendMode::blendPerPixel: MixRowSourceAlpha(s, d, count, Bias); break;
        case TBlendMode::blendPerPixelScaled: MixRowScaledAlpha(s, d, count, ConstantAlpha, Bias); break;
        case TBlendMode::blendTint: break;
        }
    }
}

uint32_t ImageListColor(TColor Color)
{
    if (Color == clNone)
        return 0xFFFFFFFFu;
    if (Color == clDefault)
        return 0xFF000000u;
    return uint32_t(ColorToRGB(Color));
}

void StretchBitmapOnto(TCanvas &Canvas, const TRect &R, const QImage &Bitmap)
{
    Canvas.StretchDraw(R, Bitmap);
}

bool ProcessorSupportsMMX()
{
    return true;
}

void DragMoveRectangles(int W, int H, int DX, int DY, TRect &ClipRect, TRect &ScrollRect,
                        TDragStrip &Sample1, TDragStrip &Sample2, TDragStrip &Restore1,
                        TDragStrip &Restore2)
{
    const int ax = std::abs(DX), ay = std::abs(DY);
    ClipRect = TRect(0, 0, W, H);
    if (DX == 0) {
        if (DY > 0) {
            ScrollRect = TRect(0, 0, W, H - DY);
            Sample2 = {0, 0, W, ay};
            Restore2 = {0, H - DY, W, ay};
        } else if (DY < 0) {
            ScrollRect = TRect(0, ay, W, H);
            Sample2 = {0, H - ay, W, ay};
            Restore2 = {0, 0, W, ay};
        }
    } else if (DX > 0) {
        if (DY == 0) {
            ScrollRect = TRect(0, 0, W - DX, H);
            Sample1 = {0, 0, DX, H};
            Restore1 = {W - DX, 0, DX, H};
        } else if (DY > 0) {
            ScrollRect = TRect(0, 0, W - DX, H - DY);
            Sample1 = {0, 0, DX, H};
            Sample2 = {DX, 0, W - DX, ay};
            Restore1 = {0, H - DY, W - DX, ay};
            Restore2 = {W - DX, 0, DX, H};
        } else {
            ScrollRect = TRect(0, ay, W - DX, H);
            Sample1 = {0, 0, DX, H};
            Sample2 = {DX, H - ay, W - DX, ay};
            Restore1 = {0, 0, W - DX, ay};
            Restore2 = {W - DX, 0, DX, H};
        }
    } else {
        if (DY == 0) {
            ScrollRect = TRect(ax, 0, W, H);
            Sample1 = {W - ax, 0, ax, H};
            Restore1 = {0, 0, ax, H};
        } else if (DY < 0) {
            ScrollRect = TRect(ax, ay, W, H);
            Sample1 = {0, H - ay, W - ax, ay};
            Sample2 = {W - ax, 0, ax, H};
            Restore1 = {0, 0, ax, H};
            Restore2 = {ax, 0, W - ax, ay};
        } else {
            ScrollRect = TRect(ax, 0, W, H);
            Sample1 = {0, 0, W - ax, DY};
            Sample2 = {W - ax, 0, ax, H};
            Restore1 = {0, 0, ax, H};
            Restore2 = {ax, H - DY, W - ax, DY};
        }
    }
}

void DrawImageEnabledOrGrey(const TLTImageList &ImageList, int Index, TCanvas &Canvas, int X, int Y,
                            bool Enabled)
{
    if (Enabled) {
        if (Index >= 0 && Index < ImageList.Count())
            Canvas.Draw(X, Y, ImageList.Image(Index));
    } else {
        DrawImageSaturated(ImageList, Canvas, X, Y, Index);
    }
}

void DrawImageSaturated(const TLTImageList &ImageList, TCanvas &Canvas, int X, int Y, int Index)
{
    if (Index < 0 || Index >= ImageList.Count())
        return;
    // Grey from the luminance, keeping each pixel's alpha.
    QImage image = ImageList.Image(Index).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int g = qGray(line[x]);
            line[x] = qRgba(g, g, g, qAlpha(line[x]));
        }
    }
    Canvas.Draw(X, Y, image);
}

void DrawInvertedFocusFrame(QPainter &Painter, const QRect &R)
{
    if (R.width() <= 0 || R.height() <= 0)
        return;
    Painter.save();
    Painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const QBrush dots(Qt::white, Qt::Dense4Pattern);
    Painter.fillRect(QRect(R.left(), R.top(), R.width(), 1), dots);
    Painter.fillRect(QRect(R.left(), R.bottom(), R.width(), 1), dots);
    Painter.fillRect(QRect(R.left(), R.top() + 1, 1, R.height() - 2), dots);
    Painter.fillRect(QRect(R.right(), R.top() + 1, 1, R.height() - 2), dots);
    Painter.restore();
}
