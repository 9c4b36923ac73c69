#include "app/default_texts.h"

#include <QFile>

namespace {

// The data file, compiled in as a resource.
const char *const Data_Path = ":/app/default_texts.txt";

constexpr int Empty_Entry = 2592;

[[noreturn]] void Fail(int line_no, const char *what)
{
    throw EDefaultTextsError(QStringLiteral("Built-in texts, line %1: %2")
                                 .arg(line_no)
                                 .arg(QLatin1String(what))
                                 .toStdString());
}

QString Unescape(QByteArrayView raw, int line_no)
{
    if (!raw.contains('\\'))
        return QString::fromUtf8(raw);
    QByteArray out;
    out.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        char c = raw[i];
        if (c == '\\') {
            if (++i == raw.size())
                Fail(line_no, "backslash at the end of the text");
            switch (raw[i]) {
            case '\\': c = '\\'; break;
            case 'n': c = '\n'; break;
            case 'r': c = '\r'; break;
            case 't': c = '\t'; break;
            default: Fail(line_no, "unknown escape");
            }
        }
        out.append(c);
    }
    return QString::fromUtf8(out);
}

} // namespace

void Fill_Default_Texts(QStringList &list)
{
    QFile file(QString::fromLatin1(Data_Path));
    if (!file.open(QIODevice::ReadOnly))
        throw EDefaultTextsError("Built-in texts are missing from the program");
    Parse_Default_Texts(file.readAll(), list);
}

void Parse_Default_Texts(QByteArrayView data, QStringList &list)
{
    list.clear();
    list.reserve(Default_Text_Count);
    const QString blank(QLatin1Char(' '));
    for (int i = 0; i < Default_Text_Count; ++i)
        list.append(blank);
    list[Empty_Entry] = QString();

    int line_no = 0;
    for (qsizetype start = 0; start < data.size();) {
        qsizetype end = data.indexOf('\n', start);
        if (end < 0)
            end = data.size();
        QByteArrayView line = data.sliced(start, end - start);
        start = end + 1;
        ++line_no;
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const qsizetype tab = line.indexOf('\t');
        if (tab <= 0 || line.size() < tab + 3 || line[tab + 1] != '"' || !line.endsWith('"'))
            Fail(line_no, "not a number, a tab and a quoted text");
        bool ok = false;
        const int n = line.first(tab).toInt(&ok);
        if (!ok || n < 0 || n >= Default_Text_Count)
            Fail(line_no, "bad text number");
        list[n] = Unescape(line.sliced(tab + 2, line.size() - tab - 3), line_no);
    }
}
