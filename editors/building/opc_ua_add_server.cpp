#include "editors/building/opc_ua_add_server.h"

TFOPC_UA_Add_Server *FOPC_UA_Add_Server = nullptr;

TFOPC_UA_Add_Server::TFOPC_UA_Add_Server(QWidget *parent) : TFPlaceholder(parent, 5600)
{
}
