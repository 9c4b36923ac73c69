#include "editors/building/opc_ua_scan_server.h"

TFOPC_UA_Scan_Server *FOPC_UA_Scan_Server = nullptr;

TFOPC_UA_Scan_Server::TFOPC_UA_Scan_Server(QWidget *parent) : TFPlaceholder(parent, 5700)
{
}
