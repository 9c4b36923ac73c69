#include "mbus/vif.h"

#include "mbus/mbus_results.h"
#include "mbus_test_util.h"
#include "platform/locale.h"

#include <gtest/gtest.h>

namespace {

// Fixes the decimal separator for the test and gives the system's back afterwards.
class VifTest : public ::testing::Test
{
protected:
    void SetUp() override { SetDecimalSeparatorOverride(u'.'); }
    void TearDown() override { SetDecimalSeparatorOverride(QChar()); }

    static TVariable_MBus Decode(uint8_t vif, const TBytes &vifes, const TBytes &data,
                                 uint8_t data_field, uint8_t lvar = 0)
    {
        TVIF_Scratch s;
        std::copy(data.begin(), data.end(), s.App_Data_Val.begin());
        std::copy(vifes.begin(), vifes.end(), s.App_Vife_Val.begin());
        TVariable_MBus v;
        Decode_VIF(s, vif, vifes.empty() ? 0 : vifes[0], v, int(data.size()), lvar, data_field);
        return v;
    }
};

struct TVifCase
{
    const char *name;
    uint8_t vif;
    const char *vifes;
    const char *data;
    uint8_t data_field;
    uint8_t lvar;
    int type_data;
    int type_vife;
    const char16_t *desc;
    const char16_t *value;
};

} // namespace

