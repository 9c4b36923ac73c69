#include "grid/string/hiddenindex.h"

#include "grid/base/indexedit.h"

#include <algorithm>
#include <cstring>

namespace HiddenIndex {

int CountBelow(const std::vector<int> &Hidden, int Index)
{
    return int(std::lower_bound(Hidden.begin(), Hidden.end(), Index) - Hidden.begin());
}

bool Contains(const std::vector<int> &Hidden, int Index)
{
    return std::binary_search(Hidden.begin(), Hidden.end(), Index);
}

int DisplToReal(const std::vector<int> &Hidden, int Displ)
{
    if (Displ < 0 || Hidden.empty())
        return Displ;
    // Hidden[i] - i (the shown indexes below the i-th hidden one) never decreases, so the
    // hidden indexes that come before the Displ-th shown one are a prefix.
    int lo = 0;
    int hi = int(Hidden.size());
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (Hidden[size_t(mid)] - mid <= Displ)
            lo = mid + 1;
        else
            hi = mid;
    }
    return Displ + lo;
}

}   // namespace HiddenIndex

// ---------------------------------------------------------------------------------------
// THiddenColumns

THiddenColumns::THiddenColumns()
{
    Clear();
}

void THiddenColumns::Clear()
{
    std::memset(FVisible, 1, sizeof FVisible);
    std::memset(FSavedWidths, 0, sizeof FSavedWidths);
    FHidden.clear();
}

bool THiddenColumns::IsHidden(int ACol) const
{
    return ACol >= 0 && ACol < MaxHideable && FVisible[ACol] == 0;
}

bool THiddenColumns::GetColVisible(int ACol) const
{
    return ACol < 0 || ACol >= MaxColumns || FVisible[ACol] != 0;
}

void THiddenColumns::SetColVisible(int ACol, bool Value)
{
    if (ACol < 0 || ACol >= MaxHideable || (FVisible[ACol] != 0) == Value)
        return;
    FVisible[ACol] = Value ? 1 : 0;
    const auto it = std::lower_bound(FHidden.begin(), FHidden.end(), ACol);
    if (Value)
        FHidden.erase(it);
    else
        FHidden.insert(it, ACol);
}

int THiddenColumns::SavedWidth(int ACol) const
{
    return ACol >= 0 && ACol < MaxColumns ? FSavedWidths[ACol] : 0;
}

void THiddenColumns::SetSavedWidth(int ACol, int Value)
{
    if (ACol >= 0 && ACol < MaxColumns)
        FSavedWidths[ACol] = int16_t(Value);
}

int THiddenColumns::RealToDispl(int ACol) const
{
    if (ACol >= MaxHideable || FHidden.empty())
        return ACol;
    return HiddenIndex::RealToDispl(FHidden, ACol);
}

int THiddenColumns::DisplToReal(int ADispl) const
{
    if (ADispl >= MaxHideable || FHidden.empty())
        return ADispl;
    const int real = HiddenIndex::DisplToReal(FHidden, ADispl);
    return real >= MaxHideable ? 0 : real;
}

bool THiddenColumns::Hide(int FromCol, int ToCol, THiddenColumnsHost &Host)
{
    bool any = false;
    for (int c = std::max(FromCol, 0); c <= std::min(ToCol, MaxHideable - 1); ++c) {
        const int cc = Host.HostColCount();
        if (!FVisible[c] || c >= cc + Count() || cc < 2)
            continue;
        const int d = RealToDispl(c);
        FSavedWidths[c] = int16_t(Host.HostColWidth(d));
        for (int i = d; i <= cc - 2; ++i)
            Host.HostSetColWidth(i, Host.HostColWidth(i + 1));
        SetColVisible(c, false);
        if (Host.HostCol() == cc - 1)
            Host.HostSetCol(cc - 2);
        Host.HostSetColCount(cc - 1);
        any = true;
    }
    return any;
}

bool THiddenColumns::UnHide(int FromCol, int ToCol, THiddenColumnsHost &Host)
{
    bool any = false;
    for (int c = std::max(FromCol, 0); c <= std::min(ToCol, MaxHideable - 1); ++c) {
        if (FVisible[c])
            continue;
        SetColVisible(c, true);
        Host.HostSetColCount(Host.HostColCount() + 1);
        const int n = Host.HostColCount();
        // Exact also for column 511, whose neighbour lies outside the hideable range.
        const int d = HiddenIndex::RealToDispl(FHidden, c + 1);
        for (int i = n - 1; i >= d && i >= 1; --i)
            Host.HostSetColWidth(i, Host.HostColWidth(i - 1));
        Host.HostSetColWidth(RealToDispl(c), FSavedWidths[c]);
        any = true;
    }
    return any;
}

