#include "mbus/commint.h"

#include "app/valuechecks.h"
#include "platform/serial.h"

#include <QCoreApplication>
#include <QSerialPort>
#include <QThread>
#include <atomic>
#include <cerrno>
#include <climits>
#include <condition_variable>
#include <cstring>
#include <mutex>

namespace {

constexpr int Transfer_Failed = INT_MIN;
constexpr int Timed_Out = INT_MIN + 1;

const int Baud_Values[] = {110,   300,   600,    1200,   2400,   4800,    9600,   14400,  19200,
                           38400, 56000, 57600, 115200, 128000, 256000, 1500000, 3000000};

const uint32_t Event_Bits[] = {Comm_Event_Bit::Break, Comm_Event_Bit::Cts,   Comm_Event_Bit::Dsr,
                               Comm_Event_Bit::Error, Comm_Event_Bit::Ring,  Comm_Event_Bit::Rlsd,
                               Comm_Event_Bit::RxChar, Comm_Event_Bit::RxFlag,
                               Comm_Event_Bit::TxEmpty};

const uint32_t Option_Flags[] = {DCB_Flag::Parity_Check, DCB_Flag::Dsr_Sensitivity,
                                 DCB_Flag::Tx_Continue_On_Xoff, DCB_Flag::Error_Char,
                                 DCB_Flag::Null_Strip};

// One call handed to the event thread; shared so a caller that gave up leaves it valid.
struct TCall
{
    std::mutex Lock;
    std::condition_variable Done_Changed;
    bool Done = false;
    bool Cancelled = false;
    int Result = 0;
};

} // namespace

int Baudrate_Value(TBaudrate b)
{
    return Baud_Values[int(b)];
}

uint32_t Comm_Event_Mask(TCommEventTypes events)
{
    uint32_t mask = 0;
    for (int e = evBreak; e <= evTxEmpty; ++e)
        if (events & Comm_Bit(e))
            mask |= Event_Bits[e];
    return mask;
}

ECommError::ECommError(const QString &text, int code)
    : std::runtime_error((text + QString::asprintf(" (Error: %d) ", code)).toStdString()),
      ErrorCode(code)
{
}

// --- event characters ---

void TCommEventChars::Changed()
{
    if (FOwner)
        FOwner->UpdateDataControlBlock();
}

void TCommEventChars::SetXonChar(uint8_t c) { xon_ = c; Changed(); }
void TCommEventChars::SetXoffChar(uint8_t c) { xoff_ = c; Changed(); }
void TCommEventChars::SetErrorChar(uint8_t c) { error_ = c; Changed(); }
void TCommEventChars::SetEofChar(uint8_t c) { eof_ = c; Changed(); }
void TCommEventChars::SetEvtChar(uint8_t c) { evt_ = c; Changed(); }

void TCommEventChars::Assign(const TCommEventChars &Source)
{
    xon_ = Source.xon_;
    xoff_ = Source.xoff_;
    error_ = Source.error_;
    eof_ = Source.eof_;
    evt_ = Source.evt_;
}

// --- the open port and its event thread ---

struct TCustomComm::TPort
{
    QThread Thread;
    QObject *Context = nullptr;      // lives on Thread; owns Port
    QSerialPort *Port = nullptr;
    std::shared_ptr<std::atomic<bool>> Alive = std::make_shared<std::atomic<bool>>(true);
    std::mutex Transfer_Lock;        // one Write or Read at a time

    TPort()
    {
        Thread.setObjectName(QStringLiteral("Comm events"));
        Context = new QObject;
        Context->moveToThread(&Thread);
        QObject::connect(&Thread, &QThread::finished, Context, &QObject::deleteLater);
        Thread.start(QThread::HighPriority);
    }
    ~TPort()
    {
        *Alive = false;
        Thread.quit();
        Thread.wait();
    }

