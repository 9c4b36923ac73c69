#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "grid/base/filtercond.h"
#include "grid/base/textroutines.h"
#include "markup_testutil.h"

namespace {

// Day-month-year dates with "/" and ":", thousand "." and decimal ",".
class FilterConditions : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TGridFormatOverride o;
        o.DateSeparator = u'/';
        o.TimeSeparator = u':';
        o.ThousandSeparator = u'.';
        o.DecimalSeparator = u',';
        o.ShortDateFormat = QStringLiteral("dd/MM/yyyy");
        SetGridFormatOverride(o);
    }
    void TearDown() override { SetGridFormatOverride({}); }
};

struct TCase
{
    const char *Condition;
    const char *Value;
    bool Expected;
};

void RunCases(std::initializer_list<TCase> cases, bool caseSensitive = false)
{
    for (const TCase &c : cases)
        EXPECT_EQ(MatchFilterCondition(QString::fromUtf8(c.Condition), QString::fromUtf8(c.Value),
                                       caseSensitive),
                  c.Expected)
            << "'" << c.Condition << "' on '" << c.Value << "'";
}

TEST_F(FilterConditions, Comparisons)
{
    RunCases({
        {">5", "10", true},     {">5", "5", false},       {">5", "3", false},
        {">=5", "5", true},     {"<=5", "5", true},       {"<=5", "6", false},
        {">5", "abc", true},    {"<5", "abc", false},
        {">1.000,5", "1.500", true}, {">1.000,5", "999", false},
        {">5&<10", "7", true},  {">5&<10", "12", false},
        {">10|<2", "1", true},  {">10|<2", "11", true},   {">10|<2", "5", false},
        {">\"a b\"", "a c", true}, {">\"a b\"", "a a", false},
        {"<\"a b\"", "a", false}, {"<\"a b\"", "0", true},
    });
}

TEST_F(FilterConditions, PatternsAndNegation)
{
    RunCases({
        {"=abc", "abc", true},  {"abc", "abc", true},     {"abc", "abcd", false},
        {"ab*", "ab", true},    {"ab*", "abc", true},     {"ab*", "xab", false},
        {"*b?", "abc", true},   {"*b?", "ab", false},
        {"!ab*", "xy", true},   {"!ab*", "abc", false},
        {"a*a", "aa", true},    {"a*a", "aba", true},     {"a*a", "a", false},
        {"a;b", "a", true},     {"a;b", "b", true},       {"a^b", "b", true},  {"a;b", "c", false},
        {"", "", true},         {"", "x", false},         {"?", "", false},
    });
}

TEST_F(FilterConditions, GroupsQuotesAndCase)
{
    RunCases({
        {"*x*&(*a*|*b*)", "xa", true}, {"*x*&(*a*|*b*)", "xc", false}, {"*x*&(*a*|*b*)", "ab", false},
        {"(*a*|*b*)&*x*", "xa", true}, {"(*a*|*b*)&*x*", "xc", false}, {"(*a*|*b*)&*x*", "ab", false},
        {"a|b&c", "a", false},
        {"\"a b\"", "a b", true},      {"a b", "ab", true},             {"a b", "a b", false},
        {"ABC", "abc", true},
    });
    RunCases({{"ABC", "abc", false}, {"abc", "abc", true}}, true);
}

TEST_F(FilterConditions, Dates)
{
    RunCases({
        {">15/03/2021", "16/03/2021", true},
        {">15/03/2021", "14/03/2021", false},
        {">\"15/03/2021 10:30\"", "15/03/2021 10:31", true},
        {">\"15/03/2021 10:30\"", "15/03/2021 10:29", false},
    });
    const struct { const char *Text; bool Ok; } dates[] = {
        {"31/02/2021", false}, {"1/1/2021 24:00", false}, {"1/1/2021 10:30:60", false},
        {"1/1/2021 10:30", true}, {"1/1/2021 10:60", false}, {"0/1/2021", false},
        {"1/1/0", false}, {"1/1", false}, {"a/1/2021", false}, {"1//2021", false},
        {"1/1/2021 1030", false}, {"1/1/24", true},
    };
    for (const auto &d : dates) {
        QDateTime dt;
        EXPECT_EQ(ParseShortDateTime(QString::fromUtf8(d.Text), dt), d.Ok) << d.Text;
    }
    QDateTime dt;
    ASSERT_TRUE(ParseShortDateTime(QStringLiteral("2/3/2021 10:30"), dt));
    EXPECT_EQ(dt.date(), QDate(2021, 3, 2));
    EXPECT_EQ(dt.time(), QTime(10, 30));
    ASSERT_TRUE(ParseShortDateTime(QStringLiteral("1/1/24"), dt));
    EXPECT_EQ(dt.date().year(), 24);

    TGridFormatOverride us;
    us.DateSeparator = u'-';
    us.TimeSeparator = u':';
    us.ShortDateFormat = QStringLiteral("yyyy-MM-dd");
    SetGridFormatOverride(us);
    ASSERT_TRUE(ParseShortDateTime(QStringLiteral("2021-12-31"), dt));
    EXPECT_EQ(dt.date(), QDate(2021, 12, 31));
}

