#pragma once
// An edit mask in the platform's mask syntax, as the time picker's edit uses it:
// "body;save-literals;blank". In the body "0" is a required digit, "9" an optional digit,
// "#" a digit or sign, "L"/"l" a letter, "A"/"a" a letter or digit, "C"/"c" any character,
// "\" makes the next character literal and "!", ">", "<" are flags without a position;
// every other character is a literal kept in the text. The text always has one character
// per position; an unfilled position shows the blank character.
//
// Qt's input mask differs in its digit symbols and strips blanks from the text, which the
// time picker's parsing reads, so the mask is applied here, keystroke by keystroke.
#include <QString>
#include <vector>

class TEditMask
{
public:
    TEditMask() = default;
    explicit TEditMask(const QString &Mask);

    bool Empty() const { return FSlots.empty(); }
    QChar Blank() const { return FBlank; }
    int Length() const { return int(FSlots.size()); }
    bool IsLiteral(int Pos) const;
    // The text of the mask with every position unfilled.
    QString EmptyText() const;
    // Whether Ch may stand at Pos (the blank may stand in an optional position).
    bool Accepts(int Pos, QChar Ch) const;

    // Typing Ch at Caret: the character goes into the next input position and the caret
    // moves past it and past the literals that follow; a typed literal just steps over
    // itself. False (nothing changed) when the character does not fit.
    bool Type(QString &Text, int &Caret, QChar Ch) const;
    // Backspace and Delete blank the input position before / at the caret.
    bool Backspace(QString &Text, int &Caret) const;
    bool Delete(QString &Text, int Caret) const;

private:
    struct TSlot
    {
        QChar Code;          // mask character of an input position, or the literal
        bool Literal = false;
    };
    // The text padded or cut to the mask's length.
    QString Fit(const QString &Text) const;
    std::vector<TSlot> FSlots;
    QChar FBlank = u'_';
};
