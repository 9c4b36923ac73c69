// The BACnet slave object tables: layout, row limit, checks, file and the unit picker.
#include "app/lbbutton.h"
#include "app/tableediting.h"
#include "building_fixture.h"
#include "editors/building/bacnet_eng_unit.h"
#include "editors/building/bacnetslavesetaccess.h"
#include "grid/string/dazcolumngrid.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>

namespace {

class BACnetSlaveTest : public BuildingTest
{
protected:
    using BuildingTest::Write;   // beside the write table's grid
    void SetUp() override
    {
        BuildingTest::SetUp();
        Picker = std::make_unique<TFBACnet_Eng_Unit>();
        FBACnet_Eng_Unit = Picker.get();
        Form = std::make_unique<TFBACnetSlaveSetAccess>();
    }
    void TearDown() override
    {
        Form.reset();
        FBACnet_Eng_Unit = nullptr;
        Picker.reset();
        BuildingTest::TearDown();
    }
    TDazColumnGrid *Read() const { return Form->ACG_BACnet_in_Read; }
    TDazColumnGrid *Write() const { return Form->ACG_BACnet_in_Write; }
    // Rows 1..n of a table with a valid object each.
    static void Fill(TDazColumnGrid *grid, int n, const QString &type)
    {
        grid->BeginUpdate();
        for (int r = 1; r <= n; ++r)
            Set(grid, r, {type, "95", "0", "", "1", "", "m"});
        grid->EndUpdate();
    }
    // Runs the picker's modal loop, acting on it once it is shown.
    void Double_Click_Unit(TDazColumnGrid *grid, int row, std::function<void(TFBACnet_Eng_Unit &)> act)
    {
        QTimer::singleShot(0, Picker.get(), [this, act] { act(*Picker); });
        Form->DblClickCell(grid, row, BS_Eng_Unit);
    }

    std::unique_ptr<TFBACnet_Eng_Unit> Picker;
    std::unique_ptr<TFBACnetSlaveSetAccess> Form;
};

} // namespace

TEST_F(BACnetSlaveTest, LayoutAndTexts)
{
    EXPECT_EQ(Form->objectName(), "FBACnetSlaveSetAccess");
    EXPECT_EQ(Form->size(), QSize(764, 337));
    EXPECT_EQ(Form->windowTitle(), "BACnet Set Access");
    ASSERT_NE(Form->PageControl1, nullptr);
    EXPECT_EQ(Form->PageControl1->tabText(0), "BACnet in Read");
    EXPECT_EQ(Form->PageControl1->tabText(1), "BACnet in Write");
    for (TDazColumnGrid *grid : {Read(), Write()}) {
        EXPECT_EQ(grid->AllColCount(), 8);
        EXPECT_TRUE(grid->IsHiddenColumn(BS_Swap));
        EXPECT_EQ(grid->RowCount(), 2001);
        EXPECT_EQ(grid->GetCellEx(BS_Data_Type, 0), "Data Type");
        EXPECT_EQ(grid->GetCellEx(BS_Eng_Unit, 0), "Eng. Unit");
        EXPECT_EQ(grid->GetCellEx(BS_Mnemonic, 0), "Mnemonic");
    }
    const TStringList &read_types = Read()->Columns().Items(BS_Data_Type)->ComboItems();
    const TStringList &write_types = Write()->Columns().Items(BS_Data_Type)->ComboItems();
    ASSERT_EQ(read_types.Count(), 13);
    ASSERT_EQ(write_types.Count(), 10);
    EXPECT_EQ(read_types[12], "Accumulator");
    EXPECT_EQ(write_types[7], "Multi State Output");
    EXPECT_EQ(Form->Btn_OK->Hint(), "Confirm and save the SNMP Trap List");
    EXPECT_EQ(Form->Btn_PasteRow->Hint(), "Paste the Copied Fields in the Selected Row");
}

TEST_F(BACnetSlaveTest, RowLimitFromParGen)
{
    struct Case { const char *value; bool present; int rows; };
    const Case cases[] = {{"1", true, 1000}, {" 1", true, 2000}, {"0", true, 2000}, {"", false, 2000}};
    for (const Case &c : cases) {
        if (c.present)
            Write_ParGen({{"BACnet_Desc_Chars_Limit", c.value}});
        else
            QFile::remove(Path_ParGen);
        Form->FormShow();
        EXPECT_EQ(Read()->RowCount(), c.rows + 1) << c.value;
        EXPECT_EQ(Write()->RowCount(), c.rows + 1) << c.value;
        EXPECT_EQ(Form->Max_Requests(), c.rows);
        EXPECT_EQ(Read()->GetCellEx(0, c.rows), QString::number(c.rows));
        EXPECT_EQ(Form->NByte_IN, 1500);
        EXPECT_EQ(Read()->Columns().Items(BS_Position)->ComboItems().Count(), 1500);
    }
    EXPECT_TRUE(Guard.Fake.Calls.empty());
}

