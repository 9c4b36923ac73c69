#include "grid/base/markuprender.h"
#include "grid/base/workcount.h"

#include <QApplication>
#include <QCache>
#include <QHash>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QLocale>
#include <QPaintDevice>
#include <QPainter>
#include <QStyle>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <memory>

#include "grid/base/imagelist.h"
#include "grid/base/markup.h"
#include "grid/base/markupcontrols.h"
#include "grid/base/picture.h"
#include "platform/rtl.h"

namespace {

constexpr unsigned DT_EXTERNALLEADING = 0x200;
constexpr TColor kFrameColorThemed = 0xB99D7F;
constexpr TColor kFrameColorPlain = 0x808080;

// Sizes, offsets and indents written in a text are held to this many pixels, and font sizes
// to kMaxFontPoints, so that hostile numbers neither overflow the layout arithmetic nor ask
// the painter for giant glyphs and buffers.
constexpr int kMaxMarkupPixels = 32767;
constexpr int kMaxFontPoints = 1000;

int ClampPixels(int v)
{
    return std::clamp(v, -kMaxMarkupPixels, kMaxMarkupPixels);
}

// Layout positions and sums saturate instead of overflowing on texts with very many items.
int SatAdd(int a, int b)
{
    return int(std::clamp<int64_t>(int64_t(a) + b, INT_MIN / 2, INT_MAX / 2));
}

// Rounds half away from zero, as the platform's MulDiv does.
int MulDiv(int a, int b, int c)
{
    return c == 0 ? -1 : int(std::llround(double(a) * b / c));
}

inline QChar Up(QChar c)
{
    return (c >= u'a' && c <= u'z') ? QChar(c.unicode() - 32) : c;
}

// The value of an attribute: the text between the first double quote after the name (and
// `skip` more characters) and the next double quote; empty when absent or unquoted.
// Positions are found in `search`, the value is taken from `source` (same length).
QString AttrValue(const QString &search, QStringView name, const QString &source, int skip = 0)
{
    const qsizetype at = search.indexOf(name);
    if (at < 0)
        return {};
    const qsizetype q1 = search.indexOf(u'"', at + name.size() + skip);
    if (q1 < 0)
        return {};
    const qsizetype q2 = search.indexOf(u'"', q1 + 1);
    if (q2 < 0)
        return {};
    return source.mid(q1 + 1, q2 - q1 - 1);
}

QString AttrValue(const QString &upper, QStringView name)
{
    return AttrValue(upper, name, upper);
}

// A colour written as "#RRGGBB" or as a name; an empty value is no colour.
TColor ParseTagColor(const QString &value)
{
    if (value.isEmpty())
        return clNone;
    return value.startsWith(u'#') ? HtmlHexToColor(value) : ColorNameToColor(value);
}

// ---- layout cache ----------------------------------------------------------------------

struct TLineValues
{
    int Height = 0;
    int SubDescent = 0;
    int SupAscent = 0;
    int BaselineLift = 0;
    int Align = 0;   // 0 left, 1 right, 2 centre
    int Indent = 0;
    int Width = 0;
    bool AnchorHit = false;
    bool ItemHit = false;
};

// One line as the measuring pass left it, with the state the second pass starts from.
struct TLaidLine
{
    qsizetype Start = 0;
    qsizetype End = 0;
    TLineValues Values;
    int GhHeight = 0;
    int AnchorCount = 0;
    int ListLevel = 0;
    int ImageCount = 0;
    bool Hidden = false;
    bool Shadow = false;
    QString PlainText;   // what the measuring pass added
};

struct TLayout
{
    QString Prepared;
    std::vector<TLaidLine> Lines;
    int ExtentX = 0;
    int ExtentY = 0;
    int AnchorCount = 0;
};

struct TLayoutKey
{
    QString Text;
    int Width = 0;
    int HeightLimit = 0;   // -1 in measure-only mode
    QString FontName;
    int FontSize = 0;
    unsigned FontStyle = 0;
    unsigned Flags = 0;
    int Dpi = 0;
    bool operator==(const TLayoutKey &) const = default;
};

size_t qHash(const TLayoutKey &k, size_t base = 0)
{
    return qHashMulti(base, k.Text, k.Width, k.HeightLimit, k.FontName, k.FontSize, k.FontStyle,
                      k.Flags, k.Dpi);
}

QCache<TLayoutKey, TLayout> &LayoutCache()
{
    // Cost is in characters of prepared text plus a share per line.
    static QCache<TLayoutKey, TLayout> cache(4 * 1024 * 1024);
    return cache;
}

// Advances and heights per font. Cell texts repeat their words, and shaping a run is most
// of the cost of a layout.
class TRunMetrics
{
public:
    int Width(TCanvas &c, const QString &run)
    {
        TFontEntry &f = Entry(c);
        auto it = f.Widths.constFind(run);
        if (it != f.Widths.constEnd())
            return *it;
        if (f.Widths.size() >= kMaxWidths)
            f.Widths.clear();
        const int w = c.FontMetrics().horizontalAdvance(run);
        f.Widths.insert(run, w);
        return w;
    }
    int Height(TCanvas &c) { return Entry(c).Height; }
    void Clear() { FFonts.clear(); }

private:
    static constexpr qsizetype kMaxWidths = 50000;
    static constexpr size_t kMaxFonts = 64;
    struct TFontEntry
    {
        QString Name;
        int Size;
        TFontStyles Style;
        int DpiX, DpiY;   // metrics follow the device's resolution, not its address
        int Height;
        QHash<QString, int> Widths;
    };

    TFontEntry &Entry(TCanvas &c)
    {
        const TFont &font = c.Font;
        const QPaintDevice *dev = c.Painter() ? c.Painter()->device() : nullptr;
        const int dpiX = dev ? dev->logicalDpiX() : 96, dpiY = dev ? dev->logicalDpiY() : 96;
        auto same = [&](const TFontEntry &e) {
            return e.Size == font.Size && e.Style == font.Style && e.DpiX == dpiX &&
                   e.DpiY == dpiY && e.Name == font.Name;
        };
        if (FLast < FFonts.size() && same(FFonts[FLast]))
            return FFonts[FLast];
        for (size_t i = 0; i < FFonts.size(); ++i)
            if (same(FFonts[i])) {
                FLast = i;
                return FFonts[i];
            }
        if (FFonts.size() >= kMaxFonts)
            FFonts.clear();
        FFonts.push_back({font.Name, font.Size, font.Style, dpiX, dpiY, c.FontMetrics().height(), {}});
        FLast = FFonts.size() - 1;
        return FFonts.back();
    }

