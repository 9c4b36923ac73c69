#pragma once
// The user's number and date conventions (the profile's decimal separator and short formats).
#include <QChar>
#include <QString>

QChar DecimalSeparator();
QString ShortDateFormat();     // Qt date format text, e.g. "dd/MM/yyyy"
QString ShortTimeFormat();     // e.g. "HH:mm"
// Tests fix the separator; a null QChar returns to the system's.
void SetDecimalSeparatorOverride(QChar sep);
