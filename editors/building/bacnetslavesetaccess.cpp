#include "editors/building/bacnetslavesetaccess.h"

TFBACnetSlaveSetAccess *FBACnetSlaveSetAccess = nullptr;

TFBACnetSlaveSetAccess::TFBACnetSlaveSetAccess(QWidget *parent) : TFPlaceholder(parent, 1500)
{
}
