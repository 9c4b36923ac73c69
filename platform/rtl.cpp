#include "platform/rtl.h"

#include "platform/locale.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace {

inline bool IsBlankOrControl(QChar c) { return c.unicode() <= 0x20; }

[[noreturn]] void ThrowNotInteger(const QString &s)
{
    throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(s).toStdString());
}

[[noreturn]] void ThrowNotFloat(const QString &s)
{
    throw EConvertError(
        QStringLiteral("'%1' is not a valid floating point value").arg(s).toStdString());
}

// The integer reader behind StrToInt and Val. Returns the 0-based index of the first
// character it could not take (s.size() when all were taken); value holds what was read
// before it. maxPos / maxNeg bound decimal values; hexadecimal values take up to hexBits
// bits and wrap to negative (0xFFFFFFFF is -1 for 32 bits).
qsizetype ParseInteger(const QString &s, int64_t &value, uint64_t maxPos, uint64_t maxNeg,
                       int hexBits, bool &anyDigit)
{
    const QChar *p = s.constData();
    const qsizetype n = s.size();
    qsizetype i = 0;
    value = 0;
    while (i < n && p[i] == u' ')
        ++i;
    if (i == n)
        return i;
    bool neg = false;
    if (p[i] == u'+' || p[i] == u'-') {
        neg = p[i] == u'-';
        ++i;
    }
    bool hex = false;
    if (i < n && p[i] == u'$') {
        hex = true;
        ++i;
    } else if (i < n && (p[i] == u'x' || p[i] == u'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < n && p[i] == u'0' && (p[i + 1] == u'x' || p[i + 1] == u'X')) {
        hex = true;
        i += 2;
    }
    const qsizetype firstDigit = i;
    uint64_t acc = 0;
    if (hex) {
        const uint64_t hexMax = hexBits >= 64 ? ~uint64_t(0) : (uint64_t(1) << hexBits) - 1;
        for (; i < n; ++i) {
            const char16_t c = p[i].unicode();
            int d;
            if (c >= u'0' && c <= u'9')
                d = c - u'0';
            else if (c >= u'a' && c <= u'f')
                d = c - u'a' + 10;
            else if (c >= u'A' && c <= u'F')
                d = c - u'A' + 10;
            else
                break;
            if (acc > (hexMax >> 4))
                break;   // overflow: this digit is the bad one
            acc = (acc << 4) | uint64_t(d);
        }
        // Wrap into the signed range of hexBits bits.
        int64_t v;
        if (hexBits < 64 && (acc >> (hexBits - 1)) & 1)
            v = int64_t(acc) - int64_t(uint64_t(1) << hexBits);
        else
            v = int64_t(acc);
        value = neg ? int64_t(0 - uint64_t(v)) : v;
    } else {
        const uint64_t limit = neg ? maxNeg : maxPos;
        for (; i < n; ++i) {
            const char16_t c = p[i].unicode();
            if (c < u'0' || c > u'9')
                break;
            const uint64_t d = c - u'0';
            if (acc > (limit - d) / 10)
                break;
            acc = acc * 10 + d;
        }
        value = neg ? int64_t(0 - acc) : int64_t(acc);
    }
    anyDigit = i > firstDigit;
    return i;
}

bool ParseIntegerWhole(const QString &s, int64_t &value, uint64_t maxPos, uint64_t maxNeg,
                       int hexBits)
{
    if (s.isEmpty())
        return false;
    int64_t v;
    bool anyDigit = false;
    if (ParseInteger(s, v, maxPos, maxNeg, hexBits, anyDigit) != s.size() || !anyDigit)
        return false;
    value = v;
    return true;
}

constexpr uint64_t kIntMaxPos = uint64_t(std::numeric_limits<int>::max());
constexpr uint64_t kIntMaxNeg = kIntMaxPos + 1;
constexpr uint64_t kInt64MaxPos = uint64_t(std::numeric_limits<int64_t>::max());
constexpr uint64_t kInt64MaxNeg = kInt64MaxPos + 1;

// Floats: optional blanks, sign, digits with one decimal separator, optional exponent,
// optional trailing blanks. Returns false on anything else.
bool ParseFloat(const QString &s, QChar sep, double &value)
{
    QByteArray buf;
    buf.reserve(s.size());
    qsizetype i = 0;
    const qsizetype n = s.size();
    while (i < n && s[i] == u' ')
        ++i;
    qsizetype end = n;
    while (end > i && s[end - 1] == u' ')
        --end;
    if (i == end)
        return false;
    if (s[i] == u'+' || s[i] == u'-')
        buf.append(char(s[i++].unicode()));
    int digits = 0;
    bool sepSeen = false;
    for (; i < end; ++i) {
        const QChar c = s[i];
        if (c >= u'0' && c <= u'9') {
            buf.append(char(c.unicode()));
            ++digits;
        } else if (c == sep && !sepSeen) {
            buf.append('.');
            sepSeen = true;
        } else {
            break;
        }
    }
    if (digits == 0)
        return false;
    if (i < end && (s[i] == u'e' || s[i] == u'E')) {
        buf.append('e');
        ++i;
        if (i < end && (s[i] == u'+' || s[i] == u'-'))
            buf.append(char(s[i++].unicode()));
        int expDigits = 0;
        for (; i < end && s[i] >= u'0' && s[i] <= u'9'; ++i, ++expDigits)
            buf.append(char(s[i].unicode()));
        if (expDigits == 0)
            return false;
    }
    if (i != end)
        return false;
    char *stop = nullptr;
    const double v = std::strtod(buf.constData(), &stop);
    if (stop != buf.constData() + buf.size() || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

// General format of up to `precision` significant digits: fixed point unless the
// exponent is below -5 or at least the precision ("1E20", "1,5E-6").
QString GeneralFloat(double value, int precision, QChar sep)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (value == 0)
        return QStringLiteral("0");
    precision = std::clamp(precision, 1, 18);
    char tmp[64];
    std::snprintf(tmp, sizeof tmp, "%.*e", precision - 1, value);
    // tmp: [-]d.ddddde[+-]xx
    QString mant;
    const char *p = tmp;
    bool neg = false;
    if (*p == '-') {
        neg = true;
        ++p;
    }
    QByteArray digits;
    for (; *p && *p != 'e'; ++p)
        if (*p != '.')
            digits.append(*p);
    const int exp = std::atoi(p + 1);
    while (digits.size() > 1 && digits.endsWith('0'))
        digits.chop(1);
    QString out;
    if (neg)
        out += u'-';
    if (exp < -5 || exp >= precision) {
        out += QChar(digits[0]);
        if (digits.size() > 1) {
            out += sep;
            out += QString::fromLatin1(digits.mid(1));
        }
        out += u'E';
        out += QString::number(exp);
    } else if (exp < 0) {
        out += u'0';
        out += sep;
        out += QString(-exp - 1, u'0');
        out += QString::fromLatin1(digits);
    } else {
        const int intDigits = exp + 1;
        if (digits.size() <= intDigits) {
            out += QString::fromLatin1(digits);
            out += QString(intDigits - digits.size(), u'0');
        } else {
            out += QString::fromLatin1(digits.left(intDigits));
            out += sep;
            out += QString::fromLatin1(digits.mid(intDigits));
        }
    }
    return out;
}

} // namespace

QString Trim(const QString &s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && IsBlankOrControl(s[b]))
        ++b;
    while (e > b && IsBlankOrControl(s[e - 1]))
        --e;
    return (b == 0 && e == s.size()) ? s : s.mid(b, e - b);
}

