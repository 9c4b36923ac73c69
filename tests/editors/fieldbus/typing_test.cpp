// Every table of the fieldbus editors used as a person uses it: the window shown, a text cell
// clicked and typed into with the keys, OK clicked, the saved file read, the window shown
// again.
#include "app/lbbutton.h"
#include "editors/fieldbus/defoffset.h"
#include "editors/fieldbus/dmxdefval.h"
#include "editors/fieldbus/dnet.h"
#include "editors/fieldbus/knxaccess.h"
#include "editors/fieldbus/modbus_tcp_master_set_access.h"
#include "editors/fieldbus/receivecan.h"
#include "editors/fieldbus/receivej1939.h"
#include "editors/fieldbus/receivenmea.h"
#include "editors/fieldbus/set_pdo_access.h"
#include "editors/fieldbus/set_sdo_client_access.h"
#include "editors/fieldbus/set_sdo_server_access.h"
#include "editors/fieldbus/setaccess.h"
#include "editors/fieldbus/transmitcan.h"
#include "editors/fieldbus/transmitj1939.h"
#include "editors/fieldbus/transmitnmea.h"
#include "fieldbus_fixture.h"
#include "platform/xml.h"

#include <QApplication>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

// Runs one modal showing of the window with what a person does once it is up; a window
// still open afterwards is cancelled. The modal result.
int Showing(QDialog &form, const std::function<void()> &act)
{
    QTimer::singleShot(0, &form, [&] {
        QApplication::setActiveWindow(&form);
        QApplication::processEvents();
        act();
        if (form.isVisible())
            form.reject();
    });
    return form.exec();
}

QWidget *Focus(QWidget *fallback)
{
    QWidget *w = QApplication::focusWidget();
    return w ? w : fallback;
}

// Each key where the focus is, as typing does (the first key may open an editor).
void Type(QWidget *fallback, const QString &text)
{
    for (QChar c : text)
        QTest::keyClick(Focus(fallback), char(c.unicode()));
}

QPoint Centre(const TDazStringGrid &grid, int col, int row)
{
    const TRect r = grid.CellRect(col, row);
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

void Click_Cell(TDazStringGrid &grid, int col, int row)
{
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, Centre(grid, col, row));
}

// How editing of the cell is begun.
enum class TStart
{
    Typing,        // a click on the cell, then the text typed
    F2,            // a click, F2, the text
    Enter,         // a click, Enter, the text
    Double_Click,  // a double click, the text
};

const char *Start_Name(TStart s)
{
    switch (s) {
    case TStart::Typing: return "click+type";
    case TStart::F2: return "F2";
    case TStart::Enter: return "Enter";
    case TStart::Double_Click: return "double click";
    }
    return "";
}

void Type_Into(TDazStringGrid &grid, int real_col, int row, const QString &text, TStart start)
{
    const int col = grid.DisplColIndex(real_col);
    grid.setFocus();
    if (start == TStart::Double_Click) {
        Click_Cell(grid, col, row);
        QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, Centre(grid, col, row));
    } else {
        Click_Cell(grid, col, row);
    }
    if (start == TStart::F2)
        QTest::keyClick(Focus(&grid), Qt::Key_F2);
    else if (start == TStart::Enter)
        QTest::keyClick(Focus(&grid), Qt::Key_Return);
    Type(&grid, text);
}

// One table of one editor: a valid rule (columns 1 on) whose cell in Col is left to be
// typed.
struct TTable_Case
{
    const char *Name;
    std::function<std::unique_ptr<TRule_Editor>()> Make;
    const QString *Path;
    int Table;
    QStringList Rule;
    int Col;
    const char *Text;
};

template <class T>
std::function<std::unique_ptr<TRule_Editor>()> Maker()
{
    return [] { return std::make_unique<T>(); };
}

