// The serial-port component over a pseudo-terminal pair: the test holds the master side and
// the component opens the slave device by its path.
#include "mbus/commint.h"

#include "app/valuechecks.h"
#include "mbus/mbusscandecode.h"
#include "common/wait_until.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QThread>
#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

template <class Cond> bool Eventually(Cond cond)
{
    return WaitUntil(cond);
}

class Pty
{
public:
    Pty()
    {
        char name[128] = {};
        if (::openpty(&Master, &Slave, name, nullptr, nullptr) == 0)
            Path = QString::fromLocal8Bit(name);
        termios t{};
        ::tcgetattr(Master, &t);
        ::cfmakeraw(&t);
        ::tcsetattr(Master, TCSANOW, &t);
    }
    ~Pty()
    {
        ::close(Master);
        ::close(Slave);
    }
    QByteArray Read_Master(int n)
    {
        QByteArray b;
        while (b.size() < n) {
            char buf[256];
            ::fcntl(Master, F_SETFL, O_NONBLOCK);
            const ssize_t r = ::read(Master, buf, sizeof buf);
            if (r > 0)
                b.append(buf, r);
            else
                QThread::msleep(1);
        }
        return b;
    }
    void Write_Master(const QByteArray &b) { ASSERT_EQ(::write(Master, b.constData(), size_t(b.size())), b.size()); }

    int Master = -1, Slave = -1;
    QString Path;
};

// Makes the dispatcher reachable.
class TTestComm : public TComm
{
public:
    using TCustomComm::Dispatch_Events;
};

class CommTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(P.Path.isEmpty());
        C.SetDeviceName(P.Path);
    }
    Pty P;
    TTestComm C;
};

TEST(Comm, NewComponentHasItsDefaults)
{
    TComm c;
    EXPECT_EQ(c.DeviceName(), "Com2");
    EXPECT_EQ(c.BaudRate(), br9600);
    EXPECT_EQ(c.Parity(), paNone);
    EXPECT_EQ(c.Stopbits(), sb10);
    EXPECT_EQ(c.Databits(), da8);
    EXPECT_EQ(c.ReadTimeout(), 1000);
    EXPECT_EQ(c.WriteTimeout(), 1000);
    EXPECT_EQ(c.ReadBufSize(), 4096);
    EXPECT_EQ(c.WriteBufSize(), 2048);
    EXPECT_EQ(c.MonitorEvents(), 0x1FFu);
    EXPECT_EQ(c.EventChars().XonChar(), 17);
    EXPECT_EQ(c.EventChars().XoffChar(), 19);
    EXPECT_EQ(c.EventChars().ErrorChar(), 0);
    EXPECT_EQ(c.EventChars().EofChar(), 0);
    EXPECT_EQ(c.EventChars().EvtChar(), 0);
    EXPECT_EQ(c.FlowControl(), fcDefault);
    EXPECT_EQ(c.Options(), 0u);
    EXPECT_FALSE(c.Enabled());
    EXPECT_EQ(c.InQueCount(), -1);
    EXPECT_FALSE(c.CTS());
}

TEST(Comm, ErrorTextsCarryTheCode)
{
    EXPECT_STREQ(ECommError("Write error", 5).what(), "Write error (Error: 5) ");
    EXPECT_EQ(ECommError("Write error", 5).ErrorCode, 5);
    TComm c;
    EXPECT_THROW(c.SetDTRState(true), ECommError);
    try {
        c.SetRTSState(true);
    } catch (const ECommError &e) {
        EXPECT_STREQ(e.what(), "Port not open, unable to complete operation (Error: -1) ");
    }
}

TEST(Comm, DevicesThatAreNoSerialPorts)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("plain"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    struct Case { QString path; const char *text; int code; };
    for (const Case &c : {Case{file, "Invalid device handle, access denied (Error: -1) ", -1},
                          Case{dir.filePath(QStringLiteral("missing")),
                               "Error accessing specified device (Error: 2) ", ENOENT}}) {
        TComm comm;
        comm.SetDeviceName(c.path);
        try {
            comm.Open();
            ADD_FAILURE() << "opened " << c.path.toStdString();
        } catch (const ECommError &e) {
            EXPECT_STREQ(e.what(), c.text);
            EXPECT_EQ(e.ErrorCode, c.code);
        }
        EXPECT_FALSE(comm.Enabled());
    }
}

