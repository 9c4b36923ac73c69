#pragma once
// The EtherNet/IP EDS connection chooser (stand-in until its own issue builds it).
#include "app/placeholderform.h"

class TFEtherNEtIP_EDS : public TFPlaceholder
{
public:
    explicit TFEtherNEtIP_EDS(QWidget *parent = nullptr);
};

extern TFEtherNEtIP_EDS *FEtherNEtIP_EDS;
