// The J1939 and NMEA 2000 frame editors: files, older layouts, and the checks with their byte
// totals.
#include "app/lbbutton.h"
#include "editors/fieldbus/receivej1939.h"
#include "editors/fieldbus/receivenmea.h"
#include "editors/fieldbus/transmitj1939.h"
#include "editors/fieldbus/transmitnmea.h"
#include "fieldbus_fixture.h"
#include "grid/string/dazcolumngrid.h"

#include <QCoreApplication>
#include <QHelpEvent>
#include <QToolTip>

namespace {

class PGNTest : public FieldbusTest
{
protected:
    void SetUp() override
    {
        FieldbusTest::SetUp();
        RJ = std::make_unique<TFReceiveJ1939>();
        TJ = std::make_unique<TFTransmitJ1939>();
        RN = std::make_unique<TFReceiveNMEA>();
        TN = std::make_unique<TFTransmitNMEA>();
    }
    void TearDown() override
    {
        RJ.reset();
        TJ.reset();
        RN.reset();
        TN.reset();
        FieldbusTest::TearDown();
    }
    QString Text(const QString &path) const { return QString::fromUtf8(Read_Bytes(path)).remove(QLatin1Char('\r')); }
    QString Check(TRule_Editor &form, const std::vector<QStringList> &rows) { return Check_Rows(form, 0, rows); }

    std::unique_ptr<TFReceiveJ1939> RJ;
    std::unique_ptr<TFTransmitJ1939> TJ;
    std::unique_ptr<TFReceiveNMEA> RN;
    std::unique_ptr<TFTransmitNMEA> TN;
};

TEST_F(PGNTest, LayoutsAndEmptyFiles)
{
    const struct
    {
        TRule_Editor *form;
        QSize size;
        int rows, cols;
        const char *title;
        const QString *path;
        const char *root;
    } forms[] = {
        {RJ.get(), {876, 337}, 513, 11, "Receive J1939 Frames", &Path_J1939_Rec_Frames, "Receive_J1939"},
        {TJ.get(), {800, 337}, 513, 11, "Transmit J1939 Frames", &Path_J1939_Send_Frames, "Transmit_J1939"},
        {RN.get(), {810, 337}, 63, 9, "Receive NMEA 2000 Frames", &Path_NMEA_Rec_Frames, "Receive_NMEA_2000"},
        {TN.get(), {810, 337}, 63, 11, "Transmit NMEA 2000 Frames", &Path_NMEA_Send_Frames, "Receive_NMEA_2000"},
    };
    for (const auto &f : forms) {
        EXPECT_EQ(f.form->size(), f.size) << f.title;
        EXPECT_EQ(f.form->windowTitle(), QLatin1String(f.title));
        EXPECT_EQ(f.form->Grid(0)->RowCount(), f.rows) << f.title;
        EXPECT_EQ(f.form->Grid(0)->AllColCount(), f.cols) << f.title;
        f.form->FormShow();
        QStringList fresh(f.cols, QString());
        fresh[0] = QString::number(f.rows - 1);
        EXPECT_EQ(Row(f.form->Grid(0), f.rows - 1), fresh) << f.title;
        f.form->Btn_OKClick();
        EXPECT_EQ(f.form->result(), mrOk) << f.title;
        EXPECT_EQ(Text(*f.path), QStringLiteral("<%1 />\n<!--SW_VERSION = 1.000-->\n").arg(QLatin1String(f.root)));
    }
    EXPECT_TRUE(RJ->Grid(0)->ShowHint());
    EXPECT_FALSE(TN->Grid(0)->ShowHint());
    QString hint;
    TN->Grid(0)->OnGridHint(TN->Grid(0), 0, 1, hint);   // served all the same
    EXPECT_EQ(hint, QStringLiteral("Insert the Priority of NMEA 2000 Frame"));
}

TEST_F(PGNTest, OnlyCopyAndPasteShowTheirHintsInThreeEditors)
{
    for (TRule_Editor *form : {static_cast<TRule_Editor *>(TJ.get()), static_cast<TRule_Editor *>(RN.get()),
                               static_cast<TRule_Editor *>(TN.get()), static_cast<TRule_Editor *>(RJ.get())}) {
        form->show();
        const bool all = form == RJ.get();
        for (TLbButton *b : {form->Btn_OK, form->Btn_CopyRow, form->Btn_PasteRow}) {
            QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), b->mapToGlobal(QPoint(5, 5)));
            QCoreApplication::sendEvent(b, &help);
            const bool shown = all || b != form->Btn_OK;
            EXPECT_EQ(QToolTip::isVisible(), shown) << form->objectName().toStdString() << " "
                                                    << b->objectName().toStdString();
            QToolTip::hideText();
        }
        form->hide();
    }
}

