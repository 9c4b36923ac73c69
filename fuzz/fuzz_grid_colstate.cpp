// The grid's column state string (count, widths, order, visibility) on arbitrary text.
#include "fuzz/fuzz_grid.h"
#include "grid/tools/gridpersist.h"

#include <QBuffer>
#include <stdexcept>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    TDazStringGrid &grid = Fuzz_Grid();
    try {
        GridPersist::StringToColumnStates(grid, QString::fromUtf8(Fuzz_Bytes(Data, Size)));
    } catch (const std::exception &) {
    }
    return 0;
}
