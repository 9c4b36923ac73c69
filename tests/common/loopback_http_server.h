#pragma once
// A one-connection HTTP peer on loopback, on a thread of its own (the client under test
// blocks the caller): it reads the request, stays silent for a while if asked, answers and
// closes.
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QUrl>
#include <future>
#include <memory>

class TLoopback_Server
{
public:
    explicit TLoopback_Server(QByteArray answer, int silent_ms = 0)
    {
        std::promise<quint16> port;
        std::future<quint16> bound = port.get_future();
        thread_.reset(QThread::create([this, answer, silent_ms, port = std::move(port)]() mutable {
            QTcpServer server;
            server.listen(QHostAddress::LocalHost, 0);
            port.set_value(server.serverPort());
            if (!server.waitForNewConnection(5000))
                return;
            std::unique_ptr<QTcpSocket> peer(server.nextPendingConnection());
            while (!request_.contains("\r\n\r\n") && peer->waitForReadyRead(5000))
                request_ += peer->readAll();
            if (silent_ms > 0)
                QThread::msleep(silent_ms);
            peer->write(answer);
            peer->waitForBytesWritten(2000);
            peer->disconnectFromHost();
            if (peer->state() != QAbstractSocket::UnconnectedState)
                peer->waitForDisconnected(2000);
        }));
        thread_->start();
        Port = bound.get();
    }
    ~TLoopback_Server() { thread_->wait(); }
    // The request as received; waits for the exchange to end.
    QByteArray Request()
    {
        thread_->wait();
        return request_;
    }
    QUrl Url(const QString &path) const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(Port).arg(path));
    }
    quint16 Port = 0;

private:
    std::unique_ptr<QThread> thread_;
    QByteArray request_;
};
