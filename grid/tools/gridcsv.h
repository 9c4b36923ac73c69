#pragma once
// Delimited text files of the grid's cells. The export writes one line per row of the save
// range, quoting where needed and folding a cell's line breaks onto its line (character 11
// in the standard dialect, "~" with JavaCSV, which also marks empty cells with "^"). The
// import guesses the delimiter when Delimiter is #0 (for that import only), parses quoted
// and unquoted fields and grows the grid as it goes.
#include <QString>

class QIODevice;
class TDazStringGrid;

namespace GridCSV {

// Windows-1252 unless Unicode (UTF-8 with byte-order mark).
void SaveToCSV(TDazStringGrid &Grid, const QString &FileName, bool Unicode);
// Appends to the existing file (EFileError when it cannot be read), keeping its encoding
// unless Unicode.
void AppendToCSV(TDazStringGrid &Grid, const QString &FileName, bool Unicode);
// The CSV text SaveToCSV writes.
QString SaveToCSVString(TDazStringGrid &Grid);

// From SaveStartRow on; MaxRows <= 0 reads every line. A zero-size file is ignored; one
// holding no line raises "File is empty".
void LoadFromCSV(TDazStringGrid &Grid, const QString &FileName, int MaxRows = 0);
// After the grid's rows (the floating footer's row stays last).
void InsertFromCSV(TDazStringGrid &Grid, const QString &FileName, int MaxRows = 0);
// The stream's remaining content.
void LoadFromCSVStream(TDazStringGrid &Grid, QIODevice &Stream, int MaxRows = 0);
// Already decoded text.
void LoadFromCSVText(TDazStringGrid &Grid, const QString &Text, int MaxRows = 0);

// The delimiter the import picks for these first two lines; #0 when none qualifies.
QChar GuessDelimiter(const QString &Line1, const QString &Line2);

}   // namespace GridCSV
