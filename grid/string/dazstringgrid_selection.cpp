// TDazStringGrid: the current row, the selection and its queries, the selection gate every
// move of the current cell passes, the disjunct row and column selections, the row marks
// and the repaint helpers.
#include "grid/string/dazstringgrid.h"

#include "grid/base/markup.h"
#include "grid/base/textroutines.h"
#include "grid/string/richtext.h"

#include <algorithm>
#include <limits>

namespace {

// The indexes [First, Last) of Index .. Index + Count - 1 that lie in 0 .. Limit - 1,
// without overflowing for any arguments.
struct TIndexRange
{
    int First;
    int Last;
};

TIndexRange ClipRange(int Index, int Count, int Limit)
{
    const int64_t first = std::max<int64_t>(Index, 0);
    const int64_t last = std::min<int64_t>(int64_t(Index) + std::max(Count, 0), Limit);
    return {int(first), int(std::max(first, last))};
}

// The height of the search panel under the grid while it shows.
constexpr int SearchPanelHeight = 32;

int CellKey(int ACol, int ARow)
{
    return int((unsigned(ARow) << 16) | (unsigned(ACol) & 0xFFFFu));
}

// Grows a 0/1 list up to Index + 1 entries.
void GrowTo(TIntList &List, int Index)
{
    while (List.Count() <= Index)
        List.Add(0);
}

}   // namespace

// ---------------------------------------------------------------------------------------
// Current row and view
// ---------------------------------------------------------------------------------------

void TDazStringGrid::SetRow(int Value)
{
    if (Col() < 0 || Col() >= ColCount())
        MoveCurrentCell(FixedCols(), Value);
    TBaseGrid::SetRow(Value);
    ReportRowChange();
    if (FMouseActions.DisjunctRowSelect()) {
        const bool persistent = FMouseActions.RowSelectPersistent();
        const TGridRect s = Selection();
        const int bottom = std::min(s.Bottom, RowCount() - FFixedFooters - 1);
        for (int r = s.Top; r <= bottom; ++r)
            SetRowSelect(persistent ? RealRowIndex(r) : r, true);
        if (NumHiddenRows() > 0)
            InvalidateGrid();
    }
    if (TStringGridBase *other = FSyncGrid.Grid(); other && FSyncGrid.SelectionRow())
        other->SetRow(Row());
    if (Value == RowCount() - 1 && FSearchFooter.Visible())
        ScrollAboveSearchPanel();
}

// OnRowChanged once per change of row, with the row last reported as OldRow.
void TDazStringGrid::ReportRowChange()
{
    if (Row() != FOldRowSel && OnRowChanged) {
        const int old = FOldRowSel;
        FOldRowSel = Row();
        OnRowChanged(this, old, Row());
    }
}

void TDazStringGrid::SetTopRow(int Value)
{
    if (Value >= FixedRows() && Value <= RowCount() - 1)
        TBaseGrid::SetTopRow(Value);
}

void TDazStringGrid::SetSelection(const TGridRect &Value)
{
    TBaseGrid::SetSelection(Value);
    FSelChanged = true;
    if (FActiveCellShow) {
        InvalidateRow(0);
        InvalidateCol(0);
    }
    if (ActiveRowShow())
        RepaintRow(Value.Bottom);
}

void TDazStringGrid::SelectCells(int FromCol, int FromRow, int ToCol, int ToRow)
{
    SetSelection({FromCol, FromRow, ToCol, ToRow});
}

void TDazStringGrid::HideSelection()
{
    FOldSelection = Selection();
    TBaseGrid::SetSelection({ColCount(), RowCount(), ColCount(), RowCount()});
    FSelectionHidden = true;
}

void TDazStringGrid::UnHideSelection()
{
    FSelectionHidden = false;
    if (FOldSelection.Top < RowCount() && FOldSelection.Left < ColCount()) {
        TBaseGrid::SetSelection(FOldSelection);
        return;
    }
    const int top = FFixedRowAlways && FixedRows() == RowCount() ? 0 : FixedRows();
    const int left = FFixedColAlways && FixedCols() == ColCount() ? 0 : FixedCols();
    TBaseGrid::SetSelection({left, top, left, top});
}

void TDazStringGrid::UpdateEditMode()
{
    SelectCell(Col(), Row());
}

