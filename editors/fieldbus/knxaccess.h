#pragma once
// The KNX access table editor (stand-in until its own issue builds it).
#include "app/placeholderform.h"

class TFKNXAccess : public TFPlaceholder
{
public:
    explicit TFKNXAccess(QWidget *parent = nullptr);
};

extern TFKNXAccess *FKNXAccess;
