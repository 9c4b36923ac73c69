#include "editors/fieldbus/setaccess.h"

#include "app/comon.h"
#include "editors/fieldbus/modbus_rules.h"
#include "grid/string/dazcolumngrid.h"
#include "platform/rtl.h"

#include <QTabWidget>

TFSetAccess *FSetAccess = nullptr;

namespace {

constexpr int Data_Rows = 512;
constexpr int Image_Bytes = 1500;   // the gateway's input and output images

const QStringList Bit_Items = {"0", "1", "2", "3", "4", "5", "6", "7"};

TRule_Table_Desc Read_Table()
{
    TRule_Table_Desc t;
    t.Grid_Name = "ACG_Modbus_Read";
    t.Sheet_Name = "TS_Modbus_Read";
    t.Tab_Caption = 3014;
    t.List = "Modbus_Read";
    t.Rows = Data_Rows;
    t.Key_Col = MR_Slave_ID;
    t.Error_Row = 3068;
    t.Hint = TRule_Hint::Real;
    t.Show_Hints = true;
    t.Columns = {
        {3016, -1, nullptr, nullptr, TRule_Cell::Text, 40},
        {3017, 3043, "Enable", "Y", TRule_Cell::Check, 50},
        {3018, 3044, "Slave_ID", nullptr, TRule_Cell::Text, 60},
        {3019, 3045, "Type", nullptr, TRule_Cell::Pick, 115,
         {"Coil Status", "Input Status", "Holding Register", "Input Register"}},
        {3020, 3046, "Address", nullptr, TRule_Cell::Text, 60},
        {3021, 3047, "NPoint", nullptr, TRule_Cell::Text, 64},
        {3022, 3048, "PollTime", nullptr, TRule_Cell::Text, 64},
        {3023, 3049, "MaxError", nullptr, TRule_Cell::Text, 64},
        {3024, 3050, "Position", nullptr, TRule_Cell::Pick, 61},
        {3025, 3051, "Bit", nullptr, TRule_Cell::Pick, 64, Bit_Items},
        {3026, 3052, "Swap", "N", TRule_Cell::Check, 40},
        {3090, 3092, "SwapWord", "N", TRule_Cell::Check, 80},
        {3042, 3053, "Index_Topic", "", TRule_Cell::Pick, 120},
        {3027, 3054, "Mnemonic", nullptr, TRule_Cell::Text, 120},
    };
    return t;
}

TRule_Table_Desc Write_Table()
{
    TRule_Table_Desc t;
    t.Grid_Name = "ACG_Modbus_Write";
    t.Sheet_Name = "TS_Modbus_Write";
    t.Tab_Caption = 3015;
    t.List = "Modbus_Write";
    t.Rows = Data_Rows;
    t.Key_Col = MW_Slave_ID;
    t.Error_Row = 3068;
    t.Hint = TRule_Hint::Real;
    t.Show_Hints = false;
    t.Columns = {
        {3028, -1, nullptr, nullptr, TRule_Cell::Text, 40},
        {3029, 3055, "Enable", "Y", TRule_Cell::Check, 50},
        {3030, 3056, "Slave_ID", nullptr, TRule_Cell::Text, 60},
        {3031, 3057, "Type", nullptr, TRule_Cell::Pick, 115, {"Coil Status", "Holding Register"}},
        {3032, 3058, "Address", nullptr, TRule_Cell::Text, 60},
        {3033, 3059, "NPoint", nullptr, TRule_Cell::Text, 64},
        {3034, 3060, "PollTime", nullptr, TRule_Cell::Text, 64},
        {3035, 3061, "OnChange", nullptr, TRule_Cell::Check, 68},
        {3036, 3062, "OnCMD", "N", TRule_Cell::Check, 56},
        {3037, 3063, "MaxError", nullptr, TRule_Cell::Text, 64},
        {3038, 3064, "Position", nullptr, TRule_Cell::Pick, 64},
        {3039, 3065, "Bit", nullptr, TRule_Cell::Pick, 64, Bit_Items},
        {3040, 3066, "Swap", "N", TRule_Cell::Check, 40},
        {3091, 3093, "SwapWord", "N", TRule_Cell::Check, 80},
        {3041, 3067, "Mnemonic", nullptr, TRule_Cell::Text, 113},
    };
    return t;
}

TRule_Editor_Desc Make_Desc()
{
    TRule_Editor_Desc d;
    d.Form_Name = "FSetAccess";
    d.Client_Width = 1040;
    d.Client_Height = 337;
    d.Caption = 3000;
    d.Description = 3001;
    d.Button_Captions = {3002, 3003, 3004, 3005, 3006, 3007};
    d.Button_Hints = {3008, 3009, 3010, 3011, 3012, 3013};
    d.Buttons_Show_Hints = false;
    d.Delete_Question = 3088;
    d.Root = "EtherNetIP_to_Modbus";
    d.Version = QStringLiteral("1.001");
    d.Tables = {Read_Table(), Write_Table()};
    return d;
}

const TModbus_Columns Read_Cols = {MR_Slave_ID, MR_Type,     MR_Address, MR_NPoint, MR_PollTime,
                                   MR_MaxError, MR_Position, MR_Bit,     MR_Topic};
const TModbus_Texts Read_Texts = {3069, 3070, 3071, 3072, 3073, 3089, 3074, 3075, 3076, 3077, 3078};
const TModbus_Columns Write_Cols = {MW_Slave_ID, MW_Type,     MW_Address, MW_NPoint, MW_PollTime,
                                    MW_MaxError, MW_Position, MW_Bit,     -1};
const TModbus_Texts Write_Texts = {3079, 3080, 3081, 3082, 3083, 3083, 3084, 3085, 3086, 3087, -1};

} // namespace

