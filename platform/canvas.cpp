#include "platform/canvas.h"

#include <QGuiApplication>
#include <QGlyphRun>
#include <QHash>
#include <QTextLayout>
#include <QVarLengthArray>
#include <QImage>
#include <QPaintDevice>
#include <QFontMetricsF>
#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <cstdlib>

// ---- rectangles -------------------------------------------------------------------------

void InflateRect(TRect &r, int dx, int dy)
{
    r.Left -= dx;
    r.Top -= dy;
    r.Right += dx;
    r.Bottom += dy;
}

void OffsetRect(TRect &r, int dx, int dy)
{
    r.Left += dx;
    r.Right += dx;
    r.Top += dy;
    r.Bottom += dy;
}

bool PtInRect(const TRect &r, const TPoint &p)
{
    return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

bool IsRectEmpty(const TRect &r)
{
    return r.Right <= r.Left || r.Bottom <= r.Top;
}

bool IntersectRect(TRect &dst, const TRect &a, const TRect &b)
{
    const TRect r(std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                  std::min(a.Bottom, b.Bottom));
    if (IsRectEmpty(r)) {
        dst = TRect();
        return false;
    }
    dst = r;
    return true;
}

bool UnionRect(TRect &dst, const TRect &a, const TRect &b)
{
    if (IsRectEmpty(a)) {
        dst = IsRectEmpty(b) ? TRect() : b;
    } else if (IsRectEmpty(b)) {
        dst = a;
    } else {
        dst = TRect(std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
                    std::max(a.Bottom, b.Bottom));
    }
    return !IsRectEmpty(dst);
}

// ---- font -------------------------------------------------------------------------------

TFont::TFont()
{
    const QFont app = QGuiApplication::font();
    Name = app.family();
    Size = app.pointSize() > 0 ? app.pointSize() : (app.pixelSize() > 0 ? app.pixelSize() * 72 / 96 : 9);
}

int TFont::PixelSize() const
{
    const int pt = Size > 0 ? Size : 9;
    return std::max(1, (pt * 96 + 36) / 72);   // rounded as Windows' MulDiv
}

QFont TFont::ToQFont() const
{
    QFont f(Name.isEmpty() ? QGuiApplication::font().family() : Name);
    f.setPixelSize(PixelSize());
    f.setBold(Style & fsBold);
    f.setItalic(Style & fsItalic);
    f.setUnderline(Style & fsUnderline);
    f.setStrikeOut(Style & fsStrikeOut);
    return f;
}

TFont TFont::FromQFont(const QFont &font, TColor color)
{
    TFont f;
    f.Name = font.family();
    if (font.pointSize() > 0)
        f.Size = font.pointSize();
    else if (font.pixelSize() > 0)
        f.Size = std::max(1, (font.pixelSize() * 72 + 48) / 96);
    f.Color = color;
    f.Style = (font.bold() ? fsBold : 0) | (font.italic() ? fsItalic : 0) |
              (font.underline() ? fsUnderline : 0) | (font.strikeOut() ? fsStrikeOut : 0);
    return f;
}

// ---- canvas -----------------------------------------------------------------------------

namespace {

Qt::PenStyle ToQtPenStyle(TPenStyle s)
{
    switch (s) {
    case psDash: return Qt::DashLine;
    case psDot: return Qt::DotLine;
    case psDashDot: return Qt::DashDotLine;
    case psDashDotDot: return Qt::DashDotDotLine;
    case psClear: return Qt::NoPen;
    case psSolid:
    case psInsideFrame: break;
    }
    return Qt::SolidLine;
}

Qt::BrushStyle ToQtBrushStyle(TBrushStyle s)
{
    switch (s) {
    case bsClear: return Qt::NoBrush;
    case bsHorizontal: return Qt::HorPattern;
    case bsVertical: return Qt::VerPattern;
    case bsFDiagonal: return Qt::BDiagPattern;   // Qt names the directions the other way
    case bsBDiagonal: return Qt::FDiagPattern;
    case bsCross: return Qt::CrossPattern;
    case bsDiagCross: return Qt::DiagCrossPattern;
    case bsSolid: break;
    }
    return Qt::SolidPattern;
}

QPainter::CompositionMode ToComposition(TPenMode m)
{
    switch (m) {
    case pmNot: return QPainter::RasterOp_NotDestination;
    case pmXor: return QPainter::RasterOp_SourceXorDestination;
    case pmNotXor: return QPainter::RasterOp_NotSourceXorDestination;
    case pmCopy: break;
    }
    return QPainter::CompositionMode_SourceOver;
}

QBrush ToQBrush(const TBrush &b)
{
    return QBrush(ToQColor(b.Color), ToQtBrushStyle(b.Style));
}

struct TTextLine {
    QString text;
    int offset = 0;   // of its first character in the processed text
};

} // namespace

// A text as the font shapes it: its advance, and once it is drawn again its glyphs, so a
// repaint does not shape it anew.
struct TCanvas::TShapedText {
    int Advance = -1;
    int Draws = 0;
    bool Shaped = false;
    bool Plain = false;   // drawn from Runs, which are placed with the baseline at 0
    qreal Width = 0;      // unrounded, for decorations
    QList<QGlyphRun> Runs;
};

struct TCanvas::TFontState {
    QString Name;   // as asked for: empty means the application font
    QString Family;   // as resolved
    int Size = 0;
    TFontStyles Style = 0;
    int DpiX = 0, DpiY = 0;   // metrics follow the device's resolution
    QFont Font;
    QFontMetrics Metrics;
    int Ascent = 0, Height = 0, AvgCharWidth = 0;
    QHash<QString, TShapedText> Texts;
    // Hashes of texts drawn once and not yet kept in Texts: a text enters Texts when it is
    // drawn a second time, so a screen of new texts costs no entries. A slot holds the last
    // hash that fell on it; a collision only makes a text be kept one draw early or late.
    std::vector<size_t> DrawnOnce;
    // True the first time a text is seen here (as far as the slots remember), marking it seen.
    bool FirstDraw(const QString &text)
    {
        constexpr size_t kSlots = 4096;   // several screens of cells
        if (DrawnOnce.empty())
            DrawnOnce.assign(kSlots, 0);
        const size_t h = qHash(text, size_t(0x9E3779B9)) | 1;   // 0 marks an empty slot
        size_t &slot = DrawnOnce[h & (kSlots - 1)];
        if (slot == h) {
            slot = 0;
            return false;
        }
        slot = h;
        return true;
    }
    // Advances of single characters below U+0590, -1 until asked for.
    std::vector<int> CharAdvances = std::vector<int>(0x0590, -1);
    bool Underline = false, StrikeOut = false;
    qreal LineThickness = 0, UnderlinePos = 0, AscentF = 0;

    TFontState(const TFont &f, const QString &family, QPaintDevice *device)
        : Name(f.Name), Family(family),
          Size(f.Size), Style(f.Style), DpiX(device ? device->logicalDpiX() : 0),
          DpiY(device ? device->logicalDpiY() : 0), Font(f.ToQFont()), Metrics(Font, device),
          Ascent(Metrics.ascent()), Height(Metrics.height()), AvgCharWidth(Metrics.averageCharWidth()),
          Underline(f.Style & fsUnderline), StrikeOut(f.Style & fsStrikeOut)
    {
        const QFontMetricsF mf(Font, device);
        LineThickness = mf.lineWidth();
        UnderlinePos = mf.underlinePos();
        AscentF = mf.ascent();
    }
};

namespace {

constexpr qsizetype kMaxTexts = 8192;   // per font (a few screens of cells); cleared when full
constexpr size_t kMaxFontStates = 64;

} // namespace

struct TCanvas::TSaved {
    TPen pen;
    TBrush brush;
    TFont font;
};

TCanvas::TCanvas(QPaintDevice *device)
    : ownPainter_(std::make_unique<QPainter>(device))
{
    painter_ = ownPainter_.get();
    Init();
}

TCanvas::TCanvas(QPainter *painter) : painter_(painter)
{
    painter_->save();
    Init();
}

TCanvas::~TCanvas()
{
    while (!saved_.empty()) {
        painter_->restore();
        saved_.pop_back();
    }
    if (ownPainter_)
        ownPainter_->end();
    else
        painter_->restore();
}

void TCanvas::Init()
{
    QPaintDevice *dev = painter_->device();
    if (dev && dev->devType() == QInternal::Image)
        image_ = static_cast<QImage *>(dev);
    painter_->setRenderHint(QPainter::Antialiasing, false);
}

void TCanvas::SetMode(TPenMode mode)
{
    if (appliedMode_ == int(mode))
        return;
    painter_->setCompositionMode(ToComposition(mode));
    appliedMode_ = int(mode);
}

// Lines and figures follow the pen mode; fills of rectangles and text do not, as on
// Windows.
void TCanvas::ApplyPen()
{
    SetMode(Pen.Mode);
    if (penState_ == kPen && appliedPen_ == Pen)
        return;
    QPen pen(ToQColor(Pen.Color));
    pen.setStyle(ToQtPenStyle(Pen.Style));
    pen.setWidth(Pen.Width <= 1 ? 0 : Pen.Width);
    pen.setCapStyle(Qt::FlatCap);   // a line stops short of its end point
    pen.setJoinStyle(Qt::MiterJoin);
    painter_->setPen(pen);
    appliedPen_ = Pen;
    penState_ = kPen;
}

void TCanvas::ApplyTextPen()
{
    if (penState_ == kTextPen && textColor_ == Font.Color)
        return;
    painter_->setPen(ToQColor(Font.Color));
    textColor_ = Font.Color;
    penState_ = kTextPen;
}

void TCanvas::NoPen()
{
    SetMode(Pen.Mode);
    if (penState_ == kNoPen)
        return;
    painter_->setPen(Qt::NoPen);
    penState_ = kNoPen;
}

void TCanvas::InvalidateState()
{
    penState_ = kPenUnknown;
    brushState_ = kBrushUnknown;
    appliedMode_ = -1;
    appliedFont_.reset();
}

void TCanvas::ApplyBrush()
{
    if (brushState_ == kBrush && appliedBrush_ == Brush)
        return;
    painter_->setBrush(ToQBrush(Brush));
    appliedBrush_ = Brush;
    brushState_ = kBrush;
}

void TCanvas::NoBrush()
{
    if (brushState_ == kNoBrush)
        return;
    painter_->setBrush(Qt::NoBrush);
    brushState_ = kNoBrush;
}

// Outline with the pen and inside with the brush, either of them possibly clear.
void TCanvas::ApplyFigure()
{
    if (Pen.Style == psClear)
        NoPen();
    else
        ApplyPen();
    if (Brush.Style == bsClear)
        NoBrush();
    else
        ApplyBrush();
}

std::shared_ptr<TCanvas::TFontState> TCanvas::FindFontState(const TFont &f, QPaintDevice *device)
{
    thread_local std::vector<std::shared_ptr<TFontState>> states;
    thread_local size_t last = 0;
    const int dpiX = device ? device->logicalDpiX() : 0, dpiY = device ? device->logicalDpiY() : 0;
    // The application font may change between paints; an empty name follows it.
    const QString family = f.Name.isEmpty() ? QGuiApplication::font().family() : f.Name;
    auto same = [&](const TFontState &s) {
        return s.Size == f.Size && s.Style == f.Style && s.DpiX == dpiX && s.DpiY == dpiY &&
               s.Name == f.Name && s.Family == family;
    };
    if (last < states.size() && same(*states[last]))
        return states[last];
    for (size_t i = 0; i < states.size(); ++i)
        if (same(*states[i])) {
            last = i;
            return states[i];
        }
    if (states.size() >= kMaxFontStates)
        states.clear();   // canvases keep theirs alive
    states.push_back(std::make_shared<TFontState>(f, family, device));
    last = states.size() - 1;
    return states.back();
}

void TCanvas::ApplyFont()
{
    if (appliedFont_ && appliedFont_->Name == Font.Name && appliedFont_->Size == Font.Size &&
        appliedFont_->Style == Font.Style)
        return;
    font_ = FindFontState(Font, painter_->device());
    painter_->setFont(font_->Font);
    appliedFont_ = Font;
}

const QFontMetrics &TCanvas::FontMetrics()
{
    ApplyFont();
    return font_->Metrics;
}

TCanvas::TShapedText &TCanvas::Shaped(const QString &text)
{
    QHash<QString, TShapedText> &texts = font_->Texts;
    auto it = texts.find(text);
    if (it != texts.end())
        return *it;
    if (texts.size() >= kMaxTexts)
        texts.clear();
    return texts[text];
}

int TCanvas::Advance(const QString &text)
{
    TShapedText &t = Shaped(text);
    if (t.Advance < 0)
        t.Advance = font_->Metrics.horizontalAdvance(text);
    return t.Advance;
}

// Characters below U+0590, without controls, are shaped left to right, each glyph placed
// after the previous one and no wider than the character alone (ligatures and marks only
// narrow a text): their own advances, with a margin for rounding and kerning, bound the
// text's advance.
int TCanvas::AdvanceBound(const QString &text)
{
    TFontState &fs = *font_;
    const int margin = 1 + fs.Height / 8;
    int bound = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7F && u < 0xA0) || u >= 0x0590)
            return -1;
        int &a = fs.CharAdvances[u];
        if (a < 0)
            a = fs.Metrics.horizontalAdvance(c);
        bound += a + margin;
    }
    return bound;
}

