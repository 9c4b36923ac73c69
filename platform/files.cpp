#include "platform/files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sys/file.h>
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

// Removes the temporary file unless released: every failure path leaves no trace. The
// lock, held until the rename is done, tells the cleaner of another save that the
// temporary is in use.
struct TempGuard {
    QByteArray path;
    int fd = -1;
    int lockFd = -1;
    ~TempGuard()
    {
        if (fd >= 0)
            ::close(fd);
        if (!path.isEmpty())
            ::unlink(path.constData());
        if (lockFd >= 0)
            ::close(lockFd);
    }
};

bool IsHex8(QStringView s)
{
    if (s.size() != 8)
        return false;
    for (const QChar c : s) {
        const char16_t u = c.unicode();
        if (!((u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F')))
            return false;
    }
    return true;
}

// Temporaries of the target that no save holds locked: a save killed before its rename
// left them. One still locked belongs to a save under way, in this process or another.
void RemoveStaleTemps(const QString &dir, const QString &fileName)
{
    const QStringList entries =
        QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        if (!Is_Atomic_Temp_Name(entry, fileName))
            continue;
        const QByteArray path = QFile::encodeName(QDir(dir).filePath(entry));
        const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat st;
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.constData());
        ::close(fd);
    }
}

// True when the path names the open file (no cleaner removed it between open and lock).
bool SameFile(int fd, const QByteArray &path)
{
    struct stat a, b;
    return ::fstat(fd, &a) == 0 && ::stat(path.constData(), &b) == 0 && a.st_dev == b.st_dev
           && a.st_ino == b.st_ino;
}

} // namespace

void Set_Atomic_Write_Hook(std::function<void(const QString &)> hook)
{
    std::lock_guard lock(g_hookMutex);
    g_atomicHook = std::move(hook);
}

bool Is_Atomic_Temp_Name(const QString &entry, const QString &targetName)
{
    // "." + target + "." + 8 hexadecimal digits + ".tmp"
    const qsizetype prefix = targetName.size() + 2;
    return entry.size() == prefix + 8 + 4 && entry.startsWith(u'.')
           && QStringView(entry).mid(1, targetName.size()) == targetName && entry[prefix - 1] == u'.'
           && IsHex8(QStringView(entry).mid(prefix, 8)) && entry.endsWith(QLatin1String(".tmp"));
}

void Write_File_Atomic(const QString &path, const QByteArray &data)
{
    const QFileInfo info(path);
    const QString dir = info.absolutePath();
    const QByteArray target = QFile::encodeName(info.absoluteFilePath());

    // First, so that the space they hold is free for this save.
    RemoveStaleTemps(dir, info.fileName());

    TempGuard tmp;
    // A unique name in the same folder, so the rename never crosses file systems.
    for (int attempt = 0; attempt < 100 && tmp.fd < 0; ++attempt) {
        const QString name = QStringLiteral(".%1.%2.tmp")
                                 .arg(info.fileName())
                                 .arg(QRandomGenerator::global()->generate(), 8, 16, QChar(u'0'));
        const QByteArray candidate = QFile::encodeName(QDir(dir).filePath(name));
        const int fd = ::open(candidate.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno != EEXIST)
                ThrowFile(QStringLiteral("Cannot create a file beside"), path, errno);
            continue;
        }
        // Another save's cleaner may have taken the new file for a stale one: try another.
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || !SameFile(fd, candidate)) {
            ::close(fd);
            continue;
        }
        tmp.fd = fd;
        tmp.path = candidate;
        tmp.lockFd = ::dup(fd);   // the same open file, so the lock outlives the close below
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
    Sync_Dir(dir);
}

QByteArray Read_File(const QString &path)
{
    QFile f(path);
    if (!Regular_File_Present(path))
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

bool Regular_File_Present(const QString &path)
{
    if (path.isEmpty())
        return false;
    const QByteArray name = QFile::encodeName(path);
    struct stat st;
    if (::stat(name.constData(), &st) == 0) {
        if (S_ISREG(st.st_mode))
            return true;
    } else if (::lstat(name.constData(), &st) != 0) {
        return false;   // nothing there
    }
    const char *kind = S_ISDIR(st.st_mode)    ? "a folder"
                       : S_ISFIFO(st.st_mode) ? "a pipe"
                       : S_ISSOCK(st.st_mode) ? "a socket"
                       : S_ISLNK(st.st_mode)  ? "a link to nothing"
                                              : "a device";
    throw EFileError(QStringLiteral("\"%1\" is %2, not a file.")
                         .arg(QDir::toNativeSeparators(path), QLatin1String(kind))
                         .toStdString());
}

bool Remove_Dir_Tree(const QString &path)
{
    return !path.isEmpty() && QDir(path).removeRecursively();
}

bool Exchange_Paths(const QString &a, const QString &b)
{
    const QByteArray from = QFile::encodeName(a);
    const QByteArray to = QFile::encodeName(b);
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_EXCHANGE) == 0)
        return true;
    if (errno == EINVAL || errno == ENOSYS || errno == ENOTSUP)
        return false;
    const int err = errno;
    throw EFileError(QStringLiteral("Cannot exchange \"%1\" and \"%2\": %3")
                         .arg(QDir::toNativeSeparators(a), QDir::toNativeSeparators(b),
                              QString::fromLocal8Bit(std::strerror(err)))
                         .toStdString());
}

void Sync_Dir(const QString &path)
{
    const int dfd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
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
