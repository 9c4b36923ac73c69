// The wireless scan's state machine: configuration mode, the radio module's type, its set-up
// for the chosen mode (AT S-register commands or one-byte commands), listening, the key
// registrations made while listening, and the way back out of configuration mode.
#include "mbus/mbusscandecode.h"

#include <algorithm>

namespace {

constexpr uint8_t Prompt = 0x3E;
constexpr int Prompt_Block = 257;          // the module's answer to "0"
constexpr int Key_Table_Size = 64;

enum : int {
    St_Telit = 100,
    St_Telit_ATO = 132,
    St_Telit_Listen = 134,
    St_Telit_Key = 200,
    St_RC = 300,
    St_RC_Erase = 310,
    St_RC_Exit = 318,
    St_RC_Listen = 320,
    St_RC_Key = 400,
    St_End = 500,
    St_Finish = 503,
};

QByteArray Cr(const QString &s)
{
    return (s + QLatin1Char('\r')).toLatin1();
}

QByteArray Byte(uint8_t b)
{
    return QByteArray(1, char(b));
}

// Modes N1 and N2 leave out some registers.
bool N_Mode(int mode)
{
    return mode == 15 || mode == 17;
}

} // namespace

void TMBusScanDecode::Scan_Decode_Wireless()
{
    if (FAbortScan || FStopScan)
        Step_Scan = St_End;
    const int step = Step_Scan;
    // A serial scan has no receive path: nothing is sent until the scan is ended.
    if (Select_Hardware == shSerial && step < St_End)
        return;
    const uint32_t T = TimeOut_Command();
    switch (step) {
    case 0:
        Wireless_Receive_Message = false;
        FResult = 1;
        TimeOut_Calc = T;
        Step_Scan = 1;
        Send_Command(MBus_Text::Enable_Configuration, Port_Wireless);
        break;
    case 1:
        Wait_Answer(MBus_Text::Configuration_Enabled, 2);
        break;
    case 2:
        FResult = 1;
        TimeOut_Calc = T;
        Step_Scan = 3;
        Send_Command(MBus_Text::Type_Radio_Module, Port_Wireless);
        break;
    case 3: {
        const std::lock_guard<std::mutex> hold(Answer_Lock);
        if (Arrived()) {
            if (Is_Answer(MBus_Text::Radio_Telit)) {
                RadioModule = rmTelit;
                Step_Scan = St_Telit;
            } else if (Is_Answer(MBus_Text::Radio_RadioCrafts)) {
                RadioModule = rmRadioCrafts;
                Step_Scan = St_RC;
            } else {
                Fail_Wireless();
            }
        } else if (Answer_Timed_Out()) {
            Fail_Wireless();
        }
        break;
    }
    case St_Telit_Listen:
    case St_RC_Listen:
        break;
    case St_End:
        Count_Disable_Analyzer = 0;
        FAbortScan = false;
        FStopScan = false;
        Step_Scan = 501;
        break;
    case 501:
        if (Select_Hardware == shSerial || Count_Disable_Analyzer > 2) {
            Step_Scan = St_Finish;
        } else {
            ++Count_Disable_Analyzer;
            TimeOut_Calc = T;
            Step_Scan = 502;
            Send_Command(MBus_Text::Disable_Configuration, Port_Wireless);
        }
        break;
    case 502: {
        const std::lock_guard<std::mutex> hold(Answer_Lock);
        if (Arrived())
            Step_Scan = Is_Answer(MBus_Text::Configuration_Disabled) ? St_Finish : 501;
        else if (Answer_Timed_Out())
            Step_Scan = 501;
        break;
    }
    case St_Finish:
        Wireless_Receive_Message = false;
        Close_Transport();
        if (!SaveXMLFile.isEmpty()) {
            try {
                Save_Wireless_XML_File_DLL();
            } catch (const std::exception &e) {
                // The scan still ends; its caller learns why the dump is missing.
                SaveXMLFile_Error = QString::fromStdString(e.what());
            }
        }
        FInScan = false;
        break;
    default:
        if (step >= St_Telit && step < St_RC)
            Telit_Step(step);
        else if (step >= St_RC && step < St_End)
            RadioCrafts_Step(step);
        break;
    }
}

