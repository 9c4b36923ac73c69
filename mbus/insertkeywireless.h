#pragma once
// The wireless M-Bus key dialog of the scan window (stand-in until its own issue builds it).
#include "app/placeholderform.h"

class TFInsertKeyWireless : public TFPlaceholder
{
public:
    explicit TFInsertKeyWireless(QWidget *parent = nullptr);
};

extern TFInsertKeyWireless *FInsertKeyWireless;
