// The BACnet master requests: master type, file, checks and the EDE import.
#include "app/lbbutton.h"
#include "building_fixture.h"
#include "editors/building/bacnetaccess.h"
#include "editors/building/importedefile.h"
#include "grid/string/dazcolumngrid.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>

namespace {

// Valid requests, columns 1 on.
QStringList Read_Req(const QString &address = "192.168.1.10")
{
    return {"Y", address, "Analog Input", "1", "Present Value (85)", "4", "N", "", "", "", "1000", "0", "0", "0", "", "", "r"};
}
QStringList Write_Req()
{
    return {"Y", "192.168.1.10", "Positive Integer Value", "Unsigned Int", "2", "Present Value (85)", "0", "4", "N",
            "", "", "", "N", "N", "", "0", "0", "0", "", "", "w"};
}

class BACnetMasterTest : public BuildingTest
{
protected:
    void SetUp() override
    {
        BuildingTest::SetUp();
        Write_ParGen({{"BACnet_Master_Type", "0"}});
        Import = std::make_unique<TFImportEDEFile>();
        FImportEDEFile = Import.get();
        Form = std::make_unique<TFBACnetAccess>();
        Form->FormShow();
    }
    void TearDown() override
    {
        Form.reset();
        FImportEDEFile = nullptr;
        Import.reset();
        BuildingTest::TearDown();
    }
    static QString Check(int table, int col, const QString &value, int type = 0)
    {
        QStringList cells = QStringList{"1"} + (table ? Write_Req() : Read_Req());
        cells[col] = value;
        return BACnet_Master_Check_Row(table, cells, type);
    }
    std::unique_ptr<TFImportEDEFile> Import;
    std::unique_ptr<TFBACnetAccess> Form;
};

} // namespace

TEST_F(BACnetMasterTest, LayoutAndMasterType)
{
    EXPECT_EQ(Form->windowTitle(), "Set BACnet Access");
    EXPECT_EQ(TFBACnetAccess::Width_For_Screen(1270), 1000);
    EXPECT_EQ(TFBACnetAccess::Width_For_Screen(1271), 1305);
    EXPECT_EQ(Form->PageControl1->tabText(0), "BACnet Read");
    EXPECT_EQ(Form->ACG1->AllColCount(), 18);
    EXPECT_EQ(Form->ACG2->AllColCount(), 22);
    EXPECT_EQ(Form->ACG1->RowCount(), 513);
    EXPECT_TRUE(Form->ACG1->IsHiddenColumn(BR_Swap) && Form->ACG1->IsHiddenColumn(BR_Convertion));
    EXPECT_TRUE(Form->ACG2->IsHiddenColumn(BW_Swap) && Form->ACG2->IsHiddenColumn(BW_Convertion));
    EXPECT_EQ(Form->ACG1->Columns().Items(BR_Position)->ComboItems().Count(), 1440);
    EXPECT_EQ(Form->Btn_Import_CSV->Caption(), "Import EDE");
    EXPECT_FALSE(Form->Btn_CopyRow->isVisibleTo(Form.get()));
    EXPECT_FALSE(Form->Btn_PasteRow->isVisibleTo(Form.get()));
    EXPECT_TRUE(Form->Btn_Import_CSV->isVisibleTo(Form.get()));
    EXPECT_EQ(Form->Btn_OK->Hint(), "");

    struct Case { bool parGen; const char *value; int type; const char *header; bool hidden; bool message; };
    const Case cases[] = {{true, "1", 1, "Slave ID", false, false}, {true, "x", 0, "IP Address", false, false},
                          {true, "2", 2, "", true, false},          {false, "", 0, "IP Address", false, true}};
    for (const Case &c : cases) {
        if (c.parGen)
            Write_ParGen({{"BACnet_Master_Type", c.value}});
        else
            QFile::remove(Path_ParGen);
        Guard.Fake.Calls.clear();
        Form->FormShow();
        EXPECT_EQ(Form->App_BACnet_Type, c.type);
        EXPECT_EQ(Form->ACG1->IsHiddenColumn(BR_Address), c.hidden);
        EXPECT_EQ(Form->ACG2->IsHiddenColumn(BW_Address), c.hidden);
        if (!c.hidden)
            EXPECT_EQ(Form->ACG2->Columns().Items(BW_Address)->Header(), QLatin1String(c.header));
        EXPECT_EQ(Guard.Fake.Texts(), c.message ? QStringList{"Select the BACnet Type in the \"Set Communication\" section"}
                                               : QStringList{});
    }
    // Without an address column the Object Type is the key and the address goes unchecked.
    Write_ParGen({{"BACnet_Master_Type", "2"}});
    Form->FormShow();
    QStringList no_address = Read_Req("");
    Set(Form->ACG1, 1, no_address);
    Set(Form->ACG1, 2, Read_Req("not checked"));
    Set(Form->ACG1, 4, Read_Req());
    Form->ACG1->SetCellEx(BR_Instance, 4, "x");   // after the first empty key
    EXPECT_TRUE(Form->Controllo_dati()) << Guard.Fake.LastText().toStdString();
}

