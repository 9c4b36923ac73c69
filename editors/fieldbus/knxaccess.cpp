#include "editors/fieldbus/knxaccess.h"

TFKNXAccess *FKNXAccess = nullptr;

TFKNXAccess::TFKNXAccess(QWidget *parent) : TFPlaceholder(parent, 4500)
{
}
