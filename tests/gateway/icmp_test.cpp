#include "platform/icmp.h"

#include <gtest/gtest.h>

namespace {

// Whether this machine lets the test open an ICMP socket at all (a datagram socket where
// ping_group_range admits the group, a raw socket as root).
bool Icmp_Available(QString &why)
{
    try {
        Icmp().Echo(QStringLiteral("127.0.0.1"), QByteArray("probe"), 8, 400);
        return true;
    } catch (const EIcmpError &e) {
        why = QString::fromUtf8(e.what());
        return false;
    }
}

TEST(Icmp, EchoOfTheLoopbackAddress)
{
    QString why;
    if (!Icmp_Available(why))
        GTEST_SKIP() << why.toStdString();
    const TEchoReply reply = Icmp().Echo(QStringLiteral("127.0.0.1"), QByteArray("127.0.0.1"), 1024, 400);
    EXPECT_TRUE(reply.Replied);
    EXPECT_EQ(reply.BytesReceived, 8 + 1024);
    EXPECT_EQ(reply.From, QStringLiteral("127.0.0.1"));
    EXPECT_LT(reply.RoundTripMs, 400);
}

TEST(Icmp, AHostThatDoesNotResolveIsAnError)
{
    EXPECT_THROW(Icmp().Echo(QStringLiteral("no-such-host.invalid"), QByteArray("x"), 64, 150), EIcmpError);
}

TEST(Icmp, FakeRecordsAndAnswersFromItsScript)
{
    TFakeIcmpGuard guard;
    guard.Fake.Answers = {{false, {}}, {true, QStringLiteral("socket")}};
    EXPECT_FALSE(Icmp().Echo(QStringLiteral("10.0.0.1"), "a", 1024, 400).Replied);
    EXPECT_THROW(Icmp().Echo(QStringLiteral("10.0.0.1"), "a", 1024, 400), EIcmpError);
    const TEchoReply r = Icmp().Echo(QStringLiteral("10.0.0.1"), "a", 1024, 400);
    EXPECT_TRUE(r.Replied);
    EXPECT_EQ(r.BytesReceived, 1032);
    EXPECT_EQ(guard.Fake.Calls.size(), 3u);
}

} // namespace
