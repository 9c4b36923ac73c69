#include "editors/fieldbus/modbus_tcp_master_set_access.h"

TFModbus_TCP_Master_Set_Access *FModbus_TCP_Master_Set_Access = nullptr;

TFModbus_TCP_Master_Set_Access::TFModbus_TCP_Master_Set_Access(QWidget *parent) : TFPlaceholder(parent, 3100)
{
}
