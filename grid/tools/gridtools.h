#pragma once
// The data tools as the string grid reaches them (IGridInputTools): sorting and unsorting
// for the header click and the grid's own QSort family. The clipboard operations are not
// part of these tools yet and do nothing.
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

// Installs one TGridTools for every grid of the program (the composition root calls it).
void InstallGridTools();
