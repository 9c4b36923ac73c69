#include "gateway/device_records.h"

#include <gtest/gtest.h>
#include <type_traits>

namespace {

using namespace USaveBincc;

// The field widths the images of other models rely on.
static_assert(std::is_same_v<decltype(TNodo::ID), uint32_t>);
static_assert(std::is_same_v<decltype(TNodo::Access_Number), uint16_t>);
static_assert(std::is_same_v<decltype(TNodo::Vars), std::vector<TVariabile>>);
static_assert(std::is_same_v<decltype(TVariabile::VIF_ASCII), QString>);
static_assert(std::is_same_v<decltype(TIEC61850_Variable_DS::bType_Add), int32_t>);
static_assert(std::is_same_v<decltype(TIEC61850_Variable::moltFactor), float>);
static_assert(sizeof(TIEC61850_Variable::fc) == 2);
static_assert(sizeof(TMQTTPacket_ConnectData::Struct_ID) == 4);
static_assert(sizeof(TOPC_UA_Guid::data4) == 8);
static_assert(std::is_same_v<decltype(TMQTT::Topic_Filter_QoS), std::vector<int32_t>>);
static_assert(std::is_same_v<decltype(TOPC_UA_Main::opcua_server), std::vector<TOPC_UA_Server>>);

TEST(DeviceRecords, UnitVariablesStartEmpty)
{
    EXPECT_TRUE(MBus_Node_List.empty());
    EXPECT_TRUE(wMBus_Node_List.empty());
    EXPECT_TRUE(IEC61850_Client_Data.VariableList.empty());
    EXPECT_TRUE(IEC61850_Client_Data.DataSetList.empty());
    EXPECT_EQ(IEC61850_Client_Data.nVariable, 0);
    EXPECT_TRUE(IEC61850_Server_Data.Variables.empty());
    EXPECT_TRUE(IEC61850_Server_Data.TLS_Data.Known_Cert.empty());
    EXPECT_TRUE(MQTT_Data.Publish_Data.empty());
    EXPECT_TRUE(MQTT_Data.Connect_Data.ClientID.CString.isEmpty());
    EXPECT_TRUE(Device_Text.isEmpty());
    EXPECT_TRUE(OPC_UA_Client_Data.opcua_server.empty());
    EXPECT_TRUE(OPC_UA_Server_Data.Variables.empty());
}

TEST(DeviceRecords, RecordsNestAndCopyByValue)
{
    TNodo node;
    node.ID = 0xFFFFFFFFu;
    node.Vars.push_back(TVariabile{});
    node.Vars[0].VIF_ASCII = QStringLiteral("kWh");
    TNodo copy = node;
    copy.Vars[0].VIF_ASCII = QStringLiteral("m3");
    EXPECT_EQ(node.Vars[0].VIF_ASCII, QStringLiteral("kWh"));
    EXPECT_EQ(copy.ID, 0xFFFFFFFFu);

    TDataSet set;
    EXPECT_EQ(set.spare[0] | set.spare[1] | set.spare[2], 0);
    set.VariableList.resize(2);
    TIEC61850_Client client;
    client.DataSetList.push_back(set);
    EXPECT_EQ(client.DataSetList[0].VariableList.size(), 2u);

    TOPC_UA_Server server;
    server.requests.push_back(TOPC_UA_Var{});
    server.requests[0].Guid.data4[7] = 0xAB;
    TOPC_UA_Main main;
    main.opcua_server.push_back(server);
    EXPECT_EQ(main.opcua_server[0].requests[0].Guid.data4[7], 0xAB);

    TMQTT mqtt;
    mqtt.Connect_Data.Will.TopicName.CString = QStringLiteral("will");
    EXPECT_EQ(TMQTT(mqtt).Connect_Data.Will.TopicName.CString, QStringLiteral("will"));
}

} // namespace