TEST_F(BACnetSlaveTest, RowChecks)
{
    struct Case
    {
        int table;
        QStringList cells;   // Data Type, Eng. Unit, Position, Start Bit, Length
        int text;            // -1: passes
    };
    const Case cases[] = {
        {0, {"Analog Input", "65535", "0", "", "4"}, -1},
        {0, {"Analog Input", "65536", "0", "", "4"}, 1533},
        {1, {"Analog Out", "", "0", "", "4"}, 1547},
        {0, {"Large Analog Value", "1", "1492", "", "8"}, -1},
        {0, {"Large Analog Value", "1", "1493", "", "8"}, 1546},
        {1, {"Large Analog Value", "1", "1493", "", "8"}, 1558},
        {0, {"Binary Value", "1", "5", "", "1"}, 1545},
        {1, {"Binary Out", "1", "5", "", ""}, 1557},
        {0, {"Binary Value", "1", "1499", "0", "77"}, -1},
        {0, {"Access Door", "1", "0", "", "2"}, 1543},
        {1, {"Access Door", "1", "0", "", "1"}, -1},
        {0, {"Analog Value", "1", "0", "", ""}, 1538},
        {0, {"Life Safety Point", "1", "0", "", "3"}, 1541},
        {0, {"Integer Value", "1", "1499", "", "2"}, 1546},
        {0, {"Integer Value", "1", "0", "", "9"}, -1},
        {1, {"Integer Value", "1", "0", "", "9"}, 1553},
        {0, {"Binary Out", "1", "0", "", "0"}, -1},   // no range for a write type in the read table
    };
    for (const Case &c : cases) {
        QStringList cells = QStringList{"1"} + c.cells + QStringList{"", "m"};
        EXPECT_EQ(BACnet_Slave_Check_Row(c.table, cells, 1500), c.text < 0 ? QString() : Lang_Text(c.text))
            << c.table << " " << c.cells.join('|').toStdString();
    }
    EXPECT_EQ(BACnet_Slave_Check_Row(1, {"1", "Analog Out", "0", "1500", "", "1"}, 1500),
              "!! [BACnet in Write] Position must be between 0 and 1499");

    // The message carries the row number.
    Form->FormShow();
    Fill(Read(), 2, "Analog Input");
    Set(Read(), 3, {"Integer Value", "1", "1499", "", "2", "", "m"});
    EXPECT_FALSE(Form->Controllo_dati());
    EXPECT_EQ(Guard.Fake.LastText(), "Error row 3!! [BACnet in Read] Too many bytes to save starting from the Position indicate");
}

TEST_F(BACnetSlaveTest, RulesOfBothTablesTogetherStayWithinTheLimit)
{
    struct Case { bool limited; int read, write; QString error; };
    const Case cases[] = {
        {true, 600, 500, "Error!! Too many Requests. Max requests 1000"},
        {true, 500, 500, ""},
        {false, 1200, 900, "Error!! Too many Requests. Max requests 2000"},
        {false, 1000, 1000, ""},
    };
    for (const Case &c : cases) {
        Write_ParGen({{"BACnet_Desc_Chars_Limit", c.limited ? "1" : "0"}});
        Form->FormShow();
        Fill(Read(), c.read, "Analog Input");
        Fill(Write(), c.write, "Analog Out");
        Guard.Fake.Calls.clear();
        EXPECT_EQ(Form->Controllo_dati(), c.error.isEmpty());
        EXPECT_EQ(Guard.Fake.LastText(), c.error);
    }
}

TEST_F(BACnetSlaveTest, WriteTypeFillsLengthAndRowButtons)
{
    Form->FormShow();
    struct Case { int table; const char *type; const char *length; };
    const Case cases[] = {{1, "Large Analog Value", "8"}, {1, "Binary Out", "1"}, {1, "Access Door", "1"},
                          {1, "Integer Value", "4"}, {1, "Multi State Output", "4"}, {0, "Large Analog Value", "x"}};
    for (const Case &c : cases) {
        TDazColumnGrid *grid = c.table ? Write() : Read();
        grid->SetCellEx(BS_Length, 1, "x");
        const int index = grid->Columns().Items(BS_Data_Type)->ComboItems().IndexOf(c.type);
        ASSERT_GE(index, 0) << c.type;
        Form->ComboChange(grid, BS_Data_Type, 1, index);
        EXPECT_EQ(grid->GetCellEx(BS_Length, 1), c.length) << c.type;
    }

    // Insert Row leaves column 1 empty; a row copied in one table is refused in the other.
    Set(Read(), 1, {"Analog Input", "1", "0", "", "1", "N", "a"});
    Read()->SetRow(1);
    Form->Btn_InsRowClick();
    EXPECT_EQ(Row(Read(), 1), QStringList({"1", "", "", "", "", "", "", ""}));
    EXPECT_EQ(Read()->GetCellEx(BS_Mnemonic, 2), "a");
    Read()->SetRow(2);
    Form->Btn_CopyRowClick();
    Form->PageControl1->setCurrentIndex(1);
    Write()->SetRow(3);
    Form->Btn_PasteRowClick();
    EXPECT_EQ(Guard.Fake.LastText(), "Error!!! Copy a valid row before Paste it");
    EXPECT_EQ(Write()->GetCellEx(BS_Mnemonic, 3), "");
}