    // Runs f(Port) on the event thread and waits at most timeout ms (negative: no limit).
    // Timed_Out when it did not finish; it is then cancelled if it has not started.
    int Call(std::function<int(QSerialPort *)> f, int timeout)
    {
        auto call = std::make_shared<TCall>();
        QMetaObject::invokeMethod(Context, [this, call, f = std::move(f)] {
            {
                const std::lock_guard<std::mutex> hold(call->Lock);
                if (call->Cancelled)
                    return;
            }
            const int r = f(Port);
            const std::lock_guard<std::mutex> hold(call->Lock);
            call->Result = r;
            call->Done = true;
            call->Done_Changed.notify_all();
        }, Qt::QueuedConnection);
        std::unique_lock<std::mutex> hold(call->Lock);
        const auto done = [&] { return call->Done; };
        if (timeout < 0)
            call->Done_Changed.wait(hold, done);
        else if (!call->Done_Changed.wait_for(hold, std::chrono::milliseconds(timeout), done)) {
            call->Cancelled = true;
            return Timed_Out;
        }
        return call->Result;
    }
};

TCustomComm::TCustomComm() = default;

TCustomComm::~TCustomComm()
{
    Close_Port();
}

bool TCustomComm::Enabled() const
{
    return FPort != nullptr;
}

intptr_t TCustomComm::Handle() const
{
    if (!FPort)
        return -1;
    return intptr_t(FPort->Call([](QSerialPort *p) { return int(p->handle()); }, -1));
}

void TCustomComm::Refuse_While_Open()
{
    if (Enabled())
        throw ECommError(QStringLiteral("Port already assigned (open)"), -1);
}

void TCustomComm::SetDeviceName(const QString &v)
{
    if (v == FDeviceName)
        return;
    Refuse_While_Open();
    FDeviceName = v;
}

void TCustomComm::SetReadBufSize(int v)
{
    if (v == FReadBufSize)
        return;
    Refuse_While_Open();
    FReadBufSize = v;
}

void TCustomComm::SetWriteBufSize(int v)
{
    if (v == FWriteBufSize)
        return;
    Refuse_While_Open();
    FWriteBufSize = v;
}

void TCustomComm::SetMonitorEvents(TCommEventTypes v)
{
    if (v == FMonitorEvents)
        return;
    Refuse_While_Open();
    FMonitorEvents = v;
}

void TCustomComm::SetBaudRate(TBaudrate v)
{
    if (v == FBaudRate)
        return;
    FBaudRate = v;
    UpdateDataControlBlock();
}

void TCustomComm::SetParity(TParity v)
{
    if (v == FParity)
        return;
    FParity = v;
    UpdateDataControlBlock();
}

void TCustomComm::SetStopbits(TStopbits v)
{
    if (v == FStopbits)
        return;
    FStopbits = v;
    UpdateDataControlBlock();
}

void TCustomComm::SetDatabits(TDatabits v)
{
    if (v == FDatabits)
        return;
    FDatabits = v;
    UpdateDataControlBlock();
}

void TCustomComm::SetOptions(TCommOptions v)
{
    if (v == FOptions)
        return;
    FOptions = v;
    UpdateDataControlBlock();
}

void TCustomComm::SetFlowControl(TFlowControl v)
{
    if (v == FFlowControl)
        return;
    FFlowControl = v;
    UpdateDataControlBlock();
}

QString TCustomComm::Device_Path(const QString &name)
{
    QString n = name;
    const QString prefix = QStringLiteral("\\\\.\\");
    if (n.startsWith(prefix))
        n = n.mid(prefix.size());
    if (n.startsWith(u'/'))
        return n;
    if (n.startsWith(QLatin1String("COM"), Qt::CaseInsensitive)) {
        bool ok = false;
        const int number = n.mid(3).toInt(&ok);
        if (ok && number >= 1) {
            const QStringList ports = Get_COM_Port_List();
            if (number <= ports.size())
                return ports[number - 1];
        }
    }
    return n;
}

