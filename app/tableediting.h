#pragma once
// The row routines every rule editor shares: delete, insert, copy and paste one table row
// through the shared row clipboard, the column auto-size of a header double click and the
// Enter key that walks the table. Column 0 holds the row number and is never touched; the
// data columns are 1 to the last real column, hidden ones included.
//
// Text tables hold their check-box columns as "Y"/"N" cell texts; the _Check forms are for
// grids whose cells carry real check boxes and a read-only mark, and move those too.
// Rows are grid rows; a row outside the data rows is ignored.
#include <QChar>

class TDazStringGrid;

void Grid_Delete_Row(int ARow, TDazStringGrid &Grid);
// Rows from ARow move down one (the last row's content is lost); row ARow is emptied, with
// "Y" in column 1 when Enable is set.
void Grid_Insert_Row(int ARow, TDazStringGrid &Grid, bool Enable);
void Grid_Copy_Row(TDazStringGrid &Grid, int ARow);
// Do_Copy: the calling editor has copied a row. Refuses (texts 1102, 1101) without a copy or
// with a copy from a table of another width; asks (text 1100) before overwriting a row whose
// text cells are not all blank.
void Grid_Paste_Row(TDazStringGrid &Grid, int ARow, bool Do_Copy);

void Grid_Delete_Row_Check(int ARow, TDazStringGrid &Grid, bool Enable);
void Grid_Insert_Row_Check(int ARow, TDazStringGrid &Grid, bool Enable);
void Grid_Copy_Row_Check(TDazStringGrid &Grid, int ARow);
void Grid_Paste_Row_Check(TDazStringGrid &Grid, int ARow, bool Do_Copy);

// A double click on header cell (ACol, 0) sizes the column to its content when the option
// Opt_Double_Click_Auto_Size is on.
void Grid_Auto_Size_Column(TDazStringGrid &Grid, int ARow, int ACol);
// With Opt_Jump_Field_Tables on, Enter moves to the next cell (after the last column to
// column 1 of the next row, after the last row to row 1) and is consumed (Key := 0).
void Grid_Enter_Next_Cell(TDazStringGrid &Grid, QChar &Key);
