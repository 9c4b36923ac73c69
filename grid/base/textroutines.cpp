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
    return g_override.ShortDateFormat.isEmpty() ? ShortDateFormat() : g_override.ShortDateFormat;
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
    return FirstSeparator(ShortTimeFormat(), QStringLiteral("hHmsapAPtz"), u':');
}

QChar GetThousandSeparator()
{
    if (!g_override.ThousandSeparator.isNull())
        return g_override.ThousandSeparator;
    const QString g = QLocale().groupSeparator();
    return g.isEmpty() ? QChar(u',') : g.front();
}

QChar GetDecimalSeparator()
{
    return g_override.DecimalSeparator.isNull() ? DecimalSeparator() : g_override.DecimalSeparator;
}