bool TCanvas::LineFits(const QString &line, bool expandTabs, int width)
{
    ApplyFont();
    if (expandTabs && line.contains(u'\t'))
        return LineWidth(line, true) <= width;
    const auto known = font_->Texts.constFind(line);
    if (known != font_->Texts.constEnd() && known->Advance >= 0)
        return known->Advance <= width;
    const int bound = AdvanceBound(line);
    if (bound >= 0 && bound <= width)
        return true;
    return Advance(line) <= width;
}

bool TCanvas::TextFits(const QString &text, int width)
{
    return LineFits(text, false, width);
}

// Glyph runs give the pixels of the painter's text call only for text of left-to-right
// characters without tabs or controls. Decorations are drawn here as the painter draws
// them, from the font's own metrics: that holds for Latin text in the font itself.
static bool PlainText(const QString &text, bool decorated)
{
    const char16_t limit = decorated ? 0x0250 : 0x0590;
    for (const QChar c : text)
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0) || c.unicode() >= limit)
            return false;
    return true;
}

void TCanvas::DrawString(int x, int baseline, const QString &text)
{
    // Text of left-to-right characters only reads left to right unless the painter says not.
    // Decorations of scaled text are the painter's own.
    if (painter_->layoutDirection() == Qt::RightToLeft ||
        ((font_->Underline || font_->StrikeOut) &&
         painter_->worldTransform().type() > QTransform::TxTranslate)) {
        painter_->drawText(QPoint(x, baseline), text);
        return;
    }
    QHash<QString, TShapedText> &texts = font_->Texts;
    auto known = texts.find(text);
    if (known == texts.end()) {
        if (font_->FirstDraw(text)) {
            painter_->drawText(QPoint(x, baseline), text);
            return;
        }
        if (texts.size() >= kMaxTexts)
            texts.clear();
        known = texts.insert(text, TShapedText{});
        known->Draws = 1;
    }
    TShapedText &t = *known;
    if (!t.Shaped && t.Draws++ > 0) {   // texts drawn once are not worth keeping
        t.Shaped = true;
        t.Plain = PlainText(text, font_->Underline || font_->StrikeOut);
        if (t.Plain) {
            QTextLayout layout(text, font_->Font, painter_->device());
            QTextOption option;
            option.setWrapMode(QTextOption::NoWrap);
            option.setTextDirection(Qt::LeftToRight);
            layout.setTextOption(option);
            layout.beginLayout();
            QTextLine line = layout.createLine();
            line.setLineWidth(1e6);
            layout.endLayout();
            const qreal ascent = line.ascent();
            t.Width = line.horizontalAdvance();
            t.Runs = line.glyphRuns();
            for (QGlyphRun &run : t.Runs) {
                QList<QPointF> positions = run.positions();
                for (QPointF &p : positions)
                    p.ry() -= ascent;
                run.setPositions(positions);
                run.setUnderline(false);
                run.setStrikeOut(false);
                run.setOverline(false);
            }
        }
    }
    if (!t.Shaped || !t.Plain) {
        painter_->drawText(QPoint(x, baseline), text);
        return;
    }
    const QPointF at(x, baseline);
    for (const QGlyphRun &run : t.Runs)
        painter_->drawGlyphRun(at, run);
    if (font_->Underline || font_->StrikeOut)
        DrawDecoration(x, baseline, t.Width);
}

