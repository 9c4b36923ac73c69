#include "app/lbbutton.h"
#include "gateway/ethernetip_data_seg.h"
#include "gateway/ethernetip_eds.h"
#include "gateway/ethernetip_master_access.h"
#include "gateway_fixture.h"
#include "grid/string/dazcolumngrid.h"

#include <QDir>
#include <QApplication>
#include <QFile>
#include <QHelpEvent>
#include <QTimer>
#include <QToolTip>

namespace {

class MasterAccessTest : public GatewayTest
{
protected:
    void SetUp() override
    {
        GatewayTest::SetUp();
        Chooser = std::make_unique<TFEtherNEtIP_EDS>();
        Editor = std::make_unique<TFEtherNetIP_Data_Seg>();
        Form = std::make_unique<TFEtherNetIP_Master_Access>();
        FEtherNEtIP_EDS = Chooser.get();
        FEtherNetIP_Data_Seg = Editor.get();
        Grid = Form->ACG;
    }
    void TearDown() override
    {
        FEtherNEtIP_EDS = nullptr;
        FEtherNetIP_Data_Seg = nullptr;
        Form.reset();
        Editor.reset();
        Chooser.reset();
        GatewayTest::TearDown();
    }
    void Load_Full()
    {
        Copy_Project(QStringLiteral("full"), {"EtherNetIP_Master_Rules.xml"});
        ASSERT_TRUE(Form->FormShow());
    }
    QString Cell(int c, int r) { return Grid->GetCellEx(c, r); }
    // Imports the EDS file; the chooser takes its connection k (0-based) when it opens.
    void Import(const char *file, int k = 0)
    {
        Guard.Fake.FileAnswers = {Gateway_Data(QStringLiteral("eds/") + QLatin1String(file))};
        QTimer::singleShot(0, Chooser.get(), [this, k] {
            Chooser->ACG->FocusCell(0, k + 1, true);
            Chooser->Btn_OK->Click();
        });
        Form->Btn_Import_EDSClick();
    }

