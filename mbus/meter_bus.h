#pragma once
// The M-Bus network editor (stand-in until its own issue builds it).
#include "app/placeholderform.h"

class TFMeter_Bus : public TFPlaceholder
{
public:
    explicit TFMeter_Bus(QWidget *parent = nullptr);
};

extern TFMeter_Bus *FMeter_Bus;