void TCustomComm::CreateHandle()
{
    const QString path = Device_Path(FDeviceName);
    const int check = Serial_Device_Check(path);
    if (check > 0)
        throw ECommError(QStringLiteral("Error accessing specified device"), check);
    if (check < 0)
        throw ECommError(QStringLiteral("Invalid device handle, access denied"), -1);

    auto port = std::make_shared<TPort>();
    TPort *const raw = port.get();
    const uint32_t mask = Comm_Event_Mask(FMonitorEvents);
    const std::shared_ptr<std::atomic<bool>> alive = port->Alive;
    const uint8_t evt_char = FEventChars.EvtChar();
    // Posts the events to the GUI thread, where the handlers run in call order.
    auto post = [this, alive](uint32_t events, int errors, int in_count) {
        if (!events || !QCoreApplication::instance())
            return;
        QMetaObject::invokeMethod(QCoreApplication::instance(), [this, alive, events, errors,
                                                                 in_count] {
            if (*alive)
                Dispatch_Events(events, errors, in_count);
        }, Qt::QueuedConnection);
    };
    const int opened = port->Call([raw, path, mask, evt_char, post](QSerialPort *) {
        auto *p = new QSerialPort(raw->Context);
        p->setPortName(path);
        if (!p->open(QIODevice::ReadWrite)) {
            delete p;
            return 0;
        }
        raw->Port = p;
        QObject::connect(p, &QSerialPort::readyRead, p, [p, mask, evt_char, post] {
            uint32_t events = mask & Comm_Event_Bit::RxChar;
            if ((mask & Comm_Event_Bit::RxFlag) && p->peek(p->bytesAvailable()).contains(char(evt_char)))
                events |= Comm_Event_Bit::RxFlag;
            post(events, 0, int(p->bytesAvailable()));
        });
        QObject::connect(p, &QSerialPort::bytesWritten, p, [p, mask, post] {
            if (p->bytesToWrite() == 0)
                post(mask & Comm_Event_Bit::TxEmpty, 0, 0);
        });
        QObject::connect(p, &QSerialPort::errorOccurred, p,
                         [p, mask, post](QSerialPort::SerialPortError e) {
                             if (e == QSerialPort::NoError || e == QSerialPort::TimeoutError)
                                 return;
                             p->clearError();
                             post(mask & Comm_Event_Bit::Error, int(e), 0);
                         });
        return 1;
    }, -1);
    if (!opened) {
        const int err = Serial_Open_Error(path);
        throw ECommError(QStringLiteral("Error accessing specified device"), err ? err : EIO);
    }
    FPort = std::move(port);
}

void TCustomComm::Open()
{
    Refuse_While_Open();
    CreateHandle();
    try {
        // The read interval time-out at its maximum: Qt's reads already return what is queued.
        // The control block as the driver has it, before the component's settings.
        FDCB.Flags = DCB_Flag::Binary;
        const int flow = FPort->Call([](QSerialPort *p) { return int(p->flowControl()); }, -1);
        if (flow == QSerialPort::HardwareControl)
            FDCB.Flags |= DCB_Flag::Out_Cts | DCB_Flag::Rts_Handshake;
        else if (flow == QSerialPort::SoftwareControl)
            FDCB.Flags |= DCB_Flag::Out_X | DCB_Flag::In_X;
        UpdateDataControlBlock();
        const int size = FReadBufSize;
        if (FPort->Call([size](QSerialPort *p) {
                p->setReadBufferSize(size);
                return 1;
            }, -1) != 1)
            throw ECommError(QStringLiteral("Error initializing Read/Write Buffers"), EIO);
    } catch (...) {
        // A port half set up is closed again, so that the next Open starts afresh.
        Close_Port();
        throw;
    }
}

