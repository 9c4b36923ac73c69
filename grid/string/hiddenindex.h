#pragma once
// Hidden columns and hidden rows of the string grid, with the maps between a real index
// (where a column's or row's data lives) and a display index (its place on screen).
//
// Both keep the hidden indexes in a sorted vector, so a map costs O(log h) for h hidden
// indexes and O(1) while nothing is hidden: painting translates every cell it draws.
//
// Hidden columns keep their cells in the grid's store; only their flag, saved width and the
// grid's ColCount change. Hidden rows leave the grid: their cells, objects and height move
// into the hidden-row store and come back from it. The store keeps them in plain arrays
// and makes a record (TGridItem) of a row only when someone asks for one.
//
// The algorithms that move rows and columns talk to the grid through a small host
// interface, so they are the same for the grid and for a test's stand-in.
#include "grid/base/classes.h"
#include "grid/base/gridstore.h"
#include "grid/base/stringlist.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

// Map arithmetic over an ascending vector of hidden indexes.
namespace HiddenIndex {
// Hidden indexes below Index.
int CountBelow(const std::vector<int> &Hidden, int Index);
bool Contains(const std::vector<int> &Hidden, int Index);
// Index minus the hidden indexes below it; for a hidden index, the display index of the next
// shown one.
inline int RealToDispl(const std::vector<int> &Hidden, int Index)
{
    return Index - CountBelow(Hidden, Index);
}
// The real index of the Displ-th shown index (no upper bound); a negative Displ is returned
// unchanged.
int DisplToReal(const std::vector<int> &Hidden, int Displ);

// The same two maps with a hint: the count of hidden indexes below the last index mapped.
// A hint that no longer fits (the list changed, or the index lies far away) costs one
// binary search; mapping the index next to the last one costs a step or two, so a walk over
// every row through the maps costs O(1) per row.
inline int CountBelow(const std::vector<int> &Hidden, int Index, int &Hint)
{
    const int n = int(Hidden.size());
    const int *h = Hidden.data();
    int k = Hint < 0 ? 0 : (Hint > n ? n : Hint);
    if (k == 0 || h[k - 1] < Index) {
        for (int step = 0; step < 4 && k < n && h[k] < Index; ++step)
            ++k;
        if (k == n || h[k] >= Index)
            return Hint = k;
    }
    return Hint = CountBelow(Hidden, Index);
}
inline int DisplToReal(const std::vector<int> &Hidden, int Displ, int &Hint)
{
    if (Displ < 0 || Hidden.empty())
        return Displ;
    const int n = int(Hidden.size());
    const int *h = Hidden.data();
    int k = Hint < 0 ? 0 : (Hint > n ? n : Hint);
    // k is the answer when the k hidden indexes before it come before the Displ-th shown
    // one and the next does not (Hidden[i] - i never decreases).
    if (k == 0 || h[k - 1] - (k - 1) <= Displ) {
        for (int step = 0; step < 4 && k < n && h[k] - k <= Displ; ++step)
            ++k;
        if (k == n || h[k] - k > Displ) {
            Hint = k;
            return Displ + k;
        }
    }
    const int real = DisplToReal(Hidden, Displ);
    Hint = real - Displ;
    return real;
}
}   // namespace HiddenIndex

// ---------------------------------------------------------------------------------------
// Hidden columns

// What column hiding needs of the grid (display indexes).
class THiddenColumnsHost
{
public:
    virtual ~THiddenColumnsHost() = default;
    virtual int HostColCount() const = 0;
    virtual void HostSetColCount(int Value) = 0;
    virtual int HostColWidth(int ACol) const = 0;
    virtual void HostSetColWidth(int ACol, int Value) = 0;
    virtual int HostCol() const = 0;
    virtual void HostSetCol(int Value) = 0;
};

// The column visibility table: one flag and one saved width per real column 0..512. Only
// columns 0..511 can be hidden; both maps return indexes of 512 and above unchanged.
class THiddenColumns
{
public:
    static constexpr int MaxColumns = 513;   // table entries
    static constexpr int MaxHideable = 512;  // columns 0..511 can be hidden

    THiddenColumns();

    int Count() const { return int(FHidden.size()); }
    // False outside 0..511.
    bool IsHidden(int ACol) const;
    // The raw flag (true: shown); indexes outside the table read true and are not written.
    bool GetColVisible(int ACol) const;
    void SetColVisible(int ACol, bool Value);
    // The width the column had when it was hidden (16 bits, sign-extended); 0 outside the
    // table.
    int SavedWidth(int ACol) const;
    void SetSavedWidth(int ACol, int Value);

    int RealToDispl(int ACol) const;
    // The real column shown at display index ADispl. A display index at or beyond the shown
    // columns among the first 512 gives 0.
    int DisplToReal(int ADispl) const;
    const std::vector<int> &Hidden() const { return FHidden; }

