#pragma once
// The MQTT topic editor (stand-in until its own issue builds it).
#include "app/placeholderform.h"

class TFMQTT_Set_Topic : public TFPlaceholder
{
public:
    explicit TFMQTT_Set_Topic(QWidget *parent = nullptr);
};

extern TFMQTT_Set_Topic *FMQTT_Set_Topic;
