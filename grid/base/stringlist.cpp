#include "grid/base/stringlist.h"

#include <algorithm>

TStringList::TStringList(const QStringList &Strings)
{
    for (const QString &s : Strings)
        FItems.push_back({s, nullptr});
}

void TStringList::CheckIndex(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EStringListError(QStringLiteral("List index out of bounds (%1)").arg(Index).toStdString());
}

void TStringList::CheckNotSorted() const
{
    if (FSorted)
        throw EStringListError("Operation not allowed on sorted list");
}

void TStringList::Changing()
{
    if (FUpdateCount == 0 && OnChanging)
        OnChanging(this);
}

void TStringList::Changed()
{
    if (FUpdateCount == 0 && OnChange)
        OnChange(this);
}

void TStringList::BeginUpdate()
{
    if (FUpdateCount == 0 && OnChanging)
        OnChanging(this);
    ++FUpdateCount;
}

void TStringList::EndUpdate()
{
    if (FUpdateCount == 0)
        return;
    if (--FUpdateCount == 0)
        Changed();
}

QString TStringList::Strings(int Index) const
{
    CheckIndex(Index);
    return FItems[size_t(Index)].Text;
}

void TStringList::SetStrings(int Index, const QString &Value)
{
    CheckNotSorted();
    CheckIndex(Index);
    Changing();
    FItems[size_t(Index)].Text = Value;
    Changed();
}

TObject *TStringList::Objects(int Index) const
{
    CheckIndex(Index);
    return FItems[size_t(Index)].Object;
}

void TStringList::SetObjects(int Index, TObject *Value)
{
    CheckIndex(Index);
    Changing();
    FItems[size_t(Index)].Object = Value;
    Changed();
}

int TStringList::CompareStrings(const QString &S1, const QString &S2) const
{
    return QString::compare(S1, S2, FCaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
}

bool TStringList::Find(const QString &S, int &Index) const
{
    // The first of equal entries, so duplicates accepted on a sorted list are all found.
    int lo = 0, hi = Count();
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (CompareStrings(FItems[size_t(mid)].Text, S) < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    Index = lo;
    return lo < Count() && CompareStrings(FItems[size_t(lo)].Text, S) == 0;
}

int TStringList::IndexOf(const QString &S) const
{
    if (FSorted) {
        int i;
        return Find(S, i) ? i : -1;
    }
    for (int i = 0; i < Count(); ++i)
        if (CompareStrings(FItems[size_t(i)].Text, S) == 0)
            return i;
    return -1;
}

int TStringList::IndexOfObject(const TObject *AObject) const
{
    for (int i = 0; i < Count(); ++i)
        if (FItems[size_t(i)].Object == AObject)
            return i;
    return -1;
}

void TStringList::InsertItem(int Index, const QString &S, TObject *AObject)
{
    Changing();
    FItems.insert(FItems.begin() + Index, TItem{S, AObject});
    Changed();
}

int TStringList::Add(const QString &S)
{
    return AddObject(S, nullptr);
}

int TStringList::AddObject(const QString &S, TObject *AObject)
{
    int index = Count();
    if (FSorted && Find(S, index)) {
        if (FDuplicates == dupIgnore)
            return index;
        if (FDuplicates == dupError)
            throw EStringListError("String list does not allow duplicates");
    }
    InsertItem(index, S, AObject);
    return index;
}

void TStringList::AddStrings(const TStringList &Strings)
{
    BeginUpdate();
    try {
        for (const TItem &item : Strings.FItems)
            AddObject(item.Text, item.Object);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStringList::Insert(int Index, const QString &S)
{
    InsertObject(Index, S, nullptr);
}

void TStringList::InsertObject(int Index, const QString &S, TObject *AObject)
{
    CheckNotSorted();
    if (Index < 0 || Index > Count())
        throw EStringListError(QStringLiteral("List index out of bounds (%1)").arg(Index).toStdString());
    InsertItem(Index, S, AObject);
}

void TStringList::Delete(int Index)
{
    CheckIndex(Index);
    Changing();
    FItems.erase(FItems.begin() + Index);
    Changed();
}

void TStringList::Clear()
{
    if (FItems.empty())
        return;
    Changing();
    FItems.clear();
    Changed();
}

void TStringList::Exchange(int Index1, int Index2)
{
    CheckNotSorted();
    CheckIndex(Index1);
    CheckIndex(Index2);
    Changing();
    std::swap(FItems[size_t(Index1)], FItems[size_t(Index2)]);
    Changed();
}

void TStringList::Move(int CurIndex, int NewIndex)
{
    if (CurIndex == NewIndex)
        return;
    CheckNotSorted();
    CheckIndex(CurIndex);
    CheckIndex(NewIndex);
    Changing();
    TItem item = FItems[size_t(CurIndex)];
    FItems.erase(FItems.begin() + CurIndex);
    FItems.insert(FItems.begin() + NewIndex, item);
    Changed();
}

void TStringList::Sort()
{
    CustomSort([](TStringList *list, int a, int b) {
        return list->CompareStrings(list->FItems[size_t(a)].Text, list->FItems[size_t(b)].Text);
    });
}

void TStringList::CustomSort(const TStringListSortCompare &Compare)
{
    if (Count() < 2)
        return;
    Changing();
    // Sort positions, so the comparer sees the list as it was (by index).
    std::vector<int> order(FItems.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = int(i);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return Compare(this, a, b) < 0; });
    std::vector<TItem> sorted;
    sorted.reserve(FItems.size());
    for (int i : order)
        sorted.push_back(FItems[size_t(i)]);
    FItems.swap(sorted);
    Changed();
}

void TStringList::SetSorted(bool Value)
{
    if (Value == FSorted)
        return;
    if (Value)
        Sort();
    FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value)
{
    if (Value == FCaseSensitive)
        return;
    FCaseSensitive = Value;
    if (FSorted)
        Sort();
}

QString TStringList::Text() const
{
    QString s;
    for (const TItem &item : FItems) {
        s += item.Text;
        s += QLatin1String("\r\n");
    }
    return s;
}

void TStringList::SetText(const QString &Value)
{
    BeginUpdate();
    try {
        Clear();
        int start = 0;
        const int n = int(Value.size());
        while (start < n) {
            int end = start;
            while (end < n && Value.at(end) != QLatin1Char('\r') && Value.at(end) != QLatin1Char('\n'))
                ++end;
            Add(Value.mid(start, end - start));
            if (end < n && Value.at(end) == QLatin1Char('\r'))
                ++end;
            if (end < n && Value.at(end) == QLatin1Char('\n'))
                ++end;
            start = end;
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

QStringList TStringList::ToStringList() const
{
    QStringList list;
    list.reserve(Count());
    for (const TItem &item : FItems)
        list.append(item.Text);
    return list;
}

void TStringList::Assign(const TPersistent *Source)
{
    const auto *other = dynamic_cast<const TStringList *>(Source);
    if (!other) {
        TPersistent::Assign(Source);
        return;
    }
    if (other == this)
        return;
    BeginUpdate();
    try {
        Clear();
        AddStrings(*other);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

bool TStringList::Equals(const TStringList &Other) const
{
    if (Count() != Other.Count())
        return false;
    for (int i = 0; i < Count(); ++i)
        if (FItems[size_t(i)].Text != Other.FItems[size_t(i)].Text)
            return false;
    return true;
}
