#pragma once
// The GSDML file-name dialog (stand-in until its own issue builds it).
#include "app/placeholderform.h"
#include <QString>

class TFProfinetFileName : public TFPlaceholder
{
public:
    explicit TFProfinetFileName(QWidget *parent = nullptr);

    QString Name_File_XML;
};

extern TFProfinetFileName *FProfinetFileName;
