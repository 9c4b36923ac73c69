#pragma once
// The scan engine's codec: every byte it sends for a wired scan, the tests its answers must
// pass, the answer time-out, the data-record walk, wired answer intake and wireless telegram
// intake with decryption. Works on the received bytes alone, without thread or network;
// the scan thread holds one and feeds it. Every read is bounded by Ans_Len.
#include "mbus/mbus_results.h"

#include <QByteArray>
#include <QDateTime>
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

using TMBus_Object_List = std::vector<std::unique_ptr<TObject>>;

// Gateway text commands and the exact answers accepted (LF CR framed).
namespace MBus_Text {
inline constexpr char Enable_Analyzer[] = "Qelvar_Enable_Analyzer_Mode";
inline constexpr char Analyzer_Enabled[] = "\n\rAnalyzer_Mode Enabled!\n\r";
inline constexpr char Baud_Done[] = "\n\rDone!";
inline constexpr char Disable_Analyzer[] = "Qelvar_Disable_Analyzer_Mode";
inline constexpr char Analyzer_Disabled[] = "\n\rAnalyzer_Mode Disabled!\n\r";
inline constexpr char Enable_Configuration[] = "Qelvar_Enable_Configuration_Mode";
inline constexpr char Configuration_Enabled[] = "\n\rConfiguration_Mode Enabled!\n\r";
inline constexpr char Type_Radio_Module[] = "Qelvar_Type_Radio_Module";
inline constexpr char Radio_Telit[] = "\n\rTELIT\n\r";
inline constexpr char Radio_RadioCrafts[] = "\n\rRADIOCRAFTS\n\r";
inline constexpr char Disable_Configuration[] = "Qelvar_Disable_Configuration_Mode";
inline constexpr char Configuration_Disabled[] = "\n\rConfiguration_Mode Disabled!\n\r";
inline constexpr char No_Slave[] = "NO_SLAVE\n\r";
inline constexpr char Baud_Command_Prefix[] = "Qelvar_S_M:";
} // namespace MBus_Text

class TMBusScanCodec
{
public:
    TMBusScanCodec();
    virtual ~TMBusScanCodec();

    // --- where results go and where time comes from (tests replace them) ---
    TMBus_Object_List *Wired_List;             // MBus_Slave_List
    TMBus_Object_List *Wireless_List;          // wMBus_Slave_List
    std::function<uint32_t()> Tick_Count;      // 32-bit millisecond tick count
    std::function<QDateTime()> Now;            // local date and time

    TMBusType MBusType = mtWired;

    // --- wired frames ---
    std::vector<uint8_t> Req_Array;
    std::array<uint8_t, 2048> Ans_Array{};
    int Ans_Len = 0;
    bool Fix_C_Field = false;
    uint8_t Fix_C_Field_Value = 0;             // 0: FCB 0 ("0x5X"), else FCB 1 ("0x7X")
    int Index_A = -1, Index_B = -1, Index_C = -1, Index_D = -1;
    int Index_E = -1, Index_F = -1, Index_G = -1, Index_H = -1;
    int32_t Baudrate = 2400;
    int32_t Parity = 1;                        // 0 none, 1 even, 2 odd
    uint32_t TimeOut_Calc = 0;
    uint32_t Start_Send = 0;
    int32_t Add_TimeOut = 0;

    // A received datagram into Ans_Array; a longer one is cut to the array.
    void Set_Answer(const uint8_t *data, size_t len);
    void Set_Answer(const QByteArray &data);

    void Build_SND_NKE(uint8_t A);
    void Build_REQ_UD2(uint8_t A, int n);      // n: frames already read from this slave
    void Build_SND_UD_Reset(uint8_t A);
    void Build_Select_Secondary();
    void Build_Gateway_Baud_Command();

    bool Is_Ack() const;
    bool Is_Long_Frame() const;
    bool Is_No_Slave() const;
    bool Is_Answer(const char *expected) const;   // whole-datagram equality

    // TimeOut_Calc for each kind of exchange; a baud rate of 0 or below counts as 2400.
    uint32_t TimeOut_Command() const;
    uint32_t TimeOut_Frame() const;            // SND_NKE, reset, selection, pause
    uint32_t TimeOut_Data() const;             // REQ_UD2
    void Mark_Send();                          // Start_Send := now
    bool Answer_Timed_Out() const;

    // --- records ---
    // Walks src[0..last] (last inclusive, cut to avail bytes) into list; false when a DIF
    // 0x1F asked for a further request.
    bool Decode_Data_Records(TVariable_List &list, int last, const uint8_t *src, int avail);
    // Builds (index < 0) or updates the wired slave of the long frame in Ans_Array and walks
    // its records; returns the slave's index, or -1 when the frame is too short to hold the
    // fixed header.
    int Store_Wired_Slave(int index, bool &more);

    // --- wireless ---
    bool From_DLL = false;
    std::atomic<bool> New_Frame_Wireless{false};
    // (index, meter); the meter is null when From_DLL is set.
    std::function<void(int, TSlave_wMBus *)> UpdateListWirelessSlave;

    // A datagram is a telegram only when its length matches its L field and the module.
    static bool Is_Wireless_Telegram(const uint8_t *data, int len, TRadioModule module);
    // Runs on the receive thread; the meter list and the meter's records change only while
    // Results_Lock is held, and the callback runs after it is released.
    void Decode_Wireless_Frame(TRadioModule module);
    void Notify_Wireless_Slave(int index, TSlave_wMBus *meter);
    // Guards the wireless list and its meters between the receive thread and their readers.
    std::mutex Results_Lock;

private:
    int Telegram_Byte(int pos, int end) const;     // -1 beyond end
    // Files the telegram under its meter; the meter's index, or -1 when it names none.
    int File_Wireless_Frame(TRadioModule module, TSlave_wMBus *&meter);
    bool Decrypt_Mode_5(const TSlave_wMBus &m, int end);
    // 1 decrypted, 0 not attempted, -1 decrypted to garbage (telegram dropped)
    int Decrypt_Mode_7(const TSlave_wMBus &m, int end);
};

// Three-letter manufacturer of a 16-bit M field ("???" for 0).
QString Trova_Man(int code);
QString Manufacturer_Letter(int c);
QString Medium_Description(int medium);
