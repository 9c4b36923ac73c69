// The DeviceNet network and offset windows and the DMX default values.
#include "app/lbbutton.h"
#include "editors/fieldbus/defoffset.h"
#include "editors/fieldbus/dmxdefval.h"
#include "editors/fieldbus/dnet.h"
#include "fieldbus_fixture.h"
#include "grid/string/dazcolumngrid.h"

#include <QApplication>
#include <QLabel>
#include <QSplitter>
#include <QTabWidget>
#include <QTest>

namespace {

class DeviceNetTest : public FieldbusTest
{
protected:
    void SetUp() override
    {
        FieldbusTest::SetUp();
        Net = std::make_unique<TFDNet>();
        Off = std::make_unique<TFDefOffset>();
    }
    void TearDown() override
    {
        Net.reset();
        Off.reset();
        FieldbusTest::TearDown();
    }
    QString Text(const QString &path) const { return QString::fromUtf8(Read_Bytes(path)).remove(QLatin1Char('\r')); }
    // DNETM_Net.xml with one row per (ID, in, out).
    void Write_Net(const std::vector<std::array<int, 3>> &slaves)
    {
        QByteArray xml = "<DNET_Net>";
        for (const auto &s : slaves)
            xml += "<row ID=\"" + QByteArray::number(s[0]) + "\" NB_IN=\"" + QByteArray::number(s[1]) + "\" NB_OUT=\"" +
                   QByteArray::number(s[2]) + "\" Mnemonic=\"m\"/>";
        Write(Path_DNETM_Net, xml + "</DNET_Net>");
    }
    // Shows the slave of the row and sets an output offset.
    void Select(int row)
    {
        Off->ACG_DN_Slaves->SetRow(row);
        Off->ACG_DN_SlavesClick();
    }

