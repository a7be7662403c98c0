// Reading the keys during play, by polling: the arrows and the turning modifiers.
#pragma once

#include "platform/platform.h"
#include "puzzle/action.h"

namespace tk {

// Held now or pressed since the last look at it.
inline bool Pressed(Platform& platform, Key key) { return platform.LookAt(key).Any(); }

// The action the keys held or pressed since the last look ask for: a step by an arrow, a
// quarter turn by Left or Right with a modifier, or none. Every key is asked on every call,
// which clears its latch.
Action ReadDirection(Platform& platform);

}  // namespace tk
