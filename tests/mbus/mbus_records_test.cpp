#include "mbus_test_util.h"

#include "platform/locale.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

class RecordWalk : public ::testing::Test
{
protected:
    void SetUp() override { SetDecimalSeparatorOverride(u'.'); }
    void TearDown() override { SetDecimalSeparatorOverride(QChar()); }

    // Walks all of the bytes; returns the walk's result.
    bool Walk(const TBytes &b, TMBusType type = mtWired)
    {
        Codec.MBusType = type;
        List.clear();
        return Codec.Decode_Data_Records(List, int(b.size()) - 1, b.data(), int(b.size()));
    }

    TTestCodec Codec;
    TVariable_List List;
};

} // namespace

TEST_F(RecordWalk, VolumeRecord)
{
    EXPECT_TRUE(Walk(Hex("04 13 10 27 00 00")));
    ASSERT_EQ(List.size(), 1u);
    const TVariable_MBus &v = *List[0];
    EXPECT_EQ(v.nbyte, 4);
    EXPECT_EQ(v.dato_A, 10000);
    EXPECT_EQ(v.dato_B, 0);
    EXPECT_EQ(v.totdati, QStringLiteral("10270000"));
    EXPECT_EQ(v.storage_number, 0);
    EXPECT_EQ(v.DIF, QStringLiteral("$04"));
    EXPECT_EQ(v.VIF, 0x13);
    EXPECT_EQ(v.vifvalue, 0x13);
    EXPECT_EQ(v.casovif, 0);
    EXPECT_EQ(v.dimension, 4);
    EXPECT_EQ(v.descdim, QStringLiteral("32 Bit Integer"));
    EXPECT_EQ(v.DataFieldStr, QStringLiteral("32 Bit Integer"));
    EXPECT_EQ(v.FunctionFieldStr, QStringLiteral("Istantaneous value"));
    EXPECT_EQ(v.ValueStr, QStringLiteral("10"));
    EXPECT_EQ(v.Desc_Type_Data, QStringLiteral("Volume m3"));
    EXPECT_TRUE(v.Real_Wireless_Var);
    EXPECT_FALSE(v.errata);
    EXPECT_FALSE(v.Is_BCD);
    const QLocale l;
    EXPECT_EQ(v.datagiorno, l.toString(Codec.Clock.date(), ShortDateFormat()));
    EXPECT_EQ(v.tempo, l.toString(Codec.Clock.time(), ShortTimeFormat()));
}

TEST_F(RecordWalk, StorageTariffAndSubunitFromDifAndDifes)
{
    struct { const char *bytes; int64_t storage; int tariff, subunit, numdife; const char *dife; } cases[] = {
        {"44 13 10 27 00 00", 1, 0, 0, 0, ""},
        {"84 01 13 10 27 00 00", 2, 0, 0, 1, "$01 "},
        {"84 10 13 10 27 00 00", 0, 1, 0, 1, "$10 "},
        {"84 40 13 10 27 00 00", 0, 0, 1, 1, "$40 "},
        {"C4 81 02 13 10 27 00 00", 1 + 2 * (1 + (2 << 4)), 0, 0, 2, "$81 $02 "},
        {"84 B0 60 13 10 27 00 00", 0, 3 + (2 << 2), 2, 2, "$B0 $60 "},
    };
    for (const auto &tc : cases) {
        Walk(Hex(tc.bytes));
        ASSERT_EQ(List.size(), 1u) << tc.bytes;
        EXPECT_EQ(List[0]->storage_number, tc.storage) << tc.bytes;
        EXPECT_EQ(List[0]->tarif, tc.tariff) << tc.bytes;
        EXPECT_EQ(List[0]->device, tc.subunit) << tc.bytes;
        EXPECT_EQ(List[0]->numdife, tc.numdife) << tc.bytes;
        EXPECT_EQ(List[0]->DIFE, QString::fromLatin1(tc.dife)) << tc.bytes;
        EXPECT_EQ(List[0]->dato_A, 10000) << tc.bytes;
    }
}

