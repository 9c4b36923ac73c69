#include "platform/textcodec.h"

#include "platform/files.h"

#include <QStringDecoder>

#include <cstring>

namespace {

// 0x80..0x9F of Windows-1252; the five unassigned bytes map to the C1 control of the
// same value, as Windows itself converts them.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

namespace {

void DecodeWindows1252Into(const char *bytes, qsizetype size, QString &out)
{
    out.resize(size);
    QChar *d = out.data();
    for (qsizetype i = 0; i < size; ++i) {
        const uint8_t b = uint8_t(bytes[i]);
        d[i] = (b >= 0x80 && b < 0xA0) ? QChar(kHigh[b - 0x80]) : QChar(char16_t(b));
    }
}

} // namespace

QString Decode_Windows1252(const QByteArray &bytes)
{
    QString out;
    DecodeWindows1252Into(bytes.constData(), bytes.size(), out);
    return out;
}

QByteArray Encode_Windows1252(const QString &text)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    char *d = out.data();
    const char16_t *src = reinterpret_cast<const char16_t *>(text.constData());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = src[i];
        char b = '?';
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            b = char(c);
        } else {
            for (int k = 0; k < 32; ++k)
                if (kHigh[k] == c) {
                    b = char(0x80 + k);
                    break;
                }
        }
        d[i] = b;
    }
    return out;
}

QString Decode_Text(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
    if (bytes.startsWith("\xFF\xFE")) {
        QStringDecoder dec(QStringDecoder::Utf16LE);
        return dec(bytes.mid(2));
    }
    if (bytes.startsWith("\xFE\xFF")) {
        QStringDecoder dec(QStringDecoder::Utf16BE);
        return dec(bytes.mid(2));
    }
    return Decode_Windows1252(bytes);
}

std::vector<QStringView> Split_Line_Views(QStringView text)
{
    std::vector<QStringView> lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    const char16_t *u = text.utf16();
    for (qsizetype i = 0; i < n; ++i) {
        if (u[i] != u'\r' && u[i] != u'\n')
            continue;
        lines.push_back(text.mid(start, i - start));
        if (u[i] == u'\r' && i + 1 < n && u[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.push_back(text.mid(start));
    return lines;
}

QStringList Split_Lines(const QString &text)
{
    QStringList lines;
    const std::vector<QStringView> views = Split_Line_Views(text);
    lines.reserve(qsizetype(views.size()));
    for (QStringView line : views)
        lines.append(line.toString());
    return lines;
}

QStringList Read_Text_Lines(const QString &path)
{
    return Split_Lines(Decode_Text(Read_File(path)));
}

namespace {

constexpr qsizetype kLineBlock = qsizetype(1) << 20;

} // namespace

TTextLines::TTextLines(const QString &Path)
{
    Open_File_Read(FFile, Path, QIODevice::Unbuffered);
    FBuf.resize(kLineBlock);
    Fill();
    const QByteArrayView head(FBuf.constData(), FSize);
    FEmpty = FSize == 0;
    const bool utf16le = head.startsWith("\xFF\xFE");
    if (utf16le && Q_BYTE_ORDER == Q_LITTLE_ENDIAN) {
        FMode = TMode::InPlace;
        FPos = 2;
    } else if (utf16le || head.startsWith("\xEF\xBB\xBF") || head.startsWith("\xFE\xFF")) {
        FMode = TMode::Decoded;
        QByteArray all = FBuf.left(FSize) + FFile.readAll();
        Check_File_Read(FFile);
        FText = Decode_Text(all);
        FBuf.clear();
        FPos = 0;
        FSize = 0;
        FAtEnd = true;
    }
}

bool TTextLines::Fill()
{
    if (FAtEnd)
        return false;
    // Keep the unread bytes (a line begun) at the front, where UTF-16 units stay aligned.
    std::memmove(FBuf.data(), FBuf.constData() + FPos, size_t(FSize - FPos));
    FSize -= FPos;
    FPos = 0;
    if (FSize == FBuf.size())
        FBuf.resize(2 * FBuf.size());   // a line longer than the buffer
    const qint64 n = FFile.read(FBuf.data() + FSize, FBuf.size() - FSize);
    if (n < 0)
        Check_File_Read(FFile);
    if (n <= 0) {
        FAtEnd = true;
        return false;
    }
    FSize += n;
    return true;
}

template <typename TUnit>
bool TTextLines::NextIn(const TUnit *Data, qsizetype Size, qsizetype &Start, qsizetype &End,
                        qsizetype &Next)
{
    qsizetype i = Start;
    while (i < Size && Data[i] != TUnit('\r') && Data[i] != TUnit('\n'))
        ++i;
    // A line ending at the end of the data may go on in the next block, and so may CR LF.
    if (!FAtEnd && (i >= Size - 1))
        return false;
    if (i >= Size && i == Start)
        return false;   // nothing left
    End = i;
    Next = i + 1;
    if (i + 1 < Size && Data[i] == TUnit('\r') && Data[i + 1] == TUnit('\n'))
        ++Next;
    return true;
}

bool TTextLines::Next(QStringView &Line)
{
    qsizetype start = 0, end = 0, next = 0;
    switch (FMode) {
    case TMode::Decoded: {
        start = FPos;
        const char16_t *units = reinterpret_cast<const char16_t *>(FText.constData());
        if (!NextIn(units, FText.size(), start, end, next))
            return false;
        Line = QStringView(FText).mid(start, end - start);
        FPos = next;
        return true;
    }
    case TMode::Ansi:
        for (;;) {
            start = FPos;
            if (NextIn(FBuf.constData(), FSize, start, end, next))
                break;
            if (!Fill() && FPos >= FSize)
                return false;
        }
        DecodeWindows1252Into(FBuf.constData() + start, end - start, FText);
        Line = FText;
        FPos = next;
        return true;
    case TMode::InPlace:
        for (;;) {
            // Positions in bytes; a trailing odd byte is no character, as the decoder drops it.
            qsizetype u = FPos / 2;
            const char16_t *units = reinterpret_cast<const char16_t *>(FBuf.constData());
            if (NextIn(units, FSize / 2, u, end, next)) {
                start = u;
                break;
            }
            if (!Fill() && FPos / 2 >= FSize / 2)
                return false;
        }
        Line = QStringView(reinterpret_cast<const char16_t *>(FBuf.constData()) + start, end - start);
        FPos = 2 * next;
        return true;
    }
    return false;
}
