#include "mbus_test_util.h"

#include "mbus/mbus_crypto.h"
#include "platform/locale.h"

#include <gtest/gtest.h>

namespace {

const uint8_t Meter_Key[16] = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77,
                               0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF};
const uint8_t Other_Key[16] = {0x0F, 0x0E, 0x0D, 0x0C, 0x0B, 0x0A, 0x09, 0x08,
                               0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01, 0x00};

// Link layer from C to the device type: C 0x44, M 0x2C2D, ID 00123457, version 0x1B, type 0x16.
const TBytes Link_Layer = Hex("44 2D 2C 57 34 12 00 1B 16");

// A datagram from a module: L, the telegram after L, then the module's trailer. The Telit
// module's L leaves out its two trailer bytes, the RadioCrafts module's counts its one.
TBytes Datagram(const TBytes &after_l, TRadioModule module, uint8_t signal = 0x50)
{
    const size_t l = after_l.size() + (module == rmRadioCrafts ? 1 : 0);
    TBytes d = Cat({{uint8_t(l)}, after_l});
    if (module == rmTelit)
        d.push_back(0x00);
    d.push_back(signal);
    return d;
}

// Plaintext payload: two idle fillers, the records, then fillers up to whole blocks.
TBytes Padded_Payload(const TBytes &records)
{
    TBytes p = Cat({Hex("2F 2F"), records});
    while (p.size() % 16)
        p.push_back(0x2F);
    return p;
}

class Wireless : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetDecimalSeparatorOverride(u'.');
        Codec.MBusType = mtWireless;
        Codec.UpdateListWirelessSlave = [this](int index, TSlave_wMBus *m) {
            Notified.push_back(index);
            Notified_Meters.push_back(m);
        };
    }
    void TearDown() override { SetDecimalSeparatorOverride(QChar()); }

    void Hear(const TBytes &datagram, TRadioModule module = rmTelit)
    {
        ASSERT_TRUE(TMBusScanCodec::Is_Wireless_Telegram(datagram.data(), int(datagram.size()),
                                                         module));
        Codec.Answer(datagram);
        Codec.Decode_Wireless_Frame(module);
    }
    void Give_Key(size_t meter, const uint8_t *key)
    {
        std::copy(key, key + 16, Codec.Meter(meter).Key.begin());
        Codec.Meter(meter).Enable_Key = true;
    }
    // Real records of a meter (idle-filler placeholders left out).
    std::vector<int32_t> Values(size_t meter)
    {
        std::vector<int32_t> out;
        for (const auto &v : Codec.Meter(meter).List_Var)
            if (v->Real_Wireless_Var)
                out.push_back(v->dato_A);
        return out;
    }

    // Mode 5 under ELL: CI 0x8C, CC, ACC, TPL 0x7A, access, status, configuration, payload.
    TBytes Mode_5(const uint8_t *key, const TBytes &records, uint8_t access = 0x21)
    {
        const TBytes plain = Padded_Payload(records);
        const uint8_t blocks = uint8_t(plain.size() / 16);
        TBytes head = Cat({Link_Layer, Hex("8C 20 21 7A"), {access}, Hex("00"),
                           {uint8_t(blocks << 4), 0x05}});
        uint8_t iv[16];
        std::copy(head.begin() + 1, head.begin() + 9, iv);   // M, ID, version, type
        std::fill(iv + 8, iv + 16, access);
        return Datagram(Cat({head, Test_AES_CBC_Encrypt(key, iv, plain)}), rmTelit);
    }

    // Mode 7 under ELL and AFL. fc_counter: the AFL carries the message counter.
    TBytes Mode_7(const uint8_t *key, const TBytes &records, bool fc_counter = true,
                  bool plaintext_ok = true)
    {
        const TBytes counter = Hex("01 02 03 04");
        // FC: message control (bit 13), counter (bit 11), MAC (bit 10); auth type 5: 8-byte MAC.
        TBytes afl = fc_counter ? Cat({Hex("00 2C 05"), counter, TBytes(8, 0xAB)})
                                : Cat({Hex("00 24 05"), TBytes(8, 0xAB)});
        TBytes plain = Padded_Payload(records);
        if (!plaintext_ok)
            plain[0] = 0x00;
        const uint8_t blocks = uint8_t(plain.size() / 16);
        TBytes tpl = Cat({Hex("7A 21 00"), {uint8_t(blocks << 4), 0x07}, Hex("00")});

        // Kenc = CMAC(key, 00 | counter | ID as received | 07 x 7), laid out by hand.
        const TBytes input = Cat({Hex("00"), fc_counter ? counter : Hex("00 00 00 00"),
                                  Hex("57 34 12 00"), TBytes(7, 0x07)});
        uint8_t kenc[16];
        EXPECT_TRUE(AES128_CMAC(key, input.data(), input.size(), kenc));
        const uint8_t zero_iv[16] = {};
        const TBytes enc = Test_AES_CBC_Encrypt(kenc, zero_iv, plain);
        return Datagram(Cat({Link_Layer, Hex("8C 20 21 90"), {uint8_t(afl.size())}, afl, tpl, enc}),
                        rmTelit);
    }

    TTestCodec Codec;
    std::vector<int> Notified;
    std::vector<TSlave_wMBus *> Notified_Meters;
};

