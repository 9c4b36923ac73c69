#include "platform/icmp.h"

#include <QElapsedTimer>

#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr uint8_t kEchoReply = 0;
constexpr uint8_t kEchoRequest = 8;
constexpr int kHeaderSize = 8;

QString ErrnoText(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
}

[[noreturn]] void Fail(const QString &text)
{
    throw EIcmpError(text.toStdString());
}

uint16_t Checksum(const uint8_t *p, size_t n)
{
    uint32_t sum = 0;
    for (; n > 1; p += 2, n -= 2)
        sum += uint32_t(p[0]) << 8 | p[1];
    if (n)
        sum += uint32_t(p[0]) << 8;
    while (sum >> 16)
        sum = (sum & 0xFFFF) + (sum >> 16);
    return uint16_t(~sum);
}

in_addr Resolve(const QString &host)
{
    in_addr addr{};
    const QByteArray name = host.toUtf8();
    // A dotted address is taken as written (inet_pton reads no octal or short forms).
    if (inet_pton(AF_INET, name.constData(), &addr) == 1)
        return addr;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    addrinfo *list = nullptr;
    const int rc = getaddrinfo(name.constData(), nullptr, &hints, &list);
    if (rc != 0 || !list)
        Fail(QStringLiteral("Cannot resolve the host \"%1\": %2")
                 .arg(host, QString::fromLocal8Bit(gai_strerror(rc))));
    addr = reinterpret_cast<const sockaddr_in *>(list->ai_addr)->sin_addr;
    freeaddrinfo(list);
    return addr;
}

struct TSocket {
    int fd = -1;
    bool raw = false;
    ~TSocket()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

// A datagram ICMP socket needs no privilege where ping_group_range admits the group; a raw
// socket needs root (or CAP_NET_RAW).
void Open(TSocket &s)
{
    s.fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP);
    if (s.fd >= 0)
        return;
    const int dgram_err = errno;
    s.fd = ::socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
    if (s.fd >= 0) {
        s.raw = true;
        return;
    }
    Fail(QStringLiteral("Cannot open an ICMP socket: %1 (a datagram socket needs the group in "
                        "net.ipv4.ping_group_range, a raw socket needs root): %2")
             .arg(ErrnoText(dgram_err), ErrnoText(errno)));
}

std::atomic<uint16_t> g_sequence{1};

class TRealIcmp : public IIcmp
{
public:
    TEchoReply Echo(const QString &host, const QByteArray &data, int packetSize,
                    int timeoutMs) override
    {
        const in_addr target = Resolve(host);
        TSocket s;
        Open(s);

        const size_t payload = size_t(std::max<qsizetype>(packetSize, data.size()));
        std::vector<uint8_t> packet(kHeaderSize + payload, 0);
        const uint16_t id = uint16_t(::getpid() ^ uintptr_t(&s));
        const uint16_t seq = g_sequence++;
        packet[0] = kEchoRequest;
        packet[4] = uint8_t(id >> 8);
        packet[5] = uint8_t(id);
        packet[6] = uint8_t(seq >> 8);
        packet[7] = uint8_t(seq);
        std::memcpy(packet.data() + kHeaderSize, data.constData(), size_t(data.size()));
        const uint16_t sum = Checksum(packet.data(), packet.size());
        packet[2] = uint8_t(sum >> 8);
        packet[3] = uint8_t(sum);

        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_addr = target;
        QElapsedTimer clock;
        clock.start();
        if (::sendto(s.fd, packet.data(), packet.size(), 0, reinterpret_cast<sockaddr *>(&to),
                     sizeof to) < 0)
            Fail(QStringLiteral("Cannot send the echo request to %1: %2").arg(host, ErrnoText(errno)));

        std::vector<uint8_t> in(packet.size() + 128);
        TEchoReply reply;
        for (;;) {
            const int left = timeoutMs - int(clock.elapsed());
            if (left <= 0)
                return reply;
            pollfd p{s.fd, POLLIN, 0};
            const int rc = ::poll(&p, 1, left);
            if (rc < 0 && errno == EINTR)
                continue;
            if (rc < 0)
                Fail(QStringLiteral("Waiting for the echo reply failed: %1").arg(ErrnoText(errno)));
            if (rc == 0)
                return reply;
            sockaddr_in from{};
            socklen_t from_len = sizeof from;
            const ssize_t n = ::recvfrom(s.fd, in.data(), in.size(), 0,
                                         reinterpret_cast<sockaddr *>(&from), &from_len);
            if (n < 0) {
                if (errno == EINTR || errno == EAGAIN)
                    continue;
                Fail(QStringLiteral("Receiving the echo reply failed: %1").arg(ErrnoText(errno)));
            }
            size_t at = 0;
            if (s.raw) {   // a raw socket hands over the IP header too
                if (n < 20)
                    continue;
                at = size_t(in[0] & 0x0F) * 4;
            }
            if (size_t(n) < at + kHeaderSize)
                continue;
            const uint8_t *icmp = in.data() + at;
            const size_t icmp_len = size_t(n) - at;
            if (icmp[0] != kEchoReply)
                continue;   // on loopback a raw socket also sees its own request
            // The kernel sets the identifier of a datagram socket's requests itself.
            if (s.raw && (uint16_t(icmp[4] << 8 | icmp[5]) != id))
                continue;
            if (uint16_t(icmp[6] << 8 | icmp[7]) != seq)
                continue;
            if (icmp_len - kHeaderSize < size_t(data.size())
                || std::memcmp(icmp + kHeaderSize, data.constData(), size_t(data.size())) != 0)
                continue;
            reply.Replied = true;
            reply.BytesReceived = int(icmp_len);
            char text[INET_ADDRSTRLEN] = {};
            inet_ntop(AF_INET, &from.sin_addr, text, sizeof text);
            reply.From = QString::fromLatin1(text);
            reply.RoundTripMs = int(clock.elapsed());
            return reply;
        }
    }
};

TRealIcmp g_real;
std::atomic<IIcmp *> g_current{nullptr};

} // namespace

IIcmp &Icmp()
{
    IIcmp *p = g_current.load();
    return p ? *p : g_real;
}

void SetIcmp(IIcmp *icmp)
{
    g_current.store(icmp);
}

TEchoReply TFakeIcmp::Echo(const QString &host, const QByteArray &data, int packetSize,
                           int timeoutMs)
{
    Calls.push_back({host, data, packetSize, timeoutMs});
    Answer a;
    a.Replied = Default_Replied;
    if (!Answers.empty()) {
        a = Answers.front();
        Answers.pop_front();
    }
    if (!a.Error.isEmpty())
        throw EIcmpError(a.Error.toStdString());
    TEchoReply r;
    r.Replied = a.Replied;
    r.BytesReceived = a.Replied ? kHeaderSize + std::max<int>(packetSize, int(data.size())) : 0;
    r.From = a.Replied ? host : QString();
    return r;
}
