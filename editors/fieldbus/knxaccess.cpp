#include "editors/fieldbus/knxaccess.h"

#include "app/comon.h"
#include "app/language.h"
#include "app/tableediting.h"
#include "app/valuechecks.h"
#include "grid/string/dazcolumngrid.h"
#include "platform/dialogs.h"
#include "platform/rtl.h"

TFKNXAccess *FKNXAccess = nullptr;

namespace {

constexpr int Data_Rows = 1024;
constexpr int Data_Bytes = 1500;
constexpr int Max_APCI = 1023;
constexpr int Max_Time = 100000000;   // Poll Time and TimeOut, milliseconds

const QStringList Priority_Items = {"System", "Urgent", "Normal", "Low"};

TRule_Table_Desc Table()
{
    TRule_Table_Desc t;
    t.Grid_Name = "ACG_KNX_in_Write";
    t.List = "KNX_in_Write";
    t.Rows = Data_Rows;
    t.Key_Col = KX_Source;
    t.Error_Row = 4548;
    t.Hint = TRule_Hint::Displayed;
    t.Clear_Other_Hints = true;
    t.Show_Hints = true;
    t.Columns = {
        {4514, -1, nullptr, nullptr, TRule_Cell::Text, 40},
        {4515, 4531, "Enable", "Y", TRule_Cell::Check},
        {4516, 4532, "Source_Address", nullptr},
        {4517, 4533, "Destination_Address", nullptr},
        {4518, 4534, "APCI", nullptr, TRule_Cell::Pick_Edit, 64, {"Read", "Write"}},
        {4519, 4535, "Priority", "Normal", TRule_Cell::Pick, 64, Priority_Items},
        {4520, 4536, "Format", "None", TRule_Cell::Pick, 64,
         {"None", "Swap16", "Swap32", "Swap All", "Int to Float", "Float to Int", "Float16 to Float32",
          "Float16 to Int"}},
        {4561, 4563, "MultiplicationFactor", ""},
        {4521, 4537, "Extended", nullptr, TRule_Cell::Check},
        {4522, 4538, "ReTest", nullptr, TRule_Cell::Check},
        {4523, 4540, "On_Command", "N", TRule_Cell::Check},
        {4524, 4541, "On_Change", nullptr, TRule_Cell::Check},
        {4525, 4542, "On_Timer", "N", TRule_Cell::Check},
        {4526, 4543, "Poll_Time", nullptr},
        {4527, 4544, "Position", nullptr, TRule_Cell::Pick},
        {4528, 4545, "Bit_Mode", nullptr, TRule_Cell::Pick, 64, {"No", "0", "1", "2", "3", "4", "5", "6", "7"}},
        {4529, 4546, "Length", nullptr},
        {4562, 4564, "TimeOut", "0", TRule_Cell::Text, 96},
        {4530, 4547, "Mnemonic", nullptr},
    };
    return t;
}

TRule_Editor_Desc Make_Desc()
{
    TRule_Editor_Desc d;
    d.Form_Name = "FKNXAccess";
    d.Client_Width = 1250;
    d.Client_Height = 337;
    d.Caption = 4500;
    d.Description = 4501;
    d.Button_Captions = {4502, 4503, 4504, 4505, 4506, 4507};
    d.Button_Hints = {4508, 4509, 4510, 4511, 4512, 4513};
    d.Buttons_Show_Hints = true;
    d.Headers_In_Cells = true;
    d.Delete_Question = 4560;
    d.Root = "BACnet_to_KNX";
    d.Version = QStringLiteral("1.002");
    d.Tables = {Table()};
    return d;
}

// Length limit: bits or bytes, standard or extended frame.
int Length_Limit(bool bit_mode, bool extended)
{
    if (bit_mode)
        return extended ? 2040 : 112;
    return extended ? 255 : 14;
}

} // namespace

const TRule_Editor_Desc &KNXAccess_Desc()
{
    static const TRule_Editor_Desc desc = Make_Desc();
    return desc;
}

