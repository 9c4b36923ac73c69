// The CANopen editors (PDO, SDO client, SDO server) and the EDS writer over their files.
#include "app/lbbutton.h"
#include "editors/fieldbus/canopen_eds.h"
#include "editors/fieldbus/set_pdo_access.h"
#include "editors/fieldbus/set_sdo_client_access.h"
#include "editors/fieldbus/set_sdo_server_access.h"
#include "fieldbus_fixture.h"
#include "grid/string/dazcolumngrid.h"
#include "platform/xml.h"

#include <QTabWidget>

namespace {

class CANopenTest : public FieldbusTest
{
protected:
    void SetUp() override
    {
        FieldbusTest::SetUp();
        PDO = std::make_unique<TFSet_PDO_Access>();
        Client = std::make_unique<TFSet_SDO_Client_Access>();
        Server = std::make_unique<TFSet_SDO_Server_Access>();
        Set_EDS_Clock([] { return QDateTime(QDate(2023, 5, 3), QTime(14, 7)); });
    }
    void TearDown() override
    {
        Set_EDS_Clock({});
        PDO.reset();
        Client.reset();
        Server.reset();
        FieldbusTest::TearDown();
    }
    QString Text(const QString &path) const { return QString::fromUtf8(Read_Bytes(path)).remove(QLatin1Char('\r')); }
    // The sheet for the project files as they are; throws what the writer throws.
    QByteArray Sheet()
    {
        const QString target = In_Temp(QStringLiteral("out.eds"));
        Build_CANopen_EDS(target);
        return Read_Bytes(target);
    }

