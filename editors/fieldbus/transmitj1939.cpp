#include "editors/fieldbus/transmitj1939.h"

#include "app/comon.h"
#include "platform/rtl.h"
#include "platform/xml.h"

TFTransmitJ1939 *FTransmitJ1939 = nullptr;

namespace {

constexpr int Data_Rows = 512;
constexpr int Output_Bytes = 512;

TRule_Editor_Desc Make_Desc()
{
    TRule_Table_Desc t;
    t.Grid_Name = "sga";
    t.Rows = Data_Rows;
    t.Draw_Focus_Selected = true;
    t.Key_Col = TJ_Priority;
    t.Key_Trimmed = false;
    // Saving ends at the first empty Priority; checking goes on while the PGN or the
    // Priority is there, so every saved rule has been checked.
    t.Check_Keys = {TJ_PGN, TJ_Priority};
    t.Enable = TRule_Enable::None;
    t.Insert_Enable = false;
    t.Error_Row = 4435;
    t.Hint = TRule_Hint::Displayed;
    t.Clear_Other_Hints = true;
    t.Columns = {
        {4414, -1, nullptr, nullptr, TRule_Cell::Text, 40},
        {4415, 4425, "Priority", "", TRule_Cell::Text, 50},
        {4416, 4426, "DP", "", TRule_Cell::Pick, 65, {"0", "1"}},
        {4417, 4427, "PGN", "", TRule_Cell::Text, 85},
        {4418, 4428, "SA", "", TRule_Cell::Text, 95},
        {4419, 4429, "TP_NByte", "", TRule_Cell::Text, 60},
        {4420, 4430, "On_Request", "N", TRule_Cell::Check, 55},
        {4421, 4431, "On_Data_Change", "N", TRule_Cell::Check, 80},
        {4422, 4432, "On_Timer", "N", TRule_Cell::Check, 60},
        {4423, 4433, "SendTimer", "", TRule_Cell::Text, 70},
        {4424, 4434, "Mnemonic", "", TRule_Cell::Text, 115},
    };
    TRule_Editor_Desc d;
    d.Form_Name = "FTransmitJ1939";
    d.Client_Width = 800;
    d.Client_Height = 337;
    d.Caption = 4400;
    d.Description = 4401;
    d.Button_Captions = {4402, 4403, 4404, 4405, 4406, 4407};
    d.Button_Hints = {4408, 4409, 4410, 4411, 4412, 4413};
    d.Hinted_Buttons = {4, 5};   // Copy Row and Paste Row
    d.Delete_Question = 4443;
    d.Root = "Transmit_J1939";
    d.Version = QStringLiteral("1.000");
    d.Tables = {t};
    return d;
}

} // namespace

const TRule_Editor_Desc &TransmitJ1939_Desc()
{
    static const TRule_Editor_Desc desc = Make_Desc();
    return desc;
}

TFTransmitJ1939::TFTransmitJ1939(QWidget *parent)
    : TPGN_Editor(TransmitJ1939_Desc(), Path_J1939_Send_Frames, parent),
      sga(Grid(0)),
      Hint_TransmitJ1939(Tables[0].Hints),
      Do_Copy(Tables[0].Do_Copy)
{
    FormCreate();
}

void TFTransmitJ1939::Show_Setup() { NUM_BYTE_OUT = Output_Bytes; }

void TFTransmitJ1939::Row_From_File(int, int, const TXmlNode &element, QStringList &cells)
{
    if (cells[TJ_NByte].isEmpty())
        cells[TJ_NByte] = QStringLiteral("8");
    const QString type_name = QStringLiteral("T_Type");
    if (!element.HasAttribute(type_name))
        return;
    const QString type = UpperCase(element.Attribute(type_name));
    cells[TJ_Request] = QStringLiteral("N");
    cells[TJ_Data_Change] = type == QLatin1String("ON DATA CHANGE") ? QStringLiteral("Y") : QStringLiteral("N");
    cells[TJ_On_Timer] = type == QLatin1String("ON TIMER") ? QStringLiteral("Y") : QStringLiteral("N");
}

QString TFTransmitJ1939::Check_Row(int, int, const QStringList &cells)
{
    const TPGN_Send_Check check = {TJ_Priority, TJ_DP, TJ_PGN, TJ_SA, TJ_NByte, TJ_On_Timer, TJ_Send_Timer, 255, 1,
                                   4436,        4437,  4438,   4439,  4440,     4441,        4442,          NUM_BYTE_OUT};
    return Check_Send(check, cells);
}
