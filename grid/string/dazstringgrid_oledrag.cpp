// TDazStringGrid: dragging cells or a header's column out of the grid (OleDropSource). A
// press on the selection arms the drag instead of selecting; the first move of more than
// 3 pixels with the button held runs it; a release without such a move selects as a
// plain press would have.
#include "grid/string/dazstringgrid.h"

#include "grid/base/indicator.h"
#include "grid/string/griddatatools.h"
#include "grid/string/headerdrag.h"

namespace {

// The drag loop eats the button release: the press is over once the drag returns.
struct TOleDragScope
{
    bool &Dragging;
    explicit TOleDragScope(bool &Flag) : Dragging(Flag) { Dragging = true; }
    ~TOleDragScope() { Dragging = false; }
};

}   // namespace

bool TDazStringGrid::PressStartsOleDrag(int ACol, int ARow, const TRect &CellR, int X)
{
    if (!FDragDropSettings.OleDropSource() || Options().Contains(goEditing))
        return false;
    const bool headerRow = ARow < FixedRows();
    if (!(IsSelected(ACol, ARow) || (headerRow && !EnhRowColMove())))
        return false;
    const int realCol = RealColIndex(ACol);
    if (HasButton(realCol, ARow) || HasCheckBox(realCol, ARow))
        return false;
    if (headerRow && (FMouseActions.ColSelect() || FMouseActions.AllSelect()))
        return false;
    if (ACol < FixedCols())
        return false;
    if (Options().Contains(goColSizing) &&
        (std::abs(X - CellR.Left) < 4 || std::abs(X - CellR.Right) < 4))
        return false;
    return true;
}

bool TDazStringGrid::OleDragFromMove(int ACol, int ARow, int X, int Y, bool OnHandle,
                                     TShiftState Shift)
{
    if (!FDragDropSettings.OleDropSource() || !FSelectionClick || ACol < 0 || ARow < 0 ||
        !Shift.Contains(ssLeft) || GridState() == gsColSizing || OnHandle)
        return false;
    if (std::abs(X - FClickPos.X) <= 3 && std::abs(Y - FClickPos.Y) <= 3)
        return false;
    FSelectionClick = false;
    const int realCol = RealColIndex(ACol);
    bool allow = true;
    if (FDragDropSettings.OleColumnsOnly() && ARow >= FixedRows())
        allow = false;
    else if (OnOleDrag)
        OnOleDrag(this, ARow, realCol, Cells(realCol, ARow), allow);
    if (!allow) {
        if (GridState() == gsNormal)
            SetGridState(gsSelecting);
        return false;
    }
    RunOleDrag(ACol, ARow, X, Y);
    return true;
}

