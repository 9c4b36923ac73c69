#pragma once
// What the owner-drawn button draws itself with: the enumerations of its look, the palettes
// of its colour styles and the face painter. Nothing here knows the button class: the
// painter takes every value it needs, so a test can draw a face on any canvas.
#include "platform/canvas.h"

#include <QImage>
#include <QString>

enum class TLbButtonStyle { bsNormal, bsEncarta, bsModern, bsOld, bsShape, bsQuicken };
enum class TLbColorStyle {
    lcsCustom, lcsGold, lcsChrome, lcsBlue, lcsRed, lcsUltraFlat1, lcsUltraFlat2,
    lcsUltraFlatXP, lcsAqua, lcsDefault, lcsQuicken
};
enum class TLbButtonKind {
    bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll
};
enum class TLbButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// One row of the colour-style table.
struct TLbColorStyleColors
{
    TColor Color;
    TColor LightColor;
    TColor ShadowColor;
    TColor ColorWhenDown;
    TColor HotTrackColor;
    bool Flat;
    TColor FontColor;
    TLbButtonStyle Style;
};
// Only for styles other than lcsCustom, which has no palette.
TLbColorStyleColors GetColorStyleColors(TLbColorStyle style);

// Everything a face is drawn from. A glyph is a strip of NumGlyphs equal cells side by side:
// normal, disabled, pressed (with more than 2 cells), hot (with more than 3).
struct TLbFaceValues
{
    int W = 0, H = 0;
    Qt::Alignment Alignment = Qt::AlignHCenter;    // left, right or centre of the caption
    QString Caption;
    TLbButtonLayout Layout = TLbButtonLayout::blGlyphLeft;
    TFont Font;
    TColor ShadowColor = clGray;
    TColor LightColor = clWhite;
    TColor HotTrackColor = clNone;     // face at full highlight; clNone: no highlight
    TColor ColorWhenDown = clNone;     // face while pressed; clNone: Color
    TColor Color = clBtnFace;
    TLbButtonStyle Style = TLbButtonStyle::bsNormal;
    bool HasPopup = false;
    bool WordWrap = false;
    bool Flat = false;
    bool Enabled = true;
    bool NoBackground = false;
    bool Hot = false;
    bool Down = false;
    QImage Glyph;
    int NumGlyphs = 0;
    int HotTrackStep = 0;              // 0 to 8; 8 is the full hot-track colour
};

void DrawButtonFace(TCanvas &Canvas, const TLbFaceValues &v);

// 32 horizontal bands from the first colour at the top to the last at the bottom.
void DrawVerticalGradient(TCanvas &Canvas, TColor first, TColor last, int left, int top,
                          int right, int bottom);

// Color moved towards HotTrackColor by HotTrackStep eighths, channel by channel.
TColor BlendHotTrackColor(TColor Color, TColor HotTrackColor, int HotTrackStep);

// Cell at source x of the strip, drawn at (x, y) with the colour of its bottom-left pixel
// left out; a strip with an alpha channel is drawn as it is.
void DrawGlyphCell(TCanvas &Canvas, const QImage &Glyph, int x, int y, int sourceX,
                   int cellWidth, int cellHeight);

// The built-in bitmaps: "LBOK", "LBCANCEL", "LBHELP", "LBYES", "LBNO", "LBCLOSE", "LBABORT",
// "LBRETRY", "LBIGNORE", "LBALL" (36 x 18, normal and disabled cell) and the 5 x 3 popup
// arrow "LBARROW". A null image for another name.
QImage LbButtonResource(const QString &name);
