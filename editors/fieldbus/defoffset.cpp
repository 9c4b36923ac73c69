#include "editors/fieldbus/defoffset.h"

TFDefOffset *FDefOffset = nullptr;

TFDefOffset::TFDefOffset(QWidget *parent) : TFPlaceholder(parent, 3900)
{
}