// The lines of the painter's text decoration: flat, as thick as the font says, from the
// start of the text to the floor of its unrounded end.
void TCanvas::DrawDecoration(int x, int baseline, qreal width)
{
    const TFontState &fs = *font_;
    const QPen oldPen = painter_->pen();
    const QBrush oldBrush = painter_->brush();
    painter_->setBrush(Qt::NoBrush);
    QPen pen = oldPen;
    pen.setStyle(Qt::SolidLine);
    pen.setWidthF(fs.LineThickness);
    pen.setCapStyle(Qt::FlatCap);
    const QLineF line(x, baseline, std::floor(x + width), baseline);
    painter_->setPen(pen);
    if (fs.Underline) {
        const qreal y = baseline + std::ceil(fs.UnderlinePos) + 0.5;
        painter_->drawLine(QLineF(line.x1(), y, line.x2(), y));
    }
    if (fs.StrikeOut)
        painter_->drawLine(line.translated(0, -fs.AscentF / 3));
    painter_->setPen(oldPen);
    painter_->setBrush(oldBrush);
}

void TCanvas::Record(const char *name, const TRect &r, const QString &text, unsigned flags)
{
    if (recorder_)
        recorder_->push_back({QString::fromLatin1(name), r, text, Pen, Brush, Font, flags});
}

