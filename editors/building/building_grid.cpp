#include "editors/building/building_grid.h"

#include "grid/string/dazcolumngrid.h"

TDazColumnGrid *New_Building_Grid(QWidget *parent, const char *name, const std::vector<TGrid_Col> &cols,
                                  int data_rows)
{
    auto *grid = new TDazColumnGrid(parent);
    grid->setObjectName(QLatin1String(name));
    grid->BeginUpdate();
    grid->SetColCount(int(cols.size()));
    grid->SetRowCount(data_rows + 1);
    grid->SetFixedCols(1);
    grid->SetFixedRows(1);
    grid->SetOptions({goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goColSizing,
                      goEditing});
    for (int c = 0; c < int(cols.size()); ++c) {
        const TGrid_Col &col = cols[size_t(c)];
        grid->SetColWidths(c, col.Width);
        grid->SetCellEx(c, 0, QLatin1String(col.Fixed));
        if (c == 0)
            continue;
        TGridColumnItem *item = grid->Columns().Items(c);
        switch (col.Cell) {
        case TGrid_Cell::Text: break;
        case TGrid_Cell::Read_Only: item->SetReadOnly(true); break;
        case TGrid_Cell::Check:
            item->SetEditor(edDataCheckBox);
            item->SetCheckTrue(QStringLiteral("Y"));
            item->SetCheckFalse(QStringLiteral("N"));
            item->SetAlignment(taCenter);
            break;
        case TGrid_Cell::Pick:
            item->SetEditor(edComboList);
            item->SetComboItems(TStringList(col.Items));
            break;
        }
    }
    for (int r = 1; r <= data_rows; ++r)
        grid->SetCellEx(0, r, QString::number(r));
    grid->EndUpdate();
    return grid;
}

QStringList Bit_Items()
{
    QStringList bits;
    for (int b = 0; b < 8; ++b)
        bits << QString::number(b);
    return bits;
}
