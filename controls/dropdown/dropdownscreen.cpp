// The desktop facts of the drop-down window from Qt's screens and the monotonic tick count.
#include "controls/dropdown/dropdownscreen.h"

#include "platform/tickcount.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

class TQtDropDownScreen : public IDropDownScreen
{
public:
    QRect WorkArea(QPoint At) override
    {
        const QScreen *s = Nearest(At);
        return s ? s->availableGeometry() : QRect(QPoint(-1, -1), QPoint(-1, -1));
    }
    int ScreenHeight(QPoint At) override
    {
        const QScreen *s = Nearest(At);
        return s ? s->geometry().height() : 0;
    }
    uint32_t TickCount() override { return GetTickCount32(); }

private:
    static QScreen *Nearest(QPoint At)
    {
        if (QScreen *s = QGuiApplication::screenAt(At))
            return s;
        return QGuiApplication::primaryScreen();
    }
};

TQtDropDownScreen g_real;
IDropDownScreen *g_screen = &g_real;

}   // namespace

IDropDownScreen &DropDownScreen()
{
    return *g_screen;
}

void SetDropDownScreen(IDropDownScreen *Screen)
{
    g_screen = Screen ? Screen : &g_real;
}
