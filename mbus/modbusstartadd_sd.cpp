#include "mbus/modbusstartadd_sd.h"

#include "app/comon.h"
#include "app/formparts.h"
#include "app/language.h"
#include "app/lbbutton.h"
#include "grid/string/dazcolumngrid.h"
#include "platform/dialogs.h"
#include "platform/rtl.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

TFModbusStartAdd_SD *FModbusStartAdd_SD = nullptr;

namespace {

constexpr int Empty_Rows = 30;           // rows before the scan window first fills the table
constexpr TColor Register_Color = 0xFEFAE0;

} // namespace

TFModbusStartAdd_SD::TFModbusStartAdd_SD(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FModbusStartAdd_SD"));
    Set_Form_Look(this);
    resize(511, 336);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    P_Title = Create_Title_Panel(this, L_SW_Code, L_SW_Desc);
    layout->addWidget(P_Title);
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(30);
    CB_En_NodeState = new QCheckBox(Panel1);
    CB_En_NodeState->setObjectName(QStringLiteral("CB_En_NodeState"));
    CB_En_NodeState->setGeometry(16, 6, 220, 18);
    CB_En_IndNum = new QCheckBox(Panel1);
    CB_En_IndNum->setObjectName(QStringLiteral("CB_En_IndNum"));
    CB_En_IndNum->setGeometry(250, 6, 250, 18);
    layout->addWidget(Panel1);

    sga = new TDazColumnGrid(this);
    sga->setObjectName(QStringLiteral("sga"));
    sga->SetColCount(2);
    sga->SetRowCount(Empty_Rows + 1);
    sga->SetFixedRows(1);
    sga->SetFixedCols(1);
    sga->SetDefaultRowHeight(21);
    sga->SetOptions(TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goEditing});
    for (int c = 0; c < 2; ++c) {
        TGridColumnItem *item = sga->Columns().Items(c);
        item->SetWidth(200);
        item->SetReadOnly(c == 0);
    }
    sga->Columns().Items(1)->SetColor(Register_Color);
    layout->addWidget(sga, 1);

    P_Button = Create_Button_Panel(this, Btn_OK, Btn_Cancel);
    layout->addWidget(P_Button);
    Btn_Cancel->SetModalResult(mrCancel);
    Btn_OK->OnClick = [this](QObject *) { Btn_OKClick(); };
    L_SW_Code->setText(SW_Code);
    Set_Lang();
}

void TFModbusStartAdd_SD::Set_Lang()
{
    setWindowTitle(Lang_Text(2400));
    L_SW_Desc->setText(Lang_Text(2401));
    CB_En_NodeState->setText(Lang_Text(2402));
    CB_En_IndNum->setText(Lang_Text(2403));
    sga->Columns().Items(0)->SetHeader(Lang_Text(2404));
    sga->Columns().Items(1)->SetHeader(Lang_Text(2405));
    Btn_OK->SetCaption(Lang_Text(2406));
    Btn_Cancel->SetCaption(Lang_Text(2407));
}

bool TFModbusStartAdd_SD::Check_Data()
{
    for (int row = 1; row < sga->RowCount(); ++row) {
        const QString text = sga->Cells(1, row);
        const QString where = Lang_Text(2408) + QString::number(row);
        if (text.isEmpty()) {
            MessageError(where + Lang_Text(2409), {}, this);
            return false;
        }
        const int value = StrToIntDef(text, -1);
        if (value < 1 || value > 59999) {
            MessageError(where + Lang_Text(2410), {}, this);
            return false;
        }
    }
    return true;
}

void TFModbusStartAdd_SD::Btn_OKClick()
{
    if (Check_Data())
        done(QDialog::Accepted);
}
