#pragma once
// The EtherNet/IP data segment editor (stand-in until its own issue builds it).
#include "app/placeholderform.h"

class TFEtherNetIP_Data_Seg : public TFPlaceholder
{
public:
    explicit TFEtherNetIP_Data_Seg(QWidget *parent = nullptr);
};

extern TFEtherNetIP_Data_Seg *FEtherNetIP_Data_Seg;
