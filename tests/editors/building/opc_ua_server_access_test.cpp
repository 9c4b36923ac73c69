// The OPC UA server variables: table set-up, type lengths, check boxes, file and checks.
#include "app/lbbutton.h"
#include "building_fixture.h"
#include "editors/building/opc_ua_server_access.h"
#include "grid/base/cellproperties.h"
#include "grid/string/dazcolumngrid.h"

#include <QImage>

namespace {

class OPCServerTest : public BuildingTest
{
protected:
    void SetUp() override
    {
        BuildingTest::SetUp();
        Form = std::make_unique<TFOPC_UA_Server_Access>();
        Form->FormShow();
    }
    TDazColumnGrid *RUD() const { return Form->RUD; }
    bool Checked(int row) const
    {
        bool state = false;
        EXPECT_TRUE(RUD()->GetCheckBoxState(OS_Enable, row, state)) << row;
        return state;
    }
    void Choose(int row, const QString &type)
    {
        RUD()->SetCellEx(OS_Type, row, type);
        Form->ComboChange(RUD(), OS_Type, row, int(Form->VarType.indexOf(type)));
    }
    std::unique_ptr<TFOPC_UA_Server_Access> Form;
};

} // namespace

TEST_F(OPCServerTest, TableSetUp)
{
    EXPECT_EQ(Form->size(), QSize(1200, 337));
    EXPECT_EQ(Form->windowTitle(), "Definition of OPC UA Server Variables");
    EXPECT_EQ(RUD()->RowCount(), 251);
    EXPECT_EQ(RUD()->AllColCount(), 8);
    const int widths[] = {40, 50, 120, 100, 100, 280, 100, 280};
    for (int c = 0; c < 8; ++c)
        EXPECT_EQ(RUD()->ColWidths(c), widths[c]) << c;
    EXPECT_EQ(RUD()->GetCellEx(OS_ReadWrite, 0), "R/W");
    EXPECT_EQ(RUD()->GetCellProperties(OS_Enable, 7)->Alignment(), taCenter);
    EXPECT_EQ(Form->VarType.size(), 13);
    EXPECT_EQ(Form->Hint.size(), 7);

    // One pixel per column, away from the text and the box.
    RUD()->resize(1300, 200);
    const QImage img = RUD()->viewport()->grab().toImage();
    const QRgb colors[] = {qRgb(0xFF, 0xD8, 0xB0), qRgb(0xE0, 0xFA, 0xFE), qRgb(0xA8, 0xFF, 0xA8),
                           qRgb(0xA8, 0xFF, 0xA8), qRgb(0xFC, 0xD6, 0xF4), qRgb(0xFC, 0xD6, 0xF4),
                           qRgb(0xFF, 0xFF, 0xFF)};
    for (int c = 1; c < 8; ++c) {
        const TRect r = RUD()->CellRect(c, 2);   // row 1 holds the current cell
        EXPECT_EQ(img.pixel(r.Right - 4, r.Bottom - 3), colors[c - 1]) << c;
    }

    // The editors of the Type and R/W cells.
    TEditorType editor = edNormal;
    Form->RUDGetEditorType(RUD(), OS_Type, 1, editor);
    EXPECT_EQ(editor, edComboList);
    editor = edNormal;
    Form->RUDGetEditorType(RUD(), OS_ReadWrite, 1, editor);
    EXPECT_EQ(editor, edComboList);
    editor = edNormal;
    Form->RUDGetEditorType(RUD(), OS_Name, 1, editor);
    EXPECT_EQ(editor, edNormal);
}

TEST_F(OPCServerTest, TypeSetsTheLength)
{
    Choose(1, "Int32");
    EXPECT_EQ(RUD()->GetCellEx(OS_Length, 1), "4");
    EXPECT_TRUE(RUD()->ReadOnly(OS_Length, 1));
    EXPECT_EQ(RUD()->GetCellEx(OS_ReadWrite, 1), "Read/Write");
    RUD()->SetCellEx(OS_ReadWrite, 1, "Read Only");
    Choose(1, "String");
    EXPECT_EQ(RUD()->GetCellEx(OS_Length, 1), "10");
    EXPECT_FALSE(RUD()->ReadOnly(OS_Length, 1));
    EXPECT_EQ(RUD()->GetCellEx(OS_ReadWrite, 1), "Read Only");
    RUD()->SetCellEx(OS_Length, 2, "7");
    Form->VarSetLength("int32", OS_Type, 2);
    Form->VarSetLength("", OS_Type, 2);
    EXPECT_EQ(RUD()->GetCellEx(OS_Length, 2), "7");
    EXPECT_EQ(RUD()->GetCellEx(OS_ReadWrite, 2), "Read/Write");
}

