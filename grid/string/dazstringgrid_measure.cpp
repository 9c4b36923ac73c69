// TDazStringGrid: the displayed text of a cell, the size that text needs, and the small
// hooks that fire events for loading, fixed-cell editing, selection changes, automatic row
// insertion and deletion and filtering.
#include "grid/string/dazstringgrid.h"

#include "grid/base/imagelist.h"
#include "grid/base/markup.h"
#include "grid/base/markuprender.h"
#include "grid/base/textroutines.h"
#include "grid/string/richcellpaint.h"
#include "grid/string/richtext.h"
#include "platform/rtl.h"

#include <QFontMetrics>
#include <QHash>
#include <array>
#include <cmath>

// Text extents measured with a font, kept by font and text: auto-sizing and hints measure
// the same texts over and over.
struct TDazStringGrid::TExtentCache
{
    struct TFontEntry
    {
        QFontMetrics Metrics;
        QHash<QString, int> Widths;
        QFontMetricsF MetricsF;
        std::array<int, 256> CharWidths64;   // advances in 1/64 pixel, -1: not measured yet
    };
    QHash<QString, std::shared_ptr<TFontEntry>> Fonts;
    TFont LastFont;
    TFontEntry *Last = nullptr;

    TFontEntry &For(const TFont &Font)
    {
        if (Last && Font.Name == LastFont.Name && Font.Size == LastFont.Size &&
            Font.Style == LastFont.Style)
            return *Last;
        const QString key = Font.Name + u'|' + QString::number(Font.Size) + u'|' +
                            QString::number(Font.Style);
        auto it = Fonts.find(key);
        if (it == Fonts.end()) {
            if (Fonts.size() > 64) {
                Fonts.clear();
                Last = nullptr;
            }
            const QFont f = Font.ToQFont();
            auto entry = std::make_shared<TFontEntry>(
                TFontEntry{QFontMetrics(f), {}, QFontMetricsF(f), {}});
            entry->CharWidths64.fill(-1);
            it = Fonts.insert(key, entry);
        }
        LastFont = Font;
        Last = it->get();
        return *Last;
    }
    int Width(const TFont &Font, const QString &Text)
    {
        TFontEntry &e = For(Font);
        auto it = e.Widths.constFind(Text);
        if (it != e.Widths.constEnd())
            return *it;
        if (e.Widths.size() > 20000)
            e.Widths.clear();
        const int w = e.Metrics.horizontalAdvance(Text);
        e.Widths.insert(Text, w);
        return w;
    }
    int Height(const TFont &Font) { return For(Font).Metrics.height(); }
    // The characters' own advances summed and rounded as the text layout sums them; -1
    // for a text beyond Latin-1. Kerning in the fonts the grid uses only narrows a pair,
    // so this bounds the shaped width from above (and equals it without kerning).
    int CharSum(const TFont &Font, const QString &Text)
    {
        TFontEntry &e = For(Font);
        int64_t sum = 0;
        for (const QChar ch : Text) {
            const ushort u = ch.unicode();
            if (u > 0xFF)
                return -1;
            int &w = e.CharWidths64[u];
            if (w < 0)
                w = int(std::lround(e.MetricsF.horizontalAdvance(ch) * 64));
            sum += w;
        }
        return int((sum + 32) >> 6);
    }
};

int TDazStringGrid::TextWidthBound(int ACol, int ARow)
{
    // Only a plain cell drawn in the grid's font qualifies: no record, no colour event, no
    // float format, not fixed, one line.
    if (OnGetCellColor || OnGetFloatFormat || FActiveCellShow || URLShow() || ZoomFactor() != 0 ||
        ARow < FixedRows() || (HasCellProps() && HasCellProperties(ACol, ARow)))
        return -1;
    const QString text = GetCellEx(ACol, ARow);
    if (text.isEmpty())
        return 0;
    const QChar first = text.at(0);
    if (first == u'<' || first == u'{' || first == u'=' || first == u'|' ||
        (Multilinecells() && text.contains(u'\r')) || text.contains(u'<') || text.contains(u'&'))
        return -1;
    if (!FExtentCache)
        FExtentCache = std::make_shared<TExtentCache>();
    const int sum = FExtentCache->CharSum(Font().Value(), text);
    return sum;
}

int TDazStringGrid::TextExtentWidth(const TFont &Font, const QString &Text)
{
    if (!FExtentCache)
        FExtentCache = std::make_shared<TExtentCache>();
    return FExtentCache->Width(Font, Text);
}

