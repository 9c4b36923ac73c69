#include "editors/building/iec_61850_access.h"

TFIEC_61850_Access *FIEC_61850_Access = nullptr;

TFIEC_61850_Access::TFIEC_61850_Access(QWidget *parent) : TFPlaceholder(parent, 4900)
{
}