TEST_F(BACnetMasterTest, FileRoundTrip)
{
    Write(Path_BACnet_Master_Access, "<Z><BACnet_Read><row IP_Address_Slave_ID=\"10.0.0.1\" Object_Type=\"Analog Input\"/>"
                                     "</BACnet_Read><BACnet_Write/></Z>");
    Form->FormShow();
    EXPECT_TRUE(Guard.Fake.Calls.empty()) << Guard.Fake.LastText().toStdString();
    QStringList expected(18, QString());
    expected[0] = "1";
    expected[BR_Enable] = "Y";
    expected[BR_Address] = "10.0.0.1";
    expected[BR_Object_Type] = "Analog Input";
    expected[BR_En_Dest] = "N";
    EXPECT_EQ(Row(Form->ACG1, 1), expected);

    Form->FormShow();
    QFile::remove(Path_BACnet_Master_Access);
    Form->FormShow();
    Set(Form->ACG1, 1, Read_Req());
    Form->ACG1->SetCellEx(BR_Swap, 1, "Y");
    QStringList bad = Write_Req();
    bad[0] = " Y";   // the Enable cell counts only when exactly "Y"
    bad[BW_Max_Err - 1] = "655535";
    Set(Form->ACG2, 1, bad);
    Form->Btn_OKClick();
    ASSERT_EQ(Form->result(), mrOk) << Guard.Fake.LastText().toStdString();
    const QString text = QString::fromUtf8(Read_Bytes(Path_BACnet_Master_Access)).remove('\r');
    EXPECT_TRUE(text.startsWith(
        "<BACnet_Master_Access>\n  <BACnet_Read>\n    <row Enable=\"Y\" IP_Address_Slave_ID=\"192.168.1.10\" "
        "Object_Type=\"Analog Input\" Instance=\"1\" Property=\"Present Value (85)\" NumByte=\"4\" "
        "Enable_Destination=\"N\" Destination_Network=\"\" Destination_Length=\"\" Destination_Address=\"\" "
        "PollTime=\"1000\" MaxError=\"0\" Position=\"0\" StartBit=\"0\" Mnemonic=\"r\" />\n"))
        << text.toStdString();
    EXPECT_TRUE(text.contains("<row Enable=\" Y\" IP_Address_Slave_ID=\"192.168.1.10\" Object_Type=\"Positive Integer "
                              "Value\" Data_Type=\"Unsigned Int\" Instance=\"2\" Property=\"Present Value (85)\" "
                              "Priority=\"0\" NumByte=\"4\" Enable_Destination=\"N\" Destination_Network=\"\" "
                              "Destination_Length=\"\" Destination_Address=\"\" OnChange=\"N\" OnTimer=\"N\" "
                              "PollTime=\"\" MaxError=\"655535\" Position=\"0\" StartBit=\"0\" Mnemonic=\"w\" />"));
    EXPECT_TRUE(text.endsWith("</BACnet_Master_Access>\n<!--SW_VERSION = 1.002-->\n"));
}

