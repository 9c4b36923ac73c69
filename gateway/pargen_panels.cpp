#include "gateway/pargen_panels.h"

#include "app/language.h"
#include "gateway/categorypanel.h"
#include "gateway/pargen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

using namespace ParGen_Grid;

namespace {

enum class TKind {
    Edit,          // label and edit: caption, hint
    Label_Edit,    // label and edit, no hint
    Combo,         // label and list: caption, hint
    Selector,      // label and a list whose items are UI texts (Set_Lang fills them)
    Check,         // check box: caption, hint
    Address,       // label and four octets: caption, four hints
    Gateway,       // check box and four octets: caption, hint, four hints
    Check_Edit,    // check box and an edit beside it: caption, hint, hint
    Check_Combo,   // check box and a list beside it: caption, hint, hint
    Versions,      // label and three check boxes: caption, three hints
};

struct TRow_Def
{
    TKind Kind;
    const char *Name;     // the input, or the check box
    int Caption;
    const char *Name2 = nullptr;   // the octets or the input beside a check box
    int Hint = -1;        // for Selector: the hint
    const char *Items = nullptr;   // fixed items of a list, separated by "|"
};

TRow_Def E(const char *name, int caption) { return {TKind::Edit, name, caption}; }
TRow_Def EN(const char *name, int caption) { return {TKind::Label_Edit, name, caption}; }
TRow_Def C(const char *name, int caption, const char *items = nullptr)
{
    return {TKind::Combo, name, caption, nullptr, -1, items};
}
TRow_Def S(const char *name, int caption, int hint) { return {TKind::Selector, name, caption, nullptr, hint}; }
TRow_Def K(const char *name, int caption) { return {TKind::Check, name, caption}; }
TRow_Def A(const char *octets, int caption) { return {TKind::Address, octets, caption}; }
TRow_Def G(const char *box, const char *octets, int caption) { return {TKind::Gateway, box, caption, octets}; }
TRow_Def KE(const char *box, const char *edit, int caption) { return {TKind::Check_Edit, box, caption, edit}; }
TRow_Def KC(const char *box, const char *combo, int caption) { return {TKind::Check_Combo, box, caption, combo}; }
TRow_Def V(const char *boxes, int caption) { return {TKind::Versions, boxes, caption}; }

enum class TLayout {
    Height,           // only the height, from the anchor
    Dhcp,             // cable DHCP greys the octets
    Dhcp_Gateway,     // ... and the gateway box
    Ethernet, Profinet, BACnet_Master, BACnet_Slave, MBus, wMBus, TLS_Server, TLS, MQTT, WiFi, SNMP_Agent,
};

struct TPanel_Def
{
    const char *Name;
    int Caption;
    TLayout Layout;
    const char *Anchor;   // for the fixed layouts
    std::vector<TRow_Def> Rows;
};

const std::vector<TPanel_Def> &Panel_Defs()
{
    using enum TLayout;
    static const std::vector<TPanel_Def> defs = {
        {"CP_Modbus_Slave", 423, Height, "CB_ModbusSlave_ReadInput",
         {C("CB_ModbusSlave_Serial", 424), C("CB_ModbusSlave_Baudrate", 426), C("CB_ModbusSlave_Parity", 428),
          C("CB_ModbusSlave_StopBits", 430), E("E_ModbusSlave_IDDevice", 432), K("CB_ModbusSlave_ReadInput", 434)}},
        {"CP_Ethernet", 436, Ethernet, "E_Ethernet_GAT4",
         {A("E_Ethernet_IP", 437), A("E_Ethernet_SM", 442), G("CB_Ethernet_GAT", "E_Ethernet_GAT", 447),
          E("E_Ethernet_TCP_Port", 459), E("E_Ethernet_UDP_Port", 461)}},
        {"CP_BACnet_Master", 505, BACnet_Master, nullptr,
         {C("CB_BACnet_Master_Type", 506, "BACnet/IP|BACnet MS/TP"), A("E_BACnet_IP_Master_IP", 508),
          A("E_BACnet_IP_Master_SM", 513), G("CB_BACnet_IP_Master_GAT", "E_BACnet_IP_Master_GAT", 518),
          E("E_BACnet_IP_Master_Port", 524), E("E_BACnet_IP_Master_DeviceName", 526),
          E("E_BACnet_IP_Master_Device_Identifier", 528), E("E_BACnet_IP_Master_TimeOut_Polling", 530),
          C("CB_BACnet_MSTP_Master_Baudrate", 532), C("CB_BACnet_MSTP_Master_Parity", 534),
          E("E_BACnet_MSTP_Master_DeviceName", 536), E("E_BACnet_MSTP_Master_MAC_Address", 538),
          E("E_BACnet_MSTP_Master_Max_Master", 540), E("E_BACnet_MSTP_Master_Max_Info_Frames", 542),
          E("E_BACnet_MSTP_Master_Device_Instance", 544)}},
        {"CP_BACnet_Slave", 546, BACnet_Slave, nullptr,
         {C("CB_BACnet_Slave_Type", 547, "BACnet/IP|BACnet MS/TP"), A("E_BACnet_IP_Slave_IP", 549),
          A("E_BACnet_IP_Slave_SM", 554), G("CB_BACnet_IP_Slave_GAT", "E_BACnet_IP_Slave_GAT", 559),
          E("E_BACnet_IP_Slave_Port", 565), E("E_BACnet_IP_Slave_DeviceName", 567),
          E("E_BACnet_IP_Slave_Device_Identifier", 569), C("CB_BACnet_MSTP_Slave_Baudrate", 571),
          C("CB_BACnet_MSTP_Slave_Parity", 573), E("E_BACnet_MSTP_Slave_DeviceName", 575),
          E("E_BACnet_MSTP_Slave_MAC_Address", 577), E("E_BACnet_MSTP_Slave_Max_Master", 579),
          E("E_BACnet_MSTP_Slave_Max_Info_Frames", 581), E("E_BACnet_MSTP_Slave_Device_Instance", 583),
          E("E_BACnet_MSTP_Slave_Network", 585), K("CB_BACnet_Slave_Desc_32_Chars", 587)}},
        {"CP_MBus", 631, MBus, nullptr,
         {S("CB_MBus_OnWire_Present", 632, 635), C("CB_MBus_Baudrate", 636), C("CB_MBus_Parity", 638),
          E("E_MBus_CyclicDelay", 640), C("CB_MBus_NodeState", 642),
          KC("CB_MBus_En_Fix_CField", "CB_MBus_SelectCField", 655)}},
        {"CP_wMBus", 644, wMBus, nullptr,
         {S("CB_wMBus_Wireless_Present", 645, 648), C("CB_wMBus_Mode", 649), C("CB_wMBus_Radio_Channel", 651)}},
        {"CP_Modbus_Master", 658, Height, "E_ModbusMaster_CyclicDelay",
         {C("CB_ModbusMaster_Serial", 659), C("CB_ModbusMaster_Baudrate", 661), C("CB_ModbusMaster_Parity", 663),
          C("CB_ModbusMaster_StopBits", 665), E("E_ModbusMaster_TimeOut", 667),
          E("E_ModbusMaster_CyclicDelay", 669)}},
        {"CP_Modbus_TCP_Master", 674, Dhcp_Gateway, "E_ModbusTCPMaster_CyclicDelay",
         {A("E_ModbusTCPMaster_IP", 675), A("E_ModbusTCPMaster_SM", 680),
          G("CB_ModbusTCPMaster_GAT", "E_ModbusTCPMaster_GAT", 685), E("E_ModbusTCPMaster_TimeOut", 691),
          E("E_ModbusTCPMaster_CyclicDelay", 693)}},
        {"CP_Modbus_TCP_Slave", 709, Dhcp_Gateway, "CB_ModbusTCPSlave_ReadInput",
         {A("E_ModbusTCPSlave_IP", 710), A("E_ModbusTCPSlave_SM", 715),
          G("CB_ModbusTCPSlave_GAT", "E_ModbusTCPSlave_GAT", 720), E("E_ModbusTCPSlave_Port", 726),
          K("CB_ModbusTCPSlave_ReadInput", 2894)}},
        {"CP_Serial", 741, Height, "CB_Serial_StopBits",
         {C("CB_Serial_Serial", 742), C("CB_Serial_Baudrate", 744), C("CB_Serial_Parity", 746),
          C("CB_Serial_StopBits", 748)}},
        {"CP_CAN", 751, Height, "CB_CAN_Baudrate", {C("CB_CAN_Baudrate", 752)}},
        {"CP_CANopen", 754, Height, "E_CANopen_SDO_Timeout",
         {E("E_CANopen_IDDevice", 755), C("CB_CANopen_Baudrate", 757), K("CB_CANopen_Operational", 759),
          KE("CB_CANopen_Network_Start", "E_CANopen_Network_Start_Delay", 761), E("E_CANopen_SDO_Timeout", 764)}},
        {"CP_DeviceNet_Master", 769, Height, "CB_DeviceNet_Master_Baudrate",
         {E("E_DeviceNet_Master_IDDevice", 770), C("CB_DeviceNet_Master_Baudrate", 772)}},
        {"CP_DeviceNet_Slave", 775, Height, "E_DeviceNet_Slave_NumByteOut",
         {E("E_DeviceNet_Slave_IDDevice", 776), C("CB_DeviceNet_Slave_Baudrate", 778),
          E("E_DeviceNet_Slave_NumByteIn", 780), E("E_DeviceNet_Slave_NumByteOut", 782)}},
        {"CP_DMX", 787, Height, "E_DMX_ChannelNum", {C("CB_DMX_Type", 788), E("E_DMX_ChannelNum", 790)}},
        {"CP_EtherNetIP", 824, Dhcp, "E_EtherNetIP_NByte_Out",
         {A("E_EtherNetIP_IP", 825), A("E_EtherNetIP_SM", 830), G("CB_EtherNetIP_GAT", "E_EtherNetIP_GAT", 835),
          E("E_EtherNetIP_Port", 841), E("E_EtherNetIP_NByte_In", 843), E("E_EtherNetIP_NByte_Out", 845)}},
        {"CP_J1939", 866, Height, "E_J1939_ID_Device",
         {C("CB_J1939_Baudrate", 867), E("E_J1939_TimeOut", 869), K("CB_J1939_Peer_To_Peer", 871),
          E("E_J1939_ID_Device", 873)}},
        {"CP_KNX", 877, Height, "E_KNX_IDDevice", {C("CB_KNX_Type", 878), E("E_KNX_IDDevice", 880)}},
        {"CP_NMEA2000", 883, Height, "CB_NMEA2000_Peer_To_Peer",
         {C("CB_NMEA2000_Baudrate", 884), E("E_NMEA2000_TimeOut", 886), K("CB_NMEA2000_Peer_To_Peer", 888)}},
        {"CP_PROFIBUS", 891, Height, "E_PROFIBUS_NByte_Out",
         {E("E_PROFIBUS_IDDevice", 892), C("CB_PROFIBUS_Baudrate", 894), E("E_PROFIBUS_NByte_In", 896),
          E("E_PROFIBUS_NByte_Out", 898)}},
        {"CP_PROFINET", 903, Profinet, "E_PROFINET_NByte_Out",
         {A("E_PROFINET_IP", 904), A("E_PROFINET_SM", 909), G("CB_PROFINET_GAT", "E_PROFINET_GAT", 914),
          E("E_PROFINET_Port", 920), E("E_PROFINET_NameStation", 922), E("E_PROFINET_NByte_In", 924),
          E("E_PROFINET_NByte_Out", 926), KE("CB_PROFINET_Diagnostic", "E_PROFINET_Diagnostic", 928)}},
        {"CP_IEC61850_Client", 947, Dhcp, "E_IEC61850_Client_AppID",
         {A("E_IEC61850_Client_IP", 948), A("E_IEC61850_Client_SM", 953),
          G("CB_IEC61850_Client_GAT", "E_IEC61850_Client_GAT", 958), E("E_IEC61850_Client_VLAN", 964),
          E("E_IEC61850_Client_AppID", 966)}},
        {"CP_IEC61850_Server", 2500, Dhcp, "E_IEC61850_Server_Password",
         {A("E_IEC61850_Server_IP", 2505), A("E_IEC61850_Server_SM", 2510),
          G("CB_IEC61850_Server_GAT", "E_IEC61850_Server_GAT", 2515), E("E_IEC61850_Server_Port", 2501),
          E("E_IEC61850_Server_Password", 2503)}},
        {"CP_TLS_Server", 2544, TLS_Server, nullptr,
         {K("CB_TLS_Server_Enable", 2545), E("E_TLS_Server_Key", 2547), E("E_TLS_Server_Key_Pass", 2549),
          E("E_TLS_Server_Cert", 2551), E("E_TLS_Server_Root_Cert", 2553), K("CB_TLS_Server_En_Known_Cert", 2555)}},
        {"CP_NTP", 2557, Height, "E_NTP_Poll_Time", {E("E_NTP_Server_URL", 2558), E("E_NTP_Poll_Time", 2560)}},
        {"CP_MQTT", 2563, MQTT, nullptr,
         {E("E_MQTT_Server_URL", 2564), E("E_MQTT_Server_Port", 2566), E("E_MQTT_ClientID", 2568),
          E("E_MQTT_KeepAlive", 2570), K("CB_MQTT_CleanSession", 2572), K("CB_MQTT_WillFlag", 2574),
          E("E_MQTT_WillTopic", 2576), E("E_MQTT_WillMessage", 2578), K("CB_MQTT_WillRetained", 2580),
          C("CB_MQTT_WillQoS", 2582, "0|1|2"), K("CB_MQTT_PublishTopicConnection", 2896),
          E("E_MQTT_ConnectionTopic", 2898), E("E_MQTT_ConnectionMessage", 2900),
          K("CB_MQTT_ConnectionRetained", 2902), E("E_MQTT_Username", 2584), E("E_MQTT_Password", 2586),
          E("E_MQTT_SendTime", 2588)}},
        {"CP_WiFi", -1, WiFi, nullptr,
         {S("CB_WiFi_Type", 2591, 2592), K("CB_WiFi_IP_Auto", 2596), A("E_WiFi_IP", 2598), A("E_WiFi_SM", 2603),
          G("CB_WiFi_GAT", "E_WiFi_GAT", 2608), G("CB_WiFi_DNS", "E_WiFi_DNS", 2614), E("E_WiFi_Port", 2620),
          K("CB_WiFi_WPS", 2622), E("E_WiFi_SSID", 2624), E("E_WiFi_Password", 2626),
          S("CB_WiFi_Secure_Type", 2628, 2629), K("CB_WiFi_En_DHCP", 2634), A("E_WiFi_DHCP_IP", 2636),
          A("E_WiFi_DHCP_SM", 2641), E("E_WiFi_DHCP_LeaseTime", 2646), E("E_WiFi_Name", 2648),
          C("CB_WiFi_MaxClient", 2650, "1|2|3|4"), S("CB_WiFi_Channel", 2652, 2653)}},
        {"CP_TLS", 2692, TLS, nullptr,
         {K("CB_TLS_Enable", 2693), K("CB_TLS_En_Server_Auth", 2695), E("E_TLS_Server_Cert", 2697),
          K("CB_TLS_En_Client_Auth", 2699), E("E_TLS_Client_Cert", 2701), E("E_TLS_Client_Cert_Key", 2703),
          E("E_TLS_Client_Cert_Key_Pass", 2705)}},
        {"CP_OPC_UA_Client", 2707, Dhcp, "E_OPC_UA_Client_GAT4",
         {A("E_OPC_UA_Client_IP", 2708), A("E_OPC_UA_Client_SM", 2713),
          G("CB_OPC_UA_Client_GAT", "E_OPC_UA_Client_GAT", 2718)}},
        {"CP_OPC_UA_Server", 2746, Dhcp, "E_OPC_UA_Server_Port",
         {A("E_OPC_UA_Server_IP", 2747), A("E_OPC_UA_Server_SM", 2752),
          G("CB_OPC_UA_Server_GAT", "E_OPC_UA_Server_GAT", 2757), E("E_OPC_UA_Server_Port", 2769)}},
        {"CP_S7_Protocol", 2784, Dhcp, "E_S7_Protocol_GAT4",
         {A("E_S7_Protocol_IP", 2785), A("E_S7_Protocol_SM", 2790), G("CB_S7_Protocol_GAT", "E_S7_Protocol_GAT", 2795)}},
        {"CP_SNMP_Manager", 2813, Dhcp, "E_SNMP_Manager_NameStation",
         {A("E_SNMP_Manager_IP", 2814), A("E_SNMP_Manager_SM", 2819),
          G("CB_SNMP_Manager_GAT", "E_SNMP_Manager_GAT", 2824), EN("E_SNMP_Manager_NameStation", 2830)}},
        {"CP_SNMP_Agent", 2843, SNMP_Agent, nullptr,
         {A("E_SNMP_Agent_IP", 2844), A("E_SNMP_Agent_SM", 2849), G("CB_SNMP_Agent_GAT", "E_SNMP_Agent_GAT", 2854),
          E("E_SNMP_Agent_NameStation", 2860), E("E_SNMP_Agent_Contact", 2862), E("E_SNMP_Agent_Location", 2864),
          V("CB_SNMP_Agent_Version", 2866), E("E_SNMP_Agent_User", 2870),
          C("CB_SNMP_Agent_SecurityLevel", 2872, "noAuthNoPriv|authNoPriv|authPriv"),
          E("E_SNMP_Agent_Authority", 2874), C("CB_SNMP_Agent_AuthorityMode", 2876, "MD5|SHA"),
          E("E_SNMP_Agent_Privacy", 2878), C("CB_SNMP_Agent_PrivacyMode", 2880, "DES|AES")}},
    };
    return defs;
}

// The family's models by the panels that follow Ethernet Connection and LoRaWAN.
const std::vector<QStringList> &Models()
{
    static const std::vector<QStringList> models = {
        {"CP_EtherNetIP_Master"},
        {"CP_Modbus_Slave", "CP_Ethernet"},
        {"CP_MBus", "CP_wMBus", "CP_Ethernet"},
        {"CP_BACnet_Master", "CP_Ethernet"},
        {"CP_BACnet_Slave", "CP_Ethernet"},
        {"CP_Modbus_Master", "CP_Ethernet"},
        {"CP_Modbus_TCP_Master"},
        {"CP_Modbus_TCP_Slave"},
        {"CP_Serial", "CP_Ethernet"},
        {"CP_Ethernet"},
        {"CP_CAN", "CP_Ethernet"},
        {"CP_CANopen", "CP_Ethernet"},
        {"CP_DeviceNet_Master", "CP_Ethernet"},
        {"CP_DeviceNet_Slave", "CP_Ethernet"},
        {"CP_DMX", "CP_Ethernet"},
        {"CP_EtherNetIP"},
        {"CP_J1939", "CP_Ethernet"},
        {"CP_KNX", "CP_Ethernet"},
        {"CP_NMEA2000", "CP_Ethernet"},
        {"CP_PROFIBUS", "CP_Ethernet"},
        {"CP_PROFINET"},
        {"CP_IEC61850_Client"},
        {"CP_IEC61850_Server", "CP_TLS_Server", "CP_NTP"},
        {"CP_MQTT", "CP_Ethernet", "CP_TLS", "CP_NTP"},
        {"CP_OPC_UA_Client", "CP_NTP"},
        {"CP_OPC_UA_Server", "CP_NTP"},
        {"CP_S7_Protocol"},
        {"CP_SNMP_Manager"},
        {"CP_SNMP_Agent"},
    };
    return models;
}

QString Label_Name(const QString &input)
{
    return QStringLiteral("L_") + input.mid(input.indexOf(u'_') + 1);
}

} // namespace

