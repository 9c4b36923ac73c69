#include "app/lbbutton.h"
#include "app/tableediting.h"
#include "gateway/lora_set_access.h"
#include "gateway/rule_grid.h"
#include "gateway_fixture.h"
#include "grid/string/dazcolumngrid.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QTabWidget>
#include <QToolTip>
#include <QApplication>
#include <QHelpEvent>

namespace {

class LoRaSetAccessTest : public GatewayTest
{
protected:
    void SetUp() override
    {
        GatewayTest::SetUp();
        Form = std::make_unique<TFLoRa_Set_Access>();
    }
    void TearDown() override
    {
        Form.reset();
        GatewayTest::TearDown();
    }
    void Write_ParGen(int payload, const char *fport)
    {
        Write(Path_ParGen, QStringLiteral("<Par_Gen><LoRa_Payload_Size>%1</LoRa_Payload_Size><LoRa_FPort>%2</LoRa_FPort>"
                                          "</Par_Gen>")
                               .arg(payload)
                               .arg(QLatin1String(fport))
                               .toUtf8());
    }
    static void Set(TDazStringGrid *grid, int row, const QStringList &cells)
    {
        for (qsizetype c = 0; c < cells.size(); ++c)
            grid->SetCellEx(int(c) + 1, row, cells[c]);
    }
    QStringList Row(TDazStringGrid *grid, int row)
    {
        QStringList out;
        for (int c = 0; c < grid->AllColCount(); ++c)
            out << grid->GetCellEx(c, row);
        return out;
    }