const TBytes Records_A = Hex("04 13 10 27 00 00 01 FD 17 00");
const TBytes Records_B = Hex("04 13 20 4E 00 00");

} // namespace

TEST_F(Wireless, UnencryptedShortHeaderIsReadFromByte15)
{
    Hear(Datagram(Cat({Link_Layer, Hex("7A 33 00 00 00"), Records_A}), rmTelit));
    ASSERT_EQ(Codec.Wireless.size(), 1u);
    const TSlave_wMBus &m = Codec.Meter(0);
    EXPECT_FALSE(m.Cripted);
    EXPECT_EQ(Values(0), (std::vector<int32_t>{10000, 0}));
    EXPECT_EQ(m.Message_Type, 0x44);
    EXPECT_EQ(m.ALA_Manufacturer, 0x2C2D);
    EXPECT_EQ(m.ALA_Manu_str, QStringLiteral("KAM"));
    EXPECT_EQ(m.ALA_Address, 0x00123457);
    EXPECT_EQ(m.ALA_Version, 0x1B);
    EXPECT_EQ(m.ALA_DeviceType, 0x16);
    EXPECT_EQ(m.LLA_Manu_str, QStringLiteral("KAM"));
    EXPECT_EQ(m.LLA_Address, 0x00123457);
    EXPECT_EQ(m.RadioCrafts_Ind_Tab_Decript, -1);
    EXPECT_EQ(m.DateTime, Codec.Clock);
    EXPECT_TRUE(Codec.New_Frame_Wireless);
    EXPECT_EQ(Notified, (std::vector<int>{0}));
    EXPECT_EQ(Notified_Meters[0], &Codec.Meter(0));
}

TEST_F(Wireless, TheSameMeterHeardTwiceIsOneEntryWithTheSecondRecords)
{
    Hear(Datagram(Cat({Link_Layer, Hex("7A 33 00 00 00"), Records_A}), rmTelit));
    Hear(Datagram(Cat({Link_Layer, Hex("7A 34 00 00 00"), Records_B}), rmTelit, 0x40));
    ASSERT_EQ(Codec.Wireless.size(), 1u);
    EXPECT_EQ(Values(0), (std::vector<int32_t>{20000}));
    EXPECT_EQ(Codec.Meter(0).RSSI, -66);
    EXPECT_EQ(Notified, (std::vector<int>{0, 0}));

    // Another version of the same identification and manufacturer is another meter.
    TBytes other = Link_Layer;
    other[7] = 0x1C;
    Hear(Datagram(Cat({other, Hex("7A 33 00 00 00"), Records_A}), rmTelit));
    EXPECT_EQ(Codec.Wireless.size(), 2u);
}