    // Hides each shown real column of FromCol..ToCol that lies below 512 and below
    // TotalColCount, as long as two or more columns show; closes the gap in the widths and
    // keeps the current column on the grid. Answers whether a column was hidden.
    bool Hide(int FromCol, int ToCol, THiddenColumnsHost &Host);
    // Shows each hidden column of FromCol..ToCol at its place with its saved width.
    bool UnHide(int FromCol, int ToCol, THiddenColumnsHost &Host);

    // The table follows the grid's real columns. Total: the real column count before the
    // change. Inserted columns are shown; flags and saved widths move with their columns.
    void ColumnsInserted(int ACol, int ACount, int Total);
    void ColumnsRemoved(int ACol, int ACount, int Total);
    void ColumnMoved(int FromIndex, int ToIndex);
    void Clear();   // everything shown

private:
    void Rebuild();
    uint8_t FVisible[MaxColumns];
    int16_t FSavedWidths[MaxColumns];
    std::vector<int> FHidden;   // ascending real columns whose flag is 0
};

// ---------------------------------------------------------------------------------------
// Hidden rows

// One hidden row: its cells (one text per real column, with the cell's object beside it),
// its height, and the filter step that hid it (0 for rows hidden otherwise).
class TGridItem : public TPersistent
{
public:
    TGridItem() = default;
    // The row's index when it was hidden: its real index, or for a row hidden by a filter
    // step its display index at that step.
    int Idx() const { return FIdx; }
    void SetIdx(int Value) { FIdx = Value; }
    int Height() const { return FHeight; }
    void SetHeight(int Value) { FHeight = Value; }
    int Level() const { return FLevel; }
    void SetLevel(int Value) { FLevel = Value; }
    // The row's cells, one per real column (made from the parked row on first use).
    TStringList &Items()
    {
        Unpack();
        return *FList;
    }
    const TStringList &Items() const
    {
        Unpack();
        return *FList;
    }
    // Copies the texts and objects of Value.
    void SetItems(const TStringList &Value);
    void Assign(const TPersistent *Source) override;

    // Parks a row taken out of the store whole, for Columns real columns: hiding and showing
    // many rows then copies no text and makes no list per row.
    void SetParked(TGridStore::TParkedRow &&Value, int Columns);
    // False once Items was used.
    bool IsParked() const { return FIsParked; }
    // Hands the parked row back (the record then holds no cells).
    TGridStore::TParkedRow TakeParked();

private:
    // Makes the cell list (from the parked row, if any).
    void Unpack() const;

    int FIdx = 0;
    int FHeight = 0;
    int FLevel = 0;
    int FColumns = 0;
    mutable bool FIsParked = false;
    mutable TGridStore::TParkedRow FParked;
    // Made on first use: most records are parked rows that never need one.
    mutable std::unique_ptr<TStringList> FList;
};

// What row hiding needs of the grid (display rows; a row covers every real column).
class THiddenRowsHost
{
public:
    virtual ~THiddenRowsHost() = default;
    virtual int HostRowCount() const = 0;
    // Moves the row's texts and objects and copies its height into Item; the row is removed
    // next (HostRemoveRows) and nothing reads it before.
    virtual void HostSaveRow(int ARow, TGridItem &Item) = 0;
    // Fills an empty row with Item's texts, objects and height; Item is discarded next, so
    // they may be moved out of it.
    virtual void HostRestoreRow(int ARow, TGridItem &Item) = 0;
    // Takes the rows (ascending) out of the grid; their objects now belong to the records.
    virtual void HostRemoveRows(const std::vector<int> &Rows) = 0;
    // Adds empty rows that end up at these display rows (ascending).
    virtual void HostInsertRows(const std::vector<int> &Rows) = 0;

    // A host whose rows are the grid store's hands them over whole, with no record: when
    // HostParksRows answers true, HostParkRow and HostUnparkRow stand in for HostSaveRow
    // and HostRestoreRow (a record made later on request still goes through the latter).
    virtual bool HostParksRows() const { return false; }
    // The real column count the parked rows cover.
    virtual int HostParkedColumns() const { return 0; }
    // Takes the row out whole with its height; the row is removed next.
    virtual TGridStore::TParkedRow HostParkRow(int ARow, int &Height);
    // Takes the rows (ascending) out whole and removes them: row Rows[j] goes to Cells[j],
    // its height to Heights[j]. By default HostParkRow for each, then HostRemoveRows.
    virtual void HostTakeRows(const std::vector<int> &Rows, TGridStore::TParkedRow *Cells,
                              int *Heights);
    // Puts a parked row into an empty row.
    virtual void HostUnparkRow(int ARow, TGridStore::TParkedRow &&Row, int Height);
};

// The rows of a list that lie in 0..Limit-1, ascending, once each.
std::vector<int> CleanRowList(std::vector<int> Rows, int Limit);
// The same without a copy when Rows is clean already (the usual case): Rows itself, or the
// cleaned list put into Store.
const std::vector<int> &CleanRowList(const std::vector<int> &Rows, int Limit,
                                     std::vector<int> &Store);

