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
    int total = std::accumulate(extents.begin(), extents.end(), 0);
    int next = 0;
    for (int extent : extents) {
        const int start = std::max(0, std::min(next, length - total));
        total -= extent;
        spans.push_back({start, extent});
        next = start + extent;
    }
    return spans;
}

} // namespace yw
