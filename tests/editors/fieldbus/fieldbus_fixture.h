#pragma once
// A fresh program state with an open project "P", and helpers to read and write the cells
// of a rule editor's tables.
#include "app/shell_fixture.h"
#include "grid/string/dazstringgrid.h"

#include <QFile>
#include <QFileInfo>

class FieldbusTest : public ShellTest
{
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        Open_Test_Project();
    }
    // Cells from column 1 on.
    static void Set(TDazStringGrid *grid, int row, const QStringList &cells)
    {
        for (qsizetype c = 0; c < cells.size(); ++c)
            grid->SetCellEx(int(c) + 1, row, cells[c]);
    }
    // Every real column of the row.
    static QStringList Row(TDazStringGrid *grid, int row)
    {
        QStringList out;
        for (int c = 0; c < grid->AllColCount(); ++c)
            out << grid->GetCellEx(c, row);
        return out;
    }
};
