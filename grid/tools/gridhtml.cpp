#include "grid/tools/gridhtml.h"

#include "grid/base/imagelist.h"
#include "grid/base/intlist.h"
#include "grid/base/markup.h"
#include "grid/base/textroutines.h"
#include "grid/string/bitmap.h"
#include "grid/string/cellgraphic.h"
#include "grid/tools/gridexchange.h"
#include "platform/color.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/textcodec.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QUrl>

namespace {

constexpr TColor Unset = TColor(0x7FFFFFFF);

class THtmlWriter
{
public:
    THtmlWriter(TDazStringGrid &G, const QString &Dir) : G(G), S(G.HTMLSettings()), Dir(Dir) {}
    QString Run();

private:
    QString ImageTag(const QImage &Image);
    QString StyleClass(int c, int r, bool Header, bool &Wrap);
    QString Linked(const QString &t) const;
    void Cell(int c, int r, bool Header);

    TDazStringGrid &G;
    THTMLSettings &S;
    QString Dir;
    QStringList Table;
    QStringList Styles;
    int ImageNo = 1;
    bool HeaderWritten = false;
    int fc = 0;
};

QString THtmlWriter::ImageTag(const QImage &Image)
{
    const QString folder = Dir + QStringLiteral("images");
    if (!Dir_Exists(folder) && !Force_Dir(folder))
        throw std::runtime_error(("Cannot create " + folder).toStdString());
    const QString path = folder + QStringLiteral("/img") + QString::number(ImageNo++) + QStringLiteral(".jpg");
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpg");
    QImage rgb = Image.convertToFormat(QImage::Format_RGB32);
    if (!writer.write(rgb))
        throw std::runtime_error(("Cannot write " + path + ": " + writer.errorString()).toStdString());
    Write_File_Atomic(path, bytes);
    return QStringLiteral("<img src= \"file://") + path + QStringLiteral("\">");
}

QString THtmlWriter::StyleClass(int c, int r, bool Header, bool &Wrap)
{
    TGridDrawState state;
    TBrush brush;
    brush.Color = Unset;
    TFont font;
    font.Color = Unset;
    font.Style = 0;
    TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    TCellGradientDirection gd{};
    Wrap = false;
    G.GetVisualProperties(c, r, state, false, false, true, brush, colorTo, mirror, mirrorTo, font, ha,
                          va, Wrap, gd);
    if (Header || G.IsFixed(c, r))
        brush.Color = G.FixedColor();

    QStringList parts;
    if (S.SaveColor() && brush.Color != Unset && brush.Color != clNone)
        parts << QStringLiteral("background-color: #") + ColorToHexRGB(ColorToRGB(brush.Color));
    if (S.SaveColor() && font.Color != Unset && font.Color != clNone)
        parts << QStringLiteral("color: #") + ColorToHexRGB(ColorToRGB(font.Color));
    const QFont qf = font.ToQFont();
    const int size = font.Size > 0 ? font.Size : qf.pointSize();
    parts << QStringLiteral("font-size:") + QString::number(size) + QStringLiteral("pt");
    if (font.Style & fsItalic)
        parts << QStringLiteral("font-style: italic");
    if (font.Style & fsBold)
        parts << QStringLiteral("font-weight: bold");
    parts << QStringLiteral("font-family: ") + (font.Name.isEmpty() ? qf.family() : font.Name);
    if (ha == taRightJustify)
        parts << QStringLiteral("text-align: right");
    else if (ha == taCenter)
        parts << QStringLiteral("text-align: center");
    parts << (va == vtaTop ? QStringLiteral("vertical-align: top")
              : va == vtaCenter ? QStringLiteral("vertical-align: middle")
                                : QStringLiteral("vertical-align: bottom"));
    const QString style = parts.join(u';');
    qsizetype k = Styles.indexOf(style);
    if (k < 0) {
        k = Styles.size();
        Styles << style;
    }
    return QString::number(k);
}

QString THtmlWriter::Linked(const QString &t) const
{
    if (!G.URLShow() || t.contains(QLatin1String("</")))
        return t;
    QString out = t;
    auto link = [&](const QString &Marker) {
        const qsizetype at = t.indexOf(Marker);
        if (at < 0)
            return;
        const QString label = G.URLFull() ? t : t.mid(at + Marker.size()).left(255);
        out = QStringLiteral("<a href=") + t + u'>' + label + QStringLiteral("</a>");
    };
    link(QStringLiteral("://"));
    link(QStringLiteral("mailto:"));
    return out;
}

void THtmlWriter::Cell(int c, int r, bool Header)
{
    const int rc = G.RealColIndex(c);
    QString t = TGridExchange::SaveCellText(G, rc, r);
    if (!Header) {
        if (S.ConvertSpecialChars())
            t = EncodeHtmlEntities(t, true);
        if (S.NonBreakingText())
            t = SpacesToNbsp(t);
    }
    t = Linked(CRToBrTags(t));

    QString span;
    const TPoint ext = G.CellSpan(c, r);
    if (ext.X > 0)
        span += QStringLiteral(" COLSPAN=\"%1\"").arg(ext.X + 1);
    if (ext.Y > 0)
        span += QStringLiteral(" ROWSPAN=\"%1\"").arg(ext.Y + 1);

    bool wrap = false;
    const QString cls = StyleClass(c, r, Header, wrap);
    QString width;
    if (Header) {
        if (c < S.ColWidths().Count())
            width = QStringLiteral(" WIDTH=") + QString::number(S.ColWidths().GetInteger(c));
    } else if (!HeaderWritten && c - fc < S.ColWidths().Count()) {
        width = QStringLiteral(" width=") + QString::number(S.ColWidths().GetInteger(c - fc));
    }
    if (Header ? t.isEmpty() : t.trimmed().isEmpty())
        t = QStringLiteral("&nbsp;");
    const QString nowrap = wrap ? QString() : QStringLiteral(" nowrap");
    const QString p = QStringLiteral("<TD class=\"c") + cls + u'"' + span + nowrap + width + u'>';
    const QString end = QStringLiteral("</td>");

    TCellGraphic *g = S.ExportImages() ? G.CellGraphics(rc, r) : nullptr;
    TCustomImageList *list = g ? G.GetCellImageList(rc, r) : nullptr;
    const int imageCount = G.GridImages() ? G.GridImages()->Count() : 0;
    auto validIndex = [&](int i) { return list && i >= 0 && i < imageCount; };
    QString cell = p + t + end;
    if (g) {
        auto graphicOf = [&]() -> const TGraphic * { return dynamic_cast<const TGraphic *>(g->CellBitmap); };
        switch (g->CellType) {
        case ctBitmap:
        case ctPicture:
        case ctInterface:
            if (const TGraphic *pic = graphicOf(); pic && !pic->Empty())
                cell = p + t + ImageTag(pic->Image()) + end;
            break;
        case ctImageList:
            if (validIndex(g->CellIndex))
                cell = p + ImageTag(list->GetImage(g->CellIndex)) + t + end;
            break;
        case ctDataImage: {
            bool ok = false;
            const int i = TGridExchange::SaveCellText(G, rc, r).toInt(&ok);
            cell = ok && validIndex(i) ? p + ImageTag(list->GetImage(i)) + end : p + end;
            break;
        }
        case ctNode:
            cell = p + u'+' + t + end;
            break;
        case ctImages:
            if (list) {
                QString tags;
                if (TIntList *l = G.CellImages(rc, r))
                    for (int k = 0; k < l->Count(); ++k)
                        if (validIndex(l->GetInteger(k)))
                            tags += ImageTag(list->GetImage(l->GetInteger(k)));
                cell = p + tags + t + end;
            }
            break;
        default:
            break;
        }
    }
    Table << cell;
}

QString THtmlWriter::Run()
{
    const bool all = G.SaveFixedCells();
    fc = all || G.SaveFixedCols() ? 0 : G.FixedCols();
    const int fr = all || G.SaveFixedRows() ? 0 : G.FixedRows();
    const QChar q = u'"';

    QString head;
    if (S.XHTML()) {
        head += QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
                               "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\"\r\n"
                               "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">\r\n"
                               "<html xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"en\" lang=\"en\">\r\n");
    }
    head += S.PrefixTag();

