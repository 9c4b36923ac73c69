#pragma once
// The operations of the grid data tools that the string grid starts by itself (column
// sizes kept when Save is set, the footer's column statistics). The data tools sit above
// the string grid and install their implementation once; without one these do nothing.
#include "grid/base/griddragdrop.h"
#include "grid/base/gridenums.h"

#include <QByteArray>
#include <QString>
#include <memory>

class TDazStringGrid;

class IGridDataTools
{
public:
    virtual ~IGridDataTools() = default;
    // Column widths under ColumnSize.Key / Section.
    virtual void LoadColSizes(TDazStringGrid &Grid) = 0;
    virtual void SaveColSizes(TDazStringGrid &Grid) = 0;
    // Column order as "Pos" values under the same key and section.
    virtual void SaveColPositions(TDazStringGrid & /*Grid*/) {}
    virtual void LoadColPositions(TDazStringGrid & /*Grid*/) {}
    // The statistic Kind (acSUM, acAVG, acMIN, acMAX, acDISTINCT, acSTDDEV) of a column over
    // rows FromRow..ToRow.
    virtual double ColumnCalc(TDazStringGrid &Grid, TColumnCalcType Kind, int ACol, int FromRow,
                              int ToRow) = 0;
    // A left-button release at (X, Y) of the viewport: opens the header filter list under
    // its button, or closes an open one.
    virtual void FilterMouseUp(TDazStringGrid & /*Grid*/, int /*X*/, int /*Y*/) {}
    // The object that takes drops on Grid (OLE drop target on); nullptr leaves the grid
    // with a target that accepts the formats but hands the data to empty hooks.
    virtual std::unique_ptr<TASGDropTarget> CreateDropTarget(TDazStringGrid & /*Grid*/)
    {
        return nullptr;
    }
    // The drop source of one drag out of Grid; nullptr drags with a source that neither
    // moves a drag picture nor keeps the effect.
    virtual std::unique_ptr<TASGDropSource> CreateDropSource(TDazStringGrid & /*Grid*/)
    {
        return nullptr;
    }
    // The cells of Rect as the binary cell stream a drag offers; empty offers none.
    virtual QByteArray CellStream(TDazStringGrid & /*Grid*/, const TGridRect & /*Rect*/)
    {
        return {};
    }
    // Narrowing while the user types (AColumn -1: the whole row), and every filter removed;
    // the grid drop-down's list uses them.
    virtual void NarrowDown(TDazStringGrid & /*Grid*/, const QString & /*ACondition*/,
                            int /*AColumn*/)
    {
    }
    virtual void RemoveAllFilters(TDazStringGrid & /*Grid*/) {}
};

IGridDataTools *GridDataTools();
// Not owned; nullptr uninstalls.
void SetGridDataTools(IGridDataTools *Tools);
