#include "grid/base/gridbutton.h"
#include "paintutil.h"

#include <QAction>
#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QShortcut>
#include <gtest/gtest.h>

namespace {

struct TLayoutCase {
    TRect Client;
    QSize Glyph, Text;
    TButtonLayout Layout;
    int Margin, Spacing;
    TPoint GlyphPos, TextPos;
};

class ButtonLayout : public ::testing::TestWithParam<TLayoutCase> {};

TEST_P(ButtonLayout, GlyphAndCaptionPlaces)
{
    const TLayoutCase c = GetParam();
    const auto place = TDazGridButton::CalcGlyphTextLayout(c.Client, c.Glyph, c.Text, c.Layout,
                                                           c.Margin, c.Spacing, TPoint(0, 0));
    EXPECT_EQ(place.GlyphPos, c.GlyphPos);
    EXPECT_EQ(place.TextBounds.TopLeft(), c.TextPos);
    EXPECT_EQ(place.TextBounds.Width(), c.Text.width());
    EXPECT_EQ(place.TextBounds.Height(), c.Text.height());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ButtonLayout,
    ::testing::Values(
        // Margin and spacing both -1: spread evenly, (100 - 56) div 3 = 14.
        TLayoutCase{{0, 0, 100, 22}, {16, 16}, {40, 13}, blGlyphLeft, -1, -1, {14, 3}, {44, 5}},
        // Caption only, centred.
        TLayoutCase{{0, 0, 100, 22}, {0, 0}, {40, 13}, blGlyphLeft, -1, 0, {30, 11}, {30, 5}},
        TLayoutCase{{0, 0, 100, 22}, {16, 16}, {40, 13}, blGlyphRight, 5, 4, {79, 3}, {35, 5}},
        TLayoutCase{{0, 0, 40, 60}, {16, 16}, {30, 13}, blGlyphTop, -1, 4, {12, 14}, {5, 34}},
        TLayoutCase{{0, 0, 40, 60}, {16, 16}, {30, 13}, blGlyphBottom, 2, -1, {12, 42}, {5, 15}},
        // The client's corner moves everything.
        TLayoutCase{{3, 4, 103, 26}, {16, 16}, {40, 13}, blGlyphLeft, 0, 2, {3, 7}, {21, 9}}));

// A parent with buttons that can be clicked with sent mouse events.
struct ButtonFixture : ::testing::Test {
    QWidget parent;
    std::vector<TDazGridButton *> buttons;
    int clicks = 0;

