#include "grid/string/controllook.h"

#include "grid/string/dazstringgrid.h"

// --- TControlLook ------------------------------------------------------------------------

TControlLook::TControlLook(TDazStringGrid *AOwner)
    : FOwner(AOwner), FDropDownHeader(this), FDropDownFooter(this)
{
}

void TControlLook::RepaintGrid()
{
    if (FOwner)
        FOwner->Invalidate();
}

void TControlLook::SetGradient(TColor &Field, TColor Value, bool Always,
                               const std::function<void(TColor)> &Pass)
{
    Field = Value;
    if (FOwner && (Always || Value != clNone))
        Pass(Value);
}

void TControlLook::SetFixedGradientFrom(TColor Value)
{
    SetGradient(FFixedGradientFrom, Value, false,
                [this](TColor c) { FOwner->SetQVRGradientFrom(c); });
}

void TControlLook::SetFixedGradientTo(TColor Value)
{
    SetGradient(FFixedGradientTo, Value, false, [this](TColor c) { FOwner->SetQVRGradientTo(c); });
}

void TControlLook::SetFixedGradientMirrorFrom(TColor Value)
{
    SetGradient(FFixedGradientMirrorFrom, Value, true,
                [this](TColor c) { FOwner->SetQVRGradientMirrorFrom(c); });
}

void TControlLook::SetFixedGradientMirrorTo(TColor Value)
{
    SetGradient(FFixedGradientMirrorTo, Value, true,
                [this](TColor c) { FOwner->SetQVRGradientMirrorTo(c); });
}

// The hover and down colours reach the grid's fixed-cell look without a repaint.
#define CF_FIXED_LOOK_SETTER(Name, Field, Always)                                            \
    void TControlLook::SetFixedGradient##Name(TColor Value)                                 \
    {                                                                                       \
        SetGradient(FFixedGradient##Name, Value, Always,                                    \
                    [this](TColor c) { FOwner->QVRFixedLook().Field = c; });                \
    }
CF_FIXED_LOOK_SETTER(HoverFrom, HoverFrom, false)
CF_FIXED_LOOK_SETTER(HoverTo, HoverTo, false)
CF_FIXED_LOOK_SETTER(HoverMirrorFrom, HoverMirrorFrom, true)
CF_FIXED_LOOK_SETTER(HoverMirrorTo, HoverMirrorTo, true)
CF_FIXED_LOOK_SETTER(HoverBorder, HoverBorder, false)
CF_FIXED_LOOK_SETTER(DownFrom, DownFrom, false)
CF_FIXED_LOOK_SETTER(DownTo, DownTo, false)
CF_FIXED_LOOK_SETTER(DownMirrorFrom, DownMirrorFrom, true)
CF_FIXED_LOOK_SETTER(DownMirrorTo, DownMirrorTo, true)
CF_FIXED_LOOK_SETTER(DownBorder, DownBorder, false)
#undef CF_FIXED_LOOK_SETTER

void TControlLook::Init()
{
    FColor = clBlack;
    FCommentColor = clRed;
    FProgressBorderColor = clGray;
    FFixedGradientFrom = clNone;
    FFixedGradientTo = clNone;
    FFixedGradientMirrorFrom = clNone;
    FFixedGradientMirrorTo = clNone;
    FFixedGradientHoverFrom = clGray;
    FFixedGradientHoverTo = clWhite;
    SetFixedGradientHoverMirrorFrom(clNone);
    SetFixedGradientHoverMirrorTo(clNone);
    FFixedGradientHoverBorder = clSilver;
    FFixedGradientDownFrom = clGray;
    FFixedGradientDownTo = clSilver;
    SetFixedGradientDownMirrorFrom(clNone);
    SetFixedGradientDownMirrorTo(clNone);
    FFixedGradientDownBorder = clGray;
}

