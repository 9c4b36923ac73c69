// The Modbus serial master editor on the rule frame: layout, texts, showing, loading,
// checks, saving and the row buttons and grid events.
#include "app/lbbutton.h"
#include "editors/fieldbus/setaccess.h"
#include "fieldbus_fixture.h"
#include "grid/string/dazcolumngrid.h"
#include "platform/xml.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFrame>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QTabWidget>
#include <QTimer>
#include <QToolTip>

namespace {

const QStringList Read_Attrs = {"Enable",   "Slave_ID", "Type", "Address",  "NPoint",      "PollTime", "MaxError",
                                "Position", "Bit",      "Swap", "SwapWord", "Index_Topic", "Mnemonic"};
const QStringList Write_Attrs = {"Enable",   "Slave_ID", "Type",     "Address", "NPoint", "PollTime",  "OnChange",
                                 "OnCMD",    "MaxError", "Position", "Bit",     "Swap",   "SwapWord", "Mnemonic"};

// A valid read rule of registers and a valid write rule of coils, columns 1 on.
const QStringList Good_Read = {"Y", "1", "Holding Register", "0", "10", "1000", "3", "0", "", "N", "N", "", "r"};
const QStringList Good_Write = {"Y", "1", "Coil Status", "0", "8", "1000", "N", "N", "3", "0", "0", "N", "N", "w"};

class SetAccessTest : public FieldbusTest
{
protected:
    void SetUp() override
    {
        FieldbusTest::SetUp();
        Form = std::make_unique<TFSetAccess>();
    }
    void TearDown() override
    {
        Form.reset();
        FieldbusTest::TearDown();
    }
    QString File_Text() const { return QString::fromUtf8(Read_Bytes(Path_ModbusM_SetAccess)).remove(QLatin1Char('\r')); }
    // One row element with the attributes given in order.
    static QString Row_Xml(const QStringList &attrs, const QStringList &values)
    {
        QString xml = QStringLiteral("<row");
        for (qsizetype i = 0; i < attrs.size() && i < values.size(); ++i)
            xml += QStringLiteral(" %1=\"%2\"").arg(attrs[i], values[i]);
        return xml + QStringLiteral("/>");
    }
    TDazColumnGrid *Read() const { return Form->ACG_Modbus_Read; }
    TDazColumnGrid *Write_Grid() const { return Form->ACG_Modbus_Write; }

