#include "files/eggimport.h"

#include "files/egggrowth.h"
#include "files/eggregions.h"
#include "files/eggwriter.h"
#include "files/fieldcodec.h"
#include "platform/cabinet.h"
#include "platform/cp1252.h"
#include "platform/errors.h"
#include "platform/filesystem.h"
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
    bool grown = false; // the egg is larger: a grown copy of the base
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

// Compares the egg with its base egg: `difference` outside the regions for an egg of its size; a
// larger one is read into `project` when it is the base grown. False when it is neither.
bool compareWithBase(NewProject& project, const QByteArray& egg, const QString& basePath,
                     const QString& eggPath, Difference& difference)
{
    ProjectState& fresh = project.state;
    const QByteArray baseEgg = readWholeFile(basePath, kEggFileLimit);
    if (baseEgg.size() != egg.size())
        return difference.grown =
                   readGrownEgg(fresh, project.shape.ballsPerSet(), baseEgg, egg, eggPath);
    difference = differenceOutside(
        egg, baseEgg, writableRegions(fresh, project.shape.ballsPerSet(), baseEgg, basePath));
    return true;
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
    for (const BaseBreedEntry& breed : baseBreeds())
        if (breed.stem == stem)
            return breed;
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

} // namespace

ImportedEgg importEgg(const Installation& install, const ProjectState& current,
                      const QByteArray& egg, const std::optional<QByteArray>& companion,
                      const QString& eggPath, const std::string& baseStem)
{
    const BaseBreedEntry* closest = nullptr;
    Difference closestDifference;
    QString sizes;
    std::optional<ImportedEgg> match;
    for (const BaseBreedEntry& base : baseBreeds()) {
        if (!baseStem.empty() && base.stem != baseStem)
            continue;
        // Sizes first: only a base egg of this very size is read.
        const QString basePath = install.baseEggPath(base.stem);
        const QFileInfo baseFile(basePath);
        if (!baseStem.empty() && baseFile.isFile() && baseFile.size() != egg.size())
            sizes = QStringLiteral("; the egg of %1 has %2 bytes")
                        .arg(base.listText)
                        .arg(baseFile.size());
        // A larger egg may be one grown from it.
        if (!baseFile.isFile() || baseFile.size() > egg.size() ||
            !install.files().fileExists(install.infoFilePath(base.stem)) ||
            !install.files().fileExists(install.locatorFilePath(base.stem)))
            continue;

        ImportedEgg imported;
        imported.baseListText = base.listText;
        NewProject& project = imported.project;
        project.state = current;
        ProjectState& fresh = project.state;
        fresh.baseBreed = base.stem;
        Difference difference;
        try {
            project.shape = readBreedShape(install, fresh);
            readLocatorFile(install, fresh);
            if (!compareWithBase(project, egg, basePath, eggPath, difference))
                continue;
        } catch (const FormatError&) {
            continue; // resource files that do not fit their own base egg describe nothing here
        }
        if (difference.bytes > 0) {
            if (!closest || difference.bytes < closestDifference.bytes) {
                closest = &base;
                closestDifference = difference;
            }
            continue;
        }
        try {
            if (!difference.grown)
                readEggRegions(fresh, project.shape.ballsPerSet(), egg, eggPath);
        } catch (const FormatError& e) {
            throw FormatError(eggPath, e.where(),
                              QStringLiteral("the parts Yolkwright edits to read as in an egg of "
                                             "the base breed %1: %2")
                                  .arg(base.listText, e.expected()));
        }
        // Two bases that both fit would give two different projects: not ours to pick.
        if (match)
            throw FormatError(eggPath, QString(),
                              QStringLiteral("an egg that fits one installed base breed, but both "
                                             "%1 and %2 fit it; name the base breed (--base)")
                                  .arg(match->baseListText, base.listText));
        imported.note = requireBaseCompanion(install, base, companion, eggPath);
        project.status = NewProjectStatus::Created;
        match = std::move(imported);
    }
    if (match)
        return std::move(*match);
    if (!closest)
        throw FormatError(eggPath, QString(),
                          QStringLiteral("an egg made from an installed base breed, but no %1 "
                                         "with resource files has an egg of %2 bytes%3%4")
                              .arg(baseStem.empty() ? QStringLiteral("base breed")
                                                    : breedWithStem(baseStem).listText)
                              .arg(egg.size())
                              .arg(sizes, editionHint(install)));
    throw FormatError(eggPath, QStringLiteral("byte %1").arg(closestDifference.first),
                      QStringLiteral("an egg made from an installed base breed, but even the "
                                     "closest, %1, differs in %2 byte(s) outside the parts "
                                     "Yolkwright edits, the first at byte %3; a new egg made "
                                     "from %1 would not keep them%4")
                          .arg(closest->listText)
                          .arg(closestDifference.bytes)
                          .arg(closestDifference.first)
                          .arg(editionHint(install)));
}

ImportedEgg importPackage(const Installation& install, const ProjectState& current,
                          const QByteArray& package, const QString& packagePath,
                          const std::string& baseStem)
{
    const std::vector<CabinetMember> members = readCabinet(package, packagePath);
    const auto member = [&](const QString& name) -> const CabinetMember* {
        for (const CabinetMember& m : members)
            if (m.name.compare(name, Qt::CaseInsensitive) == 0)
                return &m;
        return nullptr;
    };
    const CabinetMember* info = member(kInfoName);
    const CabinetMember* egg = nullptr;
    for (const CabinetMember& m : members) {
        if (!m.name.endsWith(QStringLiteral(".odd"), Qt::CaseInsensitive))
            continue;
        if (egg)
            throw FormatError(packagePath, QString(),
                              QStringLiteral("one egg, not both %1 and %2").arg(egg->name, m.name));
        egg = &m;
    }
    if (!info || !egg)
        throw FormatError(packagePath, QString(),
                          QStringLiteral("a package holding %1 and an egg (.odd)").arg(kInfoName));
    const CabinetMember* companion = member(companionPathFor(egg->name));
    for (const CabinetMember& m : members)
        if (&m != info && &m != egg && &m != companion)
            throw FormatError(packagePath, QString(),
                              QStringLiteral("only %1, the egg %2 and its companion, not %3")
                                  .arg(kInfoName, egg->name, m.name));
    if (info->bytes.size() > kTextFileLimit)
        throw FormatError(packagePath, kInfoName,
                          QStringLiteral("at most %1 bytes").arg(kTextFileLimit));

    const QString inside = QStringLiteral("%1 (in %2)").arg(egg->name, packagePath);
    ImportedEgg imported = importEgg(
        install, current, egg->bytes,
        companion ? std::optional<QByteArray>(companion->bytes) : std::nullopt, inside, baseStem);
    imported.package =
        readPackageInfo(info->bytes, QStringLiteral("%1 (in %2)").arg(info->name, packagePath));
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
    const QByteArray bytes = readWholeFile(path, cabinet ? kCabinetTotalLimit : kEggFileLimit);
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
                          const QString& projectPath, const QString& sourcePath)
{
    const ProjectState& state = imported.project.state;
    requireNotInput(install, state, projectPath, sourcePath);
    if (!imported.package)
        requireNotInput(install, state, projectPath, companionPathFor(sourcePath));
    writeNewProjectFile(install, imported.project, projectPath);
}

} // namespace yw
