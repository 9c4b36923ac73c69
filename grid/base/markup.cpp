#include "grid/base/markup.h"
#include "grid/base/workcount.h"

#include <QList>
#include <QSet>
#include <QStringView>
#include <array>
#include <vector>

#include "platform/rtl.h"

namespace {

struct TNamedColor
{
    const char16_t *Name;
    TColor Color;
};

constexpr TNamedColor kColorNames[] = {
    {u"clred", clRed},
    {u"clblack", clBlack},
    {u"clblue", clBlue},
    {u"clgreen", clGreen},
    {u"claqua", clAqua},
    {u"clyellow", clYellow},
    {u"clfuchsia", clFuchsia},
    {u"clwhite", clWhite},
    {u"cllime", clLime},
    {u"clsilver", clSilver},
    {u"clgray", clGray},
    {u"clolive", clOlive},
    {u"clnavy", clNavy},
    {u"clpurple", clPurple},
    {u"clteal", clTeal},
    {u"clmaroon", clMaroon},
    {u"clbackground", clBackground},
    {u"clactivecaption", clActiveCaption},
    {u"clinactivecaption", clInactiveCaption},
    {u"clmenu", clMenu},
    {u"clwindow", clWindow},
    {u"clwindowframe", clWindowFrame},
    {u"clmenutext", clMenuText},
    {u"clwindowtext", clWindowText},
    {u"clcaptiontext", clCaptionText},
    {u"clactiveborder", clActiveBorder},
    {u"clinactiveborder", clInactiveBorder},
    {u"clappworkspace", clAppWorkSpace},
    {u"clhighlight", clHighlight},
    {u"clhighlighttext", clHighlightText},
    {u"clbtnface", clBtnFace},
    {u"clbtnshadow", clBtnShadow},
    {u"clgraytext", clGrayText},
    {u"clbtntext", clBtnText},
    {u"clinactivecaptiontext", clInactiveCaptionText},
    {u"clbtnhighlight", clBtnHighlight},
    {u"cl3ddkshadow", cl3DDkShadow},
    {u"cl3dlight", cl3DLight},
    {u"clinfotext", clInfoText},
    {u"clinfobk", clInfoBk},
};

struct TEntity
{
    const char16_t *Name;
    char16_t Char;
};

// Only the first 51 entries take part in entity coding; the last four are kept for the
// table's sake.
constexpr int kCodedEntities = 51;
constexpr TEntity kEntities[55] = {
    {u"&eacute;", u'é'}, {u"&egrave;", u'è'}, {u"&euml;", u'ë'}, {u"&ecirc;", u'ê'},
    {u"&oacute;", u'ó'}, {u"&ograve;", u'ò'}, {u"&ouml;", u'ö'}, {u"&ocirc;", u'ô'},
    {u"&iacute;", u'í'}, {u"&igrave;", u'ì'}, {u"&iuml;", u'ï'}, {u"&icirc;", u'î'},
    {u"&uacute;", u'ú'}, {u"&ugrave;", u'ù'}, {u"&uuml;", u'ü'}, {u"&ucirc;", u'û'},
    {u"&aacute;", u'á'}, {u"&agrave;", u'à'}, {u"&auml;", u'ä'}, {u"&acirc;", u'â'},
    {u"&Eacute;", u'É'}, {u"&Egrave;", u'È'}, {u"&Euml;", u'Ë'}, {u"&Ecirc;", u'Ê'},
    {u"&Oacute;", u'Ó'}, {u"&Ograve;", u'Ò'}, {u"&Ouml;", u'Ö'}, {u"&Ocirc;", u'Ô'},
    {u"&Iacute;", u'Í'}, {u"&Igrave;", u'Ì'}, {u"&Iuml;", u'Ï'}, {u"&Icirc;", u'Î'},
    {u"&Uacute;", u'Ú'}, {u"&Ugrave;", u'Ù'}, {u"&Uuml;", u'Ü'}, {u"&Ucirc;", u'Û'},
    {u"&Aacute;", u'Á'}, {u"&Agrave;", u'À'}, {u"&Auml;", u'Ä'}, {u"&Acirc;", u'Â'},
    {u"&ccedil;", u'ç'}, {u"&Ccedil;", u'Ç'}, {u"&oslash;", u'ø'}, {u"&Oslash;", u'Ø'},
    {u"&aring;", u'å'}, {u"&Aring;", u'Å'}, {u"&copy;", u'©'}, {u"&reg;", u'®'},
    {u"&euro;", u'€'}, {u"&laquo;", u'«'}, {u"&raquo;", u'»'},
    {u"&atilde;", u'ã'}, {u"&Atilde;", u'Ã'}, {u"&otilde;", u'õ'}, {u"&Otilde", u'Õ'},
};

// The entities of the renderer's preparation, in the order they are tried.
struct TPrepEntity
{
    QStringView Name;
    QStringView Replacement;
};
const TPrepEntity kPrepEntities[] = {
    {u"&amp;", u"&&"},   {u"&quot;", u"\""}, {u"&sect;", u"§"},
    {u"&permil;", u"‰"}, {u"&reg;", u"®"},   {u"&copy;", u"©"},
    {u"&para;", u"¶"},   {u"&trade;", u"™"}, {u"&euro;", u"€"},
};

inline char16_t AsciiUpper(char16_t c)
{
    return (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c;
}

// Index of find in text from `from`, comparing ASCII letters without regard to case.
qsizetype IndexOfIgnoreCase(QStringView find, QStringView text, qsizetype from = 0)
{
    const qsizetype n = find.size();
    if (n == 0)
        return -1;
    const char16_t first = AsciiUpper(find[0].unicode());
    for (qsizetype i = from; i + n <= text.size(); ++i) {
        TWorkCount::Add();
        if (AsciiUpper(text[i].unicode()) != first)
            continue;
        qsizetype k = 1;
        while (k < n && AsciiUpper(text[i + k].unicode()) == AsciiUpper(find[k].unicode()))
            ++k;
        TWorkCount::Add(uint64_t(k));
        if (k == n)
            return i;
    }
    return -1;
}

bool StartsWithIgnoreCase(QStringView text, qsizetype at, QStringView find)
{
    if (at + find.size() > text.size())
        return false;
    for (qsizetype k = 0; k < find.size(); ++k)
        if (AsciiUpper(text[at + k].unicode()) != AsciiUpper(find[k].unicode()))
            return false;
    return true;
}

QString ReplaceAllIgnoreCase(const QString &text, QStringView find, QStringView replacement)
{
    qsizetype at = IndexOfIgnoreCase(find, text);
    if (at < 0)
        return text;
    QString out;
    out.reserve(text.size());
    qsizetype from = 0;
    while (at >= 0) {
        out += QStringView(text).mid(from, at - from);
        out += replacement;
        from = at + find.size();
        at = IndexOfIgnoreCase(find, text, from);
    }
    out += QStringView(text).mid(from);
    return out;
}

// While `name` occurs exactly as written, its first occurrence in any letter case is
// replaced: in effect every occurrence up to the last exact one. Done in one pass; a
// replacement "&" followed by the rest of the name forms a new occurrence, taken next.
QString ReplaceWhileExactOccurs(const QString &text, QStringView name, QStringView replacement)
{
    const qsizetype lastExact = text.lastIndexOf(name);
    if (lastExact < 0)
        return text;
    const bool rejoins = replacement == u"&" && name.startsWith(u'&');
    const QStringView rest = name.mid(1);
    QString out;
    out.reserve(text.size());
    qsizetype i = 0;
    bool pendingAmp = false;   // a replacement "&" stands before text[i]
    for (;;) {
        if (pendingAmp && StartsWithIgnoreCase(text, i, rest)) {
            const bool exact = QStringView(text).mid(i).startsWith(rest);
            if (!exact && lastExact < i)
                break;
            i += rest.size();   // "&" + rest becomes "&" again
            continue;
        }
        if (lastExact < i)
            break;
        if (pendingAmp) {
            out += u'&';
            pendingAmp = false;
        }
        const qsizetype at = IndexOfIgnoreCase(name, text, i);
        out += QStringView(text).mid(i, at - i);
        i = at + name.size();
        if (rejoins)
            pendingAmp = true;
        else
            out += replacement;
    }
    if (pendingAmp)
        out += u'&';
    out += QStringView(text).mid(i);
    return out;
}

// One located CONTROL tag: [Start, End) spans from its "C" to after its ">" (or the end).
struct TControlTag
{
    qsizetype Start = 0;
    qsizetype End = 0;
    THtmlControlAttrs Attrs;
};

QList<TControlTag> FindControlTags(const QString &text)
{
    QList<TControlTag> tags;
    qsizetype at = IndexOfIgnoreCase(u"<CONTROL ", text);
    while (at >= 0) {
        TControlTag t;
        t.Start = at + 1;
        const qsizetype close = text.indexOf(u'>', t.Start);
        t.End = close < 0 ? text.size() : close + 1;
        t.Attrs = ParseControlTag(text.mid(t.Start, t.End - t.Start));
        TWorkCount::Add(uint64_t(t.End - t.Start));
        tags.append(t);
        at = IndexOfIgnoreCase(u"<CONTROL ", text, t.End);
    }
    return tags;
}

const TControlTag *FindControl(const QList<TControlTag> &tags, const QString &id)
{
    for (const TControlTag &t : tags)
        if (t.Attrs.ID == id)
            return &t;
    return nullptr;
}

// A control tag written anew with a new value (HEIGHT and unknown attributes dropped).
QString RewrittenControlTag(const THtmlControlAttrs &a, const QString &value)
{
    QString tag = QStringLiteral("CONTROL ID=\"") + a.ID + QStringLiteral("\" VALUE=\"") +
                  EncodeHtmlEntities(value, true) + QStringLiteral("\" WIDTH=\"") + a.Width +
                  QStringLiteral("\" TYPE=\"") + a.Type + u'"';
    if (!a.Prop.isEmpty())
        tag += QStringLiteral(" PROP=\"") + EncodeHtmlEntities(a.Prop, true) + u'"';
    if (!a.MaxLen.isEmpty())
        tag += QStringLiteral(" MAXLEN=\"") + a.MaxLen + u'"';
    return tag + u'>';
}

// Per-character locale upper-casing that keeps positions (accented letters fold too).
QString UpperKeepLength(const QString &s)
{
    QString u = s;
    for (QChar &c : u)
        c = c.toUpper();
    return u;
}

// The text index of each visible character, as StripTags sees the text.
QList<qsizetype> VisibleIndices(const QString &text)
{
    QList<qsizetype> idx;
    idx.reserve(text.size());
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        const qsizetype lt = text.indexOf(u'<', i);
        const qsizetype gt = text.indexOf(u'>', i);
        if (gt < 0 || lt < 0 || gt < lt)
            break;
        for (qsizetype k = i; k < lt; ++k)
            idx.append(k);
        const qsizetype close = text.indexOf(u'>', lt);
        TWorkCount::Add(uint64_t(gt - i) + uint64_t(close - lt) + 1);
        i = close + 1;
    }
    for (qsizetype k = i; k < n; ++k)
        idx.append(k);
    return idx;
}

QString EscapeAngles(const QString &s)
{
    QString r = s;
    r.replace(u'<', QStringLiteral("&lt;"));
    r.replace(u'>', QStringLiteral("&gt;"));
    return r;
}

} // namespace

