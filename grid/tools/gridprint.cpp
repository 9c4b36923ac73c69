#include "grid/tools/gridprint.h"

#include "grid/base/drawroutines.h"
#include "grid/base/markuprender.h"
#include "grid/base/textroutines.h"
#include "grid/string/cellgraphic.h"
#include "grid/string/dazstringgrid.h"
#include "grid/string/richcellpaint.h"
#include "grid/string/richtext.h"
#include "platform/pagecanvas.h"
#include "platform/printer.h"

#include <QDateTime>
#include <QLocale>
#include <QPaintDevice>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <climits>
#include <cmath>
#include <vector>

namespace GridPrint {

namespace {
std::vector<TCanvasOp> *g_recorder = nullptr;
}

void SetPageRecorder(std::vector<TCanvasOp> *Log) { g_recorder = Log; }

QString FormatDateTimeText(const QString &Format, const QDateTime &When)
{
    // The run-time library's format letters: d, m (minutes right after an hour), y, h, n, s;
    // quoted text stands as it is.
    QString out;
    bool afterHour = false;
    for (qsizetype i = 0; i < Format.size();) {
        const QChar ch = Format[i];
        if (ch == QLatin1Char('"') || ch == QLatin1Char('\'')) {
            const qsizetype end = Format.indexOf(ch, i + 1);
            out += Format.mid(i + 1, (end < 0 ? Format.size() : end) - i - 1);
            i = end < 0 ? Format.size() : end + 1;
            continue;
        }
        const QChar lower = ch.toLower();
        qsizetype n = 1;
        while (i + n < Format.size() && Format[i + n].toLower() == lower)
            ++n;
        auto two = [](int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };
        const QDate d = When.date();
        const QTime t = When.time();
        if (lower == QLatin1Char('d')) {
            out += n == 1 ? QString::number(d.day()) : n == 2 ? two(d.day())
                   : n == 3 ? QLocale::c().dayName(d.dayOfWeek(), QLocale::ShortFormat)
                            : QLocale::c().dayName(d.dayOfWeek());
        } else if (lower == QLatin1Char('m') && !afterHour) {
            out += n == 1 ? QString::number(d.month()) : n == 2 ? two(d.month())
                   : n == 3 ? QLocale::c().monthName(d.month(), QLocale::ShortFormat)
                            : QLocale::c().monthName(d.month());
        } else if (lower == QLatin1Char('m') || lower == QLatin1Char('n')) {
            out += n == 1 ? QString::number(t.minute()) : two(t.minute());
            afterHour = false;
        } else if (lower == QLatin1Char('y')) {
            out += n <= 2 ? two(d.year() % 100) : QString::number(d.year());
        } else if (lower == QLatin1Char('h')) {
            out += n == 1 ? QString::number(t.hour()) : two(t.hour());
            afterHour = true;
            i += n;
            continue;
        } else if (lower == QLatin1Char('s')) {
            out += n == 1 ? QString::number(t.second()) : two(t.second());
        } else {
            out += Format.mid(i, n);
            i += n;
            continue;
        }
        if (lower != QLatin1Char('h'))
            afterHour = afterHour && (lower == QLatin1Char(':'));
        i += n;
    }
    return out;
}

int MapFontHeight(const TDazStringGrid &Grid, int PointSize)
{
    return -int(std::trunc(PointSize * 254.0 / 72.0 * Grid.Fontscalefactor()));
}

int MapFontSize(int Height) { return int(std::trunc(Height * 72.0 / 254.0)); }

}   // namespace GridPrint

using namespace GridPrint;

// One run of the page layout engine over Grid.PrintRectangle.
class TGridPrintRun
{
public:
    TGridPrintRun(TDazStringGrid &Grid, TPageCanvas &Canvas, TPrintMode Mode, int TotalPages,
                  bool SelectedOnly)
        : G(Grid), C(Canvas), PS(Grid.PrintSettings()), Mode(Mode), Total(TotalPages),
          SelOnly(SelectedOnly), R(Grid.PrintRectangle())
    {
    }

    int Run();

private:
    bool Drawing() const { return Mode == pmDrawPreview || Mode == pmDrawPrint; }
    bool PageInRange(int Page) const { return Page >= G.PrintPageFrom() && Page <= G.PrintPageTo(); }
    bool DrawsPage() const { return Drawing() && PageInRange(Page + 1); }
    void SetFont(const TFontObject &F) { SetFont(F.Name(), F.Size(), F.Style(), F.Color()); }
    void SetFont(const QString &Name, int Size, TFontStyles Style, TColor Color)
    {
        C.Font.Name = Name;
        C.Font.Style = Style;
        C.Font.Color = Color;
        C.FontHeight = MapFontHeight(G, Size);
    }
    // A cell's print look, its font starting at the print font's size.
    struct TCellLook {
        TGridDrawState State;
        TBrush Brush;
        TColor ColorTo = clNone;
        TFont Font;
        TAlignment HAlign = taLeftJustify;
        TVAlignment VAlign = vtaTop;
        bool Wrap = false;
    };
    TCellLook CellLook(int Col, int Row);
    bool IsRowPrinted(int Row) const;
    bool IsColPrinted(int Col) const;
    void MeasureColumns();
    void FitToPage();
    TPoint MeasureCell(int Col, int Row);
    int RowHeight(int Row);
    int PrintedHeight(int Row) { return RowHeight(Row) + 2 * CellPad + PS.RowSpacing(); }
    int HeaderArea(bool WithHtml);
    int FooterArea() const;
    int PrintRow(int Y, int FirstCol, int LastCol, int Row);
    int PrintHeaderFooter();
    QString PageNumberText();
    void FinishPage();
    void StartNextPage();
    void FirePrintPage(int PageNr);
    void FirePageDone(int NextRow);
    bool AnyAt(bool Top) const;

    TDazStringGrid &G;
    TPageCanvas &C;
    TPrintSettings &PS;
    TPrintMode Mode;
    int Total;
    bool SelOnly;
    TGridRect R;

