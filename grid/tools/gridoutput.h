#pragma once
// The bytes a save makes. Encoders append to a buffer that is either the whole output
// (streams, the clipboard) or, for a file, a window handed to the atomic file each time it
// fills: a long file is never held whole in memory, and the window, touched once, serves
// the whole save.
#include "grid/tools/gridexchange.h"

#include <QByteArray>
#include <QLatin1StringView>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <cstring>

class TAtomicFile;

class TOutBuffer
{
public:
    TOutBuffer() = default;
    explicit TOutBuffer(TAtomicFile &File);

    // Bytes made so far.
    qsizetype Size() const { return FDone + FLen; }
    // In memory, after the first 16 of Rows rows: room for all of them, so a long save is
    // not copied while it grows.
    void ReserveForRows(qsizetype HeaderSize, int RowsDone, int Rows);
    // The whole output, made in memory.
    QByteArray Take();
    // The file: the rest is written and the file put in place.
    void Commit();

protected:
    char *Room(qsizetype N)
    {
        if (FOut.size() - FLen < N)
            MakeRoom(N);
        return FBuf + FLen;
    }
    void Raw(const char *P, qsizetype N)
    {
        std::memcpy(Room(N), P, size_t(N));
        FLen += N;
    }

    qsizetype FLen = 0;   // bytes in the buffer

private:
    void MakeRoom(qsizetype N);
    void Grow(qsizetype Total);

    QByteArray FOut;
    char *FBuf = nullptr;
    TAtomicFile *FFile = nullptr;
    qsizetype FDone = 0;   // bytes handed to the file
};

// Text encoded as it is appended: Windows-1252, UTF-8 (Utf8Bom) or UTF-16 LE; the caller
// writes any byte-order mark. ASCII, most of every save, is copied without a lookup.
class TTextOut : public TOutBuffer
{
public:
    explicit TTextOut(TTextEncoding Encoding) : FEncoding(Encoding) {}
    TTextOut(TTextEncoding Encoding, TAtomicFile &File) : TOutBuffer(File), FEncoding(Encoding) {}

    void Bytes(const char *P, qsizetype N) { Raw(P, N); }
    void Ascii(QLatin1StringView S);
    void Number(int64_t V);
    void Text(QStringView S);
    void EndLine() { Ascii(QLatin1StringView("\r\n")); }
    void Line(QStringView S)
    {
        Text(S);
        EndLine();
    }

private:
    const TTextEncoding FEncoding;
};

// The texts a save writes for the cells (SaveCellText), read straight from the store where
// nothing could change them: no save or display hook, no float format, no merge, no text
// that a conversion reads as markup or rich text. The other cells take the full way.
class TSavedCellTexts
{
public:
    explicit TSavedCellTexts(TDazStringGrid &Grid);
    // Valid until the next call.
    QStringView Text(int ACol, int ARow);

private:
    TDazStringGrid &FGrid;
    const TGridStore &FStore;
    bool FDirect = false;
    bool FVirtual = false;   // through GetCellEx: merges redirect
    QString FHold;
};
