// The drop-down edit's colour styles, selection looks and colour tones.
#include "controls/dropdown/dropdownbutton.h"
#include "controls/dropdown/dropdownedit.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

constexpr TColor kMarker = 0x123456;

TEST(DropDownStyles, NewEditCarriesTheLunaLook)
{
    TDazCustomDropDown e;
    e.InitializeDropDown();
    EXPECT_EQ(e.GetComponentStyle(), tsOffice2007Luna);
    EXPECT_EQ(e.DropDownColor, TColor(0xF3E5DA));
    EXPECT_EQ(e.DropDownColorTo, TColor(0xF0DED0));
    EXPECT_EQ(e.DropDownBorderColor, clNone);
    for (TDropDownAppearance *a :
         {static_cast<TDropDownAppearance *>(&e.DropDownHeader()), static_cast<TDropDownAppearance *>(&e.DropDownFooter())}) {
        EXPECT_EQ(a->Color(), TColor(0xFFEFE3));
        EXPECT_EQ(a->ColorTo(), TColor(0xFFD2AF));
        EXPECT_EQ(a->Font().Color(), TColor(0x723708));
    }
    EXPECT_EQ(e.SelectionColor, TColor(0xD7FFFD));
}

TEST(DropDownStyles, PanelGroupPerStyle)
{
    struct Case
    {
        TQVRStyle Style;
        TColor DropDown, DropDownTo, Border, Header, HeaderTo, Footer, FooterTo, Font, HeaderBorder,
            FooterBorder;
    } cases[] = {
        {tsOffice2003Blue, 0xFFFFFF, clNone, kMarker, 0xFCE1CB, 0xE0A57D, 0xFCE1CB, 0xE0A57D, 0, 0, 0x962D00},
        {tsOffice2003Silver, 0xFFFFFF, clNone, kMarker, 0xECE2E1, 0xB39698, 0xECE2E1, 0xB39698, 0, 0x947C7C, 0x947C7C},
        {tsOffice2003Olive, 0xFFFFFF, clNone, clNone, 0xCFF0EA, 0x8CC0B1, 0xCFF0EA, 0x8CC0B1, 0, 0x588060, 0x588060},
        {tsOffice2003Classic, 0xF2F2F2, 0xF2F2F2, clNone, 0x808080, 0x808080, 0x808080, 0x808080, 0xFFFFFF, 0x808080, 0x808080},
        {tsOffice2007Luna, 0xF3E5DA, 0xF0DED0, clNone, 0xFFEFE3, 0xFFD2AF, 0xFFEFE3, 0xFFD2AF, 0x723708, 0xFFD2AF, 0xFFD2AF},
        {tsOffice2007Obsidian, 0xFFFFFF, clNone, clNone, 0xF2F1F0, 0xC9C2BD, 0xF2F1F0, 0xC9C2BD, 0x433C37, 0x5C534C, 0x5C534C},
        {tsWindowsXP, 0xFFFFFF, clNone, kMarker, 0xFFFFFF, clBtnFace, 0xFFFFFF, clBtnFace, 0, 0x808080, 0x808080},
        {tsWhidbey, 0xF5F9FA, 0xF5F9FA, clNone, 0xEBEEEF, 0x7E9898, 0xEBEEEF, 0x7E9898, 0xFFFFFF, 0x962D00, 0x962D00},
        {tsOffice2007Silver, 0xF8F4F1, 0xF0E8E3, clNone, 0xF8F7F6, 0xE8E0DB, 0xF8F7F6, 0xE8E0DB, 0x8B4215, 0x74706F, 0x74706F},
        {tsWindowsVista, 0xFFFFFF, 0xFFFFFF, 0x979797, 0xFFFDF9, 0xFFFAF0, 0xFFFAF0, 0xFFFDF9, 0, 0xFCF2DA, 0xFCF2DA},
        {tsWindows7, 0xFFFFFF, 0xFFFFFF, 0x979797, 0xFDFBFA, 0xFDF3EB, 0xFDFBFA, 0xFDF3EB, 0, 0xFBD6B8, 0xFBD6B8},
        {tsTerminal, 0xFFFFFF, 0xFFFFFF, 0x808080, clBtnFace, clBtnFace, clBtnFace, clBtnFace, 0, clNone, clNone},
        {tsOffice2010Blue, 0xFFFFFF, 0xF1EFED, 0xEDEDEC, 0xFDF6EF, 0xF0DAC7, 0xFDF6EF, 0xF0DAC7, 0x5B391E, 0xC7B29F, 0xC7B29F},
        {tsOffice2010Silver, 0xFFFFFF, 0xF1EFED, 0xEDEDEC, 0xFFFFFF, 0xEDE5E0, 0xFFFFFF, 0xEDE5E0, 0x5B391E, 0xD2CDC8, 0xD2CDC8},
        {tsOffice2010Black, 0xFFFFFF, 0xF1EFED, 0xEDEDEC, 0xBFBFBF, 0x919191, 0xBFBFBF, 0x919191, 0xD7D7D6, 0x6D6D6D, 0x6D6D6D},
    };
    for (const Case &c : cases) {
        TDazCustomDropDown e;
        e.DropDownBorderColor = kMarker;
        e.SetComponentStyle(c.Style);
        const auto &h = e.DropDownHeader();
        const auto &f = e.DropDownFooter();
        EXPECT_EQ(std::vector<TColor>({e.DropDownColor, e.DropDownColorTo, e.DropDownBorderColor,
                                       h.Color(), h.ColorTo(), f.Color(), f.ColorTo(),
                                       h.Font().Color(), f.Font().Color(), h.BorderColor(),
                                       f.BorderColor()}),
                  std::vector<TColor>({c.DropDown, c.DropDownTo, c.Border, c.Header, c.HeaderTo,
                                       c.Footer, c.FooterTo, c.Font, c.Font, c.HeaderBorder,
                                       c.FooterBorder}))
            << int(c.Style);
    }
}

