// The first start's window size, and a window brought back onto a monitor.
#include "platform/window_placement.h"

#include <algorithm>

namespace tk {

int FirstWindowScale(int desktopWidth, int desktopHeight) {
    const int across = 2 * desktopWidth / (3 * kWindowWidth);
    const int down = 2 * desktopHeight / (3 * kWindowHeight);
    return std::max(1, std::min(across, down));
}

WindowPlacement OntoAMonitor(WindowPlacement placement, const std::vector<ScreenArea>& monitors) {
    const ScreenArea* largest = nullptr;
    for (const ScreenArea& m : monitors) {
        const bool overlaps = placement.left < m.left + m.width && m.left < placement.left + placement.width &&
                              placement.top < m.top + m.height && m.top < placement.top + placement.height;
        if (overlaps) return placement;
        if (!largest || static_cast<long long>(m.width) * m.height > static_cast<long long>(largest->width) * largest->height)
            largest = &m;
    }
    if (!largest || largest->width <= 0 || largest->height <= 0) return placement;
    placement.width = std::min(placement.width, largest->width);
    placement.height = std::min(placement.height, largest->height);
    placement.left = largest->left + (largest->width - placement.width) / 2;
    placement.top = largest->top + (largest->height - placement.height) / 2;
    return placement;
}

}  // namespace tk
