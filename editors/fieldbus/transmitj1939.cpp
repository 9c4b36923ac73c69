#include "editors/fieldbus/transmitj1939.h"

TFTransmitJ1939 *FTransmitJ1939 = nullptr;

TFTransmitJ1939::TFTransmitJ1939(QWidget *parent) : TFPlaceholder(parent, 4400)
{
}
