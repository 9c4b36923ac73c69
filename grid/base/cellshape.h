#pragma once
// The figures of shape and rating cells.
#include "platform/canvas.h"

enum TCellShape {
    csRectangle, csCircle, csTriangleLeft, csTriangleRight, csTriangleUp, csTriangleDown,
    csDiamond, csLineVert, csLineHorz, csRoundRect, csEllips, csSquare, csRoundSquare, csStar,
    csArrowUp, csArrowDown, csArrowLeft, csArrowRight, csHalfStar
};

// Shape in the box (X, Y, Width, Height), outlined with PenColor and filled with
// BrushColor. Values beyond csHalfStar (as read from a stream) draw nothing.
void DrawCellShape(TCanvas &Canvas, int X, int Y, int Width, int Height, TCellShape Shape,
                   TColor BrushColor, TColor PenColor);
