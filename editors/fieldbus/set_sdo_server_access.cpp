#include "editors/fieldbus/set_sdo_server_access.h"

#include "app/comon.h"
#include "editors/fieldbus/canopen_rules.h"

TFSet_SDO_Server_Access *FSet_SDO_Server_Access = nullptr;

namespace {

constexpr int Max_Objects = 500;
constexpr int Min_Index = 0x2000;   // the manufacturer range
constexpr int Max_Index = 0x5FFF;

TRule_Table_Desc SDO_Table(const char *grid, const char *sheet, int tab, const char *list, int header, int hint)
{
    TRule_Table_Desc t;
    t.Grid_Name = grid;
    t.Sheet_Name = sheet;
    t.Tab_Caption = tab;
    t.List = list;
    t.Rows = Max_Objects;
    t.Key_Col = SV_Index;
    t.Enable = TRule_Enable::None;
    t.Insert_Enable = false;
    t.Error_Row = 3750;
    t.Hint = TRule_Hint::Displayed;
    t.Clear_Other_Hints = true;
    t.Columns = {
        {header, -1, nullptr, nullptr, TRule_Cell::Text, 40},
        {header + 1, hint, "Index", nullptr, TRule_Cell::Text, 64},
        {header + 2, hint + 1, "SubIndex", nullptr, TRule_Cell::Text, 64},
        {header + 3, hint + 2, "NByte", nullptr, TRule_Cell::Text, 50},
        {header + 4, hint + 3, "Address_B1", nullptr, TRule_Cell::Text, 70},
        {header + 5, hint + 4, "Address_B2", nullptr, TRule_Cell::Text, 70},
        {header + 6, hint + 5, "Address_B3", nullptr, TRule_Cell::Text, 70},
        {header + 7, hint + 6, "Address_B4", nullptr, TRule_Cell::Text, 70},
        {header + 8, hint + 7, "Mnemonic", nullptr, TRule_Cell::Text, 150},
    };
    return t;
}

TRule_Editor_Desc Make_Desc()
{
    TRule_Editor_Desc d;
    d.Form_Name = "FSet_SDO_Server_Access";
    d.Client_Width = 749;
    d.Client_Height = 337;
    d.Caption = 3700;
    d.Description = 3701;
    d.Button_Captions = {3702, 3703, 3704, 3705, 3706, 3707};
    d.Button_Hints = {3708, 3709, 3710, 3711, 3712, 3713};
    d.Headers_In_Cells = true;
    d.Delete_Question = 3765;
    d.Root = "SDO_Server_CANopen";
    d.Version = QStringLiteral("1.000");
    d.Tables = {SDO_Table("sga", "TS_SDO_Read", 3714, "SDO_Read", 3716, 3734),
                SDO_Table("sgb", "TS_SDO_Write", 3715, "SDO_Write", 3725, 3742)};
    return d;
}

} // namespace

const TRule_Editor_Desc &Set_SDO_Server_Access_Desc()
{
    static const TRule_Editor_Desc desc = Make_Desc();
    return desc;
}

TFSet_SDO_Server_Access::TFSet_SDO_Server_Access(QWidget *parent)
    : TSDO_Editor(Set_SDO_Server_Access_Desc(), Path_SDO_Server_CANopen, parent)
{
    FormCreate();
}

QString TFSet_SDO_Server_Access::Check_Row(int table, int, const QStringList &cells)
{
    const bool read = table == 0;
    const int text = read ? 3751 : 3758;   // Index, SubIndex, NByte, Address 1 follow each other
    const TSDO_Check check = {SV_Index, SV_SubIndex, SV_NByte, SV_Add_B1, Min_Index, Max_Index,
                              text,     text + 1,    text + 2, text + 3,  read ? PROFINET_NByte_IN : PROFINET_NByte_OUT};
    return SDO_Check_Object(check, cells);
}
