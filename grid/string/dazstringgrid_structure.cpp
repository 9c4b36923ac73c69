// TDazStringGrid: removing, inserting, clearing, trimming, colouring, merging and splitting
// rows, columns and rectangles.
//
// Rows move in one pass (DeleteRows / InsertRows of the framework grid), so removing or
// hiding any number of rows of a large grid costs one move of the row table. A removed row's
// cell records and their graphics are freed; a moved row keeps its own.
#include "grid/string/dazstringgrid.h"

#include "grid/base/textroutines.h"
#include "platform/rtl.h"

#include <QSet>
#include <algorithm>
#include <limits>
#include <numeric>

namespace {

std::vector<int> IndexRange(int From, int Count)
{
    std::vector<int> rows(size_t(std::max(Count, 0)));
    std::iota(rows.begin(), rows.end(), From);
    return rows;
}

// Deletes list entries at the given rows (descending, so the indexes stay valid) when they
// exist.
void DeleteEntries(TIntList &List, const std::vector<int> &Rows)
{
    for (auto it = Rows.rbegin(); it != Rows.rend(); ++it)
        if (*it < List.Count())
            List.Delete(*it);
}

}   // namespace

// ---------------------------------------------------------------------------------------
// Notifications
// ---------------------------------------------------------------------------------------

void TDazStringGrid::CellsChanged(const TRect &R)
{
    if (FBlockCellsChanged)
        return;
    if (OnCellsChanged)
        OnCellsChanged(this, R);
    for (TGridChangeNotifier *n : FNotifiers)
        n->CellsChanged(R);
}

// ---------------------------------------------------------------------------------------
// Row workers
// ---------------------------------------------------------------------------------------

void TDazStringGrid::FreeRowObjects(const std::vector<int> &Rows)
{
    if (!HasCellProps())
        return;
    const int last = AllColCount() - 1;
    // One call per run of consecutive rows.
    for (size_t i = 0; i < Rows.size();) {
        size_t j = i;
        while (j + 1 < Rows.size() && Rows[j + 1] == Rows[j] + 1)
            ++j;
        FreeCellPropertiesRange(0, Rows[i], last, Rows[j]);
        i = j + 1;
    }
}

void TDazStringGrid::ShiftControls(int From, int Delta, bool Columns)
{
    for (int i = 0; i < FControlList.Count(); ++i) {
        TControlItem *item = FControlList.GetControl(i);
        if (!item)
            continue;
        if (Columns && item->X() >= From)
            item->SetX(item->X() + Delta);
        else if (!Columns && item->Y() >= From)
            item->SetY(item->Y() + Delta);
    }
}

// An entry of a removed row (column) goes; one after it moves back by the removed ones before
// it. Hidden rows' controls move as the hidden rows' indexes do.
void TDazStringGrid::DropCellControls(const std::vector<int> &Removed, bool Columns)
{
    if (FControlList.Count() == 0 || Removed.empty())
        return;
    for (int i = FControlList.Count() - 1; i >= 0; --i) {
        TControlItem *item = FControlList.GetControl(i);
        if (!item)
            continue;
        const int index = Columns ? item->X() : item->Y();
        const auto at = std::lower_bound(Removed.begin(), Removed.end(), index);
        if (at != Removed.end() && *at == index) {
            if (QWidget *w = item->Control())
                w->setVisible(false);
            FControlList.RemoveControl(i);
            FCellControlCount = std::max(0, FCellControlCount - 1);
        } else if (Columns) {
            item->SetX(index - int(at - Removed.begin()));
        } else {
            item->SetY(index - int(at - Removed.begin()));
        }
    }
}

void TDazStringGrid::PlaceCellControls()
{
    if (FControlList.Count() > 0)
        CellControlsUpdate(false);
}

