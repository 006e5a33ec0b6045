#pragma once

#include "files/breedshape.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

namespace yw {

struct Installation;
struct ProjectState;

// Throws FileError when the file is missing or unreadable and FormatError when its first line
// is not two texts and a whole number from 1 to 256.
BreedHeader readBreedHeader(const QString& path);

// The eBall labels: every line after the first, as read. All or nothing: throws on failure.
std::vector<std::string> readBreedLabels(const QString& path);

// The information file of the state's base breed.
BreedHeader readBreedHeader(const Installation& install, const ProjectState& state);

// The whole information file, header and labels, from one read of it. Throws as readBreedHeader.
BreedShape readBreedShape(const QString& path);
BreedShape readBreedShape(const Installation& install, const ProjectState& state);

// Reads the locator file of the state's base breed into the eleven locator members. A missing
// line or field, or a field that is not a whole number ("60.5" is not rounded), is a FormatError
// naming the file and line; a file that cannot be read (missing, not a regular file, over
// 1 MiB) is a FileError naming it.
void readLocatorFile(const Installation& install, ProjectState& state);

// readLocatorFile that keeps going past every failure: a missing line or field, or one that is
// not a whole number, leaves its members as they were, and a file that cannot be read changes
// nothing.
void getLOX(const Installation& install, ProjectState& state);

// The eleven values of a locator file, named as the state names them.
struct LocatorValues
{
    int32_t locDescPos = 0, locDescLen = 0;
    int32_t locNamePos = 0, locNameLen = 0;
    int32_t locSetBPos = 0;
    int32_t locSetAPos = 0;
    int32_t locAttrPos = 0, locAttrLen = 0;
    int32_t locTipsPos = 0, locTipsLen = 0;
    int32_t tipCount = 0;

    bool operator==(const LocatorValues&) const = default;
    void applyTo(ProjectState& state) const;
};

// The information file: the header line, then one label per line, CR LF throughout. Labels
// must not hold line breaks, nor set names double quotes.
QByteArray informationFileBytes(const BreedHeader& header, const std::vector<std::string>& labels);

// The locator file: `title` and a column heading on the two lines nobody reads, then the six
// lines of values with two tabs between fields, CR LF throughout.
QByteArray locatorFileBytes(const LocatorValues& values, const std::string& title);

} // namespace yw
