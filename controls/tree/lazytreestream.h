#pragma once
// Little-endian values and strings of the tree's stream formats (columns, header, nodes).
// The reader never trusts its input: every count is checked against the bytes left before
// anything is allocated or read, and a short stream raises ELazyTreeError.
#include <QByteArray>
#include <QString>
#include <cstdint>

class QIODevice;

class TLTStreamWriter
{
public:
    explicit TLTStreamWriter(QIODevice &Device) : FDevice(Device) {}
    void WriteInt32(int32_t Value);
    // A 32-bit count of UTF-16 code units, then the code units.
    void WriteString(const QString &Value);
    // A 32-bit byte count, then the bytes.
    void WriteBytes(const QByteArray &Value);
    // Bytes without a count.
    void WriteRaw(const char *Data, qint64 Size) { Write(Data, Size); }
    void WriteUInt8(uint8_t Value) { Write(reinterpret_cast<const char *>(&Value), 1); }

private:
    void Write(const char *Data, qint64 Size);
    QIODevice &FDevice;
};

class TLTStreamReader
{
public:
    explicit TLTStreamReader(QIODevice &Device) : FDevice(Device) {}
    int32_t ReadInt32();
    QString ReadString();
    QByteArray ReadBytes();
    // Exactly Size bytes without a count.
    void ReadRaw(char *Data, qint64 Size) { Read(Data, Size); }
    uint8_t ReadUInt8()
    {
        uint8_t value;
        Read(reinterpret_cast<char *>(&value), 1);
        return value;
    }
    // Bytes left to read.
    qint64 Left() const;
    // Steps back over bytes just read.
    void Back(qint64 Bytes);

private:
    void Read(char *Data, qint64 Size);
    QIODevice &FDevice;
};
