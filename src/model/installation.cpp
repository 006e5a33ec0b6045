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

namespace {

// The game's own egg or companion of a breed, kept in `kept`.
QString keptOriginal(const QString& kept, const std::string& baseBreed, const char* extension)
{
    return joinPath(kept, QStringLiteral("original/") + cp1252::toUnicode(baseBreed) +
                              QLatin1String(extension));
}

} // namespace

bool Installation::installedEggIsOurs(const std::string& baseBreed) const
{
    const QString kept = keptFolder(baseBreed);
    // Only a breed Yolkwright has written over pays for reading and hashing its installed egg.
    if (gameFolder.isEmpty() || !files().fileExists(joinPath(kept, QStringLiteral("written"))) ||
        !files().fileExists(keptOriginal(kept, baseBreed, ".odd")))
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
    return keptOriginal(keptFolder(baseBreed), baseBreed, ".odd");
}

QString Installation::baseCompanionPath(const std::string& baseBreed) const
{
    if (!installedEggIsOurs(baseBreed))
        return installedCompanionPath(baseBreed);
    return keptOriginal(keptFolder(baseBreed), baseBreed, ".odx");
}

} // namespace yw
