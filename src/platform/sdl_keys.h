// Windows virtual-key codes for SDL keys, both ways.
#pragma once

#include <SDL.h>

namespace tk::sdl {

// The virtual-key code of a pressed key, 0 for keys the game has no code for.
// Letters follow the active layout (the key's label); the number row gives digits
// whatever the layout prints on it, as the window system does.
int VkFromKey(const SDL_Keysym& key);
// The modifier mask of a key-down: 1 Shift, 2 Ctrl, 4 Alt.
int ShiftMaskFromMod(Uint16 mod);
// Whether the key with this virtual-key code is held now, given SDL's keyboard state.
bool VkHeld(int vkCode, const Uint8* state, int numKeys);

}  // namespace tk::sdl
