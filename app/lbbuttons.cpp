#include "app/lbbuttons.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

using enum TLbButtonStyle;
using enum TLbButtonLayout;

TLbColorStyleColors GetColorStyleColors(TLbColorStyle style)
{
    switch (style) {
    case TLbColorStyle::lcsGold:
        return {0x00C0C0, 0x00FFFF, 0x008080, clNone, 0x00DFDF, false, 0x000000, bsModern};
    case TLbColorStyle::lcsChrome:
        return {0xC0C0C0, 0xFFFFFF, 0x808080, clNone, clNone, false, 0x000000, bsModern};
    case TLbColorStyle::lcsBlue:
        return {0xFF8000, 0xFFFF00, 0xFF0000, clNone, clNone, false, 0x000000, bsModern};
    case TLbColorStyle::lcsRed:
        return {0x0000FF, 0xC0C0FF, 0x0000C0, clNone, clNone, false, 0x000000, bsModern};
    case TLbColorStyle::lcsUltraFlat1:
        return {clBtnFace, 0xB59284, 0xB59284, 0xB59284, 0xDED3D6, true, 0x000000, bsNormal};
    case TLbColorStyle::lcsUltraFlat2:
        return {clBtnFace, 0x000000, 0x000000, 0x24DABC, 0x8CF6E4, true, 0x000000, bsNormal};
    case TLbColorStyle::lcsUltraFlatXP:
        return {0xD1D8DB, 0xB59284, 0xB59285, 0xB59285, 0xD2BDB6, true, 0x000000, bsNormal};
    case TLbColorStyle::lcsAqua:
        return {0xECCE94, 0xFCE6D4, 0x000000, clNone, clNone, false, 0x000000, bsModern};
    case TLbColorStyle::lcsQuicken:
        return {0x603000, 0xC0C0C0, 0xC0C0C0, 0xAD6529, 0xCEAE9C, false, 0xFFFFFF, bsQuicken};
    case TLbColorStyle::lcsDefault:
    case TLbColorStyle::lcsCustom:
        break;
    }
    return {clBtnFace, 0xFFFFFF, 0x808080, clNone, clNone, false, 0x000000, bsNormal};
}

TColor BlendHotTrackColor(TColor Color, TColor HotTrackColor, int HotTrackStep)
{
    const TColor c = ColorToRGB(Color);
    const TColor h = ColorToRGB(HotTrackColor);
    const double s = HotTrackStep / 8.0;
    const auto mix = [s](int a, int b) { return int(std::trunc((1 - s) * a + s * b)); };
    return RGB(mix(GetRValue(c), GetRValue(h)), mix(GetGValue(c), GetGValue(h)),
               mix(GetBValue(c), GetBValue(h)));
}

void DrawVerticalGradient(TCanvas &Canvas, TColor first, TColor last, int left, int top,
                          int right, int bottom)
{
    const TPen pen = Canvas.Pen;
    const TBrush brush = Canvas.Brush;
    Canvas.Pen.Style = psClear;
    const TColor a = ColorToRGB(first);
    const TColor b = ColorToRGB(last);
    // Channel value of band i: the first colour moved i 31sts of the way to the last.
    const auto channel = [](int from, int to, int i) { return int(from + i * (to - from) / 31.0); };
    const int span = bottom - top;
    Canvas.Brush.Style = bsSolid;
    for (int i = 0; i < 32; ++i) {
        const int y = top + i * span / 31;
        const int y2 = std::min(y + span / 31 + 1, bottom);
        Canvas.Brush.Color = RGB(channel(GetRValue(a), GetRValue(b), i),
                                 channel(GetGValue(a), GetGValue(b), i),
                                 channel(GetBValue(a), GetBValue(b), i));
        Canvas.FillRect(Rect(left, y, right, std::max(y, y2)));
    }
    Canvas.Pen = pen;
    Canvas.Brush = brush;
}

