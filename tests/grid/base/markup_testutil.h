#pragma once
// Readable QString values in assertion messages of the mark-up tests.
#include <QString>
#include <ostream>

inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}
