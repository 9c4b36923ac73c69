// TDazStringGrid: recolouring in one call. Look presets, the grid's colour presets
// (TDazGridStyle), the suite's component styles, flat colour tones, XP colour schemes and
// the desktop's office theme. Everything here only assigns colours, looks and glyphs.
#include "grid/string/dazstringgrid.h"

#include "grid/string/editbtn.h"
#include "grid/string/griddatepicker.h"
#include "grid/string/griddropdown.h"
#include "grid/string/gridcombo.h"
#include "grid/string/grideditbtn.h"
#include "grid/string/gridspinedit.h"
#include "grid/string/footerpanel.h"
#include "grid/base/drawroutines.h"
#include "grid/base/styledetect.h"

#include <array>

namespace {

// A value the preset leaves as it is.
constexpr TColor Keep = 0xFEFEFEFE;

struct TStylePreset
{
    int Look;                          // TGridLook, -1: unchanged
    std::array<TColor, 4> Gradient;    // QVRGradient From, To, MirrorFrom, MirrorTo
    std::array<TColor, 5> Hover;       // From, To, MirrorFrom, MirrorTo, Border
    std::array<TColor, 5> Down;
    std::array<TColor, 4> SortHeader;  // Color, ColorTo, MirrorColor, MirrorColorTo
    std::array<TColor, 2> ActiveCell;  // Color, ColorTo
    std::array<TColor, 3> Selection;   // Color, ColorTo, TextColor
    int SelectionStyle;                // TGridSelectionStyle, -1: unchanged
    std::array<TColor, 2> Lines;       // GridLineColor, GridFixedLineColor
};

constexpr std::array<TColor, 5> KeepFive{Keep, Keep, Keep, Keep, Keep};
constexpr std::array<TColor, 4> KeepFour{Keep, Keep, Keep, Keep};
constexpr std::array<TColor, 3> KeepSelection{Keep, Keep, Keep};
constexpr std::array<TColor, 2> XPLines{0xC0C0C0, 0x808080};
constexpr std::array<TColor, 5> Office2010Hover{0x6BDFFF, 0xAFEFFF, 0xAFEFFF, 0xE6FCFF, 0x3ABFE8};
constexpr std::array<TColor, 5> Office2010Down{0x5BD5FF, 0x64E0FF, 0x64E0FF, 0x71EFFF, 0x308AC2};
constexpr std::array<TColor, 4> VistaSort{0xFCF9F2, 0xFCF9F2, 0xF9F1E1, 0xF6ECD8};

// In the order of TDazGridStyle.
const TStylePreset Presets[] = {
    // gsOffice2003Blue
    {glXP, {0xFCE1CB, 0xE0A57D, clNone, clNone}, KeepFive, KeepFive, KeepFour,
     {0x94E6FB, 0x1595EE}, {0x94E6FB, 0x1595EE, 0x000000}, -1, XPLines},
    // gsOffice2003Silver
    {glXP, {0xECE2E1, 0xB39698, clNone, clNone}, KeepFive, KeepFive, KeepFour,
     {0x94E6FB, 0x1595EE}, {0x94E6FB, 0x1595EE, 0x000000}, -1, XPLines},
    // gsOffice2003Olive
    {glXP, {0xCFF0EA, 0x8CC0B1, clNone, clNone}, KeepFive, KeepFive, KeepFour,
     {0x94E6FB, 0x1595EE}, {0x94E6FB, 0x1595EE, 0x000000}, -1, XPLines},
    // gsOffice2003Classic
    {glXP, {0xFFFFFF, 0xCCD4D8, clNone, clNone}, KeepFive, KeepFive, KeepFour,
     {0xD8D5D4, 0xD8D5D4}, KeepSelection, -1, XPLines},
    // gsOffice2007Luna
    {glOffice2007, {0xFBF9F6, 0xE8DBD2, clNone, clNone},
     {0xE4E2DF, 0xDBD3CD, 0xDBD3CD, 0xD2C5BC, 0xB79F87},
     {0xE4C19D, 0xE4C19D, 0xE4C19D, 0xE4C19D, 0xE4C19D}, KeepFour, {0x9DD8F9, 0x5EC1F1},
     {0x5EC1F1, clNone, 0x000000}, ssOffice2007, {0xF1EDEB, 0xD1BBA4}},
    // gsOffice2007Obsidian
    {glOffice2007, {0xF7F7F7, 0xDEDEDE, clNone, clNone}, KeepFive, KeepFive, KeepFour,
     {0x9DD8F9, 0x5EC1F1}, {0x5EC1F1, clNone, 0x000000}, -1, {0xE5D7D0, 0x808080}},
    // gsWindowsXP
    {glXP, {clBtnFace, clBtnFace, clNone, clNone}, KeepFive, KeepFive, KeepFour,
     {clBtnFace, clBtnFace}, KeepSelection, -1, XPLines},
    // gsWhidbey
    {-1, {0xFFFFFF, clBtnFace, clNone, clNone}, KeepFive, KeepFive, KeepFour,
     {0x94E6FB, 0x1595EE}, KeepSelection, -1, XPLines},
    // gsCustom
    {-1, KeepFour, KeepFive, KeepFive, KeepFour, {Keep, Keep}, KeepSelection, -1, {Keep, Keep}},
    // gsOffice2007Silver
    {glOffice2007, {0xF3F3F1, 0xCAC9C8, Keep, Keep}, KeepFive, KeepFive, KeepFour,
     {0x99CCFF, 0x699CFF}, {0x95C7F5, clNone, 0x000000}, -1, {0xE5D7D0, 0x808080}},
    // gsWindowsVista
    {glVista, {0xFFFFFF, 0xFFFFFF, 0xFAF8F7, 0xF4F2F1},
     {0xFFF7E3, 0xFFF7E3, 0xFFEDBD, 0xFBE7B7, 0xE3C993},
     {0xF9E4BC, 0xF9E4BC, 0xF7D68D, 0xF5D18A, 0xAE904F}, VistaSort, {0xFDF8F1, 0xFCEFD5},
     {0xEACAB6, clNone, 0x000000}, ssVista, {0xECECF0, 0xD4D2D1}},
    // gsWindows7
    {glWin7, {0xFDFCFA, 0xFAF0E6, 0xF4E6DC, 0xF7E9DD},
     {0xFEFBF8, 0xFAF2ED, 0xF4E4D7, 0xE8D2C1, 0xEEE8E3},
     {0xF1E8DD, 0xF1E4D8, 0xECDBCF, 0xEDDCCF, 0xD5BCAA}, VistaSort, {0xFCEBDC, 0xFCDBC1},
     {0xEACAB6, clNone, 0x000000}, ssWin7, {0xECECF0, 0xD4D2D1}},
    // gsTerminal
    {glStandard, KeepFour, KeepFive, KeepFive, KeepFour, {Keep, Keep}, KeepSelection, -1,
     {Keep, Keep}},
    // gsOffice2010Blue
    {glOffice2007, {0xF5E7DA, 0xF5E7DA, 0xF5E7DA, 0xF5E7DA}, Office2010Hover, Office2010Down,
     {0xD6CEC7, 0xD6CEC7, 0xD6CEC7, 0xD6CEC7}, {0x5BD5FF, 0x71EFFF},
     {0xFFDBB7, clNone, 0x000000}, ssDefault, {0xC0C0C0, 0xC7B0A0}},
    // gsOffice2010Silver
    {glOffice2007, {0xE8E3DF, 0xE8E3DF, 0xE8E3DF, 0xE8E3DF}, Office2010Hover, Office2010Down,
     {0xAAAAAA, 0xAAAAAA, 0xAAAAAA, 0xAAAAAA}, {0x5BD5FF, 0x71EFFF},
     {0xFFDBB7, clNone, 0x000000}, ssDefault, {0xC0C0C0, 0xBAB5B1}},
    // gsOffice2010Black
    {glOffice2007, {0x6A6A6A, 0x6A6A6A, 0x6A6A6A, 0x6A6A6A}, Office2010Hover, Office2010Down,
     {0xBABABA, 0xBABABA, 0xBABABA, 0xBABABA}, {0x5BD5FF, 0x71EFFF},
     {0xFFDBB7, clNone, 0x000000}, ssDefault, {0xC0C0C0, 0x444444}},
};

template <class F>
void Apply(TColor Value, F Set)
{
    if (Value != Keep)
        Set(Value);
}

}   // namespace

