#include "editors/fieldbus/receivecan.h"

#include "app/comon.h"
#include "app/language.h"
#include "editors/fieldbus/can_rules.h"
#include "grid/string/dazcolumngrid.h"

TFReceiveCAN *FReceiveCAN = nullptr;

namespace {

constexpr int Data_Rows = 512;
constexpr int Array_Bytes = 2000;
constexpr int Max_TimeOut = 100000000;

TRule_Editor_Desc Make_Desc()
{
    TRule_Table_Desc t;
    t.Grid_Name = "ACG_CAN_Receive";
    t.Rows = Data_Rows;
    t.In_Place_Edit = true;
    t.Key_Col = RC_COBID;
    t.Enable = TRule_Enable::Trimmed_Upper;
    t.Error_Row = 3344;
    t.Hint = TRule_Hint::Displayed;
    t.Clear_Other_Hints = true;
    // Missing attributes leave the cell fresh: nothing stops the reading.
    t.Columns = {
        {3308, -1, nullptr, nullptr, TRule_Cell::Text, 40},
        {3309, 3329, "Enable", "Y", TRule_Cell::Check, 50},
        {3310, 3330, "COBID", "", TRule_Cell::Text, 90},
        {3311, 3331, "CAN_Type", "", TRule_Cell::Pick, 90, CAN_Type_Items},
        {3312, 3332, "Dim", "", TRule_Cell::Text, 70},
        {3313, 3334, "TimeOut", "0", TRule_Cell::Text, 75},
    };
    const char *const bytes[] = {"Byte1", "Byte2", "Byte3", "Byte4", "Byte5", "Byte6", "Byte7", "Byte8"};
    for (int k = 0; k < 8; ++k)
        t.Columns.push_back({3314 + k, 3335 + k, bytes[k], "", TRule_Cell::Pick, 48});
    t.Columns.push_back({3322, 3343, "Mnemonic", "", TRule_Cell::Text, 185});

    TRule_Editor_Desc d;
    d.Form_Name = "FReceiveCAN";
    d.Client_Width = 1010;
    d.Client_Height = 337;
    d.Caption = 3300;
    d.Description = 3301;
    d.Button_Captions = {3302, 3303, 3304, 3305, 3306, 3307};
    d.Button_Hints = {3323, 3324, 3325, 3326, 3327, 3328};
    d.Buttons_Show_Hints = true;
    d.Focus_On_Show = true;
    d.Delete_Question = 3358;
    d.Root = "Receive_Frames";
    d.Version = QStringLiteral("1.000");
    d.Tables = {t};
    return d;
}

} // namespace

const TRule_Editor_Desc &ReceiveCAN_Desc()
{
    static const TRule_Editor_Desc desc = Make_Desc();
    return desc;
}

TFReceiveCAN::TFReceiveCAN(QWidget *parent)
    : TRule_Editor(ReceiveCAN_Desc(), Path_CAN_Rec_Frames, parent),
      ACG_CAN_Receive(Grid(0)),
      Hint_ReceiveCAN(Tables[0].Hints),
      Do_Copy(Tables[0].Do_Copy)
{
    FormCreate();
}

void TFReceiveCAN::Show_Prepare()
{
    MAX_Byte = Array_Bytes;
    for (int k = 0; k < 8; ++k)
        Rule_Set_Items(*ACG_CAN_Receive, RC_Byte1 + k, Rule_None_Number_Items(MAX_Byte));
}

QString TFReceiveCAN::Check_Row(int, int, const QStringList &cells)
{
    const TCAN_Frame_Check check = {RC_COBID, RC_Type, RC_Dim, RC_Byte1, 3345, 3346, 3347, 3349, 3350, 3351, MAX_Byte};
    QString text = CAN_Check_Frame(check, cells);
    if (!text.isEmpty())
        return text;
    if (!Rule_In_Range(cells.value(RC_TimeOut), 0, Max_TimeOut))
        return Lang_Text(3348);
    return CAN_Check_Bytes(check, cells);
}
