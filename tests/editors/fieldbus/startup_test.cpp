// The editors of this folder inside the program: created at start-up, refreshed by a
// language change while hidden.
#include "app/comon.h"
#include "app/forms.h"
#include "app/language.h"
#include "app/tessalinorfirmware.h"
#include "app/lbbutton.h"
#include "editors/fieldbus/canopen_eds.h"
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
#include "platform/files.h"
#include "platform/dialogs.h"
#include "program/program.h"
#include "program/program_fixture.h"

#include <QLabel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class FieldbusStartupTest : public ProgramFixture
{
};

TEST_F(FieldbusStartupTest, SetAccessIsCreatedAtStartUpAndFollowsTheLanguage)
{
    ASSERT_NE(FSetAccess, nullptr);
    EXPECT_EQ(Forms().Form(QStringLiteral("FSetAccess")), FSetAccess);
    EXPECT_FALSE(FSetAccess->isVisible());
    EXPECT_EQ(FSetAccess->windowTitle(), QStringLiteral("Set Modbus Access"));
    Lang_Text_List[3000] = QStringLiteral("Modbus seriell");
    Lang_Text_List[3014] = QStringLiteral("Lesen");
    Main->Change_Language();
    EXPECT_EQ(FSetAccess->windowTitle(), QStringLiteral("Modbus seriell"));
    EXPECT_EQ(FSetAccess->PageControl1->tabText(0), QStringLiteral("Lesen"));
    EXPECT_FALSE(FSetAccess->isVisible());
}

// The main window's buttons show the editors, which load and save the open project's files.
// Every window of this folder is a rule editor, hidden, following a language change.
TEST_F(FieldbusStartupTest, EveryFieldbusWindowIsCreatedAndFollowsTheLanguage)
{
    const std::vector<std::pair<const char *, int>> forms = {
        {"FReceiveCAN", 3300},      {"FTransmitCAN", 3400},   {"FSet_PDO_Access", 3500},
        {"FSet_SDO_Client_Access", 3600}, {"FSet_SDO_Server_Access", 3700}, {"FDNet", 3800},
        {"FDefOffset", 3900},       {"FDMXDefVal", 4000},     {"FReceiveJ1939", 4300},
        {"FTransmitJ1939", 4400},   {"FReceiveNMEA", 4600},   {"FTransmitNMEA", 4700}};
    for (auto [name, caption] : forms)
        Lang_Text_List[caption] = QStringLiteral("T") + QString::number(caption);
    Main->Change_Language();
    for (auto [name, caption] : forms) {
        auto *form = dynamic_cast<TRule_Editor *>(Forms().Form(QLatin1String(name)));
        ASSERT_NE(form, nullptr) << name;
        EXPECT_FALSE(form->isVisible()) << name;
        EXPECT_EQ(form->windowTitle(), QStringLiteral("T") + QString::number(caption)) << name;
        EXPECT_EQ(form->L_SW_Code->text(), SW_Code) << name;
    }
}

TEST_F(FieldbusStartupTest, MainWindowButtonsOpenTheTcpAndKnxEditors)
{
    ASSERT_TRUE(Force_Dir(Projects_Dir + QStringLiteral("/P")));
    Main->Apply_Open_Project(QStringLiteral("P"));
    ASSERT_FALSE(Path_ModbusTCPM_SetAccess.isEmpty());
    const std::vector<std::pair<const char *, TRule_Editor *>> editors = {
        {"Btn_Modbus_Set_Access", FModbus_TCP_Master_Set_Access}, {"Btn_KNX_Access", FKNXAccess},
        {"Btn_CAN_Rec_Frame", FReceiveCAN}, {"Btn_CAN_Send_Frame", FTransmitCAN},
        {"Btn_PDO_CANopen", FSet_PDO_Access}, {"Btn_SDO_Client_CANopen", FSet_SDO_Client_Access},
        {"Btn_SDO_Server_CANopen", FSet_SDO_Server_Access}, {"Btn_DNet_Net", FDNet},
        {"Btn_DNet_Offset", FDefOffset}, {"Btn_DMX_Default", FDMXDefVal}};
    for (auto [button, form] : editors) {
        auto *b = Main->findChild<TLbButton *>(QLatin1String(button));
        ASSERT_NE(b, nullptr) << button;
        QTimer::singleShot(0, form, [form] {
            form->Btn_OK->Click();
            if (form->isVisible())   // a refused OK must not leave the test waiting
                form->reject();
        });
        Main->Btn_Click(b);   // hidden for this model, so its handler is called directly
        EXPECT_EQ(form->result(), mrOk) << button << Guard.Fake.Texts().join("|").toStdString();
    }
    for (const QString *path : {&Path_ModbusTCPM_SetAccess, &Path_KNX_SetAccess, &Path_CAN_Rec_Frames,
                                &Path_CAN_Send_Frames, &Path_PDO_CANopen, &Path_SDO_Client_CANopen,
                                &Path_SDO_Server_CANopen, &Path_DNETM_Net, &Path_DNETM_DefOff,
                                &Path_DMX_Default_Values})
        EXPECT_TRUE(File_Exists(*path)) << path->toStdString();

    // "EDS File" asks for a name and writes the sheet from the saved files.
    const QString sheet = Project_Path + QStringLiteral("/gateway.eds");
    Guard.Fake.FileAnswers = {sheet};
    Main->Btn_Click(Main->findChild<TLbButton *>(QStringLiteral("Btn_CANopen_EDS")));
    EXPECT_TRUE(Read_File(sheet).startsWith("[FileInfo]\r\nFileName=NMEA_Send_Frames_CANopen.eds\r\n"));
}

} // namespace
