#include "editors/building/enable_boxes.h"

#include "grid/string/dazstringgrid.h"

void Enable_Texts_To_Boxes(TDazStringGrid &grid, int col)
{
    grid.BeginUpdate();
    for (int r = 1; r < grid.RowCount(); ++r) {
        grid.SetCheckBoxState(col, r, grid.GetCellEx(col, r) != QLatin1String("N"));
        grid.SetCellEx(col, r, QString());
    }
    grid.EndUpdate();
}

void Enable_Boxes_To_Texts(TDazStringGrid &grid, int col, TRule_Rows &rows)
{
    for (size_t i = 0; i < rows.size(); ++i) {
        bool state = false;
        const bool box = grid.GetCheckBoxState(col, int(i) + 1, state);
        rows[i][col] = box && state ? QStringLiteral("Y") : QStringLiteral("N");
    }
}

QString Enable_From_File(const QString &value)
{
    return value == QLatin1String("N") ? value : QStringLiteral("Y");
}
