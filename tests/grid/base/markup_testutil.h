#pragma once
// Readable QString values in assertion messages of the mark-up tests, and the work count
// that holds hostile texts to a bound.
#include "grid/base/workcount.h"

#include <QRandomGenerator>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <ostream>

inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}

// The steps (TWorkCount) that F takes.
template <typename F>
uint64_t WorkOf(F &&Run)
{
    const uint64_t before = TWorkCount::Steps();
    Run();
    return TWorkCount::Steps() - before;
}

// A text of minCount to maxCount - 1 pieces picked at random.
inline QString RandomPieces(QRandomGenerator &rng, const QStringList &pieces, int minCount,
                            int maxCount)
{
    QString s;
    for (int k = rng.bounded(minCount, maxCount); k > 0; --k)
        s += pieces[rng.bounded(pieces.size())];
    return s;
}
