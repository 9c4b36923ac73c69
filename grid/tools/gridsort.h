#pragma once
// Sorting the rows of a string grid: by one column (QSort), by the multi-column index
// SortIndexes (QSortIndexed), inside the node groups (QSortGroup, QSortGroupIndexed), and
// back to the order recorded in the row cross-reference (QUnSort).
//
// One quicksort serves them all: it copies the pivot row into a scratch row below the grid
// (three rows are added for the sort's duration), compares rows with CompareCells and
// exchanges them with the grid's SortSwapRows, which swaps row storage, so a sort costs
// its comparisons and O(1) per exchange. It recurses into the smaller part and loops over
// the larger, so its stack stays O(log n) whatever the order of the rows.
//
// Cell texts are read straight from the store while reading them through the display
// hooks would give the same text (no display event, no URL or group-count text, no
// merge record on the cell); otherwise through GetCellEx.
#include "grid/string/sortsettings.h"

class TDazStringGrid;

namespace GridSort {

// +1 when (ACol, ARow1) orders after (ACol, ARow2) ascending, -1 before, 0 equal; empty
// cells already placed for Direction (IgnoreBlanks). ssCustom and ssRaw return the
// handler's value as it is.
int CompareCells(TDazStringGrid &Grid, int ACol, int ARow1, int ARow2, TSortDirection Direction);
// By ACol, ties by the columns to its right while SortSettings.Full.
int CompareLine(TDazStringGrid &Grid, int ACol, int ARow1, int ARow2);
// By the SortIndexes entries from Index on (descending entries reversed).
int CompareLineIndexed(TDazStringGrid &Grid, int Index, int ARow1, int ARow2);

void QSort(TDazStringGrid &Grid);
// Raises EDazGridError "No indexes specified for indexed sort" without SortIndexes.
void QSortIndexed(TDazStringGrid &Grid);
void QSortGroup(TDazStringGrid &Grid);
void QSortGroupIndexed(TDazStringGrid &Grid);
void QUnSort(TDazStringGrid &Grid);
// SortSettings.Column and Direction, then QSort.
void Sort(TDazStringGrid &Grid, int Column, TSortDirection Direction);
// With more than one row: SortSettings.Column := Col, then QSort.
void SortByColumn(TDazStringGrid &Grid, int Col);
// Rows Left..Right only: no update block, no current-row or footer handling.
void QuickSort(TDazStringGrid &Grid, int Col, int Left, int Right);
void QuickSortIndexed(TDazStringGrid &Grid, int Left, int Right);
// Exchanges the two rows when they are out of order for SortSettings.Direction, looking at
// the next columns while they are equal; true when it exchanged them.
bool SortLine(TDazStringGrid &Grid, int Col, int ARow1, int ARow2);

// The deepest recursion of the last sort's quicksort (1 for a single partition level).
int LastSortDepth();

}   // namespace GridSort
