// The SNMP agent objects: layout, object numbers, checks and file.
#include "app/lbbutton.h"
#include "building_fixture.h"
#include "editors/building/snmp_trap_access.h"
#include "grid/string/dazcolumngrid.h"

#include <QTabWidget>

namespace {

// Valid objects, columns 1 on.
QStringList Read_Obj(const QString &description, const QString &enable = "Y")
{
    return {enable, "public", "Int", "N", "N", "N", "", "0", "0", "16", description, "192.168.1.10", "None", "m"};
}
QStringList Write_Obj(const QString &description, const QString &enable = "Y")
{
    return {enable, "public", "String", "4", "0", "16", description, "None", "w"};
}

class SNMPTrapTest : public BuildingTest
{
protected:
    using BuildingTest::Write;   // beside the write table's grid
    void SetUp() override
    {
        BuildingTest::SetUp();
        Form = std::make_unique<TFSNMP_Trap_Access>();
        Form->FormShow();
    }
    TDazColumnGrid *Read() const { return Form->ACG_SNMP_Read; }
    TDazColumnGrid *Write() const { return Form->ACG_SNMP_Write; }
    QStringList Column0(TDazColumnGrid *grid, int rows) const
    {
        QStringList out;
        for (int r = 1; r <= rows; ++r)
            out << grid->GetCellEx(0, r);
        return out;
    }
    std::unique_ptr<TFSNMP_Trap_Access> Form;
};

} // namespace

TEST_F(SNMPTrapTest, LayoutAndTexts)
{
    EXPECT_EQ(Form->size(), QSize(1256, 337));
    EXPECT_EQ(Form->windowTitle(), "Set SNMP Trap Access");
    EXPECT_EQ(Form->PageControl1->tabText(0), "SNMP Read");
    EXPECT_EQ(Form->PageControl1->tabText(1), "SNMP Write");
    EXPECT_EQ(Read()->AllColCount(), 15);
    EXPECT_EQ(Write()->AllColCount(), 10);
    EXPECT_EQ(Read()->RowCount(), 257);
    EXPECT_EQ(Read()->Columns().Items(SNR_Position)->ComboItems().Count(), 1440);
    EXPECT_EQ(Write()->Columns().Items(SNW_Position)->ComboItems()[1439], "1439");
    EXPECT_EQ(Read()->Columns().Items(SNR_Conversion)->ComboItems().Count(), 11);
    EXPECT_EQ(Read()->Columns().Items(SNR_Description)->EditLength(), 15);
    EXPECT_EQ(Read()->Columns().Items(SNR_Conversion)->Header(), "Conversion");
    EXPECT_EQ(Form->Hint_SNMP_Read.size(), 14);
    EXPECT_EQ(Form->Hint_SNMP_Write[7], "Select the Data Conversion from Int to Float");
    EXPECT_EQ(Form->Btn_DelRow->Hint(), "Delete the selected Row in the table");
    // A fresh table: every row enabled and numbered.
    EXPECT_EQ(Read()->GetCellEx(0, 256), "256");
    EXPECT_EQ(Read()->GetCellEx(1, 256), "Y");
}

