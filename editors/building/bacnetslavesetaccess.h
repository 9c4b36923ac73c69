#pragma once
// The BACnet slave object tables editor (stand-in until its own issue builds it).
#include "app/placeholderform.h"

class TFBACnetSlaveSetAccess : public TFPlaceholder
{
public:
    explicit TFBACnetSlaveSetAccess(QWidget *parent = nullptr);
};

extern TFBACnetSlaveSetAccess *FBACnetSlaveSetAccess;
