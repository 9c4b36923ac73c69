#pragma once
// Integer lists a grid keeps per grid or per cell (column orders, sizes, value lists) and
// the multi-column sort order with its compact text form.
#include "grid/base/classes.h"
#include "grid/base/gridevents.h"

#include <QString>
#include <cstdint>
#include <vector>

// A list of integers that reports its changes together with the cell it belongs to.
class TIntList : public TObject
{
public:
    // Col, Row: the cell the list belongs to (-1 or 0 when it belongs to none).
    TIntList(int Col, int Row);

    int Count() const { return int(FItems.size()); }
    int Col() const { return FCol; }
    int Row() const { return FRow; }

    void Add(int Value);                  // fires OnChange
    void Insert(int Index, int Value);    // fires nothing
    void Delete(int Index);               // fires OnChange
    void DeleteValue(int Value);          // the first equal entry, through Delete
    bool HasValue(int Value) const;
    // An index outside 0..Count-1 throws EListError.
    int GetInteger(int Index) const;
    void SetInteger(int Index, int Value);   // fires OnChange
    void Clear();

    // The entries in decimal joined by "," ("3,1,4"). Writing clears the list and adds each
    // item of the comma text (commas or blanks separate, double quotes group) converted
    // strictly; a non-number throws EConvertError after the items before it were added.
    QString StrValue() const;
    void SetStrValue(const QString &Value);

    TImageChangeEvent OnChange;

protected:
    void Changed();
    std::vector<int32_t> FItems;

private:
    void CheckIndex(int Index) const;
    int FCol;
    int FRow;
};

// The sort order over several columns, in priority order: bits 0-30 of an entry hold the
// column, bit 31 is set for a descending column.
class TSortIndexList : public TIntList
{
public:
    using TIntList::TIntList;

    void AddIndex(int ColumnIndex, bool Ascending);
    int FindIndex(int ColumnIndex) const;   // -1 when the column is not listed
    void ToggleIndex(int ColumnIndex);      // flips the direction; nothing when absent
    int GetSortColumns(int i) const;
    void SetSortColumns(int i, int Value);  // keeps the direction
    bool GetSortDirections(int i) const;    // true: ascending
    void SetSortDirections(int i, bool Ascending);

    // "u2;d5": "u" ascending or "d" descending, then the column's low 16 bits in decimal,
    // joined by ";". Loading skips tokens shorter than two characters, takes a first
    // character "u" as ascending and any other as descending, and reads the number
    // leniently (up to its first bad character).
    QString SaveToString() const;
    void LoadFromString(const QString &S);
};

// An index outside a list.
class EListError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};
