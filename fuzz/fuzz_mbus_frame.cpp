// Wired M-Bus answers: the long-frame intake of a new and a known slave, and the record walk
// over the bytes alone. The first byte picks the walk's mode.
#include "fuzz/fuzz_common.h"
#include "mbus/mbus_codec.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    if (Size < 1)
        return 0;
    const uint8_t mode = Data[0];
    ++Data;
    --Size;
    TMBus_Object_List wired, wireless;
    TMBusScanCodec c;
    c.Wired_List = &wired;
    c.Wireless_List = &wireless;
    c.Tick_Count = [] { return uint32_t(0); };
    c.Now = [] { return QDateTime(QDate(2026, 3, 5), QTime(12, 30, 15)); };
    c.Set_Answer(Data, Size);
    c.Is_Ack();
    c.Is_No_Slave();
    if (c.Is_Long_Frame()) {
        bool more = true;
        const int index = c.Store_Wired_Slave(-1, more);
        if (index >= 0)
            c.Store_Wired_Slave(index, more);
    }
    // The walk gets exactly the bytes it may read.
    c.MBusType = mode & 1 ? mtWireless : mtWired;
    const std::vector<uint8_t> copy(Data, Data + Size);
    TVariable_List list;
    c.Decode_Data_Records(list, int(Size) - 1 + (mode >> 1) % 4, copy.data(), int(Size));
    return 0;
}