int Panel_Caption_Text(const QString &panel)
{
    if (panel == QLatin1String("CP_Ethernet_Connection"))
        return 2906;
    if (panel == QLatin1String("CP_LoRa"))
        return 406;
    if (panel == QLatin1String("CP_EtherNetIP_Master"))
        return 793;
    for (const TPanel_Def &d : Panel_Defs())
        if (panel == QLatin1String(d.Name))
            return d.Caption;
    return -1;
}

void Order_Panels(const std::vector<TCategoryPanel *> &panels)
{
    int top = 0;
    for (size_t k = 0; k < panels.size(); ++k) {
        TCategoryPanel *p = panels[k];
        // Placed before it shows, so the group stacks it after the ones before it.
        p->SetTop(top);
        p->SetVisible(true);
        top = p->Top() + std::max(1, p->height());
        p->SetCaption(QStringLiteral("%1. %2").arg(k + 1).arg(Lang_Text(Panel_Caption_Text(p->objectName()))));
        p->SetTabOrder(int(k));
    }
}

struct TParGen_Other_Panels::TPanel
{
    const TPanel_Def *Def;
    TCategoryPanel *Panel;
    std::vector<TPanel_Row> Rows;   // in the order of Def->Rows
    std::vector<QWidget *> Octets;  // address and gateway octets, for cable DHCP
    std::vector<QWidget *> Gateway_Boxes;
};

