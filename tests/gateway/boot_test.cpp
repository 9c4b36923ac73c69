#include "gateway/boot.h"
#include "gateway/update_job.h"
#include "grid/string/dazcolumngrid.h"
#include "gateway_fixture.h"

#include "app/lbbutton.h"
#include "platform/icmp.h"
#include "platform/process.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace {

class BootTest : public GatewayTest
{
protected:
    void SetUp() override
    {
        GatewayTest::SetUp();
        Start_Main();
        Boot = std::make_unique<TFBoot>();
        FBoot = Boot.get();
        Boot->Form_Type = 1;
        Boot->Ping_Window_Ms = 300;
        Boot->FormShow();
    }
    void TearDown() override
    {
        FBoot = nullptr;
        Boot.reset();
        GatewayTest::TearDown();
    }
    void Type_Address(const QStringList &octets)
    {
        QLineEdit *edits[4] = {Boot->E_IP1, Boot->E_IP2, Boot->E_IP3, Boot->E_IP4};
        for (int i = 0; i < 4; ++i)
            edits[i]->setText(octets.value(i));
    }
    QString Job_Text() const { return QString::fromUtf8(Read_Bytes(Update_Job_Path())); }

    std::unique_ptr<TFBoot> Boot;
    TFakeIcmpGuard Ping;
    TFakeProcessesGuard Programs;
};

TEST_F(BootTest, ShowsTheEthernetVariantWithTheLastAddress)
{
    Boot->show();
    EXPECT_EQ(Boot->size(), QSize(449, 230));
    EXPECT_EQ(Boot->windowTitle(), QStringLiteral("Update Device by Ethernet (UDP)"));
    EXPECT_EQ(Boot->L_SW_Desc->text(), QStringLiteral("Update Device Using the Ethernet Port"));
    EXPECT_EQ(Boot->L_SW_Code->text(), QStringLiteral("CF41R08"));
    EXPECT_TRUE(Boot->P_IP_Address->isVisible());
    EXPECT_TRUE(Boot->P_Options->isVisible());
    EXPECT_FALSE(Boot->P_Eth_Search->isVisible());
    EXPECT_FALSE(Boot->P_Serial->isVisible());
    EXPECT_LT(Boot->P_IP_Address->y(), Boot->P_Options->y());
    EXPECT_EQ(Boot->E_IP1->text() + Boot->E_IP2->text() + Boot->E_IP3->text() + Boot->E_IP4->text(),
              QStringLiteral("1921682205"));
    EXPECT_EQ(Boot->CB_Update_Options->count(), 3);
    EXPECT_EQ(Boot->CB_Update_Options->itemText(2), QStringLiteral("Configuration"));
    EXPECT_EQ(Boot->Btn_Update->Caption(), QStringLiteral("Execute Update Firmware"));
    EXPECT_EQ(Boot->Btn_Cancel->ModalResult(), mrCancel);
    EXPECT_EQ(Boot->ACG_List_Devices->Columns().Items(0)->Header(), QStringLiteral("IP Address"));
    EXPECT_EQ(Boot->ACG_List_Devices->Columns().Items(1)->Header(), QStringLiteral("MAC Address"));
    Boot->hide();

    // An address that does not split leaves the edits as they are; the options come back.
    Boot->E_IP1->setText(QStringLiteral("7"));
    Last_IP_Address = QStringLiteral("10.0.0");
    Update_Option = 2;
    Update_Read_Back = false;
    Boot->show();
    EXPECT_EQ(Boot->E_IP1->text(), QStringLiteral("7"));
    EXPECT_EQ(Boot->CB_Update_Options->currentIndex(), 2);
    EXPECT_FALSE(Boot->CB_Update_Option_Read_Back->isChecked());
    Boot->hide();

    Boot->Form_Type = 0;
    Boot->show();
    EXPECT_EQ(Boot->size(), QSize(449, 232));
    EXPECT_TRUE(Boot->P_Serial->isVisible());
    EXPECT_FALSE(Boot->P_IP_Address->isVisible());
    EXPECT_EQ(Boot->windowTitle(), QStringLiteral("Update Device by Serial"));
}

TEST_F(BootTest, ADotMovesToTheNextOctetAndIsNeverTyped)
{
    Boot->show();
    QApplication::setActiveWindow(Boot.get());
    QLineEdit *edits[4] = {Boot->E_IP1, Boot->E_IP2, Boot->E_IP3, Boot->E_IP4};
    for (int i = 0; i < 4; ++i) {
        edits[i]->setFocus();
        edits[i]->setText(QStringLiteral("1"));
        QKeyEvent dot(QEvent::KeyPress, Qt::Key_Period, Qt::NoModifier, QStringLiteral("."));
        QApplication::sendEvent(edits[i], &dot);
        EXPECT_EQ(edits[i]->text(), QStringLiteral("1")) << i;
        EXPECT_EQ(QApplication::focusWidget(), edits[i < 3 ? i + 1 : 3]) << i;
    }
    QKeyEvent digit(QEvent::KeyPress, Qt::Key_5, Qt::NoModifier, QStringLiteral("5"));
    QApplication::sendEvent(Boot->E_IP4, &digit);
    EXPECT_EQ(Boot->E_IP4->text(), QStringLiteral("15"));
}

