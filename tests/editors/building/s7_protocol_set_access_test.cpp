// The S7 rules: layout, file, checks and the table of PLC connections.
#include "app/lbbutton.h"
#include "building_fixture.h"
#include "editors/building/s7_protocol_set_access.h"
#include "grid/string/dazcolumngrid.h"

#include <QTabWidget>

namespace {

// A valid rule, columns 1 on.
QStringList Read_Rule(const QString &ip = "192.168.1.10", const QString &port = "102", const QString &enable = "Y")
{
    return {enable, ip, port, "S71200", "0", "1", "Word", "DB", "1", "Inputs (I)", "0", "0", "1000", "0", "0", "N", "N", "r"};
}
QStringList Write_Rule(const QString &ip = "192.168.1.10", const QString &port = "102")
{
    return {"Y", ip, port, "S7300", "0", "2", "Int", "DB", "2", "Output (Q)", "4", "0", "0", "Y", "N", "8", "0", "N", "N", "w"};
}

class S7Test : public BuildingTest
{
protected:
    using BuildingTest::Write;   // beside the write table's grid
    void SetUp() override
    {
        BuildingTest::SetUp();
        Form = std::make_unique<TFS7_Protocol_Set_Access>();
        Form->FormShow();
    }
    TDazColumnGrid *Read() const { return Form->ACG_S7_Read; }
    TDazColumnGrid *Write() const { return Form->ACG_S7_Write; }
    std::unique_ptr<TFS7_Protocol_Set_Access> Form;
};

} // namespace

TEST_F(S7Test, LayoutAndDeleteQuestion)
{
    EXPECT_EQ(Form->width(), 1350);
    EXPECT_EQ(Form->height(), 337);
    EXPECT_EQ(Form->windowTitle(), "S7comm Access");
    EXPECT_EQ(Form->PageControl1->tabText(0), "S7comm Read");
    EXPECT_EQ(Form->PageControl1->tabText(1), "S7comm Write");
    EXPECT_EQ(Read()->AllColCount(), 19);
    EXPECT_EQ(Write()->AllColCount(), 21);
    EXPECT_EQ(Read()->RowCount(), 513);
    EXPECT_EQ(Read()->GetCellEx(1, 512), "Y");
    EXPECT_EQ(Read()->Columns().Items(S7R_Position)->ComboItems().Count(), 1500);
    EXPECT_EQ(Write()->Columns().Items(S7W_Position)->ComboItems().Count(), 1500);
    EXPECT_EQ(Read()->Columns().Items(S7_PLC_Area)->ComboItems()[3], "Flags (M) (Merker)");
    EXPECT_EQ(Read()->Columns().Items(S7_PLC_Type)->ComboItems().Count(), 6);
    EXPECT_EQ(Form->Hint_S7_Set_Access_Write.size(), 20);
    EXPECT_EQ(Form->Btn_OK->Hint(), "Confirm and save the S7comm Set Access List");

    Form->PageControl1->setCurrentIndex(1);
    Write()->SetRow(4);
    Guard.Fake.Answers.push_back(TMsgResult::No);
    Form->Btn_DelRowClick();
    EXPECT_EQ(Guard.Fake.LastText(), "Are you sure to delete the Row number 4");
}

TEST_F(S7Test, RowChecks)
{
    struct Case
    {
        int table, col;
        QString value;
        int text;   // -1 passes
    };
    const Case cases[] = {
        {0, S7_PLC_Address, "192.168.1.300", 5971}, {0, S7_PLC_Address, "192.168.1", 5971},
        {1, S7_PLC_Address, "1.2.3", 5979},         {0, S7_PLC_Port, "65536", 5972},
        {0, S7_Rack, "4", 6021},                    {0, S7_Slot, "32", 6022},
        {1, S7_Rack, "", 6023},                     {0, S7_DB_Number, "65536", 6005},
        {0, S7_DB_Number, "65535", -1},             {0, S7_PLC_Add, "65536", 6007},
        {1, S7_PLC_Add, "65536", 6011},             {0, S7_PollTime, "0", 5976},
        {1, S7_PollTime, "0", -1},                  {0, S7R_Position, "1499", -1},
        {0, S7R_Bit, " ", 5978},                    {1, S7W_Bit, "", 5986},
        {0, S7_PLC_Type, " ", 5973},                {1, S7_Data_Identifier, "", 5983},
    };
    for (const Case &c : cases) {
        QStringList cells = QStringList{"1"} + (c.table ? Write_Rule() : Read_Rule());
        cells[c.col] = c.value;
        TS7_Connections connections;
        EXPECT_EQ(S7_Check_Row(c.table, cells, 1500, connections), c.text < 0 ? QString() : Lang_Text(c.text))
            << c.table << " " << c.col << " " << c.value.toStdString();
    }
    Set(Read(), 1, Read_Rule());
    Read()->SetCellEx(S7R_Position, 1, "1500");
    EXPECT_FALSE(Form->Controllo_dati());
    EXPECT_EQ(Guard.Fake.LastText(), "Error row 1!! [S7comm Read] Position must be between 0 and 1499");
}

