#include "gateway/pargen.h"

#include "app/comon.h"
#include "app/formparts.h"
#include "app/language.h"
#include "app/lbbutton.h"
#include "gateway/categorypanel.h"
#include "gateway/lora_payload.h"
#include "gateway/pargen_panels.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/rtl.h"
#include "platform/xml.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QValidator>
#include <QVBoxLayout>
#include <cctype>

TFParGen *FParGen = nullptr;

namespace {

const QString ABP = QStringLiteral("Activation by Personalization [ABP]");
const QString OTAA = QStringLiteral("Over-the-Air Activation [OTAA]");

// Hexadecimal fields take only hexadecimal digits, in upper case, however they are entered.
class THex_Validator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override
    {
        QString clean;
        int cursor = pos;
        for (int i = 0; i < input.size(); ++i) {
            if (isxdigit(input[i].unicode()) && input[i].unicode() < 128)
                clean += input[i].toUpper();
            else if (i < pos)
                --cursor;
        }
        input = clean;
        pos = cursor;
        return Acceptable;
    }
};

bool Is_Hex(const QString &text)
{
    for (QChar c : text)
        if (c.unicode() >= 128 || !isxdigit(c.unicode()))
            return false;
    return true;
}

bool Octet_Ok(const QLineEdit *edit)
{
    const int v = StrToIntDef(edit->text(), -1);
    return v >= 0 && v <= 255;
}

void Select_Item(QComboBox *combo, const QString &text)
{
    // Exact text, letter case aside, as the list's own search compares.
    combo->setCurrentIndex(combo->findText(text, Qt::MatchFixedString));
}

} // namespace

TFParGen::TFParGen(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FParGen"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    Create_Components();
    FormCreate();
}

TFParGen::~TFParGen() = default;

