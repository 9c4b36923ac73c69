#pragma once
// The J1939 receive-frame editor (stand-in until its own issue builds it).
#include "app/placeholderform.h"

class TFReceiveJ1939 : public TFPlaceholder
{
public:
    explicit TFReceiveJ1939(QWidget *parent = nullptr);
};

extern TFReceiveJ1939 *FReceiveJ1939;
