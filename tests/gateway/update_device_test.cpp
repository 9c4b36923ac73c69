#include "gateway/compile_project.h"
#include "gateway_fixture.h"

#include "app/lbbutton.h"
#include "platform/process.h"

#include <QTimer>

namespace {

class UpdateDeviceTest : public GatewayTest
{
protected:
    void SetUp() override
    {
        GatewayTest::SetUp();
        Start_Main();
        Main->Hooks.Compile_Project = [] {
            Compile_Project();
            Write_Bank_Files();
        };
        Main->Hooks.Show_Boot = [this](int form_type) { Boot_Shown << form_type; };
    }
    void Payload(const char *size)
    {
        Write(Path_ParGen, QByteArray("<Par_Gen><LoRa_Payload_Size>") + size + "</LoRa_Payload_Size></Par_Gen>");
    }
    void Uplink(const QString &rows)
    {
        Write(Path_LoRaWAN_SetAccess, (QStringLiteral("<LoRaWAN_Set_Access><LoRaWAN_Uplink>") + rows
                                       + QStringLiteral("</LoRaWAN_Uplink><LoRaWAN_Downlink/></LoRaWAN_Set_Access>"))
                                          .toUtf8());
    }
    bool Banks_Written() const { return Dir_Exists(Project_Path + QStringLiteral("/bin")); }