void TCustomComm::UpdateDataControlBlock()
{
    if (!FPort)
        return;
    TDCB dcb = FDCB;
    dcb.BaudRate = uint32_t(Baudrate_Value(FBaudRate));
    dcb.Parity = uint8_t(FParity);
    dcb.StopBits = uint8_t(FStopbits);
    dcb.ByteSize = uint8_t(4 + FDatabits);
    dcb.XonChar = FEventChars.XonChar();
    dcb.XoffChar = FEventChars.XoffChar();
    dcb.ErrorChar = FEventChars.ErrorChar();
    dcb.EofChar = FEventChars.EofChar();
    dcb.EvtChar = FEventChars.EvtChar();
    dcb.XonLim = dcb.XoffLim = uint16_t(FReadBufSize / 4);
    switch (FFlowControl) {
    case fcNone: dcb.Flags = DCB_Flag::Binary; break;
    case fcCTS: dcb.Flags |= DCB_Flag::Out_Cts | DCB_Flag::Rts_Handshake; break;
    case fcDTR: dcb.Flags |= DCB_Flag::Out_Dsr | DCB_Flag::Dtr_Handshake; break;
    case fcSoftware: dcb.Flags |= DCB_Flag::Out_X | DCB_Flag::In_X; break;
    case fcDefault: break;
    }
    for (int o = coParityCheck; o <= coNullStrip; ++o) {
        if (FOptions & Comm_Bit(o))
            dcb.Flags |= Option_Flags[o];
        else
            dcb.Flags &= ~Option_Flags[o];
    }
    FDCB = dcb;

    const int applied = FPort->Call([dcb](QSerialPort *p) {
        static const QSerialPort::Parity parities[] = {QSerialPort::NoParity, QSerialPort::OddParity,
                                                       QSerialPort::EvenParity, QSerialPort::MarkParity,
                                                       QSerialPort::SpaceParity};
        static const QSerialPort::StopBits stops[] = {QSerialPort::OneStop, QSerialPort::OneAndHalfStop,
                                                      QSerialPort::TwoStop};
        // Handshakes on DSR and DTR have no counterpart on this platform.
        if (dcb.ByteSize < 5 || (dcb.Flags & (DCB_Flag::Out_Dsr | DCB_Flag::Dtr_Handshake)))
            return 0;
        QSerialPort::FlowControl flow = QSerialPort::NoFlowControl;
        if (dcb.Flags & (DCB_Flag::Out_Cts | DCB_Flag::Rts_Handshake))
            flow = QSerialPort::HardwareControl;
        else if (dcb.Flags & (DCB_Flag::Out_X | DCB_Flag::In_X))
            flow = QSerialPort::SoftwareControl;
        const bool ok = p->setBaudRate(qint32(dcb.BaudRate))
                        && p->setDataBits(QSerialPort::DataBits(dcb.ByteSize))
                        && p->setParity(parities[dcb.Parity]) && p->setStopBits(stops[dcb.StopBits])
                        && p->setFlowControl(flow);
        p->clearError();
        return ok ? 1 : 0;
    }, -1);
    if (applied != 1)
        throw ECommError(QStringLiteral("Error updating DataControlBlock"), EINVAL);
}

void TCustomComm::Close()
{
    Close_Port();
}

void TCustomComm::Close_Port()
{
    if (!FPort)
        return;
    FPort->Call([](QSerialPort *p) {
        if (p) {
            p->clear(QSerialPort::AllDirections);
            p->close();
        }
        return 1;
    }, -1);
    FPort.reset();
}

int TCustomComm::Write(const void *Buf, int Count)
{
    if (!FPort)
        throw ECommError(QStringLiteral("Write error"), EBADF);
    const std::lock_guard<std::mutex> hold(FPort->Transfer_Lock);
    auto data = std::make_shared<QByteArray>(static_cast<const char *>(Buf), qsizetype(std::max(Count, 0)));
    const int r = FPort->Call([data](QSerialPort *p) {
        const qint64 n = p->write(*data);
        if (n < 0)
            return Transfer_Failed;
        p->flush();
        return int(n);
    }, FWriteTimeout);
    if (r == Transfer_Failed)
        throw ECommError(QStringLiteral("Write error"), EIO);
    return r == Timed_Out ? -1 : r;
}

int TCustomComm::Read(void *Buf, int Count)
{
    if (!FPort)
        throw ECommError(QStringLiteral("Read error"), EBADF);
    const std::lock_guard<std::mutex> hold(FPort->Transfer_Lock);
    auto data = std::make_shared<QByteArray>();
    const int count = std::max(Count, 0);
    const int r = FPort->Call([data, count](QSerialPort *p) {
        if (p->bytesAvailable() == 0)
            p->waitForReadyRead(0);
        *data = p->read(count);
        return int(data->size());
    }, FReadTimeout);
    if (r == Timed_Out)
        return -1;
    if (r > 0)
        std::memcpy(Buf, data->constData(), size_t(r));
    return r;
}

