#pragma once
// The DeviceNet slave list editor (stand-in until its own issue builds it).
#include "app/placeholderform.h"

class TFDNet : public TFPlaceholder
{
public:
    explicit TFDNet(QWidget *parent = nullptr);
};

extern TFDNet *FDNet;
