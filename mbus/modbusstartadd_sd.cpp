#include "mbus/modbusstartadd_sd.h"

TFModbusStartAdd_SD *FModbusStartAdd_SD = nullptr;

TFModbusStartAdd_SD::TFModbusStartAdd_SD(QWidget *parent) : TFPlaceholder(parent, 2400)
{
}
