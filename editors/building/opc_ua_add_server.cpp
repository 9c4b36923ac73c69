#include "editors/building/opc_ua_add_server.h"

#include "app/comon.h"
#include "app/formparts.h"
#include "app/language.h"
#include "app/lbbutton.h"
#include "app/valuechecks.h"
#include "platform/dialogs.h"
#include "platform/rtl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QShowEvent>

TFOPC_UA_Add_Server *FOPC_UA_Add_Server = nullptr;

namespace {

constexpr int Width = 407;
constexpr int Input_X = 134, Input_W = 251, Label_X = 16;
constexpr int Line_H = 21, Box_H = 89;
constexpr int Button_Panel_H = 40;

QStringList Names(QString (*name)(int), int count)
{
    QStringList out;
    for (int i = 0; i < count; ++i)
        out << name(i);
    return out;
}

} // namespace

TFOPC_UA_Add_Server::TFOPC_UA_Add_Server(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FOPC_UA_Add_Server"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    Set_Form_Look(this);
    P_Title = Create_Title_Panel(this, L_SW_Code, L_SW_Desc);
    P_Title->setGeometry(0, 0, Width, 69);
    CB_OPC_UA_Server_Enable = new QCheckBox(this);
    CB_OPC_UA_Server_Enable->setObjectName(QStringLiteral("CB_OPC_UA_Server_Enable"));
    CB_OPC_UA_Server_Enable->setGeometry(Input_X, 75, Input_W, 22);
    auto label = [this](QLabel *&l, const char *name) {
        l = new QLabel(this);
        l->setObjectName(QLatin1String(name));
        l->resize(Input_X - Label_X - 4, 18);
    };
    auto edit = [this](QLineEdit *&e, const char *name) {
        e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        e->resize(Input_W, Line_H);
    };
    auto combo = [this](QComboBox *&c, const char *name, const QStringList &items) {
        c = new QComboBox(this);
        c->setObjectName(QLatin1String(name));
        c->setEditable(false);
        c->addItems(items);
        c->resize(Input_W, Line_H);
    };
    auto box = [this](QPlainTextEdit *&b, const char *name) {
        b = new QPlainTextEdit(this);
        b->setObjectName(QLatin1String(name));
        b->resize(Input_W, Box_H);
    };
    label(L_Server_Add, "L_Server_Add");
    edit(E_Server_Add, "E_Server_Add");
    label(L_Auth, "L_Auth");
    combo(CB_Auth, "CB_Auth", Names(OPC_UA_Token_Type_Name, 3));
    label(L_User, "L_User");
    edit(E_User, "E_User");
    label(L_Pass, "L_Pass");
    edit(E_Pass, "E_Pass");
    label(L_Certificate, "L_Certificate");
    box(RE_Certificate, "RE_Certificate");
    label(L_Priv_Key, "L_Priv_Key");
    box(RE_Priv_Key, "RE_Priv_Key");
    label(L_Sec_Type, "L_Sec_Type");
    combo(CB_Sec_Type, "CB_Sec_Type", Names(OPC_UA_Security_Mode_Name, 3));
    label(L_Sec_Policy, "L_Sec_Policy");
    combo(CB_Sec_Policy, "CB_Sec_Policy", Names(OPC_UA_Security_Policy_Name, 6));
    label(L_Mnemonic, "L_Mnemonic");
    edit(E_Mnemonic, "E_Mnemonic");
    // Fixed rows: address at 104, authorization at 136.
    E_Server_Add->move(Input_X, 104);
    L_Server_Add->move(Label_X, 107);
    CB_Auth->move(Input_X, 136);
    L_Auth->move(Label_X, 139);

    P_Button = new QFrame(this);
    P_Button->setObjectName(QStringLiteral("P_Button"));
    Btn_OK = new TLbButton(P_Button);
    Btn_OK->setObjectName(QStringLiteral("Btn_OK"));
    Btn_Cancel = new TLbButton(P_Button);
    Btn_Cancel->setObjectName(QStringLiteral("Btn_Cancel"));
    for (TLbButton *b : {Btn_OK, Btn_Cancel})
        Set_Button_Look(b);
    Btn_OK->setGeometry(Width - 200, 6, 90, 28);
    Btn_Cancel->setGeometry(Width - 100, 6, 90, 28);
    Btn_Cancel->SetModalResult(mrCancel);
    Btn_OK->OnClick = [this](QObject *) { Btn_OKClick(); };
    connect(CB_Auth, &QComboBox::currentIndexChanged, this, [this] { Change_Fields(); });
    connect(CB_Sec_Type, &QComboBox::currentIndexChanged, this, [this] { Check_Authorization(); });

    L_SW_Code->setText(SW_Code);
    setFixedWidth(Width);
    Set_Lang();
    Change_Fields();
}

