#pragma once
// Waiting for work done by other threads or by the event loop, without a time limit: whether
// a test passes never depends on how fast the machine is. A wait that never ends is stopped
// by the test runner's per-suite timeout.
#include <QCoreApplication>
#include <QThread>

// Checks Done until it holds; between checks runs the event loop when RunEvents is set and
// yields the processor to the threads under test. Returns true, so callers can assert it.
template <class F> bool WaitUntil(F Done, bool RunEvents = true)
{
    while (!Done()) {
        if (RunEvents)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return true;
}
