// Full screen and back: the display-mode routine of Module1.
#include "app/module1.h"

#include <cmath>

namespace tk::Module1 {

namespace {

// Nearest whole number, halves to the even neighbour (the default rounding mode),
// kept inside what a display size can be.
int wholePixels(float value) {
    if (!std::isfinite(value)) return 0;
    const float clamped = std::fmin(std::fmax(value, 0.0f), 1.0e6f);
    return static_cast<int>(std::nearbyint(clamped));
}

}  // namespace

void setDisplayMode(Platform& platform, const float& width, const float& height, WindowMode mode) {
    // The platform never changes the real display mode: full screen scales the window
    // over the whole desktop, and window mode brings the window back.
    platform.ChangeDisplayMode(wholePixels(width), wholePixels(height), mode);
}

}  // namespace tk::Module1
