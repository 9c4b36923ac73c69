#include "grid/base/gridstore.h"

#include "grid/base/gridtypes.h"
#include "grid/base/indexedit.h"

#include <algorithm>

namespace {

template <typename T>
void MoveItem(std::vector<T> &v, size_t from, size_t to)
{
    const size_t need = std::max(from, to) + 1;
    if (v.size() <= std::min(from, to))
        return;   // both positions lie beyond the data: nothing to move
    if (v.size() < need)
        v.resize(need);
    if (from < to)
        std::rotate(v.begin() + from, v.begin() + from + 1, v.begin() + to + 1);
    else
        std::rotate(v.begin() + to, v.begin() + from, v.begin() + from + 1);
}

}   // namespace

void TGridStore::TRow::Set(int c, QStringView Value)
{
    if (c >= Cells()) {
        if (Value.isEmpty())
            return;
        // Rows are many and short: grow by a quarter, not by doubling, so a filled grid
        // carries little slack.
        if (size_t(c) + 1 > Ends.capacity())
            Ends.reserve(size_t(c) + 1 + size_t(c) / 4);
        Ends.resize(size_t(c) + 1, uint32_t(Data.size()));
    }
    const uint32_t start = Start(c);
    const uint32_t oldLen = Ends[size_t(c)] - start;
    const int64_t delta = int64_t(Value.size()) - int64_t(oldLen);
    if (delta == 0) {
        // Overwriting with a text of the same length (refills, edits of codes and numbers):
        // the characters are copied in place, the ends stay.
        if (oldLen != 0 && QStringView(Data).mid(start, oldLen) != Value)
            std::copy(Value.begin(), Value.end(), Data.data() + start);
        return;
    }
    const qsizetype need = Data.size() + delta;
    if (need > Data.capacity())
        Data.reserve(need + need / 4);
    if (start == uint32_t(Data.size()))
        Data.append(Value.data(), Value.size());   // the row's last cell: filling left to right
    else
        Data.replace(qsizetype(start), qsizetype(oldLen), Value.data(), Value.size());
    if (delta != 0)
        for (size_t i = size_t(c); i < Ends.size(); ++i)
            Ends[i] = uint32_t(int64_t(Ends[i]) + delta);
    // Trailing empty cells take no room.
    while (!Ends.empty() && Ends.back() == (Ends.size() > 1 ? Ends[Ends.size() - 2] : 0))
        Ends.pop_back();
    if (Ends.empty())
        Data.clear();
}

void TGridStore::TRow::MoveCell(int From, int To)
{
    const int need = std::max(From, To) + 1;
    if (Cells() <= std::min(From, To))
        return;
    std::vector<QString> texts(size_t(std::max(need, Cells())));
    for (int c = 0; c < Cells(); ++c)
        texts[size_t(c)] = View(c).toString();
    MoveItem(texts, size_t(From), size_t(To));
    Data.clear();
    Ends.clear();
    for (int c = 0; c < int(texts.size()); ++c)
        Set(c, texts[size_t(c)]);
}

void TGridStore::CheckIndex(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0 || ACol >= MaxColumns || ARow >= MaxRows)
        throw EGridError("Grid index out of range");
}

TGridStore::TRow *TGridStore::RowAt(int ARow) const
{
    return ARow < int(FRows.size()) ? FRows[size_t(ARow)].get() : nullptr;
}

TGridStore::TRow &TGridStore::RowForWrite(int ARow)
{
    if (ARow >= int(FRows.size()))
        FRows.resize(size_t(ARow) + 1);
    auto &row = FRows[size_t(ARow)];
    if (!row) {
        row = std::make_unique<TRow>();
        // A grid is mostly filled row after row with alike rows: a new row takes the room
        // its upper neighbour uses (one more character per cell), so filling it makes one
        // allocation for its texts and one for their ends instead of growing step by step.
        if (ARow > 0 && FRows[size_t(ARow) - 1]) {
            constexpr qsizetype kMaxHint = 4096;   // a row of long texts is no model
            const TRow &above = *FRows[size_t(ARow) - 1];
            const qsizetype hint = above.Data.size() + qsizetype(above.Ends.size());
            if (hint <= kMaxHint) {
                row->Ends.reserve(above.Ends.size());
                row->Data.reserve(hint);
            }
        }
    }
    return *row;
}

