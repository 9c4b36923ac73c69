#pragma once
// Shared pieces of the M-Bus codec tests: hex bytes, a codec with its own result lists and a
// fixed clock, and AES encryption to build telegrams the decoder must open.
#include "mbus/mbus_codec.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

using TBytes = std::vector<uint8_t>;

// "04 13 10 27" -> bytes; blanks are ignored.
inline TBytes Hex(const char *text)
{
    const QByteArray b = QByteArray::fromHex(QByteArray(text).replace(' ', ""));
    return TBytes(b.begin(), b.end());
}

inline TBytes Cat(std::initializer_list<TBytes> parts)
{
    TBytes out;
    for (const TBytes &p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

// A codec that files its results in lists of its own and reads a fixed clock.
struct TTestCodec : TMBusScanCodec
{
    TMBus_Object_List Wired, Wireless;
    uint32_t Tick = 0;
    QDateTime Clock{QDate(2026, 3, 5), QTime(12, 30, 15)};

    TTestCodec()
    {
        Wired_List = &Wired;
        Wireless_List = &Wireless;
        Tick_Count = [this] { return Tick; };
        Now = [this] { return Clock; };
    }
    void Answer(const TBytes &b) { Set_Answer(b.data(), b.size()); }
    TSlave_MBus &Slave(size_t i) { return static_cast<TSlave_MBus &>(*Wired.at(i)); }
    TSlave_wMBus &Meter(size_t i) { return static_cast<TSlave_wMBus &>(*Wireless.at(i)); }
};

// AES-128-CBC encryption without padding (len a multiple of 16), through OpenSSL.
TBytes Test_AES_CBC_Encrypt(const uint8_t key[16], const uint8_t iv[16], const TBytes &plain);

// Test data file under tests/data/mbus as bytes: hex text, '#' starts a comment line.
TBytes Test_Data_Hex(const QString &name);
