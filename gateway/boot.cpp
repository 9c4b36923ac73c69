#include "gateway/boot.h"

#include "app/comon.h"
#include "app/formparts.h"
#include "app/language.h"
#include "app/lbbutton.h"
#include "app/tessalinorfirmware.h"
#include "app/valuechecks.h"
#include "gateway/rule_grid.h"
#include "gateway/update_job.h"
#include "grid/string/dazcolumngrid.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/icmp.h"
#include "platform/xml.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStyle>
#include <QThread>
#include <QVBoxLayout>

TFBoot *FBoot = nullptr;

namespace {

constexpr int Client_Width = 449;
constexpr int Echo_Size = 1024;
constexpr int Echo_Timeout_Ms = 400;
// The device list of the search panel: IP address and MAC address.
const TRule_Columns Device_Columns = {{1011, 200}, {1012, 200}};

QFrame *New_Panel(QWidget *parent, const char *name, int height)
{
    auto *panel = new QFrame(parent);
    panel->setObjectName(QLatin1String(name));
    panel->setFixedHeight(height);
    return panel;
}

QLabel *New_Label(QWidget *parent, const char *name, int left, int top, int width, int height)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(left, top, width, height);
    return label;
}

void Set_Tab_Chain(std::initializer_list<QWidget *> chain)
{
    QWidget *previous = nullptr;
    for (QWidget *w : chain) {
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

} // namespace

TFBoot::TFBoot(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FBoot"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    Set_Form_Look(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    P_Title = Create_Title_Panel(this, L_SW_Code, L_SW_Desc);

    P_IP_Address = New_Panel(this, "P_IP_Address", 49);
    L_IP_Address = New_Label(P_IP_Address, "L_IP_Address", 16, 4, 420, 16);
    QLineEdit **octets[4] = {&E_IP1, &E_IP2, &E_IP3, &E_IP4};
    for (int i = 0; i < 4; ++i) {
        auto *edit = new QLineEdit(QStringLiteral("0"), P_IP_Address);
        edit->setObjectName(QStringLiteral("E_IP%1").arg(i + 1));
        edit->setGeometry(16 + i * 56, 22, 44, 21);
        edit->installEventFilter(this);
        *octets[i] = edit;
        if (i < 3) {
            QLabel *dot = New_Label(P_IP_Address, "", 62 + i * 56, 22, 8, 21);
            dot->setText(QStringLiteral("."));
        }
    }

    P_Eth_Search = New_Panel(this, "P_Eth_Search", 184);
    L_List_Device = New_Label(P_Eth_Search, "L_List_Device", 16, 4, 300, 16);
    Btn_Search = new TLbButton(P_Eth_Search);
    Btn_Search->setObjectName(QStringLiteral("Btn_Search"));
    Btn_Search->setGeometry(340, 2, 90, 24);
    ACG_List_Devices = new TDazColumnGrid(P_Eth_Search);
    ACG_List_Devices->setObjectName(QStringLiteral("ACG_List_Devices"));
    Setup_Rule_Grid(*ACG_List_Devices, Device_Columns, 2, false);
    ACG_List_Devices->SetFixedCols(0);
    ACG_List_Devices->setGeometry(16, 30, 417, 124);
    CB_Find_All_Qelvar = new QCheckBox(P_Eth_Search);
    CB_Find_All_Qelvar->setObjectName(QStringLiteral("CB_Find_All_Qelvar"));
    CB_Find_All_Qelvar->setGeometry(16, 160, 300, 18);
    CB_Find_All_Qelvar->setChecked(true);

    P_Options = New_Panel(this, "P_Options", 72);
    L_Update_Option = New_Label(P_Options, "L_Update_Option", 16, 4, 420, 16);
    CB_Update_Options = new QComboBox(P_Options);
    CB_Update_Options->setObjectName(QStringLiteral("CB_Update_Options"));
    CB_Update_Options->setGeometry(16, 22, 260, 22);
    CB_Update_Option_Read_Back = new QCheckBox(P_Options);
    CB_Update_Option_Read_Back->setObjectName(QStringLiteral("CB_Update_Option_Read_Back"));
    CB_Update_Option_Read_Back->setGeometry(16, 48, 260, 18);
    CB_Update_Option_Read_Back->setChecked(true);

    P_Serial = New_Panel(this, "P_Serial", 51);
    L_COM_Port = New_Label(P_Serial, "L_COM_Port", 16, 4, 420, 16);
    CB_COM_Port = new QComboBox(P_Serial);
    CB_COM_Port->setObjectName(QStringLiteral("CB_COM_Port"));
    CB_COM_Port->setGeometry(16, 22, 200, 22);
    Btn_COM_List = new TLbButton(P_Serial);
    Btn_COM_List->setObjectName(QStringLiteral("Btn_COM_List"));
    Btn_COM_List->setGeometry(224, 20, 26, 26);
    Btn_COM_List->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    Btn_COM_List->SetHint(QStringLiteral("Update COM Ports List"));
    Btn_COM_List->OnClick = [this](QObject *) { update_ComPort(); };

    P_Button = New_Panel(this, "P_Button", 40);
    Btn_Cancel = new TLbButton(P_Button);
    Btn_Cancel->setObjectName(QStringLiteral("Btn_Cancel"));
    Btn_Cancel->setGeometry(16, 6, 130, 28);
    Btn_Cancel->SetModalResult(mrCancel);
    Btn_Update = new TLbButton(P_Button);
    Btn_Update->setObjectName(QStringLiteral("Btn_Update"));
    Btn_Update->setGeometry(Client_Width - 16 - 180, 6, 180, 28);
    Btn_Update->OnClick = [this](QObject *) { Btn_UpdateClick(); };

    for (TLbButton *b : {Btn_Search, Btn_COM_List, Btn_Cancel, Btn_Update})
        Set_Button_Look(b);
    for (QFrame *panel : {P_Title, P_IP_Address, P_Eth_Search, P_Options, P_Serial})
        layout->addWidget(panel);
    layout->addStretch(1);
    layout->addWidget(P_Button);
    setFixedWidth(Client_Width);
}

void TFBoot::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        FormShow();
        // FormShow sets the height of the variant after Qt placed the window for the old one.
        Centre_On_Screen(this);
    }
}

