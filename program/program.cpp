#include "program/program.h"

#include "app/about.h"
#include "app/new_project.h"
#include "app/openconf.h"
#include "app/softoptions.h"
#include "app/tessalinorfirmware.h"
#include "controls/dropdown/dropdowninstall.h"
#include "editors/building/bacnet_ede_file.h"
#include "editors/building/bacnet_eng_unit.h"
#include "editors/building/bacnetaccess.h"
#include "editors/building/bacnetslavesetaccess.h"
#include "editors/building/iec61850_variables.h"
#include "editors/building/iec_61850_access.h"
#include "editors/building/importedefile.h"
#include "editors/building/mqtt_set_topic.h"
#include "editors/building/opc_ua_add_server.h"
#include "editors/building/opc_ua_client_access.h"
#include "editors/building/opc_ua_scan_server.h"
#include "editors/building/opc_ua_server_access.h"
#include "editors/building/profibus_gsd.h"
#include "editors/building/profinetfilename.h"
#include "editors/building/profinetxml.h"
#include "editors/building/s7_protocol_set_access.h"
#include "editors/building/snmp_mib.h"
#include "editors/building/snmp_trap_access.h"
#include "editors/building/snmpmanageraccess.h"
#include "editors/building/tls_server_known_cert.h"
#include "editors/building/topictemplate.h"
#include "editors/fieldbus/canopen_eds.h"
#include "editors/fieldbus/defoffset.h"
#include "editors/fieldbus/dmxdefval.h"
#include "editors/fieldbus/dnet.h"
#include "editors/fieldbus/knxaccess.h"
#include "editors/fieldbus/modbus_tcp_master_set_access.h"
#include "editors/fieldbus/receivecan.h"
#include "editors/fieldbus/receivej1939.h"
#include "editors/fieldbus/receivenmea.h"
#include "editors/fieldbus/set_pdo_access.h"
#include "editors/fieldbus/set_sdo_client_access.h"
#include "editors/fieldbus/set_sdo_server_access.h"
#include "editors/fieldbus/setaccess.h"
#include "editors/fieldbus/transmitcan.h"
#include "editors/fieldbus/transmitj1939.h"
#include "editors/fieldbus/transmitnmea.h"
#include "gateway/boot.h"
#include "gateway/compile_project.h"
#include "gateway/ethernetip_data_seg.h"
#include "gateway/ethernetip_eds.h"
#include "gateway/ethernetip_master_access.h"
#include "gateway/lora_set_access.h"
#include "gateway/pargen.h"
#include "grid/tools/gridtools.h"
#include "mbus/insertkeywireless.h"
#include "mbus/meter_bus.h"
#include "mbus/modbusstartadd_sd.h"
#include "mbus/newidnode.h"
#include "mbus/scandecode.h"
#include "mbus/scanmodbusstart.h"
#include "app/forms.h"

#include <functional>
#include <vector>

namespace {

// Each created window's release, which also clears its form variable.
std::vector<std::function<void()>> releases;

// Creates one window (its creation handler runs in the constructor) and registers it.
template <class T>
void Create(T *&form, const char *name)
{
    form = new T();
    T *f = form;
    releases.push_back([&form] {
        delete form;
        form = nullptr;
    });
    Forms().Register(QLatin1String(name), f, [f] { f->Set_Lang(); });
}

void Connect_Main_Window()
{
    TMain_Hooks &hooks = FTessalinorFirmWare->Hooks;
    hooks.Show_Boot = [](int form_type) {
        FBoot->Form_Type = form_type;
        FBoot->exec();
    };
    hooks.Compile_Project = [] {
        Compile_Project();
        Write_Bank_Files();
    };
    hooks.Show_Scan_Decode = [](int code_dev, const QString &file_mbus, int form_type) {
        FScanDecode->XML_Code_Dev = code_dev;
        FScanDecode->FileName_MBus = file_mbus;
        FScanDecode->Form_Type = form_type;
        FScanDecode->exec();
    };
    hooks.Ask_Profinet_File_Name = [](QString &name) {
        if (FProfinetFileName->exec() != 1)
            return false;
        name = FProfinetFileName->Name_File_XML;
        return true;
    };
    hooks.Build_CANopen_EDS = [](const QString &file_name) { Build_CANopen_EDS(file_name); };
    hooks.Create_GSD_File = [] { Create_GSD_File(); };
    hooks.Create_GSDML_File = [](const QString &file_name) { Create_GSDML_File(file_name); };
    hooks.Create_EDE_File = [](const QString &file_name) { Create_EDE_File(file_name); };
    hooks.Create_MIB_File = [] { Create_MIB_File(); };
}

} // namespace

