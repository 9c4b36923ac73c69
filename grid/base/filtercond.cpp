#include "grid/base/filtercond.h"
#include "grid/base/workcount.h"

#include <QStringView>
#include <algorithm>
#include <array>
#include <vector>

#include "grid/base/textroutines.h"
#include "platform/rtl.h"

namespace {

// Longest part of two texts that a string comparison looks at.
constexpr qsizetype kMaxCompareLength = 255;

enum class TCompare { Greater, AtLeast, Less, AtMost };

// The operand after ">" or "<" (and its "=" and blanks) starting at from.
QString ScanOperand(QStringView s, qsizetype from, bool greater)
{
    QString op;
    bool inside = false;
    bool lastWasQuote = false;
    for (qsizetype i = from; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == u' ') {
            // Inside quotes the greater part keeps one blank after a character.
            if (greater && inside && i > from && s[i - 1] != u' ') {
                op += c;
                lastWasQuote = false;
                continue;
            }
            break;
        }
        if (!inside && (c == u'&' || c == u'|'))
            break;
        if (c == u'"') {
            inside = !inside;
            if (op.isEmpty())
                continue;
            op += c;
            lastWasQuote = true;
            continue;
        }
        op += c;
        lastWasQuote = false;
    }
    if (lastWasQuote)
        op.chop(1);
    return op;
}

bool AsFilterNumber(const QString &s, double &v)
{
    QDateTime dt;
    if (ParseShortDateTime(s, dt))
        return false;
    int code = 0;
    Val(NormalizeFilterNumber(s), v, code);
    return code == 0;
}

template <typename T>
bool Compare(const T &a, const T &b, TCompare how)
{
    switch (how) {
    case TCompare::Greater: return a > b;
    case TCompare::AtLeast: return a >= b;
    case TCompare::Less: return a < b;
    case TCompare::AtMost: return a <= b;
    }
    return false;
}

bool CompareValues(const QString &value, const QString &operand, TCompare how)
{
    double a = 0, b = 0;
    if (AsFilterNumber(value, a) && AsFilterNumber(operand, b))
        return Compare(a, b, how);
    QDateTime da, db;
    if (ParseShortDateTime(value, da) && ParseShortDateTime(operand, db))
        return Compare(da, db, how);
    const int c = QStringView(value).left(kMaxCompareLength)
                      .compare(QStringView(operand).left(kMaxCompareLength), Qt::CaseSensitive);
    return Compare(c, 0, how);
}

// One side of a comparison term: the operator at its first occurrence, then the operand.
bool ComparePart(QStringView term, QChar op, const QString &value)
{
    qsizetype i = term.indexOf(op) + 1;
    const bool orEqual = i < term.size() && term[i] == u'=';
    if (orEqual)
        ++i;
    while (i < term.size() && term[i] == u' ')
        ++i;
    const bool greater = op == u'>';
    const QString operand = ScanOperand(term, i, greater);
    const TCompare how = greater ? (orEqual ? TCompare::AtLeast : TCompare::Greater)
                                 : (orEqual ? TCompare::AtMost : TCompare::Less);
    return CompareValues(value, operand, how);
}

// Matches a term against a value. A "*" tries the rest of the term against every suffix of
// the value. A rest without comparisons or negation is a plain wildcard pattern, matched
// by the usual single-backtrack scan; otherwise results for (term position, value
// position) are remembered, which keeps patterns with many "*" polynomial.
class TPatternMatcher
{
public:
    TPatternMatcher(QStringView p, QStringView v) : P(p), V(v), FRest(size_t(p.size()) + 1, 0)
    {
        for (qsizetype i = p.size() - 1; i >= 0; --i) {
            uint8_t bits = FRest[size_t(i) + 1];
            switch (p[i].unicode()) {
            case u'>': bits |= kGt; break;
            case u'<': bits |= kLt; break;
            case u'!': bits |= kBang; break;
            case u'^': bits |= kCaret; break;
            case u'&': bits |= kAmp; break;
            default: break;
            }
            FRest[size_t(i)] = bits;
        }
    }

    bool Eval(qsizetype pi, qsizetype vi)
    {
        TWorkCount::Add();
        const uint8_t rest = FRest[size_t(pi)];
        bool gtResult = true, ltResult = true, gtSeen = false, ltSeen = false;
        const bool hasGt = rest & kGt, hasLt = rest & kLt;
        const QStringView term = P.mid(pi);
        const QString value = (hasGt || hasLt) ? V.mid(vi).toString() : QString();
        if (hasGt) {
            gtResult = ComparePart(term, u'>', value);
            gtSeen = true;
        }
        if (hasLt) {
            ltResult = ComparePart(term, u'<', value);
            ltSeen = true;
        }
        if (rest & kBang)
            gtSeen = ltSeen = true;
        if ((rest & kCaret) && (gtSeen || ltSeen))
            return ltResult || gtResult;
        if ((rest & kAmp) && gtSeen && ltSeen)
            return ltResult && gtResult;
        if (hasGt && gtResult)
            return true;
        if (hasLt && ltResult)
            return true;
        return Wildcard(pi, vi);
    }

private:
    static constexpr uint8_t kGt = 1, kLt = 2, kBang = 4, kCaret = 8, kAmp = 16;
    // Nested "*" evaluations beyond this depth fail instead of exhausting the stack.
    static constexpr int kMaxDepth = 1000;

