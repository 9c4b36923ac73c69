#include "mbus/mbusscandecode.h"

#include "mbus/commint.h"

#include <chrono>

namespace {

constexpr int Remote_TimeOut = 10000;

} // namespace

TMBusScanDecode::TMBusScanDecode(std::unique_ptr<IMBusTransport> transport, bool Run_Thread)
    : udp_(transport ? std::move(transport) : std::make_unique<TMBusUdpEndpoint>()),
      comm_(std::make_unique<TComm>())
{
    Sleep = [](uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); };
    udp_->On_Read = [this](const QByteArray &data) { UDP_Read(data); };
    comm_->SetBaudRate(br115200);
    comm_->SetDatabits(da8);
    comm_->SetFlowControl(fcNone);
    comm_->SetParity(paNone);
    comm_->SetStopbits(sb10);
    comm_->SetReadBufSize(4096);
    comm_->SetWriteBufSize(4096);
    comm_->OnRxChar = [](TCustomComm *, int) {};   // the serial scan has no receive path
    Event_Run.ResetEvent();
    if (Run_Thread)
        thread_ = std::thread([this] { Execute(); });
}

TMBusScanDecode::~TMBusScanDecode()
{
    FExit = true;
    Event_Run.SetEvent();
    if (thread_.joinable())
        thread_.join();
    // Deactivating waits for the receive thread, so no datagram reaches a half-destroyed engine.
    Close_Transport();
    udp_->On_Read = nullptr;
}

void TMBusScanDecode::Execute()
{
    while (!FExit) {
        Loop_Pass();
        Event_Run.WaitFor(TEvent::Infinite);
    }
}

void TMBusScanDecode::Loop_Pass()
{
    if (FInScan) {
        Scan_Step();
        Sleep(40);
    } else {
        Sleep(10);
    }
}

void TMBusScanDecode::Scan_Step()
{
    if (!FInScan)
        return;
    if (MBusType == mtWireless)
        Scan_Decode_Wireless();
    else
        Scan_Decode();
}

bool TMBusScanDecode::Start_Scan(TScanType ScanT, TSelectHard SelHard, const QString &IP_COM,
                                 int Baud, int Par, bool AppReset, bool SNDNKE, int CutAfter,
                                 bool FixCField, int FixCFieldValue, int RemoteTimeout,
                                 TUpdate_Slave_List Proc_Slave_List)
{
    if (FInScan)
        return false;
    Update_Slave_List = std::move(Proc_Slave_List);
    MBusType = mtWired;
    ScanType = ScanT;
    Select_Hardware = SelHard;
    ComPort.clear();
    IP_Address.clear();
    (SelHard == shSerial ? ComPort : IP_Address) = IP_COM;
    Baudrate = Baud;
    Parity = Par;
    App_Reset = AppReset;
    SND_NKE = SNDNKE;
    Cut_After = CutAfter;
    Fix_C_Field = FixCField;
    Fix_C_Field_Value = uint8_t(FixCFieldValue);
    Add_TimeOut = RemoteTimeout != 0 ? Remote_TimeOut : 0;
    if (SelHard == shSerial) {
        comm_->SetDeviceName(ComPort);
        comm_->Open();
    } else {
        udp_->Activate();
    }
    Step_Scan = 0;
    SaveXMLFile_Error.clear();
    FStopScan = false;
    FAbortScan = false;
    FInScan = true;
    return true;
}

bool TMBusScanDecode::Start_Scan_Wireless(TSelectHard SelHard, const QString &IP_COM,
                                          uint16_t Port, int wMBus_Mode,
                                          int wMBus_Radio_Channel, int RemoteTimeout,
                                          std::function<void(int, TSlave_wMBus *)> Proc_Wireless,
                                          bool FromDLL)
{
    if (FInScan)
        return false;
    UpdateListWirelessSlave = std::move(Proc_Wireless);
    MBusType = mtWireless;
    Select_Hardware = SelHard;
    IP_Address = IP_COM;
    wMBusMode = wMBus_Mode;
    wMBusRadioChannel = wMBus_Radio_Channel;
    Port_Wireless = Port;
    Add_TimeOut = RemoteTimeout != 0 ? Remote_TimeOut : 0;
    Wireless_Receive_Message = false;
    From_DLL = FromDLL;
    if (SelHard == shSerial) {
        comm_->SetDeviceName(ComPort);
        comm_->Open();
    } else {
        const uint16_t local = Local_Wireless_Port >= 0 ? uint16_t(Local_Wireless_Port) : Port;
        bool bound = false;
        for (uint16_t b : udp_->Bindings())
            bound = bound || b == local;
        if (!bound) {
            udp_->Deactivate();
            udp_->Set_Binding(local);
        }
        if (!udp_->Active())
            udp_->Activate();
    }
    New_Frame_Wireless = false;
    Step_Scan = 0;
    SaveXMLFile_Error.clear();
    FStopScan = false;
    FAbortScan = false;
    FInScan = true;
    return true;
}

