#include "grid/base/drawroutines.h"

#include "platform/rtl.h"

#include <algorithm>

TColor InterpolateColor(TColor Color1, TColor Color2, int Min, int Max, int Step)
{
    if (Color2 == clNone)
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
        Canvas.Rectangle(R);
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
