#include "shell/mainwindow/tiling.h"

#include <algorithm>
#include <numeric>

namespace yw {

std::vector<TileSpan> tileSpans(const std::vector<int>& leastExtents, int length)
{
    const size_t count = leastExtents.size();
    std::vector<int> extents(count, -1);
    int left = length;
    for (;;) {
        const int open = int(std::count(extents.begin(), extents.end(), -1));
        if (open == 0)
            break;
        size_t needy = 0;
        while (needy < count && (extents[needy] >= 0 || leastExtents[needy] * open <= left))
            ++needy;
        if (needy < count) {
            extents[needy] = leastExtents[needy];
            left -= extents[needy];
            continue;
        }
        int k = 0;
        for (int& extent : extents)
            if (extent < 0) {
                extent = left * (k + 1) / open - left * k / open;
                ++k;
            }
    }
    std::vector<TileSpan> spans;
    spans.reserve(count);
    const int total = std::accumulate(extents.begin(), extents.end(), 0);
    if (total <= length || count < 2) {
        int next = 0;
        for (int extent : extents) {
            spans.push_back({next, extent});
            next += extent;
        }
        return spans;
    }
    // Overlapping, the starts spread evenly from 0 to where the last one ends at the length: each
    // window keeps a strip of its own beside the next, none lies wholly under another.
    const int room = std::max(0, length - extents.back());
    for (size_t i = 0; i < count; ++i)
        spans.push_back({int(room * i / (count - 1)), extents[i]});
    return spans;
}

} // namespace yw
