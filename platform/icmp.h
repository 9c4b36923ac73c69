#pragma once
// ICMP echo (ping) behind one interface: the real one sends over a Linux datagram ICMP
// socket where net.ipv4.ping_group_range allows it, else over a raw socket (root); tests
// install TFakeIcmp.
#include <QByteArray>
#include <QString>
#include <deque>
#include <stdexcept>
#include <vector>

// The host cannot be resolved, or no ICMP socket can be opened or used.
class EIcmpError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

struct TEchoReply {
    bool Replied = false;      // an echo reply came within the time-out
    int BytesReceived = 0;     // ICMP bytes of the reply; 0 on time-out
    QString From;              // the replying address, dotted
    int RoundTripMs = 0;
};

class IIcmp
{
public:
    virtual ~IIcmp() = default;
    // Sends one IPv4 echo request to host (dotted address or name) whose payload is data
    // padded with zeros to packetSize bytes, and waits up to timeoutMs for its reply.
    // Throws EIcmpError.
    virtual TEchoReply Echo(const QString &host, const QByteArray &data, int packetSize,
                            int timeoutMs) = 0;
};

IIcmp &Icmp();
void SetIcmp(IIcmp *icmp);   // nullptr restores the real one

// Records every echo; answers come from the script, else a prompt reply.
class TFakeIcmp : public IIcmp
{
public:
    struct Call {
        QString host;
        QByteArray data;
        int packetSize = 0;
        int timeoutMs = 0;
    };
    struct Answer {
        bool Replied = true;
        QString Error;   // not empty: Echo throws EIcmpError with this text
    };
    std::vector<Call> Calls;
    std::deque<Answer> Answers;
    bool Default_Replied = true;   // the answer once the script is used up

    TEchoReply Echo(const QString &host, const QByteArray &data, int packetSize,
                    int timeoutMs) override;
};

class TFakeIcmpGuard
{
public:
    TFakeIcmpGuard() { SetIcmp(&Fake); }
    ~TFakeIcmpGuard() { SetIcmp(nullptr); }
    TFakeIcmp Fake;
};
