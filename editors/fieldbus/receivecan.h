#pragma once
// The CAN receive-frame editor (stand-in until its own issue builds it).
#include "app/placeholderform.h"

class TFReceiveCAN : public TFPlaceholder
{
public:
    explicit TFReceiveCAN(QWidget *parent = nullptr);
};

extern TFReceiveCAN *FReceiveCAN;
