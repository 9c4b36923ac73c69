#include "grid/base/textroutines.h"

#include "grid/base/stringlist.h"
#include "platform/locale.h"
#include "platform/rtl.h"
#include "platform/textcodec.h"

#include <QDate>
#include <QLocale>
#include <cmath>

namespace {

TGridFormatOverride g_override;

// The first character of a format that is not a field letter or a quote.
QChar FirstSeparator(const QString &format, const QString &letters, QChar fallback)
{
    for (QChar c : format)
        if (!letters.contains(c) && c != u'\'' && c != u' ')
            return c;
    return fallback;
}

} // namespace

void SetGridFormatOverride(const TGridFormatOverride &o)
{
    g_override = o;
}

QString GetShortDateFormat()
{
    if (!g_override.ShortDateFormat.isEmpty())
        return g_override.ShortDateFormat;
    // Asking the system locale is slow, and its formats do not change while the program runs.
    static const QString system = ShortDateFormat();
    return system;
}

QChar GetDateSeparator()
{
    if (!g_override.DateSeparator.isNull())
        return g_override.DateSeparator;
    return FirstSeparator(GetShortDateFormat(), QStringLiteral("dMy"), u'/');
}

QChar GetTimeSeparator()
{
    if (!g_override.TimeSeparator.isNull())
        return g_override.TimeSeparator;
    static const QChar system = FirstSeparator(ShortTimeFormat(), QStringLiteral("hHmsapAPtz"), u':');
    return system;
}

QChar GetThousandSeparator()
{
    if (!g_override.ThousandSeparator.isNull())
        return g_override.ThousandSeparator;
    static const QChar system = [] {
        const QString g = QLocale().groupSeparator();
        return g.isEmpty() ? QChar(u',') : g.front();
    }();
    return system;
}

QChar GetDecimalSeparator()
{
    return g_override.DecimalSeparator.isNull() ? DecimalSeparator() : g_override.DecimalSeparator;
}

// ---------------------------------------------------------------------------------------
// Cell text kinds and the wide cell text encoding
// ---------------------------------------------------------------------------------------

int ClassifyCellText(const QString &Text, bool HtmlEnabled)
{
    // Read as if one blank were appended, so a one-character text still has a second
    // character; the text itself is not copied (this runs for every painted cell).
    const qsizetype n = Text.size();
    const auto at = [&](qsizetype i) { return i < n ? Text[i] : QChar(u' '); };
    if (n + 1 < 2)
        return ctPlain;
    if (at(0) == u'=')
        return ctFormula;
    if (at(0) == u'|' && at(1) == u'\\') {
        if (n + 1 >= 5 && at(3) == u'=' && at(4) == QChar(0))
            return ctFormula;
        return ctWideText;
    }
    if (at(0) == u'{' && at(1) == u'\\')
        return ctRichText;
    if (!HtmlEnabled)
        return ctPlain;
    // The tags "</", "<B", "<I", "<C" (the appended blank is in none of them).
    for (qsizetype i = Text.indexOf(u'<'); i >= 0 && i + 1 < n; i = Text.indexOf(u'<', i + 1)) {
        const char16_t c = Text[i + 1].unicode();
        if (c == u'/' || c == u'B' || c == u'I' || c == u'C')
            return ctMarkup;
    }
    return ctPlain;
}

QString EncodeWideCellText(const QString &W)
{
    QString s;
    s.reserve(2 + 2 * W.size());
    s += QLatin1String("|\\");
    for (QChar c : W) {
        s += QChar(c.unicode() >> 8);
        s += QChar(c.unicode() & 0xFF);
    }
    return s;
}

QString DecodeWideCellText(const QString &Text)
{
    if (!Text.startsWith(QLatin1String("|\\")))
        return Text;
    QString w;
    w.reserve((Text.size() - 2) / 2);
    for (qsizetype i = 2; i + 1 < Text.size(); i += 2)
        w += QChar(char16_t(Text[i].unicode() * 256 + Text[i + 1].unicode()));
    return w;
}