void TDazStringGrid::MoveCurrentCell(int ACol, int ARow)
{
    if (ACol >= 0 && ARow >= 0 && ACol < ColCount() && ARow < RowCount())
        MoveColRow(ACol, ARow, true, true);
}

// ---------------------------------------------------------------------------------------
// Selection queries
// ---------------------------------------------------------------------------------------

bool TDazStringGrid::IsSelected(int ACol, int ARow) const
{
    if (ACol < FixedCols() || ARow < FixedRows())
        return false;
    if (FMouseActions.DisjunctCellSelect())
        return FSelectedCells.HasValue(CellKey(ACol, ARow));
    if (FMouseActions.DisjunctRowSelect())
        return FRowSelectList.Get(FMouseActions.RowSelectPersistent() ? RealRowIndex(ARow) : ARow);
    if (FMouseActions.DisjunctColSelect())
        return FColSelectList.Get(ACol);
    return PointInGridRect(ACol, ARow, Selection());
}

int TDazStringGrid::SelectedCellsCount()
{
    if (FMouseActions.DisjunctCellSelect())
        return FSelectedCells.Count();
    FSelectedCells.Clear();
    const TGridRect s = Selection();
    if (s.Left == s.Right && s.Top == s.Bottom) {
        FSelectedCells.Add(CellKey(Col(), Row()));
    } else {
        for (int c = s.Left; c <= s.Right; ++c)
            for (int r = s.Top; r <= s.Bottom; ++r)
                FSelectedCells.Add(CellKey(c, r));
    }
    return FSelectedCells.Count();
}

bool TDazStringGrid::SelectedCells(int ACol, int ARow) const
{
    if (FMouseActions.DisjunctCellSelect())
        return FSelectedCells.HasValue(CellKey(ACol, ARow));
    return PointInGridRect(ACol, ARow, Selection());
}

void TDazStringGrid::SetSelectedCells(int ACol, int ARow, bool Value)
{
    const int key = CellKey(ACol, ARow);
    const bool present = FSelectedCells.HasValue(key);
    if (Value && !present)
        FSelectedCells.Add(key);
    else if (!Value && present)
        FSelectedCells.DeleteValue(key);
    RepaintCell(ACol, ARow);
}

TGridCoord TDazStringGrid::SelectedCell(int i) const
{
    const unsigned key = unsigned(FSelectedCells.GetInteger(i));
    return {int(key & 0xFFFFu), int(key >> 16)};
}

int TDazStringGrid::SelectedColCount() const
{
    if (FMouseActions.DisjunctColSelect())
        return FColSelectList.CountSet();
    const TGridRect s = Selection();
    const int width = std::abs(s.Left - s.Right);
    if (IsMergedCell(s.Left, s.Top)) {
        const int extra = CellSpan(s.Left, s.Top).X;
        if (s.Left + extra > s.Right)
            return extra + 1;
    }
    if (IsMergedCell(s.Right, s.Top))
        return width + CellSpan(s.Right, s.Top).X + 1;
    return width + 1;
}

int TDazStringGrid::SelectedRowCount() const
{
    if (FMouseActions.DisjunctRowSelect())
        return FRowSelectList.CountSet();
    const TGridRect s = Selection();
    const int bottom = std::min(s.Bottom, RowCount() - FFixedFooters - 1);
    if (IsMergedCell(s.Left, s.Top)) {
        const int extra = CellSpan(s.Left, s.Top).Y;
        if (bottom < s.Top + extra)
            return extra + 1;
    }
    int count = std::abs(s.Top - bottom) + 1;
    if (IsMergedCell(s.Left, bottom))
        count += CellSpan(s.Left, bottom).Y;
    return count;
}

int TDazStringGrid::SelectedRow(int i) const
{
    if (FMouseActions.DisjunctRowSelect())
        return i >= 0 && i < FSelectedRows.Count() ? FSelectedRows.GetInteger(i) : -1;
    const TGridRect s = Selection();
    const int row = std::min(s.Top, s.Bottom) + i;
    return i >= 0 && row <= std::max(s.Top, s.Bottom) ? row : -1;
}