QString TrimLeft(const QString &s)
{
    qsizetype b = 0;
    while (b < s.size() && IsBlankOrControl(s[b]))
        ++b;
    return b == 0 ? s : s.mid(b);
}

QString TrimRight(const QString &s)
{
    qsizetype e = s.size();
    while (e > 0 && IsBlankOrControl(s[e - 1]))
        --e;
    return e == s.size() ? s : s.left(e);
}

bool TryStrToInt(const QString &s, int &value)
{
    int64_t v;
    if (!ParseIntegerWhole(s, v, kIntMaxPos, kIntMaxNeg, 32))
        return false;
    value = int(v);
    return true;
}

int StrToInt(const QString &s)
{
    int v;
    if (!TryStrToInt(s, v))
        ThrowNotInteger(s);
    return v;
}

int StrToIntDef(const QString &s, int def)
{
    int v;
    return TryStrToInt(s, v) ? v : def;
}

bool TryStrToInt64(const QString &s, int64_t &value)
{
    return ParseIntegerWhole(s, value, kInt64MaxPos, kInt64MaxNeg, 64);
}

int64_t StrToInt64(const QString &s)
{
    int64_t v;
    if (!TryStrToInt64(s, v))
        ThrowNotInteger(s);
    return v;
}

int64_t StrToInt64Def(const QString &s, int64_t def)
{
    int64_t v;
    return TryStrToInt64(s, v) ? v : def;
}

