#include "files/eggimport.h"

#include "files/egggrowth.h"
#include "files/eggregions.h"
#include "files/eggwriter.h"
#include "files/fieldcodec.h"
#include "files/roundtrip.h"
#include "model/edition.h"
#include "platform/cabinet.h"
#include "platform/cp1252.h"
#include "platform/errors.h"
#include "platform/filesystem.h"
#include "platform/prompts.h"
#include "platform/savefile.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstring>
#include <optional>

namespace yw {

namespace {

const QString kInfoName = QStringLiteral("ypkinfo.inf");

QString editionHint(const Installation& install)
{
    return QStringLiteral(" (Yolkwright is set to the %1 edition of Oddballz; an egg of the other "
                          "edition fits none of its base breeds: check the edition in the Options "
                          "window)")
        .arg(install.edition == Edition::UK ? QStringLiteral("UK") : QStringLiteral("US"));
}

// The bytes of a base egg that the egg writer may change, 1-based [first, end), in order.
std::vector<EggSpan> writableRegions(const ProjectState& s, int ballsPerSet, const QByteArray& base,
                                     const QString& basePath)
{
    std::vector<EggSpan> spans =
        writtenRegions(s, readBallSet(base, s.locSetAPos, ballsPerSet, basePath, QString()),
                       readBallSet(base, s.locSetBPos, ballsPerSet, basePath, QString()));
    std::sort(spans.begin(), spans.end(),
              [](const EggSpan& x, const EggSpan& y) { return x.first < y.first; });
    return spans;
}

struct Difference
{
    qint64 bytes = 0;
    qint64 first = 0;   // 1-based; 0 when none
    bool grown = false; // the egg is its base egg grown, its regions already read
};

// Where two eggs of one size differ outside the regions.
Difference differenceOutside(const QByteArray& egg, const QByteArray& base,
                             const std::vector<EggSpan>& regions)
{
    Difference found;
    const auto compare = [&](qint64 from, qint64 end) { // 1-based [from, end)
        from = std::max<qint64>(from, 1);
        end = std::min<qint64>(end, egg.size() + 1);
        if (end <= from || std::memcmp(egg.constData() + from - 1, base.constData() + from - 1,
                                       size_t(end - from)) == 0)
            return;
        for (qint64 at = from; at < end; ++at) {
            if (egg[at - 1] != base[at - 1]) {
                if (found.bytes++ == 0)
                    found.first = at;
            }
        }
    };
    qint64 from = 1;
    for (const EggSpan& region : regions) {
        compare(from, region.first);
        from = std::max(from, region.end);
    }
    compare(from, egg.size() + 1);
    return found;
}

// The note for an egg that came without the companion its base breed has; empty otherwise.
QString requireBaseCompanion(const Installation& install, const BaseBreedEntry& base,
                             const std::optional<QByteArray>& companion, const QString& eggPath)
{
    const QString basePath = install.baseCompanionPath(base.stem);
    const bool baseHasOne = QFileInfo::exists(basePath);
    if (!companion)
        return baseHasOne ? QStringLiteral("No companion file came with %1; new eggs made from "
                                           "the project carry the one of the base breed %2 (%3).")
                                .arg(eggPath, base.listText, basePath)
                          : QString();
    if (!baseHasOne)
        throw FormatError(eggPath, QString(),
                          QStringLiteral("no companion file, as the base breed %1 has none: a "
                                         "new egg would not carry the one that came with it")
                              .arg(base.listText));
    if (readWholeFile(basePath, kEggFileLimit) != *companion)
        throw FormatError(eggPath, QString(),
                          QStringLiteral("the companion file of the base breed %1 (%2), but the "
                                         "one that came with the egg differs: a new egg would "
                                         "carry the base breed's")
                              .arg(base.listText, basePath));
    return QString();
}

const BaseBreedEntry& breedWithStem(const std::string& stem)
{
    if (const BaseBreedEntry* breed = findBaseBreed(cp1252::toUnicode(stem)))
        return *breed;
    throw Error(
        QStringLiteral("There is no base breed called \"%1\".").arg(cp1252::toUnicode(stem)));
}

PackageInfo readPackageInfo(const QByteArray& bytes, const QString& name)
{
    FieldReader reader(bytes, name);
    const QString format = QStringLiteral("the format tag");
    if (reader.text(format) != "YPKFILE|$|2.0")
        throw FormatError(name, QStringLiteral("line 1"),
                          QStringLiteral("the format tag \"YPKFILE|$|2.0\""));
    PackageInfo info;
    info.breedName = fromStoredQuotes(reader.text(QStringLiteral("the breed name")));
    info.description = fromStoredQuotes(reader.text(QStringLiteral("the description")));
    reader.text(QStringLiteral("the flag"));
    info.siteName = fromStoredQuotes(reader.text(QStringLiteral("the site name")));
    info.siteUrl = fromStoredQuotes(reader.text(QStringLiteral("the site address")));
    return info;
}

// The output guard, in words about an import: the input it protects is an egg or a package, not a
// project file.
void requireNotInput(const Installation& install, const ProjectState& state, const QString& output,
                     const QString& input)
{
    requireSafeOutput(install, state, output, QString());
    if (sameFile(output, input))
        throw FileError(output, QStringLiteral("This is the file the project is read from (or its "
                                               "companion), which would be lost; choose another "
                                               "name."));
}

// The hint for an egg no base breed has the size of: only when the installed game is of the other
// edition than the one set, where changing it in the Options window is what helps.
QString sizeEditionHint(const Installation& install)
{
    try {
        if (detectEdition(install.files(), install.gameFolder) != install.edition)
            return editionHint(install);
    } catch (const Error&) {
    }
    return QString();
}

// The base breeds that could have made an egg of `size` bytes: their egg has that size, or is
// smaller when the egg may have grown from it, and their resource files are installed. Only
// these base eggs are ever read.
std::vector<const BaseBreedEntry*> basesOfSize(const Installation& install, qint64 size,
                                               const std::string& baseStem)
{
    std::vector<const BaseBreedEntry*> bases;
    for (const BaseBreedEntry& base : baseBreeds()) {
        const QFileInfo baseFile(install.baseEggPath(base.stem));
        if ((baseStem.empty() || base.stem == baseStem) && baseFile.isFile() &&
            baseFile.size() <= size &&
            install.files().fileExists(install.infoFilePath(base.stem)) &&
            install.files().fileExists(install.locatorFilePath(base.stem)))
            bases.push_back(&base);
    }
    return bases;
}

[[noreturn]] void refuseSize(const Installation& install, qint64 size, const QString& eggPath,
                             const std::string& baseStem)
{
    QString sizes;
    const QFileInfo baseFile(baseStem.empty() ? QString() : install.baseEggPath(baseStem));
    if (!baseStem.empty() && baseFile.isFile() && baseFile.size() != size)
        sizes = QStringLiteral("; the egg of %1 has %2 bytes")
                    .arg(breedWithStem(baseStem).listText)
                    .arg(baseFile.size());
    throw FormatError(
        eggPath, QString(),
        QStringLiteral("an egg made from an installed base breed, but no %1 "
                       "with resource files has an egg of %2 bytes, or a smaller one "
                       "it was grown from%3%4")
            .arg(baseStem.empty() ? QStringLiteral("base breed") : breedWithStem(baseStem).listText)
            .arg(size)
            .arg(sizes, sizeEditionHint(install)));
}

struct Fitted
{
    ImportedEgg imported;
    Difference difference;
};

// The base breed's state and shape, and how the egg differs from its egg outside the regions;
// nothing when its resource files do not fit their own base egg, so they describe nothing here.
std::optional<Fitted> fitBase(const Installation& install, const ProjectState& current,
                              const BaseBreedEntry& base, const QByteArray& egg)
{
    Fitted fitted;
    fitted.imported.baseListText = base.listText;
    NewProject& project = fitted.imported.project;
    project.state = current;
    project.state.baseBreed = base.stem;
    try {
        project.shape = readBreedShape(install, project.state);
        readLocatorFile(install, project.state);
        const QString basePath = install.baseEggPath(base.stem);
        const QByteArray baseEgg = readWholeFile(basePath, kEggFileLimit);
        if (baseEgg.size() != egg.size()) {
            // A larger egg is read only as this base egg grown, byte for byte.
            if (!readGrownEgg(project.state, project.shape.ballsPerSet(), baseEgg, egg, basePath))
                return std::nullopt;
            fitted.difference.grown = true;
            return fitted;
        }
        fitted.difference = differenceOutside(
            egg, baseEgg,
            writableRegions(project.state, project.shape.ballsPerSet(), baseEgg, basePath));
    } catch (const FormatError&) {
        return std::nullopt;
    }
    return fitted;
}

// The egg's regions read into the project, and what writing it back would lose from the egg. A
// grown egg is read already, and only when writing the project gives it back whole.
void readImported(ImportedEgg& imported, const QByteArray& egg, const QString& eggPath, bool grown)
{
    NewProject& project = imported.project;
    project.status = NewProjectStatus::Created;
    if (grown)
        return;
    try {
        readEggRegions(project.state, project.shape.ballsPerSet(), egg, eggPath);
    } catch (const FormatError& e) {
        throw FormatError(eggPath, e.where(),
                          QStringLiteral("the parts Yolkwright edits to read as in an egg of "
                                         "the base breed %1: %2")
                              .arg(imported.baseListText, e.expected()));
    }
    imported.losses = roundTripLosses(egg, project.shape.ballsPerSet(), project.state, eggPath);
}

} // namespace

ImportedEgg importEgg(const Installation& install, const ProjectState& current,
                      const QByteArray& egg, const std::optional<QByteArray>& companion,
                      const QString& eggPath, const std::string& baseStem)
{
    std::optional<Fitted> closest;
    std::optional<ImportedEgg> match;
    for (const BaseBreedEntry* base : basesOfSize(install, egg.size(), baseStem)) {
        std::optional<Fitted> fitted = fitBase(install, current, *base, egg);
        if (!fitted)
            continue;
        if (fitted->difference.bytes > 0) {
            if (!closest || fitted->difference.bytes < closest->difference.bytes)
                closest = std::move(fitted);
            continue;
        }
        readImported(fitted->imported, egg, eggPath, fitted->difference.grown);
        // Two bases that both fit would give two different projects: not ours to pick.
        if (match)
            throw FormatError(eggPath, QString(),
                              QStringLiteral("an egg that fits one installed base breed, but both "
                                             "%1 and %2 fit it; name the base breed (--base)")
                                  .arg(match->baseListText, base->listText));
        fitted->imported.note = requireBaseCompanion(install, *base, companion, eggPath);
        match = std::move(fitted->imported);
    }
    if (match)
        return std::move(*match);
    if (!closest)
        refuseSize(install, egg.size(), eggPath, baseStem);
    throw FormatError(eggPath, QStringLiteral("byte %1").arg(closest->difference.first),
                      QStringLiteral("an egg made from an installed base breed, but even the "
                                     "closest, %1, differs in %2 byte(s) outside the parts "
                                     "Yolkwright edits, the first at byte %3; a new egg made "
                                     "from %1 would not keep them%4")
                          .arg(closest->imported.baseListText)
                          .arg(closest->difference.bytes)
                          .arg(closest->difference.first)
                          .arg(editionHint(install)));
}

namespace {

// The members' names in the package's headers: ypkinfo.inf, one egg and at most its companion,
// in any letter case, with no folders.
struct PackageMembers
{
    const CabinetEntry* info = nullptr;
    const CabinetEntry* egg = nullptr;
    const CabinetEntry* companion = nullptr;
};

PackageMembers packageMembers(const std::vector<CabinetEntry>& entries, const QString& packagePath)
{
    const auto refuse = [&](const QString& expected) {
        return FormatError(packagePath, QString(), expected);
    };
    PackageMembers found;
    for (const CabinetEntry& entry : entries) {
        if (entry.name.contains(QLatin1Char('/')) || entry.name.contains(QLatin1Char('\\')))
            throw refuse(QStringLiteral("members without folders, not %1").arg(entry.name));
        if (entry.name.compare(kInfoName, Qt::CaseInsensitive) == 0 && !found.info)
            found.info = &entry;
        else if (entry.name.endsWith(QStringLiteral(".odd"), Qt::CaseInsensitive) && found.egg)
            throw refuse(
                QStringLiteral("one egg, not both %1 and %2").arg(found.egg->name, entry.name));
        else if (entry.name.endsWith(QStringLiteral(".odd"), Qt::CaseInsensitive))
            found.egg = &entry;
    }
    if (!found.info || !found.egg)
        throw refuse(QStringLiteral("a package holding %1 and an egg (.odd)").arg(kInfoName));
    const QString companion = companionPathFor(found.egg->name);
    for (const CabinetEntry& entry : entries) {
        if (&entry == found.info || &entry == found.egg)
            continue;
        if (found.companion || entry.name.compare(companion, Qt::CaseInsensitive) != 0)
            throw refuse(QStringLiteral("only %1, the egg %2 and its companion, not %3")
                             .arg(kInfoName, found.egg->name, entry.name));
        found.companion = &entry;
    }
    return found;
}

// The declared sizes judged before anything is unpacked: the egg has the size of an installed base
// breed's egg (or is larger, grown from it, within the egg limit) and the companion that of such
// a base breed's companion, so unpacking costs no more than the egg limit and that companion.
void requirePackageSizes(const Installation& install, const PackageMembers& members,
                         const QString& packagePath, const std::string& baseStem)
{
    if (members.info->size > kTextFileLimit)
        throw FormatError(packagePath, kInfoName,
                          QStringLiteral("at most %1 bytes").arg(kTextFileLimit));
    const QString inside = QStringLiteral("%1 (in %2)").arg(members.egg->name, packagePath);
    if (members.egg->size > kEggFileLimit)
        throw FormatError(inside, QString(),
                          QStringLiteral("an egg of at most %1 bytes").arg(kEggFileLimit));
    const std::vector<const BaseBreedEntry*> bases =
        basesOfSize(install, members.egg->size, baseStem);
    if (bases.empty())
        refuseSize(install, members.egg->size, inside, baseStem);
    if (!members.companion)
        return;
    for (const BaseBreedEntry* base : bases)
        if (QFileInfo(install.baseCompanionPath(base->stem)).size() == members.companion->size)
            return;
    throw FormatError(inside, QString(),
                      QStringLiteral("the companion file of its base breed %1, but %2 has %3 bytes")
                          .arg(bases.front()->listText, members.companion->name)
                          .arg(members.companion->size));
}

const CabinetMember& unpacked(const std::vector<CabinetMember>& members, const CabinetEntry& entry,
                              const QString& packagePath)
{
    for (const CabinetMember& m : members)
        if (m.name.compare(entry.name, Qt::CaseInsensitive) == 0)
            return m;
    throw FormatError(packagePath, QStringLiteral("its content"),
                      QStringLiteral("a member %1, as its headers say").arg(entry.name));
}

} // namespace

ImportedEgg importPackage(const Installation& install, const ProjectState& current,
                          const QByteArray& package, const QString& packagePath,
                          const std::string& baseStem)
{
    const std::vector<CabinetEntry> entries = cabinetEntries(package, packagePath);
    const PackageMembers names = packageMembers(entries, packagePath);
    requirePackageSizes(install, names, packagePath, baseStem);

    const std::vector<CabinetMember> members = readCabinet(package, packagePath);
    const CabinetMember& info = unpacked(members, *names.info, packagePath);
    const CabinetMember& egg = unpacked(members, *names.egg, packagePath);
    std::optional<QByteArray> companion;
    if (names.companion)
        companion = unpacked(members, *names.companion, packagePath).bytes;
    ImportedEgg imported =
        importEgg(install, current, egg.bytes, companion,
                  QStringLiteral("%1 (in %2)").arg(egg.name, packagePath), baseStem);
    imported.package =
        readPackageInfo(info.bytes, QStringLiteral("%1 (in %2)").arg(info.name, packagePath));
    return imported;
}

ImportedEgg importFile(const Installation& install, const ProjectState& current,
                       const QString& path, const std::string& baseStem)
{
    // The first bytes say which limit applies, so an egg over its limit is refused unread. Only a
    // regular file is peeked at: opening a pipe would wait for a writer.
    QFile peek(path);
    const bool cabinet =
        QFileInfo(path).isFile() && peek.open(QIODevice::ReadOnly) && peek.read(4) == "MSCF";
    peek.close();
    const QByteArray bytes = readWholeFile(path, cabinet ? kCabinetFileLimit : kEggFileLimit);
    if (cabinet)
        return importPackage(install, current, bytes, path, baseStem);
    // Named as a package but no cabinet: "no base breed has an egg of this size" would mislead.
    if (path.endsWith(QStringLiteral(".ypk"), Qt::CaseInsensitive))
        throw FormatError(path, QString(),
                          QStringLiteral("a package: a cabinet, which starts with \"MSCF\""));
    const QString companionPath = companionPathFor(path);
    std::optional<QByteArray> companion;
    if (companionPath != path && QFileInfo::exists(companionPath))
        companion = readWholeFile(companionPath, kEggFileLimit);
    return importEgg(install, current, bytes, companion, path, baseStem);
}

void writeImportedProject(const Installation& install, const ImportedEgg& imported,
                          const QString& projectPath, const QString& sourcePath, bool acceptLosses)
{
    if (!imported.losses.empty() && !acceptLosses) {
        QString lost;
        for (const QString& loss : imported.losses)
            lost += QStringLiteral("\n  ") + loss;
        throw FormatError(sourcePath, QString(),
                          QStringLiteral("an egg whose every part a project keeps, but these "
                                         "would be left out (import without them with "
                                         "--accept-losses, or Import Without Them):%1")
                              .arg(lost));
    }
    const ProjectState& state = imported.project.state;
    requireNotInput(install, state, projectPath, sourcePath);
    if (!imported.package)
        requireNotInput(install, state, projectPath, companionPathFor(sourcePath));
    writeNewProjectFile(install, imported.project, projectPath);
}

} // namespace yw
