#pragma once
// Shared pieces of the fuzz targets: one headless application per process and the input
// written to a file for readers that take a path.
#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

// Makes the offscreen QApplication once; later calls deliver the events queued since.
void Fuzz_App();
// Writes the bytes to a file of that suffix in the process's own temporary folder (the same
// file on every call) and returns its path.
QString Fuzz_File(const uint8_t *Data, size_t Size, const char *Suffix);

inline QByteArray Fuzz_Bytes(const uint8_t *Data, size_t Size)
{
    return QByteArray(reinterpret_cast<const char *>(Data), qsizetype(Size));
}
