#pragma once
// The BACnet master access editor (stand-in until its own issue builds it).
#include "app/placeholderform.h"

class TFBACnetAccess : public TFPlaceholder
{
public:
    explicit TFBACnetAccess(QWidget *parent = nullptr);
};

extern TFBACnetAccess *FBACnetAccess;
