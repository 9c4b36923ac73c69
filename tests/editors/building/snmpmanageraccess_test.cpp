// The SNMP manager requests: layout, file, row checks, duplicates and the string budget.
#include "app/lbbutton.h"
#include "building_fixture.h"
#include "editors/building/snmpmanageraccess.h"
#include "grid/string/dazcolumngrid.h"

namespace {

// A valid version 1 request, columns 1 on.
QStringList Request(const QString &ip = "192.168.1.20", const QString &oid = "1.3.6.1.2.1.1.5.0",
                    const QString &version = "1", const QString &enable = "Y")
{
    return {enable, ip, version, "public", oid, "Int", "Get", "N", "N", "N", "", "0", "4", "None",
            "N",    "",  "",      "",       "",  "",    "",    "m"};
}

class SNMPManagerTest : public BuildingTest
{
protected:
    void SetUp() override
    {
        BuildingTest::SetUp();
        Form = std::make_unique<TFSNMPManagerAccess>();
        Form->FormShow();
    }
    TDazColumnGrid *Grid() const { return Form->ACG_SNMP; }
    std::unique_ptr<TFSNMPManagerAccess> Form;
};

} // namespace

TEST_F(SNMPManagerTest, LayoutHintsAndFile)
{
    EXPECT_EQ(Form->size(), QSize(1230, 337));
    EXPECT_EQ(Form->windowTitle(), "Set SNMP Manager Access");
    EXPECT_EQ(Grid()->RowCount(), 513);
    EXPECT_EQ(Grid()->AllColCount(), 23);
    EXPECT_EQ(Grid()->Columns().Items(SM_Position)->ComboItems().Count(), 1440);
    EXPECT_EQ(Form->Hint_SNMP.size(), 22);
    EXPECT_EQ(Form->Btn_OK->Hint(), "Confirm and Save the current configuration of SNMP Manager Request");
    QString hint = "x";
    Grid()->OnGridHint(Grid(), 0, 22, hint);
    EXPECT_EQ(hint, "Description of the SNMP Request");
    Grid()->OnGridHint(Grid(), 3, 22, hint);
    EXPECT_EQ(hint, "");
    // No click handler: a click in column 0 selects nothing of its own.
    Grid()->SetRow(5);
    Form->ClickCell(Grid(), 9, 0);
    EXPECT_EQ(Grid()->Row(), 5);

    // Every attribute has its default; surplus rows are ignored.
    QString xml = "<Any><row IP_Address=\"10.0.0.1\" OID=\"1.2\"/>";
    for (int i = 0; i < 520; ++i)
        xml += "<row IP_Address=\"10.0.0.2\"/>";
    xml += "</Any>";
    Write(Path_SNMP_Manager, xml.toUtf8());
    Form->FormShow();
    EXPECT_TRUE(Guard.Fake.Calls.empty()) << Guard.Fake.LastText().toStdString();
    QStringList first(23, QString());
    first[0] = "1";
    first[SM_Enable] = "Y";
    first[SM_IP_Address] = "10.0.0.1";
    first[SM_OID] = "1.2";
    first[SM_OnChange] = first[SM_OnCMD] = first[SM_OnTimer] = first[SM_Cancel] = "N";
    first[SM_Conversion] = "None";
    EXPECT_EQ(Row(Grid(), 1), first);
    EXPECT_EQ(Grid()->GetCellEx(SM_IP_Address, 512), "10.0.0.2");

    // Saved under the root, 22 attributes, a disabled row with bad cells as typed.
    Form->FormShow();
    QFile::remove(Path_SNMP_Manager);
    Form->FormShow();
    Set(Grid(), 1, Request());
    Set(Grid(), 2, Request("300.1.1.1", "x..", "1", "N"));
    Set(Grid(), 4, Request());   // after a blank address: neither checked nor saved
    Form->Btn_OKClick();
    ASSERT_EQ(Form->result(), mrOk) << Guard.Fake.LastText().toStdString();
    const QString text = QString::fromUtf8(Read_Bytes(Path_SNMP_Manager)).remove('\r');
    EXPECT_TRUE(text.startsWith(
        "<SNMP_Manager_Access>\n  <row Enable=\"Y\" IP_Address=\"192.168.1.20\" Version=\"1\" Community_String=\"public\" "
        "OID=\"1.3.6.1.2.1.1.5.0\" Type=\"Int\" Mode=\"Get\" On_Change=\"N\" On_Command=\"N\" On_Timer=\"N\" Time=\"\" "
        "Position=\"0\" Number_Bytes=\"4\" ConvertFrom=\"None\" Cancel=\"N\" User=\"\" Auth_Pass=\"\" Priv_Pass=\"\" "
        "Security_Level=\"\" Auth_Mode=\"\" Priv_Mode=\"\" Mnemonic=\"m\" />\n"))
        << text.toStdString();
    EXPECT_TRUE(text.contains("IP_Address=\"300.1.1.1\""));
    EXPECT_EQ(text.count("<row "), 2);
    EXPECT_TRUE(text.endsWith("</SNMP_Manager_Access>\n<!--SW_VERSION = 1.000-->\n"));
}

