#pragma once
// The OPC UA server browse window (stand-in until its own issue builds it).
#include "app/placeholderform.h"

class TFOPC_UA_Scan_Server : public TFPlaceholder
{
public:
    explicit TFOPC_UA_Scan_Server(QWidget *parent = nullptr);
};

extern TFOPC_UA_Scan_Server *FOPC_UA_Scan_Server;