void THiddenColumns::Rebuild()
{
    FVisible[MaxColumns - 1] = 1;
    FHidden.clear();
    for (int c = 0; c < MaxHideable; ++c)
        if (!FVisible[c])
            FHidden.push_back(c);
}

void THiddenColumns::ColumnsInserted(int ACol, int ACount, int Total)
{
    if (ACount <= 0 || ACol < 0 || ACol >= MaxColumns)
        return;
    const int end = std::min(Total + ACount, int(MaxColumns));
    for (int i = end - 1; i >= ACol + ACount; --i) {
        FVisible[i] = FVisible[i - ACount];
        FSavedWidths[i] = FSavedWidths[i - ACount];
    }
    for (int i = ACol; i < std::min(ACol + ACount, int(MaxColumns)); ++i) {
        FVisible[i] = 1;
        FSavedWidths[i] = 0;
    }
    Rebuild();
}

void THiddenColumns::ColumnsRemoved(int ACol, int ACount, int Total)
{
    if (ACount <= 0 || ACol < 0 || ACol >= MaxColumns)
        return;
    for (int i = ACol; i < MaxColumns; ++i) {
        const int from = i + ACount;
        const bool inside = from < Total && from < MaxColumns;
        FVisible[i] = inside ? FVisible[from] : 1;
        FSavedWidths[i] = inside ? FSavedWidths[from] : 0;
    }
    Rebuild();
}

void THiddenColumns::ColumnMoved(int FromIndex, int ToIndex)
{
    if (FromIndex == ToIndex || FromIndex < 0 || ToIndex < 0 || FromIndex >= MaxColumns ||
        ToIndex >= MaxColumns)
        return;
    auto move = [&](auto *a) {
        if (FromIndex < ToIndex)
            std::rotate(a + FromIndex, a + FromIndex + 1, a + ToIndex + 1);
        else
            std::rotate(a + ToIndex, a + FromIndex, a + FromIndex + 1);
    };
    move(FVisible);
    move(FSavedWidths);
    Rebuild();
}

// ---------------------------------------------------------------------------------------
// TGridItem

void TGridItem::Assign(const TPersistent *Source)
{
    if (const auto *item = dynamic_cast<const TGridItem *>(Source)) {
        FIdx = item->FIdx;
        FHeight = item->FHeight;
        FLevel = item->FLevel;
        SetItems(item->Items());
        return;
    }
    TPersistent::Assign(Source);
}

void TGridItem::SetItems(const TStringList &Value)
{
    FIsParked = false;
    FParked = {};
    if (!FList)
        FList = std::make_unique<TStringList>();
    FList->Assign(&Value);
}

void TGridItem::SetParked(TGridStore::TParkedRow &&Value, int Columns)
{
    FList.reset();
    FParked = std::move(Value);
    FIsParked = true;
    FColumns = Columns;
}

TGridStore::TParkedRow TGridItem::TakeParked()
{
    FIsParked = false;
    return std::move(FParked);
}

void TGridItem::Unpack() const
{
    if (!FList)
        FList = std::make_unique<TStringList>();
    if (!FIsParked)
        return;
    FList->Clear();
    for (int c = 0; c < FColumns; ++c)
        FList->AddObject(FParked.Text(c).toString(), FParked.Object(c));
    FIsParked = false;
    FParked = {};
}

// ---------------------------------------------------------------------------------------
// THiddenRows

TGridStore::TParkedRow THiddenRowsHost::HostParkRow(int, int &Height)
{
    Height = 0;
    return {};
}

void THiddenRowsHost::HostUnparkRow(int, TGridStore::TParkedRow &&, int) {}

void THiddenRowsHost::HostTakeRows(const std::vector<int> &Rows, TGridStore::TParkedRow *Cells,
                                   int *Heights)
{
    for (size_t j = 0; j < Rows.size(); ++j)
        Cells[j] = HostParkRow(Rows[j], Heights[j]);
    HostRemoveRows(Rows);
}

THiddenRows::THiddenRows() = default;
THiddenRows::~THiddenRows() = default;

