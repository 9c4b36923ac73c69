// TDazStringGrid: dragging with the button held. Sizing fixed columns and rows by their
// borders, the sizing events and hint, row and column selection by dragging over the
// headers, the enhanced header drag (a floating header button or cell picture and drop
// arrows), and what follows a column or row move.
#include "grid/string/dazstringgrid.h"

#include "grid/base/indicator.h"
#include "grid/string/footerpanel.h"
#include "grid/string/headerdrag.h"
#include "grid/string/htmlhintwindow.h"
#include "grid/string/sizingline.h"

int TDazStringGrid::MovedIndex(int Pos, int From, int To)
{
    if (Pos == From)
        return To;
    if (From < To && Pos > From && Pos <= To)
        return Pos - 1;
    if (To < From && Pos >= To && Pos < From)
        return Pos + 1;
    return Pos;
}

// ---------------------------------------------------------------------------------------
// Fixed columns and rows sized by their borders
// ---------------------------------------------------------------------------------------

void TDazStringGrid::TrackFixedSizing(int ACol, int ARow, int X, int Y)
{
    const bool onCell = ACol >= 0 && ARow >= 0;
    FSizeFixed = false;
    if (onCell && FMouseActions.SizeFixedCol())
        for (int i = 0; i < FixedCols(); ++i)
            if (std::abs(int(ColOffset(i + 1)) - X) < 3)
                FSizeFixed = true;
    if (FSizingFixed && X != FSizeFixedX) {
        DrawColSizingLine(FSizeFixedX);
        FSizeFixedX = X;
        DrawColSizingLine(FSizeFixedX);
    }
    FSizeFixedR = false;
    if (onCell && FMouseActions.SizeFixedRow())
        for (int i = 0; i < FixedRows(); ++i)
            if (std::abs(int(RowOffset(i + 1)) - Y) < 3)
                FSizeFixedR = true;
    if (FSizingFixedR && Y != FSizeFixedY) {
        DrawRowSizingLine(FSizeFixedY);
        FSizeFixedY = Y;
        DrawRowSizingLine(FSizeFixedY);
    }
}

bool TDazStringGrid::StartFixedSizing(int X, int Y)
{
    // What the drags measure from.
    FPressPoint = QPoint(X, Y);
    FPressLeftCol = LeftCol();
    FScrolledUp = false;
    const TGridCoord cell = MouseCoord(X, Y);
    if (cell.X >= 0 && cell.Y >= 0) {
        const TRect r = CellRect(cell.X, cell.Y);
        FMoveOffset = QPoint(X - r.Left, Y - r.Top);
    }
    if (FSizeFixed) {
        FSizingFixed = true;
        FSizeFixedX = X;
        DrawColSizingLine(X);
        for (int i = 0; i < FixedCols(); ++i)
            if (std::abs(int(ColOffset(i + 1)) - X) < 3)
                FSizingFixedCol = i;
        return true;
    }
    if (FSizeFixedR) {
        FSizingFixedR = true;
        FSizeFixedY = Y;
        DrawRowSizingLine(Y);
        for (int i = 0; i < FixedRows(); ++i)
            if (std::abs(int(RowOffset(i + 1)) - Y) < 3)
                FSizingFixedRow = i;
        return true;
    }
    return false;
}

bool TDazStringGrid::EndFixedSizing(int X, int Y)
{
    if (!FSizingFixed && !FSizingFixedR)
        return false;
    const bool cols = FSizingFixed;
    FSizingFixed = false;
    FSizingFixedR = false;
    if (FSizingLine)
        FSizingLine->Clear();
    if (cols) {
        const int col = FSizingFixedCol;
        int width = std::max(0, X - int(ColOffset(col)));
        SetColWidths(col, width);
        if (OnEndColumnSize)
            OnEndColumnSize(this, col);
        if (OnUpdateColumnSize) {
            const int old = width;
            OnUpdateColumnSize(this, col, width);
            if (width != old)
                SetColWidths(col, std::max(0, width));
        }
    } else {
        const int row = FSizingFixedRow;
        SetRowHeights(row, std::max(0, Y - int(RowOffset(row))));
        if (OnEndRowSize)
            OnEndRowSize(this, row);
    }
    return true;
}