QString TDazStringGrid::SelectedText()
{
    const TGridRect s = Selection();
    int left = s.Left;
    int right = s.Right;
    if (Options().Contains(goRowSelect) && FDragDropSettings.OleEntireRows()) {
        left = 0;
        right = ColCount() - 1;
    }
    std::vector<int> rows;
    if (FMouseActions.DisjunctRowSelect()) {
        const bool persistent = FMouseActions.RowSelectPersistent();
        for (int r = FixedRows(); r < RowCount(); ++r)
            if (FRowSelectList.Get(persistent ? RealRowIndex(r) : r))
                rows.push_back(r);
    } else {
        for (int r = s.Top; r <= s.Bottom; ++r)
            rows.push_back(r);
    }
    QString text;
    for (size_t i = 0; i < rows.size(); ++i) {
        for (int c = left; c <= right; ++c) {
            QString cell = Cells(RealColIndex(c), rows[i]);
            if (cell.contains(QLatin1String("{\\")))
                cell = RtfToPlainText(cell);
            if (ExcelClipboardFormat() && CountCellLines(cell, true) > 1)
                QuoteWithVTBreaks(cell);
            text += cell;
            if (c != right)
                text += QLatin1Char('\t');
        }
        if (i + 1 < rows.size())
            text += QStringLiteral("\r\n");
    }
    return text;
}

void TDazStringGrid::ClearSelectedCells()
{
    SetSelection({FixedCols(), FixedRows(), FixedCols(), FixedRows()});
    FSelectedCells.Clear();
    InvalidateGrid();
}

void TDazStringGrid::ClearModifiedRows()
{
    FModifiedRows.Clear();
    InvalidateGrid();
}

TGridRect TDazStringGrid::UsedCells() const
{
    const TGridStore &store = TStringGridBase::Store();
    TGridRect used{-1, -1, -1, -1};
    const int rows = std::min(RowCount(), store.RowExtent());
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < ColCount(); ++c)
            if (!store.TextView(c, r).isEmpty()) {
                if (used.Left < 0) {
                    used = {c, r, c, r};
                } else {
                    used.Left = std::min(used.Left, c);
                    used.Right = std::max(used.Right, c);
                    used.Bottom = r;
                }
            }
    return used.Left < 0 ? TGridRect{0, 0, 0, 0} : used;
}

int TDazStringGrid::SaveStartCol() const
{
    return SaveFixedCells() || SaveFixedCols() ? 0 : FixedCols();
}

int TDazStringGrid::SaveEndCol() const
{
    return SaveFixedCells() || SaveFixedCols() ? ColCount() - 1 : ColCount() - FFixedRightCols - 1;
}

int TDazStringGrid::SaveColCount() const
{
    return SaveFixedCells() || SaveFixedCols() ? ColCount()
                                                : ColCount() - FixedCols() - FFixedRightCols;
}

int TDazStringGrid::SaveStartRow() const
{
    return SaveFixedCells() || SaveFixedRows() ? 0 : FixedRows();
}

int TDazStringGrid::SaveEndRow() const
{
    return SaveFixedCells() || SaveFixedRows() ? RowCount() - 1 : RowCount() - FFixedFooters - 1;
}

int TDazStringGrid::SaveRowCount() const
{
    return SaveFixedCells() || SaveFixedRows() ? RowCount()
                                                : RowCount() - FixedRows() - FFixedFooters;
}

void TDazStringGrid::ScreenToCell(QPoint P, int &ACol, int &ARow) const
{
    const QPoint p = viewport()->mapFromGlobal(P);
    MouseToCell(p.x(), p.y(), ACol, ARow);
}

bool TDazStringGrid::IsOnSizingBorder(int X, int Y) const
{
    int c = -1;
    int r = -1;
    MouseToCell(X, Y, c, r);
    if (c < 0 || r < 0)
        return false;
    const TRect R = TBaseGrid::CellRect(c, r);
    bool result = false;
    if (r <= FixedRows() && Options().Contains(goColSizing))
        result = std::abs(X - R.Left) < 4 || std::abs(X - R.Right) < 4;
    if (c <= FixedCols() && Options().Contains(goRowSizing))
        result = std::abs(Y - R.Top) < 4 || std::abs(Y - R.Bottom) < 4;
    return result;
}

// ---------------------------------------------------------------------------------------
// Selection gate
// ---------------------------------------------------------------------------------------

bool TDazStringGrid::IsEditableCell(int ACol, int ARow)
{
    bool canEdit = true;
    IsEditableCell(RealColIndex(ACol), ARow, canEdit);
    return canEdit;
}

