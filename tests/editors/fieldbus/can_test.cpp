// The CAN receive and transmit frame editors: layout, file, defaults of older files and the
// frame checks.
#include "app/lbbutton.h"
#include "editors/fieldbus/receivecan.h"
#include "editors/fieldbus/transmitcan.h"
#include "fieldbus_fixture.h"
#include "grid/string/dazcolumngrid.h"

namespace {

// Valid rules, columns 1 on.
const QStringList Good_Receive = {"Y", "0x7FF", "2.0A (11 bits)", "2", "0", "0", "1999", "", "", "", "", "", "", "r"};
const QStringList Good_Transmit = {"Y", "100", "2.0A (11 bits)", "1", "Y", "N", "N", "",
                                   "3399", "", "", "", "", "", "", "", "t"};

class CANTest : public FieldbusTest
{
protected:
    void SetUp() override
    {
        FieldbusTest::SetUp();
        Receive = std::make_unique<TFReceiveCAN>();
        Transmit = std::make_unique<TFTransmitCAN>();
    }
    void TearDown() override
    {
        Receive.reset();
        Transmit.reset();
        FieldbusTest::TearDown();
    }
    QString Text(const QString &path) const { return QString::fromUtf8(Read_Bytes(path)).remove(QLatin1Char('\r')); }

