#pragma once

#include <QByteArray>
#include <QString>

namespace yw {

// The one way to save: write to a temporary file beside the target, check, rename into place.
// On failure a FileError is thrown, the old file is intact and no partial file is left.
void saveFileAtomically(const QString& path, const QByteArray& bytes);

// The whole file, or a FileError naming it and the system's reason.
QByteArray readWholeFile(const QString& path);

} // namespace yw
