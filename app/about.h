#pragma once
// The about box (stand-in until the options issue builds it).
#include "app/placeholderform.h"

class TFAbout : public TFPlaceholder
{
public:
    explicit TFAbout(QWidget *parent = nullptr);
};

extern TFAbout *FAbout;
