#pragma once
// The DMX default value editor (stand-in until its own issue builds it).
#include "app/placeholderform.h"

class TFDMXDefVal : public TFPlaceholder
{
public:
    explicit TFDMXDefVal(QWidget *parent = nullptr);
};

extern TFDMXDefVal *FDMXDefVal;
