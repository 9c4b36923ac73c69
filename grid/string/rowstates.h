#pragma once
// Small state holders of the string grid: per-row and per-column flags of the disjunct
// selection, the modified marks and the disabled rows, and the depth of the update lock.
#include <cstdint>
#include <vector>

// Flags indexed by row or column. A write beyond the end grows the list with clear flags;
// a read beyond it answers clear without growing.
class TFlagList
{
public:
    int Count() const { return int(FFlags.size()); }
    bool Get(int Index) const
    {
        return Index >= 0 && Index < Count() && FFlags[size_t(Index)] != 0;
    }
    void Set(int Index, bool Value);   // a negative index is ignored
    void Grow(int NewCount);           // up to NewCount entries (never shrinks)
    // Removes the entry at Index when it exists (the entries after it move up).
    void Delete(int Index);
    // Inserts ACount clear entries at Index when an entry exists there.
    void Insert(int Index, int ACount);
    // Set entries among the first Limit (all when Limit is negative).
    int CountSet(int Limit = -1) const;
    void Clear() { FFlags.clear(); }
    // Indexes of the set entries, ascending.
    std::vector<int> SetIndexes() const;

private:
    std::vector<uint8_t> FFlags;
};

// Depth of nested update blocks. Painting waits while it is above 0.
class TUpdateLock
{
public:
    int Count() const { return FCount; }
    bool Locked() const { return FCount != 0; }
    void Begin() { ++FCount; }
    // Closes one block (never below 0); true when this closed the outermost one, also when
    // none was open, so the caller repaints.
    bool End()
    {
        if (FCount > 0)
            --FCount;
        return FCount == 0;
    }
    void Reset() { FCount = 0; }

private:
    int FCount = 0;
};
