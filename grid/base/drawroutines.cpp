#include "grid/base/drawroutines.h"

#include "grid/base/styledetect.h"

#include "platform/rtl.h"

#include <QFontMetrics>
#include <QImage>
#include <QWidget>
#include <algorithm>

TColor InterpolateColor(TColor Color1, TColor Color2, int Min, int Max, int Step)
{
    if (Color2 == clNone || Max == Min)
        return Color1;
    const TColor a = ColorToRGB(Color1), b = ColorToRGB(Color2);
    auto channel = [&](int c1, int c2) {
        return c1 + int(Round(double(c2 - c1) / (Max - Min) * Step));
    };
    return RGB(channel(GetRValue(a), GetRValue(b)), channel(GetGValue(a), GetGValue(b)),
               channel(GetBValue(a), GetBValue(b)));
}

void FillGradientRect(TCanvas &Canvas, TColor FromColor, TColor ToColor, int Steps, TRect R,
                      bool Horizontal)
{
    if (R.Top == R.Bottom)
        return;
    if (R.Top > R.Bottom)
        std::swap(R.Top, R.Bottom);
    if (FromColor == clNone || ToColor == clNone) {
        const TColor c = ColorToRGB(FromColor == clNone && ToColor != clNone ? ToColor : FromColor);
        Canvas.Pen.Color = c;
        Canvas.Pen.Style = psSolid;
        Canvas.Brush.Color = c;
        Canvas.Brush.Style = bsSolid;
        // Pen and brush share the colour: a fill covers what the rectangle would, without
        // stroking an outline.
        Canvas.FillRect(R);
        return;
    }
    const int extent = (Horizontal ? R.Right - R.Left : R.Bottom - R.Top) - 1;
    const int n = std::max(1, std::min(Steps, extent));
    const double w = double(extent) / n;
    const int len = int(Trunc(w + 1));
    Canvas.Pen.Style = psSolid;
    Canvas.Brush.Style = bsSolid;
    for (int i = 0; i <= n; ++i) {
        const TColor c = InterpolateColor(FromColor, ToColor, 0, n, i);
        Canvas.Pen.Color = c;
        Canvas.Brush.Color = c;
        // A rectangle whose pen and brush share one colour covers what this fill covers.
        const int o = int(Trunc(i * w));
        if (Horizontal)
            Canvas.FillRect(TRect(R.Left + o, R.Top, std::min(R.Right, R.Left + o + len), R.Bottom));
        else
            Canvas.FillRect(TRect(R.Left, R.Top + o, R.Right, std::min(R.Bottom, R.Top + o + len)));
    }
}

void FillRectSolid(TCanvas &Canvas, const TRect &R, TColor Color)
{
    Canvas.Brush.Color = Color;
    Canvas.Brush.Style = bsSolid;
    Canvas.FillRect(R);
}

TColor DarkenColorByHalf(TColor Color)
{
    const TColor c = ColorToRGB(Color);
    return RGB(GetRValue(c) >> 1, GetGValue(c) >> 1, GetBValue(c) >> 1);
}

TColor ScaleColorPercent(TColor Color, int P)
{
    const TColor c = ColorToRGB(Color);
    // Saturated: a light background raised by a few percent stays light.
    auto channel = [P](int v) {
        return int(std::clamp<int64_t>(Round(v + v * P / 100.0), 0, 255));
    };
    return RGB(channel(GetRValue(c)), channel(GetGValue(c)), channel(GetBValue(c)));
}

