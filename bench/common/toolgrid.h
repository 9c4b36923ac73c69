// The grid the data-tool benchmarks share: the tools installed, no fixed cells, every cell
// "r<row>c<col>".
#pragma once
#include "grid/string/dazstringgrid.h"
#include "grid/tools/gridtools.h"

#include <QTemporaryDir>
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

// The million-row, ten-column tool grid of a benchmark program, made on first use (before
// the clock runs when a benchmark asks for it outside its loop).
inline constexpr int Million_Tool_Rows = 1000000;
inline constexpr int Million_Tool_Cols = 10;
inline TDazStringGrid &Million_Tool_Grid()
{
    static std::unique_ptr<TDazStringGrid> g = Make_Tool_Bench_Grid(Million_Tool_Cols, Million_Tool_Rows);
    return *g;
}

// A temporary folder for the program's files, removed at exit.
inline QString Bench_Folder()
{
    static QTemporaryDir dir;
    return dir.path();
}