TEST_F(SNMPManagerTest, RowChecks)
{
    struct Case
    {
        int col;
        QString value;
        QString text;   // empty: passes
    };
    const Case cases[] = {
        {SM_IP_Address, "192.168.1", "!! IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
        {SM_OID, "", "!! OID cannot be empty"},
        {SM_OID, ".1.3", "!! OID string cannot start with a \".\""},
        {SM_OID, QString(129, '1'), "!! OID string is too much length"},
        {SM_OID, "1.3.", "!! OID string cannot finish with a \".\""},
        {SM_OID, "1..3", "!! OID string cannot contains two or more consecutive \".\""},
        {SM_OID, "1.a", "!! OID string can contains only number and \".\""},
        {SM_OID, "1.4294967296", "!! OID string cannot contains number major of $FFFFFFFF between two \".\""},
        {SM_NumBytes, "1024", ""},
        {SM_NumBytes, "1025", "!! Number bytes must be between 0 and 1024"},
        {SM_NumBytes, "", "!! Number bytes must be between 0 and 1024"},
        {SM_Conversion, " ", "!! Conversion not selected"},
    };
    for (const Case &c : cases) {
        QStringList cells = QStringList{"1"} + Request();
        cells[c.col] = c.value;
        EXPECT_EQ(SNMP_Manager_Check_Row(cells), c.text) << c.col << " " << c.value.toStdString();
    }
    // The timer, and the version 3 fields by security level.
    struct V3 { const char *version, *level, *auth, *priv, *on_timer, *time; QString text; };
    const V3 v3[] = {
        {"3", "Auth NoPriv", "", "", "N", "", "!! Auth Mode must be selected"},
        {"3", "NoAuth NoPriv", "", "", "N", "", ""},
        {"3", " auth priv ", "SHA", "", "N", "", "!! Priv Mode must be selected"},
        {"3", "", "MD5", "", "N", "", "!! Priv Mode must be selected"},
        {"2", "", "", "", "N", "", ""},
        {"1", "", "", "", "Y", "0", "!! Time must be between 1 and 100000000 ms"},
        {"1", "", "", "", "N", "0", ""},
    };
    for (const V3 &v : v3) {
        QStringList cells = QStringList{"1"} + Request();
        cells[SM_Version] = v.version;
        cells[SM_Security_Level] = v.level;
        cells[SM_Auth_Mode] = v.auth;
        cells[SM_Priv_Mode] = v.priv;
        cells[SM_OnTimer] = v.on_timer;
        cells[SM_Time] = v.time;
        EXPECT_EQ(SNMP_Manager_Check_Row(cells), v.text) << v.version << " " << v.level;
    }
    // The message of the window carries the row.
    Set(Grid(), 1, Request());
    Set(Grid(), 2, Request("192.168.1.21", ""));
    EXPECT_FALSE(Form->Controllo_dati());
    EXPECT_EQ(Guard.Fake.LastText(), "Error row 2!! OID cannot be empty");
}

TEST_F(SNMPManagerTest, DuplicatesAndStringBudget)
{
    Set(Grid(), 1, Request());
    Set(Grid(), 2, Request("192.168.1.20", "1.3.6.1.2.1.1.5.0", "2"));
    Set(Grid(), 3, Request("192.168.1.20", "1.3.6.1.2.1.1.5.0", "1", "N"));
    EXPECT_TRUE(Form->Controllo_dati()) << Guard.Fake.LastText().toStdString();
    Set(Grid(), 4, Request(" 192.168.1.20", "1.3.6.1.2.1.1.5.0", "1"));
    EXPECT_FALSE(Form->Controllo_dati());
    EXPECT_EQ(Guard.Fake.LastText(), "Error in rows 1 and 4!! Same IP Address, Version and OID used");

    // The budget: 1 + the OID, User and pass phrases of the counted rows, at most 47104.
    QStringList v3 = QStringList{"1"} + Request();
    v3[SM_Version] = "3";
    v3[SM_User] = "user";
    v3[SM_Auth_Pass] = "authpass";
    v3[SM_Priv_Pass] = "privpass";
    v3[SM_Security_Level] = "Auth NoPriv";
    v3[SM_Auth_Mode] = "MD5";
    EXPECT_EQ(SNMP_Manager_String_Cost(v3), 18 + 5 + 9);
    v3[SM_Version] = "2";
    EXPECT_EQ(SNMP_Manager_String_Cost(v3), 18);

    const TRule_Table_Desc &table = SNMPManagerAccess_Desc().Tables[0];
    TRule_Rows rows;
    const QString oid_of_127 = "1." + QString(125, '1');   // 127 characters, a cost of 128
    for (int r = 0; r < 368; ++r) {
        QStringList cells = QStringList{QString::number(r + 1)} + Request(QStringLiteral("10.0.%1.%2").arg(r / 250).arg(r % 250), oid_of_127);
        rows.push_back(cells);
    }
    EXPECT_EQ(SNMP_Manager_Check_Table(table, rows),   // 1 + 368 * 128 = 47105
              "Error!! Too many charaters used for Community Name / User, OID, AuthPass and PrivPass");
    rows.pop_back();
    EXPECT_EQ(SNMP_Manager_Check_Table(table, rows), "");
}