    QString t = QStringLiteral("<TABLE BORDER=") + q + QString::number(S.BorderSize()) + q +
                QStringLiteral(" CELLSPACING=") + q + QString::number(S.CellSpacing()) + q +
                QStringLiteral(" CELLPADDING=") + q + QString::number(S.CellPadding()) + q + u' ';
    if (!S.Summary().isEmpty())
        t += QStringLiteral("SUMMARY=") + q + S.Summary() + q + u' ';
    if (!S.TableStyle().isEmpty())
        t += u' ' + S.TableStyle() + u' ';
    t += QStringLiteral(" WIDTH=") + q + QString::number(S.Width()) + QStringLiteral("%") + q + u'>';
    Table << t;

    int first = fr;
    if (G.FixedRows() > 0 && (all || G.SaveFixedRows())) {
        Table << QStringLiteral("<TR>");
        for (int c = fc; c < G.ColCount(); ++c)
            if (G.IsBaseCell(c, 0))
                Cell(c, 0, true);
        Table << QStringLiteral("</TR>");
        HeaderWritten = true;
        first = 1;
    }

    TExportNotifier notify(G, first);
    for (int r = first; r < G.RowCount(); ++r) {
        notify.Row(r);
        Table << QStringLiteral("<TR>");
        for (int c = fc; c < G.ColCount(); ++c)
            if (G.IsBaseCell(c, r))
                Cell(c, r, false);
        Table << QStringLiteral("</TR>");
    }
    Table << QStringLiteral("</TABLE>");
    if (!S.SuffixTag().isEmpty())
        Table << S.SuffixTag();
    if (S.XHTML())
        Table << QStringLiteral("</HTML>");

