#pragma once
// The SNMP manager request table (stand-in until its own issue builds it).
#include "app/placeholderform.h"

class TFSNMPManagerAccess : public TFPlaceholder
{
public:
    explicit TFSNMPManagerAccess(QWidget *parent = nullptr);
};

extern TFSNMPManagerAccess *FSNMPManagerAccess;
