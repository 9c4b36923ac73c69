#pragma once
// The data tools as the string grid reaches them (IGridInputTools): sorting and unsorting
// for the header click and the grid's own QSort family. The clipboard operations are not
// part of these tools yet and do nothing.
#include "grid/base/griddragdrop.h"
#include "grid/string/griddatatools.h"
#include "grid/string/gridinputtools.h"

class TGridTools : public IGridInputTools
{
public:
    void QSort(TDazStringGrid &Grid) override;
    void QSortIndexed(TDazStringGrid &Grid) override;
    void QSortGroup(TDazStringGrid &Grid) override;
    void QSortGroupIndexed(TDazStringGrid &Grid) override;
    void QUnSort(TDazStringGrid &Grid) override;
    void CopySelectionToClipboard(TDazStringGrid &Grid) override {}
    void CutSelectionToClipboard(TDazStringGrid &Grid) override {}
    void PasteSelectionFromClipboard(TDazStringGrid &Grid) override {}
};

// The data tools the string grid starts by itself.
class TGridDataTools : public IGridDataTools
{
public:
    void LoadColSizes(TDazStringGrid &Grid) override;
    void SaveColSizes(TDazStringGrid &Grid) override;
    void SaveColPositions(TDazStringGrid &Grid) override;
    void LoadColPositions(TDazStringGrid &Grid) override;
    double ColumnCalc(TDazStringGrid &Grid, TColumnCalcType Kind, int ACol, int FromRow,
                      int ToRow) override;
};

// Installs one TGridTools for every grid of the program (the composition root calls it).
void InstallGridTools();
