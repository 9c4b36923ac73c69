#include "grid/string/datetimetext.h"

#include "platform/locale.h"
#include "platform/rtl.h"

#include <QDate>
#include <QStringList>
#include <QTime>
#include <cmath>

namespace {

// Day 0 of TDateTime values.
QDate DayZero()
{
    return QDate(1899, 12, 30);
}

constexpr double kMSecsPerDay = 86400000.0;

[[noreturn]] void Fail(const char *What, const QString &Text)
{
    throw EConvertError(QStringLiteral("'%1' is not a valid %2").arg(Text, QLatin1String(What)).toStdString());
}

// Milliseconds since midnight, rounded, within one day.
int TimeMSecs(TDateTime Value)
{
    const double ms = std::round((Value - std::floor(Value)) * kMSecsPerDay);
    return int(ms) % 86400000;
}

QDate DateOfValue(TDateTime Value)
{
    // A time that rounds up to midnight belongs to the next day.
    const double frac = Value - std::floor(Value);
    const qint64 extra = std::round(frac * kMSecsPerDay) >= kMSecsPerDay ? 1 : 0;
    return DayZero().addDays(qint64(std::floor(Value)) + extra);
}

TDateTime DateValue(const QDate &Date)
{
    return double(DayZero().daysTo(Date));
}

TDateTime AddMonths(TDateTime Value, int Months)
{
    const QDate d = DateOfValue(Value);
    const int total = d.year() * 12 + (d.month() - 1) + Months;
    const int year = total >= 0 ? total / 12 : -((11 - total) / 12);
    const int month = total - year * 12 + 1;
    if (year < 1 || year > 9999)
        throw EConvertError("Invalid argument to date encode");
    const int day = std::min(d.day(), QDate(year, month, 1).daysInMonth());
    return DateValue(QDate(year, month, day)) + TimeOf(Value);
}

}   // namespace

TDateTime Now()
{
    return FromQDateTime(QDateTime::currentDateTime());
}

TDateTime DateOf(TDateTime Value)
{
    return DateValue(DateOfValue(Value));
}

TDateTime TimeOf(TDateTime Value)
{
    return TimeMSecs(Value) / kMSecsPerDay;
}

TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec)
{
    if (Hour < 0 || Hour > 23 || Min < 0 || Min > 59 || Sec < 0 || Sec > 59 || MSec < 0 || MSec > 999)
        throw EConvertError("Invalid argument to time encode");
    return (((Hour * 60 + Min) * 60 + Sec) * 1000 + MSec) / kMSecsPerDay;
}

void DecodeTime(TDateTime Value, int &Hour, int &Min, int &Sec, int &MSec)
{
    int ms = TimeMSecs(Value);
    MSec = ms % 1000;
    ms /= 1000;
    Sec = ms % 60;
    ms /= 60;
    Min = ms % 60;
    Hour = ms / 60;
}

TDateTime DropMilliseconds(TDateTime Value)
{
    int h, m, s, ms;
    DecodeTime(Value, h, m, s, ms);
    return DateOf(Value) + EncodeTime(h, m, s, 0);
}

QString DateToStr(TDateTime Value)
{
    return DateOfValue(Value).toString(GetShortDateFormat());
}

QString TimeToStr(TDateTime Value)
{
    const QString sep = GetTimeSeparator();
    return FormatDateTime(QStringLiteral("HH") + sep + QStringLiteral("mm") + sep + QStringLiteral("ss"), Value);
}

QString TimeToStrNoSeconds(TDateTime Value)
{
    return FormatDateTime(QStringLiteral("H") + GetTimeSeparator() + QStringLiteral("mm"), Value);
}

QString DateTimeToStr(TDateTime Value)
{
    return DateToStr(Value) + u' ' + FormatDateTime(ShortTimeFormat(), Value);
}

QString FormatDateTime(const QString &Format, TDateTime Value)
{
    return ToQDateTime(Value).toString(Format);
}

TDateTime StrToDate(const QString &Text)
{
    const QString s = Trim(Text);
    const QString format = GetShortDateFormat();
    // A format with month names reads back only through itself.
    if (format.contains(QLatin1String("MMM"))) {
        const QDate named = QDate::fromString(s, format);
        if (named.isValid())
            return DateValue(named);
    }
    if (!LooksLikeDate(s))
        Fail("date", Text);
    const qsizetype d = format.indexOf(u'd'), m = format.indexOf(u'M'), y = format.indexOf(u'y');
    TDateTime v = 0;
    if (y >= 0 && y < d && y < m) {
        const QStringList parts = s.split(GetDateSeparator());
        if (parts.size() != 3)
            Fail("date", Text);
        v = m < d ? ParseEUDate(parts[2] + u'/' + parts[1] + u'/' + parts[0])
                  : ParseUSDate(parts[1] + u'/' + parts[2] + u'/' + parts[0]);
    } else {
        v = m >= 0 && m < d ? ParseUSDate(s) : ParseEUDate(s);
    }
    // The date parser answers 0 for parts that are no numbers.
    if (v == 0 && s != DateToStr(0))
        Fail("date", Text);
    return v;
}

bool TryStrToDate(const QString &Text, TDateTime &Value)
{
    try {
        Value = StrToDate(Text);
        return true;
    } catch (const EConvertError &) {
        return false;
    }
}

TDateTime StrToTime(const QString &Text)
{
    const QStringList parts = Trim(Text).split(GetTimeSeparator());
    int hms[3] = {0, 0, 0};
    bool ok = !parts.isEmpty() && parts.size() <= 3;
    for (qsizetype i = 0; ok && i < parts.size(); ++i)
        ok = TryStrToInt(Trim(parts[i]), hms[i]) && hms[i] >= 0;
    if (!ok || hms[0] > 23 || hms[1] > 59 || hms[2] > 59)
        Fail("time", Text);
    return EncodeTime(hms[0], hms[1], hms[2], 0);
}

bool TryStrToTime(const QString &Text, TDateTime &Value)
{
    try {
        Value = StrToTime(Text);
        return true;
    } catch (const EConvertError &) {
        return false;
    }
}

TDateTime StrToDateTime(const QString &Text)
{
    const QString s = Trim(Text);
    const QString format = GetShortDateFormat();
    // The date part may hold blanks itself: the time follows the date's own blanks.
    qsizetype blank = -1;
    for (qsizetype i = format.count(u' '); i >= 0; --i)
        blank = s.indexOf(u' ', blank + 1);
    if (blank < 0)
        return LooksLikeDate(s) ? StrToDate(s) : StrToTime(s);
    return StrToDate(s.left(blank)) + StrToTime(s.mid(blank + 1));
}

bool TryStrToDateTime(const QString &Text, TDateTime &Value)
{
    try {
        Value = StrToDateTime(Text);
        return true;
    } catch (const EConvertError &) {
        return false;
    }
}

TDateTime IncMonth(TDateTime Value, int Months)
{
    return AddMonths(Value, Months);
}

TDateTime IncYear(TDateTime Value, int Years)
{
    return AddMonths(Value, Years * 12);
}

QDateTime ToQDateTime(TDateTime Value)
{
    return QDateTime(DateOfValue(Value), QTime::fromMSecsSinceStartOfDay(TimeMSecs(Value)));
}

TDateTime FromQDateTime(const QDateTime &Value)
{
    return DateValue(Value.date()) + Value.time().msecsSinceStartOfDay() / kMSecsPerDay;
}
