// Where the window stands outside full screen, and the rules every platform shares for it:
// the first start's size, and a window that no monitor shows any more.
#pragma once

#include <vector>

#include "platform/geometry.h"

namespace tk {

// In desktop pixels: the top left corner of the window's frame (of the picture area where
// there is no frame) and the size of the picture area. A maximised window keeps the place
// and size it goes back to when it is no longer maximised.
struct WindowPlacement {
    int left = 0, top = 0;
    int width = kWindowWidth, height = kWindowHeight;
    bool maximised = false;
    friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

// A monitor's part of the desktop.
struct ScreenArea {
    int left = 0, top = 0, width = 0, height = 0;
};

// How many times 800 × 600 the first start's window is: the largest whole multiple that fits
// in two thirds of the desktop's width and two thirds of its height, and at least once.
int FirstWindowScale(int desktopWidth, int desktopHeight);

// `placement` as it is while any of `monitors` shows a part of it; otherwise (its monitor
// was unplugged) centred on the largest monitor, no larger than that monitor.
WindowPlacement OntoAMonitor(WindowPlacement placement, const std::vector<ScreenArea>& monitors);

}  // namespace tk
