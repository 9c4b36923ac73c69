#include "editors/fieldbus/dnet.h"

TFDNet *FDNet = nullptr;

TFDNet::TFDNet(QWidget *parent) : TFPlaceholder(parent, 3800)
{
}
