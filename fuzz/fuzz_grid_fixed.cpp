// The grid's fixed-width import: the first byte gives the number of field positions, the next ones the positions, the rest the file.
#include "fuzz/fuzz_grid.h"
#include "grid/base/intlist.h"
#include "grid/tools/gridfixed.h"

#include <QBuffer>
#include <stdexcept>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    TDazStringGrid &grid = Fuzz_Grid();
    try {
        if (Size < 1)
            return 0;
        const size_t n = Data[0] % 8;
        if (Size < 1 + n)
            return 0;
        TIntList positions(0, 0);
        for (size_t i = 0; i < n; ++i)
            positions.Add(int(int8_t(Data[1 + i])));
        GridFixed::LoadFromFixed(grid, Fuzz_File(Data + 1 + n, Size - 1 - n, ".txt"), positions, Data[0] & 8);
    } catch (const std::exception &) {
    }
    return 0;
}
