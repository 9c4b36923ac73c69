#include "shell_fixture.h"

namespace {

using ComonTest = ShellTest;

TEST_F(ComonTest, SetFilesGivesTheThirtyProjectFilePaths)
{
    const struct { QString *path; const char *file; } table[] = {
        {&Path_ParGen, "ParGen.xml"},
        {&Path_LoRaWAN_SetAccess, "LoRaWAN_SetAccess.xml"},
        {&Path_BACnet_Master_Access, "BACnet_Master_Access.xml"},
        {&Path_BACnet_Slave_SetAccess, "BACnet_Slave_SetAccess.xml"},
        {&Path_M_Bus, "M_Bus.xml"},
        {&Path_ModbusM_SetAccess, "ModbusM_SetAccess.xml"},
        {&Path_ModbusTCPM_SetAccess, "ModbusTCPM_SetAccess.xml"},
        {&Path_CAN_Rec_Frames, "CAN_Rec_Frames.xml"},
        {&Path_CAN_Send_Frames, "CAN_Send_Frames.xml"},
        {&Path_PDO_CANopen, "PDO_CANopen.xml"},
        {&Path_SDO_Client_CANopen, "SDO_Client_CANopen.xml"},
        {&Path_SDO_Server_CANopen, "SDO_Server_CANopen.xml"},
        {&Path_DNETM_Net, "DNETM_Net.xml"},
        {&Path_DNETM_DefOff, "DNETM_DefOff.xml"},
        {&Path_DMX_Default_Values, "DMX_Default_Values.xml"},
        {&Path_EtherNetIP_Master_Rules, "EtherNetIP_Master_Rules.xml"},
        {&Path_J1939_Rec_Frames, "J1939_Rec_Frames.xml"},
        {&Path_J1939_Send_Frames, "J1939_Send_Frames.xml"},
        {&Path_KNX_SetAccess, "KNX_SetAccess.xml"},
        {&Path_NMEA_Rec_Frames, "NMEA_Rec_Frames.xml"},
        {&Path_NMEA_Send_Frames, "NMEA_Send_Frames.xml"},
        {&Path_IEC_61850_Client, "IEC_61850_Client.xml"},
        {&Path_TLS_Known_Cert, "TLS_Known_Cert.xml"},
        {&Path_IEC61850_Variables, "IEC61850_Variables.xml"},
        {&Path_MQTT_Set_Topic, "MQTT_Set_Topic.xml"},
        {&Path_OPC_UA_Client, "OPC_UA_Client.xml"},
        {&Path_OPC_UA_Server, "OPC_UA_Server.xml"},
        {&Path_S7_Protocol, "S7_Protocol.xml"},
        {&Path_SNMP_Manager, "SNMP_Manager.xml"},
        {&Path_SNMP_Trap, "SNMP_Trap.xml"},
    };
    ASSERT_EQ(std::size(table), 30u);
    ASSERT_EQ(Project_Files().size(), 30u);

    Project_Path = Projects_Dir + QStringLiteral("/Plant A");
    Set_Files();
    for (const auto &row : table)
        EXPECT_EQ(*row.path, Project_Path + QLatin1Char('/') + QLatin1String(row.file)) << row.file;

    // No project: the paths are still computed, from an empty folder.
    Project_Path.clear();
    Set_Files();
    for (const auto &row : table)
        EXPECT_EQ(*row.path, QLatin1Char('/') + QLatin1String(row.file)) << row.file;
}

TEST_F(ComonTest, ProgramFoldersAreMadeBesideTheProgramOneLevelOnly)
{
    Set_Program_Folder(In_Temp(QStringLiteral("run/")));
    QDir().mkdir(In_Temp(QStringLiteral("run")));
    Set_Program_Folders();
    EXPECT_EQ(Exe_Dir, In_Temp(QStringLiteral("run")));   // no trailing separator
    EXPECT_EQ(Master_Dir, Exe_Dir + QStringLiteral("/MASTER"));
    EXPECT_EQ(Projects_Dir, Exe_Dir + QStringLiteral("/PROJECTS"));
    EXPECT_EQ(Language_Dir, Exe_Dir + QStringLiteral("/LANGUAGE"));
    EXPECT_EQ(List_Dirs(Exe_Dir), QStringList({"LANGUAGE", "MASTER", "PROJECTS"}));

    // A program folder that is gone: nothing is made above it and nothing is thrown.
    Set_Program_Folder(In_Temp(QStringLiteral("gone/deeper")));
    Set_Program_Folders();
    EXPECT_FALSE(Dir_Exists(In_Temp(QStringLiteral("gone"))));
}

} // namespace
