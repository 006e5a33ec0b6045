#include "model/projectstate.h"

#include "platform/cp1252.h"
#include "platform/errors.h"
#include "platform/filesystem.h"

namespace yw {

void ProjectState::resetForStartUp()
{
    const QString program = programFolder;
    const QString user = userFolder;
    const Edition res = edition;
    const QString game = gameFolder;
    const std::string build = buildNo;
    const FileSystem* files = fso;
    const bool ask = askBeforeBrowsing;
    *this = ProjectState{};
    programFolder = program;
    userFolder = user;
    edition = res;
    gameFolder = game;
    buildNo = build;
    fso = files;
    askBeforeBrowsing = ask;
    baseBreed = "Quadrapus";
    tipCount = 6;
}

int ProjectState::tipPairs(const QString& sourceFile) const
{
    const int pairs = tipCount > 0 ? tipCount / 2 : 0;
    if (pairs > kMaxTipPairs)
        throw FormatError(
            sourceFile.isEmpty() ? locatorFilePath() : sourceFile, QStringLiteral("line 8"),
            QStringLiteral("a tip count of at most 7 (three pairs), not %1").arg(tipCount));
    return pairs;
}

void ProjectState::commitProject(const ProjectState& fresh, int usedRecords)
{
    std::array<EBallRecord, kEBallCount> kept = eBalls;
    *this = fresh;
    for (int i = std::max(usedRecords, 0); i < kEBallCount; ++i)
        eBalls[size_t(i)] = kept[size_t(i)];
}

EBallRecord& ProjectState::ball(int index)
{
    if (index < 0 || index >= kEBallCount)
        throw Error(QStringLiteral("eBall index %1 is outside 0 to 511.").arg(index));
    return eBalls[size_t(index)];
}

const EBallRecord& ProjectState::ball(int index) const
{
    return const_cast<ProjectState*>(this)->ball(index);
}

QString joinPath(const QString& folder, const QString& rest)
{
    QString joined = folder + QLatin1Char('/') + rest;
    joined.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (joined.contains(QStringLiteral("//")))
        joined.replace(QStringLiteral("//"), QStringLiteral("/"));
    return joined;
}

QString ProjectState::resourcePath(const std::string& stem, const char* extension) const
{
    const QString name = resFolder(edition) + cp1252::toUnicode(stem) + QLatin1String(extension);
    if (!userFolder.isEmpty() && fso) {
        const QString own = fso->resolve(joinPath(userFolder, name));
        if (fso->fileExists(own))
            return own;
    }
    const QString path = joinPath(programFolder, name);
    return fso ? fso->resolve(path) : path;
}

QString ProjectState::infoFilePath() const
{
    return resourcePath(baseBreed, ".blz");
}

QString ProjectState::locatorFilePath() const
{
    return resourcePath(baseBreed, ".loc");
}

QString ProjectState::baseEggPath() const
{
    const QString stem = cp1252::toUnicode(baseBreed);
    const QString path = joinPath(gameFolder, QStringLiteral("eggz/") + stem + QLatin1Char('/') +
                                                  stem + QStringLiteral(".odd"));
    return fso ? fso->resolve(path) : path;
}

QString ProjectState::baseCompanionPath() const
{
    const QString stem = cp1252::toUnicode(baseBreed);
    const QString path = joinPath(gameFolder, QStringLiteral("eggz/") + stem + QLatin1Char('/') +
                                                  stem + QStringLiteral(".odx"));
    return fso ? fso->resolve(path) : path;
}

} // namespace yw
