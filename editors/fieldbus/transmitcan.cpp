#include "editors/fieldbus/transmitcan.h"

#include "app/comon.h"
#include "app/language.h"
#include "editors/fieldbus/can_rules.h"
#include "grid/string/dazcolumngrid.h"
#include "platform/rtl.h"
#include "platform/xml.h"

TFTransmitCAN *FTransmitCAN = nullptr;

namespace {

constexpr int Data_Rows = 512;
constexpr int Array_Bytes = 3400;
constexpr int Max_Time = 100000000;

TRule_Editor_Desc Make_Desc()
{
    TRule_Table_Desc t;
    t.Grid_Name = "ACG_CAN_Transmit";
    t.Rows = Data_Rows;
    t.In_Place_Edit = true;
    t.Key_Col = TC_COBID;
    t.Enable = TRule_Enable::Trimmed_Upper;
    t.Error_Row = 3447;
    t.Hint = TRule_Hint::Displayed;
    t.Clear_Other_Hints = true;
    t.Columns = {
        {3408, -1, nullptr, nullptr, TRule_Cell::Text, 40},
        {3409, 3431, "Enable", "Y", TRule_Cell::Check, 50},
        {3410, 3432, "COBID", "", TRule_Cell::Text, 90},
        {3411, 3433, "CAN_Type", "2.0A (11 bits)", TRule_Cell::Pick, 90, CAN_Type_Items},
        {3412, 3434, "Dim", "", TRule_Cell::Text, 70},
        {3413, 3435, "OnChange", "Y", TRule_Cell::Check, 65},
        {3462, 3463, "OnCMD", "N", TRule_Cell::Check, 50},
        {3414, 3436, "OnTimer", "N", TRule_Cell::Check, 55},
        {3415, 3437, "Time", "", TRule_Cell::Text, 70},
    };
    const char *const bytes[] = {"Byte1", "Byte2", "Byte3", "Byte4", "Byte5", "Byte6", "Byte7", "Byte8"};
    for (int k = 0; k < 8; ++k)
        t.Columns.push_back({3416 + k, 3438 + k, bytes[k], "", TRule_Cell::Pick, 48});
    t.Columns.push_back({3424, 3446, "Mnemonic", "", TRule_Cell::Text, 110});

    TRule_Editor_Desc d;
    d.Form_Name = "FTransmitCAN";
    d.Client_Width = 1100;
    d.Client_Height = 337;
    d.Caption = 3400;
    d.Description = 3401;
    d.Button_Captions = {3402, 3403, 3404, 3405, 3406, 3407};
    d.Button_Hints = {3425, 3426, 3427, 3428, 3429, 3430};
    d.Buttons_Show_Hints = true;
    d.Focus_On_Show = true;
    d.Delete_Question = 3461;
    d.Root = "Transmit_Frames";
    d.Version = QStringLiteral("1.000");
    d.Tables = {t};
    return d;
}

} // namespace

const TRule_Editor_Desc &TransmitCAN_Desc()
{
    static const TRule_Editor_Desc desc = Make_Desc();
    return desc;
}

TFTransmitCAN::TFTransmitCAN(QWidget *parent)
    : TRule_Editor(TransmitCAN_Desc(), Path_CAN_Send_Frames, parent),
      ACG_CAN_Transmit(Grid(0)),
      Hint_TransmitCAN(Tables[0].Hints),
      Do_Copy(Tables[0].Do_Copy)
{
    FormCreate();
}

void TFTransmitCAN::Show_Prepare()
{
    Hard_Type = 1;
    MAX_Byte = Array_Bytes;
    Refill_Hints(0);
    for (int k = 0; k < 8; ++k)
        Rule_Set_Items(*ACG_CAN_Transmit, TC_Byte1 + k, Rule_None_Number_Items(MAX_Byte));
}

void TFTransmitCAN::Row_From_File(int, int, const TXmlNode &element, QStringList &cells)
{
    if (!element.HasAttribute(QStringLiteral("Time")) && cells.value(TC_OnTimer) == QLatin1String("Y"))
        cells[TC_Time] = IntToStr(Send_Time);
}

QString TFTransmitCAN::Check_Row(int, int, const QStringList &cells)
{
    const TCAN_Frame_Check check = {TC_COBID, TC_Type, TC_Dim, TC_Byte1, 3448, 3449, 3450, 3452, 3453, 3454, MAX_Byte};
    QString text = CAN_Check_Frame(check, cells);
    if (!text.isEmpty())
        return text;
    if (UpperCase(Trim(cells.value(TC_OnTimer))) == QLatin1String("Y") &&
        !Rule_In_Range(cells.value(TC_Time), 0, Max_Time))
        return Lang_Text(3451);
    return CAN_Check_Bytes(check, cells);
}
