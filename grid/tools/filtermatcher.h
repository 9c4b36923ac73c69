#pragma once
// A filter condition (grid/base/filtercond.h) taken apart once, then tested against many
// values: the groups, terms and "&" / ";" / "^" / "|" joins are found when it is made, plain
// terms and wildcard patterns are matched on views without copies, and a comparison with a
// number ("> 48") reads its operand once. Matches gives what MatchFilterCondition gives for
// the same condition and value; terms it has no shortcut for go to MatchFilterPattern.
#include <QString>
#include <QStringView>
#include <memory>
#include <vector>

class TFilterMatcher
{
public:
    TFilterMatcher(const QString &Condition, bool CaseSensitive);
    ~TFilterMatcher();
    TFilterMatcher(TFilterMatcher &&) noexcept;
    TFilterMatcher &operator=(TFilterMatcher &&) noexcept;

    bool Matches(QStringView Value) const;

    struct TTerm;
    struct TGroup;

private:
    std::unique_ptr<TGroup> FRoot;
    bool FCaseSensitive;
    mutable QString FUpper;   // the upper-cased value, its memory reused from value to value
};
