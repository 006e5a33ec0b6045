#pragma once

#include <QString>
#include <QStringList>
#include <string>

namespace yw {

struct Installation;
struct ProjectState;

// What a command writes, as far as the one output rule cares.
enum class OutputKind {
    File,      // a project, package, sheet or report
    Egg,       // an egg or its companion: the only output that may go over an installed egg
    BreedFile, // the survey's information or locator file, in the player's folder of the edition
};

// The one rule for every file any command writes. Throws FileError unless `output` may be
// written: it exists only as a regular file, it is none of the command's `inputs`, and it is none
// of these, whether it exists yet or not:
// - a file of the program's own res, resUK or help folders, or the program itself;
// - a file of the player's res or resUK folder (a survey's breed file may go into the edition's
//   own), or a kept original of the game's eggs;
// - the game's settings file or data file (oddballz.ini, oddballz.wad, wherever they are), or any
//   file of the game folder outside its eggz tree;
// - an egg or companion in the eggz tree, unless the output is an egg or companion.
// Files are told apart by device and inode (sameFile), never by the spelling of their paths.
void requireOutputAllowed(const Installation& install, const QString& output,
                          const QStringList& inputs, OutputKind kind = OutputKind::File);

// The rule for an output made from the project `projectPath` (empty when there is none) of
// `state`'s base breed: its egg, companion and resource files are inputs too, named as such.
void requireSafeOutput(const Installation& install, const ProjectState& state,
                       const QString& output, const QString& projectPath,
                       OutputKind kind = OutputKind::File);

// The base breed's files that no output may replace, whether they are there or not.
QStringList protectedInputs(const Installation& install, const std::string& baseBreed);

} // namespace yw
