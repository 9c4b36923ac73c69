// The colour choosers: the cube's cells, hit test, frames and hint; the spectrum's layout
// and pick; the palette's layout, keys and selection.
#include "controls/dropdown/colorpanels.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {

QImage Render(QWidget &W)
{
    QImage img(W.size(), QImage::Format_RGB32);
    img.fill(Qt::magenta);
    W.render(&img);
    return img;
}

TColor Px(const QImage &Img, int X, int Y)
{
    return FromQColor(Img.pixelColor(X, Y));
}

TEST(ColorCube, CellsFollowTheTable)
{
    TDazColorCubePanel cube;
    struct Case
    {
        int Index, X, Y;
        TColor Color;
    } cases[] = {
        {1, 55, 20, 0x663300},   {7, 127, 20, 0x660000},  {8, 49, 30, 0x666600},
        {58, 19, 80, 0x003300},  {64, 91, 80, 0xFFFFFF},  {70, 163, 80, 0x660066},
        {71, 25, 90, 0x006633},  {103, 145, 110, 0x663399}, {121, 55, 140, 0x003366},
        {127, 127, 140, 0x2100A5},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(cube.Cell(c.Index).X, c.X) << c.Index;
        EXPECT_EQ(cube.Cell(c.Index).Y, c.Y) << c.Index;
        EXPECT_EQ(cube.Cell(c.Index).Color, c.Color) << c.Index;
    }
    EXPECT_EQ(TDazColorCubePanel::Hexagon(10, 20, 6, 3),
              (std::vector<TPoint>{{4, 17}, {10, 14}, {16, 17}, {16, 23}, {10, 26}, {4, 23}}));
}

TEST(ColorCube, SelectedColorFindsItsCellAndAnUnknownColourNone)
{
    TDazColorCubePanel cube;
    cube.SetSelectedColor(0xFFFFFF);
    EXPECT_EQ(cube.SelectedIndex(), 64);
    cube.SetSelectedColor(0x123456);
    EXPECT_EQ(cube.SelectedIndex(), -1);
    EXPECT_EQ(cube.SelectedColor(), TColor(0x123456));
}

TEST(ColorCube, HitTestTakesTheLowerIndexAndGapsNone)
{
    TDazColorCubePanel cube;
    EXPECT_EQ(cube.CellAtPos(QPoint(55, 20)), 1);
    // Between cells 1 (55, 20) and 2 (67, 20): 6 pixels from both.
    EXPECT_EQ(cube.CellAtPos(QPoint(61, 20)), 1);
    EXPECT_EQ(cube.CellAtPos(QPoint(62, 20)), 2);
    EXPECT_EQ(cube.CellAtPos(QPoint(5, 5)), -1);
}

TEST(ColorCube, MouseSelectsAndHotFramesStayWhileTheHintEmptiesOverGaps)
{
    TDazColorCubePanel cube;
    cube.ResetHot();
    EXPECT_EQ(cube.size(), QSize(182, 160));
    int selects = 0, hides = 0;
    cube.OnSelect = [&](TObject *) { ++selects; };
    cube.FOnShouldHide = [&](TObject *) { ++hides; };
    cube.MouseMove(QPoint(91, 80));
    EXPECT_EQ(cube.HotIndex(), 64);
    EXPECT_EQ(cube.toolTip(), "Red: 255,  Green: 255,  Blue: 255");
    cube.MouseMove(QPoint(55, 20));   // 0x663300: red 0, green 0x33, blue 0x66
    EXPECT_EQ(cube.toolTip(), "Red: 0,  Green: 51,  Blue: 102");
    cube.MouseMove(QPoint(5, 5));
    EXPECT_EQ(cube.toolTip(), "");
    EXPECT_EQ(cube.HotIndex(), 1);
    cube.MouseDown(QPoint(5, 5));
    EXPECT_EQ(selects, 0);
    cube.MouseDown(QPoint(91, 80));
    cube.MouseUp();
    EXPECT_EQ(selects, 1);
    EXPECT_EQ(hides, 1);
    EXPECT_EQ(cube.SelectedIndex(), 64);
    EXPECT_EQ(cube.SelectedColor(), TColor(0xFFFFFF));
    cube.ResetHot();
    EXPECT_EQ(cube.HotIndex(), -1);
}

