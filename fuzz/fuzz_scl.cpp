// The SCL reader (IEC 61850 ICD/CID files) on arbitrary bytes.
#include "editors/building/iec_client_decode.h"
#include "fuzz/fuzz_common.h"

#include <stdexcept>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    Fuzz_App();
    try {
        TIEC_Device device(Fuzz_File(Data, Size, ".icd"));
        for (const auto &ld : device.List_LDevice)
            for (const auto &ln : ld->List_LN)
                for (const auto &d : ln->List_DO)
                    d->Find_First_DA();
    } catch (const std::exception &) {
    }
    return 0;
}