template <class F>
void THiddenRows::ForEachField(F &&Apply)
{
    Apply(FRows);
    Apply(FCells);
    Apply(FHeights);
    Apply(FIdx);
    Apply(FLevels);
    Apply(FColumns);
    if (!FRecords.empty())
        Apply(FRecords);
}

TGridItem *THiddenRows::Record(size_t I) const
{
    if (FRecords.empty())
        FRecords.resize(FRows.size());
    std::unique_ptr<TGridItem> &record = FRecords[I];
    if (!record) {
        record = std::make_unique<TGridItem>();
        record->SetParked(std::move(FCells[I]), FColumns[I]);
        record->SetIdx(FIdx[I]);
        record->SetHeight(FHeights[I]);
        record->SetLevel(FLevels[I]);
    }
    return record.get();
}

int THiddenRows::GetLevel(size_t I) const
{
    return !FRecords.empty() && FRecords[I] ? FRecords[I]->Level() : FLevels[I];
}

void THiddenRows::ShiftIdx(size_t I, int Delta)
{
    FIdx[I] += Delta;
    if (!FRecords.empty() && FRecords[I])
        FRecords[I]->SetIdx(FRecords[I]->Idx() + Delta);
}

TGridItem *THiddenRows::Find(int ARow) const
{
    const auto it = std::lower_bound(FRows.begin(), FRows.end(), ARow);
    if (it == FRows.end() || *it != ARow)
        return nullptr;
    return Record(size_t(it - FRows.begin()));
}

void THiddenRows::HideRows(int FromRow, int ToRow, THiddenRowsHost &Host)
{
    FromRow = std::max(FromRow, 0);
    ToRow = std::min(ToRow, Host.HostRowCount() + Count() - 1);
    if (FromRow > ToRow)
        return;
    const int k = HiddenIndex::CountBelow(FRows, FromRow);
    const int display = FromRow - k;
    std::vector<int> reals;
    size_t h = size_t(k);
    for (int i = FromRow; i <= ToRow; ++i) {
        if (h < FRows.size() && FRows[h] == i) {
            ++h;
            continue;
        }
        reals.push_back(i);
    }
    if (reals.empty())
        return;
    std::vector<int> displ(reals.size());
    for (size_t j = 0; j < reals.size(); ++j)
        displ[j] = display + int(j);
    Hide(reals, displ, reals, 0, Host);
}

std::vector<int> CleanRowList(std::vector<int> Rows, int Limit)
{
    if (!std::is_sorted(Rows.begin(), Rows.end()))
        std::sort(Rows.begin(), Rows.end());
    Rows.erase(std::unique(Rows.begin(), Rows.end()), Rows.end());
    Rows.erase(std::remove_if(Rows.begin(), Rows.end(), [Limit](int r) { return r < 0 || r >= Limit; }),
               Rows.end());
    return Rows;
}

const std::vector<int> &CleanRowList(const std::vector<int> &Rows, int Limit,
                                     std::vector<int> &Store)
{
    bool clean = Rows.empty() || (Rows.front() >= 0 && Rows.back() < Limit);
    for (size_t i = 1; clean && i < Rows.size(); ++i)
        clean = Rows[i - 1] < Rows[i];
    if (clean)
        return Rows;
    Store = CleanRowList(Rows, Limit);
    return Store;
}

void THiddenRows::HideRowSet(const std::vector<int> &Rows, THiddenRowsHost &Host)
{
    std::vector<int> reals = CleanRowList(Rows, Host.HostRowCount() + Count());
    reals.erase(std::remove_if(reals.begin(), reals.end(), [&](int r) { return IsHidden(r); }),
                reals.end());
    std::vector<int> displ(reals.size());
    for (size_t j = 0; j < reals.size(); ++j)
        displ[j] = RealToDispl(reals[j]);
    Hide(reals, displ, reals, 0, Host);
}

void THiddenRows::HideRowsEx(int FromRow, int ToRow, THiddenRowsHost &Host)
{
    FromRow = std::max(FromRow, 0);
    if (IsHidden(FromRow))
        return;
    const int display = RealToDispl(FromRow);
    const int n =
        int(std::min<int64_t>(int64_t(ToRow) - FromRow + 1, Host.HostRowCount() - display));
    if (n <= 0)
        return;
    std::vector<int> displ(static_cast<size_t>(n));
    std::vector<int> reals(static_cast<size_t>(n));
    for (int j = 0; j < n; ++j) {
        displ[size_t(j)] = display + j;
        reals[size_t(j)] = DisplToReal(display + j);
    }
    Hide(reals, displ, reals, 0, Host);
}

