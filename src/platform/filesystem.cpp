#include "platform/filesystem.h"

#include <QDir>
#include <QFileInfo>

namespace yw {

QString FileSystem::resolve(const QString& path) const
{
    if (path.isEmpty() || QFileInfo::exists(path))
        return path;
    const QString clean = QDir::cleanPath(path);
    const bool absolute = clean.startsWith(QLatin1Char('/'));
    const QStringList parts = clean.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString current = absolute ? QStringLiteral("/") : QStringLiteral(".");
    for (const QString& part : parts) {
        const QString exact = QDir(current).filePath(part);
        if (QFileInfo::exists(exact)) {
            current = exact;
            continue;
        }
        const QStringList entries =
            QDir(current).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        QString match;
        for (const QString& entry : entries) {
            if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                match = entry;
                break;
            }
        }
        if (match.isEmpty())
            return path;
        current = QDir(current).filePath(match);
    }
    if (!absolute && current.startsWith(QStringLiteral("./")))
        current = current.mid(2);
    return current;
}

bool FileSystem::fileExists(const QString& path) const
{
    return QFileInfo(resolve(path)).isFile();
}

bool FileSystem::folderExists(const QString& path) const
{
    return QFileInfo(resolve(path)).isDir();
}

QString FileSystem::baseName(const QString& path)
{
    QString name = path;
    const qsizetype slash =
        std::max(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\')));
    if (slash >= 0)
        name = name.mid(slash + 1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot > 0)
        name.truncate(dot);
    return name;
}

std::vector<FileEntry> FileSystem::files(const QString& folder) const
{
    std::vector<FileEntry> result;
    const QDir dir(resolve(folder));
    if (!dir.exists())
        return result;
    const QFileInfoList infos = dir.entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QFileInfo& info : infos)
        result.push_back({info.fileName(), info.size()});
    return result;
}

} // namespace yw
