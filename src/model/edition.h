#pragma once

#include <QString>

namespace yw {

class FileSystem;

// The two editions of the game; their eggs differ, so each has its own resource files.
enum class Edition { US, UK };

// "\res\" or "\resUK\": the edition's sub-folder of the program and user data folders.
QString resFolder(Edition edition);

// The stored `optUK` text: "0" and "False" mean US, any other text UK.
Edition editionFromSetting(const QString& optUK);

// "oddballz.wad" of the UK edition has exactly this size; any other size is the US edition.
inline constexpr qint64 kUkWadSize = 1488896;

// The edition of the game in `gameFolder`, by the size of its "oddballz.wad". Throws FileError
// naming that file when it is missing.
Edition detectEdition(const FileSystem& fso, const QString& gameFolder);

} // namespace yw
