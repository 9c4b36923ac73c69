#pragma once
// The BACnet engineering-unit picker (stand-in until its own issue builds it).
#include "app/placeholderform.h"

class TFBACnet_Eng_Unit : public TFPlaceholder
{
public:
    explicit TFBACnet_Eng_Unit(QWidget *parent = nullptr);
};

extern TFBACnet_Eng_Unit *FBACnet_Eng_Unit;
