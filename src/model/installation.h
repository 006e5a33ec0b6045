#pragma once

#include "model/edition.h"

#include <QString>
#include <string>

namespace yw {

class FileSystem;

// Where things are: the game, the program's own data and the edition of the resource files,
// plus the build and the browsing preference. Set up once at start-up and handed beside the
// project, which it outlives.
struct Installation
{
    // `programFolder` holds the shipped res/ and resUK/; `edition` picks one of them. A resource
    // file in `userFolder` (same layout) wins over the shipped one, so a player can add files
    // for their own eggs one breed at a time.
    QString programFolder;
    QString userFolder;
    Edition edition = Edition::US;
    QString gameFolder;
    std::string buildNo;
    // The shared file-system object; files() gives a plain one while none is set.
    const FileSystem* fso = nullptr;
    bool askBeforeBrowsing = true;

    const FileSystem& files() const;

    // Paths of a base breed's files, resolved through files().
    QString infoFilePath(const std::string& baseBreed) const;
    QString locatorFilePath(const std::string& baseBreed) const;
    // The egg (and companion) a breed starts from: the installed one, or the game's original kept
    // by Yolkwright when the installed egg is one Yolkwright wrote.
    QString baseEggPath(const std::string& baseBreed) const;
    QString baseCompanionPath(const std::string& baseBreed) const;
    // The egg and companion in the game's eggz tree, whoever wrote them.
    QString installedEggPath(const std::string& baseBreed) const;
    QString installedCompanionPath(const std::string& baseBreed) const;
    // Where the game's own egg of a breed is kept once Yolkwright writes over it: "original"
    // holds it, "previous" the last later versions, "written" the digests of the eggs written.
    QString keptFolder(const std::string& baseBreed) const;
    // Whether the installed egg is one Yolkwright wrote over a kept original.
    bool installedEggIsOurs(const std::string& baseBreed) const;
    QString resourcePath(const std::string& stem, const char* extension) const;
    // Where the player's own resource files of this edition go (a survey's findings): the user
    // folder's res/ or resUK/, the per-user data folder when none is set.
    QString userResourceFolder() const;
    // The user folder, or the per-user data folder when none is set.
    QString userRoot() const;
};

} // namespace yw
