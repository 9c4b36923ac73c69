#include "grid/string/richtext.h"

#include <QColor>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QVector>

namespace {

struct TRtfState
{
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    int HalfPoints = 0;   // 0: the document's size
    int ColorIndex = 0;   // 0: the default colour
    QTextCharFormat::VerticalAlignment Vertical = QTextCharFormat::AlignNormal;
    bool Skip = false;     // a destination whose text is not shown
    bool ColorTable = false;
};

class TRtfReader
{
public:
    TRtfReader(const QString &Text, QTextDocument &Doc) : FText(Text), FCursor(&Doc) {}

    void Read()
    {
        TRtfState state;
        QVector<TRtfState> stack;
        int red = 0, green = 0, blue = 0;
        bool firstBlock = true;
        const int n = int(FText.size());
        int i = 0;
        auto put = [&](const QString &S) {
            if (state.Skip || S.isEmpty())
                return;
            FCursor.insertText(S, Format(state));
        };
        while (i < n) {
            const QChar c = FText[i];
            if (c == '{') {
                stack.push_back(state);
                ++i;
            } else if (c == '}') {
                if (!stack.isEmpty()) {
                    state = stack.takeLast();
                }
                ++i;
            } else if (c == '\\') {
                ++i;
                if (i >= n)
                    break;
                const QChar d = FText[i];
                if (d == '\\' || d == '{' || d == '}') {
                    put(QString(d));
                    ++i;
                    continue;
                }
                if (d == '\'') {
                    bool ok = false;
                    const int code = FText.mid(i + 1, 2).toInt(&ok, 16);
                    if (ok)
                        put(QString(QChar(code)));
                    i += 3;
                    continue;
                }
                if (d == '*') {
                    state.Skip = true;
                    ++i;
                    continue;
                }
                if (!d.isLetter()) {
                    if (d == '~')
                        put(QString(QChar(0xA0)));
                    ++i;
                    continue;
                }
                int j = i;
                while (j < n && FText[j].isLetter())
                    ++j;
                const QString word = FText.mid(i, j - i);
                int k = j;
                if (k < n && (FText[k] == '-' || FText[k].isDigit())) {
                    ++k;
                    while (k < n && FText[k].isDigit())
                        ++k;
                }
                const bool hasParam = k > j;
                const int param = hasParam ? FText.mid(j, k - j).toInt() : 1;
                i = k;
                if (i < n && FText[i] == ' ')
                    ++i;
                if (word == u"fonttbl" || word == u"stylesheet" || word == u"info" ||
                    word == u"pict" || word == u"header" || word == u"footer")
                    state.Skip = true;
                else if (word == u"colortbl")
                    state.Skip = state.ColorTable = true;
                else if (state.ColorTable && word == u"red")
                    red = param;
                else if (state.ColorTable && word == u"green")
                    green = param;
                else if (state.ColorTable && word == u"blue")
                    blue = param;
                else if (word == u"b")
                    state.Bold = param != 0;
                else if (word == u"i")
                    state.Italic = param != 0;
                else if (word == u"ul")
                    state.Underline = param != 0;
                else if (word == u"ulnone")
                    state.Underline = false;
                else if (word == u"fs")
                    state.HalfPoints = hasParam ? param : 0;
                else if (word == u"cf")
                    state.ColorIndex = param;
                else if (word == u"super")
                    state.Vertical = QTextCharFormat::AlignSuperScript;
                else if (word == u"sub")
                    state.Vertical = QTextCharFormat::AlignSubScript;
                else if (word == u"nosupersub")
                    state.Vertical = QTextCharFormat::AlignNormal;
                else if (word == u"up" || word == u"dn")
                    state.Vertical = param == 0 ? QTextCharFormat::AlignNormal
                                     : word == u"up" ? QTextCharFormat::AlignSuperScript
                                                     : QTextCharFormat::AlignSubScript;
                else if (word == u"plain") {
                    const bool skip = state.Skip, table = state.ColorTable;
                    state = TRtfState();
                    state.Skip = skip;
                    state.ColorTable = table;
                } else if (word == u"par" || word == u"line") {
                    if (!state.Skip) {
                        FCursor.insertBlock();
                        firstBlock = false;
                    }
                } else if (word == u"tab")
                    put(QStringLiteral("\t"));
                else if (word == u"u" && hasParam) {
                    put(QString(QChar(ushort(param < 0 ? param + 65536 : param))));
                    // The replacement character that follows.
                    if (i < n && FText[i] != '\\' && FText[i] != '{' && FText[i] != '}')
                        ++i;
                }
            } else if (c == ';' && state.ColorTable) {
                FColors.push_back(QColor(red, green, blue));
                red = green = blue = 0;
                ++i;
            } else if (c == '\r' || c == '\n') {
                ++i;
            } else {
                int j = i;
                while (j < n && FText[j] != '\\' && FText[j] != '{' && FText[j] != '}' &&
                       FText[j] != '\r' && FText[j] != '\n' &&
                       !(state.ColorTable && FText[j] == ';'))
                    ++j;
                put(FText.mid(i, j - i));
                i = j;
            }
        }
        Q_UNUSED(firstBlock);
    }

private:
    QTextCharFormat Format(const TRtfState &S) const
    {
        QTextCharFormat f;
        f.setFontWeight(S.Bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(S.Italic);
        f.setFontUnderline(S.Underline);
        if (S.HalfPoints > 0)
            f.setFontPointSize(S.HalfPoints / 2.0);
        // Index 0 of the colour table is the default colour (an empty entry).
        if (S.ColorIndex > 0 && S.ColorIndex < FColors.size())
            f.setForeground(FColors[S.ColorIndex]);
        f.setVerticalAlignment(S.Vertical);
        return f;
    }

    const QString &FText;
    QTextCursor FCursor;
    QVector<QColor> FColors;
};

QString Escaped(const QString &S)
{
    QString out;
    for (QChar c : S) {
        const ushort u = c.unicode();
        if (c == '\\' || c == '{' || c == '}')
            out += '\\' + QString(c);
        else if (c == '\t')
            out += QStringLiteral("\\tab ");
        else if (u == 0x2028 || u == '\n')
            out += QStringLiteral("\\line ");
        else if (u > 127)
            out += QStringLiteral("\\u%1?").arg(short(u));
        else
            out += c;
    }
    return out;
}

}   // namespace

bool IsRtfText(const QString &Text)
{
    return Text.startsWith(QStringLiteral("{\\rtf"));
}

void RtfToDocument(const QString &Text, QTextDocument &Doc)
{
    Doc.clear();
    if (!IsRtfText(Text)) {
        Doc.setPlainText(Text);
        return;
    }
    TRtfReader(Text, Doc).Read();
}

QString DocumentToRtf(const QTextDocument &Doc)
{
    QVector<QColor> colors;
    QString body;
    for (QTextBlock block = Doc.begin(); block.isValid(); block = block.next()) {
        if (block != Doc.begin())
            body += QStringLiteral("\\par\n");
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            if (!frag.isValid())
                continue;
            const QTextCharFormat f = frag.charFormat();
            QString words = QStringLiteral("\\plain");
            if (f.fontWeight() >= QFont::Bold)
                words += QStringLiteral("\\b");
            if (f.fontItalic())
                words += QStringLiteral("\\i");
            if (f.fontUnderline())
                words += QStringLiteral("\\ul");
            if (f.hasProperty(QTextFormat::FontPointSize) && f.fontPointSize() > 0)
                words += QStringLiteral("\\fs%1").arg(qRound(f.fontPointSize() * 2));
            if (f.hasProperty(QTextFormat::ForegroundBrush)) {
                const QColor c = f.foreground().color();
                int index = int(colors.indexOf(c));
                if (index < 0) {
                    colors.push_back(c);
                    index = int(colors.size()) - 1;
                }
                words += QStringLiteral("\\cf%1").arg(index + 1);
            }
            if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript)
                words += QStringLiteral("\\super");
            else if (f.verticalAlignment() == QTextCharFormat::AlignSubScript)
                words += QStringLiteral("\\sub");
            body += '{' + words + ' ' + Escaped(frag.text()) + '}';
        }
    }
    QString table = QStringLiteral("{\\colortbl ;");
    for (const QColor &c : colors)
        table += QStringLiteral("\\red%1\\green%2\\blue%3;").arg(c.red()).arg(c.green()).arg(c.blue());
    table += '}';
    return QStringLiteral("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 %1;}}")
               .arg(Doc.defaultFont().family()) +
           table + '\n' + body + QStringLiteral("}");
}

QString RtfToPlainText(const QString &Text)
{
    QTextDocument doc;
    RtfToDocument(Text, doc);
    return doc.toPlainText();
}
