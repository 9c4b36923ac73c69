#pragma once
// A drawing surface in the manner of a Windows canvas, over QPainter: pen,
// brush and font are plain members the caller sets before drawing; the canvas hands them
// to the painter only when they changed. Coordinates follow the Windows rules: rectangles
// exclude their right and bottom edge, and a line excludes its end point.
#include "platform/color.h"

#include <QFont>
#include <QFontMetrics>
#include <QPoint>
#include <QRect>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

class QImage;
class QPaintDevice;
class QPainter;
class QPixmap;

struct TPoint {
    int X = 0;
    int Y = 0;
    constexpr TPoint() = default;
    constexpr TPoint(int x, int y) : X(x), Y(y) {}
    QPoint ToQPoint() const { return QPoint(X, Y); }
    static TPoint FromQPoint(const QPoint &p) { return TPoint(p.x(), p.y()); }
    friend constexpr bool operator==(const TPoint &, const TPoint &) = default;
};

// Left/Top inclusive, Right/Bottom exclusive.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    constexpr TRect() = default;
    constexpr TRect(int l, int t, int r, int b) : Left(l), Top(t), Right(r), Bottom(b) {}
    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    constexpr TPoint TopLeft() const { return TPoint(Left, Top); }
    constexpr TPoint BottomRight() const { return TPoint(Right, Bottom); }
    QRect ToQRect() const { return QRect(Left, Top, Right - Left, Bottom - Top); }
    static TRect FromQRect(const QRect &r)
    {
        return TRect(r.x(), r.y(), r.x() + r.width(), r.y() + r.height());
    }
    friend constexpr bool operator==(const TRect &, const TRect &) = default;
};

constexpr TPoint Point(int x, int y) { return TPoint(x, y); }
constexpr TRect Rect(int left, int top, int right, int bottom) { return TRect(left, top, right, bottom); }
constexpr TRect Bounds(int left, int top, int width, int height)
{
    return TRect(left, top, left + width, top + height);
}
void InflateRect(TRect &r, int dx, int dy);
void OffsetRect(TRect &r, int dx, int dy);
bool PtInRect(const TRect &r, const TPoint &p);
bool IsRectEmpty(const TRect &r);
// dst becomes the common part; an empty (all zero) rectangle and false when there is none.
bool IntersectRect(TRect &dst, const TRect &a, const TRect &b);
// The smallest rectangle holding both; empty rectangles are ignored.
bool UnionRect(TRect &dst, const TRect &a, const TRect &b);

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// How the pen combines with what is there (raster operations work on images and widgets).
enum TPenMode { pmCopy, pmNot, pmXor, pmNotXor };
enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal,
                   bsCross, bsDiagCross };
using TFontStyles = unsigned;
constexpr TFontStyles fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8;

struct TPen {
    TColor Color = clBlack;
    int Width = 1;   // 0 counts as 1
    TPenStyle Style = psSolid;
    TPenMode Mode = pmCopy;
    friend bool operator==(const TPen &, const TPen &) = default;
};

struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
    friend bool operator==(const TBrush &, const TBrush &) = default;
};

// Size is in points at 96 pixels per inch, as on Windows screens, so a font has the
// same pixel size on every device (images in tests, widgets on screen).
struct TFont {
    QString Name;            // empty: the application font's family
    int Size = 0;            // 0: the application font's size
    TColor Color = clWindowText;
    TFontStyles Style = 0;

    TFont();                 // the application font, in clWindowText
    QFont ToQFont() const;
    static TFont FromQFont(const QFont &font, TColor color = clWindowText);
    int PixelSize() const;   // em height in pixels
    friend bool operator==(const TFont &, const TFont &) = default;
};

// DrawText flags, with the values of the Windows call.
constexpr unsigned DT_TOP = 0x0, DT_LEFT = 0x0, DT_CENTER = 0x1, DT_RIGHT = 0x2,
    DT_VCENTER = 0x4, DT_BOTTOM = 0x8, DT_WORDBREAK = 0x10, DT_SINGLELINE = 0x20,
    DT_EXPANDTABS = 0x40, DT_NOCLIP = 0x100, DT_CALCRECT = 0x400, DT_NOPREFIX = 0x800,
    DT_END_ELLIPSIS = 0x8000;

// One drawing call as a test sees it (TCanvas::SetRecorder).
struct TCanvasOp {
    QString Name;            // "FillRect", "TextOut", "DrawText", "LineTo", ...
    TRect Rect;              // bounds of the figure, the text's rectangle or the line
    QString Text;            // text drawn; for DrawText the laid-out lines joined by "\n"
    TPen Pen;
    TBrush Brush;
    TFont Font;
    unsigned Flags = 0;      // DrawText flags
};

class TCanvas
{
public:
    // Paints on the device until destroyed.
    explicit TCanvas(QPaintDevice *device);
    // Paints with a painter already begun; the painter's state is restored on destruction.
    explicit TCanvas(QPainter *painter);
    ~TCanvas();
    TCanvas(const TCanvas &) = delete;
    TCanvas &operator=(const TCanvas &) = delete;

