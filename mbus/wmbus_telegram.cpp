// Wireless telegram intake: meter identity, signal strength, software decryption of
// security modes 5 and 7, the readable test and the record walk. Positions are bytes of
// Ans_Array as the radio module delivers the telegram; nothing at or past the module's
// trailer is read as telegram data.
#include "mbus/mbus_codec.h"

#include "mbus/mbus_crypto.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr int Pos_C = 1;
constexpr int Pos_M = 2;
constexpr int Pos_Ident = 4;
constexpr int Pos_Version = 8;
constexpr int Pos_Device = 9;
constexpr int Pos_CI = 10;
constexpr int Pos_Long_Ident = 11;          // long transport header right after the CI
constexpr int Pos_Long_M = 15;
constexpr int Pos_Long_Version = 17;
constexpr int Pos_Long_Device = 18;
constexpr int Pos_ELL_Next_CI = 13;         // after CI 0x8C
constexpr int Pos_ELL2_Next_CI = 19;        // after CI 0x8D
constexpr int Pos_AFL_Length = 14;

constexpr uint8_t CI_ELL_Short = 0x8C;
constexpr uint8_t CI_ELL_Long = 0x8D;
constexpr uint8_t CI_TPL_Short = 0x7A;
constexpr uint8_t CI_TPL_Long = 0x72;
constexpr uint8_t CI_TPL_None = 0x78;
constexpr uint8_t CI_AFL = 0x90;
constexpr uint8_t Idle_Filler = 0x2F;
constexpr int Security_Mode_Mask = 0x1F;   // of the configuration word's high byte

constexpr uint16_t FC_Key_Info = 1u << 9;
constexpr uint16_t FC_MAC = 1u << 10;
constexpr uint16_t FC_Message_Counter = 1u << 11;
constexpr uint16_t FC_Message_Length = 1u << 12;
constexpr uint16_t FC_Message_Control = 1u << 13;

int Trailer_Length(TRadioModule module)
{
    return module == rmRadioCrafts ? 1 : 2;
}

int MAC_Length(int auth_type)
{
    switch (auth_type) {
    case 3: return 2;
    case 4: return 4;
    case 5: return 8;
    case 6: return 12;
    case 7: return 16;
    case 8: return 12;
    default: return 0;
    }
}

uint32_t LE32(const uint8_t *p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

} // namespace

bool TMBusScanCodec::Is_Wireless_Telegram(const uint8_t *data, int len, TRadioModule module)
{
    if (!data || len < 1)
        return false;
    return len == data[0] + (module == rmTelit ? 3 : 1);
}

int TMBusScanCodec::Telegram_Byte(int pos, int end) const
{
    return pos >= 0 && pos < end ? Ans_Array[size_t(pos)] : -1;
}

bool TMBusScanCodec::Decrypt_Mode_5(const TSlave_wMBus &m, int end)
{
    auto b = [&](int p) { return Telegram_Byte(p, end); };
    // The configuration word's security mode says whether the payload is encrypted; what the
    // ciphertext happens to begin with says nothing.
    if (b(Pos_CI) != CI_ELL_Short || b(13) != CI_TPL_Short || b(17) < 0
        || (b(17) & Security_Mode_Mask) != 5)
        return false;
    const int n = b(16) & 0xF0;
    if (n == 0 || 18 + n > end)
        return false;
    uint8_t iv[16];
    std::memcpy(iv, &Ans_Array[Pos_M], 8);
    std::memset(iv + 8, Ans_Array[14], 8);
    std::vector<uint8_t> plain(Ans_Array.begin() + 18, Ans_Array.begin() + 18 + n);
    if (!AES128_CBC_Decrypt(m.Key.data(), iv, plain.data(), plain.size()))
        return true;
    // A payload the radio module has already decrypted stays as received; the readable
    // test then decides on either.
    if (plain[0] == Idle_Filler && plain[1] == Idle_Filler)
        std::copy(plain.begin(), plain.end(), Ans_Array.begin() + 18);
    return true;
}

