#include "mbus/scandecode.h"

TFScanDecode *FScanDecode = nullptr;

TFScanDecode::TFScanDecode(QWidget *parent) : TFPlaceholder(parent, 2100, Lang_On_Create)
{
}
