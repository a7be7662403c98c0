// Translation between SDL's keys and the virtual-key codes the game knows.
#include "platform/sdl_keys.h"

#include <initializer_list>

#include "platform/platform.h"

namespace tk::sdl {
namespace {

struct Fixed {
    SDL_Keycode key;
    int vk;
};

// Keys whose code does not depend on the layout.
constexpr Fixed kFixed[] = {
    {SDLK_BACKSPACE, vk::Back}, {SDLK_TAB, vk::Tab},        {SDLK_RETURN, vk::Return},
    {SDLK_KP_ENTER, vk::Return}, {SDLK_LSHIFT, vk::Shift},  {SDLK_RSHIFT, vk::Shift},
    {SDLK_LCTRL, vk::Control},  {SDLK_RCTRL, vk::Control},  {SDLK_LALT, vk::Menu},
    {SDLK_RALT, vk::Menu},      {SDLK_ESCAPE, vk::Escape},  {SDLK_SPACE, vk::Space},
    {SDLK_PAGEUP, vk::Prior},   {SDLK_PAGEDOWN, vk::Next},  {SDLK_END, vk::End},
    {SDLK_HOME, vk::Home},      {SDLK_LEFT, vk::Left},      {SDLK_UP, vk::Up},
    {SDLK_RIGHT, vk::Right},    {SDLK_DOWN, vk::Down},      {SDLK_DELETE, vk::Delete},
    {SDLK_INSERT, 0x2D},        {SDLK_PAUSE, 0x13},         {SDLK_CAPSLOCK, 0x14},
};

void Scancodes(int vkCode, SDL_Scancode out[2]) {
    out[0] = out[1] = SDL_SCANCODE_UNKNOWN;
    auto set = [&](SDL_Scancode a, SDL_Scancode b = SDL_SCANCODE_UNKNOWN) {
        out[0] = a;
        out[1] = b;
    };
    if (vkCode >= 0x41 && vkCode <= 0x5A) {
        set(SDL_GetScancodeFromKey(SDLK_a + (vkCode - 0x41)));
        return;
    }
    if (vkCode >= 0x31 && vkCode <= 0x39) {
        set(static_cast<SDL_Scancode>(SDL_SCANCODE_1 + (vkCode - 0x31)));
        return;
    }
    if (vkCode == 0x30) return set(SDL_SCANCODE_0);
    if (vkCode >= 0x60 && vkCode <= 0x69) {
        return set(vkCode == 0x60 ? SDL_SCANCODE_KP_0
                                  : static_cast<SDL_Scancode>(SDL_SCANCODE_KP_1 + (vkCode - 0x61)));
    }
    if (vkCode >= 0x70 && vkCode <= 0x7B) {
        return set(static_cast<SDL_Scancode>(SDL_SCANCODE_F1 + (vkCode - 0x70)));
    }
    switch (vkCode) {
        case vk::Shift: return set(SDL_SCANCODE_LSHIFT, SDL_SCANCODE_RSHIFT);
        case vk::Control: return set(SDL_SCANCODE_LCTRL, SDL_SCANCODE_RCTRL);
        case vk::Menu: return set(SDL_SCANCODE_LALT, SDL_SCANCODE_RALT);
        case vk::Return: return set(SDL_SCANCODE_RETURN, SDL_SCANCODE_KP_ENTER);
        default: break;
    }
    for (const Fixed& f : kFixed) {
        if (f.vk == vkCode) return set(SDL_GetScancodeFromKey(f.key));
    }
}

}  // namespace

int VkFromKey(const SDL_Keysym& key) {
    for (const Fixed& f : kFixed) {
        if (f.key == key.sym) return f.vk;
    }
    if (key.sym >= SDLK_a && key.sym <= SDLK_z) return 0x41 + (key.sym - SDLK_a);
    if (key.scancode >= SDL_SCANCODE_1 && key.scancode <= SDL_SCANCODE_9)
        return 0x31 + (key.scancode - SDL_SCANCODE_1);
    if (key.scancode == SDL_SCANCODE_0) return 0x30;
    if (key.sym >= SDLK_KP_1 && key.sym <= SDLK_KP_9) return 0x61 + (key.sym - SDLK_KP_1);
    if (key.sym == SDLK_KP_0) return 0x60;
    if (key.sym >= SDLK_F1 && key.sym <= SDLK_F12) return 0x70 + (key.sym - SDLK_F1);
    return 0;
}

int ShiftMaskFromMod(Uint16 mod) {
    return ((mod & KMOD_SHIFT) ? shiftmask::Shift : 0) | ((mod & KMOD_CTRL) ? shiftmask::Ctrl : 0) |
           ((mod & KMOD_ALT) ? shiftmask::Alt : 0);
}

bool VkHeld(int vkCode, const Uint8* state, int numKeys) {
    if (!state) return false;
    SDL_Scancode sc[2];
    Scancodes(vkCode, sc);
    for (SDL_Scancode s : sc) {
        if (s != SDL_SCANCODE_UNKNOWN && s < numKeys && state[s]) return true;
    }
    return false;
}

}  // namespace tk::sdl
