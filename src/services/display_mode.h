// Full screen and back. The desktop is measured once, before anything changes it.
#pragma once

#include "platform/platform.h"

namespace tk {

class DisplayMode {
public:
    explicit DisplayMode(Platform& platform) : plat_(platform) {}

    // The desktop as the user has it. A square measurement comes from a mode the window
    // system reports oddly; the desktop is then taken to be 4:3.
    void MeasureDesktop();
    float desktopWidth() const { return desktopWidth_; }
    float desktopHeight() const { return desktopHeight_; }

    void SetFullscreen(bool on) { plat_.SetFullscreen(on); }
    // The window of a first start, when nothing is remembered: the largest whole multiple
    // of 800 × 600 that fits in two thirds of the measured desktop, in its middle.
    WindowPlacement FirstPlacement() const;

private:
    Platform& plat_;
    float desktopWidth_ = 0, desktopHeight_ = 0;
};

}  // namespace tk
