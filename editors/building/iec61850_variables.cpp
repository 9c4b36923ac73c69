#include "editors/building/iec61850_variables.h"

TFIEC61850_Variables *FIEC61850_Variables = nullptr;

TFIEC61850_Variables::TFIEC61850_Variables(QWidget *parent) : TFPlaceholder(parent, 5000)
{
}
