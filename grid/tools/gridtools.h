#pragma once
// The data tools as the string grid reaches them: sorting and unsorting for the header
// click and the grid's own QSort family, the key search, the search bar and the clipboard
// keys (IGridInputTools); the footer's column figures, the header filter list, the column
// size store, narrowing down, the drop target and what a drag out of the grid offers
// (IGridDataTools).
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
    int Search(TDazStringGrid &Grid, const QString &s) override;
    void SearchFooterEditChange(TDazStringGrid &Grid) override;
    void SearchFooterFindNext(TDazStringGrid &Grid) override;
    void SearchFooterFindPrevious(TDazStringGrid &Grid) override;
    void SearchFooterHighlight(TDazStringGrid &Grid) override;
    void SearchFooterClose(TDazStringGrid &Grid) override;

    void LoadColSizes(TDazStringGrid &Grid) override;
    void SaveColSizes(TDazStringGrid &Grid) override;
    void SaveColPositions(TDazStringGrid &Grid) override;
    void LoadColPositions(TDazStringGrid &Grid) override;
    double ColumnCalc(TDazStringGrid &Grid, TColumnCalcType Kind, int ACol, int FromRow,
                      int ToRow) override;
    void FilterMouseUp(TDazStringGrid &Grid, int X, int Y) override;
    void NarrowDown(TDazStringGrid &Grid, const QString &ACondition, int AColumn) override;
    void RemoveAllFilters(TDazStringGrid &Grid) override;
    std::unique_ptr<TASGDropTarget> CreateDropTarget(TDazStringGrid &Grid) override;
    std::unique_ptr<TASGDropSource> CreateDropSource(TDazStringGrid &Grid) override;
    QByteArray CellStream(TDazStringGrid &Grid, const TGridRect &Rect) override;

private:
    static double Figure(TDazStringGrid &Grid, TColumnCalcType Kind, int ACol, int FromRow,
                         int ToRow);
};

// Installs one TGridTools for every grid of the program (the composition root calls it).
void InstallGridTools();
