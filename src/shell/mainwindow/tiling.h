#pragma once

#include <vector>

namespace yw {

// One window's place along the tiling direction.
struct TileSpan
{
    int start = 0;
    int extent = 0;

    bool operator==(const TileSpan&) const = default;
};

// Shares `length` between windows in a row (or column), in order. None gets less than its least
// extent: those that need more than an even share take it, and the others split what is left,
// the last ones taking the pixels an even split leaves over. Only when even the least extents do
// not fit do the windows overlap, each still whole, their starts spread evenly so that each
// keeps a strip beside the next one (which the caller puts above it).
std::vector<TileSpan> tileSpans(const std::vector<int>& leastExtents, int length);

} // namespace yw