void TFBoot::FormShow()
{
    Set_Lang();
    L_SW_Code->setText(SW_Code);
    for (QFrame *panel : {P_IP_Address, P_Eth_Search, P_Options, P_Serial})
        panel->hide();
    auto *layout = static_cast<QVBoxLayout *>(this->layout());
    const auto stack = [layout, this](std::initializer_list<QFrame *> panels) {
        int at = layout->indexOf(P_Title) + 1;
        for (QFrame *panel : panels) {
            layout->removeWidget(panel);
            layout->insertWidget(at++, panel);
        }
    };
    // The options the engineer chose last; an index outside the list keeps the first item.
    const auto restore_options = [this] {
        if (Update_Option >= 0 && Update_Option < CB_Update_Options->count())
            CB_Update_Options->setCurrentIndex(Update_Option);
        CB_Update_Option_Read_Back->setChecked(Update_Read_Back);
    };
    if (Form_Type == 1) {
        P_IP_Address->show();
        P_Options->show();
        stack({P_IP_Address, P_Eth_Search, P_Options, P_Serial});
        setFixedSize(Client_Width, P_Title->height() + P_IP_Address->height() + P_Options->height()
                                       + P_Button->height());
        Set_Tab_Chain({E_IP1, E_IP2, E_IP3, E_IP4, Btn_Search, ACG_List_Devices, CB_Find_All_Qelvar,
                       CB_Update_Options, CB_Update_Option_Read_Back, Btn_Cancel, Btn_Update,
                       CB_COM_Port, Btn_COM_List});
        QString parts[4];
        if (!Last_IP_Address.isEmpty()
            && Split_IP_Address(Last_IP_Address, parts[0], parts[1], parts[2], parts[3]))
            for (int i = 0; i < 4; ++i)
                Octet(i)->setText(parts[i]);
        restore_options();
        E_IP1->setFocus();
    } else if (Form_Type == 0) {
        P_Options->show();
        P_Serial->show();
        stack({P_Serial, P_Options, P_IP_Address, P_Eth_Search});
        setFixedSize(Client_Width, P_Title->height() + P_Serial->height() + P_Options->height()
                                       + P_Button->height());
        Set_Tab_Chain({CB_COM_Port, Btn_COM_List, CB_Update_Options, CB_Update_Option_Read_Back,
                       Btn_Cancel, Btn_Update, E_IP1, E_IP2, E_IP3, E_IP4, Btn_Search,
                       ACG_List_Devices, CB_Find_All_Qelvar});
        restore_options();
        update_ComPort();
        CB_COM_Port->setFocus();
    }
}

