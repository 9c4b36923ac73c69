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
};