QString TGridStore::Text(int ACol, int ARow) const
{
    return TextView(ACol, ARow).toString();
}

QStringView TGridStore::TextView(int ACol, int ARow) const
{
    CheckIndex(ACol, ARow);
    const TRow *row = RowAt(ARow);
    if (!row || ACol >= row->Cells())
        return QStringView();
    return row->View(ACol);
}

void TGridStore::SetText(int ACol, int ARow, const QString &Value)
{
    CheckIndex(ACol, ARow);
    if (Value.isEmpty()) {
        if (TRow *row = RowAt(ARow))
            row->Set(ACol, Value);
        return;
    }
    RowForWrite(ARow).Set(ACol, Value);
}

TObject *TGridStore::Object(int ACol, int ARow) const
{
    CheckIndex(ACol, ARow);
    const TRow *row = RowAt(ARow);
    if (!row || ACol >= int(row->Objects.size()))
        return nullptr;
    return row->Objects[size_t(ACol)];
}

int TGridStore::ObjectExtent(int ARow) const
{
    const TRow *row = ARow >= 0 ? RowAt(ARow) : nullptr;
    return row ? int(row->Objects.size()) : 0;
}

void TGridStore::SetObject(int ACol, int ARow, TObject *Value)
{
    CheckIndex(ACol, ARow);
    if (!Value) {
        TRow *row = RowAt(ARow);
        if (row && ACol < int(row->Objects.size()))
            row->Objects[size_t(ACol)] = nullptr;
        return;
    }
    TRow &row = RowForWrite(ARow);
    if (ACol >= int(row.Objects.size()))
        row.Objects.resize(size_t(ACol) + 1, nullptr);
    row.Objects[size_t(ACol)] = Value;
}

void TGridStore::MoveRow(int FromIndex, int ToIndex)
{
    CheckIndex(0, FromIndex);
    CheckIndex(0, ToIndex);
    if (FromIndex != ToIndex)
        MoveItem(FRows, size_t(FromIndex), size_t(ToIndex));
}

void TGridStore::DeleteRows(const std::vector<int> &Rows)
{
    EraseIndexes(FRows, Rows);
}

void TGridStore::DeleteRows(const std::vector<int> &Rows, TParkedRow *Taken)
{
    EraseIndexes(FRows, Rows, [Taken](size_t j, std::unique_ptr<TRow> &&Row) {
        Taken[j] = TParkedRow();
        Taken[j].FRow = Row.release();
    });
}

void TGridStore::InsertRows(const std::vector<int> &Rows)
{
    InsertIndexes(FRows, Rows, nullptr);
}

void TGridStore::MoveColumn(int FromIndex, int ToIndex)
{
    CheckIndex(FromIndex, 0);
    CheckIndex(ToIndex, 0);
    if (FromIndex == ToIndex)
        return;
    for (auto &row : FRows) {
        if (!row)
            continue;
        row->MoveCell(FromIndex, ToIndex);
        MoveItem(row->Objects, size_t(FromIndex), size_t(ToIndex));
    }
}

void TGridStore::SetRow(int ARow, const QStringList &Texts,
                        const std::vector<TObject *> &Objects)
{
    CheckIndex(0, ARow);
    if (Texts.size() > MaxColumns || Objects.size() > size_t(MaxColumns))
        throw EGridError("Grid index out of range");
    int cells = int(Texts.size());
    while (cells > 0 && Texts.at(cells - 1).isEmpty())
        --cells;
    int objects = int(Objects.size());
    while (objects > 0 && !Objects[size_t(objects - 1)])
        --objects;
    if (cells == 0 && objects == 0) {
        ClearRow(ARow);
        return;
    }
    TRow &row = RowForWrite(ARow);
    qsizetype length = 0;
    for (int c = 0; c < cells; ++c)
        length += Texts.at(c).size();
    row.Data.clear();
    row.Data.reserve(length);
    row.Ends.clear();
    row.Ends.reserve(size_t(cells));
    for (int c = 0; c < cells; ++c) {
        row.Data.append(Texts.at(c));
        row.Ends.push_back(uint32_t(row.Data.size()));
    }
    row.Objects.assign(Objects.begin(), Objects.begin() + objects);
}

