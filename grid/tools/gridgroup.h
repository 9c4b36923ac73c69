#pragma once
// Grouping the rows of a string grid by the values of one column: each run of equal values
// gets a node header row above it (the column's value moves there and the column leaves
// the grid), optionally a summary row after it; UnGroup puts everything back. SubGroup adds
// a second level inside the groups, and the group calculations write one figure per group.
class TDazStringGrid;

namespace GridGroup {

// Column 0 (ungrouping could never undo it), a fixed column or one beyond the grid does
// nothing; an existing grouping is undone first.
void Group(TDazStringGrid &Grid, int Colindex);
void UnGroup(TDazStringGrid &Grid);
// The GroupColumn setter: -1 ungroups, a column above 0 groups, 0 does nothing.
void SetGroupColumn(TDazStringGrid &Grid, int Value);
void SubGroup(TDazStringGrid &Grid, int Colindex);
void SubUnGroup(TDazStringGrid &Grid, int Colindex);

// One figure per expanded group, into its header row or (with Summary) its summary row:
// 1 sum, 2 average, 3 minimum, 4 maximum, 5 row count, 6 OnGroupCalc, 7 distinct texts,
// 8 standard deviation; other codes write nothing.
void GroupCalc(TDazStringGrid &Grid, int ACol, int Method);
// These five also set the floating footer's calculation of the column when it shows.
void GroupSum(TDazStringGrid &Grid, int ACol);
void GroupAvg(TDazStringGrid &Grid, int ACol);
void GroupMin(TDazStringGrid &Grid, int ACol);
void GroupMax(TDazStringGrid &Grid, int ACol);
void GroupCount(TDazStringGrid &Grid, int ACol);
void GroupCustomCalc(TDazStringGrid &Grid, int ACol);
void GroupDistinct(TDazStringGrid &Grid, int ACol);
void GroupStdDev(TDazStringGrid &Grid, int ACol);

}   // namespace GridGroup
