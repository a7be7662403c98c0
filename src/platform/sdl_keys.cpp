// Translation between SDL's keys and the keys the game knows.
#include "platform/sdl_keys.h"

namespace tk::sdl {
namespace {

struct Fixed {
    SDL_Keycode sym;
    Key key;
};

// Keys whose meaning does not depend on the layout.
constexpr Fixed kFixed[] = {
    {SDLK_BACKSPACE, Key::Back},  {SDLK_RETURN, Key::Return},    {SDLK_KP_ENTER, Key::Return},
    {SDLK_LSHIFT, Key::Shift},    {SDLK_RSHIFT, Key::Shift},     {SDLK_LCTRL, Key::Control},
    {SDLK_RCTRL, Key::Control},   {SDLK_LALT, Key::Alt},         {SDLK_RALT, Key::Alt},
    {SDLK_ESCAPE, Key::Escape},   {SDLK_SPACE, Key::Space},      {SDLK_PAGEUP, Key::PageUp},
    {SDLK_PAGEDOWN, Key::PageDown}, {SDLK_END, Key::End},        {SDLK_HOME, Key::Home},
    {SDLK_LEFT, Key::Left},       {SDLK_UP, Key::Up},            {SDLK_RIGHT, Key::Right},
    {SDLK_DOWN, Key::Down},       {SDLK_DELETE, Key::Delete},
};

}  // namespace

Key KeyFromSdl(const SDL_Keysym& key) {
    for (const Fixed& f : kFixed)
        if (f.sym == key.sym) return f.key;
    if (key.sym >= SDLK_a && key.sym <= SDLK_z) return LetterKey(static_cast<char>('a' + (key.sym - SDLK_a)));
    return Key::None;
}

int ModifiersFromSdl(Uint16 mod) {
    return ((mod & KMOD_SHIFT) ? kShiftHeld : 0) | ((mod & KMOD_CTRL) ? kCtrlHeld : 0) |
           ((mod & KMOD_ALT) ? kAltHeld : 0);
}

bool KeyHeld(Key key, const Uint8* state, int numKeys) {
    if (!state || key == Key::None) return false;
    auto held = [&](SDL_Scancode s) { return s != SDL_SCANCODE_UNKNOWN && s < numKeys && state[s] != 0; };
    if (key >= Key::A && key <= Key::Z) {
        const int offset = static_cast<int>(key) - static_cast<int>(Key::A);
        return held(SDL_GetScancodeFromKey(SDLK_a + offset));
    }
    // Every SDL key that stands for this one: both Shifts, both Enters, ...
    for (const Fixed& f : kFixed)
        if (f.key == key && held(SDL_GetScancodeFromKey(f.sym))) return true;
    return false;
}

}  // namespace tk::sdl
