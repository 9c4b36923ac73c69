#include "editors/fieldbus/setaccess.h"

TFSetAccess *FSetAccess = nullptr;

TFSetAccess::TFSetAccess(QWidget *parent) : TFPlaceholder(parent, 3000)
{
}
