#pragma once

#include <QDirIterator>
#include <QFile>
#include <QStringList>
#include <sys/stat.h>

namespace yw::test {

// Every entry under `folder`, each file with its size, inode and time of change: two snapshots
// differ when a file there was written, replaced, added or removed. Nothing is read, so a pipe
// does not block it; a folder counts by its name, as a file made and removed again in it leaves
// it as it was.
inline QStringList snapshot(const QString& folder)
{
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString entry = it.next();
        struct stat st
        {};
        lstat(QFile::encodeName(entry).constData(), &st);
        if (S_ISDIR(st.st_mode)) {
            entries << entry;
            continue;
        }
        entries << QStringLiteral("%1 %2 %3 %4.%5")
                       .arg(entry)
                       .arg(st.st_size)
                       .arg(st.st_ino)
                       .arg(st.st_mtim.tv_sec)
                       .arg(st.st_mtim.tv_nsec);
    }
    entries.sort();
    return entries;
}

} // namespace yw::test
