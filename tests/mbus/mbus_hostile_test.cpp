// Wild and truncated input for every decoder: nothing may read past the received bytes (the
// sanitizer build checks that), loop for ever or crash.
#include "mbus_test_util.h"

#include "common/test_random.h"

#include <gtest/gtest.h>

namespace {

TBytes Random_Bytes(TTestRandom &r, size_t n)
{
    TBytes b(n);
    for (uint8_t &x : b)
        x = uint8_t(r.Next());
    return b;
}

// Biased towards the bytes that steer the decoders, so deep paths are reached.
TBytes Steered_Bytes(TTestRandom &r, size_t n)
{
    static const uint8_t steer[] = {0x0D, 0x0F, 0x1F, 0x2F, 0x7C, 0xFC, 0xFD, 0xFB, 0x84,
                                    0x80, 0xFF, 0x8C, 0x8D, 0x7A, 0x72, 0x78, 0x90, 0xBF,
                                    0xC9, 0xD9, 0x05, 0x07, 0x2C, 0x00};
    TBytes b(n);
    for (uint8_t &x : b) {
        const uint32_t v = r.Next();
        x = v % 3 == 0 ? steer[(v >> 4) % sizeof steer] : uint8_t(v >> 8);
    }
    return b;
}

} // namespace

TEST(MBusHostile, RecordWalkOnRandomBytes)
{
    TTestRandom r(57);
    for (int round = 0; round < 3000; ++round) {
        const size_t n = r.Next() % 300;
        // The walk gets exactly the bytes it may read: a heap block of that size.
        const TBytes b = round % 2 ? Random_Bytes(r, n) : Steered_Bytes(r, n);
        for (TMBusType type : {mtWired, mtWireless}) {
            TTestCodec c;
            c.MBusType = type;
            TVariable_List list;
            c.Decode_Data_Records(list, int(n) - 1 + int(r.Next() % 5), b.data(), int(n));
            EXPECT_LE(list.size(), n);
        }
    }
}

TEST(MBusHostile, WiredIntakeOfEveryTruncation)
{
    TTestCodec c;
    const TBytes frame = Test_Data_Hex(QStringLiteral("rsp_ud_water.hex"));
    for (size_t len = 0; len <= frame.size(); ++len) {
        c.Answer(TBytes(frame.begin(), frame.begin() + ptrdiff_t(len)));
        bool more = true;
        c.Is_Long_Frame();
        c.Store_Wired_Slave(-1, more);
    }
    TTestRandom r(4);
    for (int round = 0; round < 2000; ++round) {
        c.Answer(Steered_Bytes(r, r.Next() % 260));
        bool more = true;
        c.Store_Wired_Slave(round % 3 == 0 ? 0 : -1, more);
        if (c.Wired.size() > 50)
            c.Wired.clear();
    }
}

TEST(MBusHostile, WirelessIntakeWithAndWithoutKeys)
{
    TTestRandom r(104);
    for (int round = 0; round < 4000; ++round) {
        TTestCodec c;
        c.MBusType = mtWireless;
        const TRadioModule module = round % 2 ? rmTelit : rmRadioCrafts;
        TBytes t = Steered_Bytes(r, r.Next() % 120);
        // Force the layouts that decrypt so the key paths run on wild data.
        if (t.size() > 20 && round % 4 < 2) {
            t[10] = 0x8C;
            t[13] = round % 8 < 4 ? 0x7A : 0x90;
        }
        for (int pass = 0; pass < 2; ++pass) {
            c.Answer(t);
            c.Decode_Wireless_Frame(module);
            for (auto &o : c.Wireless) {
                auto &m = static_cast<TSlave_wMBus &>(*o);
                m.Enable_Key = true;
                m.Key.fill(uint8_t(round));
            }
        }
    }
}

TEST(MBusHostile, WirelessIntakeOfEveryTruncation)
{
    const TBytes t = Test_Data_Hex(QStringLiteral("wmbus_cold_water.hex"));
    for (size_t len = 0; len <= t.size(); ++len)
        for (TRadioModule module : {rmTelit, rmRadioCrafts}) {
            TTestCodec c;
            c.MBusType = mtWireless;
            c.Answer(TBytes(t.begin(), t.begin() + ptrdiff_t(len)));
            c.Decode_Wireless_Frame(module);
        }
}
