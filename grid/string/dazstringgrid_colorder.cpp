// TDazStringGrid: moving columns and rows, and the column order list that lets a user's
// rearrangement of the columns be undone.
#include "grid/string/dazstringgrid.h"

#include <algorithm>

void TDazStringGrid::SetColumnOrder()
{
    FColumnOrder.Clear();
    for (int i = 0; i < ColCount(); ++i)
        FColumnOrder.Insert(i, i);
}

int TDazStringGrid::ColumnAtPosition(int APos)
{
    if (FColumnOrder.Count() == 0)
        SetColumnOrder();
    if (APos < 0 || APos >= FColumnOrder.Count())
        return APos;
    int c = FColumnOrder.GetInteger(APos);
    if (GroupColumn() != -1 && c >= GroupColumn())
        ++c;
    return c;
}

void TDazStringGrid::ResetColumnOrder()
{
    if (NumHiddenColumns() > 0)
        UnHideColumnsAll();
    if (FColumnOrder.Count() == 0) {
        SetColumnOrder();
        return;
    }
    // Each pass puts columns back further left; a column already in place never moves
    // again, so at most ColCount passes are needed.
    for (int pass = 0; pass <= ColCount(); ++pass) {
        bool moved = false;
        const int n = std::min(ColCount(), FColumnOrder.Count());
        for (int p = 0; p < n; ++p) {
            const int e = FColumnOrder.GetInteger(p);
            if (e >= 0 && e < p) {
                MoveColumn(p, e);
                moved = true;
            }
        }
        if (!moved)
            break;
    }
}

void TDazStringGrid::MoveColumn(int FromIndex, int ToIndex)
{
    if (FromIndex == ToIndex || FromIndex < 0 || ToIndex < 0 || FromIndex >= ColCount() ||
        ToIndex >= ColCount())
        return;
    // An open editor writes back into the cell it was opened on, before that cell moves.
    HideInplaceEdit();
    if (FColumnOrder.Count() == 0)
        SetColumnOrder();
    FColumnMoveDirect = true;
    try {
        ColumnMoved(FromIndex, ToIndex);
    } catch (...) {
        FColumnMoveDirect = false;
        throw;
    }
    FColumnMoveDirect = false;
    ShiftCellControls(RealColIndex(FromIndex), RealColIndex(ToIndex), true);
    InvalidateGrid();
}

void TDazStringGrid::MoveRow(int FromIndex, int ToIndex)
{
    if (FromIndex == ToIndex || FromIndex < 0 || ToIndex < 0 || FromIndex >= RowCount() ||
        ToIndex >= RowCount())
        return;
    // The footer row the floating footer shows stays where it is.
    if (FFloatingFooter.Visible() && FFloatingFooter.FooterStyle() == fsFixedLastRow &&
        ToIndex == RowCount() - 1)
        return;
    HideInplaceEdit();
    TBaseGrid::MoveRow(FromIndex, ToIndex);
    ShiftCellControls(RealRowIndex(FromIndex), RealRowIndex(ToIndex), false);
}

void TDazStringGrid::MoveRows(int FromIndex, int ToIndex, int Count)
{
    if (FromIndex == ToIndex || Count <= 0 || FromIndex < 0 || ToIndex < 0 ||
        FromIndex + Count > RowCount())
        return;
    // The block leaves its place and is put back before the row that was at ToIndex; row by
    // row moves keep every row's cells, records (hidden columns included) and height.
    int start = ToIndex;
    if (FromIndex + Count < ToIndex)
        start -= Count;
    if (start + Count > RowCount())
        return;
    if (start > FromIndex) {
        for (int i = 0; i < Count; ++i)
            MoveRow(FromIndex, start + Count - 1);
    } else {
        for (int i = 0; i < Count; ++i)
            MoveRow(FromIndex + i, start + i);
    }
}

void TDazStringGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    const int realFrom = RealColIndex(FromIndex);
    const int realTo = RealColIndex(ToIndex);
    if (FColumnMoveDirect) {
        // The framework's own column move shifts the widths before it gets here.
        const int width = ColWidths(FromIndex);
        if (FromIndex < ToIndex)
            for (int c = FromIndex; c < ToIndex; ++c)
                SetColWidths(c, ColWidths(c + 1));
        else
            for (int c = FromIndex; c > ToIndex; --c)
                SetColWidths(c, ColWidths(c - 1));
        SetColWidths(ToIndex, width);
    }
    TBaseGrid::ColumnMoved(realFrom, realTo);
    if (NumHiddenColumns() > 0)
        FHiddenColumns.ColumnMoved(realFrom, realTo);
    if (FColumnOrder.Count() > std::max(realFrom, realTo)) {
        const int entry = FColumnOrder.GetInteger(realFrom);
        FColumnOrder.Delete(realFrom);
        FColumnOrder.Insert(realTo, entry);
    }
    ColumnMoveFollowUp(FromIndex, ToIndex, realFrom, realTo);
}

void TDazStringGrid::ShiftCellControls(int FromIndex, int ToIndex, bool Columns)
{
    if (FControlList.Count() == 0)
        return;
    for (int i = 0; i < FControlList.Count(); ++i) {
        TControlItem *item = FControlList.GetControl(i);
        if (Columns)
            item->SetX(MovedIndex(item->X(), FromIndex, ToIndex));
        else
            item->SetY(MovedIndex(item->Y(), FromIndex, ToIndex));
    }
    CellControlsUpdate(false);
}
