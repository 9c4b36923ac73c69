#include "editors/fieldbus/modbus_rules.h"

#include "app/language.h"
#include "editors/fieldbus/ruletable.h"
#include "platform/rtl.h"

#include <cstdint>

namespace {

constexpr int Max_Slave_ID = 247;
constexpr int Max_Address = 65535;
constexpr int Max_Time = 100000000;   // Poll Time and Max Error
// Points one request moves: coils / registers, read and write.
constexpr int Read_Bits = 2000;
constexpr int Read_Registers = 125;
constexpr int Write_Bits = 1968;
constexpr int Write_Registers = 123;

} // namespace

bool Modbus_Bit_Rule(const QString &type, bool write)
{
    const QString t = UpperCase(Trim(type));
    return t == QLatin1String("COIL STATUS") || (!write && t == QLatin1String("INPUT STATUS"));
}

QString Modbus_Check_Row(const TModbus_Check &check, const QStringList &cells)
{
    const TModbus_Columns &col = check.Cols;
    const TModbus_Texts &text = check.Texts;
    const auto cell = [&cells](int c) { return cells.value(c); };

    if (!Rule_In_Range(cell(col.Slave_ID), 1, Max_Slave_ID))
        return Lang_Text(text.Slave_ID);
    if (cell(col.Type).isEmpty())
        return Lang_Text(text.Type);
    const bool bits = Modbus_Bit_Rule(cell(col.Type), check.Write);
    if (!Rule_In_Range(cell(col.Address), 0, Max_Address))
        return Lang_Text(text.Address);
    const int max_points = check.Write ? (bits ? Write_Bits : Write_Registers) : (bits ? Read_Bits : Read_Registers);
    if (!Rule_In_Range(cell(col.NPoint), 1, max_points))
        return Rule_Limit_Text(text.NPoint, max_points);
    if (!Rule_In_Range(cell(col.PollTime), check.Write ? 0 : 1, Max_Time))
        return Lang_Text(check.Working_Mode != 0 ? text.PollTime_Mode : text.PollTime);
    if (!Rule_In_Range(cell(col.MaxError), 0, Max_Time))
        return Lang_Text(text.MaxError);
    if (check.Write || check.Position_Shown) {
        const int position = Rule_Int(cell(col.Position));
        if (position < 0 || position > check.NByte - 1)
            return Rule_Limit_Text(text.Position, check.NByte - 1);
        const int64_t points = Rule_Int(cell(col.NPoint));
        int64_t last;
        if (bits) {
            if (cell(col.Bit).isEmpty())
                return Lang_Text(text.Bit);
            // 64 bits: a start bit typed into the file may be any 32-bit number.
            const int64_t bit = StrToIntDef(cell(col.Bit), 0);
            last = position + (points + bit - 1) / 8;
        } else {
            last = position + 2 * points - 1;
        }
        if (last >= check.NByte)
            return Lang_Text(text.Bytes);
    }
    if (!check.Write && check.Topic_Shown && col.Topic >= 0 && Trim(cell(col.Topic)).isEmpty())
        return Lang_Text(text.Topic);
    return {};
}