int WideStrPos(const QString &Sub, const QString &S)
{
    return int(S.indexOf(Sub)) + 1;
}

// ---------------------------------------------------------------------------------------
// Numbers
// ---------------------------------------------------------------------------------------

bool IsNumberChar(QChar Ch)
{
    return Ch.isNumber();
}

bool IsDigitOrMinus(QChar Ch)
{
    return IsNumberChar(Ch) || Ch == u'-';
}

bool IsNumberStartChar(QChar Ch)
{
    return IsNumberChar(Ch) || Ch == GetThousandSeparator() || Ch == GetDecimalSeparator() ||
           Ch == u'e' || Ch == u'E';
}

bool IsNumberBodyChar(QChar Ch)
{
    return IsNumberChar(Ch) || Ch == u'.' || Ch == u'-' || Ch == u'e' || Ch == u'E' || Ch == u'+';
}

bool IsScientificChar(QChar Ch)
{
    return IsNumberStartChar(Ch) || Ch == u'+' || Ch == u'-';
}

int DetectNumberKind(const QString &Text)
{
    if (Text.isEmpty())
        return 2;
    const QChar th = GetThousandSeparator();
    const QChar dec = GetDecimalSeparator();
    const int n = int(Text.size());
    bool isInt = true, isFloat = true, isSci = true;
    int minus = 0, decimals = 0, exponents = 0;
    int lastThousand = -4;
    for (int i = 1; i <= n; ++i) {
        const QChar ch = Text[i - 1];
        const bool num = IsNumberChar(ch);
        if (ch == u'-') {
            ++minus;
            if (i != 1)
                isInt = isFloat = false;
        }
        if (!num && ch != u'-')
            isInt = false;
        if (!num && ch != u'-' && ch != th && ch != dec)
            isFloat = false;
        if (ch == th) {
            if (i - lastThousand < 4)
                isFloat = false;
            lastThousand = i;
        }
        if (ch == dec)
            ++decimals;
        if (ch == u'e' || ch == u'E') {
            ++exponents;
            if (i == 1)
                isSci = false;
        }
        if (!num && ch != dec && ch != u'e' && ch != u'E' && ch != u'+' && ch != u'-')
            isSci = false;
    }
    const QChar last = Text[n - 1];
    if (exponents != 1 || last == u'e' || last == u'E' || last == u'+' || last == u'-')
        isSci = false;

    int kind = 2;
    if (isInt) {
        kind = 0;
    } else {
        if (isFloat && exponents == 0)
            kind = 1;
        if (isSci) {
            kind = 5;
            if (minus == 2)
                minus = 1;   // a sign of the mantissa and one of the exponent
        }
    }
    if (minus > 1 || decimals > 1)
        kind = 2;
    return kind;
}

QString NormalizeNumberText(const QString &Text)
{
    if (Text.isEmpty())
        return QString();
    QString s = Trim(Text);
    bool negative = s.startsWith(u'(') && s.endsWith(u')');
    while (s.size() >= 2 && !IsNumberStartChar(s[0])) {
        if (s[0] == u'-')
            negative = true;
        s.remove(0, 1);
    }
    const QChar th = GetThousandSeparator();
    const QChar dec = GetDecimalSeparator();
    QString result;
    for (QChar ch : s) {
        if (ch == th)
            continue;
        if (ch == dec)
            result += u'.';
        else if (IsNumberBodyChar(ch))
            result += ch;
        else
            break;
    }
    if (negative)
        result.prepend(u'-');
    return result;
}

// ---------------------------------------------------------------------------------------
// Dates
// ---------------------------------------------------------------------------------------

