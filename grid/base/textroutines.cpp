#include "grid/base/textroutines.h"

#include <QLocale>

#include "platform/locale.h"

namespace {

TGridFormatOverride g_override;

// The first character of a format that is not a field letter or a quote.
QChar FirstSeparator(const QString &format, const QString &letters, QChar fallback)
{
    for (QChar c : format)
        if (!letters.contains(c) && c != u'\'' && c != u' ')
            return c;
    return fallback;
}

} // namespace

void SetGridFormatOverride(const TGridFormatOverride &o)
{
    g_override = o;
}

QString GetShortDateFormat()
{
    if (!g_override.ShortDateFormat.isEmpty())
        return g_override.ShortDateFormat;
    // Asking the system locale is slow, and its formats do not change while the program runs.
    static const QString system = ShortDateFormat();
    return system;
}

QChar GetDateSeparator()
{
    if (!g_override.DateSeparator.isNull())
        return g_override.DateSeparator;
    return FirstSeparator(GetShortDateFormat(), QStringLiteral("dMy"), u'/');
}

QChar GetTimeSeparator()
{
    if (!g_override.TimeSeparator.isNull())
        return g_override.TimeSeparator;
    static const QChar system = FirstSeparator(ShortTimeFormat(), QStringLiteral("hHmsapAPtz"), u':');
    return system;
}

QChar GetThousandSeparator()
{
    if (!g_override.ThousandSeparator.isNull())
        return g_override.ThousandSeparator;
    static const QChar system = [] {
        const QString g = QLocale().groupSeparator();
        return g.isEmpty() ? QChar(u',') : g.front();
    }();
    return system;
}

QChar GetDecimalSeparator()
{
    return g_override.DecimalSeparator.isNull() ? DecimalSeparator() : g_override.DecimalSeparator;
}
