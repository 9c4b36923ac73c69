#pragma once
// What the text exchange formats (CSV, ASCII, fixed width, HTML, XML), the clipboard and
// the drops share: the grid's hooks they reach, the encodings of the files they write,
// the progress figure and the hourglass.
#include "grid/string/dazstringgrid.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class TGridExchange
{
public:
    static QString SaveCellText(TDazStringGrid &G, int ACol, int ARow)
    {
        return G.SaveCellText(ACol, ARow);
    }
    static void SetMaxRowCount(TDazStringGrid &G, int Value) { G.FMaxRowCount = Value; }
    static TGridRect &DropSelection(TDazStringGrid &G) { return G.FDropSelection; }
    static int &TimerTicks(TDazStringGrid &G) { return G.FTimerTicks; }
    static int &OleDragCol(TDazStringGrid &G) { return G.FOleDragCol; }
    static TFlagList &RowSelectList(TDazStringGrid &G) { return G.FRowSelectList; }
};

class TGridToolState;

enum class TTextEncoding { Ansi, Utf8Bom, Utf16LE, Utf16BE, Ascii };

// From the byte-order mark; Ansi (Windows-1252) without one.
TTextEncoding DetectTextEncoding(const QByteArray &Bytes);
// The text with the mark its encoding begins with. Ascii puts "?" for every character
// beyond 127, Ansi for every one Windows-1252 lacks.
QByteArray EncodeText(const QString &Text, TTextEncoding Encoding);
// Each line followed by CR LF, as a string list saves its lines.
QString JoinLines(const QStringList &Lines);
void AppendLine(QString &Out, const QString &Line);

// The existing file's lines and encoding for the Append... exports.
struct TTextFile
{
    QStringList Lines;
    TTextEncoding Encoding = TTextEncoding::Ansi;
};
// Missing is allowed: an empty list in Windows-1252. Otherwise EFileError when unreadable.
TTextFile ReadTextFile(const QString &FileName, bool MissingAllowed);

// A percentage told to OnFileProgress only when it changes.
class TProgressFigure
{
public:
    explicit TProgressFigure(TDazStringGrid &Grid);
    bool Wanted() const;
    void Report(double Percent);

private:
    TDazStringGrid &FGrid;
    TGridToolState &FState;   // found once: the lookup walks the grid's children
    int FLast = -1;
};

// The hourglass while a file is made or read; restored on every way out.
struct TExchangeHourglass
{
    TExchangeHourglass();
    ~TExchangeHourglass();
    TExchangeHourglass(const TExchangeHourglass &) = delete;
    TExchangeHourglass &operator=(const TExchangeHourglass &) = delete;
};

// The notifications of an export: start with the first row, one per row, done at the end
// (also when the export fails).
class TExportNotifier
{
public:
    TExportNotifier(TDazStringGrid &Grid, int FirstRow);
    ~TExportNotifier();
    void Row(int ARow) { FGrid.ExportNotification(esExportNextRow, ARow); }

private:
    TDazStringGrid &FGrid;
};
