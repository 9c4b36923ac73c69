// The drop-down edit's button: fixed width, click on a left release, and its faces.
#include "controls/dropdown/dropdownbutton.h"
#include "controls/dropdown/dropdownedit.h"

#include "platform/parttheme.h"

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

TColor Pixel(const QImage &Img, int X, int Y)
{
    return FromQColor(QColor(Img.pixel(X, Y)));
}

void Mouse(QWidget *W, QEvent::Type Type, Qt::MouseButton Button, QPoint At)
{
    QMouseEvent e(Type, At, W->mapToGlobal(At), Button,
                  Type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Button),
                  Qt::NoModifier);
    QApplication::sendEvent(W, &e);
}

void Enter(QWidget *W)
{
    QEnterEvent e(QPointF(3, 3), QPointF(3, 3), QPointF(3, 3));
    QApplication::sendEvent(W, &e);
}

// A drop-down edit holding a button sized as the edit sizes it.
struct Host
{
    TFakePartThemeGuard Theme;   // classic unless a test turns the style on
    TDazCustomDropDown Edit;
    TDropDownEditButton *Button;
    Host()
    {
        Theme.Fake.Active = false;
        Button = new TDropDownEditButton(&Edit);
        Button->SetBounds(0, 0, 40, 17);
    }
};

TEST(DropDownEditButton, KeepsItsWidthExceptWhileLoading)
{
    Host h;
    h.Edit.show();   // a hidden widget gets its resize event only when shown
    EXPECT_EQ(h.Button->width(), 16);
    EXPECT_EQ(h.Button->Button()->geometry(), QRect(0, 0, 16, 17));
    h.Button->resize(50, 20);
    EXPECT_EQ(h.Button->width(), 16);
    EXPECT_EQ(h.Button->Button()->height(), 20);
    h.Button->FBWidth = 21;
    h.Button->SetBounds(3, 0, 99, 17);
    EXPECT_EQ(h.Button->geometry(), QRect(3, 0, 21, 17));
    h.Button->SetLoading(true);
    h.Button->SetBounds(3, 0, 99, 17);
    EXPECT_EQ(h.Button->width(), 99);
    h.Button->SetLoading(false);
    EXPECT_EQ(h.Button->width(), 21);
    EXPECT_EQ(h.Button->Button()->width(), 21);
}

TEST(DropDownEditButton, LeftReleaseClicksWhereverTheMouseIs)
{
    Host h;
    int clicks = 0;
    TObject *sender = nullptr;
    h.Button->OnClick = [&](TObject *S) { ++clicks, sender = S; };
    QWidget *inner = h.Button->Button();
    Mouse(inner, QEvent::MouseButtonPress, Qt::LeftButton, {5, 5});
    Mouse(inner, QEvent::MouseButtonRelease, Qt::LeftButton, {500, 500});
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(sender, static_cast<TObject *>(h.Button));
    Mouse(inner, QEvent::MouseButtonPress, Qt::RightButton, {5, 5});
    Mouse(inner, QEvent::MouseButtonRelease, Qt::RightButton, {5, 5});
    EXPECT_EQ(clicks, 1);
}

TEST(DropDownEditButton, FocusControlForgetsADestroyedControl)
{
    Host h;
    auto *other = new QWidget;
    h.Button->SetFocusControl(other);
    EXPECT_EQ(h.Button->FocusControl(), other);
    delete other;
    EXPECT_EQ(h.Button->FocusControl(), nullptr);
}

