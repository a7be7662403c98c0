// The entry procedure and the free routines that sit beside the main window.
#pragma once

#include "app/frm_main.h"

namespace tk::Module1 {

// Runs the program on the given window: start-up, the event loop, shutdown.
// Returns the process exit status (non-zero when start-up or a later step failed).
int Main(frmMain& form);

// Queries every key once so that presses made before now are not reported later.
void flushKeys(Platform& platform);

// Switches to full screen at 800 × 600, or back to the window at the desktop's size:
// the caller says which, since an 800 × 600 desktop asks for the same size either way.
void setDisplayMode(Platform& platform, const float& width, const float& height, WindowMode mode);

}  // namespace tk::Module1
