#include "editors/building/topictemplate.h"

TFTopicTemplate *FTopicTemplate = nullptr;

TFTopicTemplate::TFTopicTemplate(QWidget *parent) : TFPlaceholder(parent, 5300)
{
}
