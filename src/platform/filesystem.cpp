#include "platform/filesystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <optional>
#include <sys/stat.h>

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

namespace {

struct Identity
{
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const Identity&) const = default;
};

std::optional<Identity> identityOf(const QString& path)
{
    struct stat st
    {};
    if (path.isEmpty() || stat(QFile::encodeName(path).constData(), &st) != 0)
        return std::nullopt;
    return Identity{st.st_dev, st.st_ino};
}

} // namespace

QString followLinks(const QString& path)
{
    QString real = QFileInfo(path).absoluteFilePath();
    for (int hops = 0; hops < 40 && QFileInfo(real).isSymLink(); ++hops)
        real = QFileInfo(real).symLinkTarget();
    return real;
}

bool sameFile(const QString& a, const QString& b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    const auto first = identityOf(a);
    const auto second = identityOf(b);
    if (first && second)
        return *first == *second;
    const QFileInfo x(followLinks(a));
    const QFileInfo y(followLinks(b));
    const auto folder = identityOf(x.absolutePath());
    return folder && folder == identityOf(y.absolutePath()) &&
           x.fileName().compare(y.fileName(), Qt::CaseInsensitive) == 0;
}

bool isInside(const QString& path, const QString& folder, QString* below)
{
    if (path.isEmpty() || folder.isEmpty())
        return false;
    const QString cleanFolder = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    QString inner = QDir::cleanPath(followLinks(path));
    for (QString outer = QFileInfo(inner).path(); outer != inner;
         inner = outer, outer = QFileInfo(outer).path()) {
        if (sameFile(outer, folder) || outer.compare(cleanFolder, Qt::CaseInsensitive) == 0) {
            if (below)
                *below = QFileInfo(inner).fileName();
            return true;
        }
    }
    return false;
}

} // namespace yw
