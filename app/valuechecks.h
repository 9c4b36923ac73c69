#pragma once
// Parsing and checking routines shared by the editors: IPv4 addresses, serial ports, KNX
// addresses, SNMP object identifiers, numbers with either decimal separator, and the OPC UA
// name tables with the records of the OPC UA browse library.
#include <QChar>
#include <QString>
#include <QStringList>
#include <cstdint>

// True when Text is four dotted numbers 0..255; the parts are trimmed. The parts found
// before a failure are stored all the same.
bool Split_IP_Address(const QString &Text, QString &Part1, QString &Part2, QString &Part3,
                      QString &Part4);

// The four bytes of a dotted address; returns true when there was an error (an empty text
// leaves the bytes unchanged, a bad part gives 0 and the others are still read).
bool IP_Text_To_Bytes(const QString &Text, uint8_t &B1, uint8_t &B2, uint8_t &B3, uint8_t &B4);

// "a.b.c.d:port": true when valid; on failure all five outputs are 0.
bool Split_IP_Port(const QString &Text, uint8_t &B1, uint8_t &B2, uint8_t &B3, uint8_t &B4,
                   uint16_t &Port);

// The serial devices present (/dev/ttyS*, /dev/ttyUSB*, /dev/ttyACM*, in that order and by
// number): those that open, or that exist but are held by another program. Never throws.
QStringList Get_COM_Port_List();

// What Get_COM_Port_List asks of the system; tests install a fake.
class ICOM_Port_Probe
{
public:
    virtual ~ICOM_Port_Probe() = default;
    virtual QStringList Device_Names() = 0;           // the entries of /dev
    virtual int Open_Error(const QString &path) = 0;  // 0 when it opens, else the errno
};
void Set_COM_Port_Probe(ICOM_Port_Probe *probe);      // nullptr restores the real one

// KNX group (main/middle/sub, main/sub or a number) or physical (area.line.device or a
// number) address: 0 valid, 1 invalid.
int Check_KNX_Address(const QString &Text, bool Group, bool AllowZero);
bool No_Point(const QString &Text);

// SNMP object identifier: 0 valid, else the first problem: 1 longer than 128 characters,
// 2 a character other than a digit or "." (the empty text too), 3 starts with ".",
// 4 ends with ".", 5 two "." in a row, 6 a component above 4294967295.
int Check_OID(const QString &Text);

// "AUTH NOPRIV" 1, "AUTH PRIV" 3, empty -1, anything else 0 (upper-cased, trimmed).
int SNMP_Security_Level_Code(const QString &Text);

// The user's decimal separator when it is "," or ".", else ",".
QChar Get_Decimal_Separator();

// Accepts either separator: the other one is replaced by Separator before converting with
// the user's number format. On failure Value is 1 and the result false.
bool Text_To_Float(const QString &Text, QChar Separator, float &Value);

// Records exchanged with the OPC UA browse library; the fields keep its order.
struct opcua_server_to_discover
{
    const char *server_address = nullptr;
    int32_t user_pass_auth_flag = 0;
    const char *username = nullptr;
    const char *password = nullptr;
    const char *cert = nullptr;
    const char *priv_key = nullptr;
    int32_t security_type = 0;
    int32_t security_policy = 0;
};

struct opcua_structure
{
    uint16_t nameSpaceIndex = 0;
    uint16_t identifierType = 0;   // 0 numeric, 3 string, 4 GUID, 5 byte string
    uint32_t numeric = 0;
    const char *stringname = nullptr;
    uint32_t stringLength = 0;
    uint32_t guide1 = 0;
    uint16_t guide2 = 0;
    uint16_t guide3 = 0;
    uint8_t guide4[8] = {};
    const uint8_t *byteString = nullptr;
    uint32_t byteStringLength = 0;
    const char *displayName = nullptr;
    uint32_t displayNameLength = 0;
    int32_t dataType = 0;
    uint8_t accessLevel = 0;
    uint8_t spare[3] = {};
};

struct TOPC_UA_Guid
{
    uint32_t data1 = 0;
    uint16_t data2 = 0;
    uint16_t data3 = 0;
    uint8_t data4[8] = {};
};

// Code to name; codes outside a table give "" (NodeId type, data type) or the last name.
QString OPC_UA_NodeId_Type_Name(int Code);
QString OPC_UA_Data_Type_Name(int Code);
QString OPC_UA_Token_Type_Name(int Code);
QString OPC_UA_Security_Mode_Name(int Code);
QString OPC_UA_Security_Policy_Name(int Code);
// Name to code; an unknown name gives the table's fallback.
int OPC_UA_NodeId_Type_Code(const QString &Name);   // compared upper-cased; unknown 0
int OPC_UA_Token_Type_Code(const QString &Name);    // unknown 2
int OPC_UA_Security_Mode_Code(const QString &Name); // unknown 2
int OPC_UA_Security_Policy_Code(const QString &Name); // unknown 5
// The NodeId as text: a number, the string, the GUID as 8-4-4-4-12 upper-case hex digits,
// or the byte string read as text; other types give "".
QString OPC_UA_NodeId_To_Text(const opcua_structure &Record);

// Per-model routines of this gateway.
int MBus_To_BACnet_Eng_Unit(int Unit, int Value);   // always 95, the unit "no units"
int Get_XML_Code_Dev();
int Get_Scan_Form_Type();                           // 0
