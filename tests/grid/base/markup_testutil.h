#pragma once
// Readable QString values in assertion messages of the mark-up tests, and time budgets.
#include <QString>
#include <ostream>

inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}

// Time budgets are those of release builds; debug and sanitizer builds run several times
// slower.
#if defined(NDEBUG) && !defined(__SANITIZE_ADDRESS__)
constexpr int kBudgetScale = 1;
#else
constexpr int kBudgetScale = 10;
#endif
