#include "mbus/mbus_codec.h"

#include "app/comon.h"
#include "platform/tickcount.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint8_t Frame_Start_Short = 0x10;
constexpr uint8_t Frame_Start_Long = 0x68;
constexpr uint8_t Frame_Stop = 0x16;
constexpr uint8_t Single_Ack = 0xE5;
constexpr uint8_t C_SND_NKE = 0x40;
constexpr uint8_t C_REQ_UD2_FCB1 = 0x7B;
constexpr uint8_t C_REQ_UD2_FCB0 = 0x5B;
constexpr uint8_t C_SND_UD_FCB1 = 0x73;
constexpr uint8_t C_SND_UD_FCB0 = 0x53;
constexpr uint8_t CI_Application_Reset = 0x50;
constexpr uint8_t CI_Select_Secondary = 0x52;
constexpr uint8_t A_Selected = 0xFD;
constexpr int Min_Long_Frame = 22;          // fixed header and the frame's last two bytes
constexpr uint32_t Base_TimeOut = 400;

uint8_t Sum(const std::vector<uint8_t> &b, size_t from, size_t to)
{
    unsigned s = 0;
    for (size_t i = from; i <= to; ++i)
        s += b[i];
    return uint8_t(s);
}

// One byte of the selection: two digits, the higher one in the upper nibble, -1 a wildcard.
uint8_t Digit_Pair(int high, int low)
{
    auto nib = [](int d) { return d < 0 || d > 9 ? uint8_t(0xF) : uint8_t(d); };
    return uint8_t(nib(high) << 4 | nib(low));
}

uint32_t Effective_Baud(int32_t baud)
{
    return baud <= 0 ? 2400u : uint32_t(baud);
}

} // namespace

TMBusScanCodec::TMBusScanCodec()
    : Wired_List(&MBus_Slave_List), Wireless_List(&wMBus_Slave_List),
      Tick_Count(&GetTickCount32), Now(&QDateTime::currentDateTime)
{
}

TMBusScanCodec::~TMBusScanCodec() = default;

void TMBusScanCodec::Set_Answer(const uint8_t *data, size_t len)
{
    const size_t n = std::min(len, Ans_Array.size());
    if (n)
        std::memcpy(Ans_Array.data(), data, n);
    Ans_Len = int(n);
}

void TMBusScanCodec::Set_Answer(const QByteArray &data)
{
    Set_Answer(reinterpret_cast<const uint8_t *>(data.constData()), size_t(data.size()));
}

void TMBusScanCodec::Build_SND_NKE(uint8_t A)
{
    Req_Array = {Frame_Start_Short, C_SND_NKE, A, uint8_t(C_SND_NKE + A), Frame_Stop};
}

void TMBusScanCodec::Build_REQ_UD2(uint8_t A, int n)
{
    uint8_t c;
    if (Fix_C_Field)
        c = Fix_C_Field_Value != 0 ? C_REQ_UD2_FCB1 : C_REQ_UD2_FCB0;
    else
        c = n % 2 == 0 ? C_REQ_UD2_FCB1 : C_REQ_UD2_FCB0;
    Req_Array = {Frame_Start_Short, c, A, uint8_t(c + A), Frame_Stop};
}

static uint8_t SND_UD_C(bool fix, uint8_t fix_value)
{
    return fix && fix_value == 0 ? C_SND_UD_FCB0 : C_SND_UD_FCB1;
}

void TMBusScanCodec::Build_SND_UD_Reset(uint8_t A)
{
    const uint8_t c = SND_UD_C(Fix_C_Field, Fix_C_Field_Value);
    Req_Array = {Frame_Start_Long, 0x03, 0x03, Frame_Start_Long, c, A, CI_Application_Reset,
                 0, Frame_Stop};
    Req_Array[7] = Sum(Req_Array, 4, 6);
}

void TMBusScanCodec::Build_Select_Secondary()
{
    const uint8_t c = SND_UD_C(Fix_C_Field, Fix_C_Field_Value);
    Req_Array = {Frame_Start_Long, 0x0B, 0x0B, Frame_Start_Long, c, A_Selected,
                 CI_Select_Secondary,
                 Digit_Pair(Index_G, Index_H), Digit_Pair(Index_E, Index_F),
                 Digit_Pair(Index_C, Index_D), Digit_Pair(Index_A, Index_B),
                 0xFF, 0xFF, 0xFF, 0xFF, 0, Frame_Stop};
    Req_Array[15] = Sum(Req_Array, 4, 14);
}

void TMBusScanCodec::Build_Gateway_Baud_Command()
{
    const char *p = MBus_Text::Baud_Command_Prefix;
    Req_Array.assign(p, p + std::strlen(p));
    const uint32_t b = uint32_t(Baudrate);
    Req_Array.push_back(uint8_t(b >> 24));
    Req_Array.push_back(uint8_t(b >> 16));
    Req_Array.push_back(uint8_t(b >> 8));
    Req_Array.push_back(uint8_t(b));
    Req_Array.push_back(',');
    Req_Array.push_back(Parity == 1 ? 2 : Parity == 2 ? 1 : 0);
}

bool TMBusScanCodec::Is_Ack() const
{
    return Ans_Len == 1 && Ans_Array[0] == Single_Ack;
}

bool TMBusScanCodec::Is_Long_Frame() const
{
    if (Ans_Len < Min_Long_Frame || Ans_Len > int(Ans_Array.size()))
        return false;
    const uint8_t *a = Ans_Array.data();
    if (a[0] != Frame_Start_Long || a[3] != Frame_Start_Long || a[1] != a[2]
        || a[Ans_Len - 1] != Frame_Stop)
        return false;
    unsigned s = 0;
    for (int i = 4; i <= Ans_Len - 3; ++i)
        s += a[i];
    return uint8_t(s) == a[Ans_Len - 2];
}

bool TMBusScanCodec::Is_Answer(const char *expected) const
{
    const size_t n = std::strlen(expected);
    return Ans_Len >= 0 && size_t(Ans_Len) == n && n <= Ans_Array.size()
           && std::memcmp(Ans_Array.data(), expected, n) == 0;
}

bool TMBusScanCodec::Is_No_Slave() const
{
    return Is_Answer(MBus_Text::No_Slave);
}

uint32_t TMBusScanCodec::TimeOut_Command() const
{
    return uint32_t(Add_TimeOut) + 1000;
}

uint32_t TMBusScanCodec::TimeOut_Frame() const
{
    return 330000 / Effective_Baud(Baudrate) + Base_TimeOut + uint32_t(Add_TimeOut) + 50;
}

uint32_t TMBusScanCodec::TimeOut_Data() const
{
    return 3245000 / Effective_Baud(Baudrate) + Base_TimeOut + uint32_t(Add_TimeOut) + 50;
}

void TMBusScanCodec::Mark_Send()
{
    Start_Send = Tick_Count();
}

bool TMBusScanCodec::Answer_Timed_Out() const
{
    // Unsigned difference: a wrap of the counter between send and now is no time-out.
    return uint32_t(Tick_Count() - Start_Send) > TimeOut_Calc;
}
