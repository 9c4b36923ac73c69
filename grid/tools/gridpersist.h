#pragma once
// What a string grid keeps of itself outside the form: the column layout as a one-line
// state string and as "Col"/"Pos" values in a key-value store, its look as a file of
// Name=Value lines, and its print settings in one INI section.
//
// The store behind ColumnSize.Location clRegistry is an INI file per Key in the folder of
// the program's settings store (platform/settings_store.h), named after the Key, with
// Section as its section; clIniFile uses the file Key itself.
#include <QString>

class TDazStringGrid;

namespace GridPersist {

// "count#widths#order#visibility", for example "3#64,80,100#0,1,2#1,1,1".
QString ColumnStatesToString(TDazStringGrid &Grid);
// A value without "#" is ignored. The whole value is checked before anything changes: a
// missing part, a list shorter than the column count, a non-number or an order that is no
// permutation of the columns raises EDazGridError.
void StringToColumnStates(TDazStringGrid &Grid, const QString &Value);

// Under ColumnSize.Key / Section; nothing happens while either is empty.
void SaveColSizes(TDazStringGrid &Grid);
void LoadColSizes(TDazStringGrid &Grid);
void SaveColPositions(TDazStringGrid &Grid);
// Applies a stored order only when it is a permutation of the columns.
void LoadColPositions(TDazStringGrid &Grid);
// The file the clRegistry store keeps Key in.
QString ColumnStoreFile(const QString &Key);

// "Cannot Create <file>" when the file cannot be written.
void SaveVisualProps(TDazStringGrid &Grid, const QString &FileName);
// "Cannot open file <file>" when it cannot be read. Every value is read and checked before
// any is applied: a missing or non-numeric integer line raises EConvertError and leaves
// the look as it was.
void LoadVisualProps(TDazStringGrid &Grid, const QString &FileName);

// Key is the INI file's name.
void SavePrintSettings(TDazStringGrid &Grid, const QString &Key, const QString &Section);
// Reads every key with its default and writes the file back (creating it when missing).
void LoadPrintSettings(TDazStringGrid &Grid, const QString &Key, const QString &Section);

}   // namespace GridPersist
