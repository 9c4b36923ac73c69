#pragma once
// Drawing routines of the page control: gradients, bitmaps with a transparent colour, tab
// images stretched in three slices, and the close button.
#include "platform/canvas.h"

class QImage;

// Steps bands from FromColor to ToColor (0 counts as 1): columns when Horizontal, else rows.
// Each band overlaps the next by one pixel so no seam is left by rounding.
void DrawGradient(TCanvas &canvas, TColor FromColor, TColor ToColor, bool Horizontal,
                  const TRect &r, int Steps);
// The bitmap's area (sx, sy, width, height) at (x, y), pixels of the transparent colour left out.
void DrawTransparentBitmap(TCanvas &canvas, const QImage &bitmap, int x, int y, int width,
                           int height, int sx, int sy, TColor transparent);
// The same, the source area (sx, sy, sw, sh) stretched to width x height.
void StretchTransparentBitmap(TCanvas &canvas, const QImage &bitmap, int x, int y, int width,
                              int height, int sx, int sy, int sw, int sh, TColor transparent);
// A tab image over `length` pixels: its two halves at the ends and the two middle rows
// (columns) stretched between; the bottom-left pixel is the transparent colour.
void DrawVerticalTabImage(const QImage &bitmap, TCanvas &canvas, int x, int length, int y);
void DrawHorizontalTabImage(const QImage &bitmap, TCanvas &canvas, int x, int length, int y);

enum class TCloseButtonState { Normal, Hot, Pressed };
constexpr int kCloseButtonWidth = 12;
constexpr int kCloseButtonHeight = 11;
// The close button whose box spans (x + 2, y + 2) to (x + 14, y + 13): the glyph when there
// is one, else a box with a doubled cross in the colours of the state.
void DrawCloseButton(TCanvas &canvas, int x, int y, TCloseButtonState state, const QImage &glyph);