TColor ColorNameToColor(const QString &name)
{
    const QString lower = LowerCase(name);
    for (const TNamedColor &c : kColorNames)
        if (lower == QStringView(c.Name))
            return c.Color;
    return 0;
}

TColor HtmlHexToColor(const QString &text)
{
    auto digit = [&](qsizetype i) -> int {
        if (i >= text.size())
            return 0;
        const int c = text[i].unicode();
        return c < 'A' ? c - 48 : c - 55;
    };
    auto pair = [&](qsizetype i) { return 16 * digit(i) + digit(i + 1); };
    const int r = pair(1), g = pair(3), b = pair(5);
    return TColor(uint32_t(r) + 256u * uint32_t(g) + 65536u * uint32_t(b));
}

QString DecodeHtmlEntities(const QString &text, bool accented)
{
    static const TPrepEntity basic[] = {
        {u"&lt;", u"<"}, {u"&gt;", u">"}, {u"&amp;", u"&"}, {u"&quot;", u"\""}};
    QString s = text;
    for (const TPrepEntity &e : basic)
        s = ReplaceWhileExactOccurs(s, e.Name, e.Replacement);
    if (accented) {
        for (int i = 0; i < kCodedEntities; ++i)
            s = ReplaceWhileExactOccurs(s, kEntities[i].Name, QStringView(&kEntities[i].Char, 1));
    }
    return s;
}

