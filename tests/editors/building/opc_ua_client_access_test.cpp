// The OPC UA client editor: servers through the entry dialog, variable grids and the model,
// browse results, automatic positions, the check and the project file.
#include "app/lbbutton.h"
#include "building_fixture.h"
#include "editors/building/opc_ua_add_server.h"
#include "editors/building/opc_ua_client_access.h"
#include "editors/building/opc_ua_scan_server.h"
#include "grid/string/dazcolumngrid.h"
#include "platform/xml.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class OPCUAClient : public BuildingTest
{
protected:
    void SetUp() override
    {
        BuildingTest::SetUp();
        E = std::make_unique<TFOPC_UA_Client_Access>();
        E->Run_Add_Server = [this](TFOPC_UA_Add_Server &d) {
            d.FormShow();
            if (Server_Script)
                Server_Script(d);
            d.Btn_OKClick();
            return d.result();
        };
        E->FormShow();
    }
    void TearDown() override
    {
        E.reset();
        BuildingTest::TearDown();
    }
    void Add(const QString &address)
    {
        Server_Script = [address](TFOPC_UA_Add_Server &d) { d.E_Server_Add->setText(address); };
        E->Add_Server();
    }
    void Select(int server)   // 0-based
    {
        E->ACG_OPC_UA_Server->SetRow(server + 1);
        E->ACG_OPC_UA_ServerClickCell(server + 1, 1);
    }
    // A variable row: name, type and position; the rest valid.
    void Type_Var(TDazColumnGrid *g, int row, const QString &name, const QString &type, const QString &pos)
    {
        const bool read = g == E->ACG_OPC_UA_Var_R;
        const QStringList cells = {"Y", name, "Numeric", "10", type, "1", read ? "Variable" : "N", read ? "0" : "N",
                                   read ? "0" : "N", "100", pos, "0", "N", "N", "N", "m"};
        for (int c = 0; c < cells.size(); ++c)
            g->SetCellEx(c + 1, row, cells[c]);
    }

    std::unique_ptr<TFOPC_UA_Client_Access> E;
    std::function<void(TFOPC_UA_Add_Server &)> Server_Script;
};

} // namespace

TEST_F(OPCUAClient, ANewProjectShowsOneBlankServerRowAndWritesAnEmptyList)
{
    EXPECT_EQ(E->size(), QSize(1150, 660));
    EXPECT_EQ(E->windowTitle(), Lang_Text(5400));
    EXPECT_EQ(E->ACG_OPC_UA_Server->RowCount(), 2);
    EXPECT_TRUE(E->ACG_OPC_UA_Server->GetCellEx(2, 1).isEmpty());
    EXPECT_EQ(E->ACG_OPC_UA_Var_R->RowCount(), 1025);
    EXPECT_EQ(E->ACG_OPC_UA_Var_W->GetCellEx(1, 1024), "Y");
    EXPECT_EQ(E->ACG_OPC_UA_Var_R->GetCellEx(OV_7, 0), "Var/Array");   // the built-in text
    EXPECT_EQ(E->Hint_Var_W_List.size(), 16);
    EXPECT_EQ(E->Hint_Var_W_List[15], "Insert a description of OPC UA Variable");
    QString hint;
    E->GridHint(E->ACG_OPC_UA_Var_W, 0, OV_Mnemonic, hint);
    EXPECT_EQ(hint, Lang_Text(5488));
    E->Btn_OKClick();
    EXPECT_EQ(E->result(), mrOk);
    TXmlDocument doc;
    doc.LoadFromFile(Path_OPC_UA_Client);
    EXPECT_EQ(doc.DocumentElement().Child("OPC_UA_Server_List").ChildCount(), 0);
}

