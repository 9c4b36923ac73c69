#pragma once
// The IEC 61850 server variable table (stand-in until its own issue builds it).
#include "app/placeholderform.h"

class TFIEC61850_Variables : public TFPlaceholder
{
public:
    explicit TFIEC61850_Variables(QWidget *parent = nullptr);
};

extern TFIEC61850_Variables *FIEC61850_Variables;
