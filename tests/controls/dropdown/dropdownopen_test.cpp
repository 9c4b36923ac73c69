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
#include <QMouseEvent>
#include <QWheelEvent>
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

namespace {

// Assign copies the settings (typing ones as fields, without re-formatting), the
// appearances, the button's width, hint, glyph and caption, but never the text.
TEST(DropDownAssign, CopiesSettingsNotText)
{
    TDazCustomDropDown source, target;
    source.InitializeDropDown();
    target.InitializeDropDown();
    source.FocusDraw = false;
    source.ForceShadow = true;
    source.DropDownEnabled = true;
    source.DropDownColor = 0x010203;
    source.DropDownColorTo = 0x040506;
    source.DropDownGradient = gdVertical;
    source.DropDownBorderColor = 0x070809;
    source.DropDownBorderWidth = 3;
    source.DropDownShadow = false;
    source.SetDropDownWidth(300);
    source.SetDropDownHeight(120);
    source.DropDownSizeable = false;
    source.ReturnIsTab = true;
    source.LengthLimit = 5;
    source.SetPrefix("<");
    source.SetSuffix(">");
    source.DefaultHandling = false;
    source.CanUndo = false;
    source.ExcelStyleDecimalSeparator = true;
    source.ValidChars = "xyz";
    source.Signed = true;
    source.AutoThousandSeparator = false;
    source.ButtonAppearance().SetColorHot(0x111111);
    source.DropDownHeader().SetCaption("Head");
    source.DropDownFooter().SetColor(0x222222);
    source.DropPosition = dpUp;
    source.Flat = true;
    source.Etched = true;
    source.SetDropDownButtonWidth(24);
    source.SetDropDownButtonHint("Open");
    QImage glyph(8, 8, QImage::Format_RGB32);
    glyph.fill(Qt::red);
    source.SetDropDownButtonGlyph(glyph);
    source.Button()->SetButtonCaption("...");
    source.SetEditorEnabled(false);
    source.SetSelectionColorStyle(scWindows7);
    source.SetEditType(etMoney);
    source.SetPrecision(2);
    source.SetText("1234");
    target.SetText("keep me");

    target.Assign(&source);
    EXPECT_FALSE(target.FocusDraw);
    EXPECT_TRUE(target.ForceShadow);
    EXPECT_TRUE(target.DropDownEnabled);
    EXPECT_EQ(target.DropDownColor, TColor(0x010203));
    EXPECT_EQ(target.DropDownColorTo, TColor(0x040506));
    EXPECT_EQ(target.DropDownGradient, gdVertical);
    EXPECT_EQ(target.DropDownBorderColor, TColor(0x070809));
    EXPECT_EQ(target.DropDownBorderWidth, 3);
    EXPECT_FALSE(target.DropDownShadow);
    EXPECT_EQ(target.DropDownWidth(), 300);
    EXPECT_EQ(target.DropDownHeight(), 120);
    EXPECT_FALSE(target.DropDownSizeable);
    EXPECT_TRUE(target.ReturnIsTab);
    EXPECT_EQ(target.LengthLimit, 5);
    EXPECT_EQ(target.Prefix(), "<");
    EXPECT_EQ(target.Suffix(), ">");
    EXPECT_FALSE(target.DefaultHandling);
    EXPECT_FALSE(target.CanUndo);
    EXPECT_TRUE(target.ExcelStyleDecimalSeparator);
    EXPECT_EQ(target.ValidChars, "xyz");
    EXPECT_TRUE(target.Signed);
    EXPECT_FALSE(target.AutoThousandSeparator);
    EXPECT_EQ(target.ButtonAppearance().ColorHot(), TColor(0x111111));
    EXPECT_EQ(target.DropDownHeader().Caption(), "Head");
    EXPECT_EQ(target.DropDownFooter().Color(), TColor(0x222222));
    EXPECT_EQ(target.DropPosition, dpUp);
    EXPECT_TRUE(target.Flat);
    EXPECT_TRUE(target.Etched);
    EXPECT_EQ(target.DropDownButtonWidth(), 24);
    EXPECT_EQ(target.Button()->FBWidth, 24);
    EXPECT_EQ(target.DropDownButtonHint(), "Open");
    EXPECT_EQ(target.Button()->toolTip(), "Open");
    EXPECT_EQ(target.DropDownButtonGlyph().pixelColor(1, 1), QColor(Qt::red));
    EXPECT_EQ(target.Button()->ButtonCaption(), "...");
    EXPECT_FALSE(target.EditorEnabled());
    EXPECT_EQ(target.SelectionColorStyle(), scWindows7);
    EXPECT_EQ(target.SelectionColor, source.SelectionColor);
    EXPECT_EQ(target.SelectionColorTo, source.SelectionColorTo);
    EXPECT_EQ(target.EditType(), etMoney);
    EXPECT_EQ(target.Precision(), 2);
    EXPECT_EQ(target.text(), "keep me");   // the text is not copied, nor re-formatted

    TDazCustomDropDown untouched;
    untouched.InitializeDropDown();
    untouched.Assign(nullptr);
    EXPECT_EQ(untouched.DropDownBorderWidth, 1);
}

}   // namespace

