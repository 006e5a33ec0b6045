#pragma once

#include <QString>
#include <string>
#include <vector>

namespace yw {

struct ProjectState;

inline constexpr int kMaxBallsPerSet = 256;

// The first line of a base breed's information file (.blz).
struct BreedHeader
{
    std::string lnzNameA;
    std::string lnzNameB;
    int ballsPerSet = 0;
};

// Throws FileError when the file is missing or unreadable and FormatError when its first line
// is not two texts and a whole number from 1 to 256.
BreedHeader readBreedHeader(const QString& path);

// The eBall labels: every line after the first, as read. All or nothing: throws on failure.
std::vector<std::string> readBreedLabels(const QString& path);

// The information file of the state's base breed.
BreedHeader readBreedHeader(const ProjectState& state);

// Reads the locator file of the state's base breed into the eleven locator members. A missing
// line or field leaves those members as they were; a file that cannot be read (missing, not a
// regular file, over 1 MiB) is a FileError naming it.
void readLocatorFile(ProjectState& state);

// readLocatorFile that keeps going past every failure: a file that cannot be read changes
// nothing.
void getLOX(ProjectState& state);

} // namespace yw
