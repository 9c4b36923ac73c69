// The scan engine over real UDP with its own thread and the real clock, the simulator on
// 127.0.0.1 at ports the system picks above 1024. What is checked does not depend on timing.
#include "mbus_gateway_sim.h"
#include "mbus_test_util.h"
#include "mbus/mbusscandecode.h"
#include "common/wait_until.h"

#include <QThread>
#include <QUdpSocket>
#include <gtest/gtest.h>

namespace {

// The engine and the simulator run on threads of their own: only poll.
template <class Cond> bool Eventually(Cond cond)
{
    return WaitUntil(cond, false);
}

class ScanOverUdp : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Engine.Wired_List = &Wired;
        Engine.Wireless_List = &Wireless;
        Engine.Gateway_Port = Peer.Analyzer_Port();
        Engine.Local_Wireless_Port = 0;
        Engine.Event_Run.SetEvent();
    }

    TGatewaySim Sim;
    TGatewaySimUdp Peer{Sim};
    TMBusScanDecode Engine;
    TMBus_Object_List Wired, Wireless;
    std::mutex Lock;
    std::vector<std::array<int, 4>> Calls;
    std::vector<int> Heard;
};

TEST_F(ScanOverUdp, WiredScanStoppedAfterAFewAddresses)
{
    ASSERT_GT(Peer.Analyzer_Port(), 1024);
    TSim_Slave s;
    s.Primary = 1;
    s.Frames = {Hex("04 13 10 27 00 00")};
    Sim.Slaves.push_back(s);
    ASSERT_TRUE(Engine.Start_Scan(saPrimaryAddress, shEthernet, QStringLiteral("127.0.0.1"), 9600,
                                  1, false, false, 0, false, 0, 0, [this](int k, int v, int f, int m) {
                                      const std::lock_guard<std::mutex> hold(Lock);
                                      Calls.push_back({k, v, f, m});
                                      if (k == 2 && v == 1)
                                          Engine.Stop_Scan();
                                  }));
    ASSERT_TRUE(Eventually([&] { return !Engine.InScan(); }));
    EXPECT_EQ(Engine.Result(), 1);
    const std::lock_guard<std::mutex> hold(Lock);
    EXPECT_EQ(Calls, (std::vector<std::array<int, 4>>{
                         {1, 0, 0, 1}, {2, 0, 0, 1}, {2, 1, 1, 1}, {3, 0, 0, 1}}));
    ASSERT_EQ(Wired.size(), 1u);
    const std::lock_guard<std::mutex> sim(Peer.Sim_Lock);
    EXPECT_FALSE(Sim.Analyzer_Mode);
}

TEST_F(ScanOverUdp, WirelessScanThroughConfigurationOneTelegramAndOneKey)
{
    ASSERT_GT(Peer.Wireless_Port(), 1024);
    ASSERT_TRUE(Engine.Start_Scan_Wireless(shEthernet, QStringLiteral("127.0.0.1"),
                                           Peer.Wireless_Port(), 5, 0, 0,
                                           [this](int index, TSlave_wMBus *) {
                                               const std::lock_guard<std::mutex> hold(Lock);
                                               Heard.push_back(index);
                                           }, false));
    ASSERT_TRUE(Eventually([&] { return Engine.Step_Scan == 134; }));
    QByteArray telegram;
    {
        const std::lock_guard<std::mutex> sim(Peer.Sim_Lock);
        EXPECT_TRUE(Sim.Listening);
        telegram = Sim.Module_Datagram(Hex("44 2D 2C 57 34 12 00 1B 16 7A 01 00 00 00 04 13 10 27 00 00"));
    }
    Peer.Emit(telegram);
    ASSERT_TRUE(Eventually([&] {
        const std::lock_guard<std::mutex> hold(Lock);
        return !Heard.empty();
    }));
    std::array<uint8_t, 16> key{};
    key.fill(0x11);
    ASSERT_TRUE(Engine.Insert_Wireless_Key(0, key));
    ASSERT_TRUE(Eventually([&] {
        const std::lock_guard<std::mutex> sim(Peer.Sim_Lock);
        return !Sim.Telit_Keys.empty() && Sim.Listening;
    }));
    Engine.Stop_Scan();
    ASSERT_TRUE(Eventually([&] { return !Engine.InScan(); }));
    EXPECT_EQ(Engine.Result(), 1);
    const std::lock_guard<std::mutex> sim(Peer.Sim_Lock);
    EXPECT_EQ(Sim.Telit_Keys[0].Registers.at(470), 0x11);
    EXPECT_FALSE(Sim.Configuration_Mode);
    const std::lock_guard<std::mutex> results(Engine.Results_Lock);
    ASSERT_EQ(Wireless.size(), 1u);
    EXPECT_TRUE(static_cast<TSlave_wMBus &>(*Wireless[0]).Enable_Key);
}

TEST_F(ScanOverUdp, BindFailureNamesThePortAndStartsNoScan)
{
    // A port held by another socket stands in for the privileged default port 502.
    QUdpSocket holder;
    ASSERT_TRUE(holder.bind(QHostAddress::AnyIPv4, 0, QAbstractSocket::DontShareAddress));
    const uint16_t port = holder.localPort();
    Engine.Local_Wireless_Port = -1;
    try {
        Engine.Start_Scan_Wireless(shEthernet, QStringLiteral("127.0.0.1"), port, 5, 0, 0, nullptr,
                                   false);
        FAIL() << "no error";
    } catch (const EMBusTransportError &e) {
        EXPECT_NE(std::string(e.what()).find(std::to_string(port)), std::string::npos) << e.what();
    }
    EXPECT_FALSE(Engine.InScan());
}

} // namespace