TEST_F(OPCServerTest, NewProjectFileAndReadBack)
{
    for (int r = 1; r <= 250; ++r)
        ASSERT_TRUE(Checked(r));
    Form->Btn_OKClick();
    ASSERT_EQ(Form->result(), mrOk) << Guard.Fake.LastText().toStdString();
    EXPECT_EQ(QString::fromUtf8(Read_Bytes(Path_OPC_UA_Server)).remove('\r'),
              "<OPC_UA_Server>\n  <OPC_UA_Server_Variables />\n</OPC_UA_Server>\n<!--SW_VERSION = 1.000-->\n");

    Form->FormShow();
    Choose(1, "Double");
    RUD()->SetCellEx(OS_Position, 1, "0");
    Choose(2, "String");
    RUD()->SetCellEx(OS_Position, 2, "bad");
    RUD()->SetCheckBoxState(OS_Enable, 2, false);
    Form->setResult(0);
    Form->Btn_OKClick();
    ASSERT_EQ(Form->result(), mrOk) << Guard.Fake.LastText().toStdString();
    EXPECT_TRUE(QString::fromUtf8(Read_Bytes(Path_OPC_UA_Server))
                    .contains("<row Enable=\"N\" Type=\"String\" Position=\"bad\" Length=\"10\" Name=\"\" "
                              "ReadWrite=\"Read/Write\" Mnemonic=\"\" />"));
    Form->FormShow();
    EXPECT_TRUE(Checked(1));
    EXPECT_FALSE(Checked(2));
    EXPECT_TRUE(Checked(3));
    EXPECT_TRUE(RUD()->ReadOnly(OS_Length, 1));
    EXPECT_EQ(RUD()->GetCellEx(OS_Length, 1), "8");
}

TEST_F(OPCServerTest, ReadingFollowsTheAttributes)
{
    QString xml = "<Any><OPC_UA_Server_Variables>"
                  "<row Enable=\"y\" Type=\"Int16\" Position=\"4\"/>"
                  "<row Enable=\"N\" Type=\"Float\" Length=\"9\" ReadWrite=\"Read Only\"/>";
    for (int i = 0; i < 260; ++i)
        xml += "<row Type=\"Byte\"/>";
    xml += "</OPC_UA_Server_Variables></Any>";
    // A mark left by an earlier showing on a row that now loads untyped.
    RUD()->SetReadOnly(OS_Length, 250, true);
    Write(Path_OPC_UA_Server, xml.toUtf8());
    Form->FormShow();
    EXPECT_TRUE(Guard.Fake.Calls.empty()) << Guard.Fake.LastText().toStdString();
    EXPECT_TRUE(Checked(1));
    EXPECT_FALSE(Checked(2));
    EXPECT_EQ(Row(RUD(), 1).mid(2), QStringList({"Int16", "4", "", "", "", ""}));   // Length and R/W emptied
    EXPECT_TRUE(RUD()->ReadOnly(OS_Length, 1));
    EXPECT_EQ(Row(RUD(), 2).mid(2), QStringList({"Float", "", "9", "", "Read Only", ""}));
    EXPECT_EQ(RUD()->GetCellEx(OS_Type, 250), "Byte");   // surplus rows ignored

    Write(Path_OPC_UA_Server, "<Any/>");
    Form->FormShow();
    EXPECT_TRUE(Guard.Fake.LastText().contains("OPC_UA_Server_Variables"));
    EXPECT_EQ(RUD()->GetCellEx(OS_Type, 1), "");
    EXPECT_FALSE(RUD()->ReadOnly(OS_Length, 1));
    EXPECT_FALSE(RUD()->ReadOnly(OS_Length, 250));
}

TEST_F(OPCServerTest, ChecksAndRowButtons)
{
    Choose(1, "Byte");
    RUD()->SetCellEx(OS_Position, 1, "1999");
    Choose(2, "Byte");
    RUD()->SetCellEx(OS_Position, 2, "1999");
    Choose(3, "Byte");
    RUD()->SetCellEx(OS_Position, 3, "2000");
    EXPECT_FALSE(Form->Controllo_dati());
    EXPECT_EQ(Guard.Fake.LastText(), "Error row 3!! Position Must be Between 0 and 2000");
    RUD()->SetCheckBoxState(OS_Enable, 3, false);
    EXPECT_TRUE(Form->Controllo_dati());

    RUD()->SetRow(7);
    Guard.Fake.Answers.push_back(TMsgResult::No);
    Form->Btn_DelRowClick();
    EXPECT_EQ(Guard.Fake.LastText(), "Are you sure to delete the Row number 7");

    // Insert gives a checked box.
    RUD()->SetRow(1);
    Form->Btn_InsRowClick();
    EXPECT_TRUE(Checked(1));
    EXPECT_EQ(RUD()->GetCellEx(OS_Type, 2), "Byte");

    // A copied Double row pasted over a String row: Length "8", marked read-only.
    Choose(5, "Double");
    Choose(6, "String");
    RUD()->SetRow(5);
    Form->Btn_CopyRowClick();
    RUD()->SetRow(6);
    Form->Btn_PasteRowClick();
    EXPECT_EQ(RUD()->GetCellEx(OS_Type, 6), "Double");
    EXPECT_EQ(RUD()->GetCellEx(OS_Length, 6), "8");
    EXPECT_TRUE(RUD()->ReadOnly(OS_Length, 6));
}

// The row freed by a delete is editable, whatever the row it replaced was.
TEST_F(OPCServerTest, DeleteLeavesTheFreedRowEditable)
{
    Choose(250, "Int32");
    ASSERT_TRUE(RUD()->ReadOnly(OS_Length, 250));
    RUD()->SetRow(3);
    Guard.Fake.Answers.push_back(TMsgResult::Yes);
    Form->Btn_DelRowClick();
    EXPECT_TRUE(RUD()->ReadOnly(OS_Length, 249));
    for (int c = OS_Enable; c < OS_Col_Count; ++c)
        EXPECT_FALSE(RUD()->ReadOnly(c, 250)) << c;
    EXPECT_TRUE(Checked(250));
}
