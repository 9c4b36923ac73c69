#include "fuzz/fuzz_common.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

void Fuzz_App()
{
    if (QApplication::instance()) {
        // No event loop runs: the signals and deletions that earlier inputs queued are
        // delivered here, else they pile up over the runs.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

QString Fuzz_File(const uint8_t *Data, size_t Size, const char *Suffix)
{
    // In memory where the system offers it: a busy disk must not make a read time out.
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/fuzz-XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("input") + QLatin1String(Suffix));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    f.write(reinterpret_cast<const char *>(Data), qint64(Size));
    return path;
}