TEST_F(BootTest, OctetsThatAreNoDecimalByteAreRefusedWithoutPinging)
{
    const QStringList bad[] = {
        {"256", "0", "0", "1"}, {"", "0", "0", "1"}, {"1a", "0", "0", "1"}, {" 1", "0", "0", "1"},
        {"-1", "0", "0", "1"}, {"0x1", "0", "0", "1"}, {"1", "2", "3", "1000"},
    };
    for (const QStringList &octets : bad) {
        Type_Address(octets);
        Guard.Fake.Calls.clear();
        Boot->Btn_UpdateClick();
        EXPECT_EQ(Guard.Fake.Texts(), QStringList({"Error!!! Check the Ip Address"})) << octets.join('.').toStdString();
        EXPECT_EQ(Guard.Fake.Calls[0].kind, TMsgKind::Error);
    }
    EXPECT_TRUE(Ping.Fake.Calls.empty());
    EXPECT_FALSE(File_Exists(Update_Job_Path()));
    EXPECT_TRUE(Programs.Fake.Calls.empty());
}

TEST_F(BootTest, AGoodReplyStoresTheChoicesWritesTheJobAndRunsTheUpdater)
{
    Boot->show();
    Type_Address({"10", "1", "010", "0"});
    Boot->CB_Update_Options->setCurrentIndex(1);
    Boot->CB_Update_Option_Read_Back->setChecked(false);
    Boot->Btn_UpdateClick();

    // Two echoes of 1024 bytes carrying the address, 400 ms each.
    ASSERT_EQ(Ping.Fake.Calls.size(), 2u);
    for (const TFakeIcmp::Call &c : Ping.Fake.Calls) {
        EXPECT_EQ(c.host, QStringLiteral("10.1.10.0"));
        EXPECT_EQ(c.data, QByteArray("10.1.10.0"));
        EXPECT_EQ(c.packetSize, 1024);
        EXPECT_EQ(c.timeoutMs, 400);
    }
    EXPECT_EQ(Last_IP_Address, QStringLiteral("10.1.10.0"));
    EXPECT_EQ(Update_Option, 1);
    EXPECT_FALSE(Update_Read_Back);
    EXPECT_TRUE(Job_Text().contains(QStringLiteral("<IP_Address_Dev>10.1.10.0</IP_Address_Dev>")));
    ASSERT_EQ(Programs.Fake.Calls.size(), 1u);
    EXPECT_EQ(Programs.Fake.Calls[0].program, Updater_Path());
    EXPECT_TRUE(Programs.Fake.Calls[0].arguments.isEmpty());
    EXPECT_EQ(Programs.Fake.Calls[0].timeoutMs, 150000);
    EXPECT_TRUE(Guard.Fake.Calls.empty());
    EXPECT_TRUE(Boot->isVisible());
    EXPECT_TRUE(Boot->Btn_Update->isEnabled());
}

TEST_F(BootTest, NoReplyOrAFailedCheckLeavesEverythingAsItWas)
{
    struct Case { std::deque<TFakeIcmp::Answer> answers; bool default_replied; TMsgKind kind; const char *text; };
    const Case cases[] = {
        {{}, false, TMsgKind::Warning, "Device Not Found!"},
        {{{false, "Cannot open an ICMP socket"}}, true, TMsgKind::Error, "Error!!! Check the Ip Address"},
        // A reply, then silence: the last reply decides.
        {{{true, {}}}, false, TMsgKind::Warning, "Device Not Found!"},
    };
    for (const Case &c : cases) {
        Ping.Fake.Answers = c.answers;
        Ping.Fake.Default_Replied = c.default_replied;
        Guard.Fake.Calls.clear();
        Type_Address({"192", "168", "2", "9"});
        Boot->Btn_UpdateClick();
        ASSERT_EQ(Guard.Fake.Calls.size(), 1u) << c.text;
        EXPECT_EQ(Guard.Fake.Calls[0].kind, c.kind) << c.text;
        EXPECT_EQ(Guard.Fake.LastText(), QLatin1String(c.text));
    }
    EXPECT_EQ(Last_IP_Address, QStringLiteral("192.168.2.205"));
    EXPECT_FALSE(File_Exists(Update_Job_Path()));
    EXPECT_TRUE(Programs.Fake.Calls.empty());
}

