#pragma once
// The options dialog (stand-in until the options issue builds it).
#include "app/placeholderform.h"

class TFSoftOptions : public TFPlaceholder
{
public:
    explicit TFSoftOptions(QWidget *parent = nullptr);

    // Asks the version service whether a newer release exists.
    bool Check_Version();
};

extern TFSoftOptions *FSoftOptions;