TEST_F(OPCUAClient, ServersComeFromTheEntryDialog)
{
    E->ACG_OPC_UA_ServerDblClickCell(-1, -1);   // below the last server: add
    EXPECT_EQ(E->OPC_UA_Server_List.size(), 0u);   // empty address refused, dialog cancelled
    Add("opc.tcp://a");
    ASSERT_EQ(E->OPC_UA_Server_List.size(), 1u);
    const TOPC_UA_Server &s = *E->OPC_UA_Server_List[0];
    EXPECT_TRUE(s.Enable);
    EXPECT_EQ(s.Authorization, "Anonymous");
    EXPECT_EQ(s.SecurityPolicy, "None");
    EXPECT_EQ(E->ACG_OPC_UA_Server->GetCellEx(2, 1), "opc.tcp://a");
    // Modify shows the stored entry; an authorization name not in the list shows "Certificate".
    E->OPC_UA_Server_List[0]->Authorization = "Kerberos";
    Select(0);
    Server_Script = [](TFOPC_UA_Add_Server &d) {
        EXPECT_EQ(d.CB_Auth->currentIndex(), 2);
        EXPECT_EQ(d.E_Server_Add->text(), "opc.tcp://a");
        d.CB_Auth->setCurrentIndex(1);
        d.E_User->setText("u");
        d.E_Pass->setText("p");
    };
    E->ACG_OPC_UA_ServerDblClickCell(1, 2);
    EXPECT_EQ(E->OPC_UA_Server_List[0]->Authorization, "Username and Password");
    EXPECT_EQ(E->OPC_UA_Server_List[0]->UserName, "u");
    // Delete asks 5489: No and Cancel keep it.
    for (TMsgResult a : {TMsgResult::No, TMsgResult::Cancel}) {
        Guard.Fake.Answers = {a};
        E->Delete_Server();
        EXPECT_EQ(E->OPC_UA_Server_List.size(), 1u);
    }
    EXPECT_EQ(Guard.Fake.LastText(), Lang_Text(5489));
}

TEST_F(OPCUAClient, GridsReachTheModelBeforeItIsUsedAndAnEmptyNameEndsTheList)
{
    Add("opc.tcp://a");
    Add("opc.tcp://b");
    Select(0);
    Type_Var(E->ACG_OPC_UA_Var_R, 1, "r1", "Int32", "0");
    Type_Var(E->ACG_OPC_UA_Var_R, 3, "after a gap", "Int32", "4");
    Type_Var(E->ACG_OPC_UA_Var_W, 1, "w1", "Float", "0");
    // Another server selected: what was typed is stored first.
    Select(1);
    ASSERT_EQ(E->OPC_UA_Server_List[0]->Var_List_R.size(), 1u);
    EXPECT_EQ(E->OPC_UA_Server_List[0]->Var_List_R[0]->DispalyName, "r1");
    EXPECT_EQ(E->OPC_UA_Server_List[0]->Var_List_W.size(), 1u);
    EXPECT_TRUE(E->ACG_OPC_UA_Var_R->GetCellEx(OV_DisplayName, 1).isEmpty());
    // A last edit without a focus change is stored before OK checks it.
    Type_Var(E->ACG_OPC_UA_Var_R, 1, "bad", "Int32", "1500");
    Guard.Fake.Calls.clear();
    E->Btn_OKClick();
    EXPECT_EQ(Guard.Fake.LastText(), "Error in Server Number 2 in Read Variable 1!! Position must be between 0 and 1499");
    EXPECT_EQ(E->result(), 0);
    // After Delete Server no server is selected and nothing is stored into the one moving up.
    Select(0);
    Guard.Fake.Answers = {TMsgResult::Yes};
    E->Delete_Server();
    EXPECT_EQ(E->Shown_Server, -1);
    EXPECT_TRUE(E->ACG_OPC_UA_Var_R->GetCellEx(OV_DisplayName, 1).isEmpty());
    E->Store_Var_Grids();
    ASSERT_EQ(E->OPC_UA_Server_List.size(), 1u);
    EXPECT_EQ(E->OPC_UA_Server_List[0]->Var_List_R[0]->DispalyName, "bad");
}

