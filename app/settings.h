#pragma once
// The settings file Tessalinor.xml beside the program: the last project, the last device
// address, the language and the four options.
#include <QString>

// Exe_Dir + "/Tessalinor.xml".
QString Settings_File_Path();

// Reads the file into the program state. A missing, unreadable or damaged file gives the
// defaults; the last two are reported in a warning, and a damaged file is first copied to
// "<path>.damaged". Each value is read on its own, so a missing element only defaults that value.
// Project_Path is left alone (the caller decides whether the project still exists).
void Read_Settings(const QString &path);

// Writes the program state to the file, atomically. Throws EXmlError when it cannot.
void Write_Settings(const QString &path);
