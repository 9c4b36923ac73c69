#pragma once
// The program's settings store, standing in for the Windows registry: values under
// key paths ("Software/Maker/CF41R08/Options/Language"; '\' works as '/'), kept in an INI
// file through QSettings, which writes it atomically.
#include "platform/inifile.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <stdexcept>

class QSettings;

// The store's file cannot be written or is damaged.
class ESettingsError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

class TSettingsStore
{
public:
    explicit TSettingsStore(const QString &iniPath);
    ~TSettingsStore();
    TSettingsStore(const TSettingsStore &) = delete;
    TSettingsStore &operator=(const TSettingsStore &) = delete;

    QString FileName() const;

    QString ReadString(const QString &keyPath, const QString &def = {}) const;
    int ReadInteger(const QString &keyPath, int def) const;   // as StrToInt; else def
    bool ReadBool(const QString &keyPath, bool def) const;     // integer other than 0; else def
    void WriteString(const QString &keyPath, const QString &value);
    void WriteInteger(const QString &keyPath, int value);
    void WriteBool(const QString &keyPath, bool value);        // "1" / "0"

    bool ValueExists(const QString &keyPath) const;
    bool KeyExists(const QString &keyPath) const;              // a group holding anything
    QStringList ValueNames(const QString &keyPath) const;      // values directly below
    QStringList KeyNames(const QString &keyPath) const;        // groups directly below
    void DeleteValue(const QString &keyPath);
    void DeleteKey(const QString &keyPath);                    // the group and all below it

    // Writes pending changes; throws ESettingsError when the file cannot be written.
    void Flush();

private:
    std::unique_ptr<QSettings> settings_;
};

// The store every part of the program shares: the file set with SetRegistryFile, by
// default "registry.ini" in the user's configuration folder for the program.
TSettingsStore &Registry();
void SetRegistryFile(const QString &iniPath);   // tests point it at a temporary file
QString RegistryFile();

// The INI-file calls over one key of the settings store: sections are sub-keys of
// baseKey, as a registry INI file does on Windows. UpdateFile flushes the store.
class TRegistryIniFile : public TCustomIniFile
{
public:
    explicit TRegistryIniFile(const QString &baseKey, TSettingsStore &store = Registry());

    QString ReadString(const QString &section, const QString &ident,
                       const QString &def) const override;
    void WriteString(const QString &section, const QString &ident, const QString &value) override;
    QStringList ReadSection(const QString &section) const override;
    QStringList ReadSections() const override;
    void EraseSection(const QString &section) override;
    void DeleteKey(const QString &section, const QString &ident) override;
    bool SectionExists(const QString &section) const override;
    bool ValueExists(const QString &section, const QString &ident) const override;
    void UpdateFile() override;

private:
    QString Path(const QString &section, const QString &ident = {}) const;
    QString base_;
    TSettingsStore &store_;
};
