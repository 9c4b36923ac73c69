#include "editors/building/opc_ua_server_access.h"

#include "app/comon.h"
#include "app/language.h"
#include "app/tableediting.h"
#include "editors/building/enable_boxes.h"
#include "grid/base/cellproperties.h"
#include "grid/string/dazcolumngrid.h"
#include "platform/dialogs.h"
#include "platform/rtl.h"

TFOPC_UA_Server_Access *FOPC_UA_Server_Access = nullptr;

namespace {

constexpr int Data_Rows = 250;
constexpr int Position_Limit = 2000;

// Backgrounds as 0x00BBGGRR.
constexpr TColor Enable_Color = 0xB0D8FF;     // FFD8B0
constexpr TColor Type_Color = 0xFEFAE0;       // E0FAFE
constexpr TColor Place_Color = 0xA8FFA8;      // A8FFA8
constexpr TColor Name_Color = 0xF4D6FC;       // FCD6F4
constexpr TColor Mnemonic_Color = 0xFFFFFF;

struct TType_Length
{
    const char *Type;
    const char *Length;
    bool Fixed;
};
const TType_Length Type_Lengths[] = {
    {"Boolean", "1", true}, {"Signed Byte", "1", true}, {"Byte", "1", true},  {"Int16", "2", true},
    {"UInt16", "2", true},  {"Int32", "4", true},       {"UInt32", "4", true}, {"Float", "4", true},
    {"Int64", "8", true},   {"UInt64", "8", true},      {"Double", "8", true}, {"String", "10", false},
    {"ByteString", "10", false},
};

TRule_Editor_Desc Make_Desc()
{
    TRule_Table_Desc t;
    t.Grid_Name = "RUD";
    t.List = "OPC_UA_Server_Variables";
    t.Rows = Data_Rows;
    t.Key_Col = OS_Type;
    t.Hint = TRule_Hint::None;
    t.Show_Hints = false;
    t.Key_Press = false;
    t.In_Place_Edit = true;
    t.Columns = {
        {5814, -1, nullptr, nullptr, TRule_Cell::Text, 40},
        {5815, 5821, "Enable", "Y", TRule_Cell::Text, 50},
        {5816, 5822, "Type", "", TRule_Cell::Text, 120},
        {5817, 5823, "Position", "", TRule_Cell::Text, 100},
        {5818, 5824, "Length", "", TRule_Cell::Text, 100},
        {5819, 5825, "Name", "", TRule_Cell::Text, 280},
        {5829, 5830, "ReadWrite", "", TRule_Cell::Text, 100},
        {5820, 5826, "Mnemonic", "", TRule_Cell::Text, 280},
    };
    TRule_Editor_Desc d;
    d.Form_Name = "FOPC_UA_Server_Access";
    d.Client_Width = 1200;
    d.Client_Height = 337;
    d.Caption = 5800;
    d.Description = 5801;
    d.Button_Captions = {5802, 5803, 5804, 5805, 5806, 5807};
    d.Button_Hints = {5808, 5809, 5810, 5811, 5812, 5813};
    d.Check_Routines = true;
    d.Headers_In_Cells = true;
    d.Root = "OPC_UA_Server";
    d.Version = QStringLiteral("1.000");
    d.Tables = {t};
    return d;
}

} // namespace

const TRule_Editor_Desc &OPC_UA_Server_Access_Desc()
{
    static const TRule_Editor_Desc desc = Make_Desc();
    return desc;
}

bool OPC_UA_Server_Type_Length(const QString &type, QString &length, bool &fixed)
{
    for (const TType_Length &t : Type_Lengths)
        if (type == QLatin1String(t.Type)) {
            length = QLatin1String(t.Length);
            fixed = t.Fixed;
            return true;
        }
    return false;
}

TFOPC_UA_Server_Access::TFOPC_UA_Server_Access(QWidget *parent)
    : TRule_Editor(OPC_UA_Server_Access_Desc(), Path_OPC_UA_Server, parent),
      RUD(Grid(0)),
      Hint(Tables[0].Hints),
      Do_Copy(Tables[0].Do_Copy)
{
    RUD->OnGetEditorType = [this](TObject *, int ACol, int ARow, TEditorType &AEditor) {
        RUDGetEditorType(RUD, ACol, ARow, AEditor);
    };
    FormCreate();
    Init_Table();
}

