// The Modbus TCP master editor: the serial rules with the slave's IP address and port.
#include "app/lbbutton.h"
#include "editors/fieldbus/modbus_tcp_master_set_access.h"
#include "fieldbus_fixture.h"
#include "grid/string/dazcolumngrid.h"

#include <QTabWidget>

namespace {

// Valid rules, columns 1 on.
const QStringList Good_Read = {"Y", "192.168.1.125", "502", "1", "Holding Register", "0", "10", "1000", "3",
                               "0", "", "N", "N", "", "r"};
const QStringList Good_Write = {"Y", "192.168.1.125", "502", "1", "Coil Status", "0", "8", "1000", "N", "N",
                                "3", "0", "0", "N", "N", "w"};

class ModbusTCPTest : public FieldbusTest
{
protected:
    void SetUp() override
    {
        FieldbusTest::SetUp();
        Form = std::make_unique<TFModbus_TCP_Master_Set_Access>();
    }
    void TearDown() override
    {
        Form.reset();
        FieldbusTest::TearDown();
    }
    TDazColumnGrid *Read() const { return Form->ACG_Modbus_Read; }
    TDazColumnGrid *Write_Grid() const { return Form->ACG_Modbus_Write; }
    QString File_Text() const
    {
        return QString::fromUtf8(Read_Bytes(Path_ModbusTCPM_SetAccess)).remove(QLatin1Char('\r'));
    }

