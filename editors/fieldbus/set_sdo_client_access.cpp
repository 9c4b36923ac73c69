#include "editors/fieldbus/set_sdo_client_access.h"

#include "app/comon.h"
#include "app/language.h"
#include "editors/fieldbus/canopen_rules.h"

TFSet_SDO_Client_Access *FSet_SDO_Client_Access = nullptr;

namespace {

constexpr int Max_Requests = 256;
constexpr int Max_Node = 127;
constexpr int Min_Index = 0x1000;
constexpr int Max_Index = 0xFFFF;
constexpr int Max_Poll_Time = 100000000;

const char *const Address_Attributes[] = {"Address_B1", "Address_B2", "Address_B3", "Address_B4"};

TRule_Table_Desc SDO_Table(const char *grid, const char *sheet, int tab, const char *list)
{
    TRule_Table_Desc t;
    t.Grid_Name = grid;
    t.Sheet_Name = sheet;
    t.Tab_Caption = tab;
    t.List = list;
    t.Rows = Max_Requests;
    t.Key_Col = CR_Device_ID;
    t.Enable = TRule_Enable::None;
    t.Insert_Enable = false;
    t.Error_Row = 3660;
    t.Hint = TRule_Hint::Displayed;
    t.Clear_Other_Hints = true;
    return t;
}

// Columns N .. Poll Time of either table.
void Add_Request_Columns(TRule_Table_Desc &t, int header, int hint)
{
    t.Columns = {
        {header, -1, nullptr, nullptr, TRule_Cell::Text, 40},
        {header + 1, hint, "Device_ID", nullptr, TRule_Cell::Text, 64},
        {header + 2, hint + 1, "Index", nullptr, TRule_Cell::Text, 64},
        {header + 3, hint + 2, "SubIndex", nullptr, TRule_Cell::Text, 64},
        {header + 4, hint + 3, "NByte", nullptr, TRule_Cell::Text, 50},
        {header + 5, hint + 4, "Poll_Time", nullptr, TRule_Cell::Text, 64},
    };
}

void Add_Address_Columns(TRule_Table_Desc &t, int header, int hint)
{
    for (int k = 0; k < 4; ++k)
        t.Columns.push_back({header + k, hint + k, Address_Attributes[k], nullptr, TRule_Cell::Text, 64});
}

TRule_Editor_Desc Make_Desc()
{
    TRule_Table_Desc read = SDO_Table("sga", "TS_SDO_Read", 3614, "SDO_Read");
    Add_Request_Columns(read, 3616, 3639);
    Add_Address_Columns(read, 3622, 3644);
    read.Columns.push_back({3626, 3648, "Mnemonic", nullptr, TRule_Cell::Text, 120});
    TRule_Table_Desc write = SDO_Table("sgb", "TS_SDO_Write", 3615, "SDO_Write");
    Add_Request_Columns(write, 3627, 3649);
    write.Columns.push_back({3633, 3654, "On_Change", nullptr, TRule_Cell::Check, 64});
    Add_Address_Columns(write, 3634, 3655);
    write.Columns.push_back({3638, 3659, "Mnemonic", nullptr, TRule_Cell::Text, 120});

    TRule_Editor_Desc d;
    d.Form_Name = "FSet_SDO_Client_Access";
    d.Client_Width = 798;
    d.Client_Height = 337;
    d.Caption = 3600;
    d.Description = 3601;
    d.Button_Captions = {3602, 3603, 3604, 3605, 3606, 3607};
    d.Button_Hints = {3608, 3609, 3610, 3611, 3612, 3613};
    d.Headers_In_Cells = true;
    d.Delete_Question = 3679;
    d.Root = "SDO_Client_CANopen";
    d.Version = QStringLiteral("1.000");
    d.Tables = {read, write};
    return d;
}

} // namespace

const TRule_Editor_Desc &Set_SDO_Client_Access_Desc()
{
    static const TRule_Editor_Desc desc = Make_Desc();
    return desc;
}

TFSet_SDO_Client_Access::TFSet_SDO_Client_Access(QWidget *parent)
    : TSDO_Editor(Set_SDO_Client_Access_Desc(), Path_SDO_Client_CANopen, parent)
{
    FormCreate();
}

QString TFSet_SDO_Client_Access::Check_Row(int table, int, const QStringList &cells)
{
    const bool read = table == 0;
    if (!Rule_In_Range(cells.value(CR_Device_ID), 1, Max_Node))
        return Lang_Text(read ? 3661 : 3670);
    // The object without its positions first: Poll Time is checked between the two.
    TSDO_Check check = {CR_Index, CR_SubIndex, CR_NByte, -1, Min_Index, Max_Index,
                        read ? 3662 : 3671, read ? 3663 : 3672, read ? 3664 : 3673, -1, 0};
    QString text = SDO_Check_Object(check, cells);
    if (!text.isEmpty())
        return text;
    if (!Rule_In_Range(cells.value(CR_Poll_Time), read ? 1 : 0, Max_Poll_Time))
        return Lang_Text(read ? 3665 : 3674);
    return CANopen_Check_Addresses(cells, read ? int(CR_Add_B1) : int(CW_Add_B1), Rule_Int(cells.value(CR_NByte)),
                                   read ? PROFINET_NByte_IN : PROFINET_NByte_OUT, read ? 3666 : 3675);
}
