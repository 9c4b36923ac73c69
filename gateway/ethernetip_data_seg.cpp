#include "gateway/ethernetip_data_seg.h"

TFEtherNetIP_Data_Seg *FEtherNetIP_Data_Seg = nullptr;

TFEtherNetIP_Data_Seg::TFEtherNetIP_Data_Seg(QWidget *parent) : TFPlaceholder(parent, 6300)
{
}