void TDazStringGrid::RemoveRowList(const std::vector<int> &Rows, bool ShiftHidden,
                                   TGridStore::TParkedRow *Cells, int *Heights)
{
    // Rows handed over must be the caller's own list: DeleteRows checks it.
    std::vector<int> cleaned;
    const std::vector<int> &rows = Cells ? Rows : CleanRowList(Rows, RowCount(), cleaned);
    if (rows.empty())
        return;
    if (ShiftHidden)
        DropCellControls(RealRows(rows), false);
    // The row moves below must not touch the row selection.
    const bool disjunct = FMouseActions.DisjunctRowSelect();
    FMouseActions.SetDisjunctRowSelectDirect(false);
    BeginUpdate();
    if (HasNodes() && Row() < RowCount())
        SetCol(FixedCols());
    const int oldRow = Row();
    const int oldTop = TopRow();
    if (ShiftHidden)
        FHiddenRows.RowsRemoved(rows);
    if (disjunct && !FMouseActions.RowSelectPersistent())
        for (auto it = rows.rbegin(); it != rows.rend(); ++it)
            FRowSelectList.Delete(*it);
    DropRows(rows, Cells, Heights);
    if (oldRow < RowCount()) {
        SetRow(oldRow);
        SetTopRow(oldTop);
    } else if (FixedRows() < RowCount()) {
        SetRow(RowCount() - 1);
    } else {
        HideSelection();
    }
    FSelectionHidden = false;
    EndUpdate();
    FMouseActions.SetDisjunctRowSelectDirect(disjunct);
    CellsChanged({0, rows.front(), ColCount() - 1, rows.back() + 1});
    if (TopRow() >= RowCount() - 1)
        SetTopRow(RowCount() - 1);
    PlaceCellControls();
}

std::vector<int> TDazStringGrid::RealRows(const std::vector<int> &Rows) const
{
    std::vector<int> reals(Rows.size());
    std::transform(Rows.begin(), Rows.end(), reals.begin(), [this](int r) { return RealRowIndex(r); });
    return reals;
}

// Takes the rows (ascending, inside the grid) out of the store in one pass. The framework
// keeps one row: asked for all, it keeps the last one, emptied (its objects are the
// caller's). Rows handed over (Cells) are never all of them.
void TDazStringGrid::DropRows(const std::vector<int> &Rows, TGridStore::TParkedRow *Cells,
                              int *Heights)
{
    if (Cells) {
        TakeRows(Rows, Cells, Heights);
        return;
    }
    if (!Rows.empty() && int(Rows.size()) >= RowCount()) {
        const int keep = Rows.back();
        for (int c = 0; c < AllColCount(); ++c) {
            SetGridObject(c, keep, nullptr);
            SetGridCell(c, keep, QString());
        }
        TCustomGrid::DeleteRows(std::vector<int>(Rows.begin(), Rows.end() - 1));
        return;
    }
    TCustomGrid::DeleteRows(Rows);
}

void TDazStringGrid::InsertRowList(const std::vector<int> &Rows)
{
    TCustomGrid::InsertRows(Rows);
    FMaxRowCount = std::max(FMaxRowCount, RowCount());
}

// ---------------------------------------------------------------------------------------
// Removing rows
// ---------------------------------------------------------------------------------------

void TDazStringGrid::RemoveRows(int RowIndex, int RCount)
{
    // Only rows that exist, and only those named.
    if (RowIndex < 0 || RowIndex >= RowCount() || RCount <= 0)
        return;
    RCount = std::min(RCount, RowCount() - RowIndex);
    HideInplaceEdit();
    const std::vector<int> rows = IndexRange(RowIndex, RCount);
    DropCellControls(RealRows(rows), false);
    FreeRowObjects(rows);

    BeginUpdate();
    const int oldRow = Row();
    const int oldTop = TopRow();
    FHiddenRows.RowsRemoved(RowIndex, RCount);
    if (FShowModified.Enabled())
        DeleteEntries(FModifiedRows, rows);
    if (FUseEnabledRows)
        DeleteEntries(FEnabledRows, rows);
    if (FMouseActions.DisjunctRowSelect())
        for (auto it = rows.rbegin(); it != rows.rend(); ++it)
            FRowSelectList.Delete(*it);
    DropRows(rows);
    FMaxRowCount = std::max(RowCount(), FMaxRowCount - RCount);

    const int lastNormal = RowCount() - FFixedFooters;
    if (oldRow < lastNormal) {
        if (!FMouseActions.DisjunctRowSelect())
            SetRow(oldRow);
        SetTopRow(oldTop);
    } else if (FixedRows() < lastNormal) {
        SetRow(lastNormal - 1);
    } else {
        HideSelection();
    }
    FSelectionHidden = false;
    EndUpdate();

    CellsChanged({0, RowIndex, ColCount() - 1, RowIndex + RCount});
    const int visible = VisibleRowCount();
    if (TopRow() >= RowCount() + FixedRows() - visible - 2 && RowCount() - visible - 1 > 0)
        SetTopRow(RowCount() + FixedRows() - visible - 2);
    PlaceCellControls();
}