TEST(ColorCube, HotFrameRedSelectedFrameBlackOverIt)
{
    TDazColorCubePanel cube;
    cube.ResetHot();
    cube.MouseMove(QPoint(55, 20));   // cell 1 hot
    QImage img = Render(cube);
    // The outer frame hexagon (w - 1 = 5) passes through (50, 17 .. 23); the white inner one
    // (w - 2 = 4) through (51, ...).
    EXPECT_EQ(Px(img, 50, 20), TColor(0x0000FF));
    EXPECT_EQ(Px(img, 51, 20), clWhite);
    EXPECT_EQ(Px(img, 55, 20), TColor(0x663300));
    cube.MouseDown(QPoint(55, 20));
    img = Render(cube);
    EXPECT_EQ(Px(img, 50, 20), TColor(0x000000));
}

TEST(ColorSpectrum, LayoutPlacesThePictureAndTheBoxes)
{
    TDazColorSpectrumPanel spectrum;
    spectrum.LayoutSpectrum();
    EXPECT_EQ(spectrum.size(), QSize(150, 174));
    EXPECT_EQ(spectrum.SpectrumImage()->geometry(), QRect(11, 10, 128, 128));
    EXPECT_EQ(spectrum.SelectedRect(), TRect(10, 146, 73, 166));
    EXPECT_EQ(spectrum.HotRect(), TRect(77, 146, 140, 166));
    EXPECT_EQ(spectrum.HotColor(), clNone);
    EXPECT_EQ(spectrum.SelectedColor(), clWhite);
}

TEST(ColorSpectrum, MovingReadsTheShownPixelAndAPressSelectsIt)
{
    TDazColorSpectrumPanel spectrum;
    spectrum.LayoutSpectrum();
    int selects = 0;
    spectrum.OnSelect = [&](TObject *) { ++selects; };
    const QImage shown = Render(spectrum);
    spectrum.ImageMouseMove(QPoint(0, 64));   // the left edge at full saturation: red
    EXPECT_EQ(spectrum.HotColor(), Px(shown, 11, 74));
    EXPECT_EQ(spectrum.HotColor(), TColor(0x0000FF));
    spectrum.ImageMouseMove(QPoint(43, 64));   // a third of the way: green
    EXPECT_EQ(spectrum.HotColor(), Px(shown, 54, 74));
    EXPECT_EQ(GetGValue(spectrum.HotColor()), 255);
    spectrum.ImageMouseDown();
    EXPECT_EQ(selects, 1);
    EXPECT_EQ(spectrum.SelectedColor(), Px(shown, 54, 74));
    const QImage after = Render(spectrum);
    EXPECT_EQ(Px(after, 30, 156), spectrum.SelectedColor());   // inside the selected box
    EXPECT_EQ(Px(after, 9, 145), TColor(0x808080));            // its grey outline
    // Near white at the top, near black at the bottom.
    spectrum.ImageMouseMove(QPoint(0, 0));
    EXPECT_GT(GetGValue(spectrum.HotColor()), 240);
    spectrum.ImageMouseMove(QPoint(0, 127));
    EXPECT_LT(GetRValue(spectrum.HotColor()), 20);
}

TEST(ColorSpectrum, ThePictureShowsTheEyedropperCursor)
{
    TDazColorSpectrumPanel spectrum;
    const QCursor c = ScreenCursor(crEyeDropper);
    EXPECT_EQ(c.hotSpot(), QPoint(1, 30));
    EXPECT_EQ(spectrum.SpectrumImage()->cursor().hotSpot(), QPoint(1, 30));
    EXPECT_EQ(ScreenCursor(77).shape(), Qt::ArrowCursor);
}

class PaletteTest : public ::testing::Test
{
protected:
    TCustomColorSelector Palette;
    QStringList Log;
    PaletteTest()
    {
        Palette.LoadDefaultPalette();
        Palette.ArrangeItems();
        Palette.OnItemSelect = [this](TObject *) { Log << QString::number(Palette.ItemIndex()); };
    }
};

TEST_F(PaletteTest, SixtyBoxesWithTheFirstRowStandingAboveTheStrips)
{
    ASSERT_EQ(Palette.Items().Count(), 60);
    EXPECT_EQ(Palette.Items().Items(0)->Color(), TColor(0xFFFFFF));
    EXPECT_EQ(Palette.Items().Items(9)->Color(), TColor(0x4696F7));
    EXPECT_EQ(Palette.Items().Items(59)->Color(), TColor(0x064897));
    EXPECT_EQ(Palette.Items().Items(10)->ColorBoxPos, ipTop);
    EXPECT_EQ(Palette.Items().Items(25)->ColorBoxPos, ipMiddle);
    EXPECT_EQ(Palette.Items().Items(55)->ColorBoxPos, ipBottom);
    // 12-pixel boxes with 4-pixel gaps; row 1 at 4, row 2 after a gap at 20, then joined.
    EXPECT_EQ(Palette.Items().Items(0)->Rect(), TRect(4, 4, 16, 16));
    EXPECT_EQ(Palette.Items().Items(1)->Rect(), TRect(20, 4, 32, 16));
    EXPECT_EQ(Palette.Items().Items(10)->Rect(), TRect(4, 20, 16, 32));
    EXPECT_EQ(Palette.Items().Items(20)->Rect(), TRect(4, 32, 16, 44));
    EXPECT_EQ(Palette.Items().Items(59)->Rect(), TRect(148, 68, 160, 80));
    EXPECT_EQ(Palette.size(), QSize(148 + 12 + 4 + 1, 68 + 12 + 4));
    TCustomColorSelector empty;
    empty.ArrangeItems();
    EXPECT_EQ(empty.size(), QSize(100, 50));
}