    bool Wildcard(qsizetype p, qsizetype v)
    {
        const qsizetype np = P.size(), nv = V.size();
        bool res = true, negate = false;
        while (res && !(p == np && v == nv)) {
            TWorkCount::Add();
            const QChar c = p < np ? P[p] : QChar();
            if (p < np && c == u'!') {
                negate = true;
                ++p;
            } else if (p < np && c == u'"') {
                ++p;
            } else if (p < np && c == u'*') {
                while (p < np && P[p] == u'*')
                    ++p;
                bool found = false;
                if (!(FRest[size_t(p)] & (kGt | kLt | kBang))) {
                    found = PlainAfterStar(p, v);
                } else if (FDepth < kMaxDepth) {
                    ++FDepth;
                    for (qsizetype k = nv; k >= v && !found; --k)
                        found = Memo(p, k);
                    --FDepth;
                }
                if (found)
                    p = np, v = nv;
                else
                    res = false;
            } else if (p < np && c == u'?') {
                res = v < nv;
                if (res)
                    ++p, ++v;
            } else {
                // The end of the term while the value goes on, or the value's end, fails.
                res = p < np && v < nv && P[p] == V[v];
                if (res)
                    ++p, ++v;
            }
        }
        return negate ? !res : res;
    }

    // Whether the plain pattern P[p..] (quotes skipped) matches some suffix of V[v..]. Only
    // the last "*" ever needs to be moved on: an earlier one could give nothing more.
    bool PlainAfterStar(qsizetype p, qsizetype v) const
    {
        const qsizetype np = P.size(), nv = V.size();
        qsizetype starP = p, starV = v;
        while (true) {
            TWorkCount::Add();
            while (p < np && P[p] == u'"')
                ++p;
            if (p < np && P[p] == u'*') {
                while (p < np && (P[p] == u'*' || P[p] == u'"'))
                    ++p;
                starP = p;
                starV = v;
                continue;
            }
            if (v == nv)
                return p == np;   // what is left of the pattern needs more characters
            if (p < np && (P[p] == u'?' || P[p] == V[v])) {
                ++p;
                ++v;
                continue;
            }
            if (++starV > nv)
                return false;
            p = starP;
            v = starV;
        }
    }

    bool Memo(qsizetype pi, qsizetype vi)
    {
        if (FRows.empty())
            FRows.resize(size_t(P.size()) + 1);
        std::vector<int8_t> &row = FRows[size_t(pi)];
        if (row.empty())
            row.assign(size_t(V.size()) + 1, kUnknown);
        int8_t &slot = row[size_t(vi)];
        if (slot == kUnknown)
            slot = Eval(pi, vi) ? 1 : 0;
        return slot == 1;
    }

    static constexpr int8_t kUnknown = -1;
    QStringView P, V;
    std::vector<uint8_t> FRest;   // which of > < ! ^ & occur from each term position on
    // Remembered results, one row per term position that follows a "*".
    std::vector<std::vector<int8_t>> FRows;
    int FDepth = 0;
};

bool Combine(QChar op, bool result, bool d)
{
    if (op.isNull())
        return d;
    if (op == u'&')
        return result && d;
    if (op == u';' || op == u'^' || op == u'|')
        return result || d;
    return result;   // after a group
}

bool ToInt(const QString &s, int &v)
{
    return !s.isEmpty() && TryStrToInt(s, v);
}

} // namespace

namespace {

// Groups nested deeper than this do not pass, instead of exhausting the stack.
constexpr int kMaxGroupDepth = 100;

bool MatchCondition(const QString &condition, const QString &value, int depth)
{
    if (depth > kMaxGroupDepth)
        return false;
    static const QString kOperators = QStringLiteral("(;^&|");
    QString c = RemoveSpacesOutsideQuotes(Trim(condition));
    if (c.startsWith(u'='))
        c.remove(0, 1);
    bool result = true;
    QChar op;
    int pos = 0;
    for (QChar found = FindOperatorOutsideQuotes(kOperators, c, pos); !found.isNull();
         found = FindOperatorOutsideQuotes(kOperators, c, pos)) {
        TWorkCount::Add();
        bool d;
        if (c.startsWith(u'(')) {
            const int e = FindClosingParen(c);
            if (e == 0) {
                // No matching ")": the rest after "(" is the group, which ends the condition.
                d = MatchCondition(c.mid(1), value, depth + 1);
                c.clear();
            } else {
                d = MatchCondition(c.mid(1, e - 2), value, depth + 1);
                c.remove(0, e);
            }
            found = u'(';
        } else {
            d = MatchFilterPattern(c.left(pos - 1), value);
            c.remove(0, pos);
        }
        result = Combine(op, result, d);
        op = found;
    }
    return Combine(op, result, MatchFilterPattern(c, value));
}

} // namespace