void TDazStringGrid::RemoveRowsEx(int RowIndex, int RCount)
{
    if (RowIndex < 0 || RowIndex >= RowCount() || RCount <= 0)
        return;
    RCount = std::min(RCount, RowCount() - RowIndex);
    const std::vector<int> rows = IndexRange(RowIndex, RCount);
    DropCellControls(RealRows(rows), false);
    FreeRowObjects(rows);
    const int oldRow = Row();
    const int oldTop = TopRow();
    // The heights stay with their places.
    std::vector<int> heights;
    for (int r = RowIndex; r < RowCount(); ++r)
        heights.push_back(RowHeights(r));

    BeginUpdate();
    if (FMouseActions.DisjunctRowSelect())
        for (auto it = rows.rbegin(); it != rows.rend(); ++it)
            FRowSelectList.Delete(*it);
    FHiddenRows.RowsRemoved(RowIndex, RCount);
    DropRows(rows);
    for (int r = RowIndex; r < RowCount(); ++r)
        if (RowHeights(r) != heights[size_t(r - RowIndex)])
            TBaseGrid::SetRowHeights(r, heights[size_t(r - RowIndex)]);
    FMaxRowCount = std::max(RowCount(), FMaxRowCount - RCount);
    if (oldRow < RowCount()) {
        SetRow(oldRow);
        SetTopRow(oldTop);
    } else if (FixedRows() < RowCount()) {
        SetRow(FixedRows());
        SetTopRow(FixedRows());
    }
    EndUpdate();
    CellsChanged({0, RowIndex, ColCount() - 1, RowIndex + RCount});
    PlaceCellControls();
}

void TDazStringGrid::RemoveRowsInternal(int RowIndex, int RCount, bool ShiftHidden)
{
    if (RowIndex < 0 || RowIndex >= RowCount() || RCount <= 0)
        return;
    RCount = std::min(RCount, RowCount() - RowIndex);
    RemoveRowList(IndexRange(RowIndex, RCount), ShiftHidden);
}

void TDazStringGrid::DeleteRowRange(int RowIndex, int RCount)
{
    if (RowIndex < 0 || RowIndex >= RowCount() || RCount <= 0)
        return;
    RCount = std::min(RCount, RowCount() - RowIndex);
    const std::vector<int> rows = IndexRange(RowIndex, RCount);
    FreeRowObjects(rows);
    RemoveRowList(rows, true);
}

// Frees the rows' objects and removes them in one pass, as DeleteRowRange does for one row.
void TDazStringGrid::DeleteRowList(const std::vector<int> &Rows)
{
    const std::vector<int> rows = CleanRowList(Rows, RowCount());
    FreeRowObjects(rows);
    RemoveRowList(rows, true);
}

void TDazStringGrid::RemoveDuplicates(int ACol, bool DoCase)
{
    const int col = RealColIndex(ACol);
    QSet<QString> seen;
    std::vector<int> duplicates;
    for (int r = FixedRows(); r < RowCount() - FFixedFooters; ++r) {
        const QString text = Cells(col, r);
        const QString key = DoCase ? text : text.toUpper();
        if (seen.contains(key))
            duplicates.push_back(r);
        else
            seen.insert(key);
    }
    BeginUpdate();
    DeleteRowList(duplicates);
    EndUpdate();
}

void TDazStringGrid::RemoveSelectedRows()
{
    BeginUpdate();
    if (FMouseActions.DisjunctRowSelect()) {
        const bool persistent = FMouseActions.RowSelectPersistent();
        std::vector<int> rows;
        for (int r = FixedRows(); r < RowCount() - FFixedFooters; ++r)
            if (FRowSelectList.Get(persistent ? RealRowIndex(r) : r))
                rows.push_back(r);
        DeleteRowList(rows);
        ClearRowSelect();
    } else {
        const TGridRect s = Selection();
        DeleteRowList(IndexRange(s.Top, s.Bottom - s.Top + 1));
    }
    EndUpdate();
}