void THiddenRows::HideRowList(const std::vector<int> &Rows, THiddenRowsHost &Host)
{
    // Ascending, once each, inside the grid: anything else would remove the wrong rows.
    std::vector<int> cleaned;
    const std::vector<int> &displ = CleanRowList(Rows, Host.HostRowCount(), cleaned);
    if (FRows.empty()) {
        // Nothing hidden yet: the display rows are the real rows.
        Hide(displ, displ, displ, FLevel, Host);
    } else {
        // Kept between calls: a fresh list of a million rows costs more than filling it.
        std::vector<int> &reals = FReals;
        reals.resize(displ.size());
        for (size_t j = 0; j < displ.size(); ++j)
            reals[j] = DisplToReal(displ[j]);
        Hide(reals, displ, displ, FLevel, Host);
    }
    ++FLevel;
}

void THiddenRows::Hide(const std::vector<int> &Reals, const std::vector<int> &Displ,
                       const std::vector<int> &Idx, int Level, THiddenRowsHost &Host)
{
    if (Reals.empty())
        return;
    if (int(Reals.size()) >= Host.HostRowCount()) {
        // Keep the last shown row: the grid never goes without rows.
        std::vector<int> reals(Reals.begin(), Reals.end() - 1);
        std::vector<int> displ(Displ.begin(), Displ.end() - 1);
        std::vector<int> idx(Idx.begin(), Idx.end() - 1);
        Hide(reals, displ, idx, Level, Host);
        return;
    }
    const size_t old = FRows.size();
    const size_t total = old + Reals.size();
    const bool parks = Host.HostParksRows();
    // The new entries go behind the old ones, each field in one sweep: hiding rows after
    // every hidden one moves nothing more.
    FRows.insert(FRows.end(), Reals.begin(), Reals.end());
    FIdx.insert(FIdx.end(), Idx.begin(), Idx.end());
    FLevels.resize(total, Level);
    FColumns.resize(total, parks ? Host.HostParkedColumns() : 0);
    FHeights.resize(total);
    FCells.resize(total);
    if (!parks || !FRecords.empty())
        FRecords.resize(total);
    try {
        if (parks) {
            Host.HostTakeRows(Displ, FCells.data() + old, FHeights.data() + old);
        } else {
            for (size_t j = 0; j < Displ.size(); ++j) {
                auto record = std::make_unique<TGridItem>();
                Host.HostSaveRow(Displ[j], *record);
                record->SetIdx(Idx[j]);
                record->SetLevel(Level);
                FRecords[old + j] = std::move(record);
            }
            Host.HostRemoveRows(Displ);
        }
    } catch (...) {
        // The rows stay in the grid.
        ForEachField([old](auto &V) { V.resize(old); });
        throw;
    }
    if (old > 0 && FRows[old - 1] > Reals.front())
        MergeNewEntries(old);
}

namespace {

// Entries [0, Old) and [Old, size) of V are two runs. The entries of one run (the old one
// when OldAside) are set aside and go to their final places At (ascending); the others
// close up around them.
template <class T>
void MergeRuns(std::vector<T> &V, size_t Old, const std::vector<int> &At, bool OldAside)
{
    if (OldAside) {
        std::vector<T> aside(std::make_move_iterator(V.begin()),
                             std::make_move_iterator(V.begin() + ptrdiff_t(Old)));
        size_t src = Old;
        size_t dst = 0;
        for (size_t a = 0; a < aside.size(); ++a) {
            while (dst < size_t(At[a]))
                V[dst++] = std::move(V[src++]);
            V[dst++] = std::move(aside[a]);
        }
    } else {
        std::vector<T> aside(std::make_move_iterator(V.begin() + ptrdiff_t(Old)),
                             std::make_move_iterator(V.end()));
        size_t src = Old;
        size_t dst = V.size();
        for (size_t b = aside.size(); b > 0; --b) {
            while (dst > size_t(At[b - 1]) + 1)
                V[--dst] = std::move(V[--src]);
            V[--dst] = std::move(aside[b - 1]);
        }
    }
}

}   // namespace

