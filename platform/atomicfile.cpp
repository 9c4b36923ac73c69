#include "platform/atomicfile.h"

#include "platform/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::mutex g_hookMutex;
std::function<void(const QString &)> g_atomicHook;

// Data written since the last hand-over that makes the disk start on it.
constexpr qint64 kWriteBackStep = 8 << 20;

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
    TAtomicFile file(path);
    file.Write(data);
    file.Commit();
}

TAtomicFile::TAtomicFile(const QString &Path) : FPath(Path)
{
    const QFileInfo info(Path);
    FDir = info.absolutePath();
    FTarget = QFile::encodeName(info.absoluteFilePath());

    // First, so that the space they hold is free for this save.
    RemoveStaleTemps(FDir, info.fileName());

    // A unique name in the same folder, so the rename never crosses file systems.
    for (int attempt = 0; attempt < 100 && FFd < 0; ++attempt) {
        const QString name = QStringLiteral(".%1.%2.tmp")
                                 .arg(info.fileName())
                                 .arg(QRandomGenerator::global()->generate(), 8, 16, QChar(u'0'));
        const QByteArray candidate = QFile::encodeName(QDir(FDir).filePath(name));
        const int fd = ::open(candidate.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno != EEXIST)
                ThrowFile(QStringLiteral("Cannot create a file beside"), Path, errno);
            continue;
        }
        // Another save's cleaner may have taken the new file for a stale one: try another.
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || !SameFile(fd, candidate)) {
            ::close(fd);
            continue;
        }
        FFd = fd;
        FTempPath = candidate;
        FLockFd = ::dup(fd);   // the same open file, so the lock outlives the close in Commit
    }
    if (FFd < 0)
        ThrowFile(QStringLiteral("Cannot create a file beside"), Path, EEXIST);

    // Keep the permissions of the file being replaced.
    struct stat st;
    if (::stat(FTarget.constData(), &st) == 0)
        ::fchmod(FFd, st.st_mode & 07777);
}

TAtomicFile::~TAtomicFile()
{
    if (FFd >= 0)
        ::close(FFd);
    if (!FTempPath.isEmpty())
        ::unlink(FTempPath.constData());
    if (FLockFd >= 0)
        ::close(FLockFd);
}

void TAtomicFile::Write(const char *Data, qsizetype Size)
{
    if (FFd < 0)
        throw EFileError("Write after the file was committed");
    if (!WriteAll(FFd, Data, Size))
        ThrowFile(QStringLiteral("Cannot write file"), FPath, errno);
    FWritten += Size;
    // Hand what is written so far to the disk without waiting for it, so the sync in Commit
    // finds most of a long file on the disk already.
    if (FWritten - FWriteBackFrom >= kWriteBackStep) {
        ::sync_file_range(FFd, FWriteBackFrom, FWritten - FWriteBackFrom, SYNC_FILE_RANGE_WRITE);
        FWriteBackFrom = FWritten;
    }
}

void TAtomicFile::Commit()
{
    if (FFd < 0)
        throw EFileError("The file was committed already");
    if (::fsync(FFd) != 0)
        ThrowFile(QStringLiteral("Cannot write file"), FPath, errno);
    const int fd = FFd;
    FFd = -1;
    if (::close(fd) != 0)
        ThrowFile(QStringLiteral("Cannot write file"), FPath, errno);

    {
        std::function<void(const QString &)> hook;
        {
            std::lock_guard lock(g_hookMutex);
            hook = g_atomicHook;
        }
        if (hook)
            hook(QFile::decodeName(FTempPath));
    }

    if (::rename(FTempPath.constData(), FTarget.constData()) != 0)
        ThrowFile(QStringLiteral("Cannot replace file"), FPath, errno);
    FTempPath.clear();

    // Make the rename itself durable.
    Sync_Dir(FDir);
}
