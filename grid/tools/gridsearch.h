#pragma once
// Text search over the cells of a string grid: Find with its sixteen option flags, FindNext
// continuing from the last hit, Replace, the key search Search that the grid's typing runs
// over a sorted column, and the handlers of the search bar under the grid.
//
// A find walks one cell after another from the start cell to the end of its range (no
// wrap-around). A cell whose displayed text is its stored text (no display hook, no cell
// record) is read from the store without a copy, and an ASCII cell is compared without
// upper-casing when an ASCII search text allows it, so a find that hits nothing costs about
// one substring search per cell.
#include "platform/canvas.h"

#include <QString>
#include <cstdint>

class TDazStringGrid;

enum TFindParameters : uint16_t {
    fnMatchCase = 0x0001,             // with letter case (else both sides upper-cased)
    fnMatchFull = 0x0002,             // the whole text equals the search text
    fnMatchRegular = 0x0004,          // the search text is a filter condition
    fnDirectionLeftRight = 0x0008,    // row by row (else column by column)
    fnMatchStart = 0x0010,            // the search text starts the cell text
    fnFindInCurrentRow = 0x0020,
    fnFindInCurrentCol = 0x0040,
    fnIncludeFixed = 0x0080,
    fnAutoGoto = 0x0100,              // the hit becomes the current cell
    fnIgnoreHTMLTags = 0x0200,
    fnBackward = 0x0400,
    fnIncludeHiddenColumns = 0x0800,  // columns are real indexes
    fnFindInPresetCol = 0x1000,       // only column FindCol
    fnFindInPresetRow = 0x2000,       // only row FindRow
    fnSelectedCells = 0x4000,
    fnIncludeHiddenRows = 0x8000,     // rows are real indexes
};
using TFindParams = uint16_t;

namespace GridSearch {

// The next cell after StartCell that matches s, (-1, -1) when none; StartCell (-1, -1)
// starts at the first cell of the range (the last one with fnBackward).
TPoint Find(TDazStringGrid &Grid, TPoint StartCell, const QString &s, TFindParams FindParams);
// The same without the view adjustment of fnAutoGoto (the grid's texts are wide already).
TPoint FindWide(TDazStringGrid &Grid, TPoint StartCell, const QString &s, TFindParams FindParams);
// Find from (-1, -1); the hit is remembered for FindNext.
TPoint FindFirst(TDazStringGrid &Grid, const QString &s, TFindParams FindParams);
// Find from the last hit with the last search text and options.
TPoint FindNext(TDazStringGrid &Grid);
// Replaces OrigStr by NewStr in every matching cell (in the same letter case only with
// fnMatchCase); the number of cells changed.
int Replace(TDazStringGrid &Grid, const QString &OrigStr, const QString &NewStr,
            TFindParams FindParams);
// Key search: the first row whose text in the sort column starts with s (upper case), -1
// when none or when the grid has fewer than two rows.
int Search(TDazStringGrid &Grid, const QString &s);

// The grid's state of the last find.
TPoint SearchCell(TDazStringGrid &Grid);
void SetSearchCell(TDazStringGrid &Grid, TPoint Value);
TFindParams FindParams(TDazStringGrid &Grid);
bool FindBusy(TDazStringGrid &Grid);
// The column and row of fnFindInPresetCol and fnFindInPresetRow.
int FindCol(TDazStringGrid &Grid);
void SetFindCol(TDazStringGrid &Grid, int Value);
int FindRow(TDazStringGrid &Grid);
void SetFindRow(TDazStringGrid &Grid, int Value);

// The search bar's handlers: its text changed, find next and previous, the highlight
// button, the close button.
void SearchFooterEditChange(TDazStringGrid &Grid);
void SearchFooterFindNext(TDazStringGrid &Grid);
void SearchFooterFindPrevious(TDazStringGrid &Grid);
void SearchFooterHighlight(TDazStringGrid &Grid);
void SearchFooterClose(TDazStringGrid &Grid);

}   // namespace GridSearch
