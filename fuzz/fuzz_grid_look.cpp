// The grid's look file (visual properties) on arbitrary bytes.
#include "fuzz/fuzz_grid.h"
#include "grid/tools/gridpersist.h"

#include <QBuffer>
#include <stdexcept>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    TDazStringGrid &grid = Fuzz_Grid();
    try {
        GridPersist::LoadVisualProps(grid, Fuzz_File(Data, Size, ".ini"));
    } catch (const std::exception &) {
    }
    return 0;
}
