// SDL's keys as the game's own keys, both ways.
#pragma once

#include <SDL.h>

#include "platform/keys.h"

namespace tk::sdl {

// The game's key for a pressed key; Key::None for keys the game does not listen to.
// Letters follow the active layout (the key's label).
Key KeyFromSdl(const SDL_Keysym& key);
// The modifier mask of a key-down: kShiftHeld, kCtrlHeld, kAltHeld.
int ModifiersFromSdl(Uint16 mod);
// Whether the game's key is held now, given SDL's keyboard state.
bool KeyHeld(Key key, const Uint8* state, int numKeys);

}  // namespace tk::sdl
