#include "grid/tools/sorttexts.h"

#include "grid/base/textroutines.h"
#include "grid/string/datetimetext.h"

#include <QCollator>
#include <QLocale>
#include <charconv>

namespace {

int Sign(int v)
{
    return (v > 0) - (v < 0);
}

template <class T>
int CompareValues(T a, T b)
{
    return a > b ? 1 : (a == b ? 0 : -1);
}

// Code unit order, the shorter text first when one begins the other.
int Ordinal(QStringView a, QStringView b)
{
    return Sign(a.compare(b, Qt::CaseSensitive));
}

char16_t UpperAZ(char16_t c)
{
    return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c;
}

int OrdinalUpperAZ(QStringView a, QStringView b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t x = UpperAZ(a[i].unicode()), y = UpperAZ(b[i].unicode());
        if (x != y)
            return x < y ? -1 : 1;
    }
    return CompareValues(a.size(), b.size());
}

bool DigitsAt(QStringView t, qsizetype p)
{
    return IsNumberChar(t[p - 1]) && IsNumberChar(t[p + 1]);
}

// Suffix, then prefix, first occurrence each; for ssFinancial every thousand separator.
QStringView NumberText(QStringView Text, TSortStyle Style, const TSortTextRules &Rules,
                       QString &Work)
{
    if (Rules.Suffix.isEmpty() && Rules.Prefix.isEmpty() &&
        (Style != ssFinancial || !Text.contains(Rules.ThousandSeparator)))
        return Text;
    Work = Text.toString();
    if (!Rules.Suffix.isEmpty()) {
        const qsizetype p = Work.indexOf(Rules.Suffix);
        if (p >= 0)
            Work.remove(p, Rules.Suffix.size());
    }
    if (!Rules.Prefix.isEmpty()) {
        const qsizetype p = Work.indexOf(Rules.Prefix);
        if (p >= 0)
            Work.remove(p, Rules.Prefix.size());
    }
    if (Style == ssFinancial)
        Work.remove(Rules.ThousandSeparator);
    return Work;
}

bool ReadLatin1Float(const char *p, const char *end, double &Value)
{
    while (p < end && (*p == ' ' || (*p > 0 && *p < ' ')))
        ++p;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-'))
        negative = *p++ == '-';
    // Mantissa digits with at most one ".", then an optional exponent with its digits.
    const char *q = p;
    bool digits = false;
    while (q < end && *q >= '0' && *q <= '9')
        ++q, digits = true;
    if (q < end && *q == '.') {
        ++q;
        while (q < end && *q >= '0' && *q <= '9')
            ++q, digits = true;
    }
    if (!digits)
        return false;
    if (q < end && (*q == 'e' || *q == 'E')) {
        ++q;
        if (q < end && (*q == '+' || *q == '-'))
            ++q;
        const char *e = q;
        while (q < end && *q >= '0' && *q <= '9')
            ++q;
        if (q == e)
            return false;
    }
    if (q != end)
        return false;
    double v = 0;
    const auto r = std::from_chars(p, end, v, std::chars_format::general);
    if (r.ptr != end && r.ec != std::errc::result_out_of_range)
        return false;
    Value = negative ? -v : v;
    return true;
}

// The first decimal separator reads as ".".
bool ReadNumber(QStringView Text, QChar Decimal, double &Value)
{
    char stack[64];
    std::string heap;
    char *buf = stack;
    if (Text.size() >= qsizetype(sizeof stack)) {
        heap.resize(size_t(Text.size()) + 1);
        buf = heap.data();
    }
    bool decimalSeen = Decimal == u'.';
    qsizetype n = 0;
    for (const QChar ch : Text) {
        char16_t c = ch.unicode();
        if (!decimalSeen && ch == Decimal) {
            c = u'.';
            decimalSeen = true;
        }
        if (c > 127)
            return false;
        buf[n++] = char(c);
    }
    return ReadLatin1Float(buf, buf + n, Value);
}

}   // namespace

