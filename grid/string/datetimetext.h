#pragma once
// Dates and times as the editors show and read them: TDateTime values (days since
// 30 December 1899, the fraction being the time of day) in the user's short date format and
// in hours, minutes and seconds with the user's time separator.
#include "grid/base/textroutines.h"

#include <QDateTime>
#include <QString>

TDateTime Now();
TDateTime DateOf(TDateTime Value);   // midnight of the day
TDateTime TimeOf(TDateTime Value);   // the time of day, 0 <= t < 1

// Hours 0..23, minutes and seconds 0..59, milliseconds 0..999; anything else throws
// EConvertError.
TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec);
// The time of day rounded to the millisecond.
void DecodeTime(TDateTime Value, int &Hour, int &Min, int &Sec, int &MSec);
// The same moment without its milliseconds.
TDateTime DropMilliseconds(TDateTime Value);

// The date in the short date format.
QString DateToStr(TDateTime Value);
// The time of day as hours, minutes and seconds, two digits each ("00:30:00").
QString TimeToStr(TDateTime Value);
// The short date format, a blank and the short time format.
QString DateTimeToStr(TDateTime Value);
// Hours without a leading zero and minutes: "0:30".
QString TimeToStrNoSeconds(TDateTime Value);
// A Qt date-time format applied to the value.
QString FormatDateTime(const QString &Format, TDateTime Value);

// Day, month and year in the order of the short date format, separated by the date
// separator ("/", "." and "-" also do); a year of one or two digits follows the century
// rule of the grid. Throws EConvertError.
TDateTime StrToDate(const QString &Text);
bool TryStrToDate(const QString &Text, TDateTime &Value);
// Hours, then optional minutes and seconds, separated by the time separator.
TDateTime StrToTime(const QString &Text);
bool TryStrToTime(const QString &Text, TDateTime &Value);
// A date, optionally followed by a blank and a time; or a time alone.
TDateTime StrToDateTime(const QString &Text);
bool TryStrToDateTime(const QString &Text, TDateTime &Value);

// Whole months or years on; a day that the target month lacks becomes its last day.
TDateTime IncMonth(TDateTime Value, int Months);
TDateTime IncYear(TDateTime Value, int Years);

QDateTime ToQDateTime(TDateTime Value);
TDateTime FromQDateTime(const QDateTime &Value);
