#include "gateway/eds_reader.h"
#include "gateway/ethernetip_rules.h"
#include "gateway_fixture.h"

#include "platform/rtl.h"
#include "platform/xml.h"

namespace {

// A valid enabled row r: cells 1..19.
QStringList Good_Row(int r)
{
    return {IntToStr(r), "Y", "10.0.0.1", "0", "8", "0", "4", "100", "1", "100", "1", "101", "Default", "Default",
            "N", "", "N", "", "N", "M"};
}

class EtherNetIPRulesTest : public GatewayTest
{
protected:
    void Write_Rows(const QString &rows)
    {
        Write(Path_EtherNetIP_Master_Rules,
              (QStringLiteral("<EtherNetIP_Master_Access>") + rows + QStringLiteral("</EtherNetIP_Master_Access>"))
                  .toUtf8());
    }
    static std::unique_ptr<TTargetConfig> Sample_Config(const char *name)
    {
        auto tc = std::make_unique<TTargetConfig>();
        tc->FileName = QStringLiteral("/eds/") + QLatin1String(name);
        tc->Size = QStringLiteral("4");
        tc->Format = QStringLiteral("Assem100");
        tc->AO_Name = QStringLiteral("Config");
        tc->AO_SizeBit = QStringLiteral(" 32");
        TTC_ParamObj p;
        p.BitSize = QStringLiteral("8");
        p.ParamName = QStringLiteral("Param1");
        p.Name = QStringLiteral("Mode \"A\"");
        p.DataSizeByte = 1;
        p.DataType = 198;
        p.Min = -5;
        p.Max = 4294967296;
        p.Default = 1;
        p.Value = 2;
        p.Enum = true;
        p.ListEnum = {{1, QStringLiteral("On")}, {2, QStringLiteral("Auto")}};
        p.EnumString = {QStringLiteral("On"), QStringLiteral("Auto")};
        tc->ListParamObject.push_back(p);
        p.Enum = false;
        p.ListEnum.clear();
        p.EnumString.clear();
        tc->ListParamObject.push_back(p);
        return tc;
    }
};

TEST_F(EtherNetIPRulesTest, SaveAndLoadRowsWithTargetConfigurations)
{
    TEtherNetIP_Rules rules;
    ASSERT_EQ(rules.Rows.size(), 10u);
    EXPECT_EQ(rules.Rows[9], TEtherNetIP_Rules::Blank_Row(10));
    EXPECT_EQ(rules.Rows[9].mid(0, 3), (QStringList{"10", "Y", ""}));
    rules.Rows[0] = Good_Row(1);
    rules.Rows[0][EC_Mnemonic] = QStringLiteral(" spaced <&> ");
    rules.Rows[1] = Good_Row(2);
    rules.ArrTargetConf[1] = Sample_Config("b.eds");
    rules.Save(Path_EtherNetIP_Master_Rules);

    const QString text = QString::fromUtf8(Read_Bytes(Path_EtherNetIP_Master_Rules));
    EXPECT_TRUE(text.startsWith(QStringLiteral(
        "<EtherNetIP_Master_Access>\n  <row Enable=\"Y\" IP_Address=\"10.0.0.1\" Start_Input=\"0\" Num_Input=\"8\" "
        "Start_Output=\"0\" Num_Output=\"4\" Time_Poll=\"100\" Instance_T_O=\"1\" Connection_Point_T_O=\"100\" "
        "Instance_O_T=\"1\" Connection_Point_O_T=\"101\" Dim_Header_T_O=\"Default\" Dim_Header_O_T=\"Default\" "
        "EnableElectronicKey=\"N\" ElectronicKey=\"\" EnableDataSegment=\"N\" DataSegment=\"\" ResetData=\"N\" "
        "Mnemonic=\" spaced &lt;&amp;> \" />\n")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral(
        "<TargetCong FileName=\"/eds/b.eds\" Size=\"4\" Format=\"Assem100\" AO_Name=\"Config\" AO_SizeBit=\" 32\">\n"
        "      <ParamObjects>\n"
        "        <ParamObject BitSize=\"8\" ParamName=\"Param1\" Name=\"Mode &quot;A&quot;\" DataSizeByte=\"1\" "
        "DataType=\"198\" Min=\"-5\" Max=\"4294967296\" Default=\"1\" Value=\"2\" Enum=\"1\">\n"
        "          <EnumList>\n"
        "            <Enum Value=\"1\" Description=\"On\" />\n")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Enum=\"0\">\n          <EnumList />")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("</EtherNetIP_Master_Access>\n<!--SW_VERSION = 1.000-->\n")));

