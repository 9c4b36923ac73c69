#include "grid/tools/gridtools.h"

#include "grid/tools/gridpersist.h"
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

void TGridDataTools::LoadColSizes(TDazStringGrid &Grid)
{
    GridPersist::LoadColSizes(Grid);
}

void TGridDataTools::SaveColSizes(TDazStringGrid &Grid)
{
    GridPersist::SaveColSizes(Grid);
}

void TGridDataTools::SaveColPositions(TDazStringGrid &Grid)
{
    GridPersist::SaveColPositions(Grid);
}

void TGridDataTools::LoadColPositions(TDazStringGrid &Grid)
{
    GridPersist::LoadColPositions(Grid);
}

double TGridDataTools::ColumnCalc(TDazStringGrid &, TColumnCalcType, int, int, int)
{
    return 0;
}

void InstallGridTools()
{
    static TGridTools tools;
    static TGridDataTools dataTools;
    SetGridInputTools(&tools);
    SetGridDataTools(&dataTools);
}