QString EncodeHtmlEntities(const QString &text, bool accented)
{
    QString s = text;
    s.replace(u'&', QStringLiteral("*amp;"));
    s.replace(QStringLiteral("*amp;"), QStringLiteral("&amp;"));
    s.replace(u'"', QStringLiteral("&quot;"));
    s.replace(u'<', QStringLiteral("&lt;"));
    s.replace(u'>', QStringLiteral("&gt;"));
    if (accented) {
        for (int i = 0; i < kCodedEntities; ++i)
            s.replace(QChar(kEntities[i].Char), QString::fromUtf16(kEntities[i].Name));
    }
    return s;
}

QString SpacesToNbsp(const QString &text)
{
    QString s = text;
    s.replace(u' ', QStringLiteral("&nbsp;"));
    return s;
}

QString HtmlToPlainText(const QString &text)
{
    QString s = text;
    for (QStringView tag : {QStringView(u"<BR>"), QStringView(u"<HR>")}) {
        // Replacing from left to right gives the same text as replacing the first
        // occurrence over and over, since a CR LF never forms a new tag.
        s = ReplaceAllIgnoreCase(s, tag, u"\r\n");
    }
    QString out;
    out.reserve(s.size());
    qsizetype i = 0;
    while (i < s.size()) {
        const qsizetype lt = s.indexOf(u'<', i);
        if (lt < 0)
            break;
        const qsizetype gt = s.indexOf(u'>', lt);
        if (gt < 0)
            break;
        out += QStringView(s).mid(i, lt - i);
        i = gt + 1;
    }
    out += QStringView(s).mid(i);
    return out;
}

