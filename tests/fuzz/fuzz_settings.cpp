// The settings' reading rules on any text, and the INI store on any file. Properties: a strict
// number is also the leading number; a number text is a boolean that agrees with it; reading a
// hand-edited settings file gives values or a type error, never anything else.
#include "fuzzsupport.h"
#include "platform/errors.h"
#include "platform/settingsstore.h"

using namespace yw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const QString text = QString::fromUtf8(bytes);

    const long long lenient = lenientNumber(text);
    try {
        const long long strict = strictNumber(text, QStringLiteral("fuzz"));
        fuzz::check(strict == lenient, "a strict number differs from the leading number",
                    text.toStdString());
        fuzz::check(booleanValue(text, QStringLiteral("fuzz")) == (strict != 0),
                    "a number text reads as the wrong boolean", text.toStdString());
    } catch (const FormatError&) {
    }
    try {
        booleanValue(text, QStringLiteral("fuzz"));
    } catch (const FormatError&) {
    }

    fuzz::Fixture& fixture = fuzz::Fixture::instance();
    const QString ini = fixture.path(QStringLiteral("Brindlecote.ini"));
    fuzz::writeScratch(ini, bytes);
    const QSettingsStore store(ini);
    const struct
    {
        const QString& section;
        const char* key;
    } numbers[] = {{kSectionMain, "CheckedCountry"}, {kSectionMain, "optProjVers"},
                   {kSectionMdi, "Width"},           {kSectionMdi, "Height"},
                   {kSectionMain, "optAsk"},         {kSectionMain, "optSplash"}};
    for (const auto& setting : numbers) {
        const QString key = QLatin1String(setting.key);
        try {
            readStrictNumber(store, setting.section, key, 0);
        } catch (const FormatError&) {
        }
        readLenientNumber(store, setting.section, key, 1);
    }
    try {
        readBoolean(store, kSectionMdi, QStringLiteral("ShowTips"), true);
    } catch (const FormatError&) {
    }
    for (const char* key : {"optUK", "YPKSiteName", "YPKURL"})
        store.read(kSectionMain, QLatin1String(key), QString());
    store.read(kSectionRecent, QStringLiteral("1st"), QString());
    return 0;
}
