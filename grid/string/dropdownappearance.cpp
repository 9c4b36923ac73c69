#include "grid/string/dropdownappearance.h"

#include <typeinfo>

// --- Buttons -----------------------------------------------------------------------------

void TAppearanceButton::Changed()
{
    if (auto *buttons = dynamic_cast<TAppearanceButtons *>(Collection()); buttons && buttons->OnChange)
        buttons->OnChange(buttons);
}

void TAppearanceButton::SetCaption(const QString &Value)
{
    if (FCaption == Value)
        return;
    FCaption = Value;
    Changed();
}

void TAppearanceButton::SetEnabled(bool Value)
{
    if (FEnabled == Value)
        return;
    FEnabled = Value;
    Changed();
}

void TAppearanceButton::SetWidth(int Value)
{
    if (FWidth == Value)
        return;
    FWidth = Value;
    Changed();
}

void TAppearanceButton::AssignButton(const TAppearanceButton *Source)
{
    SetCaption(Source->FCaption);
    FImageIndex = Source->FImageIndex;
    SetEnabled(Source->FEnabled);
    SetWidth(Source->FWidth);
    FHeight = Source->FHeight;
}

void THeaderButton::Assign(const TPersistent *Source)
{
    if (const auto *src = dynamic_cast<const THeaderButton *>(Source))
        AssignButton(src);
    else
        TAppearanceButton::Assign(Source);
}

void TFooterButton::Assign(const TPersistent *Source)
{
    if (const auto *src = dynamic_cast<const TFooterButton *>(Source)) {
        FModalResult = src->FModalResult;
        AssignButton(src);
    } else {
        TAppearanceButton::Assign(Source);
    }
}

// --- Appearances -------------------------------------------------------------------------

void TDropDownAppearance::ButtonsCreated()
{
    FButtonCollection.OnChange = [this](TObject *) {
        if (OnButtonsChanged)
            OnButtonsChanged(this);
    };
}

void TDropDownAppearance::SetVisible(bool Value)
{
    if (FVisible == Value)
        return;
    FVisible = Value;
    if (OnChange)
        OnChange(this);
}

void TDropDownAppearance::Assign(const TPersistent *Source)
{
    if (!Source || typeid(*Source) != typeid(*this))
        return;
    const auto *src = static_cast<const TDropDownAppearance *>(Source);
    AssignColors(src);
    FCaption = src->FCaption;
    FImageIndex = src->FImageIndex;
    FBorderWidth = src->FBorderWidth;
    FHeight = src->FHeight;
    AssignOwn(src);
    SetVisible(src->FVisible);
    FButtonAlignment = src->FButtonAlignment;
    FButtonCollection.Assign(&src->FButtonCollection);
}

void TDropDownAppearance::AssignColors(const TPersistent *Source)
{
    if (!Source || typeid(*Source) != typeid(*this))
        return;
    const auto *src = static_cast<const TDropDownAppearance *>(Source);
    FColorTo = src->FColorTo;
    FColor = src->FColor;
    FBorderColor = src->FBorderColor;
    FFont.Assign(&src->FFont);
    FGradientDirection = src->FGradientDirection;
}

THeaderAppearance::THeaderAppearance(TPersistent *AOwner)
    : TDropDownAppearance(AOwner, FButtons), FButtons(AOwner)
{
    ButtonsCreated();
    Font().SetName(QStringLiteral("Tahoma"));
}

TFooterAppearance::TFooterAppearance(TPersistent *AOwner)
    : TDropDownAppearance(AOwner, FButtons), FButtons(AOwner)
{
    ButtonsCreated();
}

void TFooterAppearance::AssignOwn(const TDropDownAppearance *Source)
{
    FSizeGrip = static_cast<const TFooterAppearance *>(Source)->FSizeGrip;
}
