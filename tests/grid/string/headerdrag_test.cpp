// The floating pieces of a header drag: the drop arrows' colour and the dragged header's
// button.
#include "eventlog.h"
#include "paintfixture.h"

#include "grid/base/indicator.h"
#include "grid/string/headerdrag.h"

namespace {

using HeaderDrag = PaintFixture;

int CountPixels(const QImage &Image, QRgb Colour)
{
    int n = 0;
    for (int y = 0; y < Image.height(); ++y)
        for (int x = 0; x < Image.width(); ++x)
            n += Image.pixel(x, y) == Colour;
    return n;
}

TEST_F(HeaderDrag, ArrowColourSetAfterTheFirstDragColoursEveryArrow)
{
    grid->SetOptions(grid->Options() + goColMoving);
    TEventLog log(*grid);
    auto drag = [&] {
        log.Press(log.At(1, 0));
        log.Mouse(QEvent::MouseMove, log.At(3, 0, 30));
        log.Release(log.At(3, 0, 30));
    };
    drag();
    ASSERT_NE(grid->ArrowWindow(arrUp), nullptr);
    grid->SetArrowColor(clRed);
    drag();
    EXPECT_EQ(grid->ArrowColor(), clRed);
    for (TArrowDirection d : {arrUp, arrDown, arrLeft, arrRight})
        EXPECT_EQ(grid->ArrowWindow(d)->Color(), clRed) << int(d);
}

TEST_F(HeaderDrag, ButtonShowsTheGridsHeaderLookAndMarkupCaptions)
{
    grid->SetLook(glStandard);
    grid->SetFixedColor(TColor(0x00C08040));
    THeaderDragButton button(grid.get());
    EXPECT_EQ(button.Grid(), grid.get());
    button.resize(80, 22);
    const QRgb fixed = ToQColor(TColor(0x00C08040)).rgb();
    const QRgb red = qRgb(255, 0, 0);

    button.SetCaption(QStringLiteral("<font color=\"clRed\">Red</font>"));
    const QImage markup = button.grab().toImage();
    EXPECT_GT(CountPixels(markup, fixed), 80 * 22 / 2);
    EXPECT_GT(CountPixels(markup, red), 0);
    // The border of the pop-up.
    EXPECT_EQ(markup.pixel(0, 10), ToQColor(ColorToRGB(clWindowFrame)).rgb());

    // Without a closing tag the caption is plain text, tags and all.
    button.SetCaption(QStringLiteral("<font color=\"clRed\">Red"));
    EXPECT_EQ(CountPixels(button.grab().toImage(), red), 0);
}

TEST(HeaderDragButton, WithoutAGridAPlainFaceAndAGridThatGoesIsForgotten)
{
    auto grid = std::make_unique<TDazStringGrid>();
    THeaderDragButton button(nullptr);
    EXPECT_EQ(button.Grid(), nullptr);
    button.SetGrid(grid.get());
    button.SetFlat(true);
    EXPECT_TRUE(button.Flat());
    grid.reset();
    EXPECT_EQ(button.Grid(), nullptr);
    button.resize(60, 20);
    button.SetCaption(QStringLiteral("<b>bold</b>"));
    EXPECT_FALSE(button.grab().isNull());
}

}   // namespace
