#include "editors/fieldbus/receivenmea.h"

TFReceiveNMEA *FReceiveNMEA = nullptr;

TFReceiveNMEA::TFReceiveNMEA(QWidget *parent) : TFPlaceholder(parent, 4600)
{
}
