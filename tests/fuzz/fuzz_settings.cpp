// The settings' reading rules on any text, and the INI store on any file. Properties: a strict
// number is also the leading number; a number text is a boolean that agrees with it; reading a
// hand-edited settings file gives values or a type error, never anything else.
#include "fuzzsupport.h"
#include "platform/errors.h"
#include "platform/setting.h"

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
    for (const Setting* setting : {&setting::checkedCountry, &setting::optProjVers, &setting::width,
                                   &setting::height, &setting::optAsk, &setting::optSplash}) {
        try {
            setting->number(store);
        } catch (const FormatError&) {
        }
    }
    try {
        setting::showTips.isOn(store);
    } catch (const FormatError&) {
    }
    for (const Setting* setting :
         {&setting::optUK, &setting::siteName, &setting::siteUrl, &setting::recentFiles[0]})
        setting->text(store);
    return 0;
}