    std::unique_ptr<TFLoRa_Set_Access> Form;
};

TEST_F(LoRaSetAccessTest, CreationSetsTextsAndLayout)
{
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Set LoRaWAN Access"));
    EXPECT_EQ(Form->L_SW_Code->text(), QStringLiteral("CF41R08"));
    EXPECT_EQ(Form->width(), 900);
    EXPECT_EQ(Form->Btn_PasteRow->Caption(), QStringLiteral("Paste Row"));
    EXPECT_EQ(Form->Btn_OK->Hint(), QStringLiteral("Confirm and save the LoRaWAN Access List"));
    EXPECT_EQ(Form->Btn_Cancel->ModalResult(), mrCancel);
    EXPECT_EQ(Form->PC_LoRa->tabText(1), QStringLiteral("LoRaWAN Downlink"));
    EXPECT_EQ(Form->ACG_LoRa_Uplink->AllColCount(), 10);
    EXPECT_EQ(Form->ACG_LoRa_Downlink->AllColCount(), 6);
    EXPECT_EQ(Form->ACG_LoRa_Uplink->GetCellEx(2, 0), QStringLiteral("Start Byte"));
    EXPECT_EQ(Form->ACG_LoRa_Downlink->ColWidths(5), 550);
    EXPECT_EQ(Form->Hint_UpLink.size(), 9);
    EXPECT_EQ(Form->Hint_UpLink[7], QStringLiteral("Port Field (1-223)"));
    EXPECT_EQ(Form->Hint_DownLink.size(), 5);
}

TEST_F(LoRaSetAccessTest, ShowWithoutFilesWarnsAndClearsTheTables)
{
    ASSERT_TRUE(Form->FormShow());
    EXPECT_EQ(Guard.Fake.Texts(),
              QStringList(QStringLiteral("Warning!! Max Payload Size not Set Up. Set it in \"Set Communication\" section")));
    EXPECT_EQ(Form->MaxPayloadSize, 0);
    EXPECT_TRUE(Form->FPortFixed);
    for (TDazStringGrid *grid : {Form->ACG_LoRa_Uplink, Form->ACG_LoRa_Downlink}) {
        EXPECT_EQ(grid->RowCount(), 257);
        EXPECT_EQ(grid->NumHiddenColumns(), 1);
        EXPECT_EQ(grid->GetCellEx(0, 256), QStringLiteral("255"));
        EXPECT_EQ(grid->GetCellEx(1, 256), QStringLiteral("Y"));
        bool state = false;
        ASSERT_TRUE(grid->GetCheckBoxState(1, 256, state));
        EXPECT_TRUE(state);
    }
    EXPECT_TRUE(Form->ACG_LoRa_Uplink->IsHiddenColumn(8));
    EXPECT_TRUE(Form->ACG_LoRa_Downlink->IsHiddenColumn(4));
    // Nothing to save yet: an empty file of two lists.
    Form->Btn_OKClick();
    EXPECT_EQ(Guard.Fake.Calls.size(), 1u);
    const TLoRaWAN_Rules saved = TLoRaWAN_Rules::Load(Path_LoRaWAN_SetAccess, 2);
    EXPECT_EQ(saved.Uplink.size(), 1u);
    EXPECT_EQ(saved.Uplink[0][LU_StartByte], QString());
}

TEST_F(LoRaSetAccessTest, ShowLoadsTheProjectAndOkWritesItBack)
{
    Copy_Project(QStringLiteral("full"), {"ParGen.xml", "LoRaWAN_SetAccess.xml"});
    ASSERT_TRUE(Form->FormShow());
    EXPECT_TRUE(Guard.Fake.Calls.empty());
    EXPECT_EQ(Form->MaxPayloadSize, 222);
    EXPECT_FALSE(Form->FPortFixed);
    TDazStringGrid *up = Form->ACG_LoRa_Uplink;
    EXPECT_EQ(up->RowCount(), 224);
    EXPECT_EQ(up->NumHiddenColumns(), 0);
    EXPECT_EQ(Row(up, 3), (QStringList{"2", "Y", "20", "12", "N", "Y", "Y", "600", "5", "Status"}));
    EXPECT_EQ(up->GetCellEx(1, 4), QStringLiteral(" y "));   // kept as written
    EXPECT_EQ(Row(Form->ACG_LoRa_Downlink, 3), (QStringList{"2", "Y", "1536", "2", "", "Command"}));

    // The empty FPort of downlink row 3 fails with the port column shown; uplink row 4 is
    // not enabled (" y " is not "Y").
    const QByteArray before = Read_Bytes(Path_LoRaWAN_SetAccess);
    Form->Btn_OKClick();
    EXPECT_EQ(Guard.Fake.LastText(), QStringLiteral("Error row 3!! [LoraWAN Downlink] FPort must be between 1 and 223"));
    EXPECT_EQ(Read_Bytes(Path_LoRaWAN_SetAccess), before);
    up->SetCellEx(8, 4, QStringLiteral("2"));
    Form->ACG_LoRa_Downlink->SetCellEx(4, 3, QStringLiteral("2"));
    Form->Btn_OKClick();
    EXPECT_EQ(Guard.Fake.Calls.size(), 1u);
    EXPECT_EQ(Form->result(), mrOk);
    const TLoRaWAN_Rules saved = TLoRaWAN_Rules::Load(Path_LoRaWAN_SetAccess, 2);
    ASSERT_EQ(saved.Uplink.size(), 4u);
    EXPECT_EQ(saved.Uplink[3][LU_FPort], QStringLiteral("2"));
    EXPECT_EQ(saved.Uplink[3][LU_Enable], QStringLiteral(" y "));
    ASSERT_EQ(saved.Downlink.size(), 3u);
    EXPECT_EQ(saved.Downlink[2][LD_Mnemonic], QStringLiteral("Command"));
}

TEST_F(LoRaSetAccessTest, ChecksAgainstThePayloadSize)
{
    Write_ParGen(51, "Fixed");
    ASSERT_TRUE(Form->FormShow());
    TDazStringGrid *up = Form->ACG_LoRa_Uplink;
    struct Case
    {
        QStringList cells;
        const char *error;
    };
    const Case cases[] = {
        {{"Y", "0", "49", "N", "N", "N", ""}, ""},
        {{"Y", "0", "50", "N", "N", "N", ""}, "Error row 1!! [LoraWAN Uplink] Number Byte must be between 0 and 49"},
        {{"N", "5000", "", "N", "N", "N", ""}, ""},
        {{"Y", "5000", "1", "N", "N", "N", ""}, "Error row 1!! [LoraWAN Uplink] Start Byte must be between 0 and 1536"},
        {{"Y", "0", "1", "N", "N", "Y", "29"}, "Error row 1!! [LoraWAN Uplink] Time (s) must be between 30 and 86400"},
    };
    for (const Case &c : cases) {
        Guard.Fake.Calls.clear();
        Set(up, 1, c.cells);
        EXPECT_EQ(Form->Controllo_dati(), *c.error == 0) << c.error;
        EXPECT_EQ(Guard.Fake.LastText(), QLatin1String(c.error));
    }
}

TEST_F(LoRaSetAccessTest, MoreRulesThanTheGridAreKept)
{
    Write_ParGen(222, "Fixed");
    TLoRaWAN_Rules many = TLoRaWAN_Rules::Blank(301);
    for (int i = 0; i < 300; ++i) {
        many.Uplink[size_t(i)][LU_StartByte] = QString::number(i);
        many.Uplink[size_t(i)][LU_NumByte] = QStringLiteral("1");
    }
    many.Save(Path_LoRaWAN_SetAccess);
    ASSERT_TRUE(Form->FormShow());
    EXPECT_EQ(Form->ACG_LoRa_Uplink->RowCount(), 301);
    EXPECT_EQ(Form->ACG_LoRa_Downlink->RowCount(), 257);
    Form->Btn_OKClick();
    EXPECT_EQ(TLoRaWAN_Rules::Load(Path_LoRaWAN_SetAccess, 2).Uplink.size(), 300u);
}

TEST_F(LoRaSetAccessTest, RowButtonsWorkOnTheActivePage)
{
    Write_ParGen(222, "Fixed");
    ASSERT_TRUE(Form->FormShow());
    TDazStringGrid *up = Form->ACG_LoRa_Uplink;
    TDazStringGrid *down = Form->ACG_LoRa_Downlink;
    Set(up, 1, {"Y", "0", "4", "N", "N", "N", "", "", "first"});
    Set(up, 2, {"Y", "4", "4", "N", "N", "N", "", "", "second"});
    up->FocusCell(2, 1, true);
    Form->Btn_CopyRowClick();
    EXPECT_TRUE(Form->Do_Copy_Uplink);

    // Pasting into the downlink table is refused: the copy was made in the other one.
    Form->PC_LoRa->setCurrentIndex(1);
    EXPECT_EQ(Form->Active_Grid(), down);
    down->FocusCell(2, 1, true);
    Form->Btn_PasteRowClick();
    EXPECT_EQ(Guard.Fake.LastText(), QStringLiteral("Error!!! Copy a valid row before Paste it"));

    Form->PC_LoRa->setCurrentIndex(0);
    up->FocusCell(2, 2, true);
    Guard.Fake.Answers = {TMsgResult::No, TMsgResult::Yes};
    Form->Btn_DelRowClick();
    EXPECT_EQ(Guard.Fake.LastText(), QStringLiteral("Are you sure to delete the Row number 2"));
    EXPECT_EQ(up->GetCellEx(9, 2), QStringLiteral("second"));
    Form->Btn_DelRowClick();
    EXPECT_EQ(up->GetCellEx(9, 2), QString());
    Form->Btn_InsRowClick();
    EXPECT_EQ(Row(up, 2), (QStringList{"1", "Y", "", "", "", "", "", "", "", ""}));

    down->OnClickCell(down, 5, 0);
    EXPECT_TRUE(down->RowSelect(5) || down->Selection().Top == 5);
}

TEST_F(LoRaSetAccessTest, HeaderHintsFollowHiddenColumns)
{
    Write_ParGen(222, "Fixed");
    ASSERT_TRUE(Form->FormShow());
    QString hint = QStringLiteral("x");
    Form->ACG_LoRa_Uplink->OnGridHint(Form->ACG_LoRa_Uplink, 0, 8, hint);   // FPort hidden: Mnemonic is 8th
    EXPECT_EQ(hint, QStringLiteral("Insert a description of the LoRaWAN Uplink Rule"));
    Form->GridHint(Form->ACG_LoRa_Uplink, 1, 8, hint);
    EXPECT_EQ(hint, QString());

    // A header double click sizes its column with the option on.
    Opt_Double_Click_Auto_Size = true;
    TDazStringGrid *down = Form->ACG_LoRa_Downlink;
    down->OnDblClickCell(down, 0, 5);
    EXPECT_LT(down->ColWidths(5), 550);
}

TEST_F(LoRaSetAccessTest, EnterTypedInTheGridMovesToTheNextCell)
{
    Write_ParGen(222, "Fixed");
    ASSERT_TRUE(Form->FormShow());
    Form->show();
    Opt_Jump_Field_Tables = true;
    TDazStringGrid *up = Form->ACG_LoRa_Uplink;
    up->setFocus();
    up->FocusCell(2, 1, true);
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent key(type, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QCoreApplication::sendEvent(up, &key);
    }
    EXPECT_EQ(up->Col(), 3);
    EXPECT_EQ(up->Row(), 1);
}

} // namespace