    QList<int> Boot_Shown;
};

TEST_F(UpdateDeviceTest, PayloadCheckOfTheEnabledUplinkRules)
{
    struct Case { const char *payload; QString rows; bool passes; };
    const Case cases[] = {
        {"11", "<row Enable='Y' NumByte='9'/>", true},
        {"11", "<row Enable='Y' NumByte='10'/>", false},
        {"11", "<row Enable='N' NumByte='500'/><row Enable='Y' NumByte='0'/>", true},
        {"11", "<row Enable='Y' NumByte='-1'/>", false},
        {"11", "<row Enable='Y' NumByte='x'/>", false},
        {"11", "<row Enable='Y'/>", false},
        {"11", "<row Enable='Y' NumByte='$9'/>", true},
        // The same rule as the compiler's: without Enable, or " y ", a rule counts.
        {"11", "<row NumByte='300'/>", false},
        {"11", "<row Enable=' y ' NumByte='300'/>", false},
        {"11", "<row Enable='YES' NumByte='300'/>", true},
        {"x", "<row Enable='Y' NumByte='0'/>", false},
        {nullptr, "<row Enable='Y' NumByte='0'/>", false},
        {nullptr, "", true},
    };
    for (const Case &c : cases) {
        QFile::remove(Path_ParGen);
        if (c.payload)
            Payload(c.payload);
        Uplink(c.rows);
        EXPECT_EQ(Main->Check_Config_LoraWAN(), c.passes) << c.payload << " " << c.rows.toStdString();
    }
    QFile::remove(Path_LoRaWAN_SetAccess);
    EXPECT_TRUE(Main->Check_Config_LoraWAN());
}

TEST_F(UpdateDeviceTest, ARuleThatDoesNotFitStopsTheUpdate)
{
    Payload("11");
    Uplink("<row Enable='Y' NumByte='10'/>");
    Main->Btn_CreateBin->Click();
    EXPECT_EQ(Guard.Fake.Texts(), QStringList({"Error in configuration, Num. Byte not conformed with Max Payload Size"}));
    EXPECT_FALSE(Banks_Written());
    EXPECT_TRUE(Boot_Shown.isEmpty());
}

TEST_F(UpdateDeviceTest, FaultsOfTheProjectStopTheUpdateWithTheirMessage)
{
    struct Case { const char *file; QByteArray content; const char *words; };
    const Case cases[] = {
        {"LoRaWAN_SetAccess.xml", "<LoRaWAN_Set_Access/>", "<LoRaWAN_Uplink> is missing"},
        {"LoRaWAN_SetAccess.xml", "<LoRaWAN_Set_Access><LoRaWAN_Uplink>", "LoRaWAN_SetAccess.xml"},
        {"ParGen.xml", "<Par_Gen", "ParGen.xml"},
        {"EtherNetIP_Master_Rules.xml",
         QByteArray("<R>") + QByteArray("<row Enable='Y'/>").repeated(11) + "</R>", "more than 10 enabled connections"},
    };
    for (const Case &c : cases) {
        for (const QString &f : {Path_ParGen, Path_EtherNetIP_Master_Rules, Path_LoRaWAN_SetAccess})
            QFile::remove(f);
        Write(Project_Path + QLatin1Char('/') + QLatin1String(c.file), c.content);
        Guard.Fake.Calls.clear();
        Main->Btn_CreateBin->Click();
        ASSERT_EQ(Guard.Fake.Calls.size(), 1u) << c.words;
        EXPECT_EQ(Guard.Fake.Calls[0].kind, TMsgKind::Error);
        EXPECT_TRUE(Guard.Fake.LastText().contains(QLatin1String(c.words))) << Guard.Fake.LastText().toStdString();
        EXPECT_FALSE(Banks_Written()) << c.words;
        EXPECT_TRUE(Boot_Shown.isEmpty()) << c.words;
    }
}

TEST_F(UpdateDeviceTest, ABankThatCannotBeWrittenStopsTheUpdate)
{
    Write(Project_Path + QStringLiteral("/bin"), "not a folder");
    Main->Btn_CreateBin->Click();
    ASSERT_EQ(Guard.Fake.Calls.size(), 1u);
    EXPECT_TRUE(Guard.Fake.LastText().contains(QStringLiteral("bin"))) << Guard.Fake.LastText().toStdString();
    EXPECT_TRUE(Boot_Shown.isEmpty());
}

TEST_F(UpdateDeviceTest, AGoodProjectIsCompiledThenTheDialogOpensForEthernet)
{
    Copy_Project(QStringLiteral("full"), {"ParGen.xml", "EtherNetIP_Master_Rules.xml", "LoRaWAN_SetAccess.xml"});
    Main->Btn_CreateBin->Click();
    EXPECT_TRUE(Guard.Fake.Calls.empty()) << Guard.Fake.LastText().toStdString();
    EXPECT_EQ(Boot_Shown, QList<int>({1}));
    EXPECT_EQ(Bank_File(2), Read_Bytes(Gateway_Data(QStringLiteral("golden/full/bank2.bin"))));
}

TEST_F(UpdateDeviceTest, StartProgramWaitsForTheProgramAndReportsAFailedStart)
{
    const QString script = Temp.path() + QStringLiteral("/slow");
    // The program ends only once the event loop has run a timer of ours: the windows go on
    // painting during the wait, and the wait lasts until the program is done. (It gives up
    // after about a minute, so a grid that stops serving events fails instead of hanging.)
    Write(script, "#!/bin/sh\n"
                  "n=0\n"
                  "while [ ! -f \"$0.go\" ] && [ $n -lt 6000 ]; do sleep 0.01; n=$((n+1)); done\n"
                  "echo \"$#\" > \"$0.ran\"\n");
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    bool served = false;
    QTimer::singleShot(0, [&served, script] {
        served = true;
        Write_File_Atomic(script + QStringLiteral(".go"), QByteArray());
    });
    Main->Start_Program(script, QString(), false);
    EXPECT_TRUE(served);
    EXPECT_EQ(Read_Bytes(script + QStringLiteral(".ran")), QByteArray("0\n"));
    EXPECT_TRUE(Guard.Fake.Calls.empty());

    Main->Start_Program(Temp.path() + QStringLiteral("/Ethernet_Update"), QString(), false);
    ASSERT_EQ(Guard.Fake.Calls.size(), 1u);
    EXPECT_TRUE(Guard.Fake.LastText().startsWith(QStringLiteral("Cannot start Ethernet_Update: ")))
        << Guard.Fake.LastText().toStdString();
}

TEST_F(UpdateDeviceTest, StartProgramWaitsAtMost150Seconds)
{
    TFakeProcessesGuard programs;
    Main->Start_Program(QStringLiteral("/x/Ethernet_Update"), QStringLiteral("a \"b c\""), true);
    ASSERT_EQ(programs.Fake.Calls.size(), 1u);
    EXPECT_EQ(programs.Fake.Calls[0].timeoutMs, 150000);
    EXPECT_EQ(programs.Fake.Calls[0].arguments, QStringList({"a", "b c"}));
}

} // namespace