bool TDazStringGrid::DoCellChanging(int OldRow, int OldCol, int NewRow, int NewCol)
{
    bool allow = true;
    // An automatic advance asked the events itself.
    if (FDisableChange)
        return allow;
    if (OldRow != NewRow && OnRowChanging)
        OnRowChanging(this, OldRow, NewRow, allow);
    if (OldCol != NewCol && OnColChanging)
        OnColChanging(this, OldCol, NewCol, allow);
    if (OnCellChanging)
        OnCellChanging(this, OldRow, OldCol, NewRow, NewCol, allow);
    return allow;
}

bool TDazStringGrid::SelectCell(int ACol, int ARow)
{
    const int oldRow = Row();
    const int oldCol = Col();
    if (FForceSel) {
        RepaintRowIndicator(oldRow, ARow);
        return true;
    }
    if (ACol < 0 || ARow < 0)
        return false;
    if (ACol >= ColCount() || ARow >= RowCount())
        return false;

    // Footers and the search panel stay clear of the target.
    if (FFloatingFooter.Visible() && FFloatingFooter.FooterStyle() == fsFixedLastRow) {
        if (ARow == RowCount() - 1)
            return false;
        if (ARow >= TopRow() + VisibleRowCount() - 1 && TopRow() < RowCount() - 1)
            SetTopRow(TopRow() + 1);
    }
    if (FSearchFooter.Visible()) {
        while (ARow > TopRow() && !RowAboveSearchPanel(ARow) && TopRow() < RowCount() - 1)
            SetTopRow(TopRow() + 1);
    }

    // A covered cell of a merge is never current: its base cell is.
    if (!Options().Contains(goRangeSelect) && IsMergedNonBaseCell(RealColIndex(ACol), ARow)) {
        const TPoint base = BaseCell(RealColIndex(ACol), ARow);
        MoveCurrentCell(DisplColIndex(base.X), base.Y);
        RepaintCell(DisplColIndex(base.X), base.Y);
        return false;
    }
    if (ACol == 0 && HasNodes() && !Options().Contains(goRowSelect))
        return false;
    if (FUseEnabledRows && FNavigation.SkipDisabledRows() && !RowEnabled(ARow))
        return false;

    // Editing follows the cell being entered.
    TGridOptions options = Options();
    if (IsControlCell(RealColIndex(ACol), ARow)) {
        // A check box, radio or button is worked by the press itself: an editable one turns
        // editing on even in a grid that is not editable, a read-only one suspends it.
        const bool editable = IsEditableCell(ACol, ARow);
        HideInplaceEdit();
        if (!FEditDisable)
            FEditDisable = !editable && (options.Contains(goEditing) ||
                                         FMouseActions.RangeSelectAndEdit());
        if (editable && !options.Contains(goEditing) && !options.Contains(goRowSelect)) {
            FEditChange = true;
            SetOptions(options + goEditing);
        }
    } else {
        // The cell's own query decides, starting from the grid's editing state: a column
        // grid answers from its column items whatever the options say.
        bool editable = options.Contains(goEditing) || FEditDisable;
        IsEditableCell(RealColIndex(ACol), ARow, editable);
        if (editable && FMouseActions.DirectEdit()) {
            FEditControl = DefaultEditor();
            if (IsCellEditorNone(RealColIndex(ACol), ARow))
                editable = false;
        }
        if (FMouseActions.EditOnDblClickOnly())
            editable = false;
        if (editable) {
            FEditDisable = false;
            if (!options.Contains(goEditing)) {
                if (options.Contains(goRowSelect) && FMouseActions.RangeSelectAndEdit())
                    options -= goRowSelect;
                options += goEditing;
                FEditChange = true;
                if (!Editing())
                    SaveOldCellText(ACol, ARow);
                SetOptions(options);
            }
            HideInplaceEdit();
        } else {
            HideInplaceEdit();
            if (options.Contains(goEditing)) {
                FEditDisable = true;
                FEditChange = true;
                SetOptions(options - goEditing);
                SetEditorMode(false);
            }
        }
    }

    // A text edit whose editor no longer holds the focus is validated before the move.
    if (!ValidateRunningEdit())
        return false;
    const TGridRect oldSelection = Selection();
    bool answer = DoCellChanging(oldRow, oldCol, ARow, ACol);
    if (answer)
        answer = TBaseGrid::SelectCell(ACol, ARow);
    if (!answer)
        return false;

    RepaintRowIndicator(oldRow, ARow);
    if (FSelListener)
        FSelListener->SelectionChanged(ACol, ARow);
    if (FActiveCellShow)
        RepaintActiveHeaders({oldCol, oldRow}, {ACol, ARow});
    if (ActiveRowShow()) {
        RepaintRow(oldRow);
        RepaintRow(ARow);
    }
    if (!FLoading && ARow != FOldRowSel) {
        const int old = FOldRowSel;
        FOldRowSel = ARow;
        if (OnRowChanged)
            OnRowChanged(this, old, ARow);
    }
    // Borders drawn by the owner may depend on the current cell.
    if (OnGetCellBorder)
        for (int r = std::min(oldSelection.Top, oldSelection.Bottom);
             r <= std::max(oldSelection.Top, oldSelection.Bottom) && r < RowCount(); ++r)
            RepaintRow(r);
    EnteringCell(ACol, ARow);
    return true;
}

