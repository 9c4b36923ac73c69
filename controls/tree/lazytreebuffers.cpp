#include "controls/tree/lazytreebuffers.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace lazytree_detail {

constexpr size_t GrowthStep = 4096;

template <typename Unit>
TBufferBlock<Unit>::~TBufferBlock()
{
    std::free(FStart);
}

template <typename Unit>
void TBufferBlock<Unit>::Grow(size_t By)
{
    const size_t length = Length();
    const size_t capacity = Capacity() + By;
    // malloc of 0 bytes may answer nil; the block then stays empty.
    void *block = std::realloc(FStart, capacity * sizeof(Unit));
    if (!block && capacity > 0)
        throw std::bad_alloc();
    FStart = static_cast<Unit *>(block);
    FPosition = FStart + length;
    FEnd = FStart + (block ? capacity : 0);
}

template <typename Unit>
void TBufferBlock<Unit>::Append(const Unit *Data, size_t Length)
{
    if (Length >= size_t(FEnd - FPosition))
        Grow((Length + GrowthStep - 1) / GrowthStep * GrowthStep);
    if (Length == 0)
        return;
    std::memcpy(static_cast<void *>(FPosition), Data, Length * sizeof(Unit));
    FPosition += Length;
}

template <typename Unit>
void TBufferBlock<Unit>::AppendNewLine(size_t MinRoom)
{
    if (size_t(FEnd - FPosition) <= MinRoom)
        Grow(GrowthStep);
    *FPosition++ = Unit(13);
    *FPosition++ = Unit(10);
}

template class TBufferBlock<char>;
template class TBufferBlock<QChar>;

}   // namespace lazytree_detail