TEST_F(OPCUAClient, ChecksWithServerAndVariableNumbers)
{
    Add("opc.tcp://a");
    Select(0);
    struct Case {
        bool read;
        int col;
        const char *value;
        QString error;
    };
    const QString R = "Error in Server Number 1 in Read Variable 2!! ";
    const QString W = "Error in Server Number 1 in Write Variable 2!! ";
    const Case cases[] = {
        {true, OV_Position, "1499", {}},
        {true, OV_Position, "1500", R + "Position must be between 0 and 1499"},
        {true, OV_Time, "", R + "Time cannot be empty"},
        {true, OV_Time, "0", R + "Time must be major to 0"},
        {true, OV_7, "Array", {}},
        {true, OV_StartBit, "8", R + "Start Bit must be between 0 and 7"},
        {true, OV_7, " ", R + "Var/Array must be selected"},
        {false, OV_Time, "", {}},   // On Timer unchecked
        {false, OV_9, "Y", W + "Time cannot be empty"},
        {false, OV_Position, "", W + "Position cannot be empty"},
    };
    for (const Case &c : cases) {
        TDazColumnGrid *g = c.read ? E->ACG_OPC_UA_Var_R : E->ACG_OPC_UA_Var_W;
        for (TDazColumnGrid *x : {E->ACG_OPC_UA_Var_R, E->ACG_OPC_UA_Var_W})
            for (int r = 1; r <= 2; ++r)
                Type_Var(x, r, QStringLiteral("v%1").arg(r), "Int32", "0");
        if (c.col == OV_9 || c.col == OV_Time)
            g->SetCellEx(OV_Time, 2, "");
        g->SetCellEx(c.col, 2, c.value);
        E->Store_Var_Grids();
        Guard.Fake.Calls.clear();
        EXPECT_EQ(E->Controllo_Dati(), c.error.isEmpty()) << c.col << c.value;
        EXPECT_EQ(Guard.Fake.LastText(), c.error) << c.col << c.value;
    }
    // A String array fails; a single String needs Start and Len of 0 or more.
    Type_Var(E->ACG_OPC_UA_Var_R, 2, "s", "String", "0");
    E->ACG_OPC_UA_Var_R->SetCellEx(OV_7, 2, "Array");
    E->Store_Var_Grids();
    EXPECT_FALSE(E->Controllo_Dati());
    EXPECT_EQ(Guard.Fake.LastText(), R + "An Array cannot be of type String or ByteString");
    E->ACG_OPC_UA_Var_R->SetCellEx(OV_7, 2, "Variable");
    E->ACG_OPC_UA_Var_R->SetCellEx(OV_9, 2, "x");
    E->Store_Var_Grids();
    EXPECT_FALSE(E->Controllo_Dati());
    EXPECT_EQ(Guard.Fake.LastText(), R + "Length must be 0 or more");
}

TEST_F(OPCUAClient, AutoPosNumbersEachListAfterThePreviousServer)
{
    Add("opc.tcp://a");
    Add("opc.tcp://b");
    Select(0);
    Type_Var(E->ACG_OPC_UA_Var_R, 1, "a", "DateTime", "100");
    Type_Var(E->ACG_OPC_UA_Var_R, 2, "b", "String", "7");
    Type_Var(E->ACG_OPC_UA_Var_W, 1, "c", "Guid", "0");
    Guard.Fake.Answers = {TMsgResult::Yes};
    E->Btn_AutoPositionClick();
    EXPECT_EQ(Guard.Fake.LastText(), Lang_Text(5494));
    EXPECT_EQ(E->OPC_UA_Server_List[0]->Var_List_R[0]->Position, "0");
    EXPECT_EQ(E->OPC_UA_Server_List[0]->Var_List_R[1]->Position, "8");
    EXPECT_EQ(E->ACG_OPC_UA_Var_R->GetCellEx(OV_Position, 2), "8");
    Select(1);
    Type_Var(E->ACG_OPC_UA_Var_R, 1, "d", "Int16", "");
    Type_Var(E->ACG_OPC_UA_Var_W, 1, "e", "Boolean", "");
    Guard.Fake.Answers = {TMsgResult::Yes};
    E->Btn_AutoPositionClick();
    EXPECT_EQ(E->OPC_UA_Server_List[1]->Var_List_R[0]->Position, "28");   // 8 + 20
    EXPECT_EQ(E->OPC_UA_Server_List[1]->Var_List_W[0]->Position, "16");   // Guid 16
    Guard.Fake.Answers = {TMsgResult::No};
    E->ACG_OPC_UA_Var_R->SetCellEx(OV_Position, 1, "99");
    E->Btn_AutoPositionClick();
    EXPECT_EQ(E->OPC_UA_Server_List[1]->Var_List_R[0]->Position, "99");   // stored, not renumbered
}