// ---------------------------------------------------------------------------------------
// Sizing events and hint
// ---------------------------------------------------------------------------------------

void TDazStringGrid::SizingFeedback(int X, int Y)
{
    (void)X;
    (void)Y;
    const bool colSizing = GridState() == gsColSizing || FSizingFixed;
    const bool rowSizing = GridState() == gsRowSizing || FSizingFixedR;
    if (!colSizing && !rowSizing)
        return;
    int index = 0, size = 0;
    TGridCoord cell{0, 0};
    if (colSizing) {
        if (FSizingFixed) {
            size = FSizeFixedX;
        } else {
            index = SizingIndex();
            size = SizingPos() - UnclippedCellRect(index, 0).Left;
            cell = {index, 0};
        }
        if (OnColumnSizing)
            OnColumnSizing(this, index, size);
    } else {
        if (FSizingFixedR) {
            size = FSizeFixedY;
        } else {
            index = SizingIndex();
            size = SizingPos() - UnclippedCellRect(0, index).Top;
            cell = {0, index};
        }
        if (OnRowSizing)
            OnRowSizing(this, index, size);
    }
    if (HintShowSizing())
        ShowSizingHint((colSizing ? QStringLiteral("cw=<b>") : QStringLiteral("rh=<b>")) +
                           QString::number(size) + QStringLiteral("</b>"),
                       cell.X, cell.Y);
}

void TDazStringGrid::ShowSizingHint(const QString &Text, int ACol, int ARow)
{
    THTMLHintWindow *w = ScrollHintWindow();
    const TRect r = UnclippedCellRect(ACol, ARow);
    const QPoint at = viewport()->mapToGlobal(QPoint(r.Left, r.Top));
    const TRect size = w->CalcHintRect(200, Text, this);
    w->SetColor(HintColor());
    w->ActivateHint(TRect(at.x(), at.y(), at.x() + size.Width(), at.y() + size.Height()), Text);
    FScrollHintShow = true;
}

void TDazStringGrid::ReleaseSizingHint()
{
    if (!FScrollHintShow)
        return;
    FScrollHintShow = false;
    ScrollHintWindow()->hide();
}

// ---------------------------------------------------------------------------------------
// Row and column selection by the headers
// ---------------------------------------------------------------------------------------

void TDazStringGrid::ClickOnHeaderSelect(int ACol, int ARow, TShiftState Shift,
                                         const TGridRect &OldSel)
{
    const bool shift = Shift.Contains(ssShift);
    if (ACol < FixedCols() && ARow < FixedRows() && FMouseActions.AllSelect() &&
        Options().Contains(goRangeSelect) && FMouseSelectMode == msAll) {
        setFocus();
        ExportNotification(esExportStart, -1);
        ExportNotification(esExportNewRow, RowCount() - 1);
        ExportNotification(esExportFail, -1);
        SetSelection({FixedCols(), FixedRows(), ColCount() - 1, RowCount() - 1});
        if (ActiveCellShow())
            InvalidateGrid();
    } else if (ACol < FixedCols() && ARow >= FixedRows() && FMouseActions.RowSelect() &&
               FMouseSelectMode == msRow) {
        if (EditorMode())
            setFocus();
        if (FMouseActions.DisjunctCellSelect())
            ClearSelectedCells();
        const int other = shift ? OldSel.Top : ARow;
        SetSelection({FixedCols(), std::min(ARow, other), ColCount() - 1, std::max(ARow, other)});
        FMouseSelectStart = ARow;
        if (ActiveCellShow() || !FRowIndicator.Empty())
            InvalidateCol(0);
    } else if (ARow < FixedRows() && ACol >= FixedCols() && FMouseActions.ColSelect() &&
               Options().Contains(goRangeSelect) && FMouseSelectMode == msColumn) {
        setFocus();
        if (FMouseActions.DisjunctCellSelect())
            ClearSelectedCells();
        int from = ACol, to = ACol;
        if (shift) {
            if (ACol < OldSel.Left)
                to = OldSel.Right;
            else
                from = OldSel.Left;
        }
        SetSelection({from, FixedRows(), to, RowCount() - 1});
        FMouseSelectStart = ACol;
        if (ActiveCellShow())
            InvalidateRow(FixedRows() - 1);
    }
}

