// The grid the data-tool benchmarks share: the tools installed, no fixed cells, every cell
// "r<row>c<col>".
#pragma once
#include "grid/string/dazstringgrid.h"
#include "grid/tools/gridtools.h"

#include <memory>

inline std::unique_ptr<TDazStringGrid> Make_Tool_Bench_Grid(int Cols, int Rows)
{
    InstallGridTools();
    auto g = std::make_unique<TDazStringGrid>();
    g->SetFixedRows(0);
    g->SetFixedCols(0);
    g->SetColCount(Cols);
    g->SetRowCount(Rows);
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c)
            g->SetCells(c, r, QStringLiteral("r%1c%2").arg(r).arg(c));
    return g;
}