TParGen_Other_Panels::TParGen_Other_Panels(TCategoryPanelGroup *group, std::vector<TText_Binding> &texts,
                                           TFParGen &form)
    : group_(group), form_(form)
{
    for (const TPanel_Def &def : Panel_Defs()) {
        TPanel p{&def, group->Add_Panel(QLatin1String(def.Name)), {}, {}, {}};
        TPanel_Builder b(p.Panel->Content(), texts);
        int row = 0;
        for (const TRow_Def &r : def.Rows) {
            const QString name = QLatin1String(r.Name);
            TPanel_Row panel_row;
            const auto keep = [&](QWidget *w) { controls_.insert(w->objectName(), w); return w; };
            const auto octets = [&](const QString &prefix, int hint) {
                for (QLineEdit *e : b.Octets(prefix, row, hint)) {
                    panel_row.Inputs.push_back(keep(e));
                    p.Octets.push_back(e);
                    octets_.push_back(e);
                }
            };
            switch (r.Kind) {
            case TKind::Edit:
            case TKind::Label_Edit:
                panel_row.Label = keep(b.Label(Label_Name(name), row, r.Caption));
                panel_row.Inputs = {keep(b.Edit(name, row, r.Kind == TKind::Edit ? r.Caption + 1 : -1))};
                break;
            case TKind::Combo:
            case TKind::Selector: {
                panel_row.Label = keep(b.Label(Label_Name(name), row, r.Caption));
                const QStringList items = r.Items ? QString::fromLatin1(r.Items).split(u'|') : QStringList();
                QComboBox *combo = b.Combo(name, row, r.Kind == TKind::Selector ? r.Hint : r.Caption + 1, items);
                if (!items.isEmpty())
                    combo->setCurrentIndex(0);
                panel_row.Inputs = {keep(combo)};
                break;
            }
            case TKind::Check:
                panel_row.Label = keep(b.Check(name, row, r.Caption, r.Caption + 1));
                break;
            case TKind::Address:
                panel_row.Label = keep(b.Label(Label_Name(name), row, r.Caption));
                octets(name, r.Caption + 1);
                break;
            case TKind::Gateway:
                panel_row.Label = keep(b.Check(name, row, r.Caption, r.Caption + 1, false));
                p.Gateway_Boxes.push_back(panel_row.Label);
                octets(QLatin1String(r.Name2), r.Caption + 2);
                break;
            case TKind::Check_Edit:
                panel_row.Label = keep(b.Check(name, row, r.Caption, r.Caption + 1, false));
                panel_row.Inputs = {keep(b.Edit(QLatin1String(r.Name2), row, r.Caption + 2))};
                break;
            case TKind::Check_Combo:
                panel_row.Label = keep(b.Check(name, row, r.Caption, r.Caption + 1, false));
                panel_row.Inputs = {keep(b.Combo(QLatin1String(r.Name2), row, r.Caption + 2))};
                break;
            case TKind::Versions:
                panel_row.Label = keep(b.Label(Label_Name(name), row, r.Caption));
                for (int v = 1; v <= 3; ++v) {
                    QCheckBox *box = b.Check(name + QString::number(v), row, -1, r.Caption + v, false);
                    box->setText(QString::number(v));
                    box->setGeometry(Input_Left + (v - 1) * 61, Label_Top(row), Octet_Width, Check_Height);
                    panel_row.Inputs.push_back(keep(box));
                }
                break;
            }
            p.Rows.push_back(panel_row);
            ++row;
        }
        panels_.push_back(std::move(p));
    }
}

