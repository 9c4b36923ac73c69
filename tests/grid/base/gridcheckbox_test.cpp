#include "grid/base/gridcheckbox.h"
#include "paintutil.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QShortcut>
#include <gtest/gtest.h>

namespace {

// A shown, active window holding one check box, so that clicks can focus it.
struct CheckBoxFixture : ::testing::Test {
    QWidget window;
    TDazCheckBox *box = new TDazCheckBox(&window);
    int clicks = 0;

    CheckBoxFixture()
    {
        window.resize(200, 60);
        window.setPalette(QPalette(QColor(0xFF, 0, 0)));
        window.setAutoFillBackground(true);
        box->move(10, 10);
        box->OnClick = [this](QObject *sender) {
            EXPECT_EQ(sender, box);
            ++clicks;
        };
        window.show();
        QApplication::setActiveWindow(&window);
    }

    void Mouse(QEvent::Type type, QPoint at)
    {
        const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent e(type, at, box->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(box, &e);
    }
    void ClickAt(QPoint at, QPoint releaseAt)
    {
        Mouse(QEvent::MouseButtonPress, at);
        Mouse(QEvent::MouseMove, releaseAt);
        Mouse(QEvent::MouseButtonRelease, releaseAt);
    }
    void Key(QEvent::Type type, int key)
    {
        QKeyEvent e(type, key, Qt::NoModifier, key == Qt::Key_Space ? QStringLiteral(" ") : QString());
        QApplication::sendEvent(box, &e);
    }
};

TEST_F(CheckBoxFixture, Defaults)
{
    EXPECT_EQ(box->Caption(), QStringLiteral("TDazCheckBox"));
    EXPECT_EQ(box->size(), QSize(98, 20));
    EXPECT_EQ(box->State(), cbUnchecked);
    EXPECT_FALSE(box->Checked());
    EXPECT_FALSE(box->TabStop());
    EXPECT_EQ(box->Alignment(), taLeftJustify);
    EXPECT_EQ(box->ButtonVertAlign(), tlTop);
}

TEST_F(CheckBoxFixture, ToggleGoesThroughGrayedToChecked)
{
    const struct {
        TCheckBoxState From, To;
        bool ReadOnly;
    } cases[] = {{cbUnchecked, cbChecked, false}, {cbChecked, cbUnchecked, false},
                 {cbGrayed, cbChecked, false}, {cbGrayed, cbGrayed, true},
                 {cbChecked, cbChecked, true}};
    for (const auto &c : cases) {
        box->SetReadOnly(c.ReadOnly);
        box->SetState(c.From);
        box->Toggle();
        EXPECT_EQ(box->State(), c.To) << c.From << " read-only " << c.ReadOnly;
    }
}

TEST_F(CheckBoxFixture, ClickInsideTogglesAndClicks)
{
    ClickAt({30, 10}, {31, 11});
    EXPECT_TRUE(box->hasFocus());
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(box->IsDown());
    ClickAt({30, 10}, {30, 10});
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(clicks, 2);
}

TEST_F(CheckBoxFixture, ReleaseOutsideNeitherTogglesNorClicks)
{
    Mouse(QEvent::MouseButtonPress, {30, 10});
    EXPECT_TRUE(box->IsDown());
    Mouse(QEvent::MouseMove, {150, 10});
    EXPECT_FALSE(box->IsDown());
    Mouse(QEvent::MouseMove, {98, 20});   // the far edges still count as inside
    EXPECT_TRUE(box->IsDown());
    Mouse(QEvent::MouseButtonRelease, {150, 10});
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(clicks, 0);
}

TEST_F(CheckBoxFixture, ReadOnlyStillClicks)
{
    box->SetReadOnly(true);
    ClickAt({5, 5}, {5, 5});
    Key(QEvent::KeyPress, Qt::Key_Space);
    Key(QEvent::KeyRelease, Qt::Key_Space);
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(clicks, 2);
}

TEST_F(CheckBoxFixture, SpaceBarTogglesOnRelease)
{
    Key(QEvent::KeyPress, Qt::Key_Space);
    EXPECT_TRUE(box->IsDown());
    EXPECT_FALSE(box->Checked());
    Key(QEvent::KeyRelease, Qt::Key_Space);
    EXPECT_FALSE(box->IsDown());
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(clicks, 1);
    Key(QEvent::KeyRelease, Qt::Key_A);   // other keys do nothing
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(clicks, 1);
}

TEST_F(CheckBoxFixture, BoxPlacement)
{
    const struct {
        TAlignment Align;
        TTextLayout VAlign;
        TRect Box;
    } cases[] = {{taLeftJustify, tlTop, {0, 4, 14, 18}},    {taLeftJustify, tlCenter, {0, 14, 14, 28}},
                 {taLeftJustify, tlBottom, {0, 26, 14, 40}}, {taRightJustify, tlTop, {83, 4, 97, 18}},
                 {taRightJustify, tlBottom, {83, 26, 97, 40}}};
    box->resize(98, 40);
    for (const auto &c : cases) {
        box->SetAlignment(c.Align);
        box->SetButtonVertAlign(c.VAlign);
        EXPECT_EQ(box->BoxRect(), c.Box) << c.Align << "," << c.VAlign;
    }
}

TEST_F(CheckBoxFixture, ThemeStatePriorities)
{
    box->SetState(cbChecked);
    EXPECT_EQ(box->BoxThemeState(), 5);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(box, &enter);
    EXPECT_EQ(box->BoxThemeState(), 6);   // hot
    Key(QEvent::KeyPress, Qt::Key_Space);
    EXPECT_EQ(box->BoxThemeState(), 7);   // pressed wins over hot
    box->setEnabled(false);
    EXPECT_EQ(box->BoxThemeState(), 8);   // disabled wins over pressed
    box->setEnabled(true);
    box->SetState(cbGrayed);
    EXPECT_EQ(box->BoxThemeState(), 11);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(box, &leave);
    Key(QEvent::KeyRelease, Qt::Key_Space);
    box->SetState(cbUnchecked);
    EXPECT_EQ(box->BoxThemeState(), 1);
}

// Pixels that are neither of the two background colours.
int Drawn(const QImage &img, const TRect &r)
{
    return r.Width() * r.Height() - CountPixels(img, r, clWhite) - CountPixels(img, r, clRed);
}

TEST_F(CheckBoxFixture, PaintsBoxAndCaptionWhereTheyBelong)
{
    box->SetCaption(QStringLiteral("Case"));
    box->SetColor(clWhite);
    QImage img = RenderWidget(*box);
    EXPECT_GT(Drawn(img, TRect(0, 4, 14, 18)), 20);     // the box
    EXPECT_GT(Drawn(img, TRect(15, 4, 90, 20)), 10);    // the caption
    EXPECT_EQ(Drawn(img, TRect(80, 0, 98, 20)), 0);
    EXPECT_EQ(PixelAt(img, 50, 1), clWhite);

    box->SetAlignment(taRightJustify);
    img = RenderWidget(*box);
    EXPECT_GT(Drawn(img, TRect(83, 4, 97, 18)), 20);
    EXPECT_EQ(Drawn(img, TRect(0, 0, 6, 20)), 0);
    EXPECT_GT(Drawn(img, TRect(6, 4, 80, 20)), 10);

    // Checked and unchecked boxes look different.
    box->SetAlignment(taLeftJustify);
    const QImage off = RenderWidget(*box).copy(0, 4, 14, 14);
    box->SetChecked(true);
    EXPECT_NE(RenderWidget(*box).copy(0, 4, 14, 14), off);
}

TEST_F(CheckBoxFixture, TransparentShowsTheParent)
{
    box->SetCaption(QString());
    box->SetColor(clWhite);
    EXPECT_EQ(PixelAt(RenderWidget(window), 10 + 50, 10 + 10), clWhite);
    box->SetTransparent(true);
    EXPECT_EQ(PixelAt(RenderWidget(window), 10 + 50, 10 + 10), clRed);
    box->SetTransparent(false);
    box->SetParentColor(true);
    EXPECT_EQ(PixelAt(RenderWidget(window), 10 + 50, 10 + 10), clRed);
}

TEST_F(CheckBoxFixture, DisabledCaptionIsEmbossed)
{
    box->SetCaption(QStringLiteral("HHHH"));
    box->SetColor(0x00C000);
    TFont big = box->Font();
    big.Size = 20;
    big.Style = fsBold;
    box->SetFont(big);   // strokes wider than the one-pixel shift
    box->setEnabled(false);
    const QImage img = RenderWidget(*box);
    // Text is antialiased: count pixels close to the two colours.
    auto near = [&](TColor c) {
        int n = 0;
        for (int y = 4; y < 20; ++y)
            for (int x = 15; x < 60; ++x) {
                const TColor p = PixelAt(img, x, y);
                n += std::abs(GetRValue(p) - GetRValue(c)) < 24 && std::abs(GetGValue(p) - GetGValue(c)) < 24 &&
                     std::abs(GetBValue(p) - GetBValue(c)) < 24;
            }
        return n;
    };
    EXPECT_GT(near(clWhite), 5);
    EXPECT_GT(near(clGray), 5);
}

TEST_F(CheckBoxFixture, FocusRectangleFollowsTheCaption)
{
    box->SetCaption(QStringLiteral("Case"));
    box->SetColor(clWhite);
    const QImage plain = RenderWidget(*box);
    box->setFocus();
    ASSERT_TRUE(box->hasFocus());
    const QImage focused = RenderWidget(*box);
    // The top edge runs along the text rectangle's top, right of the box.
    EXPECT_EQ(Drawn(plain, TRect(14, 4, 40, 5)), 0);
    EXPECT_GT(Drawn(focused, TRect(14, 4, 40, 5)), 5);
}

// The caption's accelerator toggles without a click and takes the focus only with TabStop.
TEST_F(CheckBoxFixture, AcceleratorTogglesWithoutClicking)
{
    box->SetCaption(QStringLiteral("&Match case"));
    QShortcut *shortcut = box->findChild<QShortcut *>();
    ASSERT_NE(shortcut, nullptr);
    EXPECT_EQ(shortcut->key(), QKeySequence(Qt::ALT | Qt::Key_M));
    auto press = [&] { QMetaObject::invokeMethod(shortcut, "activated"); };

    press();
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(box->hasFocus());
    box->SetTabStop(true);
    press();
    EXPECT_FALSE(box->Checked());
    EXPECT_TRUE(box->hasFocus());
    box->SetReadOnly(true);
    press();
    EXPECT_FALSE(box->Checked());
    box->SetReadOnly(false);
    box->setEnabled(false);
    press();
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(clicks, 0);
}

} // namespace
