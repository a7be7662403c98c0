// SDL keys translated into the virtual-key codes the game's handlers expect.
#include <gtest/gtest.h>

#include <SDL.h>

#include <vector>

#include "platform/platform.h"
#include "platform/sdl_keys.h"

namespace tk::test {
namespace {

SDL_Keysym Key(SDL_Keycode sym, SDL_Scancode sc = SDL_SCANCODE_UNKNOWN, Uint16 mod = 0) {
    SDL_Keysym k{};
    k.sym = sym;
    k.scancode = sc;
    k.mod = mod;
    return k;
}

TEST(KeyCodes, KeysTheGameListensFor) {
    using sdl::VkFromKey;
    EXPECT_EQ(VkFromKey(Key(SDLK_RETURN)), vk::Return);
    EXPECT_EQ(VkFromKey(Key(SDLK_KP_ENTER)), vk::Return);  // the keypad's Enter accepts too
    EXPECT_EQ(VkFromKey(Key(SDLK_ESCAPE)), vk::Escape);
    EXPECT_EQ(VkFromKey(Key(SDLK_SPACE)), vk::Space);
    EXPECT_EQ(VkFromKey(Key(SDLK_LEFT)), 37);
    EXPECT_EQ(VkFromKey(Key(SDLK_UP)), 38);
    EXPECT_EQ(VkFromKey(Key(SDLK_RIGHT)), 39);
    EXPECT_EQ(VkFromKey(Key(SDLK_DOWN)), 40);
    EXPECT_EQ(VkFromKey(Key(SDLK_PAGEUP)), 33);
    EXPECT_EQ(VkFromKey(Key(SDLK_PAGEDOWN)), 34);
    EXPECT_EQ(VkFromKey(Key(SDLK_END)), 35);
    EXPECT_EQ(VkFromKey(Key(SDLK_HOME)), 36);
    EXPECT_EQ(VkFromKey(Key(SDLK_BACKSPACE)), 8);
    EXPECT_EQ(VkFromKey(Key(SDLK_DELETE)), 46);
    EXPECT_EQ(VkFromKey(Key(SDLK_LSHIFT)), 0x10);
    EXPECT_EQ(VkFromKey(Key(SDLK_RSHIFT)), 0x10);
    EXPECT_EQ(VkFromKey(Key(SDLK_RCTRL)), 0x11);
    EXPECT_EQ(VkFromKey(Key(SDLK_PRINTSCREEN)), 0);
}

TEST(KeyCodes, LettersFollowTheLayoutDigitsThePosition) {
    using sdl::VkFromKey;
    EXPECT_EQ(VkFromKey(Key(SDLK_a, SDL_SCANCODE_A)), 0x41);
    // A German or Czech keyboard: the key where QWERTY has Y is labelled Z.
    EXPECT_EQ(VkFromKey(Key(SDLK_z, SDL_SCANCODE_Y)), 0x5A);
    EXPECT_EQ(VkFromKey(Key(SDLK_y, SDL_SCANCODE_Z)), 0x59);
    // The Czech number row prints accented letters; the keys still give digits.
    EXPECT_EQ(VkFromKey(Key(0x11B /* ě */, SDL_SCANCODE_2)), 0x32);
    EXPECT_EQ(VkFromKey(Key(0xE9 /* é */, SDL_SCANCODE_0)), 0x30);
    EXPECT_EQ(VkFromKey(Key(SDLK_1, SDL_SCANCODE_1)), 0x31);
    EXPECT_EQ(VkFromKey(Key(0xFD /* ý */, SDL_SCANCODE_7)), 0x37);
}

TEST(KeyCodes, ModifierMask) {
    EXPECT_EQ(sdl::ShiftMaskFromMod(KMOD_NONE), 0);
    EXPECT_EQ(sdl::ShiftMaskFromMod(KMOD_RSHIFT), shiftmask::Shift);
    EXPECT_EQ(sdl::ShiftMaskFromMod(KMOD_LSHIFT | KMOD_RCTRL), shiftmask::Shift | shiftmask::Ctrl);
    EXPECT_EQ(sdl::ShiftMaskFromMod(KMOD_LALT | KMOD_NUM), shiftmask::Alt);  // Num Lock is no modifier
}

TEST(KeyCodes, HeldKeysByEitherOfTheirKeys) {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    std::vector<Uint8> state(SDL_NUM_SCANCODES, 0);
    const int n = SDL_NUM_SCANCODES;
    EXPECT_FALSE(sdl::VkHeld(vk::Return, state.data(), n));
    state[SDL_SCANCODE_KP_ENTER] = 1;
    EXPECT_TRUE(sdl::VkHeld(vk::Return, state.data(), n));
    state[SDL_SCANCODE_RSHIFT] = 1;
    EXPECT_TRUE(sdl::VkHeld(vk::Shift, state.data(), n));
    EXPECT_FALSE(sdl::VkHeld(vk::Control, state.data(), n));
    state[SDL_GetScancodeFromKey(SDLK_n)] = 1;
    EXPECT_TRUE(sdl::VkHeld(vk::letter('n'), state.data(), n));
    EXPECT_FALSE(sdl::VkHeld(vk::letter('y'), state.data(), n));
    state[SDL_SCANCODE_LEFT] = 1;
    EXPECT_TRUE(sdl::VkHeld(vk::Left, state.data(), n));
    EXPECT_FALSE(sdl::VkHeld(vk::Right, state.data(), n));
    EXPECT_FALSE(sdl::VkHeld(vk::Left, nullptr, 0));
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

}  // namespace
}  // namespace tk::test
