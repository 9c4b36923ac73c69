#include "mbus/mbus_transport.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QNetworkDatagram>
#include <QThread>
#include <QUdpSocket>
#include <mutex>

struct TMBusUdpEndpoint::TImpl
{
    QThread Thread;
    QObject *Context = nullptr;          // lives on Thread; the socket is its child
    QUdpSocket *Socket = nullptr;
    mutable std::mutex Lock;             // Bindings and the active flag
    std::vector<uint16_t> Bindings;
    bool Active = false;
    uint16_t Local_Port = 0;

    // Runs f on the receive thread and waits for it.
    template <class F> void On_Thread(F f)
    {
        if (QThread::currentThread() == &Thread)
            f();
        else
            QMetaObject::invokeMethod(Context, f, Qt::BlockingQueuedConnection);
    }
};

TMBusUdpEndpoint::TMBusUdpEndpoint() : d(std::make_unique<TImpl>())
{
    d->Thread.setObjectName(QStringLiteral("MBus UDP receive"));
    d->Context = new QObject;
    d->Context->moveToThread(&d->Thread);
    QObject::connect(&d->Thread, &QThread::finished, d->Context, &QObject::deleteLater);
    d->Thread.start();
}

TMBusUdpEndpoint::~TMBusUdpEndpoint()
{
    Deactivate();
    d->Thread.quit();
    d->Thread.wait();
}

std::vector<uint16_t> TMBusUdpEndpoint::Bindings() const
{
    const std::lock_guard<std::mutex> hold(d->Lock);
    return d->Bindings;
}

void TMBusUdpEndpoint::Set_Binding(uint16_t port)
{
    const std::lock_guard<std::mutex> hold(d->Lock);
    d->Bindings = {port};
}

bool TMBusUdpEndpoint::Active() const
{
    const std::lock_guard<std::mutex> hold(d->Lock);
    return d->Active;
}

uint16_t TMBusUdpEndpoint::Local_Port() const
{
    const std::lock_guard<std::mutex> hold(d->Lock);
    return d->Local_Port;
}

void TMBusUdpEndpoint::Activate()
{
    if (Active())
        return;
    const std::vector<uint16_t> bindings = Bindings();
    const uint16_t port = bindings.empty() ? 0 : bindings.front();
    QString error;
    d->On_Thread([this, port, &error] {
        auto *s = new QUdpSocket(d->Context);
        s->setReadBufferSize(Receive_Buffer);
        if (!s->bind(QHostAddress::AnyIPv4, port)) {
            error = QStringLiteral("Cannot bind the UDP port %1: %2").arg(port).arg(s->errorString());
            delete s;
            return;
        }
        QObject::connect(s, &QUdpSocket::readyRead, s, [this, s] {
            while (s->hasPendingDatagrams()) {
                const QNetworkDatagram g = s->receiveDatagram(Receive_Buffer);
                if (On_Read)
                    On_Read(g.data());
                if (On_Read_From)
                    On_Read_From(g.data(), g.senderAddress().toString(), uint16_t(g.senderPort()));
            }
        });
        d->Socket = s;
        const std::lock_guard<std::mutex> hold(d->Lock);
        d->Local_Port = s->localPort();
        d->Active = true;
    });
    if (!error.isEmpty())
        throw EMBusTransportError(error.toStdString());
}

void TMBusUdpEndpoint::Deactivate()
{
    if (!Active())
        return;
    d->On_Thread([this] {
        delete d->Socket;
        d->Socket = nullptr;
        const std::lock_guard<std::mutex> hold(d->Lock);
        d->Active = false;
        d->Local_Port = 0;
    });
}

void TMBusUdpEndpoint::Send(const QString &host, uint16_t port, const QByteArray &data)
{
    QHostAddress address(host);
    if (address.isNull()) {
        const QHostInfo info = QHostInfo::fromName(host);
        for (const QHostAddress &a : info.addresses())
            if (a.protocol() == QAbstractSocket::IPv4Protocol) {
                address = a;
                break;
            }
        if (address.isNull())
            throw EMBusTransportError("Cannot resolve the address " + host.toStdString());
    }
    QString error;
    d->On_Thread([this, &address, port, &data, &error] {
        if (!d->Socket)
            error = QStringLiteral("The UDP endpoint is not active");
        else if (d->Socket->writeDatagram(data, address, port) != data.size())
            error = QStringLiteral("Cannot send to %1:%2: %3")
                        .arg(address.toString()).arg(port).arg(d->Socket->errorString());
    });
    if (!error.isEmpty())
        throw EMBusTransportError(error.toStdString());
}
