#pragma once
// A gateway for the scan engine's tests: the answers of its analyzer and configuration modes,
// wired slaves on its M-Bus line and wireless meters behind either radio module. It answers
// each datagram with zero or more datagrams, or with silence or a wrong answer where a test
// asks for it. Plugs in behind the engine's transport, or runs as a UDP peer on 127.0.0.1.
#include "mbus/mbus_results.h"
#include "mbus/mbus_transport.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

using TSimBytes = std::vector<uint8_t>;

struct TSim_Slave
{
    int Primary = 0;
    QString ID = QStringLiteral("12345678");   // eight decimal digits
    uint16_t Manufacturer = 0x0442;
    uint8_t Version = 1;
    uint8_t Medium = 7;
    std::vector<TSimBytes> Frames;             // the records of each frame, in order
    bool Corrupt = false;                      // every frame with a wrong checksum

    // Which frame the next request gives; -1 before the first.
    int Frame = -1;
    int Last_FCB = -1;
};

enum class TSim_Reply { Normal, Silent, Wrong };

class TGatewaySim
{
public:
    // --- configuration ---
    std::vector<TSim_Slave> Slaves;
    TSim_Reply Analyzer_Reply = TSim_Reply::Normal;
    TSim_Reply Baud_Reply = TSim_Reply::Normal;
    TSim_Reply Disable_Reply = TSim_Reply::Normal;
    TSim_Reply Configuration_Reply = TSim_Reply::Normal;
    TRadioModule Module = rmTelit;
    uint16_t Wireless_Port = 0;                // datagrams to this port go to the radio module

    // --- what the gateway saw ---
    struct TReceived
    {
        uint16_t Port;
        QByteArray Data;
    };
    std::vector<TReceived> Received;
    bool Analyzer_Mode = false;
    bool Configuration_Mode = false;
    bool Listening = false;                    // the module forwards telegrams
    std::map<int, int> Telit_Registers;
    // One per "ATS460=5": registers 461..468 and the key of 470..485.
    struct TTelit_Key
    {
        std::map<int, int> Registers;
    };
    std::vector<TTelit_Key> Telit_Keys;
    struct TRC_Entry
    {
        QByteArray Address;
        QByteArray Key;
        QByteArray Activation;
    };
    std::map<int, TRC_Entry> RC_Table;         // by position
    QByteArray RC_Config;
    std::vector<int> RC_Positions_Written;     // positions given after "B", in order

    // The answers to one datagram sent to port.
    std::vector<QByteArray> Handle(uint16_t port, const QByteArray &in);

    // A wireless telegram as the module delivers it: L, the bytes after L, the trailer.
    QByteArray Module_Datagram(const TSimBytes &after_l, uint8_t signal = 0x50) const;

    // The wired long frame of a slave's frame n.
    static QByteArray Long_Frame(const TSim_Slave &s, int n, uint8_t address);

private:
    std::vector<QByteArray> Wired(const QByteArray &in);
    std::vector<QByteArray> Telit(const QByteArray &in);
    std::vector<QByteArray> RadioCrafts(const QByteArray &in);
    std::vector<TSim_Slave *> Addressed(uint8_t a);

    int selected_ = -1;
    enum class TRC_Pending { None, Config, B_Pos, B_Addr, K_Pos, K_Key, A_Pos, A_Val };
    TRC_Pending rc_pending_ = TRC_Pending::None;
    int rc_position_ = 0;
};

// The simulator behind the engine's transport interface: sends are answered at once.
class TSimTransport : public IMBusTransport
{
public:
    explicit TSimTransport(TGatewaySim &sim) : Sim(sim) {}

    std::vector<uint16_t> Bindings() const override { return bindings_; }
    void Set_Binding(uint16_t port) override { bindings_ = {port}; }
    bool Active() const override { return active_; }
    void Activate() override;
    void Deactivate() override { active_ = false; }
    void Send(const QString &host, uint16_t port, const QByteArray &data) override;

    // A datagram from the gateway that no request asked for (a wireless telegram).
    void Emit(const QByteArray &datagram);

    TGatewaySim &Sim;
    int Activations = 0;
    bool Refuse_Bind = false;

private:
    std::vector<uint16_t> bindings_;
    bool active_ = false;
    std::mutex lock_;
};

// The simulator as a UDP peer on 127.0.0.1: one endpoint for the analyzer port, one for the
// wireless port; answers go back to the sender.
class TGatewaySimUdp
{
public:
    explicit TGatewaySimUdp(TGatewaySim &sim);
    ~TGatewaySimUdp();
    uint16_t Analyzer_Port() const;
    uint16_t Wireless_Port() const;
    // Sends a telegram to whoever last wrote to the wireless port.
    void Emit(const QByteArray &datagram);

    // Held while the simulator answers; a test reads the simulator under it.
    std::mutex Sim_Lock;

private:
    TGatewaySim &sim_;
    TMBusUdpEndpoint analyzer_, wireless_;

    std::mutex peer_lock_;
    QString peer_host_;
    uint16_t peer_port_ = 0;
};
