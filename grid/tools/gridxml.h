#pragma once
// Flat XML documents of the grid's cells: a list element holding one record element per
// row and one field element per cell, written by hand in the ANSI code page with
// XMLEncoding in the declaration; read back (or any document) by walking its element
// tree, attributes and leaf elements becoming cells and records rows.
#include <QString>

#include <QStringList>
class TDazStringGrid;

namespace GridXML {

// Field names from FieldDescr by position in the save range, "FIELDn" past its end (or
// without one). Empty cells only with ExportEmptyCells; cells covered by a merge never.
// "Cannot Create file <name>" (EDazGridError) when the file cannot be written.
void SaveToXML(TDazStringGrid &Grid, const QString &FileName, const QString &ListDescr,
               const QString &RecordDescr, const QStringList *FieldDescr, bool ExportEmptyCells);
// "XML file not found", or "XMLDOM Parsing error <code> on line <line>" for a damaged
// document; the grid is unchanged by both. LevelToRow starts a row at every element with
// attributes and every group; LoadFieldDescr puts the element names into row 0.
void LoadFromXML(TDazStringGrid &Grid, const QString &FileName, bool LevelToRow = false,
                 bool LoadFieldDescr = false);

}   // namespace GridXML
