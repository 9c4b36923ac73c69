#include "mbus/meter_bus.h"

TFMeter_Bus *FMeter_Bus = nullptr;

TFMeter_Bus::TFMeter_Bus(QWidget *parent) : TFPlaceholder(parent, 1700)
{
}
