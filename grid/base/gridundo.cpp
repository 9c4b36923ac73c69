#include "grid/base/gridundo.h"

#include "grid/base/basegrid.h"

TDazGridUndoRedo::TDazGridUndoRedo(QObject *AOwner) : QObject(AOwner) {}

TDazGridUndoRedo::~TDazGridUndoRedo()
{
    if (FGrid && FGrid->UndoRedo() == this)
        FGrid->SetUndoRedo(nullptr);
}

TBaseGrid *TDazGridUndoRedo::Grid() const
{
    return FGrid.data();
}

void TDazGridUndoRedo::SetGrid(TBaseGrid *Value)
{
    FGrid = Value;
}

void TDazGridUndoRedo::RegisterChange(int ACol, int ARow, const QString &OldValue,
                                      const QString &NewValue)
{
    if (FMaxLevel > 0 && FItems.Count() >= FMaxLevel)
        FItems.Delete(0);
    TUndoRedoItem *item = FItems.Add();
    item->SetCol(ACol);
    item->SetRow(ARow);
    item->SetValue(NewValue);
    item->SetOrigValue(OldValue);
    FLevel = FItems.Count();
}

void TDazGridUndoRedo::AddMarker(bool Start)
{
    TUndoRedoItem *item = FItems.Add();
    item->SetCol(-1);
    item->SetRow(-1);
    item->SetSequenceStart(Start);
    item->SetSequenceStop(!Start);
    FLevel = FItems.Count();
}

void TDazGridUndoRedo::StartSequence()
{
    AddMarker(true);
}

void TDazGridUndoRedo::StopSequence()
{
    AddMarker(false);
}

void TDazGridUndoRedo::Apply(const TDazGridUndoRedoEvent &Event, const TUndoRedoItem *X,
                             const QString &Text)
{
    // A marker stepped over on its own names no cell.
    if (X->SequenceStart() || X->SequenceStop() || X->Col() < 0 || X->Row() < 0)
        return;
    TBaseGrid *grid = FGrid.data();
    if (Event)
        Event(this, grid, X->Col(), X->Row(), grid->GetCellEx(X->Col(), X->Row()), Text);
    grid->SetCellEx(X->Col(), X->Row(), Text);
    // A cell whose row or column was removed since is written but cannot become current.
    const int col = grid->DisplColIndex(X->Col());
    if (col >= 0 && col < grid->ColCount() && X->Row() >= 0 && X->Row() < grid->RowCount()) {
        grid->SetCol(col);
        grid->SetRow(X->Row());
    }
}

void TDazGridUndoRedo::Revert(const TUndoRedoItem *X)
{
    Apply(OnUndo, X, X->OrigValue());
}

void TDazGridUndoRedo::Reapply(const TUndoRedoItem *X)
{
    Apply(OnRedo, X, X->Value());
}

void TDazGridUndoRedo::Undo()
{
    if (!FGrid || FLevel <= 0 || FItems.Count() < FLevel)
        return;
    const TUndoRedoItem *e = FItems.Items(FLevel - 1);
    if (e->SequenceStop()) {
        --FLevel;
        while (FLevel > 0 && !FItems.Items(FLevel - 1)->SequenceStart()) {
            Revert(FItems.Items(FLevel - 1));
            --FLevel;
        }
        // Past the start marker, unless MaxLevel dropped it.
        if (FLevel > 0)
            --FLevel;
        FGrid->InvalidateGrid();
    } else {
        Revert(e);
        FGrid->RepaintCell(FGrid->Col(), e->Row());
        --FLevel;
    }
}

void TDazGridUndoRedo::Redo()
{
    if (!FGrid || FLevel >= FItems.Count())
        return;
    ++FLevel;
    const TUndoRedoItem *e = FItems.Items(FLevel - 1);
    if (e->SequenceStart()) {
        // Up to the stop marker, or to the last entry of a sequence still open.
        while (FLevel < FItems.Count() && !FItems.Items(FLevel)->SequenceStop()) {
            Reapply(FItems.Items(FLevel));
            ++FLevel;
        }
        if (FLevel < FItems.Count())
            ++FLevel;
        FGrid->InvalidateGrid();
    } else {
        Reapply(e);
    }
}

void TDazGridUndoRedo::Reset()
{
    FItems.Clear();
    FLevel = 0;
}