TFTessalinorFirmWare *Create_Forms()
{
    Destroy_Forms();
    InstallGridTools();
    InstallDropDownEditors();
    Create(FTessalinorFirmWare, "FTessalinorFirmWare");
    Create(FNew_Project, "FNew_Project");
    Create(FOpenConf, "FOpenConf");
    Create(FAbout, "FAbout");
    Create(FSoftOptions, "FSoftOptions");
    Create(FParGen, "FParGen");
    Create(FBoot, "FBoot");
    Create(FLoRa_Set_Access, "FLoRa_Set_Access");
    Create(FBACnetAccess, "FBACnetAccess");
    Create(FImportEDEFile, "FImportEDEFile");
    Create(FBACnet_Eng_Unit, "FBACnet_Eng_Unit");
    Create(FBACnetSlaveSetAccess, "FBACnetSlaveSetAccess");
    Create(FMeter_Bus, "FMeter_Bus");
    Create(FNewIDNode, "FNewIDNode");
    Create(FInsertKeyWireless, "FInsertKeyWireless");
    Create(FModbusStartAdd_SD, "FModbusStartAdd_SD");
    Create(FScanDecode, "FScanDecode");
    Create(FScanModbusStart, "FScanModbusStart");
    Create(FSetAccess, "FSetAccess");
    Create(FModbus_TCP_Master_Set_Access, "FModbus_TCP_Master_Set_Access");
    Create(FReceiveCAN, "FReceiveCAN");
    Create(FTransmitCAN, "FTransmitCAN");
    Create(FSet_PDO_Access, "FSet_PDO_Access");
    Create(FSet_SDO_Client_Access, "FSet_SDO_Client_Access");
    Create(FSet_SDO_Server_Access, "FSet_SDO_Server_Access");
    Create(FDefOffset, "FDefOffset");
    Create(FDNet, "FDNet");
    Create(FDMXDefVal, "FDMXDefVal");
    Create(FEtherNEtIP_EDS, "FEtherNEtIP_EDS");
    Create(FEtherNetIP_Master_Access, "FEtherNetIP_Master_Access");
    Create(FReceiveJ1939, "FReceiveJ1939");
    Create(FTransmitJ1939, "FTransmitJ1939");
    Create(FKNXAccess, "FKNXAccess");
    Create(FReceiveNMEA, "FReceiveNMEA");
    Create(FTransmitNMEA, "FTransmitNMEA");
    Create(FProfinetFileName, "FProfinetFileName");
    Create(FIEC_61850_Access, "FIEC_61850_Access");
    Create(FIEC61850_Variables, "FIEC61850_Variables");
    Create(FTLS_Server_Known_Cert, "FTLS_Server_Known_Cert");
    Create(FMQTT_Set_Topic, "FMQTT_Set_Topic");
    Create(FTopicTemplate, "FTopicTemplate");
    Create(FOPC_UA_Add_Server, "FOPC_UA_Add_Server");
    Create(FOPC_UA_Client_Access, "FOPC_UA_Client_Access");
    Create(FOPC_UA_Scan_Server, "FOPC_UA_Scan_Server");
    Create(FOPC_UA_Server_Access, "FOPC_UA_Server_Access");
    Create(FS7_Protocol_Set_Access, "FS7_Protocol_Set_Access");
    Create(FSNMPManagerAccess, "FSNMPManagerAccess");
    Create(FSNMP_Trap_Access, "FSNMP_Trap_Access");
    Create(FEtherNetIP_Data_Seg, "FEtherNetIP_Data_Seg");
    Connect_Main_Window();
    return FTessalinorFirmWare;
}

void Destroy_Forms()
{
    Forms().Clear();
    while (!releases.empty()) {   // the reverse of the creation order
        releases.back()();
        releases.pop_back();
    }
}