void Val(const QString &s, int &value, int &code)
{
    int64_t v = 0;
    bool anyDigit = false;
    const qsizetype stop = ParseInteger(s, v, kIntMaxPos, kIntMaxNeg, 32, anyDigit);
    value = int(v);
    // Text that ends after blanks, a sign or a prefix fails just past its end.
    code = (anyDigit && stop == s.size()) ? 0 : int(stop + 1);
}

void Val(const QString &s, double &value, int &code)
{
    const qsizetype n = s.size();
    qsizetype i = 0;
    while (i < n && s[i] == u' ')
        ++i;
    const qsizetype start = i;
    if (i < n && (s[i] == u'+' || s[i] == u'-'))
        ++i;
    bool digits = false, point = false;
    for (; i < n; ++i) {
        if (s[i] >= u'0' && s[i] <= u'9')
            digits = true;
        else if (s[i] == u'.' && !point)
            point = true;
        else
            break;
    }
    qsizetype numberEnd = i;
    bool badExponent = false;
    if (digits && i < n && (s[i] == u'e' || s[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < n && (s[j] == u'+' || s[j] == u'-'))
            ++j;
        qsizetype k = j;
        while (k < n && s[k] >= u'0' && s[k] <= u'9')
            ++k;
        if (k > j)
            numberEnd = i = k;
        else {
            i = j;   // an exponent without digits fails where its digits should be
            badExponent = true;
        }
    }
    double v = 0;
    const bool ok = digits && ParseFloat(s.mid(start, numberEnd - start), u'.', v);
    value = ok ? v : 0;
    code = (ok && !badExponent && i == n) ? 0 : int(i + 1);
}

QString IntToStr(int64_t value)
{
    return QString::number(value);
}

QString IntToHex(uint64_t value, int digits)
{
    QString s = QString::number(value, 16).toUpper();
    if (s.size() < digits)
        s.prepend(QString(digits - s.size(), u'0'));
    return s;
}

QString FloatToStr(double value)
{
    return GeneralFloat(value, 15, DecimalSeparator());
}

bool TryStrToFloat(const QString &s, double &value)
{
    return ParseFloat(s, DecimalSeparator(), value);
}

double StrToFloat(const QString &s)
{
    double v;
    if (!TryStrToFloat(s, v))
        ThrowNotFloat(s);
    return v;
}

double StrToFloatDef(const QString &s, double def)
{
    double v;
    return TryStrToFloat(s, v) ? v : def;
}

QString Format(const QString &fmt, const QVariantList &args)
{
    QString out;
    out.reserve(fmt.size() + 16);
    qsizetype argIndex = 0;
    const qsizetype n = fmt.size();
    auto fail = [&](const QString &why) {
        throw EConvertError(
            QStringLiteral("Format '%1' invalid or incompatible with argument: %2")
                .arg(fmt, why)
                .toStdString());
    };
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = fmt[i];
        if (c != u'%') {
            out += c;
            continue;
        }
        if (++i >= n)
            fail(QStringLiteral("ends with '%'"));
        if (fmt[i] == u'%') {
            out += u'%';
            continue;
        }
        bool left = false, zero = false;
        for (; i < n && (fmt[i] == u'-' || fmt[i] == u'0'); ++i)
            (fmt[i] == u'-' ? left : zero) = true;
        int width = 0;
        for (; i < n && fmt[i].isDigit(); ++i)
            width = std::min(width * 10 + (fmt[i].unicode() - u'0'), 4096);
        int prec = -1;
        if (i < n && fmt[i] == u'.') {
            prec = 0;
            for (++i; i < n && fmt[i].isDigit(); ++i)
                prec = std::min(prec * 10 + (fmt[i].unicode() - u'0'), 64);
        }
        if (i >= n)
            fail(QStringLiteral("incomplete conversion"));
        const char16_t conv = fmt[i].unicode();
        if (argIndex >= args.size())
            fail(QStringLiteral("missing argument"));
        const QVariant &a = args[argIndex++];
        const int type = a.typeId();
        const bool isInt = type == QMetaType::Int || type == QMetaType::UInt ||
                           type == QMetaType::LongLong || type == QMetaType::ULongLong ||
                           type == QMetaType::Long || type == QMetaType::ULong ||
                           type == QMetaType::Short || type == QMetaType::UShort ||
                           type == QMetaType::Char || type == QMetaType::UChar ||
                           type == QMetaType::SChar;
        const bool isFloat = type == QMetaType::Double || type == QMetaType::Float;
        QString piece;
        bool numeric = true;
        switch (conv) {
        case u'd':
        case u'u': {
            if (!isInt)
                fail(QStringLiteral("%d needs an integer"));
            if (conv == u'u' && type != QMetaType::ULongLong)
                piece = QString::number(uint32_t(a.toLongLong()));
            else if (type == QMetaType::ULongLong)
                piece = QString::number(a.toULongLong());
            else
                piece = QString::number(a.toLongLong());
            if (prec > 0) {
                const bool neg = piece.startsWith(u'-');
                QString digits = neg ? piece.mid(1) : piece;
                if (digits.size() < prec)
                    digits.prepend(QString(prec - digits.size(), u'0'));
                piece = neg ? u'-' + digits : digits;
            }
            break;
        }
        case u'x':
        case u'X': {
            if (!isInt)
                fail(QStringLiteral("%x needs an integer"));
            // 32-bit values show their two's complement.
            const bool wide = type == QMetaType::LongLong || type == QMetaType::ULongLong;
            const uint64_t v = wide ? a.toULongLong() : uint64_t(uint32_t(a.toLongLong()));
            piece = IntToHex(v, prec > 0 ? prec : 0);
            break;
        }
        case u'f':
        case u'g': {
            if (!isFloat && !isInt)
                fail(QStringLiteral("%f needs a number"));
            const double v = a.toDouble();
            if (conv == u'f') {
                if (!std::isfinite(v)) {
                    piece = GeneralFloat(v, 15, DecimalSeparator());
                } else {
                    piece = QString::number(v, 'f', prec < 0 ? 2 : prec);
                    piece.replace(u'.', DecimalSeparator());
                }
            } else {
                piece = GeneralFloat(v, prec < 0 ? 15 : prec, DecimalSeparator());
            }
            break;
        }
        case u's': {
            if (type != QMetaType::QString && type != QMetaType::QByteArray &&
                type != QMetaType::QChar)
                fail(QStringLiteral("%s needs a string"));
            piece = a.toString();
            if (prec >= 0)
                piece.truncate(prec);
            numeric = false;
            break;
        }
        default:
            fail(QStringLiteral("unknown conversion '%1'").arg(QChar(conv)));
        }
        if (piece.size() < width) {
            const qsizetype pad = width - piece.size();
            if (left)
                piece += QString(pad, u' ');
            else if (zero && numeric) {
                const qsizetype at = piece.startsWith(u'-') ? 1 : 0;
                piece.insert(at, QString(pad, u'0'));
            } else
                piece.prepend(QString(pad, u' '));
        }
        out += piece;
    }
    return out;
}

