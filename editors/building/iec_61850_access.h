#pragma once
// The IEC 61850 client editor (stand-in until its own issue builds it).
#include "app/placeholderform.h"

class TFIEC_61850_Access : public TFPlaceholder
{
public:
    explicit TFIEC_61850_Access(QWidget *parent = nullptr);
};

extern TFIEC_61850_Access *FIEC_61850_Access;