QString StripTags(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype k : VisibleIndices(text))
        out += text[k];
    return out;
}

QString WrapMatchesInTag(const QString &text, const QString &search, const QString &tag,
                         bool matchCase)
{
    if (search.isEmpty())
        return text;
    QString s = text;
    QString find = search;
    QString visible = StripTags(s);
    if (s.contains(search) && (visible.contains(u'<') || visible.contains(u'>'))) {
        visible = EscapeAngles(visible);
        s = visible;
        find = EscapeAngles(find);
    }
    const QList<qsizetype> vis = VisibleIndices(s);
    const QString hay = matchCase ? visible : UpperKeepLength(visible);
    const QString needle = matchCase ? find : UpperKeepLength(find);
    const QString open = u'<' + tag + u'>';
    const QString close = QStringLiteral("</") + tag + u'>';
    // Where visible position p (0-based) maps in the original text.
    auto textIndex = [&](qsizetype p) -> qsizetype {
        if (p >= vis.size())
            return s.size();
        return p == 0 ? 0 : vis[p - 1] + 1;
    };
    QString out;
    out.reserve(s.size() + 16);
    qsizetype copied = 0;
    qsizetype from = 0;
    for (;;) {
        const qsizetype p = hay.indexOf(needle, from);
        if (p < 0)
            break;
        const qsizetype a = textIndex(p);
        const qsizetype b = textIndex(p + needle.size());
        out += QStringView(s).mid(copied, a - copied);
        out += open;
        out += QStringView(s).mid(a, b - a);
        out += close;
        copied = b;
        from = p + needle.size() + 1;
    }
    out += QStringView(s).mid(copied);
    return out;
}

QString WrapPlainMatchesInTag(const QString &text, const QString &search, const QString &tag,
                              const QStringList &keep, bool matchCase)
{
    // The plain text, and the kept tags with the plain position they stand before.
    std::vector<std::pair<qsizetype, QString>> kept;
    QString plain;
    plain.reserve(text.size());
    qsizetype segment = 0;
    const auto keptTagAt = [&](qsizetype i) -> qsizetype {
        if (text[i] != u'<')
            return 0;
        for (const QString &name : keep) {
            const QString open = u'<' + name + u'>';
            const QString close = QStringLiteral("</") + name + u'>';
            for (const QString &t : {open, close})
                if (QStringView(text).mid(i, t.size()).compare(t, Qt::CaseInsensitive) == 0)
                    return t.size();
        }
        return 0;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (const qsizetype n = keptTagAt(i)) {
            plain += DecodeHtmlEntities(text.mid(segment, i - segment), false);
            kept.emplace_back(plain.size(), text.mid(i, n));
            i += n - 1;
            segment = i + 1;
        }
    }
    plain += kept.empty() ? text : DecodeHtmlEntities(text.mid(segment), false);

    std::vector<std::pair<qsizetype, qsizetype>> matches;   // plain start, end
    if (!search.isEmpty()) {
        const QString hay = matchCase ? plain : UpperKeepLength(plain);
        const QString needle = matchCase ? search : UpperKeepLength(search);
        const qsizetype n = needle.size();
        for (qsizetype p = hay.indexOf(needle); p >= 0; p = hay.indexOf(needle, p + n + 1))
            matches.emplace_back(p, p + n);
    }
    const QString open = u'<' + tag + u'>';
    const QString close = QStringLiteral("</") + tag + u'>';
    QString out;
    out.reserve(plain.size() + 16);
    auto k = kept.begin();
    auto m = matches.begin();
    for (qsizetype p = 0; p <= plain.size(); ++p) {
        // A match closes inside the tags already there and opens inside them.
        if (m != matches.end() && m->second == p) {
            out += close;
            ++m;
        }
        for (; k != kept.end() && k->first == p; ++k)
            out += k->second;
        if (m != matches.end() && m->first == p)
            out += open;
        if (p == plain.size())
            break;
        switch (plain[p].unicode()) {
        case u'&': out += QStringLiteral("&amp;"); break;
        case u'"': out += QStringLiteral("&quot;"); break;
        case u'<': out += QStringLiteral("&lt;"); break;
        case u'>': out += QStringLiteral("&gt;"); break;
        default: out += plain[p];
        }
    }
    return out;
}