    int PageW = 0, PageH = 0;
    double PixelFactor = 1.0;
    int CellPad = 0, TextInset = 0, HeaderTH = 0, FooterTH = 0, Spacing = 0;
    bool RepeatCols = false;
    int StartCol = 0, EndCol = 0;
    int Page = 0;          // C of the layout: 0-based page over the run
    int ColPageNr = 1;
    int RowPageIdx = 0;
    bool SeveralColPages = false;
    int E = 0, Gf = 0, Y = 0;
    double Factor = 1.0;
    int HtmlTitleHeight = 0;
    std::vector<int> MaxW, Ind;
    int CachedRow = -1, CachedHeight = 0;
    bool Cancelled = false;
    int FontPointSize = 10;
};

TGridPrintRun::TCellLook TGridPrintRun::CellLook(int Col, int Row)
{
    TCellLook l;
    l.Font.Size = FontPointSize;
    TColor mirror = clNone, mirrorTo = clNone;
    TCellGradientDirection gd{};
    G.GetVisualProperties(Col, Row, l.State, true, false, true, l.Brush, l.ColorTo, mirror,
                          mirrorTo, l.Font, l.HAlign, l.VAlign, l.Wrap, gd);
    if (G.OnGetWordWrap)
        G.OnGetWordWrap(&G, G.RealColIndex(Col), Row, l.Wrap);
    return l;
}

bool TGridPrintRun::IsRowPrinted(int Row) const
{
    if (!SelOnly)
        return true;
    if (Row < G.FixedRows() && PS.FixedCellsAlways())
        return true;
    if (G.MouseActions().DisjunctRowSelect()) {
        const int r = G.MouseActions().RowSelectPersistent() ? G.RealRowIndex(Row) : Row;
        return G.RowSelect(r);
    }
    const TGridRect s = G.Selection();
    return Row >= s.Top && Row <= s.Bottom;
}

bool TGridPrintRun::IsColPrinted(int Col) const
{
    if (!SelOnly || G.MouseActions().DisjunctRowSelect())
        return true;
    if (Col < G.FixedCols() && PS.FixedCellsAlways())
        return true;
    if (G.MouseActions().DisjunctColSelect())
        return G.ColSelect(Col);
    const TGridRect s = G.Selection();
    return Col >= s.Left && Col <= s.Right;
}

TPoint TGridPrintRun::MeasureCell(int Col, int Row)
{
    const int rc = G.RealColIndex(Col);
    const QString text = G.IsDataGraphicCell(rc, Row) ? QString() : G.GetFormattedCell(rc, Row);
    const int kind = ClassifyCellText(text, G.EnableHTML());
    TPoint size;
    TPoint graphic;
    if (PS.PrintGraphics() && G.GetCellGraphic(rc, Row)) {
        const TPoint gs = G.GetCellGraphicSize(rc, Row);
        graphic = TPoint(int(std::lround(gs.X * PixelFactor)), int(std::lround(gs.Y * PixelFactor)));
    }
    if (kind == ctMarkup) {
        TCanvas &dev = C.Prepared();
        dev.Font = C.DeviceFont();
        dev.Font.Size = PS.Font().Size();
        THtmlRenderParams p;
        p.MeasureOnly = true;
        p.Printing = true;
        THtmlRenderResult res;
        const int w = PS.NoAutoSize() ? G.ColWidths(Col) + 12 : 65535;
        RenderHtmlText(dev, text, TRect(0, 0, w, 65535), p, res);
        size.X = C.DeviceToPageX(res.ExtentX);
        size.Y = C.DeviceToPageY(res.ExtentY) - int(std::lround(CellPad * PixelFactor));
    } else {
        const TCellLook look = CellLook(Col, Row);
        const bool wrap = look.Wrap;
        SetFont(look.Font.Name, look.Font.Size, look.Font.Style, look.Font.Color);
        QString shown = kind == ctRichText ? RtfToPlainText(text) : text;
        if (G.URLShow() && !G.URLFull())
            for (const char *scheme : {"http://", "https://", "ftp://", "mailto:", "news:", "nntp://", "file://"})
                if (shown.startsWith(QLatin1String(scheme), Qt::CaseInsensitive))
                    shown = shown.mid(int(strlen(scheme)));
        if (shown.isEmpty())
            shown = QStringLiteral("gh");
        int angle = 0;
        const bool rotated = G.IsRotated(rc, Row, angle);
        if (wrap && PS.NoAutoSize() && !rotated) {
            TRect box(0, 0, MaxW.size() > size_t(Col) && MaxW[size_t(Col)] > 0 ? MaxW[size_t(Col)]
                                                                               : G.ColWidths(Col),
                      0);
            if (G.CellSpan(rc, Row).X > 0)
                box.Right = 65535;
            C.DrawText(shown, box, DT_CALCRECT | DT_NOPREFIX | DT_WORDBREAK);
            size.X = box.Right - box.Left;
            size.Y = std::abs(box.Top - box.Bottom);
        } else {
            const QStringList lines = shown.split(QLatin1Char('\r'));
            int w = 0;
            for (QString l : lines) {
                l.remove(QLatin1Char('\n'));
                w = std::max(w, C.TextWidth(l));
            }
            size.X = w + graphic.X;
            size.Y = C.TextHeight(QStringLiteral("gh")) * int(lines.size());
        }
        if (rotated) {
            const double a = angle * M_PI / 180.0;
            const int w = size.X, h = size.Y;
            size.X = int(std::lround(std::abs(std::cos(a)) * w + std::abs(std::sin(a)) * h));
            size.Y = int(std::lround(std::abs(std::sin(a)) * w + std::abs(std::cos(a)) * h));
        }
    }
    size.X = std::max(size.X, graphic.X);
    size.Y = std::max(size.Y, graphic.Y);
    if (G.OnCustomCellSize)
        G.OnCustomCellSize(&G, C.Device(), rc, Row, size, true);
    return size;
}

