#pragma once

#include <QString>
#include <vector>

namespace yw {

struct FileEntry
{
    QString name;
    qint64 size = 0;
};

// The one file-system object of a run. Game files copied from Windows come in any letter case,
// so a path whose exact spelling is missing is looked up case-insensitively, as Wine does.
class FileSystem
{
public:
    virtual ~FileSystem() = default;

    // The existing path that `path` names, ignoring letter case where the exact spelling is
    // missing; `path` unchanged when nothing matches.
    virtual QString resolve(const QString& path) const;
    bool fileExists(const QString& path) const;
    bool folderExists(const QString& path) const;
    // File name without folder and without its last extension.
    static QString baseName(const QString& path);
    // The regular files of a folder with their sizes; empty when the folder is missing.
    std::vector<FileEntry> files(const QString& folder) const;
};

// The absolute path a chain of symbolic links ends at, even when that file is not there (a
// dangling link names the file that writing through it makes).
QString followLinks(const QString& path);

// Whether two paths name the same file, told by the file and not by the spelling of its path,
// links followed: two files that exist are the same when their device and inode are (a hard
// link, a bind mount, another letter case on a case-insensitive folder). Where one is not there
// yet, they are the same when they would be in the same folder under the same name in any letter
// case, since the program finds its files in any letter case.
bool sameFile(const QString& a, const QString& b);

// Whether `path` (links followed) lies in the tree of `folder`, whichever way either is spelled:
// one of its folders is `folder` by sameFile, or by its cleaned path in any letter case when
// neither is there yet. `below` gets the name of the entry right under `folder` on the way.
bool isInside(const QString& path, const QString& folder, QString* below = nullptr);

} // namespace yw
