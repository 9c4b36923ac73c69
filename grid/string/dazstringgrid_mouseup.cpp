// TDazStringGrid: the left button release (pushed cell buttons, disjunct selection, header
// click sorting, selection-resize pasting), the double click, the right button, and the
// grid's step inside the framework's release handling.
#include "grid/string/dazstringgrid.h"
#include "grid/string/griddatatools.h"

#include <QElapsedTimer>
#include <QFontMetrics>
#include <QGuiApplication>

// ---------------------------------------------------------------------------------------
// Left button up
// ---------------------------------------------------------------------------------------

void TDazStringGrid::ReleaseControlButton()
{
    if (!FCtrlDown)
        return;
    FCtrlDown = false;
    if (FCtrlXY.X >= 0 && FCtrlXY.Y >= 0 && FCtrlXY.Y < RowCount())
        RepaintCell(DisplColIndex(FCtrlXY.X), FCtrlXY.Y);
}

void TDazStringGrid::WMLButtonUp(int X, int Y, TShiftState Shift)
{
    // 1.
    FMouseDown = false;
    FMouseKeepDown = false;
    FMouseDownMove = false;
    FMouseSelectStart = -1;
    bool deselected = false;
    ReleaseControlButton();
    // 2, 5. Fixed-cell sizing ends; the sizing hint goes.
    EndFixedSizing(X, Y);
    ReleaseSizingHint();
    // 4. A pushed cell button clicks when the release is on it.
    int acol = -1, arow = -1;
    MouseToCell(X, Y, acol, arow);
    if (FPushedCellButton.X >= 0) {
        const TGridCoord pushed = FPushedCellButton;
        FPushedCellButton = {-1, -1};
        releaseMouse();
        RepaintCell(pushed.X, pushed.Y);
        const bool enabled = Options().Contains(goEditing) ||
                             (acol >= 0 && arow >= 0 && !FControlLook.NoDisabledButtonLook() &&
                              IsEditableCell(pushed.X, pushed.Y) && !IsFixed(pushed.X, pushed.Y));
        const bool fixedPushed = pushed.Y < FixedRows() || pushed.X < FixedCols();
        if ((enabled || FControlLook.NoDisabledButtonLook() || fixedPushed) && acol >= 0 &&
            arow >= 0) {
            const TRect br = CellButtonRect(acol, arow);
            const bool onButton = X >= br.Left && X < br.Right && Y >= br.Top && Y < br.Bottom;
            if ((onButton && acol == pushed.X && arow == pushed.Y) ||
                (fixedPushed && FixedAsButtons())) {
                const int realCol = RealColIndex(pushed.X);
                if (GetCellType(realCol, pushed.Y) == ctExpand) {
                    // The expand state flips and the row takes its height for it.
                    DoExpandClick(realCol, pushed.Y, ToggleExpand(realCol, pushed.Y));
                } else if (OnButtonClick) {
                    OnButtonClick(this, realCol, pushed.Y);
                }
            }
            // 5. A release on a cell button ends here.
            if (onButton)
                return;
        }
    }
    // 6. OnClick for a release on a fixed row or column.
    const bool sizingCursor = arow >= 0 && arow < FixedRows() && acol >= 0 &&
                              Options().Contains(goColSizing) && NearColumnBorder(acol, arow, X);
    if (OnClick && FDoOnClick && !sizingCursor &&
        (acol < 0 || arow < 0 || arow < FixedRows() || acol < FixedCols()))
        OnClick(this);
    FDoOnClick = false;
    // 7. A selection drag ends with the grid's click.
    if (GridState() == gsSelecting) {
        SetGridState(gsNormal);
        Click();
    }
    // 8. A press that armed a drag and was released without one selects now.
    if (SelectionClickUp(acol, arow, Shift))
        return;
    // 9. Disjunct row selection.
    if (FMouseActions.DisjunctRowSelect() && acol >= 0 && !(acol == 0 && IsNodeRow(arow))) {
        if (!(acol == 0 && FMouseActions.HotmailRowSelect())) {
            const TGridRect s = Selection();
            const int bottom = std::min(s.Bottom, RowCount() - FixedFooters() - 1);
            for (int r = std::max(s.Top, FixedRows()); r <= bottom; ++r)
                SetRowSelect(FMouseActions.RowSelectPersistent() ? RealRowIndex(r) : r, true);
        }
        if (FDeselectState && arow >= FixedRows() && arow < RowCount() - FixedFooters()) {
            SetRowSelect(FMouseActions.RowSelectPersistent() ? RealRowIndex(arow) : arow, false);
            deselected = true;
            if (FMouseActions.HotmailRowSelect())
                RepaintCell(0, 0);
        }
        FDeselectState = false;
    }
    // 11. Disjunct column selection.
    if (FMouseActions.DisjunctColSelect()) {
        const TGridRect s = Selection();
        for (int c = std::max(s.Left, FixedCols()); c <= s.Right; ++c)
            SetColSelect(c, true);
        if (FDeselectState && acol >= FixedCols() && acol < ColCount() - FixedRightCols())
            SetColSelect(acol, false);
        FDeselectState = false;
    }
    // 13. The framework's release.
    MouseUp(mbLeft, Shift, X, Y);
    if (deselected)
        FSelChanged = false;
    if (GridState() == gsSelecting)
        SetGridState(gsNormal);
    // 14. The selection-resize drag pastes the copied cells.
    if (FMouseResize) {
        if (OnSelectionResize)
            OnSelectionResize(this, FDropSelection, Selection());
        PasteSelectionFromClipboard();
        FMouseResize = false;
        if (OnSelectionResized)
            OnSelectionResized(this, FDropSelection, Selection());
    }
    // 15.
    if (acol < 0 || arow < 0)
        return;
    const int realCol = RealColIndex(acol);
    if (acol >= FixedCols() || FSortSettings.FixedCols()) {
        bool state = false;
        if (HasCheckBox(realCol, arow) && OnCheckBoxMouseUp) {
            GetCheckBoxState(realCol, RealRowIndex(arow), state);
            OnCheckBoxMouseUp(this, realCol, arow, state);
        }
        int idx = -1;
        if (IsRadio(realCol, arow) && OnRadioMouseUp) {
            GetRadioIdx(realCol, arow, idx);
            OnRadioMouseUp(this, realCol, arow, idx);
        }
    }
    // 16. No sort after an auto-size double click or on a column border.
    if (FDblClk) {
        FDblClk = false;
        return;
    }
    if (arow == 0 && NearColumnBorder(acol, arow, X))
        return;
    // A release on a header's drop-down or filter button is no sorting click.
    if (OnHeaderButton(acol, arow, X))
        return;
    // 17.
    HeaderClickSort(realCol, X, Y);
}

