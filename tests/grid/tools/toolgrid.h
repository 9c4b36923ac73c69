#pragma once
// The fixture of the data-tool tests: a grid with the tools installed, fixed conventions
// ("/" dates day/month/year, ":" times, "," thousands, "." decimals) and small helpers to
// fill it and read it back.
#include "grid/base/textroutines.h"
#include "grid/string/dazstringgrid.h"
#include "grid/tools/gridtools.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <initializer_list>
#include <vector>

struct ToolGridTest : ::testing::Test
{
    TDazStringGrid Grid;
    ToolGridTest()
    {
        InstallGridTools();
        SetGridFormatOverride({u'/', u':', u',', u'.', QStringLiteral("dd/MM/yyyy")});
    }
    ~ToolGridTest() override { SetGridFormatOverride({}); }

    // Rows of texts; FixedRows as given (the rows above it are header rows).
    void Fill(const std::vector<QStringList> &Rows, int FixedRows = 0)
    {
        Grid.SetFixedRows(0);
        Grid.SetFixedCols(0);
        Grid.SetColCount(int(Rows.front().size()));
        Grid.SetRowCount(int(Rows.size()));
        for (int r = 0; r < int(Rows.size()); ++r)
            for (int c = 0; c < int(Rows[size_t(r)].size()); ++c)
                Grid.SetCells(c, r, Rows[size_t(r)][c]);
        Grid.SetFixedRows(FixedRows);
    }
    QStringList Column(int ACol)
    {
        QStringList out;
        for (int r = 0; r < Grid.RowCount(); ++r)
            out << Grid.Cells(ACol, r);
        return out;
    }
};

inline QStringList L(std::initializer_list<const char *> Items)
{
    QStringList out;
    for (const char *s : Items)
        out << QString::fromUtf8(s);
    return out;
}