void TControlLook::Assign(const TPersistent *Source)
{
    const auto *src = dynamic_cast<const TControlLook *>(Source);
    if (!src)
        return;
    FCheckSize = src->FCheckSize;
    FRadioSize = src->FRadioSize;
    FControlStyle = src->FControlStyle;
    FCheckedGlyph.Assign(&src->FCheckedGlyph);
    FUnCheckedGlyph.Assign(&src->FUnCheckedGlyph);
    FRadioOnGlyph.Assign(&src->FRadioOnGlyph);
    FRadioOffGlyph.Assign(&src->FRadioOffGlyph);
    FProgressMarginX = src->FProgressMarginX;
    FProgressMarginY = src->FProgressMarginY;
    FCommentColor = src->FCommentColor;
    FColor = src->FColor;
    FProgressBorderColor = src->FProgressBorderColor;
    FCheckAlwaysActive = src->FCheckAlwaysActive;
    FRadioAlwaysActive = src->FRadioAlwaysActive;
    FFixedGradientFrom = src->FFixedGradientFrom;
    FFixedGradientTo = src->FFixedGradientTo;
    FFixedGradientMirrorFrom = src->FFixedGradientMirrorFrom;
    FFixedGradientMirrorTo = src->FFixedGradientMirrorTo;
    FFixedGradientHoverFrom = src->FFixedGradientHoverFrom;
    FFixedGradientHoverTo = src->FFixedGradientHoverTo;
    FFixedGradientHoverMirrorFrom = src->FFixedGradientHoverMirrorFrom;
    FFixedGradientHoverMirrorTo = src->FFixedGradientHoverMirrorTo;
    FFixedGradientHoverBorder = src->FFixedGradientHoverBorder;
    FFixedGradientDownFrom = src->FFixedGradientDownFrom;
    FFixedGradientDownTo = src->FFixedGradientDownTo;
    FFixedGradientDownMirrorFrom = src->FFixedGradientDownMirrorFrom;
    FFixedGradientDownMirrorTo = src->FFixedGradientDownMirrorTo;
    FFixedGradientDownBorder = src->FFixedGradientDownBorder;
    FDropDownAlwaysVisible = src->FDropDownAlwaysVisible;
    FSpinButtonsAlwaysVisible = src->FSpinButtonsAlwaysVisible;
    FDropDownCount = src->FDropDownCount;
    FDropDownFooter.Assign(&src->FDropDownFooter);
    FDropDownHeader.Assign(&src->FDropDownHeader);
    FHintMaxWidth = src->FHintMaxWidth;
}

// --- TFloatingFooter ---------------------------------------------------------------------

void TFloatingFooter::ApplyToGrid()
{
    if (!FOwner)
        return;
    const bool lastRow = FVisible && FFooterStyle == fsFixedLastRow;
    FOwner->SetHideLastRow(lastRow);
    FOwner->UpdateFooterPanel();
    FOwner->Invalidate();
}

void TFloatingFooter::RepaintPanel()
{
    if (FOwner)
        FOwner->UpdateFooter();
}

void TFloatingFooter::SetColor(TColor Value)
{
    FColor = Value;
    RepaintPanel();
}

void TFloatingFooter::SetColumn(int Value)
{
    FColumn = Value;
    RepaintPanel();
}

void TFloatingFooter::SetCustomTemplate(const QString &Value)
{
    FCustomTemplate = Value;
    RepaintPanel();
}

void TFloatingFooter::SetBorderColor(TColor Value)
{
    if (Value == FBorderColor)
        return;
    FBorderColor = Value;
    RepaintPanel();
}

void TFloatingFooter::SetHeight(int Value)
{
    FHeight = Value;
    if (Value <= 0)
        return;
    FPanelHeight = Value - 1;
    if (FOwner)
        FOwner->UpdateFooterPanel();
}

void TFloatingFooter::SetVisible(bool Value)
{
    FVisible = Value;
    if (FOwner)
        FOwner->SetFixedFooters(Value && FFooterStyle == fsFixedLastRow ? 1 : 0);
    ApplyToGrid();
}

void TFloatingFooter::SetFooterStyle(TFooterStyle Value)
{
    FFooterStyle = Value;
    ApplyToGrid();
}

TColumnCalcType TFloatingFooter::ColumnCalc(int ACol) const
{
    if (!FOwner)
        return acNONE;
    const int last = FOwner->RowCount() - 1;
    return FOwner->HasCellProperties(ACol, last) ? FOwner->GetCellProperties(ACol, last)->CalcType()
                                                 : acNONE;
}

void TFloatingFooter::SetColumnCalc(int ACol, TColumnCalcType Value)
{
    if (!FOwner)
        return;
    FOwner->GetCellProperties(ACol, FOwner->RowCount() - 1)->SetCalcType(Value);
    FOwner->CalcFooter(ACol);
}

void TFloatingFooter::Assign(const TPersistent *Source)
{
    const auto *src = dynamic_cast<const TFloatingFooter *>(Source);
    if (!src)
        return;
    FCalculateHiddenRows = src->FCalculateHiddenRows;
    FColor = src->FColor;
    FColumn = src->FColumn;
    FCustomTemplate = src->FCustomTemplate;
    FFooterStyle = src->FFooterStyle;
    SetVisible(src->FVisible);
    FShowHint = src->FShowHint;
}