TEST_F(BootTest, ExecuteCannotBePressedAgainWhileItRuns)
{
    // An echo that takes a while and meanwhile clicks Execute again.
    struct TClickingIcmp : IIcmp {
        TFBoot *boot;
        int echoes = 0;
        bool enabled_meanwhile = true;
        TEchoReply Echo(const QString &host, const QByteArray &, int, int) override
        {
            ++echoes;
            enabled_meanwhile = enabled_meanwhile && boot->Btn_Update->isEnabled();
            boot->Btn_Update->Click();
            TEchoReply r;
            r.Replied = true;
            r.BytesReceived = 1032;
            r.From = host;
            return r;
        }
    } icmp;
    icmp.boot = Boot.get();
    SetIcmp(&icmp);
    Type_Address({"127", "0", "0", "1"});
    Boot->Btn_Update->Click();
    SetIcmp(nullptr);
    EXPECT_EQ(icmp.echoes, 2);
    EXPECT_FALSE(icmp.enabled_meanwhile);
    EXPECT_EQ(Programs.Fake.Calls.size(), 1u);
    EXPECT_TRUE(Boot->Btn_Update->isEnabled());
}

TEST_F(BootTest, FailuresAfterTheCheckAreReported)
{
    Type_Address({"127", "0", "0", "1"});
    Programs.Fake.Results.push_back({false, false, -1, QStringLiteral("No such file or directory")});
    Boot->Btn_UpdateClick();
    EXPECT_EQ(Guard.Fake.LastText(), QStringLiteral("Cannot start Ethernet_Update: No such file or directory"));
    EXPECT_EQ(Guard.Fake.Calls[0].kind, TMsgKind::Error);

    // The job file cannot be written: the updater is not started.
    Guard.Fake.Calls.clear();
    Programs.Fake.Calls.clear();
    Exe_Dir = Temp.path() + QStringLiteral("/missing");
    Boot->Btn_UpdateClick();
    ASSERT_EQ(Guard.Fake.Calls.size(), 1u);
    EXPECT_TRUE(Guard.Fake.LastText().contains(QStringLiteral("Ethernet_Update.xml"))) << Guard.Fake.LastText().toStdString();
    EXPECT_TRUE(Programs.Fake.Calls.empty());
}

TEST_F(BootTest, JobFileOfEachOption)
{
    struct Case { int option; bool read_back; bool older; const char *golden; };
    const Case cases[] = {
        {0, true, false, "job/firmware_and_configuration.xml"},
        {1, false, false, "job/firmware.xml"},
        {2, true, false, "job/configuration.xml"},
        {0, true, true, "job/older_firmware_and_configuration.xml"},
        {2, false, true, "job/older_configuration.xml"},
    };
    for (const Case &c : cases) {
        Boot->CB_Update_Options->setCurrentIndex(c.option);
        Boot->CB_Update_Option_Read_Back->setChecked(c.read_back);
        Boot->Pinged_Address = QStringLiteral("192.168.2.205");
        if (c.older)
            Boot->Compile_XML_Parameter();
        else
            Boot->Compile_XML_Parameter_New_Boot();
        QString expected = QString::fromUtf8(Read_Bytes(Gateway_Data(QLatin1String(c.golden))));
        ASSERT_FALSE(expected.isEmpty()) << c.golden;
        expected.replace(QStringLiteral("@MASTER@"), Master_Dir).replace(QStringLiteral("@PROJECT@"), Project_Path);
        EXPECT_EQ(Job_Text().toStdString(), expected.toStdString()) << c.golden;
    }
}

TEST_F(BootTest, UpdateOptionsTokens)
{
    struct Case { int option; bool read_back; const char *tokens; };
    const Case cases[] = {
        {0, true, "x FW FR PW PR "}, {0, false, "x FW NO PW NO "}, {1, true, "x FW FR NO NO "},
        {1, false, "x FW NO NO NO "}, {2, true, "x NO NO PW PR "}, {2, false, "x NO NO PW NO "},
        {-1, true, "x "},
    };
    for (const Case &c : cases) {
        Boot->CB_Update_Options->setCurrentIndex(c.option);
        Boot->CB_Update_Option_Read_Back->setChecked(c.read_back);
        EXPECT_EQ(Boot->Update_Options(QStringLiteral("x ")), QLatin1String(c.tokens));
    }
}

TEST_F(BootTest, TheSerialVariantOnlyStoresTheOptions)
{
    Boot->Form_Type = 0;
    Boot->CB_Update_Options->setCurrentIndex(2);
    Boot->CB_Update_Option_Read_Back->setChecked(false);
    Boot->Btn_UpdateClick();
    EXPECT_EQ(Update_Option, 2);
    EXPECT_FALSE(Update_Read_Back);
    EXPECT_TRUE(Ping.Fake.Calls.empty());
    EXPECT_TRUE(Programs.Fake.Calls.empty());
    EXPECT_FALSE(File_Exists(Update_Job_Path()));
}

} // namespace