void TFParGen::Create_Components()
{
    Set_Form_Look(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    P_Title = Create_Title_Panel(this, L_SW_Code, L_SW_Desc);
    layout->addWidget(P_Title);
    CPG = new TCategoryPanelGroup(this);
    layout->addWidget(CPG, 1);
    P_Button = Create_Button_Panel(this, Btn_OK, Btn_Cancel);
    P_Button->setFixedHeight(40);
    layout->addWidget(P_Button);
    Btn_OK->OnClick = [this](QObject *) { Btn_OKClick(); };
    Btn_Cancel->SetModalResult(mrCancel);

    Create_Ethernet_Connection();
    Create_LoRa();
    Create_EtherNetIP_Master();
    other_ = std::make_unique<TParGen_Other_Panels>(CPG, texts_, *this);

    for (QComboBox *combo : findChildren<QComboBox *>())
        connect(combo, &QComboBox::activated, this, [this, combo] { On_Change(combo); });
    for (QCheckBox *box : findChildren<QCheckBox *>())
        if (box != CB_EtherNetIP_Master_GAT)
            connect(box, &QCheckBox::toggled, this, [this, box] { On_Click(box); });
    octet_chains_ = {
        {E_EthConn_Pri_DNS_IP.begin(), E_EthConn_Pri_DNS_IP.end()},
        {E_EtherNetIP_Master_IP.begin(), E_EtherNetIP_Master_IP.end()},
    };
    octet_chains_[0].insert(octet_chains_[0].end(), E_EthConn_Sec_DNS_IP.begin(), E_EthConn_Sec_DNS_IP.end());
    for (const TOctets *o : {&E_EtherNetIP_Master_SM, &E_EtherNetIP_Master_GAT})
        octet_chains_[1].insert(octet_chains_[1].end(), o->begin(), o->end());
    // Every octet edit drops "."; only those of a chain pass the focus on.
    for (const auto &chain : octet_chains_)
        for (QLineEdit *edit : chain)
            edit->installEventFilter(this);
    for (QLineEdit *edit : other_->Octet_Edits())
        edit->installEventFilter(this);
    for (QLineEdit *edit : {E_LoRa_JoinEUI, E_LoRa_Device_Address, E_LoRa_Network_Session_Key,
                            E_LoRa_Application_Session_Key, E_LoRa_Application_Key})
        edit->setValidator(new THex_Validator(edit));
}

void TFParGen::Create_Ethernet_Connection()
{
    CP_Ethernet_Connection = CPG->Add_Panel(QStringLiteral("CP_Ethernet_Connection"));
    TPanel_Builder b(CP_Ethernet_Connection->Content(), texts_);
    L_EthConn_Device_Name = b.Label(QStringLiteral("L_EthConn_Device_Name"), 0, 2907);
    E_EthConn_Device_Name = b.Edit(QStringLiteral("E_EthConn_Device_Name"), 0, 2908, 31);
    CB_EthConn_En_DHCP_Cable = b.Check(QStringLiteral("CB_EthConn_En_DHCP_Cable"), 1, 2909, 2910);
    CB_EthConn_En_DHCP_WiFi = b.Check(QStringLiteral("CB_EthConn_En_DHCP_WiFi"), 2, 2911, 2912);
    CB_EthConn_Enable_DNS = b.Check(QStringLiteral("CB_EthConn_Enable_DNS"), 3, 2913, 2914);
    L_EthConn_Primary_DNS = b.Label(QStringLiteral("L_EthConn_Primary_DNS"), 4, 2915);
    E_EthConn_Pri_DNS_IP = b.Octets(QStringLiteral("E_EthConn_Pri_DNS_IP"), 4, 2916);
    L_EthConn_Secondary_DNS = b.Label(QStringLiteral("L_EthConn_Secondary_DNS"), 5, 2920);
    E_EthConn_Sec_DNS_IP = b.Octets(QStringLiteral("E_EthConn_Sec_DNS_IP"), 5, 2921);
}

void TFParGen::Create_LoRa()
{
    CP_LoRa = CPG->Add_Panel(QStringLiteral("CP_LoRa"));
    TPanel_Builder b(CP_LoRa->Content(), texts_);
    L_LoRa_RF_Band = b.Label(QStringLiteral("L_LoRa_RF_Band"), 0, 407);
    CB_LoRa_RF_Band = b.Combo(QStringLiteral("CB_LoRa_RF_Band"), 0, 408, LoRa_RF_Bands());
    L_LoRa_FrequencySubBand = b.Label(QStringLiteral("L_LoRa_FrequencySubBand"), 1, 2904);
    CB_LoRa_FrequencySubBand = b.Combo(QStringLiteral("CB_LoRa_FrequencySubBand"), 1, 2905,
                                       {"1", "2", "3", "4", "5", "6", "7", "8"});
    L_LoRa_Network_Type = b.Label(QStringLiteral("L_LoRa_Network_Type"), 2, 409);
    CB_LoRa_Network_Type = b.Combo(QStringLiteral("CB_LoRa_Network_Type"), 2, 410, {"Private", "Public"});
    CB_LoRa_Adaptive_DataRate = b.Check(QStringLiteral("CB_LoRa_Adaptive_DataRate"), 3, 483, 484);
    L_LoRa_DataRate = b.Label(QStringLiteral("L_LoRa_DataRate"), 4, 485);
    CB_LoRa_DataRate = b.Combo(QStringLiteral("CB_LoRa_DataRate"), 4, 486);
    L_LoRa_Transmission_Type = b.Label(QStringLiteral("L_LoRa_Transmission_Type"), 5, 487);
    CB_LoRa_Transmission_Type = b.Combo(QStringLiteral("CB_LoRa_Transmission_Type"), 5, 488,
                                        {"Unconfirmed", "Confirmed"});
    L_LoRa_Payload_Size = b.Label(QStringLiteral("L_LoRa_Payload_Size"), 6, 489);
    E_LoRa_Payload_Size = b.Edit(QStringLiteral("E_LoRa_Payload_Size"), 6, 490);
    E_LoRa_Payload_Size->setReadOnly(true);
    L_LoRa_JoinEUI = b.Label(QStringLiteral("L_LoRa_JoinEUI"), 7, 415);
    E_LoRa_JoinEUI = b.Edit(QStringLiteral("E_LoRa_JoinEUI"), 7, 416, 16);
    L_LoRa_Activation_Method = b.Label(QStringLiteral("L_LoRa_Activation_Method"), 8, 411);
    CB_LoRa_Activation_Method = b.Combo(QStringLiteral("CB_LoRa_Activation_Method"), 8, 412, {ABP, OTAA});
    L_LoRa_Device_Address = b.Label(QStringLiteral("L_LoRa_Device_Address"), 9, 413);
    E_LoRa_Device_Address = b.Edit(QStringLiteral("E_LoRa_Device_Address"), 9, 414, 8);
    L_LoRa_Network_Session_Key = b.Label(QStringLiteral("L_LoRa_Network_Session_Key"), 10, 417);
    E_LoRa_Network_Session_Key = b.Edit(QStringLiteral("E_LoRa_Network_Session_Key"), 10, 418, 32);
    L_LoRa_Application_Session_Key = b.Label(QStringLiteral("L_LoRa_Application_Session_Key"), 11, 419);
    E_LoRa_Application_Session_Key = b.Edit(QStringLiteral("E_LoRa_Application_Session_Key"), 11, 420, 32);
    L_LoRa_Application_Key = b.Label(QStringLiteral("L_LoRa_Application_Key"), 12, 421);
    E_LoRa_Application_Key = b.Edit(QStringLiteral("E_LoRa_Application_Key"), 12, 422, 32);
    L_LoRa_FPort = b.Label(QStringLiteral("L_LoRa_FPort"), 13, 491);
    CB_LoRa_FPort = b.Combo(QStringLiteral("CB_LoRa_FPort"), 13, 492, {"Fixed", "Variable"});
}

void TFParGen::Create_EtherNetIP_Master()
{
    CP_EtherNetIP_Master = CPG->Add_Panel(QStringLiteral("CP_EtherNetIP_Master"));
    TPanel_Builder b(CP_EtherNetIP_Master->Content(), texts_);
    L_EtherNetIP_Master_IP = b.Label(QStringLiteral("L_EtherNetIP_Master_IP"), 0, 794);
    E_EtherNetIP_Master_IP = b.Octets(QStringLiteral("E_EtherNetIP_Master_IP"), 0, 795);
    L_EtherNetIP_Master_SM = b.Label(QStringLiteral("L_EtherNetIP_Master_SM"), 1, 799);
    E_EtherNetIP_Master_SM = b.Octets(QStringLiteral("E_EtherNetIP_Master_SM"), 1, 800);
    CB_EtherNetIP_Master_GAT = b.Check(QStringLiteral("CB_EtherNetIP_Master_GAT"), 2, 804, 805, false);
    E_EtherNetIP_Master_GAT = b.Octets(QStringLiteral("E_EtherNetIP_Master_GAT"), 2, 806);
    L_EtherNetIP_Master_TunnelPort = b.Label(QStringLiteral("L_EtherNetIP_Master_TunnelPort"), 3, 810);
    E_EtherNetIP_Master_Port = b.Edit(QStringLiteral("E_EtherNetIP_Master_Port"), 3, 811);
    E_EtherNetIP_Master_Port->setEnabled(false);
    E_EtherNetIP_Master_Port->setText(QStringLiteral("44818"));
}

void TFParGen::FormCreate()
{
    L_SW_Code->setText(SW_Code);
    resize(460, 700);
    setMinimumWidth(460);
    setMaximumWidth(460);
    for (TCategoryPanel *panel : CPG->Panels())
        panel->SetVisible(false);
    Order_TAB_Panels();
    Move_GroupBoxs();
    Set_Lang();
}

int TFParGen::exec()
{
    if (!FormShow())
        return mrNone;
    return QDialog::exec();
}

bool TFParGen::FormShow()
{
    TParGen_Data data = TParGen_Data::Without_File();
    if (File_Exists(Path_ParGen)) {
        try {
            data.Load(Path_ParGen);
        } catch (const EXmlError &e) {
            MessageError(QString::fromUtf8(e.what()), {}, this);
            return false;
        }
    }
    Show_Data(data);
    Move_GroupBoxs();
    Set_Max_Payload_Size();
    return true;
}

std::vector<std::pair<QLineEdit *, QString TParGen_Data::*>> TFParGen::Text_Fields() const
{
    using T = TParGen_Data;
    return {
        {E_EthConn_Device_Name, &T::Eth_Conn_Device_Name},
        {E_EthConn_Pri_DNS_IP[0], &T::Eth_Conn_Primary_DNS1},
        {E_EthConn_Pri_DNS_IP[1], &T::Eth_Conn_Primary_DNS2},
        {E_EthConn_Pri_DNS_IP[2], &T::Eth_Conn_Primary_DNS3},
        {E_EthConn_Pri_DNS_IP[3], &T::Eth_Conn_Primary_DNS4},
        {E_EthConn_Sec_DNS_IP[0], &T::Eth_Conn_Secondary_DNS1},
        {E_EthConn_Sec_DNS_IP[1], &T::Eth_Conn_Secondary_DNS2},
        {E_EthConn_Sec_DNS_IP[2], &T::Eth_Conn_Secondary_DNS3},
        {E_EthConn_Sec_DNS_IP[3], &T::Eth_Conn_Secondary_DNS4},
        {E_LoRa_Payload_Size, &T::LoRa_Payload_Size},
        // The hexadecimal fields show their text in upper case.
        {E_LoRa_Device_Address, &T::LoRa_Device_Address},
        {E_LoRa_JoinEUI, &T::LoRa_JoinEUI},
        {E_LoRa_Network_Session_Key, &T::LoRa_Network_Session_Key},
        {E_LoRa_Application_Session_Key, &T::LoRa_Application_Session_Key},
        {E_LoRa_Application_Key, &T::LoRa_Application_Key},
        {E_EtherNetIP_Master_IP[0], &T::EtherNetIP_Master_IP1},
        {E_EtherNetIP_Master_IP[1], &T::EtherNetIP_Master_IP2},
        {E_EtherNetIP_Master_IP[2], &T::EtherNetIP_Master_IP3},
        {E_EtherNetIP_Master_IP[3], &T::EtherNetIP_Master_IP4},
        {E_EtherNetIP_Master_SM[0], &T::EtherNetIP_Master_SM1},
        {E_EtherNetIP_Master_SM[1], &T::EtherNetIP_Master_SM2},
        {E_EtherNetIP_Master_SM[2], &T::EtherNetIP_Master_SM3},
        {E_EtherNetIP_Master_SM[3], &T::EtherNetIP_Master_SM4},
        {E_EtherNetIP_Master_GAT[0], &T::EtherNetIP_Master_GAT1},
        {E_EtherNetIP_Master_GAT[1], &T::EtherNetIP_Master_GAT2},
        {E_EtherNetIP_Master_GAT[2], &T::EtherNetIP_Master_GAT3},
        {E_EtherNetIP_Master_GAT[3], &T::EtherNetIP_Master_GAT4},
    };
}

std::vector<std::pair<QComboBox *, QString TParGen_Data::*>> TFParGen::List_Fields() const
{
    using T = TParGen_Data;
    return {{CB_LoRa_Network_Type, &T::LoRa_Network_Type},
            {CB_LoRa_Transmission_Type, &T::LoRa_Transmission_Type},
            {CB_LoRa_Activation_Method, &T::LoRa_Activation_Method},
            {CB_LoRa_FPort, &T::LoRa_FPort},
            {CB_LoRa_FrequencySubBand, &T::LoRa_Frequency_SubBand}};
}

std::vector<std::pair<QCheckBox *, bool TParGen_Data::*>> TFParGen::Flag_Fields() const
{
    using T = TParGen_Data;
    return {{CB_EthConn_En_DHCP_Cable, &T::Eth_Conn_DHCP_Cable},
            {CB_EthConn_En_DHCP_WiFi, &T::Eth_Conn_DHCP_WiFi},
            {CB_EthConn_Enable_DNS, &T::Eth_Conn_Enable_DNS},
            {CB_LoRa_Adaptive_DataRate, &T::LoRa_Adaptive_DataRate},
            {CB_EtherNetIP_Master_GAT, &T::EtherNetIP_Master_EN_GAT}};
}

void TFParGen::Show_Data(const TParGen_Data &d)
{
    for (const auto &[edit, field] : Text_Fields())
        edit->setText(edit->validator() ? (d.*field).toUpper() : d.*field);
    for (const auto &[box, field] : Flag_Fields())
        box->setChecked(d.*field);
    Select_Item(CB_LoRa_RF_Band, d.LoRa_RF_Band);
    // The stored data rate is looked up in the list of the stored band.
    Change_LoRa_DataRate();
    Select_Item(CB_LoRa_DataRate, d.LoRa_DataRate);
    if (CB_LoRa_DataRate->currentIndex() < 0 && CB_LoRa_DataRate->count() > 0)
        CB_LoRa_DataRate->setCurrentIndex(0);
    for (const auto &[combo, field] : List_Fields())
        Select_Item(combo, d.*field);
    E_EtherNetIP_Master_Port->setText(QStringLiteral("44818"));
}

TParGen_Data TFParGen::Read_Controls() const
{
    TParGen_Data d;
    for (const auto &[edit, field] : Text_Fields())
        d.*field = edit->text();
    for (const auto &[box, field] : Flag_Fields())
        d.*field = box->isChecked();
    d.LoRa_RF_Band = CB_LoRa_RF_Band->currentText();
    d.LoRa_DataRate = CB_LoRa_DataRate->currentText();
    for (const auto &[combo, field] : List_Fields())
        d.*field = combo->currentText();
    d.EtherNetIP_Master_Port = QStringLiteral("44818");
    return d;
}

void TFParGen::Btn_OKClick()
{
    if (!Controllo_Dati())
        return;
    try {
        Read_Controls().Save(Path_ParGen);
    } catch (const EXmlError &e) {
        MessageError(QString::fromUtf8(e.what()), {}, this);
        return;
    }
    done(mrOk);
}

bool TFParGen::Controllo_Dati()
{
    const auto fail = [this](const QString &message) {
        MessageError(message, {}, this);
        return false;
    };
    const auto octets_ok = [&](const TOctets &octets, int first_text) {
        for (int i = 0; i < 4; ++i)
            if (!Octet_Ok(octets[i]))
                return fail(Lang_Text(first_text + i));
        return true;
    };
    if (CB_EthConn_Enable_DNS->isChecked())
        if (!octets_ok(E_EthConn_Pri_DNS_IP, 2925) || !octets_ok(E_EthConn_Sec_DNS_IP, 2929))
            return false;
    const std::pair<QComboBox *, int> lists[] = {{CB_LoRa_RF_Band, 493}, {CB_LoRa_Network_Type, 494},
                                                 {CB_LoRa_DataRate, 495}, {CB_LoRa_Transmission_Type, 496}};
    for (const auto &[combo, text] : lists)
        if (Trim(combo->currentText()).isEmpty())
            return fail(Lang_Text(text));
    const int payload = StrToIntDef(E_LoRa_Payload_Size->text(), -1);
    const int max_payload = Find_Max_PayLoad();
    if (payload < 1 || payload > max_payload)
        return fail(Lang_Text(497).replace(QLatin1String("%d"), QString::number(max_payload)));
    if (Trim(CB_LoRa_Activation_Method->currentText()).isEmpty())
        return fail(Lang_Text(499));
    // A key typed in part, or not in hexadecimal, would reach the device as zero bytes.
    const std::tuple<QLineEdit *, int, int> keys[] = {
        {E_LoRa_Device_Address, 8, 500},       {E_LoRa_JoinEUI, 16, 501},
        {E_LoRa_Network_Session_Key, 32, 502}, {E_LoRa_Application_Session_Key, 32, 503},
        {E_LoRa_Application_Key, 32, 504}};
    for (const auto &[edit, length, text] : keys)
        if (!edit->text().isEmpty() && (edit->text().size() != length || !Is_Hex(edit->text())))
            return fail(Lang_Text(text));
    if (!octets_ok(E_EtherNetIP_Master_IP, 812) || !octets_ok(E_EtherNetIP_Master_SM, 816))
        return false;
    if (CB_EtherNetIP_Master_GAT->isChecked() && !octets_ok(E_EtherNetIP_Master_GAT, 820))
        return false;
    return true;
}

int TFParGen::Find_Max_PayLoad() const
{
    return LoRa_Max_Payload(CB_LoRa_RF_Band->currentText(), CB_LoRa_DataRate->currentText());
}

void TFParGen::Set_Max_Payload_Size()
{
    E_LoRa_Payload_Size->setText(QString::number(Find_Max_PayLoad()));
}

void TFParGen::Change_LoRa_DataRate()
{
    CB_LoRa_DataRate->clear();
    CB_LoRa_DataRate->addItems(LoRa_DataRate_Items(CB_LoRa_RF_Band->currentText()));
    CB_LoRa_DataRate->setCurrentIndex(CB_LoRa_DataRate->count() > 0 ? 0 : -1);
}

void TFParGen::On_Change(QObject *Sender)
{
    if (Sender == CB_LoRa_RF_Band) {
        Change_LoRa_DataRate();
        Set_Max_Payload_Size();
        Move_GroupBoxs();
    } else if (Sender == CB_LoRa_DataRate) {
        Set_Max_Payload_Size();
    } else if (Sender == CB_LoRa_Activation_Method || other_->Relays_On_Change(Sender)) {
        Move_GroupBoxs();
    }
}

void TFParGen::On_Click(QObject *Sender)
{
    if (Sender == CB_EthConn_En_DHCP_Cable || Sender == CB_EthConn_En_DHCP_WiFi ||
        other_->Relays_On_Click(Sender))
        Move_GroupBoxs();
}

void TFParGen::Order_TAB_Panels()
{
    Order_TAB_Panels_41R08();
}

void TFParGen::Move_GroupBoxs()
{
    RePosition_Objects_41R08();
}

void TFParGen::Order_TAB_Panels_41R08()
{
    Order_Panels({CP_Ethernet_Connection, CP_LoRa, CP_EtherNetIP_Master});
}

void TFParGen::RePosition_Objects_41R08()
{
    RePosition_Object_Ethernet_Connection();
    RePosition_Object_LoRa();
    RePosition_Object_EtherNetIP_Master();
}

void TFParGen::RePosition_Object_Ethernet_Connection()
{
    CB_EthConn_En_DHCP_WiFi->setEnabled(false);
    CP_Ethernet_Connection->SetHeight(Panel_Height(E_EthConn_Sec_DNS_IP[3]));
}

void TFParGen::RePosition_Object_LoRa()
{
    const int band = CB_LoRa_RF_Band->currentIndex();
    const bool abp = CB_LoRa_Activation_Method->currentIndex() == 0;
    const auto row = [](QWidget *label, QWidget *input) { return TPanel_Row{label, {input}}; };
    Flow_Rows({{row(L_LoRa_FrequencySubBand, CB_LoRa_FrequencySubBand), band == 5 || band == 6},
               {row(L_LoRa_Network_Type, CB_LoRa_Network_Type), true},
               {TPanel_Row{CB_LoRa_Adaptive_DataRate, {}}, true},
               {row(L_LoRa_DataRate, CB_LoRa_DataRate), true},
               {row(L_LoRa_Transmission_Type, CB_LoRa_Transmission_Type), true},
               {row(L_LoRa_Payload_Size, E_LoRa_Payload_Size), true},
               {row(L_LoRa_JoinEUI, E_LoRa_JoinEUI), true},
               {row(L_LoRa_Activation_Method, CB_LoRa_Activation_Method), true},
               {row(L_LoRa_Device_Address, E_LoRa_Device_Address), abp},
               {row(L_LoRa_Network_Session_Key, E_LoRa_Network_Session_Key), abp},
               {row(L_LoRa_Application_Session_Key, E_LoRa_Application_Session_Key), abp},
               {row(L_LoRa_Application_Key, E_LoRa_Application_Key), !abp},
               {row(L_LoRa_FPort, CB_LoRa_FPort), true}},
              CB_LoRa_RF_Band->y() + ParGen_Grid::Row_Pitch);
    CP_LoRa->SetHeight(Panel_Height(CB_LoRa_FPort));
}

void TFParGen::RePosition_Object_EtherNetIP_Master()
{
    const bool manual = !CB_EthConn_En_DHCP_Cable->isChecked();
    for (const TOctets *o : {&E_EtherNetIP_Master_IP, &E_EtherNetIP_Master_SM, &E_EtherNetIP_Master_GAT})
        for (QLineEdit *edit : *o)
            edit->setEnabled(manual);
    CP_EtherNetIP_Master->SetHeight(Panel_Height(E_EtherNetIP_Master_Port));
}

void TFParGen::Set_Lang()
{
    setWindowTitle(Lang_Text(400));
    L_SW_Desc->setText(Lang_Text(401));
    Btn_OK->SetCaption(Lang_Text(402));
    Btn_Cancel->SetCaption(Lang_Text(403));
    Btn_OK->SetHint(Lang_Text(404));
    Btn_Cancel->SetHint(Lang_Text(405));
    Apply_Texts(texts_);
    other_->Set_Lang();
}

TCategoryPanel *TFParGen::Panel(const QString &name) const
{
    for (TCategoryPanel *p : CPG->Panels())
        if (p->objectName() == name)
            return p;
    return nullptr;
}

bool TFParGen::Octet_Key(QLineEdit *edit, QKeyEvent *event)
{
    if (event->text() != QLatin1String("."))
        return false;
    for (const auto &chain : octet_chains_) {
        const auto it = std::find(chain.begin(), chain.end(), edit);
        if (it != chain.end() && it + 1 != chain.end()) {
            QLineEdit *next = *(it + 1);
            if (next->isEnabled() && next->isVisibleTo(this))
                next->setFocus(Qt::TabFocusReason);
        }
    }
    return true;
}

bool TFParGen::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress)
        if (auto *edit = qobject_cast<QLineEdit *>(watched))
            if (Octet_Key(edit, static_cast<QKeyEvent *>(event)))
                return true;
    return QDialog::eventFilter(watched, event);
}
