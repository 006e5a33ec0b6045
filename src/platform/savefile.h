#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <utility>
#include <vector>

namespace yw {

// The most the readers take: a project, information, locator or settings file is a few
// kilobytes, an egg or its companion well under a megabyte.
inline constexpr qint64 kTextFileLimit = qint64(1) << 20;
inline constexpr qint64 kEggFileLimit = qint64(64) << 20;

// The one way to save: write to a temporary file beside the target, check, rename into place.
// On failure a FileError is thrown, the old file is intact and no partial file is left. A target
// that exists and is not a regular file is refused (requireRegularTarget).
void saveFileAtomically(const QString& path, const QByteArray& bytes);

// Saves several files as one: each is written to a temporary file beside its target first, and
// only when all are written are they renamed into place, in order. When a later rename fails the
// files already renamed are put back as they were (the same file, not a copy) and the new ones
// removed, so either every target holds its new bytes or every target is as it was, and no
// temporary file is left. Throws FileError naming the target that failed.
void saveFilesTogether(const std::vector<std::pair<QString, QByteArray>>& files);

// For tests: when set, called with each target of saveFilesTogether just before its new file is
// renamed into place; a FileError thrown there is taken as that rename failing, as on a disk that
// went read-only or a share that went away, which no test can bring about at will.
inline std::function<void(const QString& target)> g_beforePairedRename;

// Throws FileError when `path` exists and is not a regular file: a folder, a pipe or a device is
// never replaced by (or written into as) a file. A symbolic link is followed.
void requireRegularTarget(const QString& path);

// Why `path` is not a regular file Yolkwright `verb`s ("reads", "replaces"): not there, a
// folder, a pipe, a device, a link loop, a link to nothing (when read); empty for a regular file
// and, when written, for a link to a file not there yet.
QString notRegularReason(const QString& path, const char* verb);

// Whether anything is at `path`, a link to nothing or a link loop too.
bool somethingIsAt(const QString& path);

// The one way to read a file whole. Anything but a regular file (a pipe or a device would block
// or never end) and a file over `limit` bytes are refused before reading; every failure is a
// FileError naming the file and the reason. A symbolic link is followed.
QByteArray readWholeFile(const QString& path, qint64 limit);

} // namespace yw