TEST_F(OPCUAClient, ScanAddsTickedRowsAndAsksBeforeChangingAList)
{
    Guard.Fake.Calls.clear();
    E->Scan_Server();
    EXPECT_EQ(Guard.Fake.LastText(), Lang_Text(5490));
    Add("opc.tcp://a");
    Select(0);
    Type_Var(E->ACG_OPC_UA_Var_W, 1, "old w", "Int32", "0");
    int count = 3;
    E->Run_Scan_Server = [&count](TFOPC_UA_Scan_Server &d) {
        EXPECT_STREQ(d.Server.server_address, "opc.tcp://a");
        d.List_Var.clear();
        for (int i = 0; i < count; ++i) {
            TOPC_UA_Browsed b;
            b.Record.identifierType = 3;
            b.Record.accessLevel = uint8_t(i + 1);
            b.Record.dataType = 11;
            b.displayName = QStringLiteral("b%1").arg(i);
            b.stringname = QStringLiteral("s%1").arg(i);
            d.List_Var.push_back(b);
        }
        d.Show_Variables_List();
        return mrOk;
    };
    // Empty read list: taken without a question; the write list asks: Cancel keeps it.
    Guard.Fake.Calls.clear();
    Guard.Fake.Answers = {TMsgResult::Cancel};
    E->Scan_Server();
    EXPECT_EQ(Guard.Fake.Texts(), QStringList{Lang_Text(5492)});
    const TOPC_UA_Server &s = *E->OPC_UA_Server_List[0];
    ASSERT_EQ(s.Var_List_R.size(), 2u);   // access 1 and 3
    EXPECT_EQ(s.Var_List_R[1]->DispalyName, "b2");
    EXPECT_EQ(s.Var_List_R[1]->GetNodeID(), "s2");
    EXPECT_EQ(s.Var_List_R[1]->GetVarType(), "String");
    ASSERT_EQ(s.Var_List_W.size(), 1u);
    EXPECT_EQ(E->ACG_OPC_UA_Var_R->GetCellEx(OV_DisplayName, 2), "b2");
    // Yes appends to the read list, No replaces the write list.
    Guard.Fake.Answers = {TMsgResult::Yes, TMsgResult::No};
    E->Scan_Server();
    EXPECT_EQ(s.Var_List_R.size(), 4u);
    ASSERT_EQ(s.Var_List_W.size(), 2u);   // access 2 and 3
    EXPECT_EQ(s.Var_List_W[0]->DispalyName, "b1");
}

TEST_F(OPCUAClient, ALoadThatStoppedEarlyAsksBeforeSaving)
{
    Write(Path_OPC_UA_Client,
          "<OPC_UA_Client><OPC_UA_Server_List>"
          "<OPC_UA_Server ServerAddress='a' Authorization='Anonymous' UserName='' Password='' Certificate='' "
          "PrivateKey='' SecurityType='None' SecurityPolicy='None' Mnemonic=''><OPC_UA_Variables><OPC_UA_Read_Var/>"
          "<OPC_UA_Write_Var/></OPC_UA_Variables></OPC_UA_Server><OPC_UA_Server ServerAddress='b'/>"
          "</OPC_UA_Server_List></OPC_UA_Client>");
    const QByteArray before = Read_Bytes(Path_OPC_UA_Client);
    Guard.Fake.Calls.clear();
    E->FormShow();
    EXPECT_EQ(Guard.Fake.Texts().size(), 1);
    EXPECT_EQ(E->OPC_UA_Server_List.size(), 1u);
    Guard.Fake.Answers = {TMsgResult::No};
    E->setResult(-1);
    E->Btn_OKClick();
    EXPECT_EQ(E->result(), -1);
    EXPECT_EQ(Read_Bytes(Path_OPC_UA_Client), before);
    Guard.Fake.Answers = {TMsgResult::Yes};
    E->Btn_OKClick();
    EXPECT_EQ(E->result(), mrOk);
    TOPC_UA_Server_List back;
    Read_OPC_UA_Client(Path_OPC_UA_Client, back);
    EXPECT_EQ(back.size(), 1u);
}

