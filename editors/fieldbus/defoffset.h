#pragma once
// The DeviceNet byte offset editor (stand-in until its own issue builds it).
#include "app/placeholderform.h"

class TFDefOffset : public TFPlaceholder
{
public:
    explicit TFDefOffset(QWidget *parent = nullptr);
};

extern TFDefOffset *FDefOffset;
