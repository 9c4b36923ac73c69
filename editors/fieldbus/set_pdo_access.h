#pragma once
// The CANopen PDO editor (stand-in until its own issue builds it).
#include "app/placeholderform.h"

class TFSet_PDO_Access : public TFPlaceholder
{
public:
    explicit TFSet_PDO_Access(QWidget *parent = nullptr);
};

extern TFSet_PDO_Access *FSet_PDO_Access;
