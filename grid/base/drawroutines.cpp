#include "grid/base/drawroutines.h"

#include "platform/rtl.h"

#include <algorithm>

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
    const TColor f = ColorToRGB(FromColor), t = ColorToRGB(ToColor);
    const int extent = (Horizontal ? R.Right - R.Left : R.Bottom - R.Top) - 1;
    const int n = std::max(1, std::min(Steps, extent));
    const double w = double(extent) / n;
    const int fr = GetRValue(f), fg = GetGValue(f), fb = GetBValue(f);
    const int dr = GetRValue(t) - fr, dg = GetGValue(t) - fg, db = GetBValue(t) - fb;
    const int len = int(Trunc(w + 1));
    Canvas.Pen.Style = psSolid;
    Canvas.Brush.Style = bsSolid;
    for (int i = 0; i <= n; ++i) {
        const TColor c = RGB(fr + int(Round(double(i) * dr / n)), fg + int(Round(double(i) * dg / n)),
                             fb + int(Round(double(i) * db / n)));
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
