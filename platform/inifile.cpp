#include "platform/inifile.h"

#include "platform/files.h"
#include "platform/rtl.h"
#include "platform/textcodec.h"

// ---- TCustomIniFile -----------------------------------------------------------------------

int TCustomIniFile::ReadInteger(const QString &section, const QString &ident, int def) const
{
    return StrToIntDef(ReadString(section, ident, QString()), def);
}

void TCustomIniFile::WriteInteger(const QString &section, const QString &ident, int value)
{
    WriteString(section, ident, QString::number(value));
}

bool TCustomIniFile::ReadBool(const QString &section, const QString &ident, bool def) const
{
    return ReadInteger(section, ident, def ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const QString &section, const QString &ident, bool value)
{
    WriteString(section, ident, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool TCustomIniFile::SectionExists(const QString &section) const
{
    return !ReadSection(section).isEmpty();
}

bool TCustomIniFile::ValueExists(const QString &section, const QString &ident) const
{
    return ReadSection(section).contains(ident, Qt::CaseInsensitive);
}

// ---- TMemIniFile --------------------------------------------------------------------------

namespace {

bool HasLineBreak(const QString &s)
{
    return s.contains(u'\r') || s.contains(u'\n');
}

bool NameIs(const QString &line, const QString &ident)
{
    return line.size() > ident.size() && line[ident.size()] == u'=' &&
           QStringView(line).left(ident.size()).compare(ident, Qt::CaseInsensitive) == 0;
}

} // namespace

TMemIniFile::TMemIniFile(const QString &fileName) : fileName_(fileName)
{
    if (!File_Exists(fileName))
        return;
    const QByteArray bytes = Read_File(fileName);
    utf8_ = bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE") ||
            bytes.startsWith("\xFE\xFF");
    TSection *current = nullptr;
    for (const QString &raw : Split_Lines(Decode_Text(bytes))) {
        const QString s = Trim(raw);
        if (s.isEmpty() || s.front() == u';')
            continue;
        if (s.front() == u'[' && s.back() == u']' && s.size() >= 2) {
            const QString name = Trim(s.mid(1, s.size() - 2));
            current = Find(name);   // a repeated section adds to the first
            if (!current) {
                sections_.push_back({name, {}});
                current = &sections_.back();
            }
            continue;
        }
        if (!current)
            continue;   // lines before the first section are not part of any
        const qsizetype eq = s.indexOf(u'=');
        if (eq >= 0)
            current->lines.append(Trim(s.left(eq)) + u'=' + Trim(s.mid(eq + 1)));
        else
            current->lines.append(s);
    }
}

TMemIniFile::TSection *TMemIniFile::Find(const QString &section)
{
    for (TSection &s : sections_)
        if (s.name.compare(section, Qt::CaseInsensitive) == 0)
            return &s;
    return nullptr;
}

const TMemIniFile::TSection *TMemIniFile::Find(const QString &section) const
{
    return const_cast<TMemIniFile *>(this)->Find(section);
}

qsizetype TMemIniFile::FindKey(const TSection &s, const QString &ident)
{
    for (qsizetype i = 0; i < s.lines.size(); ++i)
        if (NameIs(s.lines[i], ident))
            return i;
    return -1;
}

QString TMemIniFile::ReadString(const QString &section, const QString &ident,
                                const QString &def) const
{
    const TSection *s = Find(section);
    if (!s)
        return def;
    const qsizetype i = FindKey(*s, ident);
    return i < 0 ? def : s->lines[i].mid(ident.size() + 1);
}

void TMemIniFile::WriteString(const QString &section, const QString &ident, const QString &value)
{
    if (HasLineBreak(section) || HasLineBreak(ident) || HasLineBreak(value))
        throw EIniFileError(QStringLiteral("A line break cannot be stored in the INI file \"%1\" ([%2] %3)")
                                .arg(fileName_, section, ident)
                                .toStdString());
    if (ident.isEmpty() || ident.contains(u'='))
        throw EIniFileError(QStringLiteral("Invalid key \"%1\" for the INI file \"%2\"")
                                .arg(ident, fileName_)
                                .toStdString());
    TSection *s = Find(section);
    if (!s) {
        sections_.push_back({section, {}});
        s = &sections_.back();
    }
    const QString line = ident + u'=' + value;
    const qsizetype i = FindKey(*s, ident);
    if (i < 0)
        s->lines.append(line);
    else
        s->lines[i] = s->lines[i].left(ident.size()) + u'=' + value;   // keeps the key's spelling
}

QStringList TMemIniFile::ReadSection(const QString &section) const
{
    QStringList keys;
    if (const TSection *s = Find(section))
        for (const QString &l : s->lines) {
            const qsizetype eq = l.indexOf(u'=');
            keys.append(eq < 0 ? l : l.left(eq));
        }
    return keys;
}

QStringList TMemIniFile::ReadSectionValues(const QString &section) const
{
    const TSection *s = Find(section);
    return s ? s->lines : QStringList();
}

QStringList TMemIniFile::ReadSections() const
{
    QStringList names;
    for (const TSection &s : sections_)
        names.append(s.name);
    return names;
}

void TMemIniFile::EraseSection(const QString &section)
{
    for (auto it = sections_.begin(); it != sections_.end(); ++it)
        if (it->name.compare(section, Qt::CaseInsensitive) == 0) {
            sections_.erase(it);
            return;
        }
}

void TMemIniFile::DeleteKey(const QString &section, const QString &ident)
{
    if (TSection *s = Find(section)) {
        const qsizetype i = FindKey(*s, ident);
        if (i >= 0)
            s->lines.removeAt(i);
    }
}

bool TMemIniFile::SectionExists(const QString &section) const
{
    return Find(section) != nullptr;
}

bool TMemIniFile::ValueExists(const QString &section, const QString &ident) const
{
    const TSection *s = Find(section);
    return s && FindKey(*s, ident) >= 0;
}

void TMemIniFile::Clear()
{
    sections_.clear();
}

QByteArray TMemIniFile::ToBytes() const
{
    QString text;
    for (const TSection &s : sections_) {
        text += u'[' + s.name + QStringLiteral("]\r\n");
        for (const QString &l : s.lines)
            text += l + QStringLiteral("\r\n");
        text += QStringLiteral("\r\n");
    }
    if (!utf8_) {
        const QByteArray ansi = Encode_Windows1252(text);
        if (Decode_Windows1252(ansi) == text)
            return ansi;
    }
    // Text Windows-1252 cannot hold is kept rather than turned into '?'.
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

void TMemIniFile::UpdateFile()
{
    Write_File_Atomic(fileName_, ToBytes());
}
