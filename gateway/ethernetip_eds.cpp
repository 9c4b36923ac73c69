#include "gateway/ethernetip_eds.h"

TFEtherNEtIP_EDS *FEtherNEtIP_EDS = nullptr;

TFEtherNEtIP_EDS::TFEtherNEtIP_EDS(QWidget *parent) : TFPlaceholder(parent, 4200)
{
}
