#include "platform/winpaths.h"

#include "platform/filesystem.h"

#include <QDir>

namespace yw {

namespace {

QString variable(const QProcessEnvironment& env, const QString& name)
{
    if (env.contains(name))
        return env.value(name);
    const QStringList keys = env.keys();
    for (const QString& key : keys) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return env.value(key);
    }
    return QString();
}

bool isDrivePath(const QString& path)
{
    if (path.size() < 2 || path[1] != QLatin1Char(':') || !path[0].isLetter() ||
        path[0].unicode() > 0x7f)
        return false;
    return path.size() == 2 || path[2] == QLatin1Char('\\') || path[2] == QLatin1Char('/');
}

} // namespace

QString winePrefix(const QProcessEnvironment& env)
{
    const QString prefix = env.value(QStringLiteral("WINEPREFIX"));
    if (!prefix.isEmpty())
        return prefix;
    const QString home = env.value(QStringLiteral("HOME"), QDir::homePath());
    return home.isEmpty() ? QString() : home + QStringLiteral("/.wine");
}

QString windowsFolder(const FileSystem& fso, const QProcessEnvironment& env)
{
    const QString windir = variable(env, QStringLiteral("windir"));
#ifdef Q_OS_WIN
    Q_UNUSED(fso);
    return windir;
#else
    if (!windir.isEmpty())
        return fso.resolve(localPath(windir, fso, env));
    const QString prefix = winePrefix(env);
    if (prefix.isEmpty())
        return QString();
    return fso.resolve(prefix + QStringLiteral("/drive_c/windows"));
#endif
}

QString localPath(const QString& path, const FileSystem& fso, const QProcessEnvironment& env)
{
#ifdef Q_OS_WIN
    Q_UNUSED(fso);
    Q_UNUSED(env);
    return path;
#else
    if (!isDrivePath(path))
        return path;
    const QString prefix = winePrefix(env);
    const QChar drive = path[0].toLower();
    QString root = prefix + QStringLiteral("/dosdevices/") + drive + QLatin1Char(':');
    // A prefix copied without its links still has drive C's own folder.
    if (!fso.folderExists(root) && drive == QLatin1Char('c'))
        root = prefix + QStringLiteral("/drive_c");
    QString rest = path.mid(2);
    rest.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!rest.isEmpty() && !rest.startsWith(QLatin1Char('/')))
        rest.prepend(QLatin1Char('/'));
    return root + rest;
#endif
}

} // namespace yw
