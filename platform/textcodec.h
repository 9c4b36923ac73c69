#pragma once
// Text files: the encoding comes from a byte-order mark (UTF-8, UTF-16 LE/BE), else
// Windows-1252, the ANSI code page of the engineer's PC.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

QString Decode_Text(const QByteArray &bytes);
QString Decode_Windows1252(const QByteArray &bytes);
QByteArray Encode_Windows1252(const QString &text);   // unmappable characters become '?'
// Splits on CR LF, LF or CR; a final line ending gives no empty last line.
QStringList Split_Lines(const QString &text);
// The same lines as views into text, which must outlive them.
std::vector<QStringView> Split_Line_Views(QStringView text);
// Reads and decodes a text file; throws EFileError (platform/files.h) when unreadable.
QStringList Read_Text_Lines(const QString &path);

// The lines of a text file one at a time, as Split_Lines(Decode_Text(bytes)) gives them,
// read in blocks into one buffer: a long file is never held whole, as bytes or as text.
// Windows-1252 lines are decoded into one reused string, UTF-16 LE lines are read in place;
// other encodings are decoded whole.
class TTextLines
{
public:
    // EFileError when the file is missing or unreadable (as Read_File).
    explicit TTextLines(const QString &Path);
    // The file holds no byte at all.
    bool Empty() const { return FEmpty; }
    // The next line without its ending; valid until the next call. False after the last.
    // EFileError when a read fails.
    bool Next(QStringView &Line);

private:
    enum class TMode { Ansi, InPlace, Decoded };
    bool Fill();   // more bytes after the unread ones; false at the end of the file
    template <typename TUnit>
    bool NextIn(const TUnit *Data, qsizetype Size, qsizetype &Start, qsizetype &End, qsizetype &Next);

    QFile FFile;
    QByteArray FBuf;
    qsizetype FPos = 0;    // first unread byte
    qsizetype FSize = 0;   // bytes in the buffer
    bool FAtEnd = false;
    bool FEmpty = false;
    TMode FMode = TMode::Ansi;
    QString FText;     // the current line (Ansi) or the whole text (Decoded)
};
