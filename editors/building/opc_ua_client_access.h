#pragma once
// The OPC UA client editor (stand-in until its own issue builds it).
#include "app/placeholderform.h"

class TFOPC_UA_Client_Access : public TFPlaceholder
{
public:
    explicit TFOPC_UA_Client_Access(QWidget *parent = nullptr);
};

extern TFOPC_UA_Client_Access *FOPC_UA_Client_Access;