void FillMirrorGradientRect(TCanvas &Canvas, const TRect &Rect, TColor Color, TColor ColorTo,
                            TColor MirrorColor, TColor MirrorColorTo, bool Vertical,
                            TColor BorderColor, bool BorderLinesOnly, bool Fill)
{
    if (Fill && Color != clNone) {
        if (MirrorColor == clNone) {
            if (ColorTo == clNone) {
                Canvas.Pen.Style = psSolid;
                Canvas.Pen.Width = 1;
                Canvas.Pen.Color = Color;
                Canvas.Brush.Style = bsSolid;
                Canvas.Brush.Color = Color;
                Canvas.FillRect(TRect(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom + 1));
            } else {
                FillGradientRect(Canvas, Color, ColorTo, 128, Rect, !Vertical);
            }
        } else {
            TRect first = Rect, second = Rect;
            if (Vertical) {
                first.Bottom = second.Top = Rect.Top + (Rect.Bottom - Rect.Top) / 2;
            } else {
                first.Right = second.Left = Rect.Left + (Rect.Right - Rect.Left) / 2;
            }
            FillGradientRect(Canvas, Color, ColorTo, 128, first, !Vertical);
            FillGradientRect(Canvas, MirrorColor, MirrorColorTo, 128, second, !Vertical);
        }
    }
    if (BorderColor == clNone)
        return;
    if (BorderLinesOnly) {
        Canvas.Pen.Color = BorderColor;
        Canvas.Pen.Style = psSolid;
        Canvas.MoveTo(Rect.Left, Rect.Top);
        Canvas.LineTo(Rect.Left, Rect.Bottom);
        Canvas.MoveTo(Rect.Right - 1, Rect.Top);
        Canvas.LineTo(Rect.Right - 1, Rect.Bottom);
    } else {
        Canvas.Brush.Color = BorderColor;
        Canvas.Brush.Style = bsSolid;
        Canvas.FrameRect(Rect);
    }
}

void DrawRoundedButtonFace(TCanvas &Canvas, TColor ColorFrom, TColor ColorTo, TColor MirrorFrom,
                           TColor MirrorTo, TColor UpperLine, TColor LowerLine, TColor Border,
                           TColor Corner, TColor Backdrop, const TRect &Rect, int Mode)
{
    const int l = Rect.Left, t = Rect.Top, r = Rect.Right - 1, b = Rect.Bottom - 2;
    const int mid = t + (b - t) / 2;
    const bool leftRound = Mode <= 1;
    const bool rightRound = Mode == 0 || Mode == 2;
    const int leftInset = (Mode == 2 || Mode >= 3) ? 0 : 2;
    const int rightInset = (Mode == 1 || Mode >= 3) ? 0 : 2;
    auto line = [&Canvas](TColor c, int x1, int y1, int x2, int y2) {
        Canvas.Pen.Color = c;
        Canvas.MoveTo(x1, y1);
        Canvas.LineTo(x2, y2);
    };
    Canvas.Pen.Style = psSolid;
    Canvas.Pen.Width = 1;

    line(UpperLine, l, t + 1, r, t + 1);
    if (leftRound)
        line(UpperLine, l + 1, t + 1, l + 1, mid);
    if (rightRound)
        line(UpperLine, r - 2, t + 1, r - 2, mid);

    line(LowerLine, l, b - 1, r, b - 1);
    if (leftRound)
        line(LowerLine, l + 1, mid, l + 1, b - 1);
    if (rightRound)
        line(LowerLine, r - 2, mid, r - 2, b - 1);

    line(Border, l + leftInset, t, r - rightInset, t);
    line(Border, l + leftInset, b, r - rightInset, b);
    if (rightRound)
        line(Border, r - 1, t + 2, r - 1, b - 1);
    if (leftRound)
        line(Border, l, t + 2, l, b - 1);

    auto corners = [&](int inner, int outer) {
        for (const TPoint &p : {TPoint(inner, t), TPoint(inner, t + 1), TPoint(outer, t + 1),
                                TPoint(inner, b), TPoint(inner, b - 1), TPoint(outer, b - 1)})
            Canvas.SetPixel(p.X, p.Y, Corner);
        Canvas.SetPixel(outer, t, Backdrop);
        Canvas.SetPixel(outer, b, Backdrop);
    };
    if (leftRound)
        corners(l + 1, l);
    if (rightRound)
        corners(r - 2, r - 1);

    const TRect fill(l + leftInset, t + 2, r - rightInset, b - 1);
    if (ColorTo == clNone) {
        FillRectSolid(Canvas, fill, ColorFrom);
    } else if (MirrorFrom == clNone) {
        FillGradientRect(Canvas, ColorFrom, ColorTo, 16, fill, false);
    } else {
        const int half = fill.Top + (fill.Bottom - fill.Top) / 2;
        FillGradientRect(Canvas, ColorFrom, ColorTo, 16, TRect(fill.Left, fill.Top, fill.Right, half),
                         false);
        FillGradientRect(Canvas, MirrorFrom, MirrorTo, 16,
                         TRect(fill.Left, half, fill.Right, fill.Bottom), false);
    }
}

