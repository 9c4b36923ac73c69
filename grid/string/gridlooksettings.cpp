#include "grid/string/gridlooksettings.h"

TBackGround::TBackGround()
{
    FBitmap.OnChange = [this](TObject *) { Changed(); };
}

void TBackGround::Changed()
{
    if (!FAssigning && OnChange)
        OnChange(this);
}

void TBackGround::Assign(const TPersistent *Source)
{
    const auto *src = dynamic_cast<const TBackGround *>(Source);
    if (!src)
        return;
    FAssigning = true;
    FTop = src->FTop;
    FLeft = src->FLeft;
    FDisplay = src->FDisplay;
    FBitmap.Assign(&src->FBitmap);
    FCells = src->FCells;
    FColor = src->FColor;
    FColorTo = src->FColorTo;
    FAssigning = false;
    Changed();
}

void TDragScrollDelays::Assign(const TPersistent *Source)
{
    if (const auto *src = dynamic_cast<const TDragScrollDelays *>(Source)) {
        FInitialDelay = src->FInitialDelay;
        FRepeatDelay = src->FRepeatDelay;
    }
}

void TDragScrollMargins::Assign(const TPersistent *Source)
{
    if (const auto *src = dynamic_cast<const TDragScrollMargins *>(Source)) {
        FTopMargin = src->FTopMargin;
        FBottomMargin = src->FBottomMargin;
        FLeftMargin = src->FLeftMargin;
        FRightMargin = src->FRightMargin;
    }
}

void TDragScrollOptions::Assign(const TPersistent *Source)
{
    if (const auto *src = dynamic_cast<const TDragScrollOptions *>(Source)) {
        FMargins.Assign(&src->FMargins);
        FDelays.Assign(&src->FDelays);
        FActive = src->FActive;
    }
}

void TGridProgressAppearance::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TGridProgressAppearance::Assign(const TPersistent *Source)
{
    if (const auto *src = dynamic_cast<const TGridProgressAppearance *>(Source)) {
        FValues = src->FValues;
        Changed();
    }
}