TParGen_Other_Panels::~TParGen_Other_Panels() = default;

QWidget *TParGen_Other_Panels::Control(const QString &name) const
{
    return controls_.value(name);
}

std::vector<QLineEdit *> TParGen_Other_Panels::Octet_Edits() const
{
    return octets_;
}

void TParGen_Other_Panels::Set_Lang()
{
    static const TItem_List lists[] = {{"CB_MBus_OnWire_Present", 633, 634},
                                       {"CB_wMBus_Wireless_Present", 646, 647},
                                       {"CB_WiFi_Type", 2593, 2595},
                                       {"CB_WiFi_Secure_Type", 2630, 2633},
                                       {"CB_WiFi_Channel", 2654, 2665}};
    for (const TItem_List &l : lists) {
        auto *combo = static_cast<QComboBox *>(Control(QLatin1String(l.Combo)));
        combo->clear();
        for (int t = l.First; t <= l.Last; ++t)
            combo->addItem(Lang_Text(t));
        combo->setCurrentIndex(0);
    }
}

bool TParGen_Other_Panels::Relays_On_Change(const QObject *sender) const
{
    for (const char *name : {"CB_MBus_OnWire_Present", "CB_wMBus_Wireless_Present", "CB_WiFi_Type",
                             "CB_WiFi_Secure_Type", "CB_SNMP_Agent_SecurityLevel", "CB_BACnet_Master_Type",
                             "CB_BACnet_Slave_Type"})
        if (sender == Control(QLatin1String(name)))
            return true;
    return false;
}