TEST_F(SNMPTrapTest, ColumnZeroNumbersTheEnabledObjects)
{
    Set(Read(), 1, Read_Obj("a"));
    Set(Read(), 2, Read_Obj("b", "N"));
    Set(Read(), 3, Read_Obj("c", "y"));
    Set(Read(), 4, Read_Obj("d", " Y"));   // untrimmed: not enabled
    Read()->OnCheckBoxClick(Read(), 1, 2, false);
    EXPECT_EQ(Column0(Read(), 6), QStringList({"1", "", "2", "", "3", "4"}));

    // Disabling a row in the middle renumbers the rows below.
    Read()->SetCellEx(1, 1, "N");
    Read()->OnCheckBoxClick(Read(), 1, 1, false);
    EXPECT_EQ(Column0(Read(), 4), QStringList({"", "", "1", ""}));
    // A click in another check-box column leaves the numbers.
    Read()->SetCellEx(1, 1, "Y");
    Read()->OnCheckBoxClick(Read(), SNR_OnChange, 1, true);
    EXPECT_EQ(Read()->GetCellEx(0, 1), "");

    // The row buttons renumber too.
    Read()->SetRow(1);
    Form->Btn_InsRowClick();
    EXPECT_EQ(Column0(Read(), 5), QStringList({"1", "2", "", "3", ""}));
    Guard.Fake.Answers.push_back(TMsgResult::Yes);
    Form->Btn_DelRowClick();
    EXPECT_EQ(Guard.Fake.LastText(), "Are you sure to delete the Row number 1");
    EXPECT_EQ(Column0(Read(), 4), QStringList({"1", "", "2", ""}));
    Read()->SetRow(2);
    Form->Btn_CopyRowClick();
    Read()->SetRow(5);
    Form->Btn_PasteRowClick();
    EXPECT_EQ(Column0(Read(), 6), QStringList({"1", "", "2", "", "", "3"}));
}

TEST_F(SNMPTrapTest, ObjectChecks)
{
    struct Case
    {
        int table;
        int col;
        QString value;
        int text;   // -1 passes
    };
    const Case cases[] = {
        {0, SNR_Community, "pub lic", 6276},
        {1, SNW_Community, "pub-lic", 6278},
        {0, SNR_Type, " ", 6261},
        {0, SNR_Description, "Abc", 6277},
        {0, SNR_Description, "1abc", 6277},
        {1, SNW_Description, "Abc", 6279},
        {0, SNR_Description, "ab1C", -1},
        {0, SNR_Description, "", -1},
        {0, SNR_IP_Address, "192.168.1.300", 6268},
        {0, SNR_Position, " ", 6263},
        {1, SNW_Bit, "", 6271},
        {0, SNR_Conversion, "", 6285},
        {1, SNW_Conversion, " ", 6286},
    };
    for (const Case &c : cases) {
        QStringList cells = QStringList{"1"} + (c.table ? Write_Obj("x") : Read_Obj("x"));
        cells[c.col] = c.value;
        EXPECT_EQ(SNMP_Trap_Check_Row(c.table, cells), c.text < 0 ? QString() : Lang_Text(c.text))
            << c.table << " " << c.col << " " << c.value.toStdString();
    }
    // Type and size: String from Start Bit 0 and 1..16 bytes, Int 1..64 bits from any bit.
    struct Size { const char *type, *bit, *count; int read_text; };
    const Size sizes[] = {{"String", "3", "4", 6265}, {"Int", "3", "64", -1}, {"int", "0", "65", 6266},
                          {"String", "0", "16", -1},  {"String", "0", "17", 6267}, {"Int", "0", "", 6266}};
    for (const Size &s : sizes) {
        QStringList cells = QStringList{"1"} + Read_Obj("x");
        cells[SNR_Type] = s.type;
        cells[SNR_Bit] = s.bit;
        cells[SNR_NumBits] = s.count;
        EXPECT_EQ(SNMP_Trap_Check_Row(0, cells), s.read_text < 0 ? QString() : Lang_Text(s.read_text)) << s.type;
    }
    // The timer needs a time only when on.
    QStringList timer = QStringList{"1"} + Read_Obj("x");
    EXPECT_EQ(SNMP_Trap_Check_Row(0, timer), "");
    timer[SNR_OnTimer] = "Y";
    timer[SNR_Time] = "0";
    EXPECT_EQ(SNMP_Trap_Check_Row(0, timer), Lang_Text(6262));
    timer[SNR_Time] = "1000000000";
    EXPECT_EQ(SNMP_Trap_Check_Row(0, timer), "");
}