TEST(DropDownEditButton, CustomColoursPressedWinsOverHot)
{
    Host h;
    TDropDownEditButton &b = *h.Button;
    h.Edit.BorderColor = 0x0000FF;
    b.ButtonColor = 0x00FF00;
    b.ButtonColorHot = 0xFF0000;
    b.ButtonColorDown = 0x00FFFF;
    b.ButtonTextColor = 0x000080;
    b.ButtonTextColorHot = 0x008000;
    b.ButtonTextColorDown = 0x800000;
    struct Case
    {
        bool Hot, Down;
        TColor Face, Arrow;
    } cases[] = {{false, false, 0x00FF00, 0x000080},
                 {true, false, 0xFF0000, 0x008000},
                 {true, true, 0x00FFFF, 0x800000}};
    QWidget *inner = b.Button();
    for (const Case &c : cases) {
        if (c.Hot)
            Enter(inner);
        if (c.Down)
            Mouse(inner, QEvent::MouseButtonPress, Qt::LeftButton, {5, 5});
        const QImage img = Render(*inner);
        EXPECT_EQ(Pixel(img, 14, 14), c.Face) << c.Hot << c.Down;
        EXPECT_EQ(Pixel(img, 8, 8), c.Arrow) << c.Hot << c.Down;
        EXPECT_EQ(Pixel(img, 0, 5), TColor(0x0000FF));
    }
    // After SetUp it never looks pressed, even held down.
    b.Button()->SetUp();
    EXPECT_FALSE(b.Button()->Pressed());
    EXPECT_EQ(Pixel(Render(*inner), 14, 14), TColor(0xFF0000));
}

TEST(DropDownEditButton, ClassicArrowIsFixedWhateverTheSize)
{
    Host h;
    for (QSize size : {QSize(16, 17), QSize(16, 40)}) {
        h.Button->resize(size);
        const QImage img = Render(*h.Button->Button());
        EXPECT_EQ(Pixel(img, 8, 8), clBlack);
        EXPECT_EQ(Pixel(img, 6, 7), clBlack);
        EXPECT_NE(Pixel(img, 8, 11), clBlack);
        EXPECT_EQ(Pixel(img, 1, 1), clWhite);
    }
}

TEST(DropDownEditButton, ThemedArrowFollowsTheEditsReadOnly)
{
    Host h;
    h.Theme.Fake.Active = true;
    auto *b = new TDropDownEditButton(&h.Edit);
    b->SetBounds(0, 0, 16, 17);
    auto state = [&] {
        h.Theme.Fake.Draws.clear();
        Render(*b->Button());
        EXPECT_EQ(h.Theme.Fake.Draws.size(), 1u);
        return h.Theme.Fake.Draws.empty() ? -1 : h.Theme.Fake.Draws[0].State;
    };
    h.Edit.setReadOnly(true);
    EXPECT_EQ(state(), PBS_DISABLED);
    EXPECT_EQ(h.Theme.Fake.Draws[0].ClassName, ThemeClassComboBox);
    EXPECT_EQ(h.Theme.Fake.Draws[0].Part, CP_DROPDOWNBUTTON);
    h.Edit.setReadOnly(false);
    EXPECT_EQ(state(), PBS_NORMAL);
    Enter(b->Button());
    EXPECT_EQ(state(), PBS_HOT);
    Mouse(b->Button(), QEvent::MouseButtonPress, Qt::LeftButton, {5, 5});
    EXPECT_EQ(state(), PBS_PRESSED);
    // Flush on the newer generation, inflated by one and moved in by two before it.
    EXPECT_EQ(h.Theme.Fake.Draws[0].Rect, TRect(1, 0, 16, 17));
    h.Theme.Fake.Vista = false;
    state();
    EXPECT_EQ(h.Theme.Fake.Draws[0].Rect, TRect(1, -1, 17, 18));
    // Without an active style the classic arrow is drawn and nothing themed.
    h.Theme.Fake.Active = false;
    h.Theme.Fake.Draws.clear();
    EXPECT_EQ(Pixel(Render(*b->Button()), 8, 8), clBlack);
    EXPECT_TRUE(h.Theme.Fake.Draws.empty());
}

