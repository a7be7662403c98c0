// Reading the keys during play, by polling: the arrows and the turning modifiers.
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace tk {

// Held now or pressed since the last look at it.
inline bool Pressed(Platform& platform, Key key) { return platform.LookAt(key).Any(); }

// The direction code of the keys held or pressed since the last look (dirNone, dirLeft..
// dirDown, turnLeft, turnRight). Every key is asked on every call, which clears its latch.
std::int16_t ReadDirection(Platform& platform);

}  // namespace tk
