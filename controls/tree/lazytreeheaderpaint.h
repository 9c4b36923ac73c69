#pragma once
// TLTHeaderPainter: paints a tree's header. Every cell is a button (three styles, or the
// platform style's header section when the tree uses themes) with an optional image or
// check box, the caption, a sort glyph and a drop mark; the whole header is drawn into one
// buffer and copied to the target once.
#include "controls/tree/lazytree.h"

// The draw-format flag of right-to-left reading (the platform's DT_RTLREADING).
constexpr unsigned HeaderRtlReading = 0x20000;

enum class TLTDropMarkMode : uint8_t { dmmNone, dmmLeft, dmmRight };

// What painting one header cell works with; positions in the target's coordinates.
struct THeaderPaintInfo
{
    TCanvas *TargetCanvas = nullptr;
    TLazyTreeColumn *Column = nullptr;
    TRect PaintRectangle, TextRectangle;
    bool IsHoverIndex = false, IsDownIndex = false, IsEnabled = false;
    bool ShowHeaderGlyph = false, ShowSortGlyph = false, ShowRightBorder = true;
    TLTDropMarkMode DropMark = TLTDropMarkMode::dmmNone;
    TPoint GlyphPos, SortGlyphPos;
    QSize SortGlyphSize;
    unsigned DrawFormat = 0;
};

class TLTHeaderPainter
{
public:
    explicit TLTHeaderPainter(TLTHeader &Header) : FHeader(Header) {}

    // Paints the header part R (window coordinates of the header) scrolled by HOffset.
    void PaintHeader(QPainter &Target, const QRect &R, int HOffset);
    // Paints the columns within R (header coordinates) with R's top-left corner at Target.
    void PaintHeader(TCanvas &TargetCanvas, TRect R, TPoint Target, int RTLOffset = 0);
    // The states of one cell with its rectangle K (hover, pressed, drop mark, glyphs).
    THeaderPaintInfo CellStates(TLazyTreeColumn &Column, const TRect &K);
    // Where glyph, caption and sort glyph go (a pressed cell one pixel right and down).
    void LayoutCell(THeaderPaintInfo &Info);

    // The column drag's drop target (-1: none), where the drop goes and the dragged column.
    TColumnIndex DropTarget = NoColumn;
    bool DropBefore = false;
    TColumnIndex DragIndex = NoColumn;
    // The tree has a bevel: with flat buttons and auto-resize the last cell has no right line.
    bool Bevelled = false;
    // How often a finished header was copied to a target (once per paint).
    int Copies = 0;

private:
    void PaintCell(THeaderPaintInfo &Info);
    void DetermineLayout(THeaderPaintInfo &Info, const TRect &Client);
    void DrawCaption(TCanvas &Canvas, const QString &Caption, TRect Bounds, bool Enabled, bool Hot,
                     unsigned DrawFormat);
    TLTHeader &FHeader;
};
