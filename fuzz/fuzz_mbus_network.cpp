// The M-Bus network file (M_Bus.xml) on arbitrary bytes.
#include "fuzz/fuzz_common.h"
#include "mbus/mbus_network.h"

#include <stdexcept>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    Fuzz_App();
    UMeter_Bus::TNodi_List nodes;
    try {
        Read_MBus_Network(Fuzz_File(Data, Size, ".xml"), nodes);
    } catch (const std::exception &) {
    }
    return 0;
}
