#pragma once
// The built-in English UI texts, the table every window takes its captions and messages from
// before a language file overlays it.
#include <QStringList>
#include <stdexcept>

constexpr int Default_Text_Count = 6400;

// The built-in text data is missing or damaged: a fault of the build, never of user input.
class EDefaultTextsError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Clears list and fills it with the Default_Text_Count built-in texts in number order:
// entry N is text N, a number without a text holds a single blank, entry 2592 is empty.
void Fill_Default_Texts(QStringList &list);

// Fills list as Fill_Default_Texts does, from data in the built-in text format: lines of a
// number, a tab and the text, which runs from the first to the last double quote of the line
// (so inner quotes and blanks at either end need no escape); "\\", "\n", "\r", "\t" are
// escapes. Empty lines and lines starting with "#" are skipped. Throws EDefaultTextsError
// on a malformed line.
void Parse_Default_Texts(QByteArrayView data, QStringList &list);