    std::unique_ptr<TFDNet> Net;
    std::unique_ptr<TFDefOffset> Off;
};

TEST_F(DeviceNetTest, NetworkLayoutFileAndChecks)
{
    EXPECT_EQ(Net->size(), QSize(745, 337));
    EXPECT_EQ(Net->RUD->RowCount(), 65);
    EXPECT_EQ(Net->RUD->GetCellEx(1, 0), QStringLiteral("ID Slave"));
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(Net->RUD->ColWidths(c), (std::array{45, 100, 100, 100, 375})[size_t(c)]);
    EXPECT_FALSE(Net->RUD->Options().Contains(goColSizing));
    EXPECT_EQ(Net->Hint_DeviceNet.size(), 4);

    const struct
    {
        const char *name;
        QStringList row;
        const char *error;
    } cases[] = {
        {"id 63", {"63", "65535", "0", ""}, ""},
        {"id 64", {"64", "1", "1", ""}, "Error in row 1!! ID must be 0 or 63"},
        {"in 65536", {"1", "65536", "1", ""}, "Error in row 1!! Number Byte IN must be 0 or 65535"},
        {"out 65536", {"1", "1", "65536", ""}, "Error in row 1!! Number Byte OUT must be 0 or 65535"},
        {"id of blanks is checked", {" ", "1", "1", ""}, "Error in row 1!! ID must be 0 or 63"},
    };
    for (const auto &c : cases) {
        Net->FormShow();
        Guard.Fake.Calls.clear();
        Set(Net->RUD, 1, c.row);
        EXPECT_EQ(Net->controllo_dati(), *c.error == 0) << c.name;
        EXPECT_EQ(Guard.Fake.LastText(), QString::fromUtf8(c.error)) << c.name;
    }

    // Two rows of one ID pass; the 64th row is checked like any other.
    Net->FormShow();
    Set(Net->RUD, 1, {"3", "2", "4", "a"});
    Set(Net->RUD, 2, {"3", "0", "1", "b"});
    EXPECT_TRUE(Net->controllo_dati());
    for (int r = 3; r <= 64; ++r)
        Set(Net->RUD, r, {"1", "1", "1", ""});
    Net->RUD->SetCellEx(1, 64, QStringLiteral("99"));
    EXPECT_FALSE(Net->controllo_dati());
    EXPECT_EQ(Guard.Fake.LastText(), QStringLiteral("Error in row 64!! ID must be 0 or 63"));
    Net->RUD->SetCellEx(1, 3, QString());
    Net->bitbtn1Click();
    ASSERT_EQ(Net->result(), mrOk);
    EXPECT_EQ(Text(Path_DNETM_Net), QStringLiteral("<DNET_Net>\n  <row ID=\"3\" NB_IN=\"2\" NB_OUT=\"4\" Mnemonic=\"a\" />\n"
                                                   "  <row ID=\"3\" NB_IN=\"0\" NB_OUT=\"1\" Mnemonic=\"b\" />\n"
                                                   "</DNET_Net>\n<!--SW_VERSION = 1.000-->\n"));

    // Insert Row leaves the new row empty; a missing attribute stops the reading.
    Net->FormShow();
    Net->RUD->FocusCell(1, 1, true);
    Net->Btn_InsRowClick();
    EXPECT_EQ(Row(Net->RUD, 1).mid(1), QStringList(4, QString()));
    Write(Path_DNETM_Net, "<DNET_Net><row ID=\"1\" NB_IN=\"1\" NB_OUT=\"1\"/></DNET_Net>");
    Guard.Fake.Calls.clear();
    Net->FormShow();
    ASSERT_EQ(Guard.Fake.Calls.size(), 1u);
    EXPECT_TRUE(Guard.Fake.LastText().contains(QLatin1String("Mnemonic"))) << Guard.Fake.LastText().toStdString();
}

TEST_F(DeviceNetTest, OffsetWindowLayout)
{
    EXPECT_EQ(Off->size(), QSize(482, 610));
    EXPECT_EQ(Off->Btn_DelRow, nullptr);
    EXPECT_EQ(Off->Btn_OK->Caption(), QStringLiteral("OK"));
    EXPECT_EQ(Off->Label1->text(), QStringLiteral("Select the Slave DeviceNet"));
    EXPECT_EQ(Off->Label3->text(), QStringLiteral("Use \"None\" to not pass the byte from DeviceNet to LoRaWAN"));
    EXPECT_EQ(Off->PageControl1->tabText(0), QStringLiteral("Byte In"));
    EXPECT_EQ(Off->PageControl1->tabText(1), QStringLiteral("Byte Out"));
    EXPECT_EQ(Off->Splitter1->handleWidth(), 3);
    EXPECT_EQ(Off->ACG_DN_Slaves->GetCellEx(3, 0), QStringLiteral("Mnemonic"));
    EXPECT_EQ(Off->ACG_ByteOUT->GetCellEx(1, 0), QStringLiteral("Offset"));
    EXPECT_TRUE(Off->ACG_DN_Slaves->Columns().Items(0)->ReadOnly());
    EXPECT_EQ(Off->ACG_DN_Slaves->FixedCols(), 0);
    EXPECT_EQ(Off->ACG_ByteIN->ColWidths(2), 300);
}

TEST_F(DeviceNetTest, OffsetsFollowTheSlavesByPositionAndTheOutputClashIsRefused)
{
    // Without a network file: no slave, and OK writes the root alone.
    Off->FormShow();
    EXPECT_EQ(Off->ACG_DN_Slaves->RowCount(), 1);
    EXPECT_EQ(Off->ACG_ByteIN->RowCount(), 1);
    Off->bitbtn1Click();
    ASSERT_EQ(Off->result(), mrOk);
    EXPECT_EQ(Text(Path_DNETM_DefOff), QStringLiteral("<Define_Offset />\n<!--SW_VERSION = 1.000-->\n"));

    Write_Net({{3, 0, 2}, {5, 1, 3}});
    Off->setResult(0);
    Off->FormShow();
    EXPECT_TRUE(Guard.Fake.Calls.empty()) << Guard.Fake.LastText().toStdString();
    ASSERT_EQ(Off->List_Slaves_DN.size(), 2u);
    EXPECT_EQ(Off->ACG_ByteIN->RowCount(), 1);    // slave 3 has no input byte
    EXPECT_EQ(Off->ACG_ByteOUT->RowCount(), 3);
    EXPECT_EQ(Row(Off->ACG_ByteOUT, 2), QStringList({"1", "None", ""}));
    const TStringList &items = Off->ACG_ByteOUT->Columns().Items(1)->ComboItems();
    EXPECT_EQ(items.Count(), 1441);
    EXPECT_EQ(items[1440], QStringLiteral("1439"));

    // Output offset 10 twice: refused, nothing written.
    Off->ACG_ByteOUT->SetCellEx(1, 1, QStringLiteral("10"));
    Off->ACG_ByteOUT->SetCellEx(2, 1, QStringLiteral("Output"));
    Select(2);   // stores slave 3's tables first
    EXPECT_EQ(Off->List_Slaves_DN[0]->SL_ByteOUT_M[0], QStringLiteral("Output"));
    Off->ACG_ByteIN->SetCellEx(1, 1, QStringLiteral("10"));   // the input side may share it
    Off->ACG_ByteOUT->SetCellEx(1, 3, QStringLiteral("10"));
    const QByteArray before = Read_Bytes(Path_DNETM_DefOff);
    Off->bitbtn1Click();
    EXPECT_NE(Off->result(), mrOk);
    EXPECT_EQ(Guard.Fake.LastText(), QStringLiteral("Error in ByteOUT! The same byte of LoRaWAN is used in two bytes "
                                                    "DeviceNet.\n\r( First ID = 3 Byte = 0, Second ID = 5 Byte = 2)"));
    EXPECT_EQ(Read_Bytes(Path_DNETM_DefOff), before);

    Off->ACG_ByteOUT->SetCellEx(1, 3, QStringLiteral("11"));
    Off->bitbtn1Click();
    ASSERT_EQ(Off->result(), mrOk) << Guard.Fake.LastText().toStdString();
    EXPECT_EQ(Text(Path_DNETM_DefOff),
              QStringLiteral("<Define_Offset>\n"
                             "  <Nodo_DNET>\n    <ByteIN />\n    <ByteOUT>\n"
                             "      <row Offset=\"10\" Mnemonic=\"Output\" />\n      <row Offset=\"None\" Mnemonic=\"\" />\n"
                             "    </ByteOUT>\n  </Nodo_DNET>\n"
                             "  <Nodo_DNET>\n    <ByteIN>\n      <row Offset=\"10\" Mnemonic=\"\" />\n    </ByteIN>\n"
                             "    <ByteOUT>\n      <row Offset=\"None\" Mnemonic=\"\" />\n"
                             "      <row Offset=\"None\" Mnemonic=\"\" />\n      <row Offset=\"11\" Mnemonic=\"\" />\n"
                             "    </ByteOUT>\n  </Nodo_DNET>\n</Define_Offset>\n<!--SW_VERSION = 1.000-->\n"));

    // A slave inserted before the others takes the first node's offsets; a grown count
    // gives "None", a shrunk one drops the surplus.
    Write_Net({{7, 1, 4}, {3, 0, 1}, {5, 1, 3}});
    Off->setResult(0);
    Off->FormShow();
    EXPECT_EQ(Off->List_Slaves_DN[0]->SL_ByteOUT, QStringList({"10", "None", "None", "None"}));
    EXPECT_EQ(Off->List_Slaves_DN[1]->SL_ByteOUT, QStringList({"None"}));
    EXPECT_EQ(Off->List_Slaves_DN[2]->SL_ByteIN, QStringList({"None"}));
}

TEST_F(DeviceNetTest, BadOffsetFilesAreRefusedWithAMessage)
{
    Write_Net({{3, 1, 1}});
    const struct
    {
        const char *name;
        QByteArray xml;
        const char *contains;
    } cases[] = {
        {"offset 1500", "<D><Nodo_DNET><ByteIN><row Offset=\"1\" Mnemonic=\"\"/></ByteIN><ByteOUT>"
                        "<row Offset=\"1500\" Mnemonic=\"\"/></ByteOUT></Nodo_DNET></D>",
         "\"1500\""},
        {"offset -3 in", "<D><Nodo_DNET><ByteIN><row Offset=\"-3\" Mnemonic=\"\"/></ByteIN><ByteOUT/></Nodo_DNET></D>",
         "ByteIN"},
    };
    for (const auto &c : cases) {
        Write(Path_DNETM_DefOff, c.xml);
        const QByteArray before = Read_Bytes(Path_DNETM_DefOff);
        Off->setResult(0);
        Off->FormShow();
        Guard.Fake.Calls.clear();
        Off->bitbtn1Click();
        EXPECT_NE(Off->result(), mrOk) << c.name;
        EXPECT_TRUE(Guard.Fake.LastText().contains(QLatin1String(c.contains))) << Guard.Fake.LastText().toStdString();
        EXPECT_TRUE(Guard.Fake.LastText().contains(QLatin1String("ID = 3 Byte = 0"))) << c.name;
        EXPECT_EQ(Read_Bytes(Path_DNETM_DefOff), before) << c.name;
    }

    // A missing ByteOUT, a count that is no number: reported, the slaves read so far shown.
    Write(Path_DNETM_DefOff, "<D><Nodo_DNET><ByteIN/></Nodo_DNET></D>");
    Guard.Fake.Calls.clear();
    Off->FormShow();
    ASSERT_EQ(Guard.Fake.Calls.size(), 1u);
    EXPECT_TRUE(Guard.Fake.LastText().contains(QLatin1String("ByteOUT"))) << Guard.Fake.LastText().toStdString();
    EXPECT_EQ(Off->ACG_ByteOUT->RowCount(), 2);
    Write(Path_DNETM_Net, "<DNET_Net><row ID=\"1\" NB_IN=\"1\" NB_OUT=\"1\" Mnemonic=\"\"/>"
                          "<row ID=\"2\" NB_IN=\"x\" NB_OUT=\"1\" Mnemonic=\"\"/></DNET_Net>");
    Guard.Fake.Calls.clear();
    Off->FormShow();
    ASSERT_EQ(Guard.Fake.Calls.size(), 1u);
    EXPECT_EQ(Off->List_Slaves_DN.size(), 1u);

    // Counts and IDs beyond their fields are refused, not wrapped into another number.
    for (const char *row : {"<row ID=\"1\" NB_IN=\"70000\" NB_OUT=\"1\" Mnemonic=\"\"/>",
                            "<row ID=\"300\" NB_IN=\"1\" NB_OUT=\"1\" Mnemonic=\"\"/>",
                            "<row ID=\"1\" NB_IN=\"1\" NB_OUT=\"-1\" Mnemonic=\"\"/>"}) {
        Write(Path_DNETM_Net, QByteArray("<DNET_Net>") + row + "</DNET_Net>");
        Guard.Fake.Calls.clear();
        Off->FormShow();
        ASSERT_EQ(Guard.Fake.Calls.size(), 1u) << row;
        EXPECT_TRUE(Off->List_Slaves_DN.empty()) << row;
    }
}

// The arrow keys in the slave list choose a slave as a click does: its bytes are shown and
// what is typed for them stays with it.
TEST_F(DeviceNetTest, TheKeysChooseASlaveAsAClickDoes)
{
    Write_Net({{3, 1, 1}, {5, 4, 2}});
    Off->FormShow();
    Off->show();
    QApplication::setActiveWindow(Off.get());
    Off->ACG_DN_Slaves->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(Off->ACG_ByteIN->RowCount(), 2);

    QTest::keyClick(Off->ACG_DN_Slaves, Qt::Key_Down);
    EXPECT_EQ(Off->ACG_DN_Slaves->Row(), 2);
    EXPECT_EQ(Off->Slave_Before_Select, 1);
    EXPECT_EQ(Off->ACG_ByteIN->RowCount(), 5);
    EXPECT_EQ(Off->ACG_ByteOUT->RowCount(), 3);
    Off->ACG_ByteOUT->SetCellEx(DB_Mnemonic, 2, QStringLiteral("second"));

    QTest::keyClick(Off->ACG_DN_Slaves, Qt::Key_Up);
    EXPECT_EQ(Off->ACG_ByteOUT->RowCount(), 2);
    EXPECT_EQ(Off->ACG_ByteOUT->GetCellEx(DB_Mnemonic, 1), QString());
    QTest::keyClick(Off->ACG_DN_Slaves, Qt::Key_Down);
    EXPECT_EQ(Off->ACG_ByteOUT->GetCellEx(DB_Mnemonic, 2), QStringLiteral("second"));

    Off->bitbtn1Click();
    EXPECT_EQ(Off->List_Slaves_DN[1]->SL_ByteOUT_M.value(1), QStringLiteral("second"));
    EXPECT_TRUE(Off->List_Slaves_DN[0]->SL_ByteOUT_M.value(0).isEmpty());
    Off->hide();
}

class DMXTest : public FieldbusTest
{
protected:
    void SetUp() override
    {
        FieldbusTest::SetUp();
        Form = std::make_unique<TFDMXDefVal>();
    }
    void TearDown() override
    {
        Form.reset();
        FieldbusTest::TearDown();
    }
    void Write_Channels(const QByteArray &text)
    {
        Write(Path_ParGen, "<ParGen><DMX_Num_Channels>" + text + "</DMX_Num_Channels></ParGen>");
    }
    void Write_Values(int rows)
    {
        QByteArray xml = "<DMX_Default_Values>";
        for (int i = 1; i <= rows; ++i)
            xml += "<Row Default_Value=\"" + QByteArray::number(i % 256) + "\" Mnemonic=\"c" + QByteArray::number(i) + "\"/>";
        Write(Path_DMX_Default_Values, xml + "</DMX_Default_Values>");
    }
    QString Text() const { return QString::fromUtf8(Read_Bytes(Path_DMX_Default_Values)).remove(QLatin1Char('\r')); }
    TDazColumnGrid *Grid() const { return Form->ACG_DMX_Def_Val; }

