#include "grid/base/intlist.h"

#include "platform/rtl.h"

#include <QStringList>
#include <algorithm>

namespace {

constexpr uint32_t DescendingBit = 0x80000000u;
constexpr uint32_t ColumnBits = 0x7FFFFFFFu;

// Items of a comma text: separated by commas or blanks (characters up to space), an item
// that starts with a double quote runs to the closing one, a doubled quote stands for one.
QStringList SplitCommaText(const QString &Text)
{
    QStringList items;
    const qsizetype n = Text.size();
    auto blank = [&](qsizetype i) { return i < n && Text[i] > QChar(0) && Text[i] <= QChar(' '); };
    qsizetype i = 0;
    while (blank(i))
        ++i;
    while (i < n) {
        QString item;
        if (Text[i] == u'"') {
            ++i;
            while (i < n) {
                if (Text[i] == u'"') {
                    if (i + 1 < n && Text[i + 1] == u'"') {
                        item += u'"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += Text[i++];
            }
        } else {
            const qsizetype start = i;
            while (i < n && Text[i] > QChar(' ') && Text[i] != u',')
                ++i;
            item = Text.mid(start, i - start);
        }
        items.append(item);
        while (blank(i))
            ++i;
        if (i < n && Text[i] == u',') {
            if (i + 1 == n)
                items.append(QString());
            do
                ++i;
            while (blank(i));
        }
    }
    return items;
}

}   // namespace

// --- TIntList --------------------------------------------------------------------------

TIntList::TIntList(int Col, int Row) : FCol(Col), FRow(Row) {}

void TIntList::Changed()
{
    if (OnChange)
        OnChange(this, FCol, FRow);
}

void TIntList::CheckIndex(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index).toStdString());
}

void TIntList::Add(int Value)
{
    FItems.push_back(Value);
    Changed();
}

void TIntList::Insert(int Index, int Value)
{
    if (Index < 0 || Index > Count())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index).toStdString());
    FItems.insert(FItems.begin() + Index, Value);
}

void TIntList::Delete(int Index)
{
    CheckIndex(Index);
    FItems.erase(FItems.begin() + Index);
    Changed();
}

void TIntList::DeleteValue(int Value)
{
    const auto it = std::find(FItems.begin(), FItems.end(), Value);
    if (it != FItems.end())
        Delete(int(it - FItems.begin()));
}

bool TIntList::HasValue(int Value) const
{
    return std::find(FItems.begin(), FItems.end(), Value) != FItems.end();
}

int TIntList::GetInteger(int Index) const
{
    CheckIndex(Index);
    return FItems[size_t(Index)];
}

void TIntList::SetInteger(int Index, int Value)
{
    CheckIndex(Index);
    FItems[size_t(Index)] = Value;
    Changed();
}

void TIntList::Clear()
{
    FItems.clear();
}

QString TIntList::StrValue() const
{
    QString s;
    for (size_t i = 0; i < FItems.size(); ++i) {
        if (i > 0)
            s += u',';
        s += QString::number(FItems[i]);
    }
    return s;
}

void TIntList::SetStrValue(const QString &Value)
{
    Clear();
    for (const QString &item : SplitCommaText(Value))
        Add(StrToInt(item));
}

// --- TSortIndexList --------------------------------------------------------------------

void TSortIndexList::AddIndex(int ColumnIndex, bool Ascending)
{
    uint32_t v = uint32_t(ColumnIndex);
    if (!Ascending)
        v |= DescendingBit;
    Add(int32_t(v));
}

int TSortIndexList::FindIndex(int ColumnIndex) const
{
    for (int i = 0; i < Count(); ++i)
        if ((uint32_t(FItems[size_t(i)]) & ColumnBits) == uint32_t(ColumnIndex))
            return i;
    return -1;
}

void TSortIndexList::ToggleIndex(int ColumnIndex)
{
    const int i = FindIndex(ColumnIndex);
    if (i >= 0)
        SetInteger(i, int32_t(uint32_t(GetInteger(i)) ^ DescendingBit));
}

int TSortIndexList::GetSortColumns(int i) const
{
    return int(uint32_t(GetInteger(i)) & ColumnBits);
}

void TSortIndexList::SetSortColumns(int i, int Value)
{
    const uint32_t v = (uint32_t(GetInteger(i)) & DescendingBit) | (uint32_t(Value) & ColumnBits);
    SetInteger(i, int32_t(v));
}

bool TSortIndexList::GetSortDirections(int i) const
{
    return (uint32_t(GetInteger(i)) & DescendingBit) == 0;
}

void TSortIndexList::SetSortDirections(int i, bool Ascending)
{
    uint32_t v = uint32_t(GetInteger(i));
    v = Ascending ? (v & ~DescendingBit) : (v | DescendingBit);
    SetInteger(i, int32_t(v));
}

QString TSortIndexList::SaveToString() const
{
    QString s;
    for (int i = 0; i < Count(); ++i) {
        if (i > 0)
            s += u';';
        const uint32_t v = uint32_t(FItems[size_t(i)]);
        s += (v & DescendingBit) ? u'd' : u'u';
        s += QString::number(v & 0xFFFFu);
    }
    return s;
}

void TSortIndexList::LoadFromString(const QString &S)
{
    Clear();
    QString rest = S;
    while (!rest.isEmpty()) {
        const qsizetype sep = rest.indexOf(u';');
        const QString token = sep < 0 ? rest : rest.left(sep);
        rest = sep < 0 ? QString() : rest.mid(sep + 1);
        if (token.size() < 2)
            continue;
        int value = 0, code = 0;
        Val(token.mid(1), value, code);
        AddIndex(value, token[0] == u'u');
    }
}