int TMBusScanCodec::Decrypt_Mode_7(const TSlave_wMBus &m, int end)
{
    auto b = [&](int p) { return Telegram_Byte(p, end); };
    if (b(Pos_CI) != CI_ELL_Short || b(Pos_ELL_Next_CI) != CI_AFL || b(Pos_AFL_Length) < 0)
        return 0;
    const int A = b(Pos_AFL_Length);
    // The configuration word's security mode says whether the payload is encrypted.
    if (b(15 + A) != CI_TPL_Short || b(19 + A) < 0 || (b(19 + A) & 7) != 7)
        return 0;

    // AFL fields; each must lie inside the telegram.
    int p = 15;
    auto take = [&](int n) {
        const int at = p;
        p += n;
        return p <= end ? at : -1;
    };
    const int fc_at = take(2);
    if (fc_at < 0)
        return 0;
    const uint16_t fc = uint16_t(Ans_Array[size_t(fc_at)] | Ans_Array[size_t(fc_at) + 1] << 8);
    int auth_type = 0;
    if (fc & FC_Message_Control) {
        const int at = take(1);
        if (at < 0)
            return 0;
        auth_type = Ans_Array[size_t(at)] & 0x0F;
    }
    if ((fc & FC_Key_Info) && take(2) < 0)
        return 0;
    uint8_t counter[4] = {0, 0, 0, 0};     // an AFL without a counter derives with zeros
    if (fc & FC_Message_Counter) {
        const int at = take(4);
        if (at < 0)
            return 0;
        std::memcpy(counter, &Ans_Array[size_t(at)], 4);
    }
    if ((fc & FC_MAC) && take(MAC_Length(auth_type)) < 0)
        return 0;
    if ((fc & FC_Message_Length) && take(2) < 0)
        return 0;

    // Transport header: CI, access number, status, configuration word, its extension.
    const int tpl = take(6);
    if (tpl < 0 || Ans_Array[size_t(tpl)] != CI_TPL_Short)
        return 0;
    const uint8_t cfg_low = Ans_Array[size_t(tpl) + 3];
    const uint8_t cfg_high = Ans_Array[size_t(tpl) + 4];
    if ((cfg_high & 0x1F) != 7)
        return 0;
    const int payload = p + ((cfg_high & 0x20) ? 4 : 0);
    const int n = (cfg_low >> 4) * 16;
    if (payload + n > end)
        return 0;

    uint8_t input[16];
    input[0] = 0x00;
    std::memcpy(input + 1, counter, 4);
    std::memcpy(input + 5, &Ans_Array[Pos_Ident], 4);
    std::memset(input + 9, 0x07, 7);
    uint8_t kenc[16];
    if (!AES128_CMAC(m.Key.data(), input, sizeof input, kenc))
        return 0;
    std::vector<uint8_t> plain(Ans_Array.begin() + payload, Ans_Array.begin() + payload + n);
    const uint8_t iv[16] = {};
    if (!AES128_CBC_Decrypt(kenc, iv, plain.data(), plain.size()))
        return 0;
    if (n < 2 || plain[0] != Idle_Filler || plain[1] != Idle_Filler) {
        // A payload the radio module has already decrypted stays as received.
        if (n >= 2 && Ans_Array[size_t(payload)] == Idle_Filler
            && Ans_Array[size_t(payload) + 1] == Idle_Filler)
            return 0;
        return -1;
    }
    std::copy(plain.begin(), plain.end(), Ans_Array.begin() + payload);
    return 1;
}

void TMBusScanCodec::Decode_Wireless_Frame(TRadioModule module)
{
    TSlave_wMBus *meter = nullptr;
    int index = -1;
    {
        const std::lock_guard<std::mutex> hold(Results_Lock);
        index = File_Wireless_Frame(module, meter);
    }
    if (index >= 0)
        Notify_Wireless_Slave(index, meter);
}