void TDazStringGrid::RemoveCheckedRows(int CheckBoxColumn, bool RemoveChecked)
{
    std::vector<int> rows;
    for (int r = RowCount() - 1; r >= FixedRows(); --r)
        if (IsChecked(CheckBoxColumn, r) == RemoveChecked)
            rows.push_back(r);
    BeginUpdate();
    DeleteRowList(rows);
    EndUpdate();
}

void TDazStringGrid::RemoveUnSelectedRows()
{
    BeginUpdate();
    std::vector<int> rows;
    for (int r = FixedRows(); r < RowCount() - FFixedFooters; ++r)
        if (!RowSelect(r))
            rows.push_back(r);
    DeleteRowList(rows);
    if (FMouseActions.RowSelectPersistent())
        SelectRows(FixedRows(), RowCount() - FixedRows());
    else
        ClearRowSelect();
    EndUpdate();
}

void TDazStringGrid::HideSelectedRows()
{
    HideSelectedOrNot(true);
}

void TDazStringGrid::HideUnSelectedRows()
{
    HideSelectedOrNot(false);
}

// ---------------------------------------------------------------------------------------
// Removing columns by selection
// ---------------------------------------------------------------------------------------

void TDazStringGrid::RemoveDisplayCols(const std::vector<int> &Cols)
{
    // Right to left, so the display indexes of the others stay valid.
    std::vector<int> reals;
    for (int c : Cols)
        if (c >= 0 && c < ColCount())
            reals.push_back(RealColIndex(c));
    std::sort(reals.begin(), reals.end());
    reals.erase(std::unique(reals.begin(), reals.end()), reals.end());
    for (auto it = reals.rbegin(); it != reals.rend(); ++it)
        RemoveCols(*it, 1);
}

void TDazStringGrid::RemoveSelectedCols()
{
    std::vector<int> cols;
    if (FMouseActions.DisjunctColSelect()) {
        for (int c = ColCount() - 1; c >= FixedCols(); --c)
            if (FColSelectList.Get(c)) {
                cols.push_back(c);
                FColSelectList.Delete(c);
            }
    } else {
        const TGridRect s = Selection();
        for (int c = s.Left; c <= s.Right; ++c)
            cols.push_back(c);
    }
    RemoveDisplayCols(cols);
}

void TDazStringGrid::RemoveUnSelectedCols()
{
    std::vector<int> cols;
    if (FMouseActions.DisjunctColSelect()) {
        for (int c = ColCount() - 1; c >= FixedCols(); --c)
            if (!FColSelectList.Get(c))
                cols.push_back(c);
    } else {
        const TGridRect s = Selection();
        for (int c = FixedCols(); c < ColCount(); ++c)
            if (c < s.Left || c > s.Right)
                cols.push_back(c);
    }
    RemoveDisplayCols(cols);
    FColSelectList.Clear();
}

// ---------------------------------------------------------------------------------------
// Inserting rows
// ---------------------------------------------------------------------------------------

void TDazStringGrid::InsertRows(int RowIndex, int RCount, bool UpdateCellControls)
{
    if (RCount <= 0)
        return;
    // A count the grid cannot hold is refused before anything moves.
    if (RCount > std::numeric_limits<int>::max() - AllRowCount())
        throw EDazGridError("Invalid row accessed");
    RowIndex = std::clamp(RowIndex, 0, RowCount());
    if (FSelectionHidden || Col() >= ColCount() || Row() >= RowCount())
        UnHideSelection();
    const int realIndex = RealRowIndex(RowIndex);
    InsertRowList(IndexRange(RowIndex, RCount));
    if (FShowModified.Enabled() && RowIndex < FModifiedRows.Count())
        for (int i = 0; i < RCount; ++i)
            FModifiedRows.Insert(RowIndex, 0);
    if (FUseEnabledRows && RowIndex < FEnabledRows.Count())
        for (int i = 0; i < RCount; ++i)
            FEnabledRows.Insert(RowIndex, 0);
    FHiddenRows.RowsInserted(RowIndex, RCount);
    CellsChanged({0, RowIndex, ColCount() - 1, RowIndex + RCount});
    if (UpdateCellControls) {
        ShiftControls(realIndex, RCount, false);
        PlaceCellControls();
    }
}

