#include "editors/fieldbus/dnet.h"

#include "app/comon.h"
#include "app/language.h"

TFDNet *FDNet = nullptr;

namespace {

constexpr int Max_Slaves = 64;
constexpr int Max_ID = 63;
constexpr int Max_Bytes = 65535;

TRule_Editor_Desc Make_Desc()
{
    TRule_Table_Desc t;
    t.Grid_Name = "RUD";
    t.Rows = Max_Slaves;
    t.Key_Col = DN_ID;
    t.Key_Trimmed = false;
    t.Enable = TRule_Enable::None;
    t.Insert_Enable = false;
    t.Error_Row = 3823;
    t.Hint = TRule_Hint::Displayed;
    t.Clear_Other_Hints = true;
    t.Col_Sizing = false;
    t.Columns = {
        {3814, -1, nullptr, nullptr, TRule_Cell::Text, 45},
        {3815, 3819, "ID", nullptr, TRule_Cell::Text, 100},
        {3816, 3820, "NB_IN", nullptr, TRule_Cell::Text, 100},
        {3817, 3821, "NB_OUT", nullptr, TRule_Cell::Text, 100},
        {3818, 3822, "Mnemonic", nullptr, TRule_Cell::Text, 375},
    };
    TRule_Editor_Desc d;
    d.Form_Name = "FDNet";
    d.Client_Width = 745;
    d.Client_Height = 337;
    d.Caption = 3800;
    d.Description = 3801;
    d.Button_Captions = {3802, 3803, 3804, 3805, 3806, 3807};
    d.Button_Hints = {3808, 3809, 3810, 3811, 3812, 3813};
    d.Buttons_Show_Hints = true;
    d.Headers_In_Cells = true;
    d.Delete_Question = 3827;
    d.Root = "DNET_Net";
    d.Version = QStringLiteral("1.000");
    d.Tables = {t};
    return d;
}

} // namespace

const TRule_Editor_Desc &DNet_Desc()
{
    static const TRule_Editor_Desc desc = Make_Desc();
    return desc;
}

TFDNet::TFDNet(QWidget *parent)
    : TRule_Editor(DNet_Desc(), Path_DNETM_Net, parent),
      RUD(Grid(0)),
      Hint_DeviceNet(Tables[0].Hints),
      Do_Copy(Tables[0].Do_Copy)
{
    FormCreate();
}

QString TFDNet::Check_Row(int, int, const QStringList &cells)
{
    if (!Rule_In_Range(cells.value(DN_ID), 0, Max_ID))
        return Lang_Text(3824);
    if (!Rule_In_Range(cells.value(DN_NB_IN), 0, Max_Bytes))
        return Lang_Text(3825);
    if (!Rule_In_Range(cells.value(DN_NB_OUT), 0, Max_Bytes))
        return Lang_Text(3826);
    return {};
}
