#include "mbus/scanmodbusstart.h"

TFScanModbusStart *FScanModbusStart = nullptr;

TFScanModbusStart::TFScanModbusStart(QWidget *parent) : TFPlaceholder(parent, 2200, Lang_On_Create)
{
}
