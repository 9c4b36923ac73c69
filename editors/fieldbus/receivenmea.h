#pragma once
// The NMEA 2000 receive-frame editor (stand-in until its own issue builds it).
#include "app/placeholderform.h"

class TFReceiveNMEA : public TFPlaceholder
{
public:
    explicit TFReceiveNMEA(QWidget *parent = nullptr);
};

extern TFReceiveNMEA *FReceiveNMEA;
