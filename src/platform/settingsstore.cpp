#include "platform/settingsstore.h"

#include "platform/errors.h"

#include <QRegularExpression>
#include <QSettings>
#include <cmath>

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

long long roundHalfEven(double value)
{
    return static_cast<long long>(std::nearbyint(value));
}

} // namespace

QSettingsStore::QSettingsStore()
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                             QStringLiteral("Brindlecote")))
{}

QSettingsStore::QSettingsStore(const QString& iniPath)
    : m_settings(std::make_unique<QSettings>(iniPath, QSettings::IniFormat))
{}

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

long long strictNumber(const QString& text, const QString& what)
{
    static const QRegularExpression number(
        QStringLiteral("^\\s*[+-]?(\\d+(\\.\\d*)?|\\.\\d+)\\s*$"));
    if (!number.match(text).hasMatch())
        throw FormatError(what, QString(), QStringLiteral("a number, not \"%1\"").arg(text));
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value) || std::fabs(value) > 9.0e15)
        throw FormatError(what, QString(), QStringLiteral("a number, not \"%1\"").arg(text));
    return roundHalfEven(value);
}

long long lenientNumber(const QString& text)
{
    static const QRegularExpression leading(QStringLiteral("^\\s*[+-]?(\\d+(\\.\\d*)?|\\.\\d+)"));
    const auto match = leading.match(text);
    if (!match.hasMatch())
        return 0;
    QString digits = match.captured(0).trimmed();
    bool ok = false;
    const double value = digits.toDouble(&ok);
    if (!ok || !std::isfinite(value) || std::fabs(value) > 9.0e15)
        return 0;
    return roundHalfEven(value);
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