void TDazStringGrid::DoCanAddRow(bool &CanAdd)
{
    if (OnCanAddRow)
        OnCanAddRow(this, CanAdd);
}

void TDazStringGrid::DoCanInsertRow(int ARow, bool &CanInsert)
{
    if (OnCanInsertRow)
        OnCanInsertRow(this, ARow, CanInsert);
}

void TDazStringGrid::AddRow()
{
    if (FFloatingFooter.Visible()) {
        // The footer stays the last row.
        InsertRows(RowCount() - 1, 1, true);
        if (FFloatingFooter.FooterStyle() == fsFixedLastRow)
            ClearRows(RowCount() - 2, 1);
    } else {
        InsertRows(RowCount(), 1, true);
        ClearRows(RowCount() - 1, 1);
    }
}

// ---------------------------------------------------------------------------------------
// Columns
// ---------------------------------------------------------------------------------------

// Moves the cells of real columns ACol.. by Delta (Total: the real column count before),
// in the grid's store and in the records of hidden rows. Inserted cells are empty; removed
// cells must have been freed.
void TDazStringGrid::ShiftColumnData(int ACol, int Delta, int Total)
{
    const TGridStore &store = TStringGridBase::Store();
    const int rows = store.RowExtent();
    for (int r = 0; r < rows; ++r) {
        if (Delta > 0) {
            for (int c = Total - 1; c >= ACol; --c) {
                SetGridCell(c + Delta, r, GetGridCell(c, r));
                SetGridObject(c + Delta, r, GetGridObject(c, r));
            }
            for (int c = ACol; c < ACol + Delta; ++c) {
                SetGridCell(c, r, QString());
                SetGridObject(c, r, nullptr);
            }
        } else {
            const int k = -Delta;
            for (int c = ACol; c + k < Total; ++c) {
                SetGridCell(c, r, GetGridCell(c + k, r));
                SetGridObject(c, r, GetGridObject(c + k, r));
            }
            for (int c = std::max(ACol, Total - k); c < Total; ++c) {
                SetGridCell(c, r, QString());
                SetGridObject(c, r, nullptr);
            }
        }
    }
    for (int i = 0; i < FHiddenRows.Count(); ++i) {
        TStringList &cells = FHiddenRows.Item(i)->Items();
        if (ACol > cells.Count())
            continue;
        if (Delta > 0) {
            for (int j = 0; j < Delta; ++j)
                cells.InsertObject(ACol, QString(), nullptr);
        } else {
            for (int j = 0; j < -Delta && ACol < cells.Count(); ++j)
                cells.Delete(ACol);
        }
    }
}

// The widths of the displayed columns, in display order.
std::vector<int> TDazStringGrid::DisplayWidths() const
{
    std::vector<int> widths(static_cast<size_t>(ColCount()));
    for (int c = 0; c < ColCount(); ++c)
        widths[size_t(c)] = ColWidths(c);
    return widths;
}

void TDazStringGrid::ApplyDisplayWidths(const std::vector<int> &Widths)
{
    for (int c = 0; c < std::min(ColCount(), int(Widths.size())); ++c)
        if (ColWidths(c) != Widths[size_t(c)])
            SetColWidths(c, Widths[size_t(c)]);
}

void TDazStringGrid::InsertCols(int ColIndex, int CCount)
{
    const int total = AllColCount();
    if (CCount <= 0 || ColIndex < 0 || ColIndex > total)
        return;
    if (CCount > TGridStore::MaxColumns - total)
        throw EDazGridError("Invalid column accessed");
    HideInplaceEdit();
    BeginUpdate();
    std::vector<int> widths = DisplayWidths();
    const int at = std::min(FHiddenColumns.RealToDispl(ColIndex), int(widths.size()));
    widths.insert(widths.begin() + at, size_t(CCount), DefaultColWidth());
    ShiftColumnData(ColIndex, CCount, total);
    FHiddenColumns.ColumnsInserted(ColIndex, CCount, total);
    ShiftControls(ColIndex, CCount, true);
    SetColCount(ColCount() + CCount);
    ApplyDisplayWidths(widths);
    EndUpdate();
    CellsChanged({ColIndex, 0, ColIndex + CCount, RowCount() - 1});
    PlaceCellControls();
}