TEST_F(RecordWalk, IdleFillerIsDroppedWiredAndAPlaceholderWireless)
{
    const TBytes b = Hex("01 13 05 2F 01 13 06");
    Walk(b, mtWired);
    ASSERT_EQ(List.size(), 2u);
    EXPECT_EQ(List[1]->dato_A, 6);

    Walk(b, mtWireless);
    ASSERT_EQ(List.size(), 3u);
    EXPECT_FALSE(List[1]->Real_Wireless_Var);
    EXPECT_FALSE(List[1]->errata);
    EXPECT_EQ(List[1]->DIF, QStringLiteral("$2F"));
    EXPECT_TRUE(List[0]->Real_Wireless_Var);
    EXPECT_TRUE(List[2]->Real_Wireless_Var);
}

TEST_F(RecordWalk, SpecialDifsEndOrSkip)
{
    struct { const char *name; const char *bytes; bool result; size_t records; } cases[] = {
        {"0x0F ends, true", "01 13 05 0F AA BB CC", true, 1},
        {"0x1F ends, false", "01 13 05 1F AA BB CC", false, 1},
        {"0x3F ends", "01 13 05 3F 13 01 13 06", true, 1},
        {"0x7F ends", "01 13 05 7F 13 01 13 06", true, 1},
        {"0x8F dropped", "01 13 05 8F 00 13 01 13 06", true, 2},
        {"readout selection ends", "01 13 05 08 13 01 13 06", true, 1},
        {"any VIF ends", "01 13 05 01 7E 07 01 13 06", true, 1},
        {"any VIF ext ends", "01 13 05 01 FE 00 07 01 13 06", true, 1},
        {"no data", "00 13 01 13 06", true, 2},
    };
    for (const auto &tc : cases) {
        EXPECT_EQ(Walk(Hex(tc.bytes)), tc.result) << tc.name;
        EXPECT_EQ(List.size(), tc.records) << tc.name;
    }
}

TEST_F(RecordWalk, DataFieldsAndVariableLengths)
{
    struct { const char *bytes; int nbyte; const char *descdim; const char *dfstr; bool bcd; bool errata; } cases[] = {
        {"05 13 00 00 80 3F", 4, "32 Bit real", "32 Bit Real", false, false},
        {"07 13 01 00 00 00 02 00 00 00", 8, "64 Bit Integer", "64 Bit Integer", false, false},
        {"09 13 12", 1, "2 digit BCD", "2 Digit BCD", true, false},
        {"0E 13 12 34 56 78 90 12", 6, "12 digit BCD", "12 Digit BCD", true, false},
        {"0D 13 C2 34 12", 2, "Variable length: Positive BCD number with 2 *2 digits",
         "Variable Length - Positive BCD Number with 4 digits", false, false},
        {"0D 13 D1 34", 1, "Variable length: Negative BCD number with 1 *2 digits",
         "Variable Length - Negative BCD Number with 2 digits", false, false},
        {"0D 13 03 41 42 43", 3, "Variable length: ASCII string with 3 characters",
         "Variable Length - ASCII String with 3characters", false, false},
        {"0D 13 E2 01 02", 2, "Variable length: Binary number with 2 bytes",
         "Variable Length - Binary Number with 2 Bytes", false, false},
        {"0D 13 F0 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F 10", 16,
         "Variable length: Binary number with 16 bytes",
         "Variable Length - Binary Number with 16 Bytes", false, false},
        {"0D 13 FB", 0, "Variable length: Reserved", "Variable Length - Reserved", false, true},
    };
    for (const auto &tc : cases) {
        Walk(Hex(tc.bytes));
        ASSERT_EQ(List.size(), 1u) << tc.bytes;
        EXPECT_EQ(List[0]->nbyte, tc.nbyte) << tc.bytes;
        EXPECT_EQ(List[0]->descdim, QString::fromLatin1(tc.descdim)) << tc.bytes;
        EXPECT_EQ(List[0]->DataFieldStr, QString::fromLatin1(tc.dfstr)) << tc.bytes;
        EXPECT_EQ(List[0]->Is_BCD, tc.bcd) << tc.bytes;
        EXPECT_EQ(List[0]->errata, tc.errata) << tc.bytes;
        if (tc.errata) {
            EXPECT_EQ(List[0]->sterror, QStringLiteral("Non analizabile"));
        }
    }
    // A reserved LVAR does not end the walk.
    Walk(Hex("0D 13 FB 01 13 07"));
    ASSERT_EQ(List.size(), 2u);
    EXPECT_EQ(List[1]->dato_A, 7);
}