TEST(DropDownStyles, CustomOnlyStoresAndSwitchingBackReapplies)
{
    TDazCustomDropDown e;
    e.SetComponentStyle(tsOffice2010Black);
    e.DropDownColor = kMarker;
    e.ButtonAppearance().SetColorHot(kMarker);
    e.SetComponentStyle(tsCustom);
    EXPECT_EQ(e.GetComponentStyle(), tsCustom);
    EXPECT_EQ(e.DropDownColor, kMarker);
    EXPECT_EQ(e.ButtonAppearance().ColorHot(), kMarker);
    e.SetComponentStyle(tsOffice2010Black);
    EXPECT_EQ(e.DropDownColor, TColor(0xFFFFFF));
    EXPECT_EQ(e.ButtonAppearance().ColorHot(), TColor(0x8AE3FD));
}

TEST(DropDownStyles, ButtonAppearanceSets)
{
    struct Case
    {
        TQVRStyle Style;
        TColor Color, ColorTo, Border, Hot, Down, Checked, CheckedBorder;
    } cases[] = {
        {tsOffice2003Blue, 0xFCE1CB, 0xE0A57D, clNone, 0xEBFDFF, 0xAAD9FF, 0x76AFF1, 0x45667B},
        {tsOffice2007Luna, 0xFFEFE3, 0xFFDDC4, clNone, 0xEBFDFF, 0xAAD9FF, 0x76AFF1, 0x45667B},
        {tsOffice2010Blue, 0xFDF6EF, 0xF0DAC7, 0xC7B29F, 0x8AE3FD, 0x6CD0FF, 0x45E1FE, 0x4FA0CE},
        {tsWindowsXP, 0xFFFFFF, clBtnFace, clNone, 0xEFD3C6, clActiveCaption, 0xB9D8DC, 0x000000},
        {tsTerminal, clBtnFace, clBtnFace, clNone, 0xC0C0C0, clHighlight, clBtnFace, clHighlight},
    };
    for (const Case &c : cases) {
        TDazCustomDropDown e;
        e.SetComponentStyle(c.Style);
        const TDazButtonAppearance &a = e.ButtonAppearance();
        EXPECT_EQ(std::vector<TColor>({a.Color(), a.ColorTo(), a.BorderColor(), a.ColorHot(),
                                       a.ColorDown(), a.ColorChecked(), a.BorderColorChecked()}),
                  std::vector<TColor>({c.Color, c.ColorTo, c.Border, c.Hot, c.Down, c.Checked,
                                       c.CheckedBorder}))
            << int(c.Style);
    }
}

