#pragma once
// The update dialog (stand-in until its own issue builds it). It has no creation handler:
// it takes SW_Code and its texts each time it is shown.
#include "app/placeholderform.h"

class TFBoot : public TFPlaceholder
{
public:
    explicit TFBoot(QWidget *parent = nullptr);

    int Form_Type = 0;   // 1: update over Ethernet

protected:
    void showEvent(QShowEvent *event) override;
};

extern TFBoot *FBoot;
