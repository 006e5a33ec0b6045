#include "platform/setting.h"

namespace yw {

QString Setting::text(const SettingsStore& store) const
{
    return store.read(section, key, defaultValue);
}

long long Setting::number(const SettingsStore& store) const
{
    const QString value = text(store);
    if (rule == ReadRule::LenientNumber)
        return lenientNumber(value);
    return strictNumber(value, QStringLiteral("The setting %1\\%2").arg(section, key));
}

long long Setting::number(const SettingsStore& store, long long defaultValue) const
{
    Setting withDefault = *this;
    withDefault.defaultValue = QString::number(defaultValue);
    return withDefault.number(store);
}

bool Setting::isOn(const SettingsStore& store) const
{
    return booleanValue(text(store), QStringLiteral("The setting %1\\%2").arg(section, key));
}

void Setting::write(SettingsStore& store, const QString& value) const
{
    store.write(section, key, value);
}

} // namespace yw