TEST_F(BACnetSlaveTest, FileRoundTrip)
{
    Write(Path_BACnet_Slave_SetAccess,
          "<Other><BACnet_in_Read>"
          "<row Data_Type=\"Analog Input\" Eng_Unit=\"62\" Position=\"0\" Bit=\"\" Length=\"4\" Mnemonic=\"t1\"/>"
          "<x Data_Type=\"Binary Input\" Eng_Unit=\"95\" Position=\"4\" Bit=\"3\" Length=\"\" Swap=\"Y\" Mnemonic=\"b\"/>"
          "</BACnet_in_Read><BACnet_in_Write>"
          "<row Data_Type=\"Analog Out\" Eng_Unit=\"98\" Position=\"2\" Bit=\"\" Length=\"2\" Swap=\"N\" Mnemonic=\"o\"/>"
          "</BACnet_in_Write></Other>");
    Form->FormShow();
    EXPECT_TRUE(Guard.Fake.Calls.empty()) << Guard.Fake.LastText().toStdString();
    EXPECT_EQ(Row(Read(), 1), QStringList({"1", "Analog Input", "62", "0", "", "4", "N", "t1"}));
    EXPECT_EQ(Row(Read(), 2), QStringList({"2", "Binary Input", "95", "4", "3", "", "Y", "b"}));
    Form->Btn_OKClick();
    ASSERT_EQ(Form->result(), mrOk) << Guard.Fake.LastText().toStdString();
    const QString text = QString::fromUtf8(Read_Bytes(Path_BACnet_Slave_SetAccess)).remove('\r');
    EXPECT_TRUE(text.startsWith("<BACnet_to_Modbus>\n  <BACnet_in_Read>\n    <row Data_Type=\"Analog Input\" "
                                "Eng_Unit=\"62\" Position=\"0\" Bit=\"\" Length=\"4\" Swap=\"N\" Mnemonic=\"t1\" />\n"))
        << text.toStdString();
    EXPECT_TRUE(text.endsWith("</BACnet_to_Modbus>\n<!--SW_VERSION = 1.000-->\n"));
    EXPECT_EQ(text.count("<row "), 3);

    // Only Swap has a default.
    Write(Path_BACnet_Slave_SetAccess, "<R><BACnet_in_Read><row Data_Type=\"Analog Input\" Eng_Unit=\"1\" "
                                       "Position=\"0\" Length=\"4\" Mnemonic=\"t\"/></BACnet_in_Read></R>");
    Form->FormShow();
    EXPECT_EQ(Guard.Fake.Calls.size(), 1u);
    EXPECT_TRUE(Guard.Fake.LastText().contains("Bit"));
}

TEST_F(BACnetSlaveTest, DoubleClickOnEngUnitOpensThePicker)
{
    Form->FormShow();
    Write()->SetCellEx(BS_Eng_Unit, 2, "62");

    // Cancel after a choice leaves the cell.
    Double_Click_Unit(Write(), 2, [](TFBACnet_Eng_Unit &p) {
        EXPECT_EQ(p.E_Selected_EU->text(), "62");
        EXPECT_EQ(p.Label5->text(), "-> degrees-Celsius");
        p.Btn_Select_Eng_UnitClick();
        p.done(mrCancel);
    });
    EXPECT_EQ(Write()->GetCellEx(BS_Eng_Unit, 2), "62");

    // OK without a choice returns the caller's text; a code typed by hand comes back as typed.
    Double_Click_Unit(Write(), 2, [](TFBACnet_Eng_Unit &p) { p.done(mrOk); });
    EXPECT_EQ(Write()->GetCellEx(BS_Eng_Unit, 2), "62");
    Double_Click_Unit(Write(), 2, [](TFBACnet_Eng_Unit &p) {
        p.E_Selected_EU->setText(" 0x10");
        p.done(mrOk);
    });
    EXPECT_EQ(Write()->GetCellEx(BS_Eng_Unit, 2), " 0x10");
    Double_Click_Unit(Read(), 1, [](TFBACnet_Eng_Unit &p) {
        EXPECT_EQ(p.Label5->text(), "-> unknown");
        p.CB_Select_Type->setCurrentIndex(p.CB_Select_Type->findText("Other"));
        p.CB_Select_TypeSelect();
        p.CB_Select_Unit->setCurrentIndex(p.CB_Select_Unit->findText("per-mille"));
        p.Btn_Select_Eng_UnitClick();
        p.done(mrOk);
    });
    EXPECT_EQ(Read()->GetCellEx(BS_Eng_Unit, 1), "207");

    // Not on the header cell, nor on another column.
    bool shown = false;
    QTimer::singleShot(0, Picker.get(), [&] { shown = Picker->isVisible(); Picker->done(mrCancel); });
    Form->DblClickCell(Read(), 0, BS_Eng_Unit);
    Form->DblClickCell(Read(), 1, BS_Length);
    QCoreApplication::processEvents();
    EXPECT_FALSE(shown);
}
