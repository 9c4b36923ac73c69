#include "app/tableediting.h"

#include "app/comon.h"
#include "app/language.h"
#include "grid/string/dazcolumngrid.h"
#include "platform/dialogs.h"
#include "platform/rtl.h"


namespace {

constexpr ushort Key_Enter = 13;

// Columns 1 .. Last_Col(Grid) are the data columns of a row.
int Last_Col(const TDazStringGrid &Grid)
{
    return Grid.AllColCount() - 1;
}

bool Data_Row(const TDazStringGrid &Grid, int ARow)
{
    return ARow >= Grid.FixedRows() && ARow < Grid.RowCount();
}

// A text table's check-box column: its cells hold "Y"/"N" behind a data check box (the
// column item's editor in a column grid).
bool Is_Data_Check_Column(TDazStringGrid &Grid, int ACol, int ARow)
{
    if (auto *column_grid = dynamic_cast<TDazColumnGrid *>(&Grid))
        if (const TGridColumnItem *item = column_grid->ColumnOf(ACol))
            return item->Editor() == edDataCheckBox;
    return Grid.HasDataCheckBox(ACol, ARow);
}

void Move_Text_Row(TDazStringGrid &Grid, int From, int To)
{
    for (int c = 1; c <= Last_Col(Grid); ++c)
        Grid.SetCellEx(c, To, Grid.GetCellEx(c, From));
}

// A check box takes the state of the source's check box, any other cell its text; the
// read-only mark goes along.
void Move_Check_Row(TDazStringGrid &Grid, int From, int To)
{
    for (int c = 1; c <= Last_Col(Grid); ++c) {
        bool state = false;
        if (Grid.GetCheckBoxState(c, From, state))
            Grid.SetCheckBoxState(c, To, state);
        else
            Grid.SetCellEx(c, To, Grid.GetCellEx(c, From));
        Grid.SetReadOnly(c, To, Grid.ReadOnly(c, From));
    }
}

void Clear_Check_Row(TDazStringGrid &Grid, int ARow, bool Enable)
{
    for (int c = 1; c <= Last_Col(Grid); ++c) {
        bool state = false;
        if (Grid.GetCheckBoxState(c, ARow, state))
            Grid.SetCheckBoxState(c, ARow, Enable && c == 1);
        else
            Grid.SetCellEx(c, ARow, QString());
        Grid.SetReadOnly(c, ARow, false);
    }
}

// Steps 1 and 2 of a paste: a copy made in this editor, from a table of this width.
bool Paste_Allowed(const TDazStringGrid &Grid, bool Do_Copy)
{
    if (!Do_Copy) {
        MessageError(Lang_Text(1102));
        return false;
    }
    if (Grid.AllColCount() != Row_Clipboard.size() + 1) {
        MessageError(Lang_Text(1101));
        return false;
    }
    return true;
}

bool Overwrite_Allowed(bool Used)
{
    return !Used || MessageYesNo(Lang_Text(1100));
}

} // namespace

void Grid_Delete_Row(int ARow, TDazStringGrid &Grid)
{
    if (!Data_Row(Grid, ARow))
        return;
    Grid.BeginUpdate();
    for (int r = ARow; r <= Grid.RowCount() - 2; ++r)
        Move_Text_Row(Grid, r + 1, r);
    for (int c = 1; c <= Last_Col(Grid); ++c)
        Grid.SetCellEx(c, Grid.RowCount() - 1, QString());
    Grid.EndUpdate();
}

void Grid_Insert_Row(int ARow, TDazStringGrid &Grid, bool Enable)
{
    if (!Data_Row(Grid, ARow))
        return;
    Grid.BeginUpdate();
    for (int r = Grid.RowCount() - 2; r >= ARow; --r)
        Move_Text_Row(Grid, r, r + 1);
    for (int c = 1; c <= Last_Col(Grid); ++c)
        Grid.SetCellEx(c, ARow, Enable && c == 1 ? QStringLiteral("Y") : QString());
    Grid.EndUpdate();
}

void Grid_Copy_Row(TDazStringGrid &Grid, int ARow)
{
    if (!Data_Row(Grid, ARow))
        return;
    Row_Clipboard.clear();
    // The flags describe the row now on the clipboard: none of its cells is a check box.
    Row_Clipboard_Check.assign(size_t(Last_Col(Grid)), false);
    for (int c = 1; c <= Last_Col(Grid); ++c)
        Row_Clipboard.append(Grid.GetCellEx(c, ARow));
}

