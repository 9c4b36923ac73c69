#include "editors/building/profinetfilename.h"

TFProfinetFileName *FProfinetFileName = nullptr;

TFProfinetFileName::TFProfinetFileName(QWidget *parent) : TFPlaceholder(parent, 4800)
{
}