    const TEtherNetIP_Rules back = TEtherNetIP_Rules::Load(Path_EtherNetIP_Master_Rules);
    EXPECT_TRUE(back.Warnings.isEmpty());
    EXPECT_EQ(back.Rows, rules.Rows);
    EXPECT_FALSE(back.ArrTargetConf[0]);
    ASSERT_TRUE(back.ArrTargetConf[1]);
    const TTargetConfig &tc = *back.ArrTargetConf[1];
    EXPECT_EQ(tc.AO_SizeBit, QStringLiteral(" 32"));
    ASSERT_EQ(tc.ListParamObject.size(), 2u);
    EXPECT_EQ(tc.ListParamObject[0].Max, 4294967296);
    EXPECT_EQ(tc.ListParamObject[0].EnumString, (QStringList{"On", "Auto"}));
    EXPECT_EQ(tc.ListParamObject[0].GetEnumString(), QStringLiteral("Auto"));
    EXPECT_FALSE(tc.ListParamObject[1].Enum);
    EXPECT_EQ(tc.GetConfigStrData(), QStringLiteral("0x02,0x02,0x00,0x00"));

    // An empty table: the root without rows, and the comment.
    TEtherNetIP_Rules().Save(Path_EtherNetIP_Master_Rules);
    EXPECT_EQ(QString::fromUtf8(Read_Bytes(Path_EtherNetIP_Master_Rules)),
              QStringLiteral("<EtherNetIP_Master_Access />\n<!--SW_VERSION = 1.000-->\n"));
}

TEST_F(EtherNetIPRulesTest, MissingAttributesTakeTheColumnDefaults)
{
    Write_Rows("<row IP_Address=\"1.2.3.4\"/><anything Enable=\"Y\" Mnemonic=\"m\"/>");
    const TEtherNetIP_Rules r = TEtherNetIP_Rules::Load(Path_EtherNetIP_Master_Rules);
    EXPECT_EQ(r.Rows[0], (QStringList{"1", "N", "1.2.3.4", "", "", "", "", "", "", "", "", "", "Default", "Default",
                                      "N", "", "N", "", "N", ""}));
    EXPECT_EQ(r.Rows[1][EC_Enable], QStringLiteral("Y"));
    EXPECT_EQ(r.Rows[1][EC_Mnemonic], QStringLiteral("m"));
    EXPECT_EQ(r.Rows[2], TEtherNetIP_Rules::Blank_Row(3));

    QFile::remove(Path_EtherNetIP_Master_Rules);
    EXPECT_EQ(TEtherNetIP_Rules::Load(Path_EtherNetIP_Master_Rules).Rows, TEtherNetIP_Rules().Rows);
    Write(Path_EtherNetIP_Master_Rules, "<EtherNetIP_Master_Access><row>");
    EXPECT_THROW(TEtherNetIP_Rules::Load(Path_EtherNetIP_Master_Rules), EXmlError);
}

