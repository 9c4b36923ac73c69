// The BACnet EDE writer: the file against a golden file, object numbering, names, settings.
#include "building_fixture.h"
#include "editors/building/bacnet_ede_file.h"

#include <QRegularExpression>

namespace {

QString Slave_Row(const QString &type, const QString &unit, const QString &mnemonic)
{
    return QStringLiteral("<row Data_Type=\"%1\" Eng_Unit=\"%2\" Position=\"0\" Bit=\"\" Length=\"4\" Swap=\"N\" "
                          "Mnemonic=\"%3\"/>")
        .arg(type, unit, mnemonic);
}

class EDEWriterTest : public BuildingTest
{
protected:
    void SetUp() override
    {
        BuildingTest::SetUp();
        Set_EDE_Clock([] { return QDateTime(QDate(2026, 3, 7), QTime(9, 5, 3)); });
    }
    void TearDown() override
    {
        Set_EDE_Clock({});
        BuildingTest::TearDown();
    }
    void Write_Slave(const QString &read_rows, const QString &write_rows)
    {
        Write(Path_BACnet_Slave_SetAccess,
              ("<BACnet_to_Modbus><BACnet_in_Read>" + read_rows + "</BACnet_in_Read><BACnet_in_Write>" + write_rows
               + "</BACnet_in_Write></BACnet_to_Modbus><!--SW_VERSION = 1.000-->")
                  .toUtf8());
    }
    // The written file's lines (its last CR LF taken off).
    QStringList Run()
    {
        const QString out = Project_Path + "/out.csv";
        Create_EDE_File(out);
        const QByteArray bytes = Read_Bytes(out);
        EXPECT_TRUE(bytes.endsWith("\r\n"));
        QStringList lines = QString::fromLatin1(bytes).split("\r\n");
        lines.removeLast();
        return lines;
    }
};

} // namespace

TEST(EDEWriter, ObjectTypeCodes)
{
    const std::pair<const char *, int> cases[] = {
        {"Analog Input", 0},  {" analog out ", 1},        {"Binary Value", 5},      {"Multi State Value", 19},
        {"Access Door", 30},  {"Large Analog Value", 46}, {"Positive Integer Value", 48},
        {"Integer Value", 45}, {"DateTime Value", 44},    {"", 0},                  {"Analog", 0}};
    for (const auto &[type, code] : cases)
        EXPECT_EQ(BACnet_Object_Type_Code(type), code) << type;
    EXPECT_EQ(Time_Stamp_Text(QDateTime(QDate(2025, 12, 1), QTime(23, 0, 9))), "23:00:09 01/12/2025");
}

// Also the fixture the EDE import reads back.
TEST_F(EDEWriterTest, FileMatchesTheGoldenFile)
{
    Write_ParGen({{"BACnet_Type", "0"}, {"BACnet_DEV_IDE", "1234"}, {"BACnet_Ser_DEV_IDE", "77"}});
    Write_Slave(Slave_Row("Analog Value", "62", "Room temperature") + Slave_Row("Analog Input", "98", "Humidity")
                    + Slave_Row("Analog Value", "95", "Set point") + Slave_Row("Binary Input", "95", "Alarm")
                    + Slave_Row("Multi State Value", "95", "Mode"),
                Slave_Row("Analog Value", "62", "Heating set point") + Slave_Row("Multi State Value", "95", "Fan"));
    const QString out = Project_Path + "/out.csv";
    Create_EDE_File(out);
    EXPECT_TRUE(Guard.Fake.Calls.empty()) << Guard.Fake.LastText().toStdString();
    EXPECT_EQ(Read_Bytes(out), Read_Bytes(Building_Data("ede_gateway.csv")));
}

TEST_F(EDEWriterTest, ObjectsAreNumberedPerTypeOverBothLists)
{
    Write_ParGen({{"BACnet_DEV_IDE", "9"}});
    Write_Slave(Slave_Row("Analog Value", "1", "a") + Slave_Row("Analog Input", "1", "b")
                    + Slave_Row("Analog Value", "1", "c"),
                Slave_Row("Analog Value", "1", "d") + Slave_Row("Multi State Value", "1", "e"));
    const QStringList lines = Run();
    ASSERT_EQ(lines.size(), 12);
    EXPECT_EQ(lines.mid(7), QStringList({"9_a_0;9;a;2;0;a;1;", "9_b_0;9;b;0;0;b;1;", "9_c_1;9;c;2;1;c;1;",
                                         "9_d_2;9;d;2;2;d;1;", "9_e_0;9;e;19;0;e;1;"}));
}

