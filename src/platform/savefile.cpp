#include "platform/savefile.h"

#include "platform/errors.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace yw {

namespace {

const QString kNotRegular = QStringLiteral(
    "This is not a regular file but a folder, a pipe or a device; Yolkwright %1 only regular "
    "files.");

FileError tooLarge(const QString& path, qint64 size, qint64 limit)
{
    return FileError(path, QStringLiteral("The file is %1 bytes long, more than the %2 MiB such a "
                                          "file can be; it is not the file Yolkwright expects.")
                               .arg(size)
                               .arg(limit >> 20));
}

} // namespace

void requireRegularTarget(const QString& path)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        throw FileError(path, kNotRegular.arg(QStringLiteral("replaces")));
}

void saveFileAtomically(const QString& path, const QByteArray& bytes)
{
    requireRegularTarget(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw FileError(path, file.errorString());
    // QSaveFile (Qt 6.4) commits even when the buffered bytes could not be written, e.g. on a
    // full disk, which would put a cut-off file in place of the old one: flush and check first.
    if (file.write(bytes) != bytes.size() || !file.flush() ||
        file.error() != QFileDevice::NoError) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw FileError(path, reason);
    }
    if (!file.commit())
        throw FileError(path, file.errorString());
}

QByteArray readWholeFile(const QString& path, qint64 limit)
{
    // Checked before opening: opening a pipe for reading waits for a writer.
    const QFileInfo info(path);
    if (!info.exists())
        throw FileError(path, QStringLiteral("The file does not exist."));
    if (!info.isFile())
        throw FileError(path, kNotRegular.arg(QStringLiteral("reads")));
    if (info.size() > limit)
        throw tooLarge(path, info.size(), limit);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(path, file.errorString());
    // One byte more than expected tells a file that grew since it was looked at; it is read on
    // up to one byte past the limit.
    QByteArray bytes = file.read(info.size() + 1);
    if (bytes.size() > info.size() && file.error() == QFileDevice::NoError)
        bytes += file.read(limit + 1 - bytes.size());
    if (file.error() != QFileDevice::NoError)
        throw FileError(path, file.errorString());
    if (bytes.size() > limit)
        throw tooLarge(path, bytes.size(), limit);
    return bytes;
}

} // namespace yw
