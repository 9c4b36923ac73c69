#include "platform/process.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>
#include <atomic>

namespace {

class TRealProcesses : public IProcesses
{
public:
    TProcessResult RunAndWait(const QString &program, const QStringList &arguments,
                              int timeoutMs) override
    {
        TProcessResult result;
        // Owned by the application, so a program left running at the time-out is not
        // killed when this call returns; the object goes when the program ends.
        auto *proc = new QProcess(QCoreApplication::instance());
        proc->setProgram(program);
        proc->setArguments(arguments);
        proc->setProcessChannelMode(QProcess::ForwardedChannels);
        proc->start();
        if (!proc->waitForStarted(-1)) {
            result.Error = proc->errorString();
            proc->deleteLater();
            return result;
        }
        result.Started = true;
        QElapsedTimer clock;
        clock.start();
        while (proc->state() != QProcess::NotRunning) {
            if (proc->waitForFinished(10))
                break;
            QCoreApplication::processEvents();
            if (timeoutMs >= 0 && clock.elapsed() >= timeoutMs)
                break;
        }
        if (proc->state() == QProcess::NotRunning) {
            result.Finished = true;
            result.ExitCode = proc->exitStatus() == QProcess::NormalExit ? proc->exitCode() : -1;
            if (proc->exitStatus() != QProcess::NormalExit)
                result.Error = proc->errorString();
            proc->deleteLater();
        } else {
            QObject::connect(proc, &QProcess::finished, proc, &QObject::deleteLater);
        }
        return result;
    }

    bool OpenUrl(const QString &url) override
    {
        const QUrl u = QFileInfo::exists(url) ? QUrl::fromLocalFile(url) : QUrl(url);
        return u.isValid() && QDesktopServices::openUrl(u);
    }
};

TRealProcesses g_real;
std::atomic<IProcesses *> g_current{nullptr};

} // namespace

IProcesses &Processes()
{
    IProcesses *p = g_current.load();
    return p ? *p : g_real;
}

void SetProcesses(IProcesses *processes)
{
    g_current.store(processes);
}

QStringList SplitCommandLine(const QString &parameters)
{
    return QProcess::splitCommand(parameters);
}

TProcessResult TFakeProcesses::RunAndWait(const QString &program, const QStringList &arguments,
                                          int timeoutMs)
{
    Calls.push_back({QStringLiteral("run"), program, arguments, timeoutMs});
    if (Results.empty()) {
        TProcessResult ok;
        ok.Started = ok.Finished = true;
        ok.ExitCode = 0;
        return ok;
    }
    TProcessResult r = Results.front();
    Results.pop_front();
    return r;
}

bool TFakeProcesses::OpenUrl(const QString &url)
{
    Calls.push_back({QStringLiteral("open"), url, {}, 0});
    return OpenResult;
}
