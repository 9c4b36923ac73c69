#include "editors/fieldbus/modbus_tcp_master_set_access.h"

#include "app/comon.h"
#include "app/language.h"
#include "editors/fieldbus/modbus_rules.h"
#include "grid/string/dazcolumngrid.h"
#include "platform/rtl.h"

#include <QTabWidget>

TFModbus_TCP_Master_Set_Access *FModbus_TCP_Master_Set_Access = nullptr;

namespace {

constexpr int Data_Rows = 512;
constexpr int Image_Bytes = 1500;
constexpr int Max_Port = 65535;

const QStringList Bit_Items = {"0", "1", "2", "3", "4", "5", "6", "7"};

TRule_Table_Desc Read_Table()
{
    TRule_Table_Desc t;
    t.Grid_Name = "ACG_Modbus_Read";
    t.Sheet_Name = "TS_Modbus_Read";
    t.Tab_Caption = 3106;
    t.List = "Modbus_Read";
    t.Rows = Data_Rows;
    t.Key_Col = TR_IP_Address;
    t.Error_Row = 3138;
    t.Hint = TRule_Hint::None;   // no hint handler
    t.Show_Hints = false;
    t.Key_Press = false;         // no key-press handler: Enter does not walk this table
    t.Columns = {
        {3108, -1, nullptr, nullptr, TRule_Cell::Text, 40},
        {3109, 3169, "Enable", "Y", TRule_Cell::Check, 50},
        {3110, 3170, "IP_Address", nullptr, TRule_Cell::Text, 101},
        {3111, 3171, "Port", nullptr, TRule_Cell::Text, 45},
        {3112, 3172, "Slave_ID", nullptr, TRule_Cell::Text, 55},
        {3113, 3173, "Type", nullptr, TRule_Cell::Pick, 100,
         {"Coil Status", "Input Status", "Holding Register", "Input Register"}},
        {3114, 3174, "Address", nullptr, TRule_Cell::Text, 55},
        {3115, 3175, "NPoint", nullptr, TRule_Cell::Text, 45},
        {3116, 3176, "PollTime", nullptr, TRule_Cell::Text, 60},
        {3117, 3177, "MaxError", nullptr, TRule_Cell::Text, 64},
        {3118, 3178, "Position", nullptr, TRule_Cell::Pick, 60},
        {3119, 3179, "Bit", nullptr, TRule_Cell::Pick, 60, Bit_Items},
        {3120, 3180, "Swap", "N", TRule_Cell::Check, 40},
        {3200, 3202, "SwapWord", "N", TRule_Cell::Check, 80},
        {3162, 3181, "Index_Topic", "", TRule_Cell::Pick, 120},
        {3121, 3182, "Mnemonic", nullptr, TRule_Cell::Text, 140},
    };
    return t;
}

TRule_Table_Desc Write_Table()
{
    TRule_Table_Desc t;
    t.Grid_Name = "ACG_Modbus_Write";
    t.Sheet_Name = "TS_Modbus_Write";
    t.Tab_Caption = 3107;
    t.List = "Modbus_Write";
    t.Rows = Data_Rows;
    t.Key_Col = TW_IP_Address;
    t.Error_Row = 3138;
    t.Hint = TRule_Hint::Displayed;
    t.Show_Hints = false;
    t.Columns = {
        {3122, -1, nullptr, nullptr, TRule_Cell::Text, 40},
        {3123, 3183, "Enable", "Y", TRule_Cell::Check, 50},
        {3124, 3184, "IP_Address", nullptr, TRule_Cell::Text, 101},
        {3125, 3185, "Port", nullptr, TRule_Cell::Text, 45},
        {3126, 3186, "Slave_ID", nullptr, TRule_Cell::Text, 55},
        {3127, 3187, "Type", nullptr, TRule_Cell::Pick, 100, {"Coil Status", "Holding Register"}},
        {3128, 3188, "Address", nullptr, TRule_Cell::Text, 55},
        {3129, 3189, "NPoint", nullptr, TRule_Cell::Text, 45},
        {3130, 3190, "PollTime", nullptr, TRule_Cell::Text, 60},
        {3131, 3191, "OnChange", nullptr, TRule_Cell::Check, 66},
        {3132, 3192, "OnCMD", "N", TRule_Cell::Check, 56},
        {3133, 3193, "MaxError", nullptr, TRule_Cell::Text, 62},
        {3134, 3194, "Position", nullptr, TRule_Cell::Pick, 55},
        {3135, 3195, "Bit", nullptr, TRule_Cell::Pick, 55, Bit_Items},
        {3136, 3196, "Swap", "N", TRule_Cell::Check, 40},
        {3201, 3203, "SwapWord", "N", TRule_Cell::Check, 80},
        {3137, 3197, "Mnemonic", nullptr, TRule_Cell::Text, 150},
    };
    return t;
}

TRule_Editor_Desc Make_Desc()
{
    TRule_Editor_Desc d;
    d.Form_Name = "FModbus_TCP_Master_Set_Access";
    d.Client_Width = 1150;
    d.Client_Height = 337;
    d.Caption = 3100;
    d.Description = 3101;
    // Copy Row and Paste Row keep the captions of the layout in every language.
    d.Button_Captions = {3102, 3103, 3104, 3105, -1, -1};
    d.Button_Hints = {3163, 3164, 3165, 3166, 3167, 3168};
    d.Buttons_Show_Hints = false;
    d.Delete_Question = 3161;
    d.Root = "PROFINET_Master_to_Modbus_TCP_Master";
    d.Version = QStringLiteral("1.005");
    d.Tables = {Read_Table(), Write_Table()};
    return d;
}

const TModbus_Columns Read_Cols = {TR_Slave_ID, TR_Type,     TR_Address, TR_NPoint, TR_PollTime,
                                   TR_MaxError, TR_Position, TR_Bit,     TR_Topic};
const TModbus_Texts Read_Texts = {3141, 3142, 3143, 3144, 3199, 3145, 3146, 3147, 3148, 3149, 3198};
const TModbus_Columns Write_Cols = {TW_Slave_ID, TW_Type,     TW_Address, TW_NPoint, TW_PollTime,
                                    TW_MaxError, TW_Position, TW_Bit,     -1};
const TModbus_Texts Write_Texts = {3152, 3153, 3154, 3155, 3156, 3156, 3157, 3158, 3159, 3160, -1};

// The read hints a showing puts back: every column's but the Topic's.
constexpr int Show_Read_Hints[] = {3169, 3170, 3171, 3172, 3173, 3174, 3175,
                                   3176, 3177, 3178, 3179, 3180, 3202, 3182};

} // namespace

