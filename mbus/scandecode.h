#pragma once
// The M-Bus scan window (stand-in until its own issue builds it).
#include "app/placeholderform.h"
#include <QString>

class TFScanDecode : public TFPlaceholder
{
public:
    explicit TFScanDecode(QWidget *parent = nullptr);

    int XML_Code_Dev = 0;
    QString FileName_MBus;
    int Form_Type = 0;
};

extern TFScanDecode *FScanDecode;
