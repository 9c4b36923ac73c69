#include "gateway/targetconfig.h"
#include "gateway_fixture.h"

#include "gateway/eds_reader.h"
#include "platform/rtl.h"

#include <random>

namespace {

// The [Params] search as first written, a text search over the section per key: the
// reference the indexed search must agree with.
QString Reference_Find(const QString &Param, const QStringList &sl, QString &EnumStr)
{
    const auto starts = [](const QString &line, const QString &key) {
        if (key.isEmpty() || !line.contains(QLatin1Char('=')))
            return false;
        const qsizetype at = line.indexOf(key);
        if (at < 0 || at + key.size() >= line.size())
            return false;
        return line[at + key.size()] == u' ' || line[at + key.size()] == u'=';
    };
    const auto after_equal = [](const QString &line) { return Trim(line.mid(line.indexOf(QLatin1Char('=')) + 1)); };
    const auto complete = [](const QString &text) {
        const QString t = Trim(text);
        const qsizetype semicolon = t.indexOf(QLatin1Char(';'));
        return semicolon >= 0 && semicolon == t.size() - 1;
    };
    const QString enum_key = QStringLiteral("Enum") + Param.mid(5);
    enum State { Not_Found, Capturing, Done };
    State ps = Not_Found, es = Not_Found;
    QString param;
    EnumStr.clear();
    bool in_section = false;
    for (const QString &raw : sl) {
        const QString line = EDS_Clean_Line(raw);
        if (line.isEmpty())
            continue;
        if (!in_section) {
            in_section = line.contains(QLatin1String("[Params]"));
            continue;
        }
        if (line.contains(QLatin1Char('[')) && line.contains(QLatin1Char(']')))
            break;
        if (ps == Not_Found && starts(line, Param)) {
            param = after_equal(line);
            ps = complete(param) ? Done : Capturing;
        } else if (ps == Capturing) {
            param += line;
            if (complete(param))
                ps = Done;
        }
        if (es == Not_Found && starts(line, enum_key)) {
            EnumStr = after_equal(line);
            es = EnumStr.contains(QLatin1Char(';')) ? Done : Capturing;
        } else if (es == Capturing) {
            EnumStr += line;
            if (line.contains(QLatin1Char(';')))
                es = Done;
        }
    }
    return param;
}

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

// Random sections built from keys that contain one another, keys inside values, entries
// cut in the middle or never ended, and comments: the one-pass search finds exactly what a
// search per key finds, alone and for a whole assembly at once.
TEST(TargetConfig, IndexedSearchAgreesWithASearchPerKey)
{
    std::mt19937 rng(24);
    const QStringList pieces = {"Param1", "Param10", "Param2", "Enum1", "Enum10", "Enum2", "aram1", "X",
                                " ", "=", " = ", ",", ";", "\"", "0", "7", "Name", "$ c", "\t"};
    const QStringList keys = {"Param1", "Param10", "Param2", "aram1", "1", "X", "Param1 ", "Enum1", "m1"};
    for (int round = 0; round < 400; ++round) {
        QStringList sl = {"[Device]", "Param1 = 1,2,3,4,5,6,Out,8,9,10,11,12;", "[Params]"};
        const int lines = int(rng() % 14);
        for (int l = 0; l < lines; ++l) {
            QString line;
            const int n = int(rng() % 9);
            for (int i = 0; i < n; ++i)
                line += pieces[int(rng() % uint32_t(pieces.size()))];
            if (rng() % 4 == 0)   // a whole entry
                line = QStringLiteral("%1 = 0,,,0,0xC6,%2,\"N%3\",\"\",\"\",0,9,%2%4")
                           .arg(keys[int(rng() % 4)])
                           .arg(l)
                           .arg(round)
                           .arg(rng() % 3 ? QStringLiteral(";") : QStringLiteral(""));
            sl << line;
        }
        if (rng() % 2)
            sl << QStringLiteral("[Assembly]") << QStringLiteral("Param2 = 0,,,0,0xC6,1,\"A\",\"\",\"\",0,0,0;");

        QString members;
        for (const QString &key : keys) {
            QString expected_enum, got_enum;
            const QString expected = Reference_Find(key, sl, expected_enum);
            EXPECT_EQ(TTargetConfig::find_Param_Enum_Object(key, sl, got_enum), expected)
                << round << " " << key.toStdString() << "\n" << sl.join(QLatin1Char('\n')).toStdString();
            EXPECT_EQ(got_enum, expected_enum) << round << " " << key.toStdString();
            members += QStringLiteral(",8,") + key;
        }
        // The whole assembly against one member at a time.
        const auto decode = [&](const QString &assembly, TTargetConfig &tc) {
            try {
                tc.DecodeAssemblyObj(QStringLiteral("A,,8,,,") + assembly + QLatin1Char(';'), sl);
                return true;
            } catch (const ETargetConfigError &) {
                return false;
            }
        };
        TTargetConfig all;
        const bool all_ok = decode(members + QStringLiteral(",8,Param1"), all);
        bool each_ok = true;
        for (size_t k = 0; k < size_t(keys.size()) && each_ok; ++k) {
            TTargetConfig one;
            each_ok = decode(QStringLiteral(",8,") + keys[qsizetype(k)], one);
            if (each_ok && all_ok) {
                const TTC_ParamObj &a = all.ListParamObject[k];
                const TTC_ParamObj &b = one.ListParamObject[0];
                EXPECT_EQ(a.Name, b.Name) << round << " " << k;
                EXPECT_EQ(a.DataSizeByte, b.DataSizeByte) << round << " " << k;
                EXPECT_EQ(a.Default, b.Default) << round << " " << k;
                EXPECT_EQ(a.EnumString, b.EnumString) << round << " " << k;
            }
        }
        EXPECT_EQ(all_ok, each_ok) << round;
        if (all_ok) {
            EXPECT_EQ(all.ListParamObject.back().Name, all.ListParamObject.front().Name);
        }
    }
}

TEST(TargetConfig, ACharacterAProjectFileCannotHoldIsReportedNotImported)
{
    const QString nul = QString(QChar(0));
    struct Case { QString param; QString enums; const char *field; };
    const Case cases[] = {
        {"Param1 = 0,,,0,0xC6,1,\"O" + nul + "ne\",\"\",\"\",0,2,1;", "", "name"},
        {"Param1 = 0,,,0,0xC6,1,\"One\",\"\",\"\",0,2,1;", "Enum1 = 0,\"Of" + nul + "f\",1,\"On\";", "value list"},
    };
    for (const Case &c : cases) {
        const QStringList sl = {"[Params]", c.param, c.enums};
        TTargetConfig tc;
        tc.FileName = QStringLiteral("/eds/device.eds");
        tc.Format = QStringLiteral("Assem1");
        try {
            tc.DecodeAssemblyObj(QStringLiteral("A,,8,,,,8,Param1;"), sl);
            ADD_FAILURE() << c.field;
        } catch (const ETargetConfigError &e) {
            const QString what = QString::fromUtf8(e.what());
            EXPECT_TRUE(what.contains(QLatin1String(c.field))) << e.what();
            EXPECT_TRUE(what.contains(QStringLiteral("U+0000"))) << e.what();
            EXPECT_TRUE(what.contains(QStringLiteral("Param1"))) << e.what();
        }
    }
    TTargetConfig tc;
    EXPECT_THROW(tc.DecodeAssemblyObj(QStringLiteral("A,,8,,,,8,Par") + nul + QStringLiteral("am1;"), {}),
                 ETargetConfigError);
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
