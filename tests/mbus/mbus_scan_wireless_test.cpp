// Wireless scans and the engine's control interface against the gateway simulator in
// virtual time.
#include "mbus_scan_fixture.h"

#include "mbus_test_util.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

// Unencrypted meter: C 0x44, M 0x2C2D, ID 00123457 + n, version 0x1B, type 0x16, CI 0x7A.
TSimBytes Plain_Telegram(uint8_t n = 0)
{
    return Cat({Hex("44 2D 2C"), {uint8_t(0x57 + n)}, Hex("34 12 00 1B 16 7A 01 00 00 00"),
                Hex("04 13 10 27 00 00")});
}

std::array<uint8_t, 16> Key_00_0F()
{
    std::array<uint8_t, 16> k{};
    for (int i = 0; i < 16; ++i)
        k[size_t(i)] = uint8_t(i);
    return k;
}

class WirelessScan : public ScanFixture
{
protected:
    std::vector<QByteArray> Module_Commands() const
    {
        std::vector<QByteArray> r;
        for (const QByteArray &d : Sent(Sim.Wireless_Port))
            if (!d.startsWith("Qelvar_"))
                r.push_back(d);
        return r;
    }
    void Run_To(int state) { Run([&] { return Engine->Step_Scan == state; }); }
    void Hear(uint8_t n = 0) { Transport->Emit(Sim.Module_Datagram(Plain_Telegram(n))); }
};