TEST_F(OPCUAClient, ALoadThatStoppedEarlyLeavesTheGridsInTheirResetState)
{
    Write(Path_OPC_UA_Client,
          "<OPC_UA_Client><OPC_UA_Server_List>"
          "<OPC_UA_Server ServerAddress='a' Authorization='Anonymous' UserName='' Password='' Certificate='' "
          "PrivateKey='' SecurityType='None' SecurityPolicy='None' Mnemonic=''><OPC_UA_Variables><OPC_UA_Read_Var>"
          "<Variable Enable='1' DisplayName='r1' NodeType='Numeric' NodeID='5' VarType='Int16' NameSpaceIndex='0' "
          "Time='100' Position='0' Mnemonic=''/></OPC_UA_Read_Var>"
          "<OPC_UA_Write_Var/></OPC_UA_Variables></OPC_UA_Server><OPC_UA_Server ServerAddress='b'/>"
          "</OPC_UA_Server_List></OPC_UA_Client>");
    E->FormShow();
    ASSERT_EQ(E->OPC_UA_Server_List.size(), 1u);
    EXPECT_EQ(E->ACG_OPC_UA_Server->RowCount(), 2);
    for (int c = 0; c < E->ACG_OPC_UA_Server->AllColCount(); ++c)
        EXPECT_TRUE(E->ACG_OPC_UA_Server->GetCellEx(c, 1).isEmpty()) << c;
    EXPECT_TRUE(E->ACG_OPC_UA_Var_R->GetCellEx(OV_DisplayName, 1).isEmpty());
    EXPECT_EQ(E->ACG_OPC_UA_Var_R->GetCellEx(OV_Enable, 1), "Y");
}

TEST_F(OPCUAClient, TheServerListShowsEnableAsABoxTheDialogAloneChanges)
{
    Server_Script = [](TFOPC_UA_Add_Server &d) {
        d.E_Server_Add->setText("opc.tcp://a");
        d.CB_OPC_UA_Server_Enable->setChecked(false);
    };
    E->Add_Server();
    TDazColumnGrid *g = E->ACG_OPC_UA_Server;
    EXPECT_EQ(g->Columns().Items(1)->Editor(), edDataCheckBox);
    bool state = true;
    EXPECT_TRUE(g->GetCheckBoxState(1, 1, state));
    EXPECT_FALSE(state);
    E->show();
    const TRect r = g->CellRect(1, 1);
    QTest::mouseClick(g->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    EXPECT_EQ(g->GetCellEx(1, 1), "N");
    EXPECT_FALSE(E->OPC_UA_Server_List[0]->Enable);
}

TEST_F(OPCUAClient, AServerChosenWithTheKeyboardShowsItsVariables)
{
    Add("opc.tcp://a");
    Add("opc.tcp://b");
    Select(0);
    Type_Var(E->ACG_OPC_UA_Var_R, 1, "of a", "Int32", "0");
    Select(1);
    Type_Var(E->ACG_OPC_UA_Var_R, 1, "of b", "Int32", "0");
    Select(0);
    E->show();
    E->ACG_OPC_UA_Server->setFocus();
    QTest::keyClick(E->ACG_OPC_UA_Server, Qt::Key_Down);
    EXPECT_EQ(E->ACG_OPC_UA_Server->Row(), 2);
    EXPECT_EQ(E->ACG_OPC_UA_Var_R->GetCellEx(OV_DisplayName, 1), "of b");
    QTest::keyClick(E->ACG_OPC_UA_Server, Qt::Key_Up);
    EXPECT_EQ(E->ACG_OPC_UA_Var_R->GetCellEx(OV_DisplayName, 1), "of a");
    ASSERT_EQ(E->OPC_UA_Server_List[1]->Var_List_R.size(), 1u);
    EXPECT_EQ(E->OPC_UA_Server_List[1]->Var_List_R[0]->DispalyName, "of b");
}
