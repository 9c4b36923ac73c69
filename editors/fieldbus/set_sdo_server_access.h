#pragma once
// The CANopen SDO server object editor (stand-in until its own issue builds it).
#include "app/placeholderform.h"

class TFSet_SDO_Server_Access : public TFPlaceholder
{
public:
    explicit TFSet_SDO_Server_Access(QWidget *parent = nullptr);
};

extern TFSet_SDO_Server_Access *FSet_SDO_Server_Access;
