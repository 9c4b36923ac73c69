// The drop-down edit's colour styles, selection looks and colour tones.
#include "controls/dropdown/dropdownbutton.h"
#include "controls/dropdown/dropdownedit.h"
#include "grid/base/drawroutines.h"

namespace {

// A table value that leaves the setting as it was.
constexpr TColor kKeep = 0x7FFFFFFF;

struct TPanelStyle
{
    TQVRStyle Style;
    TColor DropDown, DropDownTo, DropDownBorder, Panel, PanelTo, Font, HeaderBorder, FooterBorder;
};

const TPanelStyle kPanelStyles[] = {
    {tsOffice2003Blue, 0xFFFFFF, clNone, kKeep, 0xFCE1CB, 0xE0A57D, 0x000000, 0x000000, 0x962D00},
    {tsOffice2003Silver, 0xFFFFFF, clNone, kKeep, 0xECE2E1, 0xB39698, 0x000000, 0x947C7C, 0x947C7C},
    {tsOffice2003Olive, 0xFFFFFF, clNone, clNone, 0xCFF0EA, 0x8CC0B1, 0x000000, 0x588060, 0x588060},
    {tsOffice2003Classic, 0xF2F2F2, 0xF2F2F2, clNone, 0x808080, 0x808080, 0xFFFFFF, 0x808080, 0x808080},
    {tsOffice2007Luna, 0xF3E5DA, 0xF0DED0, clNone, 0xFFEFE3, 0xFFD2AF, 0x723708, 0xFFD2AF, 0xFFD2AF},
    {tsOffice2007Obsidian, 0xFFFFFF, clNone, clNone, 0xF2F1F0, 0xC9C2BD, 0x433C37, 0x5C534C, 0x5C534C},
    {tsWindowsXP, 0xFFFFFF, clNone, kKeep, 0xFFFFFF, clBtnFace, 0x000000, 0x808080, 0x808080},
    {tsWhidbey, 0xF5F9FA, 0xF5F9FA, clNone, 0xEBEEEF, 0x7E9898, 0xFFFFFF, 0x962D00, 0x962D00},
    {tsOffice2007Silver, 0xF8F4F1, 0xF0E8E3, clNone, 0xF8F7F6, 0xE8E0DB, 0x8B4215, 0x74706F, 0x74706F},
    {tsWindowsVista, 0xFFFFFF, 0xFFFFFF, 0x979797, 0xFFFDF9, 0xFFFAF0, 0x000000, 0xFCF2DA, 0xFCF2DA},
    {tsWindows7, 0xFFFFFF, 0xFFFFFF, 0x979797, 0xFDFBFA, 0xFDF3EB, 0x000000, 0xFBD6B8, 0xFBD6B8},
    {tsTerminal, 0xFFFFFF, 0xFFFFFF, 0x808080, clBtnFace, clBtnFace, 0x000000, clNone, clNone},
    {tsOffice2010Blue, 0xFFFFFF, 0xF1EFED, 0xEDEDEC, 0xFDF6EF, 0xF0DAC7, 0x5B391E, 0xC7B29F, 0xC7B29F},
    {tsOffice2010Silver, 0xFFFFFF, 0xF1EFED, 0xEDEDEC, 0xFFFFFF, 0xEDE5E0, 0x5B391E, 0xD2CDC8, 0xD2CDC8},
    {tsOffice2010Black, 0xFFFFFF, 0xF1EFED, 0xEDEDEC, 0xBFBFBF, 0x919191, 0xD7D7D6, 0x6D6D6D, 0x6D6D6D},
};

// The push-button colours: face, then hot, down, disabled and checked.
struct TButtonStyleColors
{
    TQVRStyle Style;
    TColor Color, ColorTo, Border;
    TColor Hot, HotTo, HotBorder;
    TColor Down, DownTo, DownBorder;
    TColor Disabled, DisabledTo;
    TColor Checked, CheckedTo, CheckedBorder;
};

// The office set and the 2010 set the styles share for everything but the face.
#define CF_OFFICE 0xEBFDFF, 0xACECFF, 0x99CEDB, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0xF2F2F2, 0xB6B6B6, \
                  0x76AFF1, 0x4190F3, 0x45667B
#define CF_OFFICE2010 0x8AE3FD, clNone, 0x58CAF1, 0x6CD0FF, clNone, 0x308AC2, 0xF2F2F2, 0xB6B6B6, \
                      0x45E1FE, clNone, 0x4FA0CE

const TButtonStyleColors kButtonStyles[] = {
    {tsOffice2003Blue, 0xFCE1CB, 0xE0A57D, clNone, CF_OFFICE},
    {tsOffice2003Silver, 0xECE2E1, 0xB39698, clNone, CF_OFFICE},
    {tsOffice2003Olive, 0xCFF0EA, 0x8CC0B1, clNone, CF_OFFICE},
    {tsOffice2007Luna, 0xFFEFE3, 0xFFDDC4, clNone, CF_OFFICE},
    {tsOffice2007Obsidian, 0xF2F1F0, 0xC9C2BD, clNone, CF_OFFICE},
    {tsWhidbey, 0xFFFFFF, 0xDFEDF0, clNone, CF_OFFICE},
    {tsOffice2007Silver, 0xF9F8F8, 0xE4E2DF, clNone, CF_OFFICE},
    {tsOffice2010Blue, 0xFDF6EF, 0xF0DAC7, 0xC7B29F, CF_OFFICE2010},
    {tsOffice2010Silver, 0xFFFFFF, 0xEDE5E0, 0xD2CDC8, CF_OFFICE2010},
    {tsOffice2010Black, 0xBFBFBF, 0x919191, 0xD7D7D6, CF_OFFICE2010},
    {tsOffice2003Classic, 0xFFFFFF, 0xC9D1D5, clNone, 0xD2BDB6, 0xD2BDB6, 0x808080, 0xB59285,
     0xB59285, 0x808080, 0xD8D5D4, 0xD8D5D4, 0xD8D5D4, 0xD8D5D4, 0x808080},
    {tsWindowsXP, 0xFFFFFF, clBtnFace, clNone, 0xEFD3C6, 0xEFD3C6, clHighlight, clActiveCaption,
     clActiveCaption, clHighlight, 0xB6B6B6, 0xB6B6B6, 0xB9D8DC, 0xB9D8DC, 0x000000},
    {tsWindowsVista, 0xFFFDF9, 0xFFFAF0, 0xFCF2DA, 0xFEF9F0, 0xFFFAF0, 0xFCF2DA, 0xFEF9F0,
     0xFDF0D7, 0xFEDF9A, 0xFFFFFF, 0xFFFFFF, 0xFEF9F0, 0xFDF0D7, 0xFEDF9A},
    {tsWindows7, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFCEBDC, 0xFCDBC1,
     0xCEA27D, 0xFFFFFF, 0xFFFFFF, 0xFEF9F0, 0xFCDBC1, 0xCEA27D},
    {tsTerminal, clBtnFace, clBtnFace, clNone, 0xC0C0C0, 0xC0C0C0, 0x808080, clHighlight,
     clHighlight, 0x808080, clBtnFace, clBtnFace, clBtnFace, clBtnFace, clHighlight},
};
#undef CF_OFFICE
#undef CF_OFFICE2010

// Hot and selected item looks; the mirror colours of hot and selected in one pair each.
struct TItemStyle
{
    TColor Hot, HotTo, MirrorHot, MirrorHotTo, Selected, SelectedTo, MirrorSelected,
        MirrorSelectedTo, Border, SelectedText, BorderTop, BorderBottom, Edge;
};

#define CF_ITEM_OFFICE 0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, \
                       0x7AE1FE, 0x42AEFE, 0x000000
#define CF_ITEM_OFFICE2010 0xD9F9FD, 0x8AE3FD, 0x8AE3FD, 0xD9F9FD, 0x7BEEFF, 0x6CD0FF, 0x6CD0FF, \
                           0x7BEEFF, 0x308AC2, 0x000000, clNone, clNone, clNone

const std::pair<TQVRStyle, TItemStyle> kItemStyles[] = {
    {tsOffice2003Blue, {CF_ITEM_OFFICE, clNone, clNone, clNone}},
    {tsOffice2003Silver, {CF_ITEM_OFFICE, clNone, clNone, clNone}},
    {tsOffice2003Olive, {CF_ITEM_OFFICE, clNone, clNone, clNone}},
    {tsWhidbey, {CF_ITEM_OFFICE, clNone, clNone, clNone}},
    {tsOffice2007Luna, {CF_ITEM_OFFICE, 0xF4FEFF, 0xCAF8FF, 0xC3D9DF}},
    {tsOffice2007Obsidian, {CF_ITEM_OFFICE, 0xF4FEFF, 0xCAF8FF, 0xC3D9DF}},
    {tsOffice2007Silver, {CF_ITEM_OFFICE, 0xF4FEFF, 0xCAF8FF, 0xC3D9DF}},
    {tsOffice2003Classic, {0xD2BDB6, 0xD2BDB6, clNone, clNone, 0xB59285, 0xB59285, clNone, clNone,
                           0x808080, 0x000000, clNone, clNone, clNone}},
    {tsWindowsXP, {0xEFD3C6, 0xEFD3C6, clNone, clNone, clHighlight, clNone, clNone, clNone,
                   clHighlight, clHighlightText, clNone, clNone, clNone}},
    {tsWindowsVista, {0xFFFDF9, 0xFFFAF0, clNone, clNone, 0xFEF9F0, 0xFDF0D7, clNone, clNone,
                      0xFEDF9A, 0x000000, 0xFDFBF6, 0xFDF5E7, 0xFCEDCB}},
    {tsWindows7, {0xFDFBFA, 0xFDF3EB, clNone, clNone, 0xFCEBDC, 0xFCDBC1, clNone, clNone,
                  0xCEA27D, 0x000000, 0xFDF4EB, 0xFDEADB, 0xE0C5AE}},
    {tsTerminal, {0xC0C0C0, 0xC0C0C0, clNone, clNone, clHighlight, clNone, clNone, clNone,
                  0x808080, clHighlightText, clNone, clNone, clNone}},
    {tsOffice2010Blue, {CF_ITEM_OFFICE2010}},
    {tsOffice2010Silver, {CF_ITEM_OFFICE2010}},
    {tsOffice2010Black, {CF_ITEM_OFFICE2010}},
};
#undef CF_ITEM_OFFICE
#undef CF_ITEM_OFFICE2010

void SetIfGiven(TColor &Field, TColor Value)
{
    if (Value != kKeep)
        Field = Value;
}

}   // namespace

