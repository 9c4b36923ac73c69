#pragma once
// Colours as text, as the framework streams them: the name of a colour constant ("clRed",
// "clWindow", "clNone") where one has that value, else "$" and eight hexadecimal digits.
#include "platform/color.h"

#include <QString>

QString ColorToString(TColor Color);
// The constant named Ident (without regard to case); false when no constant has that name.
bool IdentToColor(const QString &Ident, TColor &Color);
// A constant name, or an integer as StrToInt reads it ("$00FF8000", "255"); throws
// EConvertError (platform/rtl.h) for anything else.
TColor StringToColor(const QString &Text);