    std::unique_ptr<TFSetAccess> Form;
};

TEST_F(SetAccessTest, CreationLaysOutTheWindowAndTakesTheTexts)
{
    EXPECT_EQ(Form->objectName(), QStringLiteral("FSetAccess"));
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Set Modbus Access"));
    EXPECT_EQ(Form->L_SW_Code->text(), QStringLiteral("CF41R08"));
    EXPECT_EQ(Form->L_SW_Desc->text(), QStringLiteral("Set Modbus Access"));
    EXPECT_EQ(Form->size(), QSize(1040, 337));
    EXPECT_EQ(Form->P_Title->height(), 69);
    EXPECT_EQ(Form->L_SW_Code->pos(), QPoint(16, 8));
    EXPECT_EQ(Form->L_SW_Desc->pos(), QPoint(16, 42));
    EXPECT_EQ(Form->L_SW_Code->font().pixelSize(), 32);
    EXPECT_EQ(Form->L_SW_Desc->font().pixelSize(), 11);
    EXPECT_TRUE(Form->L_SW_Desc->font().bold());
    EXPECT_EQ(Form->P_Button->maximumHeight(), 40);
    for (QWidget *w : {static_cast<QWidget *>(Form.get()), static_cast<QWidget *>(Form->P_Title),
                       static_cast<QWidget *>(Form->P_Button)})
        EXPECT_EQ(w->palette().color(QPalette::Window), QColor(248, 247, 237)) << w->objectName().toStdString();

    const std::vector<std::pair<TLbButton *, const char *>> buttons = {
        {Form->Btn_OK, "OK"},          {Form->Btn_Cancel, "Cancel"},     {Form->Btn_DelRow, "Delete Row"},
        {Form->Btn_InsRow, "Insert Row"}, {Form->Btn_CopyRow, "Copy Row"}, {Form->Btn_PasteRow, "Paste Row"}};
    for (size_t i = 0; i < buttons.size(); ++i) {
        EXPECT_EQ(buttons[i].first->geometry(), QRect(16 + int(i) * 118, 6, 110, 28)) << buttons[i].second;
        EXPECT_EQ(buttons[i].first->Caption(), QLatin1String(buttons[i].second));
    }
    EXPECT_EQ(Form->Btn_OK->Hint(), QStringLiteral("Confirm and save the Modbus Master Set Access List"));
    EXPECT_EQ(Form->Btn_PasteRow->Hint(), QStringLiteral("Paste the Copied Fields in the Selected Row"));
    EXPECT_EQ(Form->Btn_Cancel->ModalResult(), mrCancel);
    EXPECT_EQ(Form->Btn_OK->ModalResult(), mrNone);

    EXPECT_EQ(Form->PageControl1->count(), 2);
    EXPECT_EQ(Form->PageControl1->tabText(0), QStringLiteral("Modbus Read"));
    EXPECT_EQ(Form->PageControl1->tabText(1), QStringLiteral("Modbus Write"));
    EXPECT_EQ(Form->TS_Modbus_Read->objectName(), QStringLiteral("TS_Modbus_Read"));
    EXPECT_EQ(Form->TS_Modbus_Write->objectName(), QStringLiteral("TS_Modbus_Write"));

    const std::vector<int> read_widths = {40, 50, 60, 115, 60, 64, 64, 64, 61, 64, 40, 80, 120, 120};
    const std::vector<int> write_widths = {40, 50, 60, 115, 60, 64, 64, 68, 56, 64, 64, 64, 40, 80, 113};
    for (auto [grid, widths] : {std::pair{Read(), read_widths}, std::pair{Write_Grid(), write_widths}}) {
        EXPECT_EQ(grid->RowCount(), 513);
        ASSERT_EQ(grid->AllColCount(), int(widths.size()));
        for (size_t c = 0; c < widths.size(); ++c)
            EXPECT_EQ(grid->ColWidths(int(c)), widths[c]) << grid->objectName().toStdString() << " " << c;
    }
    EXPECT_EQ(Read()->GetCellEx(0, 0), QStringLiteral("N"));
    EXPECT_EQ(Read()->GetCellEx(11, 0), QStringLiteral("SwapWord"));
    EXPECT_EQ(Read()->GetCellEx(12, 0), QStringLiteral("Topic"));
    EXPECT_EQ(Write_Grid()->GetCellEx(7, 0), QStringLiteral("On Change"));
    EXPECT_EQ(Read()->Columns().Items(3)->Editor(), edComboList);
    EXPECT_EQ(Read()->Columns().Items(3)->ComboItems().Count(), 4);
    EXPECT_EQ(Write_Grid()->Columns().Items(3)->ComboItems().Count(), 2);
    EXPECT_EQ(Read()->Columns().Items(1)->Editor(), edDataCheckBox);
    EXPECT_EQ(Write_Grid()->Columns().Items(8)->Editor(), edDataCheckBox);
    EXPECT_EQ(Read()->Columns().Items(9)->ComboItems().Count(), 8);

    ASSERT_EQ(Form->Hint_Modbus_Set_Access_Read.size(), 13);
    EXPECT_EQ(Form->Hint_Modbus_Set_Access_Read[0], QStringLiteral("Enable or Disable the Modbus Rule"));
    EXPECT_EQ(Form->Hint_Modbus_Set_Access_Read[11], QStringLiteral("Select the Topic from the List"));
    ASSERT_EQ(Form->Hint_Modbus_Set_Access_Write.size(), 14);
    EXPECT_EQ(Form->Hint_Modbus_Set_Access_Write[6],
              QStringLiteral("Enable or Disable the Possibility to Send the Write Modbus Reques when Data Change"));
    EXPECT_TRUE(Form->List_Publish_Topic.isEmpty());
    EXPECT_EQ(Form->Working_Mode, 0);
}

TEST_F(SetAccessTest, ShowingWithoutAFileResetsAndOkWritesTheEmptyLists)
{
    Read()->SetCellEx(2, 5, QStringLiteral("left over"));
    Read()->HideColumn(8);
    Form->PageControl1->setCurrentIndex(1);
    Form->FormShow();
    EXPECT_TRUE(Guard.Fake.Calls.empty());
    EXPECT_EQ(Form->PageControl1->currentIndex(), 0);
    EXPECT_TRUE(Form->PageControl1->isTabVisible(1));
    EXPECT_TRUE(Read()->IsHiddenColumn(12));
    EXPECT_FALSE(Read()->IsHiddenColumn(8));
    EXPECT_FALSE(Read()->IsHiddenColumn(9));
    EXPECT_EQ(Read()->NumHiddenColumns(), 1);
    EXPECT_EQ(Form->NByte_IN, 1500);
    EXPECT_EQ(Form->NByte_OUT, 1500);
    EXPECT_EQ(Form->ComboItem_Topic, std::vector<int>(512, -1));
    for (auto [grid, col] : {std::pair{Read(), 8}, std::pair{Write_Grid(), 10}}) {
        const TStringList &items = grid->Columns().Items(col)->ComboItems();
        ASSERT_EQ(items.Count(), 1500);
        EXPECT_EQ(items[0], QStringLiteral("0"));
        EXPECT_EQ(items[1499], QStringLiteral("1499"));
    }
    for (TDazColumnGrid *grid : {Read(), Write_Grid()})
        for (int r : {1, 5, 512}) {
            QStringList expected(grid->AllColCount(), QString());
            expected[0] = QString::number(r);
            expected[1] = QStringLiteral("Y");
            EXPECT_EQ(Row(grid, r), expected) << r;
        }

    Form->bitbtn1Click();
    EXPECT_EQ(Form->result(), mrOk);
    EXPECT_EQ(File_Text(), QStringLiteral("<EtherNetIP_to_Modbus>\n  <Modbus_Read />\n  <Modbus_Write />\n"
                                          "</EtherNetIP_to_Modbus>\n<!--SW_VERSION = 1.001-->\n"));
}

TEST_F(SetAccessTest, OkSavesRowsAsTypedUpToTheFirstEmptySlaveIdAndShowReadsThemBack)
{
    Form->FormShow();
    Set(Read(), 1, {"Y", " 5", "Holding Register", "0", "10", "1000", "3", "0", "", "N", "Y", "", "a & \"b\""});
    Set(Read(), 2, {"N", "0", "", "bad", "", "", "", "", "", "", "", "", "disabled"});
    Set(Read(), 4, {"Y", "1", "Coil Status", "0", "1", "1", "0", "0", "0", "N", "N", "", "after a gap"});
    Set(Write_Grid(), 1, {"Y", "1", "Coil Status", "0", "8", "0", "Y", "N", "3", "0", "0", "N", "N", "Grüße"});
    Set(Write_Grid(), 2, {"N", "0", "", "", "", "", "N", "N", "", "", "", "", "", ""});
    Set(Write_Grid(), 3, {"Y", " ", "Coil Status", "0", "8", "0", "Y", "N", "3", "0", "0", "N", "N", "blank key"});
    Form->bitbtn1Click();
    ASSERT_EQ(Form->result(), mrOk) << Guard.Fake.LastText().toStdString();
    EXPECT_EQ(File_Text(),
              QStringLiteral(
                  "<EtherNetIP_to_Modbus>\n"
                  "  <Modbus_Read>\n"
                  "    <row Enable=\"Y\" Slave_ID=\" 5\" Type=\"Holding Register\" Address=\"0\" NPoint=\"10\" "
                  "PollTime=\"1000\" MaxError=\"3\" Position=\"0\" Bit=\"\" Swap=\"N\" SwapWord=\"Y\" Index_Topic=\"\" "
                  "Mnemonic=\"a &amp; &quot;b&quot;\" />\n"
                  "    <row Enable=\"N\" Slave_ID=\"0\" Type=\"\" Address=\"bad\" NPoint=\"\" PollTime=\"\" MaxError=\"\" "
                  "Position=\"\" Bit=\"\" Swap=\"\" SwapWord=\"\" Index_Topic=\"\" Mnemonic=\"disabled\" />\n"
                  "  </Modbus_Read>\n"
                  "  <Modbus_Write>\n"
                  "    <row Enable=\"Y\" Slave_ID=\"1\" Type=\"Coil Status\" Address=\"0\" NPoint=\"8\" PollTime=\"0\" "
                  "OnChange=\"Y\" OnCMD=\"N\" MaxError=\"3\" Position=\"0\" Bit=\"0\" Swap=\"N\" SwapWord=\"N\" "
                  "Mnemonic=\"Grüße\" />\n"
                  "    <row Enable=\"N\" Slave_ID=\"0\" Type=\"\" Address=\"\" NPoint=\"\" PollTime=\"\" OnChange=\"N\" "
                  "OnCMD=\"N\" MaxError=\"\" Position=\"\" Bit=\"\" Swap=\"\" SwapWord=\"\" Mnemonic=\"\" />\n"
                  "  </Modbus_Write>\n"
                  "</EtherNetIP_to_Modbus>\n"
                  "<!--SW_VERSION = 1.001-->\n"));

    const QStringList read1 = Row(Read(), 1);
    const QStringList read2 = Row(Read(), 2);
    const QStringList write1 = Row(Write_Grid(), 1);
    Form->FormShow();
    EXPECT_EQ(Row(Read(), 1), read1);
    EXPECT_EQ(Row(Read(), 2), read2);
    EXPECT_EQ(Row(Write_Grid(), 1), write1);
    EXPECT_EQ(Read()->GetCellEx(2, 1), QStringLiteral(" 5"));
    EXPECT_EQ(Read()->GetCellEx(13, 4), QString());   // after the gap: gone
    EXPECT_EQ(Write_Grid()->GetCellEx(14, 3), QString());

    // Saved again, the same bytes.
    const QByteArray first = Read_Bytes(Path_ModbusM_SetAccess);
    Form->setResult(mrNone);
    Form->bitbtn1Click();
    EXPECT_EQ(Read_Bytes(Path_ModbusM_SetAccess), first);
}

TEST_F(SetAccessTest, LoadingTakesDefaultsIgnoresExtraRowsAndAnyRootName)
{
    QString xml = QStringLiteral("<Another_Root><Modbus_Read>");
    // Enable, Swap, SwapWord and Index_Topic missing: "Y", "N", "N", empty Topic.
    xml += Row_Xml({"Slave_ID", "Type", "Address", "NPoint", "PollTime", "MaxError", "Position", "Bit", "Mnemonic"},
                   {"7", "Input Status", "1", "2", "3", "4", "5", "6", "m"});
    for (int i = 0; i < 520; ++i)
        xml += Row_Xml(Read_Attrs, {"N", QString::number(i), "", "", "", "", "", "", "", "", "", "9", "x"});
    xml += QStringLiteral("</Modbus_Read><Modbus_Write>");
    xml += Row_Xml({"Slave_ID", "Type", "Address", "NPoint", "PollTime", "OnChange", "MaxError", "Position", "Bit",
                    "Mnemonic", "Unknown"},
                   {"8", "Coil Status", "1", "2", "3", "Y", "4", "5", "6", "w", "z"});
    xml += QStringLiteral("</Modbus_Write></Another_Root>");
    Write(Path_ModbusM_SetAccess, xml.toUtf8());
    Form->FormShow();
    EXPECT_TRUE(Guard.Fake.Calls.empty()) << Guard.Fake.LastText().toStdString();
    EXPECT_EQ(Row(Read(), 1), QStringList({"1", "Y", "7", "Input Status", "1", "2", "3", "4", "5", "6", "N", "N", "", "m"}));
    EXPECT_EQ(Row(Read(), 2).mid(0, 3), QStringList({"2", "N", "0"}));
    EXPECT_EQ(Read()->GetCellEx(12, 2), QString());   // index 9 of an empty topic list
    EXPECT_EQ(Form->ComboItem_Topic[1], 9);
    EXPECT_EQ(Form->ComboItem_Topic[0], -1);
    EXPECT_EQ(Read()->GetCellEx(2, 512), QStringLiteral("510"));
    EXPECT_EQ(Read()->RowCount(), 513);
    EXPECT_EQ(Row(Write_Grid(), 1),
              QStringList({"1", "Y", "8", "Coil Status", "1", "2", "3", "Y", "N", "4", "5", "6", "N", "N", "w"}));
}

TEST_F(SetAccessTest, LoadFaultsAreReportedAndKeepWhatWasRead)
{
    const QString good_read = Row_Xml(Read_Attrs, {"Y", "1", "Coil Status", "0", "1", "1", "0", "0", "0", "N", "N", "", "ok"});
    const QString no_onchange = Row_Xml({"Enable", "Slave_ID", "Type", "Address", "NPoint", "PollTime", "OnCMD",
                                         "MaxError", "Position", "Bit", "Swap", "SwapWord", "Mnemonic"},
                                        {"Y", "2", "Coil Status", "0", "1", "1", "N", "0", "0", "0", "N", "N", "x"});
    const QString good_write = Row_Xml(Write_Attrs, {"Y", "1", "Coil Status", "0", "1", "1", "N", "N", "0", "0", "0", "N", "N", "w"});
    const struct
    {
        const char *name;
        QString xml;
        QString read1_slave, write1_slave, write2_slave;
    } cases[] = {
        {"damaged", QStringLiteral("<EtherNetIP_to_Modbus><Modbus_Read>"), "", "", ""},
        {"empty file", QString(), "", "", ""},
        {"no write list", QStringLiteral("<R><Modbus_Read>%1</Modbus_Read></R>").arg(good_read), "1", "", ""},
        {"no OnChange", QStringLiteral("<R><Modbus_Read>%1</Modbus_Read><Modbus_Write>%2%3</Modbus_Write></R>")
                            .arg(good_read, good_write, no_onchange),
         "1", "1", "2"},
    };
    for (const auto &c : cases) {
        Guard.Fake.Calls.clear();
        Write(Path_ModbusM_SetAccess, c.xml.toUtf8());
        Form->FormShow();
        ASSERT_EQ(Guard.Fake.Calls.size(), 1u) << c.name;
        EXPECT_EQ(Guard.Fake.Calls[0].kind, TMsgKind::Error) << c.name;
        EXPECT_EQ(Read()->GetCellEx(2, 1), c.read1_slave) << c.name;
        EXPECT_EQ(Write_Grid()->GetCellEx(2, 1), c.write1_slave) << c.name;
        // The row that lacks OnChange keeps what came before the fault, and no more.
        EXPECT_EQ(Write_Grid()->GetCellEx(2, 2), c.write2_slave) << c.name;
        EXPECT_EQ(Write_Grid()->GetCellEx(8, 2), QString()) << c.name;
        EXPECT_EQ(Read()->GetCellEx(1, 3), QStringLiteral("Y")) << c.name;
        EXPECT_EQ(Read()->GetCellEx(0, 3), QStringLiteral("3")) << c.name;
    }
    // The window still saves what it holds (up to the half-read row).
    Write_Grid()->SetCellEx(2, 2, QString());
    Form->bitbtn1Click();
    EXPECT_EQ(Form->result(), mrOk);
}

struct TCheck_Case
{
    const char *name;
    int table;                                      // 0 read, 1 write
    std::vector<std::pair<int, const char *>> set;  // changes to the good row
    const char *error;                              // nullptr: passes
};

TEST_F(SetAccessTest, ChecksFollowTheirOrderAndLimits)
{
    const TCheck_Case cases[] = {
        {"good read", 0, {}, nullptr},
        {"slave 0", 0, {{2, "0"}}, "Error row 1!! [Modbus Read] Slave ID must be between 1 and 247"},
        {"slave 248", 0, {{2, "248"}}, "Error row 1!! [Modbus Read] Slave ID must be between 1 and 247"},
        {"slave hex", 0, {{2, "$F7"}}, nullptr},
        {"slave trailing blank", 0, {{2, "12 "}}, "Error row 1!! [Modbus Read] Slave ID must be between 1 and 247"},
        {"first error only", 0, {{2, "0"}, {4, "x"}}, "Error row 1!! [Modbus Read] Slave ID must be between 1 and 247"},
        {"no type", 0, {{3, ""}},
         "Error row 1!! [Modbus Read] Type must be Coil Status or Input Status or Holding Register or Input Register"},
        {"address", 0, {{4, "65536"}}, "Error row 1!! [Modbus Read] Address must be between 0 and 65535"},
        {"coils 2000 at 1250", 0, {{3, "Coil Status"}, {5, "2000"}, {8, "1250"}, {9, "0"}}, nullptr},
        {"coils 2000 at 1251", 0, {{3, "Coil Status"}, {5, "2000"}, {8, "1251"}, {9, "0"}},
         "Error row 1!! [Modbus Read] Too many bytes to save starting from the Position indicate"},
        {"coils 2001", 0, {{3, "Coil Status"}, {5, "2001"}, {9, "0"}},
         "Error row 1!! [Modbus Read] NPoint must be between 1 and 2000"},
        {"registers 125 at 1250", 0, {{5, "125"}, {8, "1250"}}, nullptr},
        {"registers 126", 0, {{5, "126"}}, "Error row 1!! [Modbus Read] NPoint must be between 1 and 125"},
        {"inputs 8 bit 7 at 1498", 0, {{3, "Input Status"}, {5, "8"}, {8, "1498"}, {9, "7"}}, nullptr},
        {"inputs 10 bit 7 at 1498", 0, {{3, "Input Status"}, {5, "10"}, {8, "1498"}, {9, "7"}},
         "Error row 1!! [Modbus Read] Too many bytes to save starting from the Position indicate"},
        {"small letters are bits", 0, {{3, "coil status"}, {5, "2000"}, {9, "0"}}, nullptr},
        {"other type is registers", 0, {{3, "Something"}, {5, "126"}},
         "Error row 1!! [Modbus Read] NPoint must be between 1 and 125"},
        {"poll 0", 0, {{6, "0"}}, "Error row 1!! [Modbus Read] Poll Time must be between 1 and 100000000"},
        {"max error", 0, {{7, "100000001"}}, "Error row 1!! [Modbus Read] Max Error must be between 0 and 100000000"},
        {"position 1500", 0, {{8, "1500"}}, "Error row 1!! [Modbus Read] Position must be between 0 and 1499"},
        {"bits without start bit", 0, {{3, "Coil Status"}, {9, ""}},
         "Error row 1!! [Modbus Read] Bit must be between 0 and 7"},
        {"registers without start bit", 0, {{9, ""}}, nullptr},
        {"start bit past the int range", 0, {{3, "Coil Status"}, {9, "2147483647"}},
         "Error row 1!! [Modbus Read] Too many bytes to save starting from the Position indicate"},
        {"disabled read", 0, {{1, "N"}, {2, "0"}}, nullptr},
        {"enable with blanks", 0, {{1, " Y "}, {2, "0"}}, "Error row 1!! [Modbus Read] Slave ID must be between 1 and 247"},
        {"good write", 1, {}, nullptr},
        {"write slave", 1, {{2, "0"}}, "Error row 1!! [Modbus Write] Slave ID must be between 1 and 247"},
        {"write type", 1, {{3, ""}}, "Error row 1!! [Modbus Write] Type must be Coil Status or Holding Register"},
        {"write address", 1, {{4, "-1"}}, "Error row 1!! [Modbus Write] Address must be between 0 and 65535"},
        {"write coils 1968", 1, {{5, "1968"}}, nullptr},
        {"write coils 1969", 1, {{5, "1969"}}, "Error row 1!! [Modbus Write] NPoint must be between 1 and 1968"},
        {"write registers 124", 1, {{3, "Holding Register"}, {5, "124"}},
         "Error row 1!! [Modbus Write] NPoint must be between 1 and 123"},
        {"write input status is registers", 1, {{3, "Input Status"}, {5, "124"}},
         "Error row 1!! [Modbus Write] NPoint must be between 1 and 123"},
        {"write poll 0", 1, {{6, "0"}}, nullptr},
        {"write poll -1", 1, {{6, "-1"}}, "Error row 1!! [Modbus Write] Poll Time must be between 0 and 100000000"},
        {"write max error", 1, {{9, ""}}, "Error row 1!! [Modbus Write] Max Error must be between 0 and 100000000"},
        {"write position", 1, {{10, "1500"}}, "Error row 1!! [Modbus Write] Position must be between 0 and 1499"},
        {"write bits without start bit", 1, {{11, ""}}, "Error row 1!! [Modbus Write] Bit must be between 0 and 7"},
        {"write registers end at 1499", 1, {{3, "Holding Register"}, {5, "31"}, {10, "1438"}}, nullptr},
        {"write registers end at 1500", 1, {{3, "Holding Register"}, {5, "31"}, {10, "1439"}},
         "Error row 1!! [Modbus Write] Too many bytes to read starting from the Position indicate"},
        {"write disabled slave 0", 1, {{1, "N"}, {2, "0"}}, nullptr},
    };
    Form->FormShow();
    for (const TCheck_Case &c : cases) {
        Form->FormShow();
        Guard.Fake.Calls.clear();
        QStringList read = Good_Read, write = Good_Write;
        for (auto [col, text] : c.set)
            (c.table == 0 ? read : write)[col - 1] = QString::fromUtf8(text);
        Set(Read(), 1, read);
        Set(Write_Grid(), 1, write);
        const bool ok = Form->Controllo_dati();
        EXPECT_EQ(ok, c.error == nullptr) << c.name;
        if (c.error) {
            ASSERT_EQ(Guard.Fake.Calls.size(), 1u) << c.name;
            EXPECT_EQ(Guard.Fake.Calls[0].kind, TMsgKind::Error) << c.name;
            EXPECT_EQ(Guard.Fake.Calls[0].text, QString::fromUtf8(c.error)) << c.name;
        } else {
            EXPECT_TRUE(Guard.Fake.Calls.empty()) << c.name << ": " << Guard.Fake.LastText().toStdString();
        }
    }
}

TEST_F(SetAccessTest, ChecksNameTheRowAndStopAtTheFirstEmptySlaveId)
{
    Form->FormShow();
    Set(Read(), 1, Good_Read);
    Set(Read(), 2, Good_Read);
    Read()->SetCellEx(6, 2, QStringLiteral("0"));
    EXPECT_FALSE(Form->Controllo_dati());
    EXPECT_EQ(Guard.Fake.LastText(), QStringLiteral("Error row 2!! [Modbus Read] Poll Time must be between 1 and 100000000"));

    // Working mode 1 takes the other text of the same words.
    Lang_Text_List[3089] = QStringLiteral("!! mode text");
    Form->Working_Mode = 1;
    EXPECT_FALSE(Form->Controllo_dati());
    EXPECT_EQ(Guard.Fake.LastText(), QStringLiteral("Error row 2!! mode text"));
    Form->Working_Mode = 0;

    // A blank Slave ID ends the table: row 2 is neither checked nor saved.
    Read()->SetCellEx(2, 2, QStringLiteral("  "));
    Guard.Fake.Calls.clear();
    EXPECT_TRUE(Form->Controllo_dati());
    EXPECT_TRUE(Guard.Fake.Calls.empty());
}

TEST_F(SetAccessTest, AFailedCheckWritesNothingAndKeepsTheCells)
{
    Form->FormShow();
    Set(Read(), 1, Good_Read);
    Form->bitbtn1Click();
    ASSERT_EQ(Form->result(), mrOk);
    const QByteArray before = Read_Bytes(Path_ModbusM_SetAccess);
    const QDateTime old_time = QDateTime::currentDateTime().addDays(-2);
    {
        QFile f(Path_ModbusM_SetAccess);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(old_time, QFileDevice::FileModificationTime));
    }
    Form->setResult(mrNone);
    Set(Write_Grid(), 1, Good_Write);
    Write_Grid()->SetCellEx(5, 1, QStringLiteral("1969"));
    Form->bitbtn1Click();
    EXPECT_EQ(Form->result(), mrNone);
    EXPECT_EQ(Guard.Fake.LastText(), QStringLiteral("Error row 1!! [Modbus Write] NPoint must be between 1 and 1968"));
    EXPECT_EQ(Read_Bytes(Path_ModbusM_SetAccess), before);
    EXPECT_EQ(QFileInfo(Path_ModbusM_SetAccess).lastModified(), old_time);
    EXPECT_EQ(Write_Grid()->GetCellEx(5, 1), QStringLiteral("1969"));
}

