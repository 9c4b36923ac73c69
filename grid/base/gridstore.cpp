#include "grid/base/gridstore.h"

#include "grid/base/gridtypes.h"

#include <QStringList>
#include <algorithm>
#include <array>

namespace {

// Texts of one Latin-1 character ("Y", "N", "0", "1") are shared instead of stored once per
// cell: check-box columns of a large grid would otherwise hold a million tiny allocations.
const QString &Interned(const QString &Value)
{
    static const std::array<QString, 256> table = [] {
        std::array<QString, 256> t;
        for (int i = 0; i < 256; ++i)
            t[size_t(i)] = QString(QChar(i));
        return t;
    }();
    if (Value.size() == 1 && Value.at(0).unicode() < 256)
        return table[Value.at(0).unicode()];
    return Value;
}

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

void TGridStore::CheckIndex(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0 || ACol >= MaxColumns)
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
    if (!row)
        row = std::make_unique<TRow>();
    return *row;
}

QString TGridStore::Text(int ACol, int ARow) const
{
    CheckIndex(ACol, ARow);
    const TRow *row = RowAt(ARow);
    if (!row || ACol >= int(row->Texts.size()))
        return QString();
    return row->Texts[size_t(ACol)];
}

void TGridStore::SetText(int ACol, int ARow, const QString &Value)
{
    CheckIndex(ACol, ARow);
    if (Value.isEmpty()) {
        TRow *row = RowAt(ARow);
        if (row && ACol < int(row->Texts.size()))
            row->Texts[size_t(ACol)] = QString();
        return;
    }
    TRow &row = RowForWrite(ARow);
    if (ACol >= int(row.Texts.size()))
        row.Texts.resize(size_t(ACol) + 1);
    row.Texts[size_t(ACol)] = Interned(Value);
}

TObject *TGridStore::Object(int ACol, int ARow) const
{
    CheckIndex(ACol, ARow);
    const TRow *row = RowAt(ARow);
    if (!row || ACol >= int(row->Objects.size()))
        return nullptr;
    return row->Objects[size_t(ACol)];
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

void TGridStore::MoveColumn(int FromIndex, int ToIndex)
{
    CheckIndex(FromIndex, 0);
    CheckIndex(ToIndex, 0);
    if (FromIndex == ToIndex)
        return;
    for (auto &row : FRows) {
        if (!row)
            continue;
        MoveItem(row->Texts, size_t(FromIndex), size_t(ToIndex));
        MoveItem(row->Objects, size_t(FromIndex), size_t(ToIndex));
    }
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
        if (ACol < int(row->Texts.size()))
            row->Texts[size_t(ACol)] = QString();
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
        bytes += sizeof(TRow) + row->Texts.capacity() * sizeof(QString) +
                 row->Objects.capacity() * sizeof(TObject *);
        for (const QString &s : row->Texts)
            if (!s.isEmpty() && !(s.size() == 1 && s.at(0).unicode() < 256))
                bytes += 16 + size_t(s.capacity() + 1) * sizeof(QChar);
    }
    return bytes;
}
