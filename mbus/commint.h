#pragma once
// The serial-port component: one port with blocking reads and writes bounded by time-outs,
// line settings kept in a device-control-block model and applied to the port, modem lines,
// queue counts and purges, and communication events reported on the GUI thread.
//
// The port object lives on the component's event thread, which runs an event loop of its own;
// Write, Read and every other port call are handed to it. A transfer that does not finish in
// its time-out returns -1; it is cancelled and its buffer kept alive until the thread drops it.
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>

enum TBaudrate {
    br110, br300, br600, br1200, br2400, br4800, br9600, br14400, br19200, br38400, br56000,
    br57600, br115200, br128000, br256000, br1500000, br3000000
};
enum TParity { paNone, paOdd, paEven, paMark, paSpace };
enum TStopbits { sb10, sb15, sb20 };
enum TDatabits { da4, da5, da6, da7, da8 };
enum TCommEventType {
    evBreak, evCts, evDsr, evError, evRing, evRlsd, evRxChar, evRxFlag, evTxEmpty
};
enum TCommOption { coParityCheck, coDsrSensitivity, coIgnoreXOff, coErrorChar, coNullStrip };
enum TFlowControl { fcNone, fcCTS, fcDTR, fcSoftware, fcDefault };

// Sets as bit masks over the enumerations (bit 1 << value).
using TCommEventTypes = uint32_t;
using TCommOptions = uint32_t;
constexpr uint32_t Comm_Bit(int v) { return 1u << v; }
constexpr TCommEventTypes All_Comm_Events = (1u << (evTxEmpty + 1)) - 1;

int Baudrate_Value(TBaudrate b);        // 110 .. 3000000
uint32_t Comm_Event_Mask(TCommEventTypes events);   // the port's event-mask bits

// Failure of the component: the text, then " (Error: %d) " with the code.
class ECommError : public std::runtime_error
{
public:
    ECommError(const QString &text, int code);
    int ErrorCode;
};

// The port's device control block as the component last wrote it.
struct TDCB
{
    uint32_t BaudRate = 0;
    uint32_t Flags = 0;
    uint16_t XonLim = 0;
    uint16_t XoffLim = 0;
    uint8_t ByteSize = 0;
    uint8_t Parity = 0;
    uint8_t StopBits = 0;
    uint8_t XonChar = 0, XoffChar = 0, ErrorChar = 0, EofChar = 0, EvtChar = 0;
};

// Control-block flags.
namespace DCB_Flag {
constexpr uint32_t Binary = 0x0001, Parity_Check = 0x0002, Out_Cts = 0x0004,
                   Out_Dsr = 0x0008, Dtr_Handshake = 0x0020, Dsr_Sensitivity = 0x0040,
                   Tx_Continue_On_Xoff = 0x0080, Out_X = 0x0100, In_X = 0x0200,
                   Error_Char = 0x0400, Null_Strip = 0x0800, Rts_Handshake = 0x2000;
}

class TCustomComm;

// The five event characters; a change re-applies the owner's line settings.
class TCommEventChars
{
public:
    explicit TCommEventChars(TCustomComm *Owner) : FOwner(Owner) {}
    uint8_t XonChar() const { return xon_; }
    uint8_t XoffChar() const { return xoff_; }
    uint8_t ErrorChar() const { return error_; }
    uint8_t EofChar() const { return eof_; }
    uint8_t EvtChar() const { return evt_; }
    void SetXonChar(uint8_t c);
    void SetXoffChar(uint8_t c);
    void SetErrorChar(uint8_t c);
    void SetEofChar(uint8_t c);
    void SetEvtChar(uint8_t c);
    void Assign(const TCommEventChars &Source);   // copies, without re-applying

private:
    void Changed();
    TCustomComm *FOwner;
    uint8_t xon_ = 17, xoff_ = 19, error_ = 0, eof_ = 0, evt_ = 0;
};

class TCustomComm
{
public:
    TCustomComm();
    virtual ~TCustomComm();
    TCustomComm(const TCustomComm &) = delete;
    TCustomComm &operator=(const TCustomComm &) = delete;