std::vector<TTable_Case> Table_Cases()
{
    const QStringList modbus_read = {"Y", "", "Holding Register", "0", "10", "1000", "3", "0", "", "N", "N", "", "r"};
    const QStringList modbus_write = {"Y", "", "Coil Status", "0", "8", "1000", "N", "N", "3", "0", "0", "N", "N", "w"};
    const QStringList tcp_read = {"Y", "", "502", "1", "Holding Register", "0", "10", "1000", "3", "0", "", "N", "N", "", "r"};
    const QStringList tcp_write = {"Y", "", "502", "1", "Coil Status", "0", "8", "1000", "N", "N", "3", "0", "0", "N", "N", "w"};
    return {
        {"Modbus RTU read", Maker<TFSetAccess>(), &Path_ModbusM_SetAccess, 0, modbus_read, MR_Slave_ID, "17"},
        {"Modbus RTU write", Maker<TFSetAccess>(), &Path_ModbusM_SetAccess, 1, modbus_write, MW_Slave_ID, "18"},
        {"Modbus TCP read", Maker<TFModbus_TCP_Master_Set_Access>(), &Path_ModbusTCPM_SetAccess, 0, tcp_read,
         TR_IP_Address, "10.0.0.7"},
        {"Modbus TCP write", Maker<TFModbus_TCP_Master_Set_Access>(), &Path_ModbusTCPM_SetAccess, 1, tcp_write,
         TW_IP_Address, "10.0.0.8"},
        {"CAN receive", Maker<TFReceiveCAN>(), &Path_CAN_Rec_Frames, 0,
         {"Y", "", "2.0A (11 bits)", "2", "0", "0", "1999", "", "", "", "", "", "", "r"}, RC_COBID, "0x181"},
        {"CAN transmit", Maker<TFTransmitCAN>(), &Path_CAN_Send_Frames, 0,
         {"Y", "", "2.0A (11 bits)", "1", "Y", "N", "N", "", "3399", "", "", "", "", "", "", "", "t"}, TC_COBID, "0x201"},
        {"PDO receive", Maker<TFSet_PDO_Access>(), &Path_PDO_CANopen, 0,
         {"", "2", "0", "1", "", "", "", "", "", "", "0", "r"}, PR_COB_ID, "0x181"},
        {"PDO transmit", Maker<TFSet_PDO_Access>(), &Path_PDO_CANopen, 1,
         {"", "1", "1499", "", "", "", "", "", "", "", "0", "", "t"}, PT_COB_ID, "0x282"},
        {"SDO client read", Maker<TFSet_SDO_Client_Access>(), &Path_SDO_Client_CANopen, 0,
         {"", "0x1000", "0", "1", "1", "0", "", "", "", ""}, CR_Device_ID, "5"},
        {"SDO client write", Maker<TFSet_SDO_Client_Access>(), &Path_SDO_Client_CANopen, 1,
         {"", "$FFFF", "255", "2", "0", "", "0", "1", "x", "y", ""}, CW_Device_ID, "6"},
        {"SDO server read", Maker<TFSet_SDO_Server_Access>(), &Path_SDO_Server_CANopen, 0,
         {"", "1", "1", "0", "", "", "", ""}, SV_Index, "0x2000"},
        {"SDO server write", Maker<TFSet_SDO_Server_Access>(), &Path_SDO_Server_CANopen, 1,
         {"", "1", "1", "0", "", "", "", ""}, SV_Index, "0x2100"},
        {"DeviceNet", Maker<TFDNet>(), &Path_DNETM_Net, 0, {"", "8", "4", ""}, DN_ID, "12"},
        {"DMX", Maker<TFDMXDefVal>(), &Path_DMX_Default_Values, 0, {"0", ""}, DX_Mnemonic, "lamp"},
        {"J1939 receive", Maker<TFReceiveJ1939>(), &Path_J1939_Rec_Frames, 0,
         {"0", "", "0", "N", "", "", "N", "N", "1000"}, RJ_PGN, "256"},
        {"J1939 transmit", Maker<TFTransmitJ1939>(), &Path_J1939_Send_Frames, 0,
         {"", "0", "61444", "0", "8", "N", "N", "N", ""}, TJ_Priority, "3"},
        {"NMEA 2000 receive", Maker<TFReceiveNMEA>(), &Path_NMEA_Rec_Frames, 0,
         {"", "1", "N", "N", "", "", "N"}, RN_PGN, "130306"},
        {"NMEA 2000 transmit", Maker<TFTransmitNMEA>(), &Path_NMEA_Send_Frames, 0,
         {"", "130306", "0", "N", "8", "N", "N", "N", ""}, TN_Priority, "3"},
        {"KNX", Maker<TFKNXAccess>(), &Path_KNX_SetAccess, 0,
         {"Y", "", "1/2/3", "Write", "Normal", "None", "", "N", "N", "N", "N", "N", "", "0", "No", "2", "0", "m"},
         KX_Source, "1.1.20"},
    };
}