void TDazStringGrid::RepaintRowIndicator(int OldRow, int NewRow)
{
    if (FRowIndicator.Empty())
        return;
    RepaintCell(0, OldRow);
    RepaintCell(0, NewRow);
}

// ---------------------------------------------------------------------------------------
// Disjunct selection
// ---------------------------------------------------------------------------------------

bool TDazStringGrid::RowSelect(int ARow) const
{
    if (!FMouseActions.RowSelectPersistent() && (ARow < 0 || ARow >= AllRowCount()))
        throw EDazGridError(QStringLiteral("Invalid row %1 accessed").arg(ARow).toStdString());
    if (ARow < 0)
        throw EDazGridError(QStringLiteral("Invalid row %1 accessed").arg(ARow).toStdString());
    if (FMouseActions.DisjunctRowSelect())
        return FRowSelectList.Get(ARow);
    const TGridRect s = Selection();
    return ARow >= std::min(s.Top, s.Bottom) && ARow <= std::max(s.Top, s.Bottom);
}

void TDazStringGrid::SetRowSelect(int ARow, bool Value)
{
    if (ARow < 0 || (ARow >= AllRowCount() && RowCount() > FixedRows()))
        throw EDazGridError("Invalid row accessed");
    const bool was = FRowSelectList.Get(ARow);
    bool allow = true;
    if ((ARow >= FRowSelectList.Count() || was != Value) && OnRowDisjunctSelect)
        OnRowDisjunctSelect(this, ARow, Value, allow);
    if (!allow)
        return;
    FRowSelectList.Grow(ARow + 1);
    if (Value) {
        if (!was)
            RepaintRow(ARow);
        FRowSelectList.Set(ARow, true);
        if (ARow >= FixedRows() && !FSelectedRows.HasValue(ARow))
            FSelectedRows.Add(ARow);
    } else {
        if (was)
            RepaintRow(ARow);
        FRowSelectList.Set(ARow, false);
        FSelectedRows.DeleteValue(ARow);
    }
    if (OnRowDisjunctSelected)
        OnRowDisjunctSelected(this, ARow);
}

bool TDazStringGrid::ColSelect(int ACol) const
{
    if (ACol < 0 || ACol >= ColCount())
        throw EDazGridError("Invalid column accessed");
    return FColSelectList.Get(ACol);
}

void TDazStringGrid::SetColSelect(int ACol, bool Value)
{
    if (ACol < 0 || ACol >= ColCount())
        throw EDazGridError("Invalid column accessed");
    if (FColSelectList.Get(ACol) != Value)
        RepaintCol(ACol);
    FColSelectList.Set(ACol, Value);
}

int TDazStringGrid::RowSelectCount() const
{
    if (FMouseActions.DisjunctRowSelect())
        return FRowSelectList.CountSet(AllRowCount());
    const TGridRect s = Selection();
    return std::abs(s.Bottom - s.Top) + 1;
}

int TDazStringGrid::ColSelectCount() const
{
    if (FMouseActions.DisjunctColSelect())
        return FColSelectList.CountSet();
    const TGridRect s = Selection();
    return s.Right - s.Left + 1;
}