void TCanvas::MoveTo(int x, int y)
{
    penPos_ = TPoint(x, y);
}

void TCanvas::LineTo(int x, int y)
{
    Record("LineTo", TRect(penPos_.X, penPos_.Y, x, y));
    if (Pen.Style != psClear) {
        // A thin solid horizontal or vertical line in copy mode is one fill instead of a
        // stroke, several times cheaper; grid lines are mostly drawn this way. The pen covers
        // the pixels from the lower coordinate up to, not including, the higher one, in either
        // direction, and one pixel for a line of no length.
        const TPoint from = penPos_;
        const bool straight =
            (from.X == x || from.Y == y) && Pen.Width <= 1 && Pen.Mode == pmCopy &&
            (Pen.Style == psSolid || Pen.Style == psInsideFrame) &&
            painter_->worldTransform().type() == QTransform::TxNone &&
            !painter_->testRenderHint(QPainter::Antialiasing);
        if (straight) {
            SetMode(Pen.Mode);
            const QRect r =
                from.Y == y ? QRect(std::min(from.X, x), y, std::max(1, std::abs(x - from.X)), 1)
                            : QRect(x, std::min(from.Y, y), 1, std::abs(y - from.Y));
            painter_->fillRect(r, ToQColor(Pen.Color));
        } else {
            ApplyPen();
            painter_->drawLine(penPos_.X, penPos_.Y, x, y);
        }
    }
    penPos_ = TPoint(x, y);
}

