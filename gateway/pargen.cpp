#include "gateway/pargen.h"

TFParGen *FParGen = nullptr;

TFParGen::TFParGen(QWidget *parent) : TFPlaceholder(parent, 400)
{
}
