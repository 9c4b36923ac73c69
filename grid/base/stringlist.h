#pragma once
// TStringList: an ordered list of texts, each with an object reference (not owned), that can
// keep itself sorted, refuse or ignore duplicates, and tells OnChanging / OnChange around
// every change (once per BeginUpdate ... EndUpdate block).
#include "grid/base/classes.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <stdexcept>
#include <vector>

class EStringListError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList;
using TStringListSortCompare = std::function<int(TStringList *List, int Index1, int Index2)>;

class TStringList : public TPersistent
{
public:
    TStringList() = default;
    explicit TStringList(const QStringList &Strings);

    int Count() const { return int(FItems.size()); }
    // Index out of range throws EStringListError ("List index out of bounds (n)").
    QString Strings(int Index) const;
    QString operator[](int Index) const { return Strings(Index); }
    void SetStrings(int Index, const QString &Value);   // not on a sorted list
    TObject *Objects(int Index) const;
    void SetObjects(int Index, TObject *Value);

    // On a sorted list Add goes to its sorted place; a duplicate is then ignored (the index
    // of the one present is returned) or refused by Duplicates. Insert is not allowed there.
    int Add(const QString &S);
    int AddObject(const QString &S, TObject *AObject);
    void AddStrings(const TStringList &Strings);
    void Insert(int Index, const QString &S);
    void InsertObject(int Index, const QString &S, TObject *AObject);
    void Delete(int Index);
    void Clear();
    void Exchange(int Index1, int Index2);
    void Move(int CurIndex, int NewIndex);

    int IndexOf(const QString &S) const;   // by CaseSensitive; binary search when sorted
    int IndexOfObject(const TObject *AObject) const;
    // Sorted lists: the index of S, or where it would go; true when it is there.
    bool Find(const QString &S, int &Index) const;

    void Sort();
    void CustomSort(const TStringListSortCompare &Compare);   // stable
    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);
    TDuplicates Duplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool Value);
    int CompareStrings(const QString &S1, const QString &S2) const;

    // The texts one per line, each ended by CR LF; setting splits at CR LF, CR or LF.
    QString Text() const;
    void SetText(const QString &Value);
    QStringList ToStringList() const;

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    // Copies the texts and objects of another string list (the settings stay).
    void Assign(const TPersistent *Source) override;
    bool Equals(const TStringList &Other) const;

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    virtual void Changed();
    virtual void Changing();

private:
    struct TItem
    {
        QString Text;
        TObject *Object = nullptr;
    };
    void CheckIndex(int Index) const;
    void CheckNotSorted() const;
    void InsertItem(int Index, const QString &S, TObject *AObject);

    std::vector<TItem> FItems;
    bool FSorted = false;
    TDuplicates FDuplicates = dupIgnore;
    bool FCaseSensitive = false;
    int FUpdateCount = 0;
};
