#include "editors/building/snmp_trap_access.h"

#include "app/comon.h"
#include "app/language.h"
#include "app/tableediting.h"
#include "app/valuechecks.h"
#include "grid/string/dazcolumngrid.h"
#include "platform/rtl.h"

TFSNMP_Trap_Access *FSNMP_Trap_Access = nullptr;

namespace {

constexpr int Data_Rows = 256;
constexpr int Data_Bytes = 1440;
constexpr int Max_Time = 1000000000;
constexpr int Max_Text = 15;   // Community Name and Description, typed in place

enum { Read_Table, Write_Table };

const QStringList Community_Items = {"Public", "Private"};
const QStringList Type_Items = {"Int", "String"};
const QStringList Bit_Items = {"0", "1", "2", "3", "4", "5", "6", "7"};
const QStringList Conversion_Items = {"None",     "Float",      "Float * 10", "Float * 100",
                                      "Float * 1000", "Float / 10", "Float / 100", "Float / 1000",
                                      "Int * 10", "Int * 100",  "Int * 1000"};

TRule_Table_Desc Read_Table_Desc()
{
    TRule_Table_Desc t;
    t.Grid_Name = "ACG_SNMP_Read";
    t.Sheet_Name = "TS_SNMP_Read";
    t.Tab_Caption = 6208;
    t.List = "SNMP_Trap_Read";
    t.List_Optional = true;
    t.Rows = Data_Rows;
    t.Key_Col = SNR_Community;
    t.Enable = TRule_Enable::Upper;
    t.Error_Row = 6260;
    t.Columns = {
        {6216, -1, nullptr, nullptr, TRule_Cell::Text, 40},
        {6217, 6239, "Enable", "Y", TRule_Cell::Check, 50},
        {6218, 6240, "Community_Name", "", TRule_Cell::Pick_Edit, 110, Community_Items},
        {6219, 6241, "Type", "", TRule_Cell::Pick, 64, Type_Items},
        {6220, 6242, "On_Change", "N", TRule_Cell::Check, 70},
        {6221, 6243, "On_Command", "N", TRule_Cell::Check, 60},
        {6222, 6244, "On_Timer", "N", TRule_Cell::Check, 60},
        {6223, 6245, "Time", ""},
        {6224, 6246, "Position", "", TRule_Cell::Pick},
        {6225, 6247, "Bit", "", TRule_Cell::Pick, 64, Bit_Items},
        {6226, 6248, "NumBits", "", TRule_Cell::Text, 100},
        {6227, 6249, "Description", "", TRule_Cell::Text, 110},
        {6228, 6250, "IP_Address", "", TRule_Cell::Text, 100},
        {6281, 6283, "Conversion", "None", TRule_Cell::Pick, 90, Conversion_Items},
        {6229, 6251, "Mnemonic", "", TRule_Cell::Text, 150},
    };
    return t;
}

TRule_Table_Desc Write_Table_Desc()
{
    TRule_Table_Desc t;
    t.Grid_Name = "ACG_SNMP_Write";
    t.Sheet_Name = "TS_SNMP_Write";
    t.Tab_Caption = 6209;
    t.List = "SNMP_Trap_Write";
    t.List_Optional = true;
    t.Rows = Data_Rows;
    t.Key_Col = SNW_Community;
    t.Enable = TRule_Enable::Upper;
    t.Error_Row = 6260;
    t.Columns = {
        {6230, -1, nullptr, nullptr, TRule_Cell::Text, 40},
        {6231, 6252, "Enable", "Y", TRule_Cell::Check, 50},
        {6232, 6253, "Community_Name", "", TRule_Cell::Pick_Edit, 110, Community_Items},
        {6233, 6254, "Type", "", TRule_Cell::Pick, 64, Type_Items},
        {6234, 6255, "Position", "", TRule_Cell::Pick},
        {6235, 6256, "Bit", "", TRule_Cell::Pick, 64, Bit_Items},
        {6236, 6257, "NumBits", "", TRule_Cell::Text, 100},
        {6237, 6258, "Description", "", TRule_Cell::Text, 110},
        {6282, 6284, "Conversion", "None", TRule_Cell::Pick, 90, Conversion_Items},
        {6238, 6259, "Mnemonic", "", TRule_Cell::Text, 150},
    };
    return t;
}

TRule_Editor_Desc Make_Desc()
{
    TRule_Editor_Desc d;
    d.Form_Name = "FSNMP_Trap_Access";
    d.Client_Width = 1256;
    d.Client_Height = 337;
    d.Caption = 6200;
    d.Description = 6201;
    d.Button_Captions = {6202, 6203, 6204, 6205, 6206, 6207};
    d.Button_Hints = {6210, 6211, 6212, 6213, 6214, 6215};
    d.Delete_Question = 6275;
    d.Root = "SNMP_Trap";
    d.Version = QStringLiteral("1.000");
    d.Tables = {Read_Table_Desc(), Write_Table_Desc()};
    return d;
}

// Texts of the checks, read / write.
struct TCheck_Texts
{
    int Community, Type, Position, Bit, Bit_String, Int_Bits, String_Bytes, Description, Conversion;
};
const TCheck_Texts Check_Texts[] = {{6276, 6261, 6263, 6264, 6265, 6266, 6267, 6277, 6285},
                                    {6278, 6269, 6270, 6271, 6272, 6273, 6274, 6279, 6286}};

// Real columns of the cells both tables check.
struct TCheck_Cols
{
    int Community, Type, Position, Bit, NumBits, Description, Conversion;
};
const TCheck_Cols Check_Cols[] = {
    {SNR_Community, SNR_Type, SNR_Position, SNR_Bit, SNR_NumBits, SNR_Description, SNR_Conversion},
    {SNW_Community, SNW_Type, SNW_Position, SNW_Bit, SNW_NumBits, SNW_Description, SNW_Conversion}};

bool Blank(const QString &s) { return Trim(s).isEmpty(); }

} // namespace