QString KNX_Check_Row(const QStringList &cells, int Max_Num_Byte, QChar Separator)
{
    const auto cell = [&cells](int c) { return cells.value(c); };
    if (Check_KNX_Address(Trim(cell(KX_Source)), false, true) != 0)
        return Lang_Text(4549);
    const QString dest = Trim(cell(KX_Dest));
    if (!No_Point(dest)) {
        if (Check_KNX_Address(dest, false, true) != 0)
            return Lang_Text(4550);
    } else if (Check_KNX_Address(dest, true, true) != 0) {
        return Lang_Text(4551);
    }
    const QString apci = UpperCase(cell(KX_APCI));
    if (apci != QLatin1String("READ") && apci != QLatin1String("WRITE") && !Rule_In_Range(cell(KX_APCI), 0, Max_APCI))
        return Lang_Text(4552);
    if (!Priority_Items.contains(cell(KX_Priority)))
        return Lang_Text(4553);
    if (Trim(cell(KX_Format)).isEmpty())
        return Lang_Text(4554);
    if (!Trim(cell(KX_MulFactor)).isEmpty()) {
        float factor = 0;
        if (!Text_To_Float(cell(KX_MulFactor), Separator, factor))
            return Lang_Text(4565);
    }
    if (UpperCase(cell(KX_OnTimer)) == QLatin1String("Y") && !Rule_In_Range(cell(KX_PollTime), 1, Max_Time))
        return Lang_Text(4555);
    const int position = Rule_Int(cell(KX_Position));
    if (position < 0 || position > Max_Num_Byte - 1)
        return Rule_Limit_Text(4556, Max_Num_Byte - 1);
    const bool bit_mode = UpperCase(cell(KX_BitMode)) != QLatin1String("NO");
    const int start_bit = bit_mode ? Rule_Int(cell(KX_BitMode)) : 0;
    if (bit_mode && (start_bit < 0 || start_bit > 7))
        return Lang_Text(4557);
    const int limit = Length_Limit(bit_mode, UpperCase(cell(KX_Extended)) == QLatin1String("Y"));
    const int length = Rule_Int(cell(KX_Length));
    if (length < 1 || length > limit)
        return Rule_Limit_Text(4558, limit);
    const int bytes = bit_mode ? (length + start_bit + 7) / 8 : length;
    if (position + bytes > Max_Num_Byte)
        return Rule_Limit_Text(4559, Max_Num_Byte);
    if (!Rule_In_Range(cell(KX_TimeOut), 0, Max_Time))
        return Lang_Text(4566);
    return {};
}

TFKNXAccess::TFKNXAccess(QWidget *parent)
    : TRule_Editor(KNXAccess_Desc(), Path_KNX_SetAccess, parent),
      ACG_KNX_in_Write(Grid(0)),
      Hint(Tables[0].Hints),
      Do_Copy_In_Write(Tables[0].Do_Copy)
{
    FormCreate();
}

void TFKNXAccess::Show_Prepare()
{
    Max_Num_Byte = Data_Bytes;
    Rule_Set_Number_Items(*ACG_KNX_in_Write, KX_Position, Max_Num_Byte);
}

void TFKNXAccess::Btn_DelRowClick()
{
    const int row = ACG_KNX_in_Write->Row();
    if (MessageYesNo(Lang_Text(4560) + IntToStr(row), {}, this))
        Delete_Row(row);
}

void TFKNXAccess::Delete_Row(int Num_Row)
{
    Grid_Delete_Row(Num_Row, *ACG_KNX_in_Write);
}

void TFKNXAccess::Check_Begin()
{
    Separator_ = Get_Decimal_Separator();
}

QString TFKNXAccess::Check_Row(int, int, const QStringList &cells)
{
    return KNX_Check_Row(cells, Max_Num_Byte, Separator_);
}

QString TFKNXAccess::Cell_From_File(int, int, int col, const QString &value)
{
    if (col == KX_Priority && !Priority_Items.contains(value))
        return QStringLiteral("Normal");
    return value;
}
