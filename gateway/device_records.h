#pragma once
// Record types of protocol settings that other gateway models carry in their images (M-Bus
// nodes, IEC 61850 client and server, TLS material, MQTT, OPC UA client and server). This
// model's images carry none of them: nothing fills, reads or writes these records.
// Several names are taken by other units for different types, hence the namespace.
#include <QString>
#include <cstdint>
#include <vector>

#include "app/valuechecks.h"   // TOPC_UA_Guid

namespace USaveBincc {

struct TVariabile
{
    uint8_t Type_Of_Data = 0;
    uint8_t Function_Field = 0;
    uint8_t Dimension = 0;
    uint16_t PositionData = 0;
    uint8_t Unita = 0;
    uint32_t Storage_Num = 0;
    uint32_t Tarif = 0;
    uint8_t VIFE = 0;
    uint8_t Options = 0;
    uint8_t Length = 0;
    uint8_t Len_VIF_ASCII = 0;
    QString VIF_ASCII;
    uint32_t Address_VIF_ASCII = 0;
    uint16_t TP_Mod_Year = 0;
    uint16_t Position = 0;
    uint8_t Post_Ope = 0;
};

struct TNodo
{
    uint32_t ID = 0;
    uint8_t SND_NKE = 0;
    uint8_t Reset_App = 0;
    uint8_t Opzioni_Check = 0;
    uint32_t Add = 0;
    uint16_t Node_State = 0;
    uint16_t Ident_Num = 0;
    uint16_t RSSI = 0;
    uint8_t BCDtoINT_IN = 0;
    uint8_t Swap_IN = 0;
    uint8_t ID_Type = 0;
    uint8_t Var_Type = 0;
    uint8_t Cut_After = 0;
    uint16_t Mamu_Spec_Data = 0;
    uint8_t MSD_Length = 0;
    uint8_t MSD_Offset = 0;
    uint16_t Access_Number = 0;
    std::vector<TVariabile> Vars;
};

struct TIEC61850_Variable_DS
{
    uint16_t position = 0;
    uint8_t bitAddress = 0;
    uint8_t conversion = 0;
    float moltFactor = 0;
    QString bType;
    int32_t bType_Add = 0;
    QString reference;
    int32_t reference_Add = 0;
};

struct TDataSet
{
    uint8_t nVariable = 0;
    uint8_t options = 0;
    uint16_t tcpPort = 0;
    uint8_t enGoose = 0;
    uint8_t spare[3] = {};
    uint32_t time = 0;
    QString goose_name;
    int32_t goose_name_Add = 0;
    QString reference;
    int32_t reference_Add = 0;
    QString hostname;
    int32_t hostname_Add = 0;
    std::vector<TIEC61850_Variable_DS> VariableList;
    int32_t VariableList_Add = 0;
};

struct TIEC61850_Variable
{
    char fc[2] = {};
    uint8_t rw = 0;
    uint8_t bit_address = 0;
    uint8_t options = 0;
    uint8_t conversion = 0;
    uint8_t startbyte = 0;
    uint8_t numbyte = 0;
    uint16_t position = 0;
    uint16_t tcpPort = 0;
    uint32_t time = 0;
    float moltFactor = 0;
    QString bType;
    int32_t bType_Add = 0;
    QString hostname;
    int32_t hostname_Add = 0;
    QString reference;
    int32_t reference_Add = 0;
};

struct TIEC61850_Client
{
    int32_t nVariable = 0;
    int32_t nDataSet = 0;
    int32_t vLan = 0;
    int32_t appID = 0;
    std::vector<TIEC61850_Variable> VariableList;
    int32_t Variable_Add = 0;
    std::vector<TDataSet> DataSetList;
    int32_t DataSet_Add = 0;
};

struct TTLS_Certificate
{
    QString Certificate;
    uint32_t Certificate_Add = 0;
    uint32_t Certificate_Length = 0;
};

struct TTLS_Bank
{
    QString key;
    uint32_t key_add = 0;
    uint32_t Key_Length = 0;
    QString Key_Password;
    uint32_t Key_Password_Add = 0;
    TTLS_Certificate Server_Cert;
    TTLS_Certificate Root_Cert;
    uint32_t Known_Cert_En = 0;
    uint32_t Known_Cert_Num = 0;
    uint32_t Known_Cert_Add = 0;
    std::vector<TTLS_Certificate> Known_Cert;
};

struct TIEC61850_Var
{
    QString Name;
    uint32_t Name_Add = 0;
    uint32_t Data_Type = 0;
    uint32_t Position = 0;
    uint32_t Start_Bit = 0;
    uint32_t Length = 0;
    uint32_t Read_Only = 0;
    float Multiplication_Factor = 0;
    uint16_t Operation = 0;
    uint16_t Options = 0;
};

struct TIEC61850
{
    uint16_t port = 0;
    uint32_t TLS_Enable = 0;
    TTLS_Bank TLS_Data;
    QString Password;
    uint32_t Password_Add = 0;
    uint32_t Var_Number = 0;
    uint32_t Var_Add = 0;
    std::vector<TIEC61850_Var> Variables;
};

struct TMQTTString
{
    QString CString;
    uint32_t Address = 0;
    int32_t Len = 0;
};

struct TMQTTPacket_WillOption
{
    char Struct_ID[4] = {};
    int32_t Struct_Version = 0;
    TMQTTString TopicName;
    TMQTTString WillMessage;
    uint8_t Retained = 0;
    uint8_t QoS = 0;
};

struct TMQTTPacket_ConnectData
{
    char Struct_ID[4] = {};
    int32_t Struct_Version = 0;
    uint8_t MQTTVersion = 0;
    TMQTTString ClientID;
    uint16_t KeepAliveInterval = 0;
    uint8_t CleanSession = 0;
    uint8_t WillFlag = 0;
    TMQTTPacket_WillOption Will;
    TMQTTString Username;
    TMQTTString Password;
};

struct TMQTT_Publish_Data
{
    QString Description;
    uint32_t Desc_Add = 0;
    TMQTTString Publish_Topic;
    uint8_t Retained = 0;
    int32_t QoS = 0;
    QString Input_Template;
    uint32_t Input_Template_Add = 0;
    QString Output_Template;
    uint32_t Output_Template_Add = 0;
    uint32_t Source_IP_Address = 0;
    uint32_t Position = 0;
    uint16_t Length = 0;
    uint16_t Type_Data = 0;
    uint32_t Timer = 0;
    uint32_t Options = 0;
};

struct TMQTT_Subscribe_Data
{
    uint32_t Position = 0;
    uint32_t Length = 0;
    uint32_t Type_SubData = 0;
    QString Input_Template;
    uint32_t Input_Template_Add = 0;
    QString Output_Template;
    uint32_t Output_Template_Add = 0;
    uint32_t IP_Address = 0;
    uint16_t Port = 0;
    uint8_t Proto = 0;
};

struct TMQTTPacket_OnConnectOptions
{
    TMQTTString topicName;
    TMQTTString conn_message;
    uint8_t reteined = 0;
    uint8_t qos = 0;
};

struct TMQTT
{
    uint32_t Mode = 0;
    uint32_t Time_Poll = 0;
    QString Server_Address;
    uint32_t Server_Address_Add = 0;
    uint16_t Server_Port = 0;
    TMQTTPacket_ConnectData Connect_Data;
    int32_t Topic_Filter_Count = 0;
    std::vector<TMQTTString> Topic_Filters;
    uint32_t Topic_Filters_Add = 0;
    std::vector<int32_t> Topic_Filter_QoS;
    uint32_t Topic_Filter_QoS_Add = 0;
    std::vector<TMQTT_Subscribe_Data> Subscribe_Data;
    uint32_t Subscribe_Data_Add = 0;
    int32_t Publish_Topic_Count = 0;
    std::vector<TMQTT_Publish_Data> Publish_Data;
    uint32_t Publish_Data_Add = 0;
    uint32_t TLS_Flag = 0;
    uint32_t TLS_Server_Authentication = 0;
    QString TLS_Server_Cert;
    uint32_t TLS_Server_Cert_Len = 0;
    uint32_t TLS_Server_Cert_Add = 0;
    uint32_t TLS_Client_Authentication = 0;
    QString TLS_Client_Cert;
    uint32_t TLS_Client_Cert_Len = 0;
    uint32_t TLS_Client_Cert_Add = 0;
    QString TLS_Client_Key;
    uint32_t TLS_Client_Key_Len = 0;
    uint32_t TLS_Client_Key_Add = 0;
    uint32_t TLS_Client_Key_Password = 0;
    QString TLS_Client_Key_Pass;
    uint32_t TLS_Client_Key_Add_Pass = 0;
    QString NTP_Server_Address;
    uint32_t NTP_Server_Address_Add = 0;
    uint32_t NTP_Server_Poll = 0;
    uint8_t onconnectFlag = 0;
    TMQTTPacket_OnConnectOptions onconnect;
    TMQTTString topic_answer_dali;
};

struct TOPC_UA_Var
{
    uint16_t namespaceIndex = 0;
    uint16_t identifierType = 0;
    uint32_t numeric = 0;
    QString Astring;
    uint32_t Astring_add = 0;
    TOPC_UA_Guid Guid;
    QString byteString;
    uint32_t byteString_add = 0;
    uint32_t position = 0;
    uint32_t time = 0;
    uint8_t Atype = 0;
    uint8_t is_read = 0;
    uint8_t options = 0;
    uint8_t StartBit = 0;
    uint16_t Start = 0;
    uint16_t Tot = 0;
};

struct TOPC_UA_Server
{
    QString server_address;
    uint32_t server_address_add = 0;
    uint32_t user_pass_auth_flag = 0;
    QString username;
    uint32_t username_add = 0;
    QString password;
    uint32_t password_add = 0;
    QString cert;
    uint32_t cert_add = 0;
    QString priv_key;
    uint32_t priv_key_add = 0;
    uint32_t security_type = 0;
    uint32_t security_policy = 0;
    uint32_t num_requests = 0;
    std::vector<TOPC_UA_Var> requests;
    uint32_t requests_add = 0;
};

struct TOPC_UA_Main
{
    uint32_t server_number = 0;
    uint32_t ntp_poll = 0;
    QString ntp_address;
    uint32_t ntp_address_add = 0;
    std::vector<TOPC_UA_Server> opcua_server;
    uint32_t opcua_server_add = 0;
};

struct TOPC_UA_Var2
{
    uint32_t VarType = 0;
    uint16_t Position = 0;
    uint16_t Length = 0;
    uint32_t Options = 0;
    uint32_t Add_Name = 0;
    QString Name;
};

struct TOPC_UA_Server2
{
    uint16_t Port = 0;
    uint16_t Num_Var = 0;
    std::vector<TOPC_UA_Var2> Variables;
    uint32_t Add_Num_Var = 0;
    QString NTP;
    uint32_t Add_NTP = 0;
    uint32_t NTP_Time = 0;
};

// The compiler unit's variables of these records. This model never fills them; they stay
// empty for the whole run, for the editors of the models that carry them.
extern std::vector<TNodo> MBus_Node_List;
extern std::vector<TNodo> wMBus_Node_List;
extern TIEC61850_Client IEC61850_Client_Data;
extern TIEC61850 IEC61850_Server_Data;
extern TMQTT MQTT_Data;
extern QString Device_Text;
extern TOPC_UA_Main OPC_UA_Client_Data;
extern TOPC_UA_Server2 OPC_UA_Server_Data;

} // namespace USaveBincc