TEST_F(PGNTest, ReceiveJ1939Checks)
{
    // Data Page, PGN, SA, TP, Start, N Byte, Cancel, On Request, Time
    const QStringList single = {"0", "256", "0", "N", "", "", "N", "N", "1000"};
    auto with = [&single](std::vector<std::pair<int, const char *>> set) {
        QStringList cells = single;
        for (auto [col, text] : set)
            cells[col - 1] = QString::fromUtf8(text);
        return cells;
    };
    const struct
    {
        const char *name;
        std::vector<QStringList> rows;
        const char *error;
    } cases[] = {
        {"single frame", {single}, ""},
        {"start 1 n 8", {with({{5, "1"}, {6, "8"}})}, "Error in row 1!! The Number Bytes plus Start Byte must be minor of 9"},
        {"start 0 n 4", {with({{5, "0"}, {6, "4"}})}, "Error in row 1!! The Start Byte must be between 1 and 8"},
        {"n 9", {with({{5, "1"}, {6, "9"}})}, "Error in row 1!! The Number Bytes must be between 1 and 8"},
        {"start only", {with({{5, "1"}})}, "Error in row 1!! Start Byte and Number Bytes must be both compiled"},
        {"tp 1785", {with({{4, "Y"}, {5, "0"}, {6, "1785"}})}, "Error!! Too many bytes of data, the max number is 1440"},
        {"tp start 1786", {with({{4, "Y"}, {5, "1786"}, {6, "0"}})}, "Error in row 1!! Start Byte must be between 0 and 1785"},
        {"tp sum", {with({{4, "Y"}, {5, "1000"}, {6, "786"}})},
         "Error in row 1!! Start Byte plus Number Bytes must be between 0 and 1785"},
        {"tp lower case is no tp", {with({{4, "y"}, {5, "0"}, {6, "1000"}})},
         "Error in row 1!! The Start Byte must be between 1 and 8"},
        {"request time 1", {with({{8, "Y"}, {9, "1"}})}, "Error in row 1!! Time(ms) must be between 0 and 10000000"},
        {"request time 2", {with({{8, "Y"}, {9, "2"}})}, ""},
        {"no request time abc", {with({{9, "abc"}})}, ""},
        {"sa 240", {with({{3, "240"}})}, "Error in row 1!! Source Address must be between 0 and 239"},
        {"empty data page first", {with({{1, ""}, {2, "x"}})}, "Error in row 1!! Data Page must be 0 or 1"},
        {"pgn of blanks", {with({{2, "  "}})}, "Error in row 1!! PGN must be between 0x0000 and 0xFFFF"},
        {"pgn 65536", {with({{2, "65536"}})}, "Error in row 1!! PGN must be between 0x0000 and 0xFFFF"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Check(*RJ, c.rows), QString::fromUtf8(c.error)) << c.name;

    // 180 whole frames take 1440 bytes; one more does not fit. Start 1 N 7 counts 15.
    std::vector<QStringList> rows(180, single);
    EXPECT_EQ(Check(*RJ, rows), QString());
    rows.push_back(single);
    EXPECT_EQ(Check(*RJ, rows), QStringLiteral("Error!! Too many bytes of data, the max number is 1440"));
    rows.assign(96, with({{5, "1"}, {6, "7"}}));   // 96 x 15 = 1440
    EXPECT_EQ(Check(*RJ, rows), QString());
    rows.push_back(single);
    EXPECT_EQ(Check(*RJ, rows), QStringLiteral("Error!! Too many bytes of data, the max number is 1440"));
}

TEST_F(PGNTest, ReceiveNMEAChecks)
{
    // PGN, SA, TP, FP, Start, N Byte, Cancel
    const QStringList single = {"130306", "1", "N", "N", "", "", "N"};
    auto with = [&single](std::vector<std::pair<int, const char *>> set) {
        QStringList cells = single;
        for (auto [col, text] : set)
            cells[col - 1] = QString::fromUtf8(text);
        return cells;
    };
    const QStringList fast200 = with({{4, "Y"}, {5, "0"}, {6, "200"}});
    const struct
    {
        const char *name;
        std::vector<QStringList> rows;
        const char *error;
    } cases[] = {
        {"fast 223", {with({{4, "Y"}, {5, "0"}, {6, "223"}})}, ""},
        {"fast 224", {with({{4, "Y"}, {5, "0"}, {6, "224"}})},
         "Error in row 1!! Start Byte plus Number Bytes must be between 0 and 223"},
        {"fast start 224", {with({{4, "Y"}, {5, "224"}, {6, "0"}})}, "Error in row 1!! Start Byte must be between 0 and 223"},
        {"both flags 300", {with({{3, "Y"}, {4, "Y"}, {5, "0"}, {6, "300"}})}, ""},
        {"tp blank start", {with({{3, "Y"}, {6, "10"}})}, "Error in row 1!! Start Byte must be between 0 and 1785"},
        {"single 2 6", {with({{5, "2"}, {6, "6"}})}, ""},
        {"single 2 7", {with({{5, "2"}, {6, "7"}})}, "Error in row 1!! The Number Bytes plus Start Byte must be minor of 9"},
        {"pgn 131072", {with({{1, "131072"}})}, "Error in row 1!! PGN must be between 0x00000 and 0x1FFFF"},
        {"sa 240", {with({{2, "240"}})}, "Error in row 1!! Source Address must be between 0 and 239"},
        {"three fast of 200", {fast200, fast200, fast200}, "Error!! Too many bytes of data, the max number is 512"},
        {"62 single frames", std::vector<QStringList>(62, single), ""},
        {"62 frames with a part", std::vector<QStringList>(62, with({{5, "1"}, {6, "1"}})),
         "Error!! Too many bytes of data, the max number is 512"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Check(*RN, c.rows), QString::fromUtf8(c.error)) << c.name;
}

TEST_F(PGNTest, TransmitChecks)
{
    // J1939: Priority, DP, PGN, SA, N Bytes, Request, Data Change, On Timer, Send Timer
    const QStringList j = {"3", "0", "61444", "0", "8", "N", "N", "N", ""};
    // NMEA: Priority, PGN, SA, FP, Num Byte, Request, Data Change, On Timer, Send Timer
    const QStringList n = {"3", "130306", "0", "N", "8", "N", "N", "N", ""};
    auto with = [](QStringList cells, std::vector<std::pair<int, const char *>> set) {
        for (auto [col, text] : set)
            cells[col - 1] = QString::fromUtf8(text);
        return cells;
    };
    const struct
    {
        const char *name;
        bool nmea;
        std::vector<QStringList> rows;
        const char *error;
    } cases[] = {
        {"j n 0", false, {with(j, {{5, "0"}})}, "Error in row 1!! Num Byte must be between 0 and 512"},
        {"j n 512", false, {with(j, {{5, "512"}})}, ""},
        {"j two of 300", false, {with(j, {{5, "300"}}), with(j, {{5, "300"}})},
         "Error!! Too many bytes of data, the max number is 512"},
        {"j timer 0", false, {with(j, {{8, "Y"}, {9, "0"}})}, "Error in row 1!! Send Timer must be between 1 and 65535 ms"},
        {"j timer 65536", false, {with(j, {{8, "Y"}, {9, "65536"}})}, "Error in row 1!! Send Timer must be between 1 and 65535 ms"},
        {"j timer off empty", false, {with(j, {{9, ""}})}, ""},
        {"j sa 255 pgn 131071", false, {with(j, {{4, "255"}, {3, "131071"}})}, ""},
        {"j pgn 131072", false, {with(j, {{3, "131072"}})}, "Error in row 1!! PGN must be between 0x00000 and 0x1FFFF"},
        {"j empty priority", false, {with(j, {{1, ""}})}, "Error in row 1!! Priority must be between 0 and 7"},
        {"j empty data page", false, {with(j, {{2, ""}})}, "Error in row 1!! Data Page must be 0 or 1"},
        {"n num 0", true, {with(n, {{5, "0"}})}, ""},
        {"n num 513", true, {with(n, {{5, "513"}})}, "Error in row 1!! Num Byte must be between 0 and 512"},
        {"n fast 100", true, {with(n, {{5, "100"}})}, ""},
        {"n sa 240", true, {with(n, {{3, "240"}})}, "Error in row 1!! Source Address must be between 0 and 239"},
        {"n timer 0", true, {with(n, {{8, "Y"}, {9, "0"}})}, "Error in row 1!! Send Timer must be between 1 and 65535 ms"},
        {"n timer off 0", true, {with(n, {{9, "0"}})}, ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Check(c.nmea ? static_cast<TRule_Editor &>(*TN) : *TJ, c.rows), QString::fromUtf8(c.error)) << c.name;
}

// Saving ends at the first empty Priority; checking used to end at the first empty PGN and
// left the rows between unchecked. Now every saved row is checked.
TEST_F(PGNTest, EverySavedTransmitRowIsChecked)
{
    const QStringList j = {"3", "0", "61444", "0", "8", "N", "N", "N", ""};
    const QStringList n = {"3", "130306", "0", "N", "8", "N", "N", "N", ""};
    for (TRule_Editor *form : {static_cast<TRule_Editor *>(TJ.get()), static_cast<TRule_Editor *>(TN.get())}) {
        const QStringList &good = form == TJ.get() ? j : n;
        const int pgn = form == TJ.get() ? 3 : 2;
        QStringList no_pgn = good;
        no_pgn[pgn - 1].clear();
        QStringList bad = good;
        bad[0] = QStringLiteral("9");
        // A row with a Priority but no PGN fails on its PGN.
        EXPECT_EQ(Check(*form, {good, good, good, no_pgn, bad}),
                  form == TJ.get() ? QStringLiteral("Error in row 4!! PGN must be between 0x00000 and 0x1FFFF")
                                   : QStringLiteral("Error in row 4!! PGN must be between 0x00000 and 0x1FFFF"));
        // A row with a PGN but no Priority fails on its Priority.
        QStringList no_priority = good;
        no_priority[0].clear();
        EXPECT_EQ(Check(*form, {good, no_priority, good}),
                  QStringLiteral("Error in row 2!! Priority must be between 0 and 7"));
        // Both empty: the end of checking and saving alike.
        EXPECT_EQ(Check(*form, {good, QStringList(9, QString()), bad}), QString());
        form->Btn_OKClick();
        EXPECT_EQ(form->result(), mrOk);
    }
    EXPECT_EQ(Text(Path_J1939_Send_Frames).count(QStringLiteral("<row ")), 1);
}

TEST_F(PGNTest, TransmitJ1939ReadsTheOlderLayout)
{
    Write(Path_J1939_Send_Frames,
          "<T><row Priority=\"3\" PGN=\"1\" T_Type=\"On Timer\"/>"
          "<row Priority=\"3\" PGN=\"2\" T_Type=\"on data change\" On_Request=\"Y\" TP_NByte=\"\"/>"
          "<row Priority=\"3\" PGN=\"3\" T_Type=\"On Request\" TP_NByte=\"4\"/>"
          "<row Priority=\"3\" PGN=\"4\" On_Request=\"Y\" On_Timer=\"Y\"/></T>");
    TJ->FormShow();
    EXPECT_TRUE(Guard.Fake.Calls.empty()) << Guard.Fake.LastText().toStdString();
    TDazColumnGrid *g = TJ->sga;
    const struct
    {
        int row;
        QStringList cols5to8;
    } expect[] = {{1, {"8", "N", "N", "Y"}}, {2, {"8", "N", "Y", "N"}}, {3, {"4", "N", "N", "N"}}, {4, {"8", "Y", "N", "Y"}}};
    for (const auto &e : expect)
        EXPECT_EQ(Row(g, e.row).mid(5, 4), e.cols5to8) << e.row;
    for (int r = 1; r <= 4; ++r) {
        g->SetCellEx(2, r, QStringLiteral("0"));
        g->SetCellEx(4, r, QStringLiteral("0"));
        g->SetCellEx(9, r, QStringLiteral("100"));
    }
    TJ->Btn_OKClick();
    ASSERT_EQ(TJ->result(), mrOk) << Guard.Fake.LastText().toStdString();
    const QString text = Text(Path_J1939_Send_Frames);
    EXPECT_FALSE(text.contains(QLatin1String("T_Type")));
    EXPECT_TRUE(text.contains(QStringLiteral(
        "<row Priority=\"3\" DP=\"0\" PGN=\"1\" SA=\"0\" TP_NByte=\"8\" On_Request=\"N\" On_Data_Change=\"N\" "
        "On_Timer=\"Y\" SendTimer=\"100\" Mnemonic=\"\" />")))
        << text.toStdString();
}

TEST_F(PGNTest, ReceiveFilesTakeDefaultsAndKeepTheRowCount)
{
    Write(Path_J1939_Rec_Frames, "<R><row PGN=\"5\"/></R>");
    RJ->FormShow();
    EXPECT_EQ(Row(RJ->sga, 1), QStringList({"1", "", "5", "", "N", "", "", "N", "N", "1000", ""}));
    QByteArray xml = "<R>";
    for (int i = 0; i < 70; ++i)
        xml += "<row PGN=\"" + QByteArray::number(i) + "\" SA=\"1\"/>";
    Write(Path_NMEA_Rec_Frames, xml + "</R>");
    RN->FormShow();
    EXPECT_EQ(RN->sga->GetCellEx(1, 62), QStringLiteral("61"));
    EXPECT_EQ(Row(RN->sga, 1), QStringList({"1", "0", "1", "N", "N", "", "", "N", ""}));
    RN->Btn_OKClick();
    ASSERT_EQ(RN->result(), mrOk) << Guard.Fake.LastText().toStdString();
    EXPECT_EQ(Text(Path_NMEA_Rec_Frames).count(QStringLiteral("<row ")), 62);

    // The transmit NMEA file reads back as saved, under the receive file's root.
    TN->FormShow();
    Set(TN->sga, 1, {"3", "130306", "0", "Y", "8", "N", "Y", "N", "", "m"});
    TN->Btn_OKClick();
    ASSERT_EQ(TN->result(), mrOk);
    EXPECT_TRUE(Text(Path_NMEA_Send_Frames).startsWith(QLatin1String("<Receive_NMEA_2000>")));
    const QStringList saved = Row(TN->sga, 1);
    TN->FormShow();
    EXPECT_EQ(Row(TN->sga, 1), saved);
}

TEST_F(PGNTest, RowButtonsLeaveTheNewRowEmptyAndDeleteOnlyDataRows)
{
    RJ->FormShow();
    Set(RJ->sga, 1, {"0", "1"});
    RJ->sga->FocusCell(2, 1, true);
    RJ->Btn_InsRowClick();
    EXPECT_EQ(Row(RJ->sga, 1).mid(1), QStringList(10, QString()));
    EXPECT_EQ(RJ->sga->GetCellEx(2, 2), QStringLiteral("1"));
    Guard.Fake.Answers = {TMsgResult::Yes};
    RJ->Btn_DelRowClick();
    EXPECT_EQ(Guard.Fake.LastText(), QStringLiteral("Are you sure to delete the Row number 1"));
    EXPECT_EQ(RJ->sga->GetCellEx(2, 1), QStringLiteral("1"));
}

} // namespace
