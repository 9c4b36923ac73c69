#include "platform/application.h"

#include "platform/acceltext.h"
#include "platform/dialogs.h"
#include "platform/fonts.h"

#include <exception>

TApplication::TApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    Install_Font_Substitutes();
    Install_Accel_Text_Rule();
}

bool TApplication::notify(QObject *receiver, QEvent *event)
{
    return NotifyGuarded(this, receiver, event);
}

bool TApplication::NotifyGuarded(QApplication *app, QObject *receiver, QEvent *event)
{
    try {
        return app->QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        ShowException(QString::fromUtf8(e.what()));
    } catch (...) {
        ShowException(QStringLiteral("Unknown error"));
    }
    return false;
}

void TApplication::ShowException(const QString &text)
{
    // A failing dialog must not throw back into the event loop.
    try {
        MessageError(text);
    } catch (...) {
    }
}
