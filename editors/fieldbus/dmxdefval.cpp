#include "editors/fieldbus/dmxdefval.h"

TFDMXDefVal *FDMXDefVal = nullptr;

TFDMXDefVal::TFDMXDefVal(QWidget *parent) : TFPlaceholder(parent, 4000)
{
}
