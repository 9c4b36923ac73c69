#pragma once
// A file made piece by piece and put in place whole, as Write_File_Atomic (platform/files.h)
// does for data held in memory: the pieces go to a temporary beside the target, and Commit
// syncs it and renames it over the target. Destroyed without Commit (an exception while the
// content is made), the temporary is removed and the old file stays as it was. Long files
// need not be held in memory whole, and the disk starts writing while they are made, so
// Commit's sync waits for little more than the last pieces.
#include <QByteArray>
#include <QString>

class TAtomicFile
{
public:
    // Creates the temporary; EFileError when it cannot be made.
    explicit TAtomicFile(const QString &Path);
    ~TAtomicFile();
    TAtomicFile(const TAtomicFile &) = delete;
    TAtomicFile &operator=(const TAtomicFile &) = delete;

    // EFileError when the data cannot be written (a full disk).
    void Write(const char *Data, qsizetype Size);
    void Write(const QByteArray &Data) { Write(Data.constData(), Data.size()); }
    // Syncs the data, runs the test hook and renames the temporary over the target.
    void Commit();

private:
    QString FPath;
    QString FDir;
    QByteArray FTarget;
    QByteArray FTempPath;     // empty once renamed
    int FFd = -1;
    int FLockFd = -1;         // holds the temporary's lock until the rename is done
    qint64 FWritten = 0;
    qint64 FWriteBackFrom = 0;   // bytes before this were handed to the disk early
};