TEST(DropDownStyles, SelectionPresetsAndCustomFill)
{
    const std::tuple<TSelectionColorStyle, TColor, TColor> cases[] = {
        {scOffice2007, 0xD7FFFD, 0x58D4FC},
        {scWindowsVista, 0xFDF8F1, 0xFCEFD5},
        {scWindows7, 0xFCEBDC, 0xFCDBC1},
        {scCustom, 0xFCEBDC, 0xFCDBC1},   // keeps the last ones
    };
    TDazCustomDropDown e;
    for (auto [style, from, to] : cases) {
        e.SetSelectionColorStyle(style);
        EXPECT_EQ(e.SelectionColor, from);
        EXPECT_EQ(e.SelectionColorTo, to);
    }
    e.SelectionColor = 0x00FF00;
    QImage img(20, 10, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        TCanvas canvas(&img);
        e.DrawSelection(canvas, TRect(0, 0, 20, 10), clWhite, 0);
    }
    EXPECT_EQ(QColor(img.pixel(10, 5)), QColor(Qt::green));
    // A preset draws the rounded face: its edge colour at the top line.
    e.SetSelectionColorStyle(scWindows7);
    img.fill(Qt::white);
    {
        TCanvas canvas(&img);
        e.DrawSelection(canvas, TRect(0, 0, 20, 10), clWhite, 0);
    }
    EXPECT_EQ(FromQColor(QColor(img.pixel(10, 0))), TColor(0xCEA27D));
}

TEST(DropDownStyles, ColorTonesColourTheButton)
{
    TDazCustomDropDown e;
    e.InitializeDropDown();
    TColorTones t;
    t.Background = {0x111111, 0x222222, clNone};
    t.Hover.BrushColor = 0x333333;
    t.Selected.BrushColor = 0x444444;
    e.SetColorTones(t);
    const TDropDownEditButton &b = *e.Button();
    EXPECT_EQ(std::vector<TColor>({b.ButtonColor, b.ButtonColorHot, b.ButtonColorDown,
                                   b.ButtonBorderColor, e.BorderColor}),
              std::vector<TColor>({0x111111, 0x333333, 0x444444, 0x222222, 0x222222}));
}

}   // namespace