void TDazStringGrid::HeaderClickSort(int RealCol, int X, int Y)
{
    int acol = -1, arow = -1;
    MouseToCell(X, Y, acol, arow);
    const bool conditions = FSortSettings.Show() && arow == FSortSettings.Row() &&
                            arow == FPressCell.Y && FixedRows() > 0 &&
                            !IsInCheckBox(RealCol, arow, X, Y) && RowCount() > 2;
    if (!conditions)
        return;
    // Fixed columns (left or right) sort only when the settings say so.
    const bool fixedCol = acol < FixedCols() || acol >= ColCount() - FixedRightCols();
    if (fixedCol && !FSortSettings.FixedCols())
        return;
    bool doSort = !IgnoreColumns().HasValue(RealCol);
    if (OnCanSort)
        OnCanSort(this, RealCol, doSort);
    if (!doSort) {
        RepaintCell(DisplColIndex(RealCol), FSortSettings.Row());
        return;
    }
    HideInplaceEdit();
    if (FSortRowXRef.Count() != RowCount())
        InitSortXRef();
    const bool keepLeft = FNavigation.KeepHorizScroll() && Options().Contains(goRowSelect);
    const int oldLeft = LeftCol();
    QElapsedTimer timer;
    timer.start();
    BeginUpdate();
    try {
        if (FSortSettings.AutoColumnMerge())
            for (int c = 0; c < ColCount(); ++c)
                SplitColumnCells(c);
        if (FSortSettings.IndexShow()) {
            const bool ascending = FSortSettings.InitSortDirection() == sdAscending;
            const bool modifier = Qt::KeyboardModifiers(QGuiApplication::queryKeyboardModifiers())
                                      .testFlag(FSortSettings.IndexSortKey() == ikShift
                                                    ? Qt::ShiftModifier
                                                    : Qt::ControlModifier);
            if (modifier) {
                if (FSortIndexes.FindIndex(RealCol) < 0)
                    FSortIndexes.AddIndex(RealCol, ascending);
                else
                    FSortIndexes.ToggleIndex(RealCol);
            } else if (FSortIndexes.Count() == 1 && FSortIndexes.FindIndex(RealCol) == 0) {
                FSortIndexes.ToggleIndex(RealCol);
            } else {
                FSortIndexes.Clear();
                FSortIndexes.AddIndex(RealCol, ascending);
            }
            if (HasNodes())
                QSortGroupIndexed();
            else
                QSortIndexed();
            FSortSettings.SetColumn(FSortIndexes.Count() > 0 ? FSortIndexes.GetSortColumns(0) : -1);
        } else {
            bool undo = false;
            if (FSortSettings.Column() == RealCol) {
                undo = FSortSettings.Direction() != FSortSettings.InitSortDirection() &&
                       FSortSettings.UndoSort();
                FSortSettings.ToggleDirection();
            } else {
                FSortSettings.SetDirection(FSortSettings.InitSortDirection());
                FSortSettings.SetColumn(RealCol);
            }
            if (HasNodes()) {
                QSortGroup();
            } else if (undo) {
                QUnSort();
                FSortSettings.SetColumn(-1);
            } else {
                QSort();
            }
        }
        if (FSortSettings.AutoColumnMerge())
            for (int i = 0; i < FMergedColumns.Count(); ++i)
                MergeColumnCells(FMergedColumns.GetInteger(i), i == 0);
    } catch (...) {
        if (keepLeft)
            SetLeftCol(oldLeft);
        EndUpdate();
        throw;
    }
    if (keepLeft)
        SetLeftCol(oldLeft);
    EndUpdate();
    FSortTime = int(timer.elapsed());
    if (CellControlCount() > 0)
        CellControlsUpdate(true);
    DoClickSort(FSortSettings.Column());
}

