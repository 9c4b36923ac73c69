#include "editors/building/importedefile.h"

TFImportEDEFile *FImportEDEFile = nullptr;

TFImportEDEFile::TFImportEDEFile(QWidget *parent) : TFPlaceholder(parent, 1400)
{
}
