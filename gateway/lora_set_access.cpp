#include "gateway/lora_set_access.h"

TFLoRa_Set_Access *FLoRa_Set_Access = nullptr;

TFLoRa_Set_Access::TFLoRa_Set_Access(QWidget *parent) : TFPlaceholder(parent, 1200)
{
}
