#pragma once
// The data tools as the string grid reaches them: sorting and unsorting for the header
// click and the grid's own QSort family (IGridInputTools); the footer's column figures and
// the header filter list and the column size store (IGridDataTools); the clipboard keys.
#include "grid/string/griddatatools.h"
#include "grid/string/gridinputtools.h"

class TGridTools : public IGridInputTools, public IGridDataTools
{
public:
    void QSort(TDazStringGrid &Grid) override;
    void QSortIndexed(TDazStringGrid &Grid) override;
    void QSortGroup(TDazStringGrid &Grid) override;
    void QSortGroupIndexed(TDazStringGrid &Grid) override;
    void QUnSort(TDazStringGrid &Grid) override;
    void CopySelectionToClipboard(TDazStringGrid &Grid) override;
    void CutSelectionToClipboard(TDazStringGrid &Grid) override;
    void PasteSelectionFromClipboard(TDazStringGrid &Grid) override;

    void LoadColSizes(TDazStringGrid &Grid) override;
    void SaveColSizes(TDazStringGrid &Grid) override;
    void SaveColPositions(TDazStringGrid &Grid) override;
    void LoadColPositions(TDazStringGrid &Grid) override;
    double ColumnCalc(TDazStringGrid &Grid, TColumnCalcType Kind, int ACol, int FromRow,
                      int ToRow) override;
    void FilterMouseUp(TDazStringGrid &Grid, int X, int Y) override;
    std::unique_ptr<TASGDropTarget> CreateDropTarget(TDazStringGrid &Grid) override;

private:
    static double Figure(TDazStringGrid &Grid, TColumnCalcType Kind, int ACol, int FromRow,
                         int ToRow);
};

// Installs one TGridTools for every grid of the program (the composition root calls it).
void InstallGridTools();
