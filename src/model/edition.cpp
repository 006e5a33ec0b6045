#include "model/edition.h"

#include "model/projectstate.h"
#include "platform/errors.h"
#include "platform/filesystem.h"

namespace yw {

QString resFolder(Edition edition)
{
    return edition == Edition::UK ? QStringLiteral("\\resUK\\") : QStringLiteral("\\res\\");
}

Edition editionFromSetting(const QString& optUK)
{
    if (optUK == QLatin1String("0") || optUK == QLatin1String("False"))
        return Edition::US;
    return Edition::UK;
}

Edition detectEdition(const FileSystem& fso, const QString& gameFolder)
{
    const QString wadName = QStringLiteral("oddballz.wad");
    for (const FileEntry& entry : fso.files(gameFolder)) {
        if (entry.name.compare(wadName, Qt::CaseInsensitive) == 0)
            return entry.size == kUkWadSize ? Edition::UK : Edition::US;
    }
    throw FileError(gameFolder.isEmpty() ? wadName : joinPath(gameFolder, wadName),
                    QStringLiteral("The game's data file is missing, so its edition cannot be "
                                   "detected."));
}

} // namespace yw
