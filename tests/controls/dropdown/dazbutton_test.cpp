// Header and footer push buttons: appearance, modal results, groups, toggling and faces.
#include "controls/dropdown/dazbutton.h"
#include "controls/dropdown/dropdownedit.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The editor as the buttons see it: it records how it was asked to close.
class RecordingDropDown : public TDazCustomDropDown
{
public:
    QStringList Hides;
    void DoHideDropDown(bool Cancelled) override { Hides << (Cancelled ? "cancel" : "accept"); }
};

void Mouse(QWidget *W, QEvent::Type Type, QPoint At)
{
    QMouseEvent e(Type, At, W->mapToGlobal(At), Qt::LeftButton,
                  Type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                  Qt::NoModifier);
    QApplication::sendEvent(W, &e);
}

void ClickAt(QWidget *W, QPoint At = {3, 3})
{
    Mouse(W, QEvent::MouseButtonPress, At);
    Mouse(W, QEvent::MouseButtonRelease, At);
}

TColor FaceOf(QWidget &Parent, QWidget &Button)
{
    QImage img(Parent.size(), QImage::Format_RGB32);
    Parent.render(&img);
    const QPoint p = Button.geometry().topLeft() + QPoint(2, 2);
    return FromQColor(QColor(img.pixel(p)));
}

TEST(DazButtonAppearance, DefaultsSettersAndAssign)
{
    TDazButtonAppearance a;
    EXPECT_EQ(a.ColorChecked(), TColor(0xF5D8CA));
    EXPECT_EQ(a.ColorCheckedTo(), TColor(0xF9BDA0));
    EXPECT_EQ(a.Color(), clNone);
    EXPECT_EQ(a.Gradient(), gdVertical);
    EXPECT_EQ(a.Font().Name, "Tahoma");
    int changes = 0;
    a.OnChange = [&](TObject *) { ++changes; };
    a.SetColor(clNone);
    EXPECT_EQ(changes, 0);
    a.SetColor(clRed);
    a.SetGradient(gdHorizontal);
    EXPECT_EQ(changes, 2);

    TDazButtonAppearance b;
    b.SetColorHot(0x123456);
    b.SetBorderColorChecked(0x654321);
    TFont big;
    big.Name = "DejaVu Sans";
    b.SetFont(big);
    changes = 0;
    TDazButtonAppearance c;
    c.OnChange = [&](TObject *) { ++changes; };
    c.Assign(&b);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(c.ColorHot(), TColor(0x123456));
    EXPECT_EQ(c.Font().Name, "Tahoma");
}

TEST(DazButton, ModalResultsCloseTheDropDown)
{
    const std::pair<int, const char *> cases[] = {
        {1, "accept"}, {6, "accept"}, {12, "accept"}, {14, "accept"}, {2, "cancel"},
        {3, "cancel"}, {5, "cancel"}, {7, "cancel"},  {13, "cancel"}, {0, nullptr},
        {4, nullptr},  {8, nullptr},  {11, nullptr},  {15, nullptr}};
    for (auto [result, closed] : cases) {
        RecordingDropDown edit;
        TDazButton b;
        b.DazDropDown = &edit;
        b.ModalResult = result;
        int clicks = 0;
        b.OnClick = [&](TObject *) { ++clicks; };
        ClickAt(&b);
        EXPECT_EQ(edit.Hides, closed ? QStringList{closed} : QStringList{}) << result;
        EXPECT_EQ(clicks, 1);
    }
}

TEST(DazButton, EnterOrSpaceClosesWithoutOnClick)
{
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {
        RecordingDropDown edit;
        TDazButton b;
        b.DazDropDown = &edit;
        b.ModalResult = 1;
        int clicks = 0;
        b.OnClick = [&](TObject *) { ++clicks; };
        QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(&b, &e);
        EXPECT_EQ(edit.Hides, QStringList{"accept"});
        EXPECT_EQ(clicks, 0);
    }
}

