#pragma once
// The LoRaWAN rule editor (stand-in until its own issue builds it).
#include "app/placeholderform.h"

class TFLoRa_Set_Access : public TFPlaceholder
{
public:
    explicit TFLoRa_Set_Access(QWidget *parent = nullptr);
};

extern TFLoRa_Set_Access *FLoRa_Set_Access;