void TDazStringGrid::HeaderDragSelect(int X, int Y)
{
    if (FMouseSelectStart < 0 || !FMouseDownMove)
        return;
    int acol = -1, arow = -1;
    MouseToCell(X, Y, acol, arow);
    if (FMouseActions.RowSelect() && FMouseSelectMode == msRow && arow >= FixedRows() &&
        arow < RowCount() - FFixedFooters) {
        const int from = std::max(FMouseSelectStart, FixedRows());
        const TGridRect s{FixedCols(), std::min(from, arow), ColCount() - 1, std::max(from, arow)};
        if (!(s == Selection())) {
            SetSelection(s);
            if (SelectionRectangle()) {
                InvalidateGrid();
                FSizeSelection = s;
            }
        }
        if (Y > height() - 4 && TopRow() + VisibleRowCount() < RowCount()) {
            SetTopRow(TopRow() + 1);
        } else if (Y < RowHeights(0) && TopRow() > FixedRows()) {
            SetTopRow(TopRow() - 1);
            FScrolledUp = true;
        }
    } else if (FMouseActions.ColSelect() && FMouseSelectMode == msColumn && acol >= FixedCols()) {
        const int from = std::max(FMouseSelectStart, FixedCols());
        const TGridRect s{std::min(from, acol), FixedRows(), std::max(from, acol), RowCount() - 1};
        if (!(s == Selection())) {
            SetSelection(s);
            InvalidateGrid();
        }
    }
}

// ---------------------------------------------------------------------------------------
// Enhanced header drags
// ---------------------------------------------------------------------------------------

TArrowWindow *TDazStringGrid::ArrowWindow(TArrowDirection Direction) const
{
    return FArrows[Direction];
}

void TDazStringGrid::EnhancedHeaderDrag(int ACol, int ARow, int X, int Y)
{
    const bool colDrag = GridState() == gsColMoving;
    const int origin = MoveIndex();
    bool allow = true;
    if (colDrag && OnColumnMove)
        OnColumnMove(this, origin, allow);
    else if (!colDrag && OnRowMove)
        OnRowMove(this, origin, allow);
    if (!allow) {
        SetGridState(gsNormal);
        HideHeaderDrag();
        viewport()->update();
        return;
    }
    if (!EnhRowColMove() || RowCount() <= 1 || QPoint(X, Y) == FPressPoint || FSizingFixed ||
        FSizingFixedR)
        return;

    const bool showCells = FDragDropSettings.ShowCells();
    if (!FDragStarted) {
        FDragStarted = true;
        DoStartBlockFocus();
        if (!FMoveButton)
            FMoveButton = new THeaderDragButton(this);
        if (colDrag && origin >= FixedCols()) {
            if (showCells && !FMoveForm) {
                const int last = std::min(RowCount() - 1, TopRow() + VisibleRowCount() - FixedRows());
                FMoveForm = SelectionToForm({origin, 0, origin, std::max(0, last)});
            }
            FMoveButton->SetCaption(Cells(RealColIndex(origin), 0));
            FMoveButton->resize(ColWidths(origin), RowHeights(std::max(0, ARow)));
        } else if (!colDrag && origin >= FixedRows()) {
            if (showCells && !FMoveForm) {
                const int last = std::min(ColCount() - 1, VisibleColCount() + LeftCol() - FixedCols());
                FMoveForm = SelectionToForm({0, origin, std::max(0, last), origin});
            }
            FMoveButton->SetCaption(Cells(RealColIndex(0), origin));
            FMoveButton->resize(ColWidths(std::max(0, ACol)), RowHeights(origin));
        }
        if (FMoveForm)
            FMoveForm->show();
        else
            FMoveButton->show();
    }
    const QPoint at = viewport()->mapToGlobal(QPoint(X, Y) - FMoveOffset);
    if (FMoveForm) {
        if (layoutDirection() == Qt::RightToLeft)
            FMoveForm->move(at.x() - FMoveForm->width() + ColWidths(0), at.y());
        else
            FMoveForm->move(at);
        FMoveForm->raise();
    } else {
        FMoveButton->move(at);
        FMoveButton->raise();
    }

    const bool footer = FFloatingFooter.Visible() && FFloatingFooter.FooterStyle() == fsFixedLastRow;
    if (colDrag) {
        FMoveColInd = ACol;
        FMoveRowInd = 0;
        ShowDropArrows();
        if (OnColumnMoving)
            OnColumnMoving(this, ACol, allow);
    } else if (!(footer && ARow == RowCount() - 1)) {
        FMoveColInd = 0;
        FMoveRowInd = ARow;
        ShowDropArrows();
        if (OnRowMoving)
            OnRowMoving(this, ARow, allow);
    } else {
        allow = false;
    }
    FDragAllowed = allow;
    SetGridCursor(GridCursor(allow ? gcDrag : gcNoDrop));
}

