#include "model/installation.h"

#include "model/gameinstall.h"
#include "model/projectstate.h"
#include "platform/cp1252.h"
#include "platform/filesystem.h"

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

QString Installation::userResourceFolder() const
{
    return joinPath(userFolder.isEmpty() ? userDataFolder() : userFolder, resFolder(edition));
}

QString Installation::infoFilePath(const std::string& baseBreed) const
{
    return resourcePath(baseBreed, ".blz");
}

QString Installation::locatorFilePath(const std::string& baseBreed) const
{
    return resourcePath(baseBreed, ".loc");
}

QString Installation::baseEggPath(const std::string& baseBreed) const
{
    const QString stem = cp1252::toUnicode(baseBreed);
    return files().resolve(joinPath(gameFolder, QStringLiteral("eggz/") + stem + QLatin1Char('/') +
                                                    stem + QStringLiteral(".odd")));
}

QString Installation::baseCompanionPath(const std::string& baseBreed) const
{
    const QString stem = cp1252::toUnicode(baseBreed);
    return files().resolve(joinPath(gameFolder, QStringLiteral("eggz/") + stem + QLatin1Char('/') +
                                                    stem + QStringLiteral(".odx")));
}

} // namespace yw
