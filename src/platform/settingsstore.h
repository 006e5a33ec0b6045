#pragma once

#include <QHash>
#include <QString>
#include <memory>

class QSettings;

namespace yw {

// The settings sections, as the program names them.
inline const QString kSectionMain = QStringLiteral("QuorrelYW");
inline const QString kSectionMdi = QStringLiteral("QuorrelYW\\MDI");
inline const QString kSectionRecent = QStringLiteral("QuorrelYW\\Recent Files");

// Per-user text values addressed by section and key. Values are read where they are used, each
// time; implementations keep no cache that could go stale.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;
    virtual QString read(const QString& section, const QString& key,
                         const QString& defaultValue) const = 0;
    virtual void write(const QString& section, const QString& key, const QString& value) = 0;
};

// QSettings under the application name "Brindlecote": an INI file in the user's config folder
// on Linux ($XDG_CONFIG_HOME/Brindlecote.ini), the registry on Windows.
class QSettingsStore : public SettingsStore
{
public:
    // Both throw FileError when the file is there but is not a regular file or is over 1 MiB.
    QSettingsStore();
    // For tests and tools: an INI file at the given path.
    explicit QSettingsStore(const QString& iniPath);
    // Where the default store keeps its file on Linux.
    static QString defaultFileName();
    static void requireReadable(const QString& iniPath);
    ~QSettingsStore() override;

    QString read(const QString& section, const QString& key,
                 const QString& defaultValue) const override;
    void write(const QString& section, const QString& key, const QString& value) override;
    QString fileName() const;

private:
    std::unique_ptr<QSettings> m_settings;
};

class MemorySettingsStore : public SettingsStore
{
public:
    QString read(const QString& section, const QString& key,
                 const QString& defaultValue) const override;
    void write(const QString& section, const QString& key, const QString& value) override;
    bool contains(const QString& section, const QString& key) const;
    int writeCount() const { return m_writes; }

private:
    QHash<QString, QString> m_values;
    int m_writes = 0;
};

// The reading rules of the settings (each setting names its rule in setting.h). Strict: the whole
// text must be a number, else a FormatError (a type error). Lenient: the number the text starts
// with, 0 if none. Boolean: "True"/"False" in any letter case or a number (0 false); anything else
// a type error.
long long strictNumber(const QString& text, const QString& what);
long long lenientNumber(const QString& text);
bool booleanValue(const QString& text, const QString& what);

} // namespace yw
