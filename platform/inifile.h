#pragma once
// INI files the program reads and writes itself, with Windows' INI rules: sections and
// keys match without regard to case, values are kept as written (blanks at either end
// are trimmed on reading, as Windows does), and nothing reaches the disk before
// UpdateFile, which writes the whole file atomically.
#include <QString>
#include <QStringList>
#include <stdexcept>
#include <vector>

// A key or value that cannot be stored in a line of the file (line break, '=' in a key).
class EIniFileError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The calls INI files and the registry stand-in (platform/settings_store.h) share, so a
// caller can keep its values in either.
class TCustomIniFile
{
public:
    virtual ~TCustomIniFile() = default;

    virtual QString ReadString(const QString &section, const QString &ident,
                               const QString &def) const = 0;
    virtual void WriteString(const QString &section, const QString &ident,
                             const QString &value) = 0;
    virtual QStringList ReadSection(const QString &section) const = 0;   // key names
    virtual QStringList ReadSections() const = 0;
    virtual void EraseSection(const QString &section) = 0;
    virtual void DeleteKey(const QString &section, const QString &ident) = 0;
    virtual void UpdateFile() = 0;   // throws EFileError (platform/files.h) or ESettingsError

    // Decimal or hexadecimal ("$1F", "0x1F"); the default when missing or not a number.
    int ReadInteger(const QString &section, const QString &ident, int def) const;
    void WriteInteger(const QString &section, const QString &ident, int value);
    // Any integer other than 0 is true; written as "1" / "0".
    bool ReadBool(const QString &section, const QString &ident, bool def) const;
    void WriteBool(const QString &section, const QString &ident, bool value);
    virtual bool SectionExists(const QString &section) const;
    virtual bool ValueExists(const QString &section, const QString &ident) const;
};

class TMemIniFile : public TCustomIniFile
{
public:
    // Reads the file when it exists (encoding by byte-order mark, else Windows-1252);
    // a missing file is an empty one. Throws EFileError when it exists but cannot be read.
    explicit TMemIniFile(const QString &fileName);

    QString FileName() const { return fileName_; }

    QString ReadString(const QString &section, const QString &ident,
                       const QString &def) const override;
    // Throws EIniFileError for a line break anywhere or '=' in the key.
    void WriteString(const QString &section, const QString &ident, const QString &value) override;
    QStringList ReadSection(const QString &section) const override;
    QStringList ReadSectionValues(const QString &section) const;   // "key=value" lines
    QStringList ReadSections() const override;
    void EraseSection(const QString &section) override;
    void DeleteKey(const QString &section, const QString &ident) override;
    bool SectionExists(const QString &section) const override;
    bool ValueExists(const QString &section, const QString &ident) const override;
    void Clear();
    // Writes "[section]", its lines and an empty line per section, CR LF line ends, in
    // Windows-1252; UTF-8 with a byte-order mark when the file was read with a byte-order
    // mark or a text does not fit Windows-1252. Throws EFileError.
    void UpdateFile() override;

    QByteArray ToBytes() const;   // what UpdateFile writes

private:
    struct TSection {
        QString name;
        QStringList lines;   // "key=value", or a line without '=' kept as read
    };
    TSection *Find(const QString &section);
    const TSection *Find(const QString &section) const;
    static qsizetype FindKey(const TSection &s, const QString &ident);

    QString fileName_;
    std::vector<TSection> sections_;
    bool utf8_ = false;   // read with a UTF-8 or UTF-16 byte-order mark
};
