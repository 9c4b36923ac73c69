#include "app/softoptions.h"

TFSoftOptions *FSoftOptions = nullptr;

TFSoftOptions::TFSoftOptions(QWidget *parent) : TFPlaceholder(parent, 300)
{
}

bool TFSoftOptions::Check_Version()
{
    return false;
}