void TGridPrintRun::MeasureColumns()
{
    MaxW.assign(size_t(std::max(R.Right, G.ColCount() - 1) + 2), 0);
    Ind.assign(MaxW.size() + 1, 0);
    if (PS.NoAutoSize()) {
        for (int c = R.Left; c <= R.Right; ++c)
            if (IsColPrinted(c))
                MaxW[size_t(c)] = int(std::nearbyint(G.ColWidths(c) * PixelFactor));
        // Fixed columns repeated on later pages keep their widths too.
        for (int c = 0; c < G.FixedCols() && c < R.Left; ++c)
            MaxW[size_t(c)] = int(std::nearbyint(G.ColWidths(c) * PixelFactor));
        return;
    }
    std::vector<int> rows;
    for (int r = R.Top; r <= R.Bottom; ++r)
        rows.push_back(r);
    if (PS.RepeatFixedRows())
        for (int r = 0; r < G.FixedRows() && r < R.Top; ++r)
            rows.push_back(r);
    std::vector<int> cols;
    for (int c = R.Left; c <= R.Right; ++c)
        cols.push_back(c);
    if (PS.RepeatFixedCols())
        for (int c = 0; c < G.FixedCols() && c < R.Left; ++c)
            cols.push_back(c);
    for (int c : cols) {
        if (!IsColPrinted(c))
            continue;
        const int rc = G.RealColIndex(c);
        for (int r : rows) {
            const int w = PS.UseFixedWidth() ? PS.FixedWidth() : MeasureCell(c, r).X;
            if (w > MaxW[size_t(c)] && G.CellSpan(rc, r).X == 0)
                MaxW[size_t(c)] = w;
        }
    }
}

void TGridPrintRun::FitToPage()
{
    Factor = 1.0;
    if (PS.FitToPage() != fpNever) {
        int total = 0;
        for (int c = R.Left; c <= R.Right; ++c)
            if (IsColPrinted(c))
                total += MaxW[size_t(c)] + Spacing;
        const int spacingTotal = (R.Right - R.Left + 1) * Spacing;
        if (total != spacingTotal)
            Factor = double(PageW - PS.RightSize() - PS.LeftSize() - spacingTotal) /
                     double(total - spacingTotal);
        switch (PS.FitToPage()) {
        case fpShrink:
            Factor = std::min(Factor, 1.0);
            break;
        case fpGrow:
            Factor = std::max(Factor, 1.0);
            break;
        case fpCustom:
            if (Factor != 1.0) {
                bool allow = true;
                if (G.OnFitToPage)
                    G.OnFitToPage(&G, Factor, allow);
                if (!allow)
                    Factor = 1.0;
            }
            break;
        default:
            break;
        }
        if (Factor != 1.0)
            for (int c = R.Left; c <= R.Right; ++c)
                MaxW[size_t(c)] = int(std::trunc(MaxW[size_t(c)] * Factor));
    }
    if (G.OnPrintSetColumnWidth)
        for (int c = R.Left; c <= R.Right; ++c)
            G.OnPrintSetColumnWidth(&G, c, MaxW[size_t(c)]);
}

int TGridPrintRun::RowHeight(int Row)
{
    if (PS.NoAutoSizeRow())
        return int(std::nearbyint(G.RowHeights(Row) * PixelFactor)) - 4;
    if (Row == CachedRow)
        return CachedHeight;
    int h = 0;
    if (PS.UseFixedHeight()) {
        h = PS.FixedHeight();
    } else {
        G.SetFontscalefactor(Factor);
        int last = 0;
        for (int c = R.Left; c <= R.Right; ++c) {
            const TPoint s = MeasureCell(c, Row);
            last = s.Y;
            if (s.Y > h && G.CellSpan(G.RealColIndex(c), Row).Y == 0)
                h = s.Y;
        }
        G.SetFontscalefactor(1.0);
        if (h == 0)
            h = last;
        h += h / 8;
        if (G.OnPrintSetRowHeight)
            G.OnPrintSetRowHeight(&G, Row, h);
    }
    CachedRow = Row;
    CachedHeight = h;
    return h;
}

bool TGridPrintRun::AnyAt(bool Top) const
{
    auto at = [Top](TPrintPosition p) {
        return Top ? (p == ppTopLeft || p == ppTopRight || p == ppTopCenter)
                   : (p == ppBottomLeft || p == ppBottomRight || p == ppBottomCenter);
    };
    return at(PS.Time()) || at(PS.Date()) || at(PS.PageNr()) || at(PS.Title());
}

int TGridPrintRun::HeaderArea(bool WithHtml)
{
    if (!AnyAt(true))
        return PS.HeaderSize();
    int e = CellPad + HeaderTH + PS.HeaderSize();
    const TPrintPosition t = PS.Title();
    if ((t == ppTopLeft || t == ppTopRight || t == ppTopCenter) && PS.TitleLines().Count() > 0) {
        if (WithHtml && HtmlTitleHeight > 0)
            e += HtmlTitleHeight + PS.HeaderSize();
        else
            e += (PS.TitleLines().Count() - 1) * HeaderTH;
    }
    return e;
}

int TGridPrintRun::FooterArea() const
{
    if (!AnyAt(false))
        return CellPad + FooterTH + PS.FooterSize();
    int g = 2 * (CellPad + FooterTH) + PS.FooterSize();
    const TPrintPosition t = PS.Title();
    if ((t == ppBottomLeft || t == ppBottomRight || t == ppBottomCenter) && PS.TitleLines().Count() > 0)
        g += (PS.TitleLines().Count() - 1) * FooterTH;
    return g;
}

QString TGridPrintRun::PageNumberText()
{
    QString s;
    int num, col = ColPageNr;
    if (SeveralColPages) {
        num = RowPageIdx + 1;
        s = QString::number(num) + QLatin1Char('-') + QString::number(ColPageNr);
    } else {
        num = Page + 1;
        s = QString::number(Page + 1 + PS.PageNumberOffset());
        if (!PS.PageNumSep().isEmpty() && Total > 1)
            s += PS.PageNumSep() + QString::number(Total + PS.MaxPagesOffset());
    }
    if (G.OnPrintGetPageNum)
        G.OnPrintGetPageNum(&G, num, col, s);
    return s;
}

