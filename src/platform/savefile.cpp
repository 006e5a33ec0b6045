#include "platform/savefile.h"

#include "platform/errors.h"

#include <QFile>
#include <QSaveFile>

namespace yw {

void saveFileAtomically(const QString& path, const QByteArray& bytes)
{
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

QByteArray readWholeFile(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        throw FileError(path, QStringLiteral("The file does not exist."));
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(path, file.errorString());
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw FileError(path, file.errorString());
    return bytes;
}

} // namespace yw