QString UnwrapTag(const QString &text, const QString &tag)
{
    const QString t = UpperCase(tag);
    QString s = text;
    // A removal can join the text around it into a new occurrence, which goes too.
    for (const QString &find : {QString(u'<' + t + u'>'), QString(QStringLiteral("</") + t + u'>')}) {
        qsizetype at = IndexOfIgnoreCase(find, s);
        while (at >= 0) {
            s.remove(at, find.size());
            at = IndexOfIgnoreCase(find, s, std::max<qsizetype>(0, at - find.size() + 1));
        }
    }
    s.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    s.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    return s;
}

bool HasControlTag(const QString &text)
{
    return IndexOfIgnoreCase(u"<CONTROL", text) >= 0;
}

THtmlControlAttrs ParseControlTag(const QString &attrText)
{
    const QString upper = UpperCase(attrText);
    auto value = [&](QStringView name) -> QString {
        const qsizetype at = upper.indexOf(name);
        if (at < 0)
            return {};
        const qsizetype q1 = attrText.indexOf(u'"', at + name.size());
        if (q1 < 0)
            return {};
        const qsizetype q2 = attrText.indexOf(u'"', q1 + 1);
        if (q2 < 0)
            return {};
        return attrText.mid(q1 + 1, q2 - q1 - 1);
    };
    THtmlControlAttrs a;
    a.Type = UpperCase(value(u"TYPE="));
    a.Width = value(u"WIDTH=");
    a.Height = value(u"HEIGHT=");
    a.ID = value(u"ID=");
    a.Value = DecodeHtmlEntities(value(u"VALUE="), true);
    a.Prop = DecodeHtmlEntities(value(u"PROP="), true);
    a.MaxLen = value(u"MAXLEN=");
    return a;
}

QString NextEditControlID(const QString &text, const QString &id)
{
    bool passed = id.isEmpty();
    for (const TControlTag &t : FindControlTags(text)) {
        const QString &type = t.Attrs.Type;
        if (passed && type != u"BUTTON" && type != u"CHECK" && type != u"RADIO")
            return t.Attrs.ID;
        if (t.Attrs.ID == id)
            passed = true;
    }
    return {};
}

QString ClearRadioControls(const QString &text)
{
    // Each radio's ID rewrites the first control with that ID (whatever its type), once:
    // a rewrite keeps the ID and the tag's extent, so one pass over the tags does it all.
    const QList<TControlTag> tags = FindControlTags(text);
    QSet<QString> ids;
    for (const TControlTag &t : tags)
        if (t.Attrs.Type == u"RADIO")
            ids.insert(t.Attrs.ID);
    if (ids.isEmpty())
        return text;
    QString out;
    out.reserve(text.size() + 32);
    qsizetype copied = 0;
    for (const TControlTag &t : tags) {
        if (!ids.remove(t.Attrs.ID))
            continue;
        out += QStringView(text).mid(copied, t.Start - copied);
        out += RewrittenControlTag(t.Attrs, QStringLiteral("FALSE"));
        copied = t.End;
    }
    out += QStringView(text).mid(copied);
    return out;
}

bool GetControlValue(const QString &text, const QString &id, QString &value)
{
    const QList<TControlTag> tags = FindControlTags(text);
    const TControlTag *t = FindControl(tags, id);
    if (!t)
        return false;
    value = t->Attrs.Value;
    return true;
}

