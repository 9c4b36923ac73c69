// The BACnet EDE reader on arbitrary bytes (byte-order mark, both layouts).
#include "editors/building/bacnet_ede_reader.h"
#include "fuzz/fuzz_common.h"

#include <stdexcept>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    Fuzz_App();
    try {
        Load_EDE_File(Fuzz_File(Data, Size, ".csv"));
    } catch (const std::exception &) {
    }
    return 0;
}
