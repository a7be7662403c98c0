// SDL's keys as the game's own: what reaches the game, what is held, and the modifiers.
#include <gtest/gtest.h>

#include <SDL.h>

#include <vector>

#include "platform/sdl_keys.h"

namespace tk::test {
namespace {

SDL_Keysym Sym(SDL_Keycode sym, SDL_Scancode sc = SDL_SCANCODE_UNKNOWN, Uint16 mod = 0) {
    SDL_Keysym k{};
    k.sym = sym;
    k.scancode = sc;
    k.mod = mod;
    return k;
}

TEST(KeyCodes, EitherKeyOfAPairCountsAndKeysWithoutAUseNeverReachTheGame) {
    using sdl::KeyFromSdl;
    // The keypad's Enter accepts as Enter does; either Shift, Ctrl or Alt is the one key.
    EXPECT_EQ(KeyFromSdl(Sym(SDLK_KP_ENTER)), Key::Return);
    EXPECT_EQ(KeyFromSdl(Sym(SDLK_RSHIFT)), KeyFromSdl(Sym(SDLK_LSHIFT)));
    EXPECT_EQ(KeyFromSdl(Sym(SDLK_RCTRL)), KeyFromSdl(Sym(SDLK_LCTRL)));
    EXPECT_EQ(KeyFromSdl(Sym(SDLK_RALT)), KeyFromSdl(Sym(SDLK_LALT)));
    for (SDL_Keycode none : {SDLK_PRINTSCREEN, SDLK_F13, SDLK_1, SDLK_KP_5, SDLK_TAB})
        EXPECT_EQ(KeyFromSdl(Sym(none)), Key::None) << none;
}

TEST(KeyCodes, LettersFollowTheLayout) {
    using sdl::KeyFromSdl;
    EXPECT_EQ(KeyFromSdl(Sym(SDLK_a, SDL_SCANCODE_A)), Key::A);
    // A German or Czech keyboard: the key where QWERTY has Y is labelled Z, and answers
    // the Czech quit question as Z.
    EXPECT_EQ(KeyFromSdl(Sym(SDLK_z, SDL_SCANCODE_Y)), Key::Z);
    EXPECT_EQ(KeyFromSdl(Sym(SDLK_y, SDL_SCANCODE_Z)), Key::Y);
    // The Czech number row prints accented letters: no key of the game's.
    EXPECT_EQ(KeyFromSdl(Sym(0x11B /* ě */, SDL_SCANCODE_2)), Key::None);
}

TEST(KeyCodes, ModifierMask) {
    EXPECT_EQ(sdl::ModifiersFromSdl(KMOD_NONE), 0);
    EXPECT_EQ(sdl::ModifiersFromSdl(KMOD_RSHIFT), kShiftHeld);
    EXPECT_EQ(sdl::ModifiersFromSdl(KMOD_LSHIFT | KMOD_RCTRL), kShiftHeld | kCtrlHeld);
    EXPECT_EQ(sdl::ModifiersFromSdl(KMOD_LALT | KMOD_NUM), kAltHeld);  // Num Lock is no modifier
}

TEST(KeyCodes, HeldKeysByEitherOfTheirKeys) {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    std::vector<Uint8> state(SDL_NUM_SCANCODES, 0);
    const int n = SDL_NUM_SCANCODES;
    EXPECT_FALSE(sdl::KeyHeld(Key::Return, state.data(), n));
    state[SDL_SCANCODE_KP_ENTER] = 1;
    EXPECT_TRUE(sdl::KeyHeld(Key::Return, state.data(), n));
    state[SDL_SCANCODE_RSHIFT] = 1;
    EXPECT_TRUE(sdl::KeyHeld(Key::Shift, state.data(), n));
    EXPECT_FALSE(sdl::KeyHeld(Key::Control, state.data(), n));
    state[SDL_GetScancodeFromKey(SDLK_n)] = 1;
    EXPECT_TRUE(sdl::KeyHeld(Key::N, state.data(), n));
    EXPECT_FALSE(sdl::KeyHeld(Key::Y, state.data(), n));
    state[SDL_SCANCODE_LEFT] = 1;
    EXPECT_TRUE(sdl::KeyHeld(Key::Left, state.data(), n));
    EXPECT_FALSE(sdl::KeyHeld(Key::Right, state.data(), n));
    EXPECT_FALSE(sdl::KeyHeld(Key::None, state.data(), n));
    EXPECT_FALSE(sdl::KeyHeld(Key::Left, nullptr, 0));
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

}  // namespace
}  // namespace tk::test