void TDazStringGrid::RunOleDrag(int ACol, int ARow, int X, int Y)
{
    const int realCol = RealColIndex(ACol);
    IGridDataTools *tools = GridDataTools();
    std::unique_ptr<TASGDropSource> source = tools ? tools->CreateDropSource(*this) : nullptr;
    if (!source)
        source = std::make_unique<TASGDropSource>();
    if (OnOleDragStart)
        OnOleDragStart(this, ARow, realCol);
    DoStartBlockFocus();

    const bool showCells = FDragDropSettings.ShowCells();
    const bool columnDrag = ARow < FixedRows() && FDragDropSettings.OleColumnDragDrop();
    const QPoint screen = viewport()->mapToGlobal(QPoint(X, Y));
    if (showCells && !FMoveForm) {
        // The visible part of what is dragged, painted without the selection's colour.
        const int lastRow = std::min(RowCount() - 1, TopRow() + VisibleRowCount());
        const int lastCol = std::min(ColCount() - 1, LeftCol() + VisibleColCount());
        TGridRect part = Selection();
        if (columnDrag)
            part = {ACol, 0, ACol, std::max(0, lastRow - FixedRows())};
        part.Top = std::max(part.Top, std::min(part.Bottom, TopRow()));
        part.Bottom = std::min(part.Bottom, lastRow);
        part.Right = std::min(part.Right, lastCol);
        const bool hidden = SelectionHidden();
        if (!hidden)
            HideSelection();
        FMoveForm = SelectionToForm(part);
        if (!hidden)
            UnHideSelection();
        if (layoutDirection() == Qt::RightToLeft)
            FMoveForm->move(screen.x() - FMoveForm->width() + ColWidths(0), screen.y());
        else
            FMoveForm->move(screen);
        FMoveForm->show();
        FMoveForm->raise();
    }

    TOleDragScope scope(FOleDragging);
    FMouseDownMove = false;
    FMouseKeepDown = false;
    const int okEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    int effect = DROPEFFECT_NONE;
    auto dropForm = [this] {
        delete FMoveForm;
        FMoveForm = nullptr;
    };
    if (columnDrag) {
        if (!showCells) {
            if (!FMoveButton)
                FMoveButton = new THeaderDragButton(this);
            FMoveButton->SetCaption(Cells(realCol, ARow));
            FMoveButton->resize(ColWidths(ACol), RowHeights(0));
            FMoveButton->move(screen);
            FMoveButton->show();
            FMoveButton->raise();
        }
        const long result = StartColDoDragDrop(this, source.get(), realCol, okEffects, effect);
        if (result != DRAGDROP_S_CANCEL && OnOleDragStop)
            OnOleDragStop(this, effect);
        if (FMoveButton)
            FMoveButton->hide();
        for (TArrowDirection d : {arrUp, arrDown})
            if (FArrows[d])
                FArrows[d]->hide();
        dropForm();
        return;
    }

    FDropSelection = Selection();
    QByteArray stream;
    if (FNavigation.AllowFmtClipboard() && tools)
        stream = tools->CellStream(*this, FDropSelection);
    const long result =
        StartTextDoDragDrop(this, source.get(), SelectedText(), Cells(realCol, ARow), effect,
                            okEffects, stream.isEmpty() ? nullptr : &stream);
    dropForm();
    if (result == DRAGDROP_S_CANCEL)
        return;
    if (effect == DROPEFFECT_MOVE && !FDragDropSettings.OleCopyAlways()) {
        const TGridRect s = FDropSelection;
        if (FDragDropSettings.OleRemoveRows() && Options().Contains(goRowSelect)) {
            if (FMouseActions.DisjunctRowSelect())
                RemoveSelectedRows();
            else if (s.Top >= FixedRows() && s.Bottom < RowCount())
                RemoveRows(s.Top, s.Bottom - s.Top + 1);
        } else if (FMouseActions.DisjunctRowSelect()) {
            ClearSelection();
        } else {
            ClearRect(s.Left, s.Top, s.Right, s.Bottom);
        }
    }
    if (OnOleDragStop)
        OnOleDragStop(this, effect);
}

bool TDazStringGrid::SelectionClickUp(int ACol, int ARow, TShiftState Shift)
{
    if (!FSelectionClick)
        return false;
    FSelectionClick = false;
    if (ACol < FixedCols() || ARow < FixedRows() || ACol >= ColCount() || ARow >= RowCount())
        return false;
    if (FMouseActions.DisjunctRowSelect() && FDragDropSettings.OleDropSource()) {
        if (!Shift.Contains(ssCtrl) && !FMouseActions.DisjunctRowSelectNoCtrl()) {
            ClearRowSelect();
        } else {
            const int row = FMouseActions.RowSelectPersistent() ? RealRowIndex(ARow) : ARow;
            SetRowSelect(row, !RowSelect(row));
            if (OnMouseUp)
                OnMouseUp(this, mbLeft, {ssCtrl}, ACol, ARow);
            return true;
        }
    }
    const int oldRow = Row();
    TBaseGrid::FocusCell(ACol, ARow, true);
    if (Options().Contains(goRowSelect))
        TBaseGrid::SetSelection({FixedCols(), ARow, ColCount() - 1, ARow});
    RepaintRowIndicator(oldRow, ARow);
    return false;
}