void TMBusScanDecode::Fail_Wireless()
{
    FResult = 2;
    Step_Scan = St_End;
}

// Waiting state: the expected answer moves on; any other answer or a time-out fails.
void TMBusScanDecode::Wait_Answer(const QByteArray &expected, int next)
{
    const std::lock_guard<std::mutex> hold(Answer_Lock);
    if (Arrived()) {
        if (Ans_Len == expected.size()
            && std::equal(expected.begin(), expected.end(), Ans_Array.begin(),
                          [](char e, uint8_t a) { return uint8_t(e) == a; }))
            Step_Scan = next;
        else
            Fail_Wireless();
    } else if (Answer_Timed_Out()) {
        Fail_Wireless();
    }
}

// The RadioCrafts prompt: exactly the byte 0x3E, or any answer that begins with it.
void TMBusScanDecode::Wait_Prompt(int next, bool first_byte_only)
{
    const std::lock_guard<std::mutex> hold(Answer_Lock);
    if (Arrived()) {
        const bool ok = first_byte_only ? Ans_Len >= 1 && Ans_Array[0] == Prompt
                                        : Ans_Len == 1 && Ans_Array[0] == Prompt;
        if (ok)
            Step_Scan = next;
        else
            Fail_Wireless();
    } else if (Answer_Timed_Out()) {
        Fail_Wireless();
    }
}

// Any answer or a time-out moves on.
void TMBusScanDecode::Wait_Either(int next)
{
    if (Arrived() || Answer_Timed_Out())
        Step_Scan = next;
}

TSlave_wMBus *TMBusScanDecode::Key_Meter()
{
    if (Wireless_Key_Index < 0 || Wireless_Key_Index >= int(Wireless_List->size()))
        return nullptr;
    return dynamic_cast<TSlave_wMBus *>((*Wireless_List)[size_t(Wireless_Key_Index)].get());
}

