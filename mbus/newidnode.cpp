#include "mbus/newidnode.h"

TFNewIDNode *FNewIDNode = nullptr;

TFNewIDNode::TFNewIDNode(QWidget *parent) : TFPlaceholder(parent, 2000)
{
}