TEST_F(EDEWriterTest, NamesAndDeviceInstanceFollowParGen)
{
    const QString forty = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd";
    Write_Slave(Slave_Row("Analog Input", "1", forty), "");
    struct Case
    {
        bool parGen;
        std::vector<std::pair<QString, QString>> keys;
        QString device;
        int name_length;
    };
    const Case cases[] = {
        {false, {}, "", 16},
        {true, {{"BACnet_Desc_Chars_Limit", "1"}, {"BACnet_DEV_IDE", "5"}}, "5", 32},
        {true, {{"BACnet_Desc_Chars_Limit", "01"}, {"BACnet_DEV_IDE", "5"}}, "5", 16},
        {true, {{"BACnet_Type", "1"}, {"BACnet_DEV_IDE", "5"}, {"BACnet_Ser_DEV_IDE", "6"}}, "6", 16},
        {true, {{"BACnet_Type", "x"}, {"BACnet_DEV_IDE", "5"}, {"BACnet_Ser_DEV_IDE", "6"}}, "5", 16},
        {true, {{"BACnet_Type", "1"}, {"BACnet_DEV_IDE", "5"}}, "", 16},
    };
    for (const Case &c : cases) {
        if (c.parGen)
            Write_ParGen(c.keys);
        const QStringList lines = Run();
        ASSERT_EQ(lines.size(), 8);
        const QString name = forty.left(c.name_length);
        EXPECT_EQ(lines[7], QStringList({c.device + "_" + forty + "_0", c.device, name, "0", "0", name, "1", ""})
                                .join(';'));
    }
}

TEST_F(EDEWriterTest, HeaderLinesAndMissingFiles)
{
    Project_Name = "Plant A";
    const QStringList header = {
        "PROJECT_NAME; Qelvar--Plant A;;;;;;",
        "VERSION_OF_REFERENCEFILE;1.0;;;;;;",
        "TIMESTAMP_OF_LAST_CHANGE;09:05:03 07/03/2026;;;;;;",
        "AUTHOR_OF_LAST_CHANGE;Qelvar;;;;;;",
        "VERSION_OF_LAYOUT;2;;;;;;",
        "# mandatory;mandatory;mandatory;mandatory;mandatory;optional;optional;",
        "# keyname;device obj.-instance;object-name;object-type;object-instance;description;unit-code;"};
    EXPECT_EQ(Run(), header);   // no slave file

    // A root without one of the lists counts it as empty.
    Write(Path_BACnet_Slave_SetAccess, "<R><BACnet_in_Write>" + Slave_Row("Binary Out", "3", "w").toUtf8()
                                           + "</BACnet_in_Write></R>");
    EXPECT_EQ(Run(), header + QStringList{"_w_0;;w;4;0;w;3;"});
}

TEST_F(EDEWriterTest, RowWithoutARequiredAttributeWritesNothing)
{
    const QString out = Project_Path + "/out.csv";
    Write(out, "old");
    for (const char *missing : {"Data_Type", "Eng_Unit", "Mnemonic"}) {
        QString row = Slave_Row("Analog Input", "1", "m");
        row.replace(QRegularExpression(QStringLiteral(" %1=\"[^\"]*\"").arg(missing)), "");
        Write_Slave(Slave_Row("Analog Input", "1", "ok"), row);
        Guard.Fake.Calls.clear();
        Create_EDE_File(out);
        ASSERT_EQ(Guard.Fake.Calls.size(), 1u) << missing;
        EXPECT_EQ(Guard.Fake.Calls[0].kind, TMsgKind::Error);
        EXPECT_TRUE(Guard.Fake.LastText().contains(missing)) << Guard.Fake.LastText().toStdString();
        EXPECT_EQ(Read_Bytes(out), "old");
    }
    // A damaged slave file too.
    Write(Path_BACnet_Slave_SetAccess, "<R><BACnet_in_Read>");
    Create_EDE_File(out);
    EXPECT_EQ(Read_Bytes(out), "old");
}

// A ";" or a line break in a Mnemonic would add fields or split the object's line.
TEST_F(EDEWriterTest, SeparatorsInAMnemonicStayInsideTheirField)
{
    Write_ParGen({{"BACnet_DEV_IDE", "1"}});
    Write_Slave(Slave_Row("Analog Input", "1", "a;b&#13;&#10;c&#10;d"), "");
    const QStringList lines = Run();
    ASSERT_EQ(lines.size(), 8);
    EXPECT_EQ(lines[7], "1_a,b c d_0;1;a,b c d;0;0;a,b c d;1;");
    EXPECT_EQ(lines[7].count(';'), 7);
}

// The same for the device instance of ParGen.xml and the unit of a row.
TEST_F(EDEWriterTest, SeparatorsInTheDeviceInstanceAndUnitStayInsideTheirField)
{
    Write_ParGen({{"BACnet_DEV_IDE", "1;2"}});
    Write_Slave(Slave_Row("Analog Input", "6;2", "m"), "");
    const QStringList lines = Run();
    ASSERT_EQ(lines.size(), 8);
    EXPECT_EQ(lines[7], "1,2_m_0;1,2;m;0;0;m;6,2;");
}
