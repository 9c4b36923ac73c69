#pragma once
// Plain-text layouts with columns aligned by blanks: the ASCII table (each column as wide
// as its longest line, texts aligned as the grid aligns them, further lines of a cell on
// continuation lines under its column) and fixed-width records exchanged through
// caller-given widths (export) or start positions (import).
#include <QString>

class TDazStringGrid;
class TIntList;

namespace GridFixed {

// Windows-1252 unless Unicode (UTF-16 LE with byte-order mark). Footer rows included.
void SaveToASCII(TDazStringGrid &Grid, const QString &FileName, bool Unicode);
// Appends to the file when it exists, keeping its encoding unless Unicode.
void AppendToASCII(TDazStringGrid &Grid, const QString &FileName, bool Unicode);
// The lines of the ASCII table.
QString SaveToASCIIString(TDazStringGrid &Grid);

// Widths: one per column of the save range; missing ones are appended to the caller's
// list as the column's longest line + 1. "Cannot Create file <name>" on failure.
void SaveToFixed(TDazStringGrid &Grid, const QString &FileName, TIntList &Widths);
// Positions: 1-based starts of the fields, the last one closing the last field; sorted in
// place. MaxRows -1 reads all lines, any other value stops after that many (at least one).
// Fewer than two positions, or "File <name> not found", raise EDazGridError with the grid
// unchanged.
void LoadFromFixed(TDazStringGrid &Grid, const QString &FileName, TIntList &Positions,
                   bool DoTrim = true, int MaxRows = -1);

}   // namespace GridFixed