// ---------------------------------------------------------------------------------------
// Look presets
// ---------------------------------------------------------------------------------------

void TDazStringGrid::SetLook(TGridLook Value)
{
    if (FLook == Value)
        return;
    FLook = Value;
    ApplyLookPreset(Value);
}

void TDazStringGrid::ApplyLookPreset(TGridLook Value)
{
    TControlLook &cl = FControlLook;
    if (Value != glCustom) {
        cl.SetFixedGradientMirrorFrom(clNone);
        cl.SetFixedGradientMirrorTo(clNone);
        cl.SetFixedGradientFrom(clNone);
        cl.SetFixedGradientTo(clNone);
        SetQVRGradientFrom(clNone);
        SetQVRGradientTo(clNone);
        SetQVRGradientMirrorFrom(clNone);
        SetQVRGradientMirrorTo(clNone);
        FSortSettings.SetHeaderColor(clNone);
    }
    switch (Value) {
    case glVista:
    case glWin7:
    case glOffice2007: {
        const TDazGridStyle style = Value == glVista  ? gsWindowsVista
                                    : Value == glWin7 ? gsWindows7
                                                      : gsOffice2007Luna;
        SetStyle(style);
        FComponentStyle = TQVRStyle(style);
        SetSelectionStyle(Value == glVista  ? ssVista
                          : Value == glWin7 ? ssWin7
                                            : ssOffice2007);
        break;
    }
    case glStandard:
    case glSoft:
    case glClassic:
    case glQVR:
    case glXP:
    case glListView: {
        ForEachDropDown([](IDropDownEditor &Drop) { Drop.SetComponentStyle(tsWindowsXP); });
        SetSelectionStyle(ssDefault);
        if (FLoading)
            break;
        const bool plain = Value == glStandard || Value == glSoft || Value == glClassic;
        if (plain) {
            SetFixedColor(clBtnFace);
            cl.SetFixedGradientFrom(clBtnFace);
            cl.SetFixedGradientTo(clNone);
        } else {
            cl.SetFixedGradientFrom(clWhite);
            cl.SetFixedGradientTo(clBtnFace);
        }
        SetGridFixedLineColor(clGray);
        cl.SetFixedGradientMirrorFrom(clNone);
        cl.SetFixedGradientMirrorTo(clNone);
        SetQVRGradientMirrorFrom(clNone);
        SetQVRGradientMirrorTo(clNone);
        SetGridLineColor(clSilver);
        if (plain || Value == glListView) {
            SetActiveCellColor(clGray);
            SetActiveCellColorTo(clNone);
            SetSelectionColor(clHighlight);
            SetSelectionTextColor(clHighlightText);
            FSearchFooter.SetColor(clBtnFace);
            FSearchFooter.SetColorTo(clBtnFace);
        } else {
            SetActiveCellColor(0xEACAB6);
            SetActiveCellColorTo(clNone);
            SetSelectionColor(0xEACAB6);
            SetSelectionColorTo(clNone);
            SetSelectionTextColor(clBlack);
            FSearchFooter.SetColor(FQVRGradientFrom);
            FSearchFooter.SetColorTo(FQVRGradientTo);
            cl.SetFixedGradientFrom(clWhite);
            cl.SetFixedGradientTo(Value == glXP ? clBtnFace : clSilver);
            cl.SetFixedGradientHoverFrom(0xCFD0D1);
            cl.SetFixedGradientHoverTo(0xBEC6C8);
            cl.SetFixedGradientHoverMirrorFrom(0xBEC6C8);
            cl.SetFixedGradientHoverMirrorTo(0xABBCBF);
            cl.SetFixedGradientDownFrom(0x868788);
            cl.SetFixedGradientDownTo(0x737C7E);
            cl.SetFixedGradientDownMirrorFrom(0x737C7E);
            cl.SetFixedGradientDownMirrorTo(0x627376);
        }
        break;
    }
    case glCustom:
        break;
    }
    SetScrollType(ssNormal);
    SetBorderStyle(bsSingle);
    SetBorderColor(0xB99D7F);
    Invalidate();
    if (!FLoading)
        UpdateFooterPanel();
}

