// Every table of the building editors typed into as a person does: a freshly shown window,
// a click on a text cell and keys (plain typing, F2, Enter or a double click to start),
// then OK, the saved file, and the cell again after the window is shown anew.
#include "app/lbbutton.h"
#include "building_fixture.h"
#include "editors/building/bacnet_eng_unit.h"
#include "editors/building/bacnetaccess.h"
#include "editors/building/bacnetslavesetaccess.h"
#include "editors/building/iec61850_variables.h"
#include "editors/building/iec_61850_access.h"
#include "editors/building/importedefile.h"
#include "editors/building/mqtt_set_topic.h"
#include "editors/building/opc_ua_add_server.h"
#include "editors/building/opc_ua_client_access.h"
#include "editors/building/opc_ua_server_access.h"
#include "editors/building/s7_protocol_set_access.h"
#include "editors/building/snmp_trap_access.h"
#include "editors/building/snmpmanageraccess.h"
#include "editors/building/tls_server_known_cert.h"
#include "editors/building/topictemplate.h"
#include "grid/string/dazcolumngrid.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <functional>

using namespace IEC61850Cols;

namespace {

inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}

// How the in-place editing of the cell is started.
enum class TStart { Typing, F2, Enter, Double_Click };

// Keys and clicks as a person gives them: to the widget that has the focus.
struct TPerson
{
    static QWidget *Focus(QWidget *fallback)
    {
        QWidget *w = QApplication::focusWidget();
        return w ? w : fallback;
    }
    static void Show(QWidget &window)
    {
        window.show();
        QApplication::setActiveWindow(&window);
        QApplication::processEvents();
    }
    static QPoint Centre(TDazStringGrid *grid, int real_col, int row)
    {
        const TRect r = grid->CellRect(grid->DisplColIndex(real_col), row);
        return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    static void Click(TDazStringGrid *grid, int real_col, int row)
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, Centre(grid, real_col, row));
        QApplication::processEvents();
    }
    static void Key(QWidget *fallback, Qt::Key key)
    {
        QTest::keyClick(Focus(fallback), key);
        QApplication::processEvents();
    }
    static void Type(QWidget *fallback, const QString &text)
    {
        for (QChar c : text) {
            QTest::keyClick(Focus(fallback), c.toLatin1());
            QApplication::processEvents();
        }
    }
    // Starts the editing of the cell the chosen way, types the text in place of the cell's and
    // ends with Enter.
    static void Type_Into(TDazStringGrid *grid, int real_col, int row, const QString &text, TStart start)
    {
        grid->setFocus();
        Click(grid, real_col, row);
        switch (start) {
        case TStart::Typing: break;
        case TStart::F2:
            // F2 opens the editor on the cell's text: selecting it all makes the typing replace it.
            Key(grid, Qt::Key_F2);
            QTest::keyClick(Focus(grid), Qt::Key_A, Qt::ControlModifier);
            QApplication::processEvents();
            break;
        case TStart::Enter: Key(grid, Qt::Key_Return); break;
        case TStart::Double_Click:
            QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, Centre(grid, real_col, row));
            QApplication::processEvents();
            break;
        }
        Type(grid, text);
        Key(grid, Qt::Key_Return);
    }
    static void Press(TLbButton *button)
    {
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(button->width() / 2, button->height() / 2));
        QApplication::processEvents();
    }
};

// One table of a rule editor: its valid row (columns 1 on) with the typed column left empty.
struct TRule_Case
{
    const char *Name;
    std::function<std::unique_ptr<TRule_Editor>()> Make;
    const QString *Path;
    int Table;
    QStringList Row;    // the typed column's cell is replaced by an empty one
    int Col;            // real column typed into
    TStart Start;
};

QStringList With(QStringList row, int col, const QString &value)
{
    row[col - 1] = value;
    return row;
}

class TypingTest : public BuildingTest
{
protected:
    void SetUp() override
    {
        BuildingTest::SetUp();
        Write_ParGen({{"BACnet_Master_Type", "0"}});
        Picker = std::make_unique<TFBACnet_Eng_Unit>();
        FBACnet_Eng_Unit = Picker.get();
        Import = std::make_unique<TFImportEDEFile>();
        FImportEDEFile = Import.get();
        Template = std::make_unique<TFTopicTemplate>();
        FTopicTemplate = Template.get();
    }
    void TearDown() override
    {
        FTopicTemplate = nullptr;
        FImportEDEFile = nullptr;
        FBACnet_Eng_Unit = nullptr;
        Template.reset();
        Import.reset();
        Picker.reset();
        BuildingTest::TearDown();
    }
    std::unique_ptr<TFBACnet_Eng_Unit> Picker;
    std::unique_ptr<TFImportEDEFile> Import;
    std::unique_ptr<TFTopicTemplate> Template;
};

