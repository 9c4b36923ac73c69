#include "mbus_test_util.h"

#include <gtest/gtest.h>

namespace {

struct TFrameCase
{
    const char *name;
    bool fix;
    uint8_t fix_value;
    std::function<void(TMBusScanCodec &)> build;
    const char *bytes;
};

} // namespace

TEST(MBusFrames, BuildersGiveTheseBytes)
{
    const TFrameCase cases[] = {
        {"SND_NKE 5", false, 0, [](TMBusScanCodec &c) { c.Build_SND_NKE(5); }, "10 40 05 45 16"},
        {"SND_NKE 255", false, 0, [](TMBusScanCodec &c) { c.Build_SND_NKE(255); }, "10 40 FF 3F 16"},
        {"SND_NKE fixed C", true, 0, [](TMBusScanCodec &c) { c.Build_SND_NKE(5); }, "10 40 05 45 16"},
        {"REQ_UD2 first", false, 0, [](TMBusScanCodec &c) { c.Build_REQ_UD2(1, 0); }, "10 7B 01 7C 16"},
        {"REQ_UD2 second", false, 0, [](TMBusScanCodec &c) { c.Build_REQ_UD2(1, 1); }, "10 5B 01 5C 16"},
        {"REQ_UD2 third", false, 0, [](TMBusScanCodec &c) { c.Build_REQ_UD2(1, 2); }, "10 7B 01 7C 16"},
        {"REQ_UD2 0x5X first", true, 0, [](TMBusScanCodec &c) { c.Build_REQ_UD2(1, 0); }, "10 5B 01 5C 16"},
        {"REQ_UD2 0x5X second", true, 0, [](TMBusScanCodec &c) { c.Build_REQ_UD2(1, 1); }, "10 5B 01 5C 16"},
        {"REQ_UD2 0x7X second", true, 1, [](TMBusScanCodec &c) { c.Build_REQ_UD2(1, 1); }, "10 7B 01 7C 16"},
        {"REQ_UD2 wraps CS", false, 0, [](TMBusScanCodec &c) { c.Build_REQ_UD2(0xFD, 0); }, "10 7B FD 78 16"},
        {"reset", false, 0, [](TMBusScanCodec &c) { c.Build_SND_UD_Reset(1); }, "68 03 03 68 73 01 50 C4 16"},
        {"reset 0x5X", true, 0, [](TMBusScanCodec &c) { c.Build_SND_UD_Reset(1); }, "68 03 03 68 53 01 50 A4 16"},
        {"reset 0x7X", true, 1, [](TMBusScanCodec &c) { c.Build_SND_UD_Reset(1); }, "68 03 03 68 73 01 50 C4 16"},
        {"select A=1", false, 0, [](TMBusScanCodec &c) { c.Index_A = 1; c.Build_Select_Secondary(); },
         "68 0B 0B 68 73 FD 52 FF FF FF 1F FF FF FF FF DA 16"},
        {"select 12345678", false, 0,
         [](TMBusScanCodec &c) {
             int *idx[] = {&c.Index_A, &c.Index_B, &c.Index_C, &c.Index_D,
                           &c.Index_E, &c.Index_F, &c.Index_G, &c.Index_H};
             for (int i = 0; i < 8; ++i)
                 *idx[i] = i + 1;
             c.Build_Select_Secondary();
         },
         "68 0B 0B 68 73 FD 52 78 56 34 12 FF FF FF FF D2 16"},
        {"select 0x5X", true, 0, [](TMBusScanCodec &c) { c.Build_Select_Secondary(); },
         "68 0B 0B 68 53 FD 52 FF FF FF FF FF FF FF FF 9A 16"},
        {"baud 2400 even", false, 0,
         [](TMBusScanCodec &c) { c.Baudrate = 2400; c.Parity = 1; c.Build_Gateway_Baud_Command(); },
         "5165 6C76 6172 5F53 5F4D 3A 00 00 09 60 2C 02"},
        {"baud 9600 none", false, 0,
         [](TMBusScanCodec &c) { c.Baudrate = 9600; c.Parity = 0; c.Build_Gateway_Baud_Command(); },
         "5165 6C76 6172 5F53 5F4D 3A 00 00 25 80 2C 00"},
        {"baud 300 odd", false, 0,
         [](TMBusScanCodec &c) { c.Baudrate = 300; c.Parity = 2; c.Build_Gateway_Baud_Command(); },
         "5165 6C76 6172 5F53 5F4D 3A 00 00 01 2C 2C 01"},
    };
    for (const TFrameCase &fc : cases) {
        TTestCodec c;
        c.Fix_C_Field = fc.fix;
        c.Fix_C_Field_Value = fc.fix_value;
        c.Req_Array = {0xAA, 0xBB, 0xCC};   // builders replace what was there
        fc.build(c);
        EXPECT_EQ(c.Req_Array, Hex(fc.bytes)) << fc.name;
    }
}

