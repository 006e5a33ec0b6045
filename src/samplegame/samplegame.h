#pragma once

#include "files/breedresources.h"
#include "model/eballrecord.h"
#include "model/edition.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

// A small, deterministic stand-in for an installed game: the settings file, the data file and an
// egg for every base breed in both editions, plus the breed resource files that describe those
// eggs. Tests, the command-line tool's tests and the README's run command use it.
namespace yw::sample {

using yw::Edition;

inline constexpr int kBallsPerSet = 67;
inline constexpr qint64 kUsWadSize = 1476608;

// "us" or "uk": the folder of that edition's installation inside the sample game folder.
QString editionFolder(Edition edition);

// What a sample egg holds: the same in both editions.
struct BreedContent
{
    std::string listText; // as the wizard lists it
    std::string stem;     // file-name stem
    std::string lnzNameA;
    std::string lnzNameB;
    std::vector<std::string> labels; // kBallsPerSet labels
    std::vector<EBallRecord> eBalls; // set A then set B
    std::string breedName;
    std::string eggTray;
    std::string eggSlot;
    std::string description; // Windows-1252, may hold double quotes and line breaks
    std::string attributes;
    std::array<std::string, 3> regTips;
    std::array<std::string, 3> demoTips;
    int tipCount = 6;
    bool companion = false;
    qint64 usEggSize = 0; // the UK egg is a little smaller
};

// Where an egg's regions are, as its locator file says, and how big the egg is.
struct EggLayout : LocatorValues
{
    qint64 eggSize = 0;
};

// The 13 base breeds, in the wizard's order.
int breedCount();
const BreedContent& breed(int index);

EggLayout eggLayout(int index, Edition edition);
// A 16-bit Windows "New Executable" with the breed in its resources: the ball sets under
// [Ballz Info] in two LNZ texts named like the sets, the name block, description and attributes
// in one resource and the tips in another, decoy texts elsewhere. Every text is followed by zero
// bytes up to its room (locator length + 1, tips: T + 2) and then a non-zero byte; a non-zero
// byte lies right before every region.
QByteArray eggFile(int index, Edition edition);
// Empty for a breed without a companion file.
QByteArray companionFile(int index, Edition edition);
// The information file (.blz), the same for both editions.
QByteArray informationFile(int index);
QByteArray locatorFile(int index, Edition edition);
QByteArray gameDataFile(Edition edition);
QByteArray settingsFile(const QString& gameFolder);

// Writes <folder>/<us|uk>/drive_c/windows/oddballz.ini and the game folder
// <folder>/<us|uk>/drive_c/Oddballz with oddballz.wad and eggz/<stem>/<stem>.odd (.odx).
// The settings file names the game folder by its absolute path. Throws FileError.
void writeSampleGame(const QString& folder, Edition edition);
QString windowsFolder(const QString& folder, Edition edition);
QString gameFolder(const QString& folder, Edition edition);

// Writes <dataFolder>/res and <dataFolder>/resUK: the information and locator files of the
// sample eggs. Throws FileError.
void writeResourceFiles(const QString& dataFolder);
// The file names under res/ and resUK/ with their bytes, for comparing with shipped files.
std::vector<std::pair<QString, QByteArray>> resourceFiles();

} // namespace yw::sample
