#pragma once
// Starting other programs and opening documents or links, behind one interface: the real
// one uses QProcess and QDesktopServices, tests install TFakeProcesses.
#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

struct TProcessResult {
    bool Started = false;    // false: the program could not be started (Error says why)
    bool Finished = false;   // false: still running when the time-out passed
    int ExitCode = -1;       // when Finished
    QString Error;
};

class IProcesses
{
public:
    virtual ~IProcesses() = default;
    // Starts the program and waits until it ends or timeoutMs passes, keeping the
    // application's events flowing meanwhile (polled every 10 ms). A program still running
    // at the time-out is left running. A negative time-out waits without limit.
    virtual TProcessResult RunAndWait(const QString &program, const QStringList &arguments,
                                      int timeoutMs) = 0;
    // Opens a web link or a document with the desktop's program for it; false on failure.
    virtual bool OpenUrl(const QString &url) = 0;
};

IProcesses &Processes();
void SetProcesses(IProcesses *processes);   // nullptr restores the real one

// Splits a parameter text into arguments: blanks separate, double quotes group, three
// double quotes stand for one.
QStringList SplitCommandLine(const QString &parameters);

// Records every call; results come from the script, else a program that ended with 0.
class TFakeProcesses : public IProcesses
{
public:
    struct Call {
        QString what;   // "run" or "open"
        QString program;   // or the link
        QStringList arguments;
        int timeoutMs = 0;
    };
    std::vector<Call> Calls;
    std::deque<TProcessResult> Results;
    bool OpenResult = true;

    TProcessResult RunAndWait(const QString &program, const QStringList &arguments,
                              int timeoutMs) override;
    bool OpenUrl(const QString &url) override;
};

class TFakeProcessesGuard
{
public:
    TFakeProcessesGuard() { SetProcesses(&Fake); }
    ~TFakeProcessesGuard() { SetProcesses(nullptr); }
    TFakeProcesses Fake;
};
