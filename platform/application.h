#pragma once
#include <QApplication>

// The program's QApplication: an exception that leaves an event handler is caught here
// and its text shown in an error message box, so none ever crosses into Qt.
class TApplication : public QApplication
{
public:
    TApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;

    // Shows the text of an exception that reached the event loop.
    static void ShowException(const QString &text);
    // Delivers the event through app's QApplication::notify and shows any exception
    // instead of letting it reach Qt (what notify does; callable on any QApplication).
    static bool NotifyGuarded(QApplication *app, QObject *receiver, QEvent *event);
};
