#pragma once
// The BACnet EDE import dialog (stand-in until its own issue builds it).
#include "app/placeholderform.h"

class TFImportEDEFile : public TFPlaceholder
{
public:
    explicit TFImportEDEFile(QWidget *parent = nullptr);
};

extern TFImportEDEFile *FImportEDEFile;
