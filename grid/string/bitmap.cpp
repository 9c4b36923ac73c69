#include "grid/string/bitmap.h"

void TGraphic::SetImage(const QImage &Value)
{
    FImage = Value;
    if (OnChange)
        OnChange(this);
}

void TGraphic::LoadFromFile(const QString &FileName)
{
    SetImage(QImage(FileName));
}

void TGraphic::Assign(const TPersistent *Source)
{
    if (!Source)
        SetImage(QImage());
    else if (const auto *other = dynamic_cast<const TGraphic *>(Source))
        SetImage(other->FImage);
    else
        TPersistent::Assign(Source);
}
