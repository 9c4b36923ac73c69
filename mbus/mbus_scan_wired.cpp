// The wired scan's state machine: analyzer mode and line settings, the primary poll of
// addresses 0..250 or the secondary search of the identification-number space, the read-out
// of each slave that answers, and the way back out of analyzer mode.
#include "mbus/mbusscandecode.h"

#include "mbus/commint.h"

#include <algorithm>

namespace {

constexpr int First_Primary = 0;
constexpr int Last_Primary = 250;
constexpr uint8_t A_Selected = 253;
constexpr uint8_t A_Broadcast = 255;
constexpr uint32_t Primary_Pause = 500;
constexpr uint32_t Secondary_Pause = 800;

// States named where the machine jumps to them from elsewhere.
enum : int {
    St_Primary = 2,
    St_Next_Address = 4,
    St_Reset = 5,
    St_SND_NKE = 7,
    St_Read = 9,
    St_Secondary = 100,
    St_Select_A = 108,           // selection of digit k: 108 + 2k, its wait 109 + 2k
    St_Sec_Read = 124,
    St_End = 200,
    St_Finish = 203,
};

int Select_State(int k) { return St_Select_A + 2 * k; }

QByteArray Text(const char *t) { return QByteArray(t); }

} // namespace

int &TMBusScanDecode::Digit(int k)
{
    int *const d[8] = {&Index_A, &Index_B, &Index_C, &Index_D,
                       &Index_E, &Index_F, &Index_G, &Index_H};
    return *d[k];
}

