#include "gateway/ethernetip_data_seg.h"

#include "app/comon.h"
#include "app/formparts.h"
#include "app/language.h"
#include "app/lbbutton.h"
#include "gateway/rule_grid.h"
#include "gateway/targetconfig.h"
#include "grid/string/dazstringgrid.h"
#include "platform/dialogs.h"
#include "platform/rtl.h"

#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

TFEtherNetIP_Data_Seg *FEtherNetIP_Data_Seg = nullptr;

namespace {

constexpr TColor Value_Color = 0xFEFAE0;   // red E0, green FA, blue FE

const TRule_Columns Columns = {
    {6306, 45}, {6307, 100}, {6308, 60}, {6309, 60}, {6310, 200},
    {6311, 60}, {6312, 60}, {6313, 60}, {6314, 60},
};

} // namespace

TFEtherNetIP_Data_Seg::TFEtherNetIP_Data_Seg(QWidget *parent) : QDialog(parent)
{
    QVBoxLayout *layout = Create_Rule_Window(this, "FEtherNetIP_Data_Seg", P_Title, L_SW_Code, L_SW_Desc);
    RUD_DataSeg = new TDazStringGrid(this);
    RUD_DataSeg->setObjectName(QStringLiteral("RUD_DataSeg"));
    RUD_DataSeg->OnGetEditorType = [this](TObject *, int ACol, int ARow, TEditorType &AEditor) {
        RUD_DataSegGetEditorType(RUD_DataSeg, ACol, ARow, AEditor);
    };
    RUD_DataSeg->OnComboChange = [this](TObject *, int ACol, int ARow, int AItemIndex, const QString &ASelection) {
        RUD_DataSegComboChange(RUD_DataSeg, ACol, ARow, AItemIndex, ASelection);
    };
    layout->addWidget(RUD_DataSeg, 1);
    P_Button = Create_Button_Panel(this, Btn_OK, Btn_Cancel);
    layout->addWidget(P_Button);
    Btn_OK->OnClick = [this](QObject *) { Btn_OKClick(); };
    Btn_Cancel->SetModalResult(mrCancel);
    FormCreate();
}

void TFEtherNetIP_Data_Seg::FormCreate()
{
    L_SW_Code->setText(SW_Code);
    resize(800, 337);
    Init_Table();
    Set_Lang();
}

void TFEtherNetIP_Data_Seg::Set_Lang()
{
    setWindowTitle(Lang_Text(6300));
    L_SW_Desc->setText(Lang_Text(6301));
    Btn_OK->SetCaption(Lang_Text(6302));
    Btn_Cancel->SetCaption(Lang_Text(6303));
    Btn_OK->SetHint(Lang_Text(6304));
    Btn_Cancel->SetHint(Lang_Text(6305));
    Set_Rule_Headers(*RUD_DataSeg, Columns);
}

void TFEtherNetIP_Data_Seg::Init_Table()
{
    Setup_Rule_Grid(*RUD_DataSeg, Columns, 2, true);
    // The column widths were measured with 8-point headers.
    RUD_DataSeg->FixedFont().SetSize(8);
    Set_Rule_Headers(*RUD_DataSeg, Columns);
}

int TFEtherNetIP_Data_Seg::exec()
{
    FormShow();
    return QDialog::exec();
}

void TFEtherNetIP_Data_Seg::FormShow()
{
    const size_t n = TC ? TC->ListParamObject.size() : 0;
    RUD_DataSeg->BeginUpdate();
    RUD_DataSeg->SetRowCount(int(std::max<size_t>(n, 1)) + 1);
    const int cols = RUD_DataSeg->AllColCount();
    if (n == 0) {
        for (int c = 0; c < cols; ++c) {
            RUD_DataSeg->SetCellEx(c, 1, QString());
            RUD_DataSeg->SetReadOnly(c, 1, true);
        }
    } else {
        for (size_t k = 0; k < n; ++k) {
            const int row = int(k) + 1;
            const QStringList cells = Data_Seg_Cells(TC->ListParamObject[k], row);
            for (int c = 0; c < cols; ++c) {
                RUD_DataSeg->SetCellEx(c, row, cells.value(c));
                RUD_DataSeg->SetReadOnly(c, row, c != Data_Seg_Value_Col);
            }
            RUD_DataSeg->SetColors(Data_Seg_Value_Col, row, Value_Color);
        }
    }
    RUD_DataSeg->EndUpdate();
}

void TFEtherNetIP_Data_Seg::RUD_DataSegGetEditorType(TDazStringGrid *Sender, int ACol, int ARow,
                                                     TEditorType &AEditor)
{
    if (Sender->RealColIndex(ACol) != Data_Seg_Value_Col)
        return;
    Sender->ClearComboString();
    const TTC_ParamObj *p = TC && ARow >= 1 && size_t(ARow) <= TC->ListParamObject.size()
                                ? &TC->ListParamObject[size_t(ARow - 1)]
                                : nullptr;
    if (p && p->Enum) {
        AEditor = edComboList;
        for (const QString &item : p->EnumString)
            Sender->AddComboString(item);
    } else {
        AEditor = edNormal;
    }
}

void TFEtherNetIP_Data_Seg::RUD_DataSegComboChange(TDazStringGrid *Sender, int, int ARow, int,
                                                   const QString &ASelection)
{
    if (!TC || ARow < 1 || size_t(ARow) > TC->ListParamObject.size())
        return;
    TTC_ParamObj &p = TC->ListParamObject[size_t(ARow - 1)];
    p.Value = p.SetValueFromEnum(ASelection);
    Sender->SetCellEx(Data_Seg_Value_Int_Col, ARow, IntToStr(p.Value));
}

bool TFEtherNetIP_Data_Seg::Check_Value()
{
    if (!TC)
        return true;
    QStringList texts;
    for (size_t k = 0; k < TC->ListParamObject.size(); ++k)
        texts.append(RUD_DataSeg->GetCellEx(Data_Seg_Value_Col, int(k) + 1));
    QString error;
    if (::Check_Value(*TC, texts, error))
        return true;
    MessageError(error, {}, this);
    return false;
}

void TFEtherNetIP_Data_Seg::Btn_OKClick()
{
    if (Check_Value())
        done(mrOk);
}
