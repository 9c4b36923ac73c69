#pragma once
// The communication settings window (stand-in until its own issue builds it).
#include "app/placeholderform.h"

class TFParGen : public TFPlaceholder
{
public:
    explicit TFParGen(QWidget *parent = nullptr);
};

extern TFParGen *FParGen;
