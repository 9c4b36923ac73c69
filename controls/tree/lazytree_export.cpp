// The string tree's contents as HTML, RTF, separated text, clipboard blocks and CSV files.
// Text is assembled in the append-only buffers; every export but the CSV file runs as a
// cancellable okExport operation. Cell texts come from one argument record per export run:
// a handler that assigns nothing repeats the previous cell's text.
#include "controls/tree/lazystringtree.h"

#include "controls/tree/lazytreebuffers.h"
#include "controls/tree/lazytreeformats.h"
#include "platform/files.h"
#include "platform/locale.h"
#include "platform/textcodec.h"

#include <QLocale>
#include <cmath>

using enum TLazyNodeState;
using enum TLSTTextSourceType;
using enum TLSTTextType;
using enum TLTExportType;
using enum TLTAlignment;
using enum TLTColumnOption;
using enum TLTPaintOption;
using enum TLTStringOption;

namespace {

const QString CRLF = QStringLiteral("\r\n");

QString HtmlColor(TColor Color)
{
    const TColor rgb = ColorToRGB(Color);
    return QStringLiteral("#%1%2%3")
        .arg(GetRValue(rgb), 2, 16, QLatin1Char('0'))
        .arg(GetGValue(rgb), 2, 16, QLatin1Char('0'))
        .arg(GetBValue(rgb), 2, 16, QLatin1Char('0'))
        .toUpper();
}

TLTAlignment Flipped(TLTAlignment A)
{
    return A == taLeftJustify ? taRightJustify : A == taRightJustify ? taLeftJustify : A;
}

QString HtmlAlign(TLTAlignment A)
{
    return A == taRightJustify ? QStringLiteral(" align=right")
           : A == taCenter     ? QStringLiteral(" align=center")
                               : QStringLiteral(" align=left");
}

QString FontFamily(const TFont &F)
{
    return F.Name.isEmpty() ? F.ToQFont().family() : F.Name;
}

// Points; a font is always given in points here, so the HTML never needs pixel sizes.
int FontSize(const TFont &F)
{
    return F.Size > 0 ? F.Size : TFont().Size;
}

QString HtmlFontStyle(const TFont &F, const QString &ClassName)
{
    QString s = ClassName.isEmpty() ? QStringLiteral(" style=\"{")
                                    : QStringLiteral(".") + ClassName + QStringLiteral("{");
    s += QStringLiteral("font-family: '%1'; ").arg(FontFamily(F));
    s += QStringLiteral("font-size: %1pt; ").arg(FontSize(F));
    s += QStringLiteral("font-style: %1; ").arg(F.Style & fsItalic ? "italic" : "normal");
    s += QStringLiteral("font-weight: %1; ").arg(F.Style & fsBold ? "bold" : "normal");
    s += QStringLiteral("text-decoration: %1; ").arg(F.Style & fsUnderline ? "underline" : "none");
    s += QStringLiteral("color: ") + HtmlColor(F.Color) + QStringLiteral(";}");
    if (ClassName.isEmpty())
        s += QLatin1Char('"');
    return s;
}

QString Quoted(const QString &Text)
{
    QString inner = Text;
    inner.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

// The CF_HTML wrapper; the offsets count bytes of the UTF-8 text.
QByteArray WrapClipboardHTML(const QByteArray &Fragment)
{
    static const QByteArray DocType =
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">";
    static const QByteArray Opening =
        "<html><head><META http-equiv=Content-Type content=\"text/html; charset=utf-8\"></head>"
        "<body><!--StartFragment-->";
    static const QByteArray Closing = "<!--EndFragment--></body></html>";
    auto line = [](const char *Name, qsizetype Value) {
        return QByteArray(Name) + QByteArray::number(Value).rightJustified(8, '0') + "\r\n";
    };
    const qsizetype headerSize = QByteArray("Version:1.0\r\n").size() + 10 + 8 + 8 + 8 + 14 + 8 +
                                 12 + 8 + 4 * 2;
    const qsizetype startFragment = headerSize + DocType.size() + Opening.size();
    const qsizetype endFragment = startFragment + Fragment.size();
    return QByteArray("Version:1.0\r\n") + line("StartHTML:", headerSize) +
           line("EndHTML:", endFragment + Closing.size()) + line("StartFragment:", startFragment) +
           line("EndFragment:", endFragment) + DocType + Opening + Fragment + Closing;
}

}   // namespace

// One export run over a string tree.
class TLSTExporter
{
public:
    TLSTExporter(TCustomLazyStringTree &Tree, TLSTTextSourceType Source, TLTExportType Type)
        : T(Tree), FSource(Source), FCanvas(Tree.MeasureCanvas())
    {
        FArgs.ExportType = Type;
        if (T.Header().UseColumns())
            FColumns = T.Header().Columns().GetVisibleColumns();
        FMainColumn = T.Header().MainColumn();
    }

