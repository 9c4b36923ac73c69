#include "grid/string/dropdownappearance.h"

#include "platform/canvas.h"
#include "platform/rtl.h"

#include <typeinfo>

// --- Gradient ----------------------------------------------------------------------------

namespace {

// clNone and the other non-system values keep their low 24 bits.
TColor GradientRGB(TColor c)
{
    return (IsSystemColor(c) ? ColorToRGB(c) : c) & 0xFFFFFF;
}

}   // namespace

void DrawDropDownGradient(TCanvas &Canvas, TColor FromColor, TColor ToColor, int Steps,
                          const TRect &Rect, bool LeftToRight)
{
    TRect r = Rect;
    if (LeftToRight)
        --r.Right;
    else
        --r.Bottom;
    if (Steps == 0)
        Steps = 1;
    const TColor from = GradientRGB(FromColor), to = GradientRGB(ToColor);
    const int fr = GetRValue(from), fg = GetGValue(from), fb = GetBValue(from);
    const double dr = double(GetRValue(to) - fr) / Steps;
    const double dg = double(GetGValue(to) - fg) / Steps;
    const double db = double(GetBValue(to) - fb) / Steps;
    const double band = double(LeftToRight ? r.Right - r.Left : r.Bottom - r.Top) / Steps;
    const int extent = int(Round(band)) + 1;
    for (int i = 0; i < Steps; ++i) {
        const TColor c = TColor(fr + int(Round(i * dr))) + TColor(fg + int(Round(i * dg))) * 256 +
                         TColor(fb + int(Round(i * db))) * 65536;
        Canvas.Pen.Color = c;
        Canvas.Brush.Color = c;
        const int offset = int(Round(i * band));
        if (LeftToRight)
            Canvas.Rectangle(r.Left + offset, r.Top, r.Left + offset + extent, r.Bottom);
        else
            Canvas.Rectangle(r.Left, r.Top + offset, r.Right, r.Top + offset + extent);
    }
}

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