const TRule_Editor_Desc &Modbus_TCP_Master_Desc()
{
    static const TRule_Editor_Desc desc = Make_Desc();
    return desc;
}

bool Check_IP_Address(const QString &text)
{
    if (text.isEmpty())
        return true;
    QString rest = text;
    for (int i = 0; i < 3; ++i) {
        const qsizetype dot = rest.indexOf(QLatin1Char('.'));
        QString part;
        if (dot >= 0) {
            part = rest.left(dot);
            rest = rest.mid(dot + 1);
        }
        if (!Rule_In_Range(part, 0, 255))
            return true;
    }
    return !Rule_In_Range(rest, 0, 255);
}

TFModbus_TCP_Master_Set_Access::TFModbus_TCP_Master_Set_Access(QWidget *parent)
    : TRule_Editor(Modbus_TCP_Master_Desc(), Path_ModbusTCPM_SetAccess, parent),
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

void TFModbus_TCP_Master_Set_Access::Show_Setup()
{
    Hint_Modbus_Set_Access_Read.clear();
    for (int text : Show_Read_Hints)
        Hint_Modbus_Set_Access_Read.append(Lang_Text(text));
    PageControl1->setTabVisible(1, true);
    ACG_Modbus_Read->HideColumn(TR_Topic);
    ACG_Modbus_Read->UnHideColumn(TR_Position);
    ACG_Modbus_Read->UnHideColumn(TR_Bit);
}

void TFModbus_TCP_Master_Set_Access::Show_Prepare()
{
    NByte_IN = Image_Bytes;
    NByte_OUT = Image_Bytes;
    Rule_Set_Number_Items(*ACG_Modbus_Read, TR_Position, NByte_IN);
    Rule_Set_Number_Items(*ACG_Modbus_Write, TW_Position, NByte_OUT);
}

QString TFModbus_TCP_Master_Set_Access::Check_Row(int table, int, const QStringList &cells)
{
    const bool read = table == 0;
    if (Check_IP_Address(cells.value(TR_IP_Address)))
        return Lang_Text(read ? 3139 : 3150);
    if (!Rule_In_Range(cells.value(TR_Port), 0, Max_Port))
        return Lang_Text(read ? 3140 : 3151);
    TModbus_Check check;
    if (read) {
        check.Cols = Read_Cols;
        check.Texts = Read_Texts;
        check.NByte = NByte_IN;
        check.Position_Shown = !ACG_Modbus_Read->IsHiddenColumn(TR_Position);
        check.Topic_Shown = !ACG_Modbus_Read->IsHiddenColumn(TR_Topic);
        check.Working_Mode = Working_Mode;
    } else {
        check.Write = true;
        check.Cols = Write_Cols;
        check.Texts = Write_Texts;
        check.NByte = NByte_OUT;
    }
    return Modbus_Check_Row(check, cells);
}

QString TFModbus_TCP_Master_Set_Access::Cell_From_File(int table, int, int col, const QString &value)
{
    if (table != 0 || col != TR_Topic)
        return value;
    return Get_Topic_From_Index(Rule_Int(value));
}

QString TFModbus_TCP_Master_Set_Access::Cell_To_File(int table, int, int col, const QString &cell)
{
    if (table != 0 || col != TR_Topic)
        return cell;
    return IntToStr(Get_Index_From_Topic(cell));
}

QString TFModbus_TCP_Master_Set_Access::Get_Topic_From_Index(int index) const
{
    return index >= 0 && index < List_Publish_Topic.size() ? List_Publish_Topic[index] : QString();
}

int TFModbus_TCP_Master_Set_Access::Get_Index_From_Topic(const QString &topic) const
{
    return int(List_Publish_Topic.indexOf(topic));
}
