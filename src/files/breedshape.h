#pragma once

#include <string>
#include <vector>

namespace yw {

inline constexpr int kMaxBallsPerSet = 256;

// The first line of a base breed's information file (.blz).
struct BreedHeader
{
    std::string lnzNameA;
    std::string lnzNameB;
    int ballsPerSet = 0;
};

// The base breed as its information file described it when the project was opened or made: the
// ball sets' names, the eBalls per set and their labels. Read once and handed to every writer and
// window, so all of them address set B at the same record even when the file changes meanwhile.
struct BreedShape
{
    BreedHeader header;
    std::vector<std::string> labels;

    int ballsPerSet() const { return header.ballsPerSet; }
};

} // namespace yw
