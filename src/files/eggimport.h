#pragma once

#include "files/newproject.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <string>
#include <vector>

namespace yw {

// What "ypkinfo.inf" tells about a package's breed, its quotes restored.
struct PackageInfo
{
    std::string breedName;
    std::string description;
    std::string siteName;
    std::string siteUrl;
};

struct ImportedEgg
{
    NewProject project;                 // status Created: the state read as New reads a base egg
    QString baseListText;               // the base breed as the wizard lists it
    std::optional<PackageInfo> package; // set when the egg came out of a package
    // Said when the base breed has a companion and none came with the egg: new eggs carry the
    // base breed's, which the egg's maker may have changed.
    QString note;
    // What the project would not keep of the egg (words after the slot, a tip the writer would
    // not write...), one sentence each; writing the project refuses them unless accepted.
    std::vector<QString> losses;
};

// An egg (and its companion, when one came with it) turned back into a project: the base breed
// is the installed one whose egg has this size and these bytes everywhere outside the regions
// its locator file names, or `baseStem` when given. Throws FormatError naming `eggPath` and the
// reason when no base fits, the regions do not read or the companion is not the base breed's.
ImportedEgg importEgg(const Installation& install, const ProjectState& current,
                      const QByteArray& egg, const std::optional<QByteArray>& companion,
                      const QString& eggPath, const std::string& baseStem = {});

// importEgg on the egg, its companion and the information in a package's bytes.
ImportedEgg importPackage(const Installation& install, const ProjectState& current,
                          const QByteArray& package, const QString& packagePath,
                          const std::string& baseStem = {});

// Reads `path` (a package when it is a cabinet, else an egg with the companion beside it, if
// any) and imports it. Throws FileError when a file cannot be read.
ImportedEgg importFile(const Installation& install, const ProjectState& current,
                       const QString& path, const std::string& baseStem = {});

// Saves the imported project, which may replace neither the file it came from, nor that egg's
// companion, nor the base breed's files. Throws FormatError naming the source and every loss
// when the project would not keep all of the egg, unless `acceptLosses`.
void writeImportedProject(const Installation& install, const ImportedEgg& imported,
                          const QString& projectPath, const QString& sourcePath,
                          bool acceptLosses = false);

} // namespace yw