namespace {

// One row per style: hot, hot-to, mirror hot, selected, selected-to, border, selected text,
// edge; every named style but tsCustom also clears the hot and selected borders and the
// hot text.
TEST(DropDownStyles, ItemAppearancePerStyle)
{
    struct Row
    {
        TQVRStyle Style;
        TColor Hot, HotTo, MirrorHot, Selected, SelectedTo, Border, SelectedText, Edge;
    } rows[] = {
        {tsOffice2003Blue, 0xEBFDFF, 0xACECFF, 0x59DAFF, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0, clNone},
        {tsOffice2003Silver, 0xEBFDFF, 0xACECFF, 0x59DAFF, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0, clNone},
        {tsOffice2003Olive, 0xEBFDFF, 0xACECFF, 0x59DAFF, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0, clNone},
        {tsWhidbey, 0xEBFDFF, 0xACECFF, 0x59DAFF, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0, clNone},
        {tsOffice2007Luna, 0xEBFDFF, 0xACECFF, 0x59DAFF, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0, 0xC3D9DF},
        {tsOffice2007Obsidian, 0xEBFDFF, 0xACECFF, 0x59DAFF, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0,
         0xC3D9DF},
        {tsOffice2007Silver, 0xEBFDFF, 0xACECFF, 0x59DAFF, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0,
         0xC3D9DF},
        {tsOffice2003Classic, 0xD2BDB6, 0xD2BDB6, clNone, 0xB59285, 0xB59285, 0x808080, 0, clNone},
        {tsWindowsXP, 0xEFD3C6, 0xEFD3C6, clNone, clHighlight, clNone, clHighlight,
         clHighlightText, clNone},
        {tsWindowsVista, 0xFFFDF9, 0xFFFAF0, clNone, 0xFEF9F0, 0xFDF0D7, 0xFEDF9A, 0, 0xFCEDCB},
        {tsWindows7, 0xFDFBFA, 0xFDF3EB, clNone, 0xFCEBDC, 0xFCDBC1, 0xCEA27D, 0, 0xE0C5AE},
        {tsTerminal, 0xC0C0C0, 0xC0C0C0, clNone, clHighlight, clNone, 0x808080, clHighlightText,
         clNone},
        {tsOffice2010Blue, 0xD9F9FD, 0x8AE3FD, 0x8AE3FD, 0x7BEEFF, 0x6CD0FF, 0x308AC2, 0, clNone},
        {tsOffice2010Silver, 0xD9F9FD, 0x8AE3FD, 0x8AE3FD, 0x7BEEFF, 0x6CD0FF, 0x308AC2, 0, clNone},
        {tsOffice2010Black, 0xD9F9FD, 0x8AE3FD, 0x8AE3FD, 0x7BEEFF, 0x6CD0FF, 0x308AC2, 0, clNone},
    };
    auto marked = [] {
        TItemAppearanceColors a;
        a.BorderColorHot = a.BorderColorSelected = a.ColorHotText = a.EdgeColor = kMarker;
        a.ColorSelectedText = a.ColorHot = kMarker;
        return a;
    };
    for (const Row &r : rows) {
        TItemAppearanceColors a = marked();
        TDazCustomDropDown::ApplyItemAppearanceStyle(&a, r.Style);
        const TColor got[] = {a.ColorHot, a.ColorHotTo, a.ColorMirrorHot, a.ColorSelected,
                              a.ColorSelectedTo, a.BorderColor, a.ColorSelectedText, a.EdgeColor};
        const TColor want[] = {r.Hot, r.HotTo, r.MirrorHot, r.Selected,
                               r.SelectedTo, r.Border, r.SelectedText, r.Edge};
        for (size_t i = 0; i < std::size(got); ++i)
            EXPECT_EQ(got[i], want[i]) << "style " << r.Style << " column " << i;
        EXPECT_EQ(a.BorderColorHot, clNone) << r.Style;
        EXPECT_EQ(a.BorderColorSelected, clNone) << r.Style;
        EXPECT_EQ(a.ColorHotText, TColor(0)) << r.Style;
    }
    TItemAppearanceColors custom = marked();
    TDazCustomDropDown::ApplyItemAppearanceStyle(&custom, tsCustom);
    EXPECT_EQ(custom.BorderColorHot, kMarker);
    EXPECT_EQ(custom.ColorHot, kMarker);
    // A value outside the enumeration changes only the four reset colours.
    TItemAppearanceColors outside = marked();
    TDazCustomDropDown::ApplyItemAppearanceStyle(&outside, TQVRStyle(99));
    EXPECT_EQ(outside.BorderColorSelected, clNone);
    EXPECT_EQ(outside.ColorSelectedText, TColor(0));
    EXPECT_EQ(outside.ColorHot, kMarker);
    EXPECT_EQ(outside.EdgeColor, kMarker);
    TDazCustomDropDown::ApplyItemAppearanceStyle(nullptr, tsWindows7);   // nothing to colour
}

}   // namespace
