#include "model/gameinstall.h"

#include "model/installation.h"
#include "model/projectstate.h"
#include "platform/cp1252.h"
#include "platform/errors.h"
#include "platform/filesystem.h"
#include "platform/prompts.h"
#include "platform/refusal.h"
#include "platform/savefile.h"
#include "platform/setting.h"
#include "platform/text.h"
#include "platform/winpaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace yw {

namespace {

const QString kNotInstalled = QStringLiteral(
    "Oddballz does not appear to be installed. You must install it before you can run "
    "Yolkwright.");
const QString kNotDetermined = QStringLiteral(
    "The folder where Oddballz is located could not be determined. You may need to re-install "
    "Oddballz.");

} // namespace

QString findGameFolder(const FileSystem& fso, Prompts& prompts, const QProcessEnvironment& env)
{
    try {
        return locateGameFolder(fso, env);
    } catch (const Refusal& e) {
        prompts.message(e.reason(), e.icon());
        return QString();
    }
}

QString locateGameFolder(const FileSystem& fso, const QProcessEnvironment& env)
{
    const QString windows = windowsFolder(fso, env);
    const QString named = windows.isEmpty() ? QStringLiteral("oddballz.ini")
                                            : joinPath(windows, QStringLiteral("oddballz.ini"));
    const QString iniPath = windows.isEmpty() ? QString() : fso.resolve(named);
    if (iniPath.isEmpty() || !fso.fileExists(iniPath)) {
        // Where it looked, so that a player whose game sits in another Wine prefix knows why.
        const QString looked =
            windows.isEmpty()
                ? QStringLiteral("Yolkwright found no Windows folder in the Wine prefix %1 (set "
                                 "WINEPREFIX or windir to look elsewhere).")
                      .arg(QDir::toNativeSeparators(winePrefix(env)))
                : QStringLiteral("Yolkwright looked for oddballz.ini in %1.")
                      .arg(QDir::toNativeSeparators(windows));
        throw Refusal(named, kNotInstalled + QLatin1Char(' ') + looked, PromptIcon::Exclamation);
    }

    for (const std::string& line : splitLines(readWholeFile(iniPath, kTextFileLimit))) {
        const size_t equals = line.find('=');
        const std::string_view keyPart = std::string_view(line).substr(0, equals);
        const QString key = cp1252::toUnicode(trimmed(keyPart)).toLower();
        if (key != QLatin1String("last oddball"))
            continue;
        // A key without a value names no folder.
        if (equals == std::string::npos)
            break;
        const QString value = cp1252::toUnicode(std::string_view(line).substr(equals + 1));
        const QString folder = localPath(value, fso, env);
        if (value.isEmpty() || !fso.folderExists(folder))
            break;
        QString result = folder;
        if (result.endsWith(QLatin1Char('\\')) || result.endsWith(QLatin1Char('/')))
            result.chop(1);
        return fso.resolve(result);
    }
    throw Refusal(iniPath,
                  kNotDetermined + QStringLiteral(" Yolkwright read %1, whose \"Last "
                                                  "Oddball\" line names no folder there is.")
                                       .arg(QDir::toNativeSeparators(iniPath)),
                  PromptIcon::Exclamation);
}

void checkEdition(Installation& install, SettingsStore& settings, Prompts& prompts,
                  const QProcessEnvironment& env)
{
    if (setting::checkedCountry.number(settings) == 0) {
        setting::checkedCountry.write(settings, QStringLiteral("1"));
        const FileSystem& fso = install.files();
        const Edition detected = detectEdition(fso, findGameFolder(fso, prompts, env));
        if (detected == Edition::UK) {
            setting::optUK.write(settings, QStringLiteral("1"));
            prompts.message(QStringLiteral("Yolkwright has detected that your copy of Oddballz is "
                                           "the UK edition.\r\nIf this is incorrect, go to the "
                                           "View menu and choose Options, then click \"Use US Egg "
                                           "Information.\""),
                            PromptIcon::Information);
        } else {
            setting::optUK.write(settings, QStringLiteral("0"));
            prompts.message(QStringLiteral("Yolkwright has detected that your copy of Oddballz is "
                                           "the US edition.\r\nIf you are using the UK version, "
                                           "go to the View menu and choose Options, then click "
                                           "\"Use UK Egg Information.\""),
                            PromptIcon::Information);
        }
    }
    install.edition = editionFromSetting(setting::optUK.text(settings));
}

QString userDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString programDataFolder()
{
    const QString beside = QCoreApplication::applicationDirPath();
    if (QFileInfo(beside + QStringLiteral("/res")).isDir())
        return beside;
    return QDir::cleanPath(beside + QStringLiteral("/../share/yolkwright"));
}

} // namespace yw