QString GetControlProp(const QString &text, const QString &id)
{
    const QList<TControlTag> tags = FindControlTags(text);
    const TControlTag *t = FindControl(tags, id);
    return t ? t->Attrs.Prop : QString();
}

int GetControlMaxLen(const QString &text, const QString &id)
{
    const QList<TControlTag> tags = FindControlTags(text);
    const TControlTag *t = FindControl(tags, id);
    return t ? LeadingInt(t->Attrs.MaxLen) : 0;
}

bool SetControlValue(QString &text, const QString &id, const QString &value)
{
    const QList<TControlTag> tags = FindControlTags(text);
    const TControlTag *t = FindControl(tags, id);
    if (!t)
        return false;
    text.replace(t->Start, t->End - t->Start, RewrittenControlTag(t->Attrs, value));
    return true;
}

namespace {
TColor g_highlightBackground = clHighlight;
TColor g_highlightText = clHighlightText;
} // namespace

void SetHighlightColors(TColor background, TColor textColor)
{
    g_highlightBackground = background;
    g_highlightText = textColor;
}

TColor HighlightBackgroundColor()
{
    return g_highlightBackground;
}

TColor HighlightTextColor()
{
    return g_highlightText;
}

bool ReplaceFirstIgnoreCase(const QString &find, const QString &replacement, QString &text)
{
    const qsizetype at = IndexOfIgnoreCase(find, text);
    if (at < 0)
        return false;
    text.replace(at, find.size(), replacement);
    return true;
}

int PosIgnoreCase(const QString &find, const QString &text)
{
    return int(IndexOfIgnoreCase(find, text) + 1);
}

QString UnwrapHashTags(const QString &text)
{
    if (!text.contains(u"<#"))
        return text;
    // Each "<#" removes its "<" and the first ">" after it not taken by an earlier one.
    // Removing a "<" can join a "<" before it with the "#", which then goes the same way.
    QString out;
    out.reserve(text.size());
    int pendingClosers = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'<' && i + 1 < text.size() && text[i + 1] == u'#') {
            ++pendingClosers;
            while (out.endsWith(u'<')) {
                out.chop(1);
                ++pendingClosers;
            }
            continue;
        }
        if (c == u'>' && pendingClosers > 0) {
            --pendingClosers;
            continue;
        }
        out += c;
    }
    return out;
}

QString LineBreaksToBrTags(const QString &text, bool makeBreaks)
{
    if (!text.contains(u'\r') && !text.contains(u'\n'))
        return text;
    QString out;
    out.reserve(text.size() + 16);
    for (QChar c : text) {
        if (c == u'\n')
            continue;
        if (c == u'\r') {
            if (makeBreaks)
                out += u"<BR>";
            continue;
        }
        out += c;
    }
    return out;
}

QString PrepareHtmlText(const QString &text)
{
    QString s = text;
    if (s.contains(u'&')) {
        // Left to right with a step back after "&amp;": its second "&" may start the next
        // entity, exactly as repeated rounds of first-occurrence replacement find it.
        QString out;
        out.reserve(s.size());
        qsizetype i = 0;
        while (i < s.size()) {
            if (s[i] != u'&') {
                out += s[i++];
                continue;
            }
            const TPrepEntity *hit = nullptr;
            for (const TPrepEntity &e : kPrepEntities)
                if (StartsWithIgnoreCase(s, i, e.Name)) {
                    hit = &e;
                    break;
                }
            if (!hit) {
                out += s[i++];
                continue;
            }
            if (hit == &kPrepEntities[0]) {
                out += u'&';
                i += hit->Name.size() - 1;   // leaves one "&" to be looked at again
                s[i] = u'&';
                continue;
            }
            out += hit->Replacement;
            i += hit->Name.size();
        }
        s = out;
    }
    s = UnwrapHashTags(s);
    return LineBreaksToBrTags(s, true);
}

QString ReplaceRunEntities(const QString &run)
{
    if (!run.contains(u'&'))
        return run;
    QString s = ReplaceAllIgnoreCase(run, u"&nbsp;", u" ");
    s = ReplaceAllIgnoreCase(s, u"&lt;", u"<");
    return ReplaceAllIgnoreCase(s, u"&gt;", u">");
}

int LeadingInt(const QString &text)
{
    int value = 0, code = 0;
    Val(text, value, code);
    return value;
}