void TDazStringGrid::SelectRows(int RowIndex, int RCount)
{
    RCount = int(std::min<int64_t>(RCount, int64_t(RowCount()) - RowIndex));
    if (!FMouseActions.DisjunctRowSelect()) {
        if (RCount > 0)
            SetSelection({FixedCols(), RowIndex, ColCount() - 1, RowIndex + RCount - 1});
    } else {
        const bool persistent = FMouseActions.RowSelectPersistent();
        const TIndexRange rows = ClipRange(RowIndex, RCount, RowCount());
        for (int r = rows.First; r < rows.Last; ++r)
            SetRowSelect(persistent ? RealRowIndex(r) : r, true);
    }
    if (!FRowIndicator.Empty())
        InvalidateCol(0);
    FSelChanged = false;
}

void TDazStringGrid::UnSelectRows(int RowIndex, int RCount)
{
    if (FMouseActions.DisjunctRowSelect()) {
        const bool persistent = FMouseActions.RowSelectPersistent();
        const TIndexRange rows = ClipRange(RowIndex, RCount, RowCount());
        for (int r = rows.First; r < rows.Last; ++r)
            SetRowSelect(persistent ? RealRowIndex(r) : r, false);
    }
    FSelChanged = false;
}

void TDazStringGrid::SelectCols(int ColIndex, int CCount)
{
    if (!FMouseActions.DisjunctColSelect()) {
        const int64_t last = std::clamp<int64_t>(int64_t(ColIndex) + CCount - 1,
                                                 std::numeric_limits<int>::min(),
                                                 std::numeric_limits<int>::max());
        SetSelection({ColIndex, FixedRows(), int(last), RowCount() - 1});
        return;
    }
    const TIndexRange cols = ClipRange(ColIndex, CCount, ColCount());
    for (int c = cols.First; c < cols.Last; ++c)
        SetColSelect(c, true);
}

void TDazStringGrid::UnSelectCols(int ColIndex, int CCount)
{
    if (!FMouseActions.DisjunctColSelect())
        return;
    const TIndexRange cols = ClipRange(ColIndex, CCount, ColCount());
    for (int c = cols.First; c < cols.Last; ++c)
        SetColSelect(c, false);
}

void TDazStringGrid::SelectRange(int FromCol, int ToCol, int FromRow, int ToRow)
{
    SetRow(ToRow);
    SetCol(ToCol);
    SetSelection({FromCol, FromRow, ToCol, ToRow});
}

void TDazStringGrid::ClearRowSelect()
{
    for (int r : FRowSelectList.SetIndexes())
        RepaintRow(DisplRowIndex(r));
    FRowSelectList.Clear();
    FSelectedRows.Clear();
}

void TDazStringGrid::ClearColSelect()
{
    for (int c : FColSelectList.SetIndexes())
        RepaintCol(c);
    FColSelectList.Clear();
}

void TDazStringGrid::SelectionToRowSelect(bool All)
{
    const TGridRect s = Selection();
    const int bottom = std::min(s.Bottom, RowCount() - FFixedFooters - 1);
    const bool persistent = FMouseActions.RowSelectPersistent();
    for (int r = FixedRows(); r < RowCount(); ++r) {
        const bool inside = r >= s.Top && r <= bottom;
        if (All || inside)
            SetRowSelect(persistent ? RealRowIndex(r) : r, inside);
    }
    if (NumHiddenRows() > 0)
        InvalidateGrid();
}

void TDazStringGrid::SelectionToColSelect(bool All)
{
    const TGridRect s = Selection();
    for (int c = FixedCols(); c < ColCount(); ++c) {
        const bool inside = c >= s.Left && c <= s.Right;
        if (All || inside)
            SetColSelect(c, inside);
    }
}

// ---------------------------------------------------------------------------------------
// Row marks
// ---------------------------------------------------------------------------------------

bool TDazStringGrid::RowModified(int ARow) const
{
    return ARow >= 0 && ARow < FModifiedRows.Count() && FModifiedRows.GetInteger(ARow) == 1;
}

void TDazStringGrid::SetRowModified(int ARow, bool Value)
{
    if (ARow < 0)
        return;
    GrowTo(FModifiedRows, ARow);
    FModifiedRows.SetInteger(ARow, Value ? 1 : 0);
    RepaintCell(0, ARow);
}

int TDazStringGrid::ModifiedRowCount() const
{
    int count = 0;
    for (int i = 0; i < FModifiedRows.Count(); ++i)
        count += FModifiedRows.GetInteger(i) == 1 ? 1 : 0;
    return count;
}

