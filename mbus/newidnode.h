#pragma once
// The new-node-ID dialog of the M-Bus editor (stand-in until its own issue builds it).
#include "app/placeholderform.h"

class TFNewIDNode : public TFPlaceholder
{
public:
    explicit TFNewIDNode(QWidget *parent = nullptr);
};

extern TFNewIDNode *FNewIDNode;
