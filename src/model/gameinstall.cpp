#include "model/gameinstall.h"

#include "model/projectstate.h"
#include "platform/cp1252.h"
#include "platform/errors.h"
#include "platform/filesystem.h"
#include "platform/prompts.h"
#include "platform/savefile.h"
#include "platform/setting.h"
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

// The lines of a settings file written with CR LF, LF or CR line ends.
QList<QByteArray> splitLines(const QByteArray& data)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < data.size(); ++i) {
        if (data[i] != '\r' && data[i] != '\n')
            continue;
        lines.append(data.mid(start, i - start));
        if (data[i] == '\r' && i + 1 < data.size() && data[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < data.size())
        lines.append(data.mid(start));
    return lines;
}

QString trimSpaces(const QString& text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && text[from] == QLatin1Char(' '))
        ++from;
    while (to > from && text[to - 1] == QLatin1Char(' '))
        --to;
    return text.mid(from, to - from);
}

} // namespace

QString findGameFolder(const FileSystem& fso, Prompts& prompts, const QProcessEnvironment& env)
{
    const QString windows = windowsFolder(fso, env);
    const QString iniPath = windows.isEmpty()
                                ? QString()
                                : fso.resolve(joinPath(windows, QStringLiteral("oddballz.ini")));
    if (iniPath.isEmpty() || !fso.fileExists(iniPath)) {
        prompts.message(kNotInstalled, PromptIcon::Exclamation);
        return QString();
    }

    const QList<QByteArray> lines = splitLines(readWholeFile(iniPath));
    for (const QByteArray& line : lines) {
        const QString text =
            cp1252::toUnicode(std::string_view(line.constData(), size_t(line.size())));
        const qsizetype equals = text.indexOf(QLatin1Char('='));
        const QString key = trimSpaces((equals < 0 ? text : text.left(equals)).toLower());
        if (key != QLatin1String("last oddball"))
            continue;
        // A key without a value names no folder.
        if (equals < 0)
            break;
        const QString value = text.mid(equals + 1);
        const QString folder = localPath(value, fso, env);
        if (value.isEmpty() || !fso.folderExists(folder))
            break;
        QString result = folder;
        if (result.endsWith(QLatin1Char('\\')) || result.endsWith(QLatin1Char('/')))
            result.chop(1);
        return fso.resolve(result);
    }
    prompts.message(kNotDetermined, PromptIcon::Exclamation);
    return QString();
}

void checkEdition(ProjectState& state, SettingsStore& settings, Prompts& prompts,
                  const QProcessEnvironment& env)
{
    if (setting::checkedCountry.number(settings) == 0) {
        setting::checkedCountry.write(settings, QStringLiteral("1"));
        FileSystem ownFso;
        const FileSystem& fso = state.fso ? *state.fso : ownFso;
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
    state.edition = editionFromSetting(setting::optUK.text(settings));
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