void TCanvas::Polyline(const std::vector<TPoint> &points)
{
    if (points.empty())
        return;
    Record("Polyline", TRect(points.front().X, points.front().Y, points.back().X, points.back().Y));
    if (Pen.Style == psClear || points.size() < 2)
        return;
    ApplyPen();
    std::vector<QPoint> q;
    q.reserve(points.size());
    for (const TPoint &p : points)
        q.push_back(p.ToQPoint());
    painter_->drawPolyline(q.data(), int(q.size()));
}

void TCanvas::Polygon(const std::vector<TPoint> &points)
{
    if (points.empty())
        return;
    TRect bounds(points[0].X, points[0].Y, points[0].X, points[0].Y);
    std::vector<QPoint> q;
    q.reserve(points.size());
    for (const TPoint &p : points) {
        q.push_back(p.ToQPoint());
        bounds = TRect(std::min(bounds.Left, p.X), std::min(bounds.Top, p.Y),
                       std::max(bounds.Right, p.X + 1), std::max(bounds.Bottom, p.Y + 1));
    }
    Record("Polygon", bounds);
    ApplyFigure();
    painter_->drawPolygon(q.data(), int(q.size()), Qt::OddEvenFill);
}

void TCanvas::Rectangle(int left, int top, int right, int bottom)
{
    Record("Rectangle", TRect(left, top, right, bottom));
    if (right <= left || bottom <= top)
        return;
    if (Pen.Style == psClear) {
        // Without a pen the filled area is one pixel smaller, as on Windows.
        SetMode(Pen.Mode);
        if (Brush.Style != bsClear)
            painter_->fillRect(QRect(left, top, right - left - 1, bottom - top - 1), ToQBrush(Brush));
        return;
    }
    ApplyFigure();
    painter_->drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
}

void TCanvas::Ellipse(int left, int top, int right, int bottom)
{
    Record("Ellipse", TRect(left, top, right, bottom));
    if (right <= left || bottom <= top)
        return;
    ApplyFigure();
    // Pixel centres: the aliased outline then covers left..right-1 evenly on every side.
    painter_->drawEllipse(QRectF(left + 0.5, top + 0.5, right - left - 1, bottom - top - 1));
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int cornerWidth,
                        int cornerHeight)
{
    Record("RoundRect", TRect(left, top, right, bottom));
    if (right <= left || bottom <= top)
        return;
    ApplyFigure();
    painter_->drawRoundedRect(QRectF(left + 0.5, top + 0.5, right - left - 1, bottom - top - 1),
                              cornerWidth / 2.0, cornerHeight / 2.0, Qt::AbsoluteSize);
}

void TCanvas::FillRect(const TRect &r)
{
    Record("FillRect", r);
    if (Brush.Style == bsClear || IsRectEmpty(r))
        return;
    SetMode(pmCopy);
    // A solid fill goes by colour: the same pixels, without a brush to build and set up.
    if (Brush.Style == bsSolid)
        painter_->fillRect(r.ToQRect(), ToQColor(Brush.Color));
    else
        painter_->fillRect(r.ToQRect(), ToQBrush(Brush));
}