void THiddenRows::MergeNewEntries(size_t Old)
{
    // The shorter run moves aside; its final places come from the rows of both.
    const size_t added = FRows.size() - Old;
    const bool oldAside = Old <= added;
    std::vector<int> at(oldAside ? Old : added);
    const int *rows = FRows.data();
    const int *fresh = rows + Old;
    if (oldAside) {
        size_t b = 0;
        for (size_t a = 0; a < Old; ++a) {
            while (b < added && fresh[b] < rows[a])
                ++b;
            at[a] = int(a + b);
        }
    } else {
        size_t a = 0;
        for (size_t b = 0; b < added; ++b) {
            while (a < Old && rows[a] < fresh[b])
                ++a;
            at[b] = int(a + b);
        }
    }
    ForEachField([&](auto &V) { MergeRuns(V, Old, at, oldAside); });
}

bool THiddenRows::UnHideRow(int ARow, THiddenRowsHost &Host)
{
    const auto it = std::lower_bound(FRows.begin(), FRows.end(), ARow);
    if (it == FRows.end() || *it != ARow)
        return false;
    Restore({int(it - FRows.begin())}, Host);
    return true;
}

void THiddenRows::UnHideRows(int FromRow, int ToRow, THiddenRowsHost &Host)
{
    if (!IsHidden(FromRow))
        return;
    std::vector<int> positions;
    for (int i = HiddenIndex::CountBelow(FRows, FromRow); i < Count() && FRows[size_t(i)] <= ToRow;
         ++i)
        positions.push_back(i);
    Restore(positions, Host);
}

void THiddenRows::UnHideRowsAll(THiddenRowsHost &Host)
{
    std::vector<int> positions(FRows.size());
    for (size_t i = 0; i < positions.size(); ++i)
        positions[i] = int(i);
    Restore(positions, Host);
}

int THiddenRows::UnHideRowList(THiddenRowsHost &Host)
{
    std::vector<int> positions;
    for (size_t i = 0; i < FRows.size(); ++i)
        if (GetLevel(i) + 1 == FLevel)
            positions.push_back(int(i));
    Restore(positions, Host);
    return int(positions.size());
}

void THiddenRows::Restore(const std::vector<int> &Positions, THiddenRowsHost &Host)
{
    if (Positions.empty())
        return;
    // A restored row lands after the shown rows below it: its real row minus the entries
    // below it that stay hidden.
    std::vector<int> displ(Positions.size());
    for (size_t j = 0; j < Positions.size(); ++j)
        displ[j] = FRows[size_t(Positions[j])] - (Positions[j] - int(j));
    Host.HostInsertRows(displ);
    // The parked rows lie apart on the heap: ask for them some rows ahead.
    constexpr size_t Ahead = 8;
    const bool records = !FRecords.empty();
    for (size_t j = 0; j < Positions.size(); ++j) {
        if (j + Ahead < Positions.size())
            FCells[size_t(Positions[j + Ahead])].Prefetch();
        const size_t p = size_t(Positions[j]);
        if (records && FRecords[p])
            Host.HostRestoreRow(displ[j], *FRecords[p]);
        else
            Host.HostUnparkRow(displ[j], std::move(FCells[p]), FHeights[p]);
    }
    // The arrays keep their room: filters and groups hide and show the same rows again.
    ForEachField([&](auto &V) { EraseIndexes(V, Positions); });
}

void THiddenRows::RowsRemoved(int ARow, int ACount)
{
    if (ACount <= 0)
        return;
    for (size_t i = 0; i < FRows.size(); ++i) {
        // Display rows below this hidden row, less those before the removed ones.
        const int shift = std::clamp(FRows[i] - int(i) - ARow, 0, ACount);
        FRows[i] -= shift;
        ShiftIdx(i, -shift);
    }
}

void THiddenRows::RowsRemoved(const std::vector<int> &Rows)
{
    if (Rows.empty())
        return;
    for (size_t i = 0; i < FRows.size(); ++i) {
        const int below = FRows[i] - int(i);   // shown rows below this hidden row
        const int shift =
            int(std::lower_bound(Rows.begin(), Rows.end(), below) - Rows.begin());
        FRows[i] -= shift;
        ShiftIdx(i, -shift);
    }
}

void THiddenRows::RowsInserted(int ARow, int ACount)
{
    if (ACount <= 0)
        return;
    for (size_t i = 0; i < FRows.size(); ++i) {
        if (FRows[i] - int(i) > ARow) {
            FRows[i] += ACount;
            ShiftIdx(i, ACount);
        }
    }
}

void THiddenRows::Clear()
{
    ForEachField([](auto &V) { V = std::decay_t<decltype(V)>(); });
    FRecords = decltype(FRecords)();
    FLevel = 0;
}
