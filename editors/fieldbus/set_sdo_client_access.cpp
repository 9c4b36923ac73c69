#include "editors/fieldbus/set_sdo_client_access.h"

TFSet_SDO_Client_Access *FSet_SDO_Client_Access = nullptr;

TFSet_SDO_Client_Access::TFSet_SDO_Client_Access(QWidget *parent) : TFPlaceholder(parent, 3600)
{
}