TEST(DropDownEditButton, ButtonLookThemedPushButton)
{
    Host h;
    h.Theme.Fake.Active = true;
    auto *b = new TDropDownEditButton(&h.Edit);
    b->SetBounds(0, 0, 16, 17);
    b->SetButtonStyle(bsButton);
    b->SetButtonCaption("...");
    Render(*b->Button());
    ASSERT_EQ(h.Theme.Fake.Draws.size(), 1u);
    EXPECT_EQ(h.Theme.Fake.Draws[0].ClassName, ThemeClassButton);
    EXPECT_EQ(h.Theme.Fake.Draws[0].Part, BP_PUSHBUTTON);
    EXPECT_EQ(h.Theme.Fake.Draws[0].State, PBS_NORMAL);
    EXPECT_EQ(h.Theme.Fake.Draws[0].Rect, TRect(0, 0, 17, 18));
}

// The button look places a glyph 2 pixels in (4 with a caption after it, centred without
// one) and vertically centred, shifted by one while down; the flat classic look 3 pixels in.
TEST(DropDownEditButton, ButtonLookGlyphPlacement)
{
    Host h;
    h.Theme.Fake.Active = true;
    auto *b = new TDropDownEditButton(&h.Edit);
    b->SetBounds(0, 0, 16, 20);
    b->FBWidth = 40;
    b->SetBounds(0, 0, 40, 20);
    b->SetButtonStyle(bsButton);
    QImage glyph(8, 8, QImage::Format_RGB32);
    glyph.fill(Qt::red);
    glyph.setPixelColor(0, 7, Qt::white);   // the transparent colour of the themed look
    glyph.setPixelColor(0, 0, Qt::white);   // and of the flat look
    b->SetGlyph(glyph);
    auto redAt = [&](int X, int Y) { return Pixel(Render(*b->Button()), X, Y) == clRed; };
    EXPECT_TRUE(redAt(17, 7));    // no caption: centred at 2 + (36 - 8) / 2
    EXPECT_FALSE(redAt(5, 7));
    b->SetButtonCaption("x");
    EXPECT_TRUE(redAt(5, 7));     // before the caption: at (4, 6)
    EXPECT_FALSE(redAt(4, 13));   // the transparent corner
    EXPECT_TRUE(redAt(11, 13));
    Mouse(b->Button(), QEvent::MouseButtonPress, Qt::LeftButton, {5, 5});
    EXPECT_FALSE(redAt(4, 6));
    EXPECT_TRUE(redAt(12, 14));   // down: one pixel further
    Mouse(b->Button(), QEvent::MouseButtonRelease, Qt::LeftButton, {5, 5});

    h.Theme.Fake.Active = false;
    b->Button()->SetFlat(true);
    b->SetButtonCaption("");
    EXPECT_TRUE(redAt(4, 3));     // the flat look: 3 pixels in, top-left
    EXPECT_FALSE(redAt(3, 3));    // its transparent corner
    EXPECT_FALSE(redAt(4, 2));
}

// The real service draws both parts with the widget style in every state, and knows no
// other part.
TEST(PartTheme, StyleDrawsTheTwoPartsInEveryState)
{
    QWidget host;
    for (const QString &cls : {ThemeClassComboBox, ThemeClassButton}) {
        for (int state = PBS_NORMAL; state <= PBS_DISABLED; ++state) {
            QImage img(20, 20, QImage::Format_RGB32);
            img.fill(Qt::magenta);
            {
                TCanvas canvas(&img);
                EXPECT_TRUE(
                    PartTheme().DrawPart(canvas, &host, cls, 1, state, TRect(2, 2, 18, 18)));
            }
            EXPECT_NE(img.pixel(10, 10), QColor(Qt::magenta).rgb()) << cls.toStdString() << state;
            EXPECT_EQ(img.pixel(0, 0), QColor(Qt::magenta).rgb()) << cls.toStdString() << state;
        }
    }
    QImage img(20, 20, QImage::Format_RGB32);
    TCanvas canvas(&img);
    EXPECT_FALSE(PartTheme().DrawPart(canvas, &host, ThemeClassButton, 2, PBS_NORMAL,
                                      TRect(0, 0, 20, 20)));
    EXPECT_TRUE(PartTheme().ThemedCommonControls() && PartTheme().IsThemeActive());
}

}   // namespace
