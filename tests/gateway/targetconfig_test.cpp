#include "gateway/targetconfig.h"
#include "gateway_fixture.h"

#include "platform/rtl.h"

namespace {

TTC_ParamObj Param(int32_t bytes, int64_t value, int64_t min = 0, int64_t max = 0)
{
    TTC_ParamObj p;
    p.DataSizeByte = bytes;
    p.Value = p.Default = value;
    p.Min = min;
    p.Max = max;
    return p;
}

TTC_ParamObj Enum_Param()
{
    TTC_ParamObj p = Param(1, 1);
    p.Enum = true;
    p.ListEnum = {{0, QStringLiteral("Off")}, {1, QStringLiteral("On")}};
    p.EnumString = {QStringLiteral("Off"), QStringLiteral("On")};
    return p;
}

TTargetConfig Config(std::vector<TTC_ParamObj> params, const char *size)
{
    TTargetConfig tc;
    tc.ListParamObject = std::move(params);
    tc.Size = QLatin1String(size);
    return tc;
}

TTargetConfig Decode(const char *format, const char *file = "ioblock.eds")
{
    TTargetConfig tc;
    tc.FileName = Gateway_Data(QStringLiteral("eds/") + QLatin1String(file));
    tc.Format = QLatin1String(format);
    tc.DecodeTargetConf();
    return tc;
}

TEST(TargetConfig, DataSegmentText)
{
    struct Case
    {
        std::vector<TTC_ParamObj> params;
        const char *size;
        const char *text;
    };
    const Case cases[] = {
        {{Param(2, 1000), Param(1, 7)}, "4", "0xE8,0x03,0x07,0x00"},
        {{Param(4, -1)}, "", "0xFF,0xFF,0xFF,0xFF"},
        {{Param(1, 300)}, "1", "0x2C"},
        {{}, "3", "0x00,0x00,0x00"},
        {{Param(4, 0x01020304), Param(1, 5)}, "3", "0x04,0x03,0x02,0x01,0x05"},
        {{Param(1, 9)}, "four", "0x09"},
        {{Param(0, 9), Param(-3, 9)}, "", ""},
        {{Param(10, -2)}, "", "0xFE,0xFF,0xFF,0xFF,0xFF,0xFF,0xFF,0xFF,0xFF,0xFF"},
        {{Param(10, 2)}, "", "0x02,0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x00"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Config(c.params, c.size).GetConfigStrData(), QLatin1String(c.text)) << c.text;

    // Sizes from a hostile file are cut far above what the data segment can carry.
    for (const TTargetConfig &tc : {Config({Param(2000000000, 1)}, ""), Config({}, "2000000000")}) {
        const QString text = tc.GetConfigStrData();
        EXPECT_GT(text.count(QLatin1Char(',')), 510);
        EXPECT_LT(text.size(), 100000);
    }
}

TEST(TargetConfig, StrictCommaSplitting)
{
    struct Case
    {
        const char *text;
        QStringList fields;
    };
    const Case cases[] = {
        {"", {}},
        {"a,b", {"a", "b"}},
        {"a,,b", {"a", "", "b"}},
        {"a,", {"a", ""}},
        {",", {"", ""}},
        {" a , b", {" a ", " b"}},
        {"\"x\"\"y\",z", {"x\"y", "z"}},
        {"\"x\" ,z", {"x", " ", "z"}},
        {"\"x\"y,z", {"x", "y", "z"}},
        {"\"open, end", {"open, end"}},
        {"a, \"q\"", {"a", " \"q\""}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Split_Delimited_Strict(QLatin1String(c.text)), c.fields) << c.text;
}

TEST(TargetConfig, AssemblyEntryIsMatchedByItsKeyAtTheLineStart)
{
    const QStringList sl = {"[Params]", "Assem1 = \"Wrong\";", "[Assembly]", "  Assem100 = \"Big\",1;",
                            "Assem1= \"Small\",",  "  2;   $ end", "Assem1 = \"Second\";", "[Next]"};
    struct Case
    {
        const char *format;
        const char *entry;
    };
    const Case cases[] = {
        {"Assem1", "\"Small\",2;"},
        {" Assem100 ", "\"Big\",1;"},
        {"Assem10", ""},
        {"Assem2", ""},
        {"", ""},
    };
    for (const Case &c : cases) {
        TTargetConfig tc;
        tc.Format = QLatin1String(c.format);
        EXPECT_EQ(tc.Find_Assembly_Object(sl), QLatin1String(c.entry)) << c.format;
    }

    // An entry complete on its line does not take the next; a section line ends an open one.
    TTargetConfig tc;
    tc.Format = QStringLiteral("Assem5");
    EXPECT_EQ(tc.Find_Assembly_Object({"[Assembly]", "Assem5 = \"A\",1;", "more,"}), QStringLiteral("\"A\",1;"));
    EXPECT_EQ(tc.Find_Assembly_Object({"[Assembly]", "Assem5 = \"A\",", "1,", "[Params]", "2;"}),
              QStringLiteral("\"A\",1,"));
}

TEST(TargetConfig, ParameterAndEnumEntries)
{
    const QStringList sl = {"[Params]",
                            "Param10 = 0,,,0,0xC8,4,\"Ten\",\"\",\"\",0,0,0;",
                            "Enum10 = 9,\"Nine\";",
                            "Param1 =",
                            "  0,,,0x0000,   $ comment",
                            "  0xC6,1,\"One\",\"\",\"\",0,2,1;",
                            "Enum1 = 0,\"Off\",",
                            "  1,\"On\";",
                            "[Assembly]",
                            "Param2 = 0,,,0,0xC6,1,\"Two\",\"\",\"\",0,0,0;"};
    QString enums;
    EXPECT_EQ(TTargetConfig::find_Param_Enum_Object(QStringLiteral("Param1"), sl, enums),
              QStringLiteral("0,,,0x0000,0xC6,1,\"One\",\"\",\"\",0,2,1;"));
    EXPECT_EQ(enums, QStringLiteral("0,\"Off\",1,\"On\";"));
    EXPECT_EQ(TTargetConfig::find_Param_Enum_Object(QStringLiteral("Param10"), sl, enums),
              QStringLiteral("0,,,0,0xC8,4,\"Ten\",\"\",\"\",0,0,0;"));
    EXPECT_EQ(enums, QStringLiteral("9,\"Nine\";"));
    // Outside the section, or referenced with a leading blank: not found.
    for (const char *key : {"Param2", " Param1", ""}) {
        EXPECT_TRUE(TTargetConfig::find_Param_Enum_Object(QLatin1String(key), sl, enums).isEmpty()) << key;
        EXPECT_TRUE(enums.isEmpty()) << key;
    }
}

TEST(TargetConfig, DecodesTheHandWrittenAssemblies)
{
    const TTargetConfig tc = Decode("Assem100");
    EXPECT_EQ(tc.AO_Name, QStringLiteral("Config"));
    EXPECT_EQ(tc.AO_SizeBit, QStringLiteral("40"));
    ASSERT_EQ(tc.ListParamObject.size(), 4u);
    const TTC_ParamObj &mode = tc.ListParamObject[0];
    EXPECT_EQ(mode.BitSize, QStringLiteral("8"));
    EXPECT_EQ(mode.ParamName, QStringLiteral("Param1"));
    EXPECT_EQ(mode.Name, QStringLiteral("Mode"));
    EXPECT_EQ(mode.DataSizeByte, 1);
    EXPECT_EQ(mode.DataType, 0xC6);
    EXPECT_EQ(mode.Min, 0);
    EXPECT_EQ(mode.Max, 2);
    EXPECT_EQ(mode.Default, 1);
    EXPECT_EQ(mode.Value, 1);
    EXPECT_TRUE(mode.Enum);
    EXPECT_EQ(mode.EnumString, (QStringList{"Off", "On", "Auto"}));
    EXPECT_EQ(mode.GetEnumString(), QStringLiteral("On"));
    EXPECT_EQ(mode.SetValueFromEnum(QStringLiteral("Auto")), 2);
    EXPECT_EQ(mode.SetValueFromEnum(QStringLiteral("auto")), 1);   // case counts: Default
    const TTC_ParamObj &filter = tc.ListParamObject[1];
    EXPECT_EQ(filter.Max, 0xFFFF);
    EXPECT_EQ(filter.Value, 0x0302);
    EXPECT_FALSE(filter.Enum);
    EXPECT_TRUE(filter.ListEnum.empty());
    EXPECT_EQ(tc.GetConfigStrData(), QStringLiteral("0x01,0x02,0x03,0x10,0xFF"));

    // Assem1 must not take the earlier Assem100 line.
    const TTargetConfig small = Decode("Assem1");
    EXPECT_EQ(small.AO_Name, QStringLiteral("Small"));
    ASSERT_EQ(small.ListParamObject.size(), 1u);
    EXPECT_EQ(small.ListParamObject[0].Name, QStringLiteral("Filter"));

    // A missing file or format gives no parameters.
    EXPECT_TRUE(Decode("Assem100", "missing.eds").ListParamObject.empty());
    EXPECT_TRUE(Decode("Assem7").ListParamObject.empty());
}

TEST(TargetConfig, AssemblyDecodingRules)
{
    const QStringList params = {"[Params]",
                                "Param1 = 0,,,0,0xC6,1,\"A\",\"\",\"\",,,;",
                                "Param2 = 0,,,0,0xC7,2,\"B\",\"\",\"\",-5,5,x;",
                                "Enum2 = 1,\"One\",2;",
                                "Param3 = 0,,,0,0xC6,1,\"Short\";"};
    TTargetConfig tc;
    tc.DecodeAssemblyObj(QStringLiteral("\"N\",,16,,,,8,Param1,16,Param2,8,Param1,8"), params);
    ASSERT_EQ(tc.ListParamObject.size(), 3u);   // the unpaired last field is ignored
    EXPECT_EQ(tc.ListParamObject[0].Min, 0);    // empty fields leave 0
    EXPECT_EQ(tc.ListParamObject[1].Min, -5);
    EXPECT_EQ(tc.ListParamObject[1].Default, 0);   // "x" does not convert
    ASSERT_EQ(tc.ListParamObject[1].ListEnum.size(), 1u);   // unpaired value ignored
    EXPECT_EQ(tc.ListParamObject[1].ListEnum[0].Description, QStringLiteral("One"));
    EXPECT_EQ(tc.ListParamObject[2].Name, QStringLiteral("A"));   // a repeated member is copied
    EXPECT_EQ(tc.ListParamObject[2].DataType, 0xC6);

    for (const char *assembly : {"", ";", "\"N\",,16,,,", "\"N\",,16,,,,"}) {
        tc.DecodeAssemblyObj(QLatin1String(assembly), params);
        EXPECT_TRUE(tc.ListParamObject.empty()) << assembly;
    }
    // A member whose entry is short or missing.
    for (const char *assembly : {"\"N\",,8,,,,8,Param3", "\"N\",,8,,,,8,Param9"})
        EXPECT_THROW(tc.DecodeAssemblyObj(QLatin1String(assembly), params), ETargetConfigError) << assembly;
    // Members written with blanks after the commas find their entries; the size keeps its blank.
    tc.DecodeAssemblyObj(QStringLiteral("\"N\", , 24, , , , 8, Param1, 16, Param2 ,8, Param1"), params);
    ASSERT_EQ(tc.ListParamObject.size(), 3u);
    EXPECT_EQ(tc.ListParamObject[0].ParamName, QStringLiteral("Param1"));
    EXPECT_EQ(tc.ListParamObject[0].BitSize, QStringLiteral(" 8"));
    EXPECT_EQ(tc.ListParamObject[1].Name, QStringLiteral("B"));
    EXPECT_TRUE(tc.ListParamObject[1].Enum);
    EXPECT_EQ(tc.ListParamObject[2].Name, QStringLiteral("A"));   // copied from the first Param1
}

TEST(TargetConfig, CheckValue)
{
    Load_Default_Texts();
    struct Case
    {
        QStringList texts;
        const char *error;
    };
    // The second parameter has no maximum (Max not above Min): its byte size bounds it.
    const Case cases[] = {
        {{"5", "255"}, ""},
        {{"0x0A", "$7F"}, ""},
        {{"4", "0"}, "Param Number 1. The Value must be between 5 and 10"},
        {{"11", "0"}, "Param Number 1. The Value must be between 5 and 10"},
        {{"", "0"}, "Param Number 1. The Value must be between 5 and 10"},
        {{"6 ", "0"}, "Param Number 1. The Value must be between 5 and 10"},
        {{"6", "256"}, "Param Number 2. The Value must be between 0 and 0"},
        {{"6", "-1"}, "Param Number 2. The Value must be between 0 and 0"},
        {{"6"}, "Param Number 2. The Value must be between 0 and 0"},
    };
    for (const Case &c : cases) {
        TTargetConfig tc = Config({Param(1, 7, 5, 10), Param(1, 3), Enum_Param()}, "");
        QString error;
        QStringList texts = c.texts;
        texts << QStringLiteral("garbage for the enumeration");
        const bool ok = Check_Value(tc, texts, error);
        EXPECT_EQ(error, QLatin1String(c.error)) << c.texts.join(QLatin1Char('|')).toStdString();
        EXPECT_EQ(ok, *c.error == 0);
        if (ok) {
            EXPECT_EQ(tc.ListParamObject[0].Value, StrToInt64(c.texts[0]));
            EXPECT_EQ(tc.ListParamObject[1].Value, StrToInt64(c.texts[1]));
        } else {
            EXPECT_EQ(tc.ListParamObject[0].Value, 7);
            EXPECT_EQ(tc.ListParamObject[1].Value, 3);
        }
        EXPECT_EQ(tc.ListParamObject[2].Value, 1);
    }

    // Without a maximum, 1 byte takes -128..255 above Min, 2 bytes up to 65535.
    TTargetConfig tc = Config({Param(1, 0, -1000), Param(2, 0)}, "");
    QString error;
    EXPECT_TRUE(Check_Value(tc, {"-128", "65535"}, error));
    EXPECT_FALSE(Check_Value(tc, {"-129", "0"}, error));
    EXPECT_FALSE(Check_Value(tc, {"0", "65536"}, error));
}

TEST(TargetConfig, CopiesAndEditorCells)
{
    TTargetConfig tc = Config({Param(2, 1000, 0, 5000), Enum_Param()}, "4");
    tc.ListParamObject[0].Name = QStringLiteral("Speed");
    tc.ListParamObject[0].DataType = 0xC7;
    const std::unique_ptr<TTargetConfig> copy = CopyTargetConf(tc);
    copy->ListParamObject[0].Value = 5;
    copy->ListParamObject[1].Value = copy->ListParamObject[1].SetValueFromEnum(QStringLiteral("Off"));
    copy->ListParamObject[1].ListEnum.clear();
    EXPECT_EQ(tc.ListParamObject[0].Value, 1000);
    EXPECT_EQ(tc.ListParamObject[1].ListEnum.size(), 2u);

    EXPECT_EQ(Data_Seg_Cells(tc.ListParamObject[0], 1),
              (QStringList{"1", "Speed", "2", "199", "1000", "1000", "0", "5000", ""}));
    EXPECT_EQ(Data_Seg_Cells(tc.ListParamObject[1], 2), (QStringList{"2", "", "1", "0", "On", "1", "0", "0", "1"}));

    Copy_Param_Values(tc, *copy);
    EXPECT_EQ(tc.GetConfigStrData(), QStringLiteral("0x05,0x00,0x00,0x00"));
    EXPECT_EQ(tc.ListParamObject[1].GetEnumString(), QStringLiteral("Off"));
}

} // namespace
