#pragma once
// The CANopen SDO client editor (stand-in until its own issue builds it).
#include "app/placeholderform.h"

class TFSet_SDO_Client_Access : public TFPlaceholder
{
public:
    explicit TFSet_SDO_Client_Access(QWidget *parent = nullptr);
};

extern TFSet_SDO_Client_Access *FSet_SDO_Client_Access;