namespace {

// A member that records the hooks the window calls.
class HookedDropDown : public TDazCustomDropDown
{
public:
    QStringList Calls;

protected:
    void DropDownSizing() override { Calls << "sizing"; }
    void DoWheelDown() override { Calls << "down"; }
    void DoWheelUp() override { Calls << "up"; }
};

void Wheel(QWidget *W, int Delta)
{
    QWheelEvent e(QPointF(5, 5), W->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, Delta),
                  Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(W, &e);
}

TEST(DropDownWindow, WheelAndSizingReachTheMember)
{
    TFakeDropDownScreenGuard screen;
    HookedDropDown edit;
    edit.InitializeDropDown();
    edit.show();
    Wheel(&edit, -120);
    Wheel(edit.DropDownForm(), 120);
    EXPECT_EQ(edit.Calls, QStringList({"down", "up"}));
    edit.Calls.clear();
    edit.ShowDropDown();
    edit.DropDownForm()->resize(edit.DropDownForm()->size() + QSize(10, 10));
    EXPECT_EQ(edit.Calls, QStringList({"sizing"}));
    edit.HideDropDown(false);
}

// The sizing corner answers in the last 10 x 10 pixels of a sizeable window only, and
// shows the diagonal cursor there.
TEST_F(DropDownOpenTest, SizingCorner)
{
    TDropDownForm &form = *Edit.DropDownForm();
    form.resize(100, 60);
    form.Sizeable = true;
    EXPECT_TRUE(form.InSizingCorner({91, 51}));
    EXPECT_FALSE(form.InSizingCorner({90, 55}));
    EXPECT_FALSE(form.InSizingCorner({95, 50}));
    auto move = [&](QPoint At) {
        QMouseEvent e(QEvent::MouseMove, At, form.mapToGlobal(At), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
        QApplication::sendEvent(&form, &e);
        return form.cursor().shape();
    };
    EXPECT_EQ(move({95, 55}), Qt::SizeFDiagCursor);
    EXPECT_EQ(move({50, 30}), Qt::ArrowCursor);
    form.Sizeable = false;
    EXPECT_FALSE(form.InSizingCorner({95, 55}));
    EXPECT_EQ(move({95, 55}), Qt::ArrowCursor);
}

// Panels are made when first visible, never destroyed, and follow the appearance while
// the window is open.
TEST_F(DropDownOpenTest, PanelsFollowTheAppearanceWhileOpen)
{
    EXPECT_EQ(Edit.DropDownForm()->Header(), nullptr);
    Edit.ShowDropDown();
    EXPECT_EQ(Edit.DropDownForm()->Header(), nullptr);   // not visible: not made
    Edit.DropDownHeader().SetVisible(true);              // open: made at once
    TDazHeader *header = Edit.DropDownForm()->Header();
    ASSERT_NE(header, nullptr);
    EXPECT_TRUE(header->isVisibleTo(Edit.DropDownForm()));
    Edit.DropDownHeader().Buttons().Add()->SetCaption("B");   // a button value: rebuilt
    EXPECT_EQ(header->ButtonList().Count(), 1);
    Edit.DropDownHeader().SetVisible(false);              // hidden, not destroyed
    EXPECT_EQ(Edit.DropDownForm()->Header(), header);
    EXPECT_FALSE(header->isVisibleTo(Edit.DropDownForm()));
    Edit.HideDropDown(false);
    Edit.DropDownHeader().SetCaption("Later");            // closed: no refresh until opening
    EXPECT_NE(header->HeaderAppearance().Caption(), "Later");
    Edit.DropDownHeader().SetVisible(true);
    Edit.ShowDropDown();
    EXPECT_EQ(header->HeaderAppearance().Caption(), "Later");
}

}   // namespace

namespace {

// Keys typed in the hosted control reach the edit: a character types, Esc closes cancelled.
TEST_F(DropDownOpenTest, HostedControlKeysReachTheEdit)
{
    Edit.SetText("ab");
    Edit.setCursorPosition(2);
    Edit.ShowDropDown();
    Control->setFocusPolicy(Qt::StrongFocus);
    QApplication::setActiveWindow(Edit.DropDownForm());
    Control->setFocus();
    QKeyEvent c(QEvent::KeyPress, Qt::Key_C, Qt::NoModifier, "c");
    QApplication::sendEvent(Control, &c);
    EXPECT_EQ(Edit.text(), "abc");
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(Control, &esc);
    EXPECT_FALSE(Edit.DroppedDown());
    EXPECT_EQ(Edit.text(), "ab");
}

}   // namespace
