// The large grid the painting benchmarks share: 1920 x 1080 view, 180 x 22 cells.
#pragma once
#include "grid/base/customgrid.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <memory>

template <class Grid>
std::unique_ptr<Grid> Make_Bench_Grid(int Cols, int Rows)
{
    auto g = std::make_unique<Grid>();
    g->setFrameShape(QFrame::NoFrame);
    g->resize(1920, 1080);
    g->SetColCount(Cols);
    g->SetRowCount(Rows);
    g->SetDefaultColWidth(180);
    g->SetDefaultRowHeight(22);
    return g;
}

// Fills rows [FirstRow, RowCount) with Text(col, row), then shows the grid.
template <class Grid, class TextFn>
void Fill_Bench_Grid(Grid &g, int FirstRow, TextFn Text)
{
    for (int r = FirstRow; r < g.RowCount(); ++r)
        for (int c = 0; c < g.ColCount(); ++c)
            g.SetCells(c, r, Text(c, r));
    g.show();
    QApplication::processEvents();
}

inline QString Bench_Cell_Text(int Col, int Row)
{
    return QStringLiteral("R%1C%2").arg(Row).arg(Col);
}

inline void Repaint(TCustomGrid &g, QImage &img)
{
    QPainter p(&img);
    g.PaintTo(p);
}