const TRule_Editor_Desc &SNMP_Trap_Access_Desc()
{
    static const TRule_Editor_Desc desc = Make_Desc();
    return desc;
}

bool Check_Error_CommName_Desc(const QString &text, int Check_Type)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const bool lower = c >= u'a' && c <= u'z';
        if (Check_Type == 1 && i == 0 && !lower)
            return true;
        if (!lower && !(c >= u'A' && c <= u'Z') && !(c >= u'0' && c <= u'9'))
            return true;
    }
    return false;
}

QString SNMP_Trap_Check_Row(int table, const QStringList &cells)
{
    const TCheck_Texts &text = Check_Texts[table];
    const TCheck_Cols &col = Check_Cols[table];
    const auto cell = [&cells](int c) { return cells.value(c); };
    if (Check_Error_CommName_Desc(cell(col.Community), 0))
        return Lang_Text(text.Community);
    if (Blank(cell(col.Type)))
        return Lang_Text(text.Type);
    const bool is_int = UpperCase(cell(col.Type)) == QLatin1String("INT");
    if (table == Read_Table && UpperCase(cell(SNR_OnTimer)) == QLatin1String("Y")
        && !Rule_In_Range(cell(SNR_Time), 1, Max_Time))
        return Lang_Text(6262);
    if (Blank(cell(col.Position)))
        return Lang_Text(text.Position);
    if (Blank(cell(col.Bit)))
        return Lang_Text(text.Bit);
    if (!is_int && Trim(cell(col.Bit)) != QLatin1String("0"))
        return Lang_Text(text.Bit_String);
    if (is_int ? !Rule_In_Range(cell(col.NumBits), 1, 64) : !Rule_In_Range(cell(col.NumBits), 1, 16))
        return Lang_Text(is_int ? text.Int_Bits : text.String_Bytes);
    if (Check_Error_CommName_Desc(cell(col.Description), 1))
        return Lang_Text(text.Description);
    if (table == Read_Table) {
        QString p1, p2, p3, p4;
        if (!Split_IP_Address(cell(SNR_IP_Address), p1, p2, p3, p4))
            return Lang_Text(6268);
    }
    if (Blank(cell(col.Conversion)))
        return Lang_Text(text.Conversion);
    return {};
}