void TDazStringGrid::DoClickSort(int ACol)
{
    if (OnClickSort)
        OnClickSort(this, ACol);
}

// ---------------------------------------------------------------------------------------
// Double click
// ---------------------------------------------------------------------------------------

void TDazStringGrid::WMLButtonDblClk(int X, int Y, TShiftState Shift)
{
    int acol = -1, arow = -1;
    MouseToCell(X, Y, acol, arow);
    auto framework = [&] { MouseDown(mbLeft, Shift + ssDouble, X, Y); };
    if (FMouseActions.RangeSelectAndEdit() && acol >= 0 && arow >= 0 &&
        !IsControlCell(RealColIndex(acol), arow))
        FForceSel = true;
    if (acol == -1 && arow >= 0) {
        if (FFixedRowAlways) {
            framework();
            return;
        }
        acol = ColCount() - 1;
        arow = 0;
        X = TBaseGrid::CellRect(acol, arow).Right;
    }
    // 2. Auto-size on a header border.
    if (arow >= 0 && arow < FixedRows() && Options().Contains(goColSizing) &&
        FMouseActions.AutoSizeColOnDblClick()) {
        const TRect r = TBaseGrid::CellRect(acol, arow);
        int col = -1;
        if (std::abs(X - r.Left) <= 4 && acol - 1 >= FixedCols())
            col = acol - 1;
        else if (std::abs(X - r.Right) <= 4 && acol >= FixedCols())
            col = acol;
        if (col >= 0) {
            FDblClk = true;
            bool allow = true;
            if (OnColumnSize)
                OnColumnSize(this, col, allow);
            if (allow) {
                AutoSizeCol(col, 0);
                if (OnEndColumnSize)
                    OnEndColumnSize(this, col);
            }
            FForceSel = false;
            framework();
            return;
        }
    }
    // 3.
    if (acol >= 0 && arow >= 0) {
        const TCellType kind = GetCellType(RealColIndex(acol), arow);
        if (kind == ctButton || kind == ctBitButton || kind == ctExpand) {
            const TRect br = CellButtonRect(acol, arow);
            if (X >= br.Left && X < br.Right && Y >= br.Top && Y < br.Bottom) {
                FForceSel = false;
                return;
            }
        }
        if (IsControlCell(RealColIndex(acol), arow)) {
            framework();
            FForceSel = false;
            return;
        }
    }
    // 4.
    framework();
    if (OnDblClickCell)
        OnDblClickCell(this, arow, acol);
    // 5.
    if (acol >= 0 && arow >= 0) {
        if (FMouseActions.EditOnDblClickOnly()) {
            const bool old = FMouseActions.RangeSelectAndEdit();
            FMouseActions.SetRangeSelectAndEdit(true);
            const bool editable = IsEditableCell(acol, arow);
            FMouseActions.SetRangeSelectAndEdit(old);
            if (editable) {
                SetOptions(Options() + goEditing);
                ShowEditor();
            }
        } else if (FMouseActions.RangeSelectAndEdit() && IsEditableCell(acol, arow)) {
            SetOptions(Options() + goEditing);
            const TPoint b = BaseCell(RealColIndex(acol), arow);
            const TRect r = CellRect(DisplColIndex(b.X), b.Y);
            MouseDown(mbLeft, {}, r.Left + 4, r.Top + 4);
        }
    }
    FForceSel = false;
    if (acol >= 0 && arow >= 0 &&
        ((arow < FixedRows() && FMouseActions.FixedRowsEdit() == fceDblClick) ||
         (acol < FixedCols() && FMouseActions.FixedColsEdit() == fceDblClick)))
        StartFixedCellEdit(acol, arow);
}

// ---------------------------------------------------------------------------------------
// Right button
// ---------------------------------------------------------------------------------------

