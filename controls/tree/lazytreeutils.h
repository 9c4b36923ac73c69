#pragma once
// Stand-alone drawing helpers of the tree: rectangle normalisation, clipping, text
// measuring, shortening and wrapping, blending of 32-bit pixel rows, stretching, the
// rectangles that move a drag image, and greyed image drawing. They keep no state.
//
// Blending works on 32-bit images (QImage::Format_ARGB32 and its premultiplied and RGB32
// relatives), whose bytes lie blue, green, red, alpha on little-endian machines. The row
// loops are plain C++ that the compiler vectorises.
#include "platform/canvas.h"

#include <QString>
#include <cstdint>

class QImage;
class QPainter;
class QRect;
class QRegion;
class TLTImageList;

TRect SortRectCorners(TRect R);
// Clips the canvas to ClipRect, intersected with VisibleRegion when one is given.
void SelectClipRectangle(TCanvas &Canvas, const TRect &ClipRect, const QRegion *VisibleRegion = nullptr);
// Bounds becomes the extent of S as DrawText lays it out with DrawFormat.
void MeasureTextRect(TCanvas &Canvas, const QString &S, TRect &Bounds, unsigned DrawFormat);
// The longest prefix of S that fits into Width together with "..." (measured when
// EllipsisWidth is 0), followed by "..."; S itself only when it fits with the ellipsis.
QString ShortenWithEllipsis(TCanvas &Canvas, const QString &S, int Width, int EllipsisWidth = 0);
// Text broken into lines of at most the width of Bounds at its spaces, lines joined by line
// feeds; a word wider than a line is cut. Right to left, the lines are filled from the end.
QString WrapTextToWidth(TCanvas &Canvas, const QString &Text, const TRect &Bounds, bool RightToLeft,
                        unsigned DrawFormat);

enum class TBlendMode : uint8_t { blendConstant, blendPerPixel, blendPerPixelScaled, blendTint };

// Address of pixel row Row of a 32-bit pixel block; rows run bottom-up for a positive Height.
uint8_t *ScanLineAddress(uint8_t *Bits, int Width, int Height, int Row);
// The pixels of a 32-bit image with its size; ELazyTreeAssertion for no image or another
// depth.
uint8_t *ImageBits(QImage *Image, int &Width, int &Height);

// One row of Count pixels: D := ((D * (256 - A) + S * A) shr 8) + Bias on each byte, clamped.
void MixRowConstantAlpha(const uint8_t *Source, uint8_t *Destination, int Count, int ConstantAlpha,
                         int Bias);
// A is each source pixel's own alpha.
void MixRowSourceAlpha(const uint8_t *Source, uint8_t *Destination, int Count, int Bias);
// A is the source alpha scaled by ConstantAlpha.
void MixRowScaledAlpha(const uint8_t *Source, uint8_t *Destination, int Count, int ConstantAlpha,
                       int Bias);
// D := (D * (256 - A) + C * A) shr 8 with C the colour's bytes in pixel order (alpha 0).
void MixRowWithColor(uint8_t *Destination, int Count, int ConstantAlpha, TColor Color);
// Blends rectangle R of Source onto Destination at Target; blendTint mixes R of Destination
// with the colour passed in Bias and needs no source.
void BlendRectangle(QImage *Source, QImage *Destination, const TRect &R, TPoint Target,
                    TBlendMode Mode, int ConstantAlpha, int Bias);
// The colour value the image-list drawing takes (clNone and clDefault have their own).
uint32_t ImageListColor(TColor Color);
void StretchBitmapOnto(TCanvas &Canvas, const TRect &R, const QImage &Bitmap);
// The blending above runs on every processor these loops compile for.
bool ProcessorSupportsMMX();

// A strip of a drag image's background: position and size.
struct TDragStrip
{
    int X = 0, Y = 0, Width = 0, Height = 0;
    friend bool operator==(const TDragStrip &, const TDragStrip &) = default;
};
// Rectangles for moving a W x H drag image by (DX, DY) (old position minus new): the
// saved background scrolls within ScrollRect, Sample strips are read at the new position
// and Restore strips written back at the old one. Strips a move does not need are left as
// they were.
void DragMoveRectangles(int W, int H, int DX, int DY, TRect &ClipRect, TRect &ScrollRect,
                        TDragStrip &Sample1, TDragStrip &Sample2, TDragStrip &Restore1,
                        TDragStrip &Restore2);

void DrawImageEnabledOrGrey(const TLTImageList &ImageList, int Index, TCanvas &Canvas, int X, int Y,
                            bool Enabled);
void DrawImageSaturated(const TLTImageList &ImageList, TCanvas &Canvas, int X, int Y, int Index);

// The platform focus rectangle: a dotted one-pixel frame that inverts what lies below.
void DrawInvertedFocusFrame(QPainter &Painter, const QRect &R);
