#include "grid/tools/gridcsv.h"

#include "grid/base/textroutines.h"
#include "grid/tools/gridexchange.h"
#include "grid/tools/gridoutput.h"
#include "platform/atomicfile.h"
#include "platform/files.h"
#include "platform/textcodec.h"

#include <QFileInfo>
#include <QIODevice>
#include <QScopeGuard>
#include <algorithm>
#include <vector>

namespace {

constexpr QChar Quote = u'"';
constexpr char16_t Candidates[10] = {u',', u';', u'#', u'\t', u'|', u'@', u'*', u'-', u'+', u'&'};

QChar SaveDelimiter(TDazStringGrid &G)
{
    return G.Delimiter().isNull() ? QChar(u',') : G.Delimiter();
}

// A text without the delimiter, quotes or line breaks goes out as it is: most cells.
bool IsPlainText(QStringView t, QChar d)
{
    if (t.isEmpty())
        return false;
    for (QChar ch : t)
        if (ch == d || ch == u'"' || ch == u'\r')
            return false;
    return true;
}

bool IsPlainField(TDazStringGrid &G, QStringView t, QChar d)
{
    return !G.AlwaysQuotes() && !G.OemConvert() && IsPlainText(t, d);
}

// One cell as the export writes it; a changed text is kept in Hold.
QStringView CsvField(TDazStringGrid &G, QStringView Text, QChar d, QString &Hold)
{
    if (IsPlainField(G, Text, d))
        return Text;
    QString &t = Hold;
    t = DoubleQuoteChars(Text.toString());
    if (G.OemConvert())
        StrToOem(t);
    bool quoted = false;
    if (G.AlwaysQuotes() || (!t.contains(d) && t.contains(Quote))) {
        t = Quote + t + Quote;
        quoted = true;
    }
    if (t.isEmpty()) {
        if (G.JavaCSV())
            t = QStringLiteral("^");
        else if (G.QuoteEmptyCells())
            t = QStringLiteral("\"\"");
    }
    if (t.contains(d) || t.contains(u'\r')) {
        if (G.JavaCSV()) {
            LineBreaksToTilde(t);
            // Unquoted, a delimiter in the text would split the cell when read back.
            if (!quoted && t.contains(d))
                t = Quote + t + Quote;
        } else if (!quoted)
            QuoteWithVTBreaks(t);
        else
            // A bare line break inside quotes would split the record when read back.
            t.replace(QLatin1String("\r\n"), QString(QChar(11)));
    }
    return t;
}

// The rows of the save range, each piece of text handed to Out as it is made.
template <typename TEmit>
void WriteCsv(TDazStringGrid &G, TEmit &&Out)
{
    const QChar d = SaveDelimiter(G);
    const int h = G.SaveHiddenCells() ? G.NumHiddenColumns() : 0;
    const int c0 = G.SaveStartCol(), c1 = G.SaveEndCol() + h;
    const int r0 = G.SaveStartRow(), r1 = G.SaveEndRow();
    TSavedCellTexts texts(G);
    QString hold;
    TProgressFigure progress(G);
    TExportNotifier notify(G, r0);
    // The store column of each saved column, and whether a text may go out as it is.
    std::vector<int> cols;
    for (int i = c0; i <= c1; ++i)
        cols.push_back(G.SaveHiddenCells() ? i : G.RealColIndex(i));
    const bool plainAllowed = !G.AlwaysQuotes() && !G.OemConvert();
    for (int r = r0; r <= r1; ++r) {
        notify.Row(r);
        for (size_t k = 0; k < cols.size(); ++k) {
            if (k > 0)
                Out(QStringView(&d, 1));
            const QStringView t = texts.Text(cols[k], r);
            Out(plainAllowed && IsPlainText(t, d) ? t : CsvField(G, t, d, hold));
        }
        Out(QStringView(u"\r\n"));
        if (progress.Wanted())
            progress.Report(double(r) * 100 / std::max(1, G.RowCount() - 1));
    }
}

QString BuildCsv(TDazStringGrid &G)
{
    QString out;
    WriteCsv(G, [&](QStringView Piece) {
        if (out.capacity() - out.size() < Piece.size())
            out.reserve(std::max(2 * out.capacity(), out.size() + Piece.size() + 64));
        out += Piece;
    });
    return out;
}

void TrimLeadingSpaces(QString &S)
{
    qsizetype n = 0;
    while (S.size() - n > 1 && S[n] == u' ')
        ++n;
    if (n)
        S.remove(0, n);
}

bool HasBreakCodes(QStringView Field)
{
    return Field.contains(QChar(11)) || Field.contains(u'~') || Field == QLatin1String("^");
}

QString ConvertBreaks(TDazStringGrid &G, QString Field)
{
    if (!HasBreakCodes(Field))
        return Field;
    if (G.JavaCSV())
        TildeToLineBreaks(Field);
    else
        VTToCRLF(Field);
    return Field;
}

// Decode_Text, with a file of plain ASCII (most CSV files) widened in one pass.
QString DecodeCsvBytes(const QByteArray &Bytes)
{
    const unsigned char *p = reinterpret_cast<const unsigned char *>(Bytes.constData());
    const qsizetype n = Bytes.size();
    unsigned char any = 0;
    for (qsizetype i = 0; i < n; ++i)
        any |= p[i];
    if (any < 0x80)
        return QString::fromLatin1(Bytes.constData(), Bytes.size());
    return Decode_Text(Bytes);
}

class TCsvReader
{
public:
    TCsvReader(TDazStringGrid &G, QChar D) : G(G), d(D), h(G.SaveHiddenCells() ? G.NumHiddenColumns() : 0) {}