class TypingTest : public FieldbusTest
{
protected:
    // Shows the table's tab as a click on it does.
    static void Show_Table(TRule_Editor &form, int table)
    {
        if (!form.PageControl1 || form.Active_Table() == table)
            return;
        QTabBar *bar = form.PageControl1->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(table).center());
    }
    // The cell of the first saved row of the table, as the file holds it.
    static QString Saved(const TTable_Case &c, const TRule_Editor &form)
    {
        const TRule_Table_Desc &t = form.Desc().Tables[size_t(c.Table)];
        TXmlDocument doc;
        doc.LoadFromFile(*c.Path);
        TXmlNode list = doc.DocumentElement();
        if (*t.List)
            list = list.Child(QLatin1String(t.List));
        if (!list || list.ChildCount() == 0)
            return QStringLiteral("<no row>");
        return list.Children().front().AttributeDef(QLatin1String(t.Columns[size_t(c.Col)].Attribute),
                                                    QStringLiteral("<none>"));
    }
    // Types into a fresh showing, OK, then checks the file and a second showing.
    void Run(const TTable_Case &c, TStart start)
    {
        SCOPED_TRACE(std::string(c.Name) + ", " + Start_Name(start));
        QFile::remove(*c.Path);
        auto form = c.Make();
        Guard.Fake.Calls.clear();
        const int result = Showing(*form, [&] {
            Show_Table(*form, c.Table);
            TDazColumnGrid *grid = form->Grid(c.Table);
            Set(grid, 1, c.Rule);
            Type_Into(*grid, c.Col, 1, QString::fromUtf8(c.Text), start);
            QTest::mouseClick(form->Btn_OK, Qt::LeftButton);
        });
        EXPECT_EQ(result, mrOk) << Guard.Fake.LastText().toStdString();
        ASSERT_TRUE(QFile::exists(*c.Path));
        EXPECT_EQ(Saved(c, *form), QString::fromUtf8(c.Text));
        QString shown;
        Showing(*form, [&] { shown = form->Grid(c.Table)->GetCellEx(c.Col, 1); });
        EXPECT_EQ(shown, QString::fromUtf8(c.Text));
    }
};

TEST_F(TypingTest, EveryTableTakesTypingIntoAFreshShowingAndSavesIt)
{
    for (const TTable_Case &c : Table_Cases())
        Run(c, TStart::Typing);
}

TEST_F(TypingTest, F2EnterAndDoubleClickOpenTheEditorOfEveryTable)
{
    for (const TTable_Case &c : Table_Cases())
        for (TStart start : {TStart::F2, TStart::Enter, TStart::Double_Click})
            Run(c, start);
}

// The byte tables of the offset window: a mnemonic typed for a byte of the slave shown.
TEST_F(TypingTest, DefineOffsetByteTablesTakeTyping)
{
    Write(Path_DNETM_Net, "<DNET_Net><row ID=\"3\" NB_IN=\"2\" NB_OUT=\"2\" Mnemonic=\"m\"/></DNET_Net>");
    for (int side = 0; side < 2; ++side)
        for (TStart start : {TStart::Typing, TStart::F2, TStart::Enter, TStart::Double_Click}) {
            SCOPED_TRACE(std::string(side ? "Byte Out, " : "Byte In, ") + Start_Name(start));
            QFile::remove(Path_DNETM_DefOff);
            TFDefOffset form;
            const auto grid = [&] { return side ? form.ACG_ByteOUT : form.ACG_ByteIN; };
            const int result = Showing(form, [&] {
                QTabBar *bar = form.PageControl1->tabBar();
                QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(side).center());
                Type_Into(*grid(), DB_Mnemonic, 2, QStringLiteral("pump"), start);
                QTest::mouseClick(form.Btn_OK, Qt::LeftButton);
            });
            EXPECT_EQ(result, mrOk) << Guard.Fake.LastText().toStdString();
            TXmlDocument doc;
            doc.LoadFromFile(Path_DNETM_DefOff);
            const TXmlNode list = doc.DocumentElement().Child(QStringLiteral("Nodo_DNET"))
                                      .Child(QLatin1String(side ? "ByteOUT" : "ByteIN"));
            ASSERT_EQ(list.ChildCount(), 2);
            EXPECT_EQ(list.Children()[1].Attribute(QStringLiteral("Mnemonic")), QStringLiteral("pump"));
            QString shown;
            Showing(form, [&] { shown = grid()->GetCellEx(DB_Mnemonic, 2); });
            EXPECT_EQ(shown, QStringLiteral("pump"));
        }
}

}   // namespace
