#include "gateway/lorawan_rules.h"
#include "gateway_fixture.h"

#include "platform/rtl.h"
#include "platform/xml.h"

namespace {

class LoRaWANRulesTest : public GatewayTest
{
protected:
    // Uplink cells 1..9 and downlink cells 1..5 of a row.
    static void Set(QStringList &row, const QStringList &cells)
    {
        for (qsizetype c = 0; c < cells.size(); ++c)
            row[c + 1] = cells[c];
    }
    void Write_Rules(const QString &uplink, const QString &downlink)
    {
        Write(Path_LoRaWAN_SetAccess, (QStringLiteral("<LoRaWAN_Set_Access><LoRaWAN_Uplink>") + uplink
                                       + QStringLiteral("</LoRaWAN_Uplink><LoRaWAN_Downlink>") + downlink
                                       + QStringLiteral("</LoRaWAN_Downlink></LoRaWAN_Set_Access>"))
                                          .toUtf8());
    }
};

TEST_F(LoRaWANRulesTest, SettingsFromParGen)
{
    EXPECT_EQ(LoRaWAN_Grid_Rows(true), 257);
    EXPECT_EQ(LoRaWAN_Grid_Rows(false), 224);
    TLoRaWAN_Settings s = Read_LoRaWAN_Settings(Path_ParGen);
    EXPECT_EQ(s.MaxPayloadSize, 0);
    EXPECT_TRUE(s.FPortFixed);

    Write(Path_ParGen, "<Par_Gen><LoRa_Payload_Size>51</LoRa_Payload_Size><LoRa_FPort> variable </LoRa_FPort></Par_Gen>");
    s = Read_LoRaWAN_Settings(Path_ParGen);
    EXPECT_EQ(s.MaxPayloadSize, 51);
    EXPECT_FALSE(s.FPortFixed);

    Write(Path_ParGen, "<Par_Gen><LoRa_Payload_Size>lots</LoRa_Payload_Size><LoRa_FPort>Fixed</LoRa_FPort></Par_Gen>");
    s = Read_LoRaWAN_Settings(Path_ParGen);
    EXPECT_EQ(s.MaxPayloadSize, 0);
    EXPECT_TRUE(s.FPortFixed);

    Write(Path_ParGen, "<Par_Gen><LoRa_Payload_Size>");
    EXPECT_THROW(Read_LoRaWAN_Settings(Path_ParGen), EXmlError);
}

TEST_F(LoRaWANRulesTest, WritesRowsUpToTheFirstEmptyStartByteInAttributeOrder)
{
    TLoRaWAN_Rules rules = TLoRaWAN_Rules::Blank(257);
    ASSERT_EQ(rules.Uplink.size(), 256u);
    EXPECT_EQ(rules.Uplink[3], (QStringList{"3", "Y", "", "", "", "", "", "", "", ""}));
    EXPECT_EQ(rules.Downlink[0], (QStringList{"0", "Y", "", "", "", ""}));
    Set(rules.Uplink[0], {"Y", "0", "10", "Y", "N", "N", "", "", "Temp & more"});
    Set(rules.Uplink[1], {"N", " 5000", "1", "N", "N", "N", "", "7", ""});
    Set(rules.Uplink[3], {"Y", "40", "2", "N", "N", "N", "", "", "lost: after an empty Start Byte"});
    Set(rules.Downlink[0], {"Y", "0", "8", "", "Set"});
    rules.Save(Path_LoRaWAN_SetAccess);

    EXPECT_EQ(QString::fromUtf8(Read_Bytes(Path_LoRaWAN_SetAccess)).remove(QLatin1Char('\r')),
              QStringLiteral(
                  "<LoRaWAN_Set_Access>\n"
                  "  <LoRaWAN_Uplink>\n"
                  "    <row Enable=\"Y\" StartByte=\"0\" NumByte=\"10\" OnChange=\"Y\" OnCMD=\"N\" OnTimer=\"N\" "
                  "Time=\"\" FPort=\"\" Mnemonic=\"Temp &amp; more\" />\n"
                  "    <row Enable=\"N\" StartByte=\" 5000\" NumByte=\"1\" OnChange=\"N\" OnCMD=\"N\" OnTimer=\"N\" "
                  "Time=\"\" FPort=\"7\" Mnemonic=\"\" />\n"
                  "  </LoRaWAN_Uplink>\n"
                  "  <LoRaWAN_Downlink>\n"
                  "    <row Enable=\"Y\" StartByte=\"0\" NumByte=\"8\" FPort=\"\" Mnemonic=\"Set\" />\n"
                  "  </LoRaWAN_Downlink>\n"
                  "</LoRaWAN_Set_Access>\n"
                  "<!--SW_VERSION = 1.000-->\n"));

    const TLoRaWAN_Rules back = TLoRaWAN_Rules::Load(Path_LoRaWAN_SetAccess, 257);
    for (size_t i : {0u, 1u, 2u})
        EXPECT_EQ(back.Uplink[i], rules.Uplink[i]) << i;
    EXPECT_EQ(back.Uplink[3], TLoRaWAN_Rules::Blank_Row(LU_Col_Count, 3));
    EXPECT_EQ(back.Downlink[0], rules.Downlink[0]);
}

TEST_F(LoRaWANRulesTest, LoadDefaultsAndFaults)
{
    Write_Rules("<row StartByte=\"1\"/><other Enable=\"N\" OnTimer=\"Y\" Time=\"60\"/>", "<row NumByte=\"4\"/>");
    TLoRaWAN_Rules r = TLoRaWAN_Rules::Load(Path_LoRaWAN_SetAccess, 224);
    ASSERT_EQ(r.Uplink.size(), 223u);
    EXPECT_EQ(r.Uplink[0], (QStringList{"0", "Y", "1", "", "N", "N", "N", "", "", ""}));
    EXPECT_EQ(r.Uplink[1], (QStringList{"1", "N", "", "", "N", "N", "Y", "60", "", ""}));
    EXPECT_EQ(r.Downlink[0], (QStringList{"0", "Y", "", "4", "", ""}));

    QFile::remove(Path_LoRaWAN_SetAccess);
    r = TLoRaWAN_Rules::Load(Path_LoRaWAN_SetAccess, 257);
    EXPECT_EQ(r.Uplink.size(), 256u);
    EXPECT_EQ(r.Uplink[255], TLoRaWAN_Rules::Blank_Row(LU_Col_Count, 255));

    for (const char *text : {"<LoRaWAN_Set_Access><LoRaWAN_Uplink/></LoRaWAN_Set_Access>",
                             "<LoRaWAN_Set_Access><LoRaWAN_Downlink/></LoRaWAN_Set_Access>", "<LoRaWAN_Set_Access>",
                             ""}) {
        Write(Path_LoRaWAN_SetAccess, text);
        EXPECT_THROW(TLoRaWAN_Rules::Load(Path_LoRaWAN_SetAccess, 257), EXmlError) << text;
    }
}

// A file written with fixed ports (256 rules) read with variable ports (223 grid rules)
// keeps every rule, and saving writes them all again.
TEST_F(LoRaWANRulesTest, MoreRulesThanGridRowsAreKept)
{
    QString uplink;
    for (int i = 0; i < 256; ++i)
        uplink += QStringLiteral("<row StartByte=\"%1\" NumByte=\"1\" Mnemonic=\"r%1\"/>").arg(i);
    Write_Rules(uplink, QString());
    const TLoRaWAN_Rules r = TLoRaWAN_Rules::Load(Path_LoRaWAN_SetAccess, LoRaWAN_Grid_Rows(false));
    ASSERT_EQ(r.Uplink.size(), 256u);
    EXPECT_EQ(r.Downlink.size(), 223u);
    EXPECT_EQ(r.Uplink[255][LU_N], QStringLiteral("255"));
    EXPECT_EQ(r.Uplink[255][LU_Mnemonic], QStringLiteral("r255"));
    r.Save(Path_LoRaWAN_SetAccess);

    TXmlDocument doc;
    doc.LoadFromFile(Path_LoRaWAN_SetAccess);
    EXPECT_EQ(doc.DocumentElement().Child(QStringLiteral("LoRaWAN_Uplink")).ChildCount(), 256);
}

TEST_F(LoRaWANRulesTest, CheckMessages)
{
    struct Case
    {
        QStringList uplink;     // cells 1..9 of uplink row 1
        QStringList downlink;   // cells 1..5 of downlink row 1
        int payload;
        bool fixed;
        const char *error;
    };
    const QStringList ok_up = {"Y", "0", "49", "N", "N", "N", "", "", ""};
    const QStringList ok_down = {"Y", "0", "49", "", ""};
    const Case cases[] = {
        {ok_up, ok_down, 51, true, ""},
        {{"Y", "0", "50", "N", "N", "N", "", "", ""}, ok_down, 51, true,
         "Error row 1!! [LoraWAN Uplink] Number Byte must be between 0 and 49"},
        {{"N", "5000", "", "", "", "", "", "", ""}, ok_down, 51, true, ""},
        {{"Y", "5000", "1", "N", "N", "N", "", "", ""}, ok_down, 51, true,
         "Error row 1!! [LoraWAN Uplink] Start Byte must be between 0 and 1536"},
        {{" Y ", "-1", "1", "", "", "", "", "", ""}, ok_down, 51, true,
         "Error row 1!! [LoraWAN Uplink] Start Byte must be between 0 and 1536"},
        {{"y", "5000", "1", "", "", "", "", "", ""}, ok_down, 51, true, ""},
        {{"Y", "0", "1", "N", "N", " Y", "29", "", ""}, ok_down, 51, true,
         "Error row 1!! [LoraWAN Uplink] Time (s) must be between 30 and 86400"},
        {{"Y", "0", "1", "N", "N", "Y", "86400", "", ""}, ok_down, 51, true, ""},
        {{"Y", "0", "1", "N", "N", "Y", "86401", "", ""}, ok_down, 51, true,
         "Error row 1!! [LoraWAN Uplink] Time (s) must be between 30 and 86400"},
        {{"Y", "0", "1", "N", "N", "N", "", "", ""}, ok_down, 51, false,
         "Error row 1!! [LoraWAN Uplink] FPort must be between 1 and 223"},
        {{"Y", "0", "1", "N", "N", "N", "", "223", ""}, {"Y", "0", "1", "0", ""}, 51, false,
         "Error row 1!! [LoraWAN Downlink] FPort must be between 1 and 223"},
        {ok_up, {"Y", "1537", "1", "", ""}, 51, true,
         "Error row 1!! [LoraWAN Downlink] Start Byte must be between 0 and 1536"},
        {ok_up, {"Y", "0", "50", "", ""}, 51, true,
         "Error row 1!! [LoraWAN Downlink] Number Byte must be between 0 and 49"},
        {{"Y", "0", "0", "N", "N", "N", "", "", ""}, ok_down, 0, true,
         "Error row 1!! [LoraWAN Uplink] Number Byte must be between 0 and -2"},
    };
    for (const Case &c : cases) {
        TLoRaWAN_Rules r = TLoRaWAN_Rules::Blank(LoRaWAN_Grid_Rows(c.fixed));
        Set(r.Uplink[0], c.uplink);
        Set(r.Downlink[0], c.downlink);
        EXPECT_EQ(r.Check(c.payload, c.fixed), QLatin1String(c.error)) << c.error;
    }

    // Rows after the first empty Start Byte are not checked; the row number is the grid row.
    TLoRaWAN_Rules r = TLoRaWAN_Rules::Blank(257);
    Set(r.Uplink[0], ok_up);
    Set(r.Uplink[1], ok_up);
    Set(r.Uplink[2], {"Y", "0", "99", "N", "N", "N", "", "", ""});
    EXPECT_EQ(r.Check(51, true), QStringLiteral("Error row 3!! [LoraWAN Uplink] Number Byte must be between 0 and 49"));
    r.Uplink[1][LU_StartByte] = QStringLiteral("  ");
    EXPECT_EQ(r.Check(51, true), QString());
}

TEST_F(LoRaWANRulesTest, UnsavedRulesAfterAnEmptyStartByteAreNamed)
{
    const QStringList rule = {"Y", "0", "10", "N", "N", "N", "", "", "Temp"};
    struct Case
    {
        int row;           // uplink row index that gets cells, or -1 for none
        QStringList cells;
        const char *error;
    };
    const Case cases[] = {
        {-1, {}, ""},
        // Cells a cleared or loaded row shows are no data.
        {3, {"N", "", "", "N", "N", "N", "  ", "", ""}, ""},
        {1, {"Y", "", "4", "", "", "", "", "", ""},
         "Error row 2!! [LoraWAN Uplink] Start Byte is empty: this rule and the rules after it would not be saved"},
        {1, {"Y", "", "", "", "", "Y", "", "", ""},
         "Error row 2!! [LoraWAN Uplink] Start Byte is empty: this rule and the rules after it would not be saved"},
        {5, {"N", "", "", "", "", "", "", "", "note"},
         "Error row 2!! [LoraWAN Uplink] The row is empty and row 6 after it holds a rule: the rules after an empty "
         "row would not be saved. Delete the empty row"},
        {5, rule,
         "Error row 2!! [LoraWAN Uplink] The row is empty and row 6 after it holds a rule: the rules after an empty "
         "row would not be saved. Delete the empty row"},
    };
    for (const Case &c : cases) {
        TLoRaWAN_Rules r = TLoRaWAN_Rules::Blank(257);
        Set(r.Uplink[0], rule);
        if (c.row >= 0)
            Set(r.Uplink[size_t(c.row)], c.cells);
        EXPECT_EQ(r.Check_Unsaved(), QLatin1String(c.error)) << c.error;
    }
    // The downlink table the same way, with its own columns.
    TLoRaWAN_Rules r = TLoRaWAN_Rules::Blank(224);
    Set(r.Downlink[1], {"Y", "3", "1", "9", ""});
    EXPECT_EQ(r.Check_Unsaved(),
              QStringLiteral("Error row 1!! [LoraWAN Downlink] The row is empty and row 2 after it holds a rule: the "
                             "rules after an empty row would not be saved. Delete the empty row"));
    r.Downlink[0] = r.Downlink[1];
    r.Downlink[1] = TLoRaWAN_Rules::Blank_Row(LD_Col_Count, 1);
    EXPECT_EQ(r.Check_Unsaved(), QString());
}

} // namespace