int64_t Round(double x)
{
    if (!std::isfinite(x) || x >= 9.2233720368547758e18 || x < -9.2233720368547758e18)
        throw EConvertError("Invalid floating point operation in Round");
    return int64_t(std::nearbyint(x));   // default rounding mode: half to even
}

int64_t Trunc(double x)
{
    if (!std::isfinite(x) || x >= 9.2233720368547758e18 || x < -9.2233720368547758e18)
        throw EConvertError("Invalid floating point operation in Trunc");
    return int64_t(x);
}

QString UpperCase(const QString &s)
{
    QString r = s;
    for (QChar &c : r)
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 32);
    return r;
}

QString LowerCase(const QString &s)
{
    QString r = s;
    for (QChar &c : r)
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + 32);
    return r;
}

QString AnsiUpperCase(const QString &s) { return s.toUpper(); }
QString AnsiLowerCase(const QString &s) { return s.toLower(); }

int CompareText(const QString &a, const QString &b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        char16_t x = a[i].unicode(), y = b[i].unicode();
        if (x >= u'a' && x <= u'z')
            x -= 32;
        if (y >= u'a' && y <= u'z')
            y -= 32;
        if (x != y)
            return int(x) - int(y);
    }
    return int(a.size() - b.size() > 0) - int(a.size() - b.size() < 0);
}

