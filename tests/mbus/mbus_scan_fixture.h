#pragma once
// A scan engine in virtual time behind the gateway simulator: no thread, a clock that only
// the engine's pauses and the loop's waits move, result lists of its own.
#include "mbus_gateway_sim.h"
#include "mbus/mbusscandecode.h"

#include <array>
#include <gtest/gtest.h>
#include <vector>

class ScanFixture : public ::testing::Test
{
protected:
    ScanFixture()
    {
        auto t = std::make_unique<TSimTransport>(Sim);
        Transport = t.get();
        Engine = std::make_unique<TMBusScanDecode>(std::move(t), false);
        Engine->Wired_List = &Wired;
        Engine->Wireless_List = &Wireless;
        Engine->Tick_Count = [this] { return Tick; };
        Engine->Sleep = [this](uint32_t ms) { Tick += ms; };
        Sim.Wireless_Port = 1502;
    }

    using TCall = std::array<int, 4>;

    TUpdate_Slave_List Recorder()
    {
        return [this](int k, int v, int f, int m) { Calls.push_back({k, v, f, m}); };
    }

    bool Start_Primary(int cut_after = 0, bool snd_nke = false, bool reset = false)
    {
        return Engine->Start_Scan(saPrimaryAddress, shEthernet, QStringLiteral("127.0.0.1"), 2400,
                                  1, reset, snd_nke, cut_after, false, 0, 0, Recorder());
    }
    bool Start_Secondary(int cut_after = 0)
    {
        return Engine->Start_Scan(saSecondaryAddress, shEthernet, QStringLiteral("127.0.0.1"), 2400,
                                  1, false, false, cut_after, false, 0, 0, Recorder());
    }
    bool Start_Wireless(int mode = 5, int channel = 0)
    {
        return Engine->Start_Scan_Wireless(
            shEthernet, QStringLiteral("127.0.0.1"), Sim.Wireless_Port, mode, channel, 0,
            [this](int index, TSlave_wMBus *) { Heard.push_back(index); }, false);
    }

    // Runs loop passes until the scan ends, stop(step) says so, or the work bound is hit.
    template <class Stop> int Run(Stop stop, int max_passes = 200000)
    {
        int passes = 0;
        while (Engine->InScan() && passes < max_passes && !stop()) {
            Engine->Loop_Pass();
            ++passes;
        }
        return passes;
    }
    int Run() { return Run([] { return false; }); }

    // Datagrams the gateway received, as text or bytes.
    std::vector<QByteArray> Sent(uint16_t port) const
    {
        std::vector<QByteArray> r;
        for (const auto &g : Sim.Received)
            if (g.Port == port)
                r.push_back(g.Data);
        return r;
    }
    int Count_Sent(const QByteArray &what) const
    {
        int n = 0;
        for (const auto &g : Sim.Received)
            n += g.Data == what;
        return n;
    }

    TSlave_MBus &Slave(size_t i) { return static_cast<TSlave_MBus &>(*Wired.at(i)); }
    TSlave_wMBus &Meter(size_t i) { return static_cast<TSlave_wMBus &>(*Wireless.at(i)); }

    TGatewaySim Sim;
    TSimTransport *Transport = nullptr;
    std::unique_ptr<TMBusScanDecode> Engine;
    TMBus_Object_List Wired, Wireless;
    uint32_t Tick = 1000;
    std::vector<TCall> Calls;
    std::vector<int> Heard;
};
