#include "editors/building/s7_protocol_set_access.h"

TFS7_Protocol_Set_Access *FS7_Protocol_Set_Access = nullptr;

TFS7_Protocol_Set_Access::TFS7_Protocol_Set_Access(QWidget *parent) : TFPlaceholder(parent, 5900)
{
}