    TPen Pen;
    TBrush Brush;
    TFont Font;

    QPainter *Painter() const { return painter_; }
    TPoint PenPos() const { return penPos_; }
    void SetPenPos(const TPoint &p) { penPos_ = p; }

    void MoveTo(int x, int y);
    void LineTo(int x, int y);                          // end point excluded; moves the pen
    void Polyline(const std::vector<TPoint> &points);   // last point excluded
    void Polygon(const std::vector<TPoint> &points);    // closed, filled with the brush
    void Rectangle(int left, int top, int right, int bottom);   // pen outline, brush inside
    void Rectangle(const TRect &r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void Ellipse(int left, int top, int right, int bottom);
    void Ellipse(const TRect &r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
    void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
    void FillRect(const TRect &r);                      // the brush, no outline
    void FrameRect(const TRect &r);                     // a one-pixel border in the brush colour

    // Text at (x, y) as its top-left corner, in Font; the background is filled with the
    // brush unless its style is bsClear. Moves the pen to the end of the text.
    void TextOut(int x, int y, const QString &text);
    // Fills r with the brush (unless bsClear) and draws the text at (x, y) clipped to r.
    void TextRect(const TRect &r, int x, int y, const QString &text);
    int TextWidth(const QString &text);
    // TextWidth(text) <= width, mostly answered without shaping the text: a text is shaped
    // once, to draw it.
    bool TextFits(const QString &text, int width);
    int TextHeight(const QString &text);
    QSize TextExtent(const QString &text);
    const QFontMetrics &FontMetrics();                  // of the current Font

    // Formatted text in r with the DT_ flags. Returns the height of the text (with
    // DT_VCENTER / DT_BOTTOM: from r.Top to the bottom of the text). With DT_CALCRECT
    // nothing is drawn and r is set to the text's extent. DT_VCENTER and DT_BOTTOM apply
    // to single-line text only.
    int DrawText(const QString &text, TRect &r, unsigned flags);

    void Draw(int x, int y, const QImage &image);
    void Draw(int x, int y, const QPixmap &pixmap);
    // Pixels of transparentColor are left out (the glyph convention of button images).
    void DrawTransparent(int x, int y, const QImage &image, TColor transparentColor);
    void StretchDraw(const TRect &r, const QImage &image);
    void StretchDraw(const TRect &r, const QPixmap &pixmap);

    // Pixels of an image target; clNone outside it or on other devices.
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

    // Clipping: the current clip as a rectangle (the device's bounds when there is none).
    TRect ClipRect() const;
    void SetClipRect(const TRect &r);                   // replaces the clip
    void IntersectClipRect(const TRect &r);
    void ResetClip();
    // Save and restore the clip, pen, brush and font, nested.
    void Save();
    void Restore();

    // Tests: every drawing call is appended to the log while it is set.
    void SetRecorder(std::vector<TCanvasOp> *log) { recorder_ = log; }

private:
    struct TSaved;
    void Init();
    void ApplyPen();
    void ApplyBrush();
    void ApplyFont();
    void NoPen();
    void NoBrush();
    void ApplyTextPen();
    void ApplyFigure();
    void SetMode(TPenMode mode);
    void InvalidateState();
    void Record(const char *name, const TRect &r, const QString &text = {}, unsigned flags = 0);
    void DrawTextLine(int x, int y, const QString &line, bool expandTabs, int prefixAt);
    int LineWidth(const QString &line, bool expandTabs);
    bool LineFits(const QString &line, bool expandTabs, int width);
    int AdvanceBound(const QString &text);   // -1: none without shaping
    int Advance(const QString &text);   // of the applied font, remembered per font
    struct TShapedText;
    TShapedText &Shaped(const QString &text);
    void DrawString(int x, int baseline, const QString &text);
    void DrawDecoration(int x, int baseline, qreal width);

    QPainter *painter_ = nullptr;
    std::unique_ptr<QPainter> ownPainter_;
    QImage *image_ = nullptr;
    TPoint penPos_;
    std::vector<TCanvasOp> *recorder_ = nullptr;
    std::vector<TSaved> saved_;

    // What the painter holds now; compared before each call so unchanged pen, brush and
    // font cost nothing.
    enum TPenState { kPenUnknown, kPen, kNoPen, kTextPen } penState_ = kPenUnknown;
    enum TBrushState { kBrushUnknown, kBrush, kNoBrush } brushState_ = kBrushUnknown;
    TPen appliedPen_;
    TColor textColor_ = clNone;
    int appliedMode_ = -1;
    TBrush appliedBrush_;
    std::optional<TFont> appliedFont_;
    // Fonts, their metrics and text advances are shared by every canvas of the thread:
    // building a font and shaping text are most of the cost of painting text.
    struct TFontState;
    static std::shared_ptr<TFontState> FindFontState(const TFont &f, QPaintDevice *device);
    std::shared_ptr<TFontState> font_;
};
