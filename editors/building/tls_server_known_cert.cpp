#include "editors/building/tls_server_known_cert.h"

#include "app/comon.h"
#include "app/language.h"
#include "editors/building/enable_boxes.h"
#include "grid/base/cellproperties.h"
#include "grid/string/dazcolumngrid.h"
#include "platform/rtl.h"

using namespace TLSCertCols;

TFTLS_Server_Known_Cert *FTLS_Server_Known_Cert = nullptr;

namespace {

constexpr int Data_Rows = 10;
constexpr int Row_Height = 60;
constexpr TColor Enable_Color = 0xB0D8FF;        // red 255, green 216, blue 176
constexpr TColor Certificate_Color = 0xFEFAE0;   // red 224, green 250, blue 254
constexpr TColor Mnemonic_Color = 0xFFFFFF;

TRule_Editor_Desc Make_Desc()
{
    TRule_Table_Desc t;
    t.Grid_Name = "RUD";
    t.Rows = Data_Rows;
    t.Key_Col = TC_Certificate;
    t.Hint = TRule_Hint::Real;
    t.Clear_Other_Hints = true;
    t.In_Place_Edit = true;
    t.Row_Sizing = true;
    t.Columns = {
        {5114, -1, nullptr, nullptr, TRule_Cell::Text, 40},
        {5115, 5118, "Enable", "Y", TRule_Cell::Text, 50},
        {5116, 5119, "Certificate", "", TRule_Cell::Text, 500},
        {5117, 5120, "Mnemonic", "", TRule_Cell::Text, 160},
    };
    TRule_Editor_Desc d;
    d.Form_Name = "FTLS_Server_Known_Cert";
    d.Client_Width = 800;
    d.Client_Height = 337;
    d.Caption = 5100;
    d.Description = 5101;
    d.Button_Captions = {5102, 5103, 5104, 5105, 5106, 5107};
    d.Button_Hints = {5108, 5109, 5110, 5111, 5112, 5113};
    d.Check_Routines = true;
    d.Headers_In_Cells = true;
    d.Delete_Question = 5121;
    d.Root = "TLS_Server_Known_Cert";
    d.Version = QStringLiteral("1.000");
    d.Tables = {t};
    return d;
}

} // namespace

const TRule_Editor_Desc &TLS_Server_Known_Cert_Desc()
{
    static const TRule_Editor_Desc desc = Make_Desc();
    return desc;
}

TFTLS_Server_Known_Cert::TFTLS_Server_Known_Cert(QWidget *parent)
    : TRule_Editor(TLS_Server_Known_Cert_Desc(), Path_TLS_Known_Cert, parent),
      RUD(Grid(0)),
      Hint_List(Tables[0].Hints),
      Do_Copy(Tables[0].Do_Copy)
{
    Init_Table();
    FormCreate();
}

void TFTLS_Server_Known_Cert::Init_Table()
{
    RUD->BeginUpdate();
    RUD->AddCheckBoxColumn(TC_Enable, false, false);
    // A check-box cell of a column grid is painted in its column's colour, not its own.
    RUD->Columns().Items(TC_Enable)->SetColor(Enable_Color);
    for (int r = 1; r < RUD->RowCount(); ++r) {
        RUD->SetRowHeights(r, Row_Height);
        RUD->SetCellEx(TC_N, r, IntToStr(r));
        RUD->SetColors(TC_Enable, r, Enable_Color);
        RUD->GetCellProperties(TC_Enable, r)->SetAlignment(taCenter);
        RUD->SetColors(TC_Certificate, r, Certificate_Color);
        RUD->SetColors(TC_Mnemonic, r, Mnemonic_Color);
    }
    RUD->EndUpdate();
}

void TFTLS_Server_Known_Cert::Show_Loaded() { Enable_Texts_To_Boxes(*RUD, TC_Enable); }

QString TFTLS_Server_Known_Cert::Cell_From_File(int, int, int col, const QString &value)
{
    return col == TC_Enable ? Enable_From_File(value) : value;
}

TRule_Data TFTLS_Server_Known_Cert::Grid_Data() const
{
    TRule_Data data = TRule_Editor::Grid_Data();
    Enable_Boxes_To_Texts(*RUD, TC_Enable, data[0]);
    return data;
}