void TMBusScanDecode::Scan_Decode()
{
    if (FAbortScan)
        Step_Scan = St_End;
    const bool serial = Select_Hardware == shSerial;
    const bool secondary = ScanType == saSecondaryAddress;
    const int after_setup = secondary ? St_Secondary : St_Primary;
    const int step = Step_Scan;
    switch (step) {
    case 0:
        Enable_Send_In_Last_Step = false;
        FResult = 1;
        if (serial) {
            Step_Scan = after_setup;
        } else {
            TimeOut_Calc = TimeOut_Command();
            Step_Scan = 1;
            Send_Command(Text(MBus_Text::Enable_Analyzer), Gateway_Port);
        }
        break;
    case 1:
    case 301: {
        const std::lock_guard<std::mutex> hold(Answer_Lock);
        const char *expected = step == 1 ? MBus_Text::Analyzer_Enabled : MBus_Text::Baud_Done;
        if (Arrived()) {
            if (Is_Answer(expected)) {
                if (step == 1)
                    ID_Dev_Primary = -1;
                Step_Scan = step == 1 ? 300 : after_setup;
            } else {
                FResult = 2;
                Step_Scan = St_End;
            }
        }
        if (Answer_Timed_Out()) {
            FResult = 2;
            Step_Scan = St_End;
        }
        break;
    }
    case 300:
        FResult = 1;
        if (serial) {
            Step_Scan = after_setup;
        } else {
            TimeOut_Calc = TimeOut_Command();
            Step_Scan = 301;
            Build_Gateway_Baud_Command();
            Send_Command(Gateway_Port);
        }
        break;

    // --- primary scan ---
    case St_Primary:
        TimeOut_Calc = TimeOut_Frame();
        ID_Dev_Primary = -1;
        Notify_Slave_List(1, 0, 0, 1);
        Pause(Primary_Pause);
        Build_SND_NKE(A_Broadcast);
        Step_Scan = 3;
        Send_Command(Gateway_Port);
        break;
    case 3: {
        const std::lock_guard<std::mutex> hold(Answer_Lock);
        if (Arrived() || Answer_Timed_Out())
            Step_Scan = St_Next_Address;
        break;
    }
    case St_Next_Address:
        TimeOut_Calc = TimeOut_Frame();
        Num_Frame_Read = 0;
        ++ID_Dev_Primary;
        if (ID_Dev_Primary > Last_Primary || FStopScan) {
            Type_To_Send_In_Last_Step = 1;
            Enable_Send_In_Last_Step = true;
            FResult = 1;
            Step_Scan = St_End;
        } else {
            Step_Scan = App_Reset ? St_Reset : SND_NKE ? St_SND_NKE : St_Read;
        }
        break;
    case St_Reset:
        Pause(Primary_Pause);
        Build_SND_UD_Reset(uint8_t(ID_Dev_Primary));
        Step_Scan = 6;
        Send_Command(Gateway_Port);
        break;
    case 6:
    case 8: {
        const std::lock_guard<std::mutex> hold(Answer_Lock);
        if ((Arrived() && Is_Ack()) || Answer_Timed_Out())
            Step_Scan = step == 6 && SND_NKE ? St_SND_NKE : St_Read;
        break;
    }
    case St_SND_NKE:
        Pause(Primary_Pause);
        Build_SND_NKE(uint8_t(ID_Dev_Primary));
        Step_Scan = 8;
        Send_Command(Gateway_Port);
        break;
    case St_Read:
        TimeOut_Calc = TimeOut_Data();
        Pause(Primary_Pause);
        Build_REQ_UD2(uint8_t(ID_Dev_Primary), Num_Frame_Read);
        Step_Scan = 10;
        Send_Command(Gateway_Port);
        break;
    case 10:
        Wait_Slave_Frame(false);
        break;

    // --- secondary scan ---
    case St_Secondary:
        TimeOut_Calc = TimeOut_Frame();
        Phase_Scan_Sec_Add = 1;
        Notify_Slave_List(1, 0, 0, 2);
        Phase_Scan_Sec_Add = 2;
        Step_Scan = SND_NKE ? 101 : App_Reset ? 103 : 105;
        break;
    case 101:
    case 103:
    case 105:
        Pause(Secondary_Pause);
        if (step == 103)
            Build_SND_UD_Reset(A_Broadcast);
        else
            Build_SND_NKE(step == 101 ? A_Selected : A_Broadcast);
        Step_Scan = step + 1;
        Send_Command(Gateway_Port);
        break;
    case 102:
    case 104:
    case 106: {
        const std::lock_guard<std::mutex> hold(Answer_Lock);
        const bool go_on = step == 106 ? Arrived() : Arrived() && Is_Ack();
        if (go_on || Answer_Timed_Out())
            Step_Scan = step == 102 && App_Reset ? 103 : step == 106 ? 107 : 105;
        break;
    }
    case 107:
        for (int k = 0; k < 8; ++k)
            Digit(k) = -1;
        Step_Scan = St_Select_A;
        break;
    case St_Sec_Read:
        TimeOut_Calc = TimeOut_Data();
        Pause(Secondary_Pause);
        Build_REQ_UD2(A_Selected, Num_Frame_Read);
        Step_Scan = 125;
        Send_Command(Gateway_Port);
        break;
    case 125:
        Wait_Slave_Frame(true);
        break;

    // --- end ---
    case St_End:
        Count_Disable_Analyzer = 0;
        FAbortScan = false;
        Step_Scan = 201;
        break;
    case 201:
        if (serial || Count_Disable_Analyzer > 2) {
            Step_Scan = St_Finish;
        } else {
            ++Count_Disable_Analyzer;
            TimeOut_Calc = TimeOut_Command();
            Step_Scan = 202;
            Send_Command(Text(MBus_Text::Disable_Analyzer), Gateway_Port);
        }
        break;
    case 202: {
        const std::lock_guard<std::mutex> hold(Answer_Lock);
        if (Arrived())
            Step_Scan = Is_Answer(MBus_Text::Analyzer_Disabled) ? St_Finish : 201;
        if (Answer_Timed_Out())
            Step_Scan = 201;
        break;
    }
    case St_Finish:
        Close_Transport();
        if (!SaveXMLFile.isEmpty()) {
            try {
                Save_XML_File_DLL();
            } catch (const std::exception &e) {
                // The scan still ends; its caller learns why the dump is missing.
                SaveXMLFile_Error = QString::fromStdString(e.what());
            }
        }
        if (Enable_Send_In_Last_Step)
            Notify_Slave_List(3, 0, 0, Type_To_Send_In_Last_Step);
        Enable_Send_In_Last_Step = false;
        FInScan = false;
        break;
    default:
        if (step >= St_Select_A && step <= 123) {
            const int k = (step - St_Select_A) / 2;
            if ((step - St_Select_A) % 2 == 0)
                Select_Digit(k);
            else
                Wait_Selection(k);
        }
        break;
    }
}

