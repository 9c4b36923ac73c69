#pragma once
// Exchange of grid contents with office programs by automation (platform/automation.h):
// spreadsheet import and export, a table in a word-processor document, and a database
// query. Where no such program can be reached the spreadsheet and word-processor calls
// raise their "OLE server not found" errors and the database import "Database access is
// not available on this system"; the grid is left unchanged.
#include <QString>
#include <QStringList>

class TDazStringGrid;

namespace GridOffice {

// Spreadsheet column 1 is "A", 26 "Z", 27 "AA", 53 "BA".
QString XLSColumnName(int Column);

QStringList GetXLSSheets(TDazStringGrid &Grid, const QString &FileName);
void LoadFromXLS(TDazStringGrid &Grid, const QString &FileName);
// EDazGridError "Excel worksheet <name> not found" when the workbook has no such sheet.
void LoadFromXLSSheet(TDazStringGrid &Grid, const QString &FileName, const QString &SheetName);
void SaveToXLS(TDazStringGrid &Grid, const QString &FileName, bool CreateNewSheet);
void SaveToXLSSheet(TDazStringGrid &Grid, const QString &FileName, const QString &SheetName);
void SaveToDOC(TDazStringGrid &Grid, const QString &FileName, bool CreateNewDocument);
void AppendToDoc(TDazStringGrid &Grid, const QString &FileName, const QString &Bookmark);
void LoadFromMDBSQL(TDazStringGrid &Grid, const QString &FileName, const QString &SQL);
void LoadFromMDBTable(TDazStringGrid &Grid, const QString &FileName, const QString &Table);

}   // namespace GridOffice