TEST_F(BACnetMasterTest, RequestChecks)
{
    struct Case
    {
        int table, col;
        QString value;
        QString text;   // empty: passes
        int type = 0;
    };
    const Case cases[] = {
        {0, BR_Address, "192.168.1.256", "!! IP Address is not correct"},
        {0, BR_Address, "255", "!! Slave ID must be between 0 and 254", 1},
        {0, BR_Address, "254", "", 1},
        {0, BR_Object_Type, "analog input ", ""},
        {1, BW_Object_Type, "Analog Input", "!! Object Type is not correct. Select one from the list"},
        {0, BR_Object_Type, "127", "!! Object Type is not correct. Select one from the list"},
        {0, BR_Instance, "4294967295", ""},
        {0, BR_Instance, "4294967296", "!! Instance must be between 0 and 4294967295"},
        {0, BR_Instance, "-1", "!! Instance must be between 0 and 4294967295"},
        {0, BR_Property, "Units (117)", ""},
        {0, BR_Property, "512", ""},
        {0, BR_Property, "511", "!! Property is not correct. Select one from the list"},
        {1, BW_Property, "512", ""},
        {1, BW_Property, "Units (117)", "!! Property is not correct. Select one from the list"},
        {0, BR_NByte, "256", "!! NByte must be between 0 and 255"},
        {0, BR_Max_Err, "65536", "!! Max Err must be between 0 and 655535"},
        {0, BR_Poll_Time, "100000001", "!! Poll Time must be between 0 and 100000000 ms"},
        {1, BW_Poll_Time, "100000001", ""},   // only with the timer on
        {1, BW_Data_Type, "Real", "!! Data Type is not correct. Aspected Data Type is Unsigned Int"},
        {1, BW_Priority, "17", "!! Priority must be between 0 and 16"},
        {1, BW_NByte, "5", "!! NByte must be between 0 and 4"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Check(c.table, c.col, c.value, c.type), c.text) << c.table << " " << c.col << " " << c.value.toStdString();

    // Boolean fails every listed write type but passes a proprietary one, then NByte 0..1.
    for (const QString &type : {"Multi-State Output", "Multi-State Value", "Analog Output", "Analog Value",
                                "Binary Output", "Binary Value", "Integer Value", "Large Analog Value",
                                "Positive Integer Value"}) {
        QStringList cells = QStringList{"1"} + Write_Req();
        cells[BW_Object_Type] = type;
        cells[BW_Data_Type] = "Boolean";
        EXPECT_TRUE(BACnet_Master_Check_Row(1, cells, 0).startsWith("!! Data Type is not correct")) << type.toStdString();
    }
    QStringList proprietary = QStringList{"1"} + Write_Req();
    proprietary[BW_Object_Type] = "200";
    proprietary[BW_Data_Type] = "Boolean";
    proprietary[BW_NByte] = "1";
    EXPECT_EQ(BACnet_Master_Check_Row(1, proprietary, 0), "");
    proprietary[BW_NByte] = "2";
    EXPECT_EQ(BACnet_Master_Check_Row(1, proprietary, 0), "!! NByte must be between 0 and 1");
    QStringList proprietary_property = QStringList{"1"} + Write_Req();
    proprietary_property[BW_Property] = "600";
    proprietary_property[BW_Data_Type] = "Boolean";
    proprietary_property[BW_NByte] = "1";
    EXPECT_EQ(BACnet_Master_Check_Row(1, proprietary_property, 0), "");
    QStringList life = QStringList{"1"} + Write_Req();
    life[BW_Object_Type] = "Life Safety Point";
    for (const QString &dt : {"Enumerated", "Unsigned Int", ""}) {
        life[BW_Data_Type] = dt;
        EXPECT_EQ(BACnet_Master_Check_Row(1, life, 0), "!! Data Type is not correct");
    }
    // Units on a Binary Input is refused.
    QStringList binary = QStringList{"1"} + Read_Req();
    binary[BR_Object_Type] = "Binary Input";
    binary[BR_Property] = "Units (117)";
    EXPECT_EQ(BACnet_Master_Check_Row(0, binary, 0), "!! Property is not correct. Select one from the list");

    // The table routines on their own.
    EXPECT_EQ(Check_Object_Type("Binary Input", true), -1);
    EXPECT_EQ(Check_Object_Type("1023", true), 1023);
    EXPECT_EQ(Check_Property("Scale (187)", false, 1), 1);
    EXPECT_EQ(Check_Property("Scale (187)", false, 4), -1);
    EXPECT_EQ(Check_Num_Byte_Max(" bit string "), 120);
    EXPECT_EQ(Check_Num_Byte_Max("other"), 255);
    EXPECT_EQ(Aspected_Data_Type_Value(9, 100), "Double");
    EXPECT_EQ(Aspected_Data_Type_Value(9, 4), "");
    EXPECT_EQ(Check_Data_Type("x", 9, 4), 1000);

    // The message of the window: prefix, row, text.
    Set(Form->ACG2, 1, Write_Req());
    Form->ACG2->SetCellEx(BW_Data_Type, 1, "Real");
    EXPECT_FALSE(Form->Controllo_dati());
    EXPECT_EQ(Guard.Fake.LastText(), "Error in Write, row 1!! Data Type is not correct. Aspected Data Type is Unsigned Int");
}

TEST_F(BACnetMasterTest, RoutingAndManualDestination)
{
    struct Case { QString len, add; QString text; };
    const Case cases[] = {
        {"M3", "1, 2,3", ""},
        {"M3", "1,2", "!! Destination Address has too few bytes"},
        {"M3", "1,2,3,4", "!! Destination Address has too many bytes"},
        {"M3", "1,256,3", "!! Bytes of Destination Address must be between 0 and 255"},
        {"M3", "", "!! Destination Address has too few bytes"},
        {"M3", "1,2,3,", ""},
        {"m1", "7", ""},
        {"M9", "1", "!! Destination Length is Wrong, choose one in List"},
        {"", "1", "!! Destination Length is Wrong, choose one in List"},
        {"3", "1", "!! Destination Lenght must be 1 or 2 or 6"},
        {"1", "256", "!! Destination Address must be between 0 and 255"},
        {"2", "0", "!! Destination Address must be between 1 and 65535"},
        {"6", " 192.168.0.15:47808 ", ""},
        {"6", "192.168.0.15", "!! Destination Address must be in correct form, IP Address plus Port (ex. 192.168.0.15:47808)"},
    };
    for (const Case &c : cases) {
        QStringList cells = QStringList{"1"} + Read_Req();
        cells[BR_En_Dest] = "y";
        cells[BR_D_Net] = "5";
        cells[BR_D_Len] = c.len;
        cells[BR_D_Add] = c.add;
        EXPECT_EQ(BACnet_Master_Check_Row(0, cells, 0), c.text) << c.len.toStdString() << " " << c.add.toStdString();
    }
    QStringList no_net = QStringList{"1"} + Read_Req();
    no_net[BR_En_Dest] = "Y";
    EXPECT_EQ(BACnet_Master_Check_Row(0, no_net, 0), "!! Destination Network must be between 1 and 65535");
    // The write table uses its own columns.
    QStringList w = QStringList{"1"} + Write_Req();
    w[BW_En_Dest] = "Y";
    w[BW_D_Net] = "5";
    w[BW_D_Len] = "M2";
    w[BW_D_Add] = "1,2";
    EXPECT_EQ(BACnet_Master_Check_Row(1, w, 0), "");
    w[BW_D_Add] = "1";
    EXPECT_EQ(BACnet_Master_Check_Row(1, w, 0), "!! Destination Address has too few bytes");
}

TEST_F(BACnetMasterTest, ReadHintShowsTheByteCount)
{
    struct Case { const char *type, *property; QString hint; };
    const Case cases[] = {{"Analog Input", "Present Value (85)", "4"}, {"Binary Input", "Present Value (85)", "1"},
                          {"Large Analog Value", "Present Value (85)", "8"}, {"Binary Value", "Present Value (85)", ""},
                          {"Accumulator", "PreScale (185)", "5"}, {"Analog Input", "Object Type (79)", "2"},
                          {"Analog Input", "600", ""}};
    for (const Case &c : cases) {
        Set(Form->ACG1, 1, Read_Req());
        Form->ACG1->SetCellEx(BR_Object_Type, 1, c.type);
        Form->ACG1->SetCellEx(BR_Property, 1, c.property);
        QString hint = "x";
        Form->GridHint(Form->ACG1, 1, BR_Property, hint);
        EXPECT_EQ(hint, c.hint) << c.type << " " << c.property;
    }
    Form->ACG1->SetCellEx(BR_Instance, 1, " ");
    QString hint = "x";
    Form->GridHint(Form->ACG1, 1, BR_Property, hint);
    EXPECT_EQ(hint, "");
}

TEST_F(BACnetMasterTest, ImportFillsRowsAfterTheUsedPositions)
{
    // Cancelling the open dialog changes nothing.
    EDE_Import_Dir = "/start";
    Form->Btn_Import_CSVClick();
    ASSERT_EQ(Guard.Fake.Calls.size(), 1u);
    EXPECT_EQ(Guard.Fake.Calls[0].dir, "/start");
    EXPECT_EQ(Guard.Fake.Calls[0].filter, "BACnet EDE File (*.csv)");
    EXPECT_EQ(EDE_Import_Dir, "/start");

    // A missing file: only its folder is kept.
    Guard.Fake.FileAnswers.push_back(In_Temp("gone/none.csv"));
    Form->Btn_Import_CSVClick();
    EXPECT_EQ(EDE_Import_Dir, In_Temp("gone"));

    Set(Form->ACG1, 1, Read_Req());
    Form->ACG1->SetCellEx(BR_Position, 1, "0");
    Set(Form->ACG1, 2, Read_Req());
    Form->ACG1->SetCellEx(BR_Position, 2, "10");
    Form->ACG1->SetCellEx(BR_NByte, 2, "2");
    const QString file = Building_Data("ede_template.csv");
    Guard.Fake.FileAnswers.push_back(file);
    QTimer::singleShot(0, Import.get(), [this] {
        Import->E_ID_IP->setText("10.1.1.1");
        Import->ACGCheckBoxClick(Import->ACG, IE_Import, 4, false);   // Mode left out
        Import->Btn_OKClick();
    });
    Form->Btn_Import_CSVClick();
    EXPECT_EQ(EDE_Import_Dir, QFileInfo(file).absolutePath());
    EXPECT_EQ(Row(Form->ACG1, 3), QStringList({"3", "Y", "10.1.1.1", "Analog Input", "1", "Present Value (85)", "4", "N",
                                               "", "", "", "1000", "0", "12", "0", "N", "",
                                               QString::fromUtf8("Flow temp - Température départ")}));
    EXPECT_EQ(Form->ACG1->GetCellEx(BR_Position, 4), "16");
    EXPECT_EQ(Form->ACG1->GetCellEx(BR_Object_Type, 5), "Binary Output");
    EXPECT_EQ(Form->ACG1->GetCellEx(BR_Position, 5), "20");
    EXPECT_EQ(Form->ACG1->GetCellEx(BR_NByte, 5), "1");
    EXPECT_EQ(Form->ACG1->GetCellEx(BR_Address, 6), "");
    // Commandable objects also become write requests.
    EXPECT_EQ(Row(Form->ACG2, 1), QStringList({"1", "Y", "10.1.1.1", "Analog Value", "Real", "2", "Present Value (85)",
                                               "0", "4", "N", "", "", "", "N", "N", "1000", "0", "0", "0", "N", "",
                                               "Set point - Consigne"}));
    EXPECT_EQ(Form->ACG2->GetCellEx(BW_Position, 2), "4");
    EXPECT_EQ(Form->ACG2->GetCellEx(BW_Data_Type, 2), "Enumerated");
    EXPECT_EQ(Form->ACG2->GetCellEx(BW_Address, 3), "");

    // The next open dialog starts in the file's folder; a cancelled import changes no row.
    Guard.Fake.FileAnswers.push_back(file);
    QTimer::singleShot(0, Import.get(), [this] { Import->done(mrCancel); });
    Form->Btn_Import_CSVClick();
    EXPECT_EQ(Guard.Fake.Calls.back().dir, QFileInfo(file).absolutePath());
    EXPECT_EQ(Form->ACG1->GetCellEx(BR_Address, 6), "");
}

TEST_F(BACnetMasterTest, ImportStopsAtTheLastRow)
{
    for (int r = 1; r <= 510; ++r)
        Set(Form->ACG1, r, Read_Req());
    Guard.Fake.FileAnswers.push_back(Building_Data("ede_template.csv"));
    QTimer::singleShot(0, Import.get(), [this] {
        Import->E_ID_IP->setText("10.1.1.1");
        Import->Btn_OKClick();
    });
    Form->Btn_Import_CSVClick();
    EXPECT_EQ(Form->ACG1->GetCellEx(BR_Object_Type, 512), "Analog Value");
    EXPECT_EQ(Form->ACG1->RowCount(), 513);
    EXPECT_EQ(Guard.Fake.LastText(), "The tables are full: 2 requests of the EDE file were not imported.");
}