void DrawGlyphCell(TCanvas &Canvas, const QImage &Glyph, int x, int y, int sourceX,
                   int cellWidth, int cellHeight)
{
    if (Glyph.isNull() || cellWidth <= 0 || cellHeight <= 0)
        return;
    // A source beyond the strip leaves the cell holding the strip's first cell.
    QImage cell = Glyph.copy(0, 0, cellWidth, cellHeight).convertToFormat(QImage::Format_ARGB32);
    {
        QPainter p(&cell);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(-sourceX, 0, Glyph);
    }
    if (Glyph.hasAlphaChannel())
        Canvas.Draw(x, y, cell);
    else
        Canvas.DrawTransparent(x, y, cell, FromQColor(QColor(cell.pixel(0, cellHeight - 1))));
}

namespace {

void Draw_Outline(TCanvas &c, const TLbFaceValues &v, bool down, TColor face)
{
    const int W = v.W, H = v.H;
    c.Brush.Style = bsClear;
    c.Pen.Style = psSolid;
    switch (v.Style) {
    case bsNormal:
    case bsEncarta:
    case bsOld: {
        const bool drawn = v.Enabled ? (!v.Flat || v.Hot || down) : !v.Flat;
        if (!drawn)
            return;
        if (v.Style != bsOld) {
            c.Pen.Color = down ? v.ShadowColor : v.LightColor;
            c.MoveTo(0, H - 1);
            c.LineTo(0, 0);
            c.LineTo(W - 1, 0);
            c.Pen.Color = down ? v.LightColor : v.ShadowColor;
            c.LineTo(W - 1, H - 1);
            c.LineTo(0, H - 1);
        } else if (!down) {
            c.Pen.Color = v.ShadowColor;
            c.MoveTo(W - 2, 0);
            c.LineTo(W - 2, H - 2);
            c.LineTo(0, H - 2);
            c.Pen.Color = v.LightColor;
            c.MoveTo(0, H - 1);
            c.LineTo(0, 0);
            c.LineTo(W - 1, 0);
            c.Pen.Color = cl3DDkShadow;
            c.LineTo(W - 1, H - 1);
            c.LineTo(-1, H - 1);
        } else {
            c.Pen.Color = v.ShadowColor;
            c.MoveTo(1, H - 3);
            c.LineTo(1, 1);
            c.LineTo(W - 2, 1);
            c.Pen.Color = cl3DDkShadow;
            c.MoveTo(0, H - 1);
            c.LineTo(0, 0);
            c.LineTo(W - 1, 0);
            c.Pen.Color = v.LightColor;
            c.LineTo(W - 1, H - 1);
            c.LineTo(-1, H - 1);
        }
        break;
    }
    case bsModern:
        c.Pen.Color = down ? v.ShadowColor : face;
        c.Rectangle(1, 1, W - 1, H - 1);
        c.Pen.Color = v.ShadowColor;
        c.RoundRect(0, 0, W, H, 6, 6);
        break;
    case bsQuicken:
        c.Pen.Style = psClear;
        c.Brush.Style = bsSolid;
        c.Brush.Color = face;
        c.RoundRect(0, 1, W, H, 4, 4);
        c.Pen.Style = psSolid;
        c.Pen.Color = v.ShadowColor;
        c.MoveTo(4, 0);
        c.LineTo(W - 5, 0);
        c.MoveTo(4, H - 1);
        c.LineTo(W - 5, H - 1);
        break;
    case bsShape:
        break;
    }
}

unsigned Align_Flag(Qt::Alignment a)
{
    if (a & Qt::AlignRight)
        return DT_RIGHT;
    if (a & Qt::AlignLeft)
        return DT_LEFT;
    return DT_CENTER;
}

} // namespace