TEST_F(RecordWalk, LongBinaryNumbersKeepTheWalkInPlace)
{
    // LVAR 0xF0..0xFA: 4 x (LVAR - 0xEC) bytes; the record after it is read where it starts.
    for (const uint8_t lvar : {uint8_t(0xF0), uint8_t(0xF4), uint8_t(0xFA)}) {
        const int n = 4 * (lvar - 0xEC);
        Walk(Cat({{0x0D, 0x13, lvar}, TBytes(size_t(n), 0x01), Hex("01 13 06")}));
        ASSERT_EQ(List.size(), 2u) << int(lvar);
        EXPECT_EQ(List[0]->nbyte, n) << int(lvar);
        EXPECT_EQ(List[1]->dato_A, 6) << int(lvar);
    }
}

TEST_F(RecordWalk, PlainTextUnitWithANumber)
{
    // 0xFC, unit "%RH" (sent reversed), a x 10^-2 factor, then a 16-bit value 5410.
    Walk(Hex("02 FC 03 48 52 25 74 22 15  01 13 06"));
    ASSERT_EQ(List.size(), 2u);
    EXPECT_EQ(List[0]->VIF_ASCII, QStringLiteral("%RH"));
    EXPECT_EQ(List[0]->ValueStr, QStringLiteral("54.1"));
    EXPECT_EQ(List[0]->type_data, 21);
    EXPECT_EQ(List[1]->dato_A, 6);
}

TEST_F(RecordWalk, RecordKindsAndTexts)
{
    Walk(Hex("01 FD 8E 3B 05  01 FB 01 06  01 7F 07  01 FF 05 08  "
             "02 7C 03 67 6B 6C 10 00  31 96 3B 05  21 13 01"));
    ASSERT_EQ(List.size(), 7u);
    EXPECT_EQ(List[0]->casovif, 1);
    EXPECT_EQ(List[0]->vifvalue, 0x8E);
    EXPECT_EQ(List[0]->PrinVIFE, 0x8E);
    EXPECT_EQ(List[0]->VIFE, QStringLiteral("$8E $3B "));
    EXPECT_EQ(List[0]->Type_Data_Vife, 9);
    EXPECT_EQ(List[1]->casovif, 2);
    EXPECT_EQ(List[1]->vifvalue, 0x01);
    EXPECT_EQ(List[2]->casovif, 100);
    EXPECT_EQ(List[2]->vifvalue, -1);
    EXPECT_EQ(List[2]->type_data, 65535);
    EXPECT_EQ(List[3]->casovif, 100);
    EXPECT_EQ(List[4]->casovif, 101);
    EXPECT_EQ(List[4]->VIF_ASCII, QStringLiteral("lkg"));   // "gkl" in reading order
    EXPECT_EQ(List[4]->dato_A, 16);
    EXPECT_EQ(List[4]->type_data, 21);
    EXPECT_EQ(List[5]->function_fild, 3);
    EXPECT_EQ(List[5]->FunctionFieldStr, QStringLiteral("Value during error state"));
    EXPECT_EQ(List[5]->Type_Data_Vife, 95);
    EXPECT_EQ(List[6]->FunctionFieldStr, QStringLiteral("Minimum value"));
}

TEST_F(RecordWalk, DataBytesBeyondFourGoToDatoB)
{
    Walk(Hex("07 13 01 02 03 04 05 06 07 08"));
    ASSERT_EQ(List.size(), 1u);
    EXPECT_EQ(List[0]->dato_A, 0x04030201);
    EXPECT_EQ(List[0]->dato_B, 0x08070605);
    EXPECT_EQ(List[0]->totdati, QStringLiteral("0102030405060708"));
    // Bytes past eight wrap into dato_B again.
    Walk(Hex("0D 13 EA 01 00 00 00 10 00 00 00 01 02"));
    ASSERT_EQ(List.size(), 1u);
    EXPECT_EQ(List[0]->dato_B, 0x10 + 0x0201);
}

