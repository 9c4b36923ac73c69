#include "app/comon.h"

#include "platform/files.h"

#include <QDir>

const QString SW_Version = QStringLiteral("1.000");
const QString Default_IP_Address = QStringLiteral("192.168.2.205");
const QString Default_Language = QStringLiteral("English");
const QString Settings_File_Name = QStringLiteral("Tessalinor.xml");

QString Exe_Dir;
QString Master_Dir;
QString Projects_Dir;
QString Language_Dir;
QString Project_Name;
QString Project_Path;

QString Path_ParGen;
QString Path_LoRaWAN_SetAccess;
QString Path_BACnet_Master_Access;
QString Path_BACnet_Slave_SetAccess;
QString Path_M_Bus;
QString Path_ModbusM_SetAccess;
QString Path_ModbusTCPM_SetAccess;
QString Path_CAN_Rec_Frames;
QString Path_CAN_Send_Frames;
QString Path_PDO_CANopen;
QString Path_SDO_Client_CANopen;
QString Path_SDO_Server_CANopen;
QString Path_DNETM_Net;
QString Path_DNETM_DefOff;
QString Path_DMX_Default_Values;
QString Path_EtherNetIP_Master_Rules;
QString Path_J1939_Rec_Frames;
QString Path_J1939_Send_Frames;
QString Path_KNX_SetAccess;
QString Path_NMEA_Rec_Frames;
QString Path_NMEA_Send_Frames;
QString Path_IEC_61850_Client;
QString Path_TLS_Known_Cert;
QString Path_IEC61850_Variables;
QString Path_MQTT_Set_Topic;
QString Path_OPC_UA_Client;
QString Path_OPC_UA_Server;
QString Path_S7_Protocol;
QString Path_SNMP_Manager;
QString Path_SNMP_Trap;

QString Main_Title;
QString SW_Code;
QString SW_Description;

QString Last_IP_Address;
int Update_Option = 0;
bool Update_Read_Back = true;

QString Language_Name;
bool Opt_Internet = false;
bool Opt_Update_Check = false;
bool Opt_Jump_Field_Tables = false;
bool Opt_Double_Click_Auto_Size = false;

QString EDE_Import_Dir;

QStringList Row_Clipboard;
std::vector<bool> Row_Clipboard_Check;

TObjectList MBus_Slave_List;
TObjectList wMBus_Slave_List;
QStringList SNMP_Read_Descr_List;
QStringList SNMP_Write_Descr_List;

namespace {
QString program_folder_override;
}

const std::vector<TProject_File> &Project_Files()
{
    static const std::vector<TProject_File> files = {
        {"ParGen.xml", &Path_ParGen},
        {"LoRaWAN_SetAccess.xml", &Path_LoRaWAN_SetAccess},
        {"BACnet_Master_Access.xml", &Path_BACnet_Master_Access},
        {"BACnet_Slave_SetAccess.xml", &Path_BACnet_Slave_SetAccess},
        {"M_Bus.xml", &Path_M_Bus},
        {"ModbusM_SetAccess.xml", &Path_ModbusM_SetAccess},
        {"ModbusTCPM_SetAccess.xml", &Path_ModbusTCPM_SetAccess},
        {"CAN_Rec_Frames.xml", &Path_CAN_Rec_Frames},
        {"CAN_Send_Frames.xml", &Path_CAN_Send_Frames},
        {"PDO_CANopen.xml", &Path_PDO_CANopen},
        {"SDO_Client_CANopen.xml", &Path_SDO_Client_CANopen},
        {"SDO_Server_CANopen.xml", &Path_SDO_Server_CANopen},
        {"DNETM_Net.xml", &Path_DNETM_Net},
        {"DNETM_DefOff.xml", &Path_DNETM_DefOff},
        {"DMX_Default_Values.xml", &Path_DMX_Default_Values},
        {"EtherNetIP_Master_Rules.xml", &Path_EtherNetIP_Master_Rules},
        {"J1939_Rec_Frames.xml", &Path_J1939_Rec_Frames},
        {"J1939_Send_Frames.xml", &Path_J1939_Send_Frames},
        {"KNX_SetAccess.xml", &Path_KNX_SetAccess},
        {"NMEA_Rec_Frames.xml", &Path_NMEA_Rec_Frames},
        {"NMEA_Send_Frames.xml", &Path_NMEA_Send_Frames},
        {"IEC_61850_Client.xml", &Path_IEC_61850_Client},
        {"TLS_Known_Cert.xml", &Path_TLS_Known_Cert},
        {"IEC61850_Variables.xml", &Path_IEC61850_Variables},
        {"MQTT_Set_Topic.xml", &Path_MQTT_Set_Topic},
        {"OPC_UA_Client.xml", &Path_OPC_UA_Client},
        {"OPC_UA_Server.xml", &Path_OPC_UA_Server},
        {"S7_Protocol.xml", &Path_S7_Protocol},
        {"SNMP_Manager.xml", &Path_SNMP_Manager},
        {"SNMP_Trap.xml", &Path_SNMP_Trap},
    };
    return files;
}

void Set_Files()
{
    for (const TProject_File &f : Project_Files())
        *f.Path = Project_Path + QLatin1Char('/') + QLatin1String(f.File_Name);
}

bool Is_Safe_Project_Name(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false;
    return true;
}

QString Project_Folder(const QString &name)
{
    return Is_Safe_Project_Name(name) ? Projects_Dir + QLatin1Char('/') + name : QString();
}

QString Program_Folder()
{
    QString dir = program_folder_override.isEmpty() ? Exe_Dir_Path() : program_folder_override;
    while (dir.size() > 1 && dir.endsWith(QLatin1Char('/')))
        dir.chop(1);
    return dir;
}

void Set_Program_Folder(const QString &dir)
{
    program_folder_override = dir;
}

void Set_Program_Folders()
{
    Exe_Dir = Program_Folder();
    Master_Dir = Exe_Dir + QStringLiteral("/MASTER");
    Projects_Dir = Exe_Dir + QStringLiteral("/PROJECTS");
    Language_Dir = Exe_Dir + QStringLiteral("/LANGUAGE");
    // One level each; a folder that cannot be made shows up where it is used.
    for (const QString &dir : {Master_Dir, Projects_Dir, Language_Dir})
        if (!QDir(dir).exists())
            QDir().mkdir(dir);
}

void Reset_Program_State()
{
    Exe_Dir.clear();
    Master_Dir.clear();
    Projects_Dir.clear();
    Language_Dir.clear();
    Project_Name.clear();
    Project_Path.clear();
    for (const TProject_File &f : Project_Files())
        f.Path->clear();
    Main_Title.clear();
    SW_Code.clear();
    SW_Description.clear();
    Last_IP_Address = Default_IP_Address;
    Update_Option = 0;
    Update_Read_Back = true;
    Language_Name = Default_Language;
    Opt_Internet = Opt_Update_Check = Opt_Jump_Field_Tables = Opt_Double_Click_Auto_Size = false;
    EDE_Import_Dir.clear();
    Row_Clipboard.clear();
    Row_Clipboard_Check.clear();
    MBus_Slave_List.clear();
    wMBus_Slave_List.clear();
    SNMP_Read_Descr_List.clear();
    SNMP_Write_Descr_List.clear();
}
