#include "editors/building/bacnet_eng_unit.h"

TFBACnet_Eng_Unit *FBACnet_Eng_Unit = nullptr;

TFBACnet_Eng_Unit::TFBACnet_Eng_Unit(QWidget *parent) : TFPlaceholder(parent, 1600)
{
}