void TDazStringGrid::RemoveCols(int ColIndex, int CCount)
{
    const int total = AllColCount();
    if (CCount <= 0 || ColIndex < 0 || ColIndex >= total)
        return;
    // Never beyond the last real column.
    CCount = std::min(CCount, total - ColIndex);
    int shown = 0;
    for (int c = ColIndex; c < ColIndex + CCount; ++c)
        shown += IsHiddenColumn(c) ? 0 : 1;
    // The grid keeps one column: removing every column leaves one empty column, as removing
    // every row leaves one empty row. Removing the shown columns while hidden ones stay
    // would leave no column to show: refused.
    const bool all = CCount == total;
    if (shown >= ColCount() && !all)
        return;
    HideInplaceEdit();
    BeginUpdate();
    std::vector<int> widths = DisplayWidths();
    const int at = FHiddenColumns.RealToDispl(ColIndex);
    widths.erase(widths.begin() + at, widths.begin() + at + shown);
    ClearCells(ColIndex, 0, ColIndex + CCount - 1, RowCount() - 1, false);
    // The removed columns' cells of hidden rows go too.
    for (int i = 0; i < FHiddenRows.Count(); ++i) {
        TStringList &cells = FHiddenRows.Item(i)->Items();
        for (int c = ColIndex; c < std::min(ColIndex + CCount, cells.Count()); ++c)
            FreeObject(cells.Objects(c));
    }
    ShiftColumnData(ColIndex, -CCount, total);
    FHiddenColumns.ColumnsRemoved(ColIndex, CCount, total);
    DropCellControls(IndexRange(ColIndex, CCount), true);
    if (all)
        widths.assign(1, DefaultColWidth());
    SetColCount(std::max(1, ColCount() - shown));
    ApplyDisplayWidths(widths);
    EndUpdate();
    CellsChanged({ColIndex, 0, ColIndex + CCount, RowCount() - 1});
    PlaceCellControls();
}

void TDazStringGrid::MergeCols(int ColIndex1, int ColIndex2, const QString &Separator)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        SetCells(ColIndex1, r, Trim(Cells(ColIndex1, r) + Separator + Cells(ColIndex2, r)));
    RemoveCols(ColIndex2, 1);
}

// ---------------------------------------------------------------------------------------
// Clearing
// ---------------------------------------------------------------------------------------

// Frees a cell record with its graphic (a TCellGraphic; graphics handed in stay the
// caller's).
void TDazStringGrid::FreeObject(TObject *Object)
{
    auto *props = dynamic_cast<TCellProperties *>(Object);
    if (!props)
        return;
    TObject *g = props->GraphicObject();
    if (g && g->ClassName() == QLatin1String("TCellGraphic"))
        delete g;
    delete props;
}

namespace {

// The last row and column a rectangle can reach that may hold a text or an object: the
// grid's rows and whatever the store kept below them, and the store's columns. Keeps loops
// over a rectangle given with huge or overflowing corners finite.
int LastStoredRow(const TGridStore &Store, int RowCount, int ARow2)
{
    return std::min(ARow2, std::max(RowCount, Store.RowExtent()) - 1);
}

int LastStoredCol(int ACol2)
{
    return std::min(ACol2, TGridStore::MaxColumns - 1);
}

// First + Count - 1 without overflowing.
int LastIndex(int First, int Count)
{
    return int(std::clamp<int64_t>(int64_t(First) + Count - 1, std::numeric_limits<int>::min(),
                                   std::numeric_limits<int>::max()));
}

}   // namespace

void TDazStringGrid::ClearRect(int ACol1, int ARow1, int ACol2, int ARow2)
{
    ClearCells(ACol1, ARow1, ACol2, ARow2, SaveHiddenCells());
}