template <class T>
std::function<std::unique_ptr<TRule_Editor>()> Maker()
{
    return [] { return std::unique_ptr<TRule_Editor>(std::make_unique<T>()); };
}

} // namespace

TEST_F(TypingTest, DISABLED_EveryRuleEditorTableTakesTypedText)
{
    const QStringList bacnet_read = {"Y", "192.168.1.10", "Analog Input", "1", "Present Value (85)", "4", "N", "",
                                     "",  "",             "1000",         "0", "0",                  "0", "",  "", ""};
    const QStringList bacnet_write = {"Y", "192.168.1.10", "Positive Integer Value", "Unsigned Int", "2",
                                      "Present Value (85)", "0", "4", "N", "", "", "", "N", "N", "", "0", "0", "0",
                                      "", "", ""};
    const QStringList slave_read = {"Analog Input", "95", "0", "", "1", "", ""};
    const QStringList slave_write = {"Analog Out", "95", "0", "", "1", "", ""};
    const QStringList iec_server = {"Y", "Temp", "Int", "4", "N", "10", "", "None", "None", "N", "N", ""};
    const QStringList mqtt_pub = {"plant/t1", "N", "0", "Int", "2", "0", "", "", "$VALUE$", "N", "", "N", "", "", "", "", ""};
    const QStringList mqtt_sub = {"plant/s1", "N", "1", "Float", "4", "10", "", "", "", "", "$VALUE$", "", "", ""};
    const QStringList s7_read = {"Y", "192.168.1.10", "102", "S71200", "0", "1", "Word", "DB", "1",
                                 "Inputs (I)", "0", "0", "1000", "0", "0", "N", "N", ""};
    const QStringList s7_write = {"Y", "192.168.1.10", "102", "S7300", "0", "2", "Int", "DB", "2", "Output (Q)",
                                  "4", "0", "0", "Y", "N", "8", "0", "N", "N", ""};
    const QStringList snmp_manager = {"Y", "192.168.1.20", "1", "public", "1.3.6.1.2.1.1.5.0", "Int", "Get", "N",
                                      "N", "N", "", "0", "4", "None", "N", "", "", "", "", "", "", ""};
    const QStringList agent_read = {"Y", "public", "Int", "N", "N", "N", "", "0", "0", "16", "x", "192.168.1.10", "None", ""};
    const QStringList agent_write = {"Y", "public", "String", "4", "0", "16", "x", "None", ""};
    const QStringList opc_server = {"Y", "Double", "0", "8", "", "Read/Write", ""};
    const QStringList tls = {"Y", "", ""};

    const TRule_Case cases[] = {
        {"BACnet master read", Maker<TFBACnetAccess>(), &Path_BACnet_Master_Access, 0, bacnet_read, 17, TStart::Typing},
        {"BACnet master write", Maker<TFBACnetAccess>(), &Path_BACnet_Master_Access, 1, bacnet_write, 21, TStart::F2},
        {"BACnet slave read", Maker<TFBACnetSlaveSetAccess>(), &Path_BACnet_Slave_SetAccess, 0, slave_read, 7, TStart::Typing},
        {"BACnet slave write", Maker<TFBACnetSlaveSetAccess>(), &Path_BACnet_Slave_SetAccess, 1, slave_write, 7, TStart::Enter},
        {"IEC 61850 server", Maker<TFIEC61850_Variables>(), &Path_IEC61850_Variables, 0, iec_server, 2, TStart::Double_Click},
        {"MQTT publish", Maker<TFMQTT_Set_Topic>(), &Path_MQTT_Set_Topic, 0, mqtt_pub, 1, TStart::Typing},
        {"MQTT subscribe", Maker<TFMQTT_Set_Topic>(), &Path_MQTT_Set_Topic, 1, mqtt_sub, 1, TStart::F2},
        {"OPC UA server", Maker<TFOPC_UA_Server_Access>(), &Path_OPC_UA_Server, 0, opc_server, 5, TStart::Typing},
        {"S7 read", Maker<TFS7_Protocol_Set_Access>(), &Path_S7_Protocol, 0, s7_read, 18, TStart::Enter},
        {"S7 write", Maker<TFS7_Protocol_Set_Access>(), &Path_S7_Protocol, 1, s7_write, 20, TStart::Typing},
        {"SNMP manager", Maker<TFSNMPManagerAccess>(), &Path_SNMP_Manager, 0, snmp_manager, 22, TStart::Double_Click},
        {"SNMP agent read", Maker<TFSNMP_Trap_Access>(), &Path_SNMP_Trap, 0, agent_read, 14, TStart::Typing},
        {"SNMP agent write", Maker<TFSNMP_Trap_Access>(), &Path_SNMP_Trap, 1, agent_write, 9, TStart::F2},
        {"TLS certificates", Maker<TFTLS_Server_Known_Cert>(), &Path_TLS_Known_Cert, 0, tls, 2, TStart::Typing},
    };
    for (const TRule_Case &c : cases) {
        SCOPED_TRACE(c.Name);
        QFile::remove(*c.Path);
        Guard.Fake.Calls.clear();
        std::unique_ptr<TRule_Editor> form = c.Make();
        form->FormShow();
        TPerson::Show(*form);
        if (form->PageControl1)
            form->PageControl1->setCurrentIndex(c.Table);
        TDazColumnGrid *grid = form->Grid(c.Table);
        ASSERT_GE(grid->DisplColIndex(c.Col), 1) << "typed column shown";
        Set(grid, 1, With(c.Row, c.Col, QString()));
        TPerson::Type_Into(grid, c.Col, 1, QStringLiteral("typed1"), c.Start);
        EXPECT_EQ(grid->GetCellEx(c.Col, 1), "typed1");
        TPerson::Press(form->Btn_OK);
        EXPECT_EQ(Guard.Fake.Texts(), QStringList());
        EXPECT_EQ(form->result(), mrOk);
        EXPECT_TRUE(Read_Bytes(*c.Path).contains("=\"typed1\"")) << Read_Bytes(*c.Path).left(400).toStdString();

        form->FormShow();
        EXPECT_EQ(grid->GetCellEx(c.Col, 1), "typed1");
        form->hide();
    }
}

