// The colour picker: colours and their texts, the four choosers, keys, wheel, type-ahead,
// cancelling, the form's size per style and the edit's colour display.
#include "controls/dropdown/colorpicker.h"
#include "controls/dropdown/dropdownform.h"
#include "controls/dropdown/dropdownscreen.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

class ColorPickerTest : public ::testing::Test
{
protected:
    TFakeDropDownScreenGuard Screen;
    TDazColorPickerDropDown Picker;
    int Selects = 0;

    ColorPickerTest()
    {
        Picker.OnSelect = [this](TObject *Sender) {
            EXPECT_EQ(Sender, &Picker);
            ++Selects;
        };
        Picker.move(10, 100);
        Picker.show();
    }
    ~ColorPickerTest() override { Picker.HideDropDown(false); }
    void Key(int K, Qt::KeyboardModifiers M = Qt::NoModifier, const QString &Text = {})
    {
        QKeyEvent e(QEvent::KeyPress, K, M, Text);
        QApplication::sendEvent(&Picker, &e);
    }
    void Wheel(int Delta)
    {
        QWheelEvent e(QPointF(5, 5), Picker.mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, Delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&Picker, &e);
    }
    QImage Render()
    {
        QImage img(Picker.size(), QImage::Format_RGB32);
        img.fill(Qt::magenta);
        Picker.render(&img);
        return img;
    }
};

TEST_F(ColorPickerTest, DefaultColoursNameTheirColour)
{
    EXPECT_EQ(Picker.Colors().Count(), 0);
    EXPECT_FALSE(Picker.EditorEnabled());
    EXPECT_TRUE(Picker.DropDownEnabled);
    EXPECT_EQ(Picker.DropDownHeight(), 200);
    EXPECT_FALSE(Picker.DropDownHeader().Visible());
    Picker.AddDefaultColors();
    ASSERT_EQ(Picker.Colors().Count(), 16);
    EXPECT_EQ(Picker.Colors().Items(15)->Caption(), "White");
    Picker.SetSelectedColor(0x0000FF);
    EXPECT_EQ(Picker.ItemIndex(), 9);
    EXPECT_EQ(Picker.SelectedColorText(), "Red");
    Picker.SetSelectedColor(0x123456);
    EXPECT_EQ(Picker.ItemIndex(), -1);
    EXPECT_EQ(Picker.SelectedColorText(), "");
    Picker.ColorValueText = cvtHTML;
    EXPECT_EQ(Picker.SelectedColorText(), "#563412");
    Picker.AddDefaultColors();
    EXPECT_EQ(Picker.Colors().Count(), 32);
    Picker.SetSelectedColor(0x000000);
    EXPECT_EQ(Picker.ItemIndex(), 0);
}

TEST_F(ColorPickerTest, ValueTextsOfAColourOutsideTheList)
{
    struct Case
    {
        TColorValueText Form;
        TColor Color;
        const char *Text;
    } cases[] = {
        {cvtHex, 0x0000FF, "0000FF"},
        {cvtHex, clBtnFace, "FF00000F"},
        {cvtRGB, 0xFFFFFF, "Red:255,Green:255,Blue:255"},
        {cvtRGB, 0x0000FF, "Red:255,Green:0,Blue:0"},
        {cvtHTML, 0x0000FF, "#FF0000"},
        {cvtWebName, 0x000000, "clWebBlack"},
        {cvtWebName, 0xFFFF00, "clWebAqua"},   // first of Aqua and Cyan
        {cvtWebName, 0x123456, "#563412"},
        {cvtNone, 0x0000FF, ""},
    };
    for (const Case &c : cases) {
        Picker.ColorValueText = c.Form;
        Picker.SetSelectedColor(c.Color);
        EXPECT_EQ(Picker.SelectedColorText(), c.Text) << c.Form;
    }
}

TEST_F(ColorPickerTest, ItemIndexFiresForEveryAcceptedValue)
{
    Picker.AddDefaultColors();
    Picker.SetItemIndex(3);
    Picker.SetItemIndex(3);
    Picker.SetItemIndex(-1);
    Picker.SetItemIndex(16);   // ignored
    EXPECT_EQ(Selects, 3);
    EXPECT_EQ(Picker.SelectedColor(), TColor(0x008080));
}

