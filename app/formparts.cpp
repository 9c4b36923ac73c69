#include "app/formparts.h"

#include "app/lbbutton.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>

void Set_Form_Look(QWidget *form)
{
    QPalette pal = form->palette();
    pal.setColor(QPalette::Window, ToQColor(Form_Color));
    form->setPalette(pal);
    form->setAutoFillBackground(true);
    QFont font(QStringLiteral("Verdana"));
    font.setPointSize(8);
    form->setFont(font);
}

QFrame *Create_Title_Panel(QWidget *form, QLabel *&L_SW_Code, QLabel *&L_SW_Desc)
{
    auto *panel = new QFrame(form);
    panel->setObjectName(QStringLiteral("P_Title"));
    panel->setFixedHeight(69);
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, Qt::white);
    panel->setPalette(pal);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(12, 4, 12, 4);
    layout->setSpacing(0);
    L_SW_Code = new QLabel(panel);
    L_SW_Code->setObjectName(QStringLiteral("L_SW_Code"));
    QFont big = L_SW_Code->font();
    big.setPointSize(18);
    L_SW_Code->setFont(big);
    L_SW_Code->setStyleSheet(QStringLiteral("color: gray"));
    L_SW_Desc = new QLabel(panel);
    L_SW_Desc->setObjectName(QStringLiteral("L_SW_Desc"));
    QFont bold = L_SW_Desc->font();
    bold.setBold(true);
    L_SW_Desc->setFont(bold);
    layout->addWidget(L_SW_Code);
    layout->addWidget(L_SW_Desc);
    return panel;
}

QFrame *Create_Button_Panel(QWidget *form, TLbButton *&Btn_OK, TLbButton *&Btn_Cancel)
{
    auto *panel = new QFrame(form);
    panel->setObjectName(QStringLiteral("P_Button"));
    panel->setFixedHeight(41);
    auto *layout = new QHBoxLayout(panel);
    layout->setContentsMargins(8, 4, 8, 6);
    layout->addStretch(1);
    Btn_OK = new TLbButton(panel);
    Btn_OK->setObjectName(QStringLiteral("Btn_OK"));
    Btn_Cancel = new TLbButton(panel);
    Btn_Cancel->setObjectName(QStringLiteral("Btn_Cancel"));
    for (TLbButton *b : {Btn_OK, Btn_Cancel}) {
        b->setFixedSize(90, 28);
        layout->addWidget(b);
    }
    return panel;
}