void DrawButtonFace(TCanvas &Canvas, const TLbFaceValues &v)
{
    const int W = v.W, H = v.H;
    const bool down = v.Down && v.Enabled;
    const int P = down && v.Style != bsEncarta ? 1 : 0;

    TColor face = v.Color;
    if (v.Enabled && v.HotTrackColor != clNone)
        face = BlendHotTrackColor(v.Color, v.HotTrackColor, v.HotTrackStep);
    if (down && v.ColorWhenDown != clNone)
        face = v.ColorWhenDown;

    Canvas.Brush.Style = bsSolid;
    if (v.Style == bsShape) {
        Canvas.Brush.Color = clFuchsia;
        Canvas.FillRect(Rect(-1, -1, W + 1, H + 1));
    } else if (!v.NoBackground) {
        switch (v.Style) {
        case bsNormal:
        case bsEncarta:
        case bsOld:
            Canvas.Brush.Color = face;
            Canvas.FillRect(Rect(-1, -1, W + 1, H + 1));
            break;
        case bsModern:
            DrawVerticalGradient(Canvas, v.LightColor, face, 2, 2, W - 2, H / 4 + P);
            DrawVerticalGradient(Canvas, face, v.LightColor, 2, H / 4 + P, W - 2, H - 1);
            break;
        default:
            break;
        }
    }
    Draw_Outline(Canvas, v, down, face);

    Canvas.Font = v.Font;
    if (v.Style == bsEncarta && down)
        Canvas.Font.Style |= fsBold;

    const int G = v.Glyph.isNull() ? 0 : v.Glyph.height();
    const int gw = v.NumGlyphs > 0 && !v.Glyph.isNull() ? v.Glyph.width() / v.NumGlyphs : 0;
    int source = 0;
    if (!v.Enabled)
        source = gw;
    else if (down && v.NumGlyphs > 2)
        source = 2 * gw;
    else if (v.Hot && v.NumGlyphs > 3)
        source = 3 * gw;

    const bool horizontal = v.Layout == blGlyphLeft || v.Layout == blGlyphRight;
    int A = W - 8;
    if (v.Style != bsShape && horizontal && gw > 0)
        A -= gw + 4;
    A = std::max(A, 0);

    QString caption = v.Caption;
    if (!v.WordWrap)
        while (!caption.isEmpty() && Canvas.TextWidth(caption) > A)
            caption.chop(1);
    TRect measured(0, 0, A, 0);
    Canvas.DrawText(caption, measured, DT_CALCRECT | DT_WORDBREAK);
    const int T = measured.Height();
    const int tw = measured.Width();
    const int tw4 = caption.isEmpty() ? 0 : tw + 4;

    Canvas.Brush.Style = bsClear;
    if (v.Style == bsShape) {
        DrawGlyphCell(Canvas, v.Glyph, (W - gw) / 2, (H - G) / 2, source, gw, G);
        TRect r(P, (H - T) / 2 + P, W, H);
        Canvas.DrawText(caption, r, DT_WORDBREAK | DT_CENTER);
    } else {
        int textLeft = P + 4, textTop = 0, glyphLeft = 0, glyphTop = 0;
        const unsigned align = Align_Flag(v.Alignment);
        if (horizontal) {
            textTop = (H - T) / 2 + P;
            glyphTop = (H - G) / 2 + P;
            if (v.Layout == blGlyphLeft) {
                if (gw > 0)
                    textLeft += gw + 4;
                glyphLeft = P + 4;
                if (!v.WordWrap) {
                    if (align == DT_RIGHT)
                        glyphLeft = W - 4 - gw - tw4 + P;
                    else if (align == DT_CENTER)
                        glyphLeft = (W - gw) / 2 + P - tw4 / 2;
                }
            } else {
                glyphLeft = textLeft + tw4;
                if (!v.WordWrap) {
                    if (align == DT_RIGHT)
                        glyphLeft = W - 4 + P - gw;
                    else if (align == DT_CENTER)
                        glyphLeft = (W - gw) / 2 + P + tw4 / 2;
                }
            }
        } else {
            const int K = T + (G > 0 ? G + 4 : 0);
            if (v.Layout == blGlyphTop) {
                textTop = (H - K) / 2 + G + P;
                glyphTop = (H - K) / 2 + P;
            } else {
                textTop = (H - K) / 2 + P;
                glyphTop = (H - K) / 2 + T + P;
            }
            glyphLeft = align == DT_LEFT ? P + 4
                        : align == DT_RIGHT ? W - gw - 4 + P
                                            : (W - gw) / 2 + P;
        }
        if (!v.Enabled)
            Canvas.Font.Color = 0x808080;
        TRect r(textLeft, textTop, textLeft + A, textTop + T);
        Canvas.DrawText(caption, r, DT_WORDBREAK | align);
        DrawGlyphCell(Canvas, v.Glyph, glyphLeft, glyphTop, source, gw, G);
    }

    if (v.HasPopup) {
        const QImage arrow = LbButtonResource(QStringLiteral("LBARROW"));
        Canvas.DrawTransparent(W - 11, H / 2 - 1, arrow,
                               FromQColor(QColor(arrow.pixel(0, arrow.height() - 1))));
    }
}