TEST_F(VifTest, DecodesTheseRecords)
{
    const TVifCase cases[] = {
        {"volume", 0x13, "", "10 27 00 00", 4, 0, 2, 0, u"Volume m3", u"10"},
        {"energy kWh", 0x06, "", "05", 1, 0, 0, 0, u"Energy Wh", u"5000"},
        {"energy 10 mWh", 0x01, "", "05", 1, 0, 0, 0, u"Energy Wh", u"0.05"},
        {"8-bit negative", 0x03, "", "FB", 1, 0, 0, 0, u"Energy Wh", u"-5"},
        {"16-bit negative", 0x03, "", "FE FF", 2, 0, 0, 0, u"Energy Wh", u"-2"},
        {"24-bit negative", 0x03, "", "FF FF FF", 3, 0, 0, 0, u"Energy Wh", u"-1"},
        {"48-bit negative", 0x03, "", "FE FF FF FF FF FF", 6, 0, 0, 0, u"Energy Wh", u"-2"},
        {"64-bit", 0x03, "", "01 00 00 00 01 00 00 00", 7, 0, 0, 0, u"Energy Wh", u"4294967297"},
        {"32-bit real", 0x5B, "", "00 00 C8 41", 5, 0, 12, 0, u"Flow Temperature \u00B0C", u"25"},
        {"BCD 8", 0x16, "", "78 56 34 12", 12, 0, 2, 0, u"Volume m3", u"12345678"},
        {"BCD 8 negative", 0x16, "", "78 56 34 F2", 12, 0, 2, 0, u"Volume m3", u"-2345678"},
        {"BCD 2", 0x16, "", "42", 9, 0, 2, 0, u"Volume m3", u"42"},
        {"BCD 12", 0x16, "", "01 00 00 00 00 99", 14, 0, 2, 0, u"Volume m3", u"990000000001"},
        {"LVAR positive BCD", 0x16, "", "34 12", 13, 0xC2, 2, 0, u"Volume m3", u"1234"},
        {"LVAR negative BCD", 0x16, "", "34 12", 13, 0xD2, 2, 0, u"Volume m3", u"-1234"},
        {"LVAR ASCII: no number", 0x16, "", "41 42", 13, 0x02, 2, 0, u"Volume m3", u""},
        {"on time hours", 0x22, "", "0A 00", 2, 0, 4, 0, u"On Time Hours", u"10"},
        {"operating days", 0x27, "", "0A 00", 2, 0, 5, 0, u"Operating Time Days", u"10"},
        {"averaging minutes", 0x71, "", "01", 1, 0, 17, 0, u"Averaging Duration Minutes", u"1"},
        {"date type G", 0x6C, "", "05 23", 2, 0, 20, 0, u"Time Point Date (Type G)", u"05/03/16"},
        {"date type F", 0x6D, "", "1E 0C 05 03", 4, 0, 20, 0, u"Time Point Date and Time (Type F)",
         u"05/03/00 12:30"},
        {"time type J", 0x6D, "", "0F 1E 0C", 3, 0, 20, 0,
         u"Time Point Extended Time Point (Type J)", u"12:30:15"},
        {"date type I", 0x6D, "", "0F 1E 2C 05 03 00", 6, 0, 20, 0,
         u"Time Point Extended Date and Time Point (Type I)", u"Monday 05/03/00 12:30:15"},
        {"date, other length", 0x6D, "", "07", 1, 0, 20, 0, u"", u"7"},
        {"H.C.A.", 0x6E, "", "07", 1, 0, 22, 0, u"Units for H.C.A.", u"7"},
        {"0x6F", 0x6F, "", "07", 1, 0, 65535, 0, u"", u"7"},
        {"fabrication", 0x78, "", "01 02 03 04", 4, 0, 23, 0, u"Fabrication No", u"67305985"},
        {"plain text", 0x7C, "", "41 42 43", 13, 0x03, 21, 0, u"Vif in following String", u"ABC"},
        {"plain text ext", 0xFC, "00", "41", 13, 0x01, 21, 108,
         u"Vif in following String - None", u"A"},
        {"plain-text unit, 16-bit value", 0x7C, "", "22 15", 2, 0, 21, 0,
         u"Vif in following String", u"5410"},
        {"plain-text unit, BCD value", 0xFC, "74", "10 54", 10, 0, 21, 103,
         u"Vif in following String - Moltiplicative Correction Factor: 10^(-2)", u"54.1"},
        {"manufacturer VIF", 0x7F, "", "01", 1, 0, 65535, 0, u"Manufacturer Specific", u"1"},
        {"manufacturer VIF ext", 0xFF, "05", "01", 1, 0, 65535, 0, u"Manufacturer Specific", u"1"},
        {"volts", 0xFD, "48", "FD 08", 2, 0, 19, 38, u"Electric Units Volts", u"230.1"},
        {"amperes", 0xFD, "59", "01", 1, 0, 19, 39, u"Electric Units A", u"0.001"},
        {"customer location", 0xFD, "10", "01", 1, 0, 19, 11, u"Customer LOcation", u"1"},
        {"response delay", 0xFD, "1D", "01", 1, 0, 19, 23, u"Responce Delay Time [Bit-Times]", u"1"},
        {"storage interval", 0xFD, "25", "01", 1, 0, 19, 28, u"Storage Interval Minute(s)", u"1"},
        {"tariff duration", 0xFD, "33", "01", 1, 0, 19, 33, u"Duration of Tariff Day(s)", u"1"},
        {"battery years", 0xFD, "6F", "01", 1, 0, 19, 49, u"Operating Time Battery Year(s)", u"1"},
        {"0xFD reserved", 0xFD, "23", "01", 1, 0, 19, 0, u"Reserved", u"1"},
        {"0xFD reserved high", 0xFD, "7A", "01", 1, 0, 19, 0, u"Reserved", u"1"},
        {"credit", 0xFD, "02", "05", 1, 0, 19, 1, u"Credit of (currency units)", u"0.5"},
        {"firmware, forward", 0xFD, "8E 3B", "01", 1, 0, 19, 9,
         u"Metrology (Firmware) Version Number - Accumulation Only if Positive Contributions "
         u"(Forward Flow Contribution)", u"1"},
        {"energy MWh", 0xFB, "01", "07", 1, 0, 19, 51, u"Energy MWh", u"7"},
        {"energy GJ", 0xFB, "08", "07", 1, 0, 19, 52, u"Energy GJ", u"0.7"},
        {"volume t", 0xFB, "19", "07", 1, 0, 19, 54, u"Volume t", u"7000"},
        {"flow \u00B0F", 0xFB, "5A", "07", 1, 0, 19, 63, u"Flow Temperature \u00B0F", u"0.7"},
        {"0xFB reserved", 0xFB, "06", "07", 1, 0, 19, 0, u"Reserved", u"7"},
        {"gallons", 0xFB, "22", "07", 1, 0, 19, 56, u"Volume 0,1 American Gallon", u"7"},
        {"forward flow", 0x96, "3B", "10 27 00 00", 4, 0, 2, 95,
         u"Volume m3 - Accumulation Only if Positive Contributions (Forward Flow Contribution)",
         u"10000"},
        {"per hour, then reserved", 0x96, "A2 09", "01", 1, 0, 2, 72, u" - Reserved", u"1"},
        {"uncorrect", 0x96, "3A", "01", 1, 0, 2, 94,
         u"Volume m3 - VIF Contains Uncorrect Unit or Value at Metering Conditions Instead of "
         u"Converted Unit", u"1"},
        {"duration 02 first upper", 0x96, "5A", "01", 1, 0, 2, 100,
         u"Volume m3 - Duration 02 of First Upper Limit Exceed", u"1"},
        {"duration 03 last", 0x96, "67", "01", 1, 0, 2, 101, u"Volume m3 - Duration 03 of Last",
         u"1"},
        {"multiplicative factor", 0x96, "75", "01", 1, 0, 2, 103,
         u"Volume m3 - Moltiplicative Correction Factor: 10^(-1)", u"0.1"},
        {"additive constant", 0x96, "7B", "01", 1, 0, 2, 104,
         u"Volume m3 - Additive Correction Constant: 10^(0) * Unit of VIF", u"1"},
        {"times 1000", 0x96, "7D", "01", 1, 0, 2, 105,
         u"Volume m3 - Multiplicative Cerrection Factor: 10^(3)", u"1000"},
        {"phase L2", 0x96, "FC 02", "01", 1, 0, 2, 0, u"Volume m3 - At Phase L2", u"1"},
        {"absolute count", 0x96, "FC 10", "01", 1, 0, 2, 0,
         u"Volume m3 - Accumulation of abs. Value for Both Positive and Negative Contribution "
         u"(Absolute Count)", u"1"},
        {"phase, then forward", 0x96, "FC 81 3B", "01", 1, 0, 2, 95,
         u"Volume m3 - At Phase L1 - Accumulation Only if Positive Contributions (Forward Flow "
         u"Contribution)", u"1"},
        {"date VIFE, type G", 0x96, "42", "05 23", 2, 0, 2, 99,
         u"Volume m3 - Date(/Time) of Begin of First Lower Limit Exceed", u"05/03/16"},
        {"date VIFE, 8 bit", 0x96, "6F", "05", 1, 0, 2, 102,
         u"Volume m3 - Date(/Time) of End of Last", u"5"},
        {"special data field: no number", 0x13, "", "", 15, 0, 2, 0, u"Volume m3", u""},
    };
    for (const TVifCase &tc : cases) {
        const TVariable_MBus v = Decode(tc.vif, Hex(tc.vifes), Hex(tc.data), tc.data_field, tc.lvar);
        EXPECT_EQ(v.type_data, tc.type_data) << tc.name;
        EXPECT_EQ(v.Type_Data_Vife, tc.type_vife) << tc.name;
        EXPECT_EQ(v.Desc_Type_Data, QString::fromUtf16(tc.desc)) << tc.name;
        EXPECT_EQ(v.ValueStr, QString::fromUtf16(tc.value)) << tc.name;
    }
}