    std::unique_ptr<TFDMXDefVal> Form;
};

TEST_F(DMXTest, LayoutAndChannelCount)
{
    EXPECT_EQ(Form->size(), QSize(475, 337));
    EXPECT_EQ(Form->Btn_InsRow, nullptr);
    EXPECT_EQ(Grid()->GetCellEx(0, 0), QStringLiteral("Channel"));
    EXPECT_FALSE(Grid()->ShowHint());
    const struct
    {
        const char *text;
        int count;
    } cases[] = {{"24", 24}, {"0x10", 16}, {"512", 512}, {"513", 512}, {"0", 512}, {"-3", 512}, {"abc", 512}, {" 7 ", 512}};
    for (const auto &c : cases) {
        Write_Channels(c.text);
        Form->FormShow();
        EXPECT_EQ(Form->Num_Channels, c.count) << c.text;
        EXPECT_EQ(Grid()->RowCount(), c.count + 1) << c.text;
    }
    EXPECT_TRUE(Guard.Fake.Calls.empty());
}

TEST_F(DMXTest, NoFilesGive512ChannelsOfZeroAndOkSavesThemAll)
{
    Form->FormShow();
    EXPECT_EQ(Grid()->RowCount(), 513);
    EXPECT_EQ(Row(Grid(), 512), QStringList({"512", "0", ""}));
    Form->Btn_OKClick();
    ASSERT_EQ(Form->result(), mrOk);
    const QString text = Text();
    EXPECT_EQ(text.count(QStringLiteral("<Row Default_Value=\"0\" Mnemonic=\"\" />")), 512);
    EXPECT_TRUE(text.endsWith(QStringLiteral("</DMX_Default_Values>\n<!--SW_VERSION = 1.000-->\n")));
}

TEST_F(DMXTest, TheFileFillsTheChannelsTheCountAllows)
{
    Write_Channels("24");
    Write_Values(512);
    Form->FormShow();
    EXPECT_EQ(Row(Grid(), 24), QStringList({"24", "24", "c24"}));
    Form->Btn_OKClick();
    EXPECT_EQ(Text().count(QStringLiteral("<Row ")), 24);

    Write_Channels("100");
    Write_Values(10);
    Form->setResult(0);
    Form->FormShow();
    EXPECT_EQ(Row(Grid(), 10), QStringList({"10", "10", "c10"}));
    EXPECT_EQ(Row(Grid(), 11), QStringList({"11", "0", ""}));

    // Any element name; a missing attribute gives "0" or empty.
    Write(Path_DMX_Default_Values, "<X><Foo Mnemonic=\"a\"/><Bar Default_Value=\"7\"/></X>");
    Form->FormShow();
    EXPECT_EQ(Row(Grid(), 1), QStringList({"1", "0", "a"}));
    EXPECT_EQ(Row(Grid(), 2), QStringList({"2", "7", ""}));
}

TEST_F(DMXTest, EveryChannelIsChecked)
{
    const struct
    {
        const char *value;
        bool ok;
    } cases[] = {{"255", true}, {"0", true}, {"256", false}, {"-1", false}, {"", false}, {"5 ", false}};
    Write_Channels("3");
    for (const auto &c : cases) {
        Form->FormShow();
        Guard.Fake.Calls.clear();
        Grid()->SetCellEx(1, 3, QString::fromLatin1(c.value));
        EXPECT_EQ(Form->Controllo_dati(), c.ok) << c.value;
        EXPECT_EQ(Guard.Fake.LastText(),
                  c.ok ? QString() : QStringLiteral("Error row 3!! Default Value must be between 0 and 255"))
            << c.value;
    }
}

// A damaged ParGen.xml used to stop the showing before the table was sized, leaving the
// rows of the previous showing (maybe of another project) to be saved into this one.
TEST_F(DMXTest, ADamagedParGenIsReportedAndTheShowingGoesOnWith512)
{
    Write_Channels("24");
    Form->FormShow();
    ASSERT_EQ(Grid()->RowCount(), 25);
    Grid()->SetCellEx(2, 1, QStringLiteral("left over"));
    Write(Path_ParGen, "<ParGen><DMX_Num_Channels>24");
    Write_Values(3);
    Form->FormShow();
    ASSERT_EQ(Guard.Fake.Calls.size(), 1u);
    EXPECT_EQ(Guard.Fake.Calls[0].kind, TMsgKind::Error);
    EXPECT_EQ(Grid()->RowCount(), 513);
    EXPECT_EQ(Row(Grid(), 1), QStringList({"1", "1", "c1"}));
    EXPECT_EQ(Row(Grid(), 4), QStringList({"4", "0", ""}));
}

} // namespace