void TDazStringGrid::ClearCells(int ACol1, int ARow1, int ACol2, int ARow2, bool MapColumns)
{
    const TGridStore &store = TStringGridBase::Store();
    const int lastRow = LastStoredRow(store, RowCount(), ARow2);
    const int lastCol = LastStoredCol(ACol2);
    for (int r = std::max(0, ARow1); r <= lastRow; ++r) {
        for (int c = std::max(0, ACol1); c <= lastCol; ++c) {
            const int cc = MapColumns ? RealColIndex(c) : c;
            if (!ClearTextOnly() && HasCellProps() && GetGridObject(cc, r)) {
                TObject *object = GetGridObject(cc, r);
                SetGridObject(cc, r, nullptr);
                FreeObject(object);
            }
            if (!store.TextView(cc, r).isEmpty()) {
                SetCells(cc, r, QString());
                if (cc != c)
                    RepaintCell(c, r);
            }
        }
    }
    if (ACol1 <= 0 && ARow1 <= 0 && ACol2 >= ColCount() - 1 && ARow2 >= RowCount() - 1 &&
        !ClearTextOnly())
        FHasCellProps = false;
    CellsChanged({RealColIndex(ACol1), ARow1, RealColIndex(ACol2), ARow2});
}

void TDazStringGrid::ClearRows(int RowIndex, int RCount)
{
    if (RowCount() > 0 && ColCount() > 0 && RCount > 0)
        ClearRect(0, RowIndex, AllColCount() - 1, LastIndex(RowIndex, RCount));
}

void TDazStringGrid::ClearCols(int ColIndex, int CCount)
{
    if (RowCount() > 0 && ColCount() > 0 && CCount > 0)
        ClearRect(ColIndex, 0, LastIndex(ColIndex, CCount), RowCount() - 1);
}

void TDazStringGrid::ClearNormalRows(int RowIndex, int RCount)
{
    if (RCount <= 0)
        return;
    ClearRect(FixedCols(), RowIndex, AllColCount() - FFixedRightCols - 1,
              LastIndex(RowIndex, RCount));
}

void TDazStringGrid::ClearNormalCols(int ColIndex, int CCount)
{
    if (CCount <= 0)
        return;
    ClearRect(ColIndex, FixedRows(), LastIndex(ColIndex, CCount), RowCount() - FFixedFooters - 1);
}

void TDazStringGrid::ClearNormalCells()
{
    // Column 0 holds the nodes; rows of collapsed ones come back before it is cleared.
    if (FixedCols() == 0 && HasNodes())
        RemoveAllNodes();
    ClearRect(FixedCols(), FixedRows(), AllColCount() - FFixedRightCols - 1,
              RowCount() - FFixedFooters - 1);
}

void TDazStringGrid::Clear()
{
    if (!Destroying() && HasNodes())
        RemoveAllNodes();
    ClearRect(0, 0, AllColCount() - 1, RowCount() - 1);
    FSearchInc.clear();
    if (NumHiddenColumns() > 0)
        InvalidateGrid();
}

void TDazStringGrid::ClearAll()
{
    Clear();
    for (int i = 0; i < FHiddenRows.Count(); ++i) {
        TStringList &cells = FHiddenRows.Item(i)->Items();
        for (int c = 0; c < cells.Count(); ++c) {
            if (!ClearTextOnly()) {
                FreeObject(cells.Objects(c));
                cells.SetObjects(c, nullptr);
            }
            cells.SetStrings(c, QString());
        }
    }
}

void TDazStringGrid::ClearSelection()
{
    if (FMouseActions.DisjunctRowSelect()) {
        const bool persistent = FMouseActions.RowSelectPersistent();
        for (int r = FixedRows(); r < RowCount() - FFixedFooters; ++r)
            if (FRowSelectList.Get(persistent ? RealRowIndex(r) : r))
                ClearRows(r, 1);
    } else if (FMouseActions.DisjunctColSelect()) {
        for (int c = FixedCols(); c < ColCount(); ++c)
            if (FColSelectList.Get(c))
                ClearCells(c, 0, c, RowCount() - 1, true);
    } else {
        // The selection is in display columns, whatever SaveHiddenCells says.
        const TGridRect s = Selection();
        ClearCells(s.Left, s.Top, s.Right, s.Bottom, true);
    }
}

// ---------------------------------------------------------------------------------------
// Trimming and colouring
// ---------------------------------------------------------------------------------------