TEST_F(SetAccessTest, AFailedSaveIsReportedAndLeavesTheOldFile)
{
    Form->FormShow();
    Set(Read(), 1, Good_Read);
    Form->bitbtn1Click();
    ASSERT_EQ(Form->result(), mrOk);
    const QByteArray before = Read_Bytes(Path_ModbusM_SetAccess);

    Form->setResult(mrNone);
    Read()->SetCellEx(13, 1, QStringLiteral("changed"));
    Set_Atomic_Write_Hook([](const QString &) { throw EFileError("No space left on device"); });
    Form->bitbtn1Click();
    Set_Atomic_Write_Hook({});
    EXPECT_NE(Form->result(), mrOk);
    ASSERT_EQ(Guard.Fake.Calls.size(), 1u);
    EXPECT_EQ(Guard.Fake.Calls[0].kind, TMsgKind::Error);
    EXPECT_TRUE(Guard.Fake.Calls[0].text.contains(QLatin1String("No space left on device")))
        << Guard.Fake.Calls[0].text.toStdString();
    EXPECT_EQ(Read_Bytes(Path_ModbusM_SetAccess), before);

    // The project folder gone: reported, the window stays open.
    Guard.Fake.Calls.clear();
    ASSERT_TRUE(QDir(Project_Path).removeRecursively());
    Form->bitbtn1Click();
    EXPECT_NE(Form->result(), mrOk);
    ASSERT_EQ(Guard.Fake.Calls.size(), 1u);
    EXPECT_EQ(Guard.Fake.Calls[0].kind, TMsgKind::Error);
}