TEST_F(WirelessScan, TelitConfigurationByMode)
{
    struct Case { int mode; std::vector<const char *> commands; };
    const Case cases[] = {
        {5, {"+++", "ATR\r", "ATS400=5\r", "ATS401=0\r", "ATS402=191\r", "ATS420=3\r", "ATS421=0\r",
             "ATS422=3\r", "ATS430=5\r", "ATS431=5\r", "ATS440=0\r", "ATS441=0\r", "ATS442=0\r",
             "ATS452=0\r", "ATS453=0\r", "ATS454=0\r", "ATO\r"}},
        {15, {"+++", "ATR\r", "ATS400=15\r", "ATS401=0\r", "ATS402=191\r", "ATS420=3\r",
              "ATS422=3\r", "ATS430=5\r", "ATS431=5\r", "ATS440=0\r", "ATS441=0\r", "ATS452=0\r",
              "ATS453=0\r", "ATO\r"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.mode);
        Sim = TGatewaySim();
        Sim.Wireless_Port = 1502;
        ASSERT_TRUE(Start_Wireless(c.mode, 3));
        Run_To(134);
        ASSERT_EQ(Engine->Step_Scan, 134);
        EXPECT_TRUE(Engine->Wireless_Receive_Message);
        const std::vector<QByteArray> sent = Sent(Sim.Wireless_Port);
        ASSERT_GE(sent.size(), 2u);
        EXPECT_EQ(sent[0], QByteArray(MBus_Text::Enable_Configuration));
        EXPECT_EQ(sent[1], QByteArray(MBus_Text::Type_Radio_Module));
        std::vector<QByteArray> expected(c.commands.begin(), c.commands.end());
        EXPECT_EQ(Module_Commands(), expected);
        Engine->Stop_Scan();
        Run();
        EXPECT_FALSE(Engine->InScan());
        EXPECT_FALSE(Sim.Configuration_Mode);
    }
}

TEST_F(WirelessScan, TelitListensAndRegistersAKey)
{
    ASSERT_TRUE(Start_Wireless());
    Run_To(134);
    Hear();
    ASSERT_EQ(Wireless.size(), 1u);
    EXPECT_EQ(Heard, (std::vector<int>{0}));
    EXPECT_FALSE(Meter(0).Cripted);
    EXPECT_EQ(Meter(0).List_Var.size(), 1u);

    const size_t before = Module_Commands().size();
    ASSERT_TRUE(Engine->Insert_Wireless_Key(0, Key_00_0F()));
    EXPECT_TRUE(Meter(0).Enable_Key);
    Run([&] { return Engine->Step_Scan == 134; });
    ASSERT_EQ(Engine->Step_Scan, 134);
    const std::vector<QByteArray> all = Module_Commands();
    std::vector<QByteArray> reg(all.begin() + qsizetype(before), all.end());
    std::vector<QByteArray> expected = {"+++",         "ATS461=45\r", "ATS462=44\r", "ATS463=87\r",
                                        "ATS464=52\r", "ATS465=18\r", "ATS466=0\r",  "ATS467=27\r",
                                        "ATS468=22\r"};
    for (int i = 0; i < 16; ++i)
        expected.push_back(QStringLiteral("ATS%1=%2\r").arg(470 + i).arg(i).toLatin1());
    expected.push_back("ATS460=5\r");
    expected.push_back("ATO\r");
    EXPECT_EQ(reg, expected);
    ASSERT_EQ(Sim.Telit_Keys.size(), 1u);
    EXPECT_EQ(Sim.Telit_Keys[0].Registers.at(485), 15);
    EXPECT_TRUE(Sim.Listening);
}

TEST_F(WirelessScan, KeyOutsideListeningIsRefusedAndTheScanGoesOn)
{
    ASSERT_TRUE(Start_Wireless());
    Run_To(134);
    Hear();
    Engine->Stop_Scan();
    Run();
    // A new scan, asked for a key while it configures the module.
    ASSERT_TRUE(Start_Wireless());
    Run_To(110);
    ASSERT_EQ(Engine->Step_Scan, 110);
    EXPECT_FALSE(Engine->Insert_Wireless_Key(0, Key_00_0F()));
    EXPECT_EQ(Engine->Wireless_Key_Index, 0);
    EXPECT_FALSE(Meter(0).Enable_Key);
    Run_To(134);
    EXPECT_EQ(Engine->Step_Scan, 134);
    EXPECT_EQ(Engine->Result(), 1);
}

TEST_F(WirelessScan, StopDuringKeyRegistrationGoesStraightToTheEnd)
{
    ASSERT_TRUE(Start_Wireless());
    Run_To(134);
    Hear();
    ASSERT_TRUE(Engine->Insert_Wireless_Key(0, Key_00_0F()));
    Run_To(206);
    Engine->Stop_Scan();
    const size_t sent = Sim.Received.size();
    Engine->Loop_Pass();
    EXPECT_EQ(Engine->Step_Scan, 501);
    Run();
    EXPECT_FALSE(Engine->InScan());
    ASSERT_GT(Sim.Received.size(), sent);
    EXPECT_EQ(Sim.Received[sent].Data, QByteArray(MBus_Text::Disable_Configuration));
    EXPECT_TRUE(Sim.Telit_Keys.empty());
}

TEST_F(WirelessScan, RadioCraftsConfigurationKeysAndFullTable)
{
    Sim.Module = rmRadioCrafts;
    ASSERT_TRUE(Start_Wireless(11));
    Run_To(320);
    ASSERT_EQ(Engine->Step_Scan, 320);
    EXPECT_EQ(Engine->RadioModule, rmRadioCrafts);
    EXPECT_EQ(Sim.RC_Config, QByteArray::fromHex("030A0400050112011617 3A013D023701"));
    std::vector<int> erased(64);
    std::iota(erased.begin(), erased.end(), 1);
    EXPECT_EQ(Sim.RC_Positions_Written, erased);
    EXPECT_EQ(Sim.RC_Table.at(64).Address, QByteArray(8, '\0'));
    EXPECT_TRUE(Sim.Listening);

    // The first meter's key goes to position 1; the table holds 64 meters.
    for (int n = 0; n < 65; ++n)
        Hear(uint8_t(n));
    ASSERT_EQ(Wireless.size(), 65u);
    ASSERT_TRUE(Engine->Insert_Wireless_Key(0, Key_00_0F()));
    Run([&] { return Engine->Step_Scan == 320; });
    ASSERT_EQ(Engine->Step_Scan, 320);
    EXPECT_EQ(Meter(0).RadioCrafts_Ind_Tab_Decript, 1);
    EXPECT_EQ(Sim.RC_Table.at(1).Address, QByteArray::fromHex("573412002D2C1B16"));
    EXPECT_EQ(Sim.RC_Table.at(1).Key, QByteArray::fromHex("000102030405060708090A0B0C0D0E0F"));
    EXPECT_EQ(Sim.RC_Table.at(1).Activation, QByteArray::fromHex("0040"));
    for (int n = 1; n < 64; ++n) {
        ASSERT_TRUE(Engine->Insert_Wireless_Key(n, Key_00_0F())) << n;
        Run([&] { return Engine->Step_Scan == 320; });
    }
    EXPECT_EQ(Meter(63).RadioCrafts_Ind_Tab_Decript, 64);
    EXPECT_FALSE(Engine->Insert_Wireless_Key(64, Key_00_0F()));
    EXPECT_EQ(Meter(64).RadioCrafts_Ind_Tab_Decript, -1);
    EXPECT_FALSE(Meter(64).Enable_Key);
    EXPECT_EQ(Engine->Step_Scan, 320);
}

TEST_F(WirelessScan, UnexpectedModuleAnswersEndTheScanWithResultTwo)
{
    Sim.Configuration_Reply = TSim_Reply::Wrong;
    ASSERT_TRUE(Start_Wireless());
    Run();
    EXPECT_EQ(Engine->Result(), 2);
    EXPECT_FALSE(Engine->InScan());
    EXPECT_EQ(Count_Sent(MBus_Text::Disable_Configuration), 1);
}

TEST_F(WirelessScan, DatagramsOutsideListeningAreAnswersAndTelegramsNeedTheirLength)
{
    ASSERT_TRUE(Start_Wireless());
    Run_To(104);
    Engine->Answer_Arrived = false;
    Hear();
    EXPECT_TRUE(Engine->Answer_Arrived);
    EXPECT_TRUE(Wireless.empty());
    Run_To(134);
    // Telit: a datagram is a telegram only when it is L + 3 bytes long.
    QByteArray d = Sim.Module_Datagram(Plain_Telegram());
    Transport->Emit(d + '\0');
    Transport->Emit(d.chopped(1));
    EXPECT_TRUE(Wireless.empty());
    Transport->Emit(d);
    EXPECT_EQ(Wireless.size(), 1u);
}

TEST_F(WirelessScan, StartRefusedDuringAScanChangesNothing)
{
    ASSERT_TRUE(Start_Primary());
    EXPECT_FALSE(Start_Wireless());
    EXPECT_FALSE(Engine->Start_Scan(saSecondaryAddress, shEthernet, "10.0.0.1", 300, 0, true,
                                    true, 5, true, 1, 1, nullptr));
    EXPECT_EQ(Engine->MBusType, mtWired);
    EXPECT_EQ(Engine->ScanType, saPrimaryAddress);
    EXPECT_EQ(Engine->IP_Address, "127.0.0.1");
    EXPECT_EQ(Engine->Baudrate, 2400);
    EXPECT_EQ(Engine->Add_TimeOut, 0);
}

TEST_F(WirelessScan, WirelessBindingIsKeptForItsPortAndReplacedForAnother)
{
    auto scan = [&](uint16_t port) {
        Sim.Wireless_Port = port;
        ASSERT_TRUE(Start_Wireless());
        Engine->Stop_Scan();
        Run();
    };
    scan(1502);
    EXPECT_EQ(Transport->Bindings(), (std::vector<uint16_t>{1502}));
    const int activations = Transport->Activations;
    scan(1502);
    EXPECT_EQ(Transport->Bindings(), (std::vector<uint16_t>{1502}));
    EXPECT_EQ(Transport->Activations, activations + 1);
    scan(1503);
    EXPECT_EQ(Transport->Bindings(), (std::vector<uint16_t>{1503}));
    Engine->Local_Wireless_Port = 40000;
    scan(1503);
    EXPECT_EQ(Transport->Bindings(), (std::vector<uint16_t>{40000}));
}

TEST_F(WirelessScan, BindFailureStartsNoScan)
{
    Transport->Refuse_Bind = true;
    EXPECT_THROW(Start_Wireless(), EMBusTransportError);
    EXPECT_FALSE(Engine->InScan());
}

TEST_F(WirelessScan, RemoteTimeoutAndLongDatagrams)
{
    ASSERT_TRUE(Engine->Start_Scan_Wireless(shEthernet, "127.0.0.1", 1502, 5, 0, 1, nullptr, false));
    EXPECT_EQ(Engine->Add_TimeOut, 10000);
    EXPECT_EQ(Engine->TimeOut_Command(), 11000u);
    Engine->UDP_Read(QByteArray(3000, 'x'));
    EXPECT_EQ(Engine->Ans_Len, 2048);
}

} // namespace

TEST_F(WirelessScan, ADumpThatCannotBeWrittenIsReported)
{
    QTemporaryDir dir;
    Engine->SaveXMLFile = dir.filePath(QStringLiteral("missing/dump.xml"));
    ASSERT_TRUE(Start_Wireless());
    Run_To(134);
    Hear();
    Engine->Stop_Scan();
    Run();
    ASSERT_FALSE(Engine->InScan());
    EXPECT_FALSE(QFile::exists(Engine->SaveXMLFile));
    EXPECT_FALSE(Engine->SaveXMLFile_Error.isEmpty());
}