void TFBoot::Set_Lang()
{
    if (Form_Type == 0) {
        setWindowTitle(Lang_Text(1000));
        L_SW_Desc->setText(Lang_Text(1001));
    } else if (Form_Type == 1) {
        setWindowTitle(Lang_Text(1002));
        L_SW_Desc->setText(Lang_Text(1003));
    }
    L_IP_Address->setText(Lang_Text(1006));
    L_List_Device->setText(Lang_Text(1009));
    Btn_Search->SetCaption(Lang_Text(1010));
    Set_Rule_Headers(*ACG_List_Devices, Device_Columns);
    CB_Find_All_Qelvar->setText(Lang_Text(1013));
    L_Update_Option->setText(Lang_Text(1014));
    CB_Update_Options->clear();
    CB_Update_Options->addItems({Lang_Text(1015), Lang_Text(1016), Lang_Text(1017)});
    CB_Update_Options->setCurrentIndex(0);
    CB_Update_Option_Read_Back->setText(Lang_Text(1018));
    Btn_Cancel->SetCaption(Lang_Text(1019));
    Btn_Update->SetCaption(Lang_Text(1020));
    for (int i = 0; i < 4; ++i)
        Octet(i)->setToolTip(Lang_Text(1021 + i));
    Btn_Search->SetHint(Lang_Text(1029));
    ACG_List_Devices->setToolTip(Lang_Text(1030));
    CB_Find_All_Qelvar->setToolTip(Lang_Text(1031));
    CB_Update_Options->setToolTip(Lang_Text(1032));
    CB_Update_Option_Read_Back->setToolTip(Lang_Text(1033));
    Btn_Cancel->SetHint(Lang_Text(1034));
    Btn_Update->SetHint(Lang_Text(1035));
}

QLineEdit *TFBoot::Octet(int i) const
{
    QLineEdit *const octets[4] = {E_IP1, E_IP2, E_IP3, E_IP4};
    return octets[i];
}

