#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

namespace yw {

struct BreedShape;
struct Installation;
struct ProjectState;
class Prompts;

// Writes the egg for `state`, a project of the breed `shape`, to `target` (and the companion when
// the base breed has one): the base egg's bytes patched in memory, each file saved atomically.
// Returns target. `projectPath` is the project file the egg is made from, empty when there is none.
// Throws DoesNotFit when a text or ball set has no room in the base egg, FormatError when the base
// egg's located regions are not what the locator file says (wrong edition), FileError otherwise.
// Every refusal comes before the first file is written, and the egg and its companion are saved
// together: both or neither.
QString saveODD(const Installation& install, const ProjectState& state, const BreedShape& shape,
                const QString& target, Prompts& prompts, const QString& projectPath = QString());

// Throws FileError unless `output` may be written: it exists only as a regular file, and is
// none of the files it is made from (sameFile: by device and inode, so links, bind mounts and
// other spellings are seen through): the project file `projectPath`, the base breed's egg and
// companion, and the breed's information and locator files, shipped and per-user.
void requireSafeOutput(const Installation& install, const ProjectState& state,
                       const QString& output, const QString& projectPath);

// The base breed's files that no output may replace, whether they are there or not.
QStringList protectedInputs(const Installation& install, const std::string& baseBreed);

// The companion of an egg: the target with its last character replaced by 'x' (egg -> egx).
QString companionPathFor(const QString& eggTarget);

// One region as the egg writer writes it: `bytes` from the 1-based byte `first` on.
struct EggPatch
{
    qint64 first = 0;
    QByteArray bytes;
    QString what; // "ball set A", "the tips", ... as writtenRegions names them
};

struct EggPatches
{
    // Ball set A, ball set B, the description, the attributes, the tips, the name block.
    std::vector<EggPatch> patches;
    bool tipsCut = false; // the tips block was longer than its room and is cut to it
};

// What the egg writer writes over `baseEgg` for `state`, region by region, after every check of
// patchedEgg (and throwing as it does); nothing outside these bytes changes.
EggPatches eggPatches(const ProjectState& state, const QByteArray& baseEgg, int ballsPerSet,
                      const QString& baseEggPath);

// The patched egg alone, for tests, benchmarks and fuzzing. `baseEggPath` names the base egg in
// error messages.
QByteArray patchedEgg(const ProjectState& state, const QByteArray& baseEgg, int ballsPerSet,
                      Prompts& prompts, const QString& baseEggPath);

} // namespace yw