bool SortTextToFloat(QStringView Text, double &Value)
{
    char stack[64];
    std::string heap;
    char *buf = stack;
    if (Text.size() >= qsizetype(sizeof stack)) {
        heap.resize(size_t(Text.size()) + 1);
        buf = heap.data();
    }
    qsizetype n = 0;
    for (const QChar ch : Text) {
        if (ch.unicode() > 127)
            return false;
        buf[n++] = char(ch.unicode());
    }
    return ReadLatin1Float(buf, buf + n, Value);
}


TSortTextRules TSortTextRules::Current(bool IgnoreCase)
{
    TSortTextRules r;
    r.DateSeparator = GetDateSeparator();
    r.TimeSeparator = GetTimeSeparator();
    r.ThousandSeparator = GetThousandSeparator();
    r.DecimalSeparator = GetDecimalSeparator();
    r.IgnoreCase = IgnoreCase;
    return r;
}

bool IsSortNumber(QStringView Text)
{
    // Digits with an optional leading minus are an integer whatever the separators; other
    // texts need the full classification.
    if (!Text.isEmpty()) {
        qsizetype i = Text.front() == u'-' ? 1 : 0;
        while (i < Text.size() && Text[i] >= u'0' && Text[i] <= u'9')
            ++i;
        if (i == Text.size())
            return true;
    }
    const int kind = DetectNumberKind(QString::fromRawData(Text.data(), Text.size()));
    return kind == 0 || kind == 1 || kind == 5;
}

TSortTextRules::TNumberMemo &TSortTextRules::MemoFor(QStringView Text)
{
    if (!StableTexts) {
        TNumberMemo &m = Memo[0];
        m = TNumberMemo();
        m.IsNumber = IsSortNumber(Text);
        return m;
    }
    for (TNumberMemo &m : Memo)
        if (m.Data == Text.data() && m.Size == Text.size())
            return m;
    TNumberMemo &m = Memo[MemoNext];
    MemoNext ^= 1;
    m = TNumberMemo();
    m.Data = Text.data();
    m.Size = Text.size();
    m.IsNumber = IsSortNumber(Text);
    return m;
}

bool IsSortNumber(QStringView Text, TSortTextRules &Rules)
{
    return Rules.MemoFor(Text).IsNumber;
}

namespace {

TSortStyle DetectStyle(QStringView T1, QStringView T2, const TSortTextRules &Rules, bool Number)
{
    if (Number)
        return ssNumeric;
    const TSortStyle alpha = Rules.IgnoreCase ? ssAlphaNoCase : ssAlphabetic;
    // 1-based separator position p: at the 2nd or 3rd place and not last.
    auto placed = [&](QChar Sep, qsizetype &p) {
        p = T1.indexOf(Sep) + 1;
        return p >= 2 && p <= 3 && p < T1.size();
    };
    qsizetype p = 0;
    if (placed(Rules.DateSeparator, p)) {
        if (DigitsAt(T1, p - 1) && T2.contains(Rules.DateSeparator))
            return T1.contains(Rules.TimeSeparator) ? ssDateTime : ssDate;
        return alpha;
    }
    if (placed(Rules.TimeSeparator, p) && DigitsAt(T1, p - 1) && T2.contains(Rules.TimeSeparator))
        return ssTime;
    return alpha;
}

// The number reading of one side, remembered for a plain text (no prefix, suffix or
// separators removed from it).
bool ReadSide(QStringView Original, QStringView Number, TSortTextRules &Rules, double &Value)
{
    if (Number.data() != Original.data() || Number.size() != Original.size())
        return ReadNumber(Number, Rules.DecimalSeparator, Value);
    TSortTextRules::TNumberMemo &m = Rules.MemoFor(Original);
    if (!m.Read) {
        m.Read = true;
        m.ReadOk = ReadNumber(Original, Rules.DecimalSeparator, m.Value);
    }
    Value = m.Value;
    return m.ReadOk;
}

}   // namespace

TSortStyle DetectSortStyle(QStringView T1, QStringView T2, const TSortTextRules &Rules)
{
    return DetectStyle(T1, T2, Rules, IsSortNumber(T1));
}

