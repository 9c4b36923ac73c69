#pragma once
// Stateless text routines of the grid suite: the user's number and date conventions as the
// grid reads them at each call.
#include <QChar>
#include <QString>

QChar GetDateSeparator();
QChar GetTimeSeparator();
QChar GetThousandSeparator();
QChar GetDecimalSeparator();
QString GetShortDateFormat();   // e.g. "dd/MM/yyyy"

// Fixed conventions for tests; a null character or empty format follows the system's.
struct TGridFormatOverride
{
    QChar DateSeparator, TimeSeparator, ThousandSeparator, DecimalSeparator;
    QString ShortDateFormat;
};
void SetGridFormatOverride(const TGridFormatOverride &o);
