#pragma once

#include <QByteArray>
#include <QString>

namespace yw {

// The most the readers take: a project, information, locator or settings file is a few
// kilobytes, an egg or its companion well under a megabyte.
inline constexpr qint64 kTextFileLimit = qint64(1) << 20;
inline constexpr qint64 kEggFileLimit = qint64(64) << 20;

// The one way to save: write to a temporary file beside the target, check, rename into place.
// On failure a FileError is thrown, the old file is intact and no partial file is left. A target
// that exists and is not a regular file is refused (requireRegularTarget).
void saveFileAtomically(const QString& path, const QByteArray& bytes);

// Throws FileError when `path` exists and is not a regular file: a folder, a pipe or a device is
// never replaced by (or written into as) a file. A symbolic link is followed.
void requireRegularTarget(const QString& path);

// The one way to read a file whole. Anything but a regular file (a pipe or a device would block
// or never end) and a file over `limit` bytes are refused before reading; every failure is a
// FileError naming the file and the reason. A symbolic link is followed.
QByteArray readWholeFile(const QString& path, qint64 limit);

} // namespace yw
