// A paste into the grid from a clipboard holding arbitrary bytes: the first byte picks the
// format (the binary cell stream, rich text or text), whether a paste inserts and where it
// lands.
#include "fuzz/fuzz_grid.h"
#include "grid/string/gridmessages.h"
#include "grid/tools/gridclipboard.h"
#include "platform/clipboard.h"

#include <stdexcept>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    if (Size < 1)
        return 0;
    TDazStringGrid &grid = Fuzz_Grid();
    const uint8_t mode = Data[0];
    const QByteArray bytes = Fuzz_Bytes(Data + 1, Size - 1);
    TMemoryClipboardGuard board;
    TNavigation &nav = grid.Navigation();
    nav.SetAllowFmtClipboard(true);
    nav.SetAllowRTFClipboard(true);
    nav.SetClipboardPasteAction(mode & 4 ? paInsert : paReplace);
    switch (mode % 4) {
    case 0:
        Clipboard().AddData(GridCellsClipboardFormat(), bytes);
        break;
    case 1:
        Clipboard().AddData(QStringLiteral("text/rtf"), bytes);
        break;
    default:
        Clipboard().SetText(QString::fromUtf8(bytes));
        break;
    }
    try {
        int rows = 0, cols = 0;
        GridClipboard::PasteFromClipboardAt(grid, (mode >> 3) % 3, (mode >> 5) % 3, rows, cols);
        if (mode % 4 == 3)
            GridClipboard::SetSelectionAsText(grid, QString::fromUtf8(bytes));
    } catch (const std::exception &) {
    }
    return 0;
}
