#include "editors/building/snmpmanageraccess.h"

TFSNMPManagerAccess *FSNMPManagerAccess = nullptr;

TFSNMPManagerAccess::TFSNMPManagerAccess(QWidget *parent) : TFPlaceholder(parent, 6100)
{
}
