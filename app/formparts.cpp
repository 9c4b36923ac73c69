#include "app/formparts.h"

#include "app/comon.h"
#include "app/language.h"
#include "app/lbbutton.h"

#include <QFrame>
#include <QGuiApplication>
#include <QScreen>
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

void Set_Button_Look(TLbButton *button)
{
    button->SetStyle(TLbButtonStyle::bsEncarta);
    button->SetColor(Form_Color);
    button->SetLightColor(clGray);
    button->SetHotTrackColor(clYellow);
    button->SetColorWhenDown(Button_Down_Color);
}

void Centre_On_Screen(QWidget *form)
{
    const QScreen *screen = form->screen() ? form->screen() : QGuiApplication::primaryScreen();
    if (screen)
        form->move(screen->availableGeometry().center() - form->rect().center());
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
        Set_Button_Look(b);
        b->setFixedSize(90, 28);
        layout->addWidget(b);
    }
    return panel;
}

void Build_Dialog_Frame(QWidget *form, QWidget *input, bool input_stretch, const TDialog_Frame &frame)
{
    Set_Form_Look(form);
    auto *layout = new QVBoxLayout(form);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(Create_Title_Panel(form, frame.L_SW_Code, frame.L_SW_Desc));
    frame.Label1 = new QLabel(form);
    auto *body = new QVBoxLayout;
    body->setContentsMargins(12, 0, 12, 0);
    body->addWidget(frame.Label1);
    body->addWidget(input, input_stretch ? 1 : 0);
    layout->addLayout(body, input_stretch ? 1 : 0);
    if (!input_stretch)
        layout->addStretch(1);
    layout->addWidget(Create_Button_Panel(form, frame.Btn_OK, frame.Btn_Cancel));
    frame.Btn_Cancel->SetModalResult(mrCancel);
    frame.L_SW_Code->setText(SW_Code);
}

void Set_Dialog_Frame_Texts(QWidget *form, QWidget *input, int first, int first_hint,
                            const TDialog_Frame &frame)
{
    form->setWindowTitle(Lang_Text(first));
    frame.L_SW_Desc->setText(Lang_Text(first + 1));
    frame.Label1->setText(Lang_Text(first + 2));
    frame.Btn_OK->SetCaption(Lang_Text(first + 3));
    frame.Btn_Cancel->SetCaption(Lang_Text(first + 4));
    input->setToolTip(Lang_Text(first_hint));
    frame.Btn_OK->SetHint(Lang_Text(first_hint + 1));
    frame.Btn_Cancel->SetHint(Lang_Text(first_hint + 2));
}
