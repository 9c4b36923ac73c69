#include "grid/tools/gridtools.h"

#include "grid/tools/filterdropdown.h"
#include "grid/tools/gridcalc.h"
#include "grid/tools/gridcellstream.h"
#include "grid/tools/gridclipboard.h"
#include "grid/tools/griddragdrop.h"
#include "grid/tools/gridfilter.h"
#include "grid/tools/gridpersist.h"
#include "grid/tools/gridsearch.h"
#include "grid/tools/gridsort.h"

#include <QBuffer>
#include <exception>

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

int TGridTools::Search(TDazStringGrid &Grid, const QString &s)
{
    return GridSearch::Search(Grid, s);
}

void TGridTools::SearchFooterEditChange(TDazStringGrid &Grid)
{
    GridSearch::SearchFooterEditChange(Grid);
}

void TGridTools::SearchFooterFindNext(TDazStringGrid &Grid)
{
    GridSearch::SearchFooterFindNext(Grid);
}

void TGridTools::SearchFooterFindPrevious(TDazStringGrid &Grid)
{
    GridSearch::SearchFooterFindPrevious(Grid);
}

void TGridTools::SearchFooterHighlight(TDazStringGrid &Grid)
{
    GridSearch::SearchFooterHighlight(Grid);
}

void TGridTools::SearchFooterClose(TDazStringGrid &Grid)
{
    GridSearch::SearchFooterClose(Grid);
}

std::unique_ptr<TASGDropTarget> TGridTools::CreateDropTarget(TDazStringGrid &Grid)
{
    return std::make_unique<TGridDropTarget>(Grid);
}

std::unique_ptr<TASGDropSource> TGridTools::CreateDropSource(TDazStringGrid &Grid)
{
    return std::make_unique<TGridDropSource>(Grid);
}

QByteArray TGridTools::CellStream(TDazStringGrid &Grid, const TGridRect &Rect)
{
    QByteArray stream;
    QBuffer buf(&stream);
    buf.open(QIODevice::WriteOnly);
    GridCellStream::SaveRectToBinStream(Grid, TRect(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom),
                                        buf);
    return stream;
}

void TGridTools::CopySelectionToClipboard(TDazStringGrid &Grid)
{
    GridClipboard::CopySelectionToClipboard(Grid);
}

void TGridTools::CutSelectionToClipboard(TDazStringGrid &Grid)
{
    GridClipboard::CutSelectionToClipboard(Grid);
}

void TGridTools::PasteSelectionFromClipboard(TDazStringGrid &Grid)
{
    GridClipboard::PasteSelectionFromClipboard(Grid);
}

double TGridTools::ColumnCalc(TDazStringGrid &Grid, TColumnCalcType Kind, int ACol, int FromRow,
                              int ToRow)
{
    // A footer shows 0 for a column whose first cell is no number, rather than failing
    // every recalculation.
    try {
        return Figure(Grid, Kind, ACol, FromRow, ToRow);
    } catch (const std::exception &) {
        return 0;
    }
}

double TGridTools::Figure(TDazStringGrid &Grid, TColumnCalcType Kind, int ACol, int FromRow,
                          int ToRow)
{
    switch (Kind) {
    case acSUM: return GridCalc::ColumnSum(Grid, ACol, FromRow, ToRow);
    case acAVG: return GridCalc::ColumnAvg(Grid, ACol, FromRow, ToRow);
    case acMIN: return GridCalc::ColumnMin(Grid, ACol, FromRow, ToRow);
    case acMAX: return GridCalc::ColumnMax(Grid, ACol, FromRow, ToRow);
    case acDISTINCT: return GridCalc::ColumnDistinct(Grid, ACol, FromRow, ToRow);
    case acSTDDEV: return GridCalc::ColumnStdDev(Grid, ACol, FromRow, ToRow);
    case acCUSTOM: return GridCalc::ColumnCustomCalc(Grid, ACol, FromRow, ToRow);
    default: return 0;
    }
}

void TGridTools::FilterMouseUp(TDazStringGrid &Grid, int X, int Y)
{
    GridFilterList::MouseUp(Grid, X, Y);
}

void TGridTools::NarrowDown(TDazStringGrid &Grid, const QString &ACondition, int AColumn)
{
    GridFilter::NarrowDown(Grid, ACondition, AColumn);
}

void TGridTools::RemoveAllFilters(TDazStringGrid &Grid)
{
    GridFilter::RemoveAllFilters(Grid);
}

void TGridTools::LoadColSizes(TDazStringGrid &Grid)
{
    GridPersist::LoadColSizes(Grid);
}

void TGridTools::SaveColSizes(TDazStringGrid &Grid)
{
    GridPersist::SaveColSizes(Grid);
}

void TGridTools::SaveColPositions(TDazStringGrid &Grid)
{
    GridPersist::SaveColPositions(Grid);
}

void TGridTools::LoadColPositions(TDazStringGrid &Grid)
{
    GridPersist::LoadColPositions(Grid);
}

void InstallGridTools()
{
    static TGridTools tools;
    SetGridInputTools(&tools);
    SetGridDataTools(&tools);
}
