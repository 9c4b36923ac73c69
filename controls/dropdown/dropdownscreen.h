#pragma once
// What the drop-down window needs of the desktop: the work area and height of the screen
// nearest a point, and the millisecond tick count. Tests install TFakeDropDownScreen.
#include <QPoint>
#include <QRect>
#include <cstdint>

class IDropDownScreen
{
public:
    virtual ~IDropDownScreen() = default;
    // The work area of the screen nearest At; (-1, -1, -1, -1) when there is no screen.
    virtual QRect WorkArea(QPoint At) = 0;
    // The full height of the screen nearest At (the task bar included).
    virtual int ScreenHeight(QPoint At) = 0;
    virtual uint32_t TickCount() = 0;
};

IDropDownScreen &DropDownScreen();
void SetDropDownScreen(IDropDownScreen *Screen);   // nullptr restores the real one

struct TFakeDropDownScreen : IDropDownScreen
{
    QRect Work{0, 0, 1024, 728};
    int Height = 768;
    uint32_t Tick = 100000;
    QRect WorkArea(QPoint) override { return Work; }
    int ScreenHeight(QPoint) override { return Height; }
    uint32_t TickCount() override { return Tick; }
};

// Installs a fake for the guard's lifetime (tests).
struct TFakeDropDownScreenGuard
{
    TFakeDropDownScreen Fake;
    TFakeDropDownScreenGuard() { SetDropDownScreen(&Fake); }
    ~TFakeDropDownScreenGuard() { SetDropDownScreen(nullptr); }
};
