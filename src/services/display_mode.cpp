// The desktop's measurement and the first start's window in its middle.
#include "services/display_mode.h"

#include <cmath>

namespace tk {

void DisplayMode::MeasureDesktop() {
    desktopWidth_ = static_cast<float>(plat_.DesktopWidth());
    desktopHeight_ = static_cast<float>(plat_.DesktopHeight());
    // Kept: a square desktop is corrected to 4:3, division first.
    if (desktopWidth_ == desktopHeight_) desktopWidth_ = desktopHeight_ / 3 * 4;
}

WindowPlacement DisplayMode::FirstPlacement() const {
    const int scale = FirstWindowScale(static_cast<int>(desktopWidth_), static_cast<int>(desktopHeight_));
    WindowPlacement placement{0, 0, kWindowWidth * scale, kWindowHeight * scale, false};
    placement.left = static_cast<int>(std::lround((desktopWidth_ - static_cast<double>(placement.width)) / 2.0));
    placement.top = static_cast<int>(std::lround((desktopHeight_ - static_cast<double>(placement.height)) / 2.0));
    return placement;
}

}  // namespace tk