void TDazStringGrid::WMRButtonDown(int X, int Y, TShiftState Shift)
{
    MouseDown(mbRight, Shift, X, Y);
    int acol = -1, arow = -1;
    MouseToCell(X, Y, acol, arow);
    if (FMouseActions.SelectOnRightClick() && acol >= 0 && arow >= 0 && !IsFixed(acol, arow) &&
        (!FMouseActions.DisjunctCellSelect() || !SelectedCells(acol, arow))) {
        const int realCol = RealColIndex(acol);
        if (!IsControlCell(realCol, arow)) {
            if (OnRightClickCell) {
                FocusCell(acol, arow);
            } else {
                MouseDown(mbLeft, {}, X, Y);
                MouseUp(mbLeft, {}, X, Y);
            }
        }
        if (IsSelected(acol, arow)) {
            bool can = true;
            if (OnSelectCell)
                OnSelectCell(this, acol, arow, can);
        } else {
            const TPoint b = BaseCell(realCol, arow);
            const int keepLeft = LeftCol();
            MoveColRow(DisplColIndex(b.X), b.Y, true, true);
            if (FNavigation.KeepHorizScroll())
                KeepLeftCol(keepLeft);
        }
        if (FMouseActions.DisjunctRowSelect()) {
            if (Shift.Contains(ssCtrl) || FMouseActions.DisjunctRowSelectNoCtrl()) {
                SetRowSelect(arow, !RowSelect(arow));
            } else if (!(RowSelectCount() > 1 && contextMenuPolicy() == Qt::CustomContextMenu &&
                         RowSelect(arow))) {
                ClearRowSelect();
                SetRowSelect(arow, true);
            }
        }
    }
    if (OnRightClickCell)
        OnRightClickCell(this, arow, acol);
    if (URLShow() && URLEdit() && acol >= 0 && arow >= 0 &&
        IsUrlText(Cells(RealColIndex(acol), arow))) {
        SetCol(acol);
        SetRow(arow);
        ShowEditor();
    }
}

void TDazStringGrid::WMRButtonUp(int X, int Y, TShiftState Shift)
{
    if (EnhRowColMove() && (GridState() == gsColMoving || GridState() == gsRowMoving))
        return;
    MouseUp(mbRight, Shift, X, Y);
}

// ---------------------------------------------------------------------------------------
// The grid's step inside the framework's release handling
// ---------------------------------------------------------------------------------------

void TDazStringGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const TGridRect before = Selection();
    const bool notify = Button == mbLeft || (Button == mbRight && FMouseActions.SelectOnRightClick());
    // 4. A sizing drag released outside the grid is cancelled.
    FDropDownDown = false;
    if ((GridState() == gsColSizing && X > width()) || (GridState() == gsRowSizing && Y > height())) {
        SetGridState(gsNormal);
        return;
    }
    // 5. Disjunct cell selection.
    if (FMouseActions.DisjunctCellSelect() && Button == mbLeft) {
        int acol = -1, arow = -1;
        MouseToCell(X, Y, acol, arow);
        if (acol >= 0 && arow >= 0) {
            const TPoint bc = BaseCell(acol, arow);
            if (!IsFixed(bc.X, bc.Y)) {
                bool can = true;
                if (OnSelectCell)
                    OnSelectCell(this, bc.X, bc.Y, can);
                if (!can)
                    return;
                if (Shift.Contains(ssShift)) {
                    SetSelectedCells(acol, arow, true);
                } else if (Shift.Contains(ssCtrl)) {
                    SetSelectedCells(bc.X, bc.Y, !SelectedCells(bc.X, bc.Y));
                } else {
                    ClearSelectedCells();
                    SetSelectedCells(bc.X, bc.Y, true);
                }
                const TGridRect s = Selection();
                if (s.Left != s.Right || s.Top != s.Bottom)
                    for (int r = s.Top; r <= s.Bottom; ++r)
                        for (int c = s.Left; c <= s.Right; ++c)
                            if ((c != bc.X || r != bc.Y) && !SelectedCells(c, r))
                                SetSelectedCells(c, r, true);
                InvalidateGrid();
            }
        }
    }
    // 6.
    if (notify) {
        if (Look() == glVista || Look() == glWin7 || Look() == glOffice2007)
            InvalidateGridRect(before);
        FSelChanged = true;
        DoSelectionChanged(before.Left, before.Top, before.Right, before.Bottom);
    }
    if (Button == mbLeft)
        if (IGridDataTools *tools = GridDataTools())
            tools->FilterMouseUp(*this, X, Y);
    // 7.
    if (GridState() == gsColMoving && Button == mbRight)
        return;
    TBaseGrid::MouseUp(Button, Shift, X, Y);
    const TGridRect after = Selection();
    if (!(after == before))
        DoSelectionChanged(after.Left, after.Top, after.Right, after.Bottom);
}