// "." never reaches an octet edit; in the first three it moves on to the next one.
bool TFBoot::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->text() == QLatin1String(".")) {
        for (int i = 0; i < 3; ++i) {
            QLineEdit *next = Octet(i + 1);
            if (watched == Octet(i) && next->isEnabled() && next->isVisible())
                next->setFocus(Qt::TabFocusReason);
        }
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

QString TFBoot::Typed_Address() const
{
    static const QRegularExpression decimal(QStringLiteral("^[0-9]{1,3}$"));
    QStringList parts;
    for (int i = 0; i < 4; ++i) {
        const QString text = Octet(i)->text();
        if (!decimal.match(text).hasMatch() || text.toInt() > 255)
            return {};
        parts << QString::number(text.toInt());
    }
    return parts.join(QLatin1Char('.'));
}

void TFBoot::PingReply(const TEchoReply &reply)
{
    ping_res = reply.BytesReceived > 0 ? 1 : 2;
}

// Two echoes with data, or as many attempts as fit in Ping_Window_Ms; the result follows
// the last reply. The window keeps repainting between attempts.
bool TFBoot::Send_Ping()
{
    ping_res = 0;
    const QString host = Typed_Address();
    Pinged_Address = host;
    if (host.isEmpty())
        return false;
    QElapsedTimer since_start;
    since_start.start();
    int answered = 0;
    try {
        do {
            QElapsedTimer attempt;
            attempt.start();
            PingReply(Icmp().Echo(host, host.toLatin1(), Echo_Size, Echo_Timeout_Ms));
            do {
                QThread::msleep(10);
                QCoreApplication::processEvents();
            } while (ping_res == 0 && attempt.elapsed() <= Echo_Timeout_Ms);
            if (ping_res == 1 && ++answered >= 2)
                break;
        } while (since_start.elapsed() <= Ping_Window_Ms);
    } catch (const std::exception &) {
        return false;
    }
    return ping_res == 1;
}

void TFBoot::Compile_XML_Parameter_New_Boot()
{
    Write_Update_Job(Current_Update_Job(Pinged_Address, CB_Update_Options->currentIndex(),
                                        CB_Update_Option_Read_Back->isChecked()));
}

void TFBoot::Compile_XML_Parameter()
{
    Write_Update_Job(Current_Update_Job(Pinged_Address, CB_Update_Options->currentIndex(),
                                        CB_Update_Option_Read_Back->isChecked(), TJob_Layout::Older));
}

int TFBoot::Get_Type_Dev()
{
    if (File_Exists(Path_ParGen)) {
        TXmlDocument doc;
        doc.LoadFromFile(Path_ParGen);
    }
    return 0;
}

QString TFBoot::Update_Options(const QString &prefix) const
{
    const bool read_back = CB_Update_Option_Read_Back->isChecked();
    const QString firmware_back = read_back ? QStringLiteral("FR ") : QStringLiteral("NO ");
    const QString config_back = read_back ? QStringLiteral("PR ") : QStringLiteral("NO ");
    switch (CB_Update_Options->currentIndex()) {
    case 0: return prefix + QStringLiteral("FW ") + firmware_back + QStringLiteral("PW ") + config_back;
    case 1: return prefix + QStringLiteral("FW ") + firmware_back + QStringLiteral("NO NO ");
    case 2: return prefix + QStringLiteral("NO NO PW ") + config_back;
    default: return prefix;
    }
}

void TFBoot::update_ComPort()
{
    CB_COM_Port->clear();
    CB_COM_Port->addItems(Get_COM_Port_List());
    CB_COM_Port->setCurrentIndex(CB_COM_Port->count() > 0 ? 0 : -1);
}

void TFBoot::Btn_UpdateClick()
{
    if (busy_)
        return;
    if (Form_Type == 0) {
        Update_Option = CB_Update_Options->currentIndex();
        Update_Read_Back = CB_Update_Option_Read_Back->isChecked();
        return;
    }
    if (Form_Type != 1)
        return;
    // Execute stays disabled until the check, the job file and the updater's run are over.
    busy_ = true;
    Btn_Update->setEnabled(false);
    const auto done = qScopeGuard([this] {
        busy_ = false;
        Btn_Update->setEnabled(true);
    });
    if (!Send_Ping()) {
        if (ping_res == 2)
            MessageWarning(Lang_Text(1036), {}, this);
        else
            MessageError(Lang_Text(1037), {}, this);
        return;
    }
    Last_IP_Address = Pinged_Address;
    Update_Option = CB_Update_Options->currentIndex();
    Update_Read_Back = CB_Update_Option_Read_Back->isChecked();
    try {
        Compile_XML_Parameter_New_Boot();
    } catch (const std::exception &e) {
        MessageError(QString::fromUtf8(e.what()), {}, this);
        return;
    }
    if (FTessalinorFirmWare)
        FTessalinorFirmWare->Start_Program(Updater_Path(), QString(), false);
}