TSortStyle DetectSortStyle(QStringView T1, QStringView T2, const TSortTextRules &Rules,
                           bool T1IsNumber)
{
    return DetectStyle(T1, T2, Rules, T1IsNumber);
}

bool ReadSortNumber(QStringView Text, QChar DecimalSeparator, double &Value)
{
    return ReadNumber(Text, DecimalSeparator, Value);
}

int CompareSortTexts(TSortStyle Style, QStringView T1, QStringView T2, TSortTextRules &Rules,
                     TSortTextInfo *Info, int CellEmpty1, int CellEmpty2)
{
    if (Style == ssAutomatic)
        Style = DetectStyle(T1, T2, Rules, IsSortNumber(T1, Rules));
    if (Style == ssAlphaNumeric || Style == ssAlphaNumericNoCase) {
        if (IsSortNumber(T1, Rules) && IsSortNumber(T2, Rules))
            Style = ssNumeric;
        else
            Style = Style == ssAlphaNumeric ? ssAlphabetic : ssAlphaNoCase;
    }
    bool blank1 = T1.isEmpty(), blank2 = T2.isEmpty();
    int result = 1;
    switch (Style) {
    case ssNumeric:
    case ssFinancial: {
        QString w1, w2;
        const QStringView n1 = NumberText(T1, Style, Rules, w1);
        const QStringView n2 = NumberText(T2, Style, Rules, w2);
        blank1 = n1.isEmpty();
        blank2 = n2.isEmpty();
        double v1 = 0, v2 = 0;
        bool ok1 = ReadSide(T1, n1, Rules, v1);
        bool ok2 = ReadSide(T2, n2, Rules, v2);
        if (!ok1) {
            v1 = 0;
            ok1 = CellEmpty1 < 0 ? T1.isEmpty() : CellEmpty1 != 0;
        }
        if (!ok2) {
            v2 = 0;
            ok2 = CellEmpty2 < 0 ? T2.isEmpty() : CellEmpty2 != 0;
        }
        result = !ok1 && !ok2 ? 0 : CompareValues(v1, v2);
        break;
    }
    case ssAlphaNoCase:
        result = OrdinalUpperAZ(T1, T2);
        break;
    case ssAnsiAlphaCase:
    case ssAnsiAlphaNoCase: {
        std::shared_ptr<QCollator> &c =
            Style == ssAnsiAlphaCase ? Rules.Collator : Rules.CollatorNoCase;
        if (!c) {
            c = std::make_shared<QCollator>(QLocale());
            c->setCaseSensitivity(Style == ssAnsiAlphaCase ? Qt::CaseSensitive
                                                           : Qt::CaseInsensitive);
        }
        result = Sign(c->compare(T1, T2));
        break;
    }
    case ssDate:
    case ssDateTime: {
        TDateTime d1 = 0, d2 = 0;
        if (!T1.isEmpty() && !TryStrToDateTime(T1.toString(), d1))
            d1 = 0;
        if (!T2.isEmpty() && !TryStrToDateTime(T2.toString(), d2))
            d2 = 0;
        result = CompareValues(d1, d2);
        break;
    }
    case ssTime: {
        TDateTime d1 = 0, d2 = 0;
        if (!TryStrToTime(T1.toString(), d1))
            d1 = 0;
        if (!TryStrToTime(T2.toString(), d2))
            d2 = 0;
        result = CompareValues(d1, d2);
        break;
    }
    case ssShortDateEU:
    case ssShortDateUS: {
        auto parse = [Style](QStringView t) {
            try {
                return Style == ssShortDateEU ? ParseEUDate(t.toString()) : ParseUSDate(t.toString());
            } catch (...) {
                return TDateTime(0);
            }
        };
        result = CompareValues(parse(T1), parse(T2));
        break;
    }
    case ssAlphabetic:
    case ssAlphaCase:
    case ssHTML:
    case ssImages:
    case ssCheckBox:
    case ssCustom:
    case ssRaw:
        result = Ordinal(T1, T2);
        break;
    default:
        break;   // a value outside the formats leaves +1
    }
    if (Info) {
        Info->Style = Style;
        Info->Blank1 = blank1;
        Info->Blank2 = blank2;
    }
    return result;
}
