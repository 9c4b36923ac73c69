// The column headers of the tables are drawn on one line, whole, in the header font the
// program gets on this machine.
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
#include "fieldbus_fixture.h"
#include "header_ink.h"

namespace {

class HeaderFontTest : public FieldbusTest
{
};

TEST_F(HeaderFontTest, DISABLED_HeadersOfTheRuleTablesFitTheirCellsOnOneLine)
{
    TFont_Stand_Ins fonts;
    // The windows whose headers were seen wrapped and cut, then every other one.
    TFModbus_TCP_Master_Set_Access modbus_tcp;
    TFSet_PDO_Access pdo;
    TFSet_SDO_Client_Access sdo_client;
    TFKNXAccess knx;
    TFSetAccess modbus;
    TFSet_SDO_Server_Access sdo_server;
    TFReceiveCAN can_receive;
    TFTransmitCAN can_transmit;
    TFReceiveJ1939 j1939_receive;
    TFTransmitJ1939 j1939_transmit;
    TFReceiveNMEA nmea_receive;
    TFTransmitNMEA nmea_transmit;
    TFDNet dnet;
    TFDMXDefVal dmx;
    for (TRule_Editor *form : std::initializer_list<TRule_Editor *>{
             &modbus_tcp, &pdo, &sdo_client, &knx, &modbus, &sdo_server, &can_receive, &can_transmit, &j1939_receive,
             &j1939_transmit, &nmea_receive, &nmea_transmit, &dnet, &dmx}) {
        form->FormShow();
        for (int t = 0; t < form->Table_Count(); ++t)
            Expect_Headers_On_One_Line(*form->Grid(t), form->objectName().toStdString() + " " +
                                                           form->Grid(t)->objectName().toStdString());
    }
}

}   // namespace