namespace {

const qint64 DateTimeEpochJulianDay = QDate(1899, 12, 30).toJulianDay();

[[noreturn]] void DateEncodeError()
{
    throw EConvertError("Invalid argument to date encode");
}

// A year as written: one or two digits follow the century rule, longer ones stand.
int ExpandYear(const QString &Written, int Year)
{
    int digits = 0;
    for (QChar c : Written)
        if (c.isDigit())
            ++digits;
    if (digits > 2)
        return Year;
    return Year <= 25 ? 2000 + Year : 1900 + Year;
}

TDateTime ParseDate(const QString &Text, bool MonthFirst)
{
    const QChar sep = Text.contains(u'/') ? u'/' : Text.contains(u'.') ? u'.' : u'-';
    const qsizetype p1 = Text.indexOf(sep);
    if (p1 < 0)
        return 0.0;
    const qsizetype p2 = Text.indexOf(sep, p1 + 1);
    if (p2 < 0)
        return 0.0;
    const QString first = Text.left(p1);
    const QString second = Text.mid(p1 + 1, p2 - p1 - 1);
    const QString third = Text.mid(p2 + 1);
    int a = 0, b = 0, y = 0;
    if (!TryStrToInt(first, a) || !TryStrToInt(second, b) || !TryStrToInt(third, y))
        return 0.0;
    if (y < 0)
        DateEncodeError();
    const int year = ExpandYear(third, y);
    return MonthFirst ? EncodeDate(year, a, b) : EncodeDate(year, b, a);
}

}   // namespace

TDateTime EncodeDate(int Year, int Month, int Day)
{
    if (Year < 1 || Year > 9999 || !QDate::isValid(Year, Month, Day))
        DateEncodeError();
    return double(QDate(Year, Month, Day).toJulianDay() - DateTimeEpochJulianDay);
}

void DecodeDate(TDateTime Date, int &Year, int &Month, int &Day)
{
    const QDate d = QDate::fromJulianDay(DateTimeEpochJulianDay + qint64(std::floor(Date)));
    Year = d.year();
    Month = d.month();
    Day = d.day();
}

TDateTime ParseUSDate(const QString &Text)
{
    return ParseDate(Text, true);
}

TDateTime ParseEUDate(const QString &Text)
{
    return ParseDate(Text, false);
}

bool LooksLikeDate(const QString &Text)
{
    const QChar sep = GetDateSeparator();
    const qsizetype p1 = Text.indexOf(sep);
    if (p1 < 1)
        return false;
    const qsizetype p2 = Text.indexOf(sep, p1 + 1);
    return p2 > p1 + 1;
}

TDateTime AddDateStep(int16_t Years, int16_t Months, int16_t Days, double Increment,
                      TDateTime Date)
{
    const int set = (Years != 0) + (Months != 0) + (Days != 0);
    if (set != 1)
        return Date + Increment;
    if (Days != 0)
        return Date + Days;
    const double time = Date - std::floor(Date);
    int y, m, d;
    DecodeDate(Date, y, m, d);
    if (Years != 0) {
        y += Years;
    } else {
        // Months carry into years however many there are.
        const int total = (m - 1) + Months;
        y += total >= 0 ? total / 12 : -((11 - total) / 12);
        m = ((total % 12) + 12) % 12 + 1;
    }
    return EncodeDate(y, m, d) + time;
}

// ---------------------------------------------------------------------------------------
// Line breaks, files and CSV
// ---------------------------------------------------------------------------------------

QString EncodeCellLineBreaks(const QString &Text)
{
    if (!Text.contains(u'\r'))
        return Text;
    QString s = Text;
    s.replace(u'\r', u'\t').replace(u'\n', QChar(8)).replace(QChar(0), QChar(1));
    return s;
}

QString DecodeCellLineBreaks(const QString &Text, bool MultiLine)
{
    if (!Text.contains(QChar(8)))
        return Text;
    QString s = Text;
    s.replace(u'\t', u'\r').replace(QChar(8), u'\n').replace(QChar(1), QChar(0));
    return MultiLine ? s : TakeFirstLine(s, false);
}

