#include "platform/locale.h"

#include <QLocale>
#include <atomic>

namespace {
std::atomic<char16_t> g_separatorOverride{0};
}

QChar DecimalSeparator()
{
    const char16_t o = g_separatorOverride.load(std::memory_order_relaxed);
    if (o != 0)
        return QChar(o);
    const QString dp = QLocale().decimalPoint();
    return dp.isEmpty() ? QChar(u'.') : dp.front();
}

QString ShortDateFormat()
{
    return QLocale().dateFormat(QLocale::ShortFormat);
}

QString ShortTimeFormat()
{
    return QLocale().timeFormat(QLocale::ShortFormat);
}

void SetDecimalSeparatorOverride(QChar sep)
{
    g_separatorOverride.store(sep.unicode(), std::memory_order_relaxed);
}
