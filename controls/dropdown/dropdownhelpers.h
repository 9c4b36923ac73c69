#pragma once
// The free drawing and text routines the drop-down controls share: colour blending and
// shading, a filled and framed rectangle, image-plus-text and transparent-glyph painting,
// text measuring and fitting, the mark-up caption painter, and number-text helpers that
// read the user's separators at every call. None keeps state.
//
// The banded gradient they and the grid paint with is DrawDropDownGradient
// (grid/string/dropdownappearance.h), which the grid below this layer needs too.
#include "grid/string/dropdownappearance.h"
#include "platform/color.h"

#include <QChar>
#include <QSize>
#include <QString>

class TBitmap;
class TCanvas;
class TCustomImageList;
class QWidget;
struct TRect;
struct THtmlRenderParams;

// Number classification of ClassifyNumberText.
enum : int { tkNumeric = 0, tkFloat = 1, tkText = 2, tkHex = 5 };

// Percent >= 100 gives A as it is and <= 0 gives B as it is; between, each channel mixes
// Percent of A with the rest of B (system colours resolved, clNone counting as white).
TColor BlendColor(TColor A, TColor B, int Percent);
// Per channel: a non-zero channel is scaled by min(100, Change + 100) percent, so only a
// negative change darkens it; a zero channel becomes max(0, Change). Channels stay 0..255.
TColor ShadeColor(TColor Color, int RedChange, int GreenChange, int BlueChange);

// A gradient of 80 bands when ColorTo is a colour, else a fill with Color (unless clNone),
// then an outline of BorderWidth in BorderColor (unless clNone or the width is 0) with the
// brush left clear. Nothing without a canvas.
void DrawFilledRect(TCanvas *Canvas, const TRect &Rect, TColor Color, TColor ColorTo,
                    TColor BorderColor, int BorderWidth, TGradientDirection Direction);
// The image 4 pixels in and centred vertically, the text 4 pixels after it (left aligned)
// or centred in the whole rectangle without an image; one line ending in an ellipsis.
void DrawImageAndText(TCanvas *Canvas, const TRect &Rect, const QString &Text,
                      const TCustomImageList *Images, int ImageIndex);
// The glyph with its top-left pixel's colour replaced by Background, copied to Rect's
// top-left with Rect's size.
void DrawTransparentGlyph(TCanvas &Canvas, const TBitmap &Glyph, TColor Background,
                          const TRect &Rect);

// Width and height of the text on one line (measured in a 1000 x 500 box); (0, 0) for "".
QSize MeasureText(TCanvas &Canvas, const QString &Text);
// The text itself when it is not wider than MaxWidth; otherwise the longest head of it
// (with "..." when Ellipsis) strictly narrower than MaxWidth, or the whole text when no
// head fits.
void FitText(TCanvas &Canvas, const QString &Text, int MaxWidth, bool Ellipsis,
             QString &Result);
// Draws (or, without Draw, only measures) a mark-up caption; Extent gets its size, (0, 0)
// for an empty text.
void DrawHtmlCaption(TCanvas &Canvas, const QString &Text, const TRect &Rect,
                     const TCustomImageList *Images, bool Draw, const QWidget *Window,
                     QSize &Extent);
// The renderer settings DrawHtmlCaption uses: anchors grey, no hover colours, blue shadow.
THtmlRenderParams HtmlCaptionParams(const TCustomImageList *Images, bool Draw,
                                    const QWidget *Window);

QChar ThousandSeparatorChar();
QChar DecimalSeparatorChar();
bool IsRangeSeparator(QChar Ch);   // "," "-" ";"
// tkNumeric, tkFloat, tkHex or tkText, with the locale's separators (see the .cpp).
int ClassifyNumberText(const QString &Text);
QString StripThousandSeparators(const QString &Text);
int HexDigitValue(QChar Ch);            // 0 for a character that is no hexadecimal digit
int HexToInt(const QString &Text);      // 32-bit arithmetic; non-digits count as 0
// The text itself when CaseSensitive, else its locale upper case.
QString CaseKey(const QString &Text, bool CaseSensitive);