TEST_F(Wireless, SignalStrengthByModule)
{
    Hear(Datagram(Cat({Link_Layer, Hex("7A 33 00 00 00"), Records_A}), rmTelit, 0x50));
    EXPECT_EQ(Codec.Meter(0).RSSI, -82);
    Hear(Datagram(Cat({Link_Layer, Hex("7A 33 00 00 00"), Records_A}), rmRadioCrafts, 0xB0),
         rmRadioCrafts);
    EXPECT_EQ(Codec.Meter(0).RSSI, -39);
    Hear(Datagram(Cat({Link_Layer, Hex("7A 33 00 00 00"), Records_A}), rmRadioCrafts, 0xB1),
         rmRadioCrafts);
    EXPECT_EQ(Codec.Meter(0).RSSI, -38);   // -79 / 2 rounds towards zero
    // The RadioCrafts trailer is one byte: the records end before it.
    EXPECT_EQ(Values(0), (std::vector<int32_t>{10000, 0}));
}

TEST_F(Wireless, DatagramAcceptanceByLength)
{
    const TBytes t = Datagram(Cat({Link_Layer, Hex("7A 33 00 00 00")}), rmTelit);
    EXPECT_TRUE(TMBusScanCodec::Is_Wireless_Telegram(t.data(), int(t.size()), rmTelit));
    EXPECT_FALSE(TMBusScanCodec::Is_Wireless_Telegram(t.data(), int(t.size()), rmRadioCrafts));
    const TBytes r = Datagram(Cat({Link_Layer, Hex("7A 33 00 00 00")}), rmRadioCrafts);
    EXPECT_TRUE(TMBusScanCodec::Is_Wireless_Telegram(r.data(), int(r.size()), rmRadioCrafts));
    EXPECT_FALSE(TMBusScanCodec::Is_Wireless_Telegram(r.data(), int(r.size()) - 1, rmRadioCrafts));
    EXPECT_FALSE(TMBusScanCodec::Is_Wireless_Telegram(r.data(), 0, rmRadioCrafts));
}

TEST_F(Wireless, ReadableTestByLayout)
{
    struct { const char *name; TBytes after_link; bool cripted; std::vector<int32_t> values; } cases[] = {
        {"0x78 without ELL", Cat({Hex("78"), Hex("57 34 12 00 2D 2C 1B 16"), Records_B}), true, {}},
        {"0x7A mode 5 undecrypted", Cat({Hex("7A 33 00 10 05 11 22"), TBytes(14, 0x33)}), true, {}},
        {"0x7A mode 5 plain fillers", Cat({Hex("7A 33 00 10 05 2F 2F"), Records_B}), false, {20000}},
        {"0x7A mode 7", Cat({Hex("7A 33 00 00 07"), Records_B}), true, {}},
        {"0x72 with fillers",
         Cat({Hex("72 57 34 12 00 2D 2C 1B 16 33 00 00 00 2F 2F"), Records_B}), false, {20000}},
        {"0x72 mode 5 without fillers",
         Cat({Hex("72 57 34 12 00 2D 2C 1B 16 33 00 10 05"), TBytes(16, 0x33)}), true, {}},
        {"0x72 mode 0 without fillers",
         Cat({Hex("72 57 34 12 00 2D 2C 1B 16 33 00 00 00"), Records_B}), false, {20000}},
        {"ELL 0x78", Cat({Hex("8C 20 21 78"), Records_B}), false, {20000}},
        {"ELL 0x7A", Cat({Hex("8C 20 21 7A 33 00 00 00"), Records_B}), false, {20000}},
        {"ELL 0x72", Cat({Hex("8C 20 21 72 57 34 12 00 2D 2C 1B 16 33 00 00 00"), Records_B}),
         false, {20000}},
        {"long ELL 0x78", Cat({Hex("8D 20 21 01 02 03 04 05 06 78"), Records_B}), false, {20000}},
        {"long ELL 0x7A", Cat({Hex("8D 20 21 01 02 03 04 05 06 7A 33 00 00 00"), Records_B}),
         false, {20000}},
        {"long ELL 0x72",
         Cat({Hex("8D 20 21 01 02 03 04 05 06 72 57 34 12 00 2D 2C 1B 16 33 00 00 00"), Records_B}),
         false, {20000}},
        {"long ELL AFL: readable, no records",
         Cat({Hex("8D 20 21 01 00 03 04 05 06 90 00 2F 2F"), Records_B}), false, {}},
        {"other CI", Cat({Hex("A0 57 34 12 00 2D 2C 1B 16"), Records_B}), true, {}},
        {"ELL, header past the end", Hex("8C 20 21 7A"), true, {}},
    };
    for (const auto &tc : cases) {
        TTestCodec c;
        c.MBusType = mtWireless;
        c.Answer(Datagram(Cat({Link_Layer, tc.after_link}), rmTelit));
        c.Decode_Wireless_Frame(rmTelit);
        ASSERT_EQ(c.Wireless.size(), 1u) << tc.name;
        EXPECT_EQ(c.Meter(0).Cripted, tc.cripted) << tc.name;
        std::vector<int32_t> values;
        for (const auto &v : c.Meter(0).List_Var)
            if (v->Real_Wireless_Var)
                values.push_back(v->dato_A);
        EXPECT_EQ(values, tc.values) << tc.name;
    }
}

