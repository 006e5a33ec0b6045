#pragma once

#include "files/outputguard.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <string>

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

// The companion of an egg: the target with its last character replaced by 'x' (egg -> egx).
QString companionPathFor(const QString& eggTarget);

// The patched egg alone, for tests, benchmarks and fuzzing. `baseEggPath` names the base egg in
// error messages.
QByteArray patchedEgg(const ProjectState& state, const QByteArray& baseEgg, int ballsPerSet,
                      Prompts& prompts, const QString& baseEggPath);

} // namespace yw