    std::unique_ptr<TFSet_PDO_Access> PDO;
    std::unique_ptr<TFSet_SDO_Client_Access> Client;
    std::unique_ptr<TFSet_SDO_Server_Access> Server;
};

TEST_F(CANopenTest, LayoutsAndEmptyFiles)
{
    const struct
    {
        TRule_Editor *form;
        QSize size;
        int rows, cols0, cols1;
        const char *tab0;
        const QString *path;
        const char *file;
    } forms[] = {
        {PDO.get(), {798, 337}, 31, 13, 14, "Receive PDO", &Path_PDO_CANopen,
         "<PDO_CANopen>\n  <Receive_PDO />\n  <Transmit_PDO />\n</PDO_CANopen>\n<!--SW_VERSION = 1.000-->\n"},
        {Client.get(), {798, 337}, 257, 11, 12, "SDO Read", &Path_SDO_Client_CANopen,
         "<SDO_Client_CANopen>\n  <SDO_Read />\n  <SDO_Write />\n</SDO_Client_CANopen>\n<!--SW_VERSION = 1.000-->\n"},
        {Server.get(), {749, 337}, 501, 9, 9, "SDO in Read", &Path_SDO_Server_CANopen,
         "<SDO_Server_CANopen>\n  <SDO_Read />\n  <SDO_Write />\n</SDO_Server_CANopen>\n<!--SW_VERSION = 1.000-->\n"},
    };
    for (const auto &f : forms) {
        EXPECT_EQ(f.form->size(), f.size);
        EXPECT_EQ(f.form->PageControl1->tabText(0), QLatin1String(f.tab0));
        EXPECT_EQ(f.form->Grid(0)->RowCount(), f.rows);
        EXPECT_EQ(f.form->Grid(0)->AllColCount(), f.cols0);
        EXPECT_EQ(f.form->Grid(1)->AllColCount(), f.cols1);
        EXPECT_EQ(f.form->Grid(1)->GetCellEx(0, 0), QStringLiteral("N"));
        f.form->FormShow();
        EXPECT_EQ(Row(f.form->Grid(1), f.rows - 1).mid(1), QStringList(f.cols1 - 1, QString()));
        f.form->Btn_OKClick();
        EXPECT_EQ(f.form->result(), mrOk);
        EXPECT_EQ(Text(*f.path), QLatin1String(f.file));
    }
    EXPECT_EQ(PDO->sgb->Columns().Items(12)->Editor(), edDataCheckBox);
    EXPECT_EQ(Client->sgb->Columns().Items(6)->Editor(), edDataCheckBox);
}

TEST_F(CANopenTest, EditorChecks)
{
    // PDO receive: COB-ID, Dimension, Add B1..B8, TimeOut, Mnemonic; transmit: .., Send Time, On Change, Mnemonic.
    const QStringList rx = {"0x181", "2", "0", "1", "", "", "", "", "", "", "0", "r"};
    const QStringList tx = {"$7FF", "1", "1499", "", "", "", "", "", "", "", "0", "", "t"};
    // SDO client read: ID, Index, Sub, NByte, Poll, Add1..4, Mnemonic; write: .., Poll, On Change, Add1..4, Mnemonic.
    const QStringList cr = {"1", "0x1000", "0", "1", "1", "0", "", "", "", ""};
    const QStringList cw = {"127", "$FFFF", "255", "2", "0", "", "0", "1", "x", "y", ""};
    // SDO server: Index, Sub, NByte, Add1..4, Mnemonic.
    const QStringList sv = {"0x2000", "1", "1", "0", "anything", "", "", ""};
    auto with = [](QStringList cells, std::vector<std::pair<int, const char *>> set) {
        for (auto [col, text] : set)
            cells[col - 1] = QString::fromUtf8(text);
        return cells;
    };
    const struct
    {
        const char *name;
        TRule_Editor *form;
        int table;
        QStringList cells;
        const char *error;
    } cases[] = {
        {"pdo rx good", PDO.get(), 0, rx, ""},
        {"pdo tx good", PDO.get(), 1, tx, ""},
        {"pdo 0x800", PDO.get(), 0, with(rx, {{1, "0x800"}}), "Error row 1!! [Receive PDO] COB-ID must be between 0x000 and 0x7FF"},
        {"pdo 385 blank", PDO.get(), 0, with(rx, {{1, "385 "}}), "Error row 1!! [Receive PDO] COB-ID must be between 0x000 and 0x7FF"},
        {"pdo tx cob", PDO.get(), 1, with(tx, {{1, "2048"}}), "Error row 1!! [Transmit PDO] COB-ID must be between 0x000 and 0x7FF"},
        {"pdo dim 9", PDO.get(), 0, with(rx, {{2, "9"}}), "Error row 1!! [Receive PDO] Dimension must be between 1 and 8"},
        {"pdo b3 1500", PDO.get(), 0, with(rx, {{2, "4"}, {5, "1500"}, {6, "0"}}),
         "Error row 1!! [Receive PDO] Address Byte3 must be between 0 and 1499"},
        {"pdo beyond dimension", PDO.get(), 0, with(rx, {{5, "x"}, {10, "y"}}), ""},
        {"pdo tx b1", PDO.get(), 1, with(tx, {{3, "1500"}}), "Error row 1!! [Transmit PDO] Address Byte1 must be between 0 and 1499"},
        {"pdo timeout 65536", PDO.get(), 0, with(rx, {{11, "65536"}}), "Error row 1!! [Receive PDO] TimeOut must be between 0 and 65535"},
        {"pdo send 100000001", PDO.get(), 1, with(tx, {{11, "100000001"}}),
         "Error row 1!! [Transmit PDO] Send Time must be between 0 and 100000000"},
        {"client good read", Client.get(), 0, cr, ""},
        {"client good write", Client.get(), 1, cw, ""},
        {"client index 4095", Client.get(), 0, with(cr, {{2, "4095"}}), "Error row 1!! [SDO Read] Index must be between 0x1000 and 0xFFFF"},
        {"client nbyte 3", Client.get(), 0, with(cr, {{4, "3"}}), "Error row 1!! [SDO Read] N Byte must be 1 or 2 or 4"},
        {"client poll 0", Client.get(), 0, with(cr, {{5, "0"}}), "Error row 1!! [SDO Read] Poll Time must be between 1 and 100000000"},
        {"client id 0", Client.get(), 0, with(cr, {{1, "0"}}), "Error row 1!! [SDO Read] Device ID must be between 1 and 127"},
        {"client id 128", Client.get(), 1, with(cw, {{1, "128"}}), "Error row 1!! [SDO Write] Device ID must be between 1 and 127"},
        {"client sub 256", Client.get(), 1, with(cw, {{3, "256"}}), "Error row 1!! [SDO Write] SubIndex must be between 0x00 and 0xFF"},
        {"client write add2", Client.get(), 1, with(cw, {{8, ""}}), "Error row 1!! [SDO Write] Address Byte2 must be between 0 and 1499"},
        {"client read add4", Client.get(), 0, with(cr, {{4, "4"}, {7, "1"}, {8, "2"}, {9, "1500"}}),
         "Error row 1!! [SDO Read] Address Byte4 must be between 0 and 1499"},
        {"server good", Server.get(), 0, sv, ""},
        {"server 0x1FFF", Server.get(), 0, with(sv, {{1, "0x1FFF"}}), "Error row 1!! [SDO in Read] Index must be between 0x2000 and 0x5FFF"},
        {"server 0x6000 write", Server.get(), 1, with(sv, {{1, "0x6000"}}),
         "Error row 1!! [SDO in Write] Index must be between 0x2000 and 0x5FFF"},
        {"server 8192", Server.get(), 1, with(sv, {{1, "8192"}}), ""},
        {"server nbyte 3", Server.get(), 0, with(sv, {{3, "3"}}), "Error row 1!! [SDO in Read] N Byte must be 1 or 2 or 4"},
        {"server add2", Server.get(), 1, with(sv, {{3, "2"}}), "Error row 1!! [SDO in Write] Address Byte2 must be between 0 and 1499"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Check_Rows(*c.form, c.table, {c.cells}), QString::fromUtf8(c.error)) << c.name;

    // The same object in both server tables; a copy from one table refused in the other.
    Server->FormShow();
    Set(Server->sga, 1, sv);
    Set(Server->sgb, 1, sv);
    EXPECT_TRUE(Server->Controllo_dati());
    Server->sga->FocusCell(1, 1, true);
    Server->Btn_CopyRowClick();
    Server->PageControl1->setCurrentIndex(1);
    Server->sgb->FocusCell(1, 2, true);
    Server->Btn_PasteRowClick();
    EXPECT_EQ(Guard.Fake.LastText(), QStringLiteral("Error!!! Copy a valid row before Paste it"));
}

TEST_F(CANopenTest, RowsAreSavedAsTypedUpToTheFirstBlankKeyAndEveryAttributeIsRequired)
{
    PDO->FormShow();
    Set(PDO->sga, 1, {"0x181", "1", "0", "x", "", "", "", "", "", "", "0", "r"});
    Set(PDO->sga, 3, {"0x182", "1", "0", "", "", "", "", "", "", "", "0", "lost"});
    Set(PDO->sgb, 1, {"513", "1", "0", "", "", "", "", "", "", "", "0", "", "t"});
    PDO->Btn_OK_Click();
    ASSERT_EQ(PDO->result(), mrOk) << Guard.Fake.LastText().toStdString();
    EXPECT_EQ(Text(Path_PDO_CANopen),
              QStringLiteral("<PDO_CANopen>\n  <Receive_PDO>\n    <row COB-ID=\"0x181\" Dimension=\"1\" Address_B1=\"0\" "
                             "Address_B2=\"x\" Address_B3=\"\" Address_B4=\"\" Address_B5=\"\" Address_B6=\"\" "
                             "Address_B7=\"\" Address_B8=\"\" TimeOut=\"0\" Mnemonic=\"r\" />\n  </Receive_PDO>\n"
                             "  <Transmit_PDO>\n    <row COB-ID=\"513\" Dimension=\"1\" Address_B1=\"0\" Address_B2=\"\" "
                             "Address_B3=\"\" Address_B4=\"\" Address_B5=\"\" Address_B6=\"\" Address_B7=\"\" "
                             "Address_B8=\"\" Send_Time=\"0\" On_Change=\"\" Mnemonic=\"t\" />\n  </Transmit_PDO>\n"
                             "</PDO_CANopen>\n<!--SW_VERSION = 1.000-->\n"));

    Write(Path_SDO_Client_CANopen, "<S><SDO_Read><row Device_ID=\"1\" Index=\"1\"/></SDO_Read><SDO_Write/></S>");
    Client->FormShow();
    ASSERT_EQ(Guard.Fake.Calls.size(), 1u);
    EXPECT_TRUE(Guard.Fake.LastText().contains(QLatin1String("SubIndex"))) << Guard.Fake.LastText().toStdString();
    EXPECT_EQ(Client->sga->GetCellEx(2, 1), QStringLiteral("1"));

    // Delete Row frees the last row with an empty On Change box.
    PDO->FormShow();
    PDO->PageControl1->setCurrentIndex(1);
    Set(PDO->sgb, 30, {"1", "1", "0", "", "", "", "", "", "", "", "0", "Y", "t"});
    PDO->sgb->FocusCell(1, 30, true);
    Guard.Fake.Answers = {TMsgResult::Yes};
    PDO->Btn_DelRow_Click();
    EXPECT_EQ(Guard.Fake.LastText(), QStringLiteral("Are you sure to delete the Row number 30"));
    EXPECT_EQ(Row(PDO->sgb, 30).mid(1), QStringList(13, QString()));
}

// --- The EDS writer ---

void Write_PDOs(const QString &path, const QByteArray &receive, const QByteArray &transmit)
{
    Write_File_Atomic(path, "<PDO_CANopen><Receive_PDO>" + receive + "</Receive_PDO><Transmit_PDO>" + transmit +
                                "</Transmit_PDO></PDO_CANopen>");
}

QByteArray PDO_Row(const QByteArray &cob_id, const QByteArray &dim)
{
    return "<row COB-ID=\"" + cob_id + "\" Dimension=\"" + dim + "\"/>";
}

QByteArray SDO_Row(const QByteArray &index, int sub, int nbyte)
{
    return "<row Index=\"" + index + "\" SubIndex=\"" + QByteArray::number(sub) + "\" NByte=\"" +
           QByteArray::number(nbyte) + "\"/>";
}

TEST_F(CANopenTest, SheetsMatchTheGoldenFiles)
{
    struct TCase
    {
        const char *golden;
        std::function<void()> files;
    };
    const TCase cases[] = {
        {"eds_empty.eds", [] {}},
        {"eds_one_rpdo.eds", [this] { Write_PDOs(Path_PDO_CANopen, PDO_Row("0x201", "2"), ""); }},
        {"eds_one_rpdo.eds", [this] { Write_PDOs(Path_PDO_CANopen, PDO_Row("513", "2"), ""); }},
        {"eds_one_tpdo.eds", [this] { Write_PDOs(Path_PDO_CANopen, "", PDO_Row("0x181", "1")); }},
        {"eds_sdo_server.eds", [this] {
             Write(Path_SDO_Server_CANopen, "<S><SDO_Read>" + SDO_Row("0x2000", 1, 2) + SDO_Row("0x3000", 5, 1) +
                                                "</SDO_Read><SDO_Write>" + SDO_Row("0x2000", 0, 4) +
                                                SDO_Row("0x2000", 10, 4) + SDO_Row("0x2000", 255, 1) +
                                                "</SDO_Write></S>");
         }},
    };
    for (const TCase &c : cases) {
        QFile::remove(Path_PDO_CANopen);
        QFile::remove(Path_SDO_Server_CANopen);
        c.files();
        const QByteArray sheet = Sheet();
        const QByteArray golden = Read_Bytes(Test_Data(QStringLiteral("fieldbus/") + QLatin1String(c.golden)));
        ASSERT_FALSE(golden.isEmpty()) << c.golden;
        EXPECT_EQ(sheet, golden) << c.golden;
    }
    EXPECT_TRUE(Guard.Fake.Calls.empty()) << Guard.Fake.LastText().toStdString();
}

TEST_F(CANopenTest, TimeDateAndObjectOrder)
{
    const struct
    {
        int h, m;
        const char *text;
    } times[] = {{0, 15, "12:15AM"}, {12, 0, "12:00PM"}, {12, 30, "12:30PM"}, {13, 5, "01:05PM"}, {9, 7, "09:07AM"}, {23, 59, "11:59PM"}};
    for (const auto &t : times)
        EXPECT_EQ(EDS_Time_Text(QTime(t.h, t.m)), QLatin1String(t.text));
    EXPECT_EQ(EDS_Date_Text(QDate(2023, 5, 3)), QStringLiteral("05-03-2023"));

    Write(Path_SDO_Server_CANopen, "<S><SDO_Read>" + SDO_Row("0x2200", 1, 1) + "</SDO_Read><SDO_Write>" +
                                       SDO_Row("0x2100", 1, 1) + "</SDO_Write></S>");
    const QStringList lines = Compose_CANopen_EDS(QDateTime(QDate(2023, 5, 3), QTime(0, 15)));
    EXPECT_TRUE(lines.contains(QStringLiteral("CreationTime=12:15AM")));
    const qsizetype at = lines.indexOf(QStringLiteral("[ManufacturerObjects]"));
    ASSERT_GE(at, 0);
    EXPECT_EQ(lines.mid(at + 1, 3), QStringList({"SupportedObjects=2", "1=0x2200", "2=0x2100"}));
}

TEST_F(CANopenTest, UnreadableProjectFilesStopTheRunAndWriteNothing)
{
    const QString target = In_Temp(QStringLiteral("out.eds"));
    Write(target, "old");
    const struct
    {
        const char *name;
        QByteArray pdo, sdo;
        const char *contains;
    } cases[] = {
        {"no transmit list", "<P><Receive_PDO/></P>", "", "Transmit_PDO"},
        {"pdo without dimension", "<P><Receive_PDO><row COB-ID=\"1\"/></Receive_PDO><Transmit_PDO/></P>", "", "Dimension"},
        {"index no integer", "", "<S><SDO_Read>" + SDO_Row("abc", 1, 1) + "</SDO_Read><SDO_Write/></S>", "abc"},
        {"sub-index 256", "", "<S><SDO_Read>" + SDO_Row("0x2000", 256, 1) + "</SDO_Read><SDO_Write/></S>", "SubIndex"},
        {"no write list", "", "<S><SDO_Read/></S>", "SDO_Write"},
        {"damaged", "<P><Receive_PDO>", "", "PDO_CANopen.xml"},
    };
    for (const auto &c : cases) {
        QFile::remove(Path_PDO_CANopen);
        QFile::remove(Path_SDO_Server_CANopen);
        if (!c.pdo.isEmpty())
            Write(Path_PDO_CANopen, c.pdo);
        if (!c.sdo.isEmpty())
            Write(Path_SDO_Server_CANopen, c.sdo);
        try {
            Build_CANopen_EDS(target);
            ADD_FAILURE() << c.name << ": no error";
        } catch (const EXmlError &e) {
            EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QLatin1String(c.contains))) << c.name << ": " << e.what();
        }
        EXPECT_EQ(Read_Bytes(target), QByteArray("old")) << c.name;
    }
}

