#include "editors/fieldbus/pgn_rules.h"

#include "app/language.h"
#include "editors/fieldbus/ruletable.h"
#include "platform/rtl.h"

#include <cstdint>

namespace {

constexpr int Max_PGN_DP = 131071;   // 17 bits: data page and PGN
constexpr int TP_Bytes = 1785;       // transport protocol message
constexpr int FP_Bytes = 223;        // fast packet message
constexpr int Frame_Bytes = 8;
constexpr int Max_Priority = 7;
constexpr int Max_Send_Timer = 65535;
constexpr int Max_Request_Time = 10000000;

bool Set(const QStringList &cells, int col) { return col >= 0 && cells.value(col) == QLatin1String("Y"); }

// Adds the rule's bytes; the total's message when they no longer fit.
QString Add_Bytes(int64_t bytes, int max, int text, TPGN_Total &total)
{
    const int64_t sum = int64_t(total.Total) + bytes;
    if (sum > max) {
        total.Whole = true;
        return Lang_Text(text) + IntToStr(max);
    }
    total.Total = int(sum);
    return {};
}

// Start byte and count of a message of up to max bytes.
QString Check_Message(int start, int nbyte, int max, int text_start, int text_sum)
{
    if (start < 0 || start > max)
        return Lang_Text(text_start);
    if (nbyte < 0 || int64_t(start) + nbyte > max)
        return Lang_Text(text_sum);
    return {};
}

} // namespace

QString PGN_Check_Receive(const TPGN_Receive_Check &c, const QStringList &cells, TPGN_Total &total)
{
    if (c.DP >= 0 && cells.value(c.DP).isEmpty())
        return Lang_Text(c.Text_DP);
    if (!Rule_In_Range(cells.value(c.PGN), 0, c.Max_PGN))
        return Lang_Text(c.Text_PGN);
    if (!Rule_In_Range(cells.value(c.SA), 0, 239))
        return Lang_Text(c.Text_SA);
    const int start = Rule_Int(cells.value(c.Start));
    const int nbyte = Rule_Int(cells.value(c.NByte));
    int64_t bytes = 0;
    QString text;
    if (Set(cells, c.TP) || Set(cells, c.FP)) {
        const bool tp = Set(cells, c.TP);
        text = tp ? Check_Message(start, nbyte, TP_Bytes, c.Text_TP_Start, c.Text_TP_Sum)
                  : Check_Message(start, nbyte, FP_Bytes, c.Text_FP_Start, c.Text_FP_Sum);
        bytes = nbyte;
    } else {
        const bool no_start = Trim(cells.value(c.Start)).isEmpty();
        const bool no_count = Trim(cells.value(c.NByte)).isEmpty();
        if (no_start != no_count)
            return Lang_Text(c.Text_Both);
        if (no_start) {
            bytes = Frame_Bytes;
        } else {
            if (start < 1 || start > Frame_Bytes)
                return Lang_Text(c.Text_Start);
            if (nbyte < 1 || nbyte > Frame_Bytes)
                return Lang_Text(c.Text_NByte);
            if (start + nbyte > Frame_Bytes)
                return Lang_Text(c.Text_Sum);
            // The whole frame and the part captured, as the gateway lays them out.
            bytes = Frame_Bytes + nbyte;
        }
    }
    if (!text.isEmpty())
        return text;
    text = Add_Bytes(bytes, c.Max_Total, c.Text_Total, total);
    if (!text.isEmpty())
        return text;
    if (Set(cells, c.OnRequest) && !Rule_In_Range(cells.value(c.Time), 2, Max_Request_Time))
        return Lang_Text(c.Text_Time);
    return {};
}

QString PGN_Check_Send(const TPGN_Send_Check &c, const QStringList &cells, TPGN_Total &total)
{
    if (!Rule_In_Range(cells.value(c.Priority), 0, Max_Priority))
        return Lang_Text(c.Text_Priority);
    if (c.DP >= 0 && cells.value(c.DP).isEmpty())
        return Lang_Text(c.Text_DP);
    if (!Rule_In_Range(cells.value(c.PGN), 0, Max_PGN_DP))
        return Lang_Text(c.Text_PGN);
    if (!Rule_In_Range(cells.value(c.SA), 0, c.Max_SA))
        return Lang_Text(c.Text_SA);
    if (!Rule_In_Range(cells.value(c.NByte), c.Min_NByte, c.Max_Total))
        return Rule_Limit_Text(c.Text_NByte, c.Max_Total);
    QString text = Add_Bytes(Rule_Int(cells.value(c.NByte)), c.Max_Total, c.Text_Total, total);
    if (!text.isEmpty())
        return text;
    if (Set(cells, c.OnTimer) && !Rule_In_Range(cells.value(c.SendTimer), 1, Max_Send_Timer))
        return Lang_Text(c.Text_Timer);
    return {};
}

QString TPGN_Editor::Check_Receive(const TPGN_Receive_Check &check, const QStringList &cells)
{
    const QString text = PGN_Check_Receive(check, cells, Total_);
    Whole_Message = Total_.Whole;
    return text;
}

QString TPGN_Editor::Check_Send(const TPGN_Send_Check &check, const QStringList &cells)
{
    const QString text = PGN_Check_Send(check, cells, Total_);
    Whole_Message = Total_.Whole;
    return text;
}
