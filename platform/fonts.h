#pragma once
// The font names the windows were designed with (Tahoma, MS Sans Serif, Verdana, Arial,
// Courier New, ...) are not installed here. Each is given an installed family of close
// metrics, so captions measured for the original fonts still fit their controls.
#include <QString>

// The installed family that stands in for name (matched without regard to case); name
// itself when it needs no stand-in.
QString Installed_Font_Family(const QString &name);

// Registers every stand-in with Qt's font substitution, so a QFont asking for one of the
// names gets its stand-in. Safe to call more than once.
void Install_Font_Substitutes();
