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
    for (const Step &s : {Step{buttonX, true}, Step{10, false}, Step{buttonX, true}, Step{40, false}}) {
        SCOPED_TRACE(s.X);
        MoveMouse(picker, QPoint(s.X, 12));
        EXPECT_EQ(picker->ButtonHover(), s.Hover);
        EXPECT_EQ(PixelAt(RenderWidget(*picker), face, 6), s.Hover ? clLime : clRed);
    }
    UnbindThemeLibrary();
}

}   // namespace