TEST_F(Wireless, LongHeaderGivesTheApplicationIdentity)
{
    Hear(Datagram(Cat({Link_Layer, Hex("72 11 22 33 44 C5 14 02 07 33 00 00 00 2F 2F"), Records_B}),
                  rmTelit));
    const TSlave_wMBus &m = Codec.Meter(0);
    EXPECT_EQ(m.ALA_Address, 0x44332211);
    EXPECT_EQ(m.ALA_Manufacturer, 0x14C5);
    EXPECT_EQ(m.ALA_Version, 2);
    EXPECT_EQ(m.ALA_DeviceType, 7);
    EXPECT_EQ(m.LLA_Address, 0x00123457);
    EXPECT_EQ(m.LLA_Manufacturer, 0x2C2D);
}

TEST_F(Wireless, Mode5DecryptsWithTheRightKeyOnly)
{
    const TBytes t = Mode_5(Meter_Key, Records_A);
    Hear(t);                                  // new meter: no key yet
    EXPECT_TRUE(Codec.Meter(0).Cripted);
    EXPECT_TRUE(Codec.Meter(0).List_Var.empty());

    Give_Key(0, Meter_Key);
    Hear(t);
    EXPECT_FALSE(Codec.Meter(0).Cripted);
    EXPECT_EQ(Values(0), (std::vector<int32_t>{10000, 0}));
    // Records start at byte 18: the two leading fillers are the first two placeholders.
    ASSERT_GE(Codec.Meter(0).List_Var.size(), 2u);
    EXPECT_FALSE(Codec.Meter(0).List_Var[0]->Real_Wireless_Var);
    EXPECT_FALSE(Codec.Meter(0).List_Var[1]->Real_Wireless_Var);

    Give_Key(0, Other_Key);
    Hear(t);
    EXPECT_TRUE(Codec.Meter(0).Cripted);
    EXPECT_TRUE(Codec.Meter(0).List_Var.empty());
    EXPECT_EQ(Notified.size(), 3u);
}

