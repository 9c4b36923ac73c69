#pragma once
// The project file ParGen.xml: the gateway's general parameters as the communication
// settings window edits them. Root Par_Gen, the comment "SW_VERSION = 1.000" after it at
// document level, then 40 value elements in a fixed order; flags are "1"/"0", everything
// else is text kept exactly as typed.
#include <QString>
#include <vector>

class TXmlDocument;

struct TParGen_Data
{
    QString Eth_Conn_Device_Name;
    bool Eth_Conn_DHCP_Cable = false;
    bool Eth_Conn_DHCP_WiFi = false;     // never read back; always off in this model
    bool Eth_Conn_Enable_DNS = false;
    QString Eth_Conn_Primary_DNS1 = QStringLiteral("8"), Eth_Conn_Primary_DNS2 = QStringLiteral("8"),
            Eth_Conn_Primary_DNS3 = QStringLiteral("8"), Eth_Conn_Primary_DNS4 = QStringLiteral("8");
    QString Eth_Conn_Secondary_DNS1 = QStringLiteral("8"), Eth_Conn_Secondary_DNS2 = QStringLiteral("8"),
            Eth_Conn_Secondary_DNS3 = QStringLiteral("4"), Eth_Conn_Secondary_DNS4 = QStringLiteral("4");
    QString LoRa_RF_Band;
    QString LoRa_Network_Type;
    bool LoRa_Adaptive_DataRate = false;
    QString LoRa_DataRate;
    QString LoRa_Transmission_Type;
    QString LoRa_Payload_Size = QStringLiteral("0");
    QString LoRa_Activation_Method;
    QString LoRa_Device_Address;
    QString LoRa_JoinEUI;
    QString LoRa_Network_Session_Key;
    QString LoRa_Application_Session_Key;
    QString LoRa_Application_Key;
    QString LoRa_FPort;
    QString LoRa_Frequency_SubBand;
    QString EtherNetIP_Master_IP1 = QStringLiteral("192"), EtherNetIP_Master_IP2 = QStringLiteral("168"),
            EtherNetIP_Master_IP3 = QStringLiteral("0"), EtherNetIP_Master_IP4 = QStringLiteral("5");
    QString EtherNetIP_Master_SM1 = QStringLiteral("255"), EtherNetIP_Master_SM2 = QStringLiteral("255"),
            EtherNetIP_Master_SM3 = QStringLiteral("255"), EtherNetIP_Master_SM4 = QStringLiteral("0");
    QString EtherNetIP_Master_GAT1 = QStringLiteral("192"), EtherNetIP_Master_GAT2 = QStringLiteral("168"),
            EtherNetIP_Master_GAT3 = QStringLiteral("0"), EtherNetIP_Master_GAT4 = QStringLiteral("1");
    bool EtherNetIP_Master_EN_GAT = false;
    QString EtherNetIP_Master_Port = QStringLiteral("44818");   // always 44818

    // A default-constructed value holds what a missing element gives (an empty list text
    // stands for no selection); Without_File() what the window shows when there is no file.
    static TParGen_Data Without_File();

    // Reads the file; a missing element or root leaves that field at its missing default.
    // Throws EXmlError for a file that cannot be read or parsed, before changing anything.
    void Load(const QString &path);
    void Load(const TXmlDocument &doc);
    // The 40 elements in their order; written atomically. Throws EXmlError.
    void Save(const QString &path) const;
    void Build(TXmlDocument &doc) const;

    // Element names in file order.
    static std::vector<QString> Element_Names();
};
