#pragma once
// Text files: the encoding comes from a byte-order mark (UTF-8, UTF-16 LE/BE), else
// Windows-1252, the ANSI code page of the engineer's PC.
#include <QByteArray>
#include <QString>
#include <QStringList>

QString Decode_Text(const QByteArray &bytes);
QString Decode_Windows1252(const QByteArray &bytes);
QByteArray Encode_Windows1252(const QString &text);   // unmappable characters become '?'
// Splits on CR LF, LF or CR; a final line ending gives no empty last line.
QStringList Split_Lines(const QString &text);
// Reads and decodes a text file; throws EFileError (platform/files.h) when unreadable.
QStringList Read_Text_Lines(const QString &path);
