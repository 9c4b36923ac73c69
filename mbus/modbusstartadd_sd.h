#pragma once
// The Modbus start address dialog of the scan window (stand-in until its own issue builds it).
#include "app/placeholderform.h"

class TFModbusStartAdd_SD : public TFPlaceholder
{
public:
    explicit TFModbusStartAdd_SD(QWidget *parent = nullptr);
};

extern TFModbusStartAdd_SD *FModbusStartAdd_SD;
