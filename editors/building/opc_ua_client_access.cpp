#include "editors/building/opc_ua_client_access.h"

TFOPC_UA_Client_Access *FOPC_UA_Client_Access = nullptr;

TFOPC_UA_Client_Access::TFOPC_UA_Client_Access(QWidget *parent) : TFPlaceholder(parent, 5400)
{
}
