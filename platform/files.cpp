#include "platform/files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::mutex g_hookMutex;
std::function<void(const QString &)> g_atomicHook;

[[noreturn]] void ThrowFile(const QString &what, const QString &path, int err)
{
    throw EFileError(QStringLiteral("%1 \"%2\": %3")
                         .arg(what, QDir::toNativeSeparators(path),
                              QString::fromLocal8Bit(std::strerror(err)))
                         .toStdString());
}

bool WriteAll(int fd, const char *data, qsizetype size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

// Removes the temporary file unless released: every failure path leaves no trace.
struct TempGuard {
    QByteArray path;
    int fd = -1;
    ~TempGuard()
    {
        if (fd >= 0)
            ::close(fd);
        if (!path.isEmpty())
            ::unlink(path.constData());
    }
};

} // namespace

void Set_Atomic_Write_Hook(std::function<void(const QString &)> hook)
{
    std::lock_guard lock(g_hookMutex);
    g_atomicHook = std::move(hook);
}

void Write_File_Atomic(const QString &path, const QByteArray &data)
{
    const QFileInfo info(path);
    const QString dir = info.absolutePath();
    const QByteArray target = QFile::encodeName(info.absoluteFilePath());

    TempGuard tmp;
    // A unique name in the same folder, so the rename never crosses file systems.
    for (int attempt = 0; attempt < 100 && tmp.fd < 0; ++attempt) {
        const QString name = QStringLiteral(".%1.%2.tmp")
                                 .arg(info.fileName())
                                 .arg(QRandomGenerator::global()->generate(), 8, 16, QChar(u'0'));
        const QByteArray candidate = QFile::encodeName(QDir(dir).filePath(name));
        const int fd = ::open(candidate.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            tmp.fd = fd;
            tmp.path = candidate;
        } else if (errno != EEXIST) {
            ThrowFile(QStringLiteral("Cannot create a file beside"), path, errno);
        }
    }
    if (tmp.fd < 0)
        ThrowFile(QStringLiteral("Cannot create a file beside"), path, EEXIST);

    // Keep the permissions of the file being replaced.
    struct stat st;
    if (::stat(target.constData(), &st) == 0)
        ::fchmod(tmp.fd, st.st_mode & 07777);

    if (!WriteAll(tmp.fd, data.constData(), data.size()) || ::fsync(tmp.fd) != 0)
        ThrowFile(QStringLiteral("Cannot write file"), path, errno);
    const int fd = tmp.fd;
    tmp.fd = -1;
    if (::close(fd) != 0)
        ThrowFile(QStringLiteral("Cannot write file"), path, errno);

    {
        std::function<void(const QString &)> hook;
        {
            std::lock_guard lock(g_hookMutex);
            hook = g_atomicHook;
        }
        if (hook)
            hook(QFile::decodeName(tmp.path));
    }

    if (::rename(tmp.path.constData(), target.constData()) != 0)
        ThrowFile(QStringLiteral("Cannot replace file"), path, errno);
    tmp.path.clear();

    // Make the rename itself durable.
    const int dfd = ::open(QFile::encodeName(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
}

QByteArray Read_File(const QString &path)
{
    QFile f(path);
    if (!QFileInfo(path).isFile())
        throw EFileError(QStringLiteral("File not found: \"%1\"")
                             .arg(QDir::toNativeSeparators(path))
                             .toStdString());
    if (!f.open(QIODevice::ReadOnly))
        throw EFileError(QStringLiteral("Cannot open file \"%1\": %2")
                             .arg(QDir::toNativeSeparators(path), f.errorString())
                             .toStdString());
    QByteArray data = f.readAll();
    if (f.error() != QFileDevice::NoError)
        throw EFileError(QStringLiteral("Cannot read file \"%1\": %2")
                             .arg(QDir::toNativeSeparators(path), f.errorString())
                             .toStdString());
    return data;
}

bool File_Exists(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

bool Dir_Exists(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

bool Force_Dir(const QString &path)
{
    return !path.isEmpty() && QDir().mkpath(path);
}

QStringList List_Dirs(const QString &path)
{
    return QDir(path).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

QStringList List_Files(const QString &path, const QString &pattern)
{
    return QDir(path).entryList(QStringList{pattern}, QDir::Files | QDir::Hidden, QDir::Name);
}

QString Find_File_NoCase(const QString &dir, const QString &name)
{
    const QDir d(dir);
    if (name.isEmpty() || !d.exists())
        return {};
    if (d.exists(name))
        return Path_Join(dir, name);
    const QStringList all = d.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                                        QDir::Name);
    for (const QString &e : all)
        if (e.compare(name, Qt::CaseInsensitive) == 0)
            return Path_Join(dir, e);
    return {};
}

QString Path_Join(const QString &dir, const QString &name)
{
    if (dir.isEmpty())
        return name;
    if (dir.endsWith(u'/'))
        return dir + name;
    return dir + u'/' + name;
}

QString Exe_Dir_Path()
{
    return QCoreApplication::applicationDirPath();
}
