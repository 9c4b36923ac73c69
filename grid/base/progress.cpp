#include "grid/base/progress.h"

#include "grid/base/drawroutines.h"
#include "platform/rtl.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>

void DrawPercentProgressBar(TCanvas &Canvas, TRect R, TColor CompleteColor,
                            TColor CompleteFontColor, TColor UnCompleteColor,
                            TColor UnCompleteFontColor, double Value, int MarginX, int MarginY,
                            double Min, double Max, const QString &Format, TColor BorderColor,
                            bool FlipY)
{
    const TColor saved = Canvas.Brush.Color;
    Canvas.Brush.Style = bsSolid;
    Canvas.Brush.Color = CompleteColor;
    Canvas.Pen.Color = CompleteColor;
    Canvas.Font.Color = CompleteFontColor;
    // A value that is no number, or lies beyond the integers, must not stop the painting:
    // it counts as 0, or as the nearest integer that exists.
    const double finite = std::isfinite(Value) ? Value : 0;
    const int v = int(Round(std::clamp(finite, double(INT_MIN), double(INT_MAX))));

    QString text;
    int64_t percent;
    if (Format.isEmpty()) {
        text = IntToStr(v) + u'%';
        percent = v;
    } else {
        text = Format.contains(u'd') || Format.contains(u'u') ? ::Format(Format, {v})
                                                               : ::Format(Format, {Value});
        // An empty range has no place in it: 0 %; nor has a value that is no number.
        const double place = Max == Min ? 0 : (finite - Min) * 100 / (Max - Min);
        percent = std::isfinite(place) ? Round(std::clamp(place, -1.0, 101.0)) : 0;
    }
    percent = std::clamp<int64_t>(percent, 0, 100);

    InflateRect(R, -MarginX, -MarginY);
    const int width = R.Right - R.Left, height = R.Bottom - R.Top;
    const int fill = R.Left + int(Round(width * double(percent) / 100));

    const int tw = Canvas.TextWidth(text), th = Canvas.TextHeight(text);
    const int x = R.Left + (width - tw) / 2;
    const int y = R.Top + (height - (FlipY ? -th : th)) / 2;

    Canvas.TextRect(TRect(R.Left, R.Top, fill, R.Bottom), x, y, text);
    Canvas.Brush.Color = UnCompleteColor;
    Canvas.Pen.Color = UnCompleteColor;
    Canvas.Font.Color = UnCompleteFontColor;
    Canvas.TextRect(TRect(fill, R.Top, R.Right, R.Bottom), x, y, text);

    // The border, then a ring in the cell's own background around it.
    Canvas.Brush.Color = BorderColor;
    Canvas.Pen.Color = saved;
    InflateRect(R, 1, 1);
    if (BorderColor != clNone)
        Canvas.FrameRect(R);
    Canvas.Brush.Color = saved;
    InflateRect(R, 1, 1);
    Canvas.FrameRect(R);
}

void DrawCenteredProgressBar(TCanvas &Canvas, TRect R, int Value, int Max, TColor PositiveColor,
                             TColor NegativeColor, bool)
{
    InflateRect(R, -2, -2);
    const int h = (R.Right - R.Left) / 2;
    // A zero or negative range draws no bar rather than dividing by zero.
    const int d = Max <= 0 ? 0 : int(Round(double(std::clamp(Value, -Max, Max)) * h / Max));
    Canvas.Brush.Style = bsSolid;
    Canvas.Pen.Style = psSolid;
    if (d < 0) {
        Canvas.Brush.Color = NegativeColor;
        Canvas.Pen.Color = NegativeColor;
        Canvas.Rectangle(R.Left + h + d, R.Top, R.Left + h, R.Bottom);
    } else {
        Canvas.Brush.Color = PositiveColor;
        Canvas.Pen.Color = PositiveColor;
        Canvas.Rectangle(R.Left + h, R.Top, R.Left + h + d, R.Bottom);
    }
}

namespace {

void DrawPieOutline(TCanvas &Canvas, int cx, int cy, int top, int ex, int ey)
{
    Canvas.MoveTo(cx, top);
    Canvas.LineTo(cx, cy);
    Canvas.LineTo(ex, ey);
}

} // namespace

