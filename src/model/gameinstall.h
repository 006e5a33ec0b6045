#pragma once

#include <QProcessEnvironment>
#include <QString>

namespace yw {

class FileSystem;
class Prompts;
class SettingsStore;
struct Installation;

// Reads "oddballz.ini" in the Windows folder and returns the game folder as a local path
// without a trailing separator, or "" after telling the user why there is none. Throws
// FileError when the settings file exists but cannot be read.
QString findGameFolder(const FileSystem& fso, Prompts& prompts,
                       const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment());
// findGameFolder for a caller that reports failures itself: throws Refusal (naming the settings
// file) where findGameFolder tells the user.
QString locateGameFolder(const FileSystem& fso,
                         const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment());

// The first-run edition check (once per user, by the size of "oddballz.wad") and the choice of
// the edition, which it stores in `install.edition`. Throws FileError when
// "oddballz.wad" is missing during the check; CheckedCountry is stored before that, so the
// check does not run again.
void checkEdition(Installation& install, SettingsStore& settings, Prompts& prompts,
                  const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment());

// Where the shipped res/, resUK/ and help/ live: beside the executable when a res folder is
// there (build tree, Windows), else ../share/yolkwright (installed).
QString programDataFolder();

// The per-user data folder whose res/ and resUK/ files win over the shipped ones, file by file,
// so a player can add files for their own eggs without root.
QString userDataFolder();

} // namespace yw
