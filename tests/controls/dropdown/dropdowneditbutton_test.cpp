// The drop-down edit's button: its faces in the drop-down and button looks, its fixed width
// and its click on a left release.
#include "controls/dropdown/dropdowneditbutton.h"

#include "platform/canvas.h"
#include "platform/theme.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {

class TFakeEdit : public TDropDownEditLook
{
public:
    bool Enabled = true, ReadOnly = false;
    TColor Border = 0x00FF00;
    bool EditEnabled() const override { return Enabled; }
    bool EditReadOnly() const override { return ReadOnly; }
    TColor EditBorderColor() const override { return Border; }
    QFont EditFont() const override { return QFont(); }
};

struct ButtonTest : ::testing::Test
{
    TFakeThemePlatformGuard Theme;   // before the button, which asks it at creation
    TFakeEdit Edit;
    QWidget Parent;
    TDropDownEditButton Button{&Parent, &Edit};
    TDazDropDownSpeedButton &Inner = *Button.Button();

    QImage Paint()
    {
        QImage image(Inner.size(), QImage::Format_RGB32);
        image.fill(Qt::gray);
        TCanvas canvas(&image);
        Inner.Paint(canvas);
        return image;
    }
    static TColor At(const QImage &image, int x, int y) { return FromQColor(QColor(image.pixel(x, y))); }
    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButton b = Qt::LeftButton)
    {
        QMouseEvent e(type, QPointF(at), Inner.mapToGlobal(QPointF(at)), b,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(b), Qt::NoModifier);
        QApplication::sendEvent(&Inner, &e);
    }
    void Hot(bool on)
    {
        if (on) {
            QEnterEvent e(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
            QApplication::sendEvent(&Inner, &e);
        } else {
            QEvent e(QEvent::Leave);
            QApplication::sendEvent(&Inner, &e);
        }
    }
};

TEST_F(ButtonTest, KeepsItsWidthExceptWhileLoading)
{
    EXPECT_EQ(Button.FBWidth, 16);
    Button.SetBounds(3, 2, 40, 17);
    EXPECT_EQ(Button.geometry(), QRect(3, 2, 16, 17));
    EXPECT_EQ(Inner.geometry(), QRect(0, 0, 16, 17));
    Parent.show();   // a shown control reports every resize
    Button.resize(60, 18);
    EXPECT_EQ(Button.size(), QSize(16, 18));
    Button.SetLoading(true);
    Button.SetBounds(3, 2, 40, 17);
    EXPECT_EQ(Button.width(), 40);
    Button.Loaded();
    EXPECT_EQ(Button.width(), 16);
}

TEST_F(ButtonTest, LeftReleaseClicksWhereverTheMouseIsRightReleaseNever)
{
    Button.SetBounds(0, 0, 16, 17);
    int clicks = 0;
    Button.OnClick = [&clicks](TDropDownEditButton *) { ++clicks; };
    Mouse(QEvent::MouseButtonPress, {5, 5});
    Mouse(QEvent::MouseButtonRelease, {200, 90});
    EXPECT_EQ(clicks, 1);
    Mouse(QEvent::MouseButtonPress, {5, 5}, Qt::RightButton);
    Mouse(QEvent::MouseButtonRelease, {5, 5}, Qt::RightButton);
    EXPECT_EQ(clicks, 1);

    auto *focus = new QWidget(&Parent);
    Button.SetFocusControl(focus);
    delete focus;
    EXPECT_EQ(Button.FocusControl(), nullptr);
    // Disabling the holder disables the inner button.
    Button.setEnabled(false);
    EXPECT_FALSE(Inner.isEnabled());
}

