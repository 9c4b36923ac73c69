#include "editors/fieldbus/transmitnmea.h"

TFTransmitNMEA *FTransmitNMEA = nullptr;

TFTransmitNMEA::TFTransmitNMEA(QWidget *parent) : TFPlaceholder(parent, 4700)
{
}