void TDazCustomDropDown::SetComponentStyle(TQVRStyle Value)
{
    FQVRStyle = Value;
    for (const TPanelStyle &s : kPanelStyles) {
        if (s.Style != Value)
            continue;
        DropDownColor = s.DropDown;
        DropDownColorTo = s.DropDownTo;
        SetIfGiven(DropDownBorderColor, s.DropDownBorder);
        THeaderAppearance &h = *FDropDownHeader;
        TFooterAppearance &f = *FDropDownFooter;
        h.SetColor(s.Panel);
        h.SetColorTo(s.PanelTo);
        h.Font().SetColor(s.Font);
        h.SetBorderColor(s.HeaderBorder);
        const bool vista = Value == tsWindowsVista;
        f.SetColor(vista ? TColor(0xFFFAF0) : s.Panel);
        f.SetColorTo(vista ? TColor(0xFFFDF9) : s.PanelTo);
        f.Font().SetColor(s.Font);
        f.SetBorderColor(s.FooterBorder);
    }
    for (const TButtonStyleColors &s : kButtonStyles) {
        if (s.Style != Value)
            continue;
        TDazButtonAppearance &a = FButtonAppearance;
        a.SetColor(s.Color);
        a.SetColorTo(s.ColorTo);
        a.SetBorderColor(s.Border);
        a.SetColorHot(s.Hot);
        a.SetColorHotTo(s.HotTo);
        a.SetBorderColorHot(s.HotBorder);
        a.SetColorDown(s.Down);
        a.SetColorDownTo(s.DownTo);
        a.SetBorderColorDown(s.DownBorder);
        a.SetColorDisabled(s.Disabled);
        a.SetColorDisabledTo(s.DisabledTo);
        a.SetColorChecked(s.Checked);
        a.SetColorCheckedTo(s.CheckedTo);
        a.SetBorderColorChecked(s.CheckedBorder);
    }
}

