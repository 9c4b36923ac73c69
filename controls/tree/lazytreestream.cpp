#include "controls/tree/lazytreestream.h"

#include "controls/tree/lazytree.h"

#include <QIODevice>
#include <QtEndian>

namespace {
[[noreturn]] void ReadError()
{
    throw ELazyTreeError("Stream read error.");
}
}   // namespace

void TLTStreamWriter::Write(const char *Data, qint64 Size)
{
    if (FDevice.write(Data, Size) != Size)
        throw ELazyTreeError("Stream write error.");
}

void TLTStreamWriter::WriteInt32(int32_t Value)
{
    const int32_t le = qToLittleEndian(Value);
    Write(reinterpret_cast<const char *>(&le), 4);
}

void TLTStreamWriter::WriteString(const QString &Value)
{
    WriteInt32(int32_t(Value.size()));
    QByteArray units(Value.size() * 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < Value.size(); ++i)
        qToLittleEndian<uint16_t>(Value.at(i).unicode(), units.data() + 2 * i);
    Write(units.constData(), units.size());
}

void TLTStreamWriter::WriteBytes(const QByteArray &Value)
{
    WriteInt32(int32_t(Value.size()));
    Write(Value.constData(), Value.size());
}

qint64 TLTStreamReader::Left() const
{
    return FDevice.bytesAvailable();
}

void TLTStreamReader::Read(char *Data, qint64 Size)
{
    if (Size < 0 || Size > Left() || FDevice.read(Data, Size) != Size)
        ReadError();
}

int32_t TLTStreamReader::ReadInt32()
{
    char raw[4];
    Read(raw, 4);
    return qFromLittleEndian<int32_t>(raw);
}

QString TLTStreamReader::ReadString()
{
    const int32_t count = ReadInt32();
    if (count < 0 || qint64(count) * 2 > Left())
        ReadError();
    QByteArray units(qsizetype(count) * 2, Qt::Uninitialized);
    Read(units.data(), units.size());
    QString result(count, Qt::Uninitialized);
    for (int32_t i = 0; i < count; ++i)
        result[i] = QChar(qFromLittleEndian<uint16_t>(units.constData() + 2 * i));
    return result;
}

QByteArray TLTStreamReader::ReadBytes()
{
    const int32_t count = ReadInt32();
    if (count < 0 || count > Left())
        ReadError();
    QByteArray bytes(count, Qt::Uninitialized);
    Read(bytes.data(), count);
    return bytes;
}

void TLTStreamReader::Back(qint64 Bytes)
{
    if (!FDevice.seek(FDevice.pos() - Bytes))
        ReadError();
}