QString TDazStringGrid::GetFormattedCell(int ACol, int ARow)
{
    QString text = GetCellEx(ACol, ARow);
    if (!OnGetFloatFormat)
        return text;
    const int kind = DetectNumberKind(text);
    if (kind != 0 && kind != 1 && kind != 5)
        return text;
    bool isFloat = true;
    QString format = FloatFormat();
    OnGetFloatFormat(this, ACol, ARow, isFloat, format);
    if (!isFloat || format.isEmpty())
        return text;
    try {
        if (format.contains(u'd')) {
            const int v = Ints(ACol, ARow);
            return Format(format, {v});
        }
        const double v = Floats(ACol, ARow);
        // The format comes from the application: a mismatched one raises, never reads stray arguments.
        return Format(format, {v});
    } catch (const std::exception &) {
        return text;
    }
}

void TDazStringGrid::GetCellTextSize(int ACol, int ARow, TPoint &Size, bool ReserveRight,
                                     bool WrapToWidth)
{
    CalcCellTextSize(ACol, DisplColIndex(ACol), Size, ReserveRight, WrapToWidth, ARow);
}

TPoint TDazStringGrid::CellTextSize(int ACol, int ARow)
{
    TPoint size;
    GetCellTextSize(ACol, ARow, size, false, false);
    return size;
}

void TDazStringGrid::CalcCellTextSize(int ACol, int DCol, TPoint &Size, bool ReserveRight,
                                      bool WrapToWidth, int ARow)
{
    if (!FExtentCache)
        FExtentCache = std::make_shared<TExtentCache>();
    QString text = GetFormattedCell(ACol, ARow);
    int kind = ClassifyCellText(text, EnableHTML());

    TBrush brush;
    TFont font;
    TGridDrawState state;
    GetFontProperties(DCol, ACol, false, brush, font, state, ARow);
    if ((DCol < FixedCols() || ARow < FixedRows()) && FActiveCellShow &&
        (FActiveCellFont.Style() & fsBold))
        font.Style |= fsBold;
    if (ZoomFactor() != 0)
        font.Size = FontPointSize(font) + ZoomFactor();
    if (kind == ctFormula) {
        text = GetCellRawText(ACol, ARow);
        kind = ClassifyCellText(text, EnableHTML());
    }
    if (kind == ctWideText) {
        text = DecodeWideCellText(text);
        kind = ctPlain;
    }

    const TPoint cell = HasCellProps() ? CellSize(DCol, ARow)
                                       : TPoint(ColWidths(DCol), RowHeights(ARow));
    TRect r(0, 0, cell.X, cell.Y);
    if (FXYOffsetTopLeftOnly) {
        r.Left += FXYOffset.X;
        r.Top += FXYOffset.Y;
    } else {
        InflateRect(r, -FXYOffset.X, -FXYOffset.Y);
    }
    if (ReserveRight)
        r.Right -= 17;

    int angle = 0;
    const bool rotated = IsRotated(ACol, ARow, angle);
    int w = 0, h = 0;
    if (kind == ctMarkup) {
        r.Bottom = 65535;
        if (!WrapToWidth)
            r.Right = 65535;
        QImage scratch(1, 1, QImage::Format_RGB32);
        TCanvas canvas(&scratch);
        canvas.Font = font;
        THtmlRenderParams params;
        params.Images = GetCellImageList(ACol, ARow);
        params.MeasureOnly = true;
        params.AnchorColor = URLColor();
        params.ShadowColor = 0x808080;
        params.WordWrap = WrapToWidth;
        params.PictureCache = &FImageCache;
        params.Container = PictureContainer();
        THtmlRenderResult result;
        RenderHtmlText(canvas, text, r, params, result);
        Size = TPoint(result.ExtentX + 2, result.ExtentY + 2);
        return;
    }
    if (kind == ctRichText && IsRtfText(text)) {
        const QSize s = RichCellTextSize(text, font, WrapToWidth ? r.Width() : -1);
        Size = TPoint(s.width(), s.height() + 4);
        return;
    }
    if (WrapToWidth) {
        InflateRect(r, -2, -2);
        if (InplaceEditor() && InplaceEditor()->isVisible() && ACol == RealCol() &&
            ARow == Row() && text.endsWith(u'\n'))
            text += u'w';
        QImage scratch(1, 1, QImage::Format_RGB32);
        TCanvas canvas(&scratch);
        canvas.Font = font;
        TRect calc = r;
        canvas.DrawText(text, calc,
                        DT_CALCRECT | DT_EXPANDTABS | DT_NOPREFIX | 0x2000 |
                            (rotated ? DT_SINGLELINE : DT_WORDBREAK));
        h = calc.Height();
        w = r.Width();
    } else {
        const QStringList lines =
            Multilinecells() ? text.split(u'\r') : QStringList{text};
        for (QString line : lines) {
            if (line.startsWith(u'\n'))
                line.remove(0, 1);
            if (URLShow() && !URLFull() && IsUrlText(line))
                StripUrlScheme(line);
            w = std::max(w, FExtentCache->Width(font, line));
        }
        h = FExtentCache->Height(font) * int(lines.size());
    }
    if (rotated) {
        const double a = angle * M_PI / 180.0;
        const double s = std::sin(a), c = std::cos(a);
        const int nw = std::abs(std::abs(int(std::lround(h * s))) -
                                std::abs(int(std::lround(w * c)))) + 12;
        const int nh = std::abs(std::abs(int(std::lround(h * c))) -
                                std::abs(int(std::lround(w * s)))) + 12;
        w = nw;
        h = nh;
    }
    Size = TPoint(w, h);
}