// A damaged TargetCong costs only its own row's configuration, with one warning each.
TEST_F(EtherNetIPRulesTest, DamagedTargetConfigurationsAreDroppedAndLoadingGoesOn)
{
    const QString good = QStringLiteral(
        "<TargetCong FileName=\"f\" Size=\"1\" Format=\"A\" AO_Name=\"n\" AO_SizeBit=\"8\"><ParamObjects>"
        "<ParamObject BitSize=\"8\" ParamName=\"P\" Name=\"N\" DataSizeByte=\"1\" DataType=\"198\" Min=\"0\" "
        "Max=\"9\" Default=\"1\" Value=\"3\" Enum=\"yes\"><EnumList/></ParamObject></ParamObjects></TargetCong>");
    const char *damaged[] = {
        "<TargetCong FileName=\"f\" Format=\"A\" AO_Name=\"n\" AO_SizeBit=\"8\"/>",
        "<TargetCong FileName=\"f\" Size=\"1\" Format=\"A\" AO_Name=\"n\" AO_SizeBit=\"8\"><ParamObjects>"
        "<ParamObject BitSize=\"8\" ParamName=\"P\" Name=\"N\" DataSizeByte=\"one\" DataType=\"1\" Min=\"0\" "
        "Max=\"9\" Default=\"1\" Value=\"3\" Enum=\"0\"/></ParamObjects></TargetCong>",
        "<TargetCong FileName=\"f\" Size=\"1\" Format=\"A\" AO_Name=\"n\" AO_SizeBit=\"8\"><ParamObjects>"
        "<ParamObject BitSize=\"8\" ParamName=\"P\" Name=\"N\" DataSizeByte=\"1\" DataType=\"1\" Min=\"0\" "
        "Max=\"9\" Default=\"1\" Value=\"3\" Enum=\"1\"><EnumList><Enum Value=\"x\" Description=\"d\"/></EnumList>"
        "</ParamObject></ParamObjects></TargetCong>",
    };
    QString rows;
    for (const char *d : damaged)
        rows += QStringLiteral("<row Enable=\"Y\" IP_Address=\"1.1.1.1\">") + QLatin1String(d) + QStringLiteral("</row>");
    rows += QStringLiteral("<row Enable=\"Y\" IP_Address=\"2.2.2.2\">") + good + QStringLiteral("</row>");
    Write_Rows(rows);

    const TEtherNetIP_Rules r = TEtherNetIP_Rules::Load(Path_EtherNetIP_Master_Rules);
    ASSERT_EQ(r.Warnings.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(r.ArrTargetConf[size_t(i)]) << i;
        EXPECT_TRUE(r.Warnings[i].startsWith(QStringLiteral("Row %1: ").arg(i + 1))) << r.Warnings[i].toStdString();
    }
    EXPECT_EQ(r.Rows[3][EC_IP_Address], QStringLiteral("2.2.2.2"));
    ASSERT_TRUE(r.ArrTargetConf[3]);
    EXPECT_EQ(r.ArrTargetConf[3]->ListParamObject.at(0).Value, 3);
    EXPECT_FALSE(r.ArrTargetConf[3]->ListParamObject.at(0).Enum);   // only "1" is true
}

TEST_F(EtherNetIPRulesTest, RowsPastTheTenthAreNotLoaded)
{
    QString rows;
    for (int i = 1; i <= 12; ++i)
        rows += QStringLiteral("<row Enable=\"N\" IP_Address=\"10.0.0.%1\"/>").arg(i);
    Write_Rows(rows);
    const TEtherNetIP_Rules r = TEtherNetIP_Rules::Load(Path_EtherNetIP_Master_Rules);
    EXPECT_EQ(r.Rows.size(), 10u);
    EXPECT_EQ(r.Rows[9][EC_IP_Address], QStringLiteral("10.0.0.10"));
    EXPECT_EQ(r.Warnings, QStringList{"The file holds 12 connections; only the first 10 were loaded."});
}