void TCanvas::FrameRect(const TRect &r)
{
    Record("FrameRect", r);
    if (Brush.Style == bsClear || IsRectEmpty(r))
        return;
    SetMode(pmCopy);
    const QBrush b = ToQBrush(Brush);
    const int w = r.Width(), h = r.Height();
    painter_->fillRect(QRect(r.Left, r.Top, w, 1), b);
    if (h > 1)
        painter_->fillRect(QRect(r.Left, r.Bottom - 1, w, 1), b);
    if (h > 2) {
        painter_->fillRect(QRect(r.Left, r.Top + 1, 1, h - 2), b);
        if (w > 1)
            painter_->fillRect(QRect(r.Right - 1, r.Top + 1, 1, h - 2), b);
    }
}

int TCanvas::LineWidth(const QString &line, bool expandTabs)
{
    ApplyFont();
    if (!expandTabs || !line.contains(u'\t'))
        return Advance(line);
    // Tab stops every eight average character widths.
    const int tab = std::max(1, 8 * font_->AvgCharWidth);
    int x = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= line.size(); ++i) {
        if (i < line.size() && line[i] != u'\t')
            continue;
        x += Advance(line.mid(start, i - start));
        if (i < line.size())
            x = (x / tab + 1) * tab;
        start = i + 1;
    }
    return x;
}

void TCanvas::DrawTextLine(int x, int y, const QString &line, bool expandTabs, int prefixAt)
{
    const TFontState &fs = *font_;
    ApplyTextPen();
    const int baseline = y + fs.Ascent;
    if (!expandTabs || !line.contains(u'\t')) {
        DrawString(x, baseline, line);
    } else {
        const int tab = std::max(1, 8 * fs.AvgCharWidth);
        int cx = 0;
        qsizetype start = 0;
        for (qsizetype i = 0; i <= line.size(); ++i) {
            if (i < line.size() && line[i] != u'\t')
                continue;
            const QString seg = line.mid(start, i - start);
            if (!seg.isEmpty())
                DrawString(x + cx, baseline, seg);
            cx += Advance(seg);
            if (i < line.size())
                cx = (cx / tab + 1) * tab;
            start = i + 1;
        }
    }
    if (prefixAt >= 0 && prefixAt < line.size()) {
        const int px = x + LineWidth(line.left(prefixAt), expandTabs);
        const int cw = fs.Metrics.horizontalAdvance(line[prefixAt]);
        painter_->fillRect(QRect(px, baseline + 1, cw, 1), ToQColor(Font.Color));
    }
}

void TCanvas::TextOut(int x, int y, const QString &text)
{
    ApplyFont();
    const int w = Advance(text), h = font_->Height;
    Record("TextOut", TRect(x, y, x + w, y + h), text);
    SetMode(pmCopy);
    ApplyTextPen();
    if (Brush.Style != bsClear)
        painter_->fillRect(QRect(x, y, w, h), ToQColor(Brush.Color));
    DrawTextLine(x, y, text, false, -1);
    penPos_ = TPoint(x + w, y);
}

void TCanvas::TextRect(const TRect &r, int x, int y, const QString &text)
{
    ApplyFont();
    Record("TextRect", r, text);
    SetMode(pmCopy);
    ApplyTextPen();   // before any save, so a restore keeps it
    if (Brush.Style != bsClear && !IsRectEmpty(r))
        painter_->fillRect(r.ToQRect(), ToQColor(Brush.Color));
    if (IsRectEmpty(r) || text.isEmpty())
        return;
    const int w = Advance(text);
    const bool inside = x >= r.Left && y >= r.Top && x + w <= r.Right && y + font_->Height <= r.Bottom;
    if (inside) {
        DrawTextLine(x, y, text, false, -1);
        return;
    }
    painter_->save();
    painter_->setClipRect(r.ToQRect(), Qt::IntersectClip);
    DrawTextLine(x, y, text, false, -1);
    painter_->restore();
}

int TCanvas::TextWidth(const QString &text)
{
    ApplyFont();
    return Advance(text);
}

int TCanvas::TextHeight(const QString &)
{
    ApplyFont();
    return font_->Height;
}

QSize TCanvas::TextExtent(const QString &text)
{
    ApplyFont();
    return QSize(Advance(text), font_->Height);
}

