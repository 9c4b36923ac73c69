#include "app/comon.h"
#include "app/forms.h"
#include "app/language.h"
#include "app/lbbutton.h"
#include "app/softoptions.h"
#include "app/settings.h"
#include "platform/files.h"
#include "platform/http.h"
#include "app/placeholderform.h"
#include "app/tessalinorfirmware.h"
#include "editors/building/bacnetaccess.h"
#include "editors/building/profinetfilename.h"
#include "gateway/boot.h"
#include "mbus/insertkeywireless.h"
#include "mbus/scandecode.h"
#include "mbus/scanmodbusstart.h"
#include "platform/dialogs.h"
#include "program/program.h"
#include "program/program_fixture.h"

#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class ProgramTest : public ProgramFixture
{
};

TEST_F(ProgramTest, CreatesTheWindowsInOrderMainWindowFirst)
{
    const QStringList expected = {
        "FTessalinorFirmWare", "FNew_Project", "FOpenConf", "FAbout", "FSoftOptions", "FParGen",
        "FBoot", "FLoRa_Set_Access", "FBACnetAccess", "FImportEDEFile", "FBACnet_Eng_Unit",
        "FBACnetSlaveSetAccess", "FMeter_Bus", "FNewIDNode", "FInsertKeyWireless",
        "FModbusStartAdd_SD", "FScanDecode", "FScanModbusStart", "FSetAccess",
        "FModbus_TCP_Master_Set_Access", "FReceiveCAN", "FTransmitCAN", "FSet_PDO_Access",
        "FSet_SDO_Client_Access", "FSet_SDO_Server_Access", "FDefOffset", "FDNet", "FDMXDefVal",
        "FEtherNEtIP_EDS", "FEtherNetIP_Master_Access", "FReceiveJ1939", "FTransmitJ1939",
        "FKNXAccess", "FReceiveNMEA", "FTransmitNMEA", "FProfinetFileName", "FIEC_61850_Access",
        "FIEC61850_Variables", "FTLS_Server_Known_Cert", "FMQTT_Set_Topic", "FTopicTemplate",
        "FOPC_UA_Add_Server", "FOPC_UA_Client_Access", "FOPC_UA_Scan_Server",
        "FOPC_UA_Server_Access", "FS7_Protocol_Set_Access", "FSNMPManagerAccess",
        "FSNMP_Trap_Access", "FEtherNetIP_Data_Seg"};
    ASSERT_EQ(expected.size(), 49);
    EXPECT_EQ(Forms().Names(), expected);
    EXPECT_EQ(Main, FTessalinorFirmWare);
    EXPECT_EQ(Forms().Form(QStringLiteral("FTessalinorFirmWare")), Main);
    for (const QString &name : expected) {
        QWidget *form = Forms().Form(name);
        ASSERT_NE(form, nullptr) << name.toStdString();
        // Each class is named after its form variable.
        EXPECT_EQ(QString::fromLatin1(typeid(*form).name()).endsWith(QStringLiteral("T") + name),
                  true) << typeid(*form).name();
    }
}

TEST_F(ProgramTest, ChangeLanguageRefreshesTheFortyFourWindowsInOrder)
{
    QStringList called;
    Forms().On_Set_Lang = [&](const QString &name) { called << name; };
    Main->Change_Language();
    Forms().On_Set_Lang = nullptr;
    const QStringList expected = {
        "FTessalinorFirmWare", "FNew_Project", "FOpenConf", "FSoftOptions", "FBoot", "FParGen",
        "FLoRa_Set_Access", "FBACnetAccess", "FImportEDEFile", "FBACnetSlaveSetAccess",
        "FBACnet_Eng_Unit", "FMeter_Bus", "FNewIDNode", "FSetAccess",
        "FModbus_TCP_Master_Set_Access", "FReceiveCAN", "FTransmitCAN", "FSet_PDO_Access",
        "FSet_SDO_Client_Access", "FSet_SDO_Server_Access", "FDNet", "FDefOffset", "FDMXDefVal",
        "FEtherNetIP_Master_Access", "FEtherNEtIP_EDS", "FEtherNetIP_Data_Seg", "FReceiveJ1939",
        "FTransmitJ1939", "FKNXAccess", "FReceiveNMEA", "FTransmitNMEA", "FIEC_61850_Access",
        "FProfinetFileName", "FTLS_Server_Known_Cert", "FIEC61850_Variables", "FMQTT_Set_Topic",
        "FTopicTemplate", "FOPC_UA_Client_Access", "FOPC_UA_Add_Server", "FOPC_UA_Scan_Server",
        "FOPC_UA_Server_Access", "FS7_Protocol_Set_Access", "FSNMPManagerAccess",
        "FSNMP_Trap_Access"};
    ASSERT_EQ(expected.size(), 44);
    EXPECT_EQ(called, expected);
}

