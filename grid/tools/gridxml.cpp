#include "grid/tools/gridxml.h"

#include "grid/tools/gridexchange.h"
#include "platform/files.h"
#include "platform/textcodec.h"
#include "platform/xml.h"

#include <QStringList>

namespace {

QString Escaped(QString t)
{
    t.replace(u'&', QLatin1String("&amp;"));
    t.replace(u'>', QLatin1String("&gt;"));
    t.replace(u'<', QLatin1String("&lt;"));
    t.replace(u'"', QLatin1String("&quot;"));
    return t;
}

class TXmlReader
{
public:
    TXmlReader(TDazStringGrid &G, bool LevelToRow, bool LoadFieldDescr)
        : G(G), LevelToRow(LevelToRow), LoadFieldDescr(LoadFieldDescr),
          Names(G.SaveFixedCells() || G.SaveFixedRows())
    {
        co = G.SaveStartCol();
        ro = Names && !LoadFieldDescr ? 0 : G.FixedRows();
        mc = co;
        mr = ro;
    }

    void Run(const TXmlNode &Root)
    {
        const std::vector<TXmlNode> records = Root.ChildNodes();
        for (size_t i = 0; i < records.size(); ++i) {
            cx = 0;
            level = 1;
            if (LevelToRow && i == 0 && records[i].Attributes().empty())
                ry = -1;
            Read(records[i]);
            if (!LevelToRow)
                ++ry;
        }
        G.SetColCount(mc + 1);
        G.SetRowCount(mr + 1);
        G.UpdateFooter();
    }

private:
    int Col() const { return co + cx; }
    int Row() const { return ro + ry; }
    bool Inside() const { return Col() >= 0 && Row() >= 0; }

    void MakeRoom()
    {
        if (!Inside())
            return;
        if (G.ColCount() <= Col())
            G.SetColCount(Col() + 1);
        if (G.RowCount() <= Row())
            G.SetRowCount(Row() + 1);
    }

    void Store(const QString &Text, bool Track)
    {
        if (Inside()) {
            G.LoadCellText(Col(), Row(), Text);
            if (Track) {
                mc = std::max(mc, Col());
                mr = std::max(mr, Row());
            }
        }
        ++cx;
    }

    void Name(const QString &Text)
    {
        if (Inside() && Names && G.Cells(Col(), 0).isEmpty())
            G.LoadCellText(Col(), 0, Text);
    }

    void Read(const TXmlNode &N)
    {
        bool started = false;
        if (N.IsElement()) {
            const auto attributes = N.Attributes();
            for (const auto &[name, value] : attributes) {
                MakeRoom();
                Name(name);
                Store(value, true);
            }
            if (LevelToRow && !attributes.empty()) {
                ++ry;
                cx = level;
                started = true;
            }
        }
        const std::vector<TXmlNode> children = N.ChildNodes();
        if (children.size() > 1) {
            if (LevelToRow && !started) {
                ++ry;
                cx = 0;
            }
            ++level;
            for (const TXmlNode &c : children)
                Read(c);
        } else if (children.size() == 1) {
            MakeRoom();
            if (LoadFieldDescr)
                Name(N.Name());
            QString t = N.TextContent();
            if (G.QuoteEmptyCells() && t == QLatin1String("\"\""))
                t.clear();
            Store(t, true);
        } else {
            MakeRoom();
            Store(QString(), false);
        }
    }

    TDazStringGrid &G;
    bool LevelToRow, LoadFieldDescr, Names;
    int co = 0, ro = 0, cx = 0, ry = 0, level = 1, mc = 0, mr = 0;
};

}   // namespace

namespace GridXML {

void SaveToXML(TDazStringGrid &Grid, const QString &FileName, const QString &ListDescr,
               const QString &RecordDescr, const QStringList *FieldDescr, bool ExportEmptyCells)
{
    QString out;
    AppendLine(out, QStringLiteral("<?xml version=\"1.0\" encoding=\"") + Grid.XMLEncoding() +
                        QStringLiteral("\" ?>"));
    AppendLine(out, u'<' + ListDescr + u'>');
    const bool hidden = Grid.SaveHiddenCells();
    const int h = hidden ? Grid.NumHiddenColumns() : 0;
    const int c0 = Grid.SaveStartCol(), c1 = Grid.SaveEndCol() + h;
    const int r0 = Grid.SaveStartRow(), r1 = Grid.SaveEndRow();
    QStringList names;
    for (int i = c0; i <= c1; ++i) {
        const int p = i - c0;
        names << (FieldDescr && p < FieldDescr->size() ? FieldDescr->at(p)
                                                       : QStringLiteral("FIELD") + QString::number(p));
    }
    const QString recordStart = u'<' + RecordDescr + u'>';
    const QString recordEnd = QStringLiteral("</") + RecordDescr + u'>';
    TProgressFigure progress(Grid);
    TExportNotifier notify(Grid, r0);
    for (int r = r0; r <= r1; ++r) {
        notify.Row(r);
        AppendLine(out, recordStart);
        for (int i = c0; i <= c1; ++i) {
            const int c = hidden ? i : Grid.RealColIndex(i);
            if (!Grid.IsBaseCell(c, r))
                continue;
            QString t = TGridExchange::SaveCellText(Grid, c, r);
            if (t.isEmpty() && !ExportEmptyCells)
                continue;
            if (t.isEmpty() && Grid.QuoteEmptyCells())
                t = QStringLiteral("\"\"");
            const QString &name = names[i - c0];
            AppendLine(out, u'<' + name + u'>' + Escaped(t) + QStringLiteral("</") + name + u'>');
        }
        AppendLine(out, recordEnd);
        if (progress.Wanted())
            progress.Report(double(r) * 100 / std::max(1, r1 - r0));
    }
    AppendLine(out, QStringLiteral("</") + ListDescr + u'>');
    try {
        Write_File_Atomic(FileName, Encode_Windows1252(out));
    } catch (const EFileError &) {
        throw EDazGridError(("Cannot Create file " + FileName).toStdString());
    }
}

void LoadFromXML(TDazStringGrid &Grid, const QString &FileName, bool LevelToRow, bool LoadFieldDescr)
{
    if (!File_Exists(FileName))
        throw std::runtime_error("XML file not found");
    TXmlDocument doc;
    try {
        doc.LoadFromFile(FileName);
    } catch (const EXmlParseError &e) {
        throw std::runtime_error(QStringLiteral("XMLDOM Parsing error %1 on line %2")
                                     .arg(e.Code)
                                     .arg(e.Line)
                                     .toStdString());
    }
    TXmlReader(Grid, LevelToRow, LoadFieldDescr).Run(doc.DocumentElement());
}

}   // namespace GridXML
