#include "editors/fieldbus/transmitcan.h"

TFTransmitCAN *FTransmitCAN = nullptr;

TFTransmitCAN::TFTransmitCAN(QWidget *parent) : TFPlaceholder(parent, 3400)
{
}
