#pragma once
// The NMEA 2000 transmit-frame editor (stand-in until its own issue builds it).
#include "app/placeholderform.h"

class TFTransmitNMEA : public TFPlaceholder
{
public:
    explicit TFTransmitNMEA(QWidget *parent = nullptr);
};

extern TFTransmitNMEA *FTransmitNMEA;
