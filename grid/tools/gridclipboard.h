#pragma once
// The grid and the clipboard (platform/clipboard.h). A copy puts tab-separated text on it
// always, the top-left cell's rich text with Navigation.AllowRTFClipboard and the binary
// cell stream with AllowFmtClipboard; a paste takes the cell stream when allowed and
// present, else one cell of rich text, else the text, cell by cell with events, growth and
// undo. The selection paste adds the smart fill: one value over the selection, series of
// dates, decimals and integers, and repeated blocks.
//
// Formats: text; "text/rtf" (Windows-1252); GridCellsClipboardFormat() (the cell stream's
// bytes); MimeClipboardHtml, the wrapped HTML export in Windows-1252, with the plain
// document also offered as "text/html".
#include "grid/tools/gridtoolstate.h"

#include <QString>

inline const QString MimeClipboardHtml = QStringLiteral("application/x-dazgrid-html-format");

namespace GridClipboard {

// The text layout: TAB between the cells of a row, CR LF after each row when there are
// several. Disjunct takes only the rows (columns) flagged by the disjunct selection.
QString GetRectAsText(TDazStringGrid &Grid, TGridRect Rect, bool Disjunct);
QString GetSelectionAsText(TDazStringGrid &Grid);
void CopyRectToClipboard(TDazStringGrid &Grid, TGridRect Rect, bool Disjunct);
void CopyRectAsCells(TDazStringGrid &Grid, TGridRect Rect);
// Only for a cell whose raw text is RTF.
void CopyCellAsRTF(TDazStringGrid &Grid, int ACol, int ARow);
void ExtendSelectionToMerges(TDazStringGrid &Grid);

void CopySelectionToClipboard(TDazStringGrid &Grid);
void CopyToClipBoard(TDazStringGrid &Grid);   // the save range
void CutSelectionToClipboard(TDazStringGrid &Grid);
void CutToClipboard(TDazStringGrid &Grid);
void CopyToClipBoardAsHTML(TDazStringGrid &Grid);

// Display column. Registers the change with the undo list; a check-box cell is checked
// exactly when Value is its check-true text.
void PasteCellValue(TDazStringGrid &Grid, int ACol, int ARow, const QString &Value);
// The number of cells handled; Rows and Cols receive the paste's extent.
int PasteFromClipboardAt(TDazStringGrid &Grid, int ACol, int ARow, int &Rows, int &Cols);
// The number of fields seen. Writes only inside the grid (after growth, as allowed).
int PasteText(TDazStringGrid &Grid, int ACol, int ARow, int &Rows, int &Cols, const QString &Text);
// X: the most fields in a line; Y: the lines ended by a CR less the empty ones.
TPoint GetClipboardTextSize(const QString &Text);
// Raw, from the selection's top-left cell, growing the grid; no checks, events or undo.
void SetSelectionAsText(TDazStringGrid &Grid, const QString &Value);
void PasteFromClipboard(TDazStringGrid &Grid);   // at the save range's start
void PasteSelectionFromClipboard(TDazStringGrid &Grid);

}   // namespace GridClipboard
