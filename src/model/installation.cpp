#include "model/installation.h"

#include "model/gameinstall.h"
#include "model/projectstate.h"
#include "platform/cp1252.h"
#include "platform/errors.h"
#include "platform/filesystem.h"
#include "platform/savefile.h"

#include <QCryptographicHash>
#include <QFileInfo>

namespace yw {

const FileSystem& Installation::files() const
{
    static const FileSystem plain;
    return fso ? *fso : plain;
}

QString Installation::resourcePath(const std::string& stem, const char* extension) const
{
    const QString name = resFolder(edition) + cp1252::toUnicode(stem) + QLatin1String(extension);
    if (!userFolder.isEmpty()) {
        const QString own = files().resolve(joinPath(userFolder, name));
        if (files().fileExists(own))
            return own;
    }
    return files().resolve(joinPath(programFolder, name));
}

QString Installation::userRoot() const
{
    return userFolder.isEmpty() ? userDataFolder() : userFolder;
}

QString Installation::userResourceFolder() const
{
    return joinPath(userRoot(), resFolder(edition));
}

QString Installation::infoFilePath(const std::string& baseBreed) const
{
    return resourcePath(baseBreed, ".blz");
}

QString Installation::locatorFilePath(const std::string& baseBreed) const
{
    return resourcePath(baseBreed, ".loc");
}

QString Installation::installedEggPath(const std::string& baseBreed) const
{
    const QString stem = cp1252::toUnicode(baseBreed);
    return files().resolve(joinPath(gameFolder, QStringLiteral("eggz/") + stem + QLatin1Char('/') +
                                                    stem + QStringLiteral(".odd")));
}

QString Installation::installedCompanionPath(const std::string& baseBreed) const
{
    const QString stem = cp1252::toUnicode(baseBreed);
    return files().resolve(joinPath(gameFolder, QStringLiteral("eggz/") + stem + QLatin1Char('/') +
                                                    stem + QStringLiteral(".odx")));
}

QString Installation::keptFolder(const std::string& baseBreed) const
{
    return joinPath(userRoot(), QStringLiteral("originals/") + resFolder(edition) +
                                    QLatin1Char('/') + cp1252::toUnicode(baseBreed));
}

bool Installation::installedEggIsOurs(const std::string& baseBreed) const
{
    const QString kept = keptFolder(baseBreed);
    const QString original = QStringLiteral("original/") + cp1252::toUnicode(baseBreed);
    if (gameFolder.isEmpty() || !QFileInfo(joinPath(kept, QStringLiteral("written"))).isFile() ||
        !QFileInfo(joinPath(kept, original + QStringLiteral(".odd"))).isFile())
        return false;
    try {
        const QByteArray written =
            readWholeFile(joinPath(kept, QStringLiteral("written")), kTextFileLimit);
        const QByteArray egg = readWholeFile(installedEggPath(baseBreed), kEggFileLimit);
        return written.split('\n').contains(
            QCryptographicHash::hash(egg, QCryptographicHash::Sha256).toHex());
    } catch (const Error&) {
        return false; // an egg that cannot be read is told of where it is read as the base
    }
}

QString Installation::baseEggPath(const std::string& baseBreed) const
{
    if (!installedEggIsOurs(baseBreed))
        return installedEggPath(baseBreed);
    return joinPath(keptFolder(baseBreed), QStringLiteral("original/") +
                                               cp1252::toUnicode(baseBreed) +
                                               QStringLiteral(".odd"));
}

QString Installation::baseCompanionPath(const std::string& baseBreed) const
{
    if (!installedEggIsOurs(baseBreed))
        return installedCompanionPath(baseBreed);
    return joinPath(keptFolder(baseBreed), QStringLiteral("original/") +
                                               cp1252::toUnicode(baseBreed) +
                                               QStringLiteral(".odx"));
}

} // namespace yw