void TDazStringGrid::TrimRect(int ACol1, int ARow1, int ACol2, int ARow2)
{
    const bool map = SaveHiddenCells();
    const int lastRow = LastStoredRow(TStringGridBase::Store(), RowCount(), ARow2);
    const int lastCol = LastStoredCol(ACol2);
    for (int r = std::max(0, ARow1); r <= lastRow; ++r)
        for (int c = std::max(0, ACol1); c <= lastCol; ++c) {
            const int cc = map ? RealColIndex(c) : c;
            const QString text = Cells(cc, r);
            const QString trimmed = Trim(text);
            if (trimmed != text)
                SetCells(cc, r, trimmed);
        }
}

void TDazStringGrid::ColorRect(int ACol1, int ARow1, int ACol2, int ARow2, TColor AColor)
{
    // Only cells of the grid take a colour.
    const int lastRow = std::min(ARow2, RowCount() - 1);
    const int lastCol = std::min(ACol2, AllColCount() - 1);
    for (int r = std::max(0, ARow1); r <= lastRow; ++r)
        for (int c = std::max(0, ACol1); c <= lastCol; ++c)
            SetColors(c, r, AColor);
}

// ---------------------------------------------------------------------------------------
// Merging and splitting runs
// ---------------------------------------------------------------------------------------

void TDazStringGrid::MergeColumnCells(int ColIndex, bool MainMerge)
{
    const int last = RowCount() - FFixedFooters - 1;
    int start = FixedRows();
    for (int r = FixedRows() + 1; r <= last + 1; ++r) {
        const bool grows = r <= last && Cells(ColIndex, r) == Cells(ColIndex, r - 1) &&
                           (MainMerge || RowSpanIdentical(r, r - 1));
        if (grows)
            continue;
        if (r - start >= 2)
            MergeCells(ColIndex, start, 1, r - start);
        start = r;
    }
}

void TDazStringGrid::MergeRowCells(int RowIndex, bool MainMerge)
{
    const int last = ColCount() - FFixedRightCols - 1;
    int start = FixedCols();
    for (int c = FixedCols() + 1; c <= last + 1; ++c) {
        const bool grows = c <= last && Cells(c, RowIndex) == Cells(c - 1, RowIndex) &&
                           (MainMerge || ColSpanIdentical(c, c - 1));
        if (grows)
            continue;
        // An ended run is merged also when it is a single cell; the open run at the end only
        // from two cells.
        if (c <= last || c - start >= 2)
            MergeCells(start, RowIndex, c - start, 1);
        start = c;
    }
}

void TDazStringGrid::SplitColumnCells(int ColIndex)
{
    int r = 0;
    while (r < RowCount() - FFixedFooters - 1) {
        if (IsYMergedCell(ColIndex, r)) {
            const TPoint span = CellSpan(ColIndex, r);
            SplitCells(ColIndex, r);
            r += span.Y + 1;
        } else {
            ++r;
        }
    }
}

void TDazStringGrid::SplitRowCells(int RowIndex)
{
    int c = 0;
    while (c < ColCount() - FFixedRightCols - 1) {
        if (IsMergedCell(c, RowIndex)) {
            const TPoint span = CellSpan(c, RowIndex);
            SplitCells(c, RowIndex);
            c += span.X + 1;
        } else {
            ++c;
        }
    }
}

void TDazStringGrid::SplitAllCells()
{
    if (!HasCellProps())
        return;
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c)
            if (IsMergedCell(c, r) && IsBaseCell(c, r))
                SplitCells(c, r);
}

void TDazStringGrid::MergedColumnsChanged()
{
    BeginUpdate();
    for (int c = 0; c < ColCount(); ++c)
        SplitColumnCells(c);
    for (int i = 0; i < FMergedColumns.Count(); ++i)
        MergeColumnCells(FMergedColumns.GetInteger(i), i == 0);
    EndUpdate();
}

// ---------------------------------------------------------------------------------------
// Cell queries
// ---------------------------------------------------------------------------------------

bool TDazStringGrid::IsWideCell(int ACol, int ARow)
{
    return Cells(ACol, ARow).startsWith(QStringLiteral("|\\"));
}

bool TDazStringGrid::IsCell(const QString &SubStr, int &ACol, int &ARow) const
{
    const TGridStore &store = TStringGridBase::Store();
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c)
            if (store.TextView(c, r) == SubStr) {
                ACol = c;
                ARow = r;
                return true;
            }
    return false;
}
