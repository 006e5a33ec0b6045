#include "samplegame/samplegame.h"

#include "model/gameinstall.h"
#include "platform/cp1252.h"
#include "platform/errors.h"
#include "platform/savefile.h"
#include "samplegame/samplerandom.h"

#include <QDir>
#include <QFileInfo>
#include <optional>

// The sample game's folders and files: the Windows folder with the settings file, the game
// folder with its data file and eggs, and the resource files that describe the eggs.
namespace yw::sample {

QString editionFolder(Edition edition)
{
    return edition == Edition::UK ? QStringLiteral("uk") : QStringLiteral("us");
}

QByteArray gameDataFile(Edition edition)
{
    return filler(edition == Edition::UK ? kUkWadSize : kUsWadSize,
                  edition == Edition::UK ? "oddballz.wad/uk" : "oddballz.wad/us");
}

QByteArray settingsFile(const QString& gameFolder)
{
    const std::optional<std::string> folder = cp1252::fromUnicode(gameFolder);
    if (!folder)
        throw FileError(gameFolder, QStringLiteral("The folder's name cannot be written in the "
                                                   "game's settings file (Windows-1252)."));
    return "[Oddballz]\r\nSound=1\r\nMusic=1\r\nLast Oddball=" +
           QByteArray::fromStdString(*folder) + "/\r\nLast Egg=Honker\r\n";
}

QString windowsFolder(const QString& folder, Edition edition)
{
    return QDir(folder).absoluteFilePath(editionFolder(edition) +
                                         QStringLiteral("/drive_c/windows"));
}

QString gameFolder(const QString& folder, Edition edition)
{
    return QDir(folder).absoluteFilePath(editionFolder(edition) +
                                         QStringLiteral("/drive_c/Oddballz"));
}

void writeSampleGame(const QString& folder, Edition edition)
{
    const QString game = QDir::cleanPath(gameFolder(folder, edition));
    const QString windows = QDir::cleanPath(windowsFolder(folder, edition));
    const auto save = [](const QString& path, const QByteArray& bytes) {
        if (!QDir().mkpath(QFileInfo(path).absolutePath()))
            throw FileError(path, QStringLiteral("Its folder cannot be created."));
        saveFileAtomically(path, bytes);
    };
    save(windows + QStringLiteral("/oddballz.ini"), settingsFile(game));
    save(game + QStringLiteral("/oddballz.wad"), gameDataFile(edition));
    for (int i = 0; i < breedCount(); ++i) {
        const QString stem = QString::fromStdString(breed(i).stem);
        const QString base = game + QStringLiteral("/eggz/") + stem + QLatin1Char('/') + stem;
        save(base + QStringLiteral(".odd"), eggFile(i, edition));
        const QByteArray odx = companionFile(i, edition);
        if (!odx.isEmpty())
            save(base + QStringLiteral(".odx"), odx);
    }
}

std::vector<std::pair<QString, QByteArray>> resourceFiles()
{
    std::vector<std::pair<QString, QByteArray>> files;
    for (const Edition edition : {Edition::US, Edition::UK}) {
        // "res/" or "resUK/", relative to the data folder.
        const QString folder =
            resFolder(edition).mid(1).replace(QLatin1Char('\\'), QLatin1Char('/'));
        for (int i = 0; i < breedCount(); ++i) {
            const QString stem = QString::fromStdString(breed(i).stem);
            files.emplace_back(folder + stem + QStringLiteral(".blz"), informationFile(i));
            files.emplace_back(folder + stem + QStringLiteral(".loc"), locatorFile(i, edition));
        }
    }
    return files;
}

void writeResourceFiles(const QString& dataFolder)
{
    for (const auto& [name, bytes] : resourceFiles()) {
        const QString path = QDir(dataFolder).filePath(name);
        if (!QDir().mkpath(QFileInfo(path).absolutePath()))
            throw FileError(path, QStringLiteral("Its folder cannot be created."));
        saveFileAtomically(path, bytes);
    }
}

} // namespace yw::sample