QString TakeFirstLine(QString &Text, bool Keep)
{
    const qsizetype cr = Text.indexOf(u'\r');
    if (cr < 0) {
        QString line = Text;
        Text.clear();
        return line;
    }
    QString line = Text.left(cr);
    qsizetype rest = cr + 1;
    if (rest < Text.size() && Text[rest] == u'\n')
        ++rest;
    Text = Keep ? Text.mid(rest) : QString();
    return line;
}

int CountCellLines(const QString &Text, bool MultiLine)
{
    return MultiLine ? 1 + int(Text.count(u'\r')) : 1;
}

QString UnescapeNewlines(const QString &Text)
{
    QString s = Text;
    return s.replace(QLatin1String("\\n"), QStringLiteral("\r"));
}

QString EscapeNewlines(const QString &Text)
{
    QString s = Text;
    s.remove(u'\n');
    return s.replace(u'\r', QLatin1String("\\n"));
}

void RemoveCRs(QString &Text)
{
    Text.remove(u'\r');
}

void CRToLF(QString &Text)
{
    Text.replace(u'\r', u'\n');
}

void CRLFToLF(QString &Text)
{
    Text.replace(QLatin1String("\r\n"), QStringLiteral("\n"));
}

QString DoubleQuoteChars(const QString &Text)
{
    QString s = Text;
    return s.replace(u'"', QLatin1String("\"\""));
}

QString UndoubleChar(QChar Ch, const QString &Text)
{
    if (!Text.contains(Ch))
        return Text;
    QString s;
    s.reserve(Text.size());
    for (qsizetype i = 0; i < Text.size(); ++i) {
        s += Text[i];
        if (Text[i] == Ch && i + 1 < Text.size() && Text[i + 1] == Ch)
            ++i;
    }
    return s;
}

void QuoteWithVTBreaks(QString &Text)
{
    Text.replace(QLatin1String("\r\n"), QString(QChar(11)));
    Text = u'"' + Text + u'"';
}

void VTToCRLF(QString &Text)
{
    if (Text.contains(QChar(11)))
        Text.replace(QChar(11), QLatin1String("\r\n"));
}

void LineBreaksToTilde(QString &Text)
{
    Text.remove(u'\n');
    Text.replace(u'\r', u'~');
}

void TildeToLineBreaks(QString &Text)
{
    Text.replace(u'~', QLatin1String("\r\n"));
    if (Text == QLatin1String("^"))
        Text.clear();
}

int FindOddCharRun(QChar Ch, const QString &Text, int &Pos)
{
    Pos = 0;
    int run = 0;
    const int n = int(Text.size());
    for (int i = 1; i <= n; ++i) {
        if (Text[i - 1] == Ch) {
            ++run;
            if (i == n) {
                Pos = i;
                break;
            }
        } else {
            if (run % 2 == 1) {
                Pos = i - 1;
                break;
            }
            run = 0;
        }
    }
    return Pos;
}

int CountOddCharRuns(QChar Ch, const QString &Text)
{
    int count = 0;
    QString rest = Text;
    int pos = 0;
    while (FindOddCharRun(Ch, rest, pos) > 0) {
        ++count;
        rest = rest.mid(pos);
    }
    return count;
}

int CountChar(QChar Ch, const QString &Text)
{
    return int(Text.count(Ch));
}

QString CutToken(QString &Text, QChar Delim)
{
    const qsizetype p = Text.indexOf(Delim);
    if (p < 0)
        return QString();
    QString token = Text.left(p);
    Text.remove(0, p + 1);
    return token;
}

QString ConcatStrings(const TStringList &List)
{
    QString s;
    for (int i = 0; i < List.Count(); ++i)
        s += List.Strings(i);
    return s;
}

// ---------------------------------------------------------------------------------------
// HTML export, URLs and links
// ---------------------------------------------------------------------------------------