    // Stores the fields of one line in row r.
    void ReadLine(QStringView Line, int r)
    {
        int c = G.SaveStartCol();
        const QChar blankField[2] = {d, u' '};
        if (!d.isNull() && Line.size() > 0 && Line[0] != u' ' && !Line.contains(Quote) &&
            !Line.contains(QStringView(blankField, 2))) {
            // No quotes and no field starting with a blank: plain splitting gives the same
            // fields.
            qsizetype from = 0, p;
            while ((p = Line.indexOf(d, from)) >= 0) {
                StoreField(c++, r, Line.mid(from, p - from));
                from = p + 1;
            }
            if (from < Line.size())
                StoreField(c, r, Line.mid(from));
            return;
        }
        QString rest = Line.toString();
        if (!d.isNull()) {
            qsizetype p;
            while ((p = rest.indexOf(d)) >= 0) {
                TrimLeadingSpaces(rest);
                QString field;
                if (rest.startsWith(Quote)) {
                    rest.remove(0, 1);
                    int closing = 0;
                    FindOddCharRun(Quote, rest, closing);
                    if (closing > 0) {
                        field = UndoubleChar(Quote, rest.left(closing - 1));
                        rest.remove(0, closing);
                    }
                    // Text between the closing quote and the next delimiter is dropped.
                    p = rest.indexOf(d);
                    if (p < 0) {
                        rest.clear();
                        p = -1;
                    }
                } else {
                    p = rest.indexOf(d);
                    field = rest.left(p);
                }
                Store(c, r, ConvertBreaks(G, field));
                rest.remove(0, p + 1);
                ++c;
            }
        }
        if (!rest.isEmpty()) {
            TrimLeadingSpaces(rest);
            if (rest.startsWith(Quote)) {
                rest.remove(0, 1);
                if (rest.endsWith(Quote))
                    rest.chop(1);
            }
            Store(c, r, ConvertBreaks(G, UndoubleChar(Quote, rest)));
        }
    }

private:
    // A field without break codes goes to the cell through one reused string.
    void StoreField(int c, int r, QStringView Field)
    {
        if (HasBreakCodes(Field)) {
            Store(c, r, ConvertBreaks(G, Field.toString()));
            return;
        }
        FHold.resize(Field.size());
        std::copy(Field.begin(), Field.end(), FHold.data());
        Store(c, r, FHold);
    }

    void Store(int c, int r, const QString &Text)
    {
        if (c + 1 > h + G.ColCount())
            G.SetColCount(c + 1 - h);
        G.LoadCellText(c, r, Text);
    }

