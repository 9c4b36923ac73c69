// TDazStringGrid: moving on by itself after an edit ends, like a data-entry form.
#include "grid/string/dazstringgrid.h"

void TDazStringGrid::AdvanceToNextCell(int ACol, int ARow, bool OpenEditor, bool Repeated,
                                       bool Forward, bool AutoEdit, bool Force)
{
    // Skipping read-only cells ends after one pass over the grid without an editable one.
    int budget = std::max(1, AllColCount()) * std::max(1, RowCount()) + 1;
    AdvanceStep(ACol, ARow, OpenEditor, Repeated, Forward, AutoEdit, Force, budget);
}

bool TDazStringGrid::AdvanceStep(int ACol, int ARow, bool OpenEditor, bool Repeated,
                                 bool Forward, bool AutoEdit, bool Force, int &Budget)
{
    if (!FNavigation.AdvanceOnEnter() && !Force)
        return false;
    if (FMouseActions.RangeSelectAndEdit() && !Options().Contains(goEditing))
        SetOptions(Options() + goEditing);
    if (!Repeated) {
        FAECol = ACol;
        FAERow = ARow;
    }
    const int startCol = Col();
    const int startRow = Row();
    FStartEditChar = QChar();
    const TPoint span = CellSpan(RealColIndex(ACol), ARow);
    const TAdvanceDirection dir = FNavigation.AdvanceDirection();
    const int firstCol = FirstNormalCol();
    const int lastCol = ColCount() - VisibleFixedRightCols() - 1;
    const int lastRow = RowCount() - FixedFooters() - 1;
    int nc = ACol;
    int nr = ARow;

    if (Forward && (dir == adLeftRight || dir == adLeftRightInRow)) {
        if (ACol + span.X < lastCol) {
            nc = ACol + span.X + 1;
        } else if (dir == adLeftRightInRow) {
            if (FNavigation.AdvanceOnEnterLoop())
                nc = firstCol;
        } else if (ARow + span.Y < lastRow) {
            nc = firstCol;
            nr = ARow + span.Y + 1;
        } else if (FNavigation.AdvanceInsert()) {
            bool canAdd = true;
            if (OnCanAddRow)
                OnCanAddRow(this, canAdd);
            nc = firstCol;
            if (canAdd) {
                AddRow();
                nr = RowCount() - FixedFooters() - 1;
                if (OnAutoAddRow)
                    OnAutoAddRow(this, nr);
                bool any = false;
                for (int c = FixedCols(); c < ColCount() && !any; ++c)
                    any = IsEditable(RealColIndex(c), nr);
                if (!any)
                    return false;
            }
        } else if (FNavigation.AdvanceOnEnterLoop()) {
            nr = FixedRows();
            nc = firstCol;
        }
    } else if (Forward) {
        if (ARow + span.Y < lastRow) {
            nr = ARow + span.Y + 1;
        } else if (dir == adTopBottomInCol) {
            nr = FixedRows();
        } else if (ACol + span.X < ColCount() - FixedRightCols() - 1) {
            nr = FixedRows();
            nc = ACol + span.X + 1;
            if (nc >= ColCount())
                nc = FixedCols();
        } else if (FNavigation.AdvanceInsert()) {
            SetColCount(ColCount() + 1);
            nc = std::min(ACol + span.X + 1, ColCount() - 1);
            nr = FixedRows();
            if (OnAutoInsertCol)
                OnAutoInsertCol(this, ColCount() - FixedRightCols() - 1);
        } else {
            nr = FixedRows();
            nc = FixedCols();
        }
        Invalidate();
    } else if (dir == adLeftRight) {
        if (ACol > firstCol) {
            nc = ACol - 1;
        } else {
            nc = ColCount() - FixedRightCols() - 1;
            nr = ARow > FixedRows() ? ARow - 1 : lastRow;
        }
    } else if (dir == adTopBottom) {
        if (ARow > FixedRows()) {
            nr = ARow - 1;
        } else {
            nr = lastRow;
            nc = ACol > firstCol ? ACol - 1 : ColCount() - FixedRightCols() - 1;
        }
    }
    nc = std::clamp(nc, 0, ColCount() - 1);
    nr = std::clamp(nr, 0, RowCount() - 1);

    bool canEdit = true;
    IsEditableCell(RealColIndex(nc), nr, canEdit);
    if (canEdit) {
        bool allow = true;
        if (OnAutoAdvance)
            OnAutoAdvance(this, FAERow, FAECol, nr, nc, allow);
        nc = std::clamp(nc, 0, ColCount() - 1);
        nr = std::clamp(nr, 0, RowCount() - 1);
        if (allow && OnCellChanging)
            OnCellChanging(this, FAERow, FAECol, nr, nc, allow);
        if (allow) {
            FDisableChange = true;
            struct Enable
            {
                TDazStringGrid *g;
                ~Enable() { g->FDisableChange = false; }
            } enable{this};
            FocusCell(nc, nr, true);
        } else {
            SelectCell(startCol, startRow);
        }
    } else if (FNavigation.AdvanceSkipReadOnlyCells()) {
        // The step stays put (end of the grid without wrapping) or the grid holds no
        // editable cell: the current cell stays where the advance started.
        if ((nc == ACol && nr == ARow) || --Budget <= 0)
            return false;
        return AdvanceStep(nc, nr, OpenEditor, true, Forward, AutoEdit, Force, Budget);
    } else {
        FocusCell(nc, nr, true);
    }

    if (!OpenEditor)
        return true;
    const TPoint target = BaseCell(RealCol(), Row());
    const bool controlTarget = IsControlCell(target.X, target.Y);
    if ((AutoEdit && FNavigation.AdvanceAutoEdit()) || controlTarget) {
        if (!IsEditable(RealCol(), Row()))
            return true;
        ShowEditor();
        if (controlTarget) {
            const bool startWasControl = IsControlCell(RealColIndex(startCol), startRow);
            if (!startWasControl) {
                const TRect r = CellRect(Col(), Row());
                MouseDown(mbLeft, {}, r.Left + 2, r.Top + 2);
                MouseUp(mbLeft, {}, r.Left + 2, r.Top + 2);
                if (dir != adLeftRight)
                    HideEditor();
            }
            bool allow = true;
            if (OnCellChanging)
                OnCellChanging(this, startRow, startCol, Row(), Col(), allow);
            TEditorType startEditor = DefaultEditor();
            GetCellEditorType(RealColIndex(startCol), startRow, startEditor);
            if (!IsTextEditorType(startEditor))
                HideEditor();
        }
    }
    if (FMouseActions.DisjunctRowSelect()) {
        ClearRowSelect();
        SetRowSelect(Row(), true);
    }
    return true;
}