TEST_F(ColorPickerTest, TheListOpensWithTheColoursAndAClickTakesOne)
{
    Picker.AddDefaultColors();
    Picker.SetSelectedColor(0x008000);
    Picker.ShowDropDown();
    ASSERT_TRUE(Picker.DroppedDown());
    TDazCustomItemSelector *list = Picker.ItemSelector();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(Picker.DropDownForm()->Control(), list);
    EXPECT_EQ(list->Items().Count(), 16);
    EXPECT_EQ(list->SelectorType(), stColor);
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(Picker.DropDownForm()->height(), 200);
    Selects = 0;
    list->Panel()->SetItemIndex(12);   // a click
    EXPECT_FALSE(Picker.DroppedDown());
    EXPECT_EQ(Picker.SelectedColor(), TColor(0xFF0000));
    EXPECT_EQ(Selects, 1);
}

TEST_F(ColorPickerTest, KeysWhileClosedAndOpen)
{
    Picker.AddDefaultColors();
    Key(Qt::Key_Down);
    EXPECT_EQ(Picker.ItemIndex(), 0);
    Key(Qt::Key_Up);
    EXPECT_EQ(Picker.ItemIndex(), 0);
    Key(Qt::Key_End);
    EXPECT_EQ(Picker.ItemIndex(), 15);
    Key(Qt::Key_Down);
    EXPECT_EQ(Picker.ItemIndex(), 15);
    Key(Qt::Key_Home);
    EXPECT_EQ(Picker.ItemIndex(), 0);
    Key(Qt::Key_Down, Qt::AltModifier);   // opens; with Alt nothing else
    ASSERT_TRUE(Picker.DroppedDown());
    EXPECT_EQ(Picker.ItemIndex(), 0);
    Key(Qt::Key_Down);
    Key(Qt::Key_Right);
    EXPECT_TRUE(Picker.DroppedDown());
    EXPECT_EQ(Picker.ItemSelector()->ItemIndex(), 2);
    EXPECT_EQ(Picker.ItemIndex(), 2);
    Key(Qt::Key_Escape);   // restores the item of the opening
    EXPECT_FALSE(Picker.DroppedDown());
    EXPECT_EQ(Picker.ItemIndex(), 0);
    Picker.ShowDropDown();
    Key(Qt::Key_End);
    EXPECT_EQ(Picker.ItemIndex(), 15);
    Key(Qt::Key_Return);
    EXPECT_FALSE(Picker.DroppedDown());
    EXPECT_EQ(Picker.ItemIndex(), 15);
}

TEST_F(ColorPickerTest, EnterTakesTheHotItemOrFiresSelect)
{
    Picker.AddDefaultColors();
    Selects = 0;
    Key(Qt::Key_Return);   // closed: no hot item
    EXPECT_EQ(Selects, 1);
    Picker.ShowDropDown();
    Picker.ItemSelector()->HotNext();
    Picker.ItemSelector()->HotNext();
    Selects = 0;
    Key(Qt::Key_Return);
    EXPECT_EQ(Picker.ItemIndex(), 1);
    EXPECT_EQ(Selects, 1);   // from the taken item only
    EXPECT_FALSE(Picker.DroppedDown());
}

TEST_F(ColorPickerTest, AltKeepsEveryKeyAway)
{
    Picker.AddDefaultColors();
    for (int k : {Qt::Key_Down, Qt::Key_End, Qt::Key_B, Qt::Key_PageDown})
        Key(k, Qt::AltModifier);
    Picker.HideDropDown(false);
    EXPECT_EQ(Picker.ItemIndex(), -1);
    EXPECT_EQ(Picker.CurSearch(), "");
}