void DrawDownTriangle(TCanvas &Canvas, int X, int Y, TColor Color)
{
    Canvas.Brush.Color = Color;
    Canvas.Brush.Style = bsSolid;
    Canvas.Pen.Color = Color;
    Canvas.Pen.Style = psSolid;
    Canvas.Polygon({TPoint(X - 3, Y), TPoint(X + 3, Y), TPoint(X, Y + 3)});
}

void DrawBitmapTransparent(TCanvas &Canvas, const QImage &Bitmap, TColor Color, const TRect &Rect)
{
    if (Bitmap.isNull())
        return;
    QImage image = Bitmap.convertToFormat(QImage::Format_RGB32);
    const QRgb key = image.pixel(0, 0);
    const QRgb with = ToQColor(Color).rgb();
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (line[x] == key)
                line[x] = with;
    }
    Canvas.Draw(Rect.Left, Rect.Top, image);
}

void DrawResourceBitmapTransparent(TCanvas &Canvas, TColor Color, const TRect &Rect,
                                   const QString &ResName)
{
    DrawBitmapTransparent(Canvas, QImage(QStringLiteral(":/") + ResName), Color, Rect);
}

void DrawErrorZigzag(QWidget *Control, TCanvas &Canvas, const QString &Text, const TRect &Rect,
                     int YOffset, int From, int Len)
{
    // Where a single-line edit in the control's font puts the start of character i: one
    // pixel of margin, then the text's advance; every character on the first line.
    const QFontMetrics fm(Control ? Control->font() : Canvas.Font.ToQFont());
    const int n = int(Text.size());
    auto posOf = [&](int i) { return 1 + fm.horizontalAdvance(Text.left(i)); };
    int x1, x2;
    const int y = 0;
    if (From < n)
        x1 = posOf(std::max(0, From));
    else
        x1 = posOf(n) + 4;
    if (From + Len < n)
        x2 = posOf(std::max(0, From + Len - 1));
    else
        x2 = posOf(std::max(0, n - 1)) + 4;

    Canvas.Pen.Color = clRed;
    Canvas.Pen.Width = 2;
    Canvas.Pen.Style = psSolid;
    Canvas.MoveTo(Rect.Left + x1, Rect.Top + y + YOffset + 3);
    int g = 3;
    int d = x1;
    while (d <= x2) {
        g = g == 0 ? 3 : 0;
        Canvas.LineTo(Rect.Left + d + 3, Rect.Top + y + YOffset + g);
        d += 3;
    }
    Canvas.LineTo(Rect.Left + d + 3, Rect.Top + y + YOffset + (g == 0 ? 3 : 0));
}

namespace {

const TColorTone &ToneOf(const TColorTones &Tones, int State)
{
    switch (State) {
    case glyphHot: return Tones.Hover;
    case glyphDown: return Tones.Selected;
    case glyphDisabled: return Tones.Disabled;
    default: return Tones.Background;
    }
}

// One themed part: false when there is no theme data for the class (then the caller draws
// a frame control instead).
bool DrawThemedPart(TCanvas &Canvas, QWidget *Window, const QString &Class,
                    const std::vector<std::pair<int, TRect>> &Parts, int ThemeState)
{
    const TThemeHandle theme = OpenThemeData(Window, Class);
    if (!theme)
        return false;
    for (const auto &[part, rect] : Parts)
        DrawThemeBackground(theme, Canvas, part, ThemeState, rect);
    CloseThemeData(theme);
    return true;
}

unsigned FrameFlat(int Look)
{
    return Look == glyphFlat ? DFCS_FLAT : 0;
}

void FillAndOutline(TCanvas &Canvas, const TRect &R, TColor Color)
{
    Canvas.Brush.Color = Color;
    Canvas.Brush.Style = bsSolid;
    Canvas.Pen.Color = Color;
    Canvas.Pen.Style = psSolid;
    Canvas.Pen.Width = 1;
    Canvas.Rectangle(R);
}

}   // namespace

