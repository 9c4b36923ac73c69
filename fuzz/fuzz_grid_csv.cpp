// The grid's CSV import on arbitrary bytes.
#include "fuzz/fuzz_grid.h"
#include "grid/tools/gridcsv.h"

#include <QBuffer>
#include <stdexcept>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    TDazStringGrid &grid = Fuzz_Grid();
    try {
        QByteArray bytes = Fuzz_Bytes(Data, Size);
        QBuffer buf(&bytes);
        buf.open(QIODevice::ReadOnly);
        GridCSV::LoadFromCSVStream(grid, buf);
    } catch (const std::exception &) {
    }
    return 0;
}
