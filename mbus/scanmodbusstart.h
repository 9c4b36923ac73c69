#pragma once
// The Modbus start register dialog of the scan window (stand-in until its own issue builds it).
#include "app/placeholderform.h"

class TFScanModbusStart : public TFPlaceholder
{
public:
    explicit TFScanModbusStart(QWidget *parent = nullptr);
};

extern TFScanModbusStart *FScanModbusStart;
