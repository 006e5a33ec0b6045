#include "platform/savefile.h"

#include "platform/errors.h"
#include "platform/filesystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>

namespace yw {

namespace {

std::filesystem::path nativePath(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

// What a path that is not a regular file is, in a player's words; empty for nothing there (or a
// link to nothing).
QString whatIsThere(const QString& path)
{
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(nativePath(path), error);
    if (error == std::errc::too_many_symbolic_link_levels)
        return QStringLiteral("a symbolic link that leads back to itself (a loop)");
    if (error)
        return QString();
    switch (status.type()) {
    case fs::file_type::directory:
        return QStringLiteral("a folder");
    case fs::file_type::fifo:
        return QStringLiteral("a pipe");
    case fs::file_type::socket:
        return QStringLiteral("a socket");
    case fs::file_type::block:
    case fs::file_type::character:
        return QStringLiteral("a device");
    case fs::file_type::not_found:
        return QString();
    default:
        return QStringLiteral("something other than a file");
    }
}

// Why a write failed, called right after it. Qt says "Unknown error" when a flush of its buffer
// fails, so the system's own reason is taken, and a full disk is named as such.
QString writeFailure(const QFileDevice& file, const QString& path, qint64 needed)
{
    const int code = errno;
    const QStorageInfo disk(QFileInfo(path).absolutePath());
    if (code == ENOSPC || (disk.isValid() && disk.bytesAvailable() < needed))
        return QStringLiteral("The disk is full: the file needs %1 bytes.").arg(needed);
    // A short write leaves Qt's error unset; the system's reason is then the one to give.
    if (code != 0 && (file.error() == QFileDevice::NoError ||
                      file.errorString() == QStringLiteral("Unknown error")))
        return QString::fromLocal8Bit(std::strerror(code)) + QLatin1Char('.');
    return file.errorString();
}

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
    if (const QString reason = notRegularReason(path, "replaces"); !reason.isEmpty())
        throw FileError(path, reason);
}

bool somethingIsAt(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

QString notRegularReason(const QString& path, const char* verb)
{
    const QFileInfo info(path);
    if (info.isFile())
        return QString();
    const bool reading = qstrcmp(verb, "reads") == 0;
    const QString what = whatIsThere(path);
    // A link to nothing yet is written through, as QSaveFile does; read, it names what is missing.
    if (what.isEmpty() && info.isSymLink())
        return reading ? QStringLiteral("This is a symbolic link to %1, which does not exist.")
                             .arg(QDir::toNativeSeparators(info.symLinkTarget()))
                       : QString();
    if (what.isEmpty())
        return reading ? QStringLiteral("The file does not exist.") : QString();
    return QStringLiteral("This is not a regular file but %1; Yolkwright %2 only regular files.")
        .arg(what, QLatin1String(verb));
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
        const QString reason = writeFailure(file, path, bytes.size());
        file.cancelWriting();
        throw FileError(path, reason);
    }
    if (!file.commit())
        throw FileError(path, file.errorString());
}

namespace {

// A name beside `path` that no file has.
QString freeNameBeside(const QString& path, const char* tag)
{
    QTemporaryFile probe(path + QLatin1String(tag) + QStringLiteral(".XXXXXX"));
    if (!probe.open())
        throw FileError(path, probe.errorString());
    return probe.fileName(); // removed again when the probe goes
}

struct Prepared
{
    QString target;
    QString real;
    std::unique_ptr<QTemporaryFile> temp;
    QString backup;       // a second name of the old file while the new one is put in place
    bool renamed = false; // the new file is in place
};

void prepare(Prepared& p, const QByteArray& bytes)
{
    requireRegularTarget(p.target);
    // QSaveFile writes through a link, even a dangling one, to the file it names: so do we.
    p.real = followLinks(p.target);
    const QFileInfo real(p.real);
    p.temp = std::make_unique<QTemporaryFile>(real.absolutePath() + QStringLiteral("/.") +
                                              real.fileName() + QStringLiteral(".XXXXXX"));
    if (!p.temp->open())
        throw FileError(p.target, QFileInfo(real.absolutePath()).isDir()
                                      ? p.temp->errorString()
                                      : QStringLiteral("The folder %1 does not exist.")
                                            .arg(QDir::toNativeSeparators(real.absolutePath())));
    if (p.temp->write(bytes) != bytes.size() || !p.temp->flush() ||
        p.temp->error() != QFileDevice::NoError)
        throw FileError(p.target, writeFailure(*p.temp, p.real, bytes.size()));
    // What a new file gets from QSaveFile; a replaced file keeps its own permissions.
    p.temp->setPermissions(real.exists()
                               ? real.permissions()
                               : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                     QFile::WriteUser | QFile::ReadGroup | QFile::ReadOther);
    p.temp->close();
}

void putBack(Prepared& p)
{
    std::error_code ignored;
    if (!p.backup.isEmpty())
        std::filesystem::rename(nativePath(p.backup), nativePath(p.real), ignored);
    else
        std::filesystem::remove(nativePath(p.real), ignored);
}

} // namespace

void saveFilesTogether(const std::vector<std::pair<QString, QByteArray>>& files)
{
    std::vector<Prepared> prepared(files.size());
    for (size_t i = 0; i < files.size(); ++i) {
        prepared[i].target = files[i].first;
        prepare(prepared[i], files[i].second);
    }
    try {
        for (Prepared& p : prepared) {
            std::error_code error;
            if (QFileInfo::exists(p.real)) {
                p.backup = freeNameBeside(p.real, ".old");
                std::filesystem::create_hard_link(nativePath(p.real), nativePath(p.backup), error);
                if (error) {
                    // No hard links here (a FAT stick): the old bytes, copied, are the way back.
                    p.backup.clear();
                    const QString copy = freeNameBeside(p.real, ".old");
                    if (!QFile::copy(p.real, copy))
                        throw FileError(p.target, QStringLiteral("The old file cannot be kept "
                                                                 "while the new one is saved."));
                    p.backup = copy;
                }
            }
            if (g_beforePairedRename)
                g_beforePairedRename(p.target);
            std::filesystem::rename(nativePath(p.temp->fileName()), nativePath(p.real), error);
            if (error)
                throw FileError(p.target, QString::fromLocal8Bit(error.message()));
            p.renamed = true;
        }
    } catch (const Error&) {
        for (Prepared& p : prepared) {
            if (p.renamed)
                putBack(p);
            else if (!p.backup.isEmpty())
                QFile::remove(p.backup);
        }
        throw;
    }
    for (const Prepared& p : prepared)
        if (!p.backup.isEmpty())
            QFile::remove(p.backup);
}

QByteArray readWholeFile(const QString& path, qint64 limit)
{
    // Checked before opening: opening a pipe for reading waits for a writer.
    const QFileInfo info(path);
    if (!info.isFile())
        throw FileError(path, notRegularReason(path, "reads"));
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