QStringView TGridStore::TRowData::Text(int c) const
{
    if (c < 0 || c >= Cells())
        return QStringView();
    const uint32_t start = c == 0 ? 0 : Ends[size_t(c) - 1];
    return QStringView(Data).mid(start, Ends[size_t(c)] - start);
}

TGridStore::TRowData TGridStore::RowData(int ARow) const
{
    CheckIndex(0, ARow);
    const TRow *row = RowAt(ARow);
    if (!row)
        return {};
    return {row->Data, row->Ends, row->Objects};
}

void TGridStore::SetRowData(int ARow, const TRowData &Value)
{
    CheckIndex(0, ARow);
    if (Value.Cells() > MaxColumns || Value.Objects.size() > size_t(MaxColumns) ||
        (!Value.Ends.empty() && Value.Ends.back() != uint32_t(Value.Data.size())))
        throw EGridError("Grid index out of range");
    if (Value.Ends.empty() && Value.Objects.empty()) {
        ClearRow(ARow);
        return;
    }
    TRow &row = RowForWrite(ARow);
    row.Data = Value.Data;
    row.Ends = Value.Ends;
    row.Objects = Value.Objects;
}

void TGridStore::TParkedRow::Free(TRow *Row)
{
    delete Row;
}

int TGridStore::TParkedRow::Cells() const
{
    return FRow ? FRow->Cells() : 0;
}

QStringView TGridStore::TParkedRow::Text(int c) const
{
    if (!FRow || c < 0 || c >= FRow->Cells())
        return QStringView();
    return FRow->View(c);
}

int TGridStore::TParkedRow::ObjectCount() const
{
    return FRow ? int(FRow->Objects.size()) : 0;
}

TObject *TGridStore::TParkedRow::Object(int c) const
{
    return c >= 0 && c < ObjectCount() ? FRow->Objects[size_t(c)] : nullptr;
}

TGridStore::TParkedRow TGridStore::TakeRow(int ARow)
{
    CheckIndex(0, ARow);
    TParkedRow parked;
    if (ARow < int(FRows.size()))
        parked.FRow = FRows[size_t(ARow)].release();
    return parked;
}

void TGridStore::PutRow(int ARow, TParkedRow &&Row)
{
    CheckIndex(0, ARow);
    if (!Row.FRow) {
        ClearRow(ARow);
        return;
    }
    if (ARow >= int(FRows.size()))
        FRows.resize(size_t(ARow) + 1);
    FRows[size_t(ARow)].reset(std::exchange(Row.FRow, nullptr));
}

void TGridStore::ClearRow(int ARow)
{
    CheckIndex(0, ARow);
    if (ARow < int(FRows.size()))
        FRows[size_t(ARow)].reset();
}

void TGridStore::ClearColumn(int ACol)
{
    CheckIndex(ACol, 0);
    for (auto &row : FRows) {
        if (!row)
            continue;
        row->Set(ACol, QStringView());
        if (ACol < int(row->Objects.size()))
            row->Objects[size_t(ACol)] = nullptr;
    }
}

void TGridStore::Clear()
{
    FRows.clear();
}

size_t TGridStore::MemoryUsage() const
{
    size_t bytes = FRows.capacity() * sizeof(FRows[0]);
    for (const auto &row : FRows) {
        if (!row)
            continue;
        bytes += sizeof(TRow) + row->Ends.capacity() * sizeof(uint32_t) +
                 row->Objects.capacity() * sizeof(TObject *);
        if (!row->Data.isNull())
            bytes += 16 + size_t(row->Data.capacity() + 1) * sizeof(QChar);
    }
    return bytes;
}
