#pragma once
// Conversion and text rules of the run-time library the program was written against.
// Every subsystem uses these instead of re-implementing them.
#include <QString>
#include <QVariant>
#include <cstdint>
#include <stdexcept>
#include <vector>

// A text that does not convert to the asked type.
class EConvertError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Blanks and control characters (<= U+0020) at either end.
QString Trim(const QString &s);
QString TrimLeft(const QString &s);
QString TrimRight(const QString &s);

// Integers: leading blanks, optional sign, decimal digits, or hexadecimal after "$", "x",
// "X", "0x" or "0X". Empty text, trailing blanks, other characters and overflow fail.
int StrToInt(const QString &s);                       // throws EConvertError
bool TryStrToInt(const QString &s, int &value);
int StrToIntDef(const QString &s, int def);
int64_t StrToInt64(const QString &s);                 // throws EConvertError
bool TryStrToInt64(const QString &s, int64_t &value);
int64_t StrToInt64Def(const QString &s, int64_t def);

// Parses like StrToInt / StrToFloat but stops at the first bad character: code is its
// 1-based position (0 on success, 1 for empty text); value holds what was read before it.
void Val(const QString &s, int &value, int &code);
void Val(const QString &s, double &value, int &code);  // '.' as decimal point, as Val does

QString IntToStr(int64_t value);
QString IntToHex(uint64_t value, int digits);           // upper case, zero padded, never cut

// Floats with the locale's decimal separator (platform/locale.h). FloatToStr gives the
// shortest text of up to 15 significant digits, exponent form only where needed.
QString FloatToStr(double value);
double StrToFloat(const QString &s);                    // throws EConvertError
bool TryStrToFloat(const QString &s, double &value);
double StrToFloatDef(const QString &s, double def);

// printf-like formatting with %d, %u, %s, %x/%X, %.Nf, %g, %%; width and '-' / '0' flags.
// A missing or mismatched argument throws EConvertError.
QString Format(const QString &fmt, const QVariantList &args);

int64_t Round(double x);   // half to even
int64_t Trunc(double x);   // towards zero

QString UpperCase(const QString &s);       // ASCII letters only
QString LowerCase(const QString &s);       // ASCII letters only
QString AnsiUpperCase(const QString &s);   // every letter
QString AnsiLowerCase(const QString &s);
int CompareText(const QString &a, const QString &b);   // ASCII case-insensitive, <0 / 0 / >0
bool SameText(const QString &a, const QString &b);

int Pos(const QString &sub, const QString &s);                 // 1-based, 0 when absent
int PosEx(const QString &sub, const QString &s, int offset);   // search from offset (1-based)
QString Copy(const QString &s, int index, int count);          // 1-based, clamped, never throws
QString StringOfChar(QChar c, int count);

// Little-endian writers and readers into a byte buffer; an offset past the end throws
// std::out_of_range (never writes out of bounds).
void Put_U8(std::vector<uint8_t> &buf, size_t offset, uint8_t value);
void Put_U16(std::vector<uint8_t> &buf, size_t offset, uint16_t value);
void Put_U32(std::vector<uint8_t> &buf, size_t offset, uint32_t value);
uint8_t Get_U8(const std::vector<uint8_t> &buf, size_t offset);
uint16_t Get_U16(const std::vector<uint8_t> &buf, size_t offset);
uint32_t Get_U32(const std::vector<uint8_t> &buf, size_t offset);