// Selection states 108, 110, .. 122: the next value of digit k with the digits after it as
// wildcards; past 9 the search goes back to the digit before (or ends after digit A).
void TMBusScanDecode::Select_Digit(int k)
{
    if (FStopScan) {
        Step_Scan = St_End;
        return;
    }
    ++Digit(k);
    for (int j = k + 1; j < 8; ++j)
        Digit(j) = -1;
    if (Digit(k) > 9) {
        if (k == 0) {
            Phase_Scan_Sec_Add = 3;
            Type_To_Send_In_Last_Step = 2;
            Enable_Send_In_Last_Step = true;
            Step_Scan = St_End;
        } else {
            Step_Scan = Select_State(k - 1);
        }
        return;
    }
    Pause(Secondary_Pause);
    Build_Select_Secondary();
    Step_Scan = Select_State(k) + 1;
    Send_Command(Gateway_Port);
}

// Wait states 109, 111, .. 123: none answered (time-out or "NO_SLAVE"), one acknowledged
// (read it out), or several at once (refine with the next digit; the last digit cannot).
void TMBusScanDecode::Wait_Selection(int k)
{
    const std::lock_guard<std::mutex> hold(Answer_Lock);
    const int select = Select_State(k);
    if (Answer_Timed_Out())
        Step_Scan = select;
    if (!Arrived())
        return;
    if (Is_Ack()) {
        Num_Frame_Read = 0;
        Sec_Add_Next_Step = select;
        Step_Scan = St_Sec_Read;
    } else if (Is_No_Slave() || k == 7) {
        Step_Scan = select;
    } else {
        Step_Scan = Select_State(k + 1);
    }
}

// States 10 and 125: the answer to a REQ_UD2. A valid long frame is stored; the read-out ends
// when the slave announces no more records or Cut_After frames were read.
void TMBusScanDecode::Wait_Slave_Frame(bool secondary)
{
    const std::lock_guard<std::mutex> hold(Answer_Lock);
    ID_Dev_Found = false;
    const int done_step = secondary ? Sec_Add_Next_Step : St_Next_Address;
    auto not_found = [&] {
        if (secondary)
            TimeOut_Calc = TimeOut_Frame();
        else
            Notify_Slave_List(2, ID_Dev_Primary, 0, 1);
        Step_Scan = done_step;
    };
    // The secondary states test the time-out first and let an answer decide; the primary state
    // tests the answer first and takes the time-out only when no slave was found.
    const bool timed_out = Answer_Timed_Out();
    if (secondary && timed_out)
        not_found();
    bool answered = false;
    if (Arrived()) {
        answered = true;
        if (Is_Long_Frame()) {
            bool more = true;
            Index_Device = Store_Wired_Slave(Num_Frame_Read == 0 ? -1 : Index_Device, more);
            ++Num_Frame_Read;
            if (more || Num_Frame_Read >= std::max(Cut_After, 1)) {
                ID_Dev_Found = true;
                if (secondary) {
                    TimeOut_Calc = TimeOut_Frame();
                    int id = 0;
                    if (!Wired_List->empty())
                        if (auto *s = dynamic_cast<TSlave_MBus *>(Wired_List->back().get())) {
                            bool ok = false;
                            id = int(s->Secondary_Addresss.toUInt(&ok, 16));
                            if (!ok)
                                id = 0;
                        }
                    Notify_Slave_List(2, id, 1, 2);
                } else {
                    Notify_Slave_List(2, ID_Dev_Primary, 1, 1);
                }
                Step_Scan = done_step;
            } else {
                Step_Scan = secondary ? St_Sec_Read : St_Read;
            }
        } else {
            not_found();
        }
    }
    // One report per address: a bad answer already reported what the time-out would.
    if (!secondary && timed_out && !ID_Dev_Found && !(answered && Step_Scan == done_step))
        not_found();
}
