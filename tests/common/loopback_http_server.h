#pragma once
// A one-connection HTTP peer on loopback, on a thread of its own (the client under test
// blocks the caller): it reads the request, answers and closes.
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QUrl>
#include <atomic>
#include <future>
#include <memory>

class TLoopback_Server
{
public:
    explicit TLoopback_Server(QByteArray answer)
    {
        std::promise<quint16> port;
        std::future<quint16> bound = port.get_future();
        thread_.reset(QThread::create([this, answer, port = std::move(port)]() mutable {
            // Waits have no deadline (the result never depends on the machine's speed); they
            // look for the owner giving up between short polls.
            QTcpServer server;
            server.listen(QHostAddress::LocalHost, 0);
            port.set_value(server.serverPort());
            while (!server.waitForNewConnection(50))
                if (stop_)
                    return;
            std::unique_ptr<QTcpSocket> peer(server.nextPendingConnection());
            while (!request_.contains("\r\n\r\n") && !stop_) {
                if (peer->waitForReadyRead(50))
                    request_ += peer->readAll();
                else if (peer->state() != QAbstractSocket::ConnectedState)
                    break;
            }
            peer->write(answer);
            peer->waitForBytesWritten(-1);
            peer->disconnectFromHost();
            if (peer->state() != QAbstractSocket::UnconnectedState)
                peer->waitForDisconnected(-1);
        }));
        thread_->start();
        Port = bound.get();
    }
    // A client that never came (a failed test) must not keep the server thread waiting.
    ~TLoopback_Server()
    {
        stop_ = true;
        thread_->wait();
    }
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
    std::atomic<bool> stop_ = false;
};