    // Runs an export as the cancellable okExport operation; the end runs also after an error.
    template <typename F>
    static auto Operation(TCustomLazyStringTree &Tree, F Run)
    {
        Tree.BeginOperation(TLTOperationKind::okExport);
        try {
            auto result = Run();
            Tree.EndOperation(TLTOperationKind::okExport);
            return result;
        } catch (...) {
            Tree.EndOperation(TLTOperationKind::okExport);
            throw;
        }
    }

    QString HTML(const QString &Caption);
    QByteArray RTF();
    QString Text(const QString &Separator);
    void Custom();

private:
    PLazyNode First()
    {
        switch (FSource) {
        case tstInitialized: return T.GetFirstInitialized();
        case tstSelected: return T.GetFirstSelected();
        case tstCutCopySet: return T.GetFirstCutCopy();
        case tstVisible: return T.GetFirstVisible();
        case tstChecked: return T.GetFirstChecked(TCheckState::csCheckedNormal);
        default: return T.GetFirst();
        }
    }
    PLazyNode Next(PLazyNode Node)
    {
        switch (FSource) {
        case tstInitialized: return T.GetNextInitialized(Node);
        case tstSelected: return T.GetNextSelected(Node);
        case tstCutCopySet: return T.GetNextCutCopy(Node);
        case tstVisible: return T.GetNextVisible(Node);
        case tstChecked: return T.GetNextChecked(Node, TCheckState::csCheckedNormal);
        default: return T.GetNext(Node);
        }
    }
    bool Passes(PLazyNode Node)
    {
        switch (T.TreeOptions().ExportMode) {
        case TLTExportMode::emChecked: return Node->CheckState == TCheckState::csCheckedNormal;
        case TLTExportMode::emUnchecked: return Node->CheckState == TCheckState::csUncheckedNormal;
        case TLTExportMode::emVisibleDueToExpansion: {
            PLazyNode parent = T.NodeParent(Node);
            return !parent || T.Expanded(parent);
        }
        case TLTExportMode::emSelected: return Node->Has(vsSelected);
        default: return true;
        }
    }
    // Calls Visit for each source node while no cancel is asked for.
    template <typename F>
    void Walk(F Visit)
    {
        for (PLazyNode node = First(); node && !T.OperationCanceled(); node = Next(node))
            Visit(node);
    }
    uint32_t MaxLevel(bool Filtered)
    {
        uint32_t m = 0;
        Walk([&](PLazyNode Node) {
            if (!Filtered || Passes(Node))
                m = std::max(m, T.GetNodeLevel(Node));
        });
        return m;
    }
    bool BeforeNode(PLazyNode Node)
    {
        return !T.OnBeforeNodeExport || T.OnBeforeNodeExport(&T, FArgs.ExportType, Node);
    }
    void AfterNode(PLazyNode Node)
    {
        if (T.OnAfterNodeExport)
            T.OnAfterNodeExport(&T, FArgs.ExportType, Node);
    }
    void TreeEvent(const TLTTreeExportEvent &Event)
    {
        if (Event)
            Event(&T, FArgs.ExportType);
    }
    void ColumnEvent(const TLTColumnExportEvent &Event, TLazyTreeColumn *Column)
    {
        if (Event)
            Event(&T, FArgs.ExportType, Column);
    }
    void QueryCell(PLazyNode Node, TColumnIndex Column)
    {
        FArgs.Node = Node;
        FArgs.Column = Column;
        T.QueryCellText(FArgs);
    }
    QString CellWithStatic() const
    {
        if (!FArgs.StaticText.isEmpty() &&
            T.TreeOptions().StringOptions().Contains(toShowStaticText))
            return FArgs.CellText + QLatin1Char(' ') + FArgs.StaticText;
        return FArgs.CellText;
    }
    // The columns to walk: the visible ones, or the pseudo-column (nullptr).
    std::vector<TLazyTreeColumn *> Cells() const
    {
        if (FColumns.empty())
            return {nullptr};
        return FColumns;
    }
    TColumnIndex IndexOf(TLazyTreeColumn *Column) const { return Column ? Column->Index() : NoColumn; }
    bool IsMain(TLazyTreeColumn *Column) const { return IndexOf(Column) == FMainColumn || !Column; }
    TLTAlignment AlignmentOf(TLazyTreeColumn *Column) const
    {
        return Column ? Column->Alignment() : T.Alignment();
    }
    bool RightToLeft(TLazyTreeColumn *Column) const
    {
        return Column ? Column->UseRightToLeftReading() : T.UseRightToLeftReading();
    }
    // The canvas font after OnPaintText; true when the handler changed it.
    bool PaintTextFont(PLazyNode Node, TColumnIndex Column, TLSTTextType Type, bool Reset)
    {
        if (Reset)
            FCanvas.Font = TFont::FromQFont(T.font());
        const TFont before = FCanvas.Font;
        T.NotifyPaintText(&FCanvas, Node, Column, Type);
        return !(FCanvas.Font == before);
    }
    void RtfText(const QString &Text, const TFont &F);

