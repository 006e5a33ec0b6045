#include "platform/settingsstore.h"

#include "platform/errors.h"
#include "platform/numbers.h"
#include "platform/savefile.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace yw {

namespace {

// The program names sections with backslashes; QSettings nests groups with slashes, and a
// hand-edited [QuorrelYW\MDI] section reads as the nested group, so map them in one place.
QString settingsKey(const QString& section, const QString& key)
{
    QString group = section;
    group.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return group + QLatin1Char('/') + key;
}

// A value with an unquoted comma in a hand-edited INI file reads back as a list.
QString asText(const QVariant& value)
{
    if (value.userType() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

} // namespace

QString QSettingsStore::defaultFileName()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Brindlecote.ini");
}

void QSettingsStore::requireReadable(const QString& iniPath)
{
    // QSettings reads the file as it is made: a pipe there would wait for a writer for ever.
    const QFileInfo info(iniPath);
    if (info.exists() && !info.isFile())
        throw FileError(iniPath, QStringLiteral("The settings file is not a regular file but a "
                                                "folder, a pipe or a device; Yolkwright reads only "
                                                "regular files. Remove it or put a file there."));
    if (info.size() > kTextFileLimit)
        throw FileError(iniPath, QStringLiteral("The settings file is %1 bytes long, more than "
                                                "the 1 MiB it can be.")
                                     .arg(info.size()));
}

QSettingsStore::QSettingsStore()
{
#ifndef Q_OS_WIN // the registry there
    requireReadable(defaultFileName());
#endif
    m_settings = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                             QStringLiteral("Brindlecote"));
}

QSettingsStore::QSettingsStore(const QString& iniPath)
{
    requireReadable(iniPath);
    m_settings = std::make_unique<QSettings>(iniPath, QSettings::IniFormat);
}

QSettingsStore::~QSettingsStore() = default;

QString QSettingsStore::read(const QString& section, const QString& key,
                             const QString& defaultValue) const
{
    const QString name = settingsKey(section, key);
    if (!m_settings->contains(name))
        return defaultValue;
    return asText(m_settings->value(name));
}

void QSettingsStore::write(const QString& section, const QString& key, const QString& value)
{
    m_settings->setValue(settingsKey(section, key), value);
    m_settings->sync();
}

QString QSettingsStore::fileName() const
{
    return m_settings->fileName();
}

QString MemorySettingsStore::read(const QString& section, const QString& key,
                                  const QString& defaultValue) const
{
    return m_values.value(settingsKey(section, key), defaultValue);
}

void MemorySettingsStore::write(const QString& section, const QString& key, const QString& value)
{
    m_values.insert(settingsKey(section, key), value);
    ++m_writes;
}

bool MemorySettingsStore::contains(const QString& section, const QString& key) const
{
    return m_values.contains(settingsKey(section, key));
}

// Larger numbers would lose digits on the way through a double.
constexpr long long kSettingLimit = 9'000'000'000'000'000;

long long strictNumber(const QString& text, const QString& what)
{
    const std::optional<long long> value =
        parseNumber(text.toUtf8().toStdString(), -kSettingLimit, kSettingLimit);
    if (!value)
        throw FormatError(what, QString(), QStringLiteral("a number, not \"%1\"").arg(text));
    return *value;
}

long long lenientNumber(const QString& text)
{
    return leadingNumber(text.toUtf8().toStdString());
}

bool booleanValue(const QString& text, const QString& what)
{
    const QString t = text.trimmed();
    if (t.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
        return false;
    return strictNumber(text, what) != 0;
}

} // namespace yw
