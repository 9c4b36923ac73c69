#pragma once
// Where the first embedded element of a mark-up cell lies, found by the mark-up hit test
// over the cell's text area as the grid lays it out.
#include "grid/base/markuprender.h"
#include "grid/string/dazstringgrid.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

inline QPointF ControlElementPoint(TDazStringGrid &Grid, int ACol, int ARow)
{
    const TRect cell = Grid.CellRect(ACol, ARow);
    TRect r = cell;
    InflateRect(r, -Grid.XYOffset().X, -Grid.XYOffset().Y);
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter painter(&scratch);
    TCanvas canvas(&painter);
    canvas.Font = Grid.Font().Value();
    for (int y = cell.Top + 1; y < cell.Bottom; ++y)
        for (int x = cell.Left + 1; x < cell.Left + 40; ++x) {
            THtmlRenderParams params;
            params.HitX = x;
            params.HitY = y;
            params.HitTestOnly = true;
            THtmlRenderResult result;
            if (RenderHtmlText(canvas, Grid.Cells(ACol, ARow), r, params, result) &&
                result.AnchorHref == QLatin1String("ctrl"))
                return QPointF(x, y);
        }
    ADD_FAILURE() << "no element in the cell";
    return QPointF(cell.Left + 8, cell.Top + 12);
}
