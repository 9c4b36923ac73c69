#include "controls/dropdown/timepickermask.h"

TEditMask::TEditMask(const QString &Mask)
{
    // The body ends at the first unescaped ";"; the last field, when there are three,
    // is the blank character.
    int end = 0;
    for (; end < Mask.size(); ++end) {
        if (Mask[end] == u'\\')
            ++end;
        else if (Mask[end] == u';')
            break;
    }
    const QString options = Mask.mid(end);
    const qsizetype second = options.indexOf(u';', 1);
    if (second >= 0 && second + 1 < options.size())
        FBlank = options[second + 1];
    for (int i = 0; i < end; ++i) {
        const QChar c = Mask[i];
        if (c == u'!' || c == u'>' || c == u'<')
            continue;
        if (c == u'\\' && i + 1 < end) {
            FSlots.push_back({Mask[++i], true});
            continue;
        }
        const bool input = QStringLiteral("09#LlAaCc").contains(c);
        FSlots.push_back({c, !input});
    }
}

bool TEditMask::IsLiteral(int Pos) const
{
    return Pos >= 0 && Pos < Length() && FSlots[size_t(Pos)].Literal;
}

QString TEditMask::EmptyText() const
{
    QString s;
    for (const TSlot &slot : FSlots)
        s += slot.Literal ? slot.Code : FBlank;
    return s;
}

bool TEditMask::Accepts(int Pos, QChar Ch) const
{
    if (Pos < 0 || Pos >= Length() || IsLiteral(Pos))
        return false;
    const char16_t code = FSlots[size_t(Pos)].Code.unicode();
    const bool optional = code == u'9' || code == u'#' || code == u'l' || code == u'a' ||
                          code == u'c';
    if (Ch == FBlank)
        return optional;
    const bool digit = Ch >= u'0' && Ch <= u'9';
    switch (code) {
    case u'0':
    case u'9':
        return digit;
    case u'#':
        return digit || Ch == u'+' || Ch == u'-';
    case u'L':
    case u'l':
        return Ch.isLetter();
    case u'A':
    case u'a':
        return Ch.isLetterOrNumber();
    default:
        return Ch >= u' ';
    }
}

QString TEditMask::Fit(const QString &Text) const
{
    QString s = Text.left(Length());
    const QString blank = EmptyText();
    while (s.size() < Length())
        s += blank[s.size()];
    return s;
}

bool TEditMask::Type(QString &Text, int &Caret, QChar Ch) const
{
    if (Empty())
        return false;
    QString s = Fit(Text);
    int at = std::max(0, Caret);
    if (at > 0 && IsLiteral(at - 1) && FSlots[size_t(at - 1)].Code == Ch)
        return true;   // the literal the caret already passed
    if (IsLiteral(at) && FSlots[size_t(at)].Code == Ch) {
        Caret = at + 1;
        return true;
    }
    while (at < Length() && IsLiteral(at))
        ++at;
    if (!Accepts(at, Ch))
        return false;
    s[at] = Ch;
    ++at;
    while (at < Length() && IsLiteral(at))
        ++at;
    Text = s;
    Caret = at;
    return true;
}

bool TEditMask::Backspace(QString &Text, int &Caret) const
{
    int at = std::min(Caret, Length()) - 1;
    while (at >= 0 && IsLiteral(at))
        --at;
    if (at < 0)
        return false;
    QString s = Fit(Text);
    s[at] = FBlank;
    Text = s;
    Caret = at;
    return true;
}

bool TEditMask::Delete(QString &Text, int Caret) const
{
    int at = std::max(0, Caret);
    while (at < Length() && IsLiteral(at))
        ++at;
    if (at >= Length())
        return false;
    QString s = Fit(Text);
    s[at] = FBlank;
    Text = s;
    return true;
}