    TCustomLazyStringTree &T;
    TLSTTextSourceType FSource;
    TCanvas &FCanvas;   // where OnPaintText may change the font
    TLSTGetCellTextEventArgs FArgs;
    std::vector<TLazyTreeColumn *> FColumns;
    TColumnIndex FMainColumn;
    // RTF state
    TBufferedRawByteString FRtf;
    QStringList FFonts;
    std::vector<TColor> FColors;
    int FCurrentFont = -1, FCurrentColor = -1, FCurrentSize = -1;
};

QString TLSTExporter::HTML(const QString &Caption)
{
    TBufferedString b;
    const QString padding = QStringLiteral("padding-left: %1px; padding-right: %1px;").arg(T.Margin());
    QString attributes = QStringLiteral(" ");
    if (!Caption.isEmpty())
        attributes += QStringLiteral("caption=\"") + Caption + QLatin1Char('"');
    if (T.BorderStyle() != TLTBorderStyle::bsNone)
        attributes += QStringLiteral(" border=\"%1\" frame=box").arg(T.BorderWidth() + 1);
    const QString lineStyle = T.LineStyle() == TLTLineStyle::lsSolid ? QStringLiteral("solid;")
                                                                     : QStringLiteral("dotted;");
    const TLTPaintOptions paint = T.TreeOptions().PaintOptions();

    b.Add(QStringLiteral("<META http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"));
    b.Add(QStringLiteral("<style type=\"text/css\">"));
    b.AddNewLine();
    b.Add(HtmlFontStyle(TFont::FromQFont(T.font()), QStringLiteral("default")));
    b.AddNewLine();
    b.Add(HtmlFontStyle(TFont::FromQFont(T.Header().Font()), QStringLiteral("header")));
    b.AddNewLine();
    if (paint.Contains(toShowHorzGridLines)) {
        b.Add(QStringLiteral(".noborder{"));
        b.Add(QStringLiteral(
            " border-bottom:1px; border-left: 0px; border-right: 0px; border-top: 1px;"));
        b.Add(QStringLiteral("border-style:"));
        b.Add(lineStyle);
    } else {
        b.Add(QStringLiteral(".noborder{border-style: none;"));
    }
    b.Add(padding);
    b.Add(QStringLiteral("}"));
    b.AddNewLine();
    b.Add(QStringLiteral(".normalborder {vertical-align: top; "));
    b.Add(paint.Contains(toShowVertGridLines) ? QStringLiteral("border-right: 1px; border-left: 1px; ")
                                              : QStringLiteral("border-right: none; border-left:none; "));
    b.Add(paint.Contains(toShowHorzGridLines) ? QStringLiteral("border-top: 1px; border-bottom: 1px; ")
                                              : QStringLiteral("border-top:none; border-bottom: none;"));
    b.Add(QStringLiteral("border-width: thin; border-style: "));
    b.Add(lineStyle);
    b.Add(padding);
    b.Add(QStringLiteral("}"));
    b.Add(QStringLiteral("</style>"));
    b.AddNewLine();
    b.Add(QStringLiteral("<table class=\"default\" style=\"border-collapse: collapse;\" bgcolor="));
    b.Add(HtmlColor(T.Color()));
    b.Add(attributes);
    b.Add(QStringLiteral(" cellspacing=\"0\">"));
    b.AddNewLine();

    const uint32_t maxLevel = MaxLevel(true);
    if (!FColumns.empty()) {
        TreeEvent(T.OnBeforeHeaderExport);
        b.Add(QStringLiteral("<tr class=\"header\" style=\"") + padding + QStringLiteral("\">"));
        b.AddNewLine();
        for (TLazyTreeColumn *column : FColumns) {
            ColumnEvent(T.OnBeforeColumnExport, column);
            b.Add(QStringLiteral("<th height=\"%1px\"").arg(T.Header().Height()));
            TLTAlignment align = column->CaptionAlignment();
            if (column->UseRightToLeftReading()) {
                align = Flipped(align);
                b.Add(QStringLiteral(" dir=\"rtl\""));
            }
            b.Add(HtmlAlign(align));
            if (IsMain(column) && maxLevel > 0)
                b.Add(QStringLiteral(" colspan=\"%1\"").arg(maxLevel + 1));
            b.Add(QStringLiteral(" bgcolor=") + HtmlColor(clBtnFace));
            b.Add(QStringLiteral(" width=\"%1px\">").arg(column->Width()));
            b.Add(column->Text());
            b.Add(QStringLiteral("</th>"));
            ColumnEvent(T.OnAfterColumnExport, column);
        }
        b.Add(QStringLiteral("</tr>"));
        b.AddNewLine();
        TreeEvent(T.OnAfterHeaderExport);
    }

    Walk([&](PLazyNode Node) {
        if (!Passes(Node) || !BeforeNode(Node))
            return;
        const uint32_t level = T.GetNodeLevel(Node);
        const QString height = QString::number(T.NodeHeight(Node));
        b.Add(QStringLiteral(" <tr class=\"default\">"));
        b.AddNewLine();
        for (TLazyTreeColumn *column : Cells()) {
            QueryCell(Node, IndexOf(column));
            const bool fontChanged = PaintTextFont(Node, IndexOf(column), ttNormal, true);
            const bool parentColor = !column || column->Options().Contains(coParentColor);
            if (IsMain(column))
                for (uint32_t i = 0; i < level; ++i) {
                    if (parentColor)
                        b.Add(i == 0 ? QStringLiteral(" <td height=\"") + height +
                                           QStringLiteral("px\" class=\"normalborder\">&nbsp;</td>")
                                     : QStringLiteral(" <td>&nbsp;</td>"));
                    else
                        b.Add(QStringLiteral("<td class=\"noborder\" width=\"%1\" height=\"%2px\"")
                                  .arg(T.Indent())
                                  .arg(height) +
                              QStringLiteral(" bgcolor=") + HtmlColor(column->Color()) +
                              QStringLiteral(">&nbsp;</td>"));
                }
            if (fontChanged)
                b.Add(QStringLiteral(" <td class=\"normalborder\" ") +
                      HtmlFontStyle(FCanvas.Font, QString()) +
                      QStringLiteral(" height=\"") + height);
            else
                b.Add(QStringLiteral(" <td class=\"normalborder\"  height=\"") + height);
            b.Add(QStringLiteral("px\""));
            TLTAlignment align = AlignmentOf(column);
            if (RightToLeft(column)) {
                align = Flipped(align);
                b.Add(QStringLiteral(" dir=\"rtl\""));
            }
            b.Add(HtmlAlign(align));
            if (IsMain(column) && maxLevel > 0 && level < maxLevel)
                b.Add(QStringLiteral(" colspan=\"%1\"").arg(maxLevel - level + 1));
            if (column && !column->Options().Contains(coParentColor))
                b.Add(QStringLiteral(" bgcolor=") + HtmlColor(column->Color()));
            b.Add(QStringLiteral(">") + CellWithStatic() + QStringLiteral("</td>"));
        }
        AfterNode(Node);
        b.Add(QStringLiteral(" </tr>"));
        b.AddNewLine();
    });
    b.Add(QStringLiteral("</table>"));
    return b.AsString();
}

void TLSTExporter::RtfText(const QString &Text, const TFont &F)
{
    if (Text.isEmpty())
        return;
    if (F.Style & fsUnderline)
        FRtf.Add("\\ul");
    if (F.Style & fsItalic)
        FRtf.Add("\\i");
    if (F.Style & fsBold)
        FRtf.Add("\\b");
    const QString family = FontFamily(F);
    int font = int(FFonts.indexOf(family));
    if (font < 0) {
        FFonts.append(family);
        font = int(FFonts.size()) - 1;
        FRtf.Add("\\f" + QByteArray::number(font));
    } else if (font != FCurrentFont) {
        FRtf.Add("\\f" + QByteArray::number(font));
    }
    FCurrentFont = font;
    const TColor rgb = ColorToRGB(F.Color);
    auto found = std::find(FColors.begin(), FColors.end(), rgb);
    int color = int(found - FColors.begin());
    if (found == FColors.end()) {
        FColors.push_back(rgb);
        FRtf.Add("\\cf" + QByteArray::number(color + 1));
    } else if (color != FCurrentColor) {
        FRtf.Add("\\cf" + QByteArray::number(color + 1));
    }
    FCurrentColor = color;
    const int size = FontSize(F);
    if (size != FCurrentSize) {
        FRtf.Add("\\fs" + QByteArray::number(2 * size));
        FCurrentSize = size;
    }
    QByteArray units = " ";
    for (QChar c : Text) {
        const char16_t u = c.unicode();
        if (u == 10)
            units += "{\\par}";
        else if (u != 13)
            units += "\\u" + QByteArray::number(int16_t(u)) + "\\'3f";
    }
    FRtf.Add(units);
    if (F.Style & fsUnderline)
        FRtf.Add("\\ul0");
    if (F.Style & fsItalic)
        FRtf.Add("\\i0");
    if (F.Style & fsBold)
        FRtf.Add("\\b0");
}

QByteArray TLSTExporter::RTF()
{
    FRtf.Add("\\uc1\\trowd\\trgaph70");
    const int ppi = T.logicalDpiX() > 0 ? T.logicalDpiX() : 96;
    auto twips = [ppi](int Pixels) {
        return QByteArray::number(int64_t(std::nearbyint(double(Pixels) * 1440.0 / ppi)));
    };
    if (!FColumns.empty()) {
        int right = 0;
        for (TLazyTreeColumn *column : FColumns) {
            right += column->Width();
            FRtf.Add("\\cellx" + twips(right));
        }
        TreeEvent(T.OnBeforeHeaderExport);
        FRtf.Add("\\pard\\intbl");
        for (TLazyTreeColumn *column : FColumns) {
            ColumnEvent(T.OnBeforeColumnExport, column);
            TLTAlignment align = column->CaptionAlignment();
            if (column->UseRightToLeftReading())
                align = Flipped(align);
            FRtf.Add(align == taRightJustify ? "\\qr" : align == taCenter ? "\\qc" : "\\ql");
            RtfText(column->Text(), TFont::FromQFont(T.Header().Font()));
            FRtf.Add("\\cell");
            ColumnEvent(T.OnAfterColumnExport, column);
        }
        FRtf.Add("\\row");
        TreeEvent(T.OnAfterHeaderExport);
    } else {
        FRtf.Add("\\cellx" + twips(T.ClientWidth()));
    }

    Walk([&](PLazyNode Node) {
        if (!Passes(Node) || !BeforeNode(Node))
            return;
        for (TLazyTreeColumn *column : Cells()) {
            QueryCell(Node, IndexOf(column));
            FRtf.Add("\\pard\\intbl");
            TLTAlignment align = AlignmentOf(column);
            if (RightToLeft(column))
                align = Flipped(align);
            if (align == taRightJustify)
                FRtf.Add("\\qr");
            else if (align == taCenter)
                FRtf.Add("\\qc");
            PaintTextFont(Node, IndexOf(column), ttNormal, true);
            const uint32_t level = T.GetNodeLevel(Node);
            if (IsMain(column) && level >= 1)
                FRtf.Add(QByteArray("\\tab").repeated(level) + " ");
            const QString cellText = FArgs.CellText, staticText = FArgs.StaticText;
            RtfText(cellText, FCanvas.Font);
            if (!staticText.isEmpty() && T.TreeOptions().StringOptions().Contains(toShowStaticText)) {
                PaintTextFont(Node, IndexOf(column), ttStatic, false);
                RtfText(QLatin1Char(' ') + staticText, FCanvas.Font);
            }
            FRtf.Add("\\cell");
        }
        FRtf.Add("\\row");
        FRtf.AddNewLine();
        AfterNode(Node);
    });
    FRtf.Add("\\pard\\par");

    TBufferedRawByteString result;
    result.Add("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1043{\\fonttbl");
    for (int i = 0; i < FFonts.size(); ++i)
        result.Add("{\\f" + QByteArray::number(i) + " " + Encode_Windows1252(FFonts[i]) + ";}");
    result.Add("}{\\colortbl;");
    for (TColor c : FColors)
        result.Add("\\red" + QByteArray::number(GetRValue(c)) + "\\green" +
                   QByteArray::number(GetGValue(c)) + "\\blue" + QByteArray::number(GetBValue(c)) +
                   ";");
    result.Add("}");
    result.Add(QLocale().measurementSystem() == QLocale::MetricSystem ? "\\paperw16840\\paperh11907"
                                                                      : "\\paperw15840\\paperh12240");
    result.Add("\\margl720\\margr720\\margt720\\margb720");
    result.Add(FRtf.AsString());
    result.Add("}");
    return result.AsString();
}

QString TLSTExporter::Text(const QString &Separator)
{
    TBufferedString b;
    const uint32_t maxLevel = MaxLevel(false);
    const QString indent = Separator.repeated(maxLevel);
    if (!FColumns.empty()) {
        for (TLazyTreeColumn *column : FColumns) {
            b.Add(column->Text());
            if (column != FColumns.back()) {
                if (IsMain(column))
                    b.Add(indent);
                b.Add(Separator);
            }
        }
        b.AddNewLine();
    }
    Walk([&](PLazyNode Node) {
        const uint32_t level = T.GetNodeLevel(Node);
        if (FColumns.empty()) {
            QueryCell(Node, NoColumn);
            b.Add(Separator.repeated(level));
            b.Add(FArgs.CellText);
            b.AddNewLine();
            return;
        }
        for (TLazyTreeColumn *column : FColumns) {
            QueryCell(Node, IndexOf(column));
            if (IsMain(column))
                b.Add(indent.left(level * Separator.size()));
            QString text = CellWithStatic();
            if (text.contains(Separator))
                text = Quoted(text);
            b.Add(text);
            if (IsMain(column))
                b.Add(indent.left((maxLevel - level) * Separator.size()));
            if (column != FColumns.back())
                b.Add(Separator);
        }
        b.AddNewLine();
    });
    return b.AsString();
}

void TLSTExporter::Custom()
{
    TreeEvent(T.OnBeforeTreeExport);
    if (!FColumns.empty() && T.Header().Options().Contains(TLTHeaderOption::hoVisible)) {
        TreeEvent(T.OnBeforeHeaderExport);
        for (TLazyTreeColumn *column : FColumns) {
            ColumnEvent(T.OnBeforeColumnExport, column);
            ColumnEvent(T.OnColumnExport, column);
            ColumnEvent(T.OnAfterColumnExport, column);
        }
        TreeEvent(T.OnAfterHeaderExport);
    }
    Walk([&](PLazyNode Node) {
        if (!Passes(Node))
            return;
        BeforeNode(Node);
        if (T.OnNodeExport)
            T.OnNodeExport(&T, FArgs.ExportType, Node);
        AfterNode(Node);
    });
    TreeEvent(T.OnAfterTreeExport);
}

// ---------------------------------------------------------------------------------------
// The tree's operations

QString TCustomLazyStringTree::ContentToHTML(TLSTTextSourceType Source, const QString &Caption)
{
    return TLSTExporter::Operation(*this, [&] { return TLSTExporter(*this, Source, etHTML).HTML(Caption); });
}

QByteArray TCustomLazyStringTree::ContentToRTF(TLSTTextSourceType Source)
{
    return TLSTExporter::Operation(*this, [&] { return TLSTExporter(*this, Source, etRTF).RTF(); });
}

QString TCustomLazyStringTree::ContentToText(TLSTTextSourceType Source, const QString &Separator)
{
    return TLSTExporter::Operation(*this,
                                   [&] { return TLSTExporter(*this, Source, etText).Text(Separator); });
}

QString TCustomLazyStringTree::ContentToText(TLSTTextSourceType Source, QChar Separator)
{
    return ContentToText(Source, QString(Separator));
}

QString TCustomLazyStringTree::ContentToUnicode(TLSTTextSourceType Source, QChar Separator)
{
    return ContentToText(Source, QString(Separator));
}

void TCustomLazyStringTree::ContentToCustom(TLSTTextSourceType Source)
{
    TLSTExporter::Operation(*this, [&] {
        TLSTExporter(*this, Source, etCustom).Custom();
        return 0;
    });
}

QByteArray TCustomLazyStringTree::ContentToClipboard(uint16_t Format, TLSTTextSourceType Source)
{
    const TLazyTreeFormatNumbers &formats = LazyTreeFormats();
    QByteArray block;
    if (Format == CF_TEXT) {
        block = Encode_Windows1252(ContentToText(Source, QChar(u'\t')));
    } else if (Format == CF_UNICODETEXT) {
        const QString text = ContentToText(Source, QChar(u'\t'));
        block.resize(text.size() * 2 + 2);
        for (qsizetype i = 0; i < text.size(); ++i) {
            block[2 * i] = char(text.at(i).unicode() & 0xFF);
            block[2 * i + 1] = char(text.at(i).unicode() >> 8);
        }
        block[block.size() - 2] = 0;
        block[block.size() - 1] = 0;
        return block;
    } else if (Format == formats.CSV) {
        const QChar listSeparator = DecimalSeparator() == QLatin1Char(',') ? QChar(u';') : QChar(u',');
        block = Encode_Windows1252(ContentToText(Source, listSeparator));
    } else if (Format == formats.RTF || Format == formats.RTFNoObjects) {
        block = ContentToRTF(Source);
    } else if (Format == formats.HTML) {
        block = WrapClipboardHTML(ContentToHTML(Source, QString()).toUtf8());
    } else {
        return QByteArray();
    }
    block.append('\0');
    return block;
}

bool TCustomLazyStringTree::SaveToCSVFile(const QString &FileNameWithPath, bool IncludeHeading)
{
    if (FileNameWithPath.isEmpty())
        return false;
    TLazyTreeColumns &columns = Header().Columns();
    QString text;
    auto addLine = [&](const QStringList &Cells) {
        text += Cells.join(QLatin1Char(',')) + CRLF;
    };
    if (IncludeHeading) {
        QStringList cells;
        for (TColumnIndex i = 0; i < columns.Count(); ++i)
            cells << Quoted(columns[i].Text());
        addLine(cells);
    }
    for (PLazyNode node = GetFirst(); node; node = GetNextSibling(node)) {
        QStringList cells;
        for (TColumnIndex i = 0; i < columns.Count(); ++i) {
            const QString cell = GetText(node, i);
            cells << Quoted(cell.isEmpty() ? QStringLiteral(" ") : cell);
        }
        addLine(cells);
    }
    Write_File_Atomic(FileNameWithPath, text.toUtf8());
    return true;
}