void TDazStringGrid::ShowDropArrows()
{
    for (int d = 0; d < 4; ++d)
        if (!FArrows[d]) {
            FArrows[d] = new TArrowWindow(this, TArrowDirection(d));
            FArrows[d]->resize(11, 11);
        }
    // ArrowColor may have changed since the arrows were made.
    for (TArrowWindow *a : FArrows) {
        a->SetColor(ArrowColor());
        a->hide();
    }
    const int origin = MoveIndex();
    if (GridState() == gsColMoving) {
        const int target = FMoveColInd;
        if (target < FixedCols() || target < LeftCol() || target >= LeftCol() + VisibleColCount())
            return;
        const TRect r = CellRect(target, 0);
        const QPoint tl = viewport()->mapToGlobal(QPoint(r.Left, r.Top));
        const int x = target < origin ? tl.x() - 5 : tl.x() + r.Width() - 5;
        FArrows[arrUp]->move(x, tl.y() + r.Height());
        FArrows[arrDown]->move(x, tl.y() - 8);
        FArrows[arrUp]->show();
        FArrows[arrDown]->show();
    } else if (GridState() == gsRowMoving) {
        const int target = FMoveRowInd;
        if (target < FixedRows() || target < TopRow() || target >= TopRow() + VisibleRowCount())
            return;
        const TRect r = CellRect(0, target);
        const QPoint tl = viewport()->mapToGlobal(QPoint(r.Left, r.Top));
        const int y = target < origin ? tl.y() - 5 : tl.y() + r.Height() - 5;
        FArrows[arrLeft]->move(tl.x() - 10, y);
        FArrows[arrRight]->move(tl.x() + r.Width(), y);
        FArrows[arrLeft]->show();
        FArrows[arrRight]->show();
    }
}

void TDazStringGrid::HideHeaderDrag()
{
    if (FMoveButton)
        FMoveButton->hide();
    for (TArrowWindow *a : FArrows)
        if (a)
            a->hide();
    delete FMoveForm;
    FMoveForm = nullptr;
    FMoveColInd = -1;
    FMoveRowInd = -1;
    if (FDragStarted) {
        FDragStarted = false;
        RestoreGridCursor();
        DoEndBlockFocus();
    }
}

void TDazStringGrid::DoStartBlockFocus()
{
    if (OnStartBlockFocus)
        OnStartBlockFocus(this);
}

void TDazStringGrid::DoEndBlockFocus()
{
    if (OnEndBlockFocus)
        OnEndBlockFocus(this);
}

bool TDazStringGrid::CheckColumnDrag(int &Origin, int &Destination, QPoint MousePt)
{
    return TBaseGrid::CheckColumnDrag(Origin, Destination, MousePt);
}