// Alt and the letter after "&" clicks the button from anywhere in its window, as a mouse
// click does (OnClick too), but not while it is disabled.
TEST(DazButton, CaptionAcceleratorClicks)
{
    RecordingDropDown edit;
    QWidget window;
    auto *b = new TDazButton(&window);
    auto *other = new QLineEdit(&window);
    other->move(0, 40);
    b->DazDropDown = &edit;
    b->ModalResult = 2;
    int clicks = 0;
    b->OnClick = [&](TObject *) { ++clicks; };
    b->SetCaption("&Cancel");
    window.show();
    QApplication::setActiveWindow(&window);
    other->setFocus();
    QTest::keyClick(other, Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(edit.Hides, QStringList{"cancel"});
    QTest::keyClick(other, Qt::Key_X, Qt::AltModifier);
    b->setEnabled(false);
    QTest::keyClick(other, Qt::Key_C, Qt::AltModifier);
    b->setEnabled(true);
    b->SetCaption("Close");   // no accelerator any more
    QTest::keyClick(other, Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(clicks, 1);
}

TEST(DazButton, GroupAndCheck)
{
    QWidget parent;
    auto *a = new TDazButton(&parent);
    auto *b = new TDazButton(&parent);
    a->GroupIndex = b->GroupIndex = 1;
    ClickAt(a);
    EXPECT_TRUE(a->Down());
    ClickAt(b);
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
    ClickAt(b);   // stays down without AllowAllUp
    EXPECT_TRUE(b->Down());
    b->SetAllowAllUp(true);
    ClickAt(b);
    EXPECT_FALSE(b->Down());

    TDazButton plain;
    plain.SetDown(true);   // neither grouped nor a check button
    EXPECT_FALSE(plain.Down());
    plain.Style = tasCheck;
    ClickAt(&plain);
    EXPECT_TRUE(plain.Down());
    ClickAt(&plain);
    EXPECT_FALSE(plain.Down());
}

TEST(DazButton, FaceColourByState)
{
    QWidget parent;
    parent.resize(100, 40);
    parent.setAutoFillBackground(true);
    QPalette pal;
    pal.setColor(QPalette::Window, Qt::red);
    parent.setPalette(pal);
    TDazButtonAppearance a;
    a.SetColor(0x00FF00);
    auto *b = new TDazButton(&parent);
    b->setGeometry(10, 10, 40, 20);
    EXPECT_EQ(FaceOf(parent, *b), TColor(0x0000FF));   // no appearance: the parent shows
    b->Appearance = &a;
    EXPECT_EQ(FaceOf(parent, *b), TColor(0x00FF00));
    QEnterEvent enter(QPointF(3, 3), QPointF(3, 3), QPointF(3, 3));
    QApplication::sendEvent(b, &enter);
    EXPECT_EQ(FaceOf(parent, *b), a.ColorHot());
    Mouse(b, QEvent::MouseButtonPress, {3, 3});
    EXPECT_EQ(FaceOf(parent, *b), a.ColorDown());
    // Dragged off: the button shows up again and a release outside does not click.
    int clicks = 0;
    b->OnClick = [&](TObject *) { ++clicks; };
    Mouse(b, QEvent::MouseMove, {80, 80});
    EXPECT_EQ(b->State(), absUp);
    b->UnHotTick({80, 80});
    EXPECT_EQ(FaceOf(parent, *b), TColor(0x00FF00));
    Mouse(b, QEvent::MouseButtonRelease, {80, 80});
    EXPECT_EQ(clicks, 0);
    b->Style = tasCheck;
    b->SetDown(true);
    EXPECT_EQ(FaceOf(parent, *b), a.ColorChecked());
    b->setEnabled(false);
    EXPECT_EQ(FaceOf(parent, *b), a.ColorDisabled());
}

// A focused button looks as a hot one does.
TEST(DazButton, FocusedLooksHot)
{
    QWidget parent;
    parent.resize(100, 40);
    TDazButtonAppearance a;
    a.SetColor(0x00FF00);
    auto *b = new TDazButton(&parent);
    b->setGeometry(10, 10, 40, 20);
    b->setFocusPolicy(Qt::StrongFocus);
    b->Appearance = &a;
    EXPECT_EQ(FaceOf(parent, *b), TColor(0x00FF00));
    parent.show();
    QApplication::setActiveWindow(&parent);
    b->setFocus();
    ASSERT_TRUE(b->hasFocus());
    EXPECT_FALSE(b->MouseInControl());
    EXPECT_EQ(FaceOf(parent, *b), a.ColorHot());
}

TEST(DazButton, EmptyButtonFitsToMargins)
{
    TDazButtonAppearance a;
    TDazButton b;
    b.AutoSizeButton();   // no appearance: unchanged
    EXPECT_EQ(b.size(), QSize(23, 22));
    b.Appearance = &a;
    b.AutoSizeButton();
    EXPECT_EQ(b.size(), QSize(8, 4));
    b.SetCaption("OK");
    b.AutoSizeButton();
    EXPECT_GT(b.width(), 8);
}

}   // namespace