    QString style = QStringLiteral("<style>\r\n");
    for (qsizetype i = 0; i < Styles.size(); ++i)
        style += QStringLiteral(".c") + QString::number(i) + QStringLiteral(" {") + Styles[i] + QStringLiteral("}\r\n");
    style += QStringLiteral("</style>\r\n");
    return head + style + JoinLines(Table);
}

void WriteHtml(TDazStringGrid &G, const QString &FileName, bool Show, bool Unicode, bool Append)
{
    QStringList lines;
    if (Append) {
        try {
            lines = ReadTextFile(FileName, true).Lines;
        } catch (const EFileError &) {
        }
    }
    const THTMLSettings &s = G.HTMLSettings();
    if (!s.HeaderFile().isEmpty())
        lines += Read_Text_Lines(s.HeaderFile());
    QString dir = QFileInfo(FileName).path();
    dir.replace(u'\\', u'/');
    if (!dir.endsWith(u'/'))
        dir += u'/';
    lines << GridHTML::SaveToHTMLString(G, dir);
    if (!s.FooterFile().isEmpty())
        lines += Read_Text_Lines(s.FooterFile());
    Write_File_Atomic(FileName, EncodeText(JoinLines(lines), Unicode ? TTextEncoding::Utf16LE : TTextEncoding::Ascii));
    if (Show || s.AutoPreview())
        Processes().OpenUrl(QUrl::fromLocalFile(QFileInfo(FileName).absoluteFilePath()).toString());
}

}   // namespace

namespace GridHTML {

QString SaveToHTMLString(TDazStringGrid &Grid, const QString &Dir)
{
    return THtmlWriter(Grid, Dir).Run();
}

void SaveToHTML(TDazStringGrid &Grid, const QString &FileName, bool Show, bool Unicode)
{
    WriteHtml(Grid, FileName, Show, Unicode, false);
}

void AppendToHTML(TDazStringGrid &Grid, const QString &FileName, bool Show, bool Unicode)
{
    WriteHtml(Grid, FileName, Show, Unicode, true);
}

}   // namespace GridHTML
