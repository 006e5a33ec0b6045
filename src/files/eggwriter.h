#pragma once

#include "files/outputguard.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

namespace yw {

// The notice shown when the tips are cut to their room.
inline const QString kTipsTooLong = QStringLiteral(
    "The total length of the on-screen tips was too long. The last registered tip might be "
    "truncated or removed. This could cause problems within Oddballz, so you might want to "
    "check the lengths of each tip.");

struct BreedShape;
struct EggGrowth;
struct Installation;
struct ProjectState;
class Prompts;

// Writes the egg for `state`, a project of the breed `shape`, to `target` (and the companion when
// the base breed has one): the base egg's bytes patched in memory, each file saved atomically.
// Returns target. `projectPath` is the project file the egg is made from, empty when there is none.
// Throws DoesNotFit when a text or ball set has no room in the base egg, FormatError when the base
// egg's located regions are not what the locator file says (wrong edition), FileError otherwise.
// Every refusal comes before the first file is written, and the egg and its companion are saved
// together: both or neither. Written over an egg in the game's eggz tree, the egg replaced is kept
// first (keepReplacedGameEgg).
QString saveODD(const Installation& install, const ProjectState& state, const BreedShape& shape,
                const QString& target, Prompts& prompts, const QString& projectPath = QString(),
                EggGrowth* growth = nullptr);

// The tips that the tips block's room cuts short or leaves out, in order ("registered tip 3 is
// cut", "demo tip 3 is lost"); empty when the block fits.
QStringList cutTips(const ProjectState& state);

// The tips' characters as the egg writer writes them, and the room the base egg has for them: the
// tips block's room less its "stringN=" keys and the line ends between them.
struct TipsUse
{
    qint64 used = 0;
    qint64 room = 0;
};
TipsUse tipsUse(const ProjectState& state);

// The companion of an egg: the target with its last character replaced by 'x' (egg -> egx).
QString companionPathFor(const QString& eggTarget);

// One region as the egg writer writes it: `bytes` from the 1-based byte `first` on, in place of
// the base egg's `room` bytes there. Only a region that grows has more bytes than its room.
// What a region holds, which decides how its bytes are laid out and read back.
enum class RegionKind {
    BallSet, // ball lines filling the room exactly
    Text,    // one text ended by a zero: the description, the attributes, the name block
    Tips,    // the tips block, a line end and zeros
};

struct EggPatch
{
    qint64 first = 0;
    QByteArray bytes;
    QString what; // "ball set A", "the tips", ... as writtenRegions names them
    qint64 room = 0;
    RegionKind kind = RegionKind::Text;
};

struct EggPatches
{
    // Ball set A, ball set B, the description, the attributes, the tips, the name block.
    std::vector<EggPatch> patches;
    bool tipsCut = false; // the tips block was longer than its room and is cut to it
};

// What the egg writer writes over `baseEgg` for `state`, region by region, after every check of
// patchedEgg (and throwing as it does); nothing outside these bytes changes. With `grow`, a
// region too long for its room is neither refused nor cut: its patch is longer than its room.
EggPatches eggPatches(const ProjectState& state, const QByteArray& baseEgg, int ballsPerSet,
                      const QString& baseEggPath, bool grow = false);

// The patched egg alone, for tests, benchmarks and fuzzing. `baseEggPath` names the base egg in
// error messages.
// With `growth` allowed, a region too long for its room grows (egggrowth.h) instead of being
// refused or, for the tips, cut; `growth` then lists what grew.
QByteArray patchedEgg(const ProjectState& state, const QByteArray& baseEgg, int ballsPerSet,
                      Prompts& prompts, const QString& baseEggPath, EggGrowth* growth = nullptr);

} // namespace yw
