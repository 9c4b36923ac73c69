#include "editors/fieldbus/can_rules.h"

#include "app/language.h"
#include "editors/fieldbus/ruletable.h"
#include "platform/rtl.h"

const QStringList CAN_Type_Items = {QStringLiteral("2.0A (11 bits)"), QStringLiteral("2.0B (29 bits)")};

namespace {

constexpr int Max_11_Bits = 0x7FF;
constexpr int Max_29_Bits = 0x1FFFFFFF;
constexpr int Max_Dim = 8;

} // namespace

QString CAN_Check_Frame(const TCAN_Frame_Check &check, const QStringList &cells)
{
    // Any type but the 11-bit one, an empty cell included, takes 29-bit identifiers.
    if (Trim(cells.value(check.Type)) == CAN_Type_Items[0]) {
        if (!Rule_In_Range(cells.value(check.COBID), 0, Max_11_Bits))
            return Lang_Text(check.Text_11_Bits);
    } else if (!Rule_In_Range(cells.value(check.COBID), 0, Max_29_Bits)) {
        return Lang_Text(check.Text_29_Bits);
    }
    if (!Rule_In_Range(cells.value(check.Dim), 1, Max_Dim))
        return Lang_Text(check.Text_Dim);
    return {};
}

QString CAN_Check_Bytes(const TCAN_Frame_Check &check, const QStringList &cells)
{
    const int dim = Rule_Int(cells.value(check.Dim));
    for (int k = 1; k <= dim && k <= Max_Dim; ++k) {
        const QString cell = cells.value(check.Byte1 + k - 1);
        const QString trimmed = Trim(cell);
        if (trimmed.isEmpty() || trimmed == QLatin1String("None"))
            continue;
        if (!Rule_In_Range(cell, 0, check.Max_Byte - 1))
            return Lang_Text(k == 1 ? check.Text_Byte1 : check.Text_Byte2 + k - 2) + IntToStr(check.Max_Byte - 1) +
                   Lang_Text(check.Text_Or_None);
    }
    return {};
}
