#include "platform/http.h"

#include <QDeadlineTimer>
#include <QSslSocket>
#include <QTcpSocket>
#include <QThreadPool>
#include <future>
#include <memory>

const QByteArray THttpClient::Accept = "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8";
const QByteArray THttpClient::User_Agent = "Mozilla/3.0 (compatible; Indy Library)";

THttpClient::THttpClient(int timeout_ms) : timeout_ms_(timeout_ms)
{
}

namespace {

THttpReply Failure(const QString &error)
{
    THttpReply r;
    r.Error = error;
    return r;
}

int Remaining(const QDeadlineTimer &deadline)
{
    return int(std::max<qint64>(1, deadline.remainingTime()));
}

// Status line and headers; the body follows the blank line. False when there is none yet.
bool Parse_Head(const QByteArray &data, THttpReply &reply, qsizetype &body_at, qsizetype &length)
{
    body_at = data.indexOf("\r\n\r\n");
    if (body_at < 0)
        return false;
    const QList<QByteArray> lines = data.left(body_at).split('\n');
    body_at += 4;
    const QList<QByteArray> status = lines.value(0).trimmed().split(' ');
    bool ok = false;
    reply.Status = status.size() >= 2 && status[0].startsWith("HTTP/") ? status[1].toInt(&ok) : 0;
    if (!ok)
        reply.Status = 0;
    length = -1;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon > 0 && lines[i].left(colon).trimmed().toLower() == "content-length") {
            const qint64 n = lines[i].mid(colon + 1).trimmed().toLongLong(&ok);
            if (ok && n >= 0)
                length = qsizetype(std::min<qint64>(n, THttpClient::Max_Reply));
        }
    }
    return true;
}

// The whole exchange with its own deadline; runs on a worker thread.
THttpReply Blocking_Get(const QUrl &url, int timeout_ms)
{
    const bool tls = url.scheme() == QLatin1String("https");
    if (!url.isValid() || (!tls && url.scheme() != QLatin1String("http")) || url.host().isEmpty())
        return Failure(QStringLiteral("Not an HTTP address: ") + url.toString());
    const QDeadlineTimer deadline(timeout_ms);
    std::unique_ptr<QTcpSocket> socket;
    const quint16 port = quint16(url.port(tls ? 443 : 80));
    if (tls) {
        auto *ssl = new QSslSocket;
        socket.reset(ssl);
        ssl->connectToHostEncrypted(url.host(), port);
        if (!ssl->waitForEncrypted(Remaining(deadline)))
            return Failure(socket->errorString());
    } else {
        socket = std::make_unique<QTcpSocket>();
        socket->connectToHost(url.host(), port);
        if (!socket->waitForConnected(Remaining(deadline)))
            return Failure(socket->errorString());
    }
    QByteArray target = url.path(QUrl::FullyEncoded).toLatin1();
    if (target.isEmpty())
        target = "/";
    if (url.hasQuery())
        target += '?' + url.query(QUrl::FullyEncoded).toLatin1();
    QByteArray host = QUrl::toAce(url.host());
    if (url.port() > 0)
        host += ':' + QByteArray::number(url.port());
    const QByteArray request = "GET " + target + " HTTP/1.0\r\n"
                               "Host: " + host + "\r\n"
                               "Accept: " + THttpClient::Accept + "\r\n"
                               "User-Agent: " + THttpClient::User_Agent + "\r\n\r\n";
    socket->write(request);
    while (socket->bytesToWrite() > 0)
        if (!socket->waitForBytesWritten(Remaining(deadline)))
            return Failure(socket->errorString());

    // An HTTP/1.0 reply ends where the server closes, or after its Content-Length.
    THttpReply reply;
    QByteArray data;
    qsizetype body_at = -1, length = -1;
    bool head = false;
    const QString timeout = QStringLiteral("No reply within %1 s").arg(timeout_ms / 1000.0);
    for (;;) {
        data += socket->readAll();
        if (!head)
            head = Parse_Head(data, reply, body_at, length);
        if (head && length >= 0 && data.size() - body_at >= length)
            break;                                    // complete
        if (data.size() > THttpClient::Max_Reply + 65536)
            break;                                    // enough of it
        if (socket->state() != QAbstractSocket::ConnectedState)
            break;                                    // the server closed: the reply is whole
        if (deadline.hasExpired())
            return Failure(timeout);
        socket->waitForReadyRead(Remaining(deadline));
    }
    data += socket->readAll();
    if (!head && !Parse_Head(data + "\r\n\r\n", reply, body_at, length))
        return Failure(QStringLiteral("No reply"));
    if (reply.Status == 0)
        return Failure(QStringLiteral("Not an HTTP reply"));
    reply.Body = data.mid(std::min(body_at, data.size()));
    reply.Body.truncate(length >= 0 ? length : THttpClient::Max_Reply);
    return reply;
}

} // namespace

THttpReply THttpClient::Get(const QUrl &url)
{
    // The name lookup of a socket has no deadline of its own, so the exchange runs on a
    // pool thread and the caller waits for it no longer than the time-out.
    auto promise = std::make_shared<std::promise<THttpReply>>();
    std::future<THttpReply> result = promise->get_future();
    QThreadPool::globalInstance()->start([promise, url, timeout = timeout_ms_] {
        promise->set_value(Blocking_Get(url, timeout));
    });
    if (result.wait_for(std::chrono::milliseconds(timeout_ms_ + 500)) != std::future_status::ready)
        return Failure(QStringLiteral("No reply within %1 s").arg(timeout_ms_ / 1000.0));
    return result.get();
}

namespace {
IHttpClient *installed = nullptr;
}

IHttpClient &Http()
{
    static THttpClient real;
    return installed ? *installed : real;
}

void SetHttp(IHttpClient *client)
{
    installed = client;
}

THttpReply THttpFake::Get(const QUrl &url)
{
    Requests.push_back(url);
    if (Replies.empty())
        return Failure(QStringLiteral("No reply scripted"));
    THttpReply r = Replies.front();
    Replies.pop_front();
    return r;
}
