// Update Device from the main window's button to the updater's run, with every real part:
// the windows of the program, the compiler, an ICMP echo to 127.0.0.1, the job file and a
// script in the updater's place.
#include "app/lbbutton.h"
#include "gateway/boot.h"
#include "gateway/update_job.h"
#include "gateway_fixture.h"
#include "platform/icmp.h"
#include "program/program.h"

#include <QLineEdit>
#include <QTimer>

namespace {

class EndToEndTest : public GatewayTest
{
protected:
    void TearDown() override
    {
        Destroy_Forms();
        GatewayTest::TearDown();
    }
};

TEST_F(EndToEndTest, UpdateDeviceAgainstTheLoopbackAddress)
{
    try {
        Icmp().Echo(QStringLiteral("127.0.0.1"), QByteArray("probe"), 8, 400);
    } catch (const EIcmpError &e) {
        GTEST_SKIP() << e.what();
    }
    TFTessalinorFirmWare *main = Create_Forms();
    main->Apply_Open_Project(QStringLiteral("P"));
    Copy_Project(QStringLiteral("full"), {"ParGen.xml", "EtherNetIP_Master_Rules.xml", "LoRaWAN_SetAccess.xml"});
    const QString marker = Temp.path() + QStringLiteral("/updater.ran");
    Write(Updater_Path(), ("#!/bin/sh\ncat \"" + Update_Job_Path() + "\" > \"" + marker + "\"\n").toUtf8());
    QFile::setPermissions(Updater_Path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QTimer::singleShot(0, FBoot, [] {
        FBoot->E_IP1->setText(QStringLiteral("127"));
        FBoot->E_IP2->setText(QStringLiteral("0"));
        FBoot->E_IP3->setText(QStringLiteral("0"));
        FBoot->E_IP4->setText(QStringLiteral("1"));
        FBoot->Btn_Update->Click();
        FBoot->Btn_Cancel->Click();
    });
    main->Btn_CreateBin->Click();

    EXPECT_TRUE(Guard.Fake.Calls.empty()) << Guard.Fake.LastText().toStdString();
    EXPECT_EQ(FBoot->Form_Type, 1);
    for (int n = 1; n <= 3; ++n)
        EXPECT_EQ(Bank_File(n), Read_Bytes(Gateway_Data(QStringLiteral("golden/full/bank%1.bin").arg(n)))) << n;
    const QByteArray job = Read_Bytes(Update_Job_Path());
    EXPECT_TRUE(job.contains("<IP_Address_Dev>127.0.0.1</IP_Address_Dev>"));
    EXPECT_TRUE(job.contains((Project_Path + QStringLiteral("/bin/bank3.bin")).toUtf8()));
    EXPECT_EQ(Read_Bytes(marker), job);
    EXPECT_EQ(Last_IP_Address, QStringLiteral("127.0.0.1"));
}

} // namespace
