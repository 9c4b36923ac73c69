// Wireless M-Bus telegrams as each radio module delivers them, twice (the second time to a
// known meter, then with a key so the decryption runs on the bytes). The first byte picks
// the module and the key.
#include "fuzz/fuzz_common.h"
#include "mbus/mbus_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    if (Size < 1)
        return 0;
    const uint8_t mode = Data[0];
    ++Data;
    --Size;
    const TRadioModule module = mode & 1 ? rmTelit : rmRadioCrafts;
    TMBus_Object_List wired, wireless;
    TMBusScanCodec c;
    c.Wired_List = &wired;
    c.Wireless_List = &wireless;
    c.Tick_Count = [] { return uint32_t(0); };
    c.Now = [] { return QDateTime(QDate(2026, 3, 5), QTime(12, 30, 15)); };
    c.MBusType = mtWireless;
    TMBusScanCodec::Is_Wireless_Telegram(Data, int(Size), module);
    for (int pass = 0; pass < 2; ++pass) {
        c.Set_Answer(Data, Size);
        c.Decode_Wireless_Frame(module);
        if (mode & 2)
            for (auto &o : wireless) {
                auto &m = static_cast<TSlave_wMBus &>(*o);
                m.Enable_Key = true;
                m.Key.fill(uint8_t(mode));
            }
    }
    return 0;
}
