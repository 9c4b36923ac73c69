#include "mbus/scanmodbusstart.h"

#include "app/formparts.h"
#include "app/language.h"
#include "app/lbbutton.h"
#include "platform/dialogs.h"
#include "platform/rtl.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFScanModbusStart *FScanModbusStart = nullptr;

TFScanModbusStart::TFScanModbusStart(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FScanModbusStart"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    Set_Form_Look(this);
    setFixedSize(331, 162);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    P_Title = Create_Title_Panel(this, L_SW_Code, L_SW_Desc);
    layout->addWidget(P_Title);
    Button1 = new QPushButton(P_Title);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(-100, -100, 10, 10);
    L_StartModAdd = new QLabel(this);
    L_StartModAdd->setObjectName(QStringLiteral("L_StartModAdd"));
    E_StartModAdd = new QLineEdit(this);
    E_StartModAdd->setObjectName(QStringLiteral("E_StartModAdd"));
    auto *body = new QVBoxLayout;
    body->setContentsMargins(12, 0, 12, 0);
    body->addWidget(L_StartModAdd);
    body->addWidget(E_StartModAdd);
    layout->addLayout(body);
    layout->addStretch(1);
    P_Button = Create_Button_Panel(this, Btn_OK, Btn_Cancel);
    layout->addWidget(P_Button);
    Btn_Cancel->SetModalResult(mrCancel);
    Btn_OK->OnClick = [this](QObject *) { Btn_OKClick(); };
    Set_Lang();
}

void TFScanModbusStart::Set_Lang()
{
    setWindowTitle(Lang_Text(2200));
    L_SW_Code->setText(Lang_Text(2201));
    L_SW_Desc->setText(Lang_Text(2202));
    L_StartModAdd->setText(Lang_Text(2203));
    Btn_OK->SetCaption(Lang_Text(2204));
    Btn_Cancel->SetCaption(Lang_Text(2205));
}

void TFScanModbusStart::Btn_OKClick()
{
    const int value = StrToIntDef(E_StartModAdd->text(), -1);
    if (value < 1 || value > 65535) {
        MessageError(Lang_Text(2206), {}, this);
        return;
    }
    StartModAdd = value;
    done(QDialog::Accepted);
}
