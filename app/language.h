#pragma once
// The UI text table: every caption, hint, column header and message of the program by
// number, English built in, overlaid by a language file of LANGUAGE/<name>.lng.
#include <QString>
#include <QStringList>

// Entry N is text N; after loading it holds exactly Lang_Text_Count entries.
extern QStringList Lang_Text_List;
extern int Lang_Text_Count;

// Text N of the table; empty for a number outside it.
QString Lang_Text(int n);

// Empties the table and fills it with the built-in English texts.
void Load_Default_Texts();

// Overlays the texts that the file sets; the others keep their text. Lines are
//   STR<number><one character>=<text>
// anything else is ignored. Returns false, leaving the table unchanged, when the file
// cannot be read.
bool Load_Language_File(const QString &FileName);

// The built-in texts, then the file of Language_Name from Language_Dir; when that file is
// missing, Language_Name becomes "English" and English.lng is used if present. A file that
// exists but cannot be read leaves the English texts and is reported in a warning.
void Load_Language();

// LANGUAGE/<name>.lng, matched without regard to case; empty when there is none.
QString Language_File_Path(const QString &name);
