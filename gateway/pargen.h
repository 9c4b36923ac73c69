#pragma once
// The communication settings window: the gateway's general parameters in collapsible
// category panels, kept in the project's ParGen.xml. This model shows three panels
// (Ethernet connection, LoRaWAN, EtherNet/IP Master); the panels of the family's other
// models are built and translated too but stay hidden and are neither loaded nor saved.
#include "gateway/pargen_file.h"
#include "gateway/pargen_rows.h"

#include <QDialog>
#include <memory>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class TCategoryPanel;
class TCategoryPanelGroup;
class TLbButton;
struct TParGen_Other_Panels;

class TFParGen : public QDialog
{
    Q_OBJECT
public:
    explicit TFParGen(QWidget *parent = nullptr);
    ~TFParGen() override;

    // Loads the file (or the defaults) before the window opens; a file that cannot be read
    // is reported and the window stays closed.
    int exec() override;

    void FormCreate();
    // False, after telling the engineer, when the file cannot be read: nothing was changed.
    bool FormShow();
    void Btn_OKClick();
    void On_Change(QObject *Sender);
    void On_Click(QObject *Sender);
    bool Controllo_Dati();
    int Find_Max_PayLoad() const;
    void Set_Max_Payload_Size();
    void Change_LoRa_DataRate();
    void Order_TAB_Panels();
    void Move_GroupBoxs();
    void Set_Lang();

    // This model's members of the ordering, relayout and panel layout families.
    void Order_TAB_Panels_41R08();
    void RePosition_Objects_41R08();
    void RePosition_Object_Ethernet_Connection();
    void RePosition_Object_LoRa();
    void RePosition_Object_EtherNetIP_Master();

    // The values on screen, and putting values on screen.
    TParGen_Data Read_Controls() const;
    void Show_Data(const TParGen_Data &data);
    // Which control shows which field of the file.
    std::vector<std::pair<QLineEdit *, QString TParGen_Data::*>> Text_Fields() const;
    std::vector<std::pair<QComboBox *, QString TParGen_Data::*>> List_Fields() const;
    std::vector<std::pair<QCheckBox *, bool TParGen_Data::*>> Flag_Fields() const;

    // The panel of that component name ("CP_LoRa"), or nullptr.
    TCategoryPanel *Panel(const QString &name) const;
    TParGen_Other_Panels &Other_Panels() const { return *other_; }

    QFrame *P_Title;
    QLabel *L_SW_Code;
    QLabel *L_SW_Desc;
    TCategoryPanelGroup *CPG;
    QFrame *P_Button;
    TLbButton *Btn_OK;
    TLbButton *Btn_Cancel;

    TCategoryPanel *CP_Ethernet_Connection;
    QLabel *L_EthConn_Device_Name;
    QLineEdit *E_EthConn_Device_Name;
    QCheckBox *CB_EthConn_En_DHCP_Cable;
    QCheckBox *CB_EthConn_En_DHCP_WiFi;
    QCheckBox *CB_EthConn_Enable_DNS;
    QLabel *L_EthConn_Primary_DNS;
    TOctets E_EthConn_Pri_DNS_IP;
    QLabel *L_EthConn_Secondary_DNS;
    TOctets E_EthConn_Sec_DNS_IP;

    TCategoryPanel *CP_LoRa;
    QLabel *L_LoRa_RF_Band;
    QComboBox *CB_LoRa_RF_Band;
    QLabel *L_LoRa_FrequencySubBand;
    QComboBox *CB_LoRa_FrequencySubBand;
    QLabel *L_LoRa_Network_Type;
    QComboBox *CB_LoRa_Network_Type;
    QCheckBox *CB_LoRa_Adaptive_DataRate;
    QLabel *L_LoRa_DataRate;
    QComboBox *CB_LoRa_DataRate;
    QLabel *L_LoRa_Transmission_Type;
    QComboBox *CB_LoRa_Transmission_Type;
    QLabel *L_LoRa_Payload_Size;
    QLineEdit *E_LoRa_Payload_Size;
    QLabel *L_LoRa_JoinEUI;
    QLineEdit *E_LoRa_JoinEUI;
    QLabel *L_LoRa_Activation_Method;
    QComboBox *CB_LoRa_Activation_Method;
    QLabel *L_LoRa_Device_Address;
    QLineEdit *E_LoRa_Device_Address;
    QLabel *L_LoRa_Network_Session_Key;
    QLineEdit *E_LoRa_Network_Session_Key;
    QLabel *L_LoRa_Application_Session_Key;
    QLineEdit *E_LoRa_Application_Session_Key;
    QLabel *L_LoRa_Application_Key;
    QLineEdit *E_LoRa_Application_Key;
    QLabel *L_LoRa_FPort;
    QComboBox *CB_LoRa_FPort;

    TCategoryPanel *CP_EtherNetIP_Master;
    QLabel *L_EtherNetIP_Master_IP;
    TOctets E_EtherNetIP_Master_IP;
    QLabel *L_EtherNetIP_Master_SM;
    TOctets E_EtherNetIP_Master_SM;
    QCheckBox *CB_EtherNetIP_Master_GAT;
    TOctets E_EtherNetIP_Master_GAT;
    QLabel *L_EtherNetIP_Master_TunnelPort;
    QLineEdit *E_EtherNetIP_Master_Port;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Create_Components();
    void Create_Ethernet_Connection();
    void Create_LoRa();
    void Create_EtherNetIP_Master();
    // "." in an octet edit: the next edit of its chain takes the focus.
    bool Octet_Key(QLineEdit *edit, QKeyEvent *event);

    std::vector<TText_Binding> texts_;
    std::vector<std::vector<QLineEdit *>> octet_chains_;
    std::unique_ptr<TParGen_Other_Panels> other_;
};

extern TFParGen *FParGen;
