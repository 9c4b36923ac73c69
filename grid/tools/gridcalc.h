#pragma once
// Figures over a stretch of a column or a row of a string grid: sum, average, extremes,
// population standard deviation, distinct texts and the two event figures. None changes
// the grid. A -1 for either bound of the column forms (but the event ones) means every
// normal row.
class TDazStringGrid;

namespace GridCalc {

// Node and summary rows are left out while the grid is grouped, cells that read no number
// and covered cells of merges always. A range past the shown rows counts real rows.
double ColumnSum(TDazStringGrid &Grid, int ACol, int FromRow, int ToRow);
// ColumnSum over the number of rows of the range (every row counts there); 0 for none.
double ColumnAvg(TDazStringGrid &Grid, int ACol, int FromRow, int ToRow);
// Start from the first row's value, which must read as a number ("Cell does not contain a
// float value" otherwise).
double ColumnMin(TDazStringGrid &Grid, int ACol, int FromRow, int ToRow);
double ColumnMax(TDazStringGrid &Grid, int ACol, int FromRow, int ToRow);
// Every row of the range must read as a number; 0 for an empty range.
double ColumnStdDev(TDazStringGrid &Grid, int ACol, int FromRow, int ToRow);
// Displayed texts without regard to letter case; an empty text is one value.
double ColumnDistinct(TDazStringGrid &Grid, int ACol, int FromRow, int ToRow);
// The handler's value (OnColumnCalc / OnGroupCalc), the bounds passed on as given; 0
// without one.
double ColumnCustomCalc(TDazStringGrid &Grid, int ACol, int FromRow, int ToRow);
double DoGroupCalc(TDazStringGrid &Grid, int ACol, int FromRow, int ToRow);

// Columns fromCol..toCol of ARow; covered cells and cells that read no number are skipped.
double RowSum(TDazStringGrid &Grid, int ARow, int fromCol, int toCol);
double RowAvg(TDazStringGrid &Grid, int ARow, int fromCol, int toCol);   // 0 for no column
double RowMin(TDazStringGrid &Grid, int ARow, int fromCol, int toCol);
double RowMax(TDazStringGrid &Grid, int ARow, int fromCol, int toCol);

}   // namespace GridCalc
