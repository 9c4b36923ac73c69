#include "gateway/pargen_file.h"

#include "gateway/lora_payload.h"
#include "platform/xml.h"

namespace {

using T = TParGen_Data;

// One element of the file: a text field or a flag.
struct TField
{
    const char *Name;
    QString T::*Text;
    bool T::*Flag;
};

constexpr TField Text(const char *name, QString T::*text) { return {name, text, nullptr}; }
constexpr TField Flag(const char *name, bool T::*flag) { return {name, nullptr, flag}; }

const TField Fields[] = {
    Text("Eth_Conn_Device_Name", &T::Eth_Conn_Device_Name),
    Flag("Eth_Conn_DHCP_Cable", &T::Eth_Conn_DHCP_Cable),
    Flag("Eth_Conn_DHCP_WiFi", &T::Eth_Conn_DHCP_WiFi),
    Flag("Eth_Conn_Enable_DNS", &T::Eth_Conn_Enable_DNS),
    Text("Eth_Conn_Primary_DNS1", &T::Eth_Conn_Primary_DNS1),
    Text("Eth_Conn_Primary_DNS2", &T::Eth_Conn_Primary_DNS2),
    Text("Eth_Conn_Primary_DNS3", &T::Eth_Conn_Primary_DNS3),
    Text("Eth_Conn_Primary_DNS4", &T::Eth_Conn_Primary_DNS4),
    Text("Eth_Conn_Secondary_DNS1", &T::Eth_Conn_Secondary_DNS1),
    Text("Eth_Conn_Secondary_DNS2", &T::Eth_Conn_Secondary_DNS2),
    Text("Eth_Conn_Secondary_DNS3", &T::Eth_Conn_Secondary_DNS3),
    Text("Eth_Conn_Secondary_DNS4", &T::Eth_Conn_Secondary_DNS4),
    Text("LoRa_RF_Band", &T::LoRa_RF_Band),
    Text("LoRa_Network_Type", &T::LoRa_Network_Type),
    Flag("LoRa_Adaptive_DataRate", &T::LoRa_Adaptive_DataRate),
    Text("LoRa_DataRate", &T::LoRa_DataRate),
    Text("LoRa_Transmission_Type", &T::LoRa_Transmission_Type),
    Text("LoRa_Payload_Size", &T::LoRa_Payload_Size),
    Text("LoRa_Activation_Method", &T::LoRa_Activation_Method),
    Text("LoRa_Device_Address", &T::LoRa_Device_Address),
    Text("LoRa_JoinEUI", &T::LoRa_JoinEUI),
    Text("LoRa_Network_Session_Key", &T::LoRa_Network_Session_Key),
    Text("LoRa_Application_Session_Key", &T::LoRa_Application_Session_Key),
    Text("LoRa_Application_Key", &T::LoRa_Application_Key),
    Text("LoRa_FPort", &T::LoRa_FPort),
    Text("LoRa_Frequency_SubBand", &T::LoRa_Frequency_SubBand),
    Text("EtherNetIP_Master_IP1", &T::EtherNetIP_Master_IP1),
    Text("EtherNetIP_Master_IP2", &T::EtherNetIP_Master_IP2),
    Text("EtherNetIP_Master_IP3", &T::EtherNetIP_Master_IP3),
    Text("EtherNetIP_Master_IP4", &T::EtherNetIP_Master_IP4),
    Text("EtherNetIP_Master_SM1", &T::EtherNetIP_Master_SM1),
    Text("EtherNetIP_Master_SM2", &T::EtherNetIP_Master_SM2),
    Text("EtherNetIP_Master_SM3", &T::EtherNetIP_Master_SM3),
    Text("EtherNetIP_Master_SM4", &T::EtherNetIP_Master_SM4),
    Text("EtherNetIP_Master_GAT1", &T::EtherNetIP_Master_GAT1),
    Text("EtherNetIP_Master_GAT2", &T::EtherNetIP_Master_GAT2),
    Text("EtherNetIP_Master_GAT3", &T::EtherNetIP_Master_GAT3),
    Text("EtherNetIP_Master_GAT4", &T::EtherNetIP_Master_GAT4),
    Flag("EtherNetIP_Master_EN_GAT", &T::EtherNetIP_Master_EN_GAT),
    Text("EtherNetIP_Master_Port", &T::EtherNetIP_Master_Port),
};
static_assert(std::size(Fields) == 40);

} // namespace

TParGen_Data TParGen_Data::Without_File()
{
    TParGen_Data d;
    d.LoRa_RF_Band = QStringLiteral("AS923");
    d.LoRa_Network_Type = QStringLiteral("Private");
    d.LoRa_DataRate = LoRa_DataRate_Items(d.LoRa_RF_Band).value(6);
    d.LoRa_Transmission_Type = QStringLiteral("Unconfirmed");
    d.LoRa_Payload_Size = QString::number(LoRa_Max_Payload(d.LoRa_RF_Band, d.LoRa_DataRate));
    d.LoRa_Activation_Method = QStringLiteral("Activation by Personalization [ABP]");
    d.LoRa_FPort = QStringLiteral("Fixed");
    d.LoRa_Frequency_SubBand = QStringLiteral("1");
    return d;
}

void TParGen_Data::Load(const QString &path)
{
    TXmlDocument doc;
    doc.LoadFromFile(path);
    Load(doc);
}

void TParGen_Data::Load(const TXmlDocument &doc)
{
    TParGen_Data d;
    if (const TXmlNode root = doc.DocumentElement()) {
        for (const TField &f : Fields) {
            const QString name = QLatin1String(f.Name);
            // Neither read back: the Wi-Fi flag is off in this model, the port is fixed.
            if (f.Flag == &T::Eth_Conn_DHCP_WiFi || f.Text == &T::EtherNetIP_Master_Port)
                continue;
            const TXmlNode node = root.Child(name);
            if (!node)
                continue;
            if (f.Flag)
                d.*f.Flag = node.Text() == QLatin1String("1");
            else
                d.*f.Text = node.Text();
        }
    }
    *this = d;
}

void TParGen_Data::Build(TXmlDocument &doc) const
{
    TXmlNode root = doc.CreateRoot(QStringLiteral("Par_Gen"));
    doc.AddComment(QStringLiteral("SW_VERSION = 1.000"));
    for (const TField &f : Fields) {
        const QString value = f.Flag ? QLatin1String(this->*f.Flag ? "1" : "0") : this->*f.Text;
        root.AddTextChild(QLatin1String(f.Name), value);
    }
}

void TParGen_Data::Save(const QString &path) const
{
    TXmlDocument doc;
    Build(doc);
    doc.SaveToFile(path);
}

std::vector<QString> TParGen_Data::Element_Names()
{
    std::vector<QString> names;
    for (const TField &f : Fields)
        names.push_back(QLatin1String(f.Name));
    return names;
}