void TDazCustomDropDown::SetSelectionColorStyle(TSelectionColorStyle Value)
{
    FSelectionColorStyle = Value;
    switch (Value) {
    case scOffice2007:
        SelectionColor = 0xD7FFFD, SelectionColorTo = 0x58D4FC;
        break;
    case scWindowsVista:
        SelectionColor = 0xFDF8F1, SelectionColorTo = 0xFCEFD5;
        break;
    case scWindows7:
        SelectionColor = 0xFCEBDC, SelectionColorTo = 0xFCDBC1;
        break;
    case scCustom:
        break;
    }
}

void TDazCustomDropDown::DrawSelection(TCanvas &Canvas, const TRect &R, TColor Background,
                                       int CornerMode)
{
    struct TLook
    {
        TColor Mirror, MirrorTo, Top, Bottom, Edge, Corner;
    };
    TLook look;
    switch (FSelectionColorStyle) {
    case scCustom:
        Canvas.Pen.Color = SelectionColor;
        Canvas.Brush.Color = SelectionColor;
        Canvas.Brush.Style = bsSolid;
        Canvas.FillRect(R);
        return;
    case scOffice2007:
        look = {0x58D4FC, 0xB3F1FC, 0xF4FEFF, 0xCAF8FF, 0x8DD7D3, 0xC3D9DF};
        break;
    case scWindowsVista:
        look = {clNone, clNone, 0xFDFBF6, 0xFDF5E7, 0xFDDE99, 0xFCEDCB};
        break;
    case scWindows7:
        look = {clNone, clNone, 0xFDF4EB, 0xFDEADB, 0xCEA27D, 0xE0C5AE};
        break;
    default:
        return;
    }
    DrawRoundedButtonFace(Canvas, SelectionColor, SelectionColorTo, look.Mirror, look.MirrorTo,
                          look.Top, look.Bottom, look.Edge, look.Corner, Background, R,
                          CornerMode);
}

