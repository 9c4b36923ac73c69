#pragma once
// A fresh program state with an open project "P", and helpers to read and write the cells
// of a rule editor's tables.
#include "app/shell_fixture.h"
#include "editors/fieldbus/ruleeditor.h"
#include "grid/string/dazcolumngrid.h"

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
    // A fresh showing with the rows (columns 1 on) in the table, checked: the message shown,
    // empty when the check passed.
    QString Check_Rows(TRule_Editor &form, int table, const std::vector<QStringList> &rows)
    {
        form.FormShow();
        Guard.Fake.Calls.clear();
        for (size_t r = 0; r < rows.size(); ++r)
            Set(form.Grid(table), int(r) + 1, rows[r]);
        const bool ok = form.Controllo_dati();
        EXPECT_EQ(ok, Guard.Fake.Calls.empty());
        return Guard.Fake.LastText();
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