const TRule_Editor_Desc &SetAccess_Desc()
{
    static const TRule_Editor_Desc desc = Make_Desc();
    return desc;
}

TFSetAccess::TFSetAccess(QWidget *parent)
    : TRule_Editor(SetAccess_Desc(), Path_ModbusM_SetAccess, parent),
      ACG_Modbus_Read(Grid(0)),
      ACG_Modbus_Write(Grid(1)),
      TS_Modbus_Read(Tables[0].Sheet),
      TS_Modbus_Write(Tables[1].Sheet),
      Hint_Modbus_Set_Access_Read(Tables[0].Hints),
      Hint_Modbus_Set_Access_Write(Tables[1].Hints),
      Do_Copy_In_Read(Tables[0].Do_Copy),
      Do_Copy_In_Write(Tables[1].Do_Copy)
{
    FormCreate();
}

void TFSetAccess::Show_Setup()
{
    PageControl1->setTabVisible(1, true);
    ACG_Modbus_Read->HideColumn(MR_Topic);
    ACG_Modbus_Read->UnHideColumn(MR_Position);
    ACG_Modbus_Read->UnHideColumn(MR_Bit);
}

void TFSetAccess::Show_Prepare()
{
    ComboItem_Topic.assign(size_t(ACG_Modbus_Read->RowCount() - 1), -1);
    NByte_IN = Image_Bytes;
    NByte_OUT = Image_Bytes;
    Rule_Set_Number_Items(*ACG_Modbus_Read, MR_Position, NByte_IN);
    Rule_Set_Number_Items(*ACG_Modbus_Write, MW_Position, NByte_OUT);
}

QString TFSetAccess::Check_Row(int table, int, const QStringList &cells)
{
    TModbus_Check check;
    if (table == 0) {
        check.Cols = Read_Cols;
        check.Texts = Read_Texts;
        check.NByte = NByte_IN;
        check.Position_Shown = !ACG_Modbus_Read->IsHiddenColumn(MR_Position);
        check.Topic_Shown = !ACG_Modbus_Read->IsHiddenColumn(MR_Topic);
        check.Working_Mode = Working_Mode;
    } else {
        check.Write = true;
        check.Cols = Write_Cols;
        check.Texts = Write_Texts;
        check.NByte = NByte_OUT;
    }
    return Modbus_Check_Row(check, cells);
}

QString TFSetAccess::Cell_From_File(int table, int row, int col, const QString &value)
{
    if (table != 0 || col != MR_Topic)
        return value;
    const int index = Rule_Int(value);
    if (row >= 1 && row <= int(ComboItem_Topic.size()))
        ComboItem_Topic[size_t(row - 1)] = index;
    return Get_Topic_From_Index(index);
}

QString TFSetAccess::Cell_To_File(int table, int row, int col, const QString &cell)
{
    if (table != 0 || col != MR_Topic)
        return cell;
    if (ACG_Modbus_Read->IsHiddenColumn(MR_Topic))
        return QString();
    const int remembered = row >= 1 && row <= int(ComboItem_Topic.size()) ? ComboItem_Topic[size_t(row - 1)] : -1;
    return IntToStr(Get_Index_From_Topic(cell, remembered));
}

void TFSetAccess::ComboChange(TDazStringGrid *Sender, int ACol, int ARow, int AItemIndex)
{
    if (Sender == ACG_Modbus_Read && ACol == MR_Topic && ARow >= 1 && ARow <= int(ComboItem_Topic.size()))
        ComboItem_Topic[size_t(ARow - 1)] = AItemIndex;
}

QString TFSetAccess::Get_Topic_From_Index(int index) const
{
    return index >= 0 && index < List_Publish_Topic.size() ? List_Publish_Topic[index] : QString();
}

int TFSetAccess::Get_Index_From_Topic(const QString &topic, int remembered) const
{
    if (remembered >= 0 && remembered < List_Publish_Topic.size() && List_Publish_Topic[remembered] == topic)
        return remembered;
    return int(List_Publish_Topic.indexOf(topic));
}
