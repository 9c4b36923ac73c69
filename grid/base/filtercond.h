#pragma once
// Filter conditions: comparisons ('>5', '<=31/12/2020'), wildcard patterns ('ab*', '?x'),
// negation ('!abc'), groups in parentheses and terms joined by "&" (and) or ";", "^", "|"
// (or), combined strictly from left to right. Double quotes protect what they enclose.
// Evaluation is pure and never throws; groups nested more than 100 deep do not pass.
#include <QChar>
#include <QDateTime>
#include <QString>

bool MatchFilterCondition(const QString &condition, const QString &value, bool caseSensitive);
bool MatchFilterTerm(const QString &term, const QString &value, bool caseSensitive);
// One term against a value; "*" patterns are matched in time polynomial in the lengths.
bool MatchFilterPattern(const QString &term, const QString &value);

// A date in the short date format's field order, optionally followed by a blank and a time
// (hours, minutes and optional seconds). The year is taken as written.
bool ParseShortDateTime(const QString &text, QDateTime &dateTime);

QString RemoveSpacesOutsideQuotes(const QString &text);
// The first character of text that is in set and outside double quotes; pos is its 1-based
// position. None: NUL and pos -1.
QChar FindOperatorOutsideQuotes(const QString &set, const QString &text, int &pos);
// 1-based position of the ")" that closes the group opened at the start; 0 when none.
int FindClosingParen(const QString &text);
QString NormalizeFilterNumber(const QString &text);
