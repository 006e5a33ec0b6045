#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace yw {

struct Installation;

// The game's own eggs, kept the first time Yolkwright writes over one in the game's eggz tree,
// in Installation::keptFolder: "original" holds the egg and companion replaced that first time
// (and "from", where they were), never replaced afterwards; "previous/N" the later versions
// replaced, the last three; "written" the digests of the eggs Yolkwright wrote there, which tell
// its eggs from the game's.

// Called before `egg` is written to `eggTarget`: when that is an egg or companion in the game's
// eggz tree that is there, keeps what it replaces (egg and companion as one save) and notes
// `egg` as one Yolkwright wrote (unless it is empty). Returns the folder holding the original,
// empty when nothing was replaced. Throws FileError when the files cannot be kept, and then the
// egg must not be written.
QString keepReplacedGameEgg(const Installation& install, const QString& eggTarget,
                            const QByteArray& egg);

// Whether `path` lies in the game's eggz tree, where an egg replaced is kept first.
bool isInGameEggz(const Installation& install, const QString& path);

// The folder holding the original kept for the egg `eggTarget` in the game's eggz tree; empty
// when the target is elsewhere or nothing of it was kept.
QString keptOriginalFor(const Installation& install, const QString& eggTarget);

// Where a command tells the player the game's egg is kept: one sentence.
QString keptNote(const QString& original);

// The breeds (as their eggs are named) whose original is kept for the installation's edition.
QStringList keptBreeds(const Installation& install);

// Puts the kept original of `stem` (any letter case) back where it was, egg and companion as one
// save, keeping the version it replaces as a previous one. Returns the egg's path. Throws
// FileError, naming the kept folder when no original of that breed is kept.
QString restoreGameEgg(const Installation& install, const QString& stem);

} // namespace yw