void Grid_Paste_Row(TDazStringGrid &Grid, int ARow, bool Do_Copy)
{
    if (!Data_Row(Grid, ARow) || !Paste_Allowed(Grid, Do_Copy))
        return;
    bool used = false;
    for (int c = 1; c <= Last_Col(Grid) && !used; ++c)
        used = !Is_Data_Check_Column(Grid, c, ARow) && !Trim(Grid.GetCellEx(c, ARow)).isEmpty();
    if (!Overwrite_Allowed(used))
        return;
    Grid.BeginUpdate();
    for (int c = 1; c <= Last_Col(Grid); ++c)
        Grid.SetCellEx(c, ARow, Row_Clipboard[c - 1]);
    Grid.EndUpdate();
}

void Grid_Delete_Row_Check(int ARow, TDazStringGrid &Grid, bool Enable)
{
    if (!Data_Row(Grid, ARow))
        return;
    Grid.BeginUpdate();
    for (int r = ARow; r <= Grid.RowCount() - 2; ++r)
        Move_Check_Row(Grid, r + 1, r);
    Clear_Check_Row(Grid, Grid.RowCount() - 1, Enable);
    Grid.EndUpdate();
}

void Grid_Insert_Row_Check(int ARow, TDazStringGrid &Grid, bool Enable)
{
    if (!Data_Row(Grid, ARow))
        return;
    Grid.BeginUpdate();
    for (int r = Grid.RowCount() - 2; r >= ARow; --r)
        Move_Check_Row(Grid, r, r + 1);
    Clear_Check_Row(Grid, ARow, Enable);
    Grid.EndUpdate();
}

void Grid_Copy_Row_Check(TDazStringGrid &Grid, int ARow)
{
    if (!Data_Row(Grid, ARow))
        return;
    Row_Clipboard.clear();
    Row_Clipboard_Check.assign(size_t(Last_Col(Grid)), false);
    for (int c = 1; c <= Last_Col(Grid); ++c) {
        bool state = false;
        const bool check = Grid.GetCheckBoxState(c, ARow, state);
        Row_Clipboard_Check[size_t(c - 1)] = check;
        Row_Clipboard.append(check ? (state ? QStringLiteral("Y") : QStringLiteral("N")) : Grid.GetCellEx(c, ARow));
    }
}

void Grid_Paste_Row_Check(TDazStringGrid &Grid, int ARow, bool Do_Copy)
{
    if (!Data_Row(Grid, ARow) || !Paste_Allowed(Grid, Do_Copy))
        return;
    bool used = false;
    for (int c = 1; c <= Last_Col(Grid) && !used; ++c) {
        bool state = false;
        used = !Grid.GetCheckBoxState(c, ARow, state) && !Grid.GetCellEx(c, ARow).isEmpty();
    }
    if (!Overwrite_Allowed(used))
        return;
    Grid.BeginUpdate();
    for (int c = 1; c <= Last_Col(Grid); ++c) {
        const QString &text = Row_Clipboard[c - 1];
        const size_t i = size_t(c - 1);
        if (i < Row_Clipboard_Check.size() && Row_Clipboard_Check[i])
            Grid.SetCheckBoxState(c, ARow, text == QLatin1String("Y"));
        else
            Grid.SetCellEx(c, ARow, text);
    }
    Grid.EndUpdate();
}

void Grid_Auto_Size_Column(TDazStringGrid &Grid, int ARow, int ACol)
{
    if (Opt_Double_Click_Auto_Size && ARow == 0)
        Grid.AutoSizeCol(ACol, 0);
}

void Grid_Enter_Next_Cell(TDazStringGrid &Grid, QChar &Key)
{
    if (!Opt_Jump_Field_Tables || Key.unicode() != Key_Enter)
        return;
    const int col = Grid.Col();
    const int row = Grid.Row();
    if (col > 0 && row > 0) {
        if (col < Grid.ColCount() - 1)
            Grid.SetCol(col + 1);
        else
            Grid.FocusCell(1, row < Grid.RowCount() - 1 ? row + 1 : 1, true);
    }
    Key = QChar(0);
}