// A Dimension the PDO editor would refuse stops the run with its message: one sub-index per
// byte, so a huge one would fill memory and one past 254 would write sub-indexes past 0xFF.
TEST_F(CANopenTest, ADimensionOutsideTheEditorsRangeStopsTheRun)
{
    const QString target = In_Temp(QStringLiteral("out.eds"));
    Write(target, "old");
    const struct
    {
        QByteArray receive, transmit;
        const char *message;
    } cases[] = {
        {PDO_Row("0x201", "2147483647"), "", "Error row 1!! [Receive PDO] Dimension must be between 1 and 8"},
        {PDO_Row("0x201", "2") + PDO_Row("0x202", "300"), "",
         "Error row 2!! [Receive PDO] Dimension must be between 1 and 8"},
        {"", PDO_Row("0x181", "-1"), "Error row 1!! [Transmit PDO] Dimension must be between 1 and 8"},
        {"", PDO_Row("0x181", "0"), "Error row 1!! [Transmit PDO] Dimension must be between 1 and 8"},
        {PDO_Row("0x201", "9"), "", "Error row 1!! [Receive PDO] Dimension must be between 1 and 8"},
    };
    for (const auto &c : cases) {
        Write_PDOs(Path_PDO_CANopen, c.receive, c.transmit);
        try {
            Build_CANopen_EDS(target);
            ADD_FAILURE() << c.message << ": no error";
        } catch (const EXmlError &e) {
            EXPECT_EQ(QString::fromUtf8(e.what()), Path_PDO_CANopen + ": " + c.message);
        }
        EXPECT_EQ(Read_Bytes(target), QByteArray("old")) << c.message;
    }
    Write_PDOs(Path_PDO_CANopen, PDO_Row("0x201", "8"), PDO_Row("0x181", "1"));
    EXPECT_NO_THROW(Build_CANopen_EDS(target));
    EXPECT_TRUE(Read_Bytes(target).contains("[1600sub8]"));
}

