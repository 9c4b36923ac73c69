// Opening and closing the drop-down window: defaults, placement on the (fake) screen, the
// remembered size, deactivation, the re-open delay, keys and the window's background.
#include "controls/dropdown/dropdownbutton.h"
#include "controls/dropdown/dropdownedit.h"
#include "controls/dropdown/dropdownform.h"
#include "controls/dropdown/dropdownpanels.h"
#include "controls/dropdown/dropdownscreen.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <gtest/gtest.h>

namespace {

class DropDownOpenTest : public ::testing::Test
{
protected:
    TFakeDropDownScreenGuard Screen;
    TDazCustomDropDown Edit;
    QWidget *Control = new QWidget;

    DropDownOpenTest()
    {
        Edit.InitializeDropDown();
        Edit.DropDownHeader().SetVisible(false);
        Edit.DropDownFooter().SetVisible(false);
        Control->resize(150, 100);
        Edit.SetDropDownControl(Control);
        Edit.move(10, 100);
        Edit.show();
    }
    ~DropDownOpenTest() override { Edit.HideDropDown(false); }
    QRect Form() const { return Edit.DropDownForm()->geometry(); }
    void Key(int K, Qt::KeyboardModifiers M = Qt::NoModifier)
    {
        QKeyEvent e(QEvent::KeyPress, K, M);
        QApplication::sendEvent(&Edit, &e);
    }
};

TEST(DropDownDefaults, AfterConstruction)
{
    TDazCustomDropDown e;
    e.InitializeDropDown();
    EXPECT_EQ(e.size(), QSize(200, 21));
    EXPECT_EQ(e.Version(), "1.2.1.4");
    EXPECT_EQ(e.GetVersionNr(), 0x01020104u);
    EXPECT_EQ(e.DropDownButtonWidth(), 17);
    ASSERT_NE(e.Button(), nullptr);
    EXPECT_EQ(e.Button()->FBWidth, 16);
    e.SetDropDownButtonWidth(20);
    EXPECT_EQ(e.Button()->FBWidth, 20);
    EXPECT_EQ(e.DropDownBorderWidth, 1);
    EXPECT_TRUE(e.DropDownShadow);
    EXPECT_TRUE(e.DropDownSizeable);
    EXPECT_TRUE(e.EditorEnabled());
    EXPECT_EQ(e.DropPosition, dpAuto);
    EXPECT_EQ(e.SelectionColor, TColor(0xD7FFFD));
    EXPECT_EQ(e.SelectionColorTo, TColor(0x58D4FC));
    EXPECT_FALSE(e.DroppedDown());
    EXPECT_EQ(e.UserDropDownSize(), QSize(-1, -1));
}

TEST_F(DropDownOpenTest, RefusedOpeningStillInitialisesPanels)
{
    Edit.DropDownHeader().SetVisible(true);
    QStringList seen;
    Edit.OnBeforeDropDown = [&](TObject *) { seen << "before"; };
    Edit.OnDropDown = [&](TObject *, bool &Accept) { seen << "drop", Accept = false; };
    Edit.ShowDropDown();
    EXPECT_EQ(seen, QStringList({"before", "drop"}));
    EXPECT_FALSE(Edit.DroppedDown());
    EXPECT_FALSE(Edit.DropDownForm()->isVisible());
    EXPECT_NE(Edit.DropDownForm()->Header(), nullptr);
}

TEST_F(DropDownOpenTest, ReadOnlyOrDisabledNeverOpens)
{
    for (int way = 0; way < 3; ++way) {
        for (bool readOnly : {true, false}) {
            Edit.setReadOnly(readOnly);
            Edit.setEnabled(readOnly);
            if (way == 0)
                Edit.ShowDropDown();
            else if (way == 1)
                Edit.ButtonClick();
            else
                Edit.WMKeyDown(Qt::Key_F4, Qt::NoModifier);
            EXPECT_FALSE(Edit.DroppedDown()) << way << readOnly;
        }
    }
}

TEST_F(DropDownOpenTest, PlacementByScreen)
{
    Edit.SetDropDownWidth(150);
    Edit.SetDropDownHeight(102);
    // Edit positions by where the edit's top-left lands on the screen.
    const QPoint frame = Edit.mapToGlobal(QPoint(0, 0)) - Edit.pos();
    struct Case
    {
        QPoint At;   // the edit's top-left on the screen
        QPoint FormAt;
    } cases[] = {
        {{10, 600}, {10, 620}},      // below although the work area ends at 728
        {{10, 700}, {10, 598}},      // would reach the screen's bottom: above
        {{950, 100}, {874, 120}},    // moved left to the work area's right edge
        {{1030, 100}, {1030, 120}},  // starts beyond it: not moved
    };
    for (const Case &c : cases) {
        Edit.move(c.At - frame);
        Edit.ShowDropDown();
        ASSERT_TRUE(Edit.DroppedDown());
        EXPECT_EQ(Form(), QRect(c.FormAt, QSize(150, 102))) << c.At.x() << "," << c.At.y();
        Edit.HideDropDown(false);
        Edit.SetDropDownWidth(1);   // forget the remembered size
        Edit.SetDropDownWidth(150);
    }
}

TEST_F(DropDownOpenTest, MinimumAndRememberedSize)
{
    Edit.SetDropDownWidth(20);
    Edit.SetDropDownHeight(10);
    Edit.ShowDropDown();
    EXPECT_EQ(Form().size(), QSize(80, 50));
    Edit.DropDownForm()->resize(300, 200);
    Edit.HideDropDown(false);
    Edit.ShowDropDown();
    EXPECT_EQ(Form().size(), QSize(300, 200));
    Edit.HideDropDown(false);
    Edit.ShowDropDown();   // the size shown last, without resizing
    EXPECT_EQ(Form().size(), QSize(300, 200));
    Edit.HideDropDown(false);
    Edit.SetDropDownWidth(120);
    Edit.SetDropDownHeight(90);
    Edit.ShowDropDown();
    EXPECT_EQ(Form().size(), QSize(120, 90));
}

TEST_F(DropDownOpenTest, CancelRestoresTheLastSetText)
{
    Edit.SetText("first");
    Edit.ShowDropDown();
    Edit.SetText("second");
    Edit.SetTextUnformatted("typed");
    Edit.HideDropDown(true);
    EXPECT_EQ(Edit.text(), "second");
    EXPECT_FALSE(Edit.DroppedDown());
}

TEST_F(DropDownOpenTest, DeactivationClosesAndDelaysReopening)
{
    TDropDownForm &form = *Edit.DropDownForm();
    Edit.SetText("kept");
    Edit.ShowDropDown();
    Edit.SetTextUnformatted("changed");
    form.BlockActivate = true;
    form.Deactivated(nullptr);
    EXPECT_TRUE(Edit.DroppedDown());
    EXPECT_EQ(form.DeActivateTime(), 0u);
    form.BlockActivate = false;
    form.Deactivated(Control);   // a control inside it: stays open
    EXPECT_TRUE(Edit.DroppedDown());
    form.Deactivated(nullptr);
    EXPECT_FALSE(Edit.DroppedDown());
    EXPECT_EQ(Edit.text(), "kept");   // cancelled
    EXPECT_EQ(form.DeActivateTime(), Screen.Fake.Tick);
    Screen.Fake.Tick += 250;
    Edit.ButtonClick();
    EXPECT_FALSE(Edit.DroppedDown());
    Screen.Fake.Tick += 1;
    Edit.ButtonClick();
    EXPECT_TRUE(Edit.DroppedDown());
    // Accepted when CancelOnDeActivate is off.
    form.CancelOnDeActivate = false;
    Edit.SetTextUnformatted("new");
    form.Deactivated(nullptr);
    EXPECT_EQ(Edit.text(), "new");
}

TEST_F(DropDownOpenTest, KeysToggleAndClose)
{
    int cancelled = -1;
    Edit.OnDropUp = [&](TObject *, bool C) { cancelled = C; };
    Key(Qt::Key_Down, Qt::AltModifier);
    EXPECT_TRUE(Edit.DroppedDown());
    Key(Qt::Key_Up, Qt::AltModifier);
    EXPECT_FALSE(Edit.DroppedDown());
    EXPECT_EQ(cancelled, 0);
    Key(Qt::Key_F4);
    EXPECT_TRUE(Edit.DroppedDown());
    Key(Qt::Key_Escape);
    EXPECT_FALSE(Edit.DroppedDown());
    EXPECT_EQ(cancelled, 1);
    Key(Qt::Key_F4);
    Key(Qt::Key_Return, Qt::ControlModifier);   // reaches neither
    EXPECT_TRUE(Edit.DroppedDown());
    Key(Qt::Key_Return);
    EXPECT_FALSE(Edit.DroppedDown());
    EXPECT_EQ(cancelled, 0);
}

TEST_F(DropDownOpenTest, BackgroundAndBorder)
{
    TDropDownForm &form = *Edit.DropDownForm();
    form.resize(40, 30);
    auto render = [&] {
        QImage img(40, 30, QImage::Format_RGB32);
        img.fill(Qt::magenta);
        form.render(&img, QPoint(), QRegion(), QWidget::RenderFlags());
        return img;
    };
    Edit.DropDownBorderWidth = 3;
    Edit.DropDownColorTo = clNone;        // a plain fill
    Edit.DropDownColor = 0x0000FF;        // red
    Edit.DropDownBorderColor = 0xFF0000;  // blue
    QImage img = render();
    EXPECT_EQ(QColor(img.pixel(20, 15)), QColor(Qt::red));
    EXPECT_EQ(QColor(img.pixel(3, 15)), QColor(Qt::red));
    EXPECT_EQ(QColor(img.pixel(1, 15)), QColor(Qt::blue));
    EXPECT_EQ(QColor(img.pixel(36, 15)), QColor(Qt::red));
    EXPECT_EQ(QColor(img.pixel(39, 15)), QColor(Qt::blue));
    Edit.DropDownColor = clNone;
    Edit.DropDownBorderColor = clNone;
    img = render();
    EXPECT_EQ(QColor(img.pixel(20, 15)), QColor(Qt::magenta));
}

}   // namespace