TEST_F(S7Test, AtMostTenConnectionsOverBothTables)
{
    struct Case
    {
        int read_pairs, write_pairs;   // distinct address-and-port pairs in each table
        QString error;
    };
    const Case cases[] = {
        {10, 0, ""},
        {11, 0, "Error row 11!! [S7comm Read] Device support 10 connection"},
        {6, 4, ""},
        {6, 5, "Error row 5!! [S7comm Write] Device support 10 connection"},
    };
    for (const Case &c : cases) {
        Form->FormShow();
        for (int i = 0; i < c.read_pairs; ++i)
            Set(Read(), i + 1, Read_Rule(QStringLiteral("10.0.0.%1").arg(i + 1)));
        for (int i = 0; i < c.write_pairs; ++i)
            Set(Write(), i + 1, Write_Rule(QStringLiteral("10.0.1.%1").arg(i + 1)));
        Guard.Fake.Calls.clear();
        EXPECT_EQ(Form->Controllo_dati(), c.error.isEmpty());
        EXPECT_EQ(Guard.Fake.LastText(), c.error);
    }
    // Many rules on one pair take one entry; another port is another connection; disabled rows
    // and rows below the first blank address take none.
    Form->FormShow();
    for (int r = 1; r <= 20; ++r)
        Set(Read(), r, Read_Rule("10.0.0.1"));
    for (int i = 0; i < 8; ++i)
        Set(Write(), i + 1, Write_Rule("10.0.0.1", QString::number(1000 + i)));
    Set(Write(), 9, Write_Rule("10.0.0.9"));
    Write()->SetCellEx(S7_Enable, 9, "N");
    Set(Write(), 10, Write_Rule("10.0.0.2"));
    Set(Write(), 12, Write_Rule("10.0.0.3"));
    EXPECT_TRUE(Form->Controllo_dati()) << Guard.Fake.LastText().toStdString();
    EXPECT_EQ(Form->Connections.array_ip_Port[9].Port, 102);
    EXPECT_EQ(Form->Connections.array_ip_Port[9].IP4, 2);
    EXPECT_EQ(Form->Check_IP_Port(10, 0, 0, 3, 102), -1);
    EXPECT_EQ(Form->Check_IP_Port(10, 0, 0, 1, 1007), 8);
}

TEST_F(S7Test, FileRoundTripAndDefaults)
{
    Write(Path_S7_Protocol,
          "<Z><S7_Protocol_Read><row PLC_Address=\"10.0.0.1\" PLC_Port=\"102\" PLC_Type=\"S7300\" Data_Type=\"Word\" "
          "Data_Identifier=\"DB\" DB_Number=\"1\" PLC_Area=\"Inputs (I)\" PLC_Add=\"0\" PLC_Bit=\"0\" PollTime=\"100\" "
          "Position=\"0\" Bit=\"0\" Swap=\"N\" SwapWord=\"N\" Mnemonic=\"a\"/></S7_Protocol_Read>"
          "<S7_Protocol_Write/></Z>");
    Form->FormShow();
    EXPECT_TRUE(Guard.Fake.Calls.empty()) << Guard.Fake.LastText().toStdString();
    EXPECT_EQ(Row(Read(), 1), QStringList({"1", "Y", "10.0.0.1", "102", "S7300", "0", "0", "Word", "DB", "1",
                                           "Inputs (I)", "0", "0", "100", "0", "0", "N", "N", "a"}));
    Set(Write(), 1, Write_Rule());
    Write()->SetCellEx(S7_Enable, 1, "N");
    Write()->SetCellEx(S7_PLC_Port, 1, "bad");
    Form->Btn_OKClick();
    ASSERT_EQ(Form->result(), mrOk) << Guard.Fake.LastText().toStdString();
    const QString text = QString::fromUtf8(Read_Bytes(Path_S7_Protocol)).remove('\r');
    EXPECT_TRUE(text.startsWith("<S7_Protocol>\n  <S7_Protocol_Read>\n    <row Enable=\"Y\" PLC_Address=\"10.0.0.1\" "
                                "PLC_Port=\"102\" PLC_Type=\"S7300\" Rack=\"0\" Slot=\"0\" Data_Type=\"Word\" "))
        << text.toStdString();
    EXPECT_TRUE(text.contains("<row Enable=\"N\" PLC_Address=\"192.168.1.10\" PLC_Port=\"bad\" PLC_Type=\"S7300\" "
                              "Rack=\"0\" Slot=\"2\" Data_Type=\"Int\" Data_Identifier=\"DB\" DB_Number=\"2\" "
                              "PLC_Area=\"Output (Q)\" PLC_Add=\"4\" PLC_Bit=\"0\" PollTime=\"0\" OnChange=\"Y\" "
                              "OnCMD=\"N\" Position=\"8\" Bit=\"0\" Swap=\"N\" SwapWord=\"N\" Mnemonic=\"w\" />"));
    EXPECT_TRUE(text.endsWith("</S7_Protocol>\n<!--SW_VERSION = 1.000-->\n"));

    // A required attribute missing stops the reading.
    Write(Path_S7_Protocol, "<Z><S7_Protocol_Read><row PLC_Address=\"10.0.0.1\"/></S7_Protocol_Read></Z>");
    Form->FormShow();
    EXPECT_TRUE(Guard.Fake.LastText().contains("PLC_Port"));
}
