#include "editors/fieldbus/set_sdo_server_access.h"

TFSet_SDO_Server_Access *FSet_SDO_Server_Access = nullptr;

TFSet_SDO_Server_Access::TFSet_SDO_Server_Access(QWidget *parent) : TFPlaceholder(parent, 3700)
{
}