TEST_F(FilterConditions, Helpers)
{
    EXPECT_EQ(RemoveSpacesOutsideQuotes(QStringLiteral(" a \" b \" c")), QStringLiteral("a\" b \"c"));
    int pos = 0;
    EXPECT_EQ(FindOperatorOutsideQuotes(QStringLiteral("&|"), QStringLiteral("\"a&b\"|c"), pos), u'|');
    EXPECT_EQ(pos, 6);
    EXPECT_TRUE(FindOperatorOutsideQuotes(QStringLiteral("&"), QStringLiteral("abc"), pos).isNull());
    EXPECT_EQ(pos, -1);
    EXPECT_EQ(FindClosingParen(QStringLiteral("(a(b)c)d")), 7);
    EXPECT_EQ(FindClosingParen(QStringLiteral("(a(b")), 0);
    EXPECT_EQ(NormalizeFilterNumber(QStringLiteral("1.234,5")), QStringLiteral("1234.5"));
}

TEST_F(FilterConditions, UnmatchedParenthesisEnds)
{
    RunCases({
        {"(a|b", "b", true},
        {"(a|b", "c", false},
        {"x|(a", "a", true},
        {"((a", "a", true},
        {"(", "", true},
    });
}

// One term as written, without comparisons: a "*" tries every suffix, longest last.
bool ReferencePattern(QStringView p, QStringView v)
{
    const bool seen = p.contains(u'!');
    if (seen && (p.contains(u'^') || p.contains(u'&')))
        return true;
    qsizetype i = 0, j = 0;
    bool res = true, negate = false;
    while (res && !(i == p.size() && j == v.size())) {
        const QChar c = i < p.size() ? p[i] : QChar();
        if (c == u'!' && i < p.size()) {
            negate = true;
            ++i;
        } else if (c == u'"' && i < p.size()) {
            ++i;
        } else if (c == u'*' && i < p.size()) {
            while (i < p.size() && p[i] == u'*')
                ++i;
            bool found = false;
            for (qsizetype k = v.size(); k >= j && !found; --k)
                found = ReferencePattern(p.mid(i), v.mid(k));
            res = found;
            if (found)
                i = p.size(), j = v.size();
        } else if (c == u'?' && i < p.size()) {
            res = j < v.size();
            if (res)
                ++i, ++j;
        } else {
            res = i < p.size() && j < v.size() && p[i] == v[j];
            if (res)
                ++i, ++j;
        }
    }
    return negate ? !res : res;
}

TEST_F(FilterConditions, PatternsMatchTheStepByStepReading)
{
    const QString pchars = QStringLiteral("ab*?\"!^&");
    const QString vchars = QStringLiteral("ab?*");
    QRandomGenerator rng(3);
    for (int n = 0; n < 20000; ++n) {
        QString p, v;
        for (int k = rng.bounded(0, 9); k > 0; --k)
            p += pchars[rng.bounded(pchars.size())];
        for (int k = rng.bounded(0, 7); k > 0; --k)
            v += vchars[rng.bounded(vchars.size())];
        ASSERT_EQ(MatchFilterPattern(p, v), ReferencePattern(p, v))
            << p.toStdString() << " on " << v.toStdString();
    }
}

TEST_F(FilterConditions, HostileConditionsEndQuickly)
{
    const struct {
        const char *What;
        QString Condition, Value;
        bool Expected;
    } cases[] = {
        {"many stars on a long value", QStringLiteral("*a").repeated(5000) + u'b', QString(10000, u'a'), false},
        {"many stars that match", QStringLiteral("*a").repeated(5000), QString(10000, u'a'), true},
        {"stars before a comparison", QStringLiteral("*a").repeated(200) + QStringLiteral(">5"),
         QString(300, u'a'), true},
        {"star on a huge value", QStringLiteral("*x*"), QString(1000000, u'a'), false},
        {"deep open groups", QString(100000, u'(') + u'a', QStringLiteral("a"), false},
        {"deep closed groups", QString(100000, u'(') + u'a' + QString(100000, u')'), QStringLiteral("a"), false},
        {"groups within the depth", QString(50, u'(') + u'a' + QString(50, u')'), QStringLiteral("a"), true},
        {"many terms", QStringLiteral("a|").repeated(50000) + u'b', QStringLiteral("b"), true},
        {"long operand", u'>' + QString(100000, u'9'), QString(100000, u'9'), false},
        {"only quotes", QString(100001, u'"'), QStringLiteral("a"), false},
        {"question marks", QString(100000, u'?'), QString(100000, u'a'), true},
    };
    for (const auto &c : cases) {
        bool matched = false;
        const uint64_t work =
            WorkOf([&] { matched = MatchFilterCondition(c.Condition, c.Value, false); });
        EXPECT_EQ(matched, c.Expected) << c.What;
        // Linear in the sizes of condition and value, where backtracking over the stars
        // would multiply them.
        EXPECT_LE(work, 4 * uint64_t(c.Condition.size() + c.Value.size() + 1)) << c.What;
    }
}

TEST_F(FilterConditions, ManyStarsInBoundedTime)
{
    const QString pattern = QStringLiteral("*a*a*a*a*a*a*a*a*a*a*a*a*b");
    const QString value(200, u'a');
    // Twelve stars over 200 characters: the single-backtrack scan takes some thousands of
    // steps where plain backtracking takes more than 200^12.
    EXPECT_LE(WorkOf([&] { EXPECT_FALSE(MatchFilterCondition(pattern, value, true)); }),
              uint64_t(pattern.size()) * uint64_t(value.size()) * 2);
    EXPECT_LE(WorkOf([&] { EXPECT_TRUE(MatchFilterCondition(pattern, value + u'b', true)); }),
              uint64_t(pattern.size()) * uint64_t(value.size()) * 2);
}

} // namespace
