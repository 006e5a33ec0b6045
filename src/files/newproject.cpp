#include "files/newproject.h"

#include "files/egggrowth.h"
#include "files/eggregions.h"
#include "files/eggwriter.h"
#include "files/outputguard.h"
#include "files/projectfile.h"
#include "files/roundtrip.h"
#include "platform/cp1252.h"
#include "platform/errors.h"
#include "platform/filesystem.h"
#include "platform/prompts.h"
#include "platform/savefile.h"

#include <QDir>
#include <algorithm>
#include <optional>

namespace yw {

namespace {

std::string withoutNul(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
    return text;
}

// The game shows a text up to its first zero byte; what follows it is not part of the text.
std::string upToZero(std::string text)
{
    text.resize(std::min(text.size(), text.find('\0')));
    return text;
}

std::vector<std::string> split(const std::string& text, const std::string& separator)
{
    std::vector<std::string> parts;
    size_t from = 0;
    for (;;) {
        const size_t at = text.find(separator, from);
        if (at == std::string::npos) {
            parts.push_back(text.substr(from));
            return parts;
        }
        parts.push_back(text.substr(from, at - from));
        from = at + separator.size();
    }
}

std::string removeFirst(std::string text, const std::string& key)
{
    const size_t at = text.find(key);
    if (at != std::string::npos)
        text.erase(at, key.size());
    return text;
}

std::string bytesAt(const QByteArray& egg, qint64 position, qint64 length, const QString& path,
                    const QString& what)
{
    requireInside(egg, position, length, path, what);
    return std::string(egg.constData() + position - 1, size_t(length));
}

} // namespace

void readEggRegions(ProjectState& fresh, int ballsPerSet, const QByteArray& egg,
                    const QString& path)
{
    const BallSetSpan setA =
        readBallSet(egg, fresh.locSetAPos, ballsPerSet, path, QStringLiteral("ball set A"));
    const BallSetSpan setB =
        readBallSet(egg, fresh.locSetBPos, ballsPerSet, path, QStringLiteral("ball set B"));
    for (int i = 0; i < ballsPerSet; ++i) {
        fresh.ball(i) = setA.records[size_t(i)];
        fresh.ball(ballsPerSet + i) = setB.records[size_t(i)];
    }

    // An egg written by us pads the name block with zeros after the slot.
    const std::vector<std::string> nameLines =
        split(upToZero(bytesAt(egg, fresh.locNamePos, fresh.locNameLen, path,
                               QStringLiteral("the name block"))),
              "\r\n");
    const auto nameBlockFault = [&] {
        return FormatError(path, QStringLiteral("byte %1").arg(fresh.locNamePos),
                           QStringLiteral("a name block of a name, a line break, the tray, a "
                                          "blank and the slot"));
    };
    if (nameLines.size() < 2)
        throw nameBlockFault();
    const std::vector<std::string> trayAndSlot = split(nameLines[1], " ");
    if (trayAndSlot.size() < 2)
        throw nameBlockFault();
    fresh.breedName = nameLines[0];
    fresh.eggTray = trayAndSlot[0];
    fresh.eggSlot = trayAndSlot[1];

    const std::vector<std::string> tips = split(
        bytesAt(egg, fresh.locTipsPos, tipsRoom(fresh), path, QStringLiteral("the tips")), "\r\n");
    for (int k = 0; k <= fresh.tipCount - 1; k += 2) {
        const int t = k / 2;
        // An odd count's last entry has no partner; a block that fills its room ends without
        // the line end that would give it an empty one.
        const bool unpaired = k + 1 == fresh.tipCount && size_t(k + 1) == tips.size();
        if (t >= kMaxTipPairs || (size_t(k + 1) >= tips.size() && !unpaired))
            throw FormatError(
                path, QStringLiteral("byte %1").arg(fresh.locTipsPos),
                QStringLiteral("%1 tip lines (at most six) in the tips block").arg(fresh.tipCount));
        const std::string regKey = "string" + std::to_string(k) + "=";
        const std::string demoKey = "string" + std::to_string(k + 1) + "=";
        fresh.regTips[size_t(t)] = withoutNul(removeFirst(tips[size_t(k)], regKey));
        fresh.demoTips[size_t(t)] =
            unpaired ? std::string() : withoutNul(removeFirst(tips[size_t(k + 1)], demoKey));
    }

    fresh.breedDescription = upToZero(
        bytesAt(egg, fresh.locDescPos, fresh.locDescLen, path, QStringLiteral("the description")));
    fresh.breedAttributes = upToZero(
        bytesAt(egg, fresh.locAttrPos, fresh.locAttrLen, path, QStringLiteral("the attributes")));
}

const std::vector<BaseBreedEntry>& baseBreeds()
{
    static const std::vector<BaseBreedEntry> breeds = [] {
        std::vector<BaseBreedEntry> list;
        for (const char* text : {"Quadrapus", "Honker", "Norvil", "Zott", "Jester", "Snowbo",
                                 "Walret", "Dynaroo", "Modvark", "Lips", "Skorch", "102", "Grinnz"})
            list.push_back({QLatin1String(text), text});
        list.front().stem = "quadrpus";
        return list;
    }();
    return breeds;
}

const BaseBreedEntry* findBaseBreed(const QString& name)
{
    for (const BaseBreedEntry& breed : baseBreeds())
        if (breed.listText.compare(name, Qt::CaseInsensitive) == 0 ||
            cp1252::toUnicode(breed.stem).compare(name, Qt::CaseInsensitive) == 0)
            return &breed;
    return nullptr;
}

namespace {

// readBaseBreedOrThrow into `project`, which keeps what was read before a refusal.
void readBaseBreedInto(NewProject& project, const Installation& install,
                       const ProjectState& current, const QString& listText)
{
    project.state = current;
    ProjectState& fresh = project.state;
    const BaseBreedEntry* entry = findBaseBreed(listText);
    const std::optional<std::string> stem = entry ? entry->stem : cp1252::fromUnicode(listText);
    fresh.baseBreed = stem.value_or(std::string());

    const QString eggPath = install.baseEggPath(fresh.baseBreed);
    // A pipe, a folder or a link loop in the egg's place is named as what it is.
    if (stem && !install.files().fileExists(eggPath) && somethingIsAt(eggPath))
        throw BaseBreedRefused(eggPath, notRegularReason(eggPath, "reads"), PromptIcon::Critical,
                               NewProjectStatus::NotInstalled);
    if (!stem || !install.files().fileExists(eggPath))
        throw BaseBreedRefused(eggPath,
                               QStringLiteral("The breed that was selected, ") + listText +
                                   QStringLiteral(", is not installed in the Oddballz folder. "
                                                  "Yolkwright cannot use it."),
                               PromptIcon::None, NewProjectStatus::NotInstalled);

    const auto noResources = [&](const QString& file) {
        return BaseBreedRefused(file,
                                QStringLiteral("Yolkwright cannot find any information about the "
                                               "breed that was selected. A resource file may "
                                               "have been damaged or deleted."),
                                PromptIcon::Critical, NewProjectStatus::NoResources);
    };
    const QString info = install.infoFilePath(fresh.baseBreed);
    if (!install.files().fileExists(info))
        throw noResources(info);
    try {
        project.shape = readBreedShape(install, fresh);
    } catch (const FormatError&) {
        // A header that does not read is a damaged resource file, not a damaged egg.
        throw noResources(info);
    }
    const QString locator = install.locatorFilePath(fresh.baseBreed);
    if (!install.files().fileExists(locator))
        throw noResources(locator);
    try {
        readLocatorFile(install, fresh);
    } catch (const FormatError&) {
        throw noResources(locator); // a locator file that does not read is damaged, like a header
    }

    const QByteArray egg = readWholeFile(eggPath, kEggFileLimit);
    // The locator's positions would read the grown egg's old copies, not what the game shows.
    if (const QString trace = grownTrace(egg); !trace.isEmpty())
        throw BaseBreedRefused(eggPath,
                               QStringLiteral("%1 is not the game's own egg: %2.")
                                   .arg(QDir::toNativeSeparators(eggPath), trace),
                               PromptIcon::Critical, NewProjectStatus::DamagedEgg);
    bool damaged = false;
    try {
        readEggRegions(fresh, project.shape.ballsPerSet(), egg, eggPath);
    } catch (const FormatError&) {
        damaged = true;
    }
    if (damaged)
        throw BaseBreedRefused(eggPath,
                               QStringLiteral("It appears that the ") +
                                   cp1252::toUnicode(fresh.baseBreed) +
                                   QStringLiteral(".odd file in your Oddballz folder is either "
                                                  "corrupt, a demo egg, or your version of "
                                                  "Oddballz has not been specified in the "
                                                  "Options window."),
                               PromptIcon::Critical, NewProjectStatus::DamagedEgg);
    project.status = NewProjectStatus::Created;
}

} // namespace

NewProject readBaseBreedOrThrow(const Installation& install, const ProjectState& current,
                                const QString& listText)
{
    NewProject project;
    readBaseBreedInto(project, install, current, listText);
    return project;
}

NewProject readBaseBreed(const Installation& install, const ProjectState& current,
                         const QString& listText, Prompts& prompts)
{
    NewProject project;
    try {
        readBaseBreedInto(project, install, current, listText);
    } catch (const BaseBreedRefused& e) {
        prompts.message(e.reason(), e.icon());
        project.status = e.status();
    }
    return project;
}

bool resourcesFitEgg(const Installation& install, const std::string& stem)
{
    try {
        const FileSystem& files = install.files();
        if (!files.fileExists(install.infoFilePath(stem)) ||
            !files.fileExists(install.locatorFilePath(stem)))
            return false;
        ProjectState probe;
        probe.baseBreed = stem;
        const BreedHeader header = readBreedHeader(install, probe);
        readLocatorFile(install, probe);
        const QString eggPath = install.baseEggPath(stem);
        const QByteArray egg = readWholeFile(eggPath, kEggFileLimit);
        readEggRegions(probe, header.ballsPerSet, egg, eggPath);
        // Places a few bytes off still read; only the round trip shows what they would lose.
        return roundTripLosses(egg, header.ballsPerSet, probe, eggPath).empty();
    } catch (const Error&) {
        return false;
    }
}

std::pair<QString, QString> surveyedFilePaths(const std::string& stem, const QString& folder)
{
    const QString name = cp1252::toUnicode(stem);
    return {joinPath(folder, name + QStringLiteral(".blz")),
            joinPath(folder, name + QStringLiteral(".loc"))};
}

void requireSurveyedFilesAllowed(const Installation& install, const std::string& stem,
                                 const QString& folder, const QStringList& inputs)
{
    const auto [info, locator] = surveyedFilePaths(stem, folder);
    requireOutputAllowed(install, info, inputs, OutputKind::BreedFile);
    requireOutputAllowed(install, locator, inputs, OutputKind::BreedFile);
}

std::pair<QString, QString> saveSurveyedFiles(const Installation& install,
                                              const SurveyFindings& findings,
                                              const std::string& stem, const QString& folder,
                                              const QStringList& inputs)
{
    requireSurveyedFilesAllowed(install, stem, folder, inputs);
    if (!QDir().mkpath(folder))
        throw FileError(folder, QStringLiteral("The folder cannot be made."));
    const auto [info, locator] = surveyedFilePaths(stem, folder);
    // A pair: a new information file beside an old locator file would describe another egg.
    saveFilesTogether({{info, surveyedInformationFile(findings)},
                       {locator, surveyedLocatorFile(findings, stem)}});
    return {info, locator};
}

void writeNewProjectFile(const Installation& install, const NewProject& project,
                         const QString& path)
{
    if (path.trimmed().isEmpty())
        return;
    requireSafeOutput(install, project.state, path, QString());
    saveFileAtomically(path,
                       projectFileBytes(install, project.state, project.shape.ballsPerSet(), 2));
}

} // namespace yw