// FlipY only moves the start point of a flood fill; the region filled is the same.
void DrawProgressPie(TCanvas &Canvas, const TRect &R, TColor FillColor, int Percent, bool)
{
    Canvas.Pen.Color = clGray;
    Canvas.Pen.Width = 1;
    Canvas.Pen.Style = psSolid;
    Canvas.Ellipse(R);
    const int w = R.Right - R.Left, h = R.Bottom - R.Top;
    const int cx = R.Left + w / 2, cy = R.Top + h / 2;
    const double a = Percent / 100.0 * 2 * std::numbers::pi;
    const double rx = (w + 1) / 2.0, ry = (h + 1) / 2.0;
    const int ex = cx + int(Round(rx * std::sin(a))), ey = cy - int(Round(ry * std::cos(a)));
    DrawPieOutline(Canvas, cx, cy, R.Top, ex, ey);
    Canvas.Brush.Color = FillColor;
    Canvas.Brush.Style = bsSolid;
    if (Percent == 0 || w == 0 || h == 0)
        return;

    // The region right of the top radius, from the top clockwise to the end radius, inside
    // the outline: the area a flood fill from just right of the top radius would cover.
    double sweep = 2 * std::numbers::pi;
    if (Percent < 100) {
        sweep = std::fmod(a, 2 * std::numbers::pi);
        if (sweep < 0)
            sweep += 2 * std::numbers::pi;
    }
    const QRectF oval = QRectF(R.Left + 0.5, R.Top + 0.5, w - 1, h - 1).normalized();
    QPainterPath inside;
    inside.addEllipse(oval);
    QPainterPath sector;
    sector.moveTo(cx, cy);
    const int steps = 2 + int(sweep * 32);
    for (int i = 0; i <= steps; ++i) {
        const double t = sweep * i / steps;
        sector.lineTo(cx + 1.5 * rx * std::sin(t), cy - 1.5 * ry * std::cos(t));
    }
    sector.closeSubpath();
    Canvas.Save();
    QPainter *p = Canvas.Painter();
    p->setPen(Qt::NoPen);
    p->setBrush(ToQColor(FillColor));
    p->drawPath(inside.intersected(sector));
    Canvas.Restore();
    // The fill stops at the grey border, which stays visible.
    Canvas.Brush.Style = bsClear;
    Canvas.Ellipse(R);
    DrawPieOutline(Canvas, cx, cy, R.Top, ex, ey);
    Canvas.Brush.Style = bsSolid;
}

namespace {

// One part of a level bar: two gradient halves across its thickness, or a solid fill.
void FillLevelPart(TCanvas &Canvas, const TRect &part, TColor color, TColor colorTo,
                   const TProgressLevelLook &Look)
{
    if (IsRectEmpty(part))
        return;
    if (!Look.ShowGradient) {
        FillRectSolid(Canvas, part, color);
        return;
    }
    if (Look.Vertical) {
        const int mid = part.Left + (part.Right - part.Left) / 2;
        FillGradientRect(Canvas, colorTo, color, Look.Steps, TRect(part.Left, part.Top, mid, part.Bottom), true);
        FillGradientRect(Canvas, color, colorTo, Look.Steps, TRect(mid, part.Top, part.Right, part.Bottom), true);
    } else {
        const int mid = part.Top + (part.Bottom - part.Top) / 2;
        FillGradientRect(Canvas, colorTo, color, Look.Steps, TRect(part.Left, part.Top, part.Right, mid), false);
        FillGradientRect(Canvas, color, colorTo, Look.Steps, TRect(part.Left, mid, part.Right, part.Bottom), false);
    }
}

// The part from start to start + length along the bar, inset from the outline.
TRect LevelPart(const TRect &R, bool vertical, int inset, int start, int length)
{
    if (vertical)
        return TRect(R.Left + inset, R.Bottom - inset - start - length, R.Right - inset,
                     R.Bottom - inset - start);
    return TRect(R.Left + inset + start, R.Top + inset, R.Left + inset + start + length,
                 R.Bottom - inset);
}

int RoundInt(double x)
{
    return int(Round(x));
}

} // namespace