int TGridPrintRun::PrintHeaderFooter()
{
    if (!DrawsPage())
        return 0;
    QString texts[7];   // by TPrintPosition
    auto add = [&](TPrintPosition p, const QString &item) {
        if (p == ppNone)
            return;
        QString &t = texts[p];
        if (p == ppTopLeft || p == ppBottomLeft)
            t = item + QLatin1Char(' ') + t;
        else
            t = t + QLatin1Char(' ') + item;
    };
    const QDateTime now = QDateTime::currentDateTime();
    add(PS.Time(), FormatDateTimeText(QStringLiteral("hh:nn"), now));
    add(PS.Date(), FormatDateTimeText(PS.DateFormat(), now));
    add(PS.PageNr(), PS.PagePrefix() + QLatin1Char(' ') + PageNumberText() + QLatin1Char(' ') + PS.PageSuffix());
    QString htmlTitle;
    const TPrintPosition tp = PS.Title();
    const bool titleLines = PS.TitleText().isEmpty() && PS.TitleLines().Count() > 0;
    if (tp != ppNone) {
        if (!PS.TitleText().isEmpty()) {
            add(tp, PS.TitleText());
        } else if (titleLines) {
            const QString all = PS.TitleLines().Text();
            if (ClassifyCellText(all, G.EnableHTML()) == ctMarkup) {
                for (int i = 0; i < PS.TitleLines().Count(); ++i)
                    htmlTitle += PS.TitleLines().Strings(i);
            } else {
                const QString first = PS.TitleLines().Strings(0);
                QString &t = texts[tp];
                const bool left = tp == ppTopLeft || tp == ppBottomLeft;
                if (t.isEmpty() || first.isEmpty())
                    t = left ? first + t : t + first;
                else
                    t = left ? first + QLatin1Char(' ') + t : t + QLatin1Char(' ') + first;
            }
        }
    }
    const TFont keepFont = C.Font;
    const int keepHeight = C.FontHeight;
    const TBrush keepBrush = C.Brush;
    C.Brush.Style = bsClear;
    auto place = [&](TPrintPosition left, TPrintPosition right, TPrintPosition centre, int y) {
        if (!texts[left].isEmpty())
            C.TextOut(PS.LeftSize(), y, texts[left]);
        if (!texts[right].isEmpty())
            C.TextOut(PageW - C.TextWidth(texts[right]) - PS.RightSize() - 20, y, texts[right]);
        if (!texts[centre].isEmpty())
            C.TextOut((PageW - C.TextWidth(texts[centre])) / 2, y, texts[centre]);
    };
    auto titleX = [&](const QString &line) {
        switch (tp) {
        case ppTopRight:
        case ppBottomRight:
            return PageW - C.TextWidth(line) - PS.RightSize() - 20;
        case ppTopCenter:
        case ppBottomCenter:
            return (PageW - C.TextWidth(line)) / 2;
        default:
            return PS.LeftSize();
        }
    };
    const bool titleTop = tp == ppTopLeft || tp == ppTopRight || tp == ppTopCenter;
    int reported = 0;
    SetFont(PS.HeaderFont());
    place(ppTopLeft, ppTopRight, ppTopCenter, -PS.HeaderSize());
    if (titleTop && titleLines && htmlTitle.isEmpty())
        for (int k = 2; k <= PS.TitleLines().Count(); ++k)
            C.TextOut(titleX(PS.TitleLines().Strings(k - 1)),
                      -PS.HeaderSize() - (k - 1) * C.TextHeight(QStringLiteral("gh")),
                      PS.TitleLines().Strings(k - 1));
    auto renderHtml = [&](const TRect &pageBox) {
        TCanvas &dev = C.Prepared();
        dev.Font.Size = PS.HeaderFont().Size();
        THtmlRenderParams p;
        p.Printing = true;
        THtmlRenderResult res;
        RenderHtmlText(dev, htmlTitle, C.ToDevice(pageBox), p, res);
        return res.ExtentY;
    };
    if (titleTop && !htmlTitle.isEmpty()) {
        const int h = renderHtml(TRect(PS.LeftSize(), -PS.HeaderSize(), PageW, -PS.HeaderSize() - 65535 / 10));
        reported = int(std::lround(h * 96.0 / C.DpiY()));
    }
    SetFont(PS.FooterFont());
    const int fy = PageH + PS.FooterSize() + CellPad + FooterTH;
    place(ppBottomLeft, ppBottomRight, ppBottomCenter, fy);
    if (!titleTop && tp != ppNone && titleLines && htmlTitle.isEmpty())
        for (int k = 2; k <= PS.TitleLines().Count(); ++k)
            C.TextOut(titleX(PS.TitleLines().Strings(k - 1)),
                      fy - (k - 1) * C.TextHeight(QStringLiteral("gh")), PS.TitleLines().Strings(k - 1));
    if (!titleTop && tp != ppNone && !htmlTitle.isEmpty())
        renderHtml(TRect(PS.LeftSize(), PageH + PS.FooterSize(), PageW, PageH));
    C.Font = keepFont;
    C.FontHeight = keepHeight;
    C.Brush = keepBrush;
    return reported;
}