// ---------------------------------------------------------------------------------------
// Colour presets
// ---------------------------------------------------------------------------------------

void TDazStringGrid::SetStyle(TDazGridStyle AStyle)
{
    SetSelectionColor(clHighlight);
    SetSelectionColorTo(clNone);
    SetSelectionTextColor(clHighlightText);
    SetSelectionStyle(ssDefault);
    FSortSettings.SetHeaderColor(clNone);
    FSortSettings.SetHeaderColorTo(clNone);
    FSortSettings.SetHeaderMirrorColor(clNone);
    FSortSettings.SetHeaderMirrorColorTo(clNone);
    FControlLook.Init();

    if (AStyle < gsOffice2003Blue || AStyle > gsOffice2010Black) {
        Invalidate();
        return;
    }
    const TStylePreset &p = Presets[AStyle];
    TControlLook &cl = FControlLook;
    if (p.Look >= 0)
        SetLook(TGridLook(p.Look));
    Apply(p.Gradient[0], [&](TColor c) { SetQVRGradientFrom(c); });
    Apply(p.Gradient[1], [&](TColor c) { SetQVRGradientTo(c); });
    Apply(p.Gradient[2], [&](TColor c) { SetQVRGradientMirrorFrom(c); });
    Apply(p.Gradient[3], [&](TColor c) { SetQVRGradientMirrorTo(c); });
    Apply(p.Hover[0], [&](TColor c) { cl.SetFixedGradientHoverFrom(c); });
    Apply(p.Hover[1], [&](TColor c) { cl.SetFixedGradientHoverTo(c); });
    Apply(p.Hover[2], [&](TColor c) { cl.SetFixedGradientHoverMirrorFrom(c); });
    Apply(p.Hover[3], [&](TColor c) { cl.SetFixedGradientHoverMirrorTo(c); });
    Apply(p.Hover[4], [&](TColor c) { cl.SetFixedGradientHoverBorder(c); });
    Apply(p.Down[0], [&](TColor c) { cl.SetFixedGradientDownFrom(c); });
    Apply(p.Down[1], [&](TColor c) { cl.SetFixedGradientDownTo(c); });
    Apply(p.Down[2], [&](TColor c) { cl.SetFixedGradientDownMirrorFrom(c); });
    Apply(p.Down[3], [&](TColor c) { cl.SetFixedGradientDownMirrorTo(c); });
    Apply(p.Down[4], [&](TColor c) { cl.SetFixedGradientDownBorder(c); });
    Apply(p.SortHeader[0], [&](TColor c) { FSortSettings.SetHeaderColor(c); });
    Apply(p.SortHeader[1], [&](TColor c) { FSortSettings.SetHeaderColorTo(c); });
    Apply(p.SortHeader[2], [&](TColor c) { FSortSettings.SetHeaderMirrorColor(c); });
    Apply(p.SortHeader[3], [&](TColor c) { FSortSettings.SetHeaderMirrorColorTo(c); });
    Apply(p.ActiveCell[0], [&](TColor c) { SetActiveCellColor(c); });
    Apply(p.ActiveCell[1], [&](TColor c) { SetActiveCellColorTo(c); });
    Apply(p.Selection[0], [&](TColor c) { SetSelectionColor(c); });
    Apply(p.Selection[1], [&](TColor c) { SetSelectionColorTo(c); });
    Apply(p.Selection[2], [&](TColor c) { SetSelectionTextColor(c); });
    if (p.SelectionStyle >= 0)
        SetSelectionStyle(TGridSelectionStyle(p.SelectionStyle));
    Apply(p.Lines[0], [&](TColor c) { SetGridLineColor(c); });
    Apply(p.Lines[1], [&](TColor c) { SetGridFixedLineColor(c); });

    // The control look's fixed gradient mirrors the grid's for the office colour presets.
    switch (AStyle) {
    case gsOffice2003Blue:
    case gsOffice2003Silver:
    case gsOffice2003Olive:
    case gsOffice2007Luna:
    case gsOffice2007Obsidian:
    case gsOffice2007Silver:
        cl.SetFixedGradientFrom(FQVRGradientFrom);
        cl.SetFixedGradientTo(FQVRGradientTo);
        break;
    default:
        cl.SetFixedGradientFrom(clNone);
        cl.SetFixedGradientTo(clNone);
        break;
    }
    switch (AStyle) {
    case gsWindowsVista:
    case gsWindows7:
    case gsOffice2010Blue:
    case gsOffice2010Silver:
    case gsOffice2010Black:
        cl.SetFixedGradientMirrorFrom(FQVRGradientMirrorFrom);
        cl.SetFixedGradientMirrorTo(FQVRGradientMirrorTo);
        break;
    default:
        break;
    }
    if (AStyle != gsTerminal && AStyle != gsCustom) {
        FSearchFooter.SetColor(FQVRGradientFrom);
        FSearchFooter.SetColorTo(FQVRGradientMirrorTo);
    }
    Invalidate();
}