TEST_F(CommTest, SettingsChangedWhileClosedApplyAtOpen)
{
    C.SetBaudRate(br19200);
    EXPECT_EQ(C.DCB().BaudRate, 0u);
    C.Open();
    ASSERT_TRUE(C.Enabled());
    EXPECT_EQ(C.DCB().BaudRate, 19200u);
    EXPECT_EQ(C.DCB().ByteSize, 8);
    EXPECT_EQ(C.DCB().XonChar, 17);
    EXPECT_EQ(C.DCB().XonLim, 1024);
    termios t{};
    ASSERT_EQ(::tcgetattr(P.Slave, &t), 0);
    EXPECT_EQ(::cfgetospeed(&t), speed_t(B19200));
    // While open a change goes to the port at once.
    C.SetBaudRate(br4800);
    ASSERT_EQ(::tcgetattr(P.Slave, &t), 0);
    EXPECT_EQ(::cfgetospeed(&t), speed_t(B4800));
}

TEST_F(CommTest, SizingSettingsAreRefusedWhileOpen)
{
    C.Open();
    try {
        C.SetReadBufSize(8192);
        ADD_FAILURE() << "accepted";
    } catch (const ECommError &e) {
        EXPECT_STREQ(e.what(), "Port already assigned (open) (Error: -1) ");
        EXPECT_EQ(e.ErrorCode, -1);
    }
    EXPECT_NO_THROW(C.SetReadBufSize(4096));
    EXPECT_THROW(C.SetDeviceName(QStringLiteral("/dev/null")), ECommError);
    EXPECT_THROW(C.SetMonitorEvents(0), ECommError);
    EXPECT_THROW(C.Open(), ECommError);
    C.Close();
    EXPECT_NO_THROW(C.SetReadBufSize(8192));
}

TEST_F(CommTest, NoFlowControlLeavesBinaryAndTheOptions)
{
    C.Open();
    C.SetOptions(Comm_Bit(coParityCheck) | Comm_Bit(coNullStrip));
    C.SetFlowControl(fcNone);
    EXPECT_EQ(C.DCB().Flags, 0x0001u | 0x0002u | 0x0800u);
    C.SetFlowControl(fcSoftware);
    EXPECT_EQ(C.DCB().Flags, 0x0001u | 0x0002u | 0x0800u | 0x0100u | 0x0200u);
    C.SetOptions(0);
    EXPECT_EQ(C.DCB().Flags, 0x0001u | 0x0100u | 0x0200u);
}

TEST_F(CommTest, SettingThePortCannotTakeFailsAndTheNextOpenWorks)
{
    C.SetDatabits(da4);
    try {
        C.Open();
        ADD_FAILURE() << "opened";
    } catch (const ECommError &e) {
        EXPECT_EQ(std::string(e.what()).rfind("Error updating DataControlBlock", 0), 0u) << e.what();
    }
    EXPECT_FALSE(C.Enabled());
    C.SetDatabits(da8);
    C.Open();
    EXPECT_TRUE(C.Enabled());
}

TEST_F(CommTest, ReadsAndWrites)
{
    C.Open();
    char buf[64];
    EXPECT_EQ(C.Read(buf, sizeof buf), 0);
    EXPECT_EQ(C.Write("Qelvar", 6), 6);
    EXPECT_EQ(P.Read_Master(6), QByteArray("Qelvar"));
    P.Write_Master(QByteArray("\x10\x40\x05\x45\x16", 5));
    ASSERT_TRUE(Eventually([&] { return C.InQueCount() == 5; }));
    EXPECT_EQ(C.Read(buf, 3), 3);
    EXPECT_EQ(QByteArray(buf, 3), QByteArray("\x10\x40\x05", 3));
    EXPECT_EQ(C.Read(buf, sizeof buf), 2);
    EXPECT_EQ(C.InQueCount(), 0);
    EXPECT_EQ(C.OutQueCount(), 0);
}

TEST_F(CommTest, ReceivedCharactersAreReportedOnTheGuiThread)
{
    std::vector<int> counts;
    bool on_gui = true;
    C.OnRxChar = [&](TCustomComm *, int count) {
        counts.push_back(count);
        on_gui = on_gui && QThread::currentThread() == QCoreApplication::instance()->thread();
    };
    C.Open();
    P.Write_Master("abc");
    ASSERT_TRUE(Eventually([&] { return !counts.empty(); }));
    EXPECT_TRUE(on_gui);
    EXPECT_GT(counts.front(), 0);
    // Closing drops reports still on their way.
    P.Write_Master("d");
    C.Close();
    const size_t n = counts.size();
    QCoreApplication::processEvents();
    EXPECT_EQ(counts.size(), n);
}