int TGridPrintRun::PrintRow(int RowY, int FirstCol, int LastCol, int Row)
{
    const int height = PrintedHeight(Row);
    if (!DrawsPage())
        return height;
    const int pw = std::max(1, C.Pen.Width);
    for (int c = FirstCol; c <= LastCol; ++c) {
        if (!IsColPrinted(c))
            continue;
        const int rc = G.RealColIndex(c);
        const TPoint span = G.CellSpan(rc, Row);
        int width = 0;
        for (int k = c; k <= std::min(c + std::max(0, span.X), int(MaxW.size()) - 2); ++k)
            width += MaxW[size_t(k)] + Spacing;
        int boxH = height;
        for (int k = 1; k <= span.Y; ++k) {
            const int h = int(std::trunc((G.RowHeights(std::min(Row + k, G.RowCount() - 1)) - 4) * PixelFactor));
            boxH += h + h / 8 + 2 * CellPad + PS.RowSpacing();
        }
        TRect box(Ind[size_t(c)], RowY, Ind[size_t(c)] + width, RowY - boxH);
        TCellBorders borders;
        switch (PS.Borders()) {
        case pbSingle:
        case pbDouble:
            borders = TCellBorders{cbLeft, cbTop, cbRight, cbBottom};
            break;
        case pbHorizontal:
        case pbAroundHorizontal:
            borders = TCellBorders{cbTop, cbBottom};
            break;
        case pbVertical:
        case pbAroundVertical:
            borders = TCellBorders{cbLeft, cbRight};
            break;
        default:
            break;
        }
        TPen pen;
        pen.Width = 1;
        pen.Color = PS.BorderColor();
        pen.Style = PS.BorderStyle();
        G.GetCellPrintBorder(rc, Row, pen, borders);

        const TFont keepFont = C.Font;
        const int keepHeight = C.FontHeight;
        const TBrush keepBrush = C.Brush;
        const TPen keepPen = C.Pen;
        if (G.IsBaseCell(rc, Row)) {
            const TCellLook look = CellLook(c, Row);
            TGridDrawState state = look.State;
            const TBrush brush = look.Brush;
            const TColor colorTo = look.ColorTo;
            const TFont font = look.Font;
            const TAlignment ha = look.HAlign;
            const TVAlignment va = look.VAlign;
            const bool wrap = look.Wrap;
            G.SetFontscalefactor(Factor);
            SetFont(font.Name, font.Size, font.Style, font.Color);
            QString text = G.IsDataGraphicCell(rc, Row) ? QString() : G.GetFormattedCell(rc, Row);
            const int kind = ClassifyCellText(text, G.EnableHTML());
            if (kind == ctFormula)
                text = G.Cells(rc, Row);

            // Background: inward by two pen widths on the sides without a line.
            TRect bg = box;
            if (!borders.Contains(cbLeft))
                bg.Left += 2 * pw;
            if (!borders.Contains(cbTop))
                bg.Top -= 2 * pw;
            if (brush.Style != bsClear) {
                TCanvas &dev = C.Prepared();
                FillGradientRect(dev, colorTo == clNone ? brush.Color : colorTo, brush.Color, 64,
                                 C.ToDevice(bg), false);
                if (g_recorder)
                    g_recorder->push_back({QStringLiteral("FillRect"), bg, {}, C.Pen, brush, C.Font, 0});
            }
            // Graphic.
            if (PS.PrintGraphics())
                if (TCellGraphic *graphic = G.GetCellGraphic(rc, Row)) {
                    TCanvas &dev = C.Prepared();
                    TGridDrawState st;
                    G.DrawCellGraphic(dev, rc, Row, C.ToDevice(box), st, graphic, 0);
                }
            // Text.
            C.Font.Color = font.Color;
            C.Brush.Style = bsClear;
            TRect tb = box;
            if (tb.Right > PageW)
                tb.Right = Ind[size_t(EndCol) + 1];
            int angle = 0;
            const bool rotated = G.IsRotated(rc, Row, angle);
            const unsigned horz = ha == taRightJustify ? DT_RIGHT : ha == taCenter ? DT_CENTER : 0;
            if (kind == ctMarkup) {
                TCanvas &dev = C.Prepared();
                dev.Font.Size = int(std::lround(PS.Font().Size() * G.Fontscalefactor()));
                THtmlRenderParams p;
                p.Printing = true;
                THtmlRenderResult res;
                RenderHtmlText(dev, text, C.ToDevice(tb), p, res);
                if (g_recorder)
                    g_recorder->push_back({QStringLiteral("Html"), tb, text, C.Pen, C.Brush, C.Font, 0});
            } else if (rotated && G.GetCellGraphic(rc, Row)) {
                // The grid's own rotated-text painter, in device units of the page.
                TCanvas &dev = C.Prepared();
                G.DrawRotatedCell(dev, rc, Row, C.ToDevice(tb), *G.GetCellGraphic(rc, Row));
                if (g_recorder)
                    g_recorder->push_back({QStringLiteral("Rotated"), tb, text, C.Pen, C.Brush, C.Font, 0});
            } else if (kind == ctRichText) {
                TCanvas &dev = C.Prepared();
                DrawRichCellText(dev, text, C.ToDevice(tb), ha, va, wrap);
                if (g_recorder)
                    g_recorder->push_back({QStringLiteral("Rich"), tb, RtfToPlainText(text), C.Pen, C.Brush, C.Font, 0});
            } else if (wrap && PS.NoAutoSize() && !rotated) {
                TRect r(tb.Left + TextInset, tb.Top, tb.Right - TextInset, tb.Bottom);
                C.DrawText(text, r, DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | horz);
            } else {
                const QStringList lines = text.split(QLatin1Char('\r'));
                if (lines.size() <= 1) {
                    unsigned vert = va == vtaCenter ? DT_VCENTER : va == vtaBottom ? DT_BOTTOM : 0;
                    TRect r(tb.Left + TextInset, tb.Top - CellPad, tb.Right - TextInset, tb.Bottom);
                    if (G.EnhTextSize() && PS.NoAutoSize())
                        C.DrawText(text, r, DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS | horz);
                    else
                        C.DrawText(text, r, DT_SINGLELINE | DT_NOPREFIX | horz | vert);
                } else {
                    const int lineH = C.TextHeight(QStringLiteral("gh")) + PS.RowSpacing();
                    const int step = lineH + lineH / 8;
                    int off = 0;
                    const bool merged = span.X > 0 || span.Y > 0;
                    if (!merged && va == vtaCenter)
                        off = (height - (lineH - PS.RowSpacing()) * int(lines.size())) / 2;
                    else if (!merged && va == vtaBottom)
                        off = height - (lineH - PS.RowSpacing()) * int(lines.size());
                    int ly = tb.Top - off;
                    for (QString l : lines) {
                        l.remove(QLatin1Char('\n'));
                        const int w = C.TextWidth(l);
                        const int x = ha == taRightJustify ? tb.Right - TextInset - w
                                      : ha == taCenter     ? (tb.Left + tb.Right - w) / 2
                                                           : tb.Left + TextInset;
                        C.TextOut(x, ly, l);
                        ly -= step;
                    }
                }
            }
            if (G.OnCustomCellDraw) {
                TCanvas &dev = C.Prepared();
                dev.Font.Size = PS.Font().Size();
                G.OnCustomCellDraw(&G, dev, rc, Row, state, C.ToDevice(box), true);
            }
        }
        // Border lines; sides inside a merge are dropped.
        if (!G.IsBaseCell(rc, Row)) {
            if (span.X != 0) {
                borders.Exclude(cbLeft);
                borders.Exclude(cbRight);
            }
            if (span.Y != 0) {
                borders.Exclude(cbTop);
                borders.Exclude(cbBottom);
            }
        }
        C.Pen = pen;
        if (Mode == pmDrawPrint)
            C.Pen.Width = std::max(1, int(std::lround(pen.Width * PixelFactor)));
        if (box.Bottom < PageH + PS.FooterSize()) {
            box.Bottom = RowY - height;
            borders.Exclude(cbBottom);
        }
        const int left = Ind[size_t(c)] - (c > FirstCol ? C.Pen.Width : 0);
        if (borders.Contains(cbLeft)) {
            C.MoveTo(left, box.Top);
            C.LineTo(left, box.Bottom);
        }
        if (borders.Contains(cbRight)) {
            C.MoveTo(box.Right, box.Top);
            C.LineTo(box.Right, box.Bottom);
        }
        if (borders.Contains(cbTop)) {
            C.MoveTo(box.Left, box.Top);
            C.LineTo(box.Right, box.Top);
        }
        if (borders.Contains(cbBottom)) {
            C.MoveTo(box.Left, box.Bottom);
            C.LineTo(box.Right, box.Bottom);
        }
        C.Font = keepFont;
        C.FontHeight = keepHeight;
        C.Brush = keepBrush;
        C.Pen = keepPen;
    }
    G.SetFontscalefactor(1.0);
    return height;
}

