// A condition taken apart once answers as the condition read anew for every value does.
#include "grid/base/filtercond.h"
#include "grid/tools/filtermatcher.h"
#include "toolgrid.h"

#include <gtest/gtest.h>

namespace {

struct FilterMatcherTest : ToolGridTest
{
};

}   // namespace

// Every condition against every value, both case rules: the same answer both ways.
TEST_F(FilterMatcherTest, AnswersAsTheConditionReadPerValue)
{
    const char *conditions[] = {
        "even", "EVEN", "", "=even", "> 48", ">48", ">=48", "<48", "<= 48", ">4.5", ">1,000",
        "<abc", ">b*", "R1*", "*1", "r?2*", "*", "**", "?", "\"a b\"", "\"a*\"", "a\"*\"b",
        "!odd", "!R1*", "a;b", "a|b", "a^b", "a&b", ">10&<20", ">10 & <20", "<5|>90", "(a|b)&c",
        "(>10)&(<20)", "((a))", "(a", "a)", "x(y)", "(a)b", ">3/4/2020", "<10:30", ">\"4 5\"",
        "*\"x y\"*", "a b", " even ", ">=", ">", "!", ">>5", "<>5", "1e2", ">1e2", ">-5",
        "ä*", "STRASSE", "stra\u00dfe", "*ab*ab*", "?*?", "a&", ";a", "&&", "(((((x)))))"};
    const char *values[] = {
        "even", "Even", "odd", "", "48", "49", "047", "4.5", "100", "1,000", "1000", "-7",
        "abc", "b", "bz", "R1", "R12", "r12", "R2", "x1", "a b", "a*", "a\"b", "a", "c", "ac",
        "15", "3/4/2020", "5/4/2020", "10:30", "9:00", "4 5", "zx yz", ">48", "1e2", "ä1",
        "Stra\u00dfe", "STRASSE", "abab", "abxab", "x(y)", "123456789012345678", " 5"};
    for (const bool cs : {true, false})
        for (const char *c : conditions) {
            const QString cond = QString::fromUtf8(c);
            const TFilterMatcher m(cond, cs);
            for (const char *v : values) {
                const QString value = QString::fromUtf8(v);
                EXPECT_EQ(m.Matches(value), MatchFilterCondition(cond, value, cs))
                    << "condition [" << c << "] value [" << v << "] case " << cs;
            }
        }
}

// Groups nested past the limit do not pass, as the condition read per value.
TEST_F(FilterMatcherTest, DeepGroupsFail)
{
    const QString deep = QString(150, u'(') + QStringLiteral("a") + QString(150, u')');
    EXPECT_FALSE(TFilterMatcher(deep, true).Matches(QStringLiteral("a")));
    EXPECT_EQ(TFilterMatcher(deep, true).Matches(QStringLiteral("a")),
              MatchFilterCondition(deep, QStringLiteral("a"), true));
}
