// The SDL window the platform under test opened: the only one while a test runs.
#pragma once

#include <SDL.h>

namespace tk::test {

inline SDL_Window* TheWindow() {
    for (Uint32 id = 1; id < 100000; ++id)
        if (SDL_Window* w = SDL_GetWindowFromID(id)) return w;
    return nullptr;
}

}  // namespace tk::test