QString TDazStringGrid::SaveCellText(int ACol, int ARow)
{
    QString text = FSaveVirtCells ? GetFormattedCell(ACol, ARow) : GetGridCell(ACol, ARow);
    if (text.isEmpty()) {
        // A check box's state is saved as its check text.
        const TCellType t = GetCellType(ACol, ARow);
        const int realRow = RealRowIndex(ARow);
        bool checked = false;
        bool known = false;
        if (t == ctCheckBox) {
            known = GetCheckBoxState(ACol, realRow, checked);
        } else if (t == ctTriStateCheckBox) {
            TCheckBoxState state = cbUnchecked;
            known = GetCheckBoxState(ACol, realRow, state);
            checked = state == cbChecked;
        }
        if (known) {
            if (checked)
                GetCheckTrue(ACol, ARow, text);
            else
                GetCheckFalse(ACol, ARow, text);
        }
    }
    const int kind = ClassifyCellText(text, true);
    if (kind == ctMarkup && !FSaveWithHTML)
        text = HtmlToPlainText(text);
    else if (kind == ctRichText && FSaveWithRTF)
        text.remove(u'\r').remove(u'\n');
    if (OnSaveCell)
        OnSaveCell(this, ACol, ARow, text);
    return text;
}

void TDazStringGrid::LoadCellText(int ACol, int ARow, const QString &Value)
{
    QString v = Value;
    if (OnLoadCell)
        OnLoadCell(this, ACol, ARow, v);
    SetGridCell(ACol, ARow, v);
}

TGridFixedCellEditor TDazStringGrid::DoFixedEdit(int ACol, int ARow, TStringList &Values)
{
    TGridFixedCellEditor editor = fceEdit;
    if (OnFixedEdit)
        OnFixedEdit(this, ACol, ARow, editor, Values);
    return editor;
}

void TDazStringGrid::DoSelectionChanged(int ALeft, int ATop, int ARight, int ABottom)
{
    if (FLook == glVista || FLook == glWin7 || FLook == glOffice2007)
        RepaintRect(Selection());
    FSelectionChangedFlag = true;
    if (OnSelectionChanged)
        OnSelectionChanged(this, ALeft, ATop, ARight, ABottom);
}

void TDazStringGrid::DoAutoInsertRow(int ARow)
{
    // A row inside a node's group is a child row: the spans of the nodes above grow.
    const int parent = ARow < RowCount() ? GetParentRow(ARow) : -1;
    if (parent >= 0 && parent != ARow)
        InsertChildRow(RealRowIndex(ARow), 0);
    else
        InsertRows(ARow, 1);
}

void TDazStringGrid::DoAutoDeleteRow(int ARow)
{
    // A node row or a row of a group goes through the node code, which keeps the spans.
    if (GetParentRow(ARow) >= 0)
        RemoveChildRow(RealRowIndex(ARow));
    else if (RowCount() - FixedRows() - FFixedFooters == 1 && !FFixedRowAlways)
        ClearRows(ARow, 1);
    else
        RemoveRows(ARow, 1);
    if (OnAutoDeleteRow)
        OnAutoDeleteRow(this, ARow);
}

void TDazStringGrid::DoFilterDone()
{
    if (OnFilterDone)
        OnFilterDone(this);
}
