#pragma once
// Stateless drawing routines of the grid suite. They draw on the caller's canvas and leave
// its pen, brush and font as they set them.
#include "platform/canvas.h"

// The colour Step steps of Max - Min from Color1 towards Color2, channel by channel; Color1
// when Color2 is clNone.
TColor InterpolateColor(TColor Color1, TColor Color2, int Min, int Max, int Step);

// Steps + 1 bands from FromColor to ToColor across rect (left to right when horizontal,
// else top to bottom); clNone as either colour gives a solid fill.
void FillGradientRect(TCanvas &Canvas, TColor FromColor, TColor ToColor, int Steps, TRect R,
                      bool Horizontal);

void FillRectSolid(TCanvas &Canvas, const TRect &R, TColor Color);
