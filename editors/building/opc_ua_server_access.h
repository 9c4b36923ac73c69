#pragma once
// The OPC UA server variable table (stand-in until its own issue builds it).
#include "app/placeholderform.h"

class TFOPC_UA_Server_Access : public TFPlaceholder
{
public:
    explicit TFOPC_UA_Server_Access(QWidget *parent = nullptr);
};

extern TFOPC_UA_Server_Access *FOPC_UA_Server_Access;