bool TDazStringGrid::RowEnabled(int ARow) const
{
    return ARow < 0 || ARow >= FEnabledRows.Count() || FEnabledRows.GetInteger(ARow) == 0;
}

void TDazStringGrid::SetRowEnabled(int ARow, bool Value)
{
    if (ARow < 0)
        return;
    if (ARow == Row() && !Value) {
        // A disabled row never keeps the focus.
        for (int r = FixedRows(); r < RowCount(); ++r)
            if (r != ARow && RowEnabled(r)) {
                SetRow(r);
                break;
            }
    }
    FUseEnabledRows = true;
    GrowTo(FEnabledRows, ARow);
    FEnabledRows.SetInteger(ARow, Value ? 0 : 1);
    RepaintRow(ARow);
}

// ---------------------------------------------------------------------------------------
// Repaint and cell helpers
// ---------------------------------------------------------------------------------------

void TDazStringGrid::RepaintRect(const TGridRect &R)
{
    if (R.Left < 0 || R.Top < 0 || R.Right < 0 || R.Bottom < 0)
        return;
    const QRect a = TBaseGrid::CellRect(R.Left, R.Top).ToQRect();
    const QRect b =
        TBaseGrid::CellRect(std::min(VisibleColCount() + FixedCols(), R.Right), R.Bottom).ToQRect();
    if (a.isEmpty() || b.isEmpty())
        InvalidateGrid();
    else
        viewport()->update(a.united(b));
}

void TDazStringGrid::RepaintRow(int ARow)
{
    if (ARow >= 0 && ARow < RowCount())
        InvalidateRow(ARow);
}

void TDazStringGrid::RepaintCol(int ACol)
{
    if (ACol >= 0 && ACol < ColCount())
        InvalidateCol(ACol);
}

void TDazStringGrid::SwapCells(TGridCoord FromCell, TGridCoord ToCell)
{
    const QString text = GetGridCell(FromCell.X, FromCell.Y);
    TObject *object = GetGridObject(FromCell.X, FromCell.Y);
    SetGridCell(FromCell.X, FromCell.Y, GetGridCell(ToCell.X, ToCell.Y));
    SetGridObject(FromCell.X, FromCell.Y, GetGridObject(ToCell.X, ToCell.Y));
    SetGridCell(ToCell.X, ToCell.Y, text);
    SetGridObject(ToCell.X, ToCell.Y, object);
}

void TDazStringGrid::GotoCell(int ACol, int ARow)
{
    SetRow(ARow);
    SetCol(ACol);
}

void TDazStringGrid::EditCell(int ACol, int ARow)
{
    setFocus();
    GotoCell(ACol, ARow);
    ShowEditor();
}

void TDazStringGrid::FocusCell(int ACol, int ARow)
{
    SetSelection({ACol, ARow, ACol, ARow});
}

void TDazStringGrid::RepaintActiveHeaders(TGridCoord A, TGridCoord B)
{
    const int fixedRow = FixedRows() - 1;
    const int fixedCol = FixedCols() - 1;
    for (const TGridCoord &p : {A, B}) {
        if (fixedRow >= 0)
            RepaintCell(p.X, fixedRow);
        if (fixedCol >= 0)
            RepaintCell(fixedCol, p.Y);
    }
}

// The bottom of display row ARow lies above the search panel (2 pixels of slack).
bool TDazStringGrid::RowAboveSearchPanel(int ARow) const
{
    const TRect r = UnclippedCellRect(0, ARow);
    return r.Bottom < ClientHeight() - SearchPanelHeight + 2;
}

bool TDazStringGrid::LastRowAboveSearchPanel()
{
    if (!FSearchFooter.Visible())
        return true;
    const int last = RowCount() - 1;
    return last < TopRow() + VisibleRowCount() + 1 && RowAboveSearchPanel(last);
}

void TDazStringGrid::ScrollAboveSearchPanel()
{
    if (!FSearchFooter.Visible() || ClientHeight() <= DefaultRowHeight() + SearchPanelHeight)
        return;
    while (!RowAboveSearchPanel(RowCount() - 1) && Row() < RowCount() &&
           TopRow() < RowCount() - 1) {
        const int top = TopRow();
        SetTopRow(top + 1);
        if (TopRow() == top)
            break;
    }
}

