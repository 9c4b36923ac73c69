#pragma once
// The OPC UA add or modify server dialog (stand-in until its own issue builds it).
#include "app/placeholderform.h"

class TFOPC_UA_Add_Server : public TFPlaceholder
{
public:
    explicit TFOPC_UA_Add_Server(QWidget *parent = nullptr);
};

extern TFOPC_UA_Add_Server *FOPC_UA_Add_Server;