bool TDazStringGrid::CheckRowDrag(int &Origin, int &Destination, QPoint MousePt)
{
    // Nothing lands on the footer row the floating footer shows.
    if (FFloatingFooter.Visible() && FFloatingFooter.FooterStyle() == fsFixedLastRow &&
        Destination == RowCount() - 1)
        return false;
    return TBaseGrid::CheckRowDrag(Origin, Destination, MousePt);
}

bool TDazStringGrid::EndColumnDrag(int &Origin, int &Destination, QPoint MousePt)
{
    const bool refused = FDragStarted && !FDragAllowed;
    HideHeaderDrag();
    FDragAllowed = true;
    if (refused) {
        InvalidateRow(0);
        return false;
    }
    return TBaseGrid::EndColumnDrag(Origin, Destination, MousePt);
}

bool TDazStringGrid::EndRowDrag(int &Origin, int &Destination, QPoint MousePt)
{
    const bool refused = FDragStarted && !FDragAllowed;
    HideHeaderDrag();
    FDragAllowed = true;
    if (refused || !CheckRowDrag(Origin, Destination, MousePt)) {
        InvalidateCol(0);
        return false;
    }
    return TBaseGrid::EndRowDrag(Origin, Destination, MousePt);
}

// ---------------------------------------------------------------------------------------
// After a column or row move
// ---------------------------------------------------------------------------------------

void TDazStringGrid::ColumnMoveFollowUp(int FromIndex, int ToIndex, int RealFrom, int RealTo)
{
    // The cells kept for hidden rows move the same way.
    for (int i = 0; i < FHiddenRows.Count(); ++i) {
        TStringList &cells = FHiddenRows.Item(i)->Items();
        if (std::max(RealFrom, RealTo) < cells.Count())
            cells.Move(RealFrom, RealTo);
    }
    if (FSortSettings.Column() >= 0)
        FSortSettings.SetColumn(MovedIndex(FSortSettings.Column(), RealFrom, RealTo));
    if (FSortSettings.IndexShow())
        for (int i = 0; i < FSortIndexes.Count(); ++i)
            FSortIndexes.SetSortColumns(
                i, MovedIndex(FSortIndexes.GetSortColumns(i) & 0xFFFF, RealFrom, RealTo));
    // The framework's own moves take the current column along already.
    if (FColumnMoveDirect) {
        const int col = MovedIndex(Col(), FromIndex, ToIndex);
        if (col != Col() && col < ColCount())
            MoveColRow(col, Row(), true, false);
    }
    if (FFloatingFooter.Visible() && FFooterPanel)
        FFooterPanel->update();
    auto *other = dynamic_cast<TDazStringGrid *>(FSyncGrid.Grid());
    if (other && FSyncGrid.MoveColumn() && !FSyncMoving) {
        other->FSyncMoving = true;
        try {
            other->MoveColumn(FromIndex, ToIndex);
        } catch (...) {
            other->FSyncMoving = false;
            throw;
        }
        other->FSyncMoving = false;
    }
}

void TDazStringGrid::RowMoved(int FromIndex, int ToIndex)
{
    if (FFloatingFooter.Visible() && FFloatingFooter.FooterStyle() == fsFixedLastRow &&
        ToIndex == RowCount() - 1)
        return;
    const TMovedEvent moved = OnRowMoved;
    OnRowMoved = nullptr;
    try {
        TBaseGrid::RowMoved(FromIndex, ToIndex);
    } catch (...) {
        OnRowMoved = moved;
        throw;
    }
    OnRowMoved = moved;
    if (OnRowMoved)
        OnRowMoved(this, FromIndex, ToIndex);
    auto *other = dynamic_cast<TDazStringGrid *>(FSyncGrid.Grid());
    if (other && FSyncGrid.MoveRow() && !FSyncMoving) {
        other->FSyncMoving = true;
        try {
            other->MoveRow(FromIndex, ToIndex);
        } catch (...) {
            other->FSyncMoving = false;
            throw;
        }
        other->FSyncMoving = false;
    }
}
