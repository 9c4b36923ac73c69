#include "grid/tools/filtermatcher.h"

#include "grid/base/filtercond.h"
#include "grid/base/textroutines.h"
#include "platform/rtl.h"

#include <QDateTime>
#include <variant>

namespace {

// Groups nested deeper than this do not pass (as MatchFilterCondition).
constexpr int kMaxGroupDepth = 100;

bool IsPlainDigits(QStringView s)
{
    if (s.isEmpty() || s.size() > 15)   // up to 15 digits are exact as a double
        return false;
    for (QChar c : s)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

double DigitsValue(QStringView s)
{
    double v = 0;
    for (QChar c : s)
        v = v * 10 + (c.unicode() - u'0');
    return v;
}

bool HasAny(QStringView s, QStringView set)
{
    for (QChar c : s)
        if (set.contains(c))
            return true;
    return false;
}

// Plain pattern match: "?" takes one character, "*" any run; only the last "*" is moved on.
bool Glob(QStringView P, QStringView V)
{
    qsizetype p = 0, v = 0, starP = -1, starV = 0;
    const qsizetype np = P.size(), nv = V.size();
    while (v < nv) {
        if (p < np && P[p] == u'*') {
            while (p < np && P[p] == u'*')
                ++p;
            starP = p;
            starV = v;
        } else if (p < np && (P[p] == u'?' || P[p] == V[v])) {
            ++p;
            ++v;
        } else if (starP >= 0) {
            p = starP;
            v = ++starV;
        } else {
            return false;
        }
    }
    while (p < np && P[p] == u'*')
        ++p;
    return p == np;
}

}   // namespace

struct TFilterMatcher::TTerm
{
    enum TKind { Literal, Pattern, Compare, General } Kind = General;
    QString Text;      // the term as written (General), or what the shortcut matches against
    // Compare: a term ">n", ">=n", "<n" or "<=n" with a plain number n.
    bool Greater = false, OrEqual = false;
    double Operand = 0;

    explicit TTerm(const QString &T) : Text(T)
    {
        static const QString kSpecial = QStringLiteral("*?\"!<>^&");
        if (!HasAny(T, kSpecial)) {
            Kind = Literal;
        } else if (!HasAny(T, u"!<>^&")) {
            // Quotes are skipped by the pattern scan: they only protect what they enclose.
            Kind = Pattern;
            Text.remove(u'"');
        } else if (T.size() >= 2 && (T[0] == u'>' || T[0] == u'<')) {
            Greater = T[0] == u'>';
            qsizetype i = 1;
            OrEqual = T[i] == u'=';
            if (OrEqual)
                ++i;
            const QString operand = T.mid(i);
            QDateTime dt;
            int code = 0;
            if (!operand.isEmpty() && !HasAny(operand, QStringLiteral("*?\"!<>^&| ")) &&
                !ParseShortDateTime(operand, dt)) {
                Val(NormalizeFilterNumber(operand), Operand, code);
                if (code == 0)
                    Kind = Compare;
            }
        }
    }

    bool Matches(QStringView V) const
    {
        switch (Kind) {
        case Literal:
            return V == Text;
        case Pattern:
            return Glob(Text, V);
        case Compare:
            // A value of plain digits is a number and never the term's own text; any other
            // value takes the full reading.
            if (IsPlainDigits(V)) {
                const double a = DigitsValue(V);
                return Greater ? (OrEqual ? a >= Operand : a > Operand)
                               : (OrEqual ? a <= Operand : a < Operand);
            }
            break;
        case General:
            break;
        }
        try {
            return MatchFilterPattern(Text, V.toString());
        } catch (...) {
            return false;
        }
    }
};

struct TFilterMatcher::TGroup
{
    // One step: joined by Op (NUL for the first, "(" after a group) to what came before.
    struct TStep
    {
        QChar Op;
        std::variant<TTerm, std::unique_ptr<TGroup>> Item;
    };
    std::vector<TStep> Steps;
    bool TooDeep = false;

    TGroup(const QString &Condition, int Depth)
    {
        if (Depth > kMaxGroupDepth) {
            TooDeep = true;
            return;
        }
        static const QString kOperators = QStringLiteral("(;^&|");
        QString c = RemoveSpacesOutsideQuotes(Trim(Condition));
        if (c.startsWith(u'='))
            c.remove(0, 1);
        QChar op;
        int pos = 0;
        for (QChar found = FindOperatorOutsideQuotes(kOperators, c, pos); !found.isNull();
             found = FindOperatorOutsideQuotes(kOperators, c, pos)) {
            if (c.startsWith(u'(')) {
                const int e = FindClosingParen(c);
                if (e == 0) {
                    Steps.push_back({op, std::make_unique<TGroup>(c.mid(1), Depth + 1)});
                    c.clear();
                } else {
                    Steps.push_back({op, std::make_unique<TGroup>(c.mid(1, e - 2), Depth + 1)});
                    c.remove(0, e);
                }
                found = u'(';
            } else {
                Steps.push_back({op, TTerm(c.left(pos - 1))});
                c.remove(0, pos);
            }
            op = found;
        }
        Steps.push_back({op, TTerm(c)});
    }

    bool Matches(QStringView V) const
    {
        if (TooDeep)
            return false;
        bool result = true;
        for (const TStep &s : Steps) {
            // A step whose join decides nothing is not evaluated (matching has no effects).
            if (!s.Op.isNull()) {
                if (s.Op == u'&' && !result)
                    continue;
                if ((s.Op == u';' || s.Op == u'^' || s.Op == u'|') && result)
                    continue;
                if (s.Op != u'&' && s.Op != u';' && s.Op != u'^' && s.Op != u'|')
                    continue;   // after a group the next item does not count
            }
            result = std::holds_alternative<TTerm>(s.Item)
                         ? std::get<TTerm>(s.Item).Matches(V)
                         : std::get<std::unique_ptr<TGroup>>(s.Item)->Matches(V);
        }
        return result;
    }
};

TFilterMatcher::TFilterMatcher(const QString &Condition, bool CaseSensitive)
    : FRoot(std::make_unique<TGroup>(CaseSensitive ? Condition : AnsiUpperCase(Condition), 0)),
      FCaseSensitive(CaseSensitive)
{
}

TFilterMatcher::~TFilterMatcher() = default;
TFilterMatcher::TFilterMatcher(TFilterMatcher &&) noexcept = default;
TFilterMatcher &TFilterMatcher::operator=(TFilterMatcher &&) noexcept = default;

bool TFilterMatcher::Matches(QStringView Value) const
{
    if (FCaseSensitive)
        return FRoot->Matches(Value);
    // Upper-casing whole texts, as MatchFilterCondition does; ASCII without a new string.
    bool ascii = true;
    for (QChar c : Value)
        if (c.unicode() >= 128) {
            ascii = false;
            break;
        }
    if (!ascii)
        return FRoot->Matches(AnsiUpperCase(Value.toString()));
    FUpper.resize(Value.size());
    QChar *out = FUpper.data();
    for (QChar c : Value)
        *out++ = c >= u'a' && c <= u'z' ? QChar(c.unicode() - 32) : c;
    return FRoot->Matches(FUpper);
}