TEST_F(SetAccessTest, CancelSavesNothingAndTheNextShowingReloadsTheFile)
{
    Form->FormShow();
    Set(Read(), 1, Good_Read);
    Form->bitbtn1Click();
    const QByteArray saved = Read_Bytes(Path_ModbusM_SetAccess);
    Form->FormShow();
    Read()->SetCellEx(13, 1, QStringLiteral("edited"));
    Read()->SetCellEx(2, 2, QStringLiteral("9"));
    Form->Btn_Cancel->click();
    EXPECT_EQ(Form->result(), mrCancel);
    EXPECT_EQ(Read_Bytes(Path_ModbusM_SetAccess), saved);
    Form->FormShow();
    EXPECT_EQ(Read()->GetCellEx(13, 1), QStringLiteral("r"));
    EXPECT_EQ(Read()->GetCellEx(2, 2), QString());
}

TEST_F(SetAccessTest, RowButtonsActOnTheActiveTable)
{
    Form->FormShow();
    for (int r = 1; r <= 8; ++r)
        Set(Read(), r, {"Y", QString::number(r), "Coil Status"});
    Read()->FocusCell(2, 7, true);
    Guard.Fake.Answers = {TMsgResult::No, TMsgResult::Yes};
    Form->Btn_DelRowClick();
    ASSERT_EQ(Guard.Fake.Calls.size(), 1u);
    EXPECT_EQ(Guard.Fake.Calls[0].kind, TMsgKind::Confirmation);
    EXPECT_EQ(Guard.Fake.LastText(), QStringLiteral("Are you sure to delete the Row number 7"));
    EXPECT_EQ(Read()->GetCellEx(2, 7), QStringLiteral("7"));
    Form->Btn_DelRowClick();
    EXPECT_EQ(Read()->GetCellEx(2, 7), QStringLiteral("8"));
    EXPECT_EQ(Read()->GetCellEx(0, 7), QStringLiteral("7"));

    Form->Btn_InsertRowClick();
    EXPECT_EQ(Row(Read(), 7).mid(0, 4), QStringList({"7", "Y", "", ""}));
    EXPECT_EQ(Read()->GetCellEx(2, 8), QStringLiteral("8"));

    // At the last row both only empty that row, Insert with "Y" in Enable.
    Set(Read(), 512, {"N", "5", "Coil Status"});
    Read()->FocusCell(2, 512, true);
    Form->Btn_InsertRowClick();
    EXPECT_EQ(Row(Read(), 512).mid(0, 4), QStringList({"512", "Y", "", ""}));
    Set(Read(), 512, {"N", "5", "Coil Status"});
    Guard.Fake.Answers = {TMsgResult::Yes};
    Form->Btn_DelRowClick();
    EXPECT_EQ(Row(Read(), 512).mid(0, 4), QStringList({"512", "", "", ""}));

    // The write table when its tab is active.
    Form->PageControl1->setCurrentIndex(1);
    Set(Write_Grid(), 3, {"N", "3"});
    Write_Grid()->FocusCell(2, 3, true);
    Form->Btn_InsertRowClick();
    EXPECT_EQ(Write_Grid()->GetCellEx(2, 4), QStringLiteral("3"));
    EXPECT_EQ(Write_Grid()->GetCellEx(1, 3), QStringLiteral("Y"));
}

