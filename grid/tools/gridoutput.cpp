#include "grid/tools/gridoutput.h"

#include "grid/tools/gridtoolstate.h"
#include "platform/atomicfile.h"
#include "platform/textcodec.h"

#include <QtEndian>
#include <algorithm>
#include <charconv>
#include <typeinfo>

namespace {

// The window a file is made in: large enough that handing it over costs little.
constexpr qsizetype kFileWindow = qsizetype(1) << 20;

}   // namespace

TOutBuffer::TOutBuffer(TAtomicFile &File) : FFile(&File)
{
    Grow(kFileWindow);
}

void TOutBuffer::ReserveForRows(qsizetype HeaderSize, int RowsDone, int Rows)
{
    if (FFile || RowsDone != 16 || Rows <= 64)
        return;
    const qsizetype total = HeaderSize + (FLen - HeaderSize) / 16 * Rows * 9 / 8 + 4096;
    if (total > FOut.size())
        Grow(total);
}

QByteArray TOutBuffer::Take()
{
    FOut.resize(FLen);
    FLen = 0;
    FBuf = nullptr;
    return std::move(FOut);
}

void TOutBuffer::Commit()
{
    FFile->Write(FBuf, FLen);
    FDone += FLen;
    FLen = 0;
    FFile->Commit();
}

void TOutBuffer::MakeRoom(qsizetype N)
{
    if (FFile) {
        FFile->Write(FBuf, FLen);
        FDone += FLen;
        FLen = 0;
        if (N > FOut.size())
            Grow(N);
        return;
    }
    Grow(std::max(2 * FOut.size(), FLen + N + 4096));
}

void TOutBuffer::Grow(qsizetype Total)
{
    FOut.resize(Total);
    FBuf = FOut.data();
}

void TTextOut::Ascii(QLatin1StringView S)
{
    if (FEncoding != TTextEncoding::Utf16LE) {
        Raw(S.data(), S.size());
        return;
    }
    char *p = Room(2 * S.size());
    for (qsizetype i = 0; i < S.size(); ++i) {
        p[2 * i] = S[i].toLatin1();
        p[2 * i + 1] = 0;
    }
    FLen += 2 * S.size();
}

void TTextOut::Number(int64_t V)
{
    char b[24];
    const auto r = std::to_chars(b, b + sizeof b, V);
    Ascii(QLatin1StringView(b, r.ptr - b));
}

void TTextOut::Text(QStringView S)
{
    const qsizetype n = S.size();
    const char16_t *u = reinterpret_cast<const char16_t *>(S.data());
    if (FEncoding == TTextEncoding::Utf16LE) {
        char *p = Room(2 * n);
        for (qsizetype i = 0; i < n; ++i)
            qToLittleEndian<quint16>(u[i], p + 2 * i);
        FLen += 2 * n;
        return;
    }
    // Copied as ASCII in one pass; kept only when no character was beyond it.
    char *p = Room(n);
    char16_t any = 0;
    for (qsizetype i = 0; i < n; ++i) {
        any |= u[i];
        p[i] = char(u[i]);
    }
    if (any < 0x80) {
        FLen += n;
    } else if (FEncoding == TTextEncoding::Utf8Bom) {
        const QByteArray b = S.toUtf8();
        Raw(b.constData(), b.size());
    } else {
        const QByteArray b = Encode_Windows1252(S.toString());
        Raw(b.constData(), b.size());
    }
}

TSavedCellTexts::TSavedCellTexts(TDazStringGrid &Grid)
    : FGrid(Grid), FStore(static_cast<const TStringGridBase &>(Grid).Store())
{
    // A derived grid may change any virtual step of SaveCellText.
    const bool plainClass = typeid(Grid) == typeid(TDazStringGrid);
    FVirtual = Grid.SaveVirtCells();
    FDirect = plainClass && !Grid.OnSaveCell &&
              (!FVirtual || (ShowsStoredTexts(Grid) && !Grid.OnGetFloatFormat));
}

namespace {

// Empty cells may save a check box's text; "<" may start markup, "{" rich text.
bool SavedAsStored(QStringView T)
{
    if (T.isEmpty() || T[0] == u'{')
        return false;
    for (const QChar c : T)
        if (c == u'<')
            return false;
    return true;
}

}   // namespace

QStringView TSavedCellTexts::Text(int ACol, int ARow)
{
    // A row without objects holds no cell records.
    if (FDirect && (!FVirtual || ACol >= FStore.ObjectExtent(ARow) || !FGrid.HasCellProperties(ACol, ARow))) {
        const QStringView t = FStore.TextView(ACol, ARow);
        if (SavedAsStored(t))
            return t;
    }
    FHold = TGridExchange::SaveCellText(FGrid, ACol, ARow);
    return FHold;
}
