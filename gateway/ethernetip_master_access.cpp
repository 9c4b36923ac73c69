#include "gateway/ethernetip_master_access.h"

TFEtherNetIP_Master_Access *FEtherNetIP_Master_Access = nullptr;

TFEtherNetIP_Master_Access::TFEtherNetIP_Master_Access(QWidget *parent) : TFPlaceholder(parent, 4100)
{
}
