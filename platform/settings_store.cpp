#include "platform/settings_store.h"

#include "platform/rtl.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <mutex>

namespace {

// Registry paths use '\'; QSettings takes '/' and no empty parts.
QString Normalise(const QString &keyPath)
{
    QString p = keyPath;
    p.replace(u'\\', u'/');
    return p.split(u'/', Qt::SkipEmptyParts).join(u'/');
}

QString VariantText(const QVariant &v)
{
    // A hand-edited value with commas reads back as a list.
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList().join(u',');
    return v.toString();
}

std::mutex g_registryMutex;
QString g_registryFile;
std::unique_ptr<TSettingsStore> g_registry;

} // namespace

TSettingsStore::TSettingsStore(const QString &iniPath)
    : settings_(std::make_unique<QSettings>(iniPath, QSettings::IniFormat))
{
    if (settings_->status() == QSettings::FormatError)
        throw ESettingsError(QStringLiteral("The settings file \"%1\" is damaged")
                                 .arg(QDir::toNativeSeparators(iniPath))
                                 .toStdString());
}

TSettingsStore::~TSettingsStore()
{
    settings_->sync();   // errors were reported by Flush where the caller wanted them
}

QString TSettingsStore::FileName() const
{
    return settings_->fileName();
}

QString TSettingsStore::ReadString(const QString &keyPath, const QString &def) const
{
    const QVariant v = settings_->value(Normalise(keyPath));
    return v.isValid() ? VariantText(v) : def;
}

int TSettingsStore::ReadInteger(const QString &keyPath, int def) const
{
    return StrToIntDef(ReadString(keyPath), def);
}

bool TSettingsStore::ReadBool(const QString &keyPath, bool def) const
{
    return ReadInteger(keyPath, def ? 1 : 0) != 0;
}

void TSettingsStore::WriteString(const QString &keyPath, const QString &value)
{
    settings_->setValue(Normalise(keyPath), value);
}

void TSettingsStore::WriteInteger(const QString &keyPath, int value)
{
    WriteString(keyPath, QString::number(value));
}

void TSettingsStore::WriteBool(const QString &keyPath, bool value)
{
    WriteString(keyPath, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool TSettingsStore::ValueExists(const QString &keyPath) const
{
    return settings_->contains(Normalise(keyPath));
}

bool TSettingsStore::KeyExists(const QString &keyPath) const
{
    settings_->beginGroup(Normalise(keyPath));
    const bool any = !settings_->allKeys().isEmpty();
    settings_->endGroup();
    return any;
}

QStringList TSettingsStore::ValueNames(const QString &keyPath) const
{
    settings_->beginGroup(Normalise(keyPath));
    const QStringList keys = settings_->childKeys();
    settings_->endGroup();
    return keys;
}

QStringList TSettingsStore::KeyNames(const QString &keyPath) const
{
    settings_->beginGroup(Normalise(keyPath));
    const QStringList groups = settings_->childGroups();
    settings_->endGroup();
    return groups;
}

void TSettingsStore::DeleteValue(const QString &keyPath)
{
    const QString p = Normalise(keyPath);
    if (settings_->contains(p))
        settings_->remove(p);
}

void TSettingsStore::DeleteKey(const QString &keyPath)
{
    const QString p = Normalise(keyPath);
    if (!p.isEmpty())   // an empty path would clear the whole store
        settings_->remove(p);
}

void TSettingsStore::Flush()
{
    settings_->sync();
    if (settings_->status() != QSettings::NoError)
        throw ESettingsError(QStringLiteral("The settings cannot be written to \"%1\"")
                                 .arg(QDir::toNativeSeparators(settings_->fileName()))
                                 .toStdString());
}

QString RegistryFile()
{
    std::lock_guard lock(g_registryMutex);
    if (g_registryFile.isEmpty())
        return QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
            .filePath(QStringLiteral("registry.ini"));
    return g_registryFile;
}

void SetRegistryFile(const QString &iniPath)
{
    std::lock_guard lock(g_registryMutex);
    g_registryFile = iniPath;
    g_registry.reset();
}

TSettingsStore &Registry()
{
    const QString path = RegistryFile();
    std::lock_guard lock(g_registryMutex);
    if (!g_registry || g_registry->FileName() != path)
        g_registry = std::make_unique<TSettingsStore>(path);
    return *g_registry;
}

// ---- TRegistryIniFile ---------------------------------------------------------------------

TRegistryIniFile::TRegistryIniFile(const QString &baseKey, TSettingsStore &store)
    : base_(Normalise(baseKey)), store_(store)
{
}

QString TRegistryIniFile::Path(const QString &section, const QString &ident) const
{
    QString p = base_;
    for (const QString &part : {section, ident})
        if (!part.isEmpty())
            p += u'/' + part;
    return Normalise(p);
}

QString TRegistryIniFile::ReadString(const QString &section, const QString &ident,
                                     const QString &def) const
{
    return store_.ReadString(Path(section, ident), def);
}

void TRegistryIniFile::WriteString(const QString &section, const QString &ident,
                                   const QString &value)
{
    store_.WriteString(Path(section, ident), value);
}

QStringList TRegistryIniFile::ReadSection(const QString &section) const
{
    return store_.ValueNames(Path(section));
}

QStringList TRegistryIniFile::ReadSections() const
{
    return store_.KeyNames(base_);
}

void TRegistryIniFile::EraseSection(const QString &section)
{
    if (!section.isEmpty())
        store_.DeleteKey(Path(section));
}

void TRegistryIniFile::DeleteKey(const QString &section, const QString &ident)
{
    store_.DeleteValue(Path(section, ident));
}

bool TRegistryIniFile::SectionExists(const QString &section) const
{
    return store_.KeyExists(Path(section));
}

bool TRegistryIniFile::ValueExists(const QString &section, const QString &ident) const
{
    return store_.ValueExists(Path(section, ident));
}

void TRegistryIniFile::UpdateFile()
{
    store_.Flush();
}