void TFOPC_UA_Add_Server::Set_Lang()
{
    setWindowTitle(Lang_Text(5600));
    L_SW_Desc->setText(Lang_Text(5601));
    CB_OPC_UA_Server_Enable->setText(Lang_Text(5604));
    CB_OPC_UA_Server_Enable->setToolTip(Lang_Text(5605));
    const std::pair<QLabel *, QWidget *> rows[] = {
        {L_Server_Add, E_Server_Add}, {L_Auth, CB_Auth},          {L_User, E_User},
        {L_Pass, E_Pass},             {L_Certificate, RE_Certificate}, {L_Priv_Key, RE_Priv_Key},
        {L_Sec_Type, CB_Sec_Type},    {L_Sec_Policy, CB_Sec_Policy},   {L_Mnemonic, E_Mnemonic}};
    int text = 5606;
    for (const auto &[l, input] : rows) {
        l->setText(Lang_Text(text));
        input->setToolTip(Lang_Text(text + 1));
        text += 2;
    }
    Btn_OK->SetCaption(Lang_Text(5624));
    Btn_OK->SetHint(Lang_Text(5625));
    Btn_Cancel->SetCaption(Lang_Text(5626));
    Btn_Cancel->SetHint(Lang_Text(5627));
}

void TFOPC_UA_Add_Server::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFOPC_UA_Add_Server::FormShow()
{
    if (FormType == 2) {
        setWindowTitle(Lang_Text(5602));
        L_SW_Desc->setText(Lang_Text(5603));
    } else {
        setWindowTitle(Lang_Text(5600));
        L_SW_Desc->setText(Lang_Text(5601));
        CB_OPC_UA_Server_Enable->setChecked(true);
        for (QLineEdit *e : {E_Server_Add, E_User, E_Pass, E_Mnemonic})
            e->clear();
        RE_Certificate->clear();
        RE_Priv_Key->clear();
        CB_Auth->setCurrentIndex(0);
        CB_Sec_Type->setCurrentIndex(0);
    }
    Change_Fields();
    Check_Authorization();
}

void TFOPC_UA_Add_Server::Change_Fields()
{
    // Input tops of user, password, certificate, key, security type, policy and mnemonic
    // by authorization; -1 hides the row.
    static const int tops[3][7] = {{-1, -1, -1, -1, 168, 200, 232},
                                   {168, 200, -1, -1, 232, 264, 296},
                                   {-1, -1, 168, 268, 368, 400, 432}};
    const int a = CB_Auth->currentIndex();
    if (a >= 0 && a <= 2) {
        const std::pair<QLabel *, QWidget *> rows[] = {
            {L_User, E_User},           {L_Pass, E_Pass},          {L_Certificate, RE_Certificate},
            {L_Priv_Key, RE_Priv_Key},  {L_Sec_Type, CB_Sec_Type}, {L_Sec_Policy, CB_Sec_Policy},
            {L_Mnemonic, E_Mnemonic}};
        for (int i = 0; i < 7; ++i) {
            const int top = tops[a][i];
            rows[i].first->setVisible(top >= 0);
            rows[i].second->setVisible(top >= 0);
            if (top >= 0) {
                rows[i].second->move(Input_X, top);
                rows[i].first->move(Label_X, top + 3);
            }
        }
    }
    const int height = Button_Panel_H + E_Mnemonic->y() + E_Mnemonic->height() + 15;
    setFixedHeight(height);
    P_Button->setGeometry(0, height - Button_Panel_H, Width, Button_Panel_H);
}

void TFOPC_UA_Add_Server::Check_Authorization()
{
    if (CB_Sec_Type->currentIndex() == 0) {
        CB_Sec_Policy->setCurrentIndex(0);
        CB_Sec_Policy->setEnabled(false);
    } else {
        CB_Sec_Policy->setEnabled(true);
    }
}

bool TFOPC_UA_Add_Server::Controlla_Dati()
{
    auto fail = [this](int text) {
        MessageError(Lang_Text(text), {}, this);
        return false;
    };
    if (Trim(E_Server_Add->text()).isEmpty())
        return fail(5628);
    if (CB_Auth->currentIndex() == 1) {
        if (Trim(E_User->text()).isEmpty())
            return fail(5629);
        if (Trim(E_Pass->text()).isEmpty())
            return fail(5630);
    }
    if (CB_Auth->currentIndex() == 2) {
        if (Trim(RE_Certificate->toPlainText()).isEmpty())
            return fail(5631);
        if (Trim(RE_Priv_Key->toPlainText()).isEmpty())
            return fail(5632);
    }
    return true;
}

void TFOPC_UA_Add_Server::Btn_OKClick()
{
    if (Controlla_Dati())
        done(mrOk);
}
