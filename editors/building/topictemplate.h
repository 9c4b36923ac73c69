#pragma once
// The MQTT topic template dialog (stand-in until its own issue builds it).
#include "app/placeholderform.h"

class TFTopicTemplate : public TFPlaceholder
{
public:
    explicit TFTopicTemplate(QWidget *parent = nullptr);
};

extern TFTopicTemplate *FTopicTemplate;
