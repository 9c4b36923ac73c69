#pragma once
// The Modbus master rule editor for the serial line (stand-in until its own issue builds it).
#include "app/placeholderform.h"

class TFSetAccess : public TFPlaceholder
{
public:
    explicit TFSetAccess(QWidget *parent = nullptr);
};

extern TFSetAccess *FSetAccess;