QString CRToBrTags(const QString &Text)
{
    if (!Text.contains(u'\r'))
        return Text;
    QString s = Text;
    return s.replace(u'\r', QLatin1String("<br>"));
}

QString ColorToHexRGB(uint32_t Color)
{
    static const char digits[] = "0123456789ABCDEF";
    QString s;
    for (int shift : {0, 8, 16}) {
        const uint32_t b = (Color >> shift) & 0xFF;
        s += QLatin1Char(digits[b >> 4]);
        s += QLatin1Char(digits[b & 15]);
    }
    return s;
}

void WrapAsClipboardHtml(QString &Fragment)
{
    const int l = int(Fragment.size());
    auto field = [](const char *name, int value) {
        return QLatin1String(name) + QStringLiteral("%1").arg(value, 8, 10, QLatin1Char('0')) +
               QLatin1String("\r\n");
    };
    Fragment = QLatin1String("Version:1.0\r\n") + field("StartHTML:", 97) +
               field("EndHTML:", l + 306) + field("StartFragment:", 274) +
               field("EndFragment:", l + 274) +
               QLatin1String("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">"
                             "<html><head><META http-equiv=Content-Type "
                             "content=\"text/html; charset=iso-8859-1\"></head><body>"
                             "<!--StartFragment-->") +
               Fragment + QLatin1String("<!--EndFragment--></body></html>");
}

