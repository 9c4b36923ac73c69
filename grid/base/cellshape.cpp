#include "grid/base/cellshape.h"

#include "platform/rtl.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Point k of a ten-point star around (cx, cy): even k on the outer radii, odd on the inner.
TPoint StarPoint(int k, int cx, int cy, int w2, int h2)
{
    const double a = k * std::numbers::pi / 5;
    const double rx = k % 2 == 0 ? w2 : w2 / 3.0;
    const double ry = k % 2 == 0 ? h2 : h2 / 3.0;
    return TPoint(cx + int(Round(std::sin(a) * rx)), cy - int(Round(std::cos(a) * ry)));
}

} // namespace

void DrawCellShape(TCanvas &Canvas, int X, int Y, int W, int H, TCellShape Shape,
                   TColor BrushColor, TColor PenColor)
{
    Canvas.Brush.Color = BrushColor;
    Canvas.Brush.Style = bsSolid;
    Canvas.Pen.Color = PenColor;
    Canvas.Pen.Style = psSolid;
    if (Shape == csCircle || Shape == csSquare || Shape == csRoundSquare)
        W = H = std::min(W, H);
    const int w2 = W / 2, h2 = H / 2;
    const int wv = W & ~1, q = wv / 4;   // arrows: width rounded down to even
    const int hv = H & ~1, r = hv / 4;
    switch (Shape) {
    case csRectangle:
    case csSquare:
        Canvas.Rectangle(X + 1, Y + 1, X + W - 1, Y + H - 1);
        break;
    case csCircle:
    case csEllips:
        Canvas.Ellipse(X, Y, X + W, Y + H);
        break;
    case csTriangleLeft:
        Canvas.Polygon({{X + W, Y}, {X + W, Y + H}, {X, Y + h2}});
        break;
    case csTriangleRight:
        Canvas.Polygon({{X, Y}, {X, Y + H}, {X + W, Y + h2}});
        break;
    case csTriangleUp:
        Canvas.Polygon({{X, Y + H}, {X + W, Y + H}, {X + w2, Y}});
        break;
    case csTriangleDown:
        Canvas.Polygon({{X, Y}, {X + W, Y}, {X + w2, Y + H}});
        break;
    case csDiamond:
        Canvas.Polygon({{X, Y + h2}, {X + w2, Y}, {X + 2 * w2, Y + h2}, {X + w2, Y + 2 * h2}});
        break;
    case csLineVert:
        Canvas.Rectangle(X + w2, Y, X + w2 + 1, Y + H);
        break;
    case csLineHorz:
        Canvas.Rectangle(X, Y + h2, X + W, Y + h2 + 1);
        break;
    case csRoundRect:
    case csRoundSquare:
        Canvas.RoundRect(X, Y, X + W, Y + H, 10, 10);
        break;
    case csStar:
    case csHalfStar: {
        std::vector<TPoint> pts;
        for (int k = 0; k < 10; ++k)
            if (Shape == csStar || k == 0 || k >= 5)
                pts.push_back(StarPoint(k, X + w2, Y + h2, w2, h2));
        Canvas.Polygon(pts);
        break;
    }
    case csArrowUp:
        Canvas.Polygon({{X, Y + h2}, {X + wv / 2, Y}, {X + wv, Y + h2}, {X + 3 * q, Y + h2},
                        {X + 3 * q, Y + H}, {X + q, Y + H}, {X + q, Y + h2}});
        break;
    case csArrowDown:
        Canvas.Polygon({{X, Y + h2}, {X + wv / 2, Y + H}, {X + wv, Y + h2}, {X + 3 * q, Y + h2},
                        {X + 3 * q, Y}, {X + q, Y}, {X + q, Y + h2}});
        break;
    case csArrowLeft:
        Canvas.Polygon({{X, Y + hv / 2}, {X + w2, Y}, {X + w2, Y + r}, {X + W, Y + r},
                        {X + W, Y + 3 * r}, {X + w2, Y + 3 * r}, {X + w2, Y + hv}});
        break;
    case csArrowRight:
        Canvas.Polygon({{X + W, Y + hv / 2}, {X + w2, Y}, {X + w2, Y + r}, {X, Y + r},
                        {X, Y + 3 * r}, {X + w2, Y + 3 * r}, {X + w2, Y + hv}});
        break;
    }
}
