#include "editors/fieldbus/receivej1939.h"

TFReceiveJ1939 *FReceiveJ1939 = nullptr;

TFReceiveJ1939::TFReceiveJ1939(QWidget *parent) : TFPlaceholder(parent, 4300)
{
}