TEST_F(CANopenTest, LoadedValuesFallBackAndStayWithinTheTable)
{
    // COB-ID no integer: 0; Dimension no integer: 8.
    Write_PDOs(Path_PDO_CANopen, PDO_Row("abc", "x"), "");
    Load_PDO_List();
    EXPECT_EQ(Nr_RPDO, 1);
    EXPECT_EQ(PDO_Table[0].COB_ID, 0);
    EXPECT_EQ(PDO_Table[0].Dimension, 8);

    // Only the first 30 of a list are read: the table holds 30 of each kind.
    QByteArray many;
    for (int i = 0; i < 35; ++i)
        many += PDO_Row(QByteArray::number(0x200 + i), "1");
    Write_PDOs(Path_PDO_CANopen, many, many);
    const QStringList lines = Compose_CANopen_EDS(QDateTime(QDate(2023, 5, 3), QTime(1, 0)));
    EXPECT_EQ(Nr_RPDO, 30);
    EXPECT_EQ(Nr_TPDO, 30);
    EXPECT_TRUE(lines.contains(QStringLiteral("NrOfRXPDO=30")));
    EXPECT_TRUE(lines.contains(QStringLiteral("[701D]")));
    EXPECT_FALSE(lines.contains(QStringLiteral("[701E]")));
    EXPECT_EQ(PDO_Table[30].COB_ID, 0x200);
}