    std::unique_ptr<TFModbus_TCP_Master_Set_Access> Form;
};

TEST(CheckIPAddress, TakesFourPartsEachUpTo255)
{
    const struct
    {
        const char *text;
        bool invalid;
    } cases[] = {
        {"192.168.1.125", false}, {"192.168.1", true},       {"192.168.1.256", true},  {"192.168.1.125 ", true},
        {"1.2.3.4.5", true},      {" 192. 168. 1. 125", false}, {"$C0.168.1.$FF", false}, {"$100.1.1.1", true},
        {"", true},               {"0.0.0.0", false},        {"255.255.255.255", false}, {"1..2.3", true},
        {"a.b.c.d", true},        {"-1.0.0.0", true},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Check_IP_Address(QString::fromLatin1(c.text)), c.invalid) << c.text;
}

TEST_F(ModbusTCPTest, LayoutTextsAndHints)
{
    EXPECT_EQ(Form->objectName(), QStringLiteral("FModbus_TCP_Master_Set_Access"));
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Set Modbus TCP Master Access"));
    EXPECT_EQ(Form->size(), QSize(1150, 337));
    EXPECT_EQ(Read()->RowCount(), 513);
    EXPECT_EQ(Read()->AllColCount(), 16);
    EXPECT_EQ(Write_Grid()->AllColCount(), 17);
    const std::vector<int> read_widths = {40, 50, 101, 45, 55, 100, 55, 45, 60, 64, 60, 60, 40, 80, 120, 140};
    const std::vector<int> write_widths = {40, 50, 101, 45, 55, 100, 55, 45, 60, 66, 56, 62, 55, 55, 40, 80, 150};
    for (size_t c = 0; c < read_widths.size(); ++c)
        EXPECT_EQ(Read()->ColWidths(int(c)), read_widths[c]) << c;
    for (size_t c = 0; c < write_widths.size(); ++c)
        EXPECT_EQ(Write_Grid()->ColWidths(int(c)), write_widths[c]) << c;
    EXPECT_EQ(Read()->GetCellEx(2, 0), QStringLiteral("Slave IP Address"));
    EXPECT_EQ(Write_Grid()->GetCellEx(15, 0), QStringLiteral("Swap Word"));
    EXPECT_FALSE(Read()->ShowHint());
    EXPECT_FALSE(Write_Grid()->ShowHint());
    EXPECT_EQ(Form->Hint_Modbus_Set_Access_Read.size(), 15);
    EXPECT_EQ(Form->Hint_Modbus_Set_Access_Read[13], QStringLiteral("Select the Topic from the List"));
    EXPECT_EQ(Form->Hint_Modbus_Set_Access_Write.size(), 16);

    // Copy Row and Paste Row keep the layout's captions in every language.
    Lang_Text_List[3105] = QStringLiteral("Zeile einfügen");
    Lang_Text_List[3106] = QStringLiteral("Modbus lesen");
    Lang_Text_List[3167] = QStringLiteral("Kopiert alles");
    Form->Set_Lang();
    EXPECT_EQ(Form->Btn_InsRow->Caption(), QStringLiteral("Zeile einfügen"));
    EXPECT_EQ(Form->Btn_CopyRow->Caption(), QStringLiteral("Copy Row"));
    EXPECT_EQ(Form->Btn_PasteRow->Caption(), QStringLiteral("Paste Row"));
    EXPECT_EQ(Form->Btn_CopyRow->Hint(), QStringLiteral("Kopiert alles"));
    EXPECT_EQ(Form->PageControl1->tabText(0), QStringLiteral("Modbus lesen"));

    // A showing puts back the read hints less the Topic's.
    Form->FormShow();
    ASSERT_EQ(Form->Hint_Modbus_Set_Access_Read.size(), 14);
    EXPECT_EQ(Form->Hint_Modbus_Set_Access_Read[12], QStringLiteral("Enable or Disable the Swap Word of Data"));
    EXPECT_EQ(Form->Hint_Modbus_Set_Access_Read[13], QStringLiteral("Insert the Description of Modbus Rule"));
    EXPECT_TRUE(Read()->IsHiddenColumn(14));
    EXPECT_EQ(Read()->Columns().Items(10)->ComboItems().Count(), 1500);
    EXPECT_EQ(Write_Grid()->Columns().Items(12)->ComboItems().Count(), 1500);
}

TEST_F(ModbusTCPTest, EnterWalksOnlyTheWriteTableAndItsHintsGoByDisplayedColumn)
{
    Form->FormShow();
    Opt_Jump_Field_Tables = true;
    QChar key = QChar(13);
    Read()->FocusCell(2, 1, true);
    Read()->OnKeyPress(Read(), key);
    EXPECT_EQ(key, QChar(13));
    Write_Grid()->FocusCell(2, 1, true);
    Write_Grid()->OnKeyPress(Write_Grid(), key);
    EXPECT_EQ(key, QChar(0));
    EXPECT_EQ(Write_Grid()->Col(), 3);

    QString hint = QStringLiteral("own");
    Form->ACG_Modbus_WriteGridHint(Write_Grid(), 0, 16, hint);
    EXPECT_EQ(hint, QStringLiteral("Insert the Description of Modbus Rule"));
    hint = QStringLiteral("own");
    Read()->OnGridHint(Read(), 0, 2, hint);   // the read table has no hint handler
    EXPECT_EQ(hint, QStringLiteral("own"));
}

TEST_F(ModbusTCPTest, SavesTheListsWithIndexTopicMinusOne)
{
    Form->FormShow();
    Form->Btn_OKClick();
    EXPECT_EQ(File_Text(), QStringLiteral("<PROFINET_Master_to_Modbus_TCP_Master>\n  <Modbus_Read />\n  <Modbus_Write />\n"
                                          "</PROFINET_Master_to_Modbus_TCP_Master>\n<!--SW_VERSION = 1.005-->\n"));
    Form->setResult(0);
    Form->FormShow();
    Set(Read(), 1, Good_Read);
    Set(Read(), 2, {"N", "", "1", "1"});   // empty IP ends the table
    Set(Read(), 3, Good_Read);
    Set(Write_Grid(), 1, Good_Write);
    Form->Btn_OKClick();
    ASSERT_EQ(Form->result(), mrOk) << Guard.Fake.LastText().toStdString();
    EXPECT_EQ(File_Text(),
              QStringLiteral(
                  "<PROFINET_Master_to_Modbus_TCP_Master>\n"
                  "  <Modbus_Read>\n"
                  "    <row Enable=\"Y\" IP_Address=\"192.168.1.125\" Port=\"502\" Slave_ID=\"1\" Type=\"Holding Register\" "
                  "Address=\"0\" NPoint=\"10\" PollTime=\"1000\" MaxError=\"3\" Position=\"0\" Bit=\"\" Swap=\"N\" "
                  "SwapWord=\"N\" Index_Topic=\"-1\" Mnemonic=\"r\" />\n"
                  "  </Modbus_Read>\n"
                  "  <Modbus_Write>\n"
                  "    <row Enable=\"Y\" IP_Address=\"192.168.1.125\" Port=\"502\" Slave_ID=\"1\" Type=\"Coil Status\" "
                  "Address=\"0\" NPoint=\"8\" PollTime=\"1000\" OnChange=\"N\" OnCMD=\"N\" MaxError=\"3\" Position=\"0\" "
                  "Bit=\"0\" Swap=\"N\" SwapWord=\"N\" Mnemonic=\"w\" />\n"
                  "  </Modbus_Write>\n"
                  "</PROFINET_Master_to_Modbus_TCP_Master>\n"
                  "<!--SW_VERSION = 1.005-->\n"));
    Form->FormShow();
    EXPECT_EQ(Row(Read(), 1).mid(1), Good_Read);
    EXPECT_EQ(Row(Write_Grid(), 1).mid(1), Good_Write);
}

TEST_F(ModbusTCPTest, ChecksAddressPortAndTheModbusRulesWithTheirColumns)
{
    const struct
    {
        const char *name;
        int table;
        std::vector<std::pair<int, const char *>> set;
        const char *error;
    } cases[] = {
        {"good read", 0, {}, nullptr},
        {"good write", 1, {}, nullptr},
        {"three numbers", 0, {{2, "192.168.1"}},
         "Error row 1!! [Modbus Read] Slave IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
        {"last 256", 1, {{2, "192.168.1.256"}},
         "Error row 1!! [Modbus Write] Slave IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
        {"trailing blank", 0, {{2, "192.168.1.125 "}},
         "Error row 1!! [Modbus Read] Slave IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
        {"leading blanks", 0, {{2, " 192. 168.1.125"}}, nullptr},
        {"port 0", 0, {{3, "0"}}, nullptr},
        {"port 65535", 1, {{3, "65535"}}, nullptr},
        {"port 65536", 0, {{3, "65536"}}, "Error row 1!! [Modbus Read] Port must be between 0 and 65535"},
        {"write port", 1, {{3, ""}}, "Error row 1!! [Modbus Write] Port must be between 0 and 65535"},
        {"slave", 0, {{4, "248"}}, "Error row 1!! [Modbus Read] Slave ID must be between 1 and 247"},
        {"read type", 0, {{5, ""}},
         "Error row 1!! [Modbus Read] Type must be Coil Status or Input Status or Holding Register or Input Register"},
        {"registers 126", 0, {{7, "126"}}, "Error row 1!! [Modbus Read] NPoint must be between 1 and 125"},
        {"read poll 0", 0, {{8, "0"}}, "Error row 1!! [Modbus Read] Poll Time must be between 1 and 100000000"},
        {"write poll 0", 1, {{8, "0"}}, nullptr},
        {"read max error", 0, {{9, "x"}}, "Error row 1!! [Modbus Read] Max Error must be between 0 and 100000000"},
        {"coils 2000 at 1251", 0, {{5, "Coil Status"}, {7, "2000"}, {10, "1251"}, {11, "0"}},
         "Error row 1!! [Modbus Read] Too many bytes to save starting from the Position indicate"},
        {"coils 2000 at 1250", 0, {{5, "Coil Status"}, {7, "2000"}, {10, "1250"}, {11, "0"}}, nullptr},
        {"read bit", 0, {{5, "Input Status"}, {11, ""}}, "Error row 1!! [Modbus Read] Bit must be between 0 and 7"},
        {"write coils 1969", 1, {{7, "1969"}}, "Error row 1!! [Modbus Write] NPoint must be between 1 and 1968"},
        {"write max error", 1, {{11, "-1"}}, "Error row 1!! [Modbus Write] Max Error must be between 0 and 100000000"},
        {"write position", 1, {{12, "1500"}}, "Error row 1!! [Modbus Write] Position must be between 0 and 1499"},
        {"write bit", 1, {{13, ""}}, "Error row 1!! [Modbus Write] Bit must be between 0 and 7"},
        {"write bytes", 1, {{5, "Holding Register"}, {7, "2"}, {12, "1497"}},
         "Error row 1!! [Modbus Write] Too many bytes to read starting from the Position indicate"},
        {"disabled", 1, {{1, "N"}, {2, ""}}, nullptr},
    };
    for (const auto &c : cases) {
        Form->FormShow();
        Guard.Fake.Calls.clear();
        QStringList read = Good_Read, write = Good_Write;
        for (auto [col, text] : c.set)
            (c.table == 0 ? read : write)[col - 1] = QString::fromUtf8(text);
        Set(Read(), 1, read);
        Set(Write_Grid(), 1, write);
        EXPECT_EQ(Form->Controllo_dati(), c.error == nullptr) << c.name;
        EXPECT_EQ(Guard.Fake.LastText(), c.error ? QString::fromUtf8(c.error) : QString()) << c.name;
    }
}

} // namespace