    std::unique_ptr<TFEtherNEtIP_EDS> Chooser;
    std::unique_ptr<TFEtherNetIP_Data_Seg> Editor;
    std::unique_ptr<TFEtherNetIP_Master_Access> Form;
    TDazColumnGrid *Grid = nullptr;
};

TEST_F(MasterAccessTest, CreationSetsTextsAndTable)
{
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Set EtherNet/IP Slaves Access"));
    EXPECT_EQ(Grid->AllColCount(), 20);
    EXPECT_EQ(Grid->RowCount(), 11);
    EXPECT_EQ(Cell(17, 0), QStringLiteral("Data Segment"));
    EXPECT_EQ(Grid->ColWidths(19), 95);
    EXPECT_EQ(Form->Btn_Import_EDS->Caption(), QStringLiteral("Import EDS"));
    EXPECT_EQ(Form->Btn_Cancel->ModalResult(), mrCancel);
    ASSERT_EQ(Form->Hint.size(), 19);
    QString hint = QStringLiteral("own");
    Form->GridHint(Grid, 0, 19, hint);
    EXPECT_EQ(hint, QStringLiteral("Description of Slave EtherNet/IP"));
    hint = QStringLiteral("own");
    Form->GridHint(Grid, 1, 19, hint);   // data cells keep the grid's hint
    EXPECT_EQ(hint, QStringLiteral("own"));
}

TEST_F(MasterAccessTest, HeaderFormatsOfferDefault)
{
    for (int col : {12, 13}) {
        TEditorType editor = edNormal;
        Grid->GetCellEditorType(col, 2, editor);
        EXPECT_EQ(editor, edComboEdit);
        TStringList &items = Grid->Columns().Items(col)->ComboItems();
        ASSERT_EQ(items.Count(), 1);
        EXPECT_EQ(items.Strings(0), QStringLiteral("Default"));
    }
    TEditorType editor = edNormal;
    Grid->GetCellEditorType(1, 2, editor);
    EXPECT_EQ(editor, edDataCheckBox);
    editor = edNormal;
    Grid->GetCellEditorType(11, 2, editor);
    EXPECT_EQ(editor, edNormal);
}

TEST_F(MasterAccessTest, LoadsAndSavesTheProjectFile)
{
    Load_Full();
    EXPECT_TRUE(Guard.Fake.Calls.empty());
    EXPECT_EQ(Cell(2, 1), QStringLiteral("10.0.0.20"));
    EXPECT_EQ(Cell(3, 3), QStringLiteral("$20"));
    EXPECT_EQ(Cell(0, 10), QStringLiteral("10"));
    EXPECT_EQ(Cell(1, 10), QStringLiteral("Y"));
    ASSERT_TRUE(Form->ArrTargetConf[2]);
    EXPECT_EQ(Form->ArrTargetConf[2]->Format, QStringLiteral("Assem100"));

    Form->Btn_OKClick();
    EXPECT_TRUE(Guard.Fake.Calls.empty()) << Guard.Fake.LastText().toStdString();
    EXPECT_EQ(Form->result(), mrOk);
    EXPECT_FALSE(Form->ArrTargetConf[2]);   // released on OK
    const TEtherNetIP_Rules saved = TEtherNetIP_Rules::Load(Path_EtherNetIP_Master_Rules);
    const TEtherNetIP_Rules fixture = TEtherNetIP_Rules::Load(Gateway_Data(QStringLiteral("full/EtherNetIP_Master_Rules.xml")));
    EXPECT_EQ(saved.Rows, fixture.Rows);
    ASSERT_TRUE(saved.ArrTargetConf[2]);
    EXPECT_EQ(saved.ArrTargetConf[2]->GetConfigStrData(), fixture.ArrTargetConf[2]->GetConfigStrData());
}

TEST_F(MasterAccessTest, ValidationKeepsTheWindowOpen)
{
    Load_Full();
    const QByteArray before = Read_Bytes(Path_EtherNetIP_Master_Rules);
    struct Case
    {
        int col, row;
        const char *text;
        const char *error;
    };
    const Case cases[] = {
        {7, 1, "0", "Error row 1!! Poll Time must be between 1 and 100000000"},
        {12, 3, "8", "Error row 3!! Dimension Header T > O must be between 0 and 7. Default Value 0"},
        {4, 1, "1439", "Error!! The Total Number of Input Bytes must be between 0 and 1438"},
    };
    for (const Case &c : cases) {
        const QString old = Cell(c.col, c.row);
        Grid->SetCellEx(c.col, c.row, QLatin1String(c.text));
        Form->Btn_OKClick();
        EXPECT_EQ(Guard.Fake.LastText(), QLatin1String(c.error));
        Grid->SetCellEx(c.col, c.row, old);
    }
    EXPECT_EQ(Read_Bytes(Path_EtherNetIP_Master_Rules), before);
    EXPECT_TRUE(Form->ArrTargetConf[2]);
}

TEST_F(MasterAccessTest, ConfigurationsMoveWithTheirRows)
{
    Load_Full();
    Grid->FocusCell(2, 1, true);
    Guard.Fake.Answers = {TMsgResult::Yes};
    Form->Btn_DelRowClick();
    EXPECT_EQ(Guard.Fake.LastText(), QStringLiteral("Are you sure to delete the Row number 1"));
    EXPECT_EQ(Cell(2, 2), QStringLiteral("10.0.0.22"));
    ASSERT_TRUE(Form->ArrTargetConf[1]);
    EXPECT_FALSE(Form->ArrTargetConf[2]);
    EXPECT_EQ(Cell(2, 10), QString());

    Grid->FocusCell(2, 1, true);
    Form->Btn_InsRowClick();
    EXPECT_EQ(Cell(1, 1), QStringLiteral("Y"));
    EXPECT_EQ(Cell(2, 1), QString());
    EXPECT_EQ(Cell(2, 3), QStringLiteral("10.0.0.22"));
    EXPECT_TRUE(Form->ArrTargetConf[2]);
    EXPECT_FALSE(Form->ArrTargetConf[1]);

    // Only the texts travel by copy and paste.
    Grid->FocusCell(2, 3, true);
    Form->Btn_CopyRowClick();
    Grid->FocusCell(2, 4, true);
    Form->Btn_PasteRowClick();
    EXPECT_EQ(Cell(17, 4), Cell(17, 3));
    EXPECT_FALSE(Form->ArrTargetConf[3]);
}

TEST_F(MasterAccessTest, ImportFillsTheFirstFreeRow)
{
    Load_Full();
    Import("ioblock.eds");
    EXPECT_TRUE(Guard.Fake.Calls.size() == 1 && Guard.Fake.Calls[0].what == QLatin1String("open"));
    EXPECT_EQ(Guard.Fake.Calls[0].filter, QStringLiteral("EtherNet/IP EDS (*.eds)"));
    // Row 4 is the first without IP address and instance.
    EXPECT_EQ(Cell(8, 4), QStringLiteral("110"));
    EXPECT_EQ(Cell(10, 4), QStringLiteral("120"));
    EXPECT_EQ(Cell(15, 4), QStringLiteral("0x55, 0x01, 0x0C, 0x00, 0x07, 0x00, 0x82, 0x03"));
    EXPECT_EQ(Cell(17, 4), QStringLiteral("0x01,0x02,0x03,0x10,0xFF"));
    EXPECT_EQ(Cell(2, 4), QString());
    ASSERT_TRUE(Form->ArrTargetConf[3]);

    // A connection without a target configuration empties the data segment.
    Grid->SetCellEx(2, 4, QString());
    Grid->SetCellEx(8, 4, QString());
    Import("ioblock.eds", 1);
    EXPECT_EQ(Cell(17, 4), QStringLiteral("0x02,0x03"));

    // Every row in use: nothing changes and nothing is said.
    for (int r = 1; r <= 10; ++r)
        Grid->SetCellEx(2, r, QStringLiteral("10.0.1.%1").arg(r));
    Guard.Fake.Calls.clear();
    const QString key = Cell(15, 4);
    Import("drive_a.eds");
    EXPECT_EQ(Cell(15, 4), key);
    EXPECT_EQ(Guard.Fake.Calls.size(), 1u);   // the file dialog only

    // Cancelled file dialog: nothing happens.
    Guard.Fake.Calls.clear();
    const QString before = Cell(8, 5);
    Form->Btn_Import_EDSClick();
    EXPECT_EQ(Cell(8, 5), before);
    EXPECT_EQ(Guard.Fake.Calls.size(), 1u);
}

TEST_F(MasterAccessTest, DataSegmentEditorChangesTheRowsConfiguration)
{
    Load_Full();
    const QString old = Cell(17, 3);
    // Cancel leaves the row as it was.
    QTimer::singleShot(0, Editor.get(), [this] {
        Editor->RUD_DataSeg->SetCellEx(4, 1, QStringLiteral("7"));
        Editor->Btn_Cancel->Click();
    });
    Form->DblClickCell(Grid, 3, 17);
    EXPECT_EQ(Cell(17, 3), old);
    EXPECT_EQ(Form->ArrTargetConf[2]->ListParamObject[0].Value, 1);
    EXPECT_EQ(Editor->TC, nullptr);

    QTimer::singleShot(0, Editor.get(), [this] {
        Editor->RUD_DataSeg->SetCellEx(4, 1, QStringLiteral("7"));
        Editor->Btn_OK->Click();
    });
    Form->DblClickCell(Grid, 3, 17);
    EXPECT_EQ(Form->ArrTargetConf[2]->ListParamObject[0].Value, 7);
    EXPECT_EQ(Cell(17, 3), QStringLiteral("0x07,0x00,0x00,0x00,0x00"));

    // A row without a configuration, or another column: no editor.
    Form->DblClickCell(Grid, 1, 17);
    Form->DblClickCell(Grid, 3, 16);
    EXPECT_TRUE(Guard.Fake.Calls.empty());
}

TEST_F(MasterAccessTest, DamagedConfigurationIsReportedAndLaterRowsKept)
{
    Write(Path_EtherNetIP_Master_Rules,
          "<EtherNetIP_Master_Access>"
          "<row Enable=\"Y\" IP_Address=\"10.0.0.1\"><TargetCong FileName=\"x\"/></row>"
          "<row Enable=\"N\" IP_Address=\"10.0.0.2\"/>"
          "</EtherNetIP_Master_Access>");
    ASSERT_TRUE(Form->FormShow());
    ASSERT_EQ(Guard.Fake.Calls.size(), 1u);
    EXPECT_EQ(Guard.Fake.Calls[0].kind, TMsgKind::Warning);
    EXPECT_FALSE(Form->ArrTargetConf[0]);
    EXPECT_EQ(Cell(2, 2), QStringLiteral("10.0.0.2"));

    Write(Path_EtherNetIP_Master_Rules, "<EtherNetIP_Master_Access><row");
    EXPECT_FALSE(Form->FormShow());
    EXPECT_EQ(Guard.Fake.Calls.back().kind, TMsgKind::Error);
}

} // namespace

