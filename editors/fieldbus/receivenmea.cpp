#include "editors/fieldbus/receivenmea.h"

#include "app/comon.h"

TFReceiveNMEA *FReceiveNMEA = nullptr;

namespace {

constexpr int Data_Rows = 62;
constexpr int Input_Bytes = 512;
constexpr int Max_PGN = 131071;

TRule_Editor_Desc Make_Desc()
{
    TRule_Table_Desc t;
    t.Grid_Name = "sga";
    t.Rows = Data_Rows;
    t.Draw_Focus_Selected = true;
    t.Key_Col = RN_PGN;
    t.Key_Trimmed = false;
    t.Enable = TRule_Enable::None;
    t.Insert_Enable = false;
    t.Error_Row = 4631;
    t.Hint = TRule_Hint::Displayed;
    t.Clear_Other_Hints = true;
    t.Columns = {
        {4614, -1, nullptr, nullptr, TRule_Cell::Text, 40},
        {4615, 4623, "PGN", "", TRule_Cell::Text, 80},
        {4616, 4624, "SA", "", TRule_Cell::Text, 95},
        {4617, 4625, "TP", "N", TRule_Cell::Check, 113},
        {4618, 4626, "FP", "N", TRule_Cell::Check, 73},
        {4619, 4627, "TP_Start", "", TRule_Cell::Text, 65},
        {4620, 4628, "TP_NByte", "", TRule_Cell::Text, 50},
        {4621, 4629, "Delete", "N", TRule_Cell::Check, 74},
        {4622, 4630, "Mnemonic", "", TRule_Cell::Text, 195},
    };
    TRule_Editor_Desc d;
    d.Form_Name = "FReceiveNMEA";
    d.Client_Width = 810;
    d.Client_Height = 337;
    d.Caption = 4600;
    d.Description = 4601;
    d.Button_Captions = {4602, 4603, 4604, 4605, 4606, 4607};
    d.Button_Hints = {4608, 4609, 4610, 4611, 4612, 4613};
    d.Hinted_Buttons = {4, 5};   // Copy Row and Paste Row
    d.Delete_Question = 4643;
    d.Root = "Receive_NMEA_2000";
    d.Version = QStringLiteral("1.000");
    d.Tables = {t};
    return d;
}

} // namespace

const TRule_Editor_Desc &ReceiveNMEA_Desc()
{
    static const TRule_Editor_Desc desc = Make_Desc();
    return desc;
}

TFReceiveNMEA::TFReceiveNMEA(QWidget *parent)
    : TPGN_Editor(ReceiveNMEA_Desc(), Path_NMEA_Rec_Frames, parent),
      sga(Grid(0)),
      Hint_ReceiveNMEA(Tables[0].Hints),
      Do_Copy(Tables[0].Do_Copy)
{
    FormCreate();
}

void TFReceiveNMEA::Show_Setup() { NUM_BYTE_IN = Input_Bytes; }

QString TFReceiveNMEA::Check_Row(int, int, const QStringList &cells)
{
    const TPGN_Receive_Check check = {-1,   RN_PGN,  RN_SA, RN_TP, RN_FP, RN_Start, RN_NByte, -1,
                                      -1,   Max_PGN, -1,    4632,  4633,  4634,     4635,     4636,
                                      4637, 4638,    4639,  4640,  4641,  4642,     -1,       NUM_BYTE_IN};
    return Check_Receive(check, cells);
}