TEST_F(PaletteTest, StripsShareTheirSidesAndFramesMarkHotAndSelected)
{
    QImage img = Render(Palette);
    EXPECT_EQ(Px(img, 4, 4), TColor(0xC5C5C5));    // stand-alone outline
    EXPECT_EQ(Px(img, 8, 8), TColor(0xFFFFFF));
    EXPECT_EQ(Px(img, 8, 20), TColor(0xC5C5C5));   // the strip's top
    EXPECT_EQ(Px(img, 8, 32), TColor(0xD8D8D8));   // rows 2 and 3 meet without a line
    EXPECT_EQ(Px(img, 4, 40), TColor(0xC5C5C5));   // but keep their sides
    Palette.SetItemHot(1);
    Palette.SetItemIndex(2);
    img = Render(Palette);
    EXPECT_EQ(Px(img, 20, 4), TColor(0x3694F2));   // hot outer
    EXPECT_EQ(Px(img, 21, 5), TColor(0x94E2FF));   // hot inner
    EXPECT_EQ(Px(img, 36, 4), TColor(0x0000FF));   // selected outer
}

TEST_F(PaletteTest, KeysMoveTheSelection)
{
    struct Case
    {
        int From, Key;
        bool Editor, Dropped;
        int To;
    } cases[] = {
        {55, VK_DOWN, false, true, 55},   // 65 is outside
        {-1, VK_DOWN, false, true, 0},
        {5, VK_DOWN, false, true, 15},
        {15, VK_UP, false, true, 5},
        {5, VK_UP, false, true, 5},
        {5, VK_DOWN, false, false, 6},   // closed: the next box
        {5, VK_LEFT, true, false, 5},    // the editor on and closed: nothing
        {5, VK_LEFT, true, true, 4},
        {5, VK_RIGHT, false, false, 6},
        {5, VK_HOME, false, false, 0},
        {5, VK_NEXT, false, false, 59},
        {5, VK_RETURN, false, true, 5},
    };
    for (const Case &c : cases) {
        Palette.SetItemIndex(c.From);
        Palette.NavigateByKey(c.Key, c.Editor, c.Dropped);
        EXPECT_EQ(Palette.ItemIndex(), c.To) << c.From << " key " << c.Key;
    }
}

TEST_F(PaletteTest, SelectedColorSelectsAndClNoneClearsSilently)
{
    Palette.SetSelectedColor(0x7F7F7F);   // rows 2 and 6 share it: the first
    EXPECT_EQ(Palette.ItemIndex(), 11);
    EXPECT_EQ(Log, QStringList({"11"}));
    Palette.SetSelectedColor(clNone);
    EXPECT_EQ(Palette.ItemIndex(), -1);
    EXPECT_EQ(Log.size(), 1);
    Palette.SetItemIndex(3);
    Palette.SetItemIndex(3);
    EXPECT_EQ(Log.size(), 3);
    EXPECT_EQ(Palette.SelectedColor(), TColor(0x7D491F));
}

TEST_F(PaletteTest, MouseAndHotSteps)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(22, 6), QPointF(22, 6), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&Palette, &move);
    EXPECT_EQ(Palette.ItemHot(), 1);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(22, 6), QPointF(22, 6), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Palette, &press);
    EXPECT_EQ(Palette.ItemIndex(), 1);
    Palette.HotNext();
    EXPECT_EQ(Palette.ItemHot(), 2);
    Palette.SetItemHot(-1);
    Palette.HotPrevious();   // from none: nothing
    EXPECT_EQ(Palette.ItemHot(), -1);
}

TEST_F(PaletteTest, AssignedBoxesKeepColoursAndStandAlone)
{
    TCustomColorSelector other;
    other.SetItems(Palette.Items());
    ASSERT_EQ(other.Items().Count(), 60);
    EXPECT_EQ(other.Items().Items(25)->Color(), Palette.Items().Items(25)->Color());
    EXPECT_EQ(other.Items().Items(25)->ColorBoxPos, ipStandAlone);
}

}   // namespace