namespace {

// The kinds' pictures: the same figure in colour and, in the second cell, in grey.
using TFigure = void (*)(QPainter &, QColor);

void Check(QPainter &p, QColor c)
{
    p.setPen(QPen(c, 3));
    p.drawPolyline(QPolygon({QPoint(3, 9), QPoint(7, 13), QPoint(14, 4)}));
}
void Cross(QPainter &p, QColor c)
{
    p.setPen(QPen(c, 3));
    p.drawLine(4, 4, 13, 13);
    p.drawLine(13, 4, 4, 13);
}
void Question(QPainter &p, QColor c)
{
    p.setPen(c);
    QFont f = p.font();
    f.setPixelSize(16);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(0, 0, 18, 18), Qt::AlignCenter, QStringLiteral("?"));
}
void Forbidden(QPainter &p, QColor c)
{
    p.setPen(QPen(c, 2));
    p.drawEllipse(3, 3, 11, 11);
    p.drawLine(5, 13, 13, 5);
}
void Door(QPainter &p, QColor c)
{
    p.setPen(QPen(c, 2));
    p.drawRect(4, 2, 9, 13);
    p.drawPoint(11, 9);
}
void Retry(QPainter &p, QColor c)
{
    p.setPen(QPen(c, 2));
    p.drawArc(3, 3, 12, 12, 90 * 16, 270 * 16);
    p.drawLine(9, 3, 12, 1);
    p.drawLine(9, 3, 12, 6);
}
void Arrow(QPainter &p, QColor c)
{
    p.setPen(QPen(c, 2));
    p.drawLine(3, 9, 14, 9);
    p.drawLine(14, 9, 10, 5);
    p.drawLine(14, 9, 10, 13);
}
void Double_Check(QPainter &p, QColor c)
{
    p.setPen(QPen(c, 2));
    p.drawPolyline(QPolygon({QPoint(1, 9), QPoint(4, 12), QPoint(10, 4)}));
    p.drawPolyline(QPolygon({QPoint(7, 9), QPoint(10, 12), QPoint(16, 4)}));
}

QImage Kind_Strip(TFigure figure, QColor colour)
{
    QImage strip(36, 18, QImage::Format_RGB32);
    strip.fill(QColor(255, 0, 255));
    QPainter p(&strip);
    figure(p, colour);
    p.translate(18, 0);
    figure(p, QColor(128, 128, 128));
    return strip;
}

} // namespace

QImage LbButtonResource(const QString &name)
{
    struct TResource
    {
        const char *Name;
        TFigure Figure;
        QColor Colour;
    };
    static const TResource resources[] = {
        {"LBOK", Check, QColor(0, 128, 0)},        {"LBCANCEL", Cross, QColor(192, 0, 0)},
        {"LBHELP", Question, QColor(0, 0, 160)},   {"LBYES", Check, QColor(0, 128, 0)},
        {"LBNO", Forbidden, QColor(192, 0, 0)},    {"LBCLOSE", Door, QColor(96, 64, 0)},
        {"LBABORT", Cross, QColor(192, 0, 0)},     {"LBRETRY", Retry, QColor(0, 128, 0)},
        {"LBIGNORE", Arrow, QColor(0, 0, 160)},    {"LBALL", Double_Check, QColor(0, 128, 0)},
    };
    if (name == QLatin1String("LBARROW")) {
        QImage arrow(5, 3, QImage::Format_RGB32);
        arrow.fill(QColor(255, 0, 255));
        for (int row = 0; row < 3; ++row)
            for (int x = row; x < 5 - row; ++x)
                arrow.setPixel(x, row, qRgb(0, 0, 0));
        return arrow;
    }
    for (const TResource &r : resources)
        if (name == QLatin1String(r.Name))
            return Kind_Strip(r.Figure, r.Colour);
    return {};
}
