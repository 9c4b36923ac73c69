#include "editors/fieldbus/set_pdo_access.h"

TFSet_PDO_Access *FSet_PDO_Access = nullptr;

TFSet_PDO_Access::TFSet_PDO_Access(QWidget *parent) : TFPlaceholder(parent, 3500)
{
}
