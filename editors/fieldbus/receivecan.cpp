#include "editors/fieldbus/receivecan.h"

TFReceiveCAN *FReceiveCAN = nullptr;

TFReceiveCAN::TFReceiveCAN(QWidget *parent) : TFPlaceholder(parent, 3300)
{
}