void DrawLevelProgressBar(TCanvas &Canvas, const TRect &R, int Percent, const TProgressLevelLook &Look)
{
    const TPen outline{Look.ShowBorder ? Look.BorderColor : Look.BackColor, 1, psSolid, pmCopy};
    Canvas.Brush.Color = Look.BackColor;
    Canvas.Brush.Style = bsSolid;
    Canvas.Pen = outline;
    Canvas.Rectangle(R);
    const bool vert = Look.Vertical;
    const int x = (vert ? R.Bottom - R.Top : R.Right - R.Left) - 2;
    // Above 100 % the bar would leave its outline.
    const int p = std::min(Percent, 100);

    if (p > 0 && Look.Stacked) {
        const int len0 = RoundInt(std::min(p, Look.Level1Perc) / 100.0 * x);
        FillLevelPart(Canvas, LevelPart(R, vert, 1, 0, len0), Look.Level0Color, Look.Level0ColorTo, Look);
        if (p >= Look.Level1Perc) {
            const int len1 = RoundInt(x * double(std::min(p, Look.Level2Perc) - Look.Level1Perc) / 100);
            FillLevelPart(Canvas, LevelPart(R, vert, 1, len0, len1), Look.Level1Color, Look.Level1ColorTo, Look);
            if (p >= Look.Level2Perc) {
                const int len3 = p == 100 ? x - len0 - len1 : RoundInt(x * double(p - Look.Level2Perc) / 100);
                FillLevelPart(Canvas, LevelPart(R, vert, 1, len0 + len1, len3), Look.Level3Color,
                              Look.Level3ColorTo, Look);
            }
        }
    } else if (p > 0) {
        TColor c = Look.Level2Color, cto = Look.Level2ColorTo;
        if (p < Look.Level1Perc) {
            c = Look.Level0Color;
            cto = Look.Level0ColorTo;
        } else if (p < Look.Level2Perc) {
            c = Look.Level1Color;
            cto = Look.Level1ColorTo;
        } else if (p >= 100) {
            c = Look.Level3Color;
            cto = Look.Level3ColorTo;
        }
        if (Look.CompletionSmooth) {
            FillLevelPart(Canvas, LevelPart(R, vert, 1, 0, RoundInt(p / 100.0 * x)), c, cto, Look);
        } else {
            const int t = RoundInt(double(p) * x / 100);
            if (t > 9) {
                for (int i = 0; i < t / 9; ++i)
                    FillLevelPart(Canvas, LevelPart(R, vert, 2, 9 * i, 7), c, cto, Look);
                if (t % 9 > 2)
                    FillLevelPart(Canvas, LevelPart(R, vert, 2, 9 * (t / 9), t % 9 - 1), c, cto, Look);
                Canvas.Brush.Style = bsClear;
            } else if (t >= 2) {
                FillLevelPart(Canvas, LevelPart(R, vert, 2, 0, t - 1), c, cto, Look);
            }
        }
    }

    if (Look.ShowPercentage) {
        Canvas.Brush.Style = bsClear;
        Canvas.Font.Name = Look.Font.Name;
        Canvas.Font.Size = Look.Font.Size;
        Canvas.Font.Style = Look.Font.Style;
        Canvas.Font.Color = Look.FontColor;
        const QString text = IntToStr(Percent) + u'%';
        const int tw = Canvas.TextWidth(text), th = Canvas.TextHeight(text);
        const int cx = R.Left + (R.Right - R.Left) / 2, cy = R.Top + (R.Bottom - R.Top) / 2;
        if (!vert) {
            Canvas.TextOut(cx - tw / 2, cy - th / 2, text);
        } else {
            // Rotated a quarter turn: the text reads upwards from its start point.
            Canvas.Save();
            Canvas.Painter()->translate(cx - th / 2, cy + tw / 2);
            Canvas.Painter()->rotate(-90);
            Canvas.TextOut(0, 0, text);
            Canvas.Restore();
            Canvas.Brush.Style = bsClear;
            Canvas.Font.Color = Look.FontColor;
        }
    }

    Canvas.Brush.Style = bsClear;
    Canvas.Pen = outline;
    Canvas.Rectangle(R);
}