    TDazStringGrid &G;
    QChar d;
    int h;
    QString FHold;
};

void Import(TDazStringGrid &G, const QString &Text, int MaxRows, bool Insert)
{
    const std::vector<QStringView> lines = Split_Line_Views(Text);
    if (lines.empty())
        throw std::runtime_error("File is empty");

    const bool footer = G.FloatingFooter().Visible();
    QStringList footerRow;
    int r = G.SaveStartRow();
    if (Insert) {
        r = G.RowCount();
        if (footer && G.RowCount() > 0) {
            const int last = G.RowCount() - 1;
            for (int c = 0; c < G.ColCount(); ++c)
                footerRow << G.Cells(c, last);
            G.ResetRow(last);
            r = last;
        }
    }

    const QChar oldDelimiter = G.Delimiter();
    auto restore = qScopeGuard([&] { G.SetDelimiter(oldDelimiter); });
    QChar d = oldDelimiter;
    if (d.isNull()) {
        d = GridCSV::GuessDelimiter(lines[0].toString(), lines.size() > 1 ? lines[1].toString() : QString());
        G.SetDelimiter(d);
    }

    TProgressFigure progress(G);
    const qsizetype first = G.LoadFirstRow() ? 0 : 1;
    const qsizetype total = qsizetype(lines.size()) - first;
    if (progress.Wanted()) {
        if (Insert)
            G.SetRowCount(G.RowCount() + int(lines.size()));
        else
            G.SetRowCount(r + int(total) + G.FixedFooters());
    }

    TCsvReader reader(G, d);
    int read = 0;
    QString converted;
    for (qsizetype k = first; k < qsizetype(lines.size()) && (MaxRows <= 0 || read < MaxRows); ++k) {
        QStringView line = lines[size_t(k)];
        if (G.OemConvert()) {
            converted = line.toString();
            OemToStr(converted);
            line = converted;
        }
        if (r >= G.RowCount() - G.FixedFooters())
            G.SetRowCount(r + 1000);
        reader.ReadLine(line, r);
        ++r;
        ++read;
        if (progress.Wanted() && total > 0)
            progress.Report(double(read) * 100 / double(total));
    }

    G.SetRowCount(r + G.FixedFooters());
    TGridExchange::SetMaxRowCount(G, G.RowCount());
    if (footer && G.RowCount() > 0) {
        const int last = G.RowCount() - 1;
        G.ResetRow(last);
        for (int c = 0; c < footerRow.size() && c < G.ColCount(); ++c)
            G.LoadCellText(c, last, footerRow[c]);
    }
    restore.dismiss();
    G.SetDelimiter(oldDelimiter);
    G.CellsChanged(TRect(0, 0, G.ColCount(), G.RowCount()));
    G.UpdateFooter();
}

void ImportFile(TDazStringGrid &G, const QString &FileName, int MaxRows, bool Insert)
{
    const QByteArray bytes = Read_File(FileName);
    if (bytes.isEmpty())
        return;
    Import(G, DecodeCsvBytes(bytes), MaxRows, Insert);
}

}   // namespace

namespace GridCSV {

QChar GuessDelimiter(const QString &Line1, const QString &Line2)
{
    QChar best;
    int bestCount = 0;
    for (const char16_t ch : Candidates) {
        const int n = CountOddCharRuns(ch, Line1);
        if (n > bestCount && n == CountOddCharRuns(ch, Line2)) {
            best = ch;
            bestCount = n;
        }
    }
    if (!best.isNull())
        return best;
    for (const char16_t ch : Candidates) {
        const int n = CountChar(ch, Line1);
        if (n > bestCount && n == CountChar(ch, Line2)) {
            best = ch;
            bestCount = n;
        }
    }
    if (!best.isNull())
        return best;
    for (const char16_t ch : Candidates) {
        const int n1 = CountChar(ch, Line1), n2 = CountChar(ch, Line2);
        if (n1 > bestCount || n2 > bestCount) {
            best = ch;
            bestCount = std::max(n1, n2);
        }
    }
    return best;
}

QString SaveToCSVString(TDazStringGrid &Grid) { return BuildCsv(Grid); }

void SaveToCSV(TDazStringGrid &Grid, const QString &FileName, bool Unicode)
{
    TAtomicFile file(FileName);
    TTextOut out(Unicode ? TTextEncoding::Utf8Bom : TTextEncoding::Ansi, file);
    if (Unicode)
        out.Bytes("\xEF\xBB\xBF", 3);
    WriteCsv(Grid, [&](QStringView Piece) { out.Text(Piece); });
    out.Commit();
}

void AppendToCSV(TDazStringGrid &Grid, const QString &FileName, bool Unicode)
{
    const TTextFile old = ReadTextFile(FileName, false);
    const QString text = JoinLines(old.Lines) + BuildCsv(Grid);
    Write_File_Atomic(FileName, EncodeText(text, Unicode ? TTextEncoding::Utf8Bom : old.Encoding));
}

void LoadFromCSV(TDazStringGrid &Grid, const QString &FileName, int MaxRows)
{
    ImportFile(Grid, FileName, MaxRows, false);
}

void InsertFromCSV(TDazStringGrid &Grid, const QString &FileName, int MaxRows)
{
    ImportFile(Grid, FileName, MaxRows, true);
}

void LoadFromCSVStream(TDazStringGrid &Grid, QIODevice &Stream, int MaxRows)
{
    Import(Grid, Decode_Text(Stream.readAll()), MaxRows, false);
}

void LoadFromCSVText(TDazStringGrid &Grid, const QString &Text, int MaxRows)
{
    Import(Grid, Text, MaxRows, false);
}

}   // namespace GridCSV
