#pragma once
// The EtherNet/IP scanner editor (stand-in until its own issue builds it).
#include "app/placeholderform.h"

class TFEtherNetIP_Master_Access : public TFPlaceholder
{
public:
    explicit TFEtherNetIP_Master_Access(QWidget *parent = nullptr);
};

extern TFEtherNetIP_Master_Access *FEtherNetIP_Master_Access;
