#pragma once
// Stateless drawing routines of the grid suite. They draw on the caller's canvas and leave
// its pen, brush and font as they set them.
#include "platform/canvas.h"

#include <QString>

class QImage;
class QWidget;

// The colours of one state of a custom-look glyph.
struct TColorTone
{
    TColor BrushColor = clNone;
    TColor BorderColor = clNone;
    TColor TextColor = clNone;
};

// The custom look of the button glyphs (Foreground is not used by them).
struct TColorTones
{
    TColorTone Background, Foreground, Selected, Hover, Disabled;
};

// Glyph looks and states.
enum : int { glyphThemed = 0, glyphFrame = 1, glyphFlat = 2, glyphCustom = 3 };
enum : int { glyphNormal = 0, glyphHot = 1, glyphDown = 2, glyphDisabled = 3 };

// Each channel of the colour halved.
TColor DarkenColorByHalf(TColor Color);
// Each channel c becomes c + c * P / 100, rounded and kept within 0..255.
TColor ScaleColorPercent(TColor Color, int P);

// The colour Step steps of Max - Min from Color1 towards Color2, channel by channel; Color1
// when Color2 is clNone or the range is empty.
TColor InterpolateColor(TColor Color1, TColor Color2, int Min, int Max, int Step);

// Steps + 1 bands from FromColor to ToColor across rect (left to right when horizontal,
// else top to bottom); clNone as either colour gives a solid fill.
void FillGradientRect(TCanvas &Canvas, TColor FromColor, TColor ToColor, int Steps, TRect R,
                      bool Horizontal);

void FillRectSolid(TCanvas &Canvas, const TRect &R, TColor Color);

// A gradient in Rect from Color to ColorTo (solid when ColorTo is clNone); with MirrorColor
// the first half (top, or left when not Vertical) goes from Color to ColorTo and the second
// from MirrorColor to MirrorColorTo. Nothing is filled without Fill or with Color clNone.
// Then a BorderColor other than clNone as a frame, or as the left and right lines only.
void FillMirrorGradientRect(TCanvas &Canvas, const TRect &Rect, TColor Color, TColor ColorTo,
                            TColor MirrorColor, TColor MirrorColorTo, bool Vertical,
                            TColor BorderColor, bool BorderLinesOnly, bool Fill);

// An Office-style face: border lines at top and bottom, inner lines one pixel inside,
// rounded corner pixels at the chosen ends (Mode 0 both, 1 left, 2 right, 3 none; the outer
// corner pixels in Backdrop), filled with a 16-step vertical gradient from ColorFrom to
// ColorTo, or in two halves when MirrorFrom is given; ColorTo clNone fills solid.
void DrawRoundedButtonFace(TCanvas &Canvas, TColor ColorFrom, TColor ColorTo, TColor MirrorFrom,
                           TColor MirrorTo, TColor UpperLine, TColor LowerLine, TColor Border,
                           TColor Corner, TColor Backdrop, const TRect &Rect, int Mode);

// A filled triangle 6 pixels wide and 3 high hanging from (X, Y).
void DrawDownTriangle(TCanvas &Canvas, int X, int Y, TColor Color);

// The bitmap at its own size at Rect's top-left corner, with the colour of its pixel (0, 0)
// replaced by Color.
void DrawBitmapTransparent(TCanvas &Canvas, const QImage &Bitmap, TColor Color, const TRect &Rect);
// The same for the program's image resource ResName (nothing when there is none).
void DrawResourceBitmapTransparent(TCanvas &Canvas, TColor Color, const TRect &Rect,
                                   const QString &ResName);

// A red 2-pixel zig-zag under characters From .. From + Len - 1 (0-based) of Text as a
// single-line edit in Control's font would place it in Rect; YOffset moves it down.
void DrawErrorZigzag(QWidget *Control, TCanvas &Canvas, const QString &Text, const TRect &Rect,
                     int YOffset, int From, int Len);

// Button glyphs in a look (themed, 3-D frame control, flat frame control, custom tones)
// and a state. The themed look needs the visual-styles library; without it the glyph is
// drawn as a frame control. Window is the control the theme is opened for.
// The drop-down button: the 17 pixels at Rect's right end, 1 pixel in at top and bottom,
// moved 2 pixels left.
void DrawComboButton(TCanvas &Canvas, QWidget *Window, const TRect &Rect, int Look, int State,
                     const TColorTones &Tones);
// A push-button face over the whole Rect.
void DrawPushButtonFace(TCanvas &Canvas, QWidget *Window, const TRect &Rect, int Look, int State,
                        const TColorTones &Tones);
// Up and down buttons: the 15 pixels at Rect's right end, moved 1 pixel left and up.
void DrawSpinButtons(TCanvas &Canvas, QWidget *Window, const TRect &Rect, int Look, int State,
                     const TColorTones &Tones);