void DrawComboButton(TCanvas &Canvas, QWidget *Window, const TRect &Rect, int Look, int State,
                     const TColorTones &Tones)
{
    TRect r(Rect.Right - 17, Rect.Top + 1, Rect.Right, Rect.Bottom - 1);
    OffsetRect(r, -2, 0);
    if (Look == glyphCustom) {
        r.Left += 3;
        FillAndOutline(Canvas, r, ToneOf(Tones, State).BrushColor);
        Canvas.Pen.Color = Tones.Background.BorderColor;
        Canvas.MoveTo(r.Left + 1, r.Top);
        Canvas.LineTo(r.Left + 1, r.Bottom);
        Canvas.Brush.Color = Tones.Background.TextColor;
        Canvas.Pen.Color = Tones.Background.TextColor;
        Canvas.Polygon({TPoint(r.Left + 5, r.Top + 8), TPoint(r.Left + 11, r.Top + 8),
                        TPoint(r.Left + 8, r.Top + 11)});
        return;
    }
    if (Look == glyphThemed &&
        DrawThemedPart(Canvas, Window, QStringLiteral("combobox"), {{1, r}},
                       State == glyphDisabled ? 4 : 1))
        return;
    ThemePlatform().DrawFrameControl(
        Canvas, r, DFC_SCROLL,
        DFCS_SCROLLCOMBOBOX | (State == glyphDisabled ? DFCS_INACTIVE : 0) | FrameFlat(Look));
}

void DrawPushButtonFace(TCanvas &Canvas, QWidget *Window, const TRect &Rect, int Look, int State,
                        const TColorTones &Tones)
{
    if (Look == glyphCustom) {
        const TColorTone &tone = ToneOf(Tones, State);
        Canvas.Brush.Color = tone.BrushColor;
        Canvas.Brush.Style = bsSolid;
        Canvas.Pen.Color = tone.BorderColor;
        Canvas.Pen.Style = psSolid;
        Canvas.Pen.Width = 1;
        Canvas.Rectangle(Rect);
        return;
    }
    if (Look == glyphThemed &&
        DrawThemedPart(Canvas, Window, QStringLiteral("button"), {{1, Rect}},
                       std::clamp(State, int(glyphNormal), int(glyphDisabled)) + 1))
        return;
    unsigned flags = DFCS_BUTTONPUSH | FrameFlat(Look);
    if (State == glyphHot)
        flags |= DFCS_HOT;
    else if (State == glyphDown)
        flags |= DFCS_PUSHED;
    else if (State == glyphDisabled)
        flags |= DFCS_INACTIVE;
    ThemePlatform().DrawFrameControl(Canvas, Rect, DFC_BUTTON, flags);
}

void DrawSpinButtons(TCanvas &Canvas, QWidget *Window, const TRect &Rect, int Look, int State,
                     const TColorTones &Tones)
{
    TRect r(Rect.Right - 15, Rect.Top, Rect.Right, Rect.Bottom);
    OffsetRect(r, -1, -1);
    const int m = r.Top + (r.Bottom - r.Top) / 2;
    if (Look == glyphCustom) {
        const TColor brush = ToneOf(Tones, State).BrushColor;
        FillAndOutline(Canvas, TRect(r.Left, r.Top, r.Right, m), brush);
        FillAndOutline(Canvas, TRect(r.Left, m, r.Right, r.Bottom), brush);
        const int t2 = m + 1;
        Canvas.Brush.Color = clBlack;
        Canvas.Pen.Color = clBlack;
        Canvas.Polygon({TPoint(r.Left + 5, r.Top + 5), TPoint(r.Left + 9, r.Top + 5),
                        TPoint(r.Left + 7, r.Top + 3)});
        Canvas.Polygon({TPoint(r.Left + 5, t2 + 1), TPoint(r.Left + 9, t2 + 1),
                        TPoint(r.Left + 7, t2 + 3)});
        return;
    }
    if (Look == glyphThemed &&
        DrawThemedPart(Canvas, Window, QStringLiteral("spin"),
                       {{1, TRect(r.Left, r.Top, r.Right, m)}, {2, TRect(r.Left, m, r.Right, r.Bottom)}},
                       State == glyphDisabled ? 4 : 1))
        return;
    const unsigned extra = (State == glyphDisabled ? DFCS_INACTIVE : 0) | FrameFlat(Look);
    IThemePlatform &p = ThemePlatform();
    p.DrawFrameControl(Canvas, TRect(r.Left, r.Top, r.Right, m), DFC_SCROLL, DFCS_SCROLLUP | extra);
    p.DrawFrameControl(Canvas, TRect(r.Left, m + 1, r.Right, r.Bottom), DFC_SCROLL,
                       DFCS_SCROLLDOWN | extra);
}
