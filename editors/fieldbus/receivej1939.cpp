#include "editors/fieldbus/receivej1939.h"

#include "app/comon.h"

TFReceiveJ1939 *FReceiveJ1939 = nullptr;

namespace {

constexpr int Data_Rows = 512;
constexpr int Input_Bytes = 1440;
constexpr int Max_PGN = 65535;   // within one data page

TRule_Editor_Desc Make_Desc()
{
    TRule_Table_Desc t;
    t.Grid_Name = "sga";
    t.Rows = Data_Rows;
    t.Draw_Focus_Selected = true;
    t.Key_Col = RJ_PGN;
    t.Key_Trimmed = false;
    t.Enable = TRule_Enable::None;
    t.Insert_Enable = false;
    t.Error_Row = 4335;
    t.Hint = TRule_Hint::Displayed;
    t.Clear_Other_Hints = true;
    t.Columns = {
        {4314, -1, nullptr, nullptr, TRule_Cell::Text, 40},
        {4315, 4325, "DP", "", TRule_Cell::Pick, 65, {"0", "1"}},
        {4316, 4326, "PGN", "", TRule_Cell::Text, 85},
        {4317, 4327, "SA", "", TRule_Cell::Text, 95},
        {4318, 4328, "TP", "N", TRule_Cell::Check, 113},
        {4319, 4329, "TP_Start", "", TRule_Cell::Text, 65},
        {4320, 4330, "TP_NByte", "", TRule_Cell::Text, 55},
        {4321, 4331, "Delete", "N", TRule_Cell::Check, 75},
        {4322, 4332, "OnRequest", "N", TRule_Cell::Check, 75},
        {4323, 4333, "OnReq_Time", "1000", TRule_Cell::Text, 65},
        {4324, 4334, "Mnemonic", "", TRule_Cell::Text, 120},
    };
    TRule_Editor_Desc d;
    d.Form_Name = "FReceiveJ1939";
    d.Client_Width = 876;
    d.Client_Height = 337;
    d.Caption = 4300;
    d.Description = 4301;
    d.Button_Captions = {4302, 4303, 4304, 4305, 4306, 4307};
    d.Button_Hints = {4308, 4309, 4310, 4311, 4312, 4313};
    d.Buttons_Show_Hints = true;
    d.Delete_Question = 4347;
    d.Root = "Receive_J1939";
    d.Version = QStringLiteral("1.000");
    d.Tables = {t};
    return d;
}

} // namespace

const TRule_Editor_Desc &ReceiveJ1939_Desc()
{
    static const TRule_Editor_Desc desc = Make_Desc();
    return desc;
}

TFReceiveJ1939::TFReceiveJ1939(QWidget *parent)
    : TPGN_Editor(ReceiveJ1939_Desc(), Path_J1939_Rec_Frames, parent),
      sga(Grid(0)),
      Hint_ReceiveJ1939(Tables[0].Hints),
      Do_Copy(Tables[0].Do_Copy)
{
    FormCreate();
}

void TFReceiveJ1939::Show_Setup() { NUM_BYTE_IN = Input_Bytes; }

QString TFReceiveJ1939::Check_Row(int, int, const QStringList &cells)
{
    const TPGN_Receive_Check check = {RJ_DP,   RJ_PGN, RJ_SA, RJ_TP, -1,   RJ_Start, RJ_NByte, RJ_OnRequest,
                                      RJ_Time, Max_PGN, 4336, 4337, 4338, 4339,     4340,     -1,
                                      -1,      4341,   4342,  4343,  4344, 4345,     4346,     NUM_BYTE_IN};
    return Check_Receive(check, cells);
}
