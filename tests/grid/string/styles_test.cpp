// Look presets, colour presets, component styles, colour tones and XP schemes.
#include "grid/string/dazstringgrid.h"
#include "grid/string/editbtn.h"
#include "grid/string/gridcombo.h"
#include "grid/string/griddatepicker.h"
#include "grid/string/grideditbtn.h"
#include "grid/string/gridspinedit.h"

#include <gtest/gtest.h>

namespace {

TEST(Looks, ANewLookAppliesItsPresetAndTheSameLookChangesNothing)
{
    TDazStringGrid grid;
    grid.SetScrollType(ssFlat);
    grid.SetLook(glXP);   // already the look
    EXPECT_EQ(grid.ScrollType(), ssFlat);

    grid.SetLook(glStandard);
    EXPECT_EQ(grid.FixedColor(), clBtnFace);
    EXPECT_EQ(grid.SelectionColor(), clHighlight);
    EXPECT_EQ(grid.ActiveCellColor(), clGray);
    EXPECT_EQ(grid.GridLineColor(), clSilver);
    EXPECT_EQ(grid.ScrollType(), ssNormal);

    grid.SetLook(glQVR);
    EXPECT_EQ(grid.SelectionColor(), TColor(0xEACAB6));
    EXPECT_EQ(grid.SelectionTextColor(), clBlack);
    EXPECT_EQ(grid.ControlLook().FixedGradientTo(), clSilver);
    EXPECT_EQ(grid.QVRFixedLook().DownMirrorTo, TColor(0x627376));
    EXPECT_EQ(grid.SearchFooter().Color(), clWhite);

    // The custom look keeps every colour but resets the scroll type and the border.
    grid.SetScrollType(ssFlat);
    grid.SetBorderStyle(bsNone);
    grid.SetLook(glCustom);
    EXPECT_EQ(grid.SelectionColor(), TColor(0xEACAB6));
    EXPECT_EQ(grid.ScrollType(), ssNormal);
    EXPECT_EQ(grid.BorderStyle(), bsSingle);
    EXPECT_EQ(grid.BorderColor(), TColor(0xB99D7F));

    grid.SetLook(glWin7);
    EXPECT_EQ(grid.SelectionStyle(), ssWin7);
    EXPECT_EQ(grid.QVRGradientMirrorFrom(), TColor(0xF4E6DC));
    EXPECT_EQ(grid.ComponentStyle(), tsWindows7);
}

TEST(Styles, PresetsSetTheirColoursAndTheirSearchFooter)
{
    TDazStringGrid grid;
    grid.SetStyle(gsOffice2003Blue);
    EXPECT_EQ(grid.Look(), glXP);
    EXPECT_EQ(grid.QVRGradientFrom(), TColor(0xFCE1CB));
    EXPECT_EQ(grid.ControlLook().FixedGradientFrom(), TColor(0xFCE1CB));
    EXPECT_EQ(grid.ControlLook().FixedGradientTo(), TColor(0xE0A57D));
    EXPECT_EQ(grid.SelectionColorTo(), TColor(0x1595EE));
    EXPECT_EQ(grid.SearchFooter().Color(), TColor(0xFCE1CB));
    EXPECT_EQ(grid.SearchFooter().ColorTo(), clNone);   // the mirror colour

    grid.SetStyle(gsWindowsVista);
    EXPECT_EQ(grid.Look(), glVista);
    EXPECT_EQ(grid.SelectionStyle(), ssVista);
    EXPECT_EQ(grid.ControlLook().FixedGradientMirrorFrom(), TColor(0xFAF8F7));
    EXPECT_EQ(grid.ControlLook().FixedGradientFrom(), clNone);
    EXPECT_EQ(grid.QVRFixedLook().HoverBorder, TColor(0xE3C993));
    EXPECT_EQ(grid.QVRGradientHoverBorder(), TColor(0xE3C993));
    grid.SetQVRGradientDownMirrorTo(0x010203);
    EXPECT_EQ(grid.QVRFixedLook().DownMirrorTo, TColor(0x010203)) << "one store behind both";
    EXPECT_EQ(grid.SortSettings().HeaderMirrorColorTo(), TColor(0xF6ECD8));
    EXPECT_EQ(grid.GridFixedLineColor(), TColor(0xD4D2D1));

    grid.SetStyle(gsOffice2010Black);
    EXPECT_EQ(grid.Look(), glOffice2007);
    EXPECT_EQ(grid.SelectionStyle(), ssDefault);
    EXPECT_EQ(grid.QVRGradientMirrorTo(), TColor(0x6A6A6A));
    EXPECT_EQ(grid.SelectionColor(), TColor(0xFFDBB7));
}

TEST(Styles, CustomStyleStillResetsSelectionAndControlLook)
{
    TDazStringGrid grid;
    grid.SetSelectionColor(0x123456);
    grid.ControlLook().SetFixedGradientHoverFrom(0x654321);
    grid.SortSettings().SetHeaderColor(0x111111);
    grid.SetStyle(gsCustom);
    EXPECT_EQ(grid.SelectionColor(), clHighlight);
    EXPECT_EQ(grid.SelectionTextColor(), clHighlightText);
    EXPECT_EQ(grid.ControlLook().FixedGradientHoverFrom(), clGray);
    EXPECT_EQ(grid.SortSettings().HeaderColor(), clNone);
}

TEST(Styles, ComponentStyleEndsTheMetroScrollBarsExceptForCustom)
{
    TDazStringGrid grid;
    grid.SetScrollType(ssMetro);
    grid.SetComponentStyle(tsCustom);
    EXPECT_EQ(grid.ScrollType(), ssMetro);
    EXPECT_EQ(grid.ComponentStyle(), tsCustom);
    grid.SetComponentStyle(tsOffice2007Luna);
    EXPECT_EQ(grid.ScrollType(), ssNormal);
    EXPECT_EQ(grid.SelectionStyle(), ssOffice2007);
}

TEST(Styles, ColorTonesGiveTheFlatLook)
{
    TDazStringGrid grid;
    TColorTones tones;
    tones.Background = {0xFFFFFF, 0x808080, 0x000000};
    tones.Foreground = {0x0000C8, 0x404040, 0xFFFFFF};
    tones.Selected = {0x00FF00, 0x000000, 0x111111};
    tones.Hover = {0x00FFFF, 0x000000, 0x000000};
    grid.SetColorTones(tones);
    EXPECT_EQ(grid.Look(), glClassic);
    EXPECT_TRUE(grid.Flat());
    EXPECT_EQ(grid.ScrollType(), ssMetro);
    EXPECT_EQ(grid.FixedColor(), TColor(0x0000C8));
    EXPECT_EQ(grid.FixedFont().Color(), TColor(0xFFFFFF));
    EXPECT_EQ(grid.Color(), TColor(0xFFFFFF));
    EXPECT_EQ(grid.SelectionColor(), TColor(0x00FF00));
    EXPECT_EQ(grid.SelectionTextColor(), TColor(0x111111));
    EXPECT_EQ(grid.GridLineColor(), TColor(0xE6E6E6));
    EXPECT_EQ(grid.GridFixedLineColor(), TColor(0x0000A0));   // 200 less 20 percent
    EXPECT_EQ(grid.BorderStyle(), bsNone);
    EXPECT_EQ(grid.ControlLook().ControlStyle(), csGlyph);
    EXPECT_EQ(grid.ControlLook().CheckedGlyph().Width(), 16);
    EXPECT_EQ(grid.ControlLook().RadioOffGlyph().Height(), 16);
    EXPECT_TRUE(grid.ControlLook().FlatButton());
    EXPECT_EQ(grid.CellNode().NodeType(), cnFlat);
    EXPECT_EQ(grid.SearchFooter().ColorTo(), TColor(0x0000C8));
    EXPECT_EQ(grid.ColorTones().Hover.BrushColor, TColor(0x00FFFF));

    // The editor controls take the tones for their buttons and borders.
    const TButtonColors *buttons[] = {grid.BtnEdit()->Button(), grid.SpinEdit()->Button(),
                                      grid.Combobox(), grid.DateTimePicker()};
    for (const TButtonColors *b : buttons) {
        EXPECT_EQ(b->ButtonColor, TColor(0xFFFFFF));
        EXPECT_EQ(b->ButtonColorHot, TColor(0x00FFFF));
        EXPECT_EQ(b->ButtonColorDown, TColor(0x00FF00));
        EXPECT_EQ(b->ButtonBorderColor, TColor(0x808080));
    }
    EXPECT_EQ(grid.Combobox()->BorderColor(), TColor(0xFFFFFF));
    EXPECT_TRUE(grid.Combobox()->Flat());
    EXPECT_EQ(grid.DateTimePicker()->BorderColor(), TColor(0xFFFFFF));
    EXPECT_TRUE(grid.DateTimePicker()->MetroStyle());
}

TEST(Styles, XPColourSchemes)
{
    TDazStringGrid grid;
    grid.SetTheme(xpGreen);
    EXPECT_EQ(grid.QVRGradientFrom(), TColor(0xCFF0EA));
    EXPECT_EQ(grid.QVRGradientTo(), TColor(0x8CC0B1));
    EXPECT_EQ(grid.ActiveCellColorTo(), TColor(0x1595EE));
    EXPECT_EQ(grid.ControlLook().FixedGradientFrom(), TColor(0xCFF0EA));
    EXPECT_EQ(grid.SearchFooter().ColorTo(), TColor(0x8CC0B1));
    grid.SetTheme(vistaAero);
    EXPECT_EQ(grid.QVRGradientMirrorTo(), TColor(0xF4F2F1));
    EXPECT_EQ(grid.SearchFooter().Color(), TColor(0xECE2E1));
    grid.SetTheme(xpNone);
    EXPECT_EQ(grid.ControlLook().FixedGradientFrom(), clNone);
    EXPECT_EQ(grid.ActiveCellColorTo(), TColor(0xFFD9B3));
}

}   // namespace
