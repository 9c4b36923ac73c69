#include "grid/tools/gridtools.h"

#include "grid/tools/gridsort.h"

void TGridTools::QSort(TDazStringGrid &Grid)
{
    GridSort::QSort(Grid);
}

void TGridTools::QSortIndexed(TDazStringGrid &Grid)
{
    GridSort::QSortIndexed(Grid);
}

void TGridTools::QSortGroup(TDazStringGrid &Grid)
{
    GridSort::QSortGroup(Grid);
}

void TGridTools::QSortGroupIndexed(TDazStringGrid &Grid)
{
    GridSort::QSortGroupIndexed(Grid);
}

void TGridTools::QUnSort(TDazStringGrid &Grid)
{
    GridSort::QUnSort(Grid);
}

void InstallGridTools()
{
    static TGridTools tools;
    SetGridInputTools(&tools);
}
