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
    if (file.write(bytes) != bytes.size()) {
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
