#include "editors/building/bacnetaccess.h"

TFBACnetAccess *FBACnetAccess = nullptr;

TFBACnetAccess::TFBACnetAccess(QWidget *parent) : TFPlaceholder(parent, 1300)
{
}
