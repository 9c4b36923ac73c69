#pragma once
// The working values of one cell's paint, shared by the painter's helpers.
#include "grid/string/dazstringgrid.h"

struct TDazStringGrid::TCellPaint
{
    int DCol = 0;   // display column
    int RCol = 0;   // real column
    int Row = 0;
    TGridDrawState State;
    TRect Rect;     // what is left of the cell for the content
    int RightEdge = 0;   // the right edge before the buttons took their part
    bool WordWrap = true;
    TAlignment HAlign = taLeftJustify;
    TVAlignment VAlign = vtaTop;
    TCellGradientDirection Gradient = GradientVertical;
    TColor ColorTo = clNone;
    TColor Mirror = clNone;
    TColor MirrorTo = clNone;
    // The graphic and its layout.
    TCellGraphic *Graphic = nullptr;
    TCellHAlign GHAlign = haLeft;
    TCellVAlign GVAlign = vaTop;
    bool ShowText = true;
    int GWidth = 0;
    int GHeight = 0;
    int TextWidth = 0;    // measured only for cells with a graphic
    int TextHeight = 0;
    TColor SavedBrush = clNone;
    TColor SavedFont = clNone;
    bool PaintFixed = false;
    bool FilterButton = false;
    int ScrollPos = 0;
    int IndicatorOffset = 0;
};