TEST_F(SetAccessTest, CopyAndPasteNeedACopyFromThisTableInThisShowing)
{
    Form->FormShow();
    Set(Read(), 1, Good_Read);
    Read()->FocusCell(2, 1, true);
    Form->Btn_CopyRowClick();
    EXPECT_TRUE(Form->Do_Copy_In_Read);
    EXPECT_FALSE(Form->Do_Copy_In_Write);

    // Into an empty row at once; into a used row only after Yes.
    Read()->FocusCell(2, 2, true);
    Form->Btn_PasteRowClick();
    EXPECT_TRUE(Guard.Fake.Calls.empty());
    EXPECT_EQ(Row(Read(), 2).mid(1), Row(Read(), 1).mid(1));
    EXPECT_EQ(Read()->GetCellEx(0, 2), QStringLiteral("2"));
    Read()->SetCellEx(13, 2, QStringLiteral("mine"));
    Guard.Fake.Answers = {TMsgResult::No};
    Form->Btn_PasteRowClick();
    EXPECT_EQ(Guard.Fake.LastText(), QStringLiteral("Row Already used. Do you want to overwrite the values?"));
    EXPECT_EQ(Read()->GetCellEx(13, 2), QStringLiteral("mine"));

    // The other table: its flag is clear.
    Form->PageControl1->setCurrentIndex(1);
    Write_Grid()->FocusCell(2, 1, true);
    Form->Btn_PasteRowClick();
    EXPECT_EQ(Guard.Fake.LastText(), QStringLiteral("Error!!! Copy a valid row before Paste it"));
    Form->Btn_CopyRowClick();
    EXPECT_FALSE(Form->Do_Copy_In_Read);
    EXPECT_TRUE(Form->Do_Copy_In_Write);

    // A new showing forgets the copy.
    Form->FormShow();
    EXPECT_FALSE(Form->Do_Copy_In_Write);
    Guard.Fake.Calls.clear();
    Form->PageControl1->setCurrentIndex(1);
    Form->Btn_PasteRowClick();
    EXPECT_EQ(Guard.Fake.LastText(), QStringLiteral("Error!!! Copy a valid row before Paste it"));
}

