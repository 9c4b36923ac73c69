#pragma once
// The program state shared by every window: folders, the current project and its file
// paths, the update and language choices, the options, shared lists and build constants.
// Plain globals, touched on the GUI thread only.
#include "grid/base/classes.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

// TObject is the framework root class of grid/base; the shared object lists hold the M-Bus
// devices found by a scan.
using TObjectList = std::vector<std::unique_ptr<TObject>>;

// Build constants.
extern const QString SW_Version;                 // "1.000"
extern const QString Default_IP_Address;         // "192.168.2.205"
extern const QString Default_Language;           // "English"
extern const QString Settings_File_Name;         // "Tessalinor.xml"

// Program folders; no trailing separator.
extern QString Exe_Dir;
extern QString Master_Dir;
extern QString Projects_Dir;
extern QString Language_Dir;

// The current project; an empty Project_Path means no project is open.
extern QString Project_Name;
extern QString Project_Path;

// Paths of the project files, rebuilt by Set_Files.
extern QString Path_ParGen;
extern QString Path_LoRaWAN_SetAccess;
extern QString Path_BACnet_Master_Access;
extern QString Path_BACnet_Slave_SetAccess;
extern QString Path_M_Bus;
extern QString Path_ModbusM_SetAccess;
extern QString Path_ModbusTCPM_SetAccess;
extern QString Path_CAN_Rec_Frames;
extern QString Path_CAN_Send_Frames;
extern QString Path_PDO_CANopen;
extern QString Path_SDO_Client_CANopen;
extern QString Path_SDO_Server_CANopen;
extern QString Path_DNETM_Net;
extern QString Path_DNETM_DefOff;
extern QString Path_DMX_Default_Values;
extern QString Path_EtherNetIP_Master_Rules;
extern QString Path_J1939_Rec_Frames;
extern QString Path_J1939_Send_Frames;
extern QString Path_KNX_SetAccess;
extern QString Path_NMEA_Rec_Frames;
extern QString Path_NMEA_Send_Frames;
extern QString Path_IEC_61850_Client;
extern QString Path_TLS_Known_Cert;
extern QString Path_IEC61850_Variables;
extern QString Path_MQTT_Set_Topic;
extern QString Path_OPC_UA_Client;
extern QString Path_OPC_UA_Server;
extern QString Path_S7_Protocol;
extern QString Path_SNMP_Manager;
extern QString Path_SNMP_Trap;

// Set at start-up.
extern QString Main_Title;
extern QString SW_Code;
extern QString SW_Description;

// Update dialog choices: only Last_IP_Address is kept between runs.
extern QString Last_IP_Address;
extern int Update_Option;            // 0 firmware and configuration, 1 firmware, 2 configuration
extern bool Update_Read_Back;

extern QString Language_Name;
extern bool Opt_Internet;
extern bool Opt_Update_Check;
extern bool Opt_Jump_Field_Tables;
extern bool Opt_Double_Click_Auto_Size;

extern QString EDE_Import_Dir;

// The one copied table row shared by all editors, and which of its cells were check boxes.
extern QStringList Row_Clipboard;
extern std::vector<bool> Row_Clipboard_Check;

extern TObjectList MBus_Slave_List;
extern TObjectList wMBus_Slave_List;
extern QStringList SNMP_Read_Descr_List;
extern QStringList SNMP_Write_Descr_List;

// A project file: its name and the path value Set_Files fills.
struct TProject_File
{
    const char *File_Name;
    QString *Path;
};
// The 30 project files in their fixed order.
const std::vector<TProject_File> &Project_Files();

// Every path value := Project_Path + "/" + its file name, whatever Project_Path holds.
void Set_Files();

// A name that stays one folder directly inside Projects_Dir: not empty, no separator ("/" or
// "\"), not "." or "..", no control characters. Blanks, dots and any letters are fine.
bool Is_Safe_Project_Name(const QString &name);
// Projects_Dir + "/" + name, or empty when the name could lead anywhere else: the settings
// file and the dialogs are the engineer's to edit, and editors save under this folder.
QString Project_Folder(const QString &name);

// The folder the program runs from: the executable's folder unless a test has set another.
QString Program_Folder();
void Set_Program_Folder(const QString &dir);   // empty restores the executable's folder

// Sets Exe_Dir and the three folders beside it, creating those that are missing.
void Set_Program_Folders();

// Back to the values of a fresh start (tests run start-up more than once).
void Reset_Program_State();