TEST_F(Wireless, Mode5IsDecidedByTheConfigurationWordNotByTheCiphertext)
{
    // A ciphertext that happens to begin with an idle-filler byte is still decrypted.
    TBytes t;
    for (int value = 0; value < 64 && t.empty(); ++value)
        for (int access = 0; access < 256 && t.empty(); ++access) {
            const TBytes c = Mode_5(Meter_Key, Cat({Hex("04 13 10 27 00"), {uint8_t(value)}}),
                                    uint8_t(access));
            if (c[18] == 0x2F || c[19] == 0x2F)
                t = c;
        }
    ASSERT_FALSE(t.empty());
    Hear(t);
    Give_Key(0, Meter_Key);
    Hear(t);
    EXPECT_FALSE(Codec.Meter(0).Cripted);
    ASSERT_FALSE(Values(0).empty());

    // A payload the module has already decrypted is read as received, key or not.
    TTestCodec c;
    c.MBusType = mtWireless;
    const TBytes plain = Datagram(Cat({Link_Layer, Hex("8C 20 21 7A 33 00 10 05 2F 2F"), Records_B,
                                       TBytes(8, 0x2F)}), rmTelit);
    c.Answer(plain);
    c.Decode_Wireless_Frame(rmTelit);
    std::copy(Meter_Key, Meter_Key + 16, c.Meter(0).Key.begin());
    c.Meter(0).Enable_Key = true;
    c.Answer(plain);
    c.Decode_Wireless_Frame(rmTelit);
    EXPECT_FALSE(c.Meter(0).Cripted);
    std::vector<int32_t> values;
    for (const auto &v : c.Meter(0).List_Var)
        if (v->Real_Wireless_Var)
            values.push_back(v->dato_A);
    EXPECT_EQ(values, (std::vector<int32_t>{20000}));
}

TEST_F(Wireless, Mode7DerivesTheKeyAndDecrypts)
{
    Hear(Mode_7(Meter_Key, Records_A));
    EXPECT_TRUE(Codec.Meter(0).Cripted);
    Give_Key(0, Meter_Key);
    Hear(Mode_7(Meter_Key, Records_A));
    EXPECT_FALSE(Codec.Meter(0).Cripted);
    EXPECT_EQ(Values(0), (std::vector<int32_t>{10000, 0}));

    // A wrong key decrypts to garbage: the telegram is dropped, the meter keeps its records,
    // time and signal strength; only the window hears of it.
    Codec.Clock = Codec.Clock.addSecs(60);
    Give_Key(0, Other_Key);
    const TBytes wrong = Mode_7(Meter_Key, Records_B);
    TBytes louder = wrong;
    louder.back() = 0x10;
    Hear(louder);
    EXPECT_FALSE(Codec.Meter(0).Cripted);
    EXPECT_EQ(Values(0), (std::vector<int32_t>{10000, 0}));
    EXPECT_EQ(Codec.Meter(0).RSSI, -82);
    EXPECT_EQ(Codec.Meter(0).DateTime, Codec.Clock.addSecs(-60));
    EXPECT_EQ(Notified.size(), 3u);
}

TEST_F(Wireless, Mode7IsDecidedByTheConfigurationWordNotByTheCiphertext)
{
    // A ciphertext that happens to open with an idle-filler byte is still decrypted.
    constexpr size_t Payload = 21 + 15;   // after an AFL of 15 bytes
    TBytes t;
    for (int value = 0; value < 64 && t.empty(); ++value)
        for (int low = 0; low < 256 && t.empty(); ++low) {
            const TBytes c = Mode_7(Meter_Key, Cat({Hex("04 13"), {uint8_t(low), uint8_t(value)},
                                                    Hex("00 00")}));
            if (c[Payload] == 0x2F || c[Payload + 1] == 0x2F)
                t = c;
        }
    ASSERT_FALSE(t.empty());
    Hear(t);
    Give_Key(0, Meter_Key);
    Hear(t);
    EXPECT_FALSE(Codec.Meter(0).Cripted);
    EXPECT_EQ(Values(0).size(), 1u);

    // A payload the module has already decrypted is read as received, key or not.
    TBytes plain = Mode_7(Meter_Key, Records_B);
    const TBytes padded = Padded_Payload(Records_B);
    std::copy(padded.begin(), padded.end(), plain.begin() + Payload);
    Hear(plain);
    EXPECT_FALSE(Codec.Meter(0).Cripted);
    EXPECT_EQ(Values(0), (std::vector<int32_t>{20000}));
}