// The OPC UA client: the first server added, a read and a write variable typed in, OK.
TEST_F(TypingTest, OpcUaClientVariablesTypedAfterTheFirstServerAreSaved)
{
    TFOPC_UA_Client_Access form;
    form.Run_Add_Server = [](TFOPC_UA_Add_Server &d) {
        d.E_Server_Add->setText(QStringLiteral("opc.tcp://10.0.0.1:4840"));
        return int(mrOk);
    };
    form.FormShow();
    TPerson::Show(form);
    TPerson::Press(form.Btn_Add_Server);
    ASSERT_EQ(form.OPC_UA_Server_List.size(), 1u);

    struct Case
    {
        TDazColumnGrid *Grid;
        int Page;
        QStringList Cells;   // columns 3 on; column 2 is typed
        TStart Start;
        const char *Element;
    };
    const Case cases[] = {
        {form.ACG_OPC_UA_Var_R, 0, {"Numeric", "5", "Int16", "0", "Variable", "0", "0", "100", "0", "0"}, TStart::Typing,
         "OPC_UA_Read_Var"},
        {form.ACG_OPC_UA_Var_W, 1, {"Numeric", "6", "Int16", "0", "N", "N", "N", "", "2", "0"}, TStart::F2,
         "OPC_UA_Write_Var"},
    };
    for (const Case &c : cases) {
        form.PC_OPC_UA_Vars->setCurrentIndex(c.Page);
        QApplication::processEvents();
        for (int i = 0; i < c.Cells.size(); ++i)
            c.Grid->SetCellEx(OV_NodeType + i, 1, c.Cells[i]);
        TPerson::Type_Into(c.Grid, OV_DisplayName, 1, QStringLiteral("v%1").arg(c.Page), c.Start);
    }
    TPerson::Press(form.Btn_OK);
    EXPECT_EQ(Guard.Fake.Texts(), QStringList());
    EXPECT_EQ(form.result(), mrOk);
    const QString saved = QString::fromUtf8(Read_Bytes(Path_OPC_UA_Client));
    EXPECT_TRUE(saved.contains("DisplayName=\"v0\"")) << saved.toStdString();
    EXPECT_TRUE(saved.contains("DisplayName=\"v1\"")) << saved.toStdString();

    form.FormShow();
    EXPECT_EQ(form.ACG_OPC_UA_Var_R->GetCellEx(OV_DisplayName, 1), "v0");
    EXPECT_EQ(form.ACG_OPC_UA_Var_W->GetCellEx(OV_DisplayName, 1), "v1");
}