TEST_F(SetAccessTest, GridEventsSelectSizeWalkAndHint)
{
    Form->FormShow();
    Read()->OnClickCell(Read(), 5, 0);
    EXPECT_EQ(Read()->Selection().Top, 5);
    EXPECT_EQ(Read()->Selection().Bottom, 5);
    Write_Grid()->OnClickCell(Write_Grid(), 4, 3);   // elsewhere: no row selection
    EXPECT_NE(Write_Grid()->Selection().Top, 4);

    Opt_Double_Click_Auto_Size = false;
    Form->ACG_Modbus_ReadDblClickCell(Read(), 0, 12);   // displayed 12: Mnemonic
    EXPECT_EQ(Read()->ColWidths(12), 120);
    Opt_Double_Click_Auto_Size = true;
    Write_Grid()->OnDblClickCell(Write_Grid(), 0, 14);
    EXPECT_NE(Write_Grid()->ColWidths(14), 113);

    Opt_Jump_Field_Tables = true;
    Write_Grid()->FocusCell(14, 3, true);
    QChar key = QChar(13);
    Write_Grid()->OnKeyPress(Write_Grid(), key);
    EXPECT_EQ(key, QChar(0));
    EXPECT_EQ(Write_Grid()->Row(), 4);
    EXPECT_EQ(Write_Grid()->Col(), 1);

    // Read hints by real column: Topic (12) hidden, displayed 12 is Mnemonic.
    QString hint = QStringLiteral("grid's own");
    Form->ACG_Modbus_ReadGridHint(Read(), 0, 12, hint);
    EXPECT_EQ(hint, QStringLiteral("Insert the Description of Modbus Rule"));
    Read()->OnGridHint(Read(), 0, 11, hint);
    EXPECT_EQ(hint, QStringLiteral("Enable or Disable the Swap Word of Data"));
    hint = QStringLiteral("grid's own");
    Read()->OnGridHint(Read(), 3, 2, hint);
    EXPECT_EQ(hint, QStringLiteral("grid's own"));
    EXPECT_TRUE(Read()->ShowHint());
    EXPECT_FALSE(Write_Grid()->ShowHint());
}