TEST_F(Wireless, Mode7PlaintextWithoutFillersIsDropped)
{
    Hear(Mode_7(Meter_Key, Records_A));
    Give_Key(0, Meter_Key);
    Hear(Mode_7(Meter_Key, Records_A));
    Hear(Mode_7(Meter_Key, Records_B, true, false));
    EXPECT_EQ(Values(0), (std::vector<int32_t>{10000, 0}));
}

TEST_F(Wireless, Mode7WithoutMessageCounterDerivesWithZeros)
{
    Hear(Mode_7(Meter_Key, Records_B, false));
    Give_Key(0, Meter_Key);
    Hear(Mode_7(Meter_Key, Records_B, false));
    EXPECT_FALSE(Codec.Meter(0).Cripted);
    EXPECT_EQ(Values(0), (std::vector<int32_t>{20000}));
}

TEST_F(Wireless, EncryptedPartBeyondTheTelegramIsNotDecrypted)
{
    // Mode 5 claiming three blocks while one follows; mode 7 claiming two.
    TBytes m5 = Mode_5(Meter_Key, Records_B);
    m5[16] = 0x30;
    TBytes m7 = Mode_7(Meter_Key, Records_B);
    m7[15 + 15 + 3] = 0x20;     // configuration low byte of the TPL after a 15-byte AFL
    for (const TBytes &t : {m5, m7}) {
        TTestCodec c;
        c.MBusType = mtWireless;
        c.Answer(t);
        c.Decode_Wireless_Frame(rmTelit);
        std::copy(Meter_Key, Meter_Key + 16, c.Meter(0).Key.begin());
        c.Meter(0).Enable_Key = true;
        c.Answer(t);
        c.Decode_Wireless_Frame(rmTelit);
        EXPECT_TRUE(c.Meter(0).Cripted);
        EXPECT_TRUE(c.Meter(0).List_Var.empty());
    }
}

TEST_F(Wireless, CallbackFromTheLibraryGetsTheIndexAlone)
{
    Codec.From_DLL = true;
    Hear(Datagram(Cat({Link_Layer, Hex("7A 33 00 00 00"), Records_A}), rmTelit));
    EXPECT_EQ(Notified, (std::vector<int>{0}));
    EXPECT_EQ(Notified_Meters[0], nullptr);
}

TEST_F(Wireless, TooShortToNameItsMeterIsIgnored)
{
    for (const TBytes &t : {Datagram(Hex("44 2D 2C 57"), rmTelit),
                            Datagram(Cat({Link_Layer}), rmTelit),
                            Datagram(Cat({Link_Layer, Hex("72 11 22 33 44 C5")}), rmTelit)}) {
        Codec.Answer(t);
        Codec.Decode_Wireless_Frame(rmTelit);
    }
    EXPECT_TRUE(Codec.Wireless.empty());
    EXPECT_TRUE(Notified.empty());
}

TEST_F(Wireless, HandWrittenTelegram)
{
    Hear(Test_Data_Hex(QStringLiteral("wmbus_cold_water.hex")));
    ASSERT_EQ(Codec.Wireless.size(), 1u);
    const TSlave_wMBus &m = Codec.Meter(0);
    EXPECT_EQ(m.ALA_Manu_str, QStringLiteral("KAM"));
    EXPECT_EQ(m.ALA_Address, 0x00123457);
    EXPECT_EQ(m.RSSI, -82);
    EXPECT_FALSE(m.Cripted);
    ASSERT_EQ(m.List_Var.size(), 3u);
    EXPECT_EQ(m.List_Var[0]->ValueStr, QStringLiteral("10"));
    EXPECT_EQ(m.List_Var[1]->Desc_Type_Data, QStringLiteral("Error Flag (Binary)"));
    EXPECT_EQ(m.List_Var[2]->storage_number, 1);
    EXPECT_EQ(m.List_Var[2]->ValueStr, QStringLiteral("1"));
}
