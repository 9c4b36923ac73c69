#include "gateway/device_records.h"

namespace USaveBincc {

std::vector<TNodo> MBus_Node_List;
std::vector<TNodo> wMBus_Node_List;
TIEC61850_Client IEC61850_Client_Data;
TIEC61850 IEC61850_Server_Data;
TMQTT MQTT_Data;
QString Device_Text;
TOPC_UA_Main OPC_UA_Client_Data;
TOPC_UA_Server2 OPC_UA_Server_Data;

} // namespace USaveBincc