int TCustomComm::InQueCount()
{
    if (!FPort)
        return -1;
    return FPort->Call([](QSerialPort *p) {
        if (p->bytesAvailable() == 0)
            p->waitForReadyRead(0);
        return int(p->bytesAvailable());
    }, -1);
}

int TCustomComm::OutQueCount()
{
    if (!FPort)
        return -1;
    return FPort->Call([](QSerialPort *p) { return int(p->bytesToWrite()); }, -1);
}

void TCustomComm::PurgeIn()
{
    if (FPort)
        FPort->Call([](QSerialPort *p) { return int(p->clear(QSerialPort::Input)); }, -1);
}

void TCustomComm::PurgeOut()
{
    if (FPort)
        FPort->Call([](QSerialPort *p) { return int(p->clear(QSerialPort::Output)); }, -1);
}

namespace {

const QString Not_Open = QStringLiteral("Port not open, unable to complete operation");

void Check_Escape(int result)
{
    if (result != 1)
        throw ECommError(QStringLiteral("EscapeCommFunction failure"), EIO);
}

int Pinout(QSerialPort *p, QSerialPort::PinoutSignal s)
{
    const QSerialPort::PinoutSignals v = p->pinoutSignals();
    p->clearError();
    return int(v.testFlag(s));
}

} // namespace

void TCustomComm::SetDTRState(bool State)
{
    if (!FPort)
        throw ECommError(Not_Open, -1);
    Check_Escape(FPort->Call([State](QSerialPort *p) { return int(p->setDataTerminalReady(State)); }, -1));
}

void TCustomComm::SetRTSState(bool State)
{
    if (!FPort)
        throw ECommError(Not_Open, -1);
    Check_Escape(FPort->Call([State](QSerialPort *p) { return int(p->setRequestToSend(State)); }, -1));
}

void TCustomComm::SetBREAKState(bool State)
{
    if (!FPort)
        throw ECommError(Not_Open, -1);
    Check_Escape(FPort->Call([State](QSerialPort *p) { return int(p->setBreakEnabled(State)); }, -1));
    PurgeIn();
    PurgeOut();
}

void TCustomComm::SetXONState(bool State)
{
    if (!FPort)
        throw ECommError(Not_Open, -1);
    Check_Escape(FPort->Call([State](QSerialPort *p) {
        return int(Serial_Set_Output_Flow(intptr_t(p->handle()), State));
    }, -1));
}

bool TCustomComm::CTS()
{
    return FPort && FPort->Call([](QSerialPort *p) { return Pinout(p, QSerialPort::ClearToSendSignal); }, -1) == 1;
}

bool TCustomComm::DSR()
{
    return FPort && FPort->Call([](QSerialPort *p) { return Pinout(p, QSerialPort::DataSetReadySignal); }, -1) == 1;
}

bool TCustomComm::RING()
{
    return FPort && FPort->Call([](QSerialPort *p) { return Pinout(p, QSerialPort::RingIndicatorSignal); }, -1) == 1;
}

bool TCustomComm::RLSD()
{
    return FPort && FPort->Call([](QSerialPort *p) { return Pinout(p, QSerialPort::DataCarrierDetectSignal); }, -1) == 1;
}

void TCustomComm::Dispatch_Events(uint32_t mask, int errors, int in_count)
{
    using namespace Comm_Event_Bit;
    auto fire = [this](const std::function<void(TCustomComm *)> &h) {
        if (h)
            h(this);
    };
    if (mask & Break) fire(OnBreak);
    if (mask & Cts) fire(OnCts);
    if (mask & Dsr) fire(OnDsr);
    if ((mask & Error) && OnError) OnError(this, errors);
    if (mask & Ring) fire(OnRing);
    if (mask & Rlsd) fire(OnRlsd);
    if ((mask & RxChar) && in_count != 0 && OnRxChar) OnRxChar(this, in_count);
    if (mask & RxFlag) fire(OnRxFlag);
    if (mask & TxEmpty) fire(OnTxEmpty);
}
