#include "mbus/insertkeywireless.h"

TFInsertKeyWireless *FInsertKeyWireless = nullptr;

TFInsertKeyWireless::TFInsertKeyWireless(QWidget *parent) : TFPlaceholder(parent, 2300, Lang_On_Create)
{
}