namespace {

// What the window writes it reads back unchanged, target configurations with their value
// lists included: saving again gives the same bytes.
TEST_F(MasterAccessTest, SavedFileReadsBackToTheSameBytes)
{
    Load_Full();
    Import("ioblock.eds");   // row 4: Assem100 with the value list of Param1
    const QStringList cells = {"10.0.0.23", "0", "8", "0", "8", "100"};
    for (qsizetype c = 0; c < cells.size(); ++c)
        Grid->SetCellEx(int(c) + 2, 4, cells[c]);
    Grid->SetCellEx(19, 4, QStringLiteral("<Block> & \"Grüße\""));
    Grid->SetCellEx(1, 5, QStringLiteral("N"));   // disabled and empty: written, the rows below too
    Grid->SetCellEx(1, 6, QStringLiteral("N"));
    Grid->SetCellEx(2, 6, QStringLiteral("10.0.0.24"));
    Form->Btn_OKClick();
    ASSERT_EQ(Form->result(), mrOk) << Guard.Fake.LastText().toStdString();
    const QByteArray first = Read_Bytes(Path_EtherNetIP_Master_Rules);
    ASSERT_TRUE(first.contains("<Enum Value=\"2\" Description=\"Auto\" />"));

    ASSERT_TRUE(Form->FormShow());
    ASSERT_TRUE(Form->ArrTargetConf[3]);
    EXPECT_EQ(Form->ArrTargetConf[3]->ListParamObject.at(0).EnumString, (QStringList{"Off", "On", "Auto"}));
    EXPECT_EQ(Cell(2, 6), QStringLiteral("10.0.0.24"));
    Form->setResult(mrNone);
    Form->Btn_OKClick();
    ASSERT_EQ(Form->result(), mrOk);
    EXPECT_EQ(Read_Bytes(Path_EtherNetIP_Master_Rules), first);
}

// A file that cannot be written is reported; the window stays open with its configurations.
TEST_F(MasterAccessTest, WriteFailureKeepsTheWindowOpen)
{
    Load_Full();
    QFile::remove(Path_EtherNetIP_Master_Rules);
    ASSERT_TRUE(QDir().mkpath(Path_EtherNetIP_Master_Rules));
    Form->setResult(mrNone);
    Form->Btn_OKClick();
    ASSERT_EQ(Guard.Fake.Calls.size(), 1u);
    EXPECT_EQ(Guard.Fake.Calls[0].kind, TMsgKind::Error);
    EXPECT_NE(Form->result(), mrOk);
    EXPECT_TRUE(Form->ArrTargetConf[2]);
    EXPECT_TRUE(QDir(Project_Path).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral(".tmp")).isEmpty());
}

} // namespace

