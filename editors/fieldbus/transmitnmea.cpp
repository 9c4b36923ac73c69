#include "editors/fieldbus/transmitnmea.h"

#include "app/comon.h"

TFTransmitNMEA *FTransmitNMEA = nullptr;

namespace {

constexpr int Data_Rows = 62;
constexpr int Output_Bytes = 512;

TRule_Editor_Desc Make_Desc()
{
    TRule_Table_Desc t;
    t.Grid_Name = "sga";
    t.Rows = Data_Rows;
    t.Draw_Focus_Selected = true;
    t.Key_Col = TN_Priority;
    t.Key_Trimmed = false;
    // Saving ends at the first empty Priority; checking goes on while the PGN or the
    // Priority is there, so every saved rule has been checked.
    t.Check_Keys = {TN_PGN, TN_Priority};
    t.Enable = TRule_Enable::None;
    t.Insert_Enable = false;
    t.Error_Row = 4735;
    t.Hint = TRule_Hint::Displayed;
    t.Clear_Other_Hints = true;
    t.Show_Hints = false;   // the hints are served but never shown
    t.Columns = {
        {4714, -1, nullptr, nullptr, TRule_Cell::Text, 40},
        {4715, 4725, "Priority", "", TRule_Cell::Text, 50},
        {4716, 4726, "PGN", "", TRule_Cell::Text, 75},
        {4717, 4727, "SA", "", TRule_Cell::Text, 95},
        {4718, 4728, "FP", "N", TRule_Cell::Check, 75},
        {4719, 4729, "TP_NByte", "", TRule_Cell::Text, 60},
        {4720, 4730, "On_Request", "N", TRule_Cell::Check, 55},
        {4721, 4731, "On_Data_Change", "N", TRule_Cell::Check, 80},
        {4722, 4732, "On_Timer", "N", TRule_Cell::Check, 64},
        {4723, 4733, "SendTimer", "", TRule_Cell::Text, 75},
        {4724, 4734, "Mnemonic", "", TRule_Cell::Text, 116},
    };
    TRule_Editor_Desc d;
    d.Form_Name = "FTransmitNMEA";
    d.Client_Width = 810;
    d.Client_Height = 337;
    d.Caption = 4700;
    d.Description = 4701;
    d.Button_Captions = {4702, 4703, 4704, 4705, 4706, 4707};
    d.Button_Hints = {4708, 4709, 4710, 4711, 4712, 4713};
    d.Hinted_Buttons = {4, 5};   // Copy Row and Paste Row
    d.Delete_Question = 4742;
    d.Root = "Receive_NMEA_2000";   // the receive file's root, as stored files have it
    d.Version = QStringLiteral("1.000");
    d.Tables = {t};
    return d;
}

} // namespace

const TRule_Editor_Desc &TransmitNMEA_Desc()
{
    static const TRule_Editor_Desc desc = Make_Desc();
    return desc;
}

TFTransmitNMEA::TFTransmitNMEA(QWidget *parent)
    : TPGN_Editor(TransmitNMEA_Desc(), Path_NMEA_Send_Frames, parent),
      sga(Grid(0)),
      Hint_TransmitNMEA(Tables[0].Hints),
      Do_Copy(Tables[0].Do_Copy)
{
    FormCreate();
}

void TFTransmitNMEA::Show_Setup() { NUM_BYTE_OUT = Output_Bytes; }

QString TFTransmitNMEA::Check_Row(int, int, const QStringList &cells)
{
    const TPGN_Send_Check check = {TN_Priority, -1,   TN_PGN, TN_SA, TN_NByte, TN_On_Timer, TN_Send_Timer, 239, 0,
                                   4736,        -1,   4737,   4738,  4739,     4740,        4741,          NUM_BYTE_OUT};
    return Check_Send(check, cells);
}
