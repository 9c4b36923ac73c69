#pragma once
// The J1939 transmit-frame editor (stand-in until its own issue builds it).
#include "app/placeholderform.h"

class TFTransmitJ1939 : public TFPlaceholder
{
public:
    explicit TFTransmitJ1939(QWidget *parent = nullptr);
};

extern TFTransmitJ1939 *FTransmitJ1939;
