#pragma once
// The S7 read and write table editor (stand-in until its own issue builds it).
#include "app/placeholderform.h"

class TFS7_Protocol_Set_Access : public TFPlaceholder
{
public:
    explicit TFS7_Protocol_Set_Access(QWidget *parent = nullptr);
};

extern TFS7_Protocol_Set_Access *FS7_Protocol_Set_Access;