void TGridPrintRun::FinishPage()
{
    if (!DrawsPage())
        return;
    const int top = -E - PS.TitleSpacing();
    const int bottom = Y + CellPad / 2;
    const int left = RepeatCols ? Ind[0] : Ind[size_t(StartCol)];
    const int right = Ind[size_t(EndCol) + 1];
    const TPrintBorders b = PS.Borders();
    if (b == pbAround || b == pbAroundVertical || b == pbAroundHorizontal)
        C.Rectangle(left, top, right, bottom);
    if (b == pbDouble || b == pbHorizontal || b == pbAroundHorizontal) {
        C.MoveTo(left, bottom);
        C.LineTo(right, bottom);
    }
    if ((b == pbDouble || b == pbVertical || b == pbAroundVertical) && RepeatCols)
        for (int k = 0; k < G.FixedCols(); ++k) {
            C.MoveTo(Ind[size_t(k)], top);
            C.LineTo(Ind[size_t(k)], bottom);
        }
}

void TGridPrintRun::FirePrintPage(int PageNr)
{
    if (Drawing() && G.OnPrintPage)
        G.OnPrintPage(&G, C, PageNr, PageW, PageH);
}

void TGridPrintRun::FirePageDone(int NextRow)
{
    if (!Drawing())
        return;
    if (G.OnPrintPageDone)
        G.OnPrintPageDone(&G, C, NextRow, Y, Page + 1, PageW, PageH);
    bool cancel = false;
    if (G.OnPrintCancel)
        G.OnPrintCancel(&G, Page + 1, cancel);
    if (cancel)
        Cancelled = true;
}

void TGridPrintRun::StartNextPage()
{
    if (!PageInRange(Page + 2))
        return;
    if (Mode == pmDrawPrint && Page + 1 >= G.PrintPageFrom() && Printer().Printing())
        Printer().NewPage();
    FirePrintPage(Page + 2);
}

