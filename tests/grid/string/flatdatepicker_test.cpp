// The flat date picker's frame and its drop-down button under the mouse.
#include "grid/string/flatdatepicker.h"
#include "editortest.h"

#include "grid/base/styledetect.h"
#include "platform/theme.h"

#include <QWindow>

namespace {

// A mouse move as the window system delivers it: to the top-level window, which hands it to
// the control under the mouse and sends the enter and leave events on the way.
void MoveMouse(QWidget *W, QPoint At)
{
    QWidget *top = W->window();
    const QPoint p = W->mapTo(top, At);
    QMouseEvent e(QEvent::MouseMove, p, top->mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                  Qt::NoModifier);
    QApplication::sendEvent(top->windowHandle(), &e);
}

struct FlatPicker : EditorFixture {
    TRudDateTimePicker *picker = new TRudDateTimePicker(&window);

    FlatPicker()
    {
        window.setPalette(QPalette(QColor(0xC0, 0xC0, 0xC0)));
        picker->resize(150, 24);
        picker->move(100, 50);
        picker->SetPickerDateTime(EncodeDate(2024, 3, 5));
        Show();
    }
};

// The inner line of the flat frame blends into the parent whatever the border style.
TEST_F(FlatPicker, FlatFrameHasTheInnerLineInTheParentsColour)
{
    picker->SetCtl3D(false);
    picker->SetBorderColor(clRed);
    for (TBorderStyle style : {bsSingle, bsNone}) {
        SCOPED_TRACE(style == bsNone ? "bsNone" : "bsSingle");
        picker->SetBorderStyle(style);
        const QImage img = RenderWidget(*picker);
        EXPECT_EQ(PixelAt(img, 1, 5), 0xC0C0C0);
        EXPECT_EQ(PixelAt(img, 1, 1), 0xC0C0C0);
        EXPECT_EQ(PixelAt(img, 60, 1), 0xC0C0C0);
        EXPECT_NE(PixelAt(img, 60, 2), 0xC0C0C0);   // the line is one pixel
    }
}

// The text part of the platform's picker is a control of its own: moving from the button
// onto it must still end the button's hover.
TEST_F(FlatPicker, ButtonHoverEndsWhenTheMouseMovesOntoTheText)
{
    TFakeThemePlatformGuard guard;
    UnbindThemeLibrary();
    picker->SetMetroStyle(true);
    picker->ButtonColor = clRed;
    picker->ButtonColorHot = clLime;
    const int buttonX = 150 - picker->ButtonWidth() / 2;
    const int face = 150 - picker->ButtonWidth() + 7;
    struct Step {
        int X;
        bool Hover;
    };
    const Step steps[] = {{buttonX, true}, {10, false}, {buttonX, true}, {40, false}};
    for (const Step &s : steps) {
        SCOPED_TRACE(s.X);
        MoveMouse(picker, QPoint(s.X, 12));
        EXPECT_EQ(picker->ButtonHover(), s.Hover);
        EXPECT_EQ(PixelAt(RenderWidget(*picker), face, 6), s.Hover ? clLime : clRed);
    }
    UnbindThemeLibrary();
}

// The Metro button without custom colours: the theme's part when a theme is active and the
// common controls draw themes, else the classic frame control.
using FlatPickerButton = EditorFixture;

TEST_F(FlatPickerButton, FallsBackToTheClassicFrameControl)
{
    struct Case {
        int CommonControls;   // -1: no version resource
        bool ThemeActive, Enabled;
        const char *What;
        int State;
    };
    const Case cases[] = {
        {6, true, true, "theme", 1},
        {6, true, false, "theme", 4},
        {-1, true, true, "frame", int(DFCS_SCROLLCOMBOBOX | DFCS_FLAT)},
        {6, false, true, "frame", int(DFCS_SCROLLCOMBOBOX | DFCS_FLAT)},
        {6, false, false, "frame", int(DFCS_SCROLLCOMBOBOX | DFCS_INACTIVE)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.CommonControls << c.ThemeActive << c.Enabled);
        TFakeThemePlatformGuard guard;
        guard.Fake.CommonControls = c.CommonControls;
        guard.Fake.LibraryPresent = guard.Fake.ThemeActive = c.ThemeActive;
        UnbindThemeLibrary();
        TRudDateTimePicker p(&window);
        p.resize(150, 24);
        p.SetMetroStyle(true);
        p.setEnabled(c.Enabled);
        RenderWidget(p);
        ASSERT_FALSE(guard.Fake.Draws.empty());
        const auto &last = guard.Fake.Draws.back();
        EXPECT_EQ(last.What, c.What);
        EXPECT_EQ(last.State, c.State);
        if (last.What == "frame")
            EXPECT_EQ(last.Kind, DFC_SCROLL);
        UnbindThemeLibrary();
    }
}

}   // namespace
