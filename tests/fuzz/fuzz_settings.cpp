// The settings' reading rules on any text, and the INI store on any file. Properties: a strict
// number is also the leading number; a number text is a boolean that agrees with it; reading a
// hand-edited settings file gives values or a type error, never anything else.
#include "fuzzsupport.h"
#include "platform/setting.h"

using namespace yw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const QString text = QString::fromUtf8(bytes);
    const QString what = QStringLiteral("fuzz");

    const long long lenient = lenientNumber(text);
    long long strict = 0;
    if (fuzz::succeeds<FormatError>([&] { strict = strictNumber(text, what); })) {
        fuzz::check(strict == lenient, "a strict number differs from the leading number",
                    text.toStdString());
        fuzz::check(booleanValue(text, what) == (strict != 0),
                    "a number text reads as the wrong boolean", text.toStdString());
    }
    fuzz::succeeds<FormatError>([&] { booleanValue(text, what); });

    const QSettingsStore store(fuzz::input(QStringLiteral("Brindlecote.ini"), bytes));
    for (const Setting* setting : {&setting::checkedCountry, &setting::optProjVers, &setting::width,
                                   &setting::height, &setting::optAsk, &setting::optSplash})
        fuzz::succeeds<FormatError>([&] { setting->number(store); });
    fuzz::succeeds<FormatError>([&] { setting::showTips.isOn(store); });
    for (const Setting* setting :
         {&setting::optUK, &setting::siteName, &setting::siteUrl, &setting::recentFiles[0]})
        setting->text(store);
    return 0;
}