// The IEC 61850 client: rows come from the tree; their settings are typed in.
TEST_F(TypingTest, DISABLED_IecClientTablesTakeTypedSettings)
{
    TFIEC_61850_Access form;
    form.FormShow();
    TPerson::Show(form);
    Guard.Fake.FileAnswers = {Building_Data("scl/feeder.icd")};
    TPerson::Press(form.Btn_Add_IEC_Device);
    ASSERT_EQ(form.List_IEC_Dev.size(), 1u);
    form.LB_IEC_Devices->setCurrentRow(0);
    const auto pick = [&form](const QStringList &path) {
        QTreeWidgetItem *item = form.NODE_ORIG;
        for (const QString &label : path) {
            QTreeWidgetItem *next = nullptr;
            item->setExpanded(true);
            for (int i = 0; i < item->childCount() && !next; ++i)
                if (item->child(i)->text(0) == label)
                    next = item->child(i);
            item = next;
            if (!item)
                return;
        }
        form.TV_IEC_Device->setCurrentItem(item);
    };
    pick({"LD0", "Q1MMXU1", "TotW", "mag", "f"});
    TPerson::Press(form.Btn_AddVar);
    pick({"LD0", "LLN0", "DS1"});
    TPerson::Press(form.Btn_AddVar);
    ASSERT_EQ(form.ACG_DA->GetCellEx(DA_Index, 1), "0");
    ASSERT_EQ(form.List_DataSet.size(), 1u);

    form.PC_DA_DataSet->setCurrentWidget(form.TS_DA);
    QApplication::processEvents();
    const QStringList settings = {"192.168.1.10", "102", "Y", "N", "Y", "500", "10", "3", "Write", "ItoF/FtoI", "2"};
    for (int i = 0; i < settings.size(); ++i)
        form.ACG_DA->SetCellEx(DA_IPAddress + i, 1, settings[i]);
    TPerson::Type_Into(form.ACG_DA, DA_Mnemonic, 1, QStringLiteral("da1"), TStart::Typing);
    TPerson::Type_Into(form.ACG_DA, DA_Time, 1, QStringLiteral("750"), TStart::F2);

    form.PC_DA_DataSet->setCurrentWidget(form.TS_DataSet);
    QApplication::processEvents();
    TPerson::Type_Into(form.ACG_DataSet, DS_Mnemonic, 1, QStringLiteral("ds1"), TStart::Enter);
    TPerson::Click(form.ACG_DataSet, DS_Mnemonic, 1);
    TPerson::Type_Into(form.ACG_DS_Vars, DSV_Mnemonic, 1, QStringLiteral("m1"), TStart::Double_Click);

    TPerson::Press(form.Btn_OK);
    EXPECT_EQ(Guard.Fake.Texts(), QStringList());
    EXPECT_EQ(form.result(), mrOk);
    const QString saved = QString::fromUtf8(Read_Bytes(Path_IEC_61850_Client));
    for (const char *value : {"=\"da1\"", "=\"750\"", "=\"ds1\"", "=\"m1\""})
        EXPECT_TRUE(saved.contains(QLatin1String(value))) << value << "\n" << saved.toStdString();

    form.FormShow();
    EXPECT_EQ(form.ACG_DA->GetCellEx(DA_Mnemonic, 1), "da1");
    EXPECT_EQ(form.ACG_DA->GetCellEx(DA_Time, 1), "750");
    EXPECT_EQ(form.ACG_DataSet->GetCellEx(DS_Mnemonic, 1), "ds1");
    form.ACG_DataSet->SetRow(1);
    form.Show_DataSet_DAs();
    EXPECT_EQ(form.ACG_DS_Vars->GetCellEx(DSV_Mnemonic, 1), "m1");
}

TEST_F(TypingTest, SnmpAgentCommunityNameTakesAtMostFifteenCharacters)
{
    TFSNMP_Trap_Access form;
    form.FormShow();
    TPerson::Show(form);
    struct Case
    {
        int Table, Col;
        TStart Start;
    };
    const Case cases[] = {{0, SNR_Community, TStart::Typing}, {1, SNW_Community, TStart::F2},
                          {0, SNR_Description, TStart::Typing}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.Col);
        form.PageControl1->setCurrentIndex(c.Table);
        TDazColumnGrid *grid = form.Grid(c.Table);
        TPerson::Type_Into(grid, c.Col, 2, QStringLiteral("abcdefghijklmnopqrst"), c.Start);
        EXPECT_EQ(grid->GetCellEx(c.Col, 2), "abcdefghijklmno");
    }
}