    std::vector<TFontEntry> FFonts;
    size_t FLast = 0;
};

TRunMetrics &RunMetrics()
{
    static TRunMetrics metrics;
    return metrics;
}

// ---- the renderer of one call ------------------------------------------------------------

class THtmlRenderer
{
public:
    THtmlRenderer(TCanvas &canvas, const TRect &rect, const THtmlRenderParams &params,
                  THtmlRenderResult &out)
        : C(canvas), P(params), Out(out), FRect(rect),
          Painter(params.ControlPainter ? *params.ControlPainter : DefaultHtmlControlPainter())
    {
    }

    bool Run(const QString &text);

private:
    // One pass over one line: [pos, end) is what remains, pos moves as text is consumed.
    struct TLine
    {
        bool Measure;
        TRect LineRect;
        TRect R;
        TRect D;
        TLineValues &V;
        int X = 0;
        bool LineEnds = false;
        bool NoFit = false;
        bool LiSeen = false;
        QChar LastRunChar;   // last character of the runs taken so far; null before any
        qsizetype Start = 0;
        qsizetype &Pos;
        qsizetype &End;
    };

    void RenderLine(bool firstPass, bool measure, qsizetype &pos, qsizetype &end,
                    const TRect &lineRect, TLineValues &v);
    void TextRun(TLine &L, qsizetype runEnd, int &trailing, int &runIndex);
    void Tag(TLine &L);
    void AnchorOpen(TLine &L, qsizetype t);
    void AnchorClose(TLine &L);
    void Font(TLine &L, qsizetype t);
    void Paragraph(TLine &L, qsizetype t);
    void Body(qsizetype t, qsizetype end);
    void Image(TLine &L, qsizetype t);
    void Control(TLine &L, qsizetype t);
    void FitItem(TLine &L);

    int MeasureRun(const QString &run, const TRect &r);
    void DrawRunText(const QString &run, TRect r, unsigned flags);
    void DrawFocusRect(const TRect &r);
    int GhHeight() { return RunMetrics().Height(C); }
    int DpiX() const;
    int DpiY() const;
    TColor BrushColor() const { return C.Brush.Style == bsClear ? clNone : C.Brush.Color; }
    void SetBrushColor(TColor c)
    {
        if (c == clNone) {
            C.Brush.Style = bsClear;
        } else {
            C.Brush.Style = bsSolid;
            C.Brush.Color = c;
        }
    }
    // Attribute text of the tag at t: from its k-th character (1-based) to `past` characters
    // after its ">" (past -1: up to the ">"); empty when the tag has no ">".
    QString AttrText(qsizetype t, int k, int past, qsizetype end) const;
    THTMLPicture *FindSourcePicture(const QString &source);
    bool HitInItem(const TLine &L) const;
    TRect LineRectFor(const TLineValues &v, int top) const;

    TCanvas &C;
    const THtmlRenderParams &P;
    THtmlRenderResult &Out;
    TRect FRect;
    TRect Layout;
    QString Text;
    THtmlControlPainter &Painter;

    TFont BaseFont;
    TFont PassFont[2];
    int PassRotation[2] = {0, 0};
    int Rotation = 0;
    TColor EntryBrush = clNone;
    unsigned Flags = 0;
    bool Rtl = false;
    bool HasHit = false;
    bool VisualStyles = true;
    bool UsesPictures = false;