int TCanvas::DrawText(const QString &text, TRect &r, unsigned flags)
{
    ApplyFont();
    const int lh = font_->Height;
    const bool single = flags & DT_SINGLELINE;
    const bool expandTabs = flags & DT_EXPANDTABS;
    const bool calc = flags & DT_CALCRECT;

    if (text.isEmpty()) {
        if (calc) {
            r.Right = r.Left;
            r.Bottom = r.Top + (single ? lh : 0);
        }
        return lh;
    }

    // Prefix characters, tabs that are not expanded and (on a single line) line breaks
    // are taken out; prefixAt is the index of the underlined character.
    QString shown;
    int prefixAt = -1;
    const bool prefix = !(flags & DT_NOPREFIX);
    const auto changes = [&](QChar c) {
        return (c == u'\t' && !expandTabs) || (single && (c == u'\r' || c == u'\n')) ||
               (prefix && c == u'&');
    };
    qsizetype first = 0;   // text before the first character taken out is kept as it is
    while (first < text.size() && !changes(text[first]))
        ++first;
    if (first == text.size()) {
        shown = text;
    } else {
        shown.reserve(text.size());
        shown.append(QStringView(text).left(first));
    }
    for (qsizetype i = first; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\t' && !expandTabs)
            continue;
        if (single && (c == u'\r' || c == u'\n'))
            continue;
        if (prefix && c == u'&') {
            if (i + 1 < text.size() && text[i + 1] == u'&') {
                shown += u'&';
                ++i;
            } else if (i + 1 < text.size()) {
                prefixAt = int(shown.size());
            }
            continue;
        }
        shown += c;
    }

    // Paragraphs, then word wrapping.
    // Most texts are one line: kept inline, without a heap block per call.
    QVarLengthArray<TTextLine, 2> lines;
    auto addParagraph = [&](int start, int end) {
        const QString para = shown.mid(start, end - start);
        if (!(flags & DT_WORDBREAK) || single) {
            lines.push_back({para, start});
            return;
        }
        const int width = r.Width();
        const qsizetype n = para.size();
        qsizetype pos = 0;
        do {
            qsizetype cur = pos;
            for (;;) {
                qsizetype j = cur;
                while (j < n && para[j] == u' ')
                    ++j;
                qsizetype k = j;
                while (k < n && para[k] != u' ')
                    ++k;
                if (k == j) {   // only blanks are left
                    cur = n;
                    break;
                }
                const bool fits = LineFits(para.mid(pos, k - pos), expandTabs, width);
                if (fits || cur == pos) {
                    cur = k;
                    if (!fits)
                        break;   // a word wider than the line stands alone
                    continue;
                }
                break;
            }
            QString piece = para.mid(pos, cur - pos);
            if (cur < n)   // blanks at a break are not drawn
                while (piece.endsWith(u' '))
                    piece.chop(1);
            lines.push_back({piece, int(start + pos)});
            pos = cur;
            while (pos < n && para[pos] == u' ')
                ++pos;
        } while (pos < n);
    };
    if (single) {
        lines.push_back({shown, 0});
    } else {
        qsizetype start = 0;
        for (qsizetype i = 0; i < shown.size(); ++i) {
            if (shown[i] != u'\r' && shown[i] != u'\n')
                continue;
            addParagraph(int(start), int(i));
            if (shown[i] == u'\r' && i + 1 < shown.size() && shown[i + 1] == u'\n')
                ++i;
            start = i + 1;
        }
        if (start < shown.size())
            addParagraph(int(start), int(shown.size()));
    }

    if (flags & DT_END_ELLIPSIS) {
        static const QString dots = QStringLiteral("...");
        const int width = r.Width();
        for (TTextLine &l : lines) {
            if (LineFits(l.text, expandTabs, width))
                continue;
            const int room = width - Advance(dots);
            qsizetype lo = 0, hi = l.text.size();   // longest prefix that fits in room
            while (lo < hi) {
                const qsizetype mid = (lo + hi + 1) / 2;
                if (LineWidth(l.text.left(mid), expandTabs) <= room)
                    lo = mid;
                else
                    hi = mid - 1;
            }
            l.text = l.text.left(lo) + dots;
        }
    }

    // Left-aligned lines on a clear brush need their widths only to know whether they fit.
    const bool measure = calc || (flags & (DT_CENTER | DT_RIGHT)) || Brush.Style != bsClear;
    QVarLengthArray<int, 4> widths;
    widths.reserve(lines.size());
    int maxWidth = 0;
    bool fit = true;
    for (const TTextLine &l : lines) {
        if (measure) {
            widths.push_back(LineWidth(l.text, expandTabs));
            maxWidth = std::max(maxWidth, widths.back());
        } else {
            widths.push_back(0);
            fit = fit && LineFits(l.text, expandTabs, r.Width());
        }
    }
    if (measure)
        fit = maxWidth <= r.Width();
    const int total = int(lines.size()) * lh;
    if (recorder_) {
        QStringList drawn;
        for (const TTextLine &l : lines)
            drawn.append(l.text);
        Record("DrawText", r, drawn.join(u'\n'), flags);
    }
    if (calc) {
        r.Right = r.Left + maxWidth;
        r.Bottom = r.Top + total;
        return total;
    }

    int y = r.Top;
    if (single && (flags & DT_VCENTER))
        y = r.Top + (r.Height() - lh) / 2;
    else if (single && (flags & DT_BOTTOM))
        y = r.Bottom - lh;
    const int result = single && (flags & (DT_VCENTER | DT_BOTTOM)) ? y - r.Top + lh : total;

    SetMode(pmCopy);
    ApplyTextPen();   // before the save below, so the restore keeps it
    const bool clip = !(flags & DT_NOCLIP) && (!fit || y < r.Top || y + total > r.Bottom);
    if (clip) {
        painter_->save();
        painter_->setClipRect(r.ToQRect(), Qt::IntersectClip);
    }
    const QColor back = Brush.Style != bsClear ? ToQColor(Brush.Color) : QColor();
    for (qsizetype i = 0; i < lines.size(); ++i, y += lh) {
        const int w = widths[i];
        int x = r.Left;
        if (flags & DT_CENTER)
            x = r.Left + (r.Width() - w) / 2;
        else if (flags & DT_RIGHT)
            x = r.Right - w;
        if (Brush.Style != bsClear)
            painter_->fillRect(QRect(x, y, w, lh), back);
        const int at = prefixAt - lines[i].offset;
        DrawTextLine(x, y, lines[i].text, expandTabs, at >= 0 && at < lines[i].text.size() ? at : -1);
    }
    if (clip)
        painter_->restore();
    return result;
}

