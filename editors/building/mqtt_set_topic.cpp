#include "editors/building/mqtt_set_topic.h"

TFMQTT_Set_Topic *FMQTT_Set_Topic = nullptr;

TFMQTT_Set_Topic::TFMQTT_Set_Topic(QWidget *parent) : TFPlaceholder(parent, 5200)
{
}