    void Open();
    void Close();
    bool Enabled() const;
    int Write(const void *Buf, int Count);
    int Read(void *Buf, int Count);
    int InQueCount();
    int OutQueCount();
    void PurgeIn();
    void PurgeOut();
    void SetDTRState(bool State);
    void SetRTSState(bool State);
    void SetBREAKState(bool State);
    void SetXONState(bool State);

    intptr_t Handle() const;                // -1 when closed
    bool CTS();
    bool DSR();
    bool RING();
    bool RLSD();
    // Hold states of the driver; this platform reports none.
    bool CtsHold() const { return false; }
    bool DsrHold() const { return false; }
    bool RlsdHold() const { return false; }
    bool XoffHold() const { return false; }
    bool XOffSent() const { return false; }

    // --- properties ---
    const QString &DeviceName() const { return FDeviceName; }
    void SetDeviceName(const QString &v);
    int ReadTimeout() const { return FReadTimeout; }
    void SetReadTimeout(int v) { FReadTimeout = v; }
    int WriteTimeout() const { return FWriteTimeout; }
    void SetWriteTimeout(int v) { FWriteTimeout = v; }
    int ReadBufSize() const { return FReadBufSize; }
    void SetReadBufSize(int v);
    int WriteBufSize() const { return FWriteBufSize; }
    void SetWriteBufSize(int v);
    TCommEventTypes MonitorEvents() const { return FMonitorEvents; }
    void SetMonitorEvents(TCommEventTypes v);
    TBaudrate BaudRate() const { return FBaudRate; }
    void SetBaudRate(TBaudrate v);
    TParity Parity() const { return FParity; }
    void SetParity(TParity v);
    TStopbits Stopbits() const { return FStopbits; }
    void SetStopbits(TStopbits v);
    TDatabits Databits() const { return FDatabits; }
    void SetDatabits(TDatabits v);
    TCommEventChars &EventChars() { return FEventChars; }
    TCommOptions Options() const { return FOptions; }
    void SetOptions(TCommOptions v);
    TFlowControl FlowControl() const { return FFlowControl; }
    void SetFlowControl(TFlowControl v);
    const TDCB &DCB() const { return FDCB; }

    // Events, run on the GUI thread.
    std::function<void(TCustomComm *)> OnBreak, OnCts, OnDsr, OnRing, OnRlsd, OnRxFlag,
        OnTxEmpty;
    std::function<void(TCustomComm *, int Errors)> OnError;
    std::function<void(TCustomComm *, int Count)> OnRxChar;

    // Re-applies the line settings to an open port (called by the setters).
    void UpdateDataControlBlock();

    // The device a name stands for: "\\.\COMn" is the n-th port of the shell's port list,
    // a name beginning with "/" a device path.
    static QString Device_Path(const QString &name);

protected:
    // Opens the device on the event thread; overridable for other kinds of device.
    virtual void CreateHandle();
    // Calls the handlers of the events in mask, in their fixed order.
    void Dispatch_Events(uint32_t mask, int errors, int in_count);

private:
    struct TPort;
    void Refuse_While_Open();
    void Close_Port();

    std::shared_ptr<TPort> FPort;           // event thread and port while open
    TDCB FDCB;
    QString FDeviceName = QStringLiteral("Com2");
    int FReadTimeout = 1000;
    int FWriteTimeout = 1000;
    int FReadBufSize = 4096;
    int FWriteBufSize = 2048;
    TCommEventTypes FMonitorEvents = All_Comm_Events;
    TBaudrate FBaudRate = br9600;
    TParity FParity = paNone;
    TStopbits FStopbits = sb10;
    TDatabits FDatabits = da8;
    TCommEventChars FEventChars{this};
    TCommOptions FOptions = 0;
    TFlowControl FFlowControl = fcDefault;
};

class TComm : public TCustomComm
{
};

// Event-mask bits of the port's communication events.
namespace Comm_Event_Bit {
constexpr uint32_t RxChar = 0x01, RxFlag = 0x02, TxEmpty = 0x04, Cts = 0x08, Dsr = 0x10,
                   Rlsd = 0x20, Break = 0x40, Error = 0x80, Ring = 0x100;
}