void TMBusScanDecode::Telit_Step(int state)
{
    const QByteArray OK = QByteArrayLiteral("OK\r");
    if (state % 2 == 1) {
        // Waiting state of sending state state - 1.
        const int sent = state - 1;
        int next = 0;
        switch (sent) {
        case 110: next = N_Mode(wMBusMode) ? 114 : 112; break;
        case 122: next = N_Mode(wMBusMode) ? 126 : 124; break;
        case 128: next = N_Mode(wMBusMode) ? 132 : 130; break;
        case 130: next = St_Telit_ATO; break;
        case St_Telit_ATO: next = St_Telit_Listen; break;
        case 216: next = 218; break;
        case 218: next = Index_Key_Send + 1 < 16 ? 218 : 220; break;
        case 220: next = St_Telit_ATO; break;
        default: next = sent + 2; break;
        }
        const int before = Step_Scan;
        Wait_Answer(OK, next);
        if (before != Step_Scan && Step_Scan == next) {
            if (sent == St_Telit_ATO)
                Wireless_Receive_Message = true;
            else if (sent == 216 || sent == 220)
                Index_Key_Send = 0;
            else if (sent == 218)
                ++Index_Key_Send;
        }
        return;
    }

    QString cmd;
    auto reg = [](int r, int v) { return QStringLiteral("ATS%1=%2").arg(r).arg(v); };
    if (state >= St_Telit_Key) {
        uint16_t man = 0;
        uint32_t address = 0;
        uint8_t version = 0, device = 0;
        {
            const std::lock_guard<std::mutex> hold(Results_Lock);
            if (const TSlave_wMBus *m = Key_Meter()) {
                man = m->ALA_Manufacturer;
                address = uint32_t(m->ALA_Address);
                version = m->ALA_Version;
                device = m->ALA_DeviceType;
            }
        }
        switch (state) {
        case 200:
            Wireless_Receive_Message = false;
            break;
        case 202: cmd = reg(461, man & 0xFF); break;
        case 204: cmd = reg(462, man >> 8); break;
        case 206: case 208: case 210: case 212:
            cmd = reg(463 + (state - 206) / 2, int(address >> (8 * ((state - 206) / 2)) & 0xFF));
            break;
        case 214: cmd = reg(467, version); break;
        case 216: cmd = reg(468, device); break;
        case 218:
            cmd = reg(470 + Index_Key_Send, Wireless_Key[size_t(std::clamp(Index_Key_Send, 0, 15))]);
            break;
        case 220: cmd = reg(460, 5); break;
        default: return;
        }
    } else {
        switch (state) {
        case 100: break;
        case 102: cmd = QStringLiteral("ATR"); break;
        case 104: cmd = reg(400, wMBusMode); break;
        case 106: cmd = reg(401, 0); break;
        case 108: cmd = reg(402, 191); break;
        case 110: cmd = reg(420, wMBusRadioChannel); break;
        case 112: cmd = reg(421, 0); break;
        case 114: cmd = reg(422, 3); break;
        case 116: cmd = reg(430, 5); break;
        case 118: cmd = reg(431, 5); break;
        case 120: cmd = reg(440, 0); break;
        case 122: cmd = reg(441, 0); break;
        case 124: cmd = reg(442, 0); break;
        case 126: cmd = reg(452, 0); break;
        case 128: cmd = reg(453, 0); break;
        case 130: cmd = reg(454, 0); break;
        case St_Telit_ATO: cmd = QStringLiteral("ATO"); break;
        default: return;
        }
    }
    TimeOut_Calc = TimeOut_Command();
    Step_Scan = state + 1;
    // "+++" (states 100 and 200) goes without CR.
    Send_Command(cmd.isEmpty() ? QByteArrayLiteral("+++") : Cr(cmd), Port_Wireless);
}

void TMBusScanDecode::Build_RadioCrafts_Config()
{
    uint8_t mode = 0x03;
    switch (wMBusMode) {
    case 5: mode = 0x01; break;
    case 11: mode = 0x0A; break;
    case 15: mode = 0x11; break;
    case 17: mode = 0x10; break;
    default: break;
    }
    Req_Array = {0x03, mode, 0x04, 0x00, 0x05, 0x01, 0x12, 0x01,
                 0x16, 0x17, 0x3A, 0x01, 0x3D, 0x02, 0x37, 0x01};
}

void TMBusScanDecode::Build_Zero_Address()
{
    Req_Array.assign(8, 0x00);
}

void TMBusScanDecode::Build_RadioCrafts_Address()
{
    Req_Array.assign(8, 0x00);
    const std::lock_guard<std::mutex> hold(Results_Lock);
    if (const TSlave_wMBus *m = Key_Meter()) {
        const uint32_t a = uint32_t(m->ALA_Address);
        Req_Array = {uint8_t(a), uint8_t(a >> 8), uint8_t(a >> 16), uint8_t(a >> 24),
                     uint8_t(m->ALA_Manufacturer), uint8_t(m->ALA_Manufacturer >> 8),
                     m->ALA_Version, m->ALA_DeviceType};
    }
}

void TMBusScanDecode::Build_RadioCrafts_Key()
{
    Req_Array.assign(16, 0x00);
    const std::lock_guard<std::mutex> hold(Results_Lock);
    if (const TSlave_wMBus *m = Key_Meter())
        Req_Array.assign(m->Key.begin(), m->Key.end());
}