TEST(MBusFrames, AnswerTests)
{
    // A long frame of 22 bytes: header, no records, checksum of bytes 4..19, stop.
    TBytes good = Hex("68 10 10 68 08 01 72 45 23 01 00 21 04 01 07 01 00 00 00 00 00 16");
    unsigned sum = 0;
    for (size_t i = 4; i + 2 < good.size(); ++i)
        sum += good[i];
    good[good.size() - 2] = uint8_t(sum);
    TBytes bad_sum = good;
    bad_sum[good.size() - 2] ^= 1;
    TBytes bad_stop = good;
    bad_stop[good.size() - 1] = 0x17;
    TBytes bad_len_field = good;
    bad_len_field[2] = 0x11;
    TBytes short21 = Hex("68 0F 0F 68 08 01 72 45 23 01 00 21 04 01 07 01 00 00 00 00 16");
    unsigned s21 = 0;
    for (size_t i = 4; i + 2 < short21.size(); ++i)
        s21 += short21[i];
    short21[short21.size() - 2] = uint8_t(s21);

    struct { const char *name; TBytes answer; bool ack, long_frame, no_slave; } cases[] = {
        {"ack", Hex("E5"), true, false, false},
        {"ack and more", Hex("E5 E5"), false, false, false},
        {"other byte", Hex("E6"), false, false, false},
        {"empty", {}, false, false, false},
        {"long frame", good, false, true, false},
        {"bad checksum", bad_sum, false, false, false},
        {"bad stop", bad_stop, false, false, false},
        {"L fields differ", bad_len_field, false, false, false},
        {"exactly 21 bytes", short21, false, false, false},
        {"no slave", Hex("4E4F5F534C415645 0A 0D"), false, false, true},
        {"no slave and more", Hex("4E4F5F534C415645 0A 0D 00"), false, false, false},
        {"no slave short", Hex("4E4F5F534C415645 0A"), false, false, false},
    };
    for (const auto &tc : cases) {
        TTestCodec c;
        c.Answer(tc.answer);
        EXPECT_EQ(c.Is_Ack(), tc.ack) << tc.name;
        EXPECT_EQ(c.Is_Long_Frame(), tc.long_frame) << tc.name;
        EXPECT_EQ(c.Is_No_Slave(), tc.no_slave) << tc.name;
    }
}

TEST(MBusFrames, TextAnswersCompareWholeDatagrams)
{
    TTestCodec c;
    c.Answer(Hex("0A0D 416E616C797A65725F4D6F646520456E61626C656421 0A0D"));
    EXPECT_TRUE(c.Is_Answer(MBus_Text::Analyzer_Enabled));
    EXPECT_FALSE(c.Is_Answer(MBus_Text::Analyzer_Disabled));
    c.Answer(Hex("0A0D 416E616C797A65725F4D6F646520456E61626C656421 0A"));
    EXPECT_FALSE(c.Is_Answer(MBus_Text::Analyzer_Enabled));
    c.Answer(Hex("0A0D 446F6E6521"));
    EXPECT_TRUE(c.Is_Answer(MBus_Text::Baud_Done));
    c.Answer(Hex("0A0D 446F6E6521 0A0D"));
    EXPECT_FALSE(c.Is_Answer(MBus_Text::Baud_Done));
}

TEST(MBusFrames, TimeOutsByBaudRate)
{
    struct { int32_t baud; int32_t add; uint32_t command, frame, data; } cases[] = {
        {2400, 0, 1000, 587, 1802},
        {300, 0, 1000, 1550, 11266},
        {9600, 0, 1000, 484, 788},
        {2400, 10000, 11000, 10587, 11802},
        {300, 10000, 11000, 11550, 21266},
        {9600, 10000, 11000, 10484, 10788},
        {0, 0, 1000, 587, 1802},      // no division by zero: counts as 2400
        {-5, 0, 1000, 587, 1802},
    };
    for (const auto &tc : cases) {
        TTestCodec c;
        c.Baudrate = tc.baud;
        c.Add_TimeOut = tc.add;
        EXPECT_EQ(c.TimeOut_Command(), tc.command) << tc.baud;
        EXPECT_EQ(c.TimeOut_Frame(), tc.frame) << tc.baud;
        EXPECT_EQ(c.TimeOut_Data(), tc.data) << tc.baud;
    }
}

TEST(MBusFrames, AnswerTimedOutSurvivesTheCounterWrap)
{
    struct { uint32_t sent, now; bool timed_out; } cases[] = {
        {1000, 1000, false},
        {1000, 1587, false},
        {1000, 1588, true},
        {0xFFFFFF00u, 0x00000010u, false},   // 0x110 ms after the send, across the wrap
        {0xFFFFFF00u, 0x00000200u, true},
    };
    for (const auto &tc : cases) {
        TTestCodec c;
        c.TimeOut_Calc = 587;
        c.Tick = tc.sent;
        c.Mark_Send();
        EXPECT_EQ(c.Start_Send, tc.sent);
        c.Tick = tc.now;
        EXPECT_EQ(c.Answer_Timed_Out(), tc.timed_out) << tc.sent << " " << tc.now;
    }
}

TEST(MBusFrames, LongDatagramsAreCutToTheAnswerBuffer)
{
    TTestCodec c;
    c.Answer(TBytes(5000, 0x68));
    EXPECT_EQ(c.Ans_Len, 2048);
}
