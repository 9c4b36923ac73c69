#pragma once
// The M-Bus scan thread: switches the gateway into analyzer or configuration mode, polls or
// searches the wired line, listens to wireless meters, registers their keys in the radio
// module and takes the gateway out of those modes again. Flat numbered state machines, one
// step per loop pass; every wait polls an answer flag against a millisecond time-out.
//
// Threads: the scan thread runs the steps; the transport's receive thread files answers
// (UDP_Read) and decodes wireless telegrams; the window's thread starts, stops and polls.
// Flags are atomic, the answer buffer is written and read under Answer_Lock and published
// before Answer_Arrived, the wireless list is guarded by Results_Lock. Callbacks run on the
// scan or the receive thread; the caller marshals them to its own.
#include "mbus/commobjs.h"
#include "mbus/mbus_codec.h"
#include "mbus/mbus_scan_writers.h"
#include "mbus/mbus_transport.h"

#include <QString>
#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

class TComm;

// Kind, Value, Found, Mode: (1,0,0,m) start, (2,a,f,m) one address or meter, (3,0,0,m) end.
using TUpdate_Slave_List = std::function<void(int, int, int, int)>;

class TMBusScanDecode : public TMBusScanCodec
{
public:
    // transport: the UDP endpoint (a real one when null). Run_Thread false leaves the loop to
    // the caller (Loop_Pass), as tests do in virtual time.
    explicit TMBusScanDecode(std::unique_ptr<IMBusTransport> transport = nullptr,
                             bool Run_Thread = true);
    ~TMBusScanDecode() override;

    // --- control ---
    bool Exit() const { return FExit; }
    bool InScan() const { return FInScan; }
    int Result() const { return FResult; }
    bool StopScan() const { return FStopScan; }
    bool AbortScan() const { return FAbortScan; }

    bool Start_Scan(TScanType ScanT, TSelectHard SelHard, const QString &IP_COM, int Baud,
                    int Par, bool AppReset, bool SNDNKE, int CutAfter, bool FixCField,
                    int FixCFieldValue, int RemoteTimeout, TUpdate_Slave_List Proc_Slave_List);
    // Throws EMBusTransportError when the wireless port cannot be bound; no scan starts then.
    bool Start_Scan_Wireless(TSelectHard SelHard, const QString &IP_COM, uint16_t Port,
                             int wMBus_Mode, int wMBus_Radio_Channel, int RemoteTimeout,
                             std::function<void(int, TSlave_wMBus *)> Proc_Wireless,
                             bool FromDLL);
    void Stop_Scan() { FStopScan = true; }
    void Abort_Scan() { FAbortScan = true; }
    bool Insert_Wireless_Key(int Index, const std::array<uint8_t, 16> &Key);

    // Writers over this engine's result lists.
    bool Save_XML_Conf_Wired(const TSaveConfXML &DataIn, bool Check_BCD,
                             const TMBus_Node_Checked &checked = {});
    bool Save_XML_Conf_Wireless(const TSaveConfXML &DataIn, bool Check_BCD,
                                const TMBus_Node_Checked &checked = {});
    void Save_XML_File_DLL();
    void Save_Wireless_XML_File_DLL();

    // One pass of the thread's loop: a step when scanning, then the loop's pause.
    void Loop_Pass();
    // One step of the running scan's state machine.
    void Scan_Step();

    // The datagram handler of the transport (runs on the receive thread).
    void UDP_Read(const QByteArray &data);

    // --- parameters (the Part's values by default) ---
    uint16_t Gateway_Port = 10000;       // analyzer commands and wired frames
    int Local_Wireless_Port = -1;        // local binding of a wireless scan; -1: its port
    std::function<void(uint32_t)> Sleep; // pauses and loop waits

    TEvent Event_Run{true, false, QStringLiteral("EVENT_SCAN_DECODE_MBUS")};
    IMBusTransport &UDP_Server() { return *udp_; }
    TComm &Comm() { return *comm_; }

    // --- scan choice and options ---
    TScanType ScanType = saPrimaryAddress;
    TSelectHard Select_Hardware = shEthernet;
    TRadioModule RadioModule = rmTelit;
    std::atomic<int> Step_Scan{0};
    QString IP_Address;
    QString ComPort;
    uint16_t Port_Wireless = 0;
    bool App_Reset = false;
    bool SND_NKE = false;
    int Cut_After = 0;
    int wMBusMode = 0;
    int wMBusRadioChannel = 0;
    std::atomic<bool> Answer_Arrived{false};
    TUpdate_Slave_List Update_Slave_List;
    QString SaveXMLFile;
    // Why the last scan's dump could not be written; empty when it was (or none was asked).
    // Read it once InScan() is false.
    QString SaveXMLFile_Error;

    // --- wired progress ---
    int ID_Dev_Primary = -1;
    bool ID_Dev_Found = false;
    int Num_Frame_Read = 0;
    int Index_Device = -1;
    int Sec_Add_Next_Step = 0;
    int Phase_Scan_Sec_Add = 0;
    int Count_Disable_Analyzer = 0;
    bool Enable_Send_In_Last_Step = false;
    int Type_To_Send_In_Last_Step = 0;

    // --- wireless progress ---
    std::atomic<bool> Wireless_Receive_Message{false};
    std::array<uint8_t, 16> Wireless_Key{};
    int Wireless_Key_Index = -1;
    int Index_Key_Send = 0;
    int Index_RadioCrafts_Erase_Position = 0;
    int Index_RadioCrafts_Position_Used = 1;

    // Guards Ans_Array and Ans_Len between the receive thread and the scan thread.
    std::mutex Answer_Lock;

    void Send_Command(const QByteArray &cmd, uint16_t Port);
    void Send_Command(uint16_t Port);    // Req_Array

private:
    void Execute();
    void Notify_Slave_List(int Kind, int Value, int Found, int Mode);
    void Pause(uint32_t ms) { Sleep(ms); }
    bool Arrived() const { return Answer_Arrived.load(std::memory_order_acquire); }
    void Close_Transport();

    // Wired
    void Scan_Decode();
    void Wait_Slave_Frame(bool secondary);
    int &Digit(int k);
    void Select_Digit(int k);
    void Wait_Selection(int k);

    // Wireless
    void Scan_Decode_Wireless();
    void Telit_Step(int state);
    void RadioCrafts_Step(int state);
    void Wait_Answer(const QByteArray &expected, int next);
    void Wait_Prompt(int next, bool first_byte_only = false);
    void Wait_Either(int next);
    void Fail_Wireless();
    TSlave_wMBus *Key_Meter();
    void Build_RadioCrafts_Config();
    void Build_Zero_Address();
    void Build_RadioCrafts_Address();
    void Build_RadioCrafts_Key();

    std::atomic<bool> FExit{false};
    std::atomic<bool> FInScan{false};
    std::atomic<int> FResult{-1};
    std::atomic<bool> FStopScan{false};
    std::atomic<bool> FAbortScan{false};

    std::unique_ptr<IMBusTransport> udp_;
    std::unique_ptr<TComm> comm_;
    std::thread thread_;
};
