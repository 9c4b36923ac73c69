#pragma once
// The scan engine's UDP endpoint: one socket that sends the engine's commands and frames and
// receives the gateway's answers on a receive thread of its own, as the engine expects. The
// interface lets a test put a gateway simulator behind the engine without a network.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

// A bind, resolve or send that failed; the text names the port and the system's reason.
class EMBusTransportError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

class IMBusTransport
{
public:
    virtual ~IMBusTransport() = default;

    // Local ports the endpoint listens on once active; empty lets the system choose.
    virtual std::vector<uint16_t> Bindings() const = 0;
    // Replaces the bindings by one port (takes effect at the next activation).
    virtual void Set_Binding(uint16_t port) = 0;
    virtual bool Active() const = 0;
    // Opens the socket; throws EMBusTransportError when the bind fails.
    virtual void Activate() = 0;
    virtual void Deactivate() = 0;
    // One datagram to host:port; throws EMBusTransportError.
    virtual void Send(const QString &host, uint16_t port, const QByteArray &data) = 0;

    // Each received datagram, called on the receive thread.
    std::function<void(const QByteArray &)> On_Read;
    // The same with the sender, for a peer that answers whoever wrote to it.
    std::function<void(const QByteArray &, const QString &host, uint16_t port)> On_Read_From;
};

// The real endpoint over Qt Network. The socket lives on the receive thread, which runs its
// own event loop; sends are handed to that thread and wait for it.
class TMBusUdpEndpoint : public IMBusTransport
{
public:
    TMBusUdpEndpoint();
    ~TMBusUdpEndpoint() override;

    std::vector<uint16_t> Bindings() const override;
    void Set_Binding(uint16_t port) override;
    bool Active() const override;
    void Activate() override;
    void Deactivate() override;
    void Send(const QString &host, uint16_t port, const QByteArray &data) override;

    // The local port the socket is bound to while active (the system's choice without binding).
    uint16_t Local_Port() const;

    static constexpr int Receive_Buffer = 8192;

private:
    struct TImpl;
    std::unique_ptr<TImpl> d;
};
