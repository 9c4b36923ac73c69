#include "editors/building/opc_ua_server_access.h"

TFOPC_UA_Server_Access *FOPC_UA_Server_Access = nullptr;

TFOPC_UA_Server_Access::TFOPC_UA_Server_Access(QWidget *parent) : TFPlaceholder(parent, 5800)
{
}