namespace {

TEST_F(MasterAccessTest, OkRefusesWhenRowsHoldingConnectionsWouldNotBeSaved)
{
    ASSERT_TRUE(Form->FormShow());
    // An imported connection whose IP address was not typed yet.
    Import("ioblock.eds");
    ASSERT_EQ(Cell(8, 1), QStringLiteral("110"));
    ASSERT_EQ(Cell(2, 1), QString());
    Guard.Fake.Calls.clear();
    Form->Btn_OKClick();
    EXPECT_EQ(Guard.Fake.Texts(),
              QStringList(QStringLiteral("Error row 1!! The row is enabled and has no IP Address: it would not be "
                                         "saved, nor the rows after it. Type its IP Address or disable it")));
    EXPECT_FALSE(QFile::exists(Path_EtherNetIP_Master_Rules));
    EXPECT_NE(Form->result(), mrOk);

    // With the address typed the next free row is empty and nothing follows: saved.
    const struct { int col; const char *text; } cells[] = {
        {2, "10.0.0.7"}, {3, "0"}, {4, "4"}, {5, "0"}, {6, "4"}, {7, "100"}, {8, "1"}, {9, "100"}, {10, "1"},
        {11, "101"}, {12, "Default"}, {13, "Default"}};
    for (const auto &c : cells)
        Grid->SetCellEx(c.col, 1, QLatin1String(c.text));
    // A rule typed below an enabled empty row would be lost too: the message names the empty row.
    for (const auto &c : cells)
        Grid->SetCellEx(c.col, 3, QLatin1String(c.text));
    Guard.Fake.Calls.clear();
    Form->Btn_OKClick();
    EXPECT_EQ(Guard.Fake.LastText(),
              QStringLiteral("Error row 2!! The row is enabled and has no IP Address, and row 3 after it holds a "
                             "connection: the rows after it would not be saved. Delete or disable the row"));
    EXPECT_FALSE(QFile::exists(Path_EtherNetIP_Master_Rules));

    // A disabled empty row does not stop the writer: both connections are saved.
    Grid->SetCellEx(1, 2, QStringLiteral("N"));
    Guard.Fake.Calls.clear();
    Form->Btn_OKClick();
    EXPECT_TRUE(Guard.Fake.Calls.empty()) << Guard.Fake.LastText().toStdString();
    EXPECT_EQ(Form->result(), mrOk);
    const TEtherNetIP_Rules saved = TEtherNetIP_Rules::Load(Path_EtherNetIP_Master_Rules);
    EXPECT_EQ(saved.Rows[0][EC_IP_Address], QStringLiteral("10.0.0.7"));
    EXPECT_FALSE(saved.Rows[0][EC_ElectronicKey].isEmpty());   // from the import
    EXPECT_EQ(saved.Rows[2][EC_IP_Address], QStringLiteral("10.0.0.7"));
    EXPECT_TRUE(saved.ArrTargetConf[0]);
}

} // namespace

namespace {

TEST_F(MasterAccessTest, HeaderHintsShowOverTheHeaderCells)
{
    ASSERT_TRUE(Form->FormShow());
    Form->show();
    const auto tooltip = [this](int col, int row) {
        QToolTip::hideText();
        const TRect r = Grid->CellRect(col, row);
        const QPoint at((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
        QHelpEvent event(QEvent::ToolTip, at, Grid->viewport()->mapToGlobal(at));
        QApplication::sendEvent(Grid->viewport(), &event);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    EXPECT_EQ(tooltip(2, 0), QStringLiteral("Insert the IP Address of EtherNet/IP Slave"));
    EXPECT_EQ(tooltip(1, 0), QStringLiteral("Enable or Disable the Row"));
}

} // namespace