    bool InAnchor = false, Sub = false, Sup = false, Hidden = false, Shadow = false;
    bool ErrorMark = false, ParaBg = false;
    int ListLevel = 0, AnchorCount = 0, ImageCount = 0, HitItem = -1;
    QString Href, Title;
    int AnchorStartX = 0, AnchorStartTop = 0;
    bool AnchorPending = false;
    TRect Focus;
    TColor SavedAnchorBrush = clNone, SavedAnchorText = clBlack;
    TColor FontCloseBrush = clNone;
    TColor SavedHiBrush = clNone, SavedHiText = clBlack;
    TColor SavedParaBrush = clNone;
    int ItemWidth = 0, ItemHeight = 0, ControlHeight = 25;
    qsizetype MeasureNextTag = -1;
};

int THtmlRenderer::DpiX() const
{
    return C.Painter() && C.Painter()->device() ? C.Painter()->device()->logicalDpiX() : 96;
}

int THtmlRenderer::DpiY() const
{
    return C.Painter() && C.Painter()->device() ? C.Painter()->device()->logicalDpiY() : 96;
}

TRect THtmlRenderer::LineRectFor(const TLineValues &v, int top) const
{
    int left = Layout.Left;
    if (v.Align == 1) {
        if (Layout.Right - v.Width > Layout.Left)
            left = Layout.Right - v.Width;
    } else if (v.Align == 2) {
        const int room = Layout.Right - Layout.Left - v.Width;
        if (room > 0)
            left = Layout.Left + room / 2;
    }
    left = SatAdd(left, v.Indent);
    return TRect(left, top, Layout.Right, SatAdd(top, v.Height + v.SubDescent + v.SupAscent));
}

bool THtmlRenderer::Run(const QString &text)
{
    const TPen entryPen = C.Pen;
    const TBrush entryBrush = C.Brush;
    BaseFont = C.Font;
    PassFont[0] = PassFont[1] = BaseFont;
    EntryBrush = C.Brush.Color;
    SetBrushColor(clNone);
    VisualStyles = Painter.Themed();
    HasHit = P.HitX >= 0 && P.HitY >= 0;

    Out = THtmlRenderResult();
    if (P.HitTestOnly)
        Out.ControlID = P.ControlID;

    Flags = DT_SINGLELINE | DT_BOTTOM | DT_EXPANDTABS | DT_EXTERNALLEADING;
    if (!P.WordWrap)
        Flags |= DT_END_ELLIPSIS;
    Flags = BiDiDrawTextFlags(Flags, P.BiDiMode);
    Rtl = Flags & DT_RTLREADING;
    Layout = FRect;
    Layout.Left += 1;

    // Hit tests and a named control make the layout depend on the call; everything else
    // depends on the key alone.
    const bool cacheable = !HasHit && !(P.HitTestOnly && !P.ControlID.isEmpty());
    TLayoutKey key;
    const TLayout *cached = nullptr;
    std::unique_ptr<TLayout> record;
    if (cacheable) {
        key = {text, Layout.Width(), P.MeasureOnly ? -1 : Layout.Height(), BaseFont.Name,
               BaseFont.Size, BaseFont.Style, Flags, DpiX()};
        cached = LayoutCache().object(key);
        if (!cached)
            record = std::make_unique<TLayout>();
    }
    Text = cached ? cached->Prepared : PrepareHtmlText(text);

    bool result = false;
    if (cached && P.MeasureOnly) {
        Out.ExtentX = cached->ExtentX;
        Out.ExtentY = cached->ExtentY;
        Out.AnchorCount = cached->AnchorCount;
        for (const TLaidLine &l : cached->Lines)
            Out.PlainText += l.PlainText;
    } else {
        qsizetype pos = 0, end = Text.size();
        size_t index = 0;
        int lineTop = Layout.Top;
        TLineValues v;
        while (cached ? index < cached->Lines.size() : pos < end) {
            TLaidLine line;
            if (cached) {
                line = cached->Lines[index++];
                v = line.Values;
                Out.PlainText += line.PlainText;
                Out.ExtentX = std::max(Out.ExtentX, v.Width);
            } else {
                C.Font = PassFont[0];
                Rotation = PassRotation[0];
                line.AnchorCount = AnchorCount;
                line.ListLevel = ListLevel;
                line.ImageCount = ImageCount;
                line.Hidden = Hidden;
                line.Shadow = Shadow;
                const bool inAnchor = InAnchor;
                const QString href = Href, title = Title;
                v.Height = GhHeight();
                v.SubDescent = v.SupAscent = v.BaselineLift = 0;
                v.AnchorHit = v.ItemHit = false;
                Sub = Sup = false;
                line.GhHeight = v.Height;
                TRect mr = Layout;
                mr.Top = lineTop;
                const qsizetype start = pos;
                const qsizetype plainBefore = Out.PlainText.size();
                RenderLine(true, true, pos, end, mr, v);
                if (pos == start && pos < end)
                    ++pos;   // never happens by the rules; keeps the loop finite regardless
                line.Start = start;
                line.End = pos;
                line.Values = v;
                line.PlainText = Out.PlainText.mid(plainBefore);
                InAnchor = inAnchor;
                Href = href;
                Title = title;
                PassFont[0] = C.Font;
                PassRotation[0] = Rotation;
                if (record)
                    record->Lines.push_back(line);
            }
            const TRect lineRect = LineRectFor(v, lineTop);
            if (!P.MeasureOnly) {
                C.Font = PassFont[1];
                Rotation = PassRotation[1];
                AnchorCount = line.AnchorCount;
                ListLevel = line.ListLevel;
                ImageCount = line.ImageCount;
                Hidden = line.Hidden;
                Shadow = line.Shadow;
                Sub = Sup = false;
                v.AnchorHit = v.ItemHit = false;
                qsizetype p2 = line.Start, e2 = line.End;
                RenderLine(false, P.HitTestOnly, p2, e2, lineRect, v);
                const int bottom = lineRect.Bottom - v.BaselineLift;
                if ((v.AnchorHit && P.HitY > bottom - line.GhHeight && P.HitY < bottom) || v.ItemHit)
                    result = true;
                PassFont[1] = C.Font;
                PassRotation[1] = Rotation;
            }
            const int advance = v.Height + v.SubDescent + v.SupAscent;
            lineTop = SatAdd(lineTop, advance);
            Out.ExtentY = SatAdd(Out.ExtentY, advance);
            if (!P.MeasureOnly && lineTop + line.GhHeight > Layout.Bottom)
                break;
        }
        Out.AnchorCount = AnchorCount;
        if (record && !UsesPictures) {
            record->Prepared = Text;
            record->ExtentX = Out.ExtentX;
            record->ExtentY = Out.ExtentY;
            record->AnchorCount = AnchorCount;
            qsizetype cost = text.size() + (Text.isSharedWith(text) ? 0 : Text.size()) + 64;
            for (const TLaidLine &l : record->Lines)
                cost += 64 + l.PlainText.size();
            LayoutCache().insert(key, record.release(), cost);
        }
    }

    C.Font = BaseFont;
    if (Out.ExtentY == 0)
        Out.ExtentY = GhHeight();
    C.Pen = entryPen;
    C.Brush = entryBrush;
    return result;
}

void THtmlRenderer::RenderLine(bool firstPass, bool measure, qsizetype &pos, qsizetype &end,
                               const TRect &lineRect, TLineValues &v)
{
    TLine L{measure, lineRect, lineRect, lineRect, v, 0, false, false, false, QChar(), pos, pos, end};
    L.R.Bottom -= v.SubDescent;
    L.D = L.R;
    if (!measure && ParaBg) {
        const TColor c = BrushColor();
        if (c != clNone)
            C.Pen.Color = c;
        C.FillRect(TRect(FRect.Left, L.R.Top, FRect.Right, L.R.Top + v.Height));
    }
    int trailing = 0;
    int runIndex = 0;
    // The next "<" at or after pos; the first pass keeps it from line to line, so long
    // texts without tags are searched once.
    qsizetype localNextTag = -1;
    qsizetype &nextTag = firstPass ? MeasureNextTag : localNextTag;
    while (pos < end && !L.LineEnds && !L.NoFit) {
        if (nextTag < pos) {
            nextTag = QStringView(Text).mid(pos, end - pos).indexOf(u'<');
            nextTag = nextTag < 0 ? end : pos + nextTag;
            TWorkCount::Add(uint64_t(nextTag - pos));
        }
        qsizetype runEnd = std::min(nextTag, end);
        if (P.WordWrap) {
            for (qsizetype k = pos; k < runEnd; ++k)
                if (Text[k] == u' ') {
                    runEnd = k + 1;
                    break;
                }
        }
        TWorkCount::Add(uint64_t(runEnd - pos) + 1);
        if (runEnd > pos)
            TextRun(L, runEnd, trailing, runIndex);
        if (pos < end && Text[pos] == u'<') {
            if (end - pos <= 2) {
                end = pos;
            } else if (!L.LineEnds) {
                Tag(L);
                if (!L.NoFit) {
                    const qsizetype gt = Text.indexOf(u'>', pos);
                    if (gt < 0 || gt >= end)
                        end = pos;   // a tag without ">" ends the text
                    else
                        pos = gt + 1;
                }
            }
        }
    }
    L.X -= trailing;
    Out.ExtentX = std::max(Out.ExtentX, L.X);
    if (!measure && InAnchor && P.FocusedAnchor >= 0 && AnchorCount == P.FocusedAnchor + 1) {
        Focus.Right = L.D.Left;
        Focus.Bottom = L.D.Bottom;
        Focus.Left -= 1;
        Focus.Right += 1;
        DrawFocusRect(Focus);
        Focus.Left = L.R.Left + 1;
        Focus.Top = Focus.Bottom;
    }
    v.Width = L.X;
}

void THtmlRenderer::TextRun(TLine &L, qsizetype runEnd, int &trailing, int &runIndex)
{
    qsizetype &pos = L.Pos;
    const qsizetype rawLength = runEnd - pos;
    const QString run = ReplaceRunEntities(Text.mid(pos, rawLength));
    const bool replaced = run.size() != rawLength;
    const int h = RunMetrics().Height(C);
    TLineValues &v = L.V;
    v.Height = std::max(v.Height, h);
    if (Sub)
        v.SubDescent = std::max(v.SubDescent, h / 4);
    if (Sup)
        v.SupAscent = std::max(v.SupAscent, h / 4);
    Out.PlainText += run;
    ++runIndex;
    if (Hidden) {
        pos = runEnd;
        L.LastRunChar = Text[runEnd - 1];
        return;
    }

    bool fits = true;
    int w = 0;
    if (L.Measure) {
        w = MeasureRun(run, L.R);
        const int startX = L.X;
        L.X = SatAdd(L.X, w);
        if (InAnchor && HasHit) {
            const int offset = Rtl ? L.R.Right - P.HitX - L.R.Left : P.HitX - L.R.Left;
            if (startX <= P.HitX - L.R.Left && L.X >= offset) {
                v.AnchorHit = true;
                if (P.HitY > L.R.Top) {
                    Out.AnchorHref = Href;
                    Out.AnchorTitle = Title;
                    AnchorPending = true;
                }
            }
        }
        fits = L.X < L.R.Width() || w >= L.R.Width();
        // A word is not broken where a tag splits it: the runs taken so far on this line
        // must end with a blank for the line to break here.
        if (!fits && !L.LastRunChar.isNull() && L.LastRunChar != u' ')
            fits = true;
    } else {
        TRect &D = L.D;
        if (Sup)
            D.Bottom -= v.SupAscent;
        if (Sub)
            D.Bottom += v.SubDescent;
        D.Bottom -= v.BaselineLift;
        w = MeasureRun(run, D);
        // A run known to fit is drawn the same without the ellipsis, which spares the
        // drawing a measurement of its own.
        unsigned flags = Flags;
        if ((flags & DT_END_ELLIPSIS) && w <= D.Width() && !run.contains(u'&') && !run.contains(u'\t'))
            flags &= ~DT_END_ELLIPSIS;
        if (Shadow) {
            const TColor color = C.Font.Color;
            C.Font.Color = P.ShadowColor;
            TRect s = D;
            OffsetRect(s, P.ShadowOffset, P.ShadowOffset);
            DrawRunText(run, s, flags);
            C.Font.Color = color;
        }
        DrawRunText(run, D, flags);
        const int right = SatAdd(D.Left, w);
        if (InAnchor && P.FocusedAnchor >= 0 && AnchorCount == P.FocusedAnchor + 1)
            Out.FocusedAnchorHref = Href;
        if (ErrorMark) {
            // A wavy line tied to the absolute x, so it joins across runs.
            const TPen pen = C.Pen;
            C.Pen.Color = clRed;
            C.Pen.Width = 1;
            const int b = L.R.Bottom;
            int x = (D.Left / 2) * 2;
            int y = (x % 4 == 0) ? b + 1 : b - 1;
            C.MoveTo(x, y);
            // Nothing of the line shows past the rectangle: a very long run stops there.
            const int end = std::min(right, SatAdd(std::max(FRect.Right, L.R.Right), 4));
            while (x < end) {
                x += 2;
                y = (y == b + 1) ? b - 1 : b + 1;
                C.LineTo(x, y);
            }
            C.Pen = pen;
        }
        if (Rtl) {
            D.Right -= w;
        } else {
            D.Left = right;
            D.Right = L.R.Right;
        }
        D.Top = L.R.Top;
        D.Bottom = L.R.Bottom;
    }

    if (fits || !P.WordWrap) {
        pos = runEnd;
        L.LastRunChar = Text[runEnd - 1];
        if (L.Measure && !fits && runIndex > 1)
            L.End = pos;   // the last line: the ellipsis marks the cut
        trailing = (!replaced && run.endsWith(u' ')) ? RunMetrics().Width(C, QStringLiteral(" ")) : 0;
    } else {
        L.LineEnds = true;
        L.X -= w;
    }
}

int THtmlRenderer::MeasureRun(const QString &run, const TRect &r)
{
    // Runs without prefixes or tabs measure as the font's advance, as DrawText would.
    if (!run.contains(u'&') && !run.contains(u'\t')) {
        const int w = RunMetrics().Width(C, run);
        if (!(Flags & DT_END_ELLIPSIS) || w <= r.Width())
            return w;
    }
    TRect m = r;
    C.DrawText(run, m, Flags | DT_CALCRECT);
    return m.Width();
}

void THtmlRenderer::DrawRunText(const QString &run, TRect r, unsigned flags)
{
    QPainter *p = C.Painter();
    if (Rotation == 0 || !p) {
        C.DrawText(run, r, flags);
        return;
    }
    // The text turns about the top-left corner of where it would stand upright.
    const QTransform old = p->transform();
    const QPointF origin(r.Left, r.Bottom - C.TextHeight(run));
    p->translate(origin);
    p->rotate(-Rotation);
    p->translate(-origin);
    C.DrawText(run, r, flags);
    p->setTransform(old);
}

void THtmlRenderer::DrawFocusRect(const TRect &r)
{
    const TPen pen = C.Pen;
    const TBrush brush = C.Brush;
    C.Pen = TPen{clBlack, 1, psDot, pmNot};
    C.Brush.Style = bsClear;
    C.Rectangle(r);
    C.Pen = pen;
    C.Brush = brush;
}

QString THtmlRenderer::AttrText(qsizetype t, int k, int past, qsizetype end) const
{
    const qsizetype gt = Text.indexOf(u'>', t);
    if (gt < 0 || gt >= end)
        return {};
    const qsizetype from = t + k - 1;
    const qsizetype to = std::min(end, past < 0 ? gt : gt + 1 + past);
    return to > from ? Text.mid(from, to - from) : QString();
}

bool THtmlRenderer::HitInItem(const TLine &L) const
{
    if (!HasHit)
        return false;
    const int dx = P.HitX - L.R.Left;
    return L.X < dx && dx < SatAdd(L.X, ItemWidth) && L.R.Top < P.HitY &&
           P.HitY < SatAdd(L.R.Top, ItemHeight);
}

void THtmlRenderer::FitItem(TLine &L)
{
    if (L.R.Width() < SatAdd(L.X, ItemWidth) && ItemWidth < L.R.Width()) {
        L.NoFit = true;
        return;
    }
    L.X = SatAdd(L.X, ItemWidth);
    L.D.Left = SatAdd(L.D.Left, ItemWidth);
    L.V.Height = std::max(L.V.Height, ItemHeight);
}

void THtmlRenderer::Tag(TLine &L)
{
    const qsizetype t = L.Pos;
    const qsizetype remaining = L.End - t;
    const bool drawing = !L.Measure;
    const QChar c1 = Up(Text[t + 1]);
    const bool closer = c1 == u'/' && remaining > 3;
    const QChar letter = closer ? Up(Text[t + 2]) : c1;
    const QChar second = closer ? Up(Text[t + 3]) : Up(Text[t + 2]);
    TFontStyles &style = C.Font.Style;

    if (closer) {
        switch (letter.unicode()) {
        case u'A':
            AnchorClose(L);
            break;
        case u'B':
            if (second == u'>')
                style &= ~fsBold;
            else
                C.Font.Color = BaseFont.Color;
            break;
        case u'E':
            if (drawing)
                ErrorMark = false;
            break;
        case u'F':
            C.Font.Name = BaseFont.Name;
            C.Font.Size = BaseFont.Size;
            if (drawing && !P.Selected) {
                C.Font.Color = BaseFont.Color;
                SetBrushColor(FontCloseBrush);
            }
            break;
        case u'H':
            if (drawing) {
                C.Font.Color = SavedHiText;
                SetBrushColor(SavedHiBrush);
            }
            break;
        case u'I':
            style &= ~fsItalic;
            break;
        case u'L':
            L.LineEnds = true;
            break;
        case u'P':
            L.LineEnds = true;
            if (drawing) {
                SetBrushColor(SavedParaBrush);
                ParaBg = false;
            }
            break;
        case u'R':
            Rotation = 0;
            break;
        case u'S':
            if (second == u'U')
                Sub = Sup = false;
            else if (second == u'H')
                Shadow = false;
            else
                style &= ~fsStrikeOut;
            break;
        case u'U':
            if (second != u'>' && ListLevel > 0)
                --ListLevel;
            else
                style &= ~fsUnderline;
            break;
        case u'Z':
            Hidden = false;
            break;
        default:
            break;
        }
        return;
    }

    switch (letter.unicode()) {
    case u'A':
        AnchorOpen(L, t);
        break;
    case u'B':
        if (second == u'>') {
            style |= fsBold;
        } else if (second == u'R') {
            L.LineEnds = true;
            Out.PlainText += u'\r';
        } else if (second == u'L') {
            if (!P.BlinkOn)
                C.Font.Color = EntryBrush;
        } else if (second == u'O' && drawing) {
            Body(t, L.End);
        }
        break;
    case u'C':
        Control(L, t);
        break;
    case u'E':
        if (drawing)
            ErrorMark = true;
        break;
    case u'F':
        Font(L, t);
        break;
    case u'H':
        if (second == u'I' && drawing) {
            SavedHiText = C.Font.Color;
            SavedHiBrush = BrushColor();
            SetBrushColor(HighlightBackgroundColor());
            C.Font.Color = HighlightTextColor();
        } else if (second == u'R') {
            L.LineEnds = true;
            if (drawing) {
                const TColor pen = C.Pen.Color;
                C.Pen.Color = clBlack;
                C.MoveTo(L.R.Left, L.R.Bottom + 1);
                C.LineTo(L.R.Right, L.R.Bottom + 1);
                C.Pen.Color = pen;
            }
        }
        break;
    case u'I':
        if (second == u'>') {
            style |= fsItalic;
        } else if (second == u'N') {
            const QString attrs = UpperCase(AttrText(t, 3, 1, L.End));
            int n = 0;
            if (TryStrToInt(AttrValue(attrs, u"X"), n) && L.X < ClampPixels(n)) {
                n = ClampPixels(n);
                L.X = n;
                L.D.Left = FRect.Left + n;
            }
        } else if (second == u'M') {
            Image(L, t);
        }
        break;
    case u'L':
        if (L.LiSeen) {
            L.NoFit = true;   // the next item starts the next line
            break;
        }
        L.LiSeen = true;
        L.X += 12 * ListLevel;
        L.D.Left += 12 * ListLevel - 12;
        if (drawing) {
            const QString name = C.Font.Name;
            C.Font.Name = QStringLiteral("Symbol");
            TRect b = L.D;
            C.DrawText((ListLevel % 2) ? QStringLiteral("\u00B7") : QStringLiteral("o"), b,
                       DT_SINGLELINE | DT_NOPREFIX);
            C.Font.Name = name;
        }
        L.D.Left += 12;
        break;
    case u'P':
        Paragraph(L, t);
        break;
    case u'R': {
        const QString attrs = UpperCase(AttrText(t, 3, 1, L.End));
        Rotation = LeadingInt(AttrValue(attrs, u"A"));
        break;
    }
    case u'S':
        if (second == u'>')
            style |= fsStrikeOut;
        else if (second == u'H')
            Shadow = true;
        else if (UpperCase(Text.mid(t, 5)) == u"<SUB>")
            Sub = true;
        else if (UpperCase(Text.mid(t, 5)) == u"<SUP>")
            Sup = true;
        break;
    case u'U':
        if (second == u'>') {
            style |= fsUnderline;
        } else {
            ++ListLevel;
            L.LineEnds = true;
        }
        break;
    case u'Z':
        Hidden = true;
        break;
    default:
        break;
    }
}

void THtmlRenderer::AnchorOpen(TLine &L, qsizetype t)
{
    const bool drawing = !L.Measure;
    if (drawing && AnchorCount == P.FocusedAnchor) {
        Focus.Left = L.D.Left;
        Focus.Top = L.D.Top;
    }
    ++AnchorCount;
    if (drawing && (!P.HoverOnlyStyle || P.HoveredAnchor == AnchorCount)) {
        C.Font.Style |= fsUnderline;
        if (P.HoverColor != clNone) {
            SavedAnchorBrush = BrushColor();
            SetBrushColor(P.HoverColor);
        }
        if (P.HoverTextColor != clNone) {
            SavedAnchorText = C.Font.Color;
            C.Font.Color = P.HoverTextColor;
        }
    }
    if (!P.Selected &&
        !(P.HoverTextColor != clNone && P.HoveredAnchor == AnchorCount && P.HoverOnlyStyle))
        C.Font.Color = P.AnchorColor;
    const QString attrs = AttrText(t, 3, 1, L.End);
    const QString upper = UpperCase(attrs);
    if (upper.contains(u"HREF")) {
        Href = AttrValue(upper, u"HREF", attrs);
        InAnchor = true;
    }
    Title = AttrValue(upper, u"TITLE", attrs);
    AnchorStartX = L.X;
    AnchorStartTop = L.R.Top;
}

void THtmlRenderer::AnchorClose(TLine &L)
{
    const bool drawing = !L.Measure;
    if (drawing && (!P.HoverOnlyStyle || P.HoveredAnchor == AnchorCount)) {
        C.Font.Style &= ~fsUnderline;
        if (P.HoverColor != clNone)
            SetBrushColor(SavedAnchorBrush);
        if (P.HoverTextColor != clNone)
            C.Font.Color = SavedAnchorText;
    }
    if (!P.Selected)
        C.Font.Color = BaseFont.Color;
    InAnchor = false;
    if (AnchorPending) {
        if (AnchorStartTop != L.R.Top) {
            AnchorStartX = 0;
            AnchorStartTop = L.R.Top;
        }
        Out.AnchorRect = TRect(L.R.Left + AnchorStartX, AnchorStartTop, L.R.Left + L.X, L.R.Bottom);
        Out.HitAnchor = AnchorCount;
        AnchorPending = false;
    }
    if (drawing && P.FocusedAnchor >= 0 && AnchorCount == P.FocusedAnchor + 1) {
        Focus.Right = L.D.Left;
        Focus.Bottom = L.D.Bottom - L.V.BaselineLift;
        Focus.Top = Focus.Bottom - GhHeight();
        Focus.Left -= 1;
        Focus.Right += 1;
        DrawFocusRect(Focus);
    }
}

void THtmlRenderer::Font(TLine &L, qsizetype t)
{
    const qsizetype gt = Text.indexOf(u'>', t);
    if (gt < 0 || gt >= L.End)
        return;
    const QString attrs = UpperCase(AttrText(t, 6, -1, L.End));
    const QString face = AttrValue(attrs, u"FACE");
    if (!face.isEmpty())
        C.Font.Name = face;
    if (!P.Selected) {
        const TColor color = ParseTagColor(AttrValue(attrs, u" COLOR"));
        if (color != clNone)
            C.Font.Color = color;
        if (!L.Measure) {
            const TColor back = ParseTagColor(AttrValue(attrs, u"BGCOLOR"));
            if (back != clNone) {
                FontCloseBrush = BrushColor();
                SetBrushColor(back);
            }
        }
    }
    const qsizetype at = attrs.indexOf(u"SIZE");
    if (at >= 0) {
        QString rest = attrs.mid(at + 4);
        rest = rest.mid(rest.indexOf(u'=') + 1);
        rest = rest.mid(rest.indexOf(u'"') + 1);
        const int n = LeadingInt(rest);
        static const int kSizes[] = {8, 10, 12, 14, 16};
        C.Font.Size = (n >= 1 && n <= 5) ? kSizes[n - 1] : std::min(n, kMaxFontPoints);
    }
}

void THtmlRenderer::Paragraph(TLine &L, qsizetype t)
{
    const QString attrs = UpperCase(AttrText(t, 3, 1, L.End));
    if (attrs.contains(u"ALIGN")) {
        const QString align = AttrValue(attrs, u"ALIGN");
        if (align.contains(u"RIGHT"))
            L.V.Align = 1;
        if (align.contains(u"LEFT"))
            L.V.Align = 0;
        if (align.contains(u"CENTER"))
            L.V.Align = 2;
    }
    L.V.Indent = ClampPixels(LeadingInt(AttrValue(attrs, u"INDENT")));
    if (!L.Measure && attrs.contains(u"BGCOLOR")) {
        const TColor color = ParseTagColor(AttrValue(attrs, u"BGCOLOR"));
        SavedParaBrush = BrushColor();
        SetBrushColor(color);
        if (color != clNone)
            C.Pen.Color = color;
        ParaBg = true;
        C.FillRect(TRect(FRect.Left, L.LineRect.Top, FRect.Right, L.LineRect.Bottom));
    }
}

void THtmlRenderer::Body(qsizetype t, qsizetype end)
{
    const QString attrs = UpperCase(AttrText(t, 6, 4, end));
    const QString source = AttrValue(attrs, u"BACKGROUND");
    if (!source.isEmpty()) {
        UsesPictures = true;
        const QString raw = AttrValue(attrs, u"BACKGROUND", AttrText(t, 6, 4, end));
        THTMLPicture *pic = FindSourcePicture(source.contains(u"://") ? raw : source);
        if (pic && !pic->GetEmpty() && pic->GetWidth() > 0 && pic->GetHeight() > 0) {
            // The caller's clip is kept, narrowed to the rectangle while tiling.
            C.Save();
            C.IntersectClipRect(FRect);
            const int w = pic->GetWidth(), h = pic->GetHeight();
            for (int dy = 0; dy < FRect.Height(); dy += h)
                for (int dx = 0; dx < FRect.Width(); dx += w)
                    pic->Draw(C, Bounds(FRect.Left + dx, FRect.Top + dy, w, h));
            C.Restore();
        }
    }
    if (attrs.contains(u"BGCOLOR")) {
        const QString value = AttrValue(attrs, u"BGCOLOR");
        TColor color = BrushColor();
        if (value.contains(u"CL"))
            color = ColorNameToColor(value);
        if (value.contains(u'#'))
            color = HtmlHexToColor(value);
        SetBrushColor(color);
        FontCloseBrush = color;
        C.FillRect(FRect);
    }
}

THTMLPicture *THtmlRenderer::FindSourcePicture(const QString &source)
{
    if (!source.contains(u':'))
        return P.Container ? P.Container->FindPicture(source) : nullptr;
    if (source.contains(u"://") && P.PictureCache) {
        if (!P.PictureCache->FindPicture(source)) {
            THTMLPicture *pic = P.PictureCache->AddPicture();
            pic->Asynch = false;
            pic->LoadFromURL(source);
        }
        return P.PictureCache->FindPicture(source);
    }
    return nullptr;
}

void THtmlRenderer::Image(TLine &L, qsizetype t)
{
    UsesPictures = true;
    const bool drawing = !L.Measure;
    ++ImageCount;
    const QString raw = AttrText(t, 3, 1, L.End);
    const QString attrs = UpperCase(raw);
    const bool useAlt = attrs.contains(u"ALT") && ImageCount == HitItem;
    QStringView name = useAlt ? QStringView(u"ALT") : QStringView(u"SRC");
    QString source = AttrValue(attrs, name, attrs, 1);
    // Addresses keep their letter case: file and resource names are case-sensitive here.
    if (source.contains(u"://"))
        source = AttrValue(attrs, name, raw, 1);
    const int w = ClampPixels(LeadingInt(AttrValue(attrs, u"WIDTH=")));
    const int h = ClampPixels(LeadingInt(AttrValue(attrs, u"HEIGHT=")));
    ItemWidth = ItemHeight = 0;
    TRect &D = L.D;

    if (source.contains(u"IDX:")) {
        const int n = LeadingInt(source.mid(4));
        if (P.Images && n >= 0 && n < P.Images->Count()) {
            ItemWidth = MulDiv(P.Images->Width(), DpiX(), 96);
            ItemHeight = MulDiv(P.Images->Height(), DpiY(), 96);
            if (drawing && !P.Printing) {
                P.Images->Draw(C, D.Left, D.Top, n);
            } else if (drawing) {
                C.StretchDraw(Bounds(D.Left, D.Top,
                                     int(Round(P.Images->Width() * P.ResolutionFactor)),
                                     int(Round(P.Images->Height() * P.ResolutionFactor))),
                              P.Images->GetImage(n));
            }
        }
    } else if (source.contains(u"SSYS:") || source.contains(u"LSYS:")) {
        QSize size;
        DrawSystemIcon(C, D.Left, D.Top, size, P.ResolutionFactor, P.Printing, drawing,
                       source.contains(u"LSYS:"), source.mid(5));
        ItemWidth = MulDiv(size.width(), DpiX(), 96);
        ItemHeight = MulDiv(size.height(), DpiY(), 96);
    } else if (THTMLPicture *pic = FindSourcePicture(source); pic && !pic->GetEmpty()) {
        const int pw = pic->GetWidth(), ph = pic->GetHeight();
        int dw = pw, dh = ph;
        if (w > 0 && h > 0) {
            dw = w;
            dh = h;
        } else if (w > 0) {
            dw = w;
            dh = pw > 0 ? int(Round(double(ph) * w / pw)) : 0;
        } else if (h > 0) {
            dw = ph > 0 ? int(Round(double(pw) * h / ph)) : 0;
            dh = h;
        }
        const bool sized = w > 0 || h > 0;
        if (drawing && sized) {
            pic->Stretch = true;
            pic->Draw(C, Bounds(D.Left, D.Top, dw, dh));
        } else if (drawing) {
            if (pic->FrameCount() > 1) {
                const TPen pen = C.Pen;
                const TBrush brush = C.Brush;
                C.Brush = TBrush{EntryBrush, bsSolid};
                C.FillRect(Bounds(D.Left, D.Top, pic->MaxWidth(), pic->MaxHeight()));
                C.Pen = pen;
                C.Brush = brush;
            }
            const bool stretch = pic->Stretch;
            pic->Stretch = false;
            pic->Draw(C, Bounds(D.Left + pic->FrameXPos, D.Top + pic->FrameYPos, pw, ph));
            pic->Stretch = stretch;
        }
        ItemWidth = MulDiv(sized ? dw : pic->MaxWidth(), DpiX(), 96);
        ItemHeight = MulDiv(sized ? dh : pic->MaxHeight(), DpiY(), 96);
    }

    if (InAnchor && HitInItem(L)) {
        L.V.ItemHit = true;
        Out.AnchorHref = Href;
        Out.AnchorTitle = Title;
        HitItem = ImageCount;
    }
    FitItem(L);
    if (attrs.contains(u"ALIGN")) {
        const int diff = L.V.Height - GhHeight();
        if (attrs.contains(u"\"TOP"))
            L.V.BaselineLift = diff;
        else if (attrs.contains(u"\"MIDDLE"))
            L.V.BaselineLift = int(std::floor(diff / 2.0));
    }
}

void THtmlRenderer::Control(TLine &L, qsizetype t)
{
    const THtmlControlAttrs a = ParseControlTag(AttrText(t, 9, 7, L.End));
    int height = 0;
    ControlHeight = TryStrToInt(a.Height, height) ? ClampPixels(height) : 25;
    if (a.Width.isEmpty())
        return;
    int w = 0;
    if (TryStrToInt(a.Width, w)) {
        w = ClampPixels(w);
        ItemWidth = w;
        ItemHeight = GhHeight() + 10;
    } else {
        w = ClampPixels(LeadingInt(a.Width));   // the item keeps the previous item's size
    }
    const bool tick = a.Type == u"CHECK" || a.Type == u"RADIO";
    TLineValues &v = L.V;
    v.Height = tick ? 16 : 23;
    if (ControlHeight > 25)
        v.Height = ControlHeight - 2;

    if (!L.Measure) {
        const TColor frame = VisualStyles ? kFrameColorThemed : kFrameColorPlain;
        const int b = L.D.Bottom, h = v.Height, x = L.D.Left;
        const bool checked = UpperCase(a.Value) == u"TRUE";
        const TPen pen = C.Pen;
        const TBrush brush = C.Brush;
        auto box = [&] {
            C.Brush = TBrush{clWhite, bsSolid};
            C.Pen.Color = frame;
            C.Pen.Width = 1;
            C.Rectangle(x, b - h + 4, x + w, b + 2);
            C.Brush.Style = bsClear;
        };
        auto text = [&](const QString &s, TRect r, unsigned flags) {
            C.Brush.Style = bsClear;
            C.DrawText(s, r, flags);
        };
        if (a.Type == u"EDIT" || a.Type == u"PASSWORD" || a.Type == u"MASK") {
            box();
            const QString shown =
                a.Type == u"PASSWORD" ? QString(a.Value.size(), u'*') : a.Value;
            text(shown, TRect(x + 2, b - h + 4, x + w, b), DT_SINGLELINE | DT_VCENTER);
        } else if (a.Type == u"COMBO") {
            box();
            text(a.Value, TRect(x + 4, b - h + 4, x + w - 18, b), DT_SINGLELINE | DT_VCENTER);
            THtmlControlState s;
            s.Hot = HasHit && x - 2 < P.HitX && P.HitX < x - 2 + ItemWidth &&
                    b - ItemHeight - 2 < P.HitY && P.HitY < b - 2;
            Painter.DrawPart(C, THtmlControlPart::ComboButton, TRect(x + w - 18, b - h + 5, x + w - 1, b + 1),
                             s, P.ThemeWindow);
        } else if (tick) {
            ItemWidth = ItemHeight = 16;
            THtmlControlState s;
            s.Checked = checked;
            const bool check = a.Type == u"CHECK";
            Painter.DrawPart(C, check ? THtmlControlPart::CheckBox : THtmlControlPart::RadioButton,
                             check ? TRect(x + 2, b - 15, x + 15, b) : TRect(x + 2, b - 14, x + 14, b),
                             s, P.ThemeWindow);
        } else if (a.Type == u"BUTTON") {
            ItemHeight = 24;
            THtmlControlState s;
            s.Hot = HasHit && x - 2 < P.HitX && P.HitX < x + w - 2 && b - 24 - 2 < P.HitY &&
                    P.HitY < b - 2;
            s.Pressed = P.MouseDown && (VisualStyles || s.Hot);
            const TRect face(x + 2, b - ControlHeight, x + w - 2, b);
            Painter.DrawPart(C, THtmlControlPart::PushButton, face, s, P.ThemeWindow);
            TRect inner = face;
            InflateRect(inner, -2, -2);
            text(a.Value, inner, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        }
        C.Pen = pen;
        C.Brush = brush;
    }
    if (a.Type == u"BUTTON" || a.Type == u"COMBO")
        ItemHeight = 25;
    if (tick)
        ItemWidth = ItemHeight = 16;

    const bool named = P.HitTestOnly && !Out.ControlID.isEmpty() && Out.ControlID == a.ID;
    if (HitInItem(L) || named) {
        v.ItemHit = true;
        Out.AnchorHref = QStringLiteral("ctrl");
        HitItem = ImageCount;
        Out.ControlRect = Bounds(L.R.Left + L.X, L.R.Top, ItemWidth, ItemHeight);
        Out.ControlValue = a.Value;
        Out.ControlID = a.ID;
        Out.ControlType = a.Type;
    }
    FitItem(L);
}

QFileIconProvider &IconProvider()
{
    static QFileIconProvider provider;
    return provider;
}

} // namespace

bool RenderHtmlText(TCanvas &canvas, const QString &text, const TRect &rect,
                    const THtmlRenderParams &params, THtmlRenderResult &result)
{
    THtmlRenderer r(canvas, rect, params, result);
    return r.Run(text);
}

unsigned BiDiDrawTextFlags(unsigned flags, TBiDiMode mode)
{
    const bool rtlLocale = QLocale::system().textDirection() == Qt::RightToLeft;
    if (rtlLocale && mode == bdRightToLeft) {
        if (flags & DT_RIGHT)
            flags &= ~DT_RIGHT;
        else if (!(flags & DT_CENTER))
            flags |= DT_RIGHT;
    }
    if (rtlLocale && mode != bdLeftToRight)
        flags |= DT_RTLREADING;
    return flags;
}

void DrawSystemIcon(TCanvas &canvas, int x, int y, QSize &size, double factor, bool printing,
                    bool draw, bool large, const QString &source)
{
    const int px = QApplication::style()->pixelMetric(large ? QStyle::PM_LargeIconSize
                                                            : QStyle::PM_SmallIconSize);
    size = QSize(px, px);
    if (!draw)
        return;
    QIcon icon;
    int index = 0;
    if (TryStrToInt(source, index)) {
        if (index >= 0 && index <= int(QAbstractFileIconProvider::File))
            icon = IconProvider().icon(QAbstractFileIconProvider::IconType(index));
    } else {
        icon = IconProvider().icon(QFileInfo(source));
    }
    if (icon.isNull())
        return;
    const QPixmap pm = icon.pixmap(px, px);
    if (!printing)
        canvas.Draw(x, y, pm);
    else
        canvas.StretchDraw(Bounds(x, y, int(Round(px * factor)), int(Round(px * factor))), pm);
}

void ClearHtmlLayoutCache()
{
    LayoutCache().clear();
    RunMetrics().Clear();
}