int TGridPrintRun::Run()
{
    G.SetFontscalefactor(1.0);
    // The pen of the page borders.
    C.Pen.Color = clBlack;
    C.Pen.Style = PS.BorderStyle();
    C.Pen.Width = PS.Borders() == pbDouble ? 10 : 2;
    const TPen borderPen = C.Pen;

    SetFont(PS.HeaderFont());
    HeaderTH = C.TextHeight(QStringLiteral("gh"));
    SetFont(PS.FooterFont());
    FooterTH = C.TextHeight(QStringLiteral("gh"));
    SetFont(PS.Font());
    FontPointSize = PS.Font().Size();
    CellPad = C.TextHeight(QStringLiteral("gh")) / 8;
    TextInset = C.TextWidth(QStringLiteral("g")) / 2;

    switch (Mode) {
    case pmDrawPrint: {
        const TRect clip = C.FromDevice(C.Device().ClipRect());
        PageW = clip.Right - clip.Left;
        PageH = clip.Bottom;
        break;
    }
    case pmCountPrint:
        PageW = G.PrevRect().Width();
        PageH = -G.PrevRect().Bottom - G.PrevRect().Top;
        break;
    default: {
        const TRect p = C.FromDevice(G.PrevRect());
        G.SetPrevRect(p);
        PageW = p.Right - p.Left;
        PageH = p.Bottom - p.Top;
        break;
    }
    }
    const int gridDpi = G.logicalDpiX() > 0 ? G.logicalDpiX() : 96;
    PixelFactor = 254.0 / gridDpi;
    Spacing = PS.UseFixedWidth() ? 0 : PS.ColumnSpacing() + 20;
    Factor = 1.0;

    R.Right = std::min(R.Right, G.ColCount() - 1);
    R.Bottom = std::min(R.Bottom, G.RowCount() - 1);
    if (R.Left < 0 || R.Top < 0 || R.Left > R.Right || R.Top > R.Bottom)
        return 0;
    MeasureColumns();
    FitToPage();
    // Event handlers of the run see the page widths.
    for (int c = 0; c < int(MaxW.size()) - 1 && c < 512; ++c)
        G.SetPrintColumn(c, MaxW[size_t(c)], Ind[size_t(c)]);

    const bool allNormal = G.FixedRows() >= R.Top && G.RowCount() - 1 - G.FixedFooters() <= R.Bottom;
    StartCol = R.Left;
    Page = 0;
    ColPageNr = 1;
    bool justFinished = false;
    while (!Cancelled) {
        // Column page.
        RepeatCols = G.FixedCols() > 0 && PS.RepeatFixedCols() &&
                     (StartCol > R.Left || R.Left > G.FixedCols());
        int fixedPart = 0;
        if (RepeatCols)
            for (int k = 0; k < G.FixedCols(); ++k)
                fixedPart += MaxW[size_t(k)] + Spacing;
        int used = fixedPart;
        EndCol = StartCol;
        for (int c = StartCol; c <= R.Right; ++c) {
            const int w = IsColPrinted(c) ? MaxW[size_t(c)] + Spacing : 0;
            if (c > StartCol && used + w > PageW - PS.RightSize())
                break;
            used += w;
            EndCol = c;
        }
        SeveralColPages = SeveralColPages || EndCol < R.Right;
        const int start = PS.Centered() ? 0 : PS.LeftSize();
        Ind[size_t(StartCol)] = start;
        Ind[0] = start;
        for (int c = StartCol; c <= EndCol; ++c)
            Ind[size_t(c) + 1] = Ind[size_t(c)] + (IsColPrinted(c) ? MaxW[size_t(c)] + Spacing : 0);
        if (RepeatCols)
            for (int k = 1; k <= G.FixedCols(); ++k)
                Ind[size_t(k)] = Ind[size_t(k) - 1] + MaxW[size_t(k) - 1] + Spacing;
        if (PS.Centered() && used < PageW) {
            const int shift = (PageW - used) / 2;
            for (int c = StartCol; c <= EndCol + 1; ++c)
                Ind[size_t(c)] += shift;
            if (RepeatCols)
                for (int k = 0; k <= G.FixedCols(); ++k)
                    Ind[size_t(k)] += shift;
        }
        for (int c = StartCol; c <= EndCol + 1; ++c)
            Ind[size_t(c)] += fixedPart;
        RowPageIdx = 0;
        HtmlTitleHeight = 0;
        E = HeaderArea(true);
        Gf = FooterArea();
        if (Page == 0 || justFinished)
            FirePrintPage(Page + 1);
        justFinished = false;

        // Row pages.
        int next = R.Top;
        int rowsOnPage = 0;
        int placedOnPage = 0;   // rows of the range, repeated fixed rows not counted
        bool pageStart = true;
        bool finished = false;
        while (next <= R.Bottom && !Cancelled) {
            G.ExportNotification(allNormal ? esExportNewRow : esExportSelRow, next);
            if (pageStart) {
                Y = -E;
                rowsOnPage = 0;
                placedOnPage = 0;
                const int html = PrintHeaderFooter();
                if (html > 0 && HtmlTitleHeight == 0) {
                    HtmlTitleHeight = html;
                    E = HeaderArea(true);
                    Y = -E;
                }
                Y -= PS.TitleSpacing();
                if (next > 0 && (Page > 0 || G.FixedRows() <= R.Top) && PS.RepeatFixedRows() &&
                    G.FixedRows() > 0) {
                    for (int fr = 0; fr < G.FixedRows(); ++fr) {
                        if (RepeatCols)
                            PrintRow(Y, 0, G.FixedCols() - 1, fr);
                        Y -= PrintRow(Y, StartCol, EndCol, fr);
                    }
                    ++rowsOnPage;
                }
                pageStart = false;
            }
            bool held = false;
            if (IsRowPrinted(next)) {
                const int h = PrintedHeight(next);
                // A row taller than the room between header and footer goes on a page of
                // its own, cut at the footer, so every page places a row.
                if (PageH + Gf < Y - h || placedOnPage == 0) {
                    if (RepeatCols)
                        PrintRow(Y, 0, G.FixedCols() - 1, next);
                    Y -= PrintRow(Y, StartCol, EndCol, next);
                    ++placedOnPage;
                } else {
                    held = true;
                }
            }
            if (!held)
                ++next;
            ++rowsOnPage;
            bool newPage = held;
            if (G.OnPrintNewPage)
                G.OnPrintNewPage(&G, next, newPage);
            if (!newPage && next <= R.Bottom && IsRowPrinted(next) && Y - PrintedHeight(next) < PageH + Gf)
                newPage = true;
            const bool last = next > R.Bottom;
            if (newPage || last)
                FirePageDone(next);
            if ((newPage && !last) && !Cancelled) {
                FinishPage();
                StartNextPage();
                if (G.FastPrint() && Page + 1 > G.PrintPageTo())
                    next = R.Bottom + 1;
                ++Page;
                ++RowPageIdx;
                E = HeaderArea(false);
                Gf = FooterArea();
                pageStart = true;
                if (next > R.Bottom)
                    finished = true;
            }
        }
        if (!finished)
            FinishPage();
        StartCol = EndCol + 1;
        if (StartCol > R.Right || Cancelled) {
            ++Page;
            break;
        }
        ++ColPageNr;
        StartNextPage();
        ++Page;
        justFinished = false;
    }
    C.Pen = borderPen;
    G.SetFontscalefactor(1.0);
    for (int c = 0; c < int(MaxW.size()) - 1 && c < 512; ++c)
        G.SetPrintColumn(c, MaxW[size_t(c)], Ind[size_t(c)]);
    return Page;
}

