#include "grid/string/rowstates.h"

#include <algorithm>

void TFlagList::Set(int Index, bool Value)
{
    if (Index < 0)
        return;
    Grow(Index + 1);
    FFlags[size_t(Index)] = Value ? 1 : 0;
}

void TFlagList::Grow(int NewCount)
{
    if (NewCount > Count())
        FFlags.resize(size_t(NewCount), 0);
}

void TFlagList::Delete(int Index)
{
    if (Index >= 0 && Index < Count())
        FFlags.erase(FFlags.begin() + Index);
}

void TFlagList::Insert(int Index, int ACount)
{
    if (Index >= 0 && Index < Count() && ACount > 0)
        FFlags.insert(FFlags.begin() + Index, size_t(ACount), uint8_t(0));
}

int TFlagList::CountSet(int Limit) const
{
    const size_t n = Limit < 0 ? FFlags.size() : std::min(FFlags.size(), size_t(Limit));
    return int(std::count(FFlags.begin(), FFlags.begin() + std::ptrdiff_t(n), uint8_t(1)));
}

std::vector<int> TFlagList::SetIndexes() const
{
    std::vector<int> result;
    for (size_t i = 0; i < FFlags.size(); ++i)
        if (FFlags[i])
            result.push_back(int(i));
    return result;
}