void TDazStringGrid::SetComponentStyle(TQVRStyle AStyle)
{
    FComponentStyle = AStyle;
    SetStyle(TDazGridStyle(AStyle));
    ForEachDropDown([AStyle](IDropDownEditor &Drop) { Drop.SetComponentStyle(AStyle); });
    if (AStyle != tsCustom && ScrollType() == ssMetro)
        SetScrollType(ssNormal);
}

void TDazStringGrid::SetColorTones(const TColorTones &ATones)
{
    FTones = ATones;
    SetLook(glClassic);
    SetFlat(true);
    SetScrollType(ssMetro);

    const QString uiFont = GetDefaultUIFontName();
    SetFixedColor(ATones.Foreground.BrushColor);
    FFixedFont.SetColor(ATones.Foreground.TextColor);
    FFixedFont.SetName(uiFont);
    SetColor(ATones.Background.BrushColor);
    Font().SetName(uiFont);
    Font().SetColor(ATones.Background.TextColor);

    SetSelectionColor(ATones.Selected.BrushColor);
    SetSelectionTextColor(ATones.Selected.TextColor);
    SetSelectionColorTo(clNone);

    SetGridLineColor(0xE6E6E6);
    SetGridFixedLineColor(ScaleColorPercent(ColorToRGB(ATones.Foreground.BrushColor), -20));
    SetBorderStyle(bsNone);

    FControlLook.SetControlStyle(csGlyph);
    FControlLook.CheckedGlyph().LoadFromFile(QStringLiteral(":/metrocheckon"));
    FControlLook.UnCheckedGlyph().LoadFromFile(QStringLiteral(":/metrocheckoff"));
    FControlLook.RadioOffGlyph().LoadFromFile(QStringLiteral(":/metroradiooff"));
    FControlLook.RadioOnGlyph().LoadFromFile(QStringLiteral(":/metroradioon"));

    // The editor controls' buttons and borders take the tones.
    const auto buttons = [&ATones](TButtonColors &B) {
        B.ButtonColor = ATones.Background.BrushColor;
        B.ButtonColorHot = ATones.Hover.BrushColor;
        B.ButtonColorDown = ATones.Selected.BrushColor;
        B.ButtonBorderColor = ATones.Background.BorderColor;
    };
    buttons(*BtnEdit()->Button());
    buttons(*SpinEdit()->Button());
    TGridCombo *combo = Combobox();
    buttons(*combo);
    combo->SetBorderColor(Color());
    combo->SetFlat(true);
    TGridDatePicker *picker = DateTimePicker();
    buttons(*picker);
    picker->SetBorderColor(ATones.Background.BrushColor);
    picker->SetMetroStyle(true);
    ForEachDropDown([&ATones](IDropDownEditor &Drop) { Drop.SetColorTones(ATones); });

    FControlLook.SetFlatButton(true);
    FFloatingFooter.SetColor(ATones.Foreground.BrushColor);
    FSearchFooter.SetColor(ATones.Foreground.BrushColor);
    FSearchFooter.SetColorTo(ATones.Foreground.BrushColor);
    FCellNode.SetNodeType(cnFlat);
    Invalidate();
}

