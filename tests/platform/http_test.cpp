#include "common/loopback_http_server.h"
#include "platform/http.h"

#include <gtest/gtest.h>

TEST(Http, GetSendsAnHttp10RequestWithTheHeaders)
{
    TLoopback_Server server("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\nVER. 1.234\r\n");
    THttpClient client;
    const THttpReply reply = client.Get(server.Url(QStringLiteral("/home/download/GetversionSW.asp?nomesw=CF41R08")));
    EXPECT_TRUE(reply.Ok()) << reply.Error.toStdString();
    EXPECT_EQ(reply.Status, 200);
    EXPECT_EQ(reply.Body, QByteArray("VER. 1.234\r\n"));
    const QByteArray request = server.Request();
    EXPECT_TRUE(request.startsWith("GET /home/download/GetversionSW.asp?nomesw=CF41R08 HTTP/1.0\r\n")) << request.constData();
    EXPECT_TRUE(request.contains("\r\nAccept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8\r\n"));
    EXPECT_TRUE(request.contains("\r\nUser-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"));
    EXPECT_TRUE(request.contains(QStringLiteral("\r\nHost: 127.0.0.1:%1\r\n").arg(server.Port).toLatin1()));
    EXPECT_FALSE(request.toLower().contains("cookie"));
}

TEST(Http, ContentLengthEndsTheBodyAndErrorsAreReplies)
{
    {
        TLoopback_Server server("HTTP/1.1 200 OK\r\nContent-Length: 3\r\n\r\nabcdef");
        const THttpReply reply = THttpClient().Get(server.Url(QStringLiteral("/")));
        EXPECT_EQ(reply.Body, QByteArray("abc"));
    }
    {
        TLoopback_Server server("HTTP/1.0 404 Not Found\r\n\r\nmissing");
        const THttpReply reply = THttpClient().Get(server.Url(QStringLiteral("/x")));
        EXPECT_FALSE(reply.Ok());
        EXPECT_EQ(reply.Status, 404);
    }
    {
        TLoopback_Server server("VER. 9.999");   // not HTTP at all
        const THttpReply reply = THttpClient().Get(server.Url(QStringLiteral("/")));
        EXPECT_FALSE(reply.Ok());
        EXPECT_FALSE(reply.Error.isEmpty());
    }
}

TEST(Http, SilentServerTimesOut)
{
    // The kernel completes the connection; nobody ever answers it, however slow the machine.
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0));
    const THttpReply reply = THttpClient(300).Get(
        QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(silent.serverPort())));
    EXPECT_FALSE(reply.Ok());
    EXPECT_EQ(reply.Status, 0);
    EXPECT_FALSE(reply.Error.isEmpty());
}

TEST(Http, RefusedConnectionAndBadAddressesFail)
{
    quint16 free_port;
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        free_port = probe.serverPort();
    }
    EXPECT_FALSE(THttpClient(2000).Get(QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(free_port))).Ok());
    EXPECT_FALSE(THttpClient().Get(QUrl(QStringLiteral("ftp://127.0.0.1/"))).Ok());
    EXPECT_FALSE(THttpClient().Get(QUrl()).Ok());
}

TEST(Http, FakeRecordsAndAnswersInOrder)
{
    THttpFakeGuard guard;
    THttpReply answer;
    answer.Status = 200;
    answer.Body = "VER. 1.001";
    guard.Fake.Replies.push_back(answer);
    EXPECT_EQ(Http().Get(QUrl(QStringLiteral("http://a/b"))).Body, QByteArray("VER. 1.001"));
    EXPECT_FALSE(Http().Get(QUrl(QStringLiteral("http://a/c"))).Ok());
    ASSERT_EQ(guard.Fake.Requests.size(), 2u);
    EXPECT_EQ(guard.Fake.Requests[1].path(), QStringLiteral("/c"));
}
