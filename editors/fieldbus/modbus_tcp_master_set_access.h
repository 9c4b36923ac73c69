#pragma once
// The Modbus TCP master rule editor (stand-in until its own issue builds it).
#include "app/placeholderform.h"

class TFModbus_TCP_Master_Set_Access : public TFPlaceholder
{
public:
    explicit TFModbus_TCP_Master_Set_Access(QWidget *parent = nullptr);
};

extern TFModbus_TCP_Master_Set_Access *FModbus_TCP_Master_Set_Access;
