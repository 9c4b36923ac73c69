#pragma once
// Readable QString values in assertion messages of the mark-up tests, and time budgets.
#include <QRandomGenerator>
#include <QString>
#include <QStringList>
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

// A text of minCount to maxCount - 1 pieces picked at random.
inline QString RandomPieces(QRandomGenerator &rng, const QStringList &pieces, int minCount,
                            int maxCount)
{
    QString s;
    for (int k = rng.bounded(minCount, maxCount); k > 0; --k)
        s += pieces[rng.bounded(pieces.size())];
    return s;
}