// An index and sub-index given twice used to be written as two sections of one name.
TEST_F(CANopenTest, ARepeatedSubIndexIsWrittenOnceAfterAWarning)
{
    Write(Path_SDO_Server_CANopen, "<S><SDO_Read>" + SDO_Row("0x2000", 1, 1) + "</SDO_Read><SDO_Write>" +
                                       SDO_Row("0x2000", 1, 4) + SDO_Row("0x2000", 2, 2) + "</SDO_Write></S>");
    const QString sheet = QString::fromLatin1(Sheet());
    EXPECT_EQ(sheet.count(QStringLiteral("[2000sub1]")), 1);
    const qsizetype at = sheet.indexOf(QStringLiteral("[2000sub1]"));
    EXPECT_TRUE(sheet.mid(at, 200).contains(QLatin1String("DataType=0x0005"))) << sheet.mid(at, 200).toStdString();
    EXPECT_TRUE(sheet.contains(QStringLiteral("[2000]\r\nSubNumber=3\r\n")));
    ASSERT_EQ(Guard.Fake.Calls.size(), 1u);
    EXPECT_EQ(Guard.Fake.Calls[0].kind, TMsgKind::Warning);
    EXPECT_TRUE(Guard.Fake.LastText().contains(QLatin1String("0x2000 sub-index 1"))) << Guard.Fake.LastText().toStdString();
}

} // namespace
