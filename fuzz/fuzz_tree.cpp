// The tree's node stream on arbitrary bytes: loaded whole into a string tree, added below a
// node, and read as one node chunk (the clipboard's and drags' form). The first byte picks
// which.
#include "controls/tree/lazystringtree.h"
#include "fuzz/fuzz_common.h"

#include <QBuffer>
#include <stdexcept>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    if (Size < 1)
        return 0;
    Fuzz_App();
    const uint8_t mode = Data[0];
    QByteArray bytes = Fuzz_Bytes(Data + 1, Size - 1);
    QBuffer buf(&bytes);
    buf.open(QIODevice::ReadOnly);
    // One tree for the process (making one costs far more than a load); each input starts
    // from the same three nodes.
    static TLazyStringTree &tree = *new TLazyStringTree;
    tree.Clear();
    PLazyNode first = tree.AddChild(nullptr);
    tree.AddChild(first);
    tree.AddChild(nullptr);
    try {
        switch (mode % 3) {
        case 0:
            tree.LoadFromStream(buf);
            break;
        case 1:
            tree.AddFromStream(buf, first);
            break;
        default:
            tree.AddNodeFromChunk(buf, first, TLTNodeAttachMode(1 + (mode >> 2) % 4));
            break;
        }
        tree.ValidateNode(nullptr, true);
    } catch (const std::exception &) {
    }
    return 0;
}
