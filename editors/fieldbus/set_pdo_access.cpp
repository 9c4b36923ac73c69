#include "editors/fieldbus/set_pdo_access.h"

#include "app/comon.h"
#include "app/language.h"
#include "editors/fieldbus/canopen_rules.h"

TFSet_PDO_Access *FSet_PDO_Access = nullptr;

namespace {

constexpr int Max_PDOs = 30;
constexpr int Max_COB_ID = 0x7FF;
constexpr int Max_Dimension = 8;
constexpr int Max_TimeOut = 65535;
constexpr int Max_Send_Time = 100000000;

const char *const Address_Attributes[] = {"Address_B1", "Address_B2", "Address_B3", "Address_B4",
                                          "Address_B5", "Address_B6", "Address_B7", "Address_B8"};

// The columns both tables share: N, COB-ID, Dimension, Add B1 .. Add B8.
TRule_Table_Desc PDO_Table(const char *grid, const char *sheet, int tab, const char *list, int header, int hint)
{
    TRule_Table_Desc t;
    t.Grid_Name = grid;
    t.Sheet_Name = sheet;
    t.Tab_Caption = tab;
    t.List = list;
    t.Rows = Max_PDOs;
    t.Key_Col = PR_COB_ID;
    t.Enable = TRule_Enable::None;
    t.Insert_Enable = false;
    t.Error_Row = 3568;
    t.Hint = TRule_Hint::Displayed;
    t.Clear_Other_Hints = true;
    t.Columns = {
        {header, -1, nullptr, nullptr, TRule_Cell::Text, 40},
        {header + 1, hint, "COB-ID", nullptr, TRule_Cell::Text, 60},
        {header + 2, hint + 1, "Dimension", nullptr, TRule_Cell::Text, 64},
    };
    for (int k = 0; k < 8; ++k)
        t.Columns.push_back({header + 3 + k, hint + 2 + k, Address_Attributes[k], nullptr, TRule_Cell::Text, 50});
    return t;
}

TRule_Editor_Desc Make_Desc()
{
    TRule_Table_Desc receive = PDO_Table("sga", "TS_Receive_PDO", 3514, "Receive_PDO", 3516, 3543);
    receive.Columns.push_back({3527, 3553, "TimeOut", nullptr, TRule_Cell::Text, 64});
    receive.Columns.push_back({3528, 3554, "Mnemonic", nullptr, TRule_Cell::Text, 120});
    TRule_Table_Desc transmit = PDO_Table("sgb", "TS_Transmit_PDO", 3515, "Transmit_PDO", 3529, 3555);
    transmit.Columns.push_back({3540, 3565, "Send_Time", nullptr, TRule_Cell::Text, 64});
    transmit.Columns.push_back({3541, 3566, "On_Change", nullptr, TRule_Cell::Check, 64});
    transmit.Columns.push_back({3542, 3567, "Mnemonic", nullptr, TRule_Cell::Text, 120});

    TRule_Editor_Desc d;
    d.Form_Name = "FSet_PDO_Access";
    d.Client_Width = 798;
    d.Client_Height = 337;
    d.Caption = 3500;
    d.Description = 3501;
    d.Button_Captions = {3502, 3503, 3504, 3505, 3506, 3507};
    d.Button_Hints = {3508, 3509, 3510, 3511, 3512, 3513};
    d.Headers_In_Cells = true;
    d.Delete_Question = 3591;
    d.Root = "PDO_CANopen";
    d.Version = QStringLiteral("1.000");
    d.Tables = {receive, transmit};
    return d;
}

} // namespace

const TRule_Editor_Desc &Set_PDO_Access_Desc()
{
    static const TRule_Editor_Desc desc = Make_Desc();
    return desc;
}

TFSet_PDO_Access::TFSet_PDO_Access(QWidget *parent)
    : TCANopen_Editor(Set_PDO_Access_Desc(), Path_PDO_CANopen, parent),
      sga(Grid(0)),
      sgb(Grid(1)),
      TS_Receive_PDO(Tables[0].Sheet),
      TS_Transmit_PDO(Tables[1].Sheet),
      Hint_PDO_Receive(Tables[0].Hints),
      Hint_PDO_Transmit(Tables[1].Hints),
      Do_Copy_Receive_PDO(Tables[0].Do_Copy),
      Do_Copy_Transmit_PDO(Tables[1].Do_Copy)
{
    FormCreate();
}

QString TFSet_PDO_Access::Check_Row(int table, int, const QStringList &cells)
{
    const bool receive = table == 0;
    if (!Rule_In_Range(cells.value(PR_COB_ID), 0, Max_COB_ID))
        return Lang_Text(receive ? 3569 : 3580);
    if (!Rule_In_Range(cells.value(PR_Dimension), 1, Max_Dimension))
        return Lang_Text(receive ? 3570 : 3581);
    const QString text =
        CANopen_Check_Addresses(cells, PR_Add_B1, Rule_Int(cells.value(PR_Dimension)),
                                receive ? PROFINET_NByte_IN : PROFINET_NByte_OUT, receive ? 3571 : 3582);
    if (!text.isEmpty())
        return text;
    if (receive && !Rule_In_Range(cells.value(PR_TimeOut), 0, Max_TimeOut))
        return Lang_Text(3579);
    if (!receive && !Rule_In_Range(cells.value(PT_Send_Time), 0, Max_Send_Time))
        return Lang_Text(3590);
    return {};
}