    std::unique_ptr<TFReceiveCAN> Receive;
    std::unique_ptr<TFTransmitCAN> Transmit;
};

TEST_F(CANTest, LayoutTextsAndByteLists)
{
    EXPECT_EQ(Receive->size(), QSize(1010, 337));
    EXPECT_EQ(Receive->windowTitle(), QStringLiteral("Receive CAN Frames Set Access"));
    EXPECT_EQ(Transmit->size(), QSize(1100, 337));
    EXPECT_EQ(Transmit->windowTitle(), QStringLiteral("Transmit CAN Frames Set Access"));
    TDazColumnGrid *r = Receive->ACG_CAN_Receive;
    TDazColumnGrid *t = Transmit->ACG_CAN_Transmit;
    EXPECT_EQ(r->RowCount(), 513);
    EXPECT_EQ(r->AllColCount(), 15);
    EXPECT_EQ(t->AllColCount(), 18);
    EXPECT_EQ(r->ColWidths(14), 185);
    EXPECT_EQ(t->ColWidths(6), 50);
    EXPECT_EQ(t->GetCellEx(6, 0), QStringLiteral("OnCMD"));
    EXPECT_EQ(Receive->Hint_ReceiveCAN.size(), 14);
    EXPECT_EQ(Receive->Hint_ReceiveCAN[4],
              QStringLiteral("Insert the TimeOut in milliseconds of data for each CAN frames, insert 0 do disable the function"));
    ASSERT_EQ(Transmit->Hint_TransmitCAN.size(), 17);
    EXPECT_EQ(Transmit->Hint_TransmitCAN[5], QStringLiteral("Enable or Disable the possibility to send the CAN Frame by Command"));
    EXPECT_EQ(Receive->Btn_OK->Hint(), QStringLiteral("Confirm and save the Receive CAN Frames List"));

    Receive->FormShow();
    Transmit->FormShow();
    EXPECT_EQ(Receive->MAX_Byte, 2000);
    EXPECT_EQ(Transmit->MAX_Byte, 3400);
    EXPECT_EQ(Transmit->Hard_Type, 1);
    for (auto [grid, first, last] : {std::tuple{r, 6, "1999"}, std::tuple{t, 9, "3399"}})
        for (int c = first; c < first + 8; ++c) {
            const TStringList &items = grid->Columns().Items(c)->ComboItems();
            EXPECT_EQ(items[0], QStringLiteral("None"));
            EXPECT_EQ(items[items.Count() - 1], QLatin1String(last));
        }
    QStringList fresh(15, QString());
    fresh[0] = QStringLiteral("512");
    fresh[1] = QStringLiteral("Y");
    EXPECT_EQ(Row(r, 512), fresh);

    // Hints on the header only.
    QString hint = QStringLiteral("own");
    r->OnGridHint(r, 0, 2, hint);
    EXPECT_EQ(hint, QStringLiteral("Insert the CobID of the CAN Frame in receive"));
    r->OnGridHint(r, 3, 2, hint);
    EXPECT_EQ(hint, QString());
}

TEST_F(CANTest, NoFileSavesTheRootAndOlderFilesTakeTheirDefaults)
{
    Receive->FormShow();
    Receive->Btn_OKClick();
    ASSERT_EQ(Receive->result(), mrOk);
    EXPECT_EQ(Text(Path_CAN_Rec_Frames), QStringLiteral("<Receive_Frames />\n<!--SW_VERSION = 1.000-->\n"));

    // Receive: a missing attribute never stops the reading.
    Write(Path_CAN_Rec_Frames, "<X><row COBID=\"5\"/><row/></X>");
    Receive->FormShow();
    EXPECT_TRUE(Guard.Fake.Calls.empty()) << Guard.Fake.LastText().toStdString();
    QStringList first(15, QString());
    first[0] = QStringLiteral("1");
    first[1] = QStringLiteral("Y");
    first[2] = QStringLiteral("5");
    first[5] = QStringLiteral("0");
    EXPECT_EQ(Row(Receive->ACG_CAN_Receive, 1), first);

    // Transmit: an older row with Enable, COBID and Dim only; Time after OnTimer.
    Write(Path_CAN_Send_Frames, "<X><row Enable=\"N\" COBID=\"7\" Dim=\"2\"/>"
                                "<row COBID=\"8\" OnTimer=\"Y\"/><row COBID=\"9\" OnTimer=\"N\"/></X>");
    Transmit->FormShow();
    EXPECT_TRUE(Guard.Fake.Calls.empty()) << Guard.Fake.LastText().toStdString();
    TDazColumnGrid *t = Transmit->ACG_CAN_Transmit;
    EXPECT_EQ(Row(t, 1).mid(1, 8), QStringList({"N", "7", "2.0A (11 bits)", "2", "Y", "N", "N", ""}));
    EXPECT_EQ(t->GetCellEx(8, 2), QStringLiteral("0"));
    EXPECT_EQ(t->GetCellEx(8, 3), QString());
}

TEST_F(CANTest, FilesKeep512RowsAndTheCellsAsTyped)
{
    QByteArray xml = "<Receive_Frames>";
    for (int i = 0; i < 520; ++i)
        xml += "<row Enable=\"N\" COBID=\"" + QByteArray::number(i + 1) + "\"/>";
    xml += "</Receive_Frames>";
    Write(Path_CAN_Rec_Frames, xml);
    Receive->FormShow();
    EXPECT_EQ(Receive->ACG_CAN_Receive->GetCellEx(2, 512), QStringLiteral("512"));
    Set(Receive->ACG_CAN_Receive, 1, Good_Receive);
    Receive->Btn_OKClick();
    ASSERT_EQ(Receive->result(), mrOk) << Guard.Fake.LastText().toStdString();
    const QString text = Text(Path_CAN_Rec_Frames);
    EXPECT_EQ(text.count(QStringLiteral("<row ")), 512);
    EXPECT_TRUE(text.contains(QStringLiteral(
        "<row Enable=\"Y\" COBID=\"0x7FF\" CAN_Type=\"2.0A (11 bits)\" Dim=\"2\" TimeOut=\"0\" Byte1=\"0\" "
        "Byte2=\"1999\" Byte3=\"\" Byte4=\"\" Byte5=\"\" Byte6=\"\" Byte7=\"\" Byte8=\"\" Mnemonic=\"r\" />")))
        << text.toStdString();

    Transmit->FormShow();
    Set(Transmit->ACG_CAN_Transmit, 1, Good_Transmit);
    Transmit->ACG_CAN_Transmit->SetCellEx(8, 1, QStringLiteral("abc"));   // not on timer: as typed
    Transmit->Btn_OKClick();
    ASSERT_EQ(Transmit->result(), mrOk) << Guard.Fake.LastText().toStdString();
    EXPECT_TRUE(Text(Path_CAN_Send_Frames)
                    .startsWith(QStringLiteral(
                        "<Transmit_Frames>\n  <row Enable=\"Y\" COBID=\"100\" CAN_Type=\"2.0A (11 bits)\" Dim=\"1\" "
                        "OnChange=\"Y\" OnCMD=\"N\" OnTimer=\"N\" Time=\"abc\" Byte1=\"3399\" ")));
}

TEST_F(CANTest, ChecksOfBothEditors)
{
    const struct
    {
        const char *name;
        bool transmit;
        std::vector<std::pair<int, const char *>> set;
        const char *error;   // nullptr passes
    } cases[] = {
        {"good", false, {}, nullptr},
        {"11 bits 2048", false, {{2, "2048"}}, "Error row 1!! CobID must be between 0 and 2047"},
        {"29 bits 2048", false, {{2, "2048"}, {3, "2.0B (29 bits)"}}, nullptr},
        {"empty type 2048", false, {{2, "2048"}, {3, ""}}, nullptr},
        {"29 bits top", false, {{2, "0x1FFFFFFF"}, {3, ""}}, nullptr},
        {"29 bits over", false, {{2, "0x20000000"}, {3, ""}}, "Error row 1!! CobID must be between 0x00000000 and 0x1FFFFFFF"},
        {"dimension 0", false, {{4, "0"}}, "Error row 1!! Dimension must be between 1 and 8"},
        {"dimension 9", false, {{4, "9"}}, "Error row 1!! Dimension must be between 1 and 8"},
        {"timeout", false, {{5, "100000001"}}, "Error row 1!! TimeOut must be between 0 and 100000000 milliseconds"},
        {"byte past dimension", false, {{8, "5000"}}, nullptr},
        {"byte2 2000", false, {{7, "2000"}}, "Error row 1!! Byte2 must be between 0 and 1999 or None"},
        {"byte none and blank", false, {{4, "8"}, {6, "None"}, {7, "  "}}, nullptr},
        {"byte8", false, {{4, "8"}, {13, "x"}}, "Error row 1!! Byte8 must be between 0 and 1999 or None"},
        {"lower case enable", false, {{1, " y "}, {2, "5000"}}, "Error row 1!! CobID must be between 0 and 2047"},
        {"disabled", false, {{1, "N"}, {2, "5000"}}, nullptr},
        {"transmit good", true, {}, nullptr},
        {"transmit 11 bits 2048", true, {{2, "2048"}}, "Error row 1!! CobID must be between 0 and 2047"},
        {"transmit 29 bits 2048", true, {{2, "2048"}, {3, "2.0B (29 bits)"}}, nullptr},
        {"time off", true, {{8, "abc"}}, nullptr},
        {"time on", true, {{7, "y"}, {8, "abc"}}, "Error row 1!! Time must be between 0 and 100000000 milliseconds"},
        {"no send flag", true, {{5, "N"}}, nullptr},
        {"byte8 3400", true, {{4, "8"}, {16, "3400"}}, "Error row 1!! Byte8 must be between 0 and 3399 or None"},
        {"byte8 3399", true, {{4, "8"}, {16, "3399"}}, nullptr},
    };
    for (const auto &c : cases) {
        TRule_Editor &form = c.transmit ? static_cast<TRule_Editor &>(*Transmit) : *Receive;
        form.FormShow();
        Guard.Fake.Calls.clear();
        QStringList cells = c.transmit ? Good_Transmit : Good_Receive;
        for (auto [col, text] : c.set)
            cells[col - 1] = QString::fromUtf8(text);
        Set(form.Grid(0), 1, cells);
        EXPECT_EQ(form.Controllo_dati(), c.error == nullptr) << c.name;
        EXPECT_EQ(Guard.Fake.LastText(), c.error ? QString::fromUtf8(c.error) : QString()) << c.name;
    }
}

TEST_F(CANTest, ABlankCobIdEndsCheckAndSaveAndTheRowButtonsKeepEnable)
{
    Receive->FormShow();
    TDazColumnGrid *r = Receive->ACG_CAN_Receive;
    for (int row = 1; row <= 9; ++row)
        Set(r, row, Good_Receive);
    Set(r, 11, {"Y", "99999", "2.0A (11 bits)"});
    Receive->Btn_OKClick();
    ASSERT_EQ(Receive->result(), mrOk) << Guard.Fake.LastText().toStdString();
    EXPECT_EQ(Text(Path_CAN_Rec_Frames).count(QStringLiteral("<row ")), 9);

    Receive->FormShow();
    Set(r, 512, {"N", "1"});
    r->FocusCell(2, 512, true);
    Receive->Btn_InsRowClick();
    EXPECT_EQ(Row(r, 512).mid(1, 2), QStringList({"Y", ""}));
    Guard.Fake.Answers = {TMsgResult::Yes};
    Receive->Btn_DelRowClick();
    EXPECT_EQ(Guard.Fake.LastText(), QStringLiteral("Are you sure to delete the Row number 512"));
    EXPECT_EQ(Row(r, 512).mid(1, 2), QStringList({"", ""}));
}

} // namespace