TEST_F(VifTest, ValueTextTakesTheLocaleSeparator)
{
    SetDecimalSeparatorOverride(u',');
    EXPECT_EQ(Decode(0x01, {}, Hex("05"), 1).ValueStr, QStringLiteral("0,05"));
    EXPECT_EQ(Decode(0xFD, Hex("48"), Hex("FD 08"), 2).ValueStr, QStringLiteral("230,1"));
}

TEST_F(VifTest, OverlongVifeChainsStopAtTen)
{
    // Ten "per hour" VIFEs all with the continuation bit: read ten, no more, no crash.
    const TVariable_MBus v = Decode(0x96, TBytes(10, 0xA2), Hex("01"), 1);
    EXPECT_EQ(v.Desc_Type_Data.count(QStringLiteral(" - Per Hour")), 10);
    EXPECT_EQ(v.Type_Data_Vife, 72);
}

TEST(Vif, BcdToInt64)
{
    struct { const char *bytes; int n; int64_t value; } cases[] = {
        {"78 56 34 12", 4, 12345678},
        {"78 56 34 F2", 4, -2345678},
        {"99", 1, 99},
        {"F9", 1, -9},
        {"0A", 1, 10},                 // nibbles above 9 count with their value
        {"78 56 34 12", 2, 5678},
        {"99 99 99 99 99 99 99 99 99", 9, 999999999999999999},
        {"", 0, 0},
    };
    for (const auto &tc : cases) {
        const TBytes b = Hex(tc.bytes);
        EXPECT_EQ(BCD_To_Int64(b.data(), tc.n), tc.value) << tc.bytes;
    }
}

TEST(Vif, TwoDigitsAndPowers)
{
    EXPECT_EQ(Two_Digits(5), QStringLiteral("05"));
    EXPECT_EQ(Two_Digits(0), QStringLiteral("00"));
    EXPECT_EQ(Two_Digits(31), QStringLiteral("31"));
    EXPECT_EQ(Power_Of_Ten(0), 1);
    EXPECT_EQ(Power_Of_Ten(9), 1000000000);
}