TEST_F(ProgramTest, WindowsTakeTheirBlockAndTheSoftwareCode)
{
    EXPECT_EQ(FBACnetAccess->windowTitle(), QStringLiteral("Set BACnet Access"));
    EXPECT_EQ(FBACnetAccess->L_SW_Code->text(), QStringLiteral("CF41R08"));
    // The scan window and its two dialogs do not show the software code (the key dialog has
    // neither the label nor a caption).
    for (QLabel *code : {FScanDecode->L_SW_Code, FScanModbusStart->L_SW_Code})
        EXPECT_NE(code->text(), QStringLiteral("CF41R08"));
    EXPECT_FALSE(FScanDecode->windowTitle().isEmpty());
    EXPECT_FALSE(FScanModbusStart->windowTitle().isEmpty());
    EXPECT_TRUE(FInsertKeyWireless->findChildren<QLabel *>(QStringLiteral("L_SW_Code")).isEmpty());
    Lang_Text_List[1300] = QStringLiteral("BACnet-Zugriff");
    Lang_Text_List[2100] = QStringLiteral("Scan");
    Main->Change_Language();
    EXPECT_EQ(FBACnetAccess->windowTitle(), QStringLiteral("BACnet-Zugriff"));
    EXPECT_NE(FScanDecode->windowTitle(), QStringLiteral("Scan"));   // not refreshed
}

TEST_F(ProgramTest, HooksReachTheWindowsOfOtherSubsystems)
{
    FProfinetFileName->Name_File_XML = QStringLiteral("GSDML-V2.3-Qelvar.xml");
    QTimer::singleShot(0, FProfinetFileName, [] { FProfinetFileName->done(1); });
    QString name;
    EXPECT_TRUE(Main->Hooks.Ask_Profinet_File_Name(name));
    EXPECT_EQ(name, QStringLiteral("GSDML-V2.3-Qelvar.xml"));

    QTimer::singleShot(0, FBoot, [] { FBoot->done(0); });
    Main->Hooks.Show_Boot(1);
    EXPECT_EQ(FBoot->Form_Type, 1);
    EXPECT_EQ(FBoot->L_SW_Code->text(), QStringLiteral("CF41R08"));

    QTimer::singleShot(0, FScanDecode, [] { FScanDecode->done(0); });
    Main->Hooks.Show_Scan_Decode(7, QStringLiteral("/p/M_Bus.xml"), 0);
    EXPECT_EQ(FScanDecode->XML_Code_Dev, 7);
    EXPECT_EQ(FScanDecode->FileName_MBus, QStringLiteral("/p/M_Bus.xml"));
}

TEST_F(ProgramTest, OptionsOKWritesTheSettingsAndSetsTheTimer)
{
    THttpFakeGuard offline;   // the release check stays off the network
    const QString file = Temp.path() + QStringLiteral("/Tessalinor.xml");
    QTimer::singleShot(0, FSoftOptions, [] {
        Opt_Internet = Opt_Update_Check = true;
        FSoftOptions->done(mrOk);
    });
    Main->Btn_Opz->Click();
    EXPECT_TRUE(File_Exists(file));
    EXPECT_TRUE(Main->Timer_Update->isActive());
    Main->Timer_UpdateTimer();
    EXPECT_TRUE(Main->LL_Update->isHidden());
    EXPECT_EQ(Main->Timer_Update->interval(), 7200000);
    EXPECT_TRUE(Main->Timer_Update->isActive());

    // Cancel writes nothing.
    QFile::remove(file);
    QTimer::singleShot(0, FSoftOptions, [] { FSoftOptions->done(mrCancel); });
    Main->Btn_Opz->Click();
    EXPECT_FALSE(File_Exists(file));
}

TEST_F(ProgramTest, ClosingTheMainWindowWritesTheSettings)
{
    Project_Name = QStringLiteral("Kept");
    Main->show();
    Main->close();
    Reset_Program_State();
    Read_Settings(Temp.path() + QStringLiteral("/Tessalinor.xml"));
    EXPECT_EQ(Project_Name, QStringLiteral("Kept"));
}

TEST_F(ProgramTest, DestroyClearsTheFormVariables)
{
    Destroy_Forms();
    EXPECT_EQ(FTessalinorFirmWare, nullptr);
    EXPECT_EQ(FBoot, nullptr);
    EXPECT_TRUE(Forms().Names().isEmpty());
    Main = Create_Forms();
    EXPECT_EQ(Forms().Names().size(), 49);
}

} // namespace

TEST_F(ProgramTest, MibButtonWritesTheMibFile)
{
    Project_Path = Projects_Dir + QStringLiteral("/P");
    ASSERT_TRUE(Force_Dir(Project_Path));
    Set_Files();
    const QString mib = Project_Path + QStringLiteral("/agent.mib");
    Guard.Fake.FileAnswers.push_back(mib);
    auto *button = Main->findChild<TLbButton *>(QStringLiteral("Btn_SNMP_MIB"));
    ASSERT_NE(button, nullptr);
    Main->Btn_Click(button);
    EXPECT_EQ(Guard.Fake.Texts(), QStringList());
    ASSERT_TRUE(File_Exists(mib));
    QFile file(mib);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().trimmed().endsWith("END"));
}
