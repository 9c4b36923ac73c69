#pragma once
// The string grid the grid targets read into: one for the process (making one costs far
// more than most reads), brought back for each input to 6 columns and 6 rows, one fixed of
// each, every cell filled, nothing hidden or reordered, the clipboard and paste options as
// made. The data tools are installed once.
#include "fuzz/fuzz_common.h"
#include "grid/string/dazstringgrid.h"
#include "grid/tools/gridtools.h"

inline TDazStringGrid &Fuzz_Grid()
{
    Fuzz_App();
    static TDazStringGrid &grid = [] () -> TDazStringGrid & {
        InstallGridTools();
        return *new TDazStringGrid;
    }();
    grid.ColumnOrder().Clear();
    grid.UnHideColumnsAll();
    grid.UnHideRowsAll();
    grid.Clear();
    grid.SetColCount(6);
    grid.SetRowCount(6);
    grid.SetFixedCols(1);
    grid.SetFixedRows(1);
    for (int c = 0; c < 6; ++c) {
        grid.SetColWidths(c, 64);
        for (int r = 0; r < 6; ++r)
            grid.SetCells(c, r, QString::number(c * 10 + r));
    }
    TNavigation &nav = grid.Navigation();
    nav.SetAllowFmtClipboard(false);
    nav.SetAllowRTFClipboard(false);
    nav.SetClipboardPasteAction(paReplace);
    grid.SetSelection(TGridRect{1, 1, 2, 2});
    return grid;
}
