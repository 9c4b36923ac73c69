#pragma once
// The SNMP agent object tables (stand-in until its own issue builds it).
#include "app/placeholderform.h"

class TFSNMP_Trap_Access : public TFPlaceholder
{
public:
    explicit TFSNMP_Trap_Access(QWidget *parent = nullptr);
};

extern TFSNMP_Trap_Access *FSNMP_Trap_Access;