namespace {

// What the window writes it reads back unchanged: saving again gives the same bytes, with
// blanks, mark-up characters and non-ASCII text in the cells, hidden FPort cells included.
TEST_F(LoRaSetAccessTest, SavedFileReadsBackToTheSameBytes)
{
    for (const char *ports : {"Variable", "Fixed"}) {
        Write_ParGen(222, ports);
        QFile::remove(Path_LoRaWAN_SetAccess);
        ASSERT_TRUE(Form->FormShow());
        TDazStringGrid *up = Form->ACG_LoRa_Uplink;
        TDazStringGrid *down = Form->ACG_LoRa_Downlink;
        Set(up, 1, {"Y", "0", "10", "Y", "N", "N", "", "2", " <Temp> & \"Hum\" "});
        Set(up, 2, {"N", " 7 ", "x", "y", "", "Y", "5", "", "Grüße 温度"});
        Set(up, 3, {"Y", "20", "12", "N", "Y", "Y", "600", "5", "Status\tTab"});
        Set(down, 1, {"Y", "0", "8", "3", "Set 'points'"});
        Set(down, 2, {"N", "8", "", "", ""});
        Form->Btn_OKClick();
        ASSERT_EQ(Form->result(), mrOk) << ports << " " << Guard.Fake.LastText().toStdString();
        const QByteArray first = Read_Bytes(Path_LoRaWAN_SetAccess);

        const std::vector<QStringList> shown = Get_Rows(*up);
        Form->PC_LoRa->setCurrentIndex(1);
        ASSERT_TRUE(Form->FormShow());
        EXPECT_EQ(Form->Active_Grid(), up);   // each showing starts on the uplink page
        EXPECT_EQ(Get_Rows(*up), shown) << ports;
        Form->setResult(mrNone);
        Form->Btn_OKClick();
        ASSERT_EQ(Form->result(), mrOk) << ports;
        EXPECT_EQ(Read_Bytes(Path_LoRaWAN_SetAccess), first) << ports;
    }
}

// A file that cannot be written is reported; the window stays open and no file appears.
TEST_F(LoRaSetAccessTest, WriteFailureKeepsTheWindowOpen)
{
    Write_ParGen(222, "Fixed");
    ASSERT_TRUE(Form->FormShow());
    Set(Form->ACG_LoRa_Uplink, 1, {"Y", "0", "10", "N", "N", "N", "", "", "m"});
    ASSERT_TRUE(QDir().mkpath(Path_LoRaWAN_SetAccess));   // a folder where the file belongs
    Form->setResult(mrNone);
    Form->Btn_OKClick();
    ASSERT_EQ(Guard.Fake.Calls.size(), 1u);
    EXPECT_EQ(Guard.Fake.Calls[0].kind, TMsgKind::Error);
    EXPECT_NE(Form->result(), mrOk);
    EXPECT_TRUE(QFileInfo(Path_LoRaWAN_SetAccess).isDir());
    EXPECT_TRUE(QDir(Project_Path).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral(".tmp")).isEmpty());
}

} // namespace