void TDazCustomDropDown::DrawGradient(TCanvas &Canvas, TColor FromColor, TColor ToColor,
                                      int Steps, const TRect &R, TGradientDirection Direction)
{
    DrawDropDownGradient(Canvas, FromColor, ToColor, Steps, R, Direction == gdHorizontal);
}

void TDazCustomDropDown::SetColorTones(const TColorTones &Tones)
{
    if (FButton) {
        FButton->ButtonColor = Tones.Background.BrushColor;
        FButton->ButtonColorHot = Tones.Hover.BrushColor;
        FButton->ButtonColorDown = Tones.Selected.BrushColor;
        FButton->ButtonBorderColor = Tones.Background.BorderColor;
    }
    SetBorderColor(Tones.Background.BorderColor);
}

void TDazCustomDropDown::SetBorderColor(TColor Value)
{
    if (Value == BorderColor)
        return;
    BorderColor = Value;
    update();
    if (FButton)
        FButton->Button()->update();
}

void TDazCustomDropDown::ApplyItemAppearanceStyle(TItemAppearanceColors *Appearance,
                                                  TQVRStyle Style)
{
    if (!Appearance || Style == tsCustom)
        return;
    TItemAppearanceColors &a = *Appearance;
    a.BorderColorHot = a.BorderColorSelected = clNone;
    a.ColorSelectedText = a.ColorHotText = 0;
    for (const auto &[style, s] : kItemStyles) {
        if (style != Style)
            continue;
        a.ColorHot = s.Hot, a.ColorHotTo = s.HotTo;
        a.ColorMirrorHot = s.MirrorHot, a.ColorMirrorHotTo = s.MirrorHotTo;
        a.ColorSelected = s.Selected, a.ColorSelectedTo = s.SelectedTo;
        a.ColorMirrorSelected = s.MirrorSelected, a.ColorMirrorSelectedTo = s.MirrorSelectedTo;
        a.BorderColor = s.Border;
        a.ColorSelectedText = s.SelectedText;
        a.BorderColorTop = s.BorderTop, a.BorderColorBottom = s.BorderBottom, a.EdgeColor = s.Edge;
    }
}