namespace GridPrint {

namespace {

TGridRect WholeGrid(TDazStringGrid &G) { return {0, 0, G.ColCount() - 1, G.RowCount() - 1}; }

int RunPages(TDazStringGrid &G, TPageCanvas &Canvas, TPrintMode Mode, int Total, bool SelOnly)
{
    Canvas.SetRecorder(g_recorder);
    TGridPrintRun run(G, Canvas, Mode, Total, SelOnly);
    return run.Run();
}

double DeviceDpiX(TCanvas &C)
{
    return C.Painter() && C.Painter()->device() ? C.Painter()->device()->logicalDpiX() : 96;
}

double DeviceDpiY(TCanvas &C)
{
    return C.Painter() && C.Painter()->device() ? C.Painter()->device()->logicalDpiY() : 96;
}

void DoPrint(TDazStringGrid &G, const TGridRect &Rect, bool SelOnly)
{
    IPrinter &printer = Printer();
    G.ExportNotification(esExportStart, -1);
    G.SetPrintRectangle(Rect);
    TPrintSettings &ps = G.PrintSettings();
    if (!ps.UseDefaultOrientation())
        printer.SetOrientation(ps.Orientation() == poLandscape ? pokLandscape : pokPortrait);
    G.SetPrevRect(TRect(0, 0, int(std::lround(254.0 / printer.DpiX() * printer.PageWidth())),
                        int(std::lround(254.0 / printer.DpiY() * printer.PageHeight()))));
    printer.SetTitle(ps.JobName());
    printer.BeginDoc();
    int pages;
    if (!G.FastPrint()) {
        TPageCanvas pc(printer.Canvas(), printer.DpiX(), printer.DpiY());
        pages = RunPages(G, pc, pmCountPrint, -1, SelOnly);
    } else {
        pages = INT_MAX;
    }
    G.SetPrintPageFrom(1);
    G.SetPrintPageTo(pages);
    G.SetPrintNrOfPages(pages);
    if (G.OnPrintStart) {
        printer.Abort();
        int from = G.PrintPageFrom(), to = G.PrintPageTo();
        G.OnPrintStart(&G, pages, from, to);
        G.SetPrintPageFrom(from);
        G.SetPrintPageTo(to);
        if (from == 0 || to == 0 || from > to)
            return;
        printer.BeginDoc();
    }
    G.SetPrintNrOfPages(G.PrintPageTo());
    try {
        printer.Canvas().SetClipRect(TRect(0, 0, printer.PageWidth(), printer.PageHeight()));
        TPageCanvas pc(printer.Canvas(), printer.DpiX(), printer.DpiY());
        RunPages(G, pc, pmDrawPrint, pages, SelOnly);
    } catch (...) {
        printer.EndDoc();
        throw;
    }
    printer.EndDoc();
    G.ExportNotification(esExportDone, -1);
}

void DoPrintPreview(TDazStringGrid &G, TCanvas &Canvas, const TRect &Display,
                    const TGridRect &Rect, bool SelOnly)
{
    G.ExportNotification(esExportStart, -1);
    G.SetPrintRectangle(Rect);
    struct TDone {
        TDazStringGrid &G;
        ~TDone()
        {
            G.ExportNotification(esExportDone, -1);
            G.SetIsPrintPreview(false);
        }
    } done{G};
    TPageCanvas pc(Canvas, DeviceDpiX(Canvas), DeviceDpiY(Canvas), Display.TopLeft());
    const TRect local(0, 0, Display.Width(), Display.Height());
    G.SetPrevRect(local);
    int pages = 1;
    if (!G.FastPrint()) {
        pages = RunPages(G, pc, pmCountPreview, -1, SelOnly);
        G.SetPrintNrOfPages(pages);
    }
    int from = 1, to = pages;
    G.SetIsPrintPreview(true);
    if (G.OnPrintStart)
        G.OnPrintStart(&G, pages, from, to);
    if (from > 0 && to > 0 && to >= from) {
        G.SetPrevRect(local);
        Canvas.Save();
        Canvas.IntersectClipRect(Display);
        try {
            RunPages(G, pc, pmDrawPreview, pages, SelOnly);
        } catch (...) {
            Canvas.Restore();
            throw;
        }
        Canvas.Restore();
    }
}

}   // namespace

int PrintPages(TDazStringGrid &Grid, TPageCanvas &Canvas, TPrintMode Mode, int TotalPages,
               bool SelectedOnly)
{
    return RunPages(Grid, Canvas, Mode, TotalPages, SelectedOnly);
}

void Print(TDazStringGrid &Grid) { DoPrint(Grid, WholeGrid(Grid), false); }
void PrintSelection(TDazStringGrid &Grid) { DoPrint(Grid, Grid.Selection(), false); }
void PrintRect(TDazStringGrid &Grid, const TGridRect &Gridrect) { DoPrint(Grid, Gridrect, false); }
void PrintSelectedRows(TDazStringGrid &Grid) { DoPrint(Grid, WholeGrid(Grid), true); }
void PrintSelectedCols(TDazStringGrid &Grid) { DoPrint(Grid, WholeGrid(Grid), true); }

void PrintPreview(TDazStringGrid &Grid, TCanvas &Canvas, const TRect &Displayrect)
{
    DoPrintPreview(Grid, Canvas, Displayrect, WholeGrid(Grid), false);
}

void PrintPreviewRect(TDazStringGrid &Grid, TCanvas &Canvas, const TRect &Displayrect,
                      const TGridRect &Gridrect)
{
    DoPrintPreview(Grid, Canvas, Displayrect, Gridrect, false);
}

void PrintPreviewSelection(TDazStringGrid &Grid, TCanvas &Canvas, const TRect &Displayrect)
{
    DoPrintPreview(Grid, Canvas, Displayrect, Grid.Selection(), false);
}

void PrintPreviewSelectedRows(TDazStringGrid &Grid, TCanvas &Canvas, const TRect &Displayrect)
{
    DoPrintPreview(Grid, Canvas, Displayrect, WholeGrid(Grid), true);
}

void PrintPreviewSelectedCols(TDazStringGrid &Grid, TCanvas &Canvas, const TRect &Displayrect)
{
    DoPrintPreview(Grid, Canvas, Displayrect, WholeGrid(Grid), true);
}

void ShowPrintPreviewDialog(TDazStringGrid &Grid, QWidget *Parent)
{
    QPrintPreviewDialog dialog(Parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, [&Grid](QPrinter *p) {
        TQtPrinter printer(p);
        SetPrinter(&printer);
        try {
            Print(Grid);
        } catch (...) {
            SetPrinter(nullptr);
            throw;
        }
        SetPrinter(nullptr);
    });
    dialog.exec();
}

void PrintDraw(TDazStringGrid &Grid, TCanvas &Canvas, const TRect &DrawRect)
{
    PrintDrawRect(Grid, Canvas, DrawRect, WholeGrid(Grid));
}

void PrintDrawRect(TDazStringGrid &Grid, TCanvas &Canvas, const TRect &DrawRect,
                   const TGridRect &Gridrect)
{
    Grid.SetPrintRectangle(Gridrect);
    Grid.SetPrevRect(DrawRect);
    Grid.SetPrintPageFrom(1);
    Grid.SetPrintPageTo(1);
    Grid.SetPrintNrOfPages(1);
    Canvas.Save();
    Canvas.SetClipRect(DrawRect);
    TPageCanvas pc(Canvas, DeviceDpiX(Canvas), DeviceDpiY(Canvas), DrawRect.TopLeft());
    try {
        RunPages(Grid, pc, pmDrawPrint, 1, false);
    } catch (...) {
        Canvas.Restore();
        throw;
    }
    Canvas.Restore();
}

}   // namespace GridPrint
