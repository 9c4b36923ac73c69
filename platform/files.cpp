#include "platform/files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

void Open_File_Read(QFile &file, const QString &path, QIODevice::OpenMode extra)
{
    file.setFileName(path);
    if (!Regular_File_Present(path))
        throw EFileError(QStringLiteral("File not found: \"%1\"")
                             .arg(QDir::toNativeSeparators(path))
                             .toStdString());
    if (!file.open(QIODevice::ReadOnly | extra))
        throw EFileError(QStringLiteral("Cannot open file \"%1\": %2")
                             .arg(QDir::toNativeSeparators(path), file.errorString())
                             .toStdString());
}

void Check_File_Read(const QFile &file)
{
    if (file.error() != QFileDevice::NoError)
        throw EFileError(QStringLiteral("Cannot read file \"%1\": %2")
                             .arg(QDir::toNativeSeparators(file.fileName()), file.errorString())
                             .toStdString());
}

QByteArray Read_File(const QString &path)
{
    QFile f;
    Open_File_Read(f, path);
    QByteArray data = f.readAll();
    Check_File_Read(f);
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