int TMBusScanCodec::File_Wireless_Frame(TRadioModule module, TSlave_wMBus *&meter)
{
    New_Frame_Wireless = true;
    const QDateTime now = Now();
    const int len = std::clamp(Ans_Len, 0, int(Ans_Array.size()));
    const int end = len - Trailer_Length(module);     // first trailer byte
    const uint8_t *a = Ans_Array.data();
    auto b = [&](int p) { return Telegram_Byte(p, end); };

    // A telegram too short to name its meter cannot be filed anywhere.
    if (end <= Pos_CI)
        return -1;
    const uint8_t ci = a[Pos_CI];
    const uint8_t c_field = a[Pos_C];
    const uint16_t lla_m = uint16_t(a[Pos_M] | a[Pos_M + 1] << 8);
    const int32_t lla_address = int32_t(LE32(a + Pos_Ident));
    const uint8_t lla_version = a[Pos_Version];
    const uint8_t lla_device = a[Pos_Device];

    uint16_t ala_m = lla_m;
    int32_t ala_address = lla_address;
    uint8_t ala_version = lla_version;
    uint8_t ala_device = lla_device;
    if (ci != CI_TPL_Short && ci != CI_ELL_Short && ci != CI_ELL_Long) {
        if (end <= Pos_Long_Device)
            return -1;
        ala_address = int32_t(LE32(a + Pos_Long_Ident));
        ala_m = uint16_t(a[Pos_Long_M] | a[Pos_Long_M + 1] << 8);
        ala_version = a[Pos_Long_Version];
        ala_device = a[Pos_Long_Device];
    }

    const uint8_t s = a[len - 1];
    const int8_t rssi = module == rmTelit ? int8_t(-(int(s) + 2)) : int8_t(int8_t(s) / 2 + 1);

    int index = Find_Wireless_Slave(*Wireless_List, ala_m, ala_address, ala_version, ala_device);
    TSlave_wMBus *m = nullptr;
    if (index < 0) {
        auto n = std::make_unique<TSlave_wMBus>();
        n->Message_Type = c_field;
        n->ALA_Manufacturer = ala_m;
        n->ALA_Manu_str = Trova_Man(ala_m);
        n->ALA_Address = ala_address;
        n->ALA_Version = ala_version;
        n->ALA_DeviceType = ala_device;
        n->LLA_Manufacturer = lla_m;
        n->LLA_Manu_str = Trova_Man(lla_m);
        n->LLA_Address = lla_address;
        n->LLA_Version = lla_version;
        n->LLA_DeviceType = lla_device;
        n->RSSI = rssi;
        n->RadioCrafts_Ind_Tab_Decript = -1;
        m = n.get();
        Wireless_List->push_back(std::move(n));
        index = int(Wireless_List->size()) - 1;
    } else {
        m = static_cast<TSlave_wMBus *>((*Wireless_List)[size_t(index)].get());
        if (m->Enable_Key && !Decrypt_Mode_5(*m, end) && Decrypt_Mode_7(*m, end) < 0) {
            meter = m;
            return index;
        }
    }

    m->Cancel_Var();
    m->DateTime = now;
    m->RSSI = rssi;

    auto both_filler = [&](int p) { return b(p) == Idle_Filler && b(p + 1) == Idle_Filler; };
    // Mode 0, or mode 5 already decrypted (the payload opens with two idle fillers).
    auto plain_mode = [&](int cfg_high, int payload) {
        const int h = b(cfg_high);
        return h >= 0 && ((h & 0x0F) == 0 || ((h & 0x0F) == 5 && both_filler(payload)));
    };
    bool readable = false;
    int start = -1;
    if (ci == CI_TPL_Short) {
        readable = plain_mode(14, 15);
        start = 15;
    } else if (ci == CI_TPL_Long) {
        readable = plain_mode(22, 23);
        start = 23;
    } else if (ci == CI_ELL_Short || ci == CI_ELL_Long) {
        const bool short_ell = ci == CI_ELL_Short;
        const int next = b(short_ell ? Pos_ELL_Next_CI : Pos_ELL2_Next_CI);
        const int shift = short_ell ? 0 : 6;
        const int afl = b(Pos_AFL_Length);
        if (next == CI_TPL_Long) {
            readable = plain_mode(25 + shift, 26 + shift);
            start = 26 + shift;
        } else if (next == CI_TPL_None) {
            readable = true;
            start = 14 + shift;
        } else if (next == CI_TPL_Short) {
            readable = plain_mode(17 + shift, 18 + shift);
            start = 18 + shift;
        } else if (next == CI_AFL && afl >= 0) {
            readable = both_filler(21 + afl);
            start = short_ell ? afl + 21 : -1;
        }
    }

    if (readable) {
        m->Cripted = false;
        if (start >= 0 && start < end)
            Decode_Data_Records(m->List_Var, end - 1 - start, a + start, end - start);
    } else {
        m->Cripted = true;
    }
    meter = m;
    return index;
}

void TMBusScanCodec::Notify_Wireless_Slave(int index, TSlave_wMBus *meter)
{
    if (UpdateListWirelessSlave)
        UpdateListWirelessSlave(index, From_DLL ? nullptr : meter);
}