void TCanvas::Draw(int x, int y, const QImage &image)
{
    Record("Draw", Bounds(x, y, image.width(), image.height()));
    SetMode(pmCopy);
    painter_->drawImage(QPoint(x, y), image);
}

void TCanvas::Draw(int x, int y, const QPixmap &pixmap)
{
    Record("Draw", Bounds(x, y, pixmap.width(), pixmap.height()));
    SetMode(pmCopy);
    painter_->drawPixmap(QPoint(x, y), pixmap);
}

void TCanvas::DrawTransparent(int x, int y, const QImage &image, TColor transparentColor)
{
    Record("Draw", Bounds(x, y, image.width(), image.height()));
    SetMode(pmCopy);
    QImage img = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = ToQColor(transparentColor).rgb() & 0x00FFFFFFu;
    for (int row = 0; row < img.height(); ++row) {
        QRgb *line = reinterpret_cast<QRgb *>(img.scanLine(row));
        for (int col = 0; col < img.width(); ++col)
            if ((line[col] & 0x00FFFFFFu) == key)
                line[col] = 0;
    }
    painter_->drawImage(QPoint(x, y), img);
}

void TCanvas::StretchDraw(const TRect &r, const QImage &image)
{
    Record("StretchDraw", r);
    SetMode(pmCopy);
    painter_->drawImage(r.ToQRect(), image);
}

void TCanvas::StretchDraw(const TRect &r, const QPixmap &pixmap)
{
    Record("StretchDraw", r);
    SetMode(pmCopy);
    painter_->drawPixmap(r.ToQRect(), pixmap);
}

TColor TCanvas::Pixel(int x, int y) const
{
    if (!image_ || !image_->valid(x, y))
        return clNone;
    return FromQColor(image_->pixelColor(x, y));
}

void TCanvas::SetPixel(int x, int y, TColor color)
{
    Record("SetPixel", Bounds(x, y, 1, 1));
    SetMode(pmCopy);
    painter_->fillRect(QRect(x, y, 1, 1), ToQColor(color));   // through the painter, which owns the image now
}

TRect TCanvas::ClipRect() const
{
    if (painter_->hasClipping())
        return TRect::FromQRect(painter_->clipBoundingRect().toAlignedRect());
    const QPaintDevice *dev = painter_->device();
    return dev ? TRect(0, 0, dev->width(), dev->height()) : TRect();
}

void TCanvas::SetClipRect(const TRect &r)
{
    painter_->setClipRect(r.ToQRect(), Qt::ReplaceClip);
}

void TCanvas::IntersectClipRect(const TRect &r)
{
    painter_->setClipRect(r.ToQRect(), painter_->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
}

void TCanvas::ResetClip()
{
    painter_->setClipping(false);
}

void TCanvas::Save()
{
    painter_->save();
    saved_.push_back({Pen, Brush, Font});
}

void TCanvas::Restore()
{
    if (saved_.empty())
        return;
    painter_->restore();
    Pen = saved_.back().pen;
    Brush = saved_.back().brush;
    Font = saved_.back().font;
    saved_.pop_back();
    InvalidateState();   // the painter went back to its own earlier state
}
