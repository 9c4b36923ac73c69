// The grid's binary cell stream on arbitrary bytes, loaded whole and at a point.
#include "fuzz/fuzz_grid.h"
#include "grid/tools/gridcellstream.h"

#include <QBuffer>
#include <stdexcept>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    TDazStringGrid &grid = Fuzz_Grid();
    try {
        QByteArray bytes = Fuzz_Bytes(Data, Size);
        GridCellStream::ReadBinStreamHeader(bytes);
        QBuffer buf(&bytes);
        buf.open(QIODevice::ReadOnly);
        GridCellStream::LoadFromBinStream(grid, buf);
        buf.seek(0);
        GridCellStream::LoadAtPointFromBinStream(grid, TPoint(2, 3), buf);
    } catch (const std::exception &) {
    }
    return 0;
}
