#include "app/language.h"

#include "app/comon.h"
#include "app/default_texts.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/rtl.h"
#include "platform/textcodec.h"

QStringList Lang_Text_List;
int Lang_Text_Count = 0;

namespace {

const QChar Pilcrow(0x00B6);
const QString Comment_Mark = QStringLiteral("/#/");

// One line of a language file: false when it sets nothing.
bool Parse_Line(const QString &raw, int &number, QString &text)
{
    const QString line = Trim(raw);
    if (!line.startsWith(QLatin1String("STR")))
        return false;
    // The number runs from the fourth character to the one before the character that
    // precedes the first "=".
    const int p = Pos(QStringLiteral("="), line);
    number = StrToIntDef(Trim(Copy(line, 4, p - 5)), -1);
    if (number < 0 || number >= Lang_Text_Count)
        return false;
    text = Trim(Copy(line, p + 1, line.size()));
    if (text.isEmpty())
        return false;
    const int comment = text.indexOf(Comment_Mark);
    if (comment >= 0) {
        text = Trim(text.left(comment));
        if (text.isEmpty())
            return false;
    }
    // Pilcrows keep blanks at the ends of a text: a leading one is dropped, a later one ends it.
    if (text.startsWith(Pilcrow))
        text.remove(0, 1);
    const int end = text.indexOf(Pilcrow);
    if (end >= 0)
        text.truncate(end);
    return true;
}

} // namespace

QString Lang_Text(int n)
{
    return n >= 0 && n < Lang_Text_List.size() ? Lang_Text_List.at(n) : QString();
}

void Load_Default_Texts()
{
    Lang_Text_List.clear();
    Fill_Default_Texts(Lang_Text_List);
    // The table always has every entry, whatever the built-in list holds.
    while (Lang_Text_List.size() < Default_Text_Count)
        Lang_Text_List.append(QStringLiteral(" "));
    while (Lang_Text_List.size() > Default_Text_Count)
        Lang_Text_List.removeLast();
    Lang_Text_Count = Default_Text_Count;
}

namespace {

// Load_Language_File; error receives why the file could not be read.
bool Overlay_Language_File(const QString &FileName, QString &error)
{
    QStringList lines;
    try {
        lines = Read_Text_Lines(FileName);
    } catch (const std::exception &e) {
        error = QString::fromUtf8(e.what());
        return false;
    }
    for (const QString &line : lines) {
        int number = -1;
        QString text;
        if (Parse_Line(line, number, text) && number < Lang_Text_List.size())
            Lang_Text_List[number] = text;
    }
    return true;
}

} // namespace

bool Load_Language_File(const QString &FileName)
{
    QString error;
    return Overlay_Language_File(FileName, error);
}

QString Language_File_Path(const QString &name)
{
    // A name is a file name in LANGUAGE, never a path.
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return {};
    const QString found = Find_File_NoCase(Language_Dir, name + QStringLiteral(".lng"));
    return !found.isEmpty() && File_Exists(found) ? found : QString();
}

void Load_Language()
{
    Load_Default_Texts();
    QString file = Language_File_Path(Language_Name);
    if (file.isEmpty()) {
        Language_Name = Default_Language;
        file = Language_File_Path(Language_Name);
    }
    QString error;
    if (!file.isEmpty() && !Overlay_Language_File(file, error))
        MessageWarning(error + QStringLiteral("\nThe English texts are used."));
}
