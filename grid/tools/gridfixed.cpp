#include "grid/tools/gridfixed.h"

#include "grid/base/intlist.h"
#include "grid/base/textroutines.h"
#include "grid/tools/gridexchange.h"
#include "platform/files.h"
#include "platform/textcodec.h"

#include <algorithm>
#include <vector>

namespace {

QString Align(const QString &Piece, TAlignment A, int Width)
{
    QString s = Piece;
    if (A == taRightJustify) {
        if (s.size() < Width)
            s.prepend(QString(Width - s.size(), u' '));
    } else if (A == taCenter) {
        while (s.size() < Width)
            s = u' ' + s + u' ';
    }
    return s;
}

QString BuildAscii(TDazStringGrid &G)
{
    const bool hidden = G.SaveHiddenCells();
    const int h = hidden ? G.NumHiddenColumns() : 0;
    const bool all = G.SaveFixedCells();
    const int fc = all || G.SaveFixedCols() ? 0 : G.FixedCols();
    const int fr = all || G.SaveFixedRows() ? 0 : G.FixedRows();
    const int lastCol = G.ColCount() + h - 1;

    // Display index -> data column, and each data column's width.
    std::vector<int> cols, widths;
    for (int i = fc; i <= lastCol; ++i) {
        const int c = hidden ? i : G.RealColIndex(i);
        cols.push_back(c);
        widths.push_back(G.MaxColLineLength(c));
    }

    QString out;
    QString main;
    QStringList more;
    TExportNotifier notify(G, fr);
    for (int r = fr; r < G.RowCount(); ++r) {
        notify.Row(r);
        main.clear();
        more.clear();
        for (size_t k = 0; k < cols.size(); ++k) {
            const int c = cols[k], w = widths[k];
            QString t = TGridExchange::SaveCellText(G, c, r);
            TAlignment a = taLeftJustify;
            TVAlignment va = vtaTop;
            G.GetCellAlignment(c, r, a, va);
            QString first = t;
            const qsizetype br = t.indexOf(QLatin1String("\r\n"));
            if (br >= 0) {
                first = t.left(br);
                if (G.Multilinecells()) {
                    const QStringList pieces = t.mid(br + 2).split(QLatin1String("\r\n"));
                    for (qsizetype j = 0; j < pieces.size(); ++j) {
                        if (j >= more.size())
                            more << QString();
                        QString &line = more[j];
                        if (line.size() < main.size())
                            line += QString(main.size() - line.size(), u' ');
                        line += Align(pieces[j], a, w);
                    }
                }
            }
            const QString aligned = Align(first, a, w);
            main += aligned;
            if (aligned.size() <= w)
                main += QString(w - aligned.size() + 1, u' ');
        }
        AppendLine(out, main);
        for (const QString &l : more)
            AppendLine(out, l);
    }
    return out;
}

void WriteAscii(TDazStringGrid &G, const QString &FileName, bool Unicode, bool Append)
{
    TExchangeHourglass hourglass;
    const TTextFile old = Append ? ReadTextFile(FileName, true) : TTextFile();
    const QString text = JoinLines(old.Lines) + BuildAscii(G);
    Write_File_Atomic(FileName, EncodeText(text, Unicode ? TTextEncoding::Utf16LE : old.Encoding));
}

QString TrimControls(const QString &S)
{
    qsizetype a = 0, b = S.size();
    while (a < b && S[a].unicode() <= u' ')
        ++a;
    while (b > a && S[b - 1].unicode() <= u' ')
        --b;
    return S.mid(a, b - a);
}

}   // namespace

namespace GridFixed {

QString SaveToASCIIString(TDazStringGrid &Grid) { return BuildAscii(Grid); }

void SaveToASCII(TDazStringGrid &Grid, const QString &FileName, bool Unicode)
{
    WriteAscii(Grid, FileName, Unicode, false);
}

void AppendToASCII(TDazStringGrid &Grid, const QString &FileName, bool Unicode)
{
    WriteAscii(Grid, FileName, Unicode, true);
}

void SaveToFixed(TDazStringGrid &Grid, const QString &FileName, TIntList &Widths)
{
    const bool hidden = Grid.SaveHiddenCells();
    const int h = hidden ? Grid.NumHiddenColumns() : 0;
    const int c0 = Grid.SaveStartCol(), c1 = Grid.SaveEndCol() + h;
    for (int v = c0; v <= c1; ++v)
        if (Widths.Count() <= v - c0)
            Widths.Add(Grid.MaxColLineLength(v) + 1);

    QString out;
    QString line;
    TExportNotifier notify(Grid, Grid.SaveStartRow());
    for (int r = Grid.SaveStartRow(); r <= Grid.SaveEndRow(); ++r) {
        notify.Row(r);
        line.clear();
        for (int v = c0; v <= c1; ++v) {
            const int c = hidden ? v : Grid.RealColIndex(v);
            const int w = std::max(0, Widths.GetInteger(v - c0));
            const QString t = TGridExchange::SaveCellText(Grid, c, r);
            line += t.size() >= w ? t.left(w) : t + QString(w - t.size(), u' ');
        }
        AppendLine(out, line);
    }
    try {
        Write_File_Atomic(FileName, Encode_Windows1252(out));
    } catch (const EFileError &) {
        throw EDazGridError(("Cannot Create file " + FileName).toStdString());
    }
}

void LoadFromFixed(TDazStringGrid &Grid, const QString &FileName, TIntList &Positions, bool DoTrim,
                   int MaxRows)
{
    if (Positions.Count() < 2)
        throw EDazGridError("At least two field positions are needed");
    QStringList lines;
    try {
        lines = Split_Lines(Decode_Text(Read_File(FileName)));
    } catch (const EFileError &) {
        throw EDazGridError(("File " + FileName + " not found").toStdString());
    }
    const int n = Positions.Count();
    Grid.SetColCount(Grid.FixedCols() + n - 1);
    std::vector<int> p;
    for (int k = 0; k < n; ++k)
        p.push_back(Positions.GetInteger(k));
    std::sort(p.begin(), p.end());
    for (int k = 0; k < n; ++k)
        Positions.SetInteger(k, p[size_t(k)]);

    int r = Grid.SaveStartRow(), read = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines[i];
        if (r >= Grid.RowCount())
            Grid.SetRowCount(r + 1);
        for (int k = 0; k + 1 < n; ++k) {
            const int from = std::max(1, p[size_t(k)]);
            const int len = std::max(0, p[size_t(k) + 1] - from);
            QString field = line.mid(from - 1, len);
            if (DoTrim)
                field = TrimControls(field);
            Grid.LoadCellText(Grid.SaveStartCol() + k, r, field);
        }
        ++read;
        if (MaxRows != -1 && read >= MaxRows)
            break;
        if (r + 1 >= Grid.RowCount() && i + 1 < lines.size())
            Grid.SetRowCount(r + 2);
        ++r;
    }
    Grid.CellsChanged(TRect(0, 0, Grid.ColCount(), Grid.RowCount()));
    Grid.UpdateFooter();
}

}   // namespace GridFixed
