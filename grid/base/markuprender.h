#pragma once
// RenderHtmlText draws, measures and hit-tests a mark-up text in a rectangle: the one entry
// for cell texts, hints, headers, footers, printed cells and drop-down captions.
//
// The text is prepared (entities, "<#", line breaks) and laid out line by line from the
// rectangle's top. Each line is taken by a measuring pass, which decides what fits and how
// high and wide the line is, and then passed over a second time at its aligned position,
// either drawing it or (HitTestOnly) measuring it again to find what lies under the hit
// point. MeasureOnly runs the first pass alone and lays out lines below the rectangle too.
// Layouts that depend only on the text, the width, the font and the flags are cached.
#include <QString>

#include "platform/canvas.h"

class QWidget;
class TCustomImageList;
class THTMLPictureCache;
class TPictureContainer;
class THtmlControlPainter;

enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

// Right-to-left reading (DrawText's DT_RTLREADING).
constexpr unsigned DT_RTLREADING = 0x20000;

struct THtmlRenderParams
{
    const TCustomImageList *Images = nullptr;   // IMG "IDX:" sources
    int HitX = -1;                               // the point to test; -1 for none
    int HitY = -1;
    int FocusedAnchor = -1;    // zero-based anchor that gets a focus frame; -1 for none
    int HoveredAnchor = -1;    // 1-based anchor under the mouse
    int ShadowOffset = 0;
    bool HitTestOnly = false;
    bool MeasureOnly = false;
    bool Printing = false;     // image-list images and system icons scaled by ResolutionFactor
    bool Selected = false;     // text colours of A and FONT are left alone
    bool BlinkOn = true;
    bool HoverOnlyStyle = false;
    bool WordWrap = false;     // without it a line ends only at line-ending tags, cut with "..."
    bool MouseDown = false;
    double ResolutionFactor = 1.0;
    TColor AnchorColor = clBlue;
    TColor HoverColor = clNone;
    TColor HoverTextColor = clNone;
    TColor ShadowColor = clGray;
    QString ControlID;         // in hit-test mode: the control to report whatever the point
    THTMLPictureCache *PictureCache = nullptr;
    TPictureContainer *Container = nullptr;
    const QWidget *ThemeWindow = nullptr;
    THtmlControlPainter *ControlPainter = nullptr;   // nullptr: DefaultHtmlControlPainter()
    TBiDiMode BiDiMode = bdLeftToRight;
};

struct THtmlRenderResult
{
    QString AnchorHref;         // anchor at the hit point, "ctrl" on an embedded control
    QString PlainText;          // the runs as each pass met them, CR for each BR
    QString FocusedAnchorHref;
    QString AnchorTitle;
    int ExtentX = 0;            // widest line
    int ExtentY = 0;            // sum of the line heights
    int AnchorCount = 0;
    int HitAnchor = -1;         // number of the anchor whose rectangle is in AnchorRect
    TRect AnchorRect;
    TRect ControlRect;
    QString ControlID;
    QString ControlValue;
    QString ControlType;
};

// True when the hit point lies on an anchor's text, a picture inside an anchor or an
// embedded control (or, in hit-test mode, when params.ControlID names a control). Errors
// of loading a picture through the cache propagate.
bool RenderHtmlText(TCanvas &canvas, const QString &text, const TRect &rect,
                    const THtmlRenderParams &params, THtmlRenderResult &result);

unsigned BiDiDrawTextFlags(unsigned flags, TBiDiMode mode);

// Draws (when draw) a system icon named by an index, an existing path or a file name at
// (x, y) and gives its size; printing stretches it by factor.
void DrawSystemIcon(TCanvas &canvas, int x, int y, QSize &size, double factor, bool printing,
                    bool draw, bool large, const QString &source);

// Forgets the cached layouts (after the application font changed).
void ClearHtmlLayoutCache();