namespace {

bool IsUrlChar(QChar c)
{
    const char16_t u = c.unicode();
    if ((u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z'))
        return true;
    return QStringView(u"%()-./:@\\_{}").contains(c);
}

}   // namespace

bool LinkifyUrl(const QString &Text, const QString &Prefix, QString &Dest)
{
    if (Prefix.isEmpty() || !UpperCase(Text).contains(Prefix))
        return false;
    QString s = Text;
    s.replace(u'<', QLatin1String("&lt;")).replace(u'>', QLatin1String("&gt;"));
    const qsizetype from = UpperCase(s).indexOf(Prefix);
    qsizetype end = from;
    while (end < s.size() && IsUrlChar(s[end]))
        ++end;
    const QString url = s.mid(from, end - from);
    s.insert(end, QLatin1String("</a>"));
    s.insert(from, QLatin1String("<a href=\"") + url + QLatin1String("\">"));
    Dest = s;
    return true;
}

bool IsUrlText(const QString &Text)
{
    return Text.contains(QLatin1String("://")) || Text.contains(QLatin1String("mailto:"));
}

void StripUrlScheme(QString &Text)
{
    qsizetype p = Text.indexOf(QLatin1String("://"));
    if (p >= 0) {
        Text.remove(0, p + 3);
        return;
    }
    p = Text.indexOf(QLatin1String("mailto:"));
    if (p >= 0)
        Text.remove(0, p + 7);
}

bool ParseRowColRef(const QString &Text, TPoint &Point)
{
    const QString s = UpperCase(Text);
    if (s.size() < 4 || !s.startsWith(u'R'))
        return false;
    const qsizetype c = s.indexOf(u'C');
    if (c < 0)
        return false;
    int row = 0, col = 0;
    if (!TryStrToInt(s.mid(1, c - 1), row) || !TryStrToInt(s.mid(c + 1), col))
        return false;
    Point = TPoint(col, row);
    return true;
}

// ---------------------------------------------------------------------------------------
// Other
// ---------------------------------------------------------------------------------------

namespace {

bool IsNameBreakChar(QChar c)
{
    return c == u' ' || c == u'\'' || c == u',' || c == u'-' || c == u'.';
}

// Code page 850 from 0x80 to 0xFF.
constexpr char16_t Oem850High[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8,
    0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2,
    0x00FB, 0x00F9, 0x00FF, 0x00D6, 0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192, 0x00E1,
    0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x00AE, 0x00AC, 0x00BD,
    0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2,
    0x00C0, 0x00A9, 0x2563, 0x2551, 0x2557, 0x255D, 0x00A2, 0x00A5, 0x2510, 0x2514, 0x2534,
    0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560,
    0x2550, 0x256C, 0x00A4, 0x00F0, 0x00D0, 0x00CA, 0x00CB, 0x00C8, 0x0131, 0x00CD, 0x00CE,
    0x00CF, 0x2518, 0x250C, 0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580, 0x00D3, 0x00DF, 0x00D4,
    0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE, 0x00DE, 0x00DA, 0x00DB, 0x00D9, 0x00FD, 0x00DD,
    0x00AF, 0x00B4, 0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6, 0x00A7, 0x00F7, 0x00B8, 0x00B0,
    0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0};

char OemByte(QChar c)
{
    if (c.unicode() < 0x80)
        return char(c.unicode());
    for (int i = 0; i < 128; ++i)
        if (Oem850High[i] == c.unicode())
            return char(0x80 + i);
    return '?';
}

}   // namespace

QString ToMixedCase(const QString &Text)
{
    QString s = Text;
    const int n = int(s.size());
    bool capitalise = true;
    for (int i = 1; i <= n; ++i) {
        const QChar c = s[i - 1];
        if (IsNameBreakChar(c)) {
            capitalise = true;
        } else if (capitalise) {
            s[i - 1] = c.toUpper();
            capitalise = false;
        } else {
            s[i - 1] = c.toLower();
        }
        if (i == 2 && s.left(2) == QLatin1String("Mc"))
            capitalise = true;
        const qsizetype mc = s.indexOf(QLatin1String(" Mc"));
        if (mc >= 0 && mc + 3 == i && i > 2)
            capitalise = true;
        if (i >= n - 2) {
            if (i >= 2 && s.mid(i - 2, 2) == QLatin1String(" I"))
                capitalise = true;
            if (i >= 3 && s.mid(i - 3, 3) == QLatin1String(" II"))
                capitalise = true;
        }
    }
    return s;
}

void FillWithChar(QString &Text, QChar Ch)
{
    Text.fill(Ch);
}

void StrToOem(QString &Text)
{
    QByteArray oem;
    oem.reserve(Text.size());
    for (QChar c : Text)
        oem += OemByte(c);
    Text = Decode_Windows1252(oem);
}

void OemToStr(QString &Text)
{
    const QByteArray bytes = Encode_Windows1252(Text);
    QString s;
    s.reserve(bytes.size());
    for (char b : bytes) {
        const auto u = uint8_t(b);
        s += u < 0x80 ? QChar(u) : QChar(Oem850High[u - 0x80]);
    }
    Text = s;
}

int PosInUpperCase(const QString &Sub, const QString &Text)
{
    return Pos(Sub, UpperCase(Text));
}

int FindPos(const QString &Sub, const QString &Text, int &Pos)
{
    Pos = ::Pos(Sub, Text);
    return Pos;
}

int FirstCharPos(QChar Ch, const QString &Text)
{
    return int(Text.indexOf(Ch)) + 1;
}

int FirstCharPosOut(QChar Ch, const QString &Text, int &Pos)
{
    const int p = FirstCharPos(Ch, Text);
    if (p > 0)
        Pos = p;
    return p;
}

int MaxOfInt(int A, int B)
{
    return A > B ? A : B;
}

int MinOfInt(int A, int B)
{
    return A < B ? A : B;
}

int ClampToLimits(int Value, int Min, int Max)
{
    if (Min == Max)
        return Value;
    int result = Value;
    if (Min > 0 && Value < Min)
        result = Min;
    if (Max > 0 && Value > Max)
        result = Max;
    return result;
}

bool GridRectContains(const TGridRect &Rect, int Col, int Row)
{
    return Rect.Left <= Col && Col <= Rect.Right && Rect.Top <= Row && Row <= Rect.Bottom;
}