bool MatchFilterCondition(const QString &condition, const QString &value, bool caseSensitive)
{
    // Upper-casing the whole condition once equals upper-casing each of its terms.
    if (!caseSensitive)
        return MatchCondition(AnsiUpperCase(condition), AnsiUpperCase(value), 0);
    return MatchCondition(condition, value, 0);
}

bool MatchFilterTerm(const QString &term, const QString &value, bool caseSensitive)
{
    if (caseSensitive)
        return MatchFilterPattern(term, value);
    return MatchFilterPattern(AnsiUpperCase(term), AnsiUpperCase(value));
}

bool MatchFilterPattern(const QString &term, const QString &value)
{
    TPatternMatcher m(term, value);
    return m.Eval(0, 0);
}

bool ParseShortDateTime(const QString &text, QDateTime &dateTime)
{
    const QString format = UpperCase(GetShortDateFormat());
    const QChar dateSep = GetDateSeparator();
    const qsizetype s1 = text.indexOf(dateSep);
    if (s1 < 0)
        return false;
    const qsizetype s2 = text.indexOf(dateSep, s1 + 1);
    if (s2 < 0)
        return false;
    const QString f1 = text.left(s1);
    const QString f2 = text.mid(s1 + 1, s2 - s1 - 1);
    const QString rest = Trim(text.mid(s2 + 1));
    const qsizetype blank = rest.indexOf(u' ');
    const QString f3 = blank < 0 ? rest : rest.left(blank);
    const QString timePart = blank < 0 ? QString() : rest.mid(blank);

    int v1 = 0, v2 = 0, v3 = 0;
    if (!ToInt(f1, v1) || !ToInt(f2, v2) || !ToInt(f3, v3))
        return false;
    // The letters D, M and Y in the format's order tell which field is which.
    struct TField { qsizetype At; int *Target; };
    int day = 0, month = 0, year = 0;
    TField order[3] = {{format.indexOf(u'D'), &day}, {format.indexOf(u'M'), &month},
                       {format.indexOf(u'Y'), &year}};
    std::sort(std::begin(order), std::end(order),
              [](const TField &a, const TField &b) { return a.At < b.At; });
    *order[0].Target = v1;
    *order[1].Target = v2;
    *order[2].Target = v3;
    if (day > 31 || month > 12)
        return false;

    int hour = 0, minute = 0, second = 0;
    if (blank >= 0) {
        const QChar timeSep = GetTimeSeparator();
        const qsizetype t1 = timePart.indexOf(timeSep);
        if (t1 < 0)
            return false;
        if (!ToInt(timePart.left(t1), hour) || hour > 23)
            return false;
        const QString after = timePart.mid(t1 + 1);
        const qsizetype t2 = after.indexOf(timeSep);
        if (t2 >= 0) {
            if (!ToInt(after.left(t2), minute) || !ToInt(after.mid(t2 + 1), second) || second > 60)
                return false;
        } else if (!ToInt(after, minute)) {
            return false;
        }
        if (minute > 59)
            return false;
    }
    // Years outside 1..9999 and negative fields cannot be encoded.
    if (year < 1 || year > 9999 || hour < 0 || minute < 0 || second < 0)
        return false;
    const QDate date(year, month, day);
    const QTime time(hour, minute, second);
    if (!date.isValid() || !time.isValid())
        return false;
    dateTime = QDateTime(date, time, Qt::UTC);
    return true;
}

QString RemoveSpacesOutsideQuotes(const QString &text)
{
    QString out;
    out.reserve(text.size());
    bool inside = false;
    for (QChar c : text) {
        if (c == u'"')
            inside = !inside;
        else if (c == u' ' && !inside)
            continue;
        out += c;
    }
    return out;
}

QChar FindOperatorOutsideQuotes(const QString &set, const QString &text, int &pos)
{
    bool inside = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'"')
            inside = !inside;
        else if (!inside && set.contains(c)) {
            pos = int(i + 1);
            return c;
        }
    }
    pos = -1;
    return QChar();
}

int FindClosingParen(const QString &text)
{
    int open = 0, close = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'(')
            ++open;
        else if (text[i] == u')') {
            ++close;
            if (open == close)
                return int(i + 1);
        }
    }
    return 0;
}

QString NormalizeFilterNumber(const QString &text)
{
    const QChar dec = GetDecimalSeparator(), thousand = GetThousandSeparator();
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c == dec)
            out += u'.';
        else if (c != thousand)
            out += c;
    }
    return out;
}
