#pragma once

#include "files/breedshape.h"
#include "model/projectstate.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <iterator>
#include <optional>
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
    static LocatorValues of(const ProjectState& state);
};

// One row per locator value, in the file's order: where the state and LocatorValues keep it,
// and its line (0-5 of the six lines of values) and field on that line. The reader, the writer
// and the copies between state and values loop over these rows.
struct LocatorField
{
    int32_t ProjectState::*state;
    int32_t LocatorValues::*values;
    int line;
    int field;
    // Stored files may leave the tip count out, or hold words there: the start-up count holds.
    std::optional<int32_t> whenAbsent = std::nullopt;
};

inline constexpr LocatorField kLocatorFields[] = {
    {&ProjectState::locDescPos, &LocatorValues::locDescPos, 0, 0},
    {&ProjectState::locDescLen, &LocatorValues::locDescLen, 0, 1},
    {&ProjectState::locNamePos, &LocatorValues::locNamePos, 1, 0},
    {&ProjectState::locNameLen, &LocatorValues::locNameLen, 1, 1},
    {&ProjectState::locSetBPos, &LocatorValues::locSetBPos, 2, 0},
    {&ProjectState::locSetAPos, &LocatorValues::locSetAPos, 3, 0},
    {&ProjectState::locAttrPos, &LocatorValues::locAttrPos, 4, 0},
    {&ProjectState::locAttrLen, &LocatorValues::locAttrLen, 4, 1},
    {&ProjectState::locTipsPos, &LocatorValues::locTipsPos, 5, 0},
    {&ProjectState::locTipsLen, &LocatorValues::locTipsLen, 5, 1},
    {&ProjectState::tipCount, &LocatorValues::tipCount, 5, 2, 6},
};
inline constexpr int kLocatorLines = 6;

// Every value of LocatorValues has a row, and the rows fill the lines field by field in order.
constexpr bool locatorRowsAreWhole()
{
    int line = 0, field = -1;
    for (const LocatorField& row : kLocatorFields) {
        if (row.line == line + 1 && row.field == 0)
            line = row.line;
        else if (row.line != line || row.field != field + 1)
            return false;
        field = row.field;
    }
    return line == kLocatorLines - 1 &&
           std::size(kLocatorFields) * sizeof(int32_t) == sizeof(LocatorValues);
}
static_assert(locatorRowsAreWhole());

// The information file: the header line, then one label per line, CR LF throughout. Labels
// must not hold line breaks, nor set names double quotes.
QByteArray informationFileBytes(const BreedHeader& header, const std::vector<std::string>& labels);

// The locator file: `title` and a column heading on the two lines nobody reads, then the six
// lines of values with two tabs between fields, CR LF throughout.
QByteArray locatorFileBytes(const LocatorValues& values, const std::string& title);

} // namespace yw