TEST_F(RecordWalk, OverlongExtensionChainsKeepTenAndSkipTheRest)
{
    // Twelve DIFEs and twelve VIFEs, all chained: ten of each kept, the record still found
    // and the walk goes on with the next record.
    const TBytes b = Cat({Hex("84"), TBytes(11, 0x80), Hex("00 96"), TBytes(11, 0xA2),
                          Hex("22 05 00 00 00"), Hex("01 13 07")});
    Walk(b);
    ASSERT_EQ(List.size(), 2u);
    EXPECT_EQ(List[0]->numdife, 10);
    EXPECT_EQ(List[0]->VIFE.count(u'$'), 10);
    EXPECT_EQ(List[0]->dato_A, 5);
    EXPECT_EQ(List[1]->dato_A, 7);
}

TEST_F(RecordWalk, TruncatedRecordsEndTheWalkInsideTheBytes)
{
    struct { const char *name; const char *bytes; size_t records; } cases[] = {
        {"data cut", "01 13 05 04 13 10 27", 1},
        {"no VIF", "01 13 05 04", 1},
        {"DIFE chain cut", "01 13 05 84 80 80", 1},
        {"VIFE chain cut", "01 13 05 04 93 A2", 1},
        {"no LVAR", "01 13 05 0D 13", 1},
        {"LVAR past the end", "01 13 05 0D 13 BF 41 42", 1},
        {"text length past the end", "01 13 05 01 7C 09 41", 1},
        {"no text length", "01 13 05 01 FC", 1},
    };
    for (const auto &tc : cases) {
        EXPECT_TRUE(Walk(Hex(tc.bytes))) << tc.name;
        EXPECT_EQ(List.size(), tc.records) << tc.name;
    }
    // "last" before the end of the buffer bounds the walk the same way.
    const TBytes b = Hex("01 13 05 04 13 10 27 00 00");
    List.clear();
    Codec.Decode_Data_Records(List, 5, b.data(), int(b.size()));
    EXPECT_EQ(List.size(), 1u);
    List.clear();
    EXPECT_TRUE(Codec.Decode_Data_Records(List, -1, b.data(), int(b.size())));
    EXPECT_TRUE(List.empty());
}

TEST(MBusNames, ManufacturerLetters)
{
    struct { int code; const char *letters; } cases[] = {
        {0x0421, "AAA"}, {0x6B5A, "ZZZ"}, {0, "???"}, {0x0442, "ABB"}, {0x4024, "PAD"},
        {0x2C2D, "KAM"}, {0xFFFF, "???"},
    };
    for (const auto &tc : cases)
        EXPECT_EQ(Trova_Man(tc.code), QString::fromLatin1(tc.letters)) << tc.code;
    EXPECT_EQ(Manufacturer_Letter(65), QStringLiteral("A"));
    EXPECT_EQ(Manufacturer_Letter(91), QStringLiteral("?"));
}

TEST(MBusNames, MediumDescriptions)
{
    struct { int medium; const char *text; } cases[] = {
        {0, "Other"}, {16, "Other"}, {1, "Oil"}, {7, "Water"}, {8, "Heat Cost Allocator."},
        {12, "Heat (inlet) "}, {15, "Unknown Medium"}, {22, "Cold Water"}, {25, "A/D Converter"},
        {26, "Other"}, {-1, "Other"},
    };
    for (const auto &tc : cases)
        EXPECT_EQ(Medium_Description(tc.medium), QString::fromLatin1(tc.text)) << tc.medium;
}

namespace {

// A long frame around the records, with its checksum.
TBytes Long_Frame(const TBytes &ident, const TBytes &records)
{
    TBytes body = Cat({Hex("08 01 72"), ident, Hex("24 40 01 07 55 00 00 00"), records});
    unsigned cs = 0;
    for (uint8_t b : body)
        cs += b;
    return Cat({{0x68, uint8_t(body.size()), uint8_t(body.size()), 0x68}, body,
                {uint8_t(cs), 0x16}});
}

} // namespace