// The hidden-row store: one entry per hidden row, in ascending real row order, and the
// hide level of the filter steps.
//
// Every entry knows its real row, also one of a filter step: the maps, IsHidden and the
// restore positions work on real rows, so filter steps, single hides and the structure
// operations (RowsRemoved, RowsInserted) can be mixed on one grid.
//
// Hiding half a million rows must take milliseconds, so an entry is a parked row and a few
// numbers, each field in an array of its own that bulk operations fill in one sweep; its
// record is made on the first Item or Find and from then on holds the row.
class THiddenRows
{
public:
    THiddenRows();
    ~THiddenRows();
    THiddenRows(const THiddenRows &) = delete;
    THiddenRows &operator=(const THiddenRows &) = delete;

    int Count() const { return int(FRows.size()); }
    // The record of the Index-th hidden row (made on first use).
    TGridItem *Item(int Index) const { return Record(size_t(Index)); }
    int ItemRow(int Index) const { return FRows[size_t(Index)]; }   // real row
    // The record of a hidden real row, nullptr for a shown one.
    TGridItem *Find(int ARow) const;
    bool IsHidden(int ARow) const { return HiddenIndex::Contains(FRows, ARow); }
    int RealToDispl(int ARow) const { return ARow - HiddenIndex::CountBelow(FRows, ARow, FHint); }
    int DisplToReal(int ARow) const { return HiddenIndex::DisplToReal(FRows, ARow, FHint); }
    const std::vector<int> &Rows() const { return FRows; }
    int HideLevel() const { return FLevel; }
    void SetHideLevel(int Value) { FLevel = Value < 0 ? 0 : Value; }

    // Hides the shown real rows of FromRow..ToRow; nothing when all are hidden already.
    // The last shown row is never hidden (the grid keeps one row).
    void HideRows(int FromRow, int ToRow, THiddenRowsHost &Host);
    // Hides each shown real row of Rows (in any order) in one pass.
    void HideRowSet(const std::vector<int> &Rows, THiddenRowsHost &Host);
    // Hides ToRow - FromRow + 1 consecutive shown rows starting at real row FromRow; nothing
    // when FromRow is hidden already.
    void HideRowsEx(int FromRow, int ToRow, THiddenRowsHost &Host);
    // Hides the display rows of one filter step (ascending, no duplicates) at the current
    // hide level, then raises the level.
    void HideRowList(const std::vector<int> &Rows, THiddenRowsHost &Host);
    // Shows a hidden real row again at its place; false when it was not hidden.
    bool UnHideRow(int ARow, THiddenRowsHost &Host);
    // Shows every hidden row of FromRow..ToRow; nothing unless FromRow is hidden.
    void UnHideRows(int FromRow, int ToRow, THiddenRowsHost &Host);
    // Shows every hidden row (one pass over the grid).
    void UnHideRowsAll(THiddenRowsHost &Host);
    // Shows the rows of the newest filter step (records whose level + 1 is the hide level);
    // the caller lowers the level. Answers the number of rows shown.
    int UnHideRowList(THiddenRowsHost &Host);

    // Display rows ARow..ARow+ACount-1 left the grid: hidden rows after them move up.
    void RowsRemoved(int ARow, int ACount);
    // The display rows Rows (ascending) left the grid.
    void RowsRemoved(const std::vector<int> &Rows);
    // ACount rows were inserted before display row ARow: hidden rows after it move down.
    void RowsInserted(int ARow, int ACount);
    // Forgets every record (the objects in them are not freed).
    void Clear();

private:
    // The record of entry I, made from its fields on first use.
    TGridItem *Record(size_t I) const;
    int GetLevel(size_t I) const;
    void ShiftIdx(size_t I, int Delta);
    // Applies F to each per-entry array (the records only once one exists).
    template <class F>
    void ForEachField(F &&Apply);
    // The new entries appended behind the Old ones go to their places in row order.
    void MergeNewEntries(size_t Old);

    // Saves the display rows Displ as entries of the real rows Reals (both ascending), then
    // takes them out of the grid.
    void Hide(const std::vector<int> &Reals, const std::vector<int> &Displ,
              const std::vector<int> &Idx, int Level, THiddenRowsHost &Host);
    // Shows the entries at the given store positions (ascending), in one pass.
    void Restore(const std::vector<int> &Positions, THiddenRowsHost &Host);

    std::vector<int> FRows;   // ascending real rows
    // The entry of each row, one array per field. Until the entry's record is made these
    // hold the row; after, the record does.
    mutable std::vector<TGridStore::TParkedRow> FCells;
    std::vector<int> FHeights;
    std::vector<int> FIdx;
    std::vector<int> FLevels;
    std::vector<int> FColumns;   // real columns when parked
    // Empty while no entry has a record, then one per entry (nullptr for most).
    mutable std::vector<std::unique_ptr<TGridItem>> FRecords;
    std::vector<int> FReals;   // scratch of HideRowList
    int FLevel = 0;
    mutable int FHint = 0;   // of the maps: hidden rows below the row mapped last
};
