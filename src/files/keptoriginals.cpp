#include "files/keptoriginals.h"

#include "files/eggwriter.h"
#include "model/installation.h"
#include "model/projectstate.h"
#include "platform/cp1252.h"
#include "platform/errors.h"
#include "platform/filesystem.h"
#include "platform/savefile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace yw {

namespace {

using Files = std::vector<std::pair<QString, QByteArray>>;

constexpr int kPreviousKept = 3;

QString keptFolderOf(const Installation& install, const QString& stem)
{
    const std::optional<std::string> name = cp1252::fromUnicode(stem);
    if (!name || name->empty())
        throw FileError(stem, QStringLiteral("An egg of the game is named with characters "
                                             "Windows-1252 lacks, so it cannot be kept."));
    return install.keptFolder(*name);
}

// An egg and its companion as they are on disk (any letter case); nothing for a missing one.
struct EggPair
{
    std::optional<QByteArray> egg;
    std::optional<QByteArray> companion;
    bool operator==(const EggPair&) const = default;
};

EggPair readPair(const Installation& install, const QString& eggPath)
{
    EggPair pair;
    const QString egg = install.files().resolve(eggPath);
    const QString companion = install.files().resolve(companionPathFor(eggPath));
    if (QFileInfo::exists(egg))
        pair.egg = readWholeFile(egg, kEggFileLimit);
    if (QFileInfo::exists(companion))
        pair.companion = readWholeFile(companion, kEggFileLimit);
    return pair;
}

void addPair(Files& files, const QString& folder, const QString& stem, const EggPair& pair)
{
    if (!QDir().mkpath(folder))
        throw FileError(folder, QStringLiteral("The folder cannot be made."));
    if (pair.egg)
        files.emplace_back(joinPath(folder, stem + QStringLiteral(".odd")), *pair.egg);
    if (pair.companion)
        files.emplace_back(joinPath(folder, stem + QStringLiteral(".odx")), *pair.companion);
}

// The numbers of the previous versions kept, oldest first.
std::vector<int> previousVersions(const QString& kept)
{
    std::vector<int> numbers;
    const QDir folder(joinPath(kept, QStringLiteral("previous")));
    for (const QString& name : folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool ok = false;
        const int number = name.toInt(&ok);
        if (ok && number > 0)
            numbers.push_back(number);
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

QByteArray digest(const QByteArray& egg)
{
    return QCryptographicHash::hash(egg, QCryptographicHash::Sha256).toHex();
}

} // namespace

bool isInGameEggz(const Installation& install, const QString& path)
{
    return !install.gameFolder.isEmpty() &&
           isInside(path,
                    install.files().resolve(joinPath(install.gameFolder, QStringLiteral("eggz"))));
}

QString keptOriginalFor(const Installation& install, const QString& eggTarget)
{
    if (!isInGameEggz(install, eggTarget))
        return QString();
    const QString stem = QFileInfo(install.files().resolve(eggTarget)).completeBaseName();
    const QString original = joinPath(keptFolderOf(install, stem), QStringLiteral("original"));
    return QFileInfo::exists(joinPath(original, QStringLiteral("from"))) ? original : QString();
}

QString keepReplacedGameEgg(const Installation& install, const QString& eggTarget,
                            const QByteArray& egg)
{
    if (!isInGameEggz(install, eggTarget))
        return QString();
    const QString target = install.files().resolve(eggTarget);
    const EggPair replaced = readPair(install, target);
    if (!replaced.egg && !replaced.companion)
        return QString();
    // Named as the file is on disk, so "HONKER.ODD" and "Honker.odd" keep one original.
    const QString stem = QFileInfo(target).completeBaseName();
    const QString kept = keptFolderOf(install, stem);
    const QString original = joinPath(kept, QStringLiteral("original"));
    Files files;
    std::vector<int> previous;
    if (!QFileInfo::exists(joinPath(original, QStringLiteral("from")))) {
        addPair(files, original, stem, replaced);
        files.emplace_back(joinPath(original, QStringLiteral("from")),
                           QDir(install.gameFolder).relativeFilePath(target).toUtf8());
    } else if (readPair(install, joinPath(original, stem + QStringLiteral(".odd"))) != replaced) {
        previous = previousVersions(kept);
        const int next = previous.empty() ? 1 : previous.back() + 1;
        addPair(files, joinPath(kept, QStringLiteral("previous/%1").arg(next)), stem, replaced);
    }
    if (!egg.isEmpty()) {
        const QString written = joinPath(kept, QStringLiteral("written"));
        QByteArray list =
            QFileInfo::exists(written) ? readWholeFile(written, kTextFileLimit) : QByteArray();
        if (!list.split('\n').contains(digest(egg)))
            files.emplace_back(written, list + digest(egg) + '\n');
    }
    if (!files.empty())
        saveFilesTogether(files);
    // Only the last ones stay: the one just kept and the two before it.
    for (size_t i = 0; i + kPreviousKept < previous.size() + 1; ++i)
        QDir(joinPath(kept, QStringLiteral("previous/%1").arg(previous[i]))).removeRecursively();
    return original;
}

QString keptNote(const QString& original)
{
    return QStringLiteral("The game's own egg is kept in %1.")
        .arg(QDir::toNativeSeparators(original));
}

QStringList keptBreeds(const Installation& install)
{
    QStringList breeds;
    const QString folder = QFileInfo(keptFolderOf(install, QStringLiteral("x"))).path();
    for (const QString& name :
         QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        if (QFileInfo::exists(joinPath(folder, name + QStringLiteral("/original/from"))))
            breeds.append(name);
    return breeds;
}

QString restoreGameEgg(const Installation& install, const QString& stem)
{
    QString name = stem;
    for (const QString& breed : keptBreeds(install))
        if (breed.compare(stem, Qt::CaseInsensitive) == 0)
            name = breed;
    const QString original = joinPath(keptFolderOf(install, name), QStringLiteral("original"));
    const QString from = joinPath(original, QStringLiteral("from"));
    if (!QFileInfo::exists(from))
        throw FileError(original, QStringLiteral("No original egg of %1 is kept: Yolkwright has "
                                                 "not written over it.")
                                      .arg(stem));
    const QString target =
        joinPath(install.gameFolder, QString::fromUtf8(readWholeFile(from, kTextFileLimit)));
    // A hand-edited "from" must not send the original anywhere but the game's eggz tree.
    if (!isInGameEggz(install, target))
        throw FileError(from, QStringLiteral("This names a place outside the game's eggz folder: "
                                             "%1.")
                                  .arg(QDir::toNativeSeparators(target)));
    const EggPair pair = readPair(install, joinPath(original, name + QStringLiteral(".odd")));
    keepReplacedGameEgg(install, target, QByteArray());
    // The breed's folder in eggz may have been removed since; the original brings it back.
    if (!QDir().mkpath(QFileInfo(target).path()))
        throw FileError(target, QStringLiteral("The breed's folder cannot be made."));
    Files files;
    if (pair.egg)
        files.emplace_back(install.files().resolve(target), *pair.egg);
    const QString companion = install.files().resolve(companionPathFor(target));
    if (pair.companion)
        files.emplace_back(companion, *pair.companion);
    saveFilesTogether(files);
    // A companion Yolkwright wrote beside an egg that had none would make another breed of it.
    if (!pair.companion && QFileInfo::exists(companion) && !QFile::remove(companion))
        throw FileError(companion, QStringLiteral("The egg is back, but this companion, which "
                                                  "the original did not have, cannot be "
                                                  "removed."));
    return target;
}

} // namespace yw
