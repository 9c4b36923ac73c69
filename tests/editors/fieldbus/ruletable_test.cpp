// The widget-free rule frame: integer rule, reset, load, check and save driven by a
// description, with the settings the editors depart from the pattern by.
#include "editors/fieldbus/ruletable.h"
#include "fieldbus_fixture.h"
#include "platform/xml.h"

namespace {

TEST(RuleInt, ReadsIntegerLiteralsAndGivesMinusOneForAnythingElse)
{
    const struct
    {
        const char *text;
        int value;
    } cases[] = {
        {" 12", 12},  {"12 ", -1}, {"$1F", 31}, {"x10", 16},          {"0x7FF", 2047}, {"", -1},
        {"$", -1},    {"99999999999", -1},     {"-5", -5},           {"+7", 7},       {"1 2", -1},
        {"2147483647", 2147483647},            {"2147483648", -1},   {"abc", -1},     {"0", 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Rule_Int(QString::fromLatin1(c.text)), c.value) << c.text;
}

TEST(RuleInt, RangeAndLimitText)
{
    EXPECT_TRUE(Rule_In_Range(QStringLiteral("1"), 1, 247));
    EXPECT_TRUE(Rule_In_Range(QStringLiteral("247"), 1, 247));
    EXPECT_FALSE(Rule_In_Range(QStringLiteral("248"), 1, 247));
    EXPECT_FALSE(Rule_In_Range(QString(), 0, 10));   // -1
    EXPECT_TRUE(Rule_In_Range(QString(), -1, 10));
}

// Cells that fail when column 2 holds "bad".
class TTest_Behaviour : public TRule_Behaviour
{
public:
    QString Check_Row(int table, int row, const QStringList &cells) override
    {
        Checked.push_back({table, row});
        return cells.value(2) == QLatin1String("bad") ? QStringLiteral("!! [T] bad cell") : QString();
    }
    std::vector<std::pair<int, int>> Checked;
};

// One table of 4 rows: N, Enable, Key, Value (default "d"), Note (no attribute).
TRule_Editor_Desc Small_Desc()
{
    TRule_Table_Desc t;
    t.List = "Items";
    t.Rows = 4;
    t.Key_Col = 2;
    t.Error_Row = 3068;
    t.Columns = {
        {-1, -1, nullptr},
        {-1, -1, "Enable", "Y", TRule_Cell::Check},
        {-1, -1, "Key", nullptr},
        {-1, -1, "Value", "d"},
        {-1, -1, nullptr},
    };
    TRule_Editor_Desc d;
    d.Root = "Small";
    d.Version = QStringLiteral("2.5");
    d.Tables = {t};
    return d;
}

class RuleTableTest : public FieldbusTest
{
protected:
    QString File() const { return In_Temp(QStringLiteral("small.xml")); }
    QString Load(const TRule_Editor_Desc &desc, const QByteArray &xml, TRule_Data &data)
    {
        Write(File(), xml);
        TXmlDocument doc;
        return Rule_Load(desc, File(), data, Behaviour, doc);
    }
    QByteArray Save(const TRule_Editor_Desc &desc, const TRule_Data &data)
    {
        TXmlDocument doc;
        Rule_Save(desc, data, Behaviour, File(), doc);
        return Read_Bytes(File()).replace('\r', "");
    }
    TTest_Behaviour Behaviour;
};

TEST_F(RuleTableTest, ResetNumbersRowsAndEnablesThem)
{
    TRule_Editor_Desc d = Small_Desc();
    d.Tables[0].Columns[3].Reset = QStringLiteral("0");
    const TRule_Data data = Rule_Reset_Data(d);
    ASSERT_EQ(data.size(), 1u);
    ASSERT_EQ(data[0].size(), 4u);
    EXPECT_EQ(data[0][0], QStringList({"1", "Y", "", "0", ""}));
    EXPECT_EQ(data[0][3], QStringList({"4", "Y", "", "0", ""}));
    d.Tables[0].Enable = TRule_Enable::None;
    EXPECT_EQ(Rule_Reset_Data(d)[0][1], QStringList({"2", "", "", "0", ""}));
}

TEST_F(RuleTableTest, LoadMapsChildrenToRowsTakesDefaultsAndIgnoresTheRest)
{
    const TRule_Editor_Desc d = Small_Desc();
    TRule_Data data = Rule_Reset_Data(d);
    // Another root name, an element of another name, unknown attributes, a row too many.
    const QString error = Load(d,
                               "<Other><Items><row Key=\" 5\" Value=\"v\" X=\"1\"/><foo Enable=\"N\" Key=\"k\"/>"
                               "<row Key=\"3\"/><row Key=\"4\"/><row Key=\"5\"/></Items></Other>",
                               data);
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    EXPECT_EQ(data[0][0], QStringList({"1", "Y", " 5", "v", ""}));
    EXPECT_EQ(data[0][1], QStringList({"2", "N", "k", "d", ""}));
    EXPECT_EQ(data[0][3], QStringList({"4", "Y", "4", "d", ""}));
}

TEST_F(RuleTableTest, LoadStopsAtAMissingListOrAttributeKeepingWhatWasRead)
{
    const TRule_Editor_Desc d = Small_Desc();
    TRule_Data data = Rule_Reset_Data(d);
    QString error = Load(d, "<Small><Items><row Key=\"1\" Value=\"a\"/><row Value=\"b\"/><row Key=\"3\"/></Items></Small>", data);
    EXPECT_TRUE(error.contains(QLatin1String("Key"))) << error.toStdString();
    EXPECT_EQ(data[0][0], QStringList({"1", "Y", "1", "a", ""}));
    EXPECT_EQ(data[0][1], QStringList({"2", "Y", "", "", ""}));   // Enable read, then the stop
    EXPECT_EQ(data[0][2], QStringList({"3", "Y", "", "", ""}));

    data = Rule_Reset_Data(d);
    error = Load(d, "<Small><Other/></Small>", data);
    EXPECT_TRUE(error.contains(QLatin1String("Items"))) << error.toStdString();
    EXPECT_EQ(data, Rule_Reset_Data(d));

    for (const char *bad : {"<Small><Items>", "", "not xml at all"}) {
        data = Rule_Reset_Data(d);
        error = Load(d, bad, data);
        EXPECT_FALSE(error.isEmpty()) << bad;
        EXPECT_EQ(data, Rule_Reset_Data(d)) << bad;
    }
}

TEST_F(RuleTableTest, MissingFileLeavesTheTablesSilently)
{
    const TRule_Editor_Desc d = Small_Desc();
    TRule_Data data = Rule_Reset_Data(d);
    TXmlDocument doc;
    EXPECT_TRUE(Rule_Load(d, In_Temp(QStringLiteral("none.xml")), data, Behaviour, doc).isEmpty());
    EXPECT_EQ(data, Rule_Reset_Data(d));
}

TEST_F(RuleTableTest, SaveWritesRowsUpToTheFirstEmptyKeyAsTyped)
{
    const TRule_Editor_Desc d = Small_Desc();
    TRule_Data data = Rule_Reset_Data(d);
    data[0][0] = QStringList({"1", "N", " 5", "x&y", "note"});
    data[0][1] = QStringList({"2", "Y", "  ", "after", ""});
    data[0][2] = QStringList({"3", "Y", "7", "lost", ""});
    EXPECT_EQ(Save(d, data), QByteArray("<Small>\n  <Items>\n    <row Enable=\"N\" Key=\" 5\" Value=\"x&amp;y\" />\n"
                                        "  </Items>\n</Small>\n<!--SW_VERSION = 2.5-->\n"));
}

TEST_F(RuleTableTest, DeparturesAreSettings)
{
    TRule_Editor_Desc d = Small_Desc();
    TRule_Table_Desc &t = d.Tables[0];
    t.List = "";
    t.Row_Element = "Row";
    t.Key_Trimmed = false;
    d.Version.clear();
    TRule_Data data = Rule_Reset_Data(d);
    data[0][0][2] = QStringLiteral("a");
    data[0][1][2] = QStringLiteral(" ");   // only blanks: filled when untrimmed
    QByteArray saved = Save(d, data);
    EXPECT_EQ(saved, QByteArray("<Small>\n  <Row Enable=\"Y\" Key=\"a\" Value=\"\" />\n"
                                "  <Row Enable=\"Y\" Key=\" \" Value=\"\" />\n</Small>\n"));
    // Rows under the root read back.
    TRule_Data back = Rule_Reset_Data(d);
    EXPECT_TRUE(Load(d, saved, back).isEmpty());
    EXPECT_EQ(back, data);

    t.Save_All_Rows = true;
    t.Key_Trimmed = true;
    saved = Save(d, data);
    EXPECT_EQ(saved.count("<Row "), 4);
}

TEST_F(RuleTableTest, ValidationSkipsDisabledRulesAndEndsAtTheFirstEmptyKey)
{
    TRule_Editor_Desc d = Small_Desc();
    TRule_Data data = Rule_Reset_Data(d);
    data[0][0] = QStringList({"1", " Y ", "ok", "", ""});
    data[0][1] = QStringList({"2", "y", "bad", "", ""});
    data[0][2] = QStringList({"3", "Y", "", "", ""});
    data[0][3] = QStringList({"4", "Y", "bad", "", ""});
    EXPECT_TRUE(Rule_Validate(d, data, Behaviour).isEmpty());
    EXPECT_EQ(Behaviour.Checked, (std::vector<std::pair<int, int>>{{0, 1}}));

    d.Tables[0].Enable = TRule_Enable::Trimmed_Upper;   // "y" counts
    EXPECT_EQ(Rule_Validate(d, data, Behaviour), QStringLiteral("Error row 2!! [T] bad cell"));

    d.Tables[0].Enable = TRule_Enable::None;
    data[0][1][1] = QStringLiteral("N");
    EXPECT_EQ(Rule_Validate(d, data, Behaviour), QStringLiteral("Error row 2!! [T] bad cell"));

    d.Tables[0].Key_Col = -1;   // no key: every row
    data[0][1][2] = QStringLiteral("ok");
    EXPECT_EQ(Rule_Validate(d, data, Behaviour), QStringLiteral("Error row 4!! [T] bad cell"));
}

// A behaviour that counts rows across the table and adjusts rows read from the file.
class TTotal_Behaviour : public TRule_Behaviour
{
public:
    QString Check_Row(int, int, const QStringList &cells) override
    {
        if (++Count > 2) {
            Whole_Message = true;
            return QStringLiteral("Too many");
        }
        return cells.value(2) == QLatin1String("bad") ? QStringLiteral("!! bad") : QString();
    }
    void Row_From_File(int, int, const TXmlNode &element, QStringList &cells) override
    {
        if (element.HasAttribute(QStringLiteral("Old")))
            cells[3] = QStringLiteral("from old");
    }
    int Count = 0;
};

TEST_F(RuleTableTest, CheckKeysWholeMessagesRowFixUpsAndRunTimeRowCounts)
{
    TRule_Editor_Desc d = Small_Desc();
    TRule_Table_Desc &t = d.Tables[0];
    t.Enable = TRule_Enable::None;
    t.Check_Keys = {2, 3};   // the check goes on while Key or Value is there
    TRule_Data data = Rule_Reset_Data(d, {3});
    ASSERT_EQ(data[0].size(), 3u);
    data[0][0] = QStringList({"1", "", "k", "", ""});
    data[0][1] = QStringList({"2", "", "", "v", ""});
    data[0][2] = QStringList({"3", "", "bad", "", ""});
    TTotal_Behaviour behaviour;
    EXPECT_EQ(Rule_Validate(d, data, behaviour), QStringLiteral("Too many"));   // no row prefix
    behaviour.Count = -10;
    EXPECT_EQ(Rule_Validate(d, data, behaviour), QStringLiteral("Error row 3!! bad"));
    data[0][1][3].clear();   // both empty: the end
    behaviour.Count = -10;
    EXPECT_TRUE(Rule_Validate(d, data, behaviour).isEmpty());

    Write(File(), "<Small><Items><row Key=\"a\" Old=\"1\"/><row Key=\"b\"/></Items></Small>");
    TXmlDocument doc;
    data = Rule_Reset_Data(d, {1});
    EXPECT_TRUE(Rule_Load(d, File(), data, behaviour, doc).isEmpty());
    ASSERT_EQ(data[0].size(), 1u);
    EXPECT_EQ(data[0][0], QStringList({"1", "Y", "a", "from old", ""}));
}

} // namespace