void TDazStringGrid::SetTheme(TXPColorScheme Scheme)
{
    struct TScheme
    {
        TColor From, To, MirrorFrom, MirrorTo, Active, ActiveTo, Footer, FooterTo;
    };
    static const TScheme schemes[] = {
        // xpNone
        {0xFFFFFF, clBtnFace, clNone, clNone, 0xFFFFFF, 0xFFD9B3, 0xFFFFFF, 0xFFD9B3},
        // xpBlue
        {0xFCE1CB, 0xE0A57D, clNone, clNone, 0x94E6FB, 0x1595EE, 0xFCE1CB, 0xE0A57D},
        // xpGreen
        {0xCFF0EA, 0x8CC0B1, clNone, clNone, 0x94E6FB, 0x1595EE, 0xCFF0EA, 0x8CC0B1},
        // xpGray
        {0xECE2E1, 0xB39698, clNone, clNone, 0x94E6FB, 0x1595EE, 0xECE2E1, 0xB39698},
        // vistaAero
        {0xFFFFFF, 0xFFFFFF, 0xFAF8F7, 0xF4F2F1, 0x94E6FB, 0x1595EE, 0xECE2E1, 0xB39698},
    };
    if (Scheme < xpNone || Scheme > vistaAero)
        return;
    const TScheme &s = schemes[Scheme];
    // Stored without a repaint.
    FQVRGradientFrom = ColorToRGB(s.From);
    FQVRGradientTo = ColorToRGB(s.To);
    FQVRGradientMirrorFrom = s.MirrorFrom;
    FQVRGradientMirrorTo = s.MirrorTo;
    FActiveCellColor = s.Active;
    FActiveCellColorTo = s.ActiveTo;
    FSearchFooter.SetColor(s.Footer);
    FSearchFooter.SetColorTo(s.FooterTo);
    if (Scheme == xpNone) {
        FControlLook.SetFixedGradientFrom(clNone);
        FControlLook.SetFixedGradientTo(clNone);
    } else {
        FControlLook.SetFixedGradientFrom(s.From);
        FControlLook.SetFixedGradientTo(s.To);
    }
}

void TDazStringGrid::ApplyOfficeTheme()
{
    const TOfficeTheme theme = DetectOfficeTheme();
    if (theme == FOfficeTheme)
        return;
    static const TQVRStyle styles[] = {tsOffice2003Blue,   tsOffice2003Silver, tsOffice2003Olive,
                                       tsOffice2003Classic, tsOffice2007Luna,  tsOffice2007Silver,
                                       tsOffice2007Obsidian, tsOffice2010Blue, tsOffice2010Silver,
                                       tsOffice2010Black};
    if (theme >= ot2003Blue && theme <= ot2010Black)
        SetComponentStyle(styles[theme]);
    FOfficeTheme = theme;
}