namespace {

// A damaged rule or settings file is reported and the window does not open; nothing is
// written over the file.
TEST_F(LoRaSetAccessTest, DamagedFilesAreReportedAndLeftAlone)
{
    const char *pargen_ok = "<Par_Gen><LoRa_Payload_Size>51</LoRa_Payload_Size></Par_Gen>";
    const struct
    {
        const char *pargen;
        const char *rules;
        const char *says;   // part of the message
    } cases[] = {
        {pargen_ok, "<LoRaWAN_Set_Access><LoRaWAN_Uplink>", "LoRaWAN_SetAccess.xml"},
        {pargen_ok, "<LoRaWAN_Set_Access><LoRaWAN_Uplink/></LoRaWAN_Set_Access>", "LoRaWAN_Downlink"},
        {pargen_ok, "<LoRaWAN_Set_Access><LoRaWAN_Downlink/></LoRaWAN_Set_Access>", "LoRaWAN_Uplink"},
        {"<Par_Gen><LoRa_Payload_Size>51", "<LoRaWAN_Set_Access/>", "ParGen.xml"},
    };
    for (const auto &c : cases) {
        Guard.Fake.Calls.clear();
        Write(Path_ParGen, c.pargen);
        Write(Path_LoRaWAN_SetAccess, c.rules);
        EXPECT_FALSE(Form->FormShow()) << c.rules;
        ASSERT_EQ(Guard.Fake.Calls.size(), 1u) << c.rules;
        EXPECT_EQ(Guard.Fake.Calls[0].kind, TMsgKind::Error);
        EXPECT_TRUE(Guard.Fake.LastText().contains(QLatin1String(c.says))) << Guard.Fake.LastText().toStdString();
        EXPECT_EQ(Form->exec(), mrNone);
        EXPECT_EQ(Read_Bytes(Path_LoRaWAN_SetAccess), QByteArray(c.rules));
    }
}

TEST_F(LoRaSetAccessTest, OkRefusesARowInsertedBeforeRules)
{
    Write_ParGen(222, "Fixed");
    ASSERT_TRUE(Form->FormShow());
    TDazStringGrid *up = Form->ACG_LoRa_Uplink;
    for (int r = 1; r <= 3; ++r)
        Set(up, r, {"Y", QString::number(r * 10), "4", "N", "N", "N", "", "", QStringLiteral("Rule %1").arg(r)});
    Guard.Fake.Calls.clear();
    up->FocusCell(2, 1, true);
    Form->Btn_InsRowClick();
    ASSERT_EQ(up->GetCellEx(2, 2), QStringLiteral("10"));
    Form->Btn_OKClick();
    EXPECT_EQ(Guard.Fake.Texts(),
              QStringList(QStringLiteral("Error row 1!! [LoraWAN Uplink] The row is empty and row 2 after it holds a "
                                         "rule: the rules after an empty row would not be saved. Delete the empty "
                                         "row")));
    EXPECT_FALSE(QFile::exists(Path_LoRaWAN_SetAccess));
    EXPECT_NE(Form->result(), mrOk);

    // Deleting the empty row lets all three rules through.
    Guard.Fake.Calls.clear();
    Form->Btn_DelRowClick();
    Form->Btn_OKClick();
    EXPECT_EQ(Guard.Fake.Calls.size(), 1u);   // the delete question only
    EXPECT_EQ(Form->result(), mrOk);
    const TLoRaWAN_Rules saved = TLoRaWAN_Rules::Load(Path_LoRaWAN_SetAccess, 2);
    ASSERT_EQ(saved.Uplink.size(), 3u);
    EXPECT_EQ(saved.Uplink[2][LU_Mnemonic], QStringLiteral("Rule 3"));
}

// The hint a real tooltip event over the header cell of displayed column col shows.
QString Header_Tooltip(TDazStringGrid *grid, int col)
{
    QToolTip::hideText();
    const TRect r = grid->CellRect(col, 0);
    const QPoint at((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    QHelpEvent event(QEvent::ToolTip, at, grid->viewport()->mapToGlobal(at));
    QApplication::sendEvent(grid->viewport(), &event);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

TEST_F(LoRaSetAccessTest, HeaderHintsShowOverTheHeaderCells)
{
    for (const char *ports : {"Fixed", "Variable"}) {
        Write_ParGen(222, ports);
        ASSERT_TRUE(Form->FormShow());
        Form->show();
        const bool fixed = Form->FPortFixed;
        TDazStringGrid *up = Form->ACG_LoRa_Uplink;
        EXPECT_EQ(Header_Tooltip(up, 2), QStringLiteral("Insert the Start Byte of LoRaWAN Uplink Rule")) << ports;
        // Displayed column 8 is FPort, or Mnemonic while FPort is hidden.
        EXPECT_EQ(Header_Tooltip(up, 8), fixed ? Form->Hint_UpLink[8] : QStringLiteral("Port Field (1-223)")) << ports;
        // A data cell has no hint of its own.
        QString hint = QStringLiteral("x");
        Form->GridHint(up, 1, 2, hint);
        EXPECT_EQ(hint, QString()) << ports;

        Form->PC_LoRa->setCurrentIndex(1);
        EXPECT_EQ(Header_Tooltip(Form->ACG_LoRa_Downlink, 5 - (fixed ? 1 : 0)), Form->Hint_DownLink[4]) << ports;
        Form->hide();
    }
}

} // namespace
