#pragma once

#include <QProcessEnvironment>
#include <QString>

namespace yw {

class FileSystem;

// The game runs under Wine on Linux, so its settings name Windows paths. These turn them into
// local paths; on Windows every path is used as it is.

// $WINEPREFIX, or ~/.wine when it is not set.
QString winePrefix(const QProcessEnvironment& env);

// The Windows folder: the "windir" variable (its name in any letter case), else the prefix's
// drive_c/windows, found in whatever letter case it exists. Empty when neither is known.
QString windowsFolder(const FileSystem& fso, const QProcessEnvironment& env);

// "C:\Program Files\Oddballz\" becomes <prefix>/dosdevices/c:/Program Files/Oddballz/ (the
// separators turned, a trailing one kept); any other path, such as an absolute POSIX path,
// comes back as it is.
QString localPath(const QString& path, const FileSystem& fso, const QProcessEnvironment& env);

} // namespace yw