void TFOPC_UA_Server_Access::Init_Table()
{
    RUD->BeginUpdate();
    RUD->AddCheckBoxColumn(OS_Enable, false, false);
    // A check-box cell of a column grid is painted in its column's colour, not its own.
    RUD->Columns().Items(OS_Enable)->SetColor(Enable_Color);
    const TColor colors[] = {0, Enable_Color, Type_Color, Place_Color, Place_Color, Name_Color, Name_Color,
                             Mnemonic_Color};
    for (int r = 1; r < RUD->RowCount(); ++r) {
        RUD->SetCellEx(OS_N, r, IntToStr(r));
        for (int c = OS_Enable; c < OS_Col_Count; ++c)
            RUD->SetColors(c, r, colors[c]);
        RUD->GetCellProperties(OS_Enable, r)->SetAlignment(taCenter);
    }
    RUD->EndUpdate();
    VarType.clear();
    for (const TType_Length &t : Type_Lengths)
        VarType << QLatin1String(t.Type);
    RWType = {QStringLiteral("Read Only"), QStringLiteral("Read/Write")};
}

void TFOPC_UA_Server_Access::RUDGetEditorType(TDazStringGrid *Sender, int ACol, int, TEditorType &AEditor)
{
    const int col = Sender->RealColIndex(ACol);
    if (col != OS_Type && col != OS_ReadWrite)
        return;
    AEditor = edComboList;
    Sender->ClearComboString();
    for (const QString &item : col == OS_Type ? VarType : RWType)
        Sender->AddComboString(item);
}

void TFOPC_UA_Server_Access::ComboChange(TDazStringGrid *Sender, int ACol, int ARow, int AItemIndex)
{
    if (Sender->RealColIndex(ACol) == OS_Type)
        VarSetLength(VarType.value(AItemIndex), OS_Type, ARow);
}

void TFOPC_UA_Server_Access::VarSetLength(const QString &type, int, int row)
{
    QString length;
    bool fixed = false;
    if (OPC_UA_Server_Type_Length(type, length, fixed)) {
        RUD->SetCellEx(OS_Length, row, length);
        RUD->SetReadOnly(OS_Length, row, fixed);
    }
    if (RUD->GetCellEx(OS_ReadWrite, row).isEmpty())
        RUD->SetCellEx(OS_ReadWrite, row, RWType.value(1));
}

void TFOPC_UA_Server_Access::Show_Prepare()
{
    // A mark left from an earlier showing must not lock the Length of a fresh row.
    RUD->BeginUpdate();
    for (int r = 1; r < RUD->RowCount(); ++r)
        for (int c = OS_Enable; c < OS_Col_Count; ++c)
            RUD->SetReadOnly(c, r, false);
    RUD->EndUpdate();
}

void TFOPC_UA_Server_Access::Show_Loaded()
{
    Enable_Texts_To_Boxes(*RUD, OS_Enable);
    // The Length of every typed row is marked as its type says.
    RUD->BeginUpdate();
    for (int r = 1; r < RUD->RowCount(); ++r) {
        QString length;
        bool fixed = false;
        if (OPC_UA_Server_Type_Length(RUD->GetCellEx(OS_Type, r), length, fixed))
            RUD->SetReadOnly(OS_Length, r, fixed);
    }
    RUD->EndUpdate();
}

QString TFOPC_UA_Server_Access::Cell_From_File(int, int, int col, const QString &value)
{
    return col == OS_Enable ? Enable_From_File(value) : value;
}

TRule_Data TFOPC_UA_Server_Access::Grid_Data() const
{
    TRule_Data data = TRule_Editor::Grid_Data();
    Enable_Boxes_To_Texts(*RUD, OS_Enable, data[0]);
    return data;
}

QString TFOPC_UA_Server_Access::Check_Row(int, int row, const QStringList &cells)
{
    if (!Rule_In_Range(cells.value(OS_Position), 0, Position_Limit - 1))
        return Format(Lang_Text(5827), {row, Position_Limit});
    return {};
}

void TFOPC_UA_Server_Access::Btn_DelRowClick()
{
    const int row = RUD->Row();
    if (MessageYesNo(Format(Lang_Text(5828), {row}), {}, this))
        Grid_Delete_Row_Check(row, *RUD, true);
}

void TFOPC_UA_Server_Access::Btn_PasteRowClick()
{
    const int row = RUD->Row();
    TRule_Editor::Btn_PasteRowClick();
    // The copied Length stays; the type sets its read-only mark.
    const QString length = RUD->GetCellEx(OS_Length, row);
    VarSetLength(RUD->GetCellEx(OS_Type, row), OS_Type, row);
    RUD->SetCellEx(OS_Length, row, length);
}
