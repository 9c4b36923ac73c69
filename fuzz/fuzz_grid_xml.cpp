// The grid's XML import on arbitrary bytes; the first byte picks the options.
#include "fuzz/fuzz_grid.h"
#include "grid/tools/gridxml.h"

#include <QBuffer>
#include <stdexcept>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    TDazStringGrid &grid = Fuzz_Grid();
    try {
        if (Size < 1)
            return 0;
        GridXML::LoadFromXML(grid, Fuzz_File(Data + 1, Size - 1, ".xml"), Data[0] & 1, Data[0] & 2);
    } catch (const std::exception &) {
    }
    return 0;
}