    TDazGridButton *Add(int group = 0)
    {
        auto *b = new TDazGridButton(&parent);
        b->setGeometry(int(buttons.size()) * 60, 0, 50, 22);
        b->SetGroupIndex(group);
        b->OnClick = [this](QObject *) { ++clicks; };
        buttons.push_back(b);
        return b;
    }
    static void Mouse(TDazGridButton *b, QEvent::Type type, QPoint at)
    {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent e(type, at, b->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(b, &e);
    }
    static void Click(TDazGridButton *b, QPoint releaseAt = {10, 10})
    {
        Mouse(b, QEvent::MouseButtonPress, {10, 10});
        Mouse(b, QEvent::MouseMove, releaseAt);
        Mouse(b, QEvent::MouseButtonRelease, releaseAt);
    }
    static void Enter(TDazGridButton *b)
    {
        QEnterEvent e(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(b, &e);
    }
};

TEST_F(ButtonFixture, Defaults)
{
    TDazGridButton b;
    EXPECT_EQ(b.size(), QSize(22, 23));
    EXPECT_TRUE(b.Flat());
    EXPECT_TRUE(b.Shaded());
    EXPECT_EQ(b.Margin(), -1);
    EXPECT_EQ(b.Spacing(), 4);
    EXPECT_EQ(b.Color(), clBtnFace);
    EXPECT_EQ(b.ColorHot(), 0xCAC7C7);
    EXPECT_EQ(b.ColorDown(), 0xD8D3D2);
    EXPECT_EQ(b.ColorChecked(), 0x808080);
    EXPECT_EQ(b.BorderColor(), clNone);
    EXPECT_EQ(b.State(), bsUp);
    b.SetMargin(-2);   // refused
    EXPECT_EQ(b.Margin(), -1);
}

TEST_F(ButtonFixture, LooksSetTheirPalette)
{
    TDazGridButton b;
    b.SetFlat(false);
    b.SetBorderColor(clRed);
    b.SetLook(2);
    EXPECT_EQ(b.Look(), 2);
    EXPECT_EQ(b.Color(), 0xFDEADA);
    EXPECT_EQ(b.ColorTo(), 0xE4AE88);
    EXPECT_EQ(b.ColorCheckedTo(), 5615103);
    EXPECT_EQ(b.BorderHotColor(), 0x000000);
    EXPECT_EQ(b.BorderColor(), clNone);
    EXPECT_TRUE(b.Flat());
    EXPECT_FALSE(b.Rounded());
    b.SetLook(0);
    EXPECT_TRUE(b.Rounded());
    EXPECT_EQ(b.BorderDownColor(), 0xAF987A);
    b.SetLook(7);   // out of range: nothing changes
    b.SetLook(-1);
    EXPECT_EQ(b.Look(), 0);
    EXPECT_EQ(b.Color(), 0xEDF1F1);
    b.SetLook(6);
    EXPECT_EQ(b.ColorCheckedTo(), 0x9CDDED);
    EXPECT_EQ(TDazGridButton::LookForColorScheme(QStringLiteral("HomeStead")), 3);
    EXPECT_EQ(TDazGridButton::LookForColorScheme(QString()), 1);
    b.SetAutoThemeAdapt(true);   // no XP colour scheme here: the unthemed look
    EXPECT_EQ(b.Look(), 1);
}

TEST_F(ButtonFixture, DisabledGlyphAndShade)
{
    QImage glyph(3, 2, QImage::Format_RGB32);
    glyph.fill(QColor(255, 0, 255));         // bottom-left: the transparent colour
    glyph.setPixel(0, 0, qRgb(255, 255, 255));
    glyph.setPixel(1, 0, qRgb(0, 0, 0));
    glyph.setPixel(2, 0, qRgb(30, 60, 90));
    TDazGridButton b;
    b.SetGlyph(glyph);
    const QImage grey = b.GlyphDisabled();
    EXPECT_EQ(grey.pixel(0, 0), qRgb(223, 223, 223));
    EXPECT_EQ(grey.pixel(1, 0), qRgb(96, 96, 96));
    EXPECT_EQ(grey.pixel(2, 0), qRgb(126, 126, 126));
    EXPECT_TRUE(b.GlyphShade().isNull());   // setting the glyph does not make the shade
    b.SetShaded(true);
    const QImage shade = b.GlyphShade();
    EXPECT_EQ(shade.pixel(0, 0), qRgb(128, 128, 128));
    EXPECT_EQ(shade.pixel(1, 0), qRgb(128, 128, 128));
    EXPECT_EQ(shade.pixel(0, 1), qRgb(255, 0, 255));
    // A disabled glyph given first is kept.
    TDazGridButton c;
    c.SetGlyphDisabled(glyph);
    c.SetGlyph(grey);
    EXPECT_EQ(c.GlyphDisabled().pixel(2, 0), qRgb(30, 60, 90));
}

TEST_F(ButtonFixture, DownNeedsAGroupOrCheckStyle)
{
    TDazGridButton *plain = Add();
    plain->SetDown(true);
    EXPECT_FALSE(plain->Down());
    TDazGridButton *check = Add();
    check->SetStyle(tasCheck);
    check->SetDown(true);
    EXPECT_TRUE(check->Down());
}

TEST_F(ButtonFixture, OneButtonOfAGroupIsDown)
{
    TDazGridButton *a = Add(1), *b = Add(1), *other = Add(2);
    other->SetDown(true);
    Click(a);
    EXPECT_TRUE(a->Down());
    EXPECT_EQ(a->State(), bsExclusive);
    Click(b);
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
    EXPECT_EQ(a->State(), bsUp);
    EXPECT_TRUE(other->Down());   // another group
    EXPECT_EQ(clicks, 2);

    Click(b);   // down, AllowAllUp False: stays down, the click still fires
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(clicks, 3);

    b->SetAllowAllUp(true);
    EXPECT_TRUE(a->AllowAllUp());   // the group shares the setting
    Click(b);
    EXPECT_FALSE(b->Down());
}

TEST_F(ButtonFixture, CheckStyleTogglesOnEveryClickInside)
{
    TDazGridButton *b = Add();
    b->SetStyle(tasCheck);
    for (bool expected : {true, false, true}) {
        Click(b);
        EXPECT_EQ(b->Down(), expected);
    }
    Click(b, {200, 10});   // released outside: the press toggles anyway, no click
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(clicks, 3);
}

TEST_F(ButtonFixture, ReleaseOutsideDoesNotClick)
{
    TDazGridButton *b = Add();
    Mouse(b, QEvent::MouseButtonPress, {10, 10});
    EXPECT_EQ(b->State(), bsDown);
    Mouse(b, QEvent::MouseMove, {10, 40});
    EXPECT_EQ(b->State(), bsUp);
    Mouse(b, QEvent::MouseMove, {10, 22});   // the bottom edge still counts
    EXPECT_EQ(b->State(), bsDown);
    Mouse(b, QEvent::MouseButtonRelease, {70, 10});
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(b->State(), bsUp);
}

TEST_F(ButtonFixture, DropDownPart)
{
    TDazGridButton *b = Add();
    b->SetDropDownButton(true);
    int dropped = 0;
    b->OnDropDown = [&](QObject *) { ++dropped; };
    Mouse(b, QEvent::MouseButtonPress, {45, 10});   // right of width - 12
    Mouse(b, QEvent::MouseButtonRelease, {45, 10});
    EXPECT_EQ(dropped, 1);
    EXPECT_EQ(clicks, 0);
    Click(b);
    EXPECT_EQ(dropped, 1);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ButtonFixture, DoubleClickFiresOnlyWhenDown)
{
    TDazGridButton *b = Add(1);
    int doubles = 0;
    b->OnDblClick = [&](QObject *) { ++doubles; };
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(10, 10), QPointF(10, 10), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(b, &dbl);
    Mouse(b, QEvent::MouseButtonRelease, {10, 10});   // this release makes it down
    EXPECT_EQ(doubles, 0);
    QApplication::sendEvent(b, &dbl);
    EXPECT_EQ(doubles, 1);
}

TEST_F(ButtonFixture, HoverFlagAndEvents)
{
    TDazGridButton *b = Add();
    int enters = 0, leaves = 0;
    b->OnMouseEnter = [&](QObject *) { ++enters; };
    b->OnMouseLeave = [&](QObject *) { ++leaves; };
    Enter(b);
    EXPECT_TRUE(b->MouseInControl());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(b, &leave);
    EXPECT_FALSE(b->MouseInControl());
    b->setEnabled(false);
    Enter(b);   // disabled: the event fires, the flag stays clear
    EXPECT_FALSE(b->MouseInControl());
    EXPECT_EQ(enters, 2);
    EXPECT_EQ(leaves, 1);
}

TEST_F(ButtonFixture, FlatFaces)
{
    TDazGridButton *b = Add();
    b->SetColor(0x00C000);
    const struct {
        const char *What;
        std::function<void()> Set;
        TColor Face;
    } steps[] = {
        {"plain", [] {}, 0x00C000},
        {"hot", [&] { Enter(b); }, 0xCAC7C7},
        {"pressed", [&] { Mouse(b, QEvent::MouseButtonPress, {10, 10}); }, 0xD8D3D2},
        {"checked", [&] {
             Mouse(b, QEvent::MouseButtonRelease, {10, 10});
             QEvent leave(QEvent::Leave);
             QApplication::sendEvent(b, &leave);
             b->SetStyle(tasCheck);
             b->SetDown(true);
         }, 0x808080},
    };
    for (const auto &s : steps) {
        s.Set();
        const QImage img = RenderWidget(*b, clWhite);
        EXPECT_EQ(PixelAt(img, 3, 3), s.Face) << s.What;
        EXPECT_EQ(PixelAt(img, 0, 0), clWhite) << s.What;   // inset by one
    }
}

TEST_F(ButtonFixture, GradientAndBorder)
{
    TDazGridButton *b = Add();
    b->setGeometry(0, 0, 40, 34);
    b->SetColor(0x000000);
    b->SetColorTo(0x0000F0);   // 16 bands of 2 pixels from row 1: red grows by 15 per band
    b->SetBorderColor(clBlue);
    const QImage img = RenderWidget(*b, clWhite);
    EXPECT_EQ(PixelAt(img, 1, 10), clBlue);   // the frame
    EXPECT_EQ(PixelAt(img, 10, 2), 0x000000);
    EXPECT_EQ(PixelAt(img, 10, 4), 0x00000F);
    EXPECT_EQ(PixelAt(img, 10, 31), 0x0000E1);
}

TEST_F(ButtonFixture, RoundedHotBorderAndStandardLook)
{
    TDazGridButton *b = Add();
    b->SetLook(0);
    Enter(b);
    QImage img = RenderWidget(*b, clWhite);
    EXPECT_EQ(PixelAt(img, 25, 0), 0xC3CECE);   // the rounded border, grown back to the edge
    EXPECT_EQ(PixelAt(img, 0, 0), clWhite);     // its corner is round

    b->SetFlat(false);
    const QImage up = RenderWidget(*b, clWhite);
    Mouse(b, QEvent::MouseButtonPress, {10, 10});
    EXPECT_NE(RenderWidget(*b, clWhite), up);
}

TEST_F(ButtonFixture, GlyphIsDrawnTransparent)
{
    QImage glyph(8, 8, QImage::Format_RGB32);
    glyph.fill(QColor(255, 0, 255));
    for (int y = 2; y < 6; ++y)
        for (int x = 2; x < 6; ++x)
            glyph.setPixel(x, y, qRgb(0, 0, 255));
    TDazGridButton *b = Add();
    b->SetColor(clWhite);
    b->SetGlyph(glyph);
    // Without a caption the glyph sits at the corner.
    QImage img = RenderWidget(*b);
    EXPECT_EQ(PixelAt(img, 3, 3), clBlue);
    EXPECT_EQ(PixelAt(img, 1, 1), clWhite);
    EXPECT_EQ(CountPixels(img, TRect(0, 0, 50, 22), clFuchsia), 0);

    // With a caption: left of it, centred vertically.
    b->SetCaption(QStringLiteral("x"));
    b->SetMargin(4);
    img = RenderWidget(*b);
    EXPECT_EQ(PixelAt(img, 1 + 4 + 3, 1 + 6 + 3), clBlue);   // client inset 1, y (20 - 8 + 1) div 2

    // Disabled: the grey copy.
    b->setEnabled(false);
    img = RenderWidget(*b);
    EXPECT_EQ(PixelAt(img, 1 + 4 + 3, 1 + 6 + 3), RGB(138, 138, 138));   // 96 + 85 div 2
}

TEST_F(ButtonFixture, CaptionCentredWithoutGlyph)
{
    TDazGridButton *b = Add();
    b->setGeometry(0, 0, 100, 22);
    b->SetCaption(QStringLiteral("Find &next"));
    QImage probe(1, 1, QImage::Format_RGB32);
    TCanvas canvas(&probe);
    const auto place = b->LayoutGlyphAndText(canvas, TRect(0, 0, 100, 22), TPoint(0, 0));
    // Spacing 4 counts as 0 without a glyph.
    EXPECT_LE(std::abs(place.TextBounds.Left + place.TextBounds.Right - 100), 1);
}

TEST_F(ButtonFixture, ActionLinkFollowsWhileInStep)
{
    QAction action(QStringLiteral("Go"));
    action.setCheckable(true);
    TDazGridButton *b = Add(3);
    b->SetAllowAllUp(true);
    b->SetAction(&action);
    EXPECT_EQ(b->Caption(), QStringLiteral("Go"));
    action.setText(QStringLiteral("Run"));
    EXPECT_EQ(b->Caption(), QStringLiteral("Run"));
    b->SetCaption(QStringLiteral("Own"));
    action.setText(QStringLiteral("Stop"));   // no longer the same caption: not linked
    EXPECT_EQ(b->Caption(), QStringLiteral("Own"));

    action.setChecked(true);
    EXPECT_TRUE(b->Down());
    action.setChecked(false);
    EXPECT_FALSE(b->Down());
    action.setProperty("GroupIndex", 4);   // the button's is 3: not linked
    EXPECT_EQ(b->GroupIndex(), 3);
    action.setProperty("GroupIndex", 3);
    action.setProperty("GroupIndex", 5);
    EXPECT_EQ(b->GroupIndex(), 5);

    int triggered = 0;
    QObject::connect(&action, &QAction::triggered, [&] { ++triggered; });
    b->OnClick = nullptr;
    b->Click();
    EXPECT_EQ(triggered, 1);
}

// The caption's accelerator clicks an enabled, visible button whose parent shows.
TEST_F(ButtonFixture, AcceleratorClicks)
{
    TDazGridButton *b = Add();
    b->SetCaption(QStringLiteral("Find &next"));
    QShortcut *shortcut = b->findChild<QShortcut *>();
    ASSERT_NE(shortcut, nullptr);
    EXPECT_EQ(shortcut->key(), QKeySequence(Qt::ALT | Qt::Key_N));
    auto press = [&] { QMetaObject::invokeMethod(shortcut, "activated"); };

    press();   // the parent is not shown yet
    EXPECT_EQ(clicks, 0);
    parent.show();
    press();
    EXPECT_EQ(clicks, 1);
    b->setEnabled(false);
    press();
    EXPECT_EQ(clicks, 1);
    b->setEnabled(true);
    b->hide();
    press();
    EXPECT_EQ(clicks, 1);
}

} // namespace