TEST_F(SetAccessTest, ButtonsShowNoTooltip)
{
    Form->show();
    QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), Form->Btn_OK->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(Form->Btn_OK, &help);
    EXPECT_FALSE(QToolTip::isVisible());
    EXPECT_FALSE(Form->Btn_OK->Hint().isEmpty());
    // The same event on a control that shows its hint does show one.
    QLabel shown(Form.get());
    shown.setToolTip(QStringLiteral("shown"));
    shown.show();
    QHelpEvent help2(QEvent::ToolTip, QPoint(1, 1), shown.mapToGlobal(QPoint(1, 1)));
    QCoreApplication::sendEvent(&shown, &help2);
    EXPECT_TRUE(QToolTip::isVisible());
    QToolTip::hideText();
    Form->hide();
}

TEST_F(SetAccessTest, SetLangReReadsEveryTextWhileHidden)
{
    Form->FormShow();   // Topic hidden: headers still go by real column
    Lang_Text_List[3000] = QStringLiteral("Modbus-Zugriff");
    Lang_Text_List[3002] = QStringLiteral("Gut");
    Lang_Text_List[3013] = QStringLiteral("Einfügen");
    Lang_Text_List[3015] = QStringLiteral("Schreiben");
    Lang_Text_List[3042] = QStringLiteral("Thema");
    Lang_Text_List[3027] = QStringLiteral("Merkname");
    Lang_Text_List[3054] = QStringLiteral("Beschreibung");
    ASSERT_FALSE(Form->isVisible());
    Form->Set_Lang();
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Modbus-Zugriff"));
    EXPECT_EQ(Form->Btn_OK->Caption(), QStringLiteral("Gut"));
    EXPECT_EQ(Form->Btn_PasteRow->Hint(), QStringLiteral("Einfügen"));
    EXPECT_EQ(Form->PageControl1->tabText(1), QStringLiteral("Schreiben"));
    EXPECT_EQ(Read()->GetCellEx(12, 0), QStringLiteral("Thema"));
    EXPECT_EQ(Read()->GetCellEx(13, 0), QStringLiteral("Merkname"));
    EXPECT_EQ(Form->Hint_Modbus_Set_Access_Read.size(), 13);
    EXPECT_EQ(Form->Hint_Modbus_Set_Access_Read[12], QStringLiteral("Beschreibung"));
}

TEST_F(SetAccessTest, ExecShowsTheFileContent)
{
    Form->FormShow();
    Set(Read(), 1, Good_Read);
    Form->bitbtn1Click();
    Read()->SetCellEx(13, 1, QStringLiteral("stale"));
    QTimer::singleShot(0, Form.get(), [this] { Form->reject(); });
    EXPECT_EQ(Form->exec(), mrCancel);
    EXPECT_EQ(Read()->GetCellEx(13, 1), QStringLiteral("r"));
}

} // namespace