bool SameText(const QString &a, const QString &b)
{
    return a.size() == b.size() && CompareText(a, b) == 0;
}

int Pos(const QString &sub, const QString &s)
{
    if (sub.isEmpty())
        return 0;
    return int(s.indexOf(sub)) + 1;
}

int PosEx(const QString &sub, const QString &s, int offset)
{
    if (sub.isEmpty() || offset < 1 || offset > s.size())
        return 0;
    return int(s.indexOf(sub, offset - 1)) + 1;
}

QString Copy(const QString &s, int index, int count)
{
    if (index < 1)
        index = 1;
    if (count <= 0 || index > s.size())
        return {};
    return s.mid(index - 1, count);
}

QString StringOfChar(QChar c, int count)
{
    return count > 0 ? QString(count, c) : QString();
}

namespace {
void CheckRange(size_t size, size_t offset, size_t width)
{
    if (offset > size || size - offset < width)
        throw std::out_of_range("byte buffer access past the end");
}
} // namespace

void Put_U8(std::vector<uint8_t> &buf, size_t offset, uint8_t value)
{
    CheckRange(buf.size(), offset, 1);
    buf[offset] = value;
}

void Put_U16(std::vector<uint8_t> &buf, size_t offset, uint16_t value)
{
    CheckRange(buf.size(), offset, 2);
    buf[offset] = uint8_t(value);
    buf[offset + 1] = uint8_t(value >> 8);
}

void Put_U32(std::vector<uint8_t> &buf, size_t offset, uint32_t value)
{
    CheckRange(buf.size(), offset, 4);
    for (int i = 0; i < 4; ++i)
        buf[offset + i] = uint8_t(value >> (8 * i));
}

uint8_t Get_U8(const std::vector<uint8_t> &buf, size_t offset)
{
    CheckRange(buf.size(), offset, 1);
    return buf[offset];
}

uint16_t Get_U16(const std::vector<uint8_t> &buf, size_t offset)
{
    CheckRange(buf.size(), offset, 2);
    return uint16_t(buf[offset] | (buf[offset + 1] << 8));
}

uint32_t Get_U32(const std::vector<uint8_t> &buf, size_t offset)
{
    CheckRange(buf.size(), offset, 4);
    return uint32_t(buf[offset]) | (uint32_t(buf[offset + 1]) << 8) |
           (uint32_t(buf[offset + 2]) << 16) | (uint32_t(buf[offset + 3]) << 24);
}
