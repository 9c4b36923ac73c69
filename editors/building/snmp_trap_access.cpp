#include "editors/building/snmp_trap_access.h"

TFSNMP_Trap_Access *FSNMP_Trap_Access = nullptr;

TFSNMP_Trap_Access::TFSNMP_Trap_Access(QWidget *parent) : TFPlaceholder(parent, 6200)
{
}