void TMBusScanDecode::Send_Command(const QByteArray &cmd, uint16_t Port)
{
    Answer_Arrived = false;
    try {
        if (Select_Hardware == shSerial)
            comm_->Write(cmd.constData(), int(cmd.size()));
        else
            udp_->Send(IP_Address, Port, cmd);
    } catch (const std::exception &) {
        // A failed send is no answer: the wait runs into its time-out.
    }
    Mark_Send();
}

void TMBusScanDecode::Send_Command(uint16_t Port)
{
    Send_Command(QByteArray(reinterpret_cast<const char *>(Req_Array.data()),
                            qsizetype(Req_Array.size())),
                 Port);
}

void TMBusScanDecode::UDP_Read(const QByteArray &data)
{
    const std::lock_guard<std::mutex> hold(Answer_Lock);
    Set_Answer(data);
    if (MBusType == mtWireless && Wireless_Receive_Message) {
        if (Is_Wireless_Telegram(Ans_Array.data(), Ans_Len, RadioModule))
            Decode_Wireless_Frame(RadioModule);
        return;
    }
    Answer_Arrived.store(true, std::memory_order_release);
}

void TMBusScanDecode::Notify_Slave_List(int Kind, int Value, int Found, int Mode)
{
    if (!Update_Slave_List)
        return;
    try {
        Update_Slave_List(Kind, Value, Found, Mode);
    } catch (...) {
        // The status display must not stop the scan.
    }
}

void TMBusScanDecode::Close_Transport()
{
    try {
        comm_->Close();
    } catch (const std::exception &) {
    }
    udp_->Deactivate();
}

bool TMBusScanDecode::Insert_Wireless_Key(int Index, const std::array<uint8_t, 16> &Key)
{
    Wireless_Key = Key;
    bool full = false;
    {
        const std::lock_guard<std::mutex> hold(Results_Lock);
        TSlave_wMBus *m = nullptr;
        if (Index >= 0 && Index < int(Wireless_List->size()))
            m = dynamic_cast<TSlave_wMBus *>((*Wireless_List)[size_t(Index)].get());
        if (!m)
            return false;
        if (RadioModule == rmRadioCrafts && m->RadioCrafts_Ind_Tab_Decript <= 0) {
            if (Index_RadioCrafts_Position_Used > 64)
                full = true;
            else
                m->RadioCrafts_Ind_Tab_Decript = Index_RadioCrafts_Position_Used++;
        }
        Wireless_Key_Index = Index;
        if (full)
            return false;
        // Only the listening state is left for a registration; a stop that came first wins.
        int listening = RadioModule == rmTelit ? 134 : 320;
        if (!Step_Scan.compare_exchange_strong(listening, RadioModule == rmTelit ? 200 : 400))
            return false;
        m->Enable_Key = true;
        m->Key = Key;
    }
    return true;
}

bool TMBusScanDecode::Save_XML_Conf_Wired(const TSaveConfXML &DataIn, bool Check_BCD,
                                          const TMBus_Node_Checked &checked)
{
    return ::Save_XML_Conf_Wired(*Wired_List, DataIn, Check_BCD, checked);
}

bool TMBusScanDecode::Save_XML_Conf_Wireless(const TSaveConfXML &DataIn, bool Check_BCD,
                                             const TMBus_Node_Checked &checked)
{
    const std::lock_guard<std::mutex> hold(Results_Lock);
    return ::Save_XML_Conf_Wireless(*Wireless_List, DataIn, Check_BCD, checked);
}

void TMBusScanDecode::Save_XML_File_DLL()
{
    ::Save_XML_File_DLL(*Wired_List, SaveXMLFile);
}

void TMBusScanDecode::Save_Wireless_XML_File_DLL()
{
    const std::lock_guard<std::mutex> hold(Results_Lock);
    ::Save_Wireless_XML_File_DLL(*Wireless_List, SaveXMLFile);
}
