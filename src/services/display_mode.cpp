// The desktop's measurement and the centred window.
#include "services/display_mode.h"

#include <cmath>

namespace tk {

void DisplayMode::MeasureDesktop() {
    desktopWidth_ = static_cast<float>(plat_.DesktopWidth());
    desktopHeight_ = static_cast<float>(plat_.DesktopHeight());
    // Kept: a square desktop is corrected to 4:3, division first.
    if (desktopWidth_ == desktopHeight_) desktopWidth_ = desktopHeight_ / 3 * 4;
}

void DisplayMode::CentreWindow() {
    const double left = (desktopWidth_ - static_cast<double>(kWindowWidth)) / 2.0;
    const double top = (desktopHeight_ - static_cast<double>(kWindowHeight)) / 2.0;
    plat_.MoveWindow(static_cast<int>(std::lround(left)), static_cast<int>(std::lround(top)));
}

}  // namespace tk