bool TParGen_Other_Panels::Relays_On_Click(const QObject *sender) const
{
    for (const char *name : {"CB_SNMP_Agent_Version3", "CB_MQTT_WillFlag", "CB_TLS_Enable",
                             "CB_TLS_En_Server_Auth", "CB_TLS_En_Client_Auth", "CB_WiFi_IP_Auto",
                             "CB_WiFi_En_DHCP", "CB_TLS_Server_Enable", "CB_MQTT_PublishTopicConnection"})
        if (sender == Control(QLatin1String(name)))
            return true;
    return false;
}

TParGen_Other_Panels::TPanel *TParGen_Other_Panels::Find(const QString &panel)
{
    for (TPanel &p : panels_)
        if (panel == QLatin1String(p.Def->Name))
            return &p;
    return nullptr;
}

bool TParGen_Other_Panels::RePosition_Object(const QString &panel_name)
{
    TPanel *p = Find(panel_name);
    if (!p)
        return false;
    const auto ctl = [this](const char *name) { return Control(QLatin1String(name)); };
    const auto checked = [&](const char *name) { return static_cast<QCheckBox *>(ctl(name))->isChecked(); };
    const auto index = [&](const char *name) { return static_cast<QComboBox *>(ctl(name))->currentIndex(); };
    // The row of the control of that name.
    const auto row = [&](const char *name) -> const TPanel_Row & {
        for (size_t i = 0; i < p->Def->Rows.size(); ++i)
            if (qstrcmp(p->Def->Rows[i].Name, name) == 0)
                return p->Rows[i];
        Q_UNREACHABLE();
    };
    const auto row_index = [&](const char *name) {
        for (size_t i = 0; i < p->Def->Rows.size(); ++i)
            if (qstrcmp(p->Def->Rows[i].Name, name) == 0)
                return int(i);
        return 0;
    };
    const auto cable_dhcp = [&](bool gateway_box) {
        const bool manual = !form_.CB_EthConn_En_DHCP_Cable->isChecked();
        for (QWidget *w : p->Octets)
            w->setEnabled(manual);
        if (gateway_box)
            for (QWidget *w : p->Gateway_Boxes)
                w->setEnabled(manual);
    };
    using TFlow = std::vector<std::pair<TPanel_Row, bool>>;
    // Lays the rows out from the row named first down; the panel ends at the last one shown.
    const auto flow = [&](const char *first, const TFlow &rows) {
        Flow_Rows(rows, Label_Top(row_index(first)));
        const QWidget *anchor = nullptr;
        for (const auto &[r, shown] : rows)
            if (shown)
                anchor = r.Inputs.empty() ? r.Label : r.Inputs.back();
        return anchor ? anchor : ctl(first);
    };

    const QWidget *anchor = p->Def->Anchor ? ctl(p->Def->Anchor) : nullptr;
    switch (p->Def->Layout) {
    case TLayout::Height:
        break;
    case TLayout::Dhcp:
    case TLayout::Dhcp_Gateway:
        cable_dhcp(p->Def->Layout == TLayout::Dhcp_Gateway);
        break;
    case TLayout::Ethernet:
        for (const char *hidden : {"E_Ethernet_TCP_Port", "E_Ethernet_UDP_Port"})
            Flow_Rows({{row(hidden), false}}, 0);
        cable_dhcp(true);
        break;
    case TLayout::Profinet:
        Flow_Rows({{row("CB_PROFINET_Diagnostic"), false}}, 0);
        cable_dhcp(false);
        break;
    case TLayout::BACnet_Master: {
        const bool ip = index("CB_BACnet_Master_Type") == 0;
        TFlow rows;
        for (const char *r : {"E_BACnet_IP_Master_IP", "E_BACnet_IP_Master_SM", "CB_BACnet_IP_Master_GAT",
                              "E_BACnet_IP_Master_Port", "E_BACnet_IP_Master_DeviceName",
                              "E_BACnet_IP_Master_Device_Identifier", "E_BACnet_IP_Master_TimeOut_Polling"})
            rows.push_back({row(r), ip});
        for (const char *r : {"CB_BACnet_MSTP_Master_Baudrate", "CB_BACnet_MSTP_Master_Parity",
                              "E_BACnet_MSTP_Master_DeviceName", "E_BACnet_MSTP_Master_MAC_Address",
                              "E_BACnet_MSTP_Master_Max_Master", "E_BACnet_MSTP_Master_Max_Info_Frames",
                              "E_BACnet_MSTP_Master_Device_Instance"})
            rows.push_back({row(r), !ip});
        anchor = flow("E_BACnet_IP_Master_IP", rows);
        cable_dhcp(false);
        break;
    }
    case TLayout::BACnet_Slave: {
        const bool ip = index("CB_BACnet_Slave_Type") == 0;
        TFlow rows;
        for (const char *r : {"E_BACnet_IP_Slave_IP", "E_BACnet_IP_Slave_SM", "CB_BACnet_IP_Slave_GAT",
                              "E_BACnet_IP_Slave_Port", "E_BACnet_IP_Slave_DeviceName",
                              "E_BACnet_IP_Slave_Device_Identifier"})
            rows.push_back({row(r), ip});
        for (const char *r : {"CB_BACnet_MSTP_Slave_Baudrate", "CB_BACnet_MSTP_Slave_Parity",
                              "E_BACnet_MSTP_Slave_DeviceName", "E_BACnet_MSTP_Slave_MAC_Address",
                              "E_BACnet_MSTP_Slave_Max_Master", "E_BACnet_MSTP_Slave_Max_Info_Frames",
                              "E_BACnet_MSTP_Slave_Device_Instance", "E_BACnet_MSTP_Slave_Network"})
            rows.push_back({row(r), !ip});
        rows.push_back({row("CB_BACnet_Slave_Desc_32_Chars"), true});
        anchor = flow("E_BACnet_IP_Slave_IP", rows);
        cable_dhcp(false);
        break;
    }
    case TLayout::MBus: {
        const bool present = index("CB_MBus_OnWire_Present") != 0;
        TFlow rows;
        for (const char *r : {"CB_MBus_Baudrate", "CB_MBus_Parity", "E_MBus_CyclicDelay", "CB_MBus_NodeState",
                              "CB_MBus_En_Fix_CField"})
            rows.push_back({row(r), present});
        anchor = flow("CB_MBus_Baudrate", rows);
        if (!present)
            anchor = ctl("CB_MBus_OnWire_Present");
        break;
    }
    case TLayout::wMBus: {
        const bool present = index("CB_wMBus_Wireless_Present") != 0;
        anchor = flow("CB_wMBus_Mode", {{row("CB_wMBus_Mode"), present}, {row("CB_wMBus_Radio_Channel"), present}});
        if (!present)
            anchor = ctl("CB_wMBus_Wireless_Present");
        break;
    }
    case TLayout::TLS_Server: {
        const bool on = checked("CB_TLS_Server_Enable");
        TFlow rows;
        for (const char *r : {"E_TLS_Server_Key", "E_TLS_Server_Key_Pass", "E_TLS_Server_Cert",
                              "E_TLS_Server_Root_Cert", "CB_TLS_Server_En_Known_Cert"})
            rows.push_back({row(r), on});
        anchor = flow("E_TLS_Server_Key", rows);
        if (!on)
            anchor = ctl("CB_TLS_Server_Enable");
        break;
    }
    case TLayout::TLS: {
        const bool on = checked("CB_TLS_Enable");
        const bool server = on && checked("CB_TLS_En_Server_Auth");
        const bool client = on && checked("CB_TLS_En_Client_Auth");
        anchor = flow("CB_TLS_En_Server_Auth", {{row("CB_TLS_En_Server_Auth"), on},
                                                {row("E_TLS_Server_Cert"), server},
                                                {row("CB_TLS_En_Client_Auth"), on},
                                                {row("E_TLS_Client_Cert"), client},
                                                {row("E_TLS_Client_Cert_Key"), client},
                                                {row("E_TLS_Client_Cert_Key_Pass"), client}});
        if (!on)
            anchor = ctl("CB_TLS_Enable");
        break;
    }
    case TLayout::MQTT: {
        const bool will = checked("CB_MQTT_WillFlag");
        const bool publish = checked("CB_MQTT_PublishTopicConnection");
        anchor = flow("E_MQTT_WillTopic", {{row("E_MQTT_WillTopic"), will},
                                           {row("E_MQTT_WillMessage"), will},
                                           {row("CB_MQTT_WillRetained"), will},
                                           {row("CB_MQTT_WillQoS"), will},
                                           {row("CB_MQTT_PublishTopicConnection"), true},
                                           {row("E_MQTT_ConnectionTopic"), publish},
                                           {row("E_MQTT_ConnectionMessage"), publish},
                                           {row("CB_MQTT_ConnectionRetained"), publish},
                                           {row("E_MQTT_Username"), true},
                                           {row("E_MQTT_Password"), true},
                                           {row("E_MQTT_SendTime"), false}});
        break;
    }
    case TLayout::WiFi: {
        const int type = index("CB_WiFi_Type");
        if (type == 0) {
            const bool secure = index("CB_WiFi_Secure_Type") != 0;
            const bool dhcp = checked("CB_WiFi_En_DHCP");
            anchor = flow("CB_WiFi_IP_Auto", {{row("CB_WiFi_IP_Auto"), false},
                                              {row("E_WiFi_IP"), true},
                                              {row("E_WiFi_SM"), true},
                                              {row("CB_WiFi_GAT"), true},
                                              {row("CB_WiFi_DNS"), true},
                                              {row("E_WiFi_Port"), true},
                                              {row("CB_WiFi_WPS"), false},
                                              {row("E_WiFi_SSID"), true},
                                              {row("CB_WiFi_Secure_Type"), true},
                                              {row("E_WiFi_Password"), secure},
                                              {row("CB_WiFi_En_DHCP"), true},
                                              {row("E_WiFi_DHCP_IP"), dhcp},
                                              {row("E_WiFi_DHCP_SM"), dhcp},
                                              {row("E_WiFi_DHCP_LeaseTime"), dhcp},
                                              {row("E_WiFi_Name"), false},
                                              {row("CB_WiFi_MaxClient"), true},
                                              {row("CB_WiFi_Channel"), true}});
        } else if (type == 1) {
            const bool automatic = checked("CB_WiFi_IP_Auto");
            anchor = flow("CB_WiFi_IP_Auto", {{row("CB_WiFi_IP_Auto"), true},
                                              {row("E_WiFi_IP"), !automatic},
                                              {row("E_WiFi_SM"), !automatic},
                                              {row("CB_WiFi_GAT"), !automatic},
                                              {row("CB_WiFi_DNS"), !automatic},
                                              {row("E_WiFi_Name"), automatic},
                                              {row("E_WiFi_Port"), true},
                                              {row("E_WiFi_SSID"), true},
                                              {row("E_WiFi_Password"), true},
                                              {row("CB_WiFi_WPS"), false},
                                              {row("CB_WiFi_Secure_Type"), false},
                                              {row("CB_WiFi_En_DHCP"), false},
                                              {row("E_WiFi_DHCP_IP"), false},
                                              {row("E_WiFi_DHCP_SM"), false},
                                              {row("E_WiFi_DHCP_LeaseTime"), false},
                                              {row("CB_WiFi_MaxClient"), false},
                                              {row("CB_WiFi_Channel"), false}});
        } else {
            anchor = ctl("CB_WiFi_Channel");
        }
        break;
    }
    case TLayout::SNMP_Agent: {
        const bool v3 = checked("CB_SNMP_Agent_Version3");
        const int level = index("CB_SNMP_Agent_SecurityLevel");
        anchor = flow("E_SNMP_Agent_User", {{row("E_SNMP_Agent_User"), v3},
                                            {row("CB_SNMP_Agent_SecurityLevel"), v3},
                                            {row("E_SNMP_Agent_Authority"), v3 && level >= 1},
                                            {row("CB_SNMP_Agent_AuthorityMode"), v3 && level >= 1},
                                            {row("E_SNMP_Agent_Privacy"), v3 && level >= 2},
                                            {row("CB_SNMP_Agent_PrivacyMode"), v3 && level >= 2}});
        if (!v3)
            anchor = ctl("CB_SNMP_Agent_Version3");
        cable_dhcp(false);
        break;
    }
    }
    p->Panel->SetHeight(Panel_Height(anchor));
    return true;
}

int TParGen_Other_Panels::Model_Count()
{
    return int(Models().size());
}

QStringList TParGen_Other_Panels::Model_Panels(int model)
{
    return QStringList{"CP_Ethernet_Connection", "CP_LoRa"} + Models().at(model);
}

void TParGen_Other_Panels::Order_TAB_Panels_Model(int model)
{
    std::vector<TCategoryPanel *> panels;
    for (const QString &name : Model_Panels(model))
        panels.push_back(form_.Panel(name));
    Order_Panels(panels);
}

void TParGen_Other_Panels::RePosition_Objects_Model(int model)
{
    for (const QString &name : Model_Panels(model)) {
        if (name == QLatin1String("CP_Ethernet_Connection"))
            form_.RePosition_Object_Ethernet_Connection();
        else if (name == QLatin1String("CP_LoRa"))
            form_.RePosition_Object_LoRa();
        else if (name == QLatin1String("CP_EtherNetIP_Master"))
            form_.RePosition_Object_EtherNetIP_Master();
        else
            RePosition_Object(name);
    }
}