TEST_F(ButtonTest, ClassicAndCustomFacesDrawTheSameArrow)
{
    Button.SetBounds(0, 0, 16, 30);   // the arrow does not follow the size
    QImage face = Paint();
    EXPECT_EQ(At(face, 8, 8), clBlack);
    EXPECT_EQ(At(face, 5, 7), clBlack);
    EXPECT_NE(At(face, 8, 11), clBlack);
    EXPECT_EQ(At(face, 1, 5), clWhite);

    Button.FButtonColor = 0x111111;
    Button.FButtonColorHot = 0x222222;
    Button.FButtonColorDown = 0x333333;
    Button.FButtonTextColor = 0x0000AA;
    Button.FButtonTextColorHot = 0x0000BB;
    Button.FButtonTextColorDown = 0x0000CC;
    struct Case { bool hot, pressed; TColor face, arrow; };
    const Case cases[] = {{false, false, 0x111111, 0x0000AA}, {true, false, 0x222222, 0x0000BB},
                          {true, true, 0x333333, 0x0000CC}, {false, true, 0x333333, 0x0000CC}};
    for (const Case &c : cases) {
        Hot(c.hot);
        if (c.pressed)
            Mouse(QEvent::MouseButtonPress, {3, 3});
        face = Paint();
        EXPECT_EQ(At(face, 13, 20), c.face) << c.hot << c.pressed;
        EXPECT_EQ(At(face, 8, 8), c.arrow) << c.hot << c.pressed;
        EXPECT_EQ(At(face, 0, 20), Edit.Border) << c.hot << c.pressed;
        if (c.pressed)
            Mouse(QEvent::MouseButtonRelease, {3, 3});
    }
    // After SetUp it never looks pressed, even held down.
    Inner.SetUp();
    Hot(false);
    Mouse(QEvent::MouseButtonPress, {3, 3});
    EXPECT_EQ(At(Paint(), 13, 20), TColor(0x111111));
}

TEST_F(ButtonTest, ThemedArrowStatesAndReadOnlyEdit)
{
    TFakeThemePlatform &theme = Theme.Fake;
    theme.LibraryLoaded = true;
    theme.ThemeActive = true;
    Button.SetBounds(0, 0, 16, 17);
    const auto last_state = [&] {
        theme.Draws.clear();
        Paint();
        EXPECT_EQ(theme.Draws.size(), 1u);
        if (theme.Draws.empty())
            return 0;
        EXPECT_EQ(theme.Draws[0].Class, QStringLiteral("combobox"));
        EXPECT_EQ(theme.Draws[0].Part, 1);
        EXPECT_EQ(theme.Draws[0].Rect, TRect(1, 0, 16, 17));
        return theme.Draws[0].State;
    };
    EXPECT_EQ(last_state(), 1);
    Hot(true);
    EXPECT_EQ(last_state(), 2);
    Mouse(QEvent::MouseButtonPress, {3, 3});
    EXPECT_EQ(last_state(), 3);
    Mouse(QEvent::MouseButtonRelease, {3, 3});
    Hot(false);
    Edit.ReadOnly = true;
    EXPECT_EQ(last_state(), 4);
    Edit.ReadOnly = false;
    EXPECT_EQ(last_state(), 1);
    EXPECT_TRUE(theme.OpenClasses.empty());   // every theme closed again

    // Setting the style to its value still repaints.
    const int before = Inner.Repaints();
    Inner.SetButtonStyle(bsDropDown);
    EXPECT_EQ(Inner.Repaints(), before + 1);
}

TEST_F(ButtonTest, ButtonLookPlacesGlyphAndCaption)
{
    TFakeThemePlatform &theme = Theme.Fake;
    theme.LibraryLoaded = true;
    theme.ThemeActive = true;
    Inner.SetButtonStyle(bsButton);
    Button.FBWidth = 20;
    Button.SetBounds(0, 0, 20, 20);
    QImage glyph(8, 8, QImage::Format_RGB32);
    glyph.fill(Qt::red);
    glyph.setPixel(0, 7, qRgb(0, 0, 255));   // the transparent colour
    Button.SetGlyph(glyph);
    QImage face = Paint();
    ASSERT_EQ(theme.Draws.size(), 1u);
    EXPECT_EQ(theme.Draws[0].Class, QStringLiteral("button"));
    EXPECT_EQ(theme.Draws[0].Rect, TRect(0, 0, 21, 21));
    // Without a caption the glyph is centred in the client area less 2 on each side.
    EXPECT_EQ(At(face, 6, 6), clRed);
    EXPECT_NE(At(face, 5, 6), clRed);
    EXPECT_EQ(At(face, 13, 13), clRed);
    EXPECT_NE(At(face, 14, 13), clRed);
    // With a caption it moves to the left, 4 in, still centred vertically.
    Button.SetButtonCaption(QStringLiteral("x"));
    face = Paint();
    EXPECT_EQ(At(face, 4, 6), clRed);
    EXPECT_NE(At(face, 3, 6), clRed);
}

} // namespace
