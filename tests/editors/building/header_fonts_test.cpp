// The column headers of the building editors' tables are drawn on one line, whole, in the
// header font the program gets on this machine.
#include "building_fixture.h"
#include "editors/building/bacnet_eng_unit.h"
#include "editors/building/bacnetaccess.h"
#include "editors/building/bacnetslavesetaccess.h"
#include "editors/building/iec61850_variables.h"
#include "editors/building/iec_61850_access.h"
#include "editors/building/importedefile.h"
#include "editors/building/mqtt_set_topic.h"
#include "editors/building/opc_ua_client_access.h"
#include "editors/building/opc_ua_server_access.h"
#include "editors/building/s7_protocol_set_access.h"
#include "editors/building/snmp_trap_access.h"
#include "editors/building/snmpmanageraccess.h"
#include "editors/building/tls_server_known_cert.h"
#include "editors/building/topictemplate.h"
#include "editors/fieldbus/header_ink.h"

TEST_F(BuildingTest, DISABLED_HeadersOfTheBuildingTablesFitTheirCellsOnOneLine)
{
    TFont_Stand_Ins fonts;
    Write_ParGen({{"BACnet_Master_Type", "0"}});
    TFBACnet_Eng_Unit picker;
    FBACnet_Eng_Unit = &picker;
    TFImportEDEFile import;
    FImportEDEFile = &import;
    TFTopicTemplate topic_template;
    FTopicTemplate = &topic_template;
    {
        TFSNMPManagerAccess snmp_manager;
        TFSNMP_Trap_Access snmp_agent;
        TFOPC_UA_Server_Access opc_server;
        TFIEC61850_Variables iec_server;
        TFS7_Protocol_Set_Access s7;
        TFBACnetAccess bacnet;
        TFBACnetSlaveSetAccess bacnet_slave;
        TFMQTT_Set_Topic mqtt;
        TFTLS_Server_Known_Cert tls;
        for (TRule_Editor *form : std::initializer_list<TRule_Editor *>{
                 &snmp_manager, &snmp_agent, &opc_server, &iec_server, &s7, &bacnet, &bacnet_slave, &mqtt, &tls}) {
            form->FormShow();
            for (int t = 0; t < form->Table_Count(); ++t)
                Expect_Headers_On_One_Line(*form->Grid(t), form->objectName().toStdString() + " " +
                                                               form->Grid(t)->objectName().toStdString());
        }
        TFOPC_UA_Client_Access opc_client;
        opc_client.FormShow();
        for (TDazColumnGrid *grid : {opc_client.ACG_OPC_UA_Server, opc_client.ACG_OPC_UA_Var_R, opc_client.ACG_OPC_UA_Var_W})
            Expect_Headers_On_One_Line(*grid, "FOPC_UA_Client_Access " + grid->objectName().toStdString());
        TFIEC_61850_Access iec_client;
        iec_client.FormShow();
        for (TDazColumnGrid *grid : {iec_client.ACG_DA, iec_client.ACG_DataSet, iec_client.ACG_DS_Vars})
            Expect_Headers_On_One_Line(*grid, "FIEC_61850_Access " + grid->objectName().toStdString());
    }
    FTopicTemplate = nullptr;
    FImportEDEFile = nullptr;
    FBACnet_Eng_Unit = nullptr;
}