TEST_F(RecordWalk, WiredIntakeBuildsTheSlaveAndWalksItsRecords)
{
    Codec.Answer(Long_Frame(Hex("45 23 01 00"), Hex("04 13 10 27 00 00 1F")));
    ASSERT_TRUE(Codec.Is_Long_Frame());
    bool more = true;
    EXPECT_EQ(Codec.Store_Wired_Slave(-1, more), 0);
    EXPECT_FALSE(more);
    TSlave_MBus &s = Codec.Slave(0);
    EXPECT_EQ(s.Secondary_Addresss, QStringLiteral("12345"));
    EXPECT_EQ(s.Primary_Addresss, 1);
    EXPECT_EQ(s.Manufacture, 0x4024);
    EXPECT_EQ(s.descManufacture, QStringLiteral("PAD"));
    EXPECT_EQ(s.Medium, 7);
    EXPECT_EQ(s.descmedium, QStringLiteral("Water"));
    EXPECT_EQ(s.Version, 1);
    ASSERT_EQ(s.List_Var.size(), 1u);
    EXPECT_EQ(s.List_Var[0]->dato_A, 10000);

    // The next frame of the same read-out adds to the same slave.
    Codec.Answer(Long_Frame(Hex("45 23 01 00"), Hex("01 13 07")));
    EXPECT_EQ(Codec.Store_Wired_Slave(0, more), 0);
    EXPECT_TRUE(more);
    EXPECT_EQ(Codec.Wired.size(), 1u);
    ASSERT_EQ(s.List_Var.size(), 2u);
    EXPECT_EQ(s.List_Var[1]->dato_A, 7);

    // The checksum and stop byte are never taken for records.
    Codec.Answer(Long_Frame(Hex("78 56 34 12"), {}));
    EXPECT_EQ(Codec.Store_Wired_Slave(-1, more), 1);
    EXPECT_EQ(Codec.Slave(1).Secondary_Addresss, QStringLiteral("12345678"));
    EXPECT_TRUE(Codec.Slave(1).List_Var.empty());
}

TEST_F(RecordWalk, HandWrittenWiredFrame)
{
    Codec.Answer(Test_Data_Hex(QStringLiteral("rsp_ud_water.hex")));
    ASSERT_TRUE(Codec.Is_Long_Frame());
    bool more = false;
    ASSERT_EQ(Codec.Store_Wired_Slave(-1, more), 0);
    EXPECT_TRUE(more);
    const TSlave_MBus &s = Codec.Slave(0);
    EXPECT_EQ(s.Primary_Addresss, 2);
    EXPECT_EQ(s.Secondary_Addresss, QStringLiteral("12345678"));
    EXPECT_EQ(s.descManufacture, QStringLiteral("PAD"));
    EXPECT_EQ(s.descmedium, QStringLiteral("Water"));
    ASSERT_EQ(s.List_Var.size(), 3u);
    const TVariable_MBus &vol = *s.List_Var[0];
    EXPECT_EQ(vol.ValueStr, QStringLiteral("12.565"));
    EXPECT_EQ(vol.Desc_Type_Data, QStringLiteral("Volume m3"));
    const TVariable_MBus &flow = *s.List_Var[1];
    EXPECT_EQ(flow.storage_number, 5);
    EXPECT_EQ(flow.function_fild, 1);
    EXPECT_TRUE(flow.Is_BCD);
    EXPECT_EQ(flow.ValueStr, QStringLiteral("0.113"));
    EXPECT_EQ(flow.Desc_Type_Data, QStringLiteral("Volume Flow m3/h"));
    const TVariable_MBus &energy = *s.List_Var[2];
    EXPECT_EQ(energy.tarif, 2);
    EXPECT_EQ(energy.device, 1);
    EXPECT_EQ(energy.storage_number, 0);
    EXPECT_EQ(energy.ValueStr, QStringLiteral("218370"));
    EXPECT_EQ(energy.type_data, 0);
}

TEST_F(RecordWalk, WiredIntakeOfShortAnswers)
{
    bool more = false;
    Codec.Answer(Hex("68 03 03 68 08 01 72"));
    EXPECT_EQ(Codec.Store_Wired_Slave(-1, more), -1);
    EXPECT_TRUE(Codec.Wired.empty());
    EXPECT_TRUE(more);
}
