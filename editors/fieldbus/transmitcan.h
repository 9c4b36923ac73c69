#pragma once
// The CAN transmit-frame editor (stand-in until its own issue builds it).
#include "app/placeholderform.h"

class TFTransmitCAN : public TFPlaceholder
{
public:
    explicit TFTransmitCAN(QWidget *parent = nullptr);
};

extern TFTransmitCAN *FTransmitCAN;