TEST_F(EtherNetIPRulesTest, WriterStopsOnlyAtAnEnabledRowWithoutAddress)
{
    TEtherNetIP_Rules rules;
    rules.Rows[0] = Good_Row(1);
    rules.Rows[1] = Good_Row(2);
    rules.Rows[1][EC_Enable] = QStringLiteral("N");
    rules.Rows[1][EC_IP_Address] = QStringLiteral("  ");
    rules.Rows[2] = Good_Row(3);
    rules.Rows[3][EC_Enable] = QStringLiteral("y");   // enabled, no address: the end
    rules.Rows[4] = Good_Row(5);
    EXPECT_EQ(rules.Check(), QString());
    rules.Save(Path_EtherNetIP_Master_Rules);
    const TEtherNetIP_Rules back = TEtherNetIP_Rules::Load(Path_EtherNetIP_Master_Rules);
    for (int r : {0, 1, 2})
        EXPECT_EQ(back.Rows[size_t(r)], rules.Rows[size_t(r)]) << r;
    EXPECT_EQ(back.Rows[3], TEtherNetIP_Rules::Blank_Row(4));
    EXPECT_EQ(back.Rows[4], TEtherNetIP_Rules::Blank_Row(5));
}

TEST_F(EtherNetIPRulesTest, CheckMessages)
{
    struct Case
    {
        int col;
        const char *text;
        const char *error;   // after "Error row 2"; empty when the row passes
    };
    const Case cases[] = {
        {EC_IP_Address, "10.0.0", "!! IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
        {EC_IP_Address, "10.0.0.256", "!! IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
        {EC_Start_Input, "0x10", ""},
        {EC_Start_Input, "$10", ""},
        {EC_Start_Input, " 5", ""},
        {EC_Start_Input, "5 ", "!! Start Input must be major or equal to 0"},
        {EC_Start_Input, "65536", "!! Start Input must be major or equal to 0"},
        {EC_Num_Input, "-1", "!! Num Input must be major or equal to 0"},
        {EC_Start_Output, "", "!! Start Output must be major or equal to 0"},
        {EC_Num_Output, "x", "!! Num Output must be major or equal to 0"},
        {EC_Time_Poll, "0", "!! Poll Time must be between 1 and 100000000"},
        {EC_Time_Poll, "100000000", ""},
        {EC_Time_Poll, "1e3", "!! Poll Time must be between 1 and 100000000"},
        {EC_Instance_T_O, "65536", "!! Instance T > O must be between 0 and 65535. Default Value 1"},
        {EC_Connection_Point_T_O, "", "!! Connection Point T > O must be between 0 and 65535. Default Value 100"},
        {EC_Instance_O_T, "-2", "!! Instance O > T must be between 0 and 65535. Default Value 1"},
        {EC_Connection_Point_O_T, "1.0", "!! Connection Point O > T must be between 0 and 65535. Default Value 101"},
        {EC_Dim_Header_T_O, " default ", ""},
        {EC_Dim_Header_T_O, "7", ""},
        {EC_Dim_Header_T_O, "8", "!! Dimension Header T > O must be between 0 and 7. Default Value 0"},
        {EC_Dim_Header_O_T, "", "!! Dimension Header O > T must be between 0 and 7. Default Value 4"},
        {EC_EnableElectronicKey, "y", "!! Eletronic Key must contain 8 bytes"},   // enabled, empty (4171)
        {EC_EnableDataSegment, "Y", "!! Data Segment must contain at least one byte"},
    };
    for (const Case &c : cases) {
        TEtherNetIP_Rules rules;
        rules.Rows[0] = Good_Row(1);
        rules.Rows[1] = Good_Row(2);
        rules.Rows[1][c.col] = QLatin1String(c.text);
        const QString expected = *c.error ? QStringLiteral("Error row 2") + QLatin1String(c.error) : QString();
        EXPECT_EQ(rules.Check(), expected) << c.col << " " << c.text;
    }

    // Enabled key or data segment lists of row 1.
    struct List_Case
    {
        int enable, list;
        const char *text;
        const char *error;
    };
    const char *const wrong_key = "!! Eletronic Key one or more bytes are wrong. Bytes must have a value between 0 and 255";
    const char *const wrong_data = "!! Data Segment one or more bytes are wrong. Bytes must have a value between 0 and 255";
    const List_Case lists[] = {
        {EC_EnableElectronicKey, EC_ElectronicKey, "0x01, 0x00, 0x0C, 0x00, 0x22, 0x00, 0x81, 0x01", ""},
        {EC_EnableElectronicKey, EC_ElectronicKey, " 1,2,3,4,5,6,7,8, ", ""},
        {EC_EnableElectronicKey, EC_ElectronicKey, "1,2,3,4,5,6,7,8,9", "!! Eletronic Key must contain 8 bytes"},
        {EC_EnableElectronicKey, EC_ElectronicKey, "1,2,3,4,5,6,7,256", wrong_key},
        {EC_EnableElectronicKey, EC_ElectronicKey, "1,,3,4,5,6,7,8", wrong_key},
        {EC_EnableDataSegment, EC_DataSegment, "0xE8,0x03,0x07,0x00", ""},
        {EC_EnableDataSegment, EC_DataSegment, "1,,2", wrong_data},
        {EC_EnableDataSegment, EC_DataSegment, ",1", wrong_data},
    };
    for (const List_Case &c : lists) {
        TEtherNetIP_Rules rules;
        rules.Rows[0] = Good_Row(1);
        rules.Rows[0][c.enable] = QStringLiteral("Y");
        rules.Rows[0][c.list] = QLatin1String(c.text);
        EXPECT_EQ(rules.Check(), *c.error ? QStringLiteral("Error row 1") + QLatin1String(c.error) : QString()) << c.text;
    }
    QStringList bytes510;
    for (int i = 0; i < 510; ++i)
        bytes510 << QStringLiteral("0x%1").arg(i % 256, 2, 16, QLatin1Char('0'));
    const QString seg510 = bytes510.join(QLatin1Char(','));
    const QString seg511 = seg510 + QStringLiteral(",7");
    EXPECT_EQ(CheckBytesDataSegment(seg510), -1);
    EXPECT_EQ(CheckBytesDataSegment(seg511), 2);
    EXPECT_EQ(CheckBytesElectronicKey(QString()), 2);
    EXPECT_EQ(Err_Check_Data_Path(QStringLiteral("20,04,FF"), 3), 0);
    EXPECT_EQ(Err_Check_Data_Path(QStringLiteral("20,04"), 3), 2);
    EXPECT_EQ(Err_Check_Data_Path(QStringLiteral("20,100"), 1), 1);
    EXPECT_EQ(Err_Check_Data_Path(QStringLiteral("0x20"), 1), 1);
}

TEST_F(EtherNetIPRulesTest, RowsSkippedOrEndingTheCheckAndTheByteTotals)
{
    TEtherNetIP_Rules rules;
    rules.Rows[0] = Good_Row(1);
    rules.Rows[0][EC_Num_Input] = QStringLiteral("1438");
    rules.Rows[0][EC_Num_Output] = QStringLiteral("1438");
    rules.Rows[1] = Good_Row(2);
    rules.Rows[1][EC_Num_Input] = QStringLiteral("0");
    rules.Rows[1][EC_Num_Output] = QStringLiteral("0");
    rules.Rows[2] = Good_Row(3);
    rules.Rows[2][EC_Enable] = QStringLiteral("N");   // neither checked nor counted
    rules.Rows[2][EC_Time_Poll] = QStringLiteral("0");
    rules.Rows[2][EC_Num_Input] = QStringLiteral("9");
    EXPECT_EQ(rules.Check(), QString());

    rules.Rows[1][EC_Num_Input] = QStringLiteral("1");
    EXPECT_EQ(rules.Check(), QStringLiteral("Error!! The Total Number of Input Bytes must be between 0 and 1438"));
    rules.Rows[1][EC_Num_Input] = QStringLiteral("0");
    rules.Rows[1][EC_Num_Output] = QStringLiteral("1");
    EXPECT_EQ(rules.Check(), QStringLiteral("Error!! The Total Number of Output Bytes must be between 0 and 1438"));

    // An enabled row without an address ends the check: the rows below are not counted.
    rules.Rows[1][EC_IP_Address] = QStringLiteral(" ");
    rules.Rows[3] = Good_Row(4);
    rules.Rows[3][EC_Time_Poll] = QStringLiteral("0");
    EXPECT_EQ(rules.Check(), QString());
}

TEST_F(EtherNetIPRulesTest, ElectronicKeyText)
{
    EXPECT_EQ(Electronic_Key_Text(1, 12, 34, 1, 1), QStringLiteral("0x01, 0x00, 0x0C, 0x00, 0x22, 0x00, 0x81, 0x01"));
    EXPECT_EQ(Electronic_Key_Text(0x1234, 0xABCD, 0xFFFF, 200, 255),
              QStringLiteral("0x34, 0x12, 0xCD, 0xAB, 0xFF, 0xFF, 0x148, 0xFF"));
}

TEST_F(EtherNetIPRulesTest, ImportFromEds)
{
    TEDS_Reader eds;
    eds.EDS_FileName = Gateway_Data(QStringLiteral("eds/ioblock.eds"));
    eds.Read_EDS();
    ASSERT_EQ(eds.List_Conn.size(), 2u);

    TEtherNetIP_Rules rules;
    rules.Rows[0] = Good_Row(1);
    rules.Rows[1][EC_Instance_T_O] = QStringLiteral("5");
    ASSERT_EQ(rules.First_Free_Row(), 3);
    rules.Rows[2][EC_ElectronicKey] = QStringLiteral("old");
    rules.Rows[2][EC_Mnemonic] = QStringLiteral("kept");
    rules.Import_Connection(3, eds, 0);
    EXPECT_EQ(rules.Rows[2], (QStringList{"3", "Y", "", "", "", "", "", "", "110", "100", "120", "101", "1", "2", "",
                                          "0x55, 0x01, 0x0C, 0x00, 0x07, 0x00, 0x82, 0x03", "",
                                          "0x01,0x02,0x03,0x10,0xFF", "", "kept"}));
    ASSERT_TRUE(rules.ArrTargetConf[2]);
    EXPECT_EQ(rules.ArrTargetConf[2]->FileName, eds.EDS_FileName);
    EXPECT_EQ(rules.ArrTargetConf[2]->Size, QStringLiteral("5"));
    EXPECT_EQ(rules.ArrTargetConf[2]->ListParamObject.size(), 4u);
    EXPECT_EQ(rules.First_Free_Row(), 4);

    // The second connection's configuration names Assem1, not the earlier Assem100.
    rules.Import_Connection(3, eds, 1);
    EXPECT_EQ(rules.Rows[2][EC_DataSegment], QStringLiteral("0x02,0x03"));
    EXPECT_EQ(rules.ArrTargetConf[2]->AO_Name, QStringLiteral("Small"));

    // Without identity the key stays; without a configuration the data segment empties.
    eds.EDS_FileName = Gateway_Data(QStringLiteral("eds/drive_a.eds"));
    eds.Read_EDS();
    eds.VendCode = eds.ProdType = eds.ProdCode = 0;
    eds.MajRev = eds.MinRev = 0;
    rules.Import_Connection(3, eds, 0);
    EXPECT_EQ(rules.Rows[2][EC_ElectronicKey], QStringLiteral("0x55, 0x01, 0x0C, 0x00, 0x07, 0x00, 0x82, 0x03"));
    EXPECT_EQ(rules.Rows[2][EC_DataSegment], QString());
    EXPECT_FALSE(rules.ArrTargetConf[2]);

    // A configuration that cannot be decoded: the cells are set, the row has none.
    TEDS_Reader bad;
    bad.EDS_FileName = In_Temp(QStringLiteral("bad.eds"));
    Write(bad.EDS_FileName, "[Params]\nParam1 = 0,,,0,0xC6,1,\"Short\";\n[Assembly]\nAssem9 = \"A\",,8,,,,8,Param1;\n"
                            "[Connection Manager]\nConnection1 = 0,0x44640405,,,,,,,,,1,Assem9,\"B\",\"\",\"20 04 24 07 2C 08 2C 09\";\n");
    bad.Read_EDS();
    ASSERT_EQ(bad.List_Conn.size(), 1u);
    rules.ArrTargetConf[2] = std::make_unique<TTargetConfig>();
    rules.Rows[2][EC_DataSegment] = QStringLiteral("0x01");
    EXPECT_THROW(rules.Import_Connection(3, bad, 0), ETargetConfigError);
    EXPECT_EQ(rules.Rows[2][EC_Instance_T_O], QStringLiteral("7"));
    EXPECT_EQ(rules.Rows[2][EC_DataSegment], QString());
    EXPECT_FALSE(rules.ArrTargetConf[2]);
    EXPECT_THROW(rules.Import_Connection(11, bad, 0), std::out_of_range);
}

TEST_F(EtherNetIPRulesTest, ConfigurationsMoveWithTheirRows)
{
    TEtherNetIP_Rules rules;
    for (int r = 3; r <= 10; ++r)
        rules.ArrTargetConf[size_t(r - 1)] = Sample_Config(QByteArray::number(r).constData());
    const auto names = [&rules] {
        QStringList out;
        for (const auto &tc : rules.ArrTargetConf)
            out << (tc ? tc->FileName.mid(5) : QStringLiteral("-"));
        return out.join(QLatin1Char(' '));
    };
    rules.Delete_Config(3);
    EXPECT_EQ(names(), QStringLiteral("- - 4 5 6 7 8 9 10 -"));
    rules.Insert_Config(2);
    EXPECT_EQ(names(), QStringLiteral("- - - 4 5 6 7 8 9 10"));
    rules.Insert_Config(10);
    EXPECT_EQ(names(), QStringLiteral("- - - 4 5 6 7 8 9 -"));
    rules.Delete_Config(10);
    rules.Delete_Config(0);
    rules.Insert_Config(11);
    EXPECT_EQ(names(), QStringLiteral("- - - 4 5 6 7 8 9 -"));
}

} // namespace

namespace {

TEST_F(EtherNetIPRulesTest, UnsavedDataCountsOnlyFromTheStoppingRowOn)
{
    // Cells a cleared or loaded row shows are no data; anything else in a row is.
    struct Case
    {
        int col;
        const char *text;
        bool data;
    };
    const Case cases[] = {
        {EC_Enable, "N", false},          {EC_Dim_Header_T_O, "Default", false}, {EC_Dim_Header_O_T, " default ", false},
        {EC_ResetData, "N", false},       {EC_Mnemonic, "  ", false},            {EC_Mnemonic, "Valve", true},
        {EC_Dim_Header_O_T, "4", true},   {EC_ResetData, "y", true},             {EC_EnableDataSegment, "Y", true},
        {EC_Instance_T_O, "1", true},     {EC_DataSegment, "0x01", true},        {EC_Time_Poll, "10", true},
    };
    for (const Case &c : cases) {
        TEtherNetIP_Rules rules;
        rules.Rows[4][size_t(c.col)] = QLatin1String(c.text);
        EXPECT_EQ(rules.Row_Holds_Data(4), c.data) << c.col << " " << c.text;
        EXPECT_EQ(rules.Check_Unsaved().isEmpty(), !c.data) << c.col << " " << c.text;
        if (c.data) {
            EXPECT_TRUE(rules.Check_Unsaved().startsWith(QLatin1String("Error row 1!!"))) << c.col;
        }
    }
    // A configuration alone is data; rows before the stopping row are saved and do not count.
    TEtherNetIP_Rules rules;
    rules.ArrTargetConf[9] = std::make_unique<TTargetConfig>();
    EXPECT_TRUE(rules.Check_Unsaved().startsWith(QLatin1String("Error row 1!!")));
    rules.Rows[0][EC_IP_Address] = QStringLiteral("10.0.0.1");
    rules.Rows[0][EC_Mnemonic] = QStringLiteral("kept");
    rules.ArrTargetConf[9].reset();
    EXPECT_EQ(rules.Check_Unsaved(), QString());
}

} // namespace