TEST_F(CommTest, EventsAreDispatchedInTheirOrder)
{
    std::vector<std::string> order;
    auto note = [&order](const char *name) { return [&order, name](TCustomComm *) { order.push_back(name); }; };
    C.OnBreak = note("break");
    C.OnCts = note("cts");
    C.OnDsr = note("dsr");
    C.OnError = [&](TCustomComm *, int e) { order.push_back("error " + std::to_string(e)); };
    C.OnRing = note("ring");
    C.OnRlsd = note("rlsd");
    C.OnRxChar = [&](TCustomComm *, int n) { order.push_back("rx " + std::to_string(n)); };
    C.OnRxFlag = note("flag");
    C.OnTxEmpty = note("txempty");
    C.Dispatch_Events(Comm_Event_Mask(All_Comm_Events), 4, 7);
    EXPECT_EQ(order, (std::vector<std::string>{"break", "cts", "dsr", "error 4", "ring", "rlsd",
                                               "rx 7", "flag", "txempty"}));
    order.clear();
    C.OnCts = nullptr;
    C.Dispatch_Events(Comm_Event_Bit::Cts | Comm_Event_Bit::RxChar | Comm_Event_Bit::TxEmpty, 0, 0);
    EXPECT_EQ(order, (std::vector<std::string>{"txempty"}));
}

class Fake_Ports : public ICOM_Port_Probe
{
public:
    QStringList Device_Names() override { return {QStringLiteral("ttyUSB0"), QStringLiteral("ttyS3")}; }
    int Open_Error(const QString &) override { return 0; }
};

TEST(Comm, DeviceNamesMapToPaths)
{
    Fake_Ports ports;
    Set_COM_Port_Probe(&ports);
    EXPECT_EQ(TCustomComm::Device_Path(QStringLiteral("\\\\.\\COM1")), "/dev/ttyS3");
    EXPECT_EQ(TCustomComm::Device_Path(QStringLiteral("\\\\.\\COM2")), "/dev/ttyUSB0");
    EXPECT_EQ(TCustomComm::Device_Path(QStringLiteral("\\\\.\\/dev/pts/4")), "/dev/pts/4");
    EXPECT_EQ(TCustomComm::Device_Path(QStringLiteral("/dev/pts/4")), "/dev/pts/4");
    Set_COM_Port_Probe(nullptr);
}

} // namespace

namespace {

// A wired scan on a serial port: no gateway commands, the frames go out on the line and,
// with no receive path, every wait runs into its time-out.
TEST(CommScan, SerialScanWritesItsFramesAndHearsNothing)
{
    Pty p;
    ASSERT_FALSE(p.Path.isEmpty());
    TMBusScanDecode engine(nullptr, false);
    TMBus_Object_List wired, wireless;
    engine.Wired_List = &wired;
    engine.Wireless_List = &wireless;
    uint32_t tick = 0;
    engine.Tick_Count = [&] { return tick; };
    engine.Sleep = [&](uint32_t ms) { tick += ms; };
    std::vector<int> addresses;
    ASSERT_TRUE(engine.Start_Scan(saPrimaryAddress, shSerial, p.Path, 2400, 1, false, false, 0,
                                  false, 0, 0, [&](int k, int v, int, int) {
                                      if (k == 2)
                                          addresses.push_back(v);
                                  }));
    EXPECT_TRUE(engine.Comm().Enabled());
    EXPECT_EQ(engine.Comm().BaudRate(), br115200);
    for (int i = 0; i < 100000 && addresses.size() < 2; ++i)
        engine.Loop_Pass();
    // Read before the scan ends: closing the port discards what the line has not taken.
    const QByteArray line = p.Read_Master(15);
    engine.Abort_Scan();
    for (int i = 0; i < 100 && engine.InScan(); ++i)
        engine.Loop_Pass();
    EXPECT_FALSE(engine.InScan());
    EXPECT_FALSE(engine.Comm().Enabled());
    EXPECT_EQ(addresses, (std::vector<int>{0, 1}));
    EXPECT_EQ(line, QByteArray::fromHex("1040FF3F16" "107B007B16" "107B017C16"));
}

} // namespace
