#pragma once
// Row filtering of a string grid: the grid's Filter list tested against every normal row,
// the failing rows moved into the hidden-row store as one hide level (FilterActive,
// ApplyFilter) and brought back level by level; incremental narrowing while the user types
// (NarrowDown). The events and the level bookkeeping live in TGridToolState.
//
// A level is hidden and shown in one pass over the grid, never row by row.
#include <QString>

class TDazStringGrid;

namespace GridFilter {

// Whether the row (display index) passes the Filter list, then OnCustomFilter's word.
bool MatchFilter(TDazStringGrid &Grid, int ARow);
// Hides the row when it fails MatchFilter.
void FilterRow(TDazStringGrid &Grid, int ARow);
// Tests every normal row, then hides the failing ones as one new level (also when none
// fails); OnFilterProgress after each tested row and once more at the end.
void ApplyFilter(TDazStringGrid &Grid);
// Shows the rows of the last level and forgets the level; false when there was none, else
// whether more than one level remains.
bool RemoveLastFilter(TDazStringGrid &Grid);
// Every level undone, or the Filter list cleared when there is none.
void RemoveAllFilters(TDazStringGrid &Grid);
// The text typed so far: one character more adds a level, one less removes the last,
// anything else starts afresh. AColumn -1 searches the whole row.
void NarrowDown(TDazStringGrid &Grid, const QString &ACondition, int AColumn);

bool FilterActive(TDazStringGrid &Grid);
// On: ApplyFilter; off: the last level's rows come back (the level count stays). The
// footer totals are recalculated either way.
void SetFilterActive(TDazStringGrid &Grid, bool Value);

}   // namespace GridFilter