TEST_F(SNMPTrapTest, DescriptionsAreUniqueOverBothTables)
{
    struct Case { QString read1, read2, write1; bool read2_enabled; QString error; };
    const Case cases[] = {
        {"temp", "hum", "temp", true, "Error!! The Descriptions must be all differents"},
        {"temp", "hum", "tEMP", true, ""},
        {"", "", "set", true, "Error!! The Descriptions must be all differents"},
        {"", "", "set", false, ""},
        {"temp", "temp", "set", false, ""},
    };
    for (const Case &c : cases) {
        Form->FormShow();
        Set(Read(), 1, Read_Obj(c.read1));
        Set(Read(), 2, Read_Obj(c.read2, c.read2_enabled ? "Y" : "N"));
        Set(Write(), 1, Write_Obj(c.write1));
        Guard.Fake.Calls.clear();
        EXPECT_EQ(Form->Controllo_dati(), c.error.isEmpty()) << c.read1.toStdString();
        EXPECT_EQ(Guard.Fake.LastText(), c.error);
    }
    // A Community Name of blanks only ends the table.
    Form->FormShow();
    Set(Read(), 1, Read_Obj("a"));
    Set(Read(), 2, QStringList{"Y", "   "});
    Set(Read(), 3, Read_Obj("a"));
    EXPECT_TRUE(Form->Controllo_dati());
    // A row copied in one table is refused in the other.
    Read()->SetRow(1);
    Form->Btn_CopyRowClick();
    Form->PageControl1->setCurrentIndex(1);
    Form->Btn_PasteRowClick();
    EXPECT_EQ(Guard.Fake.LastText(), "Error!!! Copy a valid row before Paste it");
}

TEST_F(SNMPTrapTest, FileLayoutDefaultsAndLimits)
{
    QString xml = "<X><SNMP_Trap_Read><row Community_Name=\"public\" Type=\"Int\" Description=\"a\"/>";
    for (int i = 0; i < 300; ++i)
        xml += "<row Enable=\"N\" Community_Name=\"c\"/>";
    xml += "</SNMP_Trap_Read></X>";
    Write(Path_SNMP_Trap, xml.toUtf8());
    Form->FormShow();
    EXPECT_TRUE(Guard.Fake.Calls.empty()) << Guard.Fake.LastText().toStdString();
    EXPECT_EQ(Row(Read(), 1), QStringList({"1", "Y", "public", "Int", "N", "N", "N", "", "", "", "", "a", "", "None", ""}));
    EXPECT_EQ(Read()->GetCellEx(2, 256), "c");   // surplus rows ignored, the missing write list empty
    EXPECT_EQ(Write()->GetCellEx(2, 1), "");

    QFile::remove(Path_SNMP_Trap);
    Form->FormShow();
    Set(Read(), 1, Read_Obj("a"));
    Set(Write(), 1, Write_Obj("b", "N"));
    Form->Btn_OKClick();
    ASSERT_EQ(Form->result(), mrOk) << Guard.Fake.LastText().toStdString();
    const QString text = QString::fromUtf8(Read_Bytes(Path_SNMP_Trap)).remove('\r');
    EXPECT_EQ(text, "<SNMP_Trap>\n  <SNMP_Trap_Read>\n    <row Enable=\"Y\" Community_Name=\"public\" Type=\"Int\" "
                    "On_Change=\"N\" On_Command=\"N\" On_Timer=\"N\" Time=\"\" Position=\"0\" Bit=\"0\" NumBits=\"16\" "
                    "Description=\"a\" IP_Address=\"192.168.1.10\" Conversion=\"None\" Mnemonic=\"m\" />\n"
                    "  </SNMP_Trap_Read>\n  <SNMP_Trap_Write>\n    <row Enable=\"N\" Community_Name=\"public\" "
                    "Type=\"String\" Position=\"4\" Bit=\"0\" NumBits=\"16\" Description=\"b\" Conversion=\"None\" "
                    "Mnemonic=\"w\" />\n  </SNMP_Trap_Write>\n</SNMP_Trap>\n<!--SW_VERSION = 1.000-->\n");
}