TEST_F(ColorPickerTest, TypeAheadCollectsUntilTheTimerFires)
{
    Picker.AddDefaultColors();
    Picker.ShowDropDown();
    Key(Qt::Key_B, Qt::NoModifier, "b");
    EXPECT_EQ(Picker.ItemSelector()->ItemIndex(), 0);   // Black
    EXPECT_TRUE(Picker.KeyTimer().isActive());
    EXPECT_EQ(Picker.KeyTimer().interval(), 500);
    Key(Qt::Key_L, Qt::NoModifier, "l");
    Key(Qt::Key_U, Qt::NoModifier, "u");
    EXPECT_EQ(Picker.CurSearch(), "BLU");
    EXPECT_EQ(Picker.ItemSelector()->ItemIndex(), 12);   // Blue
    EXPECT_TRUE(Picker.DroppedDown());
    Picker.KeyTimerExpired();
    EXPECT_EQ(Picker.CurSearch(), "");
    EXPECT_FALSE(Picker.KeyTimer().isActive());
    Key(Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(Picker.CurSearch(), "");
}

TEST_F(ColorPickerTest, WheelStepsClosedAndMovesTheHotItemOpen)
{
    Picker.AddDefaultColors();
    Picker.ShowDropDown();
    Picker.HideDropDown(false);   // the list now holds the colours
    Wheel(-120);
    Wheel(-120);
    EXPECT_EQ(Picker.ItemIndex(), 1);
    Wheel(120);
    EXPECT_EQ(Picker.ItemIndex(), 0);
    Picker.ShowDropDown();
    Wheel(-120);
    EXPECT_EQ(Picker.ItemSelector()->ItemHot(), 0);
    EXPECT_TRUE(Picker.DroppedDown());
    Picker.HideDropDown(false);
    Picker.setReadOnly(true);
    Wheel(-120);
    EXPECT_EQ(Picker.ItemIndex(), 0);
}

TEST_F(ColorPickerTest, PaletteArrowsAndEscRestoreTheOldColour)
{
    Picker.SetColorSelectionStyle(csDiscrete);
    Picker.SetSelectedColor(0x7D491F);   // box 3
    Selects = 0;
    Picker.ShowDropDown();   // the palette takes the colour without a choice being made
    EXPECT_EQ(Selects, 0);
    TCustomColorSelector *palette = Picker.Palette();
    ASSERT_NE(palette, nullptr);
    EXPECT_TRUE(palette->isVisibleTo(Picker.DropDownForm()));
    EXPECT_EQ(palette->ItemIndex(), 3);
    EXPECT_FALSE(Picker.DropDownForm()->Sizeable);
    Key(Qt::Key_Right);
    Key(Qt::Key_Down);
    EXPECT_TRUE(Picker.DroppedDown());
    EXPECT_EQ(palette->ItemIndex(), 14);
    EXPECT_EQ(Picker.SelectedColor(), Picker.Palette()->Items().Items(14)->Color());
    Key(Qt::Key_Escape);
    EXPECT_FALSE(Picker.DroppedDown());
    EXPECT_EQ(Picker.SelectedColor(), TColor(0x7D491F));
    // From no colour the picker keeps the last one.
    Picker.SetSelectedColor(clNone);
    Picker.ShowDropDown();
    Key(Qt::Key_Down);
    Key(Qt::Key_Escape);
    EXPECT_EQ(Picker.SelectedColor(), TColor(0xFFFFFF));
}

TEST_F(ColorPickerTest, APanelPickFiresTwiceForANewColourAndClears)
{
    Picker.AddDefaultColors();
    Picker.SetColorSelectionStyle(csColorCube);
    Picker.SetSelectedColor(0x0000FF);
    Picker.ShowDropDown();
    ASSERT_NE(Picker.Cube(), nullptr);
    EXPECT_EQ(Picker.Cube()->SelectedIndex(), 118);
    Selects = 0;
    Picker.Cube()->MouseDown(QPoint(91, 80));   // white, a list colour
    EXPECT_EQ(Selects, 2);
    EXPECT_EQ(Picker.ItemIndex(), -1);
    EXPECT_EQ(Picker.SelectedColor(), TColor(0xFFFFFF));
    EXPECT_FALSE(Picker.DroppedDown());
    Picker.ShowDropDown();
    Selects = 0;
    Picker.Cube()->MouseDown(QPoint(91, 80));   // the same colour
    EXPECT_EQ(Selects, 1);

    Picker.SetColorSelectionStyle(csSpectrum);
    Picker.ColorValueText = cvtHTML;
    Picker.ShowDropDown();
    Picker.Spectrum()->ImageMouseMove(QPoint(0, 64));
    Picker.Spectrum()->ImageMouseDown();
    EXPECT_EQ(Picker.SelectedColor(), TColor(0x0000FF));
    EXPECT_EQ(Picker.ItemIndex(), -1);
    EXPECT_EQ(Picker.SelectedColorText(), "#FF0000");
}

TEST_F(ColorPickerTest, TheFormTakesTheSizeOfEachChooser)
{
    Picker.AddDefaultColors();
    struct Case
    {
        TColorSelectionStyle Style;
        QSize Form;
    } cases[] = {
        {csDiscrete, {165 + 2, 84 + 2}},
        {csColorCube, {182 + 2, 160 + 2}},
        {csSpectrum, {150 + 2, 174 + 2}},
    };
    for (const Case &c : cases) {
        Picker.SetColorSelectionStyle(c.Style);
        // Re-targeted at once, before any opening.
        EXPECT_EQ(Picker.DropDownForm()->size(), c.Form) << c.Style;
        Picker.ShowDropDown();
        EXPECT_EQ(Picker.DropDownForm()->size(), c.Form) << c.Style;
        EXPECT_EQ(Picker.DropDownForm()->Control()->geometry(), QRect(QPoint(1, 1), c.Form - QSize(2, 2)));
        Picker.HideDropDown(true);
    }
    Picker.SetColorSelectionStyle(csList);
    EXPECT_EQ(Picker.DropDownForm()->Control(), Picker.ItemSelector());
    EXPECT_TRUE(Picker.ItemSelector()->isVisibleTo(Picker.DropDownForm()));
    EXPECT_FALSE(Picker.Cube()->isVisibleTo(Picker.DropDownForm()));
}

TEST_F(ColorPickerTest, TheEditShowsTheBoxAndTheText)
{
    Picker.resize(200, 21);
    Picker.AddDefaultColors();
    Picker.SetSelectedColor(0x0000FF);
    QImage img = Render();
    auto px = [&](int x, int y) { return FromQColor(img.pixelColor(x, y)); };
    // The box at (5, 4) .. (19, 18): black pen, red fill.
    EXPECT_EQ(px(5, 4), TColor(0));
    EXPECT_EQ(px(10, 10), TColor(0x0000FF));
    bool text = false;   // dark text right of the box on the base colour
    for (int x = 24; x < 60 && !text; ++x)
        for (int y = 4; y < 17 && !text; ++y)
            text = GetRValue(px(x, y)) < 128;
    EXPECT_TRUE(text);
    // A colour outside the list with cvtNone: the box alone.
    Picker.SetSelectedColor(0x123456);
    img = Render();
    EXPECT_EQ(px(10, 10), TColor(0x123456));
    bool anyText = false;
    for (int x = 24; x < 60 && !anyText; ++x)
        for (int y = 4; y < 17 && !anyText; ++y)
            anyText = GetRValue(px(x, y)) < 128;
    EXPECT_FALSE(anyText);
    // Nothing chosen: no box.
    Picker.SetSelectedColor(clNone);
    img = Render();
    EXPECT_NE(px(10, 10), TColor(0x0000FF));
    // Focused with the editor off: highlight behind the text.
    Picker.SetSelectedColor(0x0000FF);
    Picker.activateWindow();
    Picker.setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(Picker.hasFocus());
    img = Render();
    EXPECT_EQ(px(100, 10), ColorToRGB(clHighlight));
    // A drawing handler replaces it all.
    TRect given;
    Picker.OnDrawSelectedColor = [&](TObject *, TCanvas &, const TRect &R) { given = R; };
    Render();
    EXPECT_EQ(given, TRect(1, 1, 200 - 17 - 2, 19));
}

TEST_F(ColorPickerTest, ADrawingHandlerDrawsTheListItems)
{
    Picker.AddDefaultColors();
    QList<int> drawn;
    Picker.OnDrawColor = [&](TObject *Sender, TCanvas &, const TRect &, int Index) {
        EXPECT_EQ(Sender, &Picker);
        drawn << Index;
    };
    Picker.ShowDropDown();
    TCustomItemSelector *panel = Picker.ItemSelector()->Panel();
    QImage img(panel->size(), QImage::Format_RGB32);
    panel->render(&img);
    EXPECT_EQ(drawn.size(), 16);
    Picker.HideDropDown(false);
    Picker.OnDrawColor = nullptr;
    Picker.ShowDropDown();   // detached again
    drawn.clear();
    panel->render(&img);
    EXPECT_TRUE(drawn.isEmpty());
}

TEST_F(ColorPickerTest, ComponentStyleReachesTheItemAppearanceAndTheList)
{
    Picker.SetComponentStyle(tsWindows7);
    EXPECT_EQ(Picker.ItemAppearance().ColorHot, TColor(0xFDFBFA));
    Picker.SetSelectionColorStyle(scWindowsVista);
    EXPECT_EQ(Picker.ItemSelector()->ItemAppearance().ColorHot, TColor(0xFDF8F1));
}

}   // namespace