void TMBusScanDecode::RadioCrafts_Step(int state)
{
    const uint32_t T = TimeOut_Command();
    const uint32_t T500 = uint32_t(Add_TimeOut) + 500;
    const uint32_t T100 = uint32_t(Add_TimeOut) + 100;
    auto send = [this, state](uint32_t timeout, const QByteArray &bytes) {
        TimeOut_Calc = timeout;
        Step_Scan = state + 1;
        Send_Command(bytes, Port_Wireless);
    };
    auto send_req = [this, state](uint32_t timeout) {
        TimeOut_Calc = timeout;
        Step_Scan = state + 1;
        Send_Command(Port_Wireless);
    };
    int position = 0;
    if (state >= St_RC_Key) {
        const std::lock_guard<std::mutex> hold(Results_Lock);
        if (const TSlave_wMBus *m = Key_Meter())
            position = m->RadioCrafts_Ind_Tab_Decript;
    }
    switch (state) {
    case 300:
        Index_RadioCrafts_Position_Used = 1;
        send(T, Byte(0x00));
        break;
    case 301: Wait_Prompt(302); break;
    case 302: send(T, "0"); break;
    case 303: {
        const std::lock_guard<std::mutex> hold(Answer_Lock);
        if (Arrived()) {
            if (Ans_Len == Prompt_Block && Ans_Array[Prompt_Block - 1] == Prompt)
                Step_Scan = 304;
            else
                Fail_Wireless();
        } else if (Answer_Timed_Out()) {
            Fail_Wireless();
        }
        break;
    }
    case 304: send(T, "M"); break;
    case 305: Wait_Prompt(306); break;
    case 306:
        Build_RadioCrafts_Config();
        send_req(T500);
        break;
    case 307: Wait_Either(308); break;
    case 308: send(T, Byte(0xFF)); break;
    case 309:
        Wait_Prompt(St_RC_Erase);
        if (Step_Scan == St_RC_Erase)
            Index_RadioCrafts_Erase_Position = 0;
        break;
    case St_RC_Erase:
        if (Index_RadioCrafts_Erase_Position >= Key_Table_Size)
            Step_Scan = St_RC_Exit;
        else
            send(T, "B");
        break;
    case 311: Wait_Prompt(313); break;
    case 312:
        Index_RadioCrafts_Erase_Position = 0;
        Step_Scan = 313;
        break;
    case 313:
        ++Index_RadioCrafts_Erase_Position;
        Step_Scan = 314;
        break;
    case 314: send(T100, Byte(uint8_t(Index_RadioCrafts_Erase_Position))); break;
    case 315: Wait_Either(316); break;
    case 316:
        Build_Zero_Address();
        send_req(T);
        break;
    case 317: Wait_Prompt(St_RC_Erase, true); break;
    case St_RC_Exit: send(T, "X"); break;
    case 319:
        Wireless_Receive_Message = true;
        Step_Scan = St_RC_Listen;
        break;

    // --- key registration ---
    case 400:
        Wireless_Receive_Message = false;
        send(T, Byte(0x00));
        break;
    case 401: Wait_Prompt(402); break;
    case 402: send(T, "B"); break;
    case 403: Wait_Prompt(404); break;
    case 404: send(T100, Byte(uint8_t(position))); break;
    case 405: Wait_Either(406); break;
    case 406:
        Build_RadioCrafts_Address();
        send_req(T);
        break;
    case 407: Wait_Prompt(408, true); break;
    case 408: send(T, "K"); break;
    case 409: Wait_Prompt(410); break;
    case 410: send(T100, Byte(uint8_t(position))); break;
    case 411: Wait_Either(412); break;
    case 412:
        Build_RadioCrafts_Key();
        send_req(T);
        break;
    case 413: Wait_Prompt(414, true); break;
    case 414: send(T, "A"); break;
    case 415: Wait_Prompt(416); break;
    case 416: send(T100, Byte(uint8_t(position))); break;
    case 417: Wait_Either(418); break;
    case 418: send(T, QByteArray("\x00\x40", 2)); break;
    case 419: Wait_Prompt(St_RC_Exit); break;
    default: break;
    }
}
