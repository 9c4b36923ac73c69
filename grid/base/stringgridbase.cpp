#include "grid/base/stringgridbase.h"


TStringGridBase::TStringGridBase(QWidget *Parent) : TCustomGrid(Parent) {}

void TStringGridBase::SetCells(int ACol, int ARow, const QString &Value)
{
    FStore.SetText(ACol, ARow, Value);
    if (FEditUpdate == 0 && EditorMode() && InplaceEditor() && InplaceCol() == ACol &&
        InplaceRow() == ARow && InplaceEditor()->text() != Value) {
        // An editor on the cell shows what was written (without writing it back).
        InplaceEditor()->LoadText(Value);
    }
    InvalidateCell(ACol, ARow);
}

void TStringGridBase::SetRowCells(int ARow, const QStringList &Texts,
                                  const std::vector<TObject *> &Objects)
{
    FStore.SetRow(ARow, Texts, Objects);
    RowWritten(ARow);
}

void TStringGridBase::SetRowData(int ARow, const TGridStore::TRowData &Value, bool Repaint)
{
    FStore.SetRowData(ARow, Value);
    RowWritten(ARow, Repaint);
}

void TStringGridBase::PutRow(int ARow, TGridStore::TParkedRow &&Row, bool Repaint)
{
    FStore.PutRow(ARow, std::move(Row));
    RowWritten(ARow, Repaint);
}

void TStringGridBase::RowWritten(int ARow, bool Repaint)
{
    if (FEditUpdate == 0 && EditorMode() && InplaceEditor() && InplaceRow() == ARow) {
        const QString text = FStore.Text(InplaceCol(), ARow);
        if (InplaceEditor()->text() != text)
            InplaceEditor()->LoadText(text);
    }
    if (Repaint)
        InvalidateRow(ARow);
}

void TStringGridBase::SetObjects(int ACol, int ARow, TObject *Value)
{
    FStore.SetObject(ACol, ARow, Value);
}

QStringList TStringGridBase::Rows(int ARow) const
{
    QStringList list;
    list.reserve(ColCount());
    for (int c = 0; c < ColCount(); ++c)
        list.append(FStore.Text(c, ARow));
    return list;
}

void TStringGridBase::SetRows(int ARow, const QStringList &Value)
{
    for (int c = 0; c < Value.size(); ++c)
        SetCells(c, ARow, Value.at(c));
}

QStringList TStringGridBase::Cols(int ACol) const
{
    QStringList list;
    list.reserve(RowCount());
    for (int r = 0; r < RowCount(); ++r)
        list.append(FStore.Text(ACol, r));
    return list;
}

void TStringGridBase::SetCols(int ACol, const QStringList &Value)
{
    for (int r = 0; r < Value.size(); ++r)
        SetCells(ACol, r, Value.at(r));
}

void TStringGridBase::DrawCell(int ACol, int ARow, const TRect &ARect, TGridDrawState AState)
{
    if (DefaultDrawing() && Canvas()) {
        const QString text = FStore.Text(ACol, ARow);
        if (!text.isEmpty()) {
            TCanvas &c = *Canvas();
            c.Brush.Style = bsClear;
            c.TextRect(ARect, ARect.Left + 2, ARect.Top + 2, text);
            c.Brush.Style = bsSolid;
        }
    }
    TCustomGrid::DrawCell(ACol, ARow, ARect, AState);
}

QString TStringGridBase::GetEditText(int ACol, int ARow)
{
    QString value = FStore.Text(ACol, ARow);
    if (OnGetEditText)
        OnGetEditText(this, ACol, ARow, value);
    return value;
}

void TStringGridBase::SetEditText(int ACol, int ARow, const QString &Value)
{
    ++FEditUpdate;
    try {
        if (Value != FStore.Text(ACol, ARow))
            SetCells(ACol, ARow, Value);
    } catch (...) {
        --FEditUpdate;
        throw;
    }
    --FEditUpdate;
    TCustomGrid::SetEditText(ACol, ARow, Value);
}

void TStringGridBase::ColumnMoved(int FromIndex, int ToIndex)
{
    FStore.MoveColumn(FromIndex, ToIndex);
    TCustomGrid::ColumnMoved(FromIndex, ToIndex);
}

void TStringGridBase::RowsDeleted(const std::vector<int> &Rows)
{
    if (FTaken)
        FStore.DeleteRows(Rows, std::exchange(FTaken, nullptr));
    else
        FStore.DeleteRows(Rows);
    TCustomGrid::RowsDeleted(Rows);
}

void TStringGridBase::TakeRows(const std::vector<int> &Rows, TGridStore::TParkedRow *Cells,
                               int *Heights)
{
    FTaken = Cells;
    try {
        DeleteRows(Rows, Heights);
    } catch (...) {
        FTaken = nullptr;
        throw;
    }
    FTaken = nullptr;
}

void TStringGridBase::RowsInserted(const std::vector<int> &Rows)
{
    FStore.InsertRows(Rows);
    TCustomGrid::RowsInserted(Rows);
}

void TStringGridBase::RowMoved(int FromIndex, int ToIndex)
{
    FStore.MoveRow(FromIndex, ToIndex);
    TCustomGrid::RowMoved(FromIndex, ToIndex);
}
