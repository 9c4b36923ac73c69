#pragma once
// File system services: atomic writes and folders. Nothing else in the program writes
// files directly.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <functional>
#include <stdexcept>

class EFileError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Writes the data to a temporary file in the same folder and renames it over the target,
// so a crash or a full disk leaves the old file whole. Temporaries of the same target that
// an earlier, killed save left behind are removed first (those of a save still under way
// are locked and kept). Throws EFileError. TAtomicFile (platform/atomicfile.h) does the same
// for data made piece by piece.
void Write_File_Atomic(const QString &path, const QByteArray &data);
// The name of a temporary Write_File_Atomic makes for the target file name.
bool Is_Atomic_Temp_Name(const QString &entry, const QString &targetName);
// Tests: called after the temporary file is written and before the rename; an exception
// thrown here aborts the write as a failure would (temporary removed, old file kept).
// An empty function removes the hook.
void Set_Atomic_Write_Hook(std::function<void(const QString &tempPath)> hook);
QByteArray Read_File(const QString &path);          // throws EFileError
// Opens the file for reading as Read_File does (EFileError when missing or unreadable), for
// readers that take it in parts; Check_File_Read throws the error of a failed read.
void Open_File_Read(QFile &file, const QString &path, QIODevice::OpenMode extra = {});
void Check_File_Read(const QFile &file);
bool File_Exists(const QString &path);              // a regular file
// A file a reader takes its defaults for when it is missing: false when nothing is there,
// true for a regular file (or a link to one); throws EFileError naming the path for
// anything else (a folder, a pipe, a device, a link to nothing), which no reader can use.
bool Regular_File_Present(const QString &path);
// Removes the folder and everything in it; false when something could not be removed.
bool Remove_Dir_Tree(const QString &path);
// Swaps two entries of one file system in a single step, so neither name is ever missing.
// False when the file system cannot; throws EFileError naming both for any other failure.
bool Exchange_Paths(const QString &a, const QString &b);
// Flushes a folder's entries (renames, new files) to the disk.
void Sync_Dir(const QString &path);
bool Dir_Exists(const QString &path);
bool Force_Dir(const QString &path);                // creates missing parents; false on failure
QStringList List_Dirs(const QString &path);         // sub-folder names, sorted
QStringList List_Files(const QString &path, const QString &pattern = QStringLiteral("*"));
// The path (Path_Join(dir, entry)) of the entry of that name in the folder, matched without
// regard to case when the exact name is missing (file names on Linux are case-sensitive);
// empty when none.
QString Find_File_NoCase(const QString &dir, const QString &name);
QString Path_Join(const QString &dir, const QString &name);
QString Exe_Dir_Path();                             // folder of the running program