TFSNMP_Trap_Access::TFSNMP_Trap_Access(QWidget *parent)
    : TRule_Editor(SNMP_Trap_Access_Desc(), Path_SNMP_Trap, parent),
      ACG_SNMP_Read(Grid(Read_Table)),
      ACG_SNMP_Write(Grid(Write_Table)),
      Hint_SNMP_Read(Tables[Read_Table].Hints),
      Hint_SNMP_Write(Tables[Write_Table].Hints),
      Do_Copy_In_Read(Tables[Read_Table].Do_Copy),
      Do_Copy_In_Write(Tables[Write_Table].Do_Copy)
{
    for (const auto &[grid, community, description] :
         {std::tuple{ACG_SNMP_Read, int(SNR_Community), int(SNR_Description)},
          std::tuple{ACG_SNMP_Write, int(SNW_Community), int(SNW_Description)}}) {
        grid->Columns().Items(community)->SetEditLength(Max_Text);
        grid->Columns().Items(description)->SetEditLength(Max_Text);
        TDazColumnGrid *g = grid;
        grid->OnCheckBoxClick = [this, g](TObject *, int ACol, int ARow, bool) {
            ACG_SNMP_ReadCheckBoxClick(g, ACol, ARow);
        };
    }
    FormCreate();
}

void TFSNMP_Trap_Access::Show_Prepare()
{
    NByte_IN = Data_Bytes;
    NByte_OUT = Data_Bytes;
    Rule_Set_Number_Items(*ACG_SNMP_Read, SNR_Position, NByte_IN);
    Rule_Set_Number_Items(*ACG_SNMP_Write, SNW_Position, NByte_OUT);
}

void TFSNMP_Trap_Access::Show_Loaded()
{
    Index_Row_Build(*ACG_SNMP_Read);
    Index_Row_Build(*ACG_SNMP_Write);
}

void TFSNMP_Trap_Access::Index_Row_Build(TDazStringGrid &app_SGA)
{
    app_SGA.BeginUpdate();
    int index = 0;
    for (int r = 1; r < app_SGA.RowCount(); ++r)
        app_SGA.SetCellEx(0, r, UpperCase(app_SGA.GetCellEx(1, r)) == QLatin1String("Y") ? IntToStr(++index)
                                                                                          : QString());
    app_SGA.EndUpdate();
}

void TFSNMP_Trap_Access::ACG_SNMP_ReadCheckBoxClick(TDazStringGrid *Sender, int ACol, int)
{
    if (Sender->RealColIndex(ACol) == 1)
        Index_Row_Build(*Sender);
}

void TFSNMP_Trap_Access::Btn_DelRowClick()
{
    TRule_Editor::Btn_DelRowClick();
    Index_Row_Build(*Active_Grid());
}

void TFSNMP_Trap_Access::Btn_InsRowClick()
{
    TRule_Editor::Btn_InsRowClick();
    Index_Row_Build(*Active_Grid());
}

void TFSNMP_Trap_Access::Btn_PasteRowClick()
{
    TRule_Editor::Btn_PasteRowClick();
    Index_Row_Build(*Active_Grid());
}

QString TFSNMP_Trap_Access::Check_Row(int table, int, const QStringList &cells)
{
    return SNMP_Trap_Check_Row(table, cells);
}

QString TFSNMP_Trap_Access::Check_Tables(const TRule_Data &data)
{
    SL_Check_Desc.clear();
    for (size_t t = 0; t < data.size(); ++t) {
        const TRule_Table_Desc &table = Desc().Tables[t];
        for (const QStringList &cells : data[t]) {
            if (Rule_Key_Empty(table, cells))
                break;
            if (Rule_Enabled(table, cells))
                SL_Check_Desc.append(cells.value(Check_Cols[t].Description));
        }
    }
    QStringList seen = SL_Check_Desc;
    seen.removeDuplicates();
    if (seen.size() != SL_Check_Desc.size())
        return Lang_Text(6280);
    return {};
}
