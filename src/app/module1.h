// The entry procedure and the free routines that sit beside the main window.
#pragma once

#include "app/frm_main.h"

namespace tk::Module1 {

// Runs the program on the given window: start-up, the event loop, shutdown.
// Returns the process exit status (non-zero when start-up or a later step failed).
int Main(frmMain& form);

// Queries every key once so that presses made before now are not reported later.
void flushKeys(Platform& platform);

// 800 × 600 switches to full screen, any other size back to the window.
void setDisplayMode(Platform& platform, const float& width, const float& height);

}  // namespace tk::Module1
